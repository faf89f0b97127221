// The items of the tracker panel (dialog 16500), its menus and its pictures.
#pragma once

#include <cstdint>

// Items of dialog 16500.
enum : int32_t {
    kTrackerPanelID = 16500,
    // Info
    kInfoCaption = 3,
    kReadOutX = 52,
    kReadOutY = 53,
    kReadOutW = 56,
    kReadOutH = 57,
    kReadOutAngle = 5,
    kLengthCaption = 18,
    kReadOutLength = 19,
    kPerimeterCaption = 20,
    kReadOutPerimeter = 21,
    kReadOutArea = 23,
    kReadOutScale = 75,
    kShowInfoCheckBox = 68,
    // Transform
    kTransformCaption = 44,
    kReferencePicture = 47,
    kTransformXCaption = 6,
    kTransformYCaption = 10,
    kTransformWCaption = 8,
    kTransformHCaption = 12,
    kTransformAngleCaption = 16,
    kTransformX = 7,
    kTransformY = 9,
    kTransformW = 13,
    kTransformH = 17,
    kTransformAngle = 11,
    kConstrainCheckBox = 60,
    kTransformCopyButton = 61,
    kTransformButton = 24,
    // Area
    kAreaCaption = 70,
    kAreaField = 72,
    kAreaButton = 73,
    // Move
    kMoveCaption = 45,
    kMoveXCaption = 15,
    kMoveYCaption = 35,
    kMoveDistanceCaption = 14,
    kMoveAngleCaption = 37,
    kMoveX = 25,
    kMoveY = 26,
    kMoveDistance = 27,
    kMoveAngle = 28,
    kMoveButton = 33,
    kMoveCopyButton = 62,
    // Repeat
    kRepeatCaption = 46,
    kRowDirectionPicture = 54,
    kColumnDirectionPicture = 55,
    kRowsCaption = 42,
    kRowSpacingCaption = 39,
    kColumnsCaption = 43,
    kColumnSpacingCaption = 41,
    kRows = 29,
    kRowSpacing = 30,
    kColumns = 31,
    kColumnSpacing = 32,
    kBetweenPopup = 49,
    kRepeatButton = 34,
    // Units
    kTrackerUnitsCaption = 64,
    kTrackerUnitsPopup = 65,
    kTrackerPrecisionCaption = 66,
    kTrackerPrecisionPopup = 67,
};

// Menus and pictures.
constexpr int32_t kTrackerPopoutMenu = 17000;     // 0 show or hide the options, 1 areas in acres
constexpr int32_t kAngleMenu = 17020;             // -180 ... 180 degrees
constexpr int32_t kBetweenMenu = 17040;           // 0 between centres, 1 between edges
constexpr int32_t kReferencePictures = 16401;     // + moveType
constexpr int32_t kRowsUpPicture = 16350, kRowsDownPicture = 16351;
constexpr int32_t kColumnsRightPicture = 16352, kColumnsLeftPicture = 16353;
