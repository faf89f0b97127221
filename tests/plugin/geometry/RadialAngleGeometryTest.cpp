// The pure arithmetic of radial dimensions, centre marks and angle dimensions: the circle
// test at its 3-point boundary, the terminator room rule, the centre mark's pieces for the
// small, large and mixed layouts (numbers worked out by hand from a 9-point margin), the
// sector a drag chooses (checked against the counter-clockwise sweep computed with atan2)
// and the angle's value text.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "geometry/AngleGeometry.h"
#include "geometry/RadialGeometry.h"
#include "geometry/UnitFormat.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kTol = 1e-4f;

TEST(RadialGeometryTest, CircleWithinThreePointsOfSquare) {
    EXPECT_TRUE(BoundsAreCircular(72, 72));
    EXPECT_TRUE(BoundsAreCircular(72, 75));
    EXPECT_TRUE(BoundsAreCircular(72, 69));
    EXPECT_FALSE(BoundsAreCircular(72, 75.01f));
    EXPECT_FALSE(BoundsAreCircular(72, 68.99f));
    EXPECT_FALSE(BoundsAreCircular(120, 40));
}

TEST(RadialGeometryTest, ArrowheadsAndDotsNeedTwiceTheirLengthInsideTheRadius) {
    for (int32_t style : {1, 2, 5, 6, 7}) {
        EXPECT_FALSE(RadialTerminatorFits(style, 10, 19.5f)) << style;
        EXPECT_FALSE(RadialTerminatorFits(style, 10, 20.0f)) << style;
        EXPECT_TRUE(RadialTerminatorFits(style, 10, 20.001f)) << style;
    }
    for (int32_t style : {3, 4, 8}) EXPECT_TRUE(RadialTerminatorFits(style, 10, 1)) << style;
}

struct Piece {
    float h1, v1, h2, v2;
};

void ExpectPieces(const std::vector<CenterMarkPiece>& got, const std::vector<Piece>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(got[i].from.h, want[i].h1, kTol) << i;
        EXPECT_NEAR(got[i].from.v, want[i].v1, kTol) << i;
        EXPECT_NEAR(got[i].to.h, want[i].h2, kTol) << i;
        EXPECT_NEAR(got[i].to.v, want[i].v2, kTol) << i;
    }
}

TEST(RadialGeometryTest, AValueStandsBeyondTheCentreCross) {
    // Arms of 9 and a gap of 2 make a square reaching 11 from the centre; the text's ink
    // reaches 8 above its baseline and 2 below. Worked by hand: beside the square the
    // anchor must lie 11 out across, above it 11 + 2 up, below it 11 + 8 down.
    const struct {
        double degrees;
        AIReal arm, wanted, expected;
    } rows[] = {
        {180, 9, 9.6f, 11},            // to the left: just past the arm
        {0, 3, 12, 12},                // a short cross leaves the wanted distance
        {90, 9, 9.6f, 13},             // straight up: above the square
        {-90, 9, 9.6f, 19},            // straight down: below it
        {135, 9, 9.6f, 15.556349f},    // up and left: beside it, 11 / cos 45
        {-150, 9, 9.6f, 12.701706f},   // down and left: beside it, 11 / cos 30
    };
    for (const auto& r : rows) {
        const AIReal angle = static_cast<AIReal>(r.degrees * 3.14159265358979 / 180);
        EXPECT_NEAR(TextDistanceBeyondCross(r.wanted, angle, r.arm, 8, 2, 2), r.expected, 1e-4) << r.degrees;
    }
}

TEST(RadialGeometryTest, CentreMarkOfA54PointCircleHasANinePointCross) {
    // Centre (0, 0), art from -27 to 27: both layouts agree here.
    ExpectPieces(CenterMarkPieces({-27, 27, 27, -27}, false),
                 {{0, 36, 0, 18}, {0, 9, 0, 0}, {0, 0, 0, -9}, {0, -18, 0, -36},
                  {-36, 0, -18, 0}, {-9, 0, 0, 0}, {0, 0, 9, 0}, {18, 0, 36, 0}});
}

TEST(RadialGeometryTest, CentreMarkOfSmallArtScalesWithIt) {
    // 36 across: the cross a sixth (6), the gaps to a third (12), lines 9 beyond (27).
    ExpectPieces(CenterMarkPieces({100, 236, 136, 200}, false),
                 {{118, 245, 118, 230}, {118, 224, 118, 218}, {118, 218, 118, 212}, {118, 206, 118, 191},
                  {91, 218, 106, 218}, {112, 218, 118, 218}, {118, 218, 124, 218}, {130, 218, 145, 218}});
}

TEST(RadialGeometryTest, CentreMarkOfLargeArtKeepsItsCrossAndGaps) {
    // 100 across: the cross 9 and the gaps to 18 whatever the size; lines 9 beyond (59).
    ExpectPieces(CenterMarkPieces({-50, 50, 50, -50}, false),
                 {{0, 59, 0, 18}, {0, 9, 0, 0}, {0, 0, 0, -9}, {0, -18, 0, -59},
                  {-59, 0, -18, 0}, {-9, 0, 0, 0}, {0, 0, 9, 0}, {18, 0, 59, 0}});
}

TEST(RadialGeometryTest, AnEllipseGetsEachArmByItsOwnExtent) {
    // 120 by 40: the horizontal arm large, the vertical one small: the cross a sixth of 40
    // each way, the gaps to a third.
    const float sixth = 40.0f / 6, third = 40.0f / 3;
    ExpectPieces(CenterMarkPieces({-60, 20, 60, -20}, false),
                 {{0, 29, 0, third}, {0, sixth, 0, 0}, {0, 0, 0, -sixth}, {0, -third, 0, -29},
                  {-69, 0, -18, 0}, {-9, 0, 0, 0}, {0, 0, 9, 0}, {18, 0, 69, 0}});
}

TEST(RadialGeometryTest, OptionDrawsOnlyTheCross) {
    ExpectPieces(CenterMarkPieces({-27, 27, 27, -27}, true),
                 {{0, 9, 0, 0}, {0, 0, 0, -9}, {-9, 0, 0, 0}, {0, 0, 9, 0}});
}

// The counter-clockwise sweep from a to b, in [0, 2 pi).
double Sweep(double a, double b) {
    double s = std::fmod(b - a, 2 * kPi);
    return s < 0 ? s + 2 * kPi : s;
}

TEST(AngleGeometryTest, TheSweepContainsTheDragDirection) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> angle(-3.14159f, 3.14159f);
    for (int i = 0; i < 2000; ++i) {
        const float a1 = angle(random), a2 = angle(random), d = angle(random);
        if (std::fabs(a1 - a2) < 1e-3f || std::fabs(d - a1) < 1e-3f || std::fabs(d - a2) < 1e-3f) continue;
        const bool fromFirst = AngleSweepStartsAtFirst(a1, a2, d, false);
        const double from = fromFirst ? a1 : a2, to = fromFirst ? a2 : a1;
        EXPECT_LT(Sweep(from, d), Sweep(from, to)) << a1 << " " << a2 << " " << d;
        // ctrl: the other sector, which then holds the drag no more.
        EXPECT_EQ(AngleSweepStartsAtFirst(a1, a2, d, true), !fromFirst);
    }
}

TEST(AngleGeometryTest, ADragOnARayCountsAsOutside) {
    // Rays at 0 and 60 degrees: on either ray the 300-degree sector is measured.
    const float a1 = 0, a2 = static_cast<float>(kPi / 3);
    EXPECT_TRUE(AngleSweepStartsAtFirst(a1, a2, 0.5f, false));
    EXPECT_FALSE(AngleSweepStartsAtFirst(a1, a2, a1, false));
    EXPECT_FALSE(AngleSweepStartsAtFirst(a1, a2, a2, false));
    // Beyond the vertex (the opposite direction) is outside too.
    EXPECT_FALSE(AngleSweepStartsAtFirst(a1, a2, static_cast<float>(-kPi + 0.5), false));
}

TEST(AngleGeometryTest, TheTextSlideFollowsTheDragRay) {
    EXPECT_FLOAT_EQ(AngleTextSlide(30, 0, 60), 0.5f);
    EXPECT_FLOAT_EQ(AngleTextSlide(45, 30, 60), 0.25f);
    // A negative raw direction is not wrapped: start + sweep x slide is still on its ray.
    const float slide = AngleTextSlide(-30, 300, 120);
    EXPECT_NEAR(std::fmod(300 + 120 * slide + 720, 360.0f), 330.0f, 1e-3f);
    // No sweep: the middle, never a non-number.
    EXPECT_FLOAT_EQ(AngleTextSlide(10, 10, 0), 0.5f);
    EXPECT_FLOAT_EQ(AngleTextSlide(70, 10, 0), 0.5f);
}

TEST(AngleGeometryTest, TheSweepIsRightToTheFifthPlace) {
    // Degrees of atan2 worked by hand, shown at 5 places as the value text shows them.
    const struct {
        AIRealPoint centre, from, to;
        double degrees;
        const char* text;
    } kCases[] = {
        {{0, 0}, {1, 0}, {-1, 2}, 116.56505117707799, "116.56505"},  // atan2(2, -1)
        {{0, 0}, {1, 0}, {3, 4}, 53.13010235415598, "53.13010"},
        {{0, 0}, {100, 0}, {40, 70}, 60.25511870305778, "60.25512"},
        {{0, 0}, {2, 1}, {1, 2}, 36.86989764584402, "36.86990"},      // atan2(2, 1) - atan2(1, 2)
        {{0, 0}, {1, 2}, {2, 1}, 323.13010235415595, "323.13010"},    // the rest of the turn
        {{1000.5f, -700.25f}, {1007.5f, -700.25f}, {997.5f, -689.25f}, 105.25511870305779, "105.25512"},
        {{0, 0}, {10, 10}, {20, 20}, 0, "0.00000"},                   // one direction
        {{0, 0}, {1, 0}, {-1, 0}, 180, "180.00000"},
        {{0, 0}, {0, 1}, {1, 0}, 270, "270.00000"},
        {{5, 5}, {5, 5}, {9, 1}, 0, "0.00000"},                        // no ray: no sweep
    };
    for (const auto& c : kCases) {
        const double sweep = SweepDegrees(c.centre, c.from, c.to);
        EXPECT_NEAR(sweep, c.degrees, 1e-12) << c.text;
        char out[64];
        AngleValueText(sweep, kPointUnits, 5, 0, "", out, sizeof out);
        EXPECT_STREQ(out, c.text);
    }
}

std::string Text(double degrees, int32_t units, int32_t decimals, int32_t fractional, const char* sign) {
    char out[256];
    AngleValueText(degrees, units, decimals, fractional, sign, out, sizeof out);
    return out;
}

TEST(AngleGeometryTest, ValueTextByPrecisionNeverScaledOrFractional) {
    EXPECT_EQ(Text(60, kMillimeterUnits, 0, 3, "\xB0"), "60\xB0");
    EXPECT_EQ(Text(60, kMillimeterUnits, 2, 3, ""), "60.00");
    EXPECT_EQ(Text(59.99999, kPointUnits, 5, 0, ""), "59.99999");
    // Fractional inches: decimals by the fractional precision, never a fraction.
    EXPECT_EQ(Text(22.5, kFractionalInchMarkUnits, 0, 3, ""), "22.500");
    EXPECT_EQ(Text(22.5, kFeetFractionalInchWordUnits, 0, 8, ""), "22.50000");
    // Outside the tables: brought into them.
    EXPECT_EQ(Text(1.5, kPointUnits, 9, 0, ""), "1.50000");
    EXPECT_EQ(Text(1.5, kPointUnits, -2, 0, ""), "2");
    // Bounded.
    char small[4];
    AngleValueText(123.456, kPointUnits, 3, 0, "", small, sizeof small);
    EXPECT_STREQ(small, "123");
}

}  // namespace
