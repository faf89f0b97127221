// The geometry of dimensions drawn at any angle.
#include "dimtools/AlignedLine.h"

#include <cmath>

#include "core/PlotwiseSuites.h"
#include "dimtools/DimToolGlobals.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kTowardsTolerance = 1.0f;
constexpr double kRounding = 1e-3;  // points this near lie together

// How far `to` lies on from `from` along `axis` (negative: behind), in doubles.
double Projection(const AIRealPoint& from, const AIRealPoint& to, AIReal axis) {
    const double c = std::cos(static_cast<double>(axis)), s = std::sin(static_cast<double>(axis));
    return c * (static_cast<double>(to.h) - from.h) + s * (static_cast<double>(to.v) - from.v);
}

}  // namespace

AIReal WayAlong(const AIRealPoint& from, const AIRealPoint& to, AIReal axis) {
    return Projection(from, to, axis) < -kRounding ? GetAIAngle(axis + kPi) : axis;
}

bool SameDirection(AIReal a, AIReal b, AIReal tolerance) {
    return sAIRealMath->EqualWithinTol(GetAIAngle(a - b), 0.0f, tolerance) != 0;
}

bool Foot(const AIRealPoint& p, AIReal angle, const AIRealPoint& l1, const AIRealPoint& l2, AIRealPoint* foot) {
    const AIRealPoint reach = PointAlong(p, kFootReach, angle);
    int within = 0;
    return FindLineSegmentIntersection(p, reach, l1, l2, foot, &within) != 0;
}

AIReal SquareTowards(AIReal a, const AIRealPoint& foot, const AIRealPoint& point) {
    return GetAIAngle(Projection(foot, point, a + kHalfPi) > 0 ? a + kHalfPi : a - kHalfPi);
}

double DistanceAlong(const AIRealPoint& from, const AIRealPoint& to, AIReal a) {
    return std::fabs(Projection(from, to, a));
}

double DistanceAlongError(const AIRealPoint& from, const AIRealPoint& to, AIReal a) {
    const double angle = a;
    return LengthError(HeldError(from), HeldError(to), std::cos(angle), std::sin(angle));
}

AIReal Upright(AIReal a) {
    if (a < -kHalfPi) return a + kPi;
    return a < kHalfPi ? a : a - kPi;
}

AIRealPoint NearerCut(const AIRealRect& box, const AIRealPoint& from, const AIRealPoint& through,
                      const AIRealPoint& start) {
    AIRealPoint c1 = start, c2 = start;
    RectLineIntersections(box, from, through, &c1, &c2);
    return Distance(from, c1) <= Distance(from, c2) ? c1 : c2;
}

bool CutAtText(const AIRealRect& box, const AIRealPoint& end, const AIRealPoint& other, AIReal a,
               const AIRealPoint& start, AIRealPoint* cut) {
    const bool covered = box.left <= end.h && end.h <= box.right && box.bottom <= end.v && end.v <= box.top;
    if (covered) return false;
    *cut = NearerCut(box, end, PointAlong(end, kFootReach, a), start);
    return SameDirection(Angle(end, *cut), WayAlong(end, other, a), kTowardsTolerance);
}

AIErr DiscardDimensionGroup() {
    AIArtHandle group = g->group;
    g->group = nullptr;
    return group ? sAIArt->DisposeArt(group) : kNoErr;
}
