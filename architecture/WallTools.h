// The wall tools.
// - Add wall (`AddWallTool`): the press starts a new house, or a wall of the house it lands
//   on, from the free end of a wall (its end cap), from a corner or from a face; the drag
//   draws the wall to the cursor, shift holding it to 45 degrees, its end meeting a wall end
//   or face of the house it reaches. The tracker shows its end, direction and length, and
//   the annotator its length while `showWallInfo` is set. A click asks for length and angle
//   ("CADWall") and draws the wall from the click (`doInputWallTool`).
// - Remove wall: a click takes the wall under it away, with its doors and windows.
// - Move wall: a drag moves the wall under the press parallel to itself; the walls meeting
//   it stretch to follow, and doors and windows keep their places. A move that would leave
//   an opening where it no longer fits is not made, and the annotator says why.
// Every wall takes its thickness and datum from the wall settings (`wallThickness`, the real
// thickness, drawn at the scale of the house's layer; `wallDatum`).
#pragma once

#include "AITypes.h"

AIErr AddWallMouseDown();
AIErr doAddWallTool();
AIErr doWallDialog();
AIErr doInputWallTool(AIReal length, AIReal angle);

AIErr doRemoveWallTool();

AIErr MoveWallMouseDown();
AIErr doMoveWallTool();
AIErr MoveWallMouseUp();

// What the annotator shows of the wall tools goes.
void ForgetWallAnnotations();
// The end of a wall tool's gesture: the record of the house its drags drew is written, and
// the annotations go.
AIErr EndWallGesture();
