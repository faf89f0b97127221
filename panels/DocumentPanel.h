// The document panel (dialog 16210): the number format, the dimension layer, live
// dimensions, the units and precision of numeric input, and the drawing scale per document
// or per layer (the scale section, ScaleSection.h). Settings take effect at once and persist
// with the preferences; its placement is kept under "ZMKCADdocument3".
#pragma once

#include <cstdint>

#include "ADMTypes.h"

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
constexpr int32_t kCustomScaleDialogID = 16215;
#define kCustomScaleDialogName "CADAddCustomScale"

// Panel heights: layer-based scale shows the layer list, document-based does not.
constexpr int32_t kDocumentPanelLayerHeight = 334;
constexpr int32_t kDocumentPanelDocumentHeight = 244;
constexpr int32_t kLayerListBottomGap = 4;

// The number format, the two check boxes and the numeric-input popups shown again from the
// preferences after a preset is loaded (no notifier runs: the format takes effect through the
// preference alone).
void RefreshCADdocumentWindowFromPrefs(ADMDialogRef dialog);
AIErr CreateCADdocumentWindow();
ASErr InitCADdocumentWindow(ADMDialogRef dialog);
AIErr WriteCADdocumentWindowPrefs(ADMDialogRef dialog);
// Sizes the panel for the scale style of the given radio (10 layer-based, 9 or any other
// document-based); a collapsed panel is sized to its tab.
void AdjustCADdocumentPalette(ADMDialogRef dialog, int32_t radioItem);

void CADdocumentDialogNotifierProc(ADMDialogRef dialog, ADMNotifierRef notifier);
void CADdocumentPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void NumberFormatNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void UseDimLayerCheckboxNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void UseLiveDimsCheckboxNotifyProc(ADMItemRef item, ADMNotifierRef notifier);

// The numeric-input member of the units and precision popups (items 17 and 19).
void SetupNumericInputUnitsPopup(ADMDialogRef dialog);
void SetupNumericInputPrecisionPopup(ADMDialogRef dialog);
void NumericInputUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void NumericInputPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
