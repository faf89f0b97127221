// The CAD rectangle tools by drag and by "CADRect": corner and centre, the shift square,
// the option swap, anchor snapping and what the tracker is told.
#include "DrawToolsFixture.h"

namespace drawtest {
namespace {

struct RectToolTest : DrawToolsTest {
    // The corners in path order, and that the path is one closed four-anchor rectangle.
    void ExpectRect(const standin::Art* path, std::vector<AIRealPoint> corners) {
        ASSERT_NE(path, nullptr);
        ASSERT_EQ(path->segments.size(), 4u);
        EXPECT_TRUE(path->closed);
        EXPECT_TRUE(path->centerPointVisible);
        for (size_t i = 0; i < 4; ++i) {
            const AIPathSegment& s = path->segments[i];
            EXPECT_PT(s.p, corners[i].h, corners[i].v, kTol);
            EXPECT_TRUE(s.corner);
            EXPECT_PT(s.in, s.p.h, s.p.v, kTol);
            EXPECT_PT(s.out, s.p.h, s.p.v, kTol);
        }
    }
};

TEST_F(RectToolTest, ToolsAreRegisteredWithTheirTitlesInTheFifthToolSet) {
    const auto& registry = session->registry();
    for (const char* title : {"CAD Line", "CAD Rectangle", "CAD Rectangle From Center", "CAD Ellipse",
                              "CAD Ellipse From Center", "Three Point Circle"}) {
        const long t = registry.toolByTitle(title);
        ASSERT_GE(t, 0) << title;
        EXPECT_FALSE(registry.tools[size_t(t)].tip.empty()) << title;
    }
    const long line = registry.toolByTitle("CAD Line");
    const long circle = registry.toolByTitle("Three Point Circle");
    EXPECT_EQ(registry.tools[size_t(line)].toolset, registry.tools[size_t(circle)].toolset);
    EXPECT_EQ(registry.tools[size_t(line)].tip, "Drag to draw a line; click to type its length and angle");
}

TEST_F(RectToolTest, CornerCentreAndShiftSquare) {
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    ASSERT_EQ(Drag({0, 0}, {30, -10}, aiEventModifiers_Shift), kNoErr);
    ExpectRect(Only(), {{0, 0}, {30, 0}, {30, -30}, {0, -30}});
    ASSERT_FALSE(gTrackerReports.empty());
    const TrackerReport& t = gTrackerReports.back();
    // The cursor (not the squared corner), the signed size, the diagonal, no length.
    EXPECT_FLOAT_EQ(t.x, 30);
    EXPECT_FLOAT_EQ(t.y, -10);
    EXPECT_FLOAT_EQ(t.w, 30);
    EXPECT_FLOAT_EQ(t.h, -30);
    EXPECT_FLOAT_EQ(t.width, 30);
    EXPECT_FLOAT_EQ(t.height, -30);
    EXPECT_EQ(t.seventh, kEmpty);
    EXPECT_NEAR(t.angle, -45, 1e-4);
    EXPECT_EQ(t.length, kEmpty);
    EXPECT_FLOAT_EQ(t.perimeter, 120);
    EXPECT_FLOAT_EQ(t.area, 900);
}

TEST_F(RectToolTest, FromTheCentreAndTheOptionSwap) {
    ASSERT_EQ(session->selectTool("CAD Rectangle From Center"), kNoErr);
    ASSERT_EQ(Drag({10, 10}, {15, 20}), kNoErr);
    ExpectRect(Only(), {{5, 0}, {15, 0}, {15, 20}, {5, 20}});

    // Option makes the corner tool draw from the centre, and the centre tool from a corner.
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    ASSERT_EQ(Drag({100, 100}, {105, 110}, aiEventModifiers_Option), kNoErr);
    ASSERT_EQ(PathCount(), 2u);
    ExpectRect(Paths()[0], {{95, 90}, {105, 90}, {105, 110}, {95, 110}});
    ASSERT_EQ(session->selectTool("CAD Rectangle From Center"), kNoErr);
    ASSERT_EQ(Drag({200, 200}, {210, 220}, aiEventModifiers_Option), kNoErr);
    ExpectRect(Paths()[0], {{200, 200}, {210, 200}, {210, 220}, {200, 220}});
    // Each gesture left one group with one rectangle: the drags in between were undone.
    EXPECT_EQ(PathCount(), 3u);
    EXPECT_EQ(GroupCount(), 3u);
}

TEST_F(RectToolTest, TheFirstCornerSnapsToAnAnchorForTheWholeGesture) {
    Polyline({{50, 50}, {90, 80}});
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    ASSERT_EQ(session->mouseDown({51.5f, 48.8f}), kNoErr);
    ASSERT_EQ(session->mouseDrag({70, 20}), kNoErr);
    EXPECT_PT(g->firstClick, 50, 50, kTol);  // moved onto the anchor, and kept
    ASSERT_EQ(session->mouseDrag({80, 10}), kNoErr);
    ASSERT_EQ(session->mouseUp({80, 10}), kNoErr);
    ExpectRect(Paths()[0], {{50, 50}, {80, 50}, {80, 10}, {50, 10}});
}

TEST_F(RectToolTest, DialogDrawsBelowAndRightOfTheClickOrCentredOnIt) {
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    Answer("CADRect", {Type(4, "100"), Type(6, "50"), Press(1)});
    ASSERT_EQ(session->click({0, 0}), kNoErr);
    EXPECT_TRUE(DialogFailures().empty());
    ExpectRect(Only(), {{0, 0}, {100, 0}, {100, -50}, {0, -50}});
    EXPECT_FLOAT_EQ(g->inputRectWidth, 100);
    EXPECT_FLOAT_EQ(g->inputRectHeight, 50);  // stored as typed, not negated

    // The centre tool, and the corner tool with option, centre it; the values come back.
    ASSERT_EQ(session->selectTool("CAD Rectangle From Center"), kNoErr);
    Answer("CADRect", {Press(1)});
    ASSERT_EQ(session->click({0, 0}), kNoErr);
    ExpectRect(Paths()[0], {{-50, 25}, {50, 25}, {50, -25}, {-50, -25}});
    const TrackerReport& t = gTrackerReports.back();
    EXPECT_FLOAT_EQ(t.x, 50);
    EXPECT_FLOAT_EQ(t.y, -25);
    EXPECT_FLOAT_EQ(t.w, 100);
    EXPECT_FLOAT_EQ(t.h, -50);
    EXPECT_NEAR(t.length, std::sqrt(100.0 * 100 + 50 * 50), 1e-3);
    EXPECT_FLOAT_EQ(t.perimeter, 300);
    EXPECT_FLOAT_EQ(t.area, 5000);

    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    Answer("CADRect", {Press(1)});
    ASSERT_EQ(session->click({300, 300}, aiEventModifiers_Option), kNoErr);
    ExpectRect(Paths()[0], {{250, 325}, {350, 325}, {350, 275}, {250, 275}});
    EXPECT_TRUE(DialogFailures().empty());
}

TEST_F(RectToolTest, WithoutATrackerPanelTheToolsStillDraw) {
    panels.services = PlotwiseServices{};
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    ASSERT_EQ(Drag({0, 0}, {40, 40}), kNoErr);
    ExpectRect(Only(), {{0, 0}, {40, 0}, {40, 40}, {0, 40}});
    EXPECT_TRUE(gTrackerReports.empty());
}

TEST_F(RectToolTest, ATrackerErrorEndsTheDragBeforeAnyCornerIsWritten) {
    gTrackerResult = 'TRAK';
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    ASSERT_EQ(session->mouseDown({0, 0}), kNoErr);
    EXPECT_EQ(session->mouseDrag({40, 40}), AIErr('TRAK'));
    session->mouseUp({40, 40});
    EXPECT_EQ(PathCount(), 0u);  // the failed drag's path goes with it
}

}  // namespace
}  // namespace drawtest
