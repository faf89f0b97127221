// The plane geometry of grids and rulers, with values worked out by hand: lattice points of
// rectangular and isometric grids, which of them a point snaps to within the tolerance,
// the lines of a grid over a rectangle and the ticks of a ruler; the filed snap points
// against a scan of them all.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ReadBack.h"
#include "axonometric/GuideGeometry.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr AIReal kA = static_cast<AIReal>(kPi / 6), kB = static_cast<AIReal>(5 * kPi / 6);  // 30° and 150°

GridSnapLines Rectangular(AIReal inc) {
    GridSnapLines lines;
    lines.increment = inc;
    lines.horizontal = lines.vertical = true;
    return lines;
}

GridSnapLines Isometric(AIReal inc) {
    GridSnapLines lines;
    lines.increment = inc;
    lines.isometric = true;
    lines.a = kA;
    lines.b = kB;
    return lines;
}

TEST(GuideGeometry, LatticePointsOfSquareAndSlantedGrids) {
    AIRealPoint out{};
    ASSERT_TRUE(NearestLatticePoint({13, 17}, {0, 0}, {10, 0}, {0, 10}, &out));
    EXPECT_PT(out, 10, 20, 1e-3);
    ASSERT_TRUE(NearestLatticePoint({-13, -17}, {0, 0}, {10, 0}, {0, 10}, &out));
    EXPECT_PT(out, -10, -20, 1e-3);
    ASSERT_TRUE(NearestLatticePoint({13, 17}, {5, 5}, {10, 0}, {0, 10}, &out));
    EXPECT_PT(out, 15, 15, 1e-3);
    // The isometric lattice i·(8.660, 5) + j·(-8.660, 5): (1, 9) is nearest (0, 10) (i = j = 1),
    // (8, 4.5) nearest (8.660, 5) (i = 1, j = 0).
    const AIRealPoint u{8.6602540f, 5}, w{-8.6602540f, 5};
    ASSERT_TRUE(NearestLatticePoint({1, 9}, {0, 0}, u, w, &out));
    EXPECT_PT(out, 0, 10, 1e-3);
    ASSERT_TRUE(NearestLatticePoint({8, 4.5f}, {0, 0}, u, w, &out));
    EXPECT_PT(out, 8.660254, 5, 1e-3);
    // Parallel axes make no lattice; out is left alone.
    out = {-1, -1};
    EXPECT_FALSE(NearestLatticePoint({1, 1}, {0, 0}, {10, 0}, {-20, 0}, &out));
    EXPECT_PT(out, -1, -1, 1e-3);
}

TEST(GuideGeometry, APointSnapsToTheNearestShownCrossingWithinTheTolerance) {
    AIRealPoint out{-1, -1};
    // (13, 17) is 4.24 from the crossing (10, 20).
    EXPECT_FALSE(SnapToGridLines(Rectangular(10), {0, 0}, 4, {13, 17}, &out));
    EXPECT_PT(out, -1, -1, 1e-3);
    ASSERT_TRUE(SnapToGridLines(Rectangular(10), {0, 0}, 5, {13, 17}, &out));
    EXPECT_PT(out, 10, 20, 1e-3);
    // Only the horizontal lines: onto the nearest of them, h kept.
    GridSnapLines horizontal = Rectangular(10);
    horizontal.vertical = false;
    ASSERT_TRUE(SnapToGridLines(horizontal, {0, 0}, 4, {13, 17}, &out));
    EXPECT_PT(out, 13, 20, 1e-3);
    GridSnapLines vertical = Rectangular(10);
    vertical.horizontal = false;
    ASSERT_TRUE(SnapToGridLines(vertical, {0, 0}, 4, {13, 17}, &out));
    EXPECT_PT(out, 10, 17, 1e-3);
    // Isometric lines cross along the view's axes, 30° and 150°.
    ASSERT_TRUE(SnapToGridLines(Isometric(10), {0, 0}, 4, {8, 4.5f}, &out));
    EXPECT_PT(out, 8.660254, 5, 1e-3);
    // Both grids: the nearer crossing wins ((10, 0) is 4.92 away, the isometric one 0.83).
    GridSnapLines both = Rectangular(10);
    both.isometric = true;
    both.a = kA;
    both.b = kB;
    ASSERT_TRUE(SnapToGridLines(both, {0, 0}, 5, {8, 4.5f}, &out));
    EXPECT_PT(out, 8.660254, 5, 1e-3);
    ASSERT_TRUE(SnapToGridLines(both, {0, 0}, 5, {9.5f, 0.5f}, &out));
    EXPECT_PT(out, 10, 0, 1e-3);
}

TEST(GuideGeometry, NoLinesNoIncrementOrNoFiniteNumberSnapsNothing) {
    AIRealPoint out{};
    EXPECT_FALSE(SnapToGridLines(GridSnapLines{}, {0, 0}, 100, {3, 3}, &out));
    EXPECT_FALSE(SnapToGridLines(Rectangular(0), {0, 0}, 100, {3, 3}, &out));
    EXPECT_FALSE(SnapToGridLines(Rectangular(NAN), {0, 0}, 100, {3, 3}, &out));
    EXPECT_FALSE(SnapToGridLines(Rectangular(10), {0, 0}, 100, {NAN, 3}, &out));
    GridSnapLines flat = Isometric(10);
    flat.b = flat.a;  // a degenerate view: its axes coincide
    EXPECT_FALSE(SnapToGridLines(flat, {0, 0}, 100, {3, 3}, &out));
    EXPECT_FALSE(SnapToGridLines(Rectangular(10), {0, 0}, -1, {0, 0}, &out));
}

TEST(GuideGeometry, TheNearestPointWithinTheToleranceFirstOfEquals) {
    const std::vector<AIRealPoint> points{{10, 0}, {0, 10}, {3, 4}};
    AIRealPoint out{};
    ASSERT_TRUE(NearestPointWithin(points, {0, 0}, 5, &out));
    EXPECT_PT(out, 3, 4, 1e-3);
    EXPECT_FALSE(NearestPointWithin(points, {0, 0}, 4.9f, &out));
    ASSERT_TRUE(NearestPointWithin({{1, 0}, {0, 1}}, {0, 0}, 1, &out));
    EXPECT_PT(out, 1, 0, 1e-3);
}

TEST(GuideGeometry, LinesAreClippedToTheRectangle) {
    const AIRealRect r{0, 10, 20, 0};
    double s0 = 0, s1 = 0;
    ASSERT_TRUE(ClipLineToRect({5, 5}, {1, 0}, r, &s0, &s1));
    EXPECT_DOUBLE_EQ(s0, -5);
    EXPECT_DOUBLE_EQ(s1, 15);
    // Along the diagonal (1, 1) from (0, 0): from the corner to (10, 10).
    ASSERT_TRUE(ClipLineToRect({0, 0}, {1, 1}, r, &s0, &s1));
    EXPECT_NEAR(s0, 0, 1e-9);
    EXPECT_NEAR(s1, 10, 1e-9);
    EXPECT_FALSE(ClipLineToRect({0, 20}, {1, 0}, r, &s0, &s1));
    EXPECT_FALSE(ClipLineToRect({5, 5}, {0, 0}, r, &s0, &s1));
}

TEST(GuideGeometry, ARectangularGridHasALineEveryIncrementFromTheOriginAndMajorLines) {
    const auto lines = GridLinesInRect({-15, 50, 100, 0}, Rectangular(10), {0, 0}, 5);
    // v = 0, 10, ..., 50 (6 lines) and h = -10, 0, ..., 100 (12 lines).
    ASSERT_EQ(lines.size(), 18u);
    int majors = 0;
    for (const GuideLine& l : lines) {
        const bool horizontal = l.from.v == l.to.v;
        const AIReal at = horizontal ? l.from.v : l.from.h;
        EXPECT_NEAR(std::fmod(std::fabs(at), 10.0), 0, 1e-4);
        EXPECT_EQ(l.major, std::fmod(std::fabs(at), 50.0) < 1e-3) << at;
        if (horizontal) {
            EXPECT_PT(l.from, -15, at, 1e-3);
            EXPECT_PT(l.to, 100, at, 1e-3);
        } else {
            EXPECT_PT(l.from, at, 0, 1e-3);
            EXPECT_PT(l.to, at, 50, 1e-3);
        }
        majors += l.major;
    }
    EXPECT_EQ(majors, 2 + 3);  // v = 0, 50; h = 0, 50, 100
}

TEST(GuideGeometry, IsometricLinesRunAlongTheViewsAxesThroughEveryCrossing) {
    const AIRealRect rect{0, 40, 60, 0};
    const auto lines = GridLinesInRect(rect, Isometric(10), {0, 0}, 4);
    ASSERT_FALSE(lines.empty());
    auto on = [](AIRealPoint p, const GuideLine& l) {
        const double dx = double(l.to.h) - l.from.h, dy = double(l.to.v) - l.from.v;
        const double cross = (double(p.h) - l.from.h) * dy - (double(p.v) - l.from.v) * dx;
        return std::fabs(cross) / std::hypot(dx, dy) < 1e-3;
    };
    int along30 = 0, along150 = 0;
    for (const GuideLine& l : lines) {
        const double angle = std::atan2(double(l.to.v) - l.from.v, double(l.to.h) - l.from.h) * 180 / kPi;
        const bool a = std::fabs(angle - 30) < 1e-3 || std::fabs(angle + 150) < 1e-3;
        const bool b = std::fabs(angle - 150) < 1e-3 || std::fabs(angle + 30) < 1e-3;
        EXPECT_TRUE(a || b) << angle;
        along30 += a;
        along150 += b;
        for (AIRealPoint end : {l.from, l.to}) {  // ends on the edges
            const bool edge = std::fabs(end.h) < 1e-3 || std::fabs(end.h - 60) < 1e-3 || std::fabs(end.v) < 1e-3 ||
                              std::fabs(end.v - 40) < 1e-3;
            EXPECT_TRUE(edge) << end.h << ", " << end.v;
        }
    }
    EXPECT_GT(along30, 0);
    EXPECT_GT(along150, 0);
    // Every crossing inside lies on one line of each family.
    for (int i = -10; i <= 10; ++i)
        for (int j = -10; j <= 10; ++j) {
            const AIRealPoint p{static_cast<AIReal>((i - j) * 8.6602540), static_cast<AIReal>((i + j) * 5.0)};
            if (p.h <= 0.01 || p.h >= 59.99 || p.v <= 0.01 || p.v >= 39.99) continue;
            int through = 0;
            for (const GuideLine& l : lines) through += on(p, l);
            EXPECT_EQ(through, 2) << i << ", " << j;
        }
}

TEST(GuideGeometry, RulerTicksAreMajorHalfAndMinor) {
    const auto ticks = RulerTicks(100, 0, 10, 4);  // either order
    ASSERT_EQ(ticks.size(), 11u);
    const RulerTick::Kind want[] = {RulerTick::kMajor, RulerTick::kMinor, RulerTick::kHalf, RulerTick::kMinor};
    for (size_t k = 0; k < ticks.size(); ++k) {
        EXPECT_NEAR(ticks[k].at, 10.0 * k, 1e-4);
        EXPECT_EQ(ticks[k].kind, want[k % 4]) << k;
    }
    // Below the origin the pattern counts from the origin too; odd subdivisions have no half.
    const auto below = RulerTicks(-25, 5, 10, 2);
    ASSERT_EQ(below.size(), 3u);
    EXPECT_EQ(below[0].kind, RulerTick::kMajor);  // -20
    EXPECT_EQ(below[1].kind, RulerTick::kHalf);   // -10
    EXPECT_EQ(below[2].kind, RulerTick::kMajor);  // 0
    for (const RulerTick& t : RulerTicks(0, 30, 10, 3)) EXPECT_NE(t.kind, RulerTick::kHalf);
    EXPECT_TRUE(RulerTicks(0, 30, 0, 3).empty());
    EXPECT_LE(RulerTicks(0, 1e9f, 1, 3).size(), 10000u);
}

}  // namespace

