// The tracker panel (dialog 16500): the live read-out of what a tool drags or what is
// selected (Info), and the sections that act on the selection by typed values: Transform
// (position, size and angle about a reference point, optionally on copies), Move, Area and
// Repeat, with the panel's units and precision at the bottom. The panel exists from the
// application start; its placement is kept under "ZMKCADtracker3". This file holds the
// panel itself: its set-up, the popout menu, the pictures, the popups, captions, copy
// buttons, modifier keys and the Enter key; the read-out is TrackerReadOut.h and the
// actions TrackerActions.h.
#pragma once

#include <cstdint>

#include "ADMTypes.h"

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

// trackerModifiers bits.
enum : int32_t {
    kTrackerShift = 0x1,
    kTrackerCopy = 0x2,        // Alt
    kTrackerProportion = 0x4,  // Ctrl
    kTrackerEnter = 0x80,      // the field was committed with Enter or Return
};

AIErr createTrackerWindow();
ASErr initTrackerWindowProc(ADMDialogRef dialog);
AIErr WriteCADtrackerWindowPrefs(ADMDialogRef dialog);
// Entry 0 of the popout reads "hide options" and the panel is 524 high while the options
// are shown, else "show options" and 144 (only Info).
void showOrHideTrackerOptions(ADMItemRef popout);
// The angle popups (Transform angle 11, Move angle 28): degrees from -360 to 360 at the
// style's decimal precision, the angles of menu 17020, value 0.
void setupAnglePopup(ADMItemRef item);
void setupRepeatBetweenTypePopup(ADMItemRef item);
// The keys of the tracker's event as trackerModifiers bits.
void getCADtrackerModifers(ADMTrackerRef tracker);

void CADtrackerPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void copyOptionNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void trackerLabelNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void repeatTypePopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void ShowCADtrackerInfoNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
ASBoolean transformPositionTrackerProc(ADMItemRef item, ADMTrackerRef tracker);
ASBoolean repeatRowDirectionTrackerProc(ADMItemRef item, ADMTrackerRef tracker);
ASBoolean repeatColDirectionTrackerProc(ADMItemRef item, ADMTrackerRef tracker);
ASBoolean doEnterInFldTrackerProc(ADMItemRef item, ADMTrackerRef tracker);
ASBoolean doCADtrackerModifierTrackerProc(ADMItemRef item, ADMTrackerRef tracker);

// The tracker's member of the units and precision popups (items 65 and 67).
void SetupCADtrackerUnitsPopup(ADMDialogRef dialog);
void SetupCADtrackerPrecisionPopup(ADMDialogRef dialog);
void CADtrackerUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void CADtrackerPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
