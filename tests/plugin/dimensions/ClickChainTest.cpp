// The click chain: what a click records (snapped point, where it lies on the art, the text
// it presets by the style's format), the refusals of axonometric tools, the redraw's
// ordered insertion, emptying the chain even when a block cannot be given back, and the
// plane beside a face.
#include <string>
#include <vector>

#include "LiveDimensionFixture.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseTools.h"
#include "dimensions/DimensionToolFamily.h"

namespace livetest {
namespace {

AIToolHandle gAxoTool = reinterpret_cast<AIToolHandle>(uintptr_t{0x7002});
const PlotwiseToolRow kAxoToolRow[] = {
    {+[]() -> AIToolHandle& { return gAxoTool; }, "Test Axonometric Dimension", 0, 2, &kDimensionToolFamily,
     kToolAxonometricClicks, nullptr, kHorizontal},
};

struct ClickChainTest : LiveDimensionFixture {
    PlotwiseSubsystem axoTool{.name = "axonometric test tool", .tools = kAxoToolRow};
    void SetUp() override {
        LiveDimensionFixture::SetUp();
        AddPlotwiseSubsystem(&axoTool);
    }
    void TearDown() override {
        RemovePlotwiseSubsystem(&axoTool);
        LiveDimensionFixture::TearDown();
    }
    // Records a click as the core's mouse down does before calling the recorder.
    AIErr Press(AIRealPoint p, const char* text = nullptr) {
        RecordChainClick(p);
        return doStoreHitLoc(text);
    }
    std::vector<const cdDataStruct*> Chain() {
        std::vector<const cdDataStruct*> out;
        for (const cdDataStruct* n = g->firstChainDimDataPtr; n; n = n->nextPtr) out.push_back(n);
        return out;
    }
};

TEST_F(ClickChainTest, AClickSnapsAndSaysWhereItLiesOnTheArt) {
    AIArtHandle path = Path({{0, 0}, {100, 0}, {100, 100}}, true);
    ASSERT_EQ(Press({99, 1}), kNoErr);     // near anchor 1: snapped onto it
    ASSERT_EQ(Press({50, 1.5f}), kNoErr);  // beside the first piece: on it, where its record finds it
    ASSERT_EQ(Press({49, 51}), kNoErr);    // on the closing piece (anchor 2 back to 0)
    ASSERT_EQ(Press({300, 300}), kNoErr);  // in empty space
    const auto chain = Chain();
    ASSERT_EQ(chain.size(), 4u);
    EXPECT_EQ(chain[0]->theLoc.h, 100);
    EXPECT_EQ(chain[0]->theLoc.v, 0);
    EXPECT_EQ(chain[0]->art, path);
    EXPECT_EQ(chain[0]->clickType, kLiveDimClickedSegmentPoint);
    EXPECT_EQ(chain[0]->segNumAfter, 1);
    EXPECT_EQ(chain[1]->theLoc.v, 0);
    EXPECT_EQ(chain[1]->clickType, kLiveDimClickedPath);
    EXPECT_EQ(chain[1]->segNumBefore, 0);
    EXPECT_EQ(chain[1]->segNumAfter, 1);
    EXPECT_NEAR(chain[1]->t, 0.5f, 0.02f);
    EXPECT_EQ(chain[2]->segNumBefore, -1);  // the last anchor, however many come
    EXPECT_EQ(chain[2]->segNumAfter, 0);
    EXPECT_EQ(chain[3]->art, nullptr);
    EXPECT_EQ(chain[3]->clickType, kLiveDimClickedSpace);
    EXPECT_EQ(chain[3]->theLoc.h, 300);
    EXPECT_EQ(chain[3]->theDepthData.face, kAxoNoFace);
    EXPECT_EQ(chain[3]->flatLoc.h, 0);
    EXPECT_EQ(g->drawingAxoDimension, 0);
    EXPECT_EQ(g->liveDimClickedArt, path);
}

TEST_F(ClickChainTest, AClickInAFillKeepsItsFractionsOfTheBounds) {
    AIArtHandle box = Path({{0, 0}, {200, 0}, {200, 100}, {0, 100}}, true);
    AIPathStyle style{};
    ASSERT_EQ(sAIPathStyle->GetPathStyle(box, &style), kNoErr);
    style.fillPaint = true;
    style.fill.color.kind = kGrayColor;
    ASSERT_EQ(sAIPathStyle->SetPathStyle(box, &style), kNoErr);
    ASSERT_EQ(Press({50, 75}), kNoErr);
    const cdDataStruct* node = g->firstChainDimDataPtr;
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->clickType, kLiveDimClickedFill);
    EXPECT_FLOAT_EQ(node->x, 0.25f);
    EXPECT_FLOAT_EQ(node->y, -0.25f);  // down from the top, as a share of the height
}

TEST_F(ClickChainTest, ArtOfAnotherDimensionIsNotMeasured) {
    AIArtHandle dimension = Dimension(3);  // holds a line from (0, 0) to (10, 0)
    ASSERT_NE(dimension, nullptr);
    ASSERT_EQ(Press({10, 1}), kNoErr);
    const cdDataStruct* node = g->firstChainDimDataPtr;
    EXPECT_EQ(node->art, nullptr);
    EXPECT_EQ(node->clickType, kLiveDimClickedSpace);
    EXPECT_EQ(node->theLoc.h, 10);  // still snapped to the anchor
    EXPECT_EQ(node->theLoc.v, 0);
}

TEST_F(ClickChainTest, NodeTextsFollowTheStylesFormats) {
    Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    preferences& p = g->prefs;
    p.incrementalDimAlpha = 27;
    p.incrementalDimNumber = 7;
    p.incrementalLabelAlpha = 2;
    p.incrementalLabelNumber = 5;
    s.alphaLabelMenuOption = 1;
    s.NumericLabelsUseLeadingZeros = 1;
    s.NumericLabelsNumberOfLeadingZeros = 1;
    CopyCString(p.customDimDefaultText, "Dim");
    CopyCString(p.customLabelDefaultText, "Label");
    struct Case {
        int label;
        int32_t format;
        const char* text;
        const char* dimStr;
        int32_t alpha, numeric;
        const char* customStr;
    };
    const Case cases[] = {
        {0, 0, nullptr, "Dim", -1, -1, "Dim"},    {0, 1, nullptr, "AB", 27, -1, "Dim"},
        {0, 2, nullptr, "7", -1, 7, "Dim"},       {0, 3, "ignored", "Dim", -1, -1, "Dim"},
        {1, 0, nullptr, "C", 2, -1, "Label"},     {1, 1, nullptr, "005", -1, 5, "Label"},
        {1, 2, nullptr, "Label", -1, -1, "Label"}, {1, 3, "1", "1", -1, -1, "1"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(doFreeHitLocs(), kNoErr);
        g->didFirstClick = g->didSecondClick = 0;
        g->labelToolSelected = c.label;
        (c.label ? s.labelFormat : s.dimensionFormat) = c.format;
        ASSERT_EQ(Press({10, 10}, c.text), kNoErr);
        const live_dimension_text_data& t = g->firstChainDimDataPtr->textData;
        EXPECT_STREQ(t.dimStr, c.dimStr) << c.label << "/" << c.format;
        EXPECT_EQ(t.alpha, c.alpha) << c.label << "/" << c.format;
        EXPECT_EQ(t.numeric, c.numeric) << c.label << "/" << c.format;
        EXPECT_STREQ(t.customStr, c.customStr) << c.label << "/" << c.format;
        EXPECT_EQ(t.dimensionFormat, c.format);
        EXPECT_STREQ(g->theText, c.dimStr);
    }
}

TEST_F(ClickChainTest, AxonometricToolsRefuseFlatArtAndClicksOffTheFirstFace) {
    g->curTool = gAxoTool;
    Path({{0, 0}, {100, 0}});
    EXPECT_EQ(Press({50, 0}), kCADErr);
    EXPECT_EQ(g->firstChainDimDataPtr, nullptr);
    ASSERT_FALSE(Alerts().empty());
    EXPECT_EQ(Alerts().back(), "The selected point is not on an axonometric object.");
    EXPECT_EQ(g->didFirstClick, 0);

    // Two faces of an isometric view; the first click lies on the left face only.
    g->prefs.isoView = iso_view{0.5235988f, 2.6179938f, 1.5707964f, 1, 1, 1, 45, 35.26f};
    AIArtHandle left = Path({{200, 0}, {260, 0}, {260, 40}, {200, 40}}, true);
    AIArtHandle right = Path({{400, 0}, {460, 0}, {460, 40}, {400, 40}}, true);
    ASSERT_EQ(ProjectAxonometric(left, kAxoLeftFace, &g->prefs.isoView), kNoErr);
    ASSERT_EQ(ProjectAxonometric(right, kAxoRightFace, &g->prefs.isoView), kNoErr);
    AIPathSegment onLeft{}, onRight{};
    ASSERT_EQ(sAIPath->GetPathSegments(left, 0, 1, &onLeft), kNoErr);
    ASSERT_EQ(sAIPath->GetPathSegments(right, 0, 1, &onRight), kNoErr);
    ASSERT_EQ(Press(onLeft.p), kNoErr);
    EXPECT_EQ(g->drawingAxoDimension, 1);
    EXPECT_EQ(g->firstDimensionAxoFace, kAxoLeftFace);
    EXPECT_NE(g->firstChainDimDataPtr->flatLoc.h, 0);
    EXPECT_EQ(Press(onRight.p), kCADErr);
    EXPECT_EQ(Alerts().back(), "A dimension cannot be made from different faces of an axonometric object.");
    // The click state starts again, and so does the chain.
    EXPECT_EQ(g->clickNum, 0);
    EXPECT_EQ(g->didSecondClick, 0);
    EXPECT_EQ(g->firstChainDimDataPtr, nullptr);
}

TEST_F(ClickChainTest, StoredClicksAreInsertedByNumber) {
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    const int32_t order[] = {3, 1, 2, 2};
    for (size_t i = 0; i < 4; ++i) {
        Plotwise3_dimensioned_object_data c = Click(1, order[i], kHorizontal, kLiveDimClickedSpace);
        c.art = path;
        const AIRealPoint p{static_cast<AIReal>(i), 0};
        ASSERT_EQ(insertChainDimNode(&p, &c), kNoErr);
    }
    std::vector<int32_t> numbers;
    std::vector<AIReal> arrival;
    for (const cdDataStruct* n : Chain()) numbers.push_back(n->clickNum), arrival.push_back(n->theLoc.h);
    EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2, 2, 3}));
    EXPECT_EQ(arrival, (std::vector<AIReal>{1, 2, 3, 0}));  // the two 2s as they came
    // Backward links agree.
    EXPECT_EQ(g->lastChainDimDataPtr->prevPtr->prevPtr->prevPtr, g->firstChainDimDataPtr);
    EXPECT_EQ(g->firstChainDimDataPtr->textData.alpha, -1);
}

TEST_F(ClickChainTest, EmptyingTheChainNeverLeavesItPointingAtGivenBackNodes) {
    Path({{0, 0}, {100, 0}});
    ASSERT_EQ(Press({0, 0}), kNoErr);
    ASSERT_EQ(Press({100, 0}), kNoErr);
    static AIBlockSuite* real = nullptr;
    static int calls = 0;
    real = sAIBlock;
    calls = 0;
    AIBlockSuite failing = *real;
    failing.DisposeBlock = [](void* block) -> AIErr { return ++calls == 1 ? AIErr('FAIL') : real->DisposeBlock(block); };
    sAIBlock = &failing;
    EXPECT_EQ(doFreeHitLocs(), AIErr('FAIL'));
    sAIBlock = real;
    EXPECT_EQ(calls, 2);  // the other node is still given back
    EXPECT_EQ(g->firstChainDimDataPtr, nullptr);
    EXPECT_EQ(g->lastChainDimDataPtr, nullptr);
    EXPECT_EQ(doFreeHitLocs(), kNoErr);  // an empty chain
    EXPECT_EQ(host_.counters().liveBlocks, 1);
    // The one block the host refused stays the host's; give it back for the leak check.
    host_.mutableCounters().liveBlocks = 0;
}

TEST_F(ClickChainTest, ThePlaneBesideAFace) {
    g->prefs.isoView = iso_view{0.5235988f, 2.6179938f, 1.5707964f, 1, 1, 1, 45, 35.26f};
    AIArtHandle art = Path({{0, 0}, {60, 0}, {60, 40}, {0, 40}}, true);
    ASSERT_EQ(ProjectAxonometric(art, kAxoLeftFace, &g->prefs.isoView), kNoErr);
    struct Case {
        int32_t face;
        int16_t horizontal;
        int32_t beside;
    };
    const Case cases[] = {{kAxoLeftFace, 1, kAxoTopFace},  {kAxoLeftFace, 0, kAxoRightFace},
                          {kAxoRightFace, 1, kAxoTopFace}, {kAxoRightFace, 0, kAxoLeftFace},
                          {kAxoTopFace, 1, kAxoLeftFace},  {kAxoTopFace, 0, kAxoRightFace}};
    for (const Case& c : cases) {
        depth_object_data out;
        ASSERT_EQ(GetPerpendicularDimData(art, c.face, c.horizontal, &out), kNoErr);
        EXPECT_EQ(out.face, c.beside) << c.face << " " << c.horizontal;
    }
    depth_object_data out;
    EXPECT_EQ(GetPerpendicularDimData(art, kAxoNoFace, 1, &out), kCADErr);  // no face to lie beside
}

}  // namespace
}  // namespace livetest
