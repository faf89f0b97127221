// Where the snap puts a point in a document: onto an anchor, the middle of a segment or the
// centre of a closed path within the tolerance first, else onto a crossing of the shown
// grid, else nowhere; never onto a dimension, hidden art or the guides themselves.
#include "GuidesFixture.h"

namespace axotest {
namespace {

using GridSnapTest = GuidesTest;

TEST_F(GridSnapTest, ObjectsSnapAtTheirAnchorsMiddlesAndCentres) {
    Rect(100, 100, 50, 30);  // corners (100, 100) to (150, 130)
    bool snapped = false;
    EXPECT_PT(Snap({102, 101}, &snapped), {100, 100}, 1e-4) << "corner";
    EXPECT_TRUE(snapped);
    EXPECT_PT(Snap({126, 102}), {125, 100}, 1e-4) << "middle of the bottom edge";
    EXPECT_PT(Snap({151, 118}), {150, 115}, 1e-4) << "middle of the right edge";
    EXPECT_PT(Snap({124, 116}), {125, 115}, 1e-4) << "centre";
    // A curve's middle is the point half way along its parameter: the ellipse's quarter arcs.
    Ellipse(300, 300, 100, 100);
    const double r = 50 * std::sqrt(0.5);
    EXPECT_PT(Snap({static_cast<AIReal>(350 + r + 1), static_cast<AIReal>(350 + r)}), 350 + r, 350 + r, 0.2)
        << "ellipse middle";
    // Farther than the tolerance from all of them, with no grid shown: nothing.
    const AIRealPoint far = Snap({110, 110}, &snapped);
    EXPECT_FALSE(snapped);
    EXPECT_PT(far, {110, 110}, 0);
}

TEST_F(GridSnapTest, TheGridTakesOverWhereNoObjectIsNear) {
    g->prefs.CADgridVisible = 1;
    Polyline({{12, 13}, {52, 13}});
    // (11, 11) is nearer the crossing (10, 10), but the anchor lies within the tolerance.
    EXPECT_PT(Snap({11, 11}), {12, 13}, 1e-4);
    EXPECT_PT(Snap({68, 71}), {70, 70}, 1e-4);
    bool snapped = true;
    Snap({65, 65}, &snapped);  // 7.07 from every crossing
    EXPECT_FALSE(snapped);
    // Object snapping off: the grid alone.
    g->prefs.objectSnapFullScreenCursor = 0;
    EXPECT_PT(Snap({11, 11}), {10, 10}, 1e-4);
    // Grid snapping off as well: nothing moves.
    g->prefs.snapToGrid = 0;
    Snap({11, 11}, &snapped);
    EXPECT_FALSE(snapped);
    // A hidden grid is no grid to snap to.
    g->prefs.snapToGrid = 1;
    g->prefs.CADgridVisible = 0;
    Snap({11, 11}, &snapped);
    EXPECT_FALSE(snapped);
}

TEST_F(GridSnapTest, IsometricGridLinesFollowTheViewsAxes) {
    g->prefs.CADgridVisible = 1;
    g->prefs.objectSnapFullScreenCursor = 0;
    g->prefs.ShowHorizontalGridLines = g->prefs.ShowVerticalGridLines = 0;
    g->prefs.ShowIsometricGridLines = 1;
    // The fixture's view: a = 30°, b = 150°; crossings at i·(8.660, 5) + j·(-8.660, 5).
    EXPECT_PT(Snap({8, 4.5f}), {8.660254f, 5}, 1e-3);
    EXPECT_PT(Snap({1, 19}), {0, 20}, 1e-3);
    // Another view turns the lines with it: a = 0°, b = 90° makes a square grid again.
    g->prefs.isoView.a = 0;
    g->prefs.isoView.b = static_cast<AIReal>(kPi / 2);
    EXPECT_PT(Snap({9, 2}), {10, 0}, 1e-3);
    EXPECT_PT(Snap({1, 19}), {0, 20}, 1e-3);
}

TEST_F(GridSnapTest, DimensionsHiddenArtAndTheGuidesAreNeverSnappedTo) {
    // A dimension: a group holding the style record, and its parts.
    const standin::ObjId line = Polyline({{200, 200}, {260, 200}});
    const standin::ObjId dimension = Group({line});
    AIDictionaryRef dict = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(Art(dimension), &dict), kNoErr);
    ASSERT_EQ(sAIDictionary->SetIntegerEntry(dict, sAIDictionary->Key("ZA3_Dimension"), 1), kNoErr);
    sAIDictionary->Release(dict);
    bool snapped = true;
    Snap({201, 201}, &snapped);
    EXPECT_FALSE(snapped) << "the dimension's anchor";
    Snap({230, 201}, &snapped);
    EXPECT_FALSE(snapped) << "the dimension's middle";

    const standin::ObjId hidden = Polyline({{300, 200}, {360, 200}});
    ASSERT_EQ(sAIArt->SetArtUserAttr(Art(hidden), kArtHidden, kArtHidden), kNoErr);
    Snap({301, 201}, &snapped);
    EXPECT_FALSE(snapped) << "hidden art";

    // The grid drawn as art: its lines' ends at the page's corner are no objects to snap to.
    g->prefs.CADgridVisible = 1;
    ASSERT_EQ(drawGridsAndRulers(1, 0), kNoErr);
    ASSERT_NE(LayerArt(kGridsLayerTitle), nullptr);
    g->prefs.snapToGrid = 0;
    Snap({1, 1}, &snapped);
    EXPECT_FALSE(snapped);
}

TEST_F(GridSnapTest, ThePointsNearAPlaceAreThoseOfTheVisibleArtThereInItsOrder) {
    // Rectangles loose, grouped, hidden in a group, inside a dimension, and on a hidden
    // layer; each square round a probe holds the snap points of the visible ones in it.
    Rect(0, 0, 40, 20);
    const standin::ObjId inner = Rect(30, 10, 40, 20);
    Group({Rect(60, 5, 10, 10), inner});
    const standin::ObjId hidden = Rect(10, 30, 20, 20);
    Group({hidden});
    ASSERT_EQ(sAIArt->SetArtUserAttr(Art(hidden), kArtHidden, kArtHidden), kNoErr);
    const standin::ObjId dimension = Group({Rect(0, 40, 70, 5)});
    AIDictionaryRef dict = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(Art(dimension), &dict), kNoErr);
    ASSERT_EQ(sAIDictionary->SetIntegerEntry(dict, sAIDictionary->Key("ZA3_Dimension"), 1), kNoErr);
    sAIDictionary->Release(dict);
    session->hostEvent([&] {
        doc->addLayer("Off");
        doc->addRect(20, 20, 30, 30);
        return doc->setLayerVisible("Off", false);
    });
    // Each visible rectangle's corners from the top left clockwise, its sides' middles in
    // the same turn and its centre; the group's members first, top down, then the loose one.
    const AIRealPoint all[] = {
        {60, 15}, {70, 15}, {70, 5},  {60, 5},  {65, 15}, {70, 10}, {65, 5},  {60, 10}, {65, 10},  // grouped
        {30, 30}, {70, 30}, {70, 10}, {30, 10}, {50, 30}, {70, 20}, {50, 10}, {30, 20}, {50, 20},  // grouped
        {0, 20},  {40, 20}, {40, 0},  {0, 0},   {20, 20}, {40, 10}, {20, 0},  {0, 10},  {20, 10},  // loose
    };
    for (const AIRealPoint p : {AIRealPoint{0, 0}, AIRealPoint{35, 15}, AIRealPoint{20, 40}, AIRealPoint{65, 10}}) {
        for (const double reach : {0.0, 4.0, 25.0}) {
            std::vector<AIRealPoint> expected;
            for (const AIRealPoint q : all)
                if (std::fabs(q.h - p.h) <= reach && std::fabs(q.v - p.v) <= reach) expected.push_back(q);
            const std::vector<AIRealPoint> near = ObjectSnapPointsNear(p, reach);
            ASSERT_EQ(near.size(), expected.size()) << p.h << " " << p.v << " within " << reach;
            for (size_t i = 0; i < near.size(); ++i) EXPECT_PT(near[i], expected[i], 0);
        }
    }
}

TEST_F(GridSnapTest, TheToolsAndTheCoresMouseDownSnapThroughTheService) {
    g->prefs.CADgridVisible = 1;
    Rect(100, 100, 50, 30);
    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    ASSERT_EQ(session->mouseDown({102, 98}), kNoErr);
    EXPECT_PT(g->startingPoint, {100, 100}, 1e-4) << "onto the corner";
    ASSERT_EQ(session->mouseDrag({189, 211}), kNoErr);
    ASSERT_EQ(session->mouseUp({189, 211}), kNoErr);
    const standin::Art* drawn = nullptr;
    for (standin::ObjId id : doc->matching([](const standin::Art& a) { return a.type == kPathArt; }))
        if (doc->art(id)->segments.size() == 2) drawn = doc->art(id);
    ASSERT_NE(drawn, nullptr);
    EXPECT_PT(drawn->segments[0].p, {100, 100}, 1e-4);
    EXPECT_PT(drawn->segments[1].p, {190, 210}, 1e-4) << "onto the grid";
}

}  // namespace
}  // namespace axotest
