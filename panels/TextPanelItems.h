// The items of the text panel (dialog 16930).
#pragma once

#include <cstdint>

enum : int32_t {
    kTextPanelID = 16930,
    kFontPopup = 2,
    kTextSizeField = 4,
    kDiameterSymbolPopup = 18,   // menu 16300: before (id 1), after (id 2)
    kDualDimensionsCheckBox = 20,
    kUpperUnitsPopup = 22,
    kUpperPrecisionPopup = 25,
    kUpperToleranceCheckBox = 26,
    kUpperToleranceField = 27,
    kUpperSuperscriptCheckBox = 37,
    kLowerUnitsPopup = 29,
    kLowerPrecisionPopup = 32,
    kLowerToleranceCheckBox = 33,
    kLowerToleranceField = 34,
    kLowerSuperscriptCheckBox = 38,
    kDimensionFormatPopup = 45,  // menu 16500
    kDimensionNextCaption = 46,
    kDimensionNextField = 47,
    kUpperReferenceCheckBox = 55,
    kLowerReferenceCheckBox = 56,
};

constexpr int32_t kFixedFormatEntry = 2;
