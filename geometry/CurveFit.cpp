// Circle fits and curvature of cubic pieces. The radius of curvature is |B'|^3 / |B' x B''|:
// the cross product gives |B'|^2 |B''|^2 - (B'.B'')^2 without the cancellation of that
// difference, so a straight piece has exactly no curvature.
#include "geometry/CurveFit.h"

#include <cmath>
#include <algorithm>
#include <initializer_list>
#include <vector>

#include "geometry/BezierGeometry.h"
#include "geometry/BezierMath.h"
#include "geometry/PlotwiseErrors.h"

namespace {

using namespace bezier_math;

constexpr double kNear = 2.0;                   // the walk stops within this of the reference
constexpr int kMaxWalkSteps = 1 << 20;          // a step is about a point of arc length
constexpr double kFlat = 1e-12;                 // |B' x B''|^2 below this: no curvature
constexpr double kMinSecondDerivative = 10.0;   // |B''| at or below this: no centre
constexpr double kMaxRadius = 3.2768e8;         // a larger radius has no centre
constexpr double kArcToleranceDivisor = 24.0;   // circle test: within r0 / 24
constexpr double kSampleTolerance = 0.5;        // BezierIsCircleSegment, in points
constexpr double kSameCircle = 0.025;           // arc clicks: distances within 2.5 % of their sum
constexpr double kSameArc = 1e-3;               // pieces of one circle: within a thousandth of it
constexpr double kDrawnArc = 5e-4;              // PieceArc: an arc as the tools draw one
// Unit tangents whose cross product is this small are parallel: float control points leave
// the tangents of a half circle's ends about 1e-6 from exactly opposite.
constexpr double kParallel = 1e-5;

Vec leftOf(Vec d) { return {-d.v, d.h}; }

// Where the normals through p (across direction dp) and through q (across dq) cross; false
// when they are parallel.
bool normalsCross(Vec p, Vec dp, Vec q, Vec dq, Vec& x) {
    const Vec np = leftOf(dp), nq = leftOf(dq);
    const double d = cross(np, nq);
    if (d == 0.0) return false;
    x = p + (cross(q - p, nq) / d) * np;
    return true;
}

// The circle test: the normals at the ends cross at X, and p3 and the points at t = 0.25,
// 0.75 and 0.5 keep p0's distance r0 from X to within r0 times `share`. The normals follow
// the curve's own end tangents, so a retracted handle does not leave its normal undefined.
bool arcCircle(const Cubic& c, double share, Vec& x, double& r0) {
    Vec d0{}, d3{};
    if (!direction(c, 0.0, d0) || !direction(c, 1.0, d3) || !normalsCross(c.p[0], d0, c.p[3], d3, x)) return false;
    const double r = length(c.p[0] - x);
    const double tolerance = r * share;
    const auto onCircle = [&](Vec p) { return std::fabs(length(p - x) - r) <= tolerance; };
    if (!std::isfinite(r) || !onCircle(c.p[3])) return false;
    for (double t : {0.25, 0.75, 0.5})
        if (!onCircle(at(c, t))) return false;
    r0 = r;
    return true;
}

bool trueArcRadius(const Cubic& c, double& r0) {
    Vec x{};
    return arcCircle(c, 1.0 / kArcToleranceDivisor, x, r0);
}

// How far a piece turns: the sine of the angle between its end tangents (1 beyond a
// quarter), 0 when it has none.
double turn(const Cubic& c) {
    Vec d0{}, d3{};
    if (!direction(c, 0.0, d0) || !direction(c, 1.0, d3)) return 0.0;
    const double s = std::fabs(cross(d0, d3)) / (length(d0) * length(d3));
    return dot(d0, d3) < 0.0 ? 1.0 : s;
}

// The one circle two pieces are arcs of, to the cubic's own likeness of a circle (its anchors
// and end tangents lie on the circle exactly, its inner points up to 0.03 % off it): the
// circle of the piece that turns furthest among them and the pieces beside them, which both
// lie on. The normals of a piece of a degree or two cross far from where float anchors put
// its centre, so a short piece by an anchor of a fillet or an arc is only checked against a
// longer one.
bool sharedCircle(const Cubic& a, const Cubic& b, std::span<const AIRealBezier> beside, Vec& centre,
                  double& radius) {
    std::vector<Cubic> leads{a, b};
    for (const AIRealBezier& piece : beside) leads.push_back(cubic(piece));
    std::stable_sort(leads.begin(), leads.end(), [](const Cubic& x, const Cubic& y) { return turn(x) > turn(y); });
    for (const Cubic& lead : leads) {
        Vec x{};
        double r = 0;
        if (!arcCircle(lead, kSameArc, x, r)) continue;
        const auto onIt = [&](const Cubic& c) {
            for (double t : {0.0, 0.25, 0.5, 0.75, 1.0})
                if (!(std::fabs(length(at(c, t) - x) - r) <= kSameArc * r)) return false;
            return true;
        };
        if (!onIt(a) || !onIt(b)) continue;
        centre = x;
        radius = r;
        return true;
    }
    return false;
}

}  // namespace

bool PieceIsStraight(const AIRealBezier& piece) {
    const auto same = [](const AIRealPoint& a, const AIRealPoint& b) { return a.h == b.h && a.v == b.v; };
    if (same(piece.p1, piece.p0) && same(piece.p2, piece.p3)) return true;
    const Cubic c = cubic(piece);
    const Vec startSpeed = derivative(c, 0.0);
    const Vec bend = c.p[2] - 2.0 * c.p[1] + c.p[0];
    return dot(startSpeed, startSpeed) < 1.0 && bend.h == 0.0 && bend.v == 0.0;
}

bool PieceIsFlat(const AIRealBezier& piece, double tolerance) { return flat(cubic(piece), tolerance); }

AIReal WalkToReference(const AIRealBezier& piece, const AIRealPoint& reference) {
    const Cubic c = cubic(piece);
    const Vec q = vec(reference);
    double t = 0.0;
    const Vec startSpeed = derivative(c, 0.0);
    if (dot(startSpeed, startSpeed) < 1.0) {
        // Where a piece starting at rest has moved about a point (B''(0) / 2 is b of the power
        // form). A start beyond the piece, 1 / 0 among them, ends the walk at once.
        t = std::sqrt(1.0 / length(0.5 * secondDerivative(c, 0.0)));
    }
    // A non-finite t fails the loop test and ends the walk; a step too small to move t runs
    // into the cap.
    for (int step = 0; step < kMaxWalkSteps && t <= 1.0; ++step) {
        if (length(at(c, t) - q) < kNear) return static_cast<AIReal>(t);
        t += 1.0 / length(derivative(c, t));
    }
    return 1.0f;
}

bool FitCircleAt(const AIRealBezier& piece, AIReal t, CircleFit* fit) {
    if (fit == nullptr) return false;
    const Cubic c = cubic(piece);
    const Vec velocity = derivative(c, t);
    const Vec acceleration = secondDerivative(c, t);
    const double turn = cross(velocity, acceleration);
    if (!(turn * turn >= kFlat)) return false;
    const double speed = length(velocity);
    double r0 = 0.0;
    CircleFit out;
    out.circular = trueArcRadius(c, r0);
    const double radius = out.circular ? r0 : speed * speed * speed / std::fabs(turn);
    // The centre of curvature lies on the side the curve turns to.
    const Vec inward = (turn > 0 ? 1.0 / speed : -1.0 / speed) * leftOf(velocity);
    const Vec onCurve = at(c, t);
    out.point = point(onCurve);
    out.radius = static_cast<AIReal>(radius);
    out.towardsCentre = static_cast<AIReal>(std::atan2(inward.v, inward.h));
    out.hasCentre = length(acceleration) > kMinSecondDerivative && radius <= kMaxRadius;
    if (out.hasCentre) out.centre = point(onCurve + radius * inward);
    if (!finite(out.point) || !std::isfinite(out.radius) || !std::isfinite(out.towardsCentre) || !finite(out.centre))
        return false;
    *fit = out;
    return true;
}

int32_t GetCenter(const AIRealBezier& piece, const AIRealPoint& reference, AIRealPoint* centre, AIReal* radius) {
    if (PieceIsStraight(piece)) return 1;
    CircleFit fit;
    if (!FitCircleAt(piece, WalkToReference(piece, reference), &fit)) return 0;
    if (radius != nullptr) *radius = fit.radius;
    if (fit.hasCentre && centre != nullptr) *centre = fit.centre;
    return 0;
}

bool BezierIsCircleSegment(const AIRealBezier& piece, const AIRealPoint& centre, AIReal radius) {
    const Cubic c = cubic(piece);
    for (int i = 1; i <= 9; ++i) {
        const double off = std::fabs(length(at(c, i / 10.0) - vec(centre)) - radius);
        if (!(off <= kSampleTolerance)) return false;
    }
    return true;
}

AIErr FilletArcEnds(const AIPathSegment* segments, ai_int16 count, bool closed, ai_int16 piece,
                    const AIRealPoint& centre, AIReal radius, FilletArc* arc) {
    if (segments == nullptr || arc == nullptr) return kBadParameterErr;
    // An open path has no closing piece from its last anchor back to its first.
    const int pieces = closed ? count : count - 1;
    if (piece < 0 || piece >= pieces) return kOutOfRangeErr;
    const auto wrapped = [&](int n) { return closed ? (n % pieces + pieces) % pieces : n; };
    const auto bezierOf = [&](int n) {
        AIRealBezier bez{};
        (void)ZMKGetPathRealBezier(segments, count, static_cast<ai_int16>(n), &bez);
        return bez;
    };
    const auto onCircle = [&](int n) {
        return n >= 0 && n < pieces && BezierIsCircleSegment(bezierOf(n), centre, radius);
    };
    // Pieces taken before and after the clicked one; together never more than the path has.
    int before = 0;
    while (before + 1 < pieces && onCircle(wrapped(piece - before - 1))) ++before;
    int after = 0;
    while (before + after + 1 < pieces && onCircle(wrapped(piece + after + 1))) ++after;
    *arc = FilletArc{bezierOf(wrapped(piece - before)).p0, bezierOf(wrapped(piece + after)).p3,
                     closed && before + after + 1 == pieces};
    return kNoErr;
}

AIErr ArcCentreFromNormals(const AIRealBezier& firstPiece, AIReal t1, const AIRealBezier& secondPiece, AIReal t2,
                           ArcThroughClicks* arc, std::span<const AIRealBezier> beside) {
    if (arc == nullptr) return kBadParameterErr;
    const Cubic a = cubic(firstPiece);
    const Cubic b = cubic(secondPiece);
    Vec u1{}, u2{};
    if (!direction(a, t1, u1) || !direction(b, t2, u2)) return kNotApplicableErr;
    // The first tangent and the second one reversed: the same direction at a half circle's ends.
    u1 = (1.0 / length(u1)) * u1;
    u2 = (-1.0 / length(u2)) * u2;
    Vec q1 = at(a, t1);
    Vec q2 = at(b, t2);
    Vec centre{};
    double radius = 0;
    if (sharedCircle(a, b, beside, centre, radius)) {
        // Pieces of a drawn circle: its own centre, and the clicks on it. The normals at inner
        // points of a cubic are a little off the circle's, which moves the point where they
        // cross the more the nearer the clicks are.
        q1 = centre + (radius / length(q1 - centre)) * (q1 - centre);
        q2 = centre + (radius / length(q2 - centre)) * (q2 - centre);
    } else if (std::fabs(cross(u1, u2)) <= kParallel) {
        if (dot(u1, u2) < 0.0) return kNotApplicableErr;
        centre = 0.5 * (q1 + q2);
    } else if (!normalsCross(q1, u1, q2, u2, centre)) {
        return kNotApplicableErr;
    }
    const double d1 = length(q1 - centre);
    const double d2 = length(q2 - centre);
    if (!(d1 + d2 > 0.0) || !(std::fabs(d1 - d2) <= kSameCircle * (d1 + d2))) return kCADErr;
    const ArcThroughClicks out{point(q1), point(q2), point(centre)};
    if (!finite(out.first) || !finite(out.second) || !finite(out.centre)) return kCADErr;
    *arc = out;
    return kNoErr;
}

bool PieceArc(const AIRealBezier& piece, AIRealPoint* centre, double* radius) {
    const Cubic c = cubic(piece);
    Vec x{};
    double r = 0;
    if (!arcCircle(c, kDrawnArc, x, r)) return false;
    // A piece that turns little is held to its chord: its radius may be a great deal longer.
    const double chord = length(c.p[3] - c.p[0]);
    if (chord < r && !arcCircle(c, kDrawnArc * chord / r, x, r)) return false;
    if (!finite(point(x)) || centre == nullptr || radius == nullptr) return false;
    *centre = point(x);
    *radius = r;
    return true;
}
