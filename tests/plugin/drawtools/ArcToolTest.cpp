// The arc builder and the two CAD arc tools: quarter and complementary arcs by radius, arcs
// through two points by drag and by typed radius (centres worked out by hand: a chord of 20
// and a radius of 20 put the centre sqrt(300) = 17.3205 from the chord), the radius check
// of the dialog, snapped ends that would once have made no number, and the tracker.
#include <cmath>

#include "DrawToolsFixture.h"
#include "core/PlotwiseSuites.h"
#include "dimtools/ArcSegment.h"

namespace drawtest {
namespace {

constexpr double kQuarterHandle = 10 * 2 / 3.6213737826;  // radius 10

struct ArcToolTest : DrawToolsTest {
    // The anchors of the only path.
    std::vector<AIRealPoint> Anchors() const {
        std::vector<AIRealPoint> out;
        if (const standin::Art* a = Only())
            for (const AIPathSegment& s : a->segments) out.push_back(s.p);
        return out;
    }
    void ExpectAnchors(std::initializer_list<AIRealPoint> want, AIReal tol = 2e-3f) {
        const std::vector<AIRealPoint> got = Anchors();
        ASSERT_EQ(got.size(), want.size());
        size_t i = 0;
        for (const AIRealPoint& p : want) {
            EXPECT_PT(got[i], p.h, p.v, tol) << "anchor " << i;
            ++i;
        }
    }
};

TEST_F(ArcToolTest, ByRadiusAQuarterAndItsComplement) {
    ASSERT_EQ(session->selectTool("CAD Arc"), kNoErr);
    ASSERT_EQ(session->click({100, 100}), kNoErr);           // the centre
    ASSERT_EQ(Drag({110, 100}, {100, 105}), kNoErr);         // radius 10, then the end direction
    ExpectAnchors({{110, 100}, {100, 110}});
    const standin::Art* arc = Only();
    ASSERT_NE(arc, nullptr);
    EXPECT_FALSE(arc->closed);
    EXPECT_TRUE(arc->centerPointVisible);
    EXPECT_NEAR(arc->segments[0].out.v - 100, kQuarterHandle, 1e-3);
    EXPECT_NEAR(arc->segments[1].in.h - 100, kQuarterHandle, 1e-3);
    EXPECT_EQ(g->didFirstClick + g->didSecondClick, 0);
    // The tracker: the cursor, the bounds twice, the sweep, radius, arc length and sector.
    ASSERT_FALSE(gTrackerReports.empty());
    const TrackerReport& r = gTrackerReports.back();
    EXPECT_FLOAT_EQ(r.x, 100);
    EXPECT_FLOAT_EQ(r.y, 105);
    EXPECT_NEAR(r.w, 10, 1e-4);
    EXPECT_NEAR(r.h, 10, 1e-4);
    EXPECT_NEAR(r.width, 10, 1e-4);
    EXPECT_EQ(r.seventh, kEmpty);
    EXPECT_NEAR(r.angle, 90, 1e-3);
    EXPECT_NEAR(r.length, 10, 1e-4);
    EXPECT_NEAR(r.perimeter, 5 * M_PI, 1e-3);
    EXPECT_NEAR(r.area, 25 * M_PI, 1e-2);
    EXPECT_EQ(gCaptions.back(), std::make_pair(17402, 17406));

    // Command: from the cursor's direction round to the start, through 180 and 270 degrees.
    session->hostEvent([&] { return doc->disposeArt(Only()->id); });
    ASSERT_EQ(session->click({100, 100}), kNoErr);
    ASSERT_EQ(Drag({110, 100}, {100, 130}, aiEventModifiers_Command), kNoErr);
    ExpectAnchors({{100, 110}, {90, 100}, {100, 90}, {110, 100}});
}

TEST_F(ArcToolTest, ByRadiusFromTheDialogWrapsThroughThreeSixty) {
    ASSERT_EQ(session->selectTool("CAD Arc"), kNoErr);
    Answer("CADArcByRadius", {Type(4, "10"), Type(6, "0"), Type(8, "-90"), Press(1)});
    ASSERT_EQ(session->click({100, 100}), kNoErr);
    ASSERT_EQ(session->click({300, 300}), kNoErr);  // a second click without a drag asks
    EXPECT_TRUE(DialogFailures().empty());
    ExpectAnchors({{110, 100}, {100, 110}, {90, 100}, {100, 90}});
    EXPECT_EQ(g->useNumericInputValues, 1);
    EXPECT_FLOAT_EQ(g->inputArcByRadiusRadius, 10);
    EXPECT_FLOAT_EQ(g->inputArcByRadiusEndAngle, -90);
    // Cancel draws nothing.
    session->hostEvent([&] { return doc->disposeArt(Only()->id); });
    Answer("CADArcByRadius", {Press(2)});
    session->click({100, 100});
    session->click({300, 300});
    EXPECT_EQ(PathCount(), 0u);
    EXPECT_EQ(g->cancelledInputDialog, 1);
}

TEST_F(ArcToolTest, ByPointsFromTheDialog) {
    ASSERT_EQ(session->selectTool("CAD Arc By Points"), kNoErr);
    // Radius 10 on a chord of 20: the half circle below.
    Answer("CADArcByPoints", {Type(4, "10"), Press(1)});
    session->click({90, 100});
    session->click({110, 100});
    ExpectAnchors({{90, 100}, {100, 90}, {110, 100}});
    session->hostEvent([&] { return doc->disposeArt(Only()->id); });

    // Radius 20: centre (100, 117.3205), the short arc dips to 117.3205 - 20.
    Answer("CADArcByPoints", {Type(4, "20"), Press(1)});
    session->click({90, 100});
    session->click({110, 100});
    ExpectAnchors({{90, 100}, {100, 97.3205f}, {110, 100}});
    session->hostEvent([&] { return doc->disposeArt(Only()->id); });

    // Command: the long arc, over the top at 117.3205 + 20.
    Answer("CADArcByPoints", {Type(4, "20"), Press(1)});
    session->click({90, 100});
    session->click({110, 100}, aiEventModifiers_Command);
    const std::vector<AIRealPoint> a = Anchors();
    ASSERT_EQ(a.size(), 5u);
    EXPECT_PT(a.front(), 110, 100, kTol);
    EXPECT_PT(a[1], 120, 117.3205f, kTol);  // 0 degrees about the centre
    EXPECT_PT(a[2], 100, 137.3205f, kTol);
    EXPECT_PT(a.back(), 90, 100, kTol);
    EXPECT_TRUE(DialogFailures().empty());
}

TEST_F(ArcToolTest, ARadiusTooSmallForTheClicksKeepsTheDialogOpen) {
    ASSERT_EQ(session->selectTool("CAD Arc By Points"), kNoErr);
    Answer("CADArcByPoints", {Type(4, "9.99"), Press(1), Type(4, "10"), Press(1)});
    session->click({90, 100});
    session->click({110, 100});
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts()[0], "The radius is too small for an arc through the two points.");
    EXPECT_TRUE(DialogFailures().empty());  // the second OK found the dialog still open
    ExpectAnchors({{90, 100}, {100, 90}, {110, 100}});  // exactly half the chord: a half circle
}

TEST_F(ArcToolTest, ByPointsDraggedAcrossTheChordsMiddleIsAHalfCircle) {
    ASSERT_EQ(session->selectTool("CAD Arc By Points"), kNoErr);
    session->click({90, 100});
    ASSERT_EQ(Drag({110, 100}, {100, 100}), kNoErr);
    ExpectAnchors({{90, 100}, {100, 90}, {110, 100}});
    // Dragged 10 below the chord: the centre follows to (100, 90), a quarter of radius 14.14
    // bulging down to 90 - 14.14.
    session->hostEvent([&] { return doc->disposeArt(Only()->id); });
    session->click({90, 100});
    ASSERT_EQ(Drag({110, 100}, {100, 90}), kNoErr);
    const std::vector<AIRealPoint> a = Anchors();
    ASSERT_FALSE(a.empty());
    EXPECT_PT(a.front(), 90, 100, kTol);
    EXPECT_PT(a.back(), 110, 100, kTol);
    AIReal lowest = 1e9f;
    for (const AIRealPoint& p : a) lowest = std::min(lowest, p.v);
    EXPECT_NEAR(lowest, 90 - std::sqrt(200.0), 1e-3);
}

TEST_F(ArcToolTest, EndsSnappedFartherApartThanTheDiameterMakeAHalfCircleNotNoNumbers) {
    // Anchors 1 point beyond each click: the typed radius passed the dialog's check against
    // the clicks, but the snapped chord is 22 for a radius of 10.
    Polyline({{89, 100}, {89, 150}});
    Polyline({{111, 100}, {111, 150}});
    g->prefs.objectSnapFullScreenCursor = 0;  // the presses stay where they are: the tool snaps them
    ASSERT_EQ(session->selectTool("CAD Arc By Points"), kNoErr);
    Answer("CADArcByPoints", {Type(4, "10"), Press(1)});
    session->click({90, 100});
    session->click({110, 100});
    const standin::Art* arc = Paths()[0];
    ASSERT_EQ(arc->segments.size(), 3u);
    for (const AIPathSegment& s : arc->segments)
        for (const AIRealPoint& p : {s.p, s.in, s.out}) EXPECT_TRUE(std::isfinite(p.h) && std::isfinite(p.v));
    EXPECT_PT(arc->segments[0].p, 89, 100, kTol);
    EXPECT_PT(arc->segments[1].p, 100, 89, kTol);
    EXPECT_PT(arc->segments[2].p, 111, 100, kTol);
}

TEST_F(ArcToolTest, ADragAfterOnlyTheFirstClickIsExplained) {
    ASSERT_EQ(session->selectTool("CAD Arc"), kNoErr);
    EXPECT_EQ(Drag({100, 100}, {150, 120}), kCADErr);
    ASSERT_FALSE(Alerts().empty());
    EXPECT_EQ(Alerts().back(), "Click the two end points, then drag.");
    EXPECT_EQ(PathCount(), 0u);
}

TEST_F(ArcToolTest, TheBuilderPlacesPaintsAndReportsOnlyForTheArcTools) {
    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    AIPathStyle style = standin::defaultPathStyle();
    style.stroke.width = 0.25f;
    ASSERT_EQ(session->hostEvent([&] { return constructArcSegment({0, 0}, {0, 20}, {-5, 0}, nullptr, &style); }),
              kNoErr);
    const standin::Art* arc = Only();
    ASSERT_NE(arc, nullptr);
    EXPECT_FALSE(arc->centerPointVisible);  // a dimension's arc shows no centre
    EXPECT_FLOAT_EQ(arc->style.stroke.width, 0.25f);
    EXPECT_PT(arc->segments.back().p, -20, 0, kTol);  // radius 20 kept, on the ray through (-5, 0)
    EXPECT_TRUE(gTrackerReports.empty());             // another tool is current
    // A dimension's arc drawn while an arc tool is current (a redraw) is not the tool's.
    ASSERT_EQ(session->selectTool("CAD Arc"), kNoErr);
    ASSERT_EQ(session->hostEvent([&] { return constructArcSegment({0, 0}, {0, 20}, {-5, 0}, nullptr, &style); }),
              kNoErr);
    EXPECT_TRUE(gTrackerReports.empty());
}

}  // namespace
}  // namespace drawtest
