// Arc pieces: where an arc is split, its sweep and radius, and that every piece stays on its
// circle (sampled here from the Bernstein form, not through the code under test). The
// quarter's handle is the circles' 2 / 3.6213737826; shorter pieces use (4/3) tan(s/4),
// where a handle growing linearly with the sweep would bulge them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/ArcGeometry.h"
#include "geometry/PlotwiseErrors.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double DirectionOf(const AIRealPoint& c, const AIRealPoint& p) {
    double d = std::atan2(p.v - c.v, p.h - c.h) * 180 / kPi;
    return d < -1e-3 ? d + 360 : d;
}

AIRealPoint At(const AIRealPoint& c, double r, double degrees) {
    return {static_cast<AIReal>(c.h + r * std::cos(degrees * kPi / 180)),
            static_cast<AIReal>(c.v + r * std::sin(degrees * kPi / 180))};
}

// The largest distance from the circle of the pieces' curves, sampled.
double RadialError(const std::vector<AIPathSegment>& anchors, const AIRealPoint& c, double r) {
    double worst = 0;
    for (size_t k = 0; k + 1 < anchors.size(); ++k) {
        const AIRealPoint p[4] = {anchors[k].p, anchors[k].out, anchors[k + 1].in, anchors[k + 1].p};
        for (int i = 0; i <= 400; ++i) {
            const double t = i / 400.0, u = 1 - t;
            const double w[4] = {u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t};
            double x = 0, y = 0;
            for (int j = 0; j < 4; ++j) {
                x += w[j] * p[j].h;
                y += w[j] * p[j].v;
            }
            worst = std::max(worst, std::fabs(std::hypot(x - c.h, y - c.v) - r));
        }
    }
    return worst;
}

TEST(ArcAnchors, AQuarterIsOnePieceWithTheCirclesHandles) {
    std::vector<AIPathSegment> a;
    ArcShape shape;
    ASSERT_EQ(ArcAnchors({0, 0}, {10, 0}, {0, 10}, &a, &shape), kNoErr);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_NEAR(shape.startDegrees, 0, 1e-9);
    EXPECT_NEAR(shape.sweepDegrees, 90, 1e-6);
    EXPECT_NEAR(shape.radius, 10, 1e-9);
    // 10 x 2 / 3.6213737826 = 5.5227661
    EXPECT_NEAR(a[0].out.v, 5.5227661, 1e-5);
    EXPECT_NEAR(a[0].out.h, 10, 1e-5);
    EXPECT_NEAR(a[1].in.h, 5.5227661, 1e-5);
    EXPECT_NEAR(a[1].in.v, 10, 1e-5);
    // The ends' outer handles sit on their anchors; every anchor is smooth.
    EXPECT_EQ(a[0].in.h, a[0].p.h);
    EXPECT_EQ(a[0].in.v, a[0].p.v);
    EXPECT_NEAR(a[1].out.h, 0, 1e-6);
    EXPECT_NEAR(a[1].out.v, 10, 1e-6);
    EXPECT_FALSE(a[0].corner || a[1].corner);
}

TEST(ArcAnchors, PiecesEndAtEveryMultipleOfNinetyPassed) {
    const AIRealPoint c{50, -20};
    struct Case {
        double from, to;
        std::vector<double> anchors;
    };
    const Case cases[] = {
        {45, 180, {45, 90, 180}},          // no extra anchor at the end
        {350, 10, {350, 0, 10}},           // across 360
        {0, 90, {0, 90}},                  // one band
        {100, 80, {100, 180, 270, 0, 80}}, // all but 20 degrees
        {270, 0, {270, 0}},
        {0, 180.000005, {0, 90, 180.000005}},  // an end a float's rounding past 180: no sliver piece
        {89.999995, 200, {89.999995, 180, 200}},  // nor a start a float's rounding short of 90
    };
    for (const Case& k : cases) {
        std::vector<AIPathSegment> a;
        ArcShape shape;
        ASSERT_EQ(ArcAnchors(c, At(c, 30, k.from), At(c, 77, k.to), &a, &shape), kNoErr);
        ASSERT_EQ(a.size(), k.anchors.size()) << k.from << " to " << k.to;
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_NEAR(DirectionOf(c, a[i].p), k.anchors[i], 1e-3)
                << k.from << " to " << k.to << " anchor " << i;
            // The radius is the first point's, whatever the second point's distance.
            EXPECT_NEAR(std::hypot(a[i].p.h - c.h, a[i].p.v - c.v), 30, 1e-4);
        }
        const double sweep = std::fmod(k.to - k.from + 360, 360);
        EXPECT_NEAR(shape.sweepDegrees, sweep, 1e-4);
    }
}

TEST(ArcAnchors, PiecesShorterThanAQuarterStayOnTheirCircle) {
    const AIRealPoint c{0, 0};
    for (double r : {1.0, 150.0, 800.0}) {
        for (double sweep : {10.0, 30.0, 45.0, 60.0, 89.0}) {
            std::vector<AIPathSegment> a;
            ASSERT_EQ(ArcAnchors(c, At(c, r, 0), At(c, r, sweep), &a, nullptr), kNoErr);
            ASSERT_EQ(a.size(), 2u);
            // (4/3) tan(s/4) leaves the known 2.7e-4 r for a quarter, falling as the sixth
            // power of the sweep (2.4e-5 r at 60 degrees).
            EXPECT_LT(RadialError(a, c, r), 2.8e-4 * std::pow(sweep / 90, 6) * r + 1e-4) << r << " " << sweep;
            const double handle = std::hypot(a[0].out.h - a[0].p.h, a[0].out.v - a[0].p.v);
            EXPECT_NEAR(handle, 4.0 / 3.0 * std::tan(sweep * kPi / 720) * r, 1e-5 * r);
        }
    }
    // A handle growing linearly with the sweep (2 r s / 325.923640434) leaves a 60-degree
    // piece 0.4 % of the radius off its circle: the decision this pins.
    std::vector<AIPathSegment> linear;
    ASSERT_EQ(ArcAnchors(c, At(c, 150, 0), At(c, 150, 60), &linear, nullptr), kNoErr);
    const double h = 2 * 150 * 60 / 325.923640434;
    linear[0].out = {linear[0].p.h, static_cast<AIReal>(h)};
    linear[1].in = {static_cast<AIReal>(linear[1].p.h + h * std::sin(kPi / 3)),
                    static_cast<AIReal>(linear[1].p.v - h * std::cos(kPi / 3))};
    EXPECT_GT(RadialError(linear, c, 150), 3e-3 * 150);
    // A whole circle but a sliver, in quarters: within the quarter's known 2.7e-4 r.
    std::vector<AIPathSegment> most;
    ASSERT_EQ(ArcAnchors(c, At(c, 100, 1), At(c, 100, 359), &most, nullptr), kNoErr);
    EXPECT_EQ(most.size(), 5u);  // 1, 90, 180, 270 and 359 degrees
    EXPECT_LT(RadialError(most, c, 100), 3e-4 * 100);
}

TEST(ArcAnchors, NoSweepAndBadPoints) {
    std::vector<AIPathSegment> a;
    ArcShape shape;
    ASSERT_EQ(ArcAnchors({0, 0}, {10, 0}, {25, 0}, &a, &shape), kNoErr);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(shape.sweepDegrees, 0);
    for (const AIPathSegment& s : a) {
        EXPECT_EQ(s.p.h, 10);
        EXPECT_EQ(s.in.h, 10);
        EXPECT_EQ(s.out.h, 10);
    }
    EXPECT_EQ(ArcAnchors({0, 0}, {NAN, 0}, {0, 10}, &a, &shape), kCADErr);
    EXPECT_EQ(ArcAnchors({0, INFINITY}, {1, 0}, {0, 10}, &a, &shape), kCADErr);
    EXPECT_EQ(ArcHandleLength(10, 0), 0);
    EXPECT_EQ(ArcHandleLength(10, -5), 0);
}

}  // namespace
