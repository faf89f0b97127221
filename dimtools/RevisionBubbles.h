// Revision bubbles: one closed path of outward scallops laid on an ellipse, either through
// the corners of a dragged box or around the bounds of clicked art, made live so that
// "Update Dimensions" redraws it.
#pragma once

#include <cstdint>
#include <vector>

#include "AITypes.h"
#include "core/PlotwiseSubsystem.h"

// How many scallops a bubble of half-axes a and b gets: r / divisor rounded up, r being
// the length of (a, b), but never fewer than minimum.
int16_t ScallopCount(AIReal a, AIReal b, AIReal divisor, int16_t minimum);
// The n corner anchors of the outline on the ellipse of centre c and half-axes a and b,
// from one step past angle 0 to just short of a full turn; each anchor's handles stand on
// the outer side, 30 degrees either side of the outward normal, 0.22 times the ellipse's
// speed there long (at most 25 points). An outline with no size has its handles on its
// anchors.
std::vector<AIPathSegment> ScallopOutline(AIRealPoint c, AIReal a, AIReal b, int16_t n);

// The bubble on the ellipse through the corners of the box from firstClick to endPoint,
// both snapped onto art under them, the first of a press on art kept where the press's
// click lies on it (shift: a circle of the drag's length across, on its middle). Command
// and option choose fewer or more scallops. The first error of the zoom check, the layer,
// a hit test or the path is returned.
AIErr doBubbleDragTool();
// The bubble around the bounds, grown by 5 points, of the art under firstClick, another
// dimension's part only where no other art is (while redrawing: around updateArt, whatever
// lies there now). No art under the click: the
// art-must-be-clicked alert and 'CADE'.
AIErr doBubbleTextTool();
// The redraw of a dragged bubble: as dragged, its clicks kept on the carrier path of a
// bubble dragged in empty space, which goes along into the new group.
AIErr RedrawDragBubble();

// The bubble tool's gestures: the dimension tools' steps, a press on a text kept as its
// place in the text's bounds; a drag draws the bubble on the dragged box, a click rings the
// art under it. A clicked bubble is stored as kRevisionBubbleObject and so rings that art
// where it is once redrawn; a dragged one as kRevisionBubbleDrag, redrawn as dragged: on the
// art under its press, which it follows, or in empty space on a carrier path of its own. A
// bubble takes no label letter or number.
extern const ToolFamilyRoutines kRevisionBubbleFamily;
extern const ToolRoutines kRevisionBubbleRoutines;
