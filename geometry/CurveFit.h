// Circles fitted to cubic pieces of paths, and the curvature of a piece at a parameter: the
// one core of the arc-length, fillet radius, curve radius and tangent line tools. Pure
// arithmetic in doubles on host points; nothing here touches a document.
//
//   PieceIsStraight       the straight test of every curvature tool: nothing to measure
//   PieceIsFlat           the arc-length tool: a straight piece drawn with float rounding
//   WalkToReference       GetCenter, and the curve radius and tangent line tools on a hit on
//                         a curve: the parameter of the clicked point
//   FitCircleAt           GetCenter, and the curve radius and tangent line tools: the circle
//                         test, the radius and centre of curvature at a parameter
//   GetCenter             the fillet radius tool: the circle the clicked piece follows
//   BezierIsCircleSegment the fillet radius tool: a piece checked against that circle
//   FilletArcEnds         the fillet radius tool: the ends of the arc the clicked piece is in
//   ArcCentreFromNormals  the arc-length tool: the centre of the arc through two clicks
//   PieceArc              the edits that cut a piece: whether it is an arc to cut as one
#pragma once

#include <cstdint>
#include <span>

#include "AITypes.h"

// Nothing to measure: both handles sit exactly on their anchors, or the piece starts at rest
// (a start handle shorter than a third of a point) with its first three control points
// evenly spaced on one line, where the walk would have no start: a piece whose handles both
// sit on its start anchor is a straight line.
bool PieceIsStraight(const AIRealBezier& piece);

// Both handles within `tolerance` of the chord: a straight piece, though a handle of a
// straight edge drawn elsewhere may sit a float's rounding off its anchor.
bool PieceIsFlat(const AIRealBezier& piece, double tolerance);

// The parameter of the first point of the piece within 2 points of `reference`, walking
// from the start in steps of about one point of arc length (t += 1 / |B'(t)|). A piece
// that starts almost without speed (|B'(0)|^2 < 1) starts at sqrt(2 / |B''(0)|). 1 when no
// point of the piece comes that near, when a value is not finite, and after 2^20 steps (a
// piece longer than 370 metres): the walk always ends.
AIReal WalkToReference(const AIRealBezier& piece, const AIRealPoint& reference);

// The circle a piece follows at parameter t.
struct CircleFit {
    bool circular = false;     // a true arc: the normals at its ends cross at a point X whose
                               // distance from p0, r0, the end and the points at t = 0.25,
                               // 0.75 and 0.5 keep to within r0 / 24
    AIRealPoint point{};       // the curve at t
    AIReal radius = 0;         // r0 for a true arc, else the radius of curvature at t
    AIReal towardsCentre = 0;  // radians: from the point towards the centre of curvature
    bool hasCentre = false;    // |B''(t)| > 10 and the radius at most 3.2768e8
    AIRealPoint centre{};      // point + radius along towardsCentre (also for a true arc,
                               // so not X itself); only when hasCentre
};
// False, with nothing written, when the piece has no curvature at t (|B' x B''|^2 < 1e-12)
// or a value is not finite.
bool FitCircleAt(const AIRealBezier& piece, AIReal t, CircleFit* fit);

// The circle a piece follows near `reference`: 1 for a straight piece (PieceIsStraight),
// nothing written; otherwise 0, with the radius written when the piece has curvature at the
// walk's parameter and the centre when the fit has one. A caller starts with neither and
// takes an output left unwritten as a piece that is not circular.
int32_t GetCenter(const AIRealBezier& piece, const AIRealPoint& reference, AIRealPoint* centre, AIReal* radius);

// Whether the points of the piece at t = 0.1, 0.2, ... 0.9 all lie within 0.5 points of the
// circle (the ends are not sampled).
bool BezierIsCircleSegment(const AIRealBezier& piece, const AIRealPoint& centre, AIReal radius);

// The arc of a path that the piece `piece` lies on: the pieces before and after it that
// BezierIsCircleSegment accepts on the same circle, each looked at once. An open path has
// count - 1 pieces and the walks stop at its ends; a closed path's walks go on across its
// first anchor, and when every piece is accepted the arc closes on itself.
struct FilletArc {
    AIRealPoint start{};       // the first anchor of the arc
    AIRealPoint end{};         // the last; the same anchor as start for a whole circle
    bool wholeCircle = false;
};
// 'PARM' without segments or output, 'RANG' for a piece the path does not have.
AIErr FilletArcEnds(const AIPathSegment* segments, ai_int16 count, bool closed, ai_int16 piece,
                    const AIRealPoint& centre, AIReal radius, FilletArc* arc);

// The centre of the arc through the point at t1 of one piece and the point at t2 of another:
// where the normals there cross, or the two points' midpoint when the tangents are opposite
// (the ends of a half circle). Normals are directions, so no construction length matters.
// When both pieces are arcs of one circle (the end normals of the one that turns furthest,
// of them and the pieces `beside` them, cross at a point which the ends and inner points of
// both keep one distance from to within a thousandth), that circle's centre, and the two
// points moved onto it along its radii.
struct ArcThroughClicks {
    AIRealPoint first{};   // the point at t1
    AIRealPoint second{};  // the point at t2
    AIRealPoint centre{};
};
// 0 with everything written; 'NAPL' when there is no centre (parallel normals with the
// tangents pointing the same way, as on one straight piece); 'CADE' when the points are not
// on one circle about it (their distances from it differ by more than 2.5 % of their sum).
// Nothing is written on an error.
AIErr ArcCentreFromNormals(const AIRealBezier& firstPiece, AIReal t1, const AIRealBezier& secondPiece, AIReal t2,
                           ArcThroughClicks* arc, std::span<const AIRealBezier> beside = {});

// The circle a piece is an arc of, as the arc and circle tools draw one: its end normals
// cross at a centre that its end and its points at t = 0.25, 0.5 and 0.75 keep the start's
// distance from, to within 1/2000 of that radius or of the chord, the smaller (a quarter
// drawn with the tools' handle keeps to 1/3700). False, with nothing written, for any other.
bool PieceArc(const AIRealBezier& piece, AIRealPoint* centre, double* radius);
