// The scale assistant (dialog 16280): sets the document's scale from one known real size.
// The selection's drawn width or height is stated in reality, then the assistant either
// makes a custom scale of that relation (the art unchanged), or fits the whole drawing,
// brought to real size, to the artboard (or a typed width or height) with the finest
// architectural or engineering scale that fits, or applies a chosen table scale; the last
// two rescale all art and centre it. Opened by the document panel's assistant button.
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"

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

void ScaleAssistantBtnNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
AIErr ShowScaleAssistantDialog();
ASErr InitScaleAssistantDialog(ADMDialogRef dialog);
void ScaleAssistantRadiosNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void ScaleAssistantReferenceTypePopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void ScaleAssistantOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);

// The artboard placed by the ruler origin (host errors ignored).
void GetArtboardRect(AIRealRect* rect);
// Selects all art (the grids and rulers aside) and gives its bounds; without art the
// result is not written. The first host error is returned.
AIErr SelectAllArtAndGetRect(AIRealRect* rect);
// 1 when every layer but the grids and ruler layers is visible and editable, else 0.
int AllLayersAreUnlockedAndVisible();
