// The tangent and perpendicular line tool: a straight line starting where the click meets
// a path, along the path's tangent there or at right angles to it. A drag picks whichever
// of the four directions (tangent, normal, and their reverses) lies nearest the drag and
// makes the line as long as the drag; a click opens "PerpLine" (length, tangent or
// perpendicular, reversed or not). A press on no art is refused.
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"

// Direction codes of the typed line: the angle added to the tangent's.
enum : int32_t {
    kPerpLine = 1,          // + pi/2
    kPerpLineReversed = 2,  // + 3 pi/2
    kTanLine = 3,           // + 0
    kTanLineReversed = 4,   // + pi
};

// The drag passes (0, 0, 0); the dialog (1, code, typed length in drawn points).
AIErr doTanPerpLineTool(int16_t fromDialog, int32_t direction, AIReal length);
AIErr doInputTanPerpLineTool(int32_t direction, AIReal length);

// The press: art must be under it (otherwise the click ends with the art-must-be-clicked
// alert). The release after a click that was not refused opens "PerpLine".
AIErr TanPerpLineMouseDown();
AIErr TanPerpLineMouseUp();
AIErr doTanPerpLineToolDialog();

// "PerpLine": its radios and check box, and what its OK draws.
void initTanPerpLineChoices(ADMDialogRef dialog);
void storeTanPerpLineChoices(ADMDialogRef dialog);
AIErr BuildTanPerpLineFromDialog();
