// Circle fits and curvature against curves whose circles are known by hand: the parabola
// y = x^2 / 100 written exactly as a cubic, circles drawn with handles 0.5523 r, the arcs the
// arc tools build, and paths put together anchor by anchor.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/ArcGeometry.h"
#include "geometry/BezierGeometry.h"
#include "geometry/CurveFit.h"
#include "geometry/PlotwiseErrors.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kKappa = 0.5523;
const AIRealPoint kCentre{300, -200};

double Distance(const AIRealPoint& a, const AIRealPoint& b) { return std::hypot(a.h - b.h, a.v - b.v); }

// The anchor at `degrees` on the circle about c, its handles `in` and `out` long along it.
AIPathSegment OnCircle(AIRealPoint c, double r, double degrees, double in, double out) {
    const double x = std::cos(degrees * kPi / 180), y = std::sin(degrees * kPi / 180);
    const auto at = [&](double along) {
        return AIRealPoint{static_cast<AIReal>(c.h + r * x - along * y), static_cast<AIReal>(c.v + r * y + along * x)};
    };
    return {at(0), at(-in), at(out), false};
}

AIRealBezier Piece(const AIPathSegment& a, const AIPathSegment& b) { return {a.p, a.out, b.in, b.p}; }

// The piece of the circle about kCentre from `from` to `from` + 90 degrees.
AIRealBezier Quarter(double r, double from = 0) {
    return Piece(OnCircle(kCentre, r, from, 0, kKappa * r), OnCircle(kCentre, r, from + 90, kKappa * r, 0));
}

TEST(CurveFit, CurvatureAtAParameter) {
    const AIRealBezier parabola{{-100, 100}, {-100.f / 3, -100.f / 3}, {100.f / 3, -100.f / 3}, {100, 100}};
    struct Case {
        const char* name;
        AIRealBezier piece;
        AIReal t;
        bool circular, hasCentre;
        double radius;
        AIRealPoint centre;  // of curvature, however far
    } const cases[] = {
        // R(x) = 50 (1 + (x / 50)^2)^1.5 at x = 200 t - 100.
        {"parabola vertex", parabola, 0.5f, false, true, 50, {0, 50}},
        {"parabola x = -80", parabola, 0.1f, false, true, 335.849728, {204.8f, 242}},
        // Handles 4/3 r: B' = (-300, 0), B'' = (0, -800) at the middle.
        {"half circle in one piece", {{100, 0}, {100, 133.33333f}, {-100, 133.33333f}, {-100, 0}}, 0.5f, false, true,
         112.5, {0, -12.5f}},
        // A true arc keeps p0's distance from its end normals' crossing wherever it is measured.
        {"quarter near its end", Quarter(100), 0.8f, true, true, 100, kCentre},
        {"quarter of radius 2", Quarter(2), 0.5f, true, false, 2, kCentre},
        // B' = (90, 0), B'' = (0, -3): too flat for a centre; its end normals cross at (45, -2700).
        {"nearly straight", {{0, 0}, {30, 0.5f}, {60, 0.5f}, {90, 0}}, 0.5f, true, false, 2700, {45, -2699.625f}},
    };
    for (const Case& k : cases) {
        CircleFit fit;
        ASSERT_TRUE(FitCircleAt(k.piece, k.t, &fit)) << k.name;
        EXPECT_EQ(fit.circular, k.circular) << k.name;
        EXPECT_EQ(fit.hasCentre, k.hasCentre) << k.name;
        EXPECT_NEAR(fit.radius, k.radius, 1e-3 * k.radius) << k.name;
        const AIRealPoint towards{fit.point.h + fit.radius * std::cos(fit.towardsCentre),
                                  fit.point.v + fit.radius * std::sin(fit.towardsCentre)};
        EXPECT_LT(Distance(towards, k.centre), 1e-3 * k.radius) << k.name;
        if (k.hasCentre) {
            EXPECT_LT(Distance(fit.centre, k.centre), 1e-3 * k.radius) << k.name;
        }
    }
    CircleFit fit;
    EXPECT_FALSE(FitCircleAt({{0, 0}, {10, 10}, {20, 20}, {30, 30}}, 0.5f, &fit));
}

TEST(CurveFit, CirclesFittedNearTheStartAreCheckedBySamples) {
    // Measured near B(0.3) as the fillet radius tool does: the centre, placed along the
    // curvature direction there, lies 0.084 % of r off, which the samples accept to 700 points.
    std::vector<AIPathSegment> anchors;
    const auto byArcTool = [&](double r, double from) {
        const auto on = [&](double degrees) { return OnCircle(kCentre, r, degrees, 0, 0).p; };
        EXPECT_EQ(ArcAnchors(kCentre, on(from), on(90), &anchors, nullptr), kNoErr);
        return Piece(anchors[0], anchors[1]);
    };
    struct Case {
        AIRealBezier piece;
        double radius, offset;
        bool accepted;
    } const cases[] = {
        {Quarter(50), 50, 0.035, true},    {Quarter(500), 500, 0.416, true},   {Quarter(700), 700, 0.586, true},
        {Quarter(750), 750, 0.629, false}, {Quarter(800), 800, 0.671, false},
        // The arc tools' pieces shorter than a quarter stay accepted up to 800 points.
        {byArcTool(150, 45), 150, 0.004, true}, {byArcTool(800, 30), 800, 0.087, true},
    };
    for (const Case& k : cases) {
        AIRealPoint centre{NAN, NAN};
        AIReal radius = NAN;
        ASSERT_EQ(GetCenter(k.piece, bezierPointAt(k.piece, 0.3f), &centre, &radius), 0) << k.radius;
        EXPECT_NEAR(radius, k.radius, 1e-4 * k.radius);
        EXPECT_NEAR(Distance(centre, kCentre), k.offset, 0.002) << k.radius;
        EXPECT_EQ(BezierIsCircleSegment(k.piece, centre, radius), k.accepted) << k.radius;
    }
    // Only t = 0.1 ... 0.9 are sampled: ends pushed 0.6 points out pass, a radius 0.6 off does not.
    AIRealBezier endsOut = Quarter(100);
    endsOut.p0.h += 0.6f;
    endsOut.p3.v += 0.6f;
    EXPECT_TRUE(BezierIsCircleSegment(endsOut, kCentre, 100));
    EXPECT_FALSE(BezierIsCircleSegment(Quarter(100), kCentre, 100.6f));
}

TEST(CurveFit, StraightPiecesAndAWalkThatAlwaysEnds) {
    struct Case {
        const char* name;
        AIRealBezier piece;
        int32_t result;
        bool radiusWritten, centreWritten;
    } const cases[] = {
        {"handles on their anchors", {{0, 0}, {0, 0}, {100, 50}, {100, 50}}, 1, false, false},
        // The walk's start was sqrt(1 / 0), and it never ended.
        {"handles on the start anchor", {{0, 0}, {0, 0}, {0, 0}, {100, 50}}, 1, false, false},
        {"start handle retracted", {{0, 0}, {0, 0}, {50, 100}, {100, 0}}, 0, true, true},
        {"starting at rest, beyond its end", {{0, 0}, {0, 0}, {0, 0.1f}, {100, 0}}, 0, true, true},
        {"not a number", {{NAN, 0}, {1, 1}, {2, 1}, {3, 0}}, 0, false, false},
    };
    for (const Case& k : cases) {
        AIRealPoint centre{NAN, NAN};
        AIReal radius = NAN;
        EXPECT_EQ(GetCenter(k.piece, {1000, 1000}, &centre, &radius), k.result) << k.name;
        EXPECT_EQ(!std::isnan(radius), k.radiusWritten) << k.name;
        EXPECT_EQ(!std::isnan(centre.h), k.centreWritten) << k.name;
        EXPECT_EQ(WalkToReference(k.piece, {1000, 1000}), 1.0f) << k.name;  // nothing within 2 points
    }
}

TEST(CurveFit, FilletArcsEndWhereTheCircleDoes) {
    const AIRealPoint c{80, 20};
    const double r = 20, k = kKappa * r;
    const auto on = [&](double degrees, double in, double out) { return OnCircle(c, r, degrees, in, out); };
    const AIPathSegment origin{{0, 0}, {0, 0}, {0, 0}, true}, top{{0, 40}, {0, 40}, {0, 40}, true};
    const std::vector<AIPathSegment> fillet{origin, on(270, 0, k), on(0, k, 0), top};  // a corner rounded
    const std::vector<AIPathSegment> circle{on(0, k, k), on(90, k, k), on(180, k, k), on(270, k, k)};
    const std::vector<AIPathSegment> dWithAnchor0MidArc{on(0, k, k), on(90, k, 0), on(270, 0, k)};
    struct Case {
        const char* name;
        const std::vector<AIPathSegment>& path;
        bool closed;
        ai_int16 piece;
        AIRealPoint start, end;
        bool whole;
    } const cases[] = {
        {"fillet", fillet, false, 1, {80, 0}, {100, 20}, false},
        {"whole circle", circle, true, 2, {80, 0}, {80, 0}, true},
        {"across the first anchor", dWithAnchor0MidArc, true, 0, {80, 0}, {80, 40}, false},
        // Open, its end handles along the circle: no piece closes it.
        {"three quarters", circle, false, 1, {100, 20}, {80, 0}, false},
    };
    for (const Case& t : cases) {
        FilletArc arc;
        const auto count = static_cast<ai_int16>(t.path.size());
        ASSERT_EQ(FilletArcEnds(t.path.data(), count, t.closed, t.piece, c, r, &arc), kNoErr) << t.name;
        EXPECT_LT(Distance(arc.start, t.start), 1e-4) << t.name;
        EXPECT_LT(Distance(arc.end, t.end), 1e-4) << t.name;
        EXPECT_EQ(arc.wholeCircle, t.whole) << t.name;
    }
    FilletArc arc;
    EXPECT_EQ(FilletArcEnds(circle.data(), 4, false, 3, c, r, &arc), kOutOfRangeErr);
    EXPECT_EQ(FilletArcEnds(circle.data(), 4, true, -1, c, r, &arc), kOutOfRangeErr);
}

TEST(CurveFit, ArcCentresFromTheNormalsAtTwoClicks) {
    // An ellipse 400 by 200 about the origin: its first two quarters.
    const AIRealBezier right{{200, 0}, {200, 55.23f}, {110.46f, 100}, {0, 100}};
    const AIRealBezier left{{0, 100}, {-110.46f, 100}, {-200, 55.23f}, {-200, 0}};
    const AIRealBezier line{{0, 0}, {10, 5}, {20, 10}, {30, 15}};
    struct Case {
        const char* name;
        AIRealBezier first;
        AIReal t1;
        AIRealBezier second;
        AIReal t2;
        AIErr result;
        AIRealPoint centre;
        double tolerance;  // the pieces only come near their circle or ellipse
    } const cases[] = {
        {"circle, two quarters", Quarter(100), 0.3f, Quarter(100, 180), 0.6f, kNoErr, kCentre, 0.1},
        {"half circle's ends", Quarter(100), 0, Quarter(100, 90), 1, kNoErr, kCentre, 1e-4},
        {"turned half circle's ends", Quarter(100, 30), 0, Quarter(100, 120), 1, kNoErr, kCentre, 1e-4},
        // Normals at mirrored points of an ellipse of axes 2 : 1 meet on its axis at -3 v.
        {"ellipse, mirrored", right, 0.3f, left, 0.7f, kNoErr, {0, -3 * bezierPointAt(right, 0.3f).v}, 0.5},
        {"ellipse, other curvature", right, 0.1f, left, 0.2f, kCADErr, {}, 0},
        {"one straight piece", line, 0.2f, line, 0.7f, kNotApplicableErr, {}, 0},
    };
    for (const Case& t : cases) {
        ArcThroughClicks arc{};
        ASSERT_EQ(ArcCentreFromNormals(t.first, t.t1, t.second, t.t2, &arc), t.result) << t.name;
        if (t.result == kNoErr) {
            EXPECT_LT(Distance(arc.centre, t.centre), t.tolerance) << t.name;
        }
    }
}

}  // namespace
