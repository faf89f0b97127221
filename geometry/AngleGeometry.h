// The arithmetic of angle dimensions: which of the sectors between two rays a drag
// chooses, where the value text stands along the dimension arc, and the value text of an
// angle in degrees.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AITypes.h"

// Whether the counter-clockwise sweep of an angle dimension runs from the ray at a1 to the
// ray at a2 (true) or from a2 to a1, so that it contains the drag direction aDrag (all in
// radians as the host's point angle gives them, in (-pi, pi]); a drag exactly on a ray
// counts as outside. otherSector (ctrl) measures the rest of the turn instead.
bool AngleSweepStartsAtFirst(AIReal a1, AIReal a2, AIReal aDrag, bool otherSector);

// The fraction of a sweep of sweepDegrees from startDegrees at which the drag direction
// (degrees as the host gives them, in (-180, 180]) stands, not brought into the sweep's
// turn: the text goes back onto the drag's ray wherever that lies. A sweep of 0 gives the
// middle, never a non-number.
AIReal AngleTextSlide(AIReal dragDegrees, AIReal startDegrees, AIReal sweepDegrees);

// The counter-clockwise sweep about the centre from the ray through `from` to the ray
// through `to`, in degrees from 0 to 360, worked in doubles from the points as the host keeps
// them (so 5 places shown are right): 0 when either point is the centre.
double SweepDegrees(const AIRealPoint& centre, const AIRealPoint& from, const AIRealPoint& to);

// The crossing of the line through a1 and b1 with the line through a2 and b2, worked in
// doubles from the points as the host keeps them; false for parallel lines.
struct ExactPoint {
    double h = 0, v = 0;
};
bool CrossingOfLines(const AIRealPoint& a1, const AIRealPoint& b1, const AIRealPoint& a2, const AIRealPoint& b2,
                     ExactPoint* crossing);

// One side of an angle between two lines: the line through a and b, and a point on the ray
// that leaves the lines' crossing towards it.
struct AngleRay {
    AIRealPoint a{}, b{}, toward{};
};
// The counter-clockwise sweep from one ray to the other about their crossing, in degrees
// from 0 to 360, each ray taken along its line's own direction (its two points, which the
// host keeps exactly; a point on the line rounded to floats would turn it) towards its
// point: so 5 places shown are right. 0 for parallel lines.
double SweepBetweenRays(const AngleRay& from, const AngleRay& to);

// The value text of an angle: degrees with as many decimals as the style's precision for
// its units (the fractional precision for fractional-inch units, 0 to 8, above 5 taken as
// 5; the decimal precision otherwise, 0 to 5), never scaled or given unit words; the
// degree sign after it when asked. Precisions outside the tables are brought into them.
// Always terminated within outSize.
void AngleValueText(double degrees, int32_t units, int32_t decimalPrecision, int32_t fractionalPrecision,
                    const char* degreeSign, char* out, std::size_t outSize);
