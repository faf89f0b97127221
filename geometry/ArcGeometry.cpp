// Arc pieces about a centre. The arithmetic is in doubles; the anchors are host floats.
#include "geometry/ArcGeometry.h"

#include <algorithm>
#include <cmath>

#include "geometry/BezierGeometry.h"
#include "geometry/CurveConstants.h"
#include "geometry/PlotwiseErrors.h"
#include "geometry/PointMath.h"

namespace {

// Directions closer than this (degrees) to a multiple of 90 count as on it: no sliver piece.
constexpr double kSameDirection = 1e-6;
// Nor is a piece shorter than this (points) cut off at a multiple of 90: an end a float's
// rounding past one would otherwise give a piece of no length.
constexpr double kSliverLength = 1e-2;

// Direction of p from c in degrees, in [0, 360).
double DirectionDegrees(const AIRealPoint& c, const AIRealPoint& p) {
    double d = RadiansToDegrees<double>(Angle<double>(c, p));
    if (d < 0) d += 360.0;
    if (d >= 360.0) d -= 360.0;
    return d;
}

bool Finite(const AIRealPoint& p) { return std::isfinite(p.h) && std::isfinite(p.v); }

}  // namespace

double ArcHandleLength(double radius, double degrees) {
    if (!(degrees > 0)) return 0.0;
    if (degrees >= 90.0 - kSameDirection) return QuarterCircleHandle(2.0 * radius);
    return 4.0 / 3.0 * std::tan(DegreesToRadians<double>(degrees) / 4.0) * radius;
}

AIErr ArcAnchors(AIRealPoint centre, AIRealPoint from, AIRealPoint to, std::vector<AIPathSegment>* anchors,
                 ArcShape* shape) {
    if (!anchors || !Finite(centre) || !Finite(from) || !Finite(to)) return kCADErr;
    const double start = DirectionDegrees(centre, from);
    double end = DirectionDegrees(centre, to);
    if (end < start) end += 360.0;
    const double radius = Distance<double>(centre, from);
    if (!std::isfinite(radius)) return kCADErr;

    // The directions of the anchors: the start, every multiple of 90 passed, the end. An
    // arc within one quarter band ([0, 90], [90, 180], ...) is a single piece.
    const double sliver = radius > 0 ? std::max(kSameDirection, RadiansToDegrees<double>(kSliverLength / radius))
                                     : kSameDirection;
    std::vector<double> directions{start};
    double quarter = (std::floor(start / 90.0) + 1.0) * 90.0;
    if (quarter - start < sliver) quarter += 90.0;
    for (double m = quarter; m < end - sliver; m += 90.0) directions.push_back(m);
    directions.push_back(end);

    const size_t n = directions.size();
    std::vector<double> handles(n - 1);
    for (size_t i = 0; i + 1 < n; ++i) handles[i] = ArcHandleLength(radius, directions[i + 1] - directions[i]);

    anchors->assign(n, AIPathSegment{});
    for (size_t i = 0; i < n; ++i) {
        const double phi = directions[i];
        const AIRealPoint p = i == 0 ? from : PointAtDegrees<double>(centre, radius, phi);
        const double in = i == 0 ? 0.0 : handles[i - 1];
        const double out = i + 1 == n ? 0.0 : handles[i];
        (*anchors)[i] =
            SmoothAnchor(p, PointAtDegrees<double>(p, in, phi - 90.0), PointAtDegrees<double>(p, out, phi + 90.0));
    }
    if (shape) *shape = ArcShape{start, end - start, radius};
    return kNoErr;
}

std::vector<AIPathSegment> SplitArc(AIPathSegment& a, AIPathSegment& b, AIRealPoint centre, double radius,
                                    std::span<const double> ts) {
    const AIRealBezier piece{a.p, a.out, b.in, b.p};
    const double start = DirectionDegrees(centre, a.p);
    // The way the arc turns: its chord leaves the start to the left of the radius there.
    const double cross = (double(a.p.h) - centre.h) * (double(b.p.v) - a.p.v) -
                         (double(a.p.v) - centre.v) * (double(b.p.h) - a.p.h);
    const double way = cross >= 0 ? 1.0 : -1.0;
    // How far round from the start, the way it turns, each cut and the end lie.
    const auto turned = [&](const AIRealPoint& p) {
        const double d = way * (DirectionDegrees(centre, p) - start);
        return d < 0 ? d + 360.0 : d;
    };
    std::vector<double> at{0.0};
    for (double t : ts) at.push_back(turned(bezierPointAt(piece, static_cast<AIReal>(t))));
    at.push_back(turned(b.p));
    const auto onCircle = [&](double d) { return PointAtDegrees<double>(centre, radius, start + way * d); };
    // The handle along the arc's way at `d`, `length` long, forwards or back.
    const auto handle = [&](const AIRealPoint& p, double d, double length) {
        return PointAtDegrees<double>(p, length, start + way * d + way * 90.0);
    };
    std::vector<AIPathSegment> cuts;
    for (size_t i = 1; i + 1 < at.size(); ++i) {
        const AIRealPoint p = onCircle(at[i]);
        cuts.push_back(SmoothAnchor(p, handle(p, at[i], -ArcHandleLength(radius, at[i] - at[i - 1])),
                                    handle(p, at[i], ArcHandleLength(radius, at[i + 1] - at[i]))));
    }
    a.out = handle(a.p, 0.0, ArcHandleLength(radius, at[1]));
    b.in = handle(b.p, at.back(), -ArcHandleLength(radius, at.back() - at[at.size() - 2]));
    return cuts;
}
