// The four-segment ellipse, its perimeter and area, and the oval builder, against values
// worked out by hand from the construction (handles of semi-axis x 2 / 3.6213737826) and
// against the exact circumference of a circle.
#include <gtest/gtest.h>

#include <cmath>

#include "PluginGlobals.h"
#include "drawtools/CADEllipseTool.h"
#include "drawtools/ThreePointCircle.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void ExpectSegment(const AIPathSegment& s, AIRealPoint p, AIRealPoint in, AIRealPoint out) {
    EXPECT_NEAR(s.p.h, p.h, 1e-4);
    EXPECT_NEAR(s.p.v, p.v, 1e-4);
    EXPECT_NEAR(s.in.h, in.h, 1e-4);
    EXPECT_NEAR(s.in.v, in.v, 1e-4);
    EXPECT_NEAR(s.out.h, out.h, 1e-4);
    EXPECT_NEAR(s.out.v, out.v, 1e-4);
    EXPECT_FALSE(s.corner);
}

TEST(FourSegmentEllipse, AnchorsAtTheExtremesWithTheBindingHandleFactor) {
    // 100 x 50 about (50, 25): vertical handles 25 x 0.5522766, horizontal 50 x 0.5522766.
    AIPathSegment s[4];
    FourSegmentEllipse({50, 25}, 50, 25, s);
    const AIReal hb = 13.806915f, ha = 27.613831f;
    ExpectSegment(s[0], {100, 25}, {100, 25 - hb}, {100, 25 + hb});
    ExpectSegment(s[1], {50, 50}, {50 + ha, 50}, {50 - ha, 50});
    ExpectSegment(s[2], {0, 25}, {0, 25 + hb}, {0, 25 - hb});
    ExpectSegment(s[3], {50, 0}, {50 - ha, 0}, {50 + ha, 0});
    // Not the textbook 4(sqrt 2 - 1)/3.
    EXPECT_GT(std::fabs(EllipseHandleLength(100) - 55.22847f), 5e-4f);
}

TEST(FourSegmentEllipse, QuarterStaysCloseToTheTrueCircle) {
    // The construction's largest radial error is about 2.7e-4 of the radius.
    AIPathSegment s[4];
    const AIReal r = 100;
    FourSegmentEllipse({0, 0}, r, r, s);
    double worst = 0;
    for (int i = 0; i <= 100; ++i) {
        const double t = i / 100.0, u = 1 - t;
        const AIPathSegment& a = s[0];
        const AIPathSegment& b = s[1];
        const double x = u * u * u * a.p.h + 3 * u * u * t * a.out.h + 3 * u * t * t * b.in.h + t * t * t * b.p.h;
        const double y = u * u * u * a.p.v + 3 * u * u * t * a.out.v + 3 * u * t * t * b.in.v + t * t * t * b.p.v;
        worst = std::max(worst, std::fabs(std::hypot(x, y) - r));
    }
    EXPECT_LT(worst, 3e-4 * r);
}

TEST(EllipseMeasures, GaussLegendrePerimeterAndArea) {
    EXPECT_NEAR(EllipsePerimeter(50, 25), 238.2042f, 1e-3);  // the true perimeter is about 242.211
    EXPECT_NEAR(EllipsePerimeter(40, 40), 2 * kPi * 40, 1e-3);
    EXPECT_NEAR(EllipsePerimeter(10, 0), 35.742406f, 1e-3);  // 3.5742406 a, not 4 a
    EXPECT_NEAR(EllipsePerimeter(0, 0), 0.0f, 1e-6);
    EXPECT_NEAR(EllipseArea(50, 25), 3926.9907f, 1e-2);
    EXPECT_NEAR(EllipseArea(40, 40), 5026.5483f, 1e-2);
    EXPECT_EQ(EllipseArea(10, 0), 0.0f);
}

TEST(NewZMKOval, FromTheCentreAndFromACorner) {
    ScopedGlobals scoped;
    circle_struct c{};
    ASSERT_EQ(NewZMKOval({10, 20}, {30, 40}, 1, &c), kNoErr);
    const AIReal hv = 22.091064f, hh = 16.568298f;
    ExpectSegment(c.seg[0], {40, 20}, {40, 20 - hv}, {40, 20 + hv});
    ExpectSegment(c.seg[1], {10, 60}, {10 + hh, 60}, {10 - hh, 60});
    ExpectSegment(c.seg[2], {-20, 20}, {-20, 20 + hv}, {-20, 20 - hv});
    ExpectSegment(c.seg[3], {10, -20}, {10 - hh, -20}, {10 + hh, -20});

    // From a corner: the box from (10, 20) to (40, 60), centre (25, 40), semi-axes 15 and 20.
    ASSERT_EQ(NewZMKOval({10, 20}, {30, 40}, 0, &c), kNoErr);
    EXPECT_NEAR(c.seg[0].p.h, 40, 1e-4);
    EXPECT_NEAR(c.seg[0].p.v, 40, 1e-4);
    EXPECT_NEAR(c.seg[1].p.h, 25, 1e-4);
    EXPECT_NEAR(c.seg[1].p.v, 60, 1e-4);

    // With shift in force, a circle in the quadrant of the extent; ignored shift changes nothing.
    scoped.globals.prefs.style.modifiers = 1;
    ASSERT_EQ(NewZMKOval({0, 0}, {30, -10}, 0, &c), kNoErr);
    EXPECT_NEAR(c.seg[0].p.h, 30, 1e-4);   // centre (15, -15), radius 15
    EXPECT_NEAR(c.seg[0].p.v, -15, 1e-4);
    EXPECT_NEAR(c.seg[3].p.v, -30, 1e-4);
    scoped.globals.ignoreShift = 1;
    ASSERT_EQ(NewZMKOval({0, 0}, {30, -10}, 0, &c), kNoErr);
    EXPECT_NEAR(c.seg[3].p.v, -10, 1e-4);  // centre (15, -5), semi-axes 15 and 5
}

}  // namespace
