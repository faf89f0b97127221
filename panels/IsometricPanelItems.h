// The items of the isometric panel (dialog 17010), its views popup and its lock pictures.
#pragma once

#include <cstdint>

// Items of dialog 17010.
enum : int32_t {
    kIsometricPanelID = 17010,
    kViewPadItem = 1,
    kViewsPopup = 2,
    kRotationCaption = 3,
    kRotationField = 4,
    kTiltCaption = 5,
    kTiltField = 6,
    kFlattenButton = 7,
    kAutoExpandCheckBox = 8,
    kLockPicture = 25,
};

// The views popup: indices 0 to 4 the custom views, 6 and 7 isometric from above and from
// below, 9 to 11 the dimetric and trimetric views, 13 the free view; 5, 8 and 12 separate.
constexpr int32_t kFreeAxoView = 13;
constexpr int32_t kAxoViewCount = 14;
constexpr int32_t kAxoViewNames = 17770;  // entry i is index i + 1
constexpr int32_t kLockedPicture = 16520, kUnlockedPicture = 16521;
