// Plane geometry against independent computations: angle folds (including the inputs
// that used to loop for ever), sides of lines, intersections, three-point circles,
// snapping, and path lengths.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "geometry/PlaneGeometry.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;

TEST(AngleFolds, IntoTheirRanges) {
    EXPECT_NEAR(GetAIAngle(3 * kPi), kPi, 1e-5);
    EXPECT_EQ(GetAIAngle(-kPi), -kPi);
    EXPECT_EQ(GetAIAngle(kPi), kPi);
    EXPECT_NEAR(GetAngleFromZeroToTwoPi(-kPi / 2), 3 * kPi / 2, 1e-5);
    EXPECT_EQ(GetAngleFromZeroToTwoPi(kTwoPi), kTwoPi);
    EXPECT_EQ(GetAngleFromZeroToTwoPi(0.0f), 0.0f);
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> any(-1000.0f, 1000.0f);
    for (int i = 0; i < 1000; ++i) {
        const float a = any(rng);
        const float folded = GetAIAngle(a);
        EXPECT_GE(folded, -kPi);
        EXPECT_LE(folded, kPi);
        EXPECT_NEAR(std::cos(folded), std::cos(a), 1e-3);
        EXPECT_NEAR(std::sin(folded), std::sin(a), 1e-3);
    }
}

TEST(AngleFolds, NonFiniteAndHugeAnglesReturnPromptly) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(GetAIAngle(inf), inf);
    EXPECT_EQ(GetAIAngle(-inf), -inf);
    EXPECT_TRUE(std::isnan(GetAIAngle(NAN)));
    for (float huge : {1e8f, -1e8f, 1e30f, -1e30f, 3.4e38f}) {
        const float folded = GetAngleFromZeroToTwoPi(huge);
        EXPECT_GE(folded, 0.0f) << huge;
        EXPECT_LE(folded, kTwoPi) << huge;
        const float ai = GetAIAngle(huge);
        EXPECT_GE(ai, -kPi);
        EXPECT_LE(ai, kPi);
    }
    float a = 1.0f;
    ConformAngle(a, -inf, inf);  // a bound that is not finite changes nothing
    EXPECT_EQ(a, 1.0f);
}

TEST(SideOfLine, VerticalSlopedAndBand) {
    EXPECT_EQ(WhichSideOfBezier({0.005f, 1}, {0, 0}, {1, -50}), 1);  // vertical: only h counts
    EXPECT_EQ(WhichSideOfBezier({0.005f, 1}, {0, 0}, {-1, 50}), -1);
    EXPECT_EQ(WhichSideOfBezier({1, 0}, {0, 0}, {5, 0}), -1);  // on the line
    EXPECT_EQ(WhichSideOfBezier({1, 1}, {0, 0}, {0, 1}), 1);
    EXPECT_EQ(WhichSideOfBezier({1, 1}, {0, 0}, {1, 0}), -1);
}

TEST(ThreePointCircle, AChordAlongAnAxisAsksForAnotherOrderUnlessVerticalThenHorizontal) {
    EXPECT_EQ(isPerpendicular({0, 0}, {1, 0}, {2, 3}), 1);
    EXPECT_EQ(isPerpendicular({0, 0}, {1, 1}, {3, 0}), 0);
    EXPECT_EQ(isPerpendicular({0, 0}, {0, 2}, {2, 2}), 0);  // vertical then horizontal has its own formula
    EXPECT_EQ(isPerpendicular({0, 0}, {1, 1}, {1, 3}), 1);  // second chord vertical
}

TEST(ThreePointCircle, AgainstTheCircumcentre) {
    AIRealPoint c{};
    AIReal r = 0;
    ASSERT_EQ(get3PointCircleFromPoints({0, 0}, {0, 2}, {2, 2}, &c, &r), kNoErr);
    EXPECT_NEAR(c.h, 1, 1e-6);
    EXPECT_NEAR(c.v, 1, 1e-6);
    EXPECT_NEAR(r, std::sqrt(2.0), 1e-6);

    std::mt19937 rng(11);
    std::uniform_real_distribution<float> coord(-500, 500);
    int checked = 0;
    while (checked < 300) {
        const AIRealPoint p[3] = {{coord(rng), coord(rng)}, {coord(rng), coord(rng)}, {coord(rng), coord(rng)}};
        if (isPerpendicular(p[0], p[1], p[2]) != 0) continue;
        // Independent: circumcentre from the determinant formula, in double.
        const double ax = p[0].h, ay = p[0].v, bx = p[1].h, by = p[1].v, cx = p[2].h, cy = p[2].v;
        const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
        if (std::fabs(d) < 1000) continue;  // nearly collinear: float result not comparable
        const double ux = ((ax * ax + ay * ay) * (by - cy) + (bx * bx + by * by) * (cy - ay) + (cx * cx + cy * cy) * (ay - by)) / d;
        const double uy = ((ax * ax + ay * ay) * (cx - bx) + (bx * bx + by * by) * (ax - cx) + (cx * cx + cy * cy) * (bx - ax)) / d;
        const double radius = std::hypot(ax - ux, ay - uy);
        if (radius > 5000) continue;
        ASSERT_EQ(get3PointCircleFromPoints(p[0], p[1], p[2], &c, &r), kNoErr);
        const double tol = 1e-3 * std::max(1.0, radius);
        EXPECT_NEAR(c.h, ux, tol);
        EXPECT_NEAR(c.v, uy, tol);
        EXPECT_NEAR(r, radius, tol);
        ++checked;
    }
}

TEST(ThreePointCircle, RefusesDegenerateInput) {
    const AIRealPoint untouched{-7, -7};
    AIRealPoint c = untouched;
    AIReal r = -1;
    const auto refused = [&](AIRealPoint a, AIRealPoint b, AIRealPoint d) {
        return get3PointCircleFromPoints(a, b, d, &c, &r) == kCADErr && c.h == -7 && c.v == -7 && r == -1;
    };
    EXPECT_TRUE(refused({0, 0}, {1, 1}, {2, 2}));           // collinear
    EXPECT_TRUE(refused({0, 0}, {1, 0}, {2, 3}));           // horizontal first chord: ma is 0
    EXPECT_TRUE(refused({0, 0}, {1, 1}, {1, 3}));           // vertical second chord
    EXPECT_TRUE(refused({0, 0}, {0, 5}, {3, 1}));           // vertical first chord
    EXPECT_TRUE(refused({1, 1}, {1, 1}, {1, 1}));           // one point
    EXPECT_TRUE(refused({0, 0}, {0, 0}, {2, 2}));           // two coincide (would pass the first test)
    EXPECT_TRUE(refused({0, 0}, {NAN, 1}, {2, 5}));
    EXPECT_TRUE(refused({0, 0}, {1, 1e30f}, {2, -1e30f}));  // result not finite
}

TEST(Intersections, LinesAndSegments) {
    AIRealPoint x{};
    ASSERT_EQ(FindRealIntersectionPoint({0, 0}, {10, 10}, {0, 10}, {10, 0}, &x), kNoErr);
    EXPECT_NEAR(x.h, 5, 1e-5);
    EXPECT_NEAR(x.v, 5, 1e-5);
    x = {-1, -1};
    EXPECT_EQ(FindRealIntersectionPoint({0, 0}, {10, 0}, {0, 5}, {10, 5}, &x), kNotApplicableErr);
    EXPECT_EQ(x.h, -1);

    int within = -1;
    ASSERT_EQ(FindLineSegmentIntersection({0, 0}, {4, 2}, {0, 3}, {3, 0}, &x, &within), 1);
    // Independent: y = x/2 meets x + y = 3 at x = 2.
    EXPECT_NEAR(x.h, 2, 1e-5);
    EXPECT_NEAR(x.v, 1, 1e-5);
    EXPECT_EQ(within, 1);
    ASSERT_EQ(FindLineSegmentIntersection({0, 0}, {1, 0.5f}, {0, 3}, {3, 0}, &x, &within), 1);
    EXPECT_EQ(within, 0);  // beyond the end of the first segment
    EXPECT_EQ(FindLineSegmentIntersection({0, 0}, {1, 0}, {0, 1}, {1, 1.001f}, &x, &within), 0);
    EXPECT_EQ(within, 0);

    int on1 = -1, on2 = -1;
    ASSERT_EQ(FindLineSegmentIntersectionWithinSegments({0, 0}, {10, 0}, {20, -5}, {20, 5}, &x, &on1, &on2), 1);
    EXPECT_EQ(on1, 0);
    EXPECT_EQ(on2, 1);

    AIRealPoint a{-1, -1}, b{-1, -1};
    ASSERT_EQ(RectLineIntersections({0, 10, 10, 0}, {-5, 4}, {15, 4}, &a, &b), 1);
    EXPECT_NEAR(a.h, 0, 1e-5);  // left edge first
    EXPECT_NEAR(b.h, 10, 1e-5);
    a = b = {-1, -1};
    EXPECT_EQ(RectLineIntersections({0, 10, 10, 0}, {-5, 40}, {15, 40}, &a, &b), 0);
    EXPECT_EQ(a.h, -1);
}

TEST(Snapping, AnglesAndOffsets) {
    const auto snap = [](float a) {
        SetConstrainAngle(&a);
        return a;
    };
    EXPECT_EQ(snap(0.3f), 0.0f);
    EXPECT_NEAR(snap(0.4f), kPi / 4, 1e-6);
    EXPECT_NEAR(snap(-1.0f), -kPi / 4, 1e-6);
    EXPECT_EQ(snap(3.0f), kPi);
    EXPECT_EQ(snap(-3.0f), kPi);
    EXPECT_NEAR(snap(2 * kTwoPi + 1.6f), kPi / 2, 1e-5);
    EXPECT_TRUE(std::isinf(snap(INFINITY)));

    float step = 10;
    const auto offset = [&step](float o) {
        SnapOffsetToStep(&o, step);
        return o;
    };
    EXPECT_EQ(offset(14), 10);
    EXPECT_EQ(offset(15), 10);  // exactly half goes towards zero
    EXPECT_EQ(offset(16), 20);
    EXPECT_EQ(offset(-15), -10);
    EXPECT_EQ(offset(-16), -20);
    step = 0;
    EXPECT_EQ(offset(2.6f), 3);
}

TEST(Snapping, AxonometricDirections) {
    float a = kPi / 6;      // 30 degrees
    const float b = 5 * kPi / 6;  // 150 degrees
    const auto snap = [&](float angle, int32_t& face) {
        SnapToAxonometricAxes(&angle, &face, a, b);
        return angle;
    };
    int32_t face = 0;
    EXPECT_NEAR(snap(0.6f, face), kPi / 6, 1e-6);
    EXPECT_EQ(face, 0x100);
    EXPECT_NEAR(snap(0.6f - kPi, face), kPi / 6 - kPi, 1e-5);  // the other way along it
    EXPECT_EQ(face, 0x100);
    EXPECT_NEAR(snap(2.5f, face), 5 * kPi / 6, 1e-6);
    EXPECT_EQ(face, 0x80);
    EXPECT_NEAR(snap(1.4f, face), kPi / 2, 1e-6);
    EXPECT_EQ(face, 8);
    EXPECT_NEAR(snap(0.2f, face), 0, 1e-6);
    EXPECT_EQ(face, 8);
    EXPECT_NEAR(std::fabs(snap(3.1f, face)), kPi, 1e-6);
    a = NAN;  // a damaged view keeps the flat directions
    EXPECT_NEAR(snap(0.6f, face), 0, 1e-6);
}

TEST(PointHelpers, AlongDiffAndPolar) {
    AIRealPoint x{};
    getPointAlongLine({0, 0}, {3, 4}, 5, &x);
    EXPECT_NEAR(x.h, 6, 1e-5);
    EXPECT_NEAR(x.v, 8, 1e-5);
    getPointAlongLine({3, 4}, {3, 4}, 5, &x);  // no direction: the end point
    EXPECT_EQ(x.h, 3);
    EXPECT_EQ(getRealDiff(1, 1), 1.0f / 65536);
    EXPECT_EQ(getRealDiff(0, 1), -1.0f - 1.0f / 65536);
    AddPointLengthAngle({1, 1}, 2, kPi / 2, &x);
    EXPECT_NEAR(x.h, 1, 1e-6);
    EXPECT_NEAR(x.v, 3, 1e-6);
}

AIPathSegment corner(float h, float v) { return {{h, v}, {h, v}, {h, v}, 1}; }

TEST(PathLength, StraightCornersAndIndices) {
    const AIPathSegment line[2] = {corner(0, 0), corner(30, 40)};
    AIReal len = 0;
    ASSERT_EQ(calculatePathLength(line, 2, 0, 1, &len), kNoErr);
    EXPECT_NEAR(len, 50, 1e-4);
    ASSERT_EQ(calculatePathLength(line, 2, 1, 1, &len), kNoErr);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(calculatePathLength(line, 2, 0, 2, &len), kOutOfRangeErr);
    EXPECT_EQ(len, kMissingValue);
    EXPECT_EQ(calculatePathLength(line, 2, -1, 1, &len), kOutOfRangeErr);
    // Corner anchors with their handles on the chord: still the chord.
    AIPathSegment onChord[2] = {{{0, 0}, {0, 0}, {6, 8}, 1}, {{30, 40}, {24, 32}, {30, 40}, 1}};
    ASSERT_EQ(calculatePathLength(onChord, 2, 0, 1, &len), kNoErr);
    EXPECT_NEAR(len, 50, 1e-4);
}

TEST(PathLength, QuarterArcAgainstAPolyline) {
    const float r = 100, k = 0.5522847498f * r;
    const AIPathSegment arc[2] = {{{r, 0}, {r, 0}, {r, k}, 0}, {{0, r}, {k, r}, {0, r}, 0}};
    AIReal len = 0;
    ASSERT_EQ(calculatePathLength(arc, 2, 0, 1, &len), kNoErr);
    // Independent: a fine polyline over the same cubic, and the true arc length.
    double poly = 0;
    double px = r, py = 0;
    for (int i = 1; i <= 100000; ++i) {
        const double t = i / 100000.0, u = 1 - t;
        const double x = u * u * u * r + 3 * u * u * t * r + 3 * u * t * t * k + 0;
        const double y = 0 + 3 * u * u * t * k + 3 * u * t * t * r + t * t * t * r;
        poly += std::hypot(x - px, y - py);
        px = x;
        py = y;
    }
    EXPECT_NEAR(len, poly, 1e-3);
    EXPECT_NEAR(len, kPi * r / 2, 0.05);
}

}  // namespace

namespace {

float Fraction(AIRealPoint p1, AIRealPoint p2, AIRealPoint p, int16_t mode) {
    float f = -99.0f;
    GetPointFractionalOffset(p1, p2, p, mode, &f);
    return f;
}

TEST(TextSlideFraction, ExamplesOfEachMode) {
    const AIRealPoint a{0, 0}, b{100, 0};
    for (int16_t mode : {0, 1, 4, 5}) EXPECT_NEAR(Fraction(a, b, {25, 40}, mode), 0.25f, 1e-6) << mode;
    EXPECT_NEAR(Fraction(a, b, {150, 0}, 0), 1.5f, 1e-6);
    EXPECT_NEAR(Fraction(a, b, {150, 0}, 4), 1.5f, 1e-6);
    EXPECT_EQ(Fraction(a, b, {150, 0}, 1), 1.0f);
    EXPECT_EQ(Fraction(a, b, {150, 0}, 5), 1.0f);
    EXPECT_NEAR(Fraction(a, b, {-50, 0}, 0), -0.5f, 1e-6);
    EXPECT_NEAR(Fraction(a, b, {-50, 0}, 4), -0.5f, 1e-6);
    EXPECT_EQ(Fraction(a, b, {-50, 0}, 1), 0.0f);
    EXPECT_EQ(Fraction(a, b, {-50, 0}, 5), 0.0f);
    // Clicked right to left: mode 0 measures from the left point, mode 1 from p1.
    EXPECT_NEAR(Fraction(b, a, {25, 0}, 0), 0.25f, 1e-6);
    EXPECT_NEAR(Fraction(b, a, {25, 0}, 1), 0.75f, 1e-6);
    EXPECT_EQ(Fraction(b, a, {150, 0}, 1), 0.0f);
    EXPECT_EQ(Fraction(b, a, {-50, 0}, 1), 1.0f);
    // Vertical: mode 2 from the top, mode 3 from p1.
    const AIRealPoint c{0, 100};
    EXPECT_NEAR(Fraction(a, c, {0, 25}, 2), 0.75f, 1e-6);
    EXPECT_NEAR(Fraction(c, a, {0, 25}, 2), 0.75f, 1e-6);
    EXPECT_NEAR(Fraction(a, c, {0, 25}, 3), 0.25f, 1e-6);
    EXPECT_EQ(Fraction(a, c, {0, 130}, 3), 1.0f);
    EXPECT_EQ(Fraction(c, a, {0, 130}, 3), 0.0f);
    EXPECT_EQ(Fraction(a, c, {0, -1}, 3), 0.0f);
    // Aligned along a slanted line: the foot of the perpendicular, measured by hand.
    const AIRealPoint s{10, 10}, t{40, 50};  // length 50, direction (0.6, 0.8)
    EXPECT_NEAR(Fraction(s, t, {10 + 0.6f * 20 - 0.8f * 7, 10 + 0.8f * 20 + 0.6f * 7}, 4), 0.4f, 1e-5);
    EXPECT_NEAR(Fraction(s, t, {10 - 0.6f * 10, 10 - 0.8f * 10}, 4), -0.2f, 1e-5);
    EXPECT_EQ(Fraction(s, t, {10 - 0.6f * 10, 10 - 0.8f * 10}, 5), 0.0f);
    // An unknown mode leaves the result alone.
    EXPECT_EQ(Fraction(a, b, {25, 0}, 6), -99.0f);
}

TEST(TextSlideFraction, ZeroSpanStaysFinite) {
    const AIRealPoint a{30, 20};
    for (int16_t mode = 0; mode <= 5; ++mode) {
        for (AIRealPoint p : {AIRealPoint{30, 20}, AIRealPoint{30, 80}, AIRealPoint{80, 20}}) {
            const float f = Fraction(a, a, p, mode);
            EXPECT_TRUE(std::isfinite(f)) << mode;
            EXPECT_GE(f, 0.0f);
            EXPECT_LE(f, 1.0f);
        }
    }
    EXPECT_EQ(Fraction(a, a, a, 0), 0.5f);
    EXPECT_EQ(Fraction(a, {30, 90}, {30, 50}, 0), 0.5f) << "equal h: nothing to measure";
    EXPECT_EQ(Fraction(a, a, {80, 20}, 1), 1.0f) << "beyond both points still clamps";
    EXPECT_EQ(Fraction(a, a, {10, 20}, 1), 0.0f);
}

}  // namespace
