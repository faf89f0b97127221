// Where the tools snap their points: onto an anchor under the point, else (for the drags
// and the three-point circle, not for the typed builders) onto the grid, here a stand-in
// grid of 10-point steps; and with no grid service, not at all.
#include <cmath>

#include "DrawToolsFixture.h"

namespace drawtest {
namespace {

int gSnaps = 0;

int SnapToTens(AIRealPoint* p) {
    ++gSnaps;
    p->h = std::round(p->h / 10) * 10;
    p->v = std::round(p->v / 10) * 10;
    return 1;
}

struct SnappingTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        gSnaps = 0;
        panels.services.snapToGridCheckAxonometric = &SnapToTens;
        // The press itself stays where it is; the tools ask the grid.
        g->prefs.snapToGrid = 0;
        g->prefs.objectSnapFullScreenCursor = 0;
    }
};

TEST_F(SnappingTest, DragsSnapBothEndsToTheGrid) {
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    ASSERT_EQ(Drag({3, 4}, {47, 38}), kNoErr);
    const standin::Art* rect = Only();
    ASSERT_NE(rect, nullptr);
    EXPECT_PT(rect->segments[0].p, 0, 0, kTol);
    EXPECT_PT(rect->segments[2].p, 50, 40, kTol);
    EXPECT_PT(g->firstClick, 0, 0, kTol);  // kept for the gesture

    ASSERT_EQ(session->selectTool("CAD Ellipse"), kNoErr);
    ASSERT_EQ(Drag({103, 104}, {147, 138}), kNoErr);
    EXPECT_PT(Paths()[0]->segments[0].p, 150, 120, kTol);  // box from (100, 100) to (150, 140)

    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    ASSERT_EQ(Drag({203, 204}, {247, 238}), kNoErr);
    EXPECT_PT(Paths()[0]->segments[0].p, 200, 200, kTol);
    EXPECT_PT(Paths()[0]->segments[1].p, 250, 240, kTol);
}

TEST_F(SnappingTest, AnAnchorUnderThePointWinsOverTheGrid) {
    Polyline({{12, 13}, {12, 90}});
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    ASSERT_EQ(Drag({13, 14}, {47, 38}), kNoErr);
    EXPECT_PT(Paths()[0]->segments[0].p, 12, 13, kTol);
    EXPECT_PT(Paths()[0]->segments[2].p, 50, 40, kTol);
}

TEST_F(SnappingTest, TypedBuildersSnapToAnchorsOnly) {
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    Answer("CADRect", {Type(4, "20"), Type(6, "20"), Press(1)});
    ASSERT_EQ(session->click({3, 4}), kNoErr);
    EXPECT_PT(Only()->segments[0].p, 3, 4, kTol);

    Polyline({{100, 100}, {100, 200}});
    ASSERT_EQ(session->selectTool("CAD Ellipse From Center"), kNoErr);
    Answer("CADEllipse", {Type(4, "20"), Type(6, "20"), Press(1)});
    ASSERT_EQ(session->click({101, 101}), kNoErr);
    EXPECT_PT(Paths()[0]->segments[0].p, 110, 100, kTol);  // centred on the anchor

    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    Answer("CADLine", {Type(4, "10"), Press(1)});
    ASSERT_EQ(session->click({303, 304}), kNoErr);
    EXPECT_PT(Paths()[0]->segments[0].p, 303, 304, kTol);
    EXPECT_EQ(gSnaps, 0);
}

TEST_F(SnappingTest, ThreePointClicksSnapToTheGrid) {
    ASSERT_EQ(session->selectTool("Three Point Circle"), kNoErr);
    for (AIRealPoint p : {AIRealPoint{1, 2}, AIRealPoint{48, 12}, AIRealPoint{99, -3}}) ASSERT_EQ(session->click(p), kNoErr);
    // (0, 0), (50, 10), (100, 0): the circle of radius 130 about (50, -120).
    EXPECT_PT(Only()->segments[1].p, 50, 10, kTol);
    EXPECT_PT(Only()->segments[0].p, 180, -120, kTol);
}

TEST_F(SnappingTest, WithoutAGridNothingMoves) {
    panels.services.snapToGridCheckAxonometric = nullptr;
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    ASSERT_EQ(Drag({3, 4}, {47, 38}), kNoErr);
    EXPECT_PT(Only()->segments[0].p, 3, 4, kTol);
    EXPECT_PT(Only()->segments[2].p, 47, 38, kTol);
}

}  // namespace
}  // namespace drawtest
