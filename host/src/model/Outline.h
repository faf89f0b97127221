// The outline of a stroked path: the edge of the area its stroke paints, as closed
// contours of Bezier pieces (the expand-stroke service of the outline-stroke suite).
#pragma once

#include <vector>

#include "AITypes.h"

namespace standin::outline {

struct StrokeShape {
    double halfWidth = 0.5;
    int16_t cap = kAIButtCap;
    int16_t join = kAIMiterJoin;
    double miterLimit = 4;  // miter length over width; under 1 counts as 1
};

// Offset curves stay within this distance (points) of the true offset, or a twentieth of
// the half width when that is smaller; far from the origin, within what the drawing's
// reals resolve there (about 2e-7 of the distance).
constexpr double kTolerance = 0.01;

struct Contours {
    std::vector<std::vector<AIPathSegment>> contours;  // each closed
};

// The outline of the path `segments` (closed or open), with the order and direction the
// outline-stroke suite documents. kBadParameterErr for a path without length or a half
// width that is not positive and finite.
AIErr outlineStroke(const std::vector<AIPathSegment>& segments, bool closed, const StrokeShape& shape,
                    Contours* out);

}  // namespace standin::outline
