// The path divider: division points on a 100-pt line for each method, worked by hand;
// crosshairs across and along a slanted line; closed squares that gain nothing or break
// apart; a circle divided by length (its points 45 degrees apart by symmetry); increments
// that are refused; option repeating the last settings without a dialog; paths on sublayers.
#include <cmath>
#include <string>

#include "DrawToolsFixture.h"
#include "core/PlotwiseTools.h"
#include "drawtools/PathDivider.h"
#include "suites/Suites.h"
#include "units/LayerScales.h"

namespace drawtest {
namespace {

using Actions = std::vector<standin::UserAction>;

Actions EqualParts(int parts, Actions more = {}) {
    Actions a{DrawToolsTest::Press(4), DrawToolsTest::Type(6, std::to_string(parts))};
    a.insert(a.end(), more.begin(), more.end());
    return a;
}
Actions Increment(const std::string& length, int32_t from) {
    standin::UserAction pick;
    pick.kind = standin::UserAction::Kind::Pick;
    pick.item = 10;
    pick.entry = from;
    return {DrawToolsTest::Press(5), DrawToolsTest::Type(7, length), pick};
}

struct PathDividerTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        ASSERT_EQ(session->selectTool("Path Divider"), kNoErr);
    }
    // A click on the path, the dialog answered with the settings and OK.
    AIErr Divide(AIRealPoint click, Actions actions) {
        actions.push_back(Press(1));
        Answer("PathDivider", actions);
        return session->click(click);
    }
    std::vector<AIReal> Xs(standin::ObjId id) const {
        std::vector<AIReal> xs;
        for (const AIPathSegment& s : doc->art(id)->segments) xs.push_back(s.p.h);
        return xs;
    }
};

TEST_F(PathDividerTest, DivisionPointsOfEachMethod) {
    struct Case {
        Actions settings;
        std::vector<AIReal> xs;
    } cases[] = {
        {EqualParts(2), {0, 50, 100}},
        {EqualParts(4), {0, 25, 50, 75, 100}},
        {Increment("30 pt", 0), {0, 30, 60, 90, 100}},      // from the start
        {Increment("30 pt", 1), {0, 5, 35, 65, 95, 100}},   // centred: 5 left at each end
        {Increment("30 pt", 2), {0, 10, 40, 70, 100}},      // from the end
        {Increment("25 pt", 0), {0, 25, 50, 75, 100}},      // the last on the end anchor
        {Increment("150 pt", 0), {0, 100}},                 // longer than the path
        {Increment("150 pt", 1), {0, 50, 100}},
    };
    AIReal v = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(v);
        v += 20;
        const standin::ObjId line = Polyline({{0, v}, {100, v}});
        ASSERT_EQ(Divide({12, v}, c.settings), kNoErr);
        EXPECT_EQ(Xs(line), c.xs);
    }
    EXPECT_EQ(GroupCount(), 0u);  // no crosshairs asked for
    EXPECT_TRUE(DialogFailures().empty());
}

// A 100-pt line from (0, 0) to (60, 80) in two parts: a cross at (30, 40) of an arm of 5
// across the path, along (-0.8, 0.6), and one along it, (0.6, 0.8); at the end, an anchor
// whose handles lie on it (no direction from the in-handle to the out-handle), a cross
// square to the page: up, then level.
TEST_F(PathDividerTest, CrosshairsStandAcrossAndAlongThePath) {
    Polyline({{0, 0}, {60, 80}});
    ASSERT_EQ(Divide({15, 20}, EqualParts(2, {Press(13)})), kNoErr);
    std::vector<const standin::Art*> lines = Paths();
    ASSERT_EQ(lines.size(), 5u);
    size_t k = 0;
    const struct {
        AIRealPoint centre, along, across;
    } crosses[] = {{{60, 80}, {1, 0}, {0, 1}}, {{30, 40}, {0.6f, 0.8f}, {-0.8f, 0.6f}}};  // the later on top
    for (const auto& cross : crosses) {
        const AIRealPoint c = cross.centre;
        for (AIRealPoint arm : {cross.along, cross.across}) {  // along, then across
            const AIRealPoint a = lines[k]->segments.front().p, b = lines[k++]->segments.back().p;
            EXPECT_PT((AIRealPoint{(a.h + b.h) / 2, (a.v + b.v) / 2}), c.h, c.v, kTol);
            EXPECT_NEAR(std::hypot(b.h - a.h, b.v - a.v), 10, 1e-3);
            EXPECT_NEAR((b.h - a.h) * arm.v - (b.v - a.v) * arm.h, 0, 1e-3);
        }
    }
}

// At every corner a division point: added to the path nothing (also with an anchor doubled,
// where the walk stops at the piece of no length), anchor 0 not left repeated; broken apart,
// four open sides with the square's paint from anchor 0 round to anchor 0, and no piece of
// one anchor at the end.
TEST_F(PathDividerTest, ClosedSquaresDividedAtTheirCorners) {
    AIReal v = 0;
    for (const auto& corners : {std::vector<AIRealPoint>{{0, 0}, {0, 80}, {80, 80}, {80, 0}},
                                std::vector<AIRealPoint>{{0, 0}, {0, 80}, {0, 80}, {80, 80}, {80, 0}}}) {
        std::vector<AIRealPoint> placed = corners;
        for (AIRealPoint& p : placed) p.v += v;
        const standin::ObjId square = Polyline(placed, true);
        ASSERT_EQ(Divide({40, v + 80}, EqualParts(4)), kNoErr);
        ASSERT_EQ(doc->art(square)->segments.size(), corners.size());
        EXPECT_TRUE(doc->art(square)->closed);
        v += 200;
    }
    const standin::ObjId square = Polyline({{0, -200}, {0, -120}, {80, -120}, {80, -200}}, true);
    session->hostEvent([&] { return doc->editArt(square)->style.stroke.width = 3, kNoErr; });
    ASSERT_EQ(Divide({40, -120}, EqualParts(4, {Press(12)})), kNoErr);
    EXPECT_EQ(doc->art(square), nullptr);
    auto pieces = Paths();
    pieces.resize(4);
    for (const standin::Art* p : pieces) {
        EXPECT_FALSE(p->closed);
        EXPECT_EQ(p->segments.size(), 2u);
        EXPECT_EQ(p->style.stroke.width, 3);
    }
    EXPECT_PT(pieces.front()->segments.front().p, 0, -200, kTol);  // the first piece on top
    EXPECT_PT(pieces.back()->segments.back().p, 0, -200, kTol);
}

// The host's circle is four symmetric quarters: half a quarter's length lies at its middle.
// Each eighth is an arc of the circle, so it reads the circle's radius: its handles are
// (4/3) tan(45° / 4) × 50 = 13.2608 long.
TEST_F(PathDividerTest, ACircleIsDividedByLengthAlongItsCurves) {
    standin::ObjId circle = 0;
    session->hostEvent([&] { return doc->addEllipse(100, 0, 100, 100, &circle); });
    ASSERT_EQ(Divide({150, 100}, EqualParts(8)), kNoErr);
    const auto& s = doc->art(circle)->segments;
    ASSERT_EQ(s.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        const AIRealPoint p = s[i].p, q = s[(i + 1) % 8].p;
        EXPECT_NEAR(std::hypot(p.h - 150.0, p.v - 50.0), 50, 0.02);
        const double turn = std::atan2(q.v - 50.0, q.h - 150.0) - std::atan2(p.v - 50.0, p.h - 150.0);
        EXPECT_NEAR(std::remainder(turn, 2 * 3.14159265358979), -3.14159265358979 / 4, 1e-3) << i;
        EXPECT_NEAR(std::hypot(s[i].out.h - p.h, s[i].out.v - p.v), 13.2608, 1e-3) << i;
    }
}

// An increment below zero would never end (refused by the dialog, which stays open, and by
// the routine); a tiny one would add anchors without bound (refused before dividing).
TEST_F(PathDividerTest, IncrementsThatCannotDivideAreRefused) {
    const standin::ObjId line = Polyline({{0, 0}, {100, 0}});
    Actions negative = Increment("-5 pt", 0);
    negative.insert(negative.end(), {Press(1), Press(2)});  // OK refused, then Cancel
    Answer("PathDivider", negative);
    ASSERT_EQ(session->click({12, 0}), kNoErr);
    ASSERT_EQ(Divide({12, 0}, Increment("0.05 pt", 0)), kNoErr);
    AIErr err = kNoErr;
    session->hostEvent([&] {
        g->firstClick = {12, 0};
        err = SubdividePathByLength(-5.0f, 1, 0, 1, 0);
        return kNoErr;
    });
    EXPECT_EQ(err, kNoErr);
    ASSERT_EQ(Alerts().size(), 2u);
    EXPECT_EQ(Alerts()[0], "The value must be greater than 0.");
    EXPECT_NE(Alerts()[1].find("at most 1024 points"), std::string::npos);
    EXPECT_TRUE(DialogFailures().empty());
    EXPECT_EQ(doc->art(line)->segments.size(), 2u);
}

TEST_F(PathDividerTest, OptionRepeatsTheLastSettingsWithoutADialog) {
    const standin::ObjId first = Polyline({{0, 0}, {100, 0}}), again = Polyline({{0, 40}, {100, 40}});
    ASSERT_EQ(session->click({12, 0}, kToolEventOptionKey), kNoErr);
    EXPECT_EQ(Xs(first), (std::vector<AIReal>{0, 50, 100}));  // at first two parts
    const standin::ObjId set = Polyline({{0, 80}, {100, 80}});
    ASSERT_EQ(Divide({12, 80}, Increment("30 pt", 0)), kNoErr);
    EXPECT_EQ(Xs(set), (std::vector<AIReal>{0, 30, 60, 90, 100}));
    ASSERT_EQ(session->click({12, 40}, kToolEventOptionKey), kNoErr);
    EXPECT_EQ(Xs(again), (std::vector<AIReal>{0, 30, 60, 90, 100}));
    EXPECT_TRUE(DialogFailures().empty());
}

// The divider works on the clicked path's layer, a sublayer's too, and leaves the user on
// their own (where the next line goes), divided or refused. A sublayer worked on stores its
// top-level layer's scale with its tree.
TEST_F(PathDividerTest, TheUserIsLeftOnTheirOwnLayer) {
    SetScaleStyle(2);
    session->hostEvent([&] {
        doc->addLayer("Walls");
        const standin::ObjId plan = doc->addLayer("Plan");
        const AIErr err = setLayerScale(standin::suites::layerHandle(plan), 24, 100, "1:100");
        doc->insertLayer(doc->insertLayer(plan, kPlaceInsideOnTop, "Floor"), kPlaceInsideOnTop, "Tiles");
        doc->addLayer("Notes");
        return err;
    });
    const struct Row {
        const char* how;
        const char* layer;
        Actions answers;  // empty: option, the last settings at once
        size_t alerts, anchors;
    } rows[] = {
        {"two parts", "Walls", EqualParts(2), 0, 3},
        {"two parts on a sublayer", "Floor", EqualParts(2), 0, 3},
        {"option on a sublayer's sublayer", "Tiles", {}, 0, 3},
        {"too fine", "Walls", Increment("0.05 pt", 0), 1, 2},
    };
    AIReal y = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.how);
        ASSERT_EQ(doc->setCurrentLayer(r.layer), kNoErr);
        const standin::ObjId wall = Polyline({{0, y}, {100, y}});
        ASSERT_EQ(doc->setCurrentLayer("Notes"), kNoErr);
        const size_t alerts = Alerts().size();
        if (r.answers.empty()) {
            (void)session->click({12, y}, kToolEventOptionKey);
        } else {
            (void)Divide({12, y}, r.answers);
        }
        EXPECT_EQ(Alerts().size(), alerts + r.alerts);
        EXPECT_EQ(doc->currentLayer(), doc->layerByTitle("Notes"));
        EXPECT_EQ(doc->layerOf(wall), doc->layerByTitle(r.layer));
        EXPECT_EQ(doc->art(wall)->segments.size(), r.anchors);
        y += 40;
    }
    const standin::Dict* floor = doc->dict(doc->art(doc->layerByTitle("Floor"))->dictionary);
    ASSERT_TRUE(floor && floor->find("ZA3_ScaleStr"));
    EXPECT_EQ(std::get<standin::DictText>(*floor->find("ZA3_ScaleStr")).str(), "1:100");
    EXPECT_TRUE(DialogFailures().empty());
}

// The method radios keep the method chosen at once: Cancel leaves the one last chosen.
TEST_F(PathDividerTest, TheMethodChosenIsKeptAtOnceEvenOnCancel) {
    const standin::ObjId line = Polyline({{0, 0}, {100, 0}});
    for (const auto& [radio, method] : {std::pair{5, 4}, std::pair{4, 3}}) {
        Answer("PathDivider", {Press(radio), Press(2)});
        ASSERT_EQ(session->click({12, 0}), kNoErr);
        EXPECT_EQ(g->pathDividerMethod, method);
        EXPECT_EQ(g->cancelledInputDialog, 1);
    }
    EXPECT_TRUE(DialogFailures().empty());
    EXPECT_EQ(Xs(line), (std::vector<AIReal>{0, 100}));
}

// The count of equal parts is a whole number from 2 to 1024: anything else is refused saying
// so, the dialog open on the field, nothing divided and the count kept.
TEST_F(PathDividerTest, ACountOutsideItsRangeIsRefusedSayingTheRange) {
    const standin::ObjId line = Polyline({{0, 0}, {100, 0}});
    for (const char* count : {"0", "1", "abc", "2000", "", "2.5"}) {
        SCOPED_TRACE(count);
        const size_t alerts = Alerts().size();
        Answer("PathDivider", {Press(4), Type(6, count), Press(1), Press(2)});  // refused, then Cancel
        ASSERT_EQ(session->click({12, 0}), kNoErr);
        ASSERT_EQ(Alerts().size(), alerts + 1);
        EXPECT_EQ(Alerts().back(), "The value must be a whole number from 2 to 1024.");
        EXPECT_EQ(g->pathDividerEqualNumDivs, 2);
    }
    EXPECT_TRUE(DialogFailures().empty());
    EXPECT_EQ(Xs(line), (std::vector<AIReal>{0, 100}));
    ASSERT_EQ(Divide({12, 0}, EqualParts(1024)), kNoErr);
    EXPECT_EQ(Xs(line).size(), 1025u);
}

// The length of each piece is measured with the flatness 0.5 of the host's path measure: on
// an S-curve whose length at that flatness (P) is a few thousandths longer than at 0.01
// (P'), an increment of (P + P') / 4 fits twice, the second point short of the end.
TEST_F(PathDividerTest, PiecesAreMeasuredAtTheFlatnessOfHalfAPoint) {
    const standin::ObjId curve =
        AddPath({{{0, 0}, {0, 0}, {2000, 0}, false}, {{2000, 2000}, {0, 2000}, {2000, 2000}, false}});
    AIReal coarse = 0, fine = 0;
    session->hostEvent([&] {
        AIArtHandle art = standin::toHandle<AIArtHandle>(curve);
        sAIPath->GetPathLength(art, &coarse, 0.5f);
        return sAIPath->GetPathLength(art, &fine, 0.01f);
    });
    ASSERT_GT(coarse - fine, 0.003f);  // the two measures differ by more than the 0.001 taken as equal
    g->pathDividerMethod = 4;
    g->pathDividerCurveDirection = 0;
    g->pathDividerMeasuredDivsLength = (coarse + fine) / 4;
    ASSERT_EQ(session->click({1000, 1000}, kToolEventOptionKey), kNoErr);
    EXPECT_EQ(doc->art(curve)->segments.size(), 4u);
}

}  // namespace
}  // namespace drawtest
