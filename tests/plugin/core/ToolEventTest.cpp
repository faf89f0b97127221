// The tool-event handlers: click recording by tool family, the drag threshold, undo of the
// previous drag (not with the trim tool), modifier keys, the messages of click-only use, and
// a family the core has never heard of.
#include <string>
#include <utility>
#include <vector>

#include "CoreFixture.h"
#include "axonometric/DepthToolFamily.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionToolFamily.h"
#include "drawtools/DrawToolFamilies.h"
#include "suites/Suites.h"
#include "units/LayerScales.h"

namespace coretest {
namespace {

std::vector<std::string> gCalls;
AIErr gUpResult = kNoErr;
int32_t gModifiersSeen = -1;

AIErr DrawPreview() {
    gCalls.push_back("drag");
    gModifiersSeen = g->prefs.style.modifiers;
    AIArtHandle art = nullptr;
    return sAIArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, &art);
}
AIErr Down() {
    gCalls.push_back("down");
    return kNoErr;
}
AIErr Up() {
    gCalls.push_back("up");
    gModifiersSeen = g->prefs.style.modifiers;
    return gUpResult;
}
AIErr Free() {
    gCalls.push_back("free");
    return kNoErr;
}
AIErr Failing() { return 'TEST'; }
AIErr DrawThenFail() {
    DrawPreview();
    return Failing();
}

const ToolRoutines kRoutines{&Down, &DrawPreview, &Up, nullptr, &Free};
// Each frees its click chain as the dimension tools do.
const ToolRoutines kFailingDrag{nullptr, &DrawThenFail, &Up, nullptr, &doFreeHitLocs};
const ToolRoutines kFailingDown{&Failing, &DrawPreview, &Up, nullptr, &doFreeHitLocs};

// A family of the test's own, as the tools of later folders bring theirs: each step says it ran.
AIErr Step(const char* name) {
    gCalls.push_back(name);
    return kNoErr;
}
const ToolFamilyRoutines kNewFamily{
    .recordClick = +[](const PlotwiseToolRow&, AIRealPoint) { Step("record"); },
    .mouseDown = +[](const PlotwiseToolRow&) { return Step("family down"); },
    .drag = +[](const PlotwiseToolRow& row, AIRealPoint) {
        Step("family drag");
        return CallToolRoutine(row, &ToolRoutines::drag);
    },
    .mouseUp = +[](const PlotwiseToolRow&) { return Step("family up"); },
    .trackCursor = +[](const PlotwiseToolRow&, AIRealPoint) { return Step("track"); },
    .flags = kFamilyKeepsEachDrag,
    .captions = {17401, 17405},
};

// Stand-ins for tools of the module's families, with the titles (string indexes),
// tool sets and flags of the real tools; where the real tool is registered, the stand-in
// goes by its own name (string index 0 has no title).
struct TestTools {
    AIToolHandle horizontal, vertical, aligned, angular, measure, chain, line, threePoint, fillet, trim, arc, cube,
        newFamily;
} gTools;

template <AIToolHandle TestTools::*Field>
AIToolHandle& Handle() {
    return gTools.*Field;
}

const PlotwiseToolRow kTestTools[] = {
    {&Handle<&TestTools::horizontal>, "Test Horizontal Dimension", 0, 1, &kDimensionToolFamily, 0, &kRoutines},
    {&Handle<&TestTools::vertical>, "Test Vertical Dimension", 0, 1, &kDimensionToolFamily, 0, &kFailingDown},
    {&Handle<&TestTools::aligned>, "Test Aligned Dimension", 0, 1, &kDimensionToolFamily, 0, &kFailingDrag},
    {&Handle<&TestTools::measure>, "Test Measure Distance", 10, 1, &kDimensionToolFamily, kToolNeedsDrag, &kRoutines},
    {&Handle<&TestTools::angular>, "Test Angular Dimension", 0, 3, &kDimensionToolFamily, kToolTwoClicksThenDrag, &kRoutines},
    {&Handle<&TestTools::chain>, "Test Chain Dimension", 0, 1, &kDimensionToolFamily, kToolChainClicks, &kRoutines},
    {&Handle<&TestTools::line>, "Test CAD Line", 0, 5, &kDrawToolFamily, 0, &kRoutines},
    {&Handle<&TestTools::threePoint>, "Test Three Point Circle", 0, 5, &kThreePointToolFamily, 0, &kRoutines},
    {&Handle<&TestTools::arc>, "Test CAD Arc", 0, 5, &kArcToolFamily, 0, &kRoutines},
    {&Handle<&TestTools::fillet>, "Test Fillet", 0, 6, &kCornerToolFamily, 0, &kRoutines},
    {&Handle<&TestTools::trim>, "Test Trim", 0, 6, &kTrimToolFamily, 0, &kRoutines},
    {&Handle<&TestTools::cube>, "Test Depth Cube", 60, 7, &kDepthToolFamily, kToolPrimitive | kToolTrackCursor, &kRoutines},
    {&Handle<&TestTools::newFamily>, "Test New Family", 0, 7, &kNewFamily, 0, &kRoutines},
};

struct ToolEventTest : CoreTest {
    void SetUp() override {
        gTools = {};
        testSubsystem.tools = kTestTools;
        CoreTest::SetUp();
        gCalls.clear();
        gUpResult = kNoErr;
        StartWithDocument();
    }
    size_t artCount() {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.type == kPathArt ? 1 : 0; });
        return n;
    }
};

TEST_F(ToolEventTest, OnlyToolsWithRoutinesAreRegistered) {
    size_t withRoutines = 0;
    for (const PlotwiseSubsystem* s : PlotwiseSubsystems()) {
        for (const PlotwiseToolRow& row : s->tools) {
            const bool has = row.routines != nullptr && !(row.flags & kToolNotOffered);
            withRoutines += has;
            EXPECT_EQ(row.handle() != nullptr, has) << row.name;
            EXPECT_GE(row.toolSet, 1);
            EXPECT_LE(row.toolSet, kToolSetCount);
        }
    }
    EXPECT_EQ(session->registry().tools.size(), withRoutines);
    EXPECT_EQ(session->registry().toolByTitle("Horizontal Dimension") >= 0, true);
    // The word label and callout tools are not offered.
    for (const char* title : {"Word Label", "Callout"}) EXPECT_LT(session->registry().toolByTitle(title), 0) << title;
    // One toolbox group.
    for (const auto& t : session->registry().tools) EXPECT_EQ(t.group, session->registry().tools[0].group);
}

TEST_F(ToolEventTest, DragThresholdAndUndoOfThePreviousDrag) {
    ASSERT_EQ(session->selectTool("Test Horizontal Dimension"), kNoErr) << session->lastError();
    ASSERT_EQ(session->mouseDown({100, 100}), kNoErr);
    EXPECT_EQ(g->firstClick.h, 100.0f);
    EXPECT_EQ(g->clickNum, 1);
    EXPECT_EQ(g->curDimID, g->prefs.style.id + 1);
    ASSERT_EQ(session->mouseDrag({101, 101}), kNoErr);  // within 2 points: not a drag
    EXPECT_EQ(g->toolWasDragged, 0);
    EXPECT_EQ(artCount(), 0u);
    ASSERT_EQ(session->mouseDrag({103, 100}), kNoErr);
    EXPECT_EQ(g->toolWasDragged, 1);
    ASSERT_EQ(session->mouseDrag({100.5f, 100}), kNoErr);  // tested once per gesture only
    ASSERT_EQ(session->mouseDrag({150, 100}), kNoErr);
    EXPECT_EQ(artCount(), 1u);  // each drag undid the one before
    EXPECT_EQ(g->endPoint.h, 150.0f);
    const int32_t id = g->prefs.style.id;
    ASSERT_EQ(session->mouseUp({150, 100}), kNoErr);
    EXPECT_EQ(g->prefs.style.id, id + 1);
    EXPECT_EQ(g->curDimID, id + 1);
    EXPECT_EQ(g->didFirstClick, 0);
    EXPECT_EQ(g->clickNum, 0);
    EXPECT_EQ(gCalls, (std::vector<std::string>{"down", "drag", "drag", "drag", "up", "free"}));
    EXPECT_EQ(artCount(), 1u);
}

TEST_F(ToolEventTest, DragsDeselectWhatWasSelectedWhenTheMouseWentDown) {
    standin::ObjId picked = 0;
    ASSERT_EQ(session->hostEvent([&] { return doc->addLine({0, 0}, {10, 0}, &picked); }), kNoErr);
    ASSERT_EQ(session->hostEvent([&] { return doc->select(picked); }), kNoErr);
    ASSERT_EQ(session->selectTool("Test CAD Line"), kNoErr);
    ASSERT_EQ(session->mouseDown({100, 100}), kNoErr);
    EXPECT_EQ(g->selectionInGesture, 1);
    EXPECT_TRUE(doc->readsSelected(picked));
    ASSERT_EQ(session->mouseDrag({150, 100}), kNoErr);
    EXPECT_FALSE(doc->readsSelected(picked));
    ASSERT_EQ(session->mouseDrag({160, 100}), kNoErr);  // the undo brought it back; deselected again
    EXPECT_FALSE(doc->readsSelected(picked));
    ASSERT_EQ(session->mouseUp({160, 100}), kNoErr);
    // Nothing selected at the press: nothing to deselect at any drag.
    ASSERT_EQ(session->mouseDown({100, 100}), kNoErr);
    EXPECT_EQ(g->selectionInGesture, 0);
    session->mouseUp({100, 100});
}

TEST_F(ToolEventTest, TrimCutsAccumulateWithoutUndo) {
    ASSERT_EQ(session->selectTool("Test Trim"), kNoErr);
    ASSERT_EQ(session->mouseDown({0, 0}), kNoErr);
    EXPECT_EQ(g->didFirstClick, 0);
    for (AIReal x : {10.0f, 20.0f, 30.0f}) ASSERT_EQ(session->mouseDrag({x, 0}), kNoErr);
    EXPECT_EQ(artCount(), 3u);
    EXPECT_EQ(g->draggingTrim, 1);
    EXPECT_EQ(g->firstClick.h, 30.0f);
    ASSERT_EQ(session->mouseUp({30, 0}), kNoErr);
    EXPECT_EQ(g->draggingTrim, 0);
    EXPECT_EQ(artCount(), 3u);
}

TEST_F(ToolEventTest, ModifiersHeldDuringTheEventAndClearedAfterMouseUp) {
    ASSERT_EQ(session->selectTool("Test CAD Line"), kNoErr);
    ASSERT_EQ(session->mouseDown({0, 0}, aiEventModifiers_Shift), kNoErr);
    EXPECT_EQ(g->prefs.style.modifiers, 1);
    ASSERT_EQ(session->mouseDrag({50, 0}, aiEventModifiers_Option | aiEventModifiers_Command), kNoErr);
    EXPECT_EQ(gModifiersSeen, 2 | 4 | 8);
    ASSERT_EQ(session->mouseUp({50, 0}, aiEventModifiers_Shift), kNoErr);
    EXPECT_EQ(g->prefs.style.modifiers, 0);
    // A click opens the numeric-input step, which still sees the mouse up's keys.
    gCalls.clear();
    ASSERT_EQ(session->click({5, 5}, aiEventModifiers_Option), kNoErr);
    EXPECT_EQ(gCalls, (std::vector<std::string>{"down", "up"}));
    EXPECT_EQ(gModifiersSeen, 2);
    EXPECT_EQ(g->firstClick.h, 5.0f);
    EXPECT_EQ(g->didFirstClick, 0);
}

TEST_F(ToolEventTest, ThreePointCircleGathersThreeClicksAndRefusesDrags) {
    ASSERT_EQ(session->selectTool("Test Three Point Circle"), kNoErr);
    ASSERT_EQ(session->click({0, 0}), kNoErr);
    ASSERT_EQ(session->click({10, 0}), kNoErr);
    EXPECT_EQ(g->clickNum, 2);
    EXPECT_TRUE(std::find(gCalls.begin(), gCalls.end(), "up") == gCalls.end());
    ASSERT_EQ(session->click({5, 5}), kNoErr);
    EXPECT_EQ(g->thirdClick.v, 5.0f);
    EXPECT_EQ(std::count(gCalls.begin(), gCalls.end(), "up"), 1);
    EXPECT_EQ(g->didFirstClick + g->didSecondClick + g->didThirdClick, 0);

    ASSERT_EQ(session->mouseDown({0, 0}), kNoErr);
    EXPECT_EQ(session->mouseDrag({40, 40}), kCADErr);
    session->mouseUp({40, 40});
    ASSERT_FALSE(Alerts().empty());
    EXPECT_NE(Alerts().back().find("three points"), std::string::npos);
    EXPECT_EQ(artCount(), 0u);
}

TEST_F(ToolEventTest, CornerToolsKeepTheirClicksWhenTheRoutineFails) {
    ASSERT_EQ(session->selectTool("Test Fillet"), kNoErr);
    gUpResult = kCADErr;
    ASSERT_EQ(session->click({0, 0}), kNoErr);  // first click: nothing to do yet
    EXPECT_EQ(session->click({10, 10}), kCADErr);
    EXPECT_EQ(g->didFirstClick, 1);
    EXPECT_EQ(g->didSecondClick, 1);
    // A further click with both recorded starts again.
    gUpResult = kNoErr;
    ASSERT_EQ(session->click({20, 20}), kNoErr);
    EXPECT_EQ(g->didFirstClick + g->didSecondClick + g->clickNum, 0);
    ASSERT_EQ(session->click({1, 1}), kNoErr);
    ASSERT_EQ(session->click({2, 2}), kNoErr);
    EXPECT_EQ(g->didFirstClick + g->didSecondClick, 0);  // done: cleared
}

TEST_F(ToolEventTest, ClickOnlyUseOfDragToolsIsExplained) {
    ASSERT_EQ(session->selectTool("Measure Distance"), kNoErr);
    EXPECT_EQ(session->click({0, 0}), kCADErr);
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts()[0], "Use this tool by clicking and dragging.");
    EXPECT_EQ(g->didFirstClick, 0);

    ASSERT_EQ(session->selectTool("Test Angular Dimension"), kNoErr);
    ASSERT_EQ(session->click({0, 0}), kNoErr);  // first end point
    EXPECT_EQ(g->clickNum, 1);
    EXPECT_EQ(session->click({0, 10}), kCADErr);
    ASSERT_EQ(Alerts().size(), 2u);
    EXPECT_EQ(Alerts()[1], "Click the two end points, then drag.");
    // Two clicks and a drag make the dimension.
    ASSERT_EQ(session->click({0, 0}), kNoErr);
    ASSERT_EQ(session->mouseDown({0, 10}), kNoErr);
    EXPECT_EQ(g->secondClick.v, 10.0f);
    ASSERT_EQ(session->mouseDrag({30, 30}), kNoErr);
    const int32_t id = g->prefs.style.id;
    ASSERT_EQ(session->mouseUp({30, 30}), kNoErr);
    EXPECT_EQ(g->prefs.style.id, id + 1);

    ASSERT_EQ(session->selectTool("Test CAD Arc"), kNoErr);
    ASSERT_EQ(session->mouseDown({0, 0}), kNoErr);
    EXPECT_EQ(session->mouseDrag({30, 30}), kCADErr);  // only the first end point
    session->mouseUp({30, 30});
    EXPECT_EQ(Alerts().back(), "Click the two end points, then drag.");
}

TEST_F(ToolEventTest, ClicksOfAChainingToolAddUpUntilADragEndsThem) {
    ASSERT_EQ(session->selectTool("Test Chain Dimension"), kNoErr);
    const int32_t id = g->prefs.style.id;
    ASSERT_EQ(session->click({0, 0}), kNoErr);
    ASSERT_EQ(session->click({50, 0}), kNoErr);
    ASSERT_EQ(session->mouseDown({100, 0}), kNoErr);
    EXPECT_EQ(g->clickNum, 3);
    EXPECT_TRUE(std::find(gCalls.begin(), gCalls.end(), "up") == gCalls.end());
    EXPECT_EQ(g->prefs.style.id, id);
    ASSERT_EQ(session->mouseDrag({50, 30}), kNoErr);
    ASSERT_EQ(session->mouseUp({50, 30}), kNoErr);
    EXPECT_EQ(std::count(gCalls.begin(), gCalls.end(), "up"), 1);
    EXPECT_EQ(g->prefs.style.id, id + 1);
    EXPECT_EQ(g->clickNum, 0);
}

std::vector<std::pair<int32_t, int32_t>> gCaptions;

TEST_F(ToolEventTest, CaptionsAndSnappingGoThroughTheHooks) {
    PlotwiseServices& services = testSubsystem.services;
    gCaptions.clear();
    services.updateTrackerWindowLabels = [](int32_t a, int32_t b) -> AIErr {
        gCaptions.emplace_back(a, b);
        return kNoErr;
    };
    services.snapToGridCheckAxonometric = [](AIRealPoint* p) -> int {
        p->h = 50.0f;
        return 1;
    };
    g->prefs.snapToGrid = 1;
    ASSERT_EQ(session->selectTool("Test CAD Arc"), kNoErr);
    ASSERT_EQ(session->mouseDown({47, 3}), kNoErr);
    EXPECT_EQ(g->firstClick.h, 50.0f);  // the snapped point
    EXPECT_EQ(g->startingPoint.h, 50.0f);
    session->mouseUp({47, 3});
    ASSERT_EQ(session->selectTool("Test CAD Line"), kNoErr);
    ASSERT_EQ(gCaptions.size(), 2u);
    EXPECT_EQ(gCaptions[0], std::make_pair(17402, 17406));
    EXPECT_EQ(gCaptions[1], std::make_pair(17403, 17404));
    services = PlotwiseServices{};
}

TEST_F(ToolEventTest, AFamilyTheCoreDoesNotKnowTakesEveryStepItGives) {
    gCaptions.clear();
    testSubsystem.services.updateTrackerWindowLabels = [](int32_t a, int32_t b) -> AIErr {
        gCaptions.emplace_back(a, b);
        return kNoErr;
    };
    ASSERT_EQ(session->selectTool("Test New Family"), kNoErr) << session->lastError();
    ASSERT_EQ(session->trackCursor({0, 0}), kNoErr);
    ASSERT_EQ(session->mouseDown({0, 0}), kNoErr);
    for (AIReal x : {10.0f, 20.0f}) ASSERT_EQ(session->mouseDrag({x, 0}), kNoErr);
    ASSERT_EQ(session->mouseUp({20, 0}), kNoErr);
    testSubsystem.services = PlotwiseServices{};
    EXPECT_EQ(gCalls, (std::vector<std::string>{"track", "record", "family down", "down", "family drag", "drag",
                                                "family drag", "drag", "family up"}));
    EXPECT_EQ(artCount(), 2u);  // its drags keep the one before
    ASSERT_FALSE(gCaptions.empty());
    EXPECT_EQ(gCaptions.front(), std::make_pair(17401, 17405));
}

TEST_F(ToolEventTest, HandlersReturnTheErrorOfTheirFirstFailingStep) {
    // The rest of a press refused by its drag or its mouse down runs none of the tool's steps
    // and answers nothing; what the failed drag drew goes at the release, and the clicks.
    ASSERT_EQ(session->selectTool("Test Aligned Dimension"), kNoErr);
    ASSERT_EQ(session->mouseDown({0, 0}), kNoErr);
    EXPECT_EQ(session->mouseDrag({40, 0}), AIErr('TEST'));
    EXPECT_EQ(session->mouseDrag({60, 0}), kNoErr);
    EXPECT_EQ(session->mouseUp({60, 0}), kNoErr);
    EXPECT_EQ(gCalls, std::vector<std::string>{"drag"});
    EXPECT_EQ(artCount(), 0u);
    EXPECT_EQ(g->firstChainDimDataPtr, nullptr);

    ASSERT_EQ(session->selectTool("Test Vertical Dimension"), kNoErr);
    EXPECT_EQ(session->mouseDown({0, 0}), AIErr('TEST'));
    EXPECT_EQ(session->mouseDrag({40, 0}), kNoErr);
    EXPECT_EQ(session->mouseUp({40, 0}), kNoErr);
    EXPECT_EQ(gCalls, std::vector<std::string>{"drag"});
    EXPECT_EQ(artCount(), 0u);
    EXPECT_EQ(g->didFirstClick + g->clickNum, 0);

    // A stale layer to return to from a layer the plug-in switched to: deselecting reports
    // the host's error.
    AIToolMessage m{};
    m.tool = gTools.horizontal;
    g->saveLayer = reinterpret_cast<AILayerHandle>(uintptr_t{0xBAD0});
    ASSERT_EQ(sAILayer->GetCurrentLayer(&g->layerSwitchedTo), kNoErr);
    EXPECT_EQ(PluginMain(kCallerAITool, kSelectorAIDeselectTool, &m), kStaleHandleErr);
    g->saveLayer = nullptr;

    // Depth tools tag their pieces after a drag; a stale piece ends the handler.
    g->toolWasDragged = 1;
    g->depthArt = reinterpret_cast<AIArtHandle>(uintptr_t{0xBAD1});
    m.tool = gTools.cube;
    EXPECT_EQ(toolMouseUp(&m), kStaleHandleErr);
    g->depthArt = nullptr;
}

// A press its tool refuses writes nothing: pressed in empty space on a layer holding no
// scale, or on art of the dimension, grids or ruler layer (holding none either), it stores
// no scale and leaves no step of undo.
TEST_F(ToolEventTest, ARefusedPressStoresNoScale) {
    ASSERT_EQ(session->selectTool("Test Vertical Dimension"), kNoErr);  // its mouse down fails
    const standin::ObjId user = doc->currentLayer();
    for (AILayerHandle* special : {static_cast<AILayerHandle*>(nullptr), &g->dimensionLayer, &g->gridsLayer, &g->rulerLayer}) {
        SCOPED_TRACE(special ? "art of a special layer" : "empty space");
        standin::ObjId layer = user;
        ASSERT_EQ(session->hostEvent([&] {
            if (!special) return kNoErr;
            *special = standin::suites::layerHandle(layer = doc->addLayer("Special"));
            if (AIErr err = doc->addPolyline({{0, 0}, {100, 0}}, false)) return err;
            return doc->setCurrentLayer(user);
        }), kNoErr);
        const size_t steps = doc->journal().undoDepth();
        EXPECT_EQ(session->mouseDown({50, 0}), AIErr('TEST'));
        EXPECT_EQ(session->mouseUp({50, 0}), kNoErr);
        const standin::Dict* stored = doc->dict(doc->dictionaryOf(layer));
        EXPECT_FALSE(stored && stored->find(kLayerScaleIDKey));
        EXPECT_EQ(doc->journal().undoDepth(), steps);
    }
}

TEST(ModifierKeys, EventBitsToStyleBits) {
    ScopedGlobals scoped;
    auto& modifiers = scoped.globals.prefs.style.modifiers;
    getCADModifierKeys(kToolEventShiftKey | kToolEventCommandKey);
    EXPECT_EQ(modifiers, 13);
    getCADModifierKeys(0);
    EXPECT_EQ(modifiers, 0);
    getCADModifierKeys(kToolEventOptionKey | 0x1 | 0x400 | 0x8000);
    EXPECT_EQ(modifiers, 2);  // other bits ignored
    getCADModifierKeys(0xFFFF);
    EXPECT_EQ(modifiers, 15);
}

}  // namespace
}  // namespace coretest
