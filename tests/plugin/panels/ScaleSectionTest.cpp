// The scale section of the document panel and the layer scale commands: the forty scales of
// the popup, the delete entry that follows the custom slots (and only on the document
// panel), scales set from the layer list (a title holding " - " included), the popup over
// rows of equal and differing scales, a custom scale shown as its layer or document stores
// it, the document's scale style kept with the document, the switch to document-based scale
// starting at 1:1 (pressed again to no effect, no step), the row of the current layer (a
// sublayer's top-level layer, the popup at the sublayer's own scale), the dimension layer
// never listed, a refresh of the list that stores no scale, and a removal that finds nothing
// changing nothing.
#include <algorithm>
#include <cstring>
#include <functional>

#include "../../ScratchFolder.h"
#include "AINotifier.h"
#include "PanelSessionFixture.h"
#include "io/DocumentFile.h"
#include "panels/CustomScaleDialogItems.h"
#include "panels/DocumentPanel.h"
#include "panels/LayerScaleCommands.h"
#include "panels/ScaleSection.h"
#include "geometry/UnitFormat.h"
#include "units/UnitsGlobals.h"

namespace paneltest {
namespace {

using Strings = std::vector<std::string>;

class ScaleSectionTest : public PanelSession {
protected:
    void Layers(std::initializer_list<const char*> titles) {
        for (const char* t : titles) Doc().addLayer(t);
    }
    // The scale label stored on a layer ("" when none), read through the host's model.
    std::string Stored(const char* title) {
        const standin::Art* layer = Doc().art(Doc().layerByTitle(title));
        const standin::Dict* d = layer ? Doc().dict(layer->dictionary) : nullptr;
        const standin::DictValue* v = d ? d->find("ZA3_ScaleStr") : nullptr;
        return v ? std::get<standin::DictText>(*v).str() : "";
    }
    void StoreScale(const char* title, int32_t id, AIReal scaler, const char* label) {
        standin::Dict* d = Doc().editDict(Doc().dictionaryOf(Doc().layerByTitle(title)));
        d->set("ZA3_ScaleID", id);
        d->set("ZA3_Scaler", scaler);
        d->set("ZA3_ScaleStr", std::string(label));
    }
    const standin::DictValue* DocumentEntry(const char* key) {
        const standin::Dict* d = Doc().dict(Doc().state().dictionary);
        return d ? d->find(key) : nullptr;
    }
    int32_t Row(const std::string& text) {
        const Strings rows = Entries(kLayerList);
        auto it = std::find(rows.begin(), rows.end(), text);
        if (it == rows.end()) ADD_FAILURE() << "no row \"" << text << "\"";
        return static_cast<int32_t>(it - rows.begin());
    }
    bool DeleteEntryEnabled() { return Entries(kADMPopoutMenuItemID).at(1) == "Delete Custom Scale"; }
};

TEST_F(ScaleSectionTest, ThePopupHoldsTheFortyScalesAndTheDefinedCustomSlots) {
    Store().putReal("ZelmarkPlotwise7", "customScaler3", 48.0f);
    Store().putString("ZelmarkPlotwise7", "customScaleStr3", "quarter");
    Start();
    const Strings scales = Entries(kScalePopup);
    ASSERT_EQ(scales.size(), 40u);
    for (int32_t id : {0, 1, 3, 9}) EXPECT_EQ(scales[id], "Custom(off)") << id;
    EXPECT_EQ(scales[2], "quarter");
    EXPECT_EQ(scales[10], "-");
    EXPECT_EQ(scales[11], "1/16\" = 1'-0\"");
    EXPECT_EQ(scales[23], "-");
    EXPECT_EQ(scales[25], "1:50");
    EXPECT_EQ(scales[33], "1:1");
    EXPECT_EQ(scales[39], "100:1");
    ADMListRef list = sADMItem->GetList(sADMDialog->GetItem(panel, kScalePopup));
    for (int32_t id = 0; id < 40; ++id) EXPECT_EQ(sADMEntry->GetID(sADMList->IndexEntry(list, id)), id);
    EXPECT_TRUE(DeleteEntryEnabled());

    // Filling another dialog's popup leaves the document panel's popout alone.
    g->prefs.customScaler3 = 0.0f;
    ADMDialogRef other = sADMDialog->Create(nullptr, "other", kCustomScaleDialogID, kADMTabbedFloatingDialogStyle,
                                            nullptr, nullptr, 0);
    ASSERT_NE(other, nullptr);
    setupScalePopup(other, 6);
    EXPECT_EQ(sADMList->NumberOfEntries(sADMItem->GetList(sADMDialog->GetItem(other, 6))), 40);
    EXPECT_TRUE(DeleteEntryEnabled());
    setupScalePopup(panel, kScalePopup);
    EXPECT_FALSE(DeleteEntryEnabled());
}

TEST_F(ScaleSectionTest, AScaleChosenForSelectedRowsGoesToTheirWholeTrees) {
    Start();
    session->newDocument();
    Layers({"Detail", "Site", "Plan"});
    Doc().insertLayer(Doc().layerByTitle("Plan"), kPlaceInsideOnTop, "Walls");
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    EXPECT_EQ(Entries(kLayerList), (Strings{"Plan - 1:1", "Site - 1:1", "Detail - 1:1", "Layer 1 - 1:1"}));
    EXPECT_TRUE(View(kLayerList).enabled);
    EXPECT_FALSE(View(kScaleAssistantButton).enabled);

    ASSERT_EQ(Pick(kLayerList, 0), kNoErr);
    ASSERT_EQ(PickAlso(kLayerList, 1), kNoErr);
    EXPECT_EQ(View(kScalePopup).text, "1:1");
    EXPECT_TRUE(View(kScalePopup).known);
    Requests().clear();
    ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
    for (const char* title : {"Plan", "Walls", "Site"}) EXPECT_EQ(Stored(title), "1:50") << title;
    EXPECT_EQ(Stored("Detail"), "1:1");
    EXPECT_EQ(Entries(kLayerList), (Strings{"Plan - 1:50", "Site - 1:50", "Detail - 1:1", "Layer 1 - 1:1"}));
    EXPECT_EQ(g->prefs.scale, 25);
    EXPECT_EQ(std::count(Requests().begin(), Requests().end(), "regenerate 0"), 1);
    // The same scale picked again for the same rows changes nothing: no redraw, no step.
    Requests().clear();
    const size_t steps = Doc().journal().undoDepth();
    ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(Doc().journal().undoDepth(), steps);

    // Rows of differing scales blank the popup; rows of one scale show it.
    ASSERT_EQ(Pick(kLayerList, 0), kNoErr);
    ASSERT_EQ(PickAlso(kLayerList, 2), kNoErr);
    EXPECT_FALSE(View(kScalePopup).known);
    ASSERT_EQ(Pick(kLayerList, 2), kNoErr);
    EXPECT_TRUE(View(kScalePopup).known);
    EXPECT_EQ(View(kScalePopup).text, "1:1");
    EXPECT_EQ(Doc().currentLayer(), Doc().layerByTitle("Detail"));  // the first selected row's layer

    // The current scale picked for rows one of which holds another goes to that one too.
    ASSERT_EQ(Pick(kLayerList, 0), kNoErr);
    ASSERT_EQ(PickAlso(kLayerList, 2), kNoErr);
    ASSERT_EQ(g->prefs.scale, 25);
    ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
    EXPECT_EQ(Stored("Detail"), "1:50");
}

TEST_F(ScaleSectionTest, TheListShowsEachLayersScaleAndOnlyTheUsersSwitchStoresIt) {
    Start();
    session->newDocument();
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    EXPECT_EQ(Stored("Layer 1"), "1:1");
    Layers({"Site"});
    StoreScale("Site", 25, 50.0f, "1:50");
    // Its scaler stored as text: a refresh shows the scale it completes, and neither mends nor
    // names it (what draws at it does, once).
    Doc().editDict(Doc().dictionaryOf(Doc().layerByTitle("Site")))->set("ZA3_Scaler", standin::DictText("50"));
    Layers({"Plan"});
    const std::string before = standin::io::writeDocumentText(Doc());
    const size_t alerts = Dialogs().alerts().size();
    for (const char* notifier : {kAILayerListChangedNotifier, kAICurrentDocumentChangedNotifier})
        session->notify(notifier);
    EXPECT_EQ(Entries(kLayerList), (Strings{"Plan - 1:1", "Site - 1:50", "Layer 1 - 1:1"}));
    EXPECT_EQ(standin::io::writeDocumentText(Doc()), before);
    EXPECT_EQ(Dialogs().alerts().size(), alerts);
    ASSERT_EQ(Pick(kLayerList, Row("Plan - 1:1")), kNoErr);
    EXPECT_EQ(View(kScalePopup).text, "1:1");
    EXPECT_EQ(Stored("Plan"), "");

    // A layer at a custom id shows the scale it stores, whatever the user's slot of that id
    // holds; picking that entry keeps it, and another row gives the entry back to the slot.
    g->prefs.customScaler1 = 3.0f;
    std::strcpy(g->prefs.customScaleStr1, "1:3");
    setupScalePopup(panel, kScalePopup);
    StoreScale("Site", 0, 7.0f, "1:7");
    session->notify(kAILayerListChangedNotifier);
    ASSERT_EQ(Pick(kLayerList, Row("Site - 1:7")), kNoErr);
    EXPECT_EQ(View(kScalePopup).text, "1:7");
    ASSERT_EQ(Pick(kScalePopup, 0), kNoErr);
    EXPECT_EQ(Stored("Site"), "1:7");
    ASSERT_EQ(Pick(kLayerList, Row("Plan - 1:1")), kNoErr);
    EXPECT_EQ(Entries(kScalePopup)[0], "1:3");
}

TEST_F(ScaleSectionTest, ATitleHoldingTheRowSeparatorStillNamesItsLayer) {
    Start();
    session->newDocument();
    Layers({"Plan", "Plan - Old"});
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    ASSERT_EQ(Pick(kLayerList, Row("Plan - Old - 1:1")), kNoErr);
    ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
    EXPECT_EQ(Stored("Plan - Old"), "1:50");
    EXPECT_EQ(Stored("Plan"), "1:1");
    EXPECT_EQ(Row("Plan - Old - 1:50"), 0);
}

TEST_F(ScaleSectionTest, TheScaleStyleStaysWithEachDocument) {
    Start();
    session->newDocument();
    // A new document takes the current style and the panel's height.
    ASSERT_NE(DocumentEntry("ZA3_ScaleStyle"), nullptr);
    EXPECT_EQ(std::get<int32_t>(*DocumentEntry("ZA3_ScaleStyle")), 1);
    EXPECT_EQ(std::get<int32_t>(*DocumentEntry("ZA3_CADdocHeight")), 324);
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    EXPECT_EQ(std::get<int32_t>(*DocumentEntry("ZA3_ScaleStyle")), 2);

    // Opening a document-based document while the panel is layer-based: its own style wins
    // and stays in it.
    ASSERT_EQ(session->openDocument([&]() -> AIErr {
        standin::Document& opened = host.newDocument();
        standin::Dict* d = opened.editDict(opened.dictionaryOf(0));
        d->set("ZA3_ScaleStyle", int32_t{1});
        d->set("ZA3_CADdocHeight", int32_t{280});
        return kNoErr;
    }), kNoErr);
    EXPECT_EQ(g->prefs.scaleStyle, 1);
    EXPECT_EQ(g->prefs.CADdocumentHeight, 280);
    EXPECT_EQ(std::get<int32_t>(*DocumentEntry("ZA3_ScaleStyle")), 1);
    EXPECT_EQ(View(kDocumentScaleRadio).value, 1);
    EXPECT_EQ(View(kLayerScaleRadio).value, 0);
    EXPECT_FALSE(View(kLayerList).enabled);

    // A document without the entry reads the style a new drawing starts in, not the style of
    // the document before it, and nothing is written to it.
    g->prefs.scaleStyle = 2;
    standin::Document& bare = host.newDocument();
    ASSERT_EQ(session->hostEvent(&UpdateCADdocumentScaleSettings), kNoErr);
    EXPECT_EQ(g->prefs.scaleStyle, 1);
    const standin::Dict* entries = bare.dict(bare.state().dictionary);
    EXPECT_TRUE(!entries || !entries->find("ZA3_ScaleStyle"));
}

TEST_F(ScaleSectionTest, AScaleStyleNoPanelOffersIsReadAsLayerBasedAndNamed) {
    Start();
    const struct {
        standin::DictValue stored;
        int32_t read;
        const char* told;  // "" for nothing
    } kStyles[] = {
        {1, 1, ""},
        {2, 2, ""},
        {0, 2, "the scale style of this document (0, read as layer-based)"},
        {101, 2, "the scale style of this document (101, read as layer-based)"},
        {65535, 2, "the scale style of this document (65535, read as layer-based)"},
        {-1, 2, "the scale style of this document (-1, read as layer-based)"},
        {AIReal{1}, 2, "the scale style of this document (of another type, read as layer-based)"},
        {standin::DictText("1"), 2, "the scale style of this document (of another type, read as layer-based)"},
    };
    for (const auto& s : kStyles) {
        SCOPED_TRACE(&s - kStyles);
        NewAlerts();
        ASSERT_EQ(session->openDocument([&]() -> AIErr {
            standin::Document& opened = host.newDocument();
            opened.editDict(opened.dictionaryOf(0))->set("ZA3_ScaleStyle", s.stored);
            return kNoErr;
        }), kNoErr);
        EXPECT_EQ(g->prefs.scaleStyle, s.read);
        const Strings told = NewAlerts();
        if (*s.told) {
            ASSERT_EQ(told.size(), 1u) << ::testing::PrintToString(told);
            EXPECT_NE(told[0].find(s.told), std::string::npos) << told[0];
        } else {
            EXPECT_EQ(told, Strings{});
        }
    }
}

TEST_F(ScaleSectionTest, SwitchingToDocumentBasedScaleStartsTheDocumentAtOneToOne) {
    Start();
    session->newDocument();
    Layers({"Site", "Plan"});
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    ASSERT_EQ(Pick(kLayerList, Row("Plan - 1:1")), kNoErr);
    ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
    ASSERT_EQ(Pick(kLayerList, Row("Site - 1:1")), kNoErr);
    ASSERT_EQ(Pick(kScalePopup, 15), kNoErr);
    g->rulerScale = 25;
    g->rulerScaler = 50.0f;
    Requests().clear();

    ASSERT_EQ(Press(kDocumentScaleRadio), kNoErr);
    for (const char* title : {"Plan", "Site", "Layer 1"}) EXPECT_EQ(Stored(title), "1:1") << title;
    EXPECT_EQ(g->prefs.scaleStyle, 1);
    EXPECT_EQ(g->prefs.scale, 33);
    EXPECT_STREQ(g->prefs.scaleStr, "1:1");
    EXPECT_EQ(g->rulerScale, 33);
    EXPECT_EQ(g->rulerScaler, 1.0f);
    EXPECT_EQ(View(kScalePopup).text, "1:1");
    EXPECT_TRUE(View(kScaleAssistantButton).enabled);
    EXPECT_NE(std::find(Requests().begin(), Requests().end(), "rulers 1 1"), Requests().end());
    EXPECT_NE(std::find(Requests().begin(), Requests().end(), "regenerate 0"), Requests().end());

    // Picking a scale in document-based style sets every layer.
    ASSERT_EQ(Pick(kScalePopup, 26), kNoErr);
    for (const char* title : {"Plan", "Site", "Layer 1"}) EXPECT_EQ(Stored(title), "1:25") << title;
    // Clicking the radio that is already on starts at 1:1 again.
    ASSERT_EQ(Press(kDocumentScaleRadio), kNoErr);
    for (const char* title : {"Plan", "Site", "Layer 1"}) EXPECT_EQ(Stored(title), "1:1") << title;

    // Pressed again to no effect (at 1:1; layer-based, a dimension layer made since storing
    // none) a radio is no step, and a redo waiting survives; a switch is one step.
    for (const auto& [radio, steps] : {std::pair{kDocumentScaleRadio, 0u}, {kLayerScaleRadio, 1u}, {kLayerScaleRadio, 0u}}) {
        if (radio == kLayerScaleRadio && !steps) Layers({"Dimension Layer"});
        session->notify(kAICurrentDocumentChangedNotifier);
        ASSERT_EQ(Pick(kScalePopup, 26), kNoErr);
        ASSERT_TRUE(session->userUndo());
        const size_t before = Doc().journal().undoDepth();
        ASSERT_EQ(Press(radio), kNoErr);
        EXPECT_EQ(Doc().journal().undoDepth(), before + steps) << radio;
        EXPECT_EQ(Doc().journal().canRedo(), steps == 0) << radio;
    }
    EXPECT_EQ(Stored("Dimension Layer"), "");
}

TEST_F(ScaleSectionTest, AtStartTheDocumentBasedPanelShowsOneToOneBeforeAnyDocument) {
    // Preferences left at 1:50 by the last session.
    Store().putInteger("ZelmarkPlotwise7", "scaleStyle", 1);
    Store().putInteger("ZelmarkPlotwise7", "scale", 25);
    Store().putReal("ZelmarkPlotwise7", "scaler", 50.0f);
    Store().putString("ZelmarkPlotwise7", "scaleStr", "1:50");
    Start();
    EXPECT_EQ(View(kScalePopup).text, "1:1");
    EXPECT_EQ(g->prefs.scale, 33);
    EXPECT_EQ(g->prefs.scaler, 1.0f);
    // The first document starts at the scale shown.
    session->newDocument();
    EXPECT_EQ(View(kScalePopup).text, "1:1");
    EXPECT_EQ(g->prefs.scaler, 1.0f);

    // A document still open when the host starts again keeps the scale its layers carry.
    ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
    ASSERT_EQ(session->restart(), kNoErr);
    EXPECT_EQ(Stored("Layer 1"), "1:50");
}

// A document-based drawing is worked at its own scale: reopened after the program starts
// again (which starts at 1:1), and each time it comes to the front again.
TEST_F(ScaleSectionTest, ADocumentIsWorkedAtItsOwnScaleWhenOpenedOrBroughtToTheFront) {
    Start();
    session->newDocument();
    ASSERT_EQ(Pick(kScalePopup, 24), kNoErr);  // 1:100
    ScratchFolder files;
    std::string error;
    const std::string path = files.path("plan.json");
    ASSERT_TRUE(standin::io::saveDocumentFile(Doc(), path, error)) << error;
    ASSERT_EQ(session->closeDocument(), kNoErr);
    ASSERT_EQ(session->restart(), kNoErr);
    panel = Dialogs().findDialog("CADdocument");
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(session->openDocument(
                  [&] { return standin::io::openDocumentFile(host, path, error) ? kNoErr : kDataFilterErr; }),
              kNoErr)
        << error;
    standin::Document& plan = Doc();
    EXPECT_EQ(g->prefs.scaler, 100.0f);
    EXPECT_EQ(View(kScalePopup).text, "1:100");
    standin::Document& detail = session->newDocument();  // a new document starts at the current scale
    ASSERT_EQ(Pick(kScalePopup, 29), kNoErr);            // then is drawn at 1:5
    const struct {
        standin::Document* front;
        float scaler;
        const char* label;
    } kFronts[] = {{&plan, 100, "1:100"}, {&detail, 5, "1:5"}, {&plan, 100, "1:100"}};
    for (const auto& f : kFronts) {
        SCOPED_TRACE(f.label);
        session->setFrontDocument(*f.front);
        EXPECT_EQ(g->prefs.scaler, f.scaler);
        EXPECT_STREQ(g->prefs.scaleStr, f.label);
        EXPECT_EQ(View(kScalePopup).text, f.label);
    }

    // A document at a custom scale shows it as it stores it, after a start with other slots.
    g->prefs.customScaler1 = 3.0f;
    std::strcpy(g->prefs.customScaleStr1, "1:3");
    setupScalePopup(panel, kScalePopup);
    ASSERT_EQ(Pick(kScalePopup, 0), kNoErr);
    g->prefs.customScaler1 = 36.0f;
    std::strcpy(g->prefs.customScaleStr1, "1:36");
    ASSERT_EQ(session->restart(), kNoErr);
    panel = Dialogs().findDialog("CADdocument");
    EXPECT_EQ(View(kScalePopup).text, "1:3");
}

// Precisions set in a 1:1 drawing stay as set whatever drawing is read from (one stored at
// 3/32" = 1'-0" in front, then closed), the popup showing the one in use. Only the user's
// pick of that scale lowers them to what it offers (three places, two for the rulers); the
// pick undone takes them back with the dimensions it drew at them.
TEST_F(ScaleSectionTest, APrecisionIsLoweredOnlyByTheUsersChangeOfScale) {
    for (const char* key : {"CADtrackerPrecision", "NumericInputPrecision", "upperDecimalPrecision"})
        Store().putInteger("ZelmarkPlotwise7", key, 5);
    Store().putInteger("ZelmarkPlotwise7", "rulerPrecision", 4);
    Start();
    session->newDocument();  // at 1:1
    const struct {
        const char* what;
        std::function<void()> act;
        std::vector<int32_t> precisions;  // tracker, numeric input, upper value, rulers
        const char* shown;                // the numeric-input precision popup
    } kSteps[] = {
        {"a drawing at 3/32\" = 1'-0\" in front",
         [&] {
             session->newDocument();
             StoreScale("Layer 1", 12, 128.0f, "3/32\" = 1'-0\"");
             session->notify(kAIDocumentChangedNotifier);
         },
         {5, 5, 5, 4}, "0.00000"},
        {"and closed", [&] { ASSERT_EQ(session->closeDocument(), kNoErr); }, {5, 5, 5, 4}, "0.00000"},
        {"3/32\" = 1'-0\" picked for the 1:1 drawing", [&] { ASSERT_EQ(Pick(kScalePopup, 12), kNoErr); }, {3, 3, 3, 2},
         "0.000"},
        {"the pick undone", [&] { ASSERT_TRUE(session->userUndo()); }, {5, 5, 5, 4}, "0.00000"},
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.what);
        step.act();
        const preferences& p = g->prefs;
        EXPECT_EQ((std::vector<int32_t>{p.CADtrackerPrecision, p.NumericInputPrecision, p.style.upperDecimalPrecision,
                                        p.rulerPrecision}),
                  step.precisions);
        EXPECT_EQ(View(kNumericPrecisionPopup).text, step.shown);
    }
}

// The plug-in's dimension layer (a layer of that title while dimensions go on a layer of
// their own) gets no row and is held at 1:1; a user's layer that only bears the title, with
// dimensions drawn on the drawing's layers, keeps its row and its scale.
TEST_F(ScaleSectionTest, OnlyThePlugInsOwnDimensionLayerIsLeftOut) {
    Start();
    for (const int32_t own : {1, 0}) {
        SCOPED_TRACE(own ? "the plug-in's" : "the user's");
        g->prefs.createDimensionLayer = own;
        session->newDocument();
        Layers({"Site", "Dimension Layer"});
        session->notify(kAICurrentDocumentChangedNotifier);
        StoreScale("Dimension Layer", 25, 50.0f, "1:50");
        ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
        // The user's layer held the document's scale, which every layer then carried.
        const Strings rows = own ? Strings{"Site - 1:1", "Layer 1 - 1:1"}
                                 : Strings{"Dimension Layer - 1:50", "Site - 1:50", "Layer 1 - 1:50"};
        EXPECT_EQ(Entries(kLayerList), rows);
        EXPECT_EQ(Stored("Dimension Layer"), own ? "1:1" : "1:50");
    }
}

TEST_F(ScaleSectionTest, TheCurrentLayersRowIsSelected) {
    Start();
    session->newDocument();
    Layers({"Site", "Plan", "Dimension Layer"});
    StoreScale("Site", 25, 50.0f, "1:50");
    session->notify(kAICurrentDocumentChangedNotifier);
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    // Every layer carried the document's 1:50 and keeps it; Plan's is set apart.
    EXPECT_EQ(Entries(kLayerList), (Strings{"Plan - 1:50", "Site - 1:50", "Layer 1 - 1:50"}));
    ASSERT_EQ(Pick(kLayerList, Row("Plan - 1:50")), kNoErr);
    ASSERT_EQ(Pick(kScalePopup, 29), kNoErr);

    ASSERT_EQ(Doc().setCurrentLayer("Site"), kNoErr);
    session->notify(kAICurrentLayerNotifier);
    EXPECT_EQ(View(kLayerList).text, "Site - 1:50");
    EXPECT_EQ(View(kScalePopup).text, "1:50");
    ADMListRef list = sADMItem->GetList(sADMDialog->GetItem(panel, kLayerList));
    EXPECT_EQ(sADMList->NumberOfSelectedEntries(list), 1);

    // The dimension layer current: lengths are typed at the scale of the last ordinary layer,
    // and that is the row and the scale shown.
    ASSERT_EQ(Doc().setCurrentLayer("Dimension Layer"), kNoErr);
    session->notify(kAICurrentLayerNotifier);
    EXPECT_EQ(sADMList->NumberOfSelectedEntries(list), 1);
    EXPECT_EQ(View(kLayerList).text, "Layer 1 - 1:50");
    EXPECT_EQ(View(kScalePopup).text, "1:50");
    EXPECT_EQ(g->prefs.scale, 25);
    // Plan current again (as the user picks a layer elsewhere): its row and its 1:5; so with
    // a sublayer of it, or one inside that, current, the list shown again or filled anew.
    const standin::ObjId walls = Doc().insertLayer(Doc().layerByTitle("Plan"), kPlaceInsideOnTop, "Walls");
    Doc().insertLayer(walls, kPlaceInsideOnTop, "Studs");
    for (const auto& [current, notifier] : {std::pair{"Plan", kAICurrentLayerNotifier},
                                            {"Walls", kAICurrentLayerNotifier}, {"Studs", kAILayerListChangedNotifier}}) {
        ASSERT_EQ(Doc().setCurrentLayer("Site"), kNoErr);
        session->notify(kAICurrentLayerNotifier);
        ASSERT_EQ(Doc().setCurrentLayer(current), kNoErr);
        session->notify(notifier);
        EXPECT_EQ(View(kLayerList).text, "Plan - 1:5") << current;
        EXPECT_EQ(View(kScalePopup).text, "1:5") << current;
        EXPECT_EQ(g->prefs.scale, 29) << current;
    }
}

// Whatever brings another drawing or revision to the front (an undo, a redo, a close), the
// panel, the current scale and the style are what the front drawing stores: nothing is left
// over from before, in either style. With no drawing open (after a close, a restart, a
// custom scale deleted) they are where New starts, and New starts there.
TEST_F(ScaleSectionTest, WhatIsShownIsWhatTheFrontDrawingStores) {
    Start();
    session->newDocument();
    Layers({"Detail", "Plan"});
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    ASSERT_EQ(Pick(kLayerList, Row("Plan - 1:1")), kNoErr);
    ASSERT_EQ(Pick(kScalePopup, 24), kNoErr);
    struct Shown {
        const char* popup;
        const char* row;  // the selected row ("" in document-based style)
        int32_t scale, style;
    };
    const auto expectShown = [&](const Shown& e) {
        EXPECT_EQ(View(kScalePopup).enabled, *e.popup != '\0');  // "": layer-based, no layer
        if (*e.popup) {
            EXPECT_EQ(View(kScalePopup).text, e.popup);
        }
        if (*e.row) {
            EXPECT_EQ(View(kLayerList).text, e.row);
        } else {
            EXPECT_EQ(Entries(kLayerList), Strings{});
        }
        EXPECT_EQ(g->prefs.scale, e.scale);
        EXPECT_EQ(g->prefs.scaleStyle, e.style);
        EXPECT_EQ(View(e.style == 1 ? kDocumentScaleRadio : kLayerScaleRadio).value, 1);
        if (host.frontDocument()) {
            EXPECT_EQ(std::get<int32_t>(*DocumentEntry("ZA3_ScaleStyle")), e.style);
        }
    };
    const auto restart = [&](const std::function<void(standin::PreferenceStore&)>& whileClosed = nullptr) {
        ASSERT_EQ(session->restart(whileClosed), kNoErr);
        panel = Dialogs().findDialog("CADdocument");
    };
    const struct {
        const char* what;
        std::function<void()> act;
        Shown shown;
    } kSteps[] = {
        {"1:50 picked for Plan", [&] { ASSERT_EQ(Pick(kScalePopup, 25), kNoErr); }, {"1:50", "Plan - 1:50", 25, 2}},
        {"the pick undone", [&] { ASSERT_TRUE(session->userUndo()); }, {"1:100", "Plan - 1:100", 24, 2}},
        {"and redone", [&] { ASSERT_TRUE(session->userRedo()); }, {"1:50", "Plan - 1:50", 25, 2}},
        {"and undone", [&] { ASSERT_TRUE(session->userUndo()); }, {"1:100", "Plan - 1:100", 24, 2}},
        {"1:5 picked for a layer that held none",
         [&] {
             ASSERT_EQ(Pick(kLayerList, Row("Detail - 1:1")), kNoErr);
             ASSERT_EQ(Pick(kScalePopup, 29), kNoErr);
         },
         {"1:5", "Detail - 1:5", 29, 2}},
        {"undone: 1:1 again, as typed sizes are", [&] { ASSERT_TRUE(session->userUndo()); },
         {"1:1", "Detail - 1:1", 33, 2}},
        {"document-based pressed", [&] { ASSERT_EQ(Press(kDocumentScaleRadio), kNoErr); }, {"1:1", "", 33, 1}},
        {"undone: layer-based again, and saved so",
         [&] {
             ASSERT_TRUE(session->userUndo());
             ASSERT_EQ(session->hostEvent(&SaveCADdocumentScaleSettings), kNoErr);
         },
         {"1:1", "Detail - 1:1", 33, 2}},
        {"another drawing at 1:50 made, undone to layer-based and closed",
         [&] {
             session->newDocument();
             ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
             ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
             ASSERT_TRUE(session->userUndo());
             // A layer added to it carries its 1:50, as its twin does.
             Layers({"Twin"});
             ASSERT_EQ(Doc().setCurrentLayer("Twin"), kNoErr);
             session->notify(kAICurrentLayerNotifier);
             EXPECT_EQ(View(kScalePopup).text, "1:50");
             EXPECT_EQ(g->prefs.scale, 25);
             EXPECT_EQ(g->prefs.scaleStyle, 1);
             ASSERT_EQ(session->closeDocument(), kNoErr);
         },
         {"1:1", "Detail - 1:1", 33, 2}},
        {"that drawing closed too",
         [&] {
             EXPECT_EQ(Stored("Plan"), "1:100");
             EXPECT_EQ(Stored("Detail"), "1:1");
             ASSERT_EQ(session->closeDocument(), kNoErr);
         },
         {"1:1", "", 33, 1}},
        {"New", [&] { session->newDocument(); }, {"1:1", "", 33, 1}},
        {"1:100 picked, kept open over a restart, closed",
         [&] {
             ASSERT_EQ(Pick(kScalePopup, 24), kNoErr);
             restart();
             EXPECT_EQ(View(kScalePopup).text, "1:100");
             ASSERT_EQ(session->closeDocument(), kNoErr);
         },
         {"1:1", "", 33, 1}},
        {"a layer-based drawing open at quit, closed after the restart",
         [&] {
             session->newDocument();
             ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
             restart();
             ASSERT_EQ(session->closeDocument(), kNoErr);
         },
         {"1:1", "", 33, 1}},
        {"layer-based chosen with no drawing open, then New",
         [&] {
             ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
             session->newDocument();
         },
         {"1:1", "Layer 1 - 1:1", 33, 2}},
        {"1:50 picked for its layer, closed", [&] {
             ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
             ASSERT_EQ(session->closeDocument(), kNoErr);
         }, {"1:1", "", 33, 2}},
        {"started again from preferences an older version left at 1:50",
         [&] {
             restart([](standin::PreferenceStore& store) {
                 store.putInteger("ZelmarkPlotwise7", "scale", 25);
                 store.putReal("ZelmarkPlotwise7", "scaler", 50.0f);
                 store.putString("ZelmarkPlotwise7", "scaleStr", "1:50");
             });
         },
         {"1:1", "", 33, 2}},
        {"a custom 1:7 picked with no drawing open, and deleted",
         [&] {
             ASSERT_EQ(Press(kDocumentScaleRadio), kNoErr);
             g->prefs.customScaler1 = 7.0f;
             std::strcpy(g->prefs.customScaleStr1, "1:7");
             setupScalePopup(panel, kScalePopup);
             ASSERT_EQ(Pick(kScalePopup, 0), kNoErr);
             ASSERT_EQ(Pick(kADMPopoutMenuItemID, 1), kNoErr);
         },
         {"1:1", "", 33, 1}},
        {"1/4\" = 1'-0\" picked with no drawing open, then layer-based and New", [&] {
             ASSERT_EQ(Pick(kScalePopup, 15), kNoErr);
             ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
             session->newDocument();
         }, {"1/4\" = 1'-0\"", "Layer 1 - 1/4\" = 1'-0\"", 15, 2}},
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.what);
        step.act();
        expectShown(step.shown);
    }
}

// "Plan" at 1:2 holds "Detail" storing 1:5 and "Notes" storing none: each is read at its own
// scale, else its parent's, and a dimension on Notes leaves Detail at 1:5. A pick goes to the
// current sublayer; one for Plan's row to Plan and Notes, Detail keeping its own.
TEST_F(ScaleSectionTest, ALayerReadsTheScaleItStoresElseItsNearestParents) {
    Start();
    session->newDocument();
    Layers({"Plan"});
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    for (const char* title : {"Notes", "Detail"}) Doc().insertLayer(Doc().layerByTitle("Plan"), kPlaceInsideOnTop, title);
    StoreScale("Plan", 32, 2.0f, "1:2");
    StoreScale("Detail", 29, 5.0f, "1:5");
    g->prefs.style.upperUnits = kMillimeterUnits;
    g->prefs.style.upperDecimalPrecision = 3;
    g->prefs.style.appendUpperUnitLabels = 1;
    for (const auto& [title, label, id, y] : {std::tuple{"Detail", "1:5", 29, 100.0f}, {"Notes", "1:2", 32, 200.0f}}) {
        SCOPED_TRACE(title);
        ASSERT_EQ(Doc().setCurrentLayer(title), kNoErr);
        session->notify(kAICurrentLayerNotifier);
        EXPECT_EQ(View(kScalePopup).text, label);
        EXPECT_EQ(g->prefs.scale, id);
        Polyline({{100, y}, {200, y}});
        ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
        ASSERT_EQ(session->click({100, y}), kNoErr);
        ASSERT_EQ(session->mouseDown({200, y}), kNoErr);
        ASSERT_EQ(session->mouseDrag({150, y + 40}), kNoErr);
        ASSERT_EQ(session->mouseUp({150, y + 40}), kNoErr);
    }
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    Strings texts;
    Doc().walk([&](const standin::Art& a, int) {
        if (a.type == kTextFrameArt) texts.push_back(readback::StoryText(a));
    });
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (Strings{"176.389 mm", "70.556 mm"}));

    ASSERT_EQ(Doc().setCurrentLayer("Detail"), kNoErr);
    session->notify(kAICurrentLayerNotifier);
    ASSERT_EQ(Pick(kScalePopup, 28), kNoErr);
    EXPECT_EQ((Strings{Stored("Plan"), View(kScalePopup).text}), (Strings{"1:2", "1:10"}));
    ASSERT_EQ(Pick(kLayerList, 0), kNoErr);
    ASSERT_EQ(Pick(kScalePopup, 30), kNoErr);
    EXPECT_EQ((Strings{Stored("Plan"), Stored("Notes"), Stored("Detail")}), (Strings{"1:4", "1:4", "1:10"}));
}

TEST_F(ScaleSectionTest, RemovingAScaleNoLayerCarriesChangesNothing) {
    Start();
    session->newDocument();
    Layers({"Plan"});
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    Requests().clear();
    ASSERT_EQ(session->hostEvent([] { return removeScaleByLayer(4); }), kNoErr);
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(Stored("Plan"), "1:1");
}

}  // namespace
}  // namespace paneltest
