// Depth tags, the depth grid object, the grid spacing, the primitive group and the timers
// that select a new primitive: ids resuming after a document is reopened, grid lines
// counted and placed inside the outline, nothing drawn on a locked layer, and tags always
// taken off.
#include <algorithm>
#include <filesystem>

#include "ScratchFolder.h"
#include "AxoFixture.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricGrids.h"
#include "axonometric/DepthPrimitives.h"
#include "axonometric/DepthTags.h"
#include "geometry/UnitFormat.h"
#include "io/DocumentFile.h"

namespace axotest {
namespace {

struct DepthTest : AxoTest {
    standin::ObjId WithRecordId(standin::ObjId art, int32_t id) {
        depth_object_data d;
        d.id = id;
        d.type = kAxoFaceArt;
        d.face = kAxoLeftFace;
        EXPECT_EQ(SetAxonometricData(Art(art), &d), kNoErr);
        return art;
    }
    void Tag(standin::ObjId art, const char* name) { EXPECT_EQ(sAITag->SetTag(Art(art), name, kTagString, ""), kNoErr); }
    void Zoom(AIReal zoom) {
        AIDocumentViewHandle view = nullptr;
        ASSERT_EQ(sAIDocumentView->GetNthDocumentView(0, &view), kNoErr);
        ASSERT_EQ(sAIDocumentView->SetDocumentViewZoom(view, zoom), kNoErr);
    }
    // The grid's lines (two-anchor open paths) as (from, to, width), in paint order.
    struct Line {
        AIRealPoint from, to;
        AIReal width;
    };
    std::vector<Line> GridLines(standin::ObjId grid) {
        std::vector<Line> lines;
        for (standin::ObjId id : doc->children(grid)) {
            const standin::Art* a = doc->art(id);
            if (a->segments.size() == 2 && !a->closed) lines.push_back({a->segments[0].p, a->segments[1].p, a->style.stroke.width});
        }
        std::reverse(lines.begin(), lines.end());  // drawn on top each time: the first is lowest
        return lines;
    }
};

TEST_F(DepthTest, TheNextIdIsOneAboveTheHighestTaggedRecord) {
    EXPECT_EQ(GetUniqueTagID(kDepthTagPrefix), 1) << "no tagged art";
    const standin::ObjId four = WithRecordId(Rect(0, 0, 5, 5), 4), nine = WithRecordId(Rect(10, 0, 5, 5), 9);
    Tag(four, "ZMK_Depth_Tag_77");
    Tag(nine, "ZMK_Depth_Tag_1");
    // Art inside a group is found; a tag on the group itself is not looked at.
    const standin::ObjId inner = WithRecordId(Rect(20, 0, 5, 5), 6);
    const standin::ObjId group = WithRecordId(Group({inner}), 50);
    Tag(inner, "ZMK_Depth_Tag_2");
    Tag(group, "ZMK_Depth_Tag_3");
    // Untagged art and art whose tag only begins like one count for nothing.
    WithRecordId(Rect(30, 0, 5, 5), 99);
    Tag(WithRecordId(Rect(40, 0, 5, 5), 98), "ZMK_Depth_Ta");
    EXPECT_EQ(GetUniqueTagID(kDepthTagPrefix), 10);
    // Thirteen characters decide: the tag without its underscore counts.
    Tag(WithRecordId(Rect(50, 0, 5, 5), 12), "ZMK_Depth_Tag");
    EXPECT_EQ(GetUniqueTagID(kDepthTagPrefix), 13);
    // A prefix that is not a depth tag's finds nothing.
    EXPECT_EQ(GetUniqueTagID("ZMK_Depth_Ta"), 1);
    // Tagged art without a record of its own takes its group's.
    const standin::ObjId member = Rect(60, 0, 5, 5);
    WithRecordId(Group({member}), 30);
    Tag(member, "ZMK_Depth_Tag_9");
    Tag(member, "ZMK_Depth_Tag_10");
    EXPECT_EQ(GetUniqueTagID(kDepthTagPrefix), 31);
}

TEST_F(DepthTest, AReopenedDocumentResumesAboveItsHighestId) {
    Tag(WithRecordId(Rect(0, 0, 5, 5), 41), "ZMK_Depth_Tag_41");
    Tag(WithRecordId(Rect(10, 0, 5, 5), 7), "ZMK_Depth_Tag_7");
    ScratchFolder scratch;
    const std::filesystem::path file = scratch.path("axonometric-tags.json");
    std::string error;
    ASSERT_TRUE(standin::io::saveDocumentFile(*doc, file.string(), error)) << error;
    ASSERT_EQ(session->closeDocument(), kNoErr);
    g->depthObjNum = 3;
    ASSERT_EQ(session->openDocument([&] {
        return standin::io::openDocumentFile(host, file.string(), error) ? kNoErr : kDataFilterErr;
    }),
              kNoErr)
        << error;
    EXPECT_EQ(g->depthObjNum, 42);
    // A new document starts again from 1.
    session->newDocument();
    EXPECT_EQ(g->depthObjNum, 1);
}

TEST_F(DepthTest, GridSpacingFollowsTheRulerUnitAndTheZoom) {
    g->prefs.rulerUnits = kPointUnits;
    Zoom(0.5f);
    ASSERT_EQ(SetGridSpacingAndSubdivisions(), kNoErr);
    EXPECT_EQ(g->prefs.gridSpacing, 100);
    EXPECT_EQ(g->prefs.gridNumSubdivisions, 10);
    EXPECT_EQ(g->gridSnapInc, 10);
    g->prefs.rulerUnits = kFractionalInchMarkUnits;
    Zoom(1);
    ASSERT_EQ(SetGridSpacingAndSubdivisions(), kNoErr);
    EXPECT_EQ(g->prefs.gridSpacing, 72);
    EXPECT_EQ(g->prefs.gridNumSubdivisions, 8);
    EXPECT_EQ(g->gridSnapInc, 9);
    ASSERT_EQ(session->closeDocument(), kNoErr);
    EXPECT_NE(SetGridSpacingAndSubdivisions(), kNoErr) << "no view, nothing set";
    EXPECT_EQ(g->gridSnapInc, 9);
}

TEST_F(DepthTest, AGridHasItsOutlineAndLinesEveryIncrementWithMajorLines) {
    g->prefs.rulerUnits = kPointUnits;
    Zoom(0.5f);  // 100-point spacing in ten 10-point steps
    g->gridObjStyle = doc->state().pathStyle;
    g->gridObjStyle.stroke.width = 2;
    const AIRealPoint p1{0, 95}, p2{100, 0};
    ASSERT_EQ(DrawGridObject(&p1, &p2, &p1), kNoErr);
    const standin::ObjId grid = standin::fromHandle(g->gridGroup);
    ASSERT_TRUE(doc->isArt(grid));
    // The outline: the four corners, closed, in the style as given.
    const standin::ObjId outline = doc->children(grid).back();
    ASSERT_TRUE(doc->art(outline)->closed);
    EXPECT_EQ(doc->art(outline)->style.stroke.width, 2);
    const auto& corners = doc->art(outline)->segments;
    ASSERT_EQ(corners.size(), 4u);
    EXPECT_PT(corners[0].p, {0, 95}, 0);
    EXPECT_PT(corners[2].p, {100, 0}, 0);

    // Rows: 95 high, so 9 lines down from the top edge; columns: 10 lines right from the
    // left edge. The first of each family and every tenth are major.
    const std::vector<Line> lines = GridLines(grid);
    ASSERT_EQ(lines.size(), 19u);
    for (int k = 0; k < 9; ++k) {
        EXPECT_PT(lines[k].from, {0, 95.0f - 10 * k}, 1e-4) << "row";
        EXPECT_PT(lines[k].to, {100, 95.0f - 10 * k}, 1e-4) << "row";
        EXPECT_EQ(lines[k].width, k == 0 ? 1.0f : 0.5f);
    }
    for (int k = 0; k < 10; ++k) {
        EXPECT_PT(lines[9 + k].from, {10.0f * k, 95}, 1e-4) << "column";
        EXPECT_PT(lines[9 + k].to, {10.0f * k, 0}, 1e-4) << "column";
        EXPECT_EQ(lines[9 + k].width, k == 0 ? 1.0f : 0.5f);
    }
}

TEST_F(DepthTest, GridLinesCountFromTheCornerGivenAndStayInside) {
    // Millimetres at 100 %: 20 mm in tenths, a fractional increment of 5.67 points.
    g->prefs.rulerUnits = kMillimeterUnits;
    g->gridObjStyle = doc->state().pathStyle;
    const AIRealPoint p1{0, 100}, p2{100, 0};
    ASSERT_EQ(DrawGridObject(&p1, &p2, &p2), kNoErr);
    const double inc = 2.0 / 25.4 * 72;
    EXPECT_NEAR(g->gridSnapInc, inc, 1e-4);
    const std::vector<Line> lines = GridLines(standin::fromHandle(g->gridGroup));
    const size_t perFamily = static_cast<size_t>(100 / inc);  // 17
    ASSERT_EQ(lines.size(), 2 * perFamily);
    for (size_t k = 0; k < perFamily; ++k) {
        // From the bottom edge upwards, and from the right edge leftwards.
        EXPECT_NEAR(lines[k].from.v, k * inc, 1e-3);
        EXPECT_NEAR(lines[perFamily + k].from.h, 100 - k * inc, 1e-3);
        EXPECT_GE(lines[k].from.v, 0);
        EXPECT_LT(lines[k].from.v, 100);
        EXPECT_GT(lines[perFamily + k].from.h, 0);
    }
}

TEST_F(DepthTest, OnALockedLayerNoGridIsDrawnAndNoneIsPretended) {
    const AIArtHandle earlier = Art(Rect(500, 500, 5, 5));
    g->gridGroup = earlier;
    ASSERT_EQ(doc->setLayerEditable("Layer 1", false), kNoErr);
    const size_t before = doc->artCount();
    const AIRealPoint p1{0, 100}, p2{100, 0};
    EXPECT_EQ(DrawGridObject(&p1, &p2, &p1), kCADErr);  // refused in words
    EXPECT_EQ(g->gridGroup, earlier);
    EXPECT_EQ(doc->artCount(), before);
}

TEST_F(DepthTest, ThePrimitiveGroupGoesOnTopOfTheCurrentLayer) {
    const standin::ObjId below = Rect(0, 0, 5, 5);
    ASSERT_EQ(prepPrimitiveGroup(), kNoErr);
    const standin::ObjId group = standin::fromHandle(g->primitiveGroup);
    ASSERT_TRUE(doc->isArt(group));
    EXPECT_EQ(doc->art(group)->type, kGroupArt);
    const auto siblings = doc->children(doc->art(below)->parent);
    EXPECT_EQ(siblings.front(), group);
}

TEST_F(DepthTest, TheTimersSelectTaggedPrimitivesOnEditableLayersAndAlwaysTakeTheTag) {
    const standin::ObjId drag = Rect(0, 0, 5, 5), done = Rect(10, 0, 5, 5), untagged = Rect(20, 0, 5, 5);
    doc->addLayer("Locked");
    const standin::ObjId onLocked = Rect(30, 0, 5, 5);
    Tag(drag, kPrimitiveSelectedDragTag);
    Tag(done, kPrimitiveSelectedTag);
    Tag(onLocked, kPrimitiveSelectedTag);
    ASSERT_EQ(doc->setLayerEditable("Locked", false), kNoErr);

    ASSERT_EQ(sAITimer->SetTimerActive(g->primitiveDragTimer, true), kNoErr);
    session->ticks(4);
    EXPECT_FALSE(doc->readsSelected(drag)) << "not before its five ticks";
    session->ticks(1);
    EXPECT_TRUE(doc->readsSelected(drag));
    EXPECT_FALSE(Tagged(drag, kPrimitiveSelectedDragTag));
    EXPECT_FALSE(doc->readsSelected(done));

    ASSERT_EQ(sAITimer->SetTimerActive(g->primitiveMouseupTimer, true), kNoErr);
    session->ticks(15);
    EXPECT_TRUE(doc->readsSelected(done));
    EXPECT_TRUE(doc->art(done)->attrs & kArtFullySelected);
    EXPECT_FALSE(Tagged(done, kPrimitiveSelectedTag));
    EXPECT_FALSE(doc->readsSelected(onLocked));
    EXPECT_FALSE(Tagged(onLocked, kPrimitiveSelectedTag));
    EXPECT_FALSE(doc->readsSelected(untagged));
    EXPECT_TRUE(doc->readsSelected(drag)) << "nothing is deselected first";
}

}  // namespace
}  // namespace axotest
