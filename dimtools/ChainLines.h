// Section and centre lines: chain lines from the first click to the drag point (each end
// snapped to an anchor under it), their dashes laid out symmetrically about the midpoint,
// drawn into one new group made live with the current style.
#pragma once

#include "AITypes.h"

// The cutting-plane line of a section view: long and short dashes, a leg of 36 points at
// right angles at each end (on the right of the line, with ctrl on its left) with the
// style's terminator at its outer end, and the label beyond each leg, the first click's
// primed when the style asks. Shift snaps the direction to 45 degrees; the legs' places
// follow it, the dashes keep the dragged length. The style's double-thick option doubles
// every line's weight while it draws.
AIErr doSectionTool();
// A centre line: long dashes at both ends and a short one on the midpoint. Shift snaps the
// direction, to 45 degrees or, for the axonometric tool, to the view's axes, and the line
// keeps the dragged length.
AIErr doCenterLineTool();
