// Plane geometry in host points and float radians. The angle folds keep their strict
// whole-turn loops for ordinary angles; a non-finite angle is returned as it is and a huge
// one is reduced first, where adding a turn would no longer change the float.
#include "geometry/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

#include "geometry/BezierMath.h"
#include "geometry/PointMath.h"

namespace {

constexpr float kCircleTol = 0.0001f;
constexpr int kMaxTurnSteps = 1 << 12;

bool within(float value, float tol) { return std::fabs(value) <= tol; }
bool finitePoint(const AIRealPoint& p) { return std::isfinite(p.h) && std::isfinite(p.v); }

// The crossing of the infinite lines, as a fraction along a1-a2; false when parallel.
bool lineCrossing(const AIRealPoint& a1, const AIRealPoint& a2, const AIRealPoint& b1, const AIRealPoint& b2,
                  AIRealPoint& out) {
    const float det = (a2.h - a1.h) * (b2.v - b1.v) - (a2.v - a1.v) * (b2.h - b1.h);
    if (within(det, 0.01f)) return false;
    const float t = ((b1.h - a1.h) * (b2.v - b1.v) - (b1.v - a1.v) * (b2.h - b1.h)) / det;
    const AIRealPoint x{a1.h + t * (a2.h - a1.h), a1.v + t * (a2.v - a1.v)};
    if (!finitePoint(x)) return false;
    out = x;
    return true;
}

bool onSegment(const AIRealPoint& e1, const AIRealPoint& e2, const AIRealPoint& x) {
    const float excess = Distance(e1, x) + Distance(e2, x) - Distance(e1, e2);
    return excess >= -0.001f && excess <= 1.001f;
}

}  // namespace

void AddPointLengthAngle(const AIRealPoint& point, AIReal length, AIReal angle, AIRealPoint* out) {
    if (out == nullptr) return;
    *out = PointAlong(point, length, angle);
}

void ConformAngle(AIReal& angle, AIReal lo, AIReal hi) {
    if (!std::isfinite(angle) || !std::isfinite(lo) || !std::isfinite(hi)) return;
    if (angle < lo - 64 * kTwoPi || angle > hi + 64 * kTwoPi) {
        angle = static_cast<float>(std::fmod(static_cast<double>(angle) - lo, static_cast<double>(kTwoPi)) + lo);
    }
    for (int i = 0; angle < lo && i < kMaxTurnSteps; ++i) angle = angle + kTwoPi;
    for (int i = 0; angle > hi && i < kMaxTurnSteps; ++i) angle = angle - kTwoPi;
}

AIReal GetAIAngle(AIReal angle) {
    ConformAngle(angle, -kPi, kPi);
    return angle;
}

AIReal GetAngleFromZeroToTwoPi(AIReal angle) {
    ConformAngle(angle, 0.0f, kTwoPi);
    return angle;
}

ai_int16 WhichSideOfBezier(const AIRealPoint& d, const AIRealPoint& p, const AIRealPoint& q) {
    if (within(d.h, 0.01f)) return q.h > p.h ? 1 : -1;
    const float m = d.v / d.h;
    const float bp = p.v - m * p.h;
    const float bq = q.v - m * q.h;
    return bq > bp ? 1 : -1;
}

ai_int16 isPerpendicular(const AIRealPoint& p1, const AIRealPoint& p2, const AIRealPoint& p3) {
    if (within(p2.h - p1.h, kCircleTol) && within(p3.v - p2.v, kCircleTol)) return 0;
    if (within(p2.v - p1.v, kCircleTol) || within(p3.v - p2.v, kCircleTol) || within(p2.h - p1.h, kCircleTol) ||
        within(p3.h - p2.h, kCircleTol)) {
        return 1;
    }
    return 0;
}

AIErr get3PointCircleFromPoints(const AIRealPoint& p1, const AIRealPoint& p2, const AIRealPoint& p3,
                                AIRealPoint* centre, AIReal* radius) {
    if (centre == nullptr || radius == nullptr) return kCADErr;
    if (!finitePoint(p1) || !finitePoint(p2) || !finitePoint(p3)) return kCADErr;
    const auto same = [](const AIRealPoint& a, const AIRealPoint& b) {
        return within(a.h - b.h, kCircleTol) && within(a.v - b.v, kCircleTol);
    };
    if (same(p1, p2) || same(p2, p3) || same(p1, p3)) return kCADErr;

    AIRealPoint c{};
    if (within(p2.h - p1.h, kCircleTol) && within(p3.v - p2.v, kCircleTol)) {
        c = AIRealPoint{(p2.h + p3.h) / 2, (p1.v + p2.v) / 2};
    } else {
        // The general formula divides by both chords' runs and by ma.
        if (within(p2.h - p1.h, kCircleTol) || within(p3.h - p2.h, kCircleTol)) return kCADErr;
        const float ma = (p2.v - p1.v) / (p2.h - p1.h);
        const float mb = (p3.v - p2.v) / (p3.h - p2.h);
        if (within(ma - mb, kCircleTol) || within(ma, kCircleTol)) return kCADErr;
        c.h = (ma * mb * (p1.v - p3.v) + mb * (p1.h + p2.h) - ma * (p2.h + p3.h)) / (2 * (mb - ma));
        c.v = -(c.h - (p1.h + p2.h) / 2) / ma + (p1.v + p2.v) / 2;
    }
    const float r = Distance(c, p1);
    if (!finitePoint(c) || !std::isfinite(r)) return kCADErr;
    *centre = c;
    *radius = r;
    return kNoErr;
}

AIErr SetConstrainAngle(AIReal* angle) {
    if (angle == nullptr || !std::isfinite(*angle)) return kNoErr;
    const float a = GetAIAngle(*angle);
    constexpr float kStep = kPi / 4;
    float snapped = std::round(a / kStep) * kStep;
    if (snapped <= -kPi + 0.001f || snapped >= kPi - 0.001f) snapped = kPi;
    *angle = snapped;
    return kNoErr;
}

AIErr SnapToAxonometricAxes(AIReal* angle, int32_t* face, AIReal axisA, AIReal axisB) {
    if (angle == nullptr || !std::isfinite(*angle)) return kNoErr;
    constexpr int32_t kFlatFace = 8, kRightFace = 0x100, kLeftFace = 0x80;
    struct Direction {
        float angle;
        int32_t face;
    };
    const float a = axisA;
    const float b = axisB;
    const Direction directions[] = {{0.0f, kFlatFace},  {kPi / 2, kFlatFace}, {kPi, kFlatFace},
                                    {-kPi / 2, kFlatFace}, {a, kRightFace},     {a + kPi, kRightFace},
                                    {b, kLeftFace},     {b + kPi, kLeftFace}};
    const float current = GetAIAngle(*angle);
    const Direction* best = nullptr;
    float bestDistance = 0.0f;
    for (const Direction& d : directions) {
        if (!std::isfinite(d.angle)) continue;
        const float distance = std::fabs(GetAIAngle(current - d.angle));
        if (best == nullptr || distance < bestDistance) {
            best = &d;
            bestDistance = distance;
        }
    }
    *angle = GetAIAngle(best->angle);
    if (face != nullptr) *face = best->face;
    return kNoErr;
}

AIErr SnapOffsetToStep(AIReal* offset, AIReal step) {
    if (offset == nullptr || !std::isfinite(*offset)) return kNoErr;
    if (step == 0.0f || !std::isfinite(step)) step = 1.0f;
    step = std::fabs(step);
    const float n = *offset / step;
    float whole = std::trunc(n);
    if (std::fabs(n - whole) > 0.5f) whole += n < 0 ? -1.0f : 1.0f;  // exactly half goes towards zero
    *offset = whole * step;
    return kNoErr;
}

AIErr FindRealIntersectionPoint(AIRealPoint p1, AIRealPoint p2, AIRealPoint q1, AIRealPoint q2, AIRealPoint* out) {
    if (out == nullptr) return kBadParameterErr;
    const float d = (p1.v - p2.v) * (q1.h - q2.h) - (p1.h - p2.h) * (q1.v - q2.v);
    if (d == 0.0f) return kNotApplicableErr;
    const float s = ((q2.v - p2.v) * (q1.h - q2.h) - (q2.h - p2.h) * (q1.v - q2.v)) / d;
    const AIRealPoint x{s * p1.h + (1 - s) * p2.h, s * p1.v + (1 - s) * p2.v};
    if (!finitePoint(x)) return kNotApplicableErr;
    *out = x;
    return kNoErr;
}

int FindLineSegmentIntersection(const AIRealPoint& a1, const AIRealPoint& a2, const AIRealPoint& b1,
                                const AIRealPoint& b2, AIRealPoint* out, int* withinSegments) {
    int onFirst = 0;
    int onSecond = 0;
    const int found = FindLineSegmentIntersectionWithinSegments(a1, a2, b1, b2, out, &onFirst, &onSecond);
    if (withinSegments != nullptr) *withinSegments = onFirst && onSecond ? 1 : 0;
    return found;
}

int FindLineSegmentIntersectionWithinSegments(const AIRealPoint& a1, const AIRealPoint& a2, const AIRealPoint& b1,
                                              const AIRealPoint& b2, AIRealPoint* out, int* onFirst, int* onSecond) {
    if (onFirst != nullptr) *onFirst = 0;
    if (onSecond != nullptr) *onSecond = 0;
    AIRealPoint x{};
    if (out == nullptr || !lineCrossing(a1, a2, b1, b2, x)) return 0;
    *out = x;
    if (onFirst != nullptr) *onFirst = onSegment(a1, a2, x) ? 1 : 0;
    if (onSecond != nullptr) *onSecond = onSegment(b1, b2, x) ? 1 : 0;
    return 1;
}

namespace {

constexpr float kMiddle = 0.5f;

// Modes 0 and 2: the offset of x from `from` over the span, unclamped.
float unclampedFraction(float x, float from, float span) { return span == 0.0f ? kMiddle : (x - from) / span; }

// Modes 1 and 3 on one coordinate: measured from a towards b, clamped to 0 or 1 beyond
// both points (which end is 1 follows the order of a and b).
float clampedFraction(float x, float a, float b) {
    const bool ascending = a <= b;
    if (x > std::fmax(a, b)) return ascending ? 1.0f : 0.0f;
    if (x < std::fmin(a, b)) return ascending ? 0.0f : 1.0f;
    if (a == b) return kMiddle;
    return std::fabs((x - a) / (b - a));
}

// Modes 4 and 5: the foot of the perpendicular from p onto the line p1-p2, as a signed
// fraction of |p1 p2| (negative on the far side of p1 from p2).
float alongLine(const AIRealPoint& p1, const AIRealPoint& p2, const AIRealPoint& p) {
    const double dh = static_cast<double>(p2.h) - p1.h;
    const double dv = static_cast<double>(p2.v) - p1.v;
    const double span2 = dh * dh + dv * dv;
    if (span2 == 0.0) return kMiddle;
    return static_cast<float>(((static_cast<double>(p.h) - p1.h) * dh + (static_cast<double>(p.v) - p1.v) * dv) / span2);
}

}  // namespace

void GetPointFractionalOffset(const AIRealPoint& p1, const AIRealPoint& p2, const AIRealPoint& p, int16_t mode,
                              AIReal* fraction) {
    if (fraction == nullptr) return;
    switch (mode) {
        case 0:  // from the point with the smaller h
            *fraction = p1.h < p2.h ? unclampedFraction(p.h, p1.h, p2.h - p1.h) : unclampedFraction(p.h, p2.h, p1.h - p2.h);
            break;
        case 1: *fraction = clampedFraction(p.h, p1.h, p2.h); break;
        case 2:  // downwards from the point with the larger v
            *fraction = p1.v <= p2.v ? unclampedFraction(p2.v - p.v, 0.0f, p2.v - p1.v)
                                     : unclampedFraction(p1.v - p.v, 0.0f, p1.v - p2.v);
            break;
        case 3: *fraction = clampedFraction(p.v, p1.v, p2.v); break;
        case 4: *fraction = alongLine(p1, p2, p); break;
        case 5: *fraction = std::clamp(alongLine(p1, p2, p), 0.0f, 1.0f); break;
        default: break;
    }
}

int RectLineIntersections(const AIRealRect& rect, const AIRealPoint& p1, const AIRealPoint& p2, AIRealPoint* out1,
                          AIRealPoint* out2) {
    const AIRealPoint corners[4][2] = {
        {{rect.left, rect.bottom}, {rect.left, rect.top}},
        {{rect.left, rect.top}, {rect.right, rect.top}},
        {{rect.right, rect.top}, {rect.right, rect.bottom}},
        {{rect.right, rect.bottom}, {rect.left, rect.bottom}},
    };
    int found = 0;
    for (const auto& edge : corners) {
        AIRealPoint x{};
        int onEdge = 0;
        if (FindLineSegmentIntersectionWithinSegments(p1, p2, edge[0], edge[1], &x, nullptr, &onEdge) == 0 || !onEdge) {
            continue;
        }
        AIRealPoint* target = found == 0 ? out1 : out2;
        if (target != nullptr) *target = x;
        ++found;
    }
    return found > 0 ? 1 : 0;
}

AIErr getPointAlongLine(const AIRealPoint& p1, const AIRealPoint& p2, AIReal s, AIRealPoint* out) {
    if (out == nullptr) return kBadParameterErr;
    const float len = Distance(p1, p2);
    if (!(len > 0.0f) || !std::isfinite(len)) {
        *out = p2;  // no direction
        return kNoErr;
    }
    *out = AIRealPoint{p2.h + s * (p2.h - p1.h) / len, p2.v + s * (p2.v - p1.v) / len};
    return kNoErr;
}

AIReal getRealDiff(AIReal a, AIReal b) {
    constexpr float kNudge = 1.0f / 65536.0f;
    const float d = a - b;
    return d < 0 ? d - kNudge : d + kNudge;
}

double cubicSegmentLength(const AIPathSegment& a, const AIPathSegment& b) {
    return bezier_math::arcLength(bezier_math::spanOf(a, b));
}

AIErr calculatePathLength(const AIPathSegment* segments, ai_int16 count, ai_int16 from, ai_int16 to, AIReal* length) {
    if (length == nullptr) return kBadParameterErr;
    *length = kMissingValue;
    const auto valid = [&](int index) { return segments != nullptr && index >= 0 && index < count; };
    if (!valid(from)) return kOutOfRangeErr;
    AIPathSegment previous = segments[from];
    double total = 0.0;
    for (int k = from + 1; k <= to; ++k) {
        if (!valid(k)) return kOutOfRangeErr;
        total += cubicSegmentLength(previous, segments[k]);
        previous = segments[k];
    }
    *length = static_cast<AIReal>(total);
    return kNoErr;
}
