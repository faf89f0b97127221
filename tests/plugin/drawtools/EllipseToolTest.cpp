// The CAD circle and ellipse tools by drag and by "CADEllipse": the shape drawn, what the
// tracker is told, and its captions, which follow the way the shape was drawn (option
// swapping corner and centre) and are set once a drag has drawn.
#include "DrawToolsFixture.h"

namespace drawtest {
namespace {

struct EllipseToolTest : DrawToolsTest {
    // Centre and semi-axes of a drawn four-segment ellipse, from its anchors.
    void ExpectEllipse(const standin::Art* path, AIReal cx, AIReal cy, AIReal a, AIReal b) {
        ASSERT_NE(path, nullptr);
        ASSERT_EQ(path->segments.size(), 4u);
        EXPECT_TRUE(path->closed);
        EXPECT_TRUE(path->centerPointVisible);
        EXPECT_PT(path->segments[0].p, cx + a, cy, kTol);
        EXPECT_PT(path->segments[1].p, cx, cy + b, kTol);
        EXPECT_PT(path->segments[2].p, cx - a, cy, kTol);
        EXPECT_PT(path->segments[3].p, cx, cy - b, kTol);
        for (const AIPathSegment& s : path->segments) EXPECT_FALSE(s.corner);
    }
    std::pair<int32_t, int32_t> LastCaptions() const {
        return gCaptions.empty() ? std::make_pair(0, 0) : gCaptions.back();
    }
};

TEST_F(EllipseToolTest, DraggedFromACornerWithoutModifiers) {
    ASSERT_EQ(session->selectTool("CAD Ellipse"), kNoErr);
    ASSERT_EQ(Drag({0, 0}, {100, 50}), kNoErr);
    const standin::Art* path = Only();
    ExpectEllipse(path, 50, 25, 50, 25);
    // Vertical handles 13.806915 at anchors 0 and 2, horizontal 27.613831 at 1 and 3.
    EXPECT_NEAR(path->segments[0].out.v - path->segments[0].p.v, 13.806915f, 1e-4);
    EXPECT_NEAR(path->segments[1].in.h - path->segments[1].p.h, 27.613831f, 1e-4);
    const TrackerReport& t = gTrackerReports.back();
    EXPECT_FLOAT_EQ(t.x, 100);
    EXPECT_FLOAT_EQ(t.y, 50);
    EXPECT_FLOAT_EQ(t.w, 100);
    EXPECT_FLOAT_EQ(t.h, 50);
    EXPECT_NEAR(t.angle, 26.565, 1e-3);
    EXPECT_EQ(t.length, kEmpty);
    EXPECT_NEAR(t.perimeter, 238.2042, 1e-3);
    EXPECT_NEAR(t.area, 3926.9907, 1e-2);
    EXPECT_EQ(LastCaptions(), std::make_pair(17403, 17404));
}

TEST_F(EllipseToolTest, ShiftMakesACircleAndTheCaptionsNameItsDiameterOrRadius) {
    ASSERT_EQ(session->selectTool("CAD Ellipse"), kNoErr);
    ASSERT_EQ(Drag({0, 0}, {100, 50}, aiEventModifiers_Shift), kNoErr);
    ExpectEllipse(Only(), 50, 50, 50, 50);
    EXPECT_FLOAT_EQ(gTrackerReports.back().length, 100);  // the diameter
    EXPECT_EQ(LastCaptions(), std::make_pair(17401, 17405));
    // The captions come after the shape was drawn and reported.
    ASSERT_GE(gTrackerLog.size(), 2u);
    EXPECT_EQ(gTrackerLog[gTrackerLog.size() - 2], "tracker");

    ASSERT_EQ(session->selectTool("CAD Ellipse From Center"), kNoErr);
    ASSERT_EQ(Drag({0, 0}, {30, -80}, aiEventModifiers_Shift), kNoErr);
    ExpectEllipse(Paths()[0], 0, 0, 80, 80);
    EXPECT_FLOAT_EQ(gTrackerReports.back().length, 80);  // the radius
    EXPECT_NEAR(gTrackerReports.back().angle, -45, 1e-4);
    EXPECT_EQ(LastCaptions(), std::make_pair(17402, 17405));
}

TEST_F(EllipseToolTest, OptionSwapsCornerAndCentreAndTheCaptionsFollow) {
    ASSERT_EQ(session->selectTool("CAD Ellipse"), kNoErr);
    ASSERT_EQ(Drag({0, 0}, {30, -80}, aiEventModifiers_Shift | aiEventModifiers_Option), kNoErr);
    ExpectEllipse(Only(), 0, 0, 80, 80);
    EXPECT_EQ(LastCaptions(), std::make_pair(17402, 17405));

    ASSERT_EQ(session->selectTool("CAD Ellipse From Center"), kNoErr);
    ASSERT_EQ(Drag({200, 200}, {300, 250}, aiEventModifiers_Shift | aiEventModifiers_Option), kNoErr);
    ExpectEllipse(Paths()[0], 250, 250, 50, 50);
    EXPECT_EQ(LastCaptions(), std::make_pair(17401, 17405));
}

TEST_F(EllipseToolTest, ShiftWhileIgnoredAndFlatDrags) {
    // With shift and the cursor straight below the start, the circle lies to the left.
    ASSERT_EQ(session->selectTool("CAD Ellipse"), kNoErr);
    ASSERT_EQ(Drag({0, 0}, {0, -40}, aiEventModifiers_Shift), kNoErr);
    ExpectEllipse(Only(), -20, -20, 20, 20);

    // A purely horizontal drag: anchors 1 and 3 on the centre, no area, 3.5742406 a.
    ASSERT_EQ(Drag({0, 100}, {80, 100}), kNoErr);
    ExpectEllipse(Paths()[0], 40, 100, 40, 0);
    EXPECT_EQ(gTrackerReports.back().area, 0.0f);
    EXPECT_NEAR(gTrackerReports.back().perimeter, 3.5742406 * 40, 1e-3);

    // While shift is ignored it neither makes a circle nor names one.
    g->ignoreShift = 1;
    ASSERT_EQ(Drag({0, 300}, {100, 350}, aiEventModifiers_Shift), kNoErr);
    ExpectEllipse(Paths()[0], 50, 325, 50, 25);
    EXPECT_EQ(LastCaptions(), std::make_pair(17403, 17404));
    g->ignoreShift = 0;
}

TEST_F(EllipseToolTest, AFailedDragSetsNoCircleCaptions) {
    gTrackerResult = 'TRAK';
    ASSERT_EQ(session->selectTool("CAD Ellipse"), kNoErr);
    ASSERT_EQ(session->mouseDown({0, 0}, aiEventModifiers_Shift), kNoErr);
    EXPECT_EQ(session->mouseDrag({60, 60}, aiEventModifiers_Shift), AIErr('TRAK'));
    session->mouseUp({60, 60});
    EXPECT_EQ(LastCaptions(), std::make_pair(17403, 17404));  // the tool's pair, set before the drag
    EXPECT_EQ(PathCount(), 0u);  // the failed drag's path goes with it
}

TEST_F(EllipseToolTest, DialogFromACornerOrTheCentreAndSignedSizes) {
    ASSERT_EQ(session->selectTool("CAD Ellipse"), kNoErr);
    Answer("CADEllipse", {Type(4, "100"), Type(6, "50"), Press(1)});
    ASSERT_EQ(session->click({10, 10}), kNoErr);
    ExpectEllipse(Only(), 60, -15, 50, 25);  // x from 10 to 110, y from 10 down to -40
    EXPECT_FLOAT_EQ(gTrackerReports.back().length, 75);  // a + b from a corner

    ASSERT_EQ(session->selectTool("CAD Ellipse From Center"), kNoErr);
    Answer("CADEllipse", {Press(1)});
    ASSERT_EQ(session->click({10, 10}), kNoErr);
    ExpectEllipse(Paths()[0], 10, 10, 50, 25);
    EXPECT_FLOAT_EQ(gTrackerReports.back().length, 37.5f);  // (a + b) / 2 from the centre

    // Option swaps here too; a negative width puts a corner ellipse left of the click.
    Answer("CADEllipse", {Type(4, "-100"), Press(1)});
    ASSERT_EQ(session->click({300, 300}, aiEventModifiers_Option), kNoErr);
    ExpectEllipse(Paths()[0], 250, 275, 50, 25);
    EXPECT_FLOAT_EQ(g->inputEllipseWidth, -100);
    EXPECT_TRUE(DialogFailures().empty());
}

}  // namespace
}  // namespace drawtest
