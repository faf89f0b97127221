// What the core does for every tool of the dimension family, whatever the tool: at mouse down
// the click into the chain (two nodes for the datum target), the clicked art's layer scale,
// the text metrics and no selection; once a live dimension is made, one click record per
// click plus the drag record with the tool's kind, and the counter of the text it shows moved
// on; nothing stored and no counter moved without a live dimension. Stand-in tools with only
// a drawing routine show that a tool cannot leave a step out. Also the tools as the host
// offers them.
#include <string>
#include <vector>

#include "DimensionToolFixture.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionText.h"
#include "dimensions/DimensionToolFamily.h"

namespace dimtest {
namespace {

// What the stand-in routine saw.
struct Observed {
    std::vector<std::string> texts;
    AIReal scaler = 0, textSize = 0, textLeading = 0;
    int labelTool = 0;
};
Observed gObserved;

AIErr DrawLive() {
    gObserved = {};
    for (const cdDataStruct* n = g->firstChainDimDataPtr; n; n = n->nextPtr) gObserved.texts.emplace_back(n->textData.dimStr);
    gObserved.scaler = g->prefs.scaler;
    gObserved.textSize = g->textSize;
    gObserved.textLeading = g->textLeading;
    gObserved.labelTool = g->labelToolSelected;
    if (AIErr err = PrepDimensionLayer()) return err;
    if (AIErr err = drawDimensionLine(g->firstClick, g->endPoint, g->group)) return err;
    const cdDataStruct* first = g->firstChainDimDataPtr;
    if (AIErr err = doText(first->textData.dimStr, g->endPoint, 1, 0, g->group, nullptr)) return err;
    return SetDimensionData(g->group, nullptr);
}

const ToolRoutines kDrawOnly{nullptr, &DrawLive, nullptr, nullptr, &doFreeHitLocs};

struct StandInTools {
    AIToolHandle plain = nullptr, target = nullptr;
} gStandIns;

const PlotwiseToolRow kStandInRows[] = {
    {+[]() -> AIToolHandle& { return gStandIns.plain; }, "Stand-in Dimension", 0, 3, &kDimensionToolFamily, 0,
     &kDrawOnly, kIncline},
    {+[]() -> AIToolHandle& { return gStandIns.target; }, "Stand-in Datum Target", 0, 4, &kDimensionToolFamily,
     kToolLabelLike | kToolTwoChainNodes, &kDrawOnly, kDatumTarget},
};

struct FamilyTest : DimensionToolTest {
    PlotwiseSubsystem standIns{.name = "stand-in dimension tools", .tools = kStandInRows};
    void SetUp() override {
        gStandIns = {};
        AddPlotwiseSubsystem(&standIns);
        DimensionToolTest::SetUp();
    }
    void TearDown() override {
        DimensionToolTest::TearDown();
        RemovePlotwiseSubsystem(&standIns);
    }
};

TEST_F(FamilyTest, EveryToolGetsTheSharedStepsAndItsClicksStored) {
    doc->addLayer("Site");
    doc->editDict(doc->dictionaryOf(doc->layerByTitle("Site")))->set("ZA3_ScaleID", int32_t{25});
    doc->editDict(doc->dictionaryOf(doc->layerByTitle("Site")))->set("ZA3_Scaler", AIReal{50});
    doc->editDict(doc->dictionaryOf(doc->layerByTitle("Site")))->set("ZA3_ScaleStr", std::string("1:50"));
    const ObjId rect = Rect(100, 100, 144, 72);
    g->prefs.style.dimensionFormat = 2;  // numbered
    g->prefs.incrementalDimNumber = 7;
    ASSERT_EQ(Dimension("Stand-in Dimension", {{244, 172}}, {300, 200}), kNoErr);
    EXPECT_EQ(gObserved.texts, std::vector<std::string>{"7"});
    EXPECT_EQ(gObserved.scaler, 50);  // the scale of the clicked art's layer
    EXPECT_EQ(gObserved.textSize, 10);
    EXPECT_EQ(gObserved.textLeading, 2);
    const auto clicks = Clicks(rect);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].clickNum, 1);
    EXPECT_EQ(clicks[0].dimType, kIncline);
    EXPECT_EQ(clicks[0].segNumAfter, 1);
    EXPECT_EQ(clicks[1].clickNum, -1);
    EXPECT_NEAR(clicks[1].endPointOffsetLength, std::hypot(56.0, 28.0), 1e-3);
    EXPECT_EQ(g->prefs.incrementalDimNumber, 8);
    EXPECT_EQ(g->firstChainDimDataPtr, nullptr);
}

TEST_F(FamilyTest, TheDatumTargetRecordsTwoNodesAndStoresOneClick) {
    const ObjId rect = Rect(100, 100, 144, 72);
    g->prefs.style.labelFormat = 0;
    g->prefs.incrementalLabelAlpha = 3;
    ASSERT_EQ(Dimension("Stand-in Datum Target", {{244, 172}}, {300, 200}), kNoErr);
    EXPECT_EQ(gObserved.texts, (std::vector<std::string>{"1", "A"}));
    EXPECT_EQ(gObserved.labelTool, 1);
    const auto clicks = Clicks(rect);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].clickNum, 1);
    EXPECT_EQ(clicks[1].clickNum, -1);
    EXPECT_EQ(g->prefs.incrementalLabelAlpha, 4);  // the labels' counter
}

TEST_F(FamilyTest, WithoutALiveDimensionNothingIsStoredAndNoCounterMoves) {
    const ObjId rect = Rect(100, 100, 144, 72);
    g->prefs.createLiveDimensions = 0;
    g->prefs.style.dimensionFormat = 2;
    g->prefs.incrementalDimNumber = 7;
    ASSERT_EQ(Dimension("Stand-in Dimension", {{244, 172}}, {300, 200}), kNoErr);
    EXPECT_FALSE(IsDimensionedObject(Art(rect)));
    EXPECT_EQ(g->prefs.incrementalDimNumber, 7);
}

// The selection goes once a drag draws, not at the press: a click that draws nothing leaves
// it, and no step of undo.
TEST_F(FamilyTest, TheSelectionGoesWithTheFirstDragThatDraws) {
    const ObjId rect = Rect(100, 100, 144, 72);
    ASSERT_EQ(session->hostEvent([&] { return doc->select(rect); }), kNoErr);
    ASSERT_EQ(session->selectTool("Stand-in Dimension"), kNoErr);
    const size_t steps = doc->journal().undoDepth();
    ASSERT_EQ(session->click({244, 172}), kNoErr);
    EXPECT_TRUE(doc->readsSelected(rect));
    EXPECT_EQ(doc->journal().undoDepth(), steps);
    ASSERT_EQ(session->mouseDown({244, 172}), kNoErr);
    ASSERT_EQ(session->mouseDrag({244, 200}), kNoErr);
    EXPECT_FALSE(doc->readsSelected(rect));
    session->mouseUp({244, 200});
}

using LinearFamilyTest = DimensionToolTest;

TEST_F(LinearFamilyTest, AClickInEmptySpaceIsKeptOnTheArtOfAnotherClick) {
    const ObjId line = Polyline({{200, 0}, {300, 0}});
    ASSERT_EQ(Dimension("Horizontal Dimension", {{50, 300}, {200, 0}}, {120, 40}), kNoErr);
    ASSERT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"150.00"});
    const auto clicks = Clicks(line);
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].clickType, kLiveDimClickedSpace);
    EXPECT_EQ(clicks[0].x, 50);
    EXPECT_EQ(clicks[0].y, 300);
    // The measured end follows its art; the point in space stays where it was.
    ASSERT_EQ(session->hostEvent([&] {
        for (AIPathSegment& s : doc->editArt(line)->segments) s.p.h += 40, s.in.h += 40, s.out.h += 40;
        return kNoErr;
    }), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"190.00"});
}

TEST_F(LinearFamilyTest, TheFlatToolsRefuseArtTaggedAsAxonometric) {
    // A plate tagged as axonometric art by an older version, and one whose tag falls one
    // character short of that mark.
    const ObjId tagged = Rect(100, 100, 144, 72), untagged = Rect(400, 100, 144, 72);
    for (auto [art, tag] : {std::pair{tagged, "ZMK_Depth_Tag_3"}, std::pair{untagged, "ZMK_Depth_Ta"}})
        ASSERT_EQ(session->hostEvent([&] { return sAITag->SetTag(Art(art), tag, "string", ""); }), kNoErr);
    const std::string refusal = "Dimensions of axonometric objects are made with the axonometric tools.";
    struct Row {
        const char* tool;
        std::vector<AIRealPoint> clicks;  // on the tagged plate; the same 300 points right on the other
    } const rows[] = {
        {"Horizontal Dimension", {{100, 172}, {244, 172}}},
        {"Auto Vertical Dimension", {{244, 136}}},
        {"Horizontal Datum Dimension", {{100, 136}, {244, 136}}},
        {"Pointer Label", {{172, 172}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.tool);
        const size_t before = Dimensions().size(), shown = Alerts().size();
        EXPECT_EQ(Dimension(r.tool, r.clicks, {r.clicks.back().h + 30, r.clicks.back().v + 40}), kCADErr);
        if (r.clicks.size() == 1) session->mouseUp(r.clicks.back());  // the refused press is let go
        const std::vector<std::string> alerts = Alerts();
        EXPECT_EQ(std::vector<std::string>(alerts.begin() + static_cast<long>(shown), alerts.end()),
                  std::vector<std::string>{refusal});
        EXPECT_EQ(Dimensions().size(), before);
        EXPECT_EQ(g->firstChainDimDataPtr, nullptr);
        std::vector<AIRealPoint> beside;
        for (AIRealPoint p : r.clicks) beside.push_back({p.h + 300, p.v});
        EXPECT_EQ(Dimension(r.tool, beside, {beside.back().h + 30, beside.back().v + 40}), kNoErr);
        EXPECT_EQ(Dimensions().size(), before + 1);
    }
    EXPECT_FALSE(IsDimensionedObject(Art(tagged)));
}

TEST_F(LinearFamilyTest, BackInFrontAfterAnUndoTheNextIdIsTheHighestHeldPlusOne) {
    standin::Document& part = *doc;
    Rect(100, 100, 144, 72);
    auto place = [&] { return Dimension("Horizontal Dimension", {{100, 172}, {244, 172}}, {170, 200}); };
    // Undone once with nothing before it, once after a first dimension: the highest id the
    // drawing then holds is 0, then 1.
    for (int32_t held : {0, 1}) {
        SCOPED_TRACE(held);
        ASSERT_EQ(place(), kNoErr);
        ASSERT_TRUE(session->userUndo());
        ASSERT_EQ(Dimensions().size(), static_cast<size_t>(held));
        session->newDocument();
        session->setFrontDocument(part);
        doc = &part;
        EXPECT_EQ(g->prefs.style.id, held);
        ASSERT_EQ(place(), kNoErr);
        ASSERT_EQ(Dimensions().size(), static_cast<size_t>(held + 1));
        EXPECT_EQ(GetDimensionID(Art(Dimensions().back())), held + 1) << "no id is skipped";
    }
}

TEST_F(LinearFamilyTest, TheLinearToolsAreOfferedWithTheirTitlesAndTips) {
    const auto& tools = session->registry().tools;
    auto tip = [&](const std::string& title) {
        for (const auto& t : tools)
            if (t.title == title) return t.tip;
        return std::string("(not offered)");
    };
    EXPECT_EQ(tip("Horizontal Dimension"),
              "Click the points to measure, then drag from the last one to place a horizontal dimension");
    EXPECT_EQ(tip("Vertical Dimension"),
              "Click the points to measure, then drag from the last one to place a vertical dimension");
    EXPECT_EQ(tip("Axonometric Horizontal Dimension"),
              "Click points on an axonometric face, then drag from the last one to place a horizontal dimension");
    EXPECT_EQ(tip("Axonometric Vertical Dimension"),
              "Click points on an axonometric face, then drag from the last one to place a vertical dimension");
    EXPECT_EQ(tip("Aligned Dimension"),
              "Click the points to measure, then drag from the last one to place an aligned dimension");
    EXPECT_EQ(tip("Auto Horizontal Dimension"), "Click a straight segment and drag to dimension its width");
    EXPECT_EQ(tip("Auto Vertical Dimension"), "Click a straight segment and drag to dimension its height");
    EXPECT_EQ(tip("Auto Aligned Dimension"), "Click a straight segment and drag to dimension its length");
    EXPECT_EQ(tip("Axonometric Auto Horizontal Dimension"),
              "Click an axonometric segment and drag to dimension its width");
    EXPECT_EQ(tip("Axonometric Auto Vertical Dimension"),
              "Click an axonometric segment and drag to dimension its height");
    EXPECT_EQ(tip("Measure Distance"), "Drag between two points to measure the distance");
}

}  // namespace
}  // namespace dimtest
