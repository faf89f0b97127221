// Angle dimensions: the art of a dimension arc (witness lines along the two rays, the arc
// in pieces of at most 90 degrees with a terminator at each end, and the value text beside
// it), and the angle tool that finds the two lines under its clicks and measures the
// sector its drag points into.
#pragma once

#include <cstdint>

#include "AITypes.h"

// Draws into `art` (null: above firstArt) the dimension arc about `centre` turning
// counter-clockwise from the ray through `first` to the ray through `second`, at the
// distance of `radiusPoint` from the centre. Kind 1 shows the angle in degrees (beside the
// drag direction while the style slides text and ctrl is up, else in the middle); kind 0
// shows the length of the measured arc (the first point's distance from the centre) in the
// style's units. Option leaves the witness lines out. The group carries the current style
// before anything is drawn; a drawing error is returned at once with what was drawn left.
constexpr int16_t kArcLengthKind = 0, kAngleKind = 1;
AIErr constructDimensionedArcSegment(AIRealPoint centre, AIRealPoint first, AIRealPoint second,
                                     AIRealPoint radiusPoint, int16_t kind, AIArtHandle art);

// The angle tool's drag (and the redraw of a stored angle): the lines of the segments under
// the two clicks, their crossing as the vertex, the sector chosen by the drag point (ctrl:
// the other one), drawn into a new group made live. Returns 0 without drawing until both
// clicks are made; 'CADE' after the art-must-be-clicked alert or, for parallel lines,
// message 17003; a drawing error as it came, with the unfinished group removed.
AIErr doAutoAngleTool();
