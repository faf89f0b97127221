// What outlines fill where they cross or touch: whether any two spans of a path's contours
// meet, and the area the contours fill by the even-odd or the non-zero rule, measured on a
// fine polygon of the curves by a polygon clipper. Where nothing meets, the exact areas of
// BezierGeometry.h hold and these are not needed.
#pragma once

#include <optional>
#include <span>

#include "AITypes.h"

// One contour of a path or compound path: its anchors, and whether it is closed (an open
// one is filled as if its chord closed it).
struct PathContour {
    const AIPathSegment* segments = nullptr;
    ai_int16 count = 0;
    bool closed = false;
};

// Share of the figure's size (its width or height, the larger) within which curves are
// taken for their chords: spans that pass closer than this may count as meeting, and the
// polygon the area is measured on lies this close to the curves.
inline constexpr double kFillFlatness = 1e-8;

// Whether any spans of the contours cross, touch or run along one another (a span's
// neighbours only at the anchor they share), or a span crosses itself. Boxes swept across
// the figure find the pairs worth a look; curves are halved only where boxes overlap, so a
// figure whose spans lie apart costs about n log n. A coordinate that is not finite counts
// as meeting (nothing about such a figure is known).
bool contoursMeet(std::span<const PathContour> contours);

// The area the contours fill by the even-odd rule (evenOdd) or the non-zero rule. Curves
// are flattened to within kFillFlatness of the figure's size and the polygon rounded to a
// grid of 10^9 steps across the figure, so for a round figure the area is off by a few
// parts in 10^8, about the precision of the float that carries it to the panels; a figure
// whose curves would need more than 200,000 points is flattened more coarsely, which keeps
// a scribble of hundreds of crossing curves to about a second. Nothing when a coordinate is
// not finite or the clipper refuses the polygon.
std::optional<double> crossingFillArea(std::span<const PathContour> contours, bool evenOdd);
