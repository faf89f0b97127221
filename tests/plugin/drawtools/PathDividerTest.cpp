// The path divider: division points on a 100-pt line for each method, worked by hand;
// crosshairs across and along a slanted line; a closed square that gains nothing, and one
// broken apart; a circle divided by arc length (its points 45 degrees apart by symmetry);
// increments that are refused; option repeating the last settings without a dialog.
#include <cmath>
#include <string>

#include "DrawToolsFixture.h"
#include "core/PlotwiseTools.h"
#include "drawtools/PathDivider.h"

namespace drawtest {
namespace {

standin::UserAction Pick(int32_t item, int32_t entry) {
    standin::UserAction a;
    a.kind = standin::UserAction::Kind::Pick;
    a.item = item;
    a.entry = entry;
    return a;
}

std::vector<standin::UserAction> EqualParts(float parts) {
    return {DrawToolsTest::Press(4), DrawToolsTest::Value(6, parts)};
}
std::vector<standin::UserAction> Increment(const std::string& length, int32_t from) {
    return {DrawToolsTest::Press(5), DrawToolsTest::Type(7, length), Pick(10, from)};
}

struct PathDividerTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        ASSERT_EQ(session->selectTool("Path Divider"), kNoErr);
    }
    // Divides the path under the click through the dialog: the method's items, the action
    // and crosshair items, OK.
    AIErr Divide(AIRealPoint click, std::vector<standin::UserAction> actions) {
        actions.push_back(Press(1));
        Answer("PathDivider", actions);
        return session->click(click);
    }
    std::vector<AIReal> Xs(standin::ObjId id) const {
        std::vector<AIReal> xs;
        for (const AIPathSegment& s : doc->art(id)->segments) xs.push_back(s.p.h);
        return xs;
    }
    // The two lines of each crosshair group, as their end points.
    std::vector<std::pair<AIRealPoint, AIRealPoint>> CrosshairLines() const {
        std::vector<std::pair<AIRealPoint, AIRealPoint>> lines;
        doc->walk([&](const standin::Art& a, int) {
            const standin::Art* parent = doc->art(a.parent);
            if (a.type == kPathArt && parent && parent->type == kGroupArt && !parent->isLayerGroup())
                lines.emplace_back(a.segments.front().p, a.segments.back().p);
        });
        return lines;
    }
};

TEST_F(PathDividerTest, DivisionPointsOfEachMethod) {
    struct Case {
        const char* what;
        std::vector<standin::UserAction> settings;
        std::vector<AIReal> xs;
    } cases[] = {
        {"two equal parts", EqualParts(2), {0, 50, 100}},
        {"four equal parts", EqualParts(4), {0, 25, 50, 75, 100}},
        {"30 from the start", Increment("30 pt", 0), {0, 30, 60, 90, 100}},
        {"30 centred: 5 left at each end", Increment("30 pt", 1), {0, 5, 35, 65, 95, 100}},
        {"30 from the end", Increment("30 pt", 2), {0, 10, 40, 70, 100}},
        {"longer than the path, from the start", Increment("150 pt", 0), {0, 100}},
        {"longer than the path, centred", Increment("150 pt", 1), {0, 50, 100}},
        {"a whole number of increments", Increment("25 pt", 0), {0, 25, 50, 75, 100}},
    };
    AIReal v = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        v += 20;
        const standin::ObjId line = AddPolyline({{0, v}, {100, v}});
        ASSERT_EQ(Divide({12, v}, c.settings), kNoErr);
        EXPECT_EQ(Xs(line), c.xs);
        for (const AIPathSegment& s : doc->art(line)->segments) EXPECT_TRUE(s.corner);
    }
    EXPECT_TRUE(DialogFailures().empty());
    EXPECT_TRUE(CrosshairLines().empty());
}

// A 100-pt line from (0, 0) to (60, 80) in two parts: crosses at (30, 40) and at the end,
// each an arm of 5 across the path, along (-0.8, 0.6), and one along it, along (0.6, 0.8).
TEST_F(PathDividerTest, CrosshairsStandAcrossAndAlongThePath) {
    AddPolyline({{0, 0}, {60, 80}});
    std::vector<standin::UserAction> settings = EqualParts(2);
    settings.push_back(Press(13));
    ASSERT_EQ(Divide({15, 20}, settings), kNoErr);
    const auto lines = CrosshairLines();
    ASSERT_EQ(lines.size(), 4u);
    size_t k = 0;
    for (AIRealPoint c : {AIRealPoint{60, 80}, AIRealPoint{30, 40}}) {  // the later one on top
        const AIRealPoint across[2] = {{c.h - 4, c.v + 3}, {c.h + 4, c.v - 3}};
        const AIRealPoint along[2] = {{c.h - 3, c.v - 4}, {c.h + 3, c.v + 4}};
        for (const auto* ends : {along, across}) {
            const auto [a, b] = lines[k++];
            const bool forward = Near(a, ends[0].h, ends[0].v), backward = Near(a, ends[1].h, ends[1].v);
            EXPECT_TRUE(forward || backward) << a.h << " " << a.v;
            EXPECT_POINT(b, forward ? ends[1].h : ends[0].h, forward ? ends[1].v : ends[0].v);
        }
    }
}

// Every division point falls on a corner; with an anchor doubled, the walk stops at the
// piece of no length between them, and anchor 0 is not left repeated at the end either.
TEST_F(PathDividerTest, AClosedSquareDividedAtItsCornersGainsNothing) {
    AIReal v = 0;
    for (const auto& corners : {std::vector<AIRealPoint>{{0, 0}, {0, 80}, {80, 80}, {80, 0}},
                                std::vector<AIRealPoint>{{0, 0}, {0, 80}, {0, 80}, {80, 80}, {80, 0}}}) {
        std::vector<AIRealPoint> placed = corners;
        for (AIRealPoint& p : placed) p.v += v;
        const standin::ObjId square = AddPolyline(placed, true);
        ASSERT_EQ(Divide({40, v + 80}, EqualParts(4)), kNoErr);
        const standin::Art* a = doc->art(square);
        ASSERT_EQ(a->segments.size(), corners.size());
        EXPECT_TRUE(a->closed);
        EXPECT_POINT(a->segments.back().p, 80, v);
        v += 200;
    }
}

// Broken apart, the square leaves four open sides with its paint, from anchor 0 round to
// anchor 0 again; a line in two parts leaves two pieces and no path of one anchor.
TEST_F(PathDividerTest, BreakingApartLeavesOpenPiecesWithThePathsPaint) {
    const standin::ObjId square = AddPolyline({{0, 0}, {0, 80}, {80, 80}, {80, 0}}, true);
    session->hostEvent([&] { return doc->editArt(square)->style.stroke.width = 3, kNoErr; });
    std::vector<standin::UserAction> settings = EqualParts(4);
    settings.push_back(Press(12));
    ASSERT_EQ(Divide({40, 80}, settings), kNoErr);
    EXPECT_EQ(doc->art(square), nullptr);
    auto pieces = Paths();
    ASSERT_EQ(pieces.size(), 4u);
    for (const standin::Art* p : pieces) {
        EXPECT_FALSE(p->closed);
        EXPECT_EQ(p->segments.size(), 2u);
        EXPECT_EQ(p->style.stroke.width, 3);
    }
    EXPECT_POINT(pieces.front()->segments.front().p, 0, 0);  // the first piece is on top
    EXPECT_POINT(pieces.back()->segments.back().p, 0, 0);

    AddPolyline({{0, 200}, {100, 200}});
    settings = EqualParts(2);
    settings.push_back(Press(12));
    ASSERT_EQ(Divide({12, 200}, settings), kNoErr);
    EXPECT_EQ(PathCount(), 6u);
}

// The host's circle is four symmetric quarters: half of a quarter's length lies at its
// 45-degree point, so eight equal parts put an anchor every 45 degrees on the circle.
TEST_F(PathDividerTest, ACircleIsDividedByLengthAlongItsCurves) {
    standin::ObjId circle = 0;
    session->hostEvent([&] { return doc->addEllipse(100, 0, 100, 100, &circle); });
    ASSERT_EQ(Divide({150, 100}, EqualParts(8)), kNoErr);
    const auto& s = doc->art(circle)->segments;
    ASSERT_EQ(s.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        const double a0 = std::atan2(s[i].p.v - 50.0, s[i].p.h - 150.0);
        const double a1 = std::atan2(s[(i + 1) % 8].p.v - 50.0, s[(i + 1) % 8].p.h - 150.0);
        EXPECT_NEAR(std::hypot(s[i].p.h - 150.0, s[i].p.v - 50.0), 50, 0.02);
        EXPECT_NEAR(std::remainder(a1 - a0, 2 * 3.14159265358979), -3.14159265358979 / 4, 1e-3) << i;
    }
}

// An increment below zero would never end and a tiny one would add anchors without bound:
// the first is refused in the dialog (which stays open) and by the routine itself, the
// second before anything is divided.
TEST_F(PathDividerTest, IncrementsThatCannotDivideAreRefused) {
    const standin::ObjId line = AddPolyline({{0, 0}, {100, 0}});
    std::vector<standin::UserAction> settings = Increment("-5 pt", 0);
    settings.push_back(Press(1));
    settings.push_back(Press(2));
    Answer("PathDivider", settings);
    ASSERT_EQ(session->click({12, 0}), kNoErr);
    EXPECT_EQ(Alerts(), std::vector<std::string>{"The value must be greater than 0."});

    ASSERT_EQ(Divide({12, 0}, Increment("0.05 pt", 0)), kNoErr);
    EXPECT_EQ(Alerts().size(), 2u);
    EXPECT_NE(Alerts().back().find("at most 1024 points"), std::string::npos);

    AIErr err = kNoErr;
    session->hostEvent([&] {
        g->firstClick = {12, 0};
        err = SubdividePathByLength(-5.0f, 1, 0, 1, 0);
        return kNoErr;
    });
    EXPECT_EQ(err, kNoErr);
    EXPECT_EQ(doc->art(line)->segments.size(), 2u);
    EXPECT_TRUE(DialogFailures().empty());
}

TEST_F(PathDividerTest, OptionRepeatsTheLastSettingsWithoutADialog) {
    const standin::ObjId first = AddPolyline({{0, 0}, {100, 0}});
    ASSERT_EQ(session->click({12, 0}, kToolEventOptionKey), kNoErr);
    EXPECT_EQ(Xs(first), (std::vector<AIReal>{0, 50, 100}));  // the defaults: two parts

    ASSERT_EQ(Divide({12, 20}, Increment("30 pt", 0)), kNoErr);  // settings kept, though nothing was clicked
    const standin::ObjId again = AddPolyline({{0, 40}, {100, 40}});
    ASSERT_EQ(session->click({12, 40}, kToolEventOptionKey), kNoErr);
    EXPECT_EQ(Xs(again), (std::vector<AIReal>{0, 30, 60, 90, 100}));
    EXPECT_TRUE(DialogFailures().empty());
    EXPECT_EQ(session->dialogs().pendingModalAnswers(), 0u);
}

}  // namespace
}  // namespace drawtest
