// The items of the walls panel (dialog 16950) and the menu of its datum popup.
#pragma once

#include <cstdint>

enum : int32_t {
    kWallsPanelID = 16950,
    kWallThicknessCaption = 3,
    kWallThicknessField = 4,
    kShowWallInfoCheckBox = 5,
    kWallDatumCaption = 6,
    kWallDatumPopup = 7,  // menu 16955, entries in the order of the datum codes
};
constexpr int32_t kWallDatumMenu = 16955;
