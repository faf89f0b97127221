// The items of the guides panel (dialog 16920) and the menus of its popups.
#pragma once

#include <cstdint>

// Items of dialog 16920.
enum : int32_t {
    kGuidesPanelID = 16920,
    kGridCaption = 1,
    kShowGridCheckBox = 2,
    kGridColorSwatch = 3,
    kGridColorPopup = 4,          // menu 16180
    kGridColorCaption = 5,
    kGridLinePopup = 6,           // menu 16185
    kGridLineCaption = 7,
    kSnapToGridCheckBox = 8,
    kSnapToleranceCaption = 9,
    kSnapToleranceField = 10,
    kRulersCaption = 12,
    kRulerUnitsCaption = 13,
    kRulerUnitsPopup = 14,        // menu 16400
    kAppendRulerUnitsCheckBox = 15,
    kRulerPrecisionCaption = 16,
    kRulerPrecisionPopup = 17,
    kRulerFontCaption = 18,
    kRulerFontPopup = 19,
    kShowRulersCheckBox = 20,
    kCursorCaption = 22,
    kFullScreenCursorCheckBox = 23,
    kSnapToObjectsCheckBox = 26,
};

constexpr int32_t kGridColorMenu = 16180;
constexpr int32_t kGridLineMenu = 16185;
constexpr int32_t kOtherGridColorEntry = 11;  // index of the entry that opens the colour chooser
