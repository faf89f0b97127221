// The items of the labels panel (dialog 16900).
#pragma once

#include <cstdint>

enum : int32_t {
    kLabelsPanelID = 16900,
    kLeaderLengthField = 14,
    kBorderSlider = 17,
    kLabelFormatPopup = 21,     // menu 16550
    kAlphaOptionPopup = 23,     // menu 16570
    kLabelNextCaption = 24,
    kLabelNextField = 25,
    kNumericOptionPopup = 27,   // menu 16560
    kCustomOptionPopup = 33,    // menu 16580
    kCustomTextField = 35,
};
