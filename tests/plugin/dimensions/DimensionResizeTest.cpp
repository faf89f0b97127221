// The dimension-resize tool through its three steps: the drag click stores the offset from
// click 1 to the release (the centre of the art for a radius), the keys held are kept, a
// press on anything but a dimension does nothing, and a dimension whose clicks are gone
// or cannot be read is left as it was.
#include <cmath>

#include "LiveDimensionFixture.h"
#include "dimensions/DimensionResize.h"

namespace livetest {
namespace {

class DimensionResizeTest : public LiveDimensionFixture {
protected:
    // A dimension whose line lies from (0, 0) to (10, 0), measuring a path from (0, -50).
    AIArtHandle Measured(int32_t kind) {
        AIArtHandle path = Path({{0, -50}, {100, -50}, {100, -30}, {0, -30}}, true);
        Dimension(1);
        Anchor(path, 1, 1, kind, 0);
        Anchor(path, 1, 2, kind, 1);
        Drag(path, 1, kind, 30, -1.5707964f);
        return path;
    }
    AIErr Press(AIRealPoint p) {
        g->firstClick = p;
        return PreProcessDimResizeTool();
    }
    AIErr DragTo(AIRealPoint p) {
        g->endPoint = p;
        return DoDimResizeTool();
    }
    Plotwise3_dimensioned_object_data DragClick(AIArtHandle art) {
        Plotwise3_dimensioned_object_data found{};
        EXPECT_EQ(ForEachDimensionedObjectData(art,
                                               [&](const Plotwise3_dimensioned_object_data& c) -> AIErr {
                                                   if (c.clickNum == -1) found = c;
                                                   return kNoErr;
                                               }),
                  kNoErr);
        return found;
    }
};

TEST_F(DimensionResizeTest, TheReleaseStoresTheOffsetFromTheFirstClick) {
    AIArtHandle path = Measured(kIncline);
    Plotwise3_dimensioned_object_data drawn = DragClick(path);
    drawn.endAsDrawn = 1;  // as a label keeps its snapped end; the resize reaches the cursor
    ASSERT_EQ(SetDimensionedObjectData(path, &drawn), kNoErr);
    ASSERT_EQ(Press({5, 0}), kNoErr);
    EXPECT_EQ(g->resizingDimension, 1);
    ASSERT_EQ(DragTo({0, 0}), kNoErr);
    ASSERT_EQ(DragTo({0, 20}), kNoErr);  // 70 straight up from click 1 at (0, -50)
    ASSERT_EQ(gSeen.size(), 2u);
    EXPECT_FLOAT_EQ(gSeen.back().endPoint.v, 20);
    EXPECT_EQ(LiveGroups().size(), 2u);   // the grabbed one, hidden, and the last drag's drawing
    ASSERT_EQ(PostProcessDimResizeTool(), kNoErr);
    const Plotwise3_dimensioned_object_data stored = DragClick(path);
    EXPECT_NEAR(stored.endPointOffsetLength, 70, 1e-4);
    EXPECT_NEAR(stored.endPointOffsetAngle, 3.1415927 / 2, 1e-5);
    EXPECT_EQ(stored.endAsDrawn, 0);
    EXPECT_EQ(LiveGroups().size(), 1u);  // the grabbed group gave way
    EXPECT_EQ(g->resizingDimension, 0);
}

TEST_F(DimensionResizeTest, TheKeysHeldAtTheReleaseAreKept) {
    Measured(kIncline);
    ASSERT_EQ(Press({5, 0}), kNoErr);
    g->prefs.style.modifiers = 2;  // option
    ASSERT_EQ(DragTo({0, 20}), kNoErr);
    ASSERT_EQ(PostProcessDimResizeTool(), kNoErr);
    ASSERT_EQ(LiveGroups().size(), 1u);
    Plotwise3_Live_Dimension_Data stored{};
    ASSERT_EQ(GetDimensionData(LiveGroups()[0], &stored), kNoErr);
    EXPECT_EQ(stored.modifiers, 2);
}

TEST_F(DimensionResizeTest, ARadiusTurnsAboutTheCentreOfItsArt) {
    Measured(kRadius);  // the art's bounds: 0..100 by -50..-30, centre (50, -40)
    ASSERT_EQ(Press({5, 0}), kNoErr);
    EXPECT_FLOAT_EQ(g->dimResizeBasePt.h, 50);
    EXPECT_FLOAT_EQ(g->dimResizeBasePt.v, -40);
}

TEST_F(DimensionResizeTest, APressOnPlainArtOrNothingChangesNothing) {
    Measured(kIncline);
    Path({{200, 200}, {300, 200}});
    ASSERT_EQ(Press({250, 200}), kNoErr);
    EXPECT_EQ(g->resizingDimension, 0);
    EXPECT_NE(Press({500, 500}), kNoErr);  // the user is told to click art
    EXPECT_EQ(g->resizingDimension, 0);
    EXPECT_EQ(LiveGroups().size(), 1u);
    EXPECT_TRUE(gSeen.empty());
}

TEST_F(DimensionResizeTest, ADimensionWithoutClicksIsLeftAsItWas) {
    AIArtHandle group = Dimension(4);
    EXPECT_EQ(Press({5, 0}), kNoErr);  // nothing is wrong: there is nothing to resize
    EXPECT_EQ(g->resizingDimension, 0);
    ASSERT_TRUE(Valid(group));
    uint32_t attr = 0;
    ASSERT_EQ(sAIArt->GetArtUserAttr(group, kArtHidden, &attr), kNoErr);
    EXPECT_FALSE(attr & kArtHidden);
    ASSERT_EQ(PostProcessDimResizeTool(), kNoErr);
    EXPECT_TRUE(Valid(group));
    // One with a click its art cannot hold (a text click on a path) is not redrawn either.
    ASSERT_EQ(sAIArt->DisposeArt(group), kNoErr);
    AIArtHandle path = Measured(kIncline);
    Store(path, Click(1, 2, kIncline, kLiveDimClickedText, 1));
    EXPECT_EQ(Press({5, 0}), kNoErr);
    EXPECT_EQ(DragTo({0, 20}), kNoErr);
    EXPECT_TRUE(gSeen.empty());
    ASSERT_EQ(PostProcessDimResizeTool(), kNoErr);
    ASSERT_EQ(sAIArt->GetArtUserAttr(LiveGroups().at(0), kArtHidden, &attr), kNoErr);
    EXPECT_FALSE(attr & kArtHidden);
    // Nor one whose clicks leave out 2, which may have lain on art whose links cannot be read.
    ASSERT_EQ(sAIArt->DisposeArt(LiveGroups().at(0)), kNoErr);
    AIArtHandle rest = Path({{0, -50}, {100, -50}});
    Dimension(2);
    Anchor(rest, 2, 1, kIncline, 0);
    Anchor(rest, 2, 3, kIncline, 1);
    Drag(rest, 2, kIncline, 30, -1.5707964f);
    AIDictionaryRef lost = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(Path({{0, -80}, {100, -80}}), &lost), kNoErr);
    ASSERT_EQ(sAIDictionary->SetIntegerEntry(lost, sAIDictionary->Key("ZA3_Object"), 7), kNoErr);
    sAIDictionary->Release(lost);
    EXPECT_EQ(Press({5, 0}), kNoErr);
    EXPECT_EQ(DragTo({0, 20}), kNoErr);
    EXPECT_TRUE(gSeen.empty());
    EXPECT_FALSE(g->notesForUser.empty());
    ASSERT_EQ(PostProcessDimResizeTool(), kNoErr);
    ASSERT_EQ(sAIArt->GetArtUserAttr(LiveGroups().at(0), kArtHidden, &attr), kNoErr);
    EXPECT_FALSE(attr & kArtHidden);
}

TEST_F(DimensionResizeTest, AnAbandonedResizeGivesTheDimensionBackAsItWas) {
    AIArtHandle path = Measured(kIncline);
    const Plotwise3_dimensioned_object_data drawn = DragClick(path);
    ASSERT_EQ(Press({5, 0}), kNoErr);
    ASSERT_EQ(DragTo({0, 20}), kNoErr);
    ASSERT_EQ(LiveGroups().size(), 2u);
    ASSERT_EQ(AbandonDimResizeTool(), kNoErr);
    ASSERT_EQ(LiveGroups().size(), 1u);  // the drag's drawing went
    uint32_t attr = 0;
    ASSERT_EQ(sAIArt->GetArtUserAttr(LiveGroups()[0], kArtHidden, &attr), kNoErr);
    EXPECT_FALSE(attr & kArtHidden);
    EXPECT_EQ(DragClick(path).endPointOffsetLength, drawn.endPointOffsetLength);
    EXPECT_EQ(g->resizingDimension, 0);
}

TEST_F(DimensionResizeTest, AReleaseWithoutADragGivesTheDimensionBack) {
    Measured(kIncline);
    ASSERT_EQ(Press({5, 0}), kNoErr);
    ASSERT_EQ(PostProcessDimResizeTool(), kNoErr);
    ASSERT_EQ(LiveGroups().size(), 1u);
    uint32_t attr = 0;
    ASSERT_EQ(sAIArt->GetArtUserAttr(LiveGroups()[0], kArtHidden, &attr), kNoErr);
    EXPECT_FALSE(attr & kArtHidden);
}

}  // namespace
}  // namespace livetest
