// Radius and diameter dimensions of a clicked circle: a leader from the circle towards the
// drag point (or across the circle), terminators where they fit, a horizontal shelf at the
// drag point and the value with its "R" or diameter label, in one new group made live. A
// circle projected onto an axonometric face, measured with an axonometric tool, is measured
// in its flat plane and the dimension projected onto the same face.
#pragma once

#include <cstdint>

#include "AITypes.h"

// kind 1 a radius, 2 a diameter. The circle is the art under firstClick (the measured art
// itself while regenerating, resizing or dimensioning automatically), the drag point
// endPoint. Leaves the leader's outer point as an offset from the circle's centre for the
// drag record: radialDimOffsetLength (flat) or axoDimOffset (on a face, radialDimOnFace
// set) and axoDimAngle. Only a circle is measured: a closed path lying on the ellipse its
// bounds enclose, those bounds square within 3 points. Other art (an arc or any open path,
// a square, a rectangle) is refused with message 17010, which points arcs to the fillet
// radius tool; while regenerating message 17036 is shown and the dimension drawn from the
// width. Nothing under the click: the art-must-be-clicked alert and 'AWNH'.
AIErr doRadiusTool(int16_t kind);
// Whether the radius routine measures the art as it lies as a circle (above).
AIErr IsMeasuredCircle(AIArtHandle art, bool* circle);

// What the radius routine shares with the fillet and curve radius tools.
// The value, a radius (kind 1) or a diameter (kind 2), into theText; while the style's text
// format asks for a letter, number or custom text, the first click node's text instead.
// With the style's labels, "R" or the diameter sign before or after it; the node keeps the
// text without them. `error`: the value's float error, from the coordinates it was measured
// along (DistanceError).
AIErr RadialValueText(int16_t kind, double value, double error);
// theText drawn level at textLoc as textAlignment says, with a copy of the first click
// node's text record.
AIErr RadialTextArt(AIArtHandle group);
// A level shelf from p, diameterLeaderLength long, to the right or the left, and the value
// with its label 4 points beyond the shelf's end (beginning there on the right, ending
// there on the left), its middle a half text size below the shelf (on it for dual values).
AIErr RadialShelfAndText(int16_t kind, const AIRealPoint& p, bool right, double value, AIArtHandle group,
                         double error);
