// The tangent and perpendicular line tool: the nearest of the four directions to a drag
// (exactly 45 degrees off the tangent still being the tangent), the piece and parameter
// used at a path's anchors, "PerpLine"'s direction codes and reversed and negative lengths,
// the tracker, and a press on nothing.
#include <cmath>

#include "ADMDialog.h"
#include "ADMItem.h"
#include "DrawToolsFixture.h"
#include "core/PlotwiseSuites.h"

namespace drawtest {
namespace {

struct TanPerpLineTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        ASSERT_EQ(session->selectTool("Tangent Perpendicular Line"), kNoErr);
    }
    // The line the tool drew last: the path with two anchors drawn on top.
    const standin::Art* Line() const {
        const auto paths = Paths();
        return paths.empty() ? nullptr : paths.front();
    }
    void ExpectLine(AIRealPoint from, AIRealPoint to, AIReal tol = 2e-3f) {
        const standin::Art* line = Line();
        ASSERT_NE(line, nullptr);
        ASSERT_EQ(line->segments.size(), 2u);
        EXPECT_PT(line->segments[0].p, from.h, from.v, tol);
        EXPECT_PT(line->segments[1].p, to.h, to.v, tol);
    }
    AIErr Typed(AIRealPoint at, std::vector<standin::UserAction> actions) {
        Answer("PerpLine", std::move(actions));
        return session->click(at);
    }
};

TEST_F(TanPerpLineTest, ADragPicksTheNearestOfFourDirections) {
    Polyline({{0, 100}, {200, 100}});
    // Exactly 45 degrees off the tangent: still the tangent, as long as the drag.
    ASSERT_EQ(Drag({100, 100}, {110, 110}), kNoErr);
    ExpectLine({100, 100}, {100 + 10 * std::sqrt(2.0f), 100});
    EXPECT_EQ(g->okToTrackCursorFlag, 1);
    // Just beyond: the perpendicular.
    ASSERT_EQ(Drag({100, 100}, {110, 110.1f}), kNoErr);
    ExpectLine({100, 100}, {100, 100 + std::hypot(10.0f, 10.1f)});
    // Backwards and downwards.
    ASSERT_EQ(Drag({100, 100}, {70, 95}), kNoErr);
    ExpectLine({100, 100}, {100 - std::hypot(30.0f, 5.0f), 100});
    ASSERT_EQ(Drag({100, 100}, {98, 60}), kNoErr);
    ExpectLine({100, 100}, {100, 100 - std::hypot(2.0f, 40.0f)});
    // The tracker: the end, its extent twice, the angle and the length.
    const TrackerReport& r = gTrackerReports.back();
    EXPECT_NEAR(r.x, 100, 1e-3);
    EXPECT_NEAR(r.y, 100 - std::hypot(2.0f, 40.0f), 1e-3);
    EXPECT_NEAR(r.w, 0, 1e-3);
    EXPECT_NEAR(r.height, std::hypot(2.0f, 40.0f), 1e-3);
    EXPECT_NEAR(r.angle, 270, 1e-3);
    EXPECT_NEAR(r.length, std::hypot(2.0f, 40.0f), 1e-3);
    EXPECT_EQ(r.seventh, kEmpty);
    EXPECT_EQ(r.perimeter, kEmpty);
    EXPECT_EQ(r.area, kEmpty);
}

TEST_F(TanPerpLineTest, TheEndsOfAPathUseTheirOwnPieces) {
    // The last segment is a curve arriving straight up at (200, 100).
    AddPath({{{0, 0}, {0, 0}, {0, 0}, true},
             {{100, 0}, {100, 0}, {150, 0}, false},
             {{200, 100}, {200, 50}, {200, 100}, false}});
    // Its last anchor: the end of the last piece, so the line continues the path.
    ASSERT_EQ(Typed({200, 100}, {Type(4, "50"), Press(1)}), kNoErr);
    ExpectLine({200, 100}, {200, 150}, 5e-3f);
    // Its first anchor: the start of the first piece, turned a right angle.
    ASSERT_EQ(Typed({0, 0}, {Type(4, "30"), Value(7, 1), Press(1)}), kNoErr);
    ExpectLine({0, 0}, {0, 30});
    // A closed path's anchor 0 at exactly t = 0, where a retracted handle leaves the
    // direction to the segment's other control points.
    Polyline({{300, 0}, {400, 0}, {400, 50}, {300, 50}}, true);
    ASSERT_EQ(Typed({300, 0}, {Type(4, "20"), Value(6, 1), Press(1)}), kNoErr);
    ExpectLine({300, 0}, {320, 0});
    EXPECT_TRUE(DialogFailures().empty());
}

TEST_F(TanPerpLineTest, DialogCodesReversesAndNegativeLengths) {
    Polyline({{0, 100}, {200, 100}});
    struct Case {
        bool perpendicular, reverse;
        int32_t code;
        AIRealPoint end;
    };
    const Case cases[] = {
        {false, false, 3, {120, 100}},
        {false, true, 4, {80, 100}},
        {true, false, 1, {100, 120}},
        {true, true, 2, {100, 80}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Typed({100, 100}, {Type(4, "20"), Value(c.perpendicular ? 7 : 6, 1), Value(5, c.reverse ? 1.0f : 0.0f),
                                     Press(1)}),
                  kNoErr);
        EXPECT_EQ(g->inputTanPerpLineDirection, c.code);
        EXPECT_EQ(g->inputTanPerpLineDrawWhich, c.perpendicular ? 2 : 1);
        ExpectLine({100, 100}, c.end);
        session->hostEvent([&] { return doc->disposeArt(doc->art(Line()->id)->parent); });  // its group
    }
    // A negative length draws the other way.
    ASSERT_EQ(Typed({100, 100}, {Type(4, "-20"), Value(6, 1), Value(5, 0), Press(1)}), kNoErr);
    ExpectLine({100, 100}, {80, 100});
    EXPECT_TRUE(DialogFailures().empty());
}

TEST_F(TanPerpLineTest, TheDialogOpensWithTheLastAcceptedValues) {
    ADMDialogRef d = OpenFloating(16760);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Text(d, 4), "72.00 pt");
    EXPECT_TRUE(sADMItem->GetBooleanValue(sADMDialog->GetItem(d, 6)));
    EXPECT_FALSE(sADMItem->GetBooleanValue(sADMDialog->GetItem(d, 7)));
    EXPECT_FALSE(sADMItem->GetBooleanValue(sADMDialog->GetItem(d, 5)));
    g->inputTanPerpLineDrawWhich = 2;
    g->inputTanPerpLineDirection = 2;
    d = OpenFloating(16760);
    EXPECT_TRUE(sADMItem->GetBooleanValue(sADMDialog->GetItem(d, 7)));
    EXPECT_TRUE(sADMItem->GetBooleanValue(sADMDialog->GetItem(d, 5)));
}

TEST_F(TanPerpLineTest, APressOnNothingDrawsNothingAndAsksNothing) {
    Polyline({{0, 100}, {200, 100}});
    EXPECT_EQ(session->click({100, 300}), kCADErr);
    EXPECT_TRUE(DialogFailures().empty());  // no dialog opened after the refused press
    EXPECT_EQ(Drag({100, 300}, {150, 350}), kCADErr);
    EXPECT_EQ(PathCount(), 1u);
    EXPECT_EQ(g->okToTrackCursorFlag, 0);
}

}  // namespace
}  // namespace drawtest
