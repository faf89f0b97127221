// The arc-length dimension: two clicks on a circular arc of one path and a drag that sets
// the dimension arc's radius; the length of the arc between the clicks is measured about
// the centre where the curve's normals at the two points cross.
#pragma once

#include "AITypes.h"

// The arc-length tool's drag, and the redraw of a stored arc length. Returns 0 without
// drawing until both clicks are made. A click within 2 points of an end of its piece
// measures from that anchor. The arc runs counter-clockwise from the first click to the
// second (ctrl: from the second to the first), drawn as the angle tool draws its arc with
// the length for text, into a new group made live. Refusals (each 'CADE', nothing left
// behind): nothing of a path under a click, the art-must-be-clicked alert; the second
// click on another path, message 17009; no centre, or the two points more than 2.5 % of
// their sum apart in distance from it, message 17011. A drawing error is returned with the
// unfinished group removed.
AIErr doArcLengthTool();
