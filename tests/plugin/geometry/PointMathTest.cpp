// The shared point helpers against the host's real-maths suite to the last bit (the calls
// they stand in for) and against values worked by hand; the curve constants against the
// integrals and handle lengths they must give.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "AIRealMath.h"
#include "Host.h"
#include "geometry/CurveConstants.h"
#include "geometry/PointMath.h"

namespace {

class HostMathTest : public ::testing::Test {
protected:
    void SetUp() override {
        const void* suite = nullptr;
        ASSERT_EQ(host.basicSuite()->AcquireSuite(kAIRealMathSuite, kAIRealMathSuiteVersion, &suite), kNoErr);
        math = static_cast<const AIRealMathSuite*>(suite);
    }
    void TearDown() override { host.basicSuite()->ReleaseSuite(kAIRealMathSuite, kAIRealMathSuiteVersion); }

    standin::Host host;
    const AIRealMathSuite* math = nullptr;
};

// Pairs where rounding, coincidence and the half turn matter.
constexpr struct {
    AIRealPoint from, to;
} kPairs[] = {
    {{0, 0}, {3, 4}},
    {{0, 0}, {0.37f, 3.38999987f}},  // the float sum of squares rounds its root the other way
    {{1.1f, 2.2f}, {1.1f, 2.2f}},    // coincident
    {{0, 0}, {-1, -0.0f}},           // atan2 gives -pi here
    {{0, 0}, {-1, 0}},
    {{100, 100}, {100, -100}},
    {{0.1f, 0.3f}, {123.456f, -7.89f}},
    {{-1e6f, 3e5f}, {2.5e6f, -4e6f}},
    {{1e-3f, 1e-3f}, {1.0001e-3f, 9.999e-4f}},
};

TEST_F(HostMathTest, DistanceAndDirectionAreTheHostsToTheLastBit) {
    for (const auto& p : kPairs) {
        EXPECT_EQ(Distance(p.from, p.to), math->AIRealPointLength(&p.from, &p.to)) << p.to.h << ", " << p.to.v;
        EXPECT_EQ(Angle(p.from, p.to), math->AIRealPointAngle(&p.from, &p.to)) << p.to.h << ", " << p.to.v;
    }
}

TEST_F(HostMathTest, OffsetsAndDegreesAreTheHostsToTheLastBit) {
    constexpr struct {
        AIReal length, angle;
    } kSteps[] = {{1, 0}, {10, kHalfPi}, {-3.5f, 2.0f}, {72, -kPi}, {0.001f, 1e-6f}, {1e5f, 4.0f}, {12.5f, 100.0f}};
    const AIRealPoint from{123.25f, -0.7f};
    for (const auto& s : kSteps) {
        AIRealPoint step{}, moved{};
        math->AIRealPointLengthAngle(s.length, s.angle, &step);
        math->AIRealPointAdd(&from, &step, &moved);
        const AIRealPoint polar = Polar(s.length, s.angle), along = PointAlong(from, s.length, s.angle);
        EXPECT_EQ(polar.h, step.h) << s.angle;
        EXPECT_EQ(polar.v, step.v) << s.angle;
        EXPECT_EQ(along.h, moved.h) << s.angle;
        EXPECT_EQ(along.v, moved.v) << s.angle;
        EXPECT_EQ(RadiansToDegrees(s.angle), math->RadianToDegree(s.angle)) << s.angle;
        EXPECT_EQ(DegreesToRadians(s.length), math->DegreeToRadian(s.length)) << s.length;
    }
}

TEST(PointMath, ValuesWorkedByHand) {
    EXPECT_EQ(Distance({0, 0}, {3, 4}), 5.0f);
    EXPECT_EQ(Angle({2, 2}, {2, 2}), 0.0f);
    EXPECT_EQ(Angle({0, 0}, {-1, -0.0f}), kPi);  // a half turn is pi, never -pi
    EXPECT_DOUBLE_EQ(Distance<double>({0, 0}, {1, 1}), std::numbers::sqrt2);
    EXPECT_DOUBLE_EQ(Angle<double>({0, 0}, {-1, 1}), 3 * std::numbers::pi / 4);

    const AIRealPoint up = PointAlong({1, 1}, 2.0f, kHalfPi);
    EXPECT_NEAR(up.h, 1, 1e-6);
    EXPECT_EQ(up.v, 3);
    const AIRealPoint between = Between({0, 0}, {10, -20}, 0.25f);
    EXPECT_EQ(between.h, 2.5f);
    EXPECT_EQ(between.v, -5.0f);
    const AIRealPoint sum = AIRealPoint{1, 2} + AIRealPoint{0.5f, -4};
    const AIRealPoint difference = AIRealPoint{1, 2} - AIRealPoint{3, 3};
    EXPECT_EQ(sum.h, 1.5f);
    EXPECT_EQ(sum.v, -2.0f);
    EXPECT_EQ(difference.h, -2.0f);
    EXPECT_EQ(difference.v, -1.0f);

    // Half and quarter turns stay exact in doubles, both ways.
    constexpr struct {
        double degrees, radians;
    } kTurns[] = {{90, std::numbers::pi / 2}, {180, std::numbers::pi}, {-90, -std::numbers::pi / 2},
                  {360, 2 * std::numbers::pi}};
    for (const auto& t : kTurns) {
        EXPECT_EQ(DegreesToRadians<double>(t.degrees), t.radians) << t.degrees;
        EXPECT_EQ(RadiansToDegrees<double>(t.radians), t.degrees) << t.degrees;
    }
}

// A float helper refuses a double, so no routine loses the precision it worked in unawares.
template <class L>
concept PlacesWithFloats = requires(AIRealPoint p, L l) { PointAlong(p, l, l); };
template <class L>
concept PlacesWithDoubles = requires(AIRealPoint p, L l) { PointAlong<double>(p, l, l); };
static_assert(PlacesWithFloats<float> && PlacesWithFloats<int> && !PlacesWithFloats<double>);
static_assert(PlacesWithDoubles<double> && PlacesWithDoubles<float>);

TEST(CurveConstants, FiveGaussLegendreNodesIntegrateEveryPolynomialUpToTheNinthDegree) {
    double weights = 0;
    for (const double w : kGaussLegendreWeights) weights += w;
    EXPECT_NEAR(weights, 2, 1e-15);
    for (int k = 0; k <= 10; ++k) {
        double sum = 0;
        for (int i = 0; i < 5; ++i) sum += kGaussLegendreWeights[i] * std::pow(kGaussLegendreNodes[i], k);
        const double exact = k % 2 ? 0.0 : 2.0 / (k + 1);  // the integral of x^k over [-1, 1]
        if (k <= 9)
            EXPECT_NEAR(sum, exact, 1e-15) << k;
        else
            EXPECT_GT(std::fabs(sum - exact), 1e-4) << k;  // the rule's limit: not a tenth degree
    }
}

TEST(CurveConstants, QuarterCircleHandles) {
    // The drawing tools' 0.5522766 of the radius, not the textbook 4 (sqrt 2 - 1) / 3.
    EXPECT_NEAR(QuarterCircleHandle(2.0 * 25), 13.806915, 1e-6);
    EXPECT_NEAR(QuarterCircleHandle(2.0 * 50), 27.613831, 1e-6);
    EXPECT_NEAR(QuarterCircleHandle(2.0f * 130), 71.795958f, 1e-4);
    EXPECT_NEAR(kKappa, 4 * (std::numbers::sqrt2 - 1) / 3, 1e-11);
}

}  // namespace
