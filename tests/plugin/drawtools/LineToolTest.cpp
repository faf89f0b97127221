// The CAD line tool by drag: anchor snapping, the joining, closing and merging of open
// paths (and the host's undo of them between drags and after the gesture), the 45-degree,
// axonometric, frozen and fixed-angle constraints, and the line preferences dialog.
#include <limits>

#include "DrawToolsFixture.h"

namespace drawtest {
namespace {

constexpr double kPi = 3.14159265358979323846;

AIPathSegment Smooth(AIRealPoint p, AIRealPoint in, AIRealPoint out) { return AIPathSegment{p, in, out, false}; }
AIPathSegment CornerAt(AIRealPoint p) { return AIPathSegment{p, p, p, true}; }

struct LineToolTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        g->prefs.okToConnectCADlinePaths = 1;
        g->prefs.constrainLineTool = 0;
        ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    }
    const standin::Art* ArtOf(standin::ObjId id) const { return doc->art(id); }
    // The one new two-anchor line.
    void ExpectLine(const standin::Art* path, AIRealPoint from, AIRealPoint to, AIReal tol = 1e-3f) {
        ASSERT_NE(path, nullptr);
        ASSERT_EQ(path->segments.size(), 2u);
        EXPECT_FALSE(path->closed);
        EXPECT_PT(path->segments[0].p, from.h, from.v, tol);
        EXPECT_PT(path->segments[1].p, to.h, to.v, tol);
    }
};

TEST_F(LineToolTest, APlainLineAndItsTrackerReport) {
    ASSERT_EQ(Drag({10, 10}, {40, 50}), kNoErr);
    ExpectLine(Only(), {10, 10}, {40, 50});
    const TrackerReport& t = gTrackerReports.back();
    EXPECT_FLOAT_EQ(t.x, 40);
    EXPECT_FLOAT_EQ(t.y, 50);
    EXPECT_FLOAT_EQ(t.w, 30);
    EXPECT_FLOAT_EQ(t.h, 40);
    EXPECT_FLOAT_EQ(t.height, 40);
    EXPECT_NEAR(t.angle, 53.130102, 1e-3);
    EXPECT_NEAR(t.length, 50, 1e-4);
    EXPECT_EQ(t.perimeter, kEmpty);
    EXPECT_EQ(t.area, kEmpty);
}

TEST_F(LineToolTest, StartingOnTheLastAnchorExtendsThePath) {
    const standin::ObjId open =
        AddPath({CornerAt({0, 0}), Smooth({50, 0}, {40, -10}, {60, 10})});  // a curved last anchor
    ASSERT_EQ(Drag({51, 1}, {80, 40}), kNoErr);
    ASSERT_EQ(PathCount(), 1u);
    const standin::Art* path = ArtOf(open);
    ASSERT_EQ(path->segments.size(), 3u);
    EXPECT_PT(path->segments[2].p, 80, 40, kTol);
    EXPECT_PT(path->segments[1].out, 50, 0, kTol);  // the outward handle was retracted
    EXPECT_PT(path->segments[1].in, 40, -10, kTol);
    EXPECT_EQ(GroupCount(), 0u);  // no empty group left behind

    // With the preference off: a separate line starting exactly on the anchor.
    g->prefs.okToConnectCADlinePaths = 0;
    ASSERT_EQ(Drag({79, 41}, {120, 40}), kNoErr);
    ASSERT_EQ(PathCount(), 2u);
    ExpectLine(Paths()[0], {80, 40}, {120, 40});
    EXPECT_EQ(ArtOf(open)->segments.size(), 3u);
}

TEST_F(LineToolTest, StartingOnTheFirstAnchorExtendsThePathAtItsStart) {
    const standin::ObjId open = Polyline({{0, 0}, {50, 0}, {50, 50}});
    ASSERT_EQ(Drag({0, 0}, {-30, -40}), kNoErr);
    const standin::Art* path = ArtOf(open);
    ASSERT_EQ(path->segments.size(), 4u);
    EXPECT_PT(path->segments[0].p, -30, -40, kTol);  // the order of the path is kept
    EXPECT_PT(path->segments[1].p, 0, 0, kTol);
    EXPECT_PT(path->segments[3].p, 50, 50, kTol);

    // Ending on an end anchor joins as well: the new anchor is the start point.
    ASSERT_EQ(Drag({100, 100}, {50, 51}), kNoErr);
    ASSERT_EQ(path->segments.size(), 5u);
    EXPECT_PT(path->segments[4].p, 100, 100, kTol);
    EXPECT_EQ(PathCount(), 1u);
}

TEST_F(LineToolTest, FromFirstToLastAnchorClosesThePath) {
    const standin::ObjId open = AddPath({Smooth({0, 0}, {-10, 5}, {10, -5}), CornerAt({50, 0}),
                                         Smooth({50, 50}, {50, 40}, {45, 60})});
    ASSERT_EQ(Drag({0, 0}, {50, 50}), kNoErr);
    const standin::Art* path = ArtOf(open);
    EXPECT_TRUE(path->closed);
    ASSERT_EQ(path->segments.size(), 3u);
    EXPECT_PT(path->segments[0].in, 0, 0, kTol);    // retracted
    EXPECT_PT(path->segments[0].out, 10, -5, kTol);  // kept
    EXPECT_PT(path->segments[2].out, 50, 50, kTol);
    EXPECT_EQ(PathCount(), 1u);

    // From an anchor to itself nothing is drawn.
    const standin::ObjId other = Polyline({{200, 0}, {250, 0}});
    ASSERT_EQ(Drag({250, 0}, {250.5f, 0.5f}), kNoErr);
    EXPECT_EQ(ArtOf(other)->segments.size(), 2u);
    EXPECT_FALSE(ArtOf(other)->closed);
    EXPECT_EQ(PathCount(), 2u);
}

TEST_F(LineToolTest, TwoPathsMergeFromTheStartPathToTheEndPath) {
    // A's first anchor to B's last anchor: A is reversed, B is reversed, B follows A.
    const standin::ObjId a = Polyline({{0, 0}, {100, 0}});
    const standin::ObjId b = AddPath({CornerAt({0, 100}), Smooth({0, 50}, {0, 60}, {5, 40})});
    Grouped(b);  // the group, left empty, goes with it
    ASSERT_EQ(Drag({0, 0}, {0, 50}), kNoErr);
    EXPECT_EQ(ArtOf(b), nullptr);  // disposed of
    const standin::Art* merged = ArtOf(a);
    ASSERT_EQ(merged->segments.size(), 4u);
    EXPECT_PT(merged->segments[0].p, 100, 0, kTol);
    EXPECT_PT(merged->segments[1].p, 0, 0, kTol);
    EXPECT_PT(merged->segments[2].p, 0, 50, kTol);
    EXPECT_PT(merged->segments[2].in, 0, 50, kTol);  // B's end handle, now facing the join, retracted
    EXPECT_PT(merged->segments[3].p, 0, 100, kTol);
    EXPECT_FALSE(merged->closed);
    EXPECT_EQ(PathCount(), 1u);
    EXPECT_EQ(GroupCount(), 0u);

    // Another layer's path is snapped to, never joined: neither the line nor art changes layers.
    standin::ObjId c = 0;
    session->hostEvent([&] {
        const standin::ObjId first = doc->currentLayer();
        doc->setCurrentLayer(doc->addLayer("Other"));
        doc->addPolyline({{200, 0}, {200, 100}}, false, &c);
        return doc->setCurrentLayer(first);
    });
    ASSERT_EQ(Drag({300, 0}, {200, 0}), kNoErr);
    EXPECT_EQ(ArtOf(c)->segments.size(), 2u);
    ASSERT_EQ(Drag({0, 100}, {200, 100}), kNoErr);
    ASSERT_NE(ArtOf(c), nullptr);
    EXPECT_PT(ArtOf(a)->segments.back().p, 200, 100, kTol);
    EXPECT_EQ(PathCount(), 3u);
}

TEST_F(LineToolTest, UndoBetweenDragsAndAfterTheGestureRestoresJoinedPathsExactly) {
    const std::vector<AIPathSegment> aSegments = {CornerAt({0, 0}), Smooth({100, 0}, {90, -10}, {110, 10})};
    const std::vector<AIPathSegment> bSegments = {Smooth({200, 0}, {190, 10}, {210, -10}), CornerAt({300, 0})};
    const standin::ObjId a = AddPath(aSegments);
    const standin::ObjId b = AddPath(bSegments);
    const auto same = [](const std::vector<AIPathSegment>& x, const std::vector<AIPathSegment>& y) {
        if (x.size() != y.size()) return false;
        const auto equal = [](AIRealPoint p, AIRealPoint q) { return p.h == q.h && p.v == q.v; };
        for (size_t i = 0; i < x.size(); ++i)
            if (!equal(x[i].p, y[i].p) || !equal(x[i].in, y[i].in) || !equal(x[i].out, y[i].out) ||
                (x[i].corner != 0) != (y[i].corner != 0))
                return false;
        return true;
    };

    ASSERT_EQ(session->mouseDown({100, 0}), kNoErr);
    ASSERT_EQ(session->mouseDrag({200, 0}), kNoErr);  // merges B into A
    ASSERT_EQ(ArtOf(b), nullptr);
    ASSERT_EQ(ArtOf(a)->segments.size(), 4u);
    ASSERT_EQ(session->mouseDrag({150, 80}), kNoErr);  // the merge is undone first
    ASSERT_NE(ArtOf(b), nullptr);
    EXPECT_TRUE(same(ArtOf(a)->segments, {aSegments[0], AIPathSegment{{100, 0}, {90, -10}, {100, 0}, false},
                                          CornerAt({150, 80})}));
    EXPECT_TRUE(same(ArtOf(b)->segments, bSegments));
    ASSERT_EQ(session->mouseDrag({200, 0}), kNoErr);
    ASSERT_EQ(session->mouseUp({200, 0}), kNoErr);
    ASSERT_EQ(ArtOf(b), nullptr);

    // The user's undo takes the whole gesture back.
    ASSERT_TRUE(session->userUndo());
    ASSERT_NE(ArtOf(a), nullptr);
    ASSERT_NE(ArtOf(b), nullptr);
    EXPECT_TRUE(same(ArtOf(a)->segments, aSegments));
    EXPECT_TRUE(same(ArtOf(b)->segments, bSegments));
    EXPECT_EQ(PathCount(), 2u);
    EXPECT_EQ(GroupCount(), 0u);
}

TEST_F(LineToolTest, ClosedPathsAndInnerAnchorsAreSnappedToButNotJoined) {
    const standin::ObjId closed = Polyline({{0, 0}, {50, 0}, {50, 50}}, true);
    const standin::ObjId open = Polyline({{100, 0}, {150, 0}, {150, 50}});
    ASSERT_EQ(Drag({50.5f, 49.5f}, {149, 1}), kNoErr);
    ExpectLine(Paths()[0], {50, 50}, {150, 0});
    EXPECT_EQ(ArtOf(closed)->segments.size(), 3u);
    EXPECT_EQ(ArtOf(open)->segments.size(), 3u);
    // Nor the end of a dimension's line, which an update would draw again without it.
    const standin::ObjId witness = Polyline({{300, 0}, {300, 50}});
    Dimension(witness);
    ASSERT_EQ(Drag({300.5f, 49.5f}, {350, 50}), kNoErr);
    ExpectLine(Paths()[0], {300, 50}, {350, 50});
    EXPECT_EQ(ArtOf(witness)->segments.size(), 2u);
}

TEST_F(LineToolTest, ShiftHoldsTheLineTo45DegreeSteps) {
    // Towards 30 degrees: 45 degrees, its end sharing one coordinate with the cursor.
    ASSERT_EQ(Drag({0, 0}, {100, 57.735f}, aiEventModifiers_Shift), kNoErr);
    const standin::Art* line = Paths()[0];
    ASSERT_EQ(line->segments.size(), 2u);
    const AIRealPoint e = line->segments[1].p;
    EXPECT_NEAR(std::atan2(e.v, e.h) * 180 / kPi, 45, 1e-3);
    EXPECT_TRUE(std::fabs(e.h - 100) < 1e-3 || std::fabs(e.v - 57.735f) < 1e-3) << e.h << ", " << e.v;

    // Nearly level: horizontal, as long as the cursor is far to the right.
    ASSERT_EQ(Drag({0, 100}, {80, 110}, aiEventModifiers_Shift), kNoErr);
    ExpectLine(Paths()[0], {0, 100}, {80, 100});
    // Nearly plumb: vertical, as long as the cursor is high.
    ASSERT_EQ(Drag({200, 0}, {190, -70}, aiEventModifiers_Shift), kNoErr);
    ExpectLine(Paths()[0], {200, 0}, {200, -70});

    // While shift is ignored, the line goes where the cursor is.
    g->ignoreShift = 1;
    ASSERT_EQ(Drag({300, 0}, {380, 10}, aiEventModifiers_Shift), kNoErr);
    ExpectLine(Paths()[0], {300, 0}, {380, 10});
    g->ignoreShift = 0;
}

TEST_F(LineToolTest, ShiftAndOptionFollowTheAxonometricAxes) {
    g->prefs.isoView.a = static_cast<AIReal>(kPi / 6);      // the right face's axis, 30 degrees
    g->prefs.isoView.b = static_cast<AIReal>(5 * kPi / 6);  // the left face's, 150 degrees
    const uint32_t keys = aiEventModifiers_Shift | aiEventModifiers_Option;
    const AIReal c = static_cast<AIReal>(std::cos(kPi / 6)), s = 0.5f;
    ASSERT_EQ(Drag({0, 0}, {80, 60}, keys), kNoErr);  // 36.9 degrees: the 30-degree axis
    ExpectLine(Paths()[0], {0, 0}, {100 * c, 100 * s});
    EXPECT_EQ(g->face, 0x100);
    ASSERT_EQ(Drag({200, 0}, {260, -80}, keys), kNoErr);  // -53 degrees: towards 150 + 180 = 330
    ExpectLine(Paths()[0], {200, 0}, {200 + 100 * c, -100 * s});
    EXPECT_EQ(g->face, 0x80);
    ASSERT_EQ(Drag({400, 0}, {380, 90}, keys), kNoErr);
    ExpectLine(Paths()[0], {400, 0}, {400, std::hypot(20.0f, 90.0f)});
    EXPECT_EQ(g->face, 8);
}

TEST_F(LineToolTest, CommandFreezesTheAngleUntilADragWithoutModifiers) {
    ASSERT_EQ(session->mouseDown({0, 0}, aiEventModifiers_Command), kNoErr);
    ASSERT_EQ(session->mouseDrag({30, 40}, aiEventModifiers_Command), kNoErr);  // 53.13 degrees frozen
    ASSERT_EQ(session->mouseDrag({100, 0}, aiEventModifiers_Command), kNoErr);
    ASSERT_EQ(session->mouseUp({100, 0}, aiEventModifiers_Command), kNoErr);
    ExpectLine(Paths()[0], {0, 0}, {60, 80});
    // The frozen angle outlasts the line.
    ASSERT_EQ(Drag({200, 0}, {200, -50}, aiEventModifiers_Command), kNoErr);
    ExpectLine(Paths()[0], {200, 0}, {230, 40});
    // A drag without modifiers lets it go.
    ASSERT_EQ(Drag({300, 0}, {300, -50}), kNoErr);
    ExpectLine(Paths()[0], {300, 0}, {300, -50});
    EXPECT_EQ(g->constrainLineToCurrentAngle, 0);
    // The next command drag freezes the angle it starts with.
    ASSERT_EQ(session->mouseDown({400, 0}, aiEventModifiers_Command), kNoErr);
    ASSERT_EQ(session->mouseDrag({400, -50}, aiEventModifiers_Command), kNoErr);
    ASSERT_EQ(session->mouseDrag({450, 0}, aiEventModifiers_Command), kNoErr);
    ASSERT_EQ(session->mouseUp({450, 0}, aiEventModifiers_Command), kNoErr);
    ExpectLine(Paths()[0], {400, 0}, {400, -50});
}

TEST_F(LineToolTest, TheFixedAngleOfThePreferences) {
    // 100 degrees: -80 for directions from -170 up to (not including) 10 degrees, else 100.
    g->prefs.constrainLineTool = 1;
    g->prefs.constrainLineToolAngle = static_cast<AIReal>(100 * kPi / 180);
    const auto end = [](AIReal x, AIReal y, double degrees, AIReal length) {
        return AIRealPoint{static_cast<AIReal>(x + length * std::cos(degrees * kPi / 180)),
                           static_cast<AIReal>(y + length * std::sin(degrees * kPi / 180))};
    };
    ASSERT_EQ(Drag({0, 0}, {100, 0}), kNoErr);  // 0 degrees
    ExpectLine(Paths()[0], {0, 0}, end(0, 0, -80, 100));
    const AIReal at9 = static_cast<AIReal>(9 * kPi / 180), at11 = static_cast<AIReal>(11 * kPi / 180);
    ASSERT_EQ(Drag({200, 0}, {200 + 100 * std::cos(at9), 100 * std::sin(at9)}), kNoErr);
    ExpectLine(Paths()[0], {200, 0}, end(200, 0, -80, 100));
    ASSERT_EQ(Drag({400, 0}, {400 + 100 * std::cos(at11), 100 * std::sin(at11)}), kNoErr);
    ExpectLine(Paths()[0], {400, 0}, end(400, 0, 100, 100));
    ASSERT_EQ(Drag({600, 0}, {500, -10}), kNoErr);  // about -174 degrees
    ExpectLine(Paths()[0], {600, 0}, end(600, 0, 100, std::hypot(100.0f, 10.0f)));
    // A stored angle that is no number constrains nothing.
    g->prefs.constrainLineToolAngle = std::numeric_limits<float>::quiet_NaN();
    ASSERT_EQ(Drag({800, 0}, {850, 20}), kNoErr);
    ExpectLine(Paths()[0], {800, 0}, {850, 20});
}

TEST_F(LineToolTest, LinePreferencesDialog) {
    g->prefs.constrainLineToolAngle = static_cast<AIReal>(kPi / 4);
    Answer("LinePrefs", {Press(3), Press(4), Type(5, "100"), Press(1)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    EXPECT_TRUE(DialogFailures().empty());
    EXPECT_EQ(g->prefs.okToConnectCADlinePaths, 0);  // it was on
    EXPECT_EQ(g->prefs.constrainLineTool, 1);
    EXPECT_NEAR(g->prefs.constrainLineToolAngle, 100 * kPi / 180, 1e-5);

    // Cancel changes nothing.
    Answer("LinePrefs", {Press(3), Type(5, "30"), Press(2)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    EXPECT_EQ(g->prefs.okToConnectCADlinePaths, 0);
    EXPECT_NEAR(g->prefs.constrainLineToolAngle, 100 * kPi / 180, 1e-5);
}

}  // namespace
}  // namespace drawtest
