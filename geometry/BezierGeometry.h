// Cubic Bezier and path geometry over a path's segments: spans of a path, points and
// tangents at a parameter, curvature tests, fillet and line crossings with curves, the
// parameter at a length, and the area and perimeter of paths (areas by Green's theorem,
// lengths by the same Gauss-Legendre quadrature as the path length).
#pragma once

#include <span>
#include <vector>

#include "AITypes.h"
#include "geometry/FilledArea.h"

AIRealPoint bezierPointAt(const AIRealBezier& bez, AIReal t);

// Span n of a path: anchor n to anchor n + 1, the anchor after the last being anchor 0;
// n = -1 is the span from the last anchor to anchor 0. 'RANG' for n >= count or n < -1.
AIErr ZMKGetPathRealBezier(const AIPathSegment* segments, ai_int16 count, ai_int16 n, AIRealBezier* bez);

// The point at t and a point one unit along the tangent there. Fails ('CADE') only when
// t or a result is not finite; a span with no direction at all gives its point back.
AIErr getPointAndTangentFromBezierT(const AIRealBezier& bez, AIReal t, AIRealPoint* point, AIRealPoint* tangent);
// The tangent angle at t and the normal (tangent + pi/2).
AIErr EvaluateAnglesFromBezierT(const AIRealBezier& bez, AIReal t, AIReal* tangent, AIReal* normal);

bool BezierIsCurved(const AIRealBezier& bez);
bool SegmentIsCurved(const AIPathSegment& a, const AIPathSegment& b);
AIErr convertSegmentPointsToRealBezier(const AIPathSegment& a, const AIPathSegment& b, AIRealBezier* out);

// Crossings of two spans found by chords refined twice; pt and t describe the last one.
int GetFilletIntersection(const AIRealBezier& a, const AIRealBezier& b, AIRealPoint* pt, AIReal* t);
// Receives one crossing of two spans: the parameter on the first span and the point there.
using BezierCrossingSink = void (*)(AIReal t, AIRealPoint point);
// Every crossing of span a with span b, found by chords at a step of 0.09 refined with the
// step divided by 3, then 4, then 5, handed to `store` (the trim tool's record of cuts) in
// order along a, each crossing once.
void GetBezierIntersectionTheHardWay(const AIRealBezier* a, const AIRealBezier* b, BezierCrossingSink store);
// The infinite line through l1.p and l2.p against the span c1 -> c2: 0 with out (within
// half a point of the curve; a line passing within a point beyond the span's end also
// counts), 'NINT' when no chord crosses, 'NAPL' when the line is parallel to every chord
// (a straight span parallel to it).
AIErr GetLineSegmentIntersectionWithBezier(const AIPathSegment& l1, const AIPathSegment& l2, const AIPathSegment& c1,
                                           const AIPathSegment& c2, AIRealPoint* out);
// Length of a span between parameters 0 and t, measured to within flatness.
double bezierLengthTo(const AIRealBezier& bez, double t, double flatness);
// The parameter of the span starting at anchor seg at which its length reaches length.
AIReal TAtLength(const AIPathSegment* segments, ai_int16 count, ai_int16 seg, AIReal length);
// The same for a span, its length found to within tolerance (TAtLength: 0.1 pt) by
// halving [0, 1] at most 101 times; 0 for a span of no length.
AIReal BezierTAtLength(const AIRealBezier& bez, double length, double tolerance);

// The parameter of the span's point nearest p, and that distance when asked for.
AIReal NearestBezierT(const AIRealBezier& bez, const AIRealPoint& p, AIReal* distance = nullptr);

// Whether an offset copy of an open path runs back against it at either end: the direction
// into the copy at each of its ends against the direction into the path at the matching end
// (the copy's first anchor matching the path's first when `sameWay`). A copy deeper in than
// a curve's radius there has turned round: a half circle offset past its centre becomes
// the small half circle beyond the centre, run backwards. False for fewer than two anchors.
bool OffsetCopyRunsBack(std::span<const AIPathSegment> path, std::span<const AIPathSegment> copy, bool sameWay);

// Signed area (positive anticlockwise) enclosed by the spans from anchor first to anchor
// last and the closing span back to first (a straight chord unless closed), and the
// length of those spans (with the closing span only when closed).
AIErr calculatePathAreaAndPerimeter(const AIPathSegment* segments, ai_int16 count, ai_int16 first, ai_int16 last,
                                    bool closed, AIReal* area, AIReal* perimeter);
// Area and perimeter of a whole path: both start as the missing-value marker. The area is
// what the closed path fills by its fill rule (evenOdd, else non-zero): exact where no spans
// meet, else measured as crossingFillArea does. It stays the marker for an open path, and
// for one whose area cannot be measured or does not fit a float; so does a perimeter that
// does not fit one.
AIErr getPathAreaAndPerimeter(const AIPathSegment* segments, ai_int16 count, bool closed, AIReal* area,
                              AIReal* perimeter, bool evenOdd = false);
// The same as measured, in doubles, for what is shown: the marker (kMissingValue) only where
// there is no finite value.
AIErr getPathAreaAndPerimeter(const AIPathSegment* segments, ai_int16 count, bool closed, double* area,
                              double* perimeter, bool evenOdd = false);
// How often the contour winds anticlockwise about p (a clockwise turn counts -1).
int contourWinding(const PathContour& contour, const AIRealPoint& p);
// Each contour's share of the area a compound path of these contours fills, by the even-odd
// rule (evenOdd) or the non-zero rule: its enclosed area times the change of the fill
// across it, from the winding of the other contours about its first anchor to that winding
// with its own turn added. A hole gets a negative share, an outline inside an outline wound
// the same way (non-zero) none; for contours that neither cross nor touch, the shares add
// up to the area filled. Where contours cross or touch (contoursMeet), the area they fill
// (crossingFillArea) is shared out in proportion to the contours' boxes; when it cannot be
// measured, the shares are found as above.
std::vector<double> filledAreaShares(std::span<const PathContour> contours, bool evenOdd);
