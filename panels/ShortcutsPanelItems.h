// The items of the shortcuts panel (dialog 16350).
#pragma once

#include <cstdint>

enum : int32_t {
    kShortcutsPanelID = 16350,
    kPresetsCaption = 1,
    kLoadPresetButton = 2,
    kDefinePresetButton = 3,
    kEditPresetsButton = 4,
    kGlobalCaption = 6,
    kMasterUnitsCaption = 7,
    kMasterUnitsPopup = 8,
    kApplyUnitsButton = 9,
    kMasterPrecisionCaption = 10,
    kMasterPrecisionPopup = 11,
    kApplyPrecisionButton = 12,
    kAutoDimensionsCaption = 14,
    kAutoDimensionDocumentButton = 15,
    kAutoDimensionSelectionButton = 16,
    kAutoHorizontalCheckBox = 18,
    kAutoVerticalCheckBox = 19,
    kAutoInclinedCheckBox = 20,
    kAutoRadiusRadio = 23,
    kAutoDiameterRadio = 24,
    kAutoNoRadialRadio = 25,
    kAutoCentreMarkCheckBox = 26,
};
