// The tracker's fields of the global record: its panel and the panel's show/hide command,
// what the read-out last wrote into the Transform fields and measured of the selection, the
// pending move, the keys held at the last press in the panel, and the controls of the walk
// that transforms the selection.
#pragma once

#include "panels/PanelGlobals.h"

// trackerModifiers bits.
enum : int32_t {
    kTrackerShift = 0x1,
    kTrackerCopy = 0x2,        // Alt
    kTrackerProportion = 0x4,  // Ctrl
    kTrackerEnter = 0x80,      // the field was committed with Enter or Return
};

struct TrackerGlobals : PanelGlobals {
    ADMDialogRef CADtrackerWindow = nullptr;
    AIMenuItemHandle showCADtrackerMenuItem = nullptr;
    // The exact texts the read-out last wrote into Transform X, Y, W and H: a field whose
    // text differs from its copy was changed by the user.
    char transformXfldStr[512] = {}, transformYfldStr[512] = {}, transformWidthStr[512] = {},
         transformHeightStr[512] = {};
    // Size and area of the last measured selection, in unscaled points, as measured (the
    // area may be kMissingValue).
    double selectionWidth = 0, selectionHeight = 0, selectionArea = kMissingValue;
    // The scaler the read-out last wrote its fields at, which the actions read them back
    // at (0: nothing shown since the panel was emptied, the current scale).
    float readOutScaler = 0.0f;
    // The offset the Move button applies, kept from one move field to the next: the real one
    // typed, in points at full size.
    AIRealPoint CADtrackerMovePt{};
    // Keys of the last press or keystroke in the panel, as the bits above.
    int32_t trackerModifiers = 0;
    // The walk's controls: copies instead of the art itself (set only while a copying
    // action runs; transformCopy, which the proportion tool sets too, is the drawing tools'
    // field), and the grid of copies of the repeat action.
    int moveCopy = 0, repeatCopy = 0;
    AIReal hRepeats = 0, vRepeats = 0, hInc = 0, vInc = 0;
};
