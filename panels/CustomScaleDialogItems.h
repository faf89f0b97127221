// The items of the custom-scale dialog (16215) and the menu of its units popups.
#pragma once

#include <cstdint>

constexpr int32_t kCustomScaleDialogID = 16215;
#define kCustomScaleDialogName "CADAddCustomScale"

// Items of dialog 16215.
enum : int32_t {
    kCustomScaleAbsoluteRadio = 3,
    kCustomScaleRatioRadio = 4,
    kCustomScalePaperField = 5,
    kCustomScalePaperUnits = 6,   // menu 16450
    kCustomScaleEquals = 7,
    kCustomScaleRealField = 8,
    kCustomScaleRealUnits = 9,    // menu 16450
    kCustomScaleRatioLeft = 10,
    kCustomScaleColon = 11,
    kCustomScaleRatioRight = 12,
};
constexpr int32_t kCustomScaleUnitsMenu = 16450;
