// The arc builder of the drawing tools and of the dimension tools that draw arcs: a new open
// path of the circular arc about a centre from a first point, turning towards increasing
// angles to the ray through a second point (pieces as geometry/ArcGeometry.h makes them).
// While an arc tool is the current tool it also shows the arc's measures in the tracker.
#pragma once

#include "AITypes.h"
#include "core/PlotwiseSubsystem.h"

// The tracker captions of the arc tools' family (radius and arc length, list 17400), which
// name the measures the arc read-out fills: the read-out goes to the tracker while the
// current tool's family shows them.
constexpr TrackerCaptions kArcTrackerCaptions{TrackerCaptions::kRadius, TrackerCaptions::kArcLength};

// The path goes inside `group` on top, or with `firstArt` when there is no group (inside it
// on top when it is a group, else above it). Without
// a style it keeps the paint the host gives new art and shows its centre point; with one
// (the dimension line style of a dimension) it takes that style and hides its centre point.
// The tracker, while an arc tool is current and the arc is not a dimension's, is told the
// second point, the arc's bounds (width and height, twice), the sweep in degrees, the
// radius, the arc length and the sector's area. Host errors (the bounds' among them) are
// returned as they come; what was drawn stays.
AIErr constructArcSegment(AIRealPoint centre, AIRealPoint from, AIRealPoint to, AIArtHandle group,
                          const AIPathStyle* style = nullptr);
