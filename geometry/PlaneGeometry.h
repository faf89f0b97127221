// Plane geometry shared by the drawing, dimensioning, wall and annotator code: polar
// offsets, angle folding, the side of a line a point lies on, line intersections, the
// circle through three points, angle and offset snapping, and the length of a path
// between two anchors by Gauss-Legendre quadrature. Points are host points (h right,
// v up), angles radians, arithmetic in floats.
#pragma once

#include "AITypes.h"
#include "geometry/PlotwiseErrors.h"

// The smallest positive normalised float: a missing value to every caller.
constexpr AIReal kMissingValue = 1.17549435e-38f;

void AddPointLengthAngle(const AIRealPoint& point, AIReal length, AIReal angle, AIRealPoint* out);

// Brings the angle into [lo, hi] by whole turns; a non-finite angle or bound leaves it as
// it was, and a huge angle is reduced first (adding a turn no longer changes it).
void ConformAngle(AIReal& angle, AIReal lo, AIReal hi);
AIReal GetAIAngle(AIReal angle);               // into [-pi, pi]
AIReal GetAngleFromZeroToTwoPi(AIReal angle);  // into [0, 2 pi]

// +1 when q lies above (or, for a vertical line, right of) the line through p along d.
ai_int16 WhichSideOfBezier(const AIRealPoint& d, const AIRealPoint& p, const AIRealPoint& q);

// 1 when the points must be taken in another order before the circle is computed.
ai_int16 isPerpendicular(const AIRealPoint& p1, const AIRealPoint& p2, const AIRealPoint& p3);
// The circle through three points; 'CADE' with the outputs untouched when there is none
// (collinear or coincident points, or an order that isPerpendicular rejects).
AIErr get3PointCircleFromPoints(const AIRealPoint& p1, const AIRealPoint& p2, const AIRealPoint& p3,
                                AIRealPoint* centre, AIReal* radius);

// Snaps to the nearest multiple of 45 degrees, in [-pi, pi] (pi and -pi both give pi).
AIErr SetConstrainAngle(AIReal* angle);
// Snaps to the nearest of horizontal, vertical and an axonometric view's two receding
// axes at angles axisA and axisB (radians), either way along each; face 8 for horizontal
// or vertical, 0x100 for axisA (the right face), 0x80 for axisB (the left face). An axis
// that is not a finite angle is left out.
AIErr SnapToAxonometricAxes(AIReal* angle, int32_t* face, AIReal axisA, AIReal axisB);
// Snaps an offset to the nearest multiple of step (exactly half goes towards zero); a
// step of 0 or one that is not finite counts as 1.
AIErr SnapOffsetToStep(AIReal* offset, AIReal step);

// Crossing of the lines p1-p2 and q1-q2; 'NAPL' (out untouched) when parallel.
AIErr FindRealIntersectionPoint(AIRealPoint p1, AIRealPoint p2, AIRealPoint q1, AIRealPoint q2, AIRealPoint* out);
// Crossing of the infinite lines a1-a2 and b1-b2; 1 with within = 1 when it lies on both
// segments, 0 (out untouched) for parallel lines.
int FindLineSegmentIntersection(const AIRealPoint& a1, const AIRealPoint& a2, const AIRealPoint& b1,
                                const AIRealPoint& b2, AIRealPoint* out, int* within);
// The same crossing with one flag per segment (each may be null).
int FindLineSegmentIntersectionWithinSegments(const AIRealPoint& a1, const AIRealPoint& a2, const AIRealPoint& b1,
                                              const AIRealPoint& b2, AIRealPoint* out, int* onFirst, int* onSecond);
// Crossings of the line p1-p2 with the edges left, top, right, bottom of rect; the first
// goes to out1, a later one to out2. 1 when any was found.
int RectLineIntersections(const AIRealRect& rect, const AIRealPoint& p1, const AIRealPoint& p2, AIRealPoint* out1,
                          AIRealPoint* out2);

// Where p lies between p1 and p2, as the fraction that places a linear dimension's text
// along its measured direction; mode 0 horizontal, 1 horizontal chain (clamped), 2
// vertical (from the top), 3 vertical chain (clamped), 4 aligned, 5 aligned chain
// (clamped). A span of zero length gives 0.5 (or 0 or 1 when p lies beyond the points in
// a clamped mode), never a non-number; any other mode leaves fraction as it was.
void GetPointFractionalOffset(const AIRealPoint& p1, const AIRealPoint& p2, const AIRealPoint& p, int16_t mode,
                              AIReal* fraction);

// p2 moved s further along the direction p1 -> p2.
AIErr getPointAlongLine(const AIRealPoint& p1, const AIRealPoint& p2, AIReal s, AIRealPoint* out);
// a - b moved 2^-16 further from zero: never 0, safe as a divisor.
AIReal getRealDiff(AIReal a, AIReal b);

// Length of the cubic from anchor a to anchor b through a's out and b's in handle.
double cubicSegmentLength(const AIPathSegment& a, const AIPathSegment& b);
// Length along a path's segments from anchor `from` to anchor `to`; a segment index
// outside the path gives 'RANG' and leaves the missing-value marker in length.
AIErr calculatePathLength(const AIPathSegment* segments, ai_int16 count, ai_int16 from, ai_int16 to, AIReal* length);
