// The measures of radius, diameter and centre-mark dimensions, taken from the stroke-less
// bounds of the measured art: whether the art counts as a circle, whether a terminator fits
// inside the radius, the pieces of a centre mark's crosshair, and how far from a centre
// cross a value stands. Pure arithmetic in floats.
#pragma once

#include <cstdint>
#include <vector>

#include "AITypes.h"

// Art counts as a circle when its height lies within 3 points of its width (both ends
// included): a square does too.
bool BoundsAreCircular(AIReal width, AIReal height);

// Arrowheads and dots (terminator styles 1, 2, 5, 6 and 7) are drawn only when twice their
// length is less than the radius; slashes and the other styles always are.
bool RadialTerminatorFits(int32_t arrowheadStyle, AIReal arrowheadLength, AIReal radius);

// One straight piece of a centre mark.
struct CenterMarkPiece {
    AIRealPoint from, to;
};

// The crosshair of a centre mark over art with these bounds (top above bottom): the
// bounds grown by 9 points, then per arm (the vertical arm first, from the top down, then
// the horizontal arm from the left) the outer line, two half-crosses meeting at the centre
// and the other outer line. An arm longer than 72 points has a cross of 9 each way and
// gaps to 18; a shorter one a cross of a sixth and gaps to a third of the art's own
// extent. crossOnly leaves the outer lines out.
std::vector<CenterMarkPiece> CenterMarkPieces(const AIRealRect& bounds, bool crossOnly);

// A level text placed beyond a centre cross of arms `arm` long, its anchor `wanted` from
// the centre in the direction `angle` (radians): the text begins at its anchor when the
// direction points right and ends there otherwise, and its ink reaches `ascent` above the
// baseline and `descent` below. The distance along that direction at which the text stands
// at least `gap` clear of both arms: `wanted`, or further out when the text would come
// nearer.
AIReal TextDistanceBeyondCross(AIReal wanted, AIReal angle, AIReal arm, AIReal ascent, AIReal descent, AIReal gap);
