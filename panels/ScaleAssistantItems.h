// The items of the scale assistant (dialog 16280), and what its radios and reference popup
// stand for.
#pragma once

#include <cstdint>

// Items of dialog 16280.
enum : int32_t {
    kAssistantWidthRadio = 5,
    kAssistantHeightRadio = 6,
    kAssistantDrawnWidth = 7,
    kAssistantRealWidth = 9,
    kAssistantDrawnHeight = 10,
    kAssistantRealHeight = 12,
    kAssistantFitRadio = 15,     // action 2
    kAssistantPresetRadio = 16,  // action 3
    kAssistantCustomRadio = 17,  // action 1
    kAssistantFitHint = 18,
    kAssistantPresetHint = 19,
    kAssistantCustomHint = 20,
    kAssistantScaleType = 21,    // menu 16650
    kAssistantReference = 23,    // menu 16630
    kAssistantReferenceLength = 24,
    kAssistantPresetPopup = 25,
};
#define kScaleAssistantDialogName "ScaleAssistant"
constexpr int32_t kScaleAssistantDialogID = 16280;

// The assistant's actions (`ScaleAssistantAction`) and references (`ScaleAssistantReferenceType`).
enum : int32_t {
    kAssistantCustomScale = 1,
    kAssistantFitScale = 2,
    kAssistantPresetScale = 3,
    kReferenceArtboard = 0,
    kReferenceWidth = 1,
    kReferenceHeight = 2,
};
