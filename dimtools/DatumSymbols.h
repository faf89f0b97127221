// The datum symbols of geometric tolerancing, each pressed on the art and dragged to where
// the symbol goes: the datum flag, the datum feature symbol and the datum target.
#pragma once

#include "AITypes.h"

// The datum flag: a plain leg from the press to the knee, continued by a flag textSize +
// textLeading + border deep that reaches the width of its text ("- A -"; a custom text
// alone) plus the border to the right of the leg (ctrl: to the left), the text across it
// and never upside down.
AIErr doDatumTool();
// The datum feature symbol: a filled equilateral triangle textSize high standing on the
// press (apex along the leg), an elbow leader to the level shelf and the label text in a
// box; the side is the drag's (ctrl: the other).
AIErr doDatumFeatureTool();
// The datum target: a leader of the style's kind with its terminator at the press, always
// with the shelf, and a split circle showing the two texts of the press ("1" above, "A"
// below until edited); its stored style says custom texts.
AIErr doDatumTargetTool();
// Each routine draws from scratch into a new group made live (each drag, and the redraw of
// a stored symbol); the press and drag points snap onto anchors and curves under them, and
// shift snaps the leg to 45 degrees keeping its length. The first error of the zoom check,
// the layer, a hit test or a part drawn is returned; what was drawn stays for the next
// drag's undo.
