// The plane geometry of the grids and rulers, apart from the host: the grid lines a point
// snaps to and their crossings, the lines of a grid drawn over a rectangle (rectangular from
// the ruler origin, isometric along the view's receding axes) and the ticks of a ruler.
#pragma once

#include <cstdint>
#include <vector>

#include "AITypes.h"

// Grids and rulers count from the ruler origin, which is where art coordinates are 0.
constexpr AIRealPoint kGridOrigin{0, 0};

// The grid lines a point may snap to; increment in points, axes a and b in radians.
struct GridSnapLines {
    AIReal increment = 0;
    bool horizontal = false, vertical = false, isometric = false;
    AIReal a = 0, b = 0;
};

// The nearest point of the lattice origin + i·u + j·w (i, j whole numbers); false, with
// out untouched, when u and w are parallel or a result is not finite.
bool NearestLatticePoint(AIRealPoint p, AIRealPoint origin, AIRealPoint u, AIRealPoint w, AIRealPoint* out);
// The nearest snap of p onto the grid lines drawn from the origin: a crossing of the
// horizontal and vertical lines (or the nearest line when only one family is shown), or a
// crossing of the isometric lines; false when none lies within tolerance.
bool SnapToGridLines(const GridSnapLines& lines, AIRealPoint origin, AIReal tolerance, AIRealPoint p,
                     AIRealPoint* out);
// The point of points nearest to p, when it lies within tolerance (the first of equals).
bool NearestPointWithin(const std::vector<AIRealPoint>& points, AIRealPoint p, AIReal tolerance, AIRealPoint* out);

// Where the line through p along direction d crosses rect: the parameters s0 < s1 of
// p + s·d inside it; false when the line misses the rectangle or d is zero.
bool ClipLineToRect(AIRealPoint p, AIRealPoint d, const AIRealRect& rect, double* s0, double* s1);

// One line of a drawn grid, clipped to the rectangle; major every `subdivisions` lines
// counted from the origin.
struct GuideLine {
    AIRealPoint from, to;
    bool major;
};
// The grid's lines over rect (top > bottom): horizontal, vertical and isometric as shown,
// every increment from the origin; at most kMaxGridLines of each family.
std::vector<GuideLine> GridLinesInRect(const AIRealRect& rect, const GridSnapLines& lines, AIRealPoint origin,
                                       int32_t subdivisions);

// One tick of a ruler at `at` (a multiple of the increment from 0): kMajor every
// `subdivisions` ticks, kHalf half way between when the subdivisions are even.
struct RulerTick {
    enum Kind : int8_t { kMinor, kHalf, kMajor };
    AIReal at;
    Kind kind;
};
// The ticks from `from` to `to` (either order), every increment; at most kMaxGridLines.
std::vector<RulerTick> RulerTicks(AIReal from, AIReal to, AIReal increment, int32_t subdivisions);
