// Plane geometry the model needs: cubic Bezier pieces (evaluation, derivative, split,
// exact bounds from the derivative's roots, length, nearest point), path pieces, signed
// area, fill winding, the anchors of rectangles and ellipses, and matrices. Computed in
// double and handed back as float.
#pragma once

#include <vector>

#include "AITypes.h"

namespace standin::geom {

struct Pt {
    double x = 0, y = 0;
};

struct Cubic {
    Pt p0, p1, p2, p3;
};

Pt toPt(AIRealPoint p);
AIRealPoint toReal(Pt p);
Cubic toCubic(const AIRealBezier& b);
AIRealBezier toBezier(const Cubic& c);

Pt evaluate(const Cubic& c, double t);
Pt derivative(const Cubic& c, double t);
void split(const Cubic& c, double t, Cubic* first, Cubic* second);
// Exact bounds of the curve: its ends and the extremes where a derivative component is 0.
void bounds(const Cubic& c, double* minX, double* minY, double* maxX, double* maxY);
double length(const Cubic& c, double flatness);
// Nearest point of the curve to p: parameter and distance.
double nearest(const Cubic& c, Pt p, double* t);
bool isStraight(const Cubic& c);

// The pieces of a path: piece i runs from anchor i to i + 1; a closed path adds the
// closing piece from the last anchor to the first.
std::vector<Cubic> pieces(const std::vector<AIPathSegment>& segs, bool closed);
Cubic piece(const std::vector<AIPathSegment>& segs, size_t from, size_t to);
// Signed area (counter-clockwise positive) of the path as if closed.
double area(const std::vector<AIPathSegment>& segs);
// Winding number of p around the closed outline of the segments.
int winding(const std::vector<AIPathSegment>& segs, Pt p);

// The anchors of the host's own shapes, from their box: a corner anchor (both handles on
// it), the rectangle's four corners clockwise from the top left, and the ellipse's four
// smooth anchors clockwise from the top, with handles of kKappa of each half-axis.
constexpr AIReal kKappa = 0.5522847498f;
AIPathSegment cornerAnchor(AIRealPoint p);
std::vector<AIPathSegment> rectAnchors(AIReal top, AIReal left, AIReal bottom, AIReal right);
std::vector<AIPathSegment> ovalAnchors(AIReal top, AIReal left, AIReal bottom, AIReal right);

AIRealPoint transform(const AIRealMatrix& m, AIRealPoint p);
void transform(const AIRealMatrix& m, std::vector<AIPathSegment>& segs);  // every anchor and handle
AIRealMatrix concat(const AIRealMatrix& a, const AIRealMatrix& b);  // a, then b
bool invert(const AIRealMatrix& m, AIRealMatrix* inverse);

}  // namespace standin::geom
