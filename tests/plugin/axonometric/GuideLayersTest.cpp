// The grids and rulers as art on their own layers: where the layers go and what they hold
// (a line every increment in the grid colour and line type, ticks and labels in the ruler
// units at the scale of the current layer), drawn again after a change of units or zoom
// with the selection kept, and gone when they are switched off.

#include <algorithm>
#include <filesystem>
#include <utility>
#include <functional>

#include "AINotifier.h"
#include "GuidesFixture.h"
#include "ScratchFolder.h"
#include "core/PlotwiseSelection.h"
#include "geometry/UnitFormat.h"
#include "io/DocumentFile.h"
#include "text/Layout.h"
#include "text/FontRegistry.h"
#include "units/LayerScales.h"

namespace axotest {
namespace {

struct GuideLayersTest : GuidesTest {
    void SetUp() override {
        GuidesTest::SetUp();
        g->prefs.rulerUnits = kPointUnits;
        g->prefs.rulerPrecision = 0;
        g->prefs.appendRulerUnits = 1;
        Zoom(0.5f);  // 100-point spacing in ten 10-point steps; one pixel is 2 points
    }
    void ShowGrid() { g->prefs.CADgridVisible = 1; }
    void ShowRulers() { g->prefs.DERurureLayerVisible = g->prefs.DERurureLayerExists = 1; }
    std::vector<std::string> TitlesInOrder() const {
        std::vector<std::string> titles;
        for (standin::ObjId id : doc->topLayers()) titles.push_back(doc->art(id)->layer->title);
        return titles;
    }
};

TEST_F(GuideLayersTest, TheGridIsALockedUnprintedBottomLayerWithALineEveryIncrement) {
    ShowGrid();
    g->prefs.gridColorRed = 65535;
    g->prefs.gridColorGreen = 0;
    g->prefs.gridColorBlue = 32768;
    ASSERT_EQ(drawGridsAndRulers(1, 1), kNoErr);
    EXPECT_EQ(TitlesInOrder(), (std::vector<std::string>{"Layer 1", "ROVidazu Layer"}));
    const standin::Art* layer = LayerArt(kGridsLayerTitle);
    ASSERT_NE(layer, nullptr);
    EXPECT_FALSE(layer->layer->editable);
    EXPECT_FALSE(layer->layer->printed);
    EXPECT_TRUE(layer->layer->visible);
    EXPECT_EQ(standin::suites::layerHandle(doc->layerByTitle(kGridsLayerTitle)), g->gridsLayer);
    // The page is 612 by 792: horizontal lines at 0, 10, ..., 790 and vertical ones at 0, ..., 610.
    const auto lines = Members(kGridsLayerTitle, kPathArt);
    ASSERT_EQ(lines.size(), 80u + 62u);
    int majors = 0;
    for (const standin::Art* l : lines) {
        ASSERT_EQ(l->segments.size(), 2u);
        const bool horizontal = l->segments[0].p.v == l->segments[1].p.v;
        const AIReal at = horizontal ? l->segments[0].p.v : l->segments[0].p.h;
        const bool major = std::fmod(at, 100.0f) == 0;
        majors += major;
        EXPECT_FLOAT_EQ(l->style.stroke.width, major ? 2.0f : 1.0f) << at;  // 1 and 0.5 pixels
        EXPECT_EQ(l->style.stroke.color.kind, kThreeColor);
        EXPECT_FLOAT_EQ(l->style.stroke.color.c.rgb.red, 1.0f);
        EXPECT_FLOAT_EQ(l->style.stroke.color.c.rgb.green, 0.0f);
        EXPECT_NEAR(l->style.stroke.color.c.rgb.blue, 0.5f, 1e-4);
        EXPECT_EQ(l->style.stroke.dash.length, 0);
        EXPECT_FALSE(l->style.fillPaint);
    }
    EXPECT_EQ(majors, 8 + 7);  // v = 0 ... 700, h = 0 ... 600
    // The guide layers store 1:1 whatever the document's scale.
    int32_t id = 0;
    AIReal scaler = 0;
    char label[32] = {};
    ASSERT_EQ(GetZA3LayerScaleAndSetIfNotThere(g->gridsLayer, &id, &scaler, label), kNoErr);
    EXPECT_EQ(scaler, 1.0f);
}

TEST_F(GuideLayersTest, TheGridsLineTypeIsDashedOrDotted) {
    ShowGrid();
    g->prefs.GridlineEntry = 2;
    ASSERT_EQ(drawGridsAndRulers(1, 0), kNoErr);
    const standin::Art* line = Members(kGridsLayerTitle, kPathArt).front();
    ASSERT_EQ(line->style.stroke.dash.length, 2);
    EXPECT_FLOAT_EQ(line->style.stroke.dash.array[0], 8);  // 4 and 2 pixels at half size
    EXPECT_FLOAT_EQ(line->style.stroke.dash.array[1], 4);
    g->prefs.GridlineEntry = 3;
    ASSERT_EQ(drawGridsAndRulers(1, 0), kNoErr);
    line = Members(kGridsLayerTitle, kPathArt).front();
    EXPECT_FLOAT_EQ(line->style.stroke.dash.array[0], 2);
}

TEST_F(GuideLayersTest, RulersAreATopLayerTickedAndLabelledInTheRulerUnits) {
    ShowRulers();
    ASSERT_EQ(drawGridsAndRulers(1, 1), kNoErr);
    EXPECT_EQ(TitlesInOrder(), (std::vector<std::string>{"DERurure Layer", "Layer 1"}));
    EXPECT_EQ(LayerArt(kGridsLayerTitle), nullptr) << "the grid is not shown";
    const standin::Art* layer = LayerArt(kRulerLayerTitle);
    ASSERT_NE(layer, nullptr);
    EXPECT_FALSE(layer->layer->editable);
    EXPECT_FALSE(layer->layer->printed);
    // Labels every 100 points: 0 ... 600 along the top, 0 ... 700 up the left edge.
    std::vector<std::string> labels = Labels();
    std::sort(labels.begin(), labels.end());
    const std::vector<std::string> want{"0 pt",   "0 pt",   "100 pt", "100 pt", "200 pt", "200 pt", "300 pt", "300 pt",
                                        "400 pt", "400 pt", "500 pt", "500 pt", "600 pt", "600 pt", "700 pt"};
    EXPECT_EQ(labels, want);
    // Two edge lines and a tick every 10 points: 62 along the top, 80 up the side.
    EXPECT_EQ(Members(kRulerLayerTitle, kPathArt).size(), 2u + 62u + 80u);
    // The ticks stand outside the page: above its top edge and left of its left edge.
    for (const standin::Art* tick : Members(kRulerLayerTitle, kPathArt)) {
        const AIRealPoint a = tick->segments[0].p, b = tick->segments[1].p;
        EXPECT_TRUE(std::max(a.v, b.v) >= 792 || std::min(a.h, b.h) <= 0);
    }
    // Without unit labels, bare numbers; in the ruler's font.
    g->prefs.appendRulerUnits = 0;
    ASSERT_EQ(drawRulersOnly(1, 0), kNoErr);
    labels = Labels();
    EXPECT_NE(std::find(labels.begin(), labels.end(), "300"), labels.end());
    EXPECT_EQ(Members(kRulerLayerTitle, kTextFrameArt).front()->story.runs.at(0).features.size, 16.0f);
}

TEST_F(GuideLayersTest, NoRulerTickRunsIntoALabel) {
    ShowRulers();
    for (int32_t units : {kPointUnits, kMillimeterUnits, kDecimalInchWordUnits}) {
        SCOPED_TRACE(units);
        g->prefs.rulerUnits = units;
        ASSERT_EQ(drawGridsAndRulers(0, 1), kNoErr);
        const auto texts = Members(kRulerLayerTitle, kTextFrameArt);
        ASSERT_FALSE(texts.empty());
        for (const standin::Art* text : texts) {
            // The label's ink, as the host lays it out (the labels stand level).
            const AIRealRect r = standin::text::storyBounds(text->story, standin::text::FontRegistry::shared());
            for (const standin::Art* tick : Members(kRulerLayerTitle, kPathArt)) {
                const AIRealPoint a = tick->segments.at(0).p, b = tick->segments.at(1).p;
                const bool apart = std::max(a.h, b.h) <= r.left || std::min(a.h, b.h) >= r.right ||
                                   std::max(a.v, b.v) <= r.bottom || std::min(a.v, b.v) >= r.top;
                EXPECT_TRUE(apart) << Text(text) << " and the tick from " << a.h << "," << a.v << " to " << b.h
                                   << "," << b.v;
            }
        }
    }
}

TEST_F(GuideLayersTest, TheRulersTakeTheScaleOfTheCurrentLayer) {
    ShowRulers();
    AILayerHandle current = nullptr;
    ASSERT_EQ(sAILayer->GetCurrentLayer(&current), kNoErr);
    ASSERT_EQ(setLayerScale(current, 7, 50.0f, "1:50"), kNoErr);
    ASSERT_EQ(drawRulersOnly(1, 1), kNoErr);
    EXPECT_EQ(g->rulerScale, 7);
    EXPECT_EQ(g->rulerScaler, 50.0f);
    // Real lengths of 5000 points make a hundred drawn points at this zoom: labels in 5000s,
    // written in the number format (grouped thousands).
    std::vector<std::string> labels = Labels();
    for (const char* want : {"5,000 pt", "10,000 pt", "30,000 pt", "35,000 pt"})
        EXPECT_NE(std::find(labels.begin(), labels.end(), want), labels.end()) << want;
    EXPECT_EQ(std::find(labels.begin(), labels.end(), "100 pt"), labels.end());

    // Another layer made current (in the host's layers panel): the rulers are drawn again at
    // its scale, and only when it reads another; an undo that brings back the layer the
    // rulers were drawn for draws nothing, so what was undone can still be redone.
    for (const auto& [title, scaler] : {std::pair{"Elevation", 20.0f}, std::pair{"Site", 50.0f}}) {
        doc->addLayer(title);
        ASSERT_EQ(setLayerScale(standin::suites::layerHandle(doc->layerByTitle(title)), 7, scaler, "1:x"), kNoErr);
    }
    const struct {
        const char* what;
        std::function<void()> act;
        const char* label;  // the second major tick's
        bool drawn;         // the rulers drawn again
    } kSteps[] = {
        {"Elevation at 1:20", [&] { ASSERT_EQ(doc->setCurrentLayer("Elevation"), kNoErr); }, "4,000 pt", true},
        {"Site at 1:50", [&] { ASSERT_EQ(doc->setCurrentLayer("Site"), kNoErr); }, "10,000 pt", true},
        {"Layer 1 at 1:50 too", [&] { ASSERT_EQ(doc->setCurrentLayer("Layer 1"), kNoErr); }, "10,000 pt", false},
        {"that undone", [&] { ASSERT_TRUE(session->userUndo()); }, "10,000 pt", false},
        {"and redone", [&] { ASSERT_TRUE(session->userRedo()); }, "10,000 pt", false},
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.what);
        const standin::ObjId rulers = doc->layerByTitle(kRulerLayerTitle);
        step.act();
        session->notify(kAICurrentLayerNotifier);
        labels = Labels();
        EXPECT_NE(std::find(labels.begin(), labels.end(), step.label), labels.end());
        EXPECT_EQ(doc->layerByTitle(kRulerLayerTitle) != rulers, step.drawn);
    }
}

TEST_F(GuideLayersTest, AUnitsChangeDrawsGridsAndRulersAgainAndKeepsTheSelection) {
    ShowGrid();
    ShowRulers();
    ASSERT_EQ(drawGridsAndRulers(1, 1), kNoErr);
    session->ticks(10);
    const standin::ObjId picked = Rect(100, 100, 20, 20);
    ASSERT_EQ(doc->select(picked), kNoErr);
    // Inches: at half size 50 pixels are 1.39 inches, so a two-inch spacing in eighths.
    g->prefs.rulerUnits = kFractionalInchMarkUnits;
    g->prefs.rulerPrecision = 3;
    ASSERT_EQ(session->hostEvent([] { return drawGridsAndRulers(1, 1); }), kNoErr);
    EXPECT_EQ(g->prefs.gridSpacing, 144);
    EXPECT_EQ(g->gridSnapInc, 18);
    EXPECT_EQ(Members(kGridsLayerTitle, kPathArt).size(), 45u + 35u);  // 792 / 18 + 1, 612 / 18 + 1
    std::vector<std::string> labels = Labels();
    EXPECT_NE(std::find(labels.begin(), labels.end(), "2\""), labels.end());
    EXPECT_TRUE(doc->selection().empty()) << "deselected while the guides are drawn";
    session->ticks(10);  // theTimer
    EXPECT_EQ(doc->selection(), std::vector<standin::ObjId>{picked});
}

TEST_F(GuideLayersTest, SwitchedOffTheGuidesGoAndTheQuestionsSayNo) {
    ShowGrid();
    ShowRulers();
    ASSERT_EQ(drawGridsAndRulers(1, 1), kNoErr);
    EXPECT_TRUE(AreGridsOn());
    EXPECT_TRUE(AreRulersOn());
    g->prefs.CADgridVisible = 0;
    EXPECT_FALSE(AreGridsOn());
    EXPECT_EQ(LayerArt(kGridsLayerTitle), nullptr);
    EXPECT_EQ(g->gridsLayer, nullptr);
    g->prefs.DERurureLayerExists = 0;
    EXPECT_FALSE(AreRulersOn());
    EXPECT_EQ(LayerArt(kRulerLayerTitle), nullptr);
    // Disposing of what is not there is no error.
    EXPECT_EQ(disposeAxonometricGrids(), kNoErr);
    EXPECT_EQ(disposeDERurure(), kNoErr);
    EXPECT_EQ(drawRulersOnly(1, 1), kNoErr);
    EXPECT_EQ(LayerArt(kRulerLayerTitle), nullptr) << "the rulers are not shown";
}

TEST_F(GuideLayersTest, NewDocumentsAndZoomsGetTheirGuidesDrawnAgain) {
    ShowGrid();
    standin::Document& second = session->newDocument();
    doc = &second;
    EXPECT_NE(LayerArt(kGridsLayerTitle), nullptr) << "a new document gets the grid shown";
    EXPECT_EQ(standin::suites::layerHandle(doc->layerByTitle(kGridsLayerTitle)), g->gridsLayer);
    Zoom(2);  // 50 pixels are 25 points: a 50-point spacing in 5-point steps
    session->notify(kAIDocumentViewChangedNotifier);
    session->settle();
    EXPECT_FLOAT_EQ(g->gridSnapInc, 5);
    EXPECT_EQ(Members(kGridsLayerTitle, kPathArt).size(), 159u + 123u);
}

TEST_F(GuideLayersTest, AnOpenedDocumentGetsItsGuidesDrawnAfresh) {
    ShowGrid();
    ShowRulers();
    ASSERT_EQ(drawGridsAndRulers(1, 1), kNoErr);
    const ScratchFolder scratch;
    const std::filesystem::path file = scratch.path("guides.json");
    std::string error;
    ASSERT_TRUE(standin::io::saveDocumentFile(*doc, file.string(), error)) << error;
    ASSERT_EQ(session->closeDocument(), kNoErr);
    g->prefs.rulerUnits = kMillimeterUnits;  // changed while the document was closed
    ASSERT_EQ(session->openDocument([&] {
        return standin::io::openDocumentFile(host, file.string(), error) ? kNoErr : kDataFilterErr;
    }),
              kNoErr)
        << error;
    doc = host.frontDocument();
    const std::vector<std::string> titles = TitlesInOrder();
    EXPECT_EQ(titles, (std::vector<std::string>{"DERurure Layer", "Layer 1", "ROVidazu Layer"}));
    EXPECT_EQ(standin::suites::layerHandle(doc->layerByTitle(kRulerLayerTitle)), g->rulerLayer);
    EXPECT_EQ(standin::suites::layerHandle(doc->layerByTitle(kGridsLayerTitle)), g->gridsLayer);
    const std::vector<std::string> labels = Labels();
    EXPECT_NE(std::find(labels.begin(), labels.end(), "40 mm"), labels.end());  // its view at 100%: 20 mm steps
    EXPECT_EQ(std::find(labels.begin(), labels.end(), "100 pt"), labels.end());
    // Opened where the guides are off, it keeps none of another session's.
    ASSERT_EQ(session->closeDocument(), kNoErr);
    g->prefs.CADgridVisible = g->prefs.DERurureLayerVisible = 0;
    ASSERT_EQ(session->openDocument([&] {
        return standin::io::openDocumentFile(host, file.string(), error) ? kNoErr : kDataFilterErr;
    }), kNoErr);
    doc = host.frontDocument();
    EXPECT_EQ(TitlesInOrder(), std::vector<std::string>{"Layer 1"});
}

TEST_F(GuideLayersTest, DocumentWalksLeaveTheGuideLayersAlone) {
    ShowGrid();
    ShowRulers();
    ASSERT_EQ(drawGridsAndRulers(1, 1), kNoErr);
    session->ticks(10);
    doc->selectAll();
    ASSERT_EQ(TagSelectedArt(), kNoErr);
    for (const char* title : {kGridsLayerTitle, kRulerLayerTitle})
        for (standin::ObjId id : doc->children(doc->layerByTitle(title))) EXPECT_TRUE(doc->art(id)->tags.empty());
    session->ticks(10);
}

}  // namespace
}  // namespace axotest
