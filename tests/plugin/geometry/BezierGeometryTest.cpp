// Bezier spans, tangents, crossings with curves, lengths at a parameter, and areas and
// perimeters against independent computations (a fine polygon of the same curves).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/BezierGeometry.h"
#include "geometry/PlaneGeometry.h"

namespace {

constexpr double kKappa = 0.5522847498;

// A circle of radius r about (cx, cy) as four smooth spans, anticlockwise from (r, 0).
std::vector<AIPathSegment> circle(float cx, float cy, float r) {
    const float k = static_cast<float>(kKappa) * r;
    return {
        {{cx + r, cy}, {cx + r, cy - k}, {cx + r, cy + k}, 0},
        {{cx, cy + r}, {cx + k, cy + r}, {cx - k, cy + r}, 0},
        {{cx - r, cy}, {cx - r, cy + k}, {cx - r, cy - k}, 0},
        {{cx, cy - r}, {cx - k, cy - r}, {cx + k, cy - r}, 0},
    };
}

AIPathSegment corner(float h, float v) { return {{h, v}, {h, v}, {h, v}, 1}; }

// Shoelace area of the curves sampled finely, in double.
double sampledArea(const std::vector<AIPathSegment>& segs) {
    double sum = 0;
    const int n = static_cast<int>(segs.size());
    AIRealPoint prev = segs[0].p;
    for (int k = 0; k < n; ++k) {
        const AIPathSegment& a = segs[k];
        const AIPathSegment& b = segs[(k + 1) % n];
        const AIRealBezier bez{a.p, a.out, b.in, b.p};
        for (int i = 1; i <= 20000; ++i) {
            const double t = i / 20000.0, u = 1 - t;
            const double x = u * u * u * bez.p0.h + 3 * u * u * t * bez.p1.h + 3 * u * t * t * bez.p2.h + t * t * t * bez.p3.h;
            const double y = u * u * u * bez.p0.v + 3 * u * u * t * bez.p1.v + 3 * u * t * t * bez.p2.v + t * t * t * bez.p3.v;
            sum += prev.h * y - x * prev.v;
            prev = {static_cast<float>(x), static_cast<float>(y)};
        }
    }
    return sum / 2;
}

TEST(PathArea, CircleOfFourSpans) {
    const auto c = circle(20, -30, 100);
    AIReal area = 0, perimeter = 0;
    ASSERT_EQ(getPathAreaAndPerimeter(c.data(), 4, true, &area, &perimeter), kNoErr);
    EXPECT_NEAR(area, sampledArea(c), 1e-5 * area);
    EXPECT_NEAR(area, M_PI * 100 * 100, 1e-3 * area);  // the four-span circle is a hair larger
    EXPECT_NEAR(perimeter, 2 * M_PI * 100, 0.1);
    AIReal signedArea = 0;
    ASSERT_EQ(calculatePathAreaAndPerimeter(c.data(), 4, 0, 3, true, &signedArea, &perimeter), kNoErr);
    EXPECT_GT(signedArea, 0);  // anticlockwise
    std::vector<AIPathSegment> reversed(c.rbegin(), c.rend());
    for (auto& s : reversed) std::swap(s.in, s.out);
    ASSERT_EQ(calculatePathAreaAndPerimeter(reversed.data(), 4, 0, 3, true, &signedArea, &perimeter), kNoErr);
    EXPECT_NEAR(signedArea, -area, 1e-3 * area);
}

TEST(PathArea, PolygonsOpenPathsAndIndices) {
    const std::vector<AIPathSegment> square = {corner(0, 0), corner(10, 0), corner(10, 10), corner(0, 10)};
    AIReal area = 0, perimeter = 0;
    ASSERT_EQ(getPathAreaAndPerimeter(square.data(), 4, true, &area, &perimeter), kNoErr);
    EXPECT_NEAR(area, 100, 1e-4);
    EXPECT_NEAR(perimeter, 40, 1e-4);
    ASSERT_EQ(getPathAreaAndPerimeter(square.data(), 4, false, &area, &perimeter), kNoErr);
    EXPECT_EQ(area, kMissingValue);  // an open path has no area
    EXPECT_NEAR(perimeter, 30, 1e-4);
    ASSERT_EQ(calculatePathAreaAndPerimeter(square.data(), 4, 0, 2, false, &area, &perimeter), kNoErr);
    EXPECT_NEAR(area, 50, 1e-4);  // the triangle closed by its chord
    EXPECT_EQ(calculatePathAreaAndPerimeter(square.data(), 4, 0, 4, true, &area, &perimeter), kOutOfRangeErr);
    EXPECT_EQ(getPathAreaAndPerimeter(nullptr, 0, true, &area, &perimeter), kBadParameterErr);
    EXPECT_EQ(area, kMissingValue);
}

TEST(BezierSpans, WrapAndRange) {
    const std::vector<AIPathSegment> tri = {corner(0, 0), corner(10, 0), corner(0, 10)};
    AIRealBezier b{};
    ASSERT_EQ(ZMKGetPathRealBezier(tri.data(), 3, 2, &b), kNoErr);
    EXPECT_EQ(b.p3.h, 0);
    EXPECT_EQ(b.p3.v, 0);  // the anchor after the last is anchor 0
    ASSERT_EQ(ZMKGetPathRealBezier(tri.data(), 3, -1, &b), kNoErr);
    EXPECT_EQ(b.p0.v, 10);
    EXPECT_EQ(ZMKGetPathRealBezier(tri.data(), 3, 3, &b), kOutOfRangeErr);
    EXPECT_EQ(ZMKGetPathRealBezier(tri.data(), 3, -2, &b), kOutOfRangeErr);
}

TEST(BezierTangent, PointAndTangentFailOnlyOnNonFiniteValues) {
    const AIRealBezier line{{0, 0}, {10, 0}, {20, 0}, {30, 0}};
    AIRealPoint p{}, tan{};
    ASSERT_EQ(getPointAndTangentFromBezierT(line, 0.5f, &p, &tan), kNoErr);
    EXPECT_NEAR(p.h, 15, 1e-5);
    EXPECT_NEAR(tan.h, 16, 1e-5);
    EXPECT_NEAR(tan.v, 0, 1e-6);
    // Handles on their anchors: the direction comes from the other control points.
    const AIRealBezier flat{{0, 0}, {0, 0}, {0, 10}, {0, 10}};
    ASSERT_EQ(getPointAndTangentFromBezierT(flat, 0.0f, &p, &tan), kNoErr);
    EXPECT_NEAR(tan.v, 1, 1e-6);
    const AIRealBezier dot{{3, 3}, {3, 3}, {3, 3}, {3, 3}};
    ASSERT_EQ(getPointAndTangentFromBezierT(dot, 0.3f, &p, &tan), kNoErr);
    EXPECT_EQ(tan.h, 3);
    EXPECT_EQ(getPointAndTangentFromBezierT(line, NAN, &p, &tan), kCADErr);
    EXPECT_EQ(getPointAndTangentFromBezierT(line, INFINITY, &p, &tan), kCADErr);
    const AIRealBezier broken{{0, 0}, {NAN, 0}, {20, 0}, {30, 0}};
    EXPECT_EQ(getPointAndTangentFromBezierT(broken, 0.5f, &p, &tan), kCADErr);

    AIReal angle = 0, normal = 0;
    ASSERT_EQ(EvaluateAnglesFromBezierT(flat, 1.0f, &angle, &normal), kNoErr);
    EXPECT_NEAR(angle, M_PI / 2, 1e-6);
    EXPECT_NEAR(normal, M_PI, 1e-6);
}

TEST(BezierCurvature, StraightAndCurved) {
    EXPECT_FALSE(BezierIsCurved({{0, 0}, {0, 0}, {10, 0}, {10, 0}}));
    EXPECT_FALSE(BezierIsCurved({{0, 0}, {3, 0}, {7, 0}, {10, 0}}));  // handles along the chord
    EXPECT_TRUE(BezierIsCurved({{0, 0}, {3, 2}, {7, 0}, {10, 0}}));
    EXPECT_TRUE(BezierIsCurved({{0, 0}, {-3, 0}, {7, 0}, {10, 0}}));  // a handle pointing back
    EXPECT_FALSE(SegmentIsCurved(corner(0, 0), corner(5, 5)));
    EXPECT_TRUE(SegmentIsCurved({{0, 0}, {0, 0}, {1, 1}, 0}, corner(5, 5)));
}

TEST(BezierCrossings, LineAgainstAQuarterArc) {
    const float r = 100, k = static_cast<float>(kKappa) * r;
    const AIPathSegment a{{r, 0}, {r, 0}, {r, k}, 0}, b{{0, r}, {k, r}, {0, r}, 0};
    AIRealPoint x{};
    ASSERT_EQ(GetLineSegmentIntersectionWithBezier(corner(-10, 50), corner(200, 50), a, b, &x), kNoErr);
    EXPECT_NEAR(x.v, 50, 0.01);
    EXPECT_NEAR(x.h, std::sqrt(100.0 * 100 - 50 * 50), 0.6);  // the circle, to the spans' accuracy
    EXPECT_EQ(GetLineSegmentIntersectionWithBezier(corner(-10, 150), corner(200, 150), a, b, &x), kNoIntersectionErr);
}

TEST(BezierCrossings, LineAgainstAStraightSpanWithItsHandlesOnItsAnchors) {
    // Such a span moves as 3t^2 - 2t^3 along its chord: the 0.01 chord just before the
    // crossing ends 0.6 point short of it, within the point of slack, yet the crossing is in
    // the next chord.
    const AIPathSegment a = corner(60, 90), b = corner(60, 150);
    AIRealPoint x{};
    ASSERT_EQ(GetLineSegmentIntersectionWithBezier(corner(0, 100), corner(150, 100), a, b, &x), kNoErr);
    EXPECT_NEAR(x.h, 60, 1e-4);
    EXPECT_NEAR(x.v, 100, 0.5);
    // Parallel to the whole span, and missing it.
    EXPECT_EQ(GetLineSegmentIntersectionWithBezier(corner(0, 100), corner(150, 100), corner(300, 120), corner(400, 120), &x),
              kNotApplicableErr);
    EXPECT_EQ(GetLineSegmentIntersectionWithBezier(corner(0, 100), corner(150, 100), corner(500, 300), corner(500, 400), &x),
              kNoIntersectionErr);
    // A line passing half a point beyond the span's end still meets it there.
    ASSERT_EQ(GetLineSegmentIntersectionWithBezier(corner(0, 150.5f), corner(150, 150.5f), a, b, &x), kNoErr);
    EXPECT_NEAR(x.v, 150.5, 1e-4);
}

TEST(BezierCrossings, FilletOfTwoCrossingSpans) {
    const AIRealBezier a{{0, 0}, {10, 10}, {20, 20}, {30, 30}};
    const AIRealBezier b{{0, 30}, {10, 20}, {20, 10}, {30, 0}};
    AIRealPoint pt{};
    AIReal t = -1;
    ASSERT_GE(GetFilletIntersection(a, b, &pt, &t), 1);
    EXPECT_NEAR(pt.h, 15, 0.1);
    EXPECT_NEAR(t, 0.5, 0.01);
    // Spans that meet end to start.
    const AIRealBezier c{{30, 30}, {40, 30}, {50, 30}, {60, 30}};
    ASSERT_EQ(GetFilletIntersection(a, c, &pt, &t), 1);
    EXPECT_EQ(t, 1.0f);
    const AIRealBezier far{{100, 0}, {110, 0}, {120, 0}, {130, 0}};
    EXPECT_EQ(GetFilletIntersection(a, far, &pt, &t), 0);
}

TEST(BezierLength, ParameterAtLength) {
    const std::vector<AIPathSegment> line = {{{0, 0}, {0, 0}, {100.0f / 3, 0}, 0}, {{100, 0}, {200.0f / 3, 0}, {100, 0}, 0}};
    EXPECT_NEAR(TAtLength(line.data(), 2, 0, 25), 0.25, 0.002);
    EXPECT_NEAR(TAtLength(line.data(), 2, 0, 90), 0.9, 0.002);
    EXPECT_EQ(TAtLength(line.data(), 2, 5, 25), 0.0f);
}

}  // namespace

namespace {

std::vector<std::pair<AIReal, AIRealPoint>> gCrossings;
void recordCrossing(AIReal t, AIRealPoint p) { gCrossings.emplace_back(t, p); }

// A straight span from (0, 0) to (100, 0) whose parameter is x / 100.
constexpr AIRealBezier kAxis{{0, 0}, {100.0f / 3, 0}, {200.0f / 3, 0}, {100, 0}};

}  // namespace

TEST(BezierCrossingsTheHardWay, ArchCrossesTheAxisTwice) {
    const AIRealBezier arch{{10, -50}, {10, 150}, {90, 150}, {90, -50}};
    // Where the arch meets y = 0, found independently by bisection on its own parameter.
    const auto y = [&](double t) {
        const double u = 1 - t;
        return u * u * u * -50 + 3 * u * u * t * 150 + 3 * u * t * t * 150 + t * t * t * -50;
    };
    const auto root = [&](double lo, double hi) {
        for (int i = 0; i < 100; ++i) {
            const double mid = (lo + hi) / 2;
            ((y(lo) < 0) == (y(mid) < 0) ? lo : hi) = mid;
        }
        const double t = lo, u = 1 - t;
        return (u * u * u * 10 + 3 * u * u * t * 10 + 3 * u * t * t * 90 + t * t * t * 90) / 100;
    };
    gCrossings.clear();
    GetBezierIntersectionTheHardWay(&kAxis, &arch, recordCrossing);
    ASSERT_EQ(gCrossings.size(), 2u);
    EXPECT_NEAR(gCrossings[0].first, root(0.0, 0.5), 1e-3);
    EXPECT_NEAR(gCrossings[1].first, root(0.5, 1.0), 1e-3);
    for (const auto& [t, p] : gCrossings) {
        EXPECT_NEAR(p.h, 100 * t, 1e-3);
        EXPECT_NEAR(p.v, 0, 1e-3);
    }
}

TEST(BezierCrossingsTheHardWay, CrossingOnAChordJointIsReportedOnce) {
    // x = 18 is t = 0.18, where two of the coarsest chords meet.
    const AIRealBezier upright{{18, -10}, {18, -5}, {18, 5}, {18, 10}};
    gCrossings.clear();
    GetBezierIntersectionTheHardWay(&kAxis, &upright, recordCrossing);
    ASSERT_EQ(gCrossings.size(), 1u);
    EXPECT_NEAR(gCrossings[0].first, 0.18, 1e-4);
}

TEST(BezierCrossingsTheHardWay, ApartSpansReportNothing) {
    const AIRealBezier above{{0, 10}, {30, 40}, {70, 40}, {100, 10}};
    gCrossings.clear();
    GetBezierIntersectionTheHardWay(&kAxis, &above, recordCrossing);
    GetBezierIntersectionTheHardWay(nullptr, &above, recordCrossing);
    EXPECT_TRUE(gCrossings.empty());
}

namespace {

std::vector<AIPathSegment> square(float x, float y, float side, bool anticlockwise) {
    std::vector<AIPathSegment> s = {corner(x, y), corner(x + side, y), corner(x + side, y + side), corner(x, y + side)};
    if (!anticlockwise) std::reverse(s.begin() + 1, s.end());
    return s;
}

// Contours nested in one another (the plain hole of either rule is the tracker's test), each
// row's areas worked by hand: what is filled is the sum of the shares, a hole's negative.
TEST(CompoundArea, SharesFollowTheFillRule) {
    const auto outer = square(0, 0, 100, true);          // 10,000
    const auto holeSame = square(20, 20, 50, true);       // 2,500
    const auto holeOther = square(20, 20, 50, false);
    const auto island = square(30, 30, 10, true);         // 100, inside the hole
    const auto apart = square(200, 0, 10, false);         // 100, beside the outline
    const auto round = circle(50, 50, 20);                 // a hole of about 400 pi
    const double roundArea = std::fabs(sampledArea(round));
    const struct {
        const char* name;
        std::vector<const std::vector<AIPathSegment>*> contours;
        bool evenOdd;
        std::vector<double> shares;
    } rows[] = {
        {"even-odd, an island in the hole", {&outer, &holeSame, &island}, true, {10000, -2500, 100}},
        {"non-zero, an island in a hole", {&island, &outer, &holeOther}, false, {100, 10000, -2500}},
        {"a second outline beside the first", {&outer, &apart}, false, {10000, 100}},
        {"even-odd, a round hole", {&outer, &round}, true, {10000, -roundArea}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<PathContour> contours;
        for (const auto* c : r.contours) contours.push_back({c->data(), static_cast<ai_int16>(c->size()), true});
        const std::vector<double> shares = filledAreaShares(contours, r.evenOdd);
        ASSERT_EQ(shares.size(), r.shares.size());
        for (size_t i = 0; i < shares.size(); ++i) EXPECT_NEAR(shares[i], r.shares[i], 1e-6 * 10000) << i;
    }
    // An open contour is filled as its chord closes it.
    const std::vector<AIPathSegment> open = {corner(0, 0), corner(10, 0), corner(10, 10)};
    const std::vector<PathContour> triangle = {{open.data(), 3, false}};
    EXPECT_NEAR(filledAreaShares(triangle, true)[0], 50, 1e-9);
}

}  // namespace
