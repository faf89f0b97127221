// The items of the document panel (dialog 16210), its menus and its heights.
#pragma once

#include <cstdint>

// Items of dialog 16210.
enum : int32_t {
    kDocumentPanelID = 16210,
    kNumberFormatCaption = 1,
    kNumberFormatPopup = 2,        // menu 16270: "1,234.56", "1.234,56"
    kThousandsCheckBox = 3,
    kDimensionLayerCheckBox = 4,
    kLiveDimensionsCheckBox = 5,
    kGeneralCaption = 6,
    kScaleCaption = 8,
    kDocumentScaleRadio = 9,
    kLayerScaleRadio = 10,
    kScalePopupCaption = 11,
    kScalePopup = 12,              // the 40 scales; entry index = id = scale id
    kLayerList = 13,               // rows "title - label"
    kNumericInputCaption = 14,
    kNumericUnitsCaption = 16,
    kNumericUnitsPopup = 17,       // menu 16400
    kNumericPrecisionCaption = 18,
    kNumericPrecisionPopup = 19,
    kScaleAssistantButton = 20,
};

constexpr int32_t kDocumentPopoutMenu = 16250;   // 0 add a custom scale, 1 delete it
constexpr int32_t kNumberFormatMenu = 16270;
constexpr int32_t kAddCustomScaleEntry = 0;      // of the popout menu
constexpr int32_t kDeleteCustomScaleEntry = 1;

// Panel heights: layer-based scale shows the layer list, document-based does not.
constexpr int32_t kDocumentPanelLayerHeight = 334;
constexpr int32_t kDocumentPanelDocumentHeight = 244;
constexpr int32_t kLayerListBottomGap = 4;
