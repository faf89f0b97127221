// The three-point circle tool: circles through three clicks (checked against circumcentres
// worked out by hand), the orderings that make axis-parallel chords usable, points on one
// line, snapping, and that a refused set of clicks leaves no click behind.
#include "DrawToolsFixture.h"

namespace drawtest {
namespace {

struct ThreePointCircleTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        ASSERT_EQ(session->selectTool("Three Point Circle"), kNoErr);
    }
    AIErr Clicks(std::initializer_list<AIRealPoint> points) {
        AIErr last = kNoErr;
        for (AIRealPoint p : points) last = session->click(p);
        return last;
    }
    void ExpectCircle(const standin::Art* path, AIReal cx, AIReal cy, AIReal r) {
        ASSERT_NE(path, nullptr);
        ASSERT_EQ(path->segments.size(), 4u);
        EXPECT_TRUE(path->closed);
        EXPECT_TRUE(path->centerPointVisible);
        const AIRealPoint anchors[4] = {{cx + r, cy}, {cx, cy + r}, {cx - r, cy}, {cx, cy - r}};
        for (int i = 0; i < 4; ++i) EXPECT_PT(path->segments[size_t(i)].p, anchors[i].h, anchors[i].v, kTol);
        const AIReal handle = r * 2 / 3.6213737826f;
        EXPECT_NEAR(path->segments[0].out.v - path->segments[0].p.v, handle, 1e-3);
        EXPECT_NEAR(path->segments[1].in.h - path->segments[1].p.h, handle, 1e-3);
    }
};

TEST_F(ThreePointCircleTest, CircleThroughThreeClicks) {
    // Centre (50, -120): 50^2 + 120^2 = 130^2, and (50, 10) is 130 above it.
    ASSERT_EQ(Clicks({{0, 0}, {50, 10}, {100, 0}}), kNoErr);
    ExpectCircle(Only(), 50, -120, 130);
    EXPECT_NEAR(Only()->segments[0].out.v - Only()->segments[0].p.v, 71.79596, 1e-3);
    EXPECT_EQ(g->didFirstClick + g->didSecondClick + g->didThirdClick, 0);
    EXPECT_TRUE(gTrackerReports.empty());  // this tool reports nothing to the tracker
}

TEST_F(ThreePointCircleTest, AxisParallelChordsAreTakenInAnotherOrder) {
    // Only (third, second, first) puts a vertical chord before a horizontal one.
    ASSERT_EQ(Clicks({{0, 0}, {100, 0}, {100, 100}}), kNoErr);
    ExpectCircle(Only(), 50, 50, 70.710678f);
    // Vertical then horizontal as clicked.
    ASSERT_EQ(Clicks({{200, 100}, {200, 0}, {300, 0}}), kNoErr);
    ExpectCircle(Paths()[0], 250, 50, 70.710678f);
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(ThreePointCircleTest, PointsAlongOneAxisAreRefusedAndTheNextClickStartsAgain) {
    EXPECT_EQ(Clicks({{0, 0}, {10, 0}, {20, 0}}), kCADErr);
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts()[0], "No circle can be made from these points because they lie along one axis.");
    EXPECT_EQ(PathCount(), 0u);
    EXPECT_EQ(g->didFirstClick + g->didSecondClick + g->didThirdClick + g->clickNum, 0);
    // The next three clicks make a circle: none of them is lost.
    ASSERT_EQ(Clicks({{0, 0}, {50, 10}, {100, 0}}), kNoErr);
    ExpectCircle(Only(), 50, -120, 130);

    EXPECT_EQ(Clicks({{5, 0}, {5, 7}, {5, 30}}), kCADErr);
    EXPECT_EQ(Alerts().size(), 2u);
    EXPECT_EQ(PathCount(), 1u);
}

TEST_F(ThreePointCircleTest, PointsOnASlantedLineKeepTheClicksForANewThirdPoint) {
    EXPECT_EQ(Clicks({{0, 0}, {10, 10}, {20, 20}}), kCADErr);
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(PathCount(), 0u);
    EXPECT_EQ(g->didThirdClick, 1);
    // The next click replaces the third point: (0, 0), (10, 10), (20, 0) lie on the circle
    // of radius 10 about (10, 0).
    ASSERT_EQ(Clicks({{20, 0}}), kNoErr);
    ExpectCircle(Only(), 10, 0, 10);
}

TEST_F(ThreePointCircleTest, ClicksSnapToAnchors) {
    Polyline({{-1, 1}, {200, 300}});
    ASSERT_EQ(Clicks({{1, -1}, {50, 10}, {100, 0}}), kNoErr);
    EXPECT_PT(g->firstClick, -1, 1, kTol);  // moved onto the anchor, and kept
    // The circle through (-1, 1), (50, 10) and (100, 0): checked by its distances.
    const standin::Art* circle = Paths()[0];
    ASSERT_EQ(circle->segments.size(), 4u);
    const AIReal cx = (circle->segments[0].p.h + circle->segments[2].p.h) / 2;
    const AIReal cy = circle->segments[0].p.v;
    const AIReal r = circle->segments[0].p.h - cx;
    for (AIRealPoint p : {AIRealPoint{-1, 1}, AIRealPoint{50, 10}, AIRealPoint{100, 0}})
        EXPECT_NEAR(std::hypot(p.h - cx, p.v - cy), r, 1e-2);
}

TEST_F(ThreePointCircleTest, ADragIsRefusedAndAbandonsTheClicks) {
    ASSERT_EQ(Clicks({{0, 0}, {50, 10}}), kNoErr);
    ASSERT_EQ(session->mouseDown({100, 0}), kNoErr);
    EXPECT_EQ(session->mouseDrag({150, 50}), kCADErr);
    session->mouseUp({150, 50});
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts()[0], "Use this tool by clicking three points; it cannot be dragged.");
    EXPECT_EQ(PathCount(), 0u);
    ASSERT_EQ(Clicks({{0, 0}, {50, 10}, {100, 0}}), kNoErr);
    EXPECT_EQ(PathCount(), 1u);
}

}  // namespace
}  // namespace drawtest
