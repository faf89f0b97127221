// The items of the styles panel (dialog 16220) and its colour menu.
#pragma once

#include <cstdint>

enum : int32_t {
    kStylesPanelID = 16220,
    kColorSwatch = 2,
    kColorPopup = 3,            // menu 16180
    kNoTerminatorPicture = 6,
    kArrowheadLengthCaption = 14,
    kArrowheadLengthField = 15,
    kArrowheadWeightField = 18,
    kArrowheadAngleField = 21,
    kChainDatumCheckBox = 43,
    kJISDatumCheckBox = 44,
    kUpdateLinksButton = 49,
    kTerminatorDirectionPopup = 56,  // menu 16590
};

constexpr int32_t kColorMenu = 16180;
constexpr int32_t kOtherColorEntry = 11;
constexpr int32_t kFillColorEntry = 12;
