// Circular arcs as cubic Bezier anchors: an arc about a centre from a first point, turning
// towards increasing angles to the ray through a second point, split at every multiple of
// 90 degrees of direction, and the handle length of each piece. Angles in degrees,
// counter-clockwise from the positive horizontal axis.
#pragma once

#include <span>
#include <vector>

#include "AITypes.h"

// The handle length of a piece of an arc of the radius spanning `degrees` (0 to 90). A
// whole quarter has radius x 2 / 3.6213737826, the handle of the drawing tools' circles; a
// shorter piece has the exact (4/3) tan(degrees / 4) x radius, which keeps it on its circle
// (a handle growing linearly with the sweep bulges a 60-degree piece by 0.4 % of the
// radius, enough for the fillet-radius tool to refuse the arc as not circular).
double ArcHandleLength(double radius, double degrees);

struct ArcShape {
    double startDegrees = 0;  // direction of the first point from the centre, in [0, 360)
    double sweepDegrees = 0;  // in [0, 360)
    double radius = 0;        // distance of the first point from the centre
};

// The anchors of the arc about `centre` that starts at `from` (whose distance from the
// centre is the radius) and ends on the ray through `to`: smooth anchors at the start, at
// each multiple of 90 degrees passed and at the end, with the end anchors' outer handles on
// their points. A `to` on the ray through `from` gives no sweep: two anchors at `from`.
// 'CADE' (nothing written) when a point is not finite.
AIErr ArcAnchors(AIRealPoint centre, AIRealPoint from, AIRealPoint to, std::vector<AIPathSegment>* anchors,
                 ArcShape* shape);

// Cuts the arc drawn by the piece from a to b, about `centre` at `radius` (CurveFit's
// PieceArc), at the increasing parameters ts (inside 0 to 1) of the piece: each cut lies
// on the circle in the direction of the piece's point there, and every new piece is an arc
// of that circle, its handles ArcHandleLength long and square to the radii, so the pieces
// read the arc's radius and length as the whole did. a's out-handle and b's in-handle are
// set; the anchors of the cuts are given back in order.
std::vector<AIPathSegment> SplitArc(AIPathSegment& a, AIPathSegment& b, AIRealPoint centre, double radius,
                                    std::span<const double> ts);
