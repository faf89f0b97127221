// The guides panel worked as a user would: its boxes draw and remove the grid and the
// rulers on their layers, enabling the items that belong to them; the grid's colour and
// line type, the ruler units, precision, labels and font are stored and drawn again at once
// (the selection kept); the snap and cursor boxes and the tolerance are stored; and the
// panel keeps its place under its own prefix.
#include <algorithm>
#include <functional>
#include <tuple>
#include <utility>

#include "PanelSessionFixture.h"
#include "axonometric/GuideLayers.h"
#include "geometry/UnitFormat.h"
#include "panels/DocumentPanelItems.h"
#include "panels/GuidesPanel.h"
#include "panels/ShortcutsPanelItems.h"

namespace paneltest {
namespace {

class GuidesPanelTest : public PanelSession {
protected:
    // Rulers in whole points, as the store says at start-up.
    void StartGuides() {
        Store().putInteger("ZelmarkPlotwise7", "rulerUnits", kPointUnits);
        Store().putInteger("ZelmarkPlotwise7", "rulerPrecision", 0);
        Start();
        panel = session->dialogs().findDialog("CADguides");
        ASSERT_NE(panel, nullptr);
        session->newDocument();
    }
    bool Enabled(int32_t item) { return sADMItem->IsEnabled(sADMDialog->GetItem(panel, item)) != 0; }
    bool Checked(int32_t item) { return sADMItem->GetBooleanValue(sADMDialog->GetItem(panel, item)) != 0; }
    const standin::Art* Layer(const char* title) {
        const standin::ObjId id = Doc().layerByTitle(title);
        return id ? Doc().art(id) : nullptr;
    }
    std::vector<const standin::Art*> Members(const char* title, int16_t type) {
        std::vector<const standin::Art*> out;
        if (const standin::Art* layer = Layer(title))
            for (standin::ObjId id : Doc().children(layer->id))
                if (Doc().art(id)->type == type) out.push_back(Doc().art(id));
        return out;
    }
    std::vector<std::string> Labels() {
        std::vector<std::string> out;
        for (const standin::Art* t : Members(kRulerLayerTitle, kTextFrameArt)) out.push_back(readback::StoryText(*t));
        return out;
    }
    static bool Has(const std::vector<std::string>& all, const std::string& one) {
        return std::find(all.begin(), all.end(), one) != all.end();
    }
};

TEST_F(GuidesPanelTest, ThePanelShowsThePreferencesAndEnablesWhatIsShown) {
    StartGuides();
    EXPECT_FALSE(Checked(kShowGridCheckBox));
    EXPECT_FALSE(Checked(kShowRulersCheckBox));
    EXPECT_TRUE(Checked(kSnapToGridCheckBox));
    EXPECT_TRUE(Checked(kFullScreenCursorCheckBox));
    EXPECT_TRUE(Checked(kSnapToObjectsCheckBox));
    EXPECT_TRUE(Checked(kAppendRulerUnitsCheckBox));
    // The grid's and the rulers' items wait for them to be shown.
    for (int32_t item : {kGridColorPopup, kGridColorSwatch, kGridLinePopup, kSnapToGridCheckBox, kSnapToleranceField,
                         kRulerUnitsPopup, kRulerPrecisionPopup, kAppendRulerUnitsCheckBox, kRulerFontPopup})
        EXPECT_FALSE(Enabled(item)) << item;
    EXPECT_TRUE(Enabled(kRulerUnitsCaption));
    // The stored entries are the active ones: light blue (identifier 10), solid lines.
    EXPECT_EQ(Entries(kGridColorPopup).size(), 13u);
    EXPECT_EQ(Entries(kGridColorPopup)[10], "-");
    const ADMEntryRef colour = sADMList->GetActiveEntry(sADMItem->GetList(sADMDialog->GetItem(panel, kGridColorPopup)));
    EXPECT_EQ(sADMEntry->GetID(colour), 10);
    EXPECT_EQ(Entries(kGridLinePopup), (std::vector<std::string>{"Solid", "Dashed", "Dotted"}));
    // The rulers offer at most five precisions; the fonts are the host's.
    EXPECT_EQ(Entries(kRulerPrecisionPopup).size(), 5u);
    const auto fonts = Entries(kRulerFontPopup);
    EXPECT_TRUE(Has(fonts, "DejaVu Sans"));
}

TEST_F(GuidesPanelTest, TheGridBoxDrawsAndRemovesTheGrid) {
    StartGuides();
    ASSERT_EQ(Press(kShowGridCheckBox), kNoErr);
    EXPECT_TRUE(g->prefs.CADgridVisible);
    ASSERT_NE(Layer(kGridsLayerTitle), nullptr);
    EXPECT_FALSE(Members(kGridsLayerTitle, kPathArt).empty());
    for (int32_t item : {kGridColorPopup, kGridColorSwatch, kGridLinePopup, kSnapToGridCheckBox, kSnapToleranceField})
        EXPECT_TRUE(Enabled(item)) << item;
    // Snapping off: only the tolerance waits.
    ASSERT_EQ(Press(kSnapToGridCheckBox), kNoErr);
    EXPECT_FALSE(g->prefs.snapToGrid);
    EXPECT_FALSE(Enabled(kSnapToleranceField));
    EXPECT_TRUE(Enabled(kGridColorPopup));
    ASSERT_EQ(Press(kShowGridCheckBox), kNoErr);
    EXPECT_FALSE(g->prefs.CADgridVisible);
    EXPECT_EQ(Layer(kGridsLayerTitle), nullptr);
    EXPECT_FALSE(Enabled(kGridColorPopup));
}

TEST_F(GuidesPanelTest, TheGridsColourAndLineTypeAreStoredAndDrawn) {
    StartGuides();
    ASSERT_EQ(Press(kShowGridCheckBox), kNoErr);
    ASSERT_EQ(Pick(kGridColorPopup, 4), kNoErr);  // red
    EXPECT_EQ(g->prefs.gridColorRed, 65535);
    EXPECT_EQ(g->prefs.gridColorGreen, 0);
    EXPECT_EQ(g->prefs.gridColorBlue, 0);
    EXPECT_EQ(g->prefs.gridColorEntry, 5);
    const standin::Art* line = Members(kGridsLayerTitle, kPathArt).front();
    EXPECT_FLOAT_EQ(line->style.stroke.color.c.rgb.red, 1.0f);
    EXPECT_FLOAT_EQ(line->style.stroke.color.c.rgb.blue, 0.0f);
    // The swatch shows it: a black frame, then the colour filled one unit further in.
    const auto& drawn = Dialogs().drawing(sADMDialog->GetItem(panel, kGridColorSwatch));
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().rgb.red, 65535);
    // Another colour from the chooser; a cancelled chooser changes nothing.
    Dialogs().queueColorAnswer(ADMRGBColor{1000, 2000, 3000});
    ASSERT_EQ(Pick(kGridColorPopup, kOtherGridColorEntry), kNoErr);
    EXPECT_EQ(g->prefs.gridColorRed, 1000);
    EXPECT_EQ(g->prefs.gridColorBlue, 3000);
    EXPECT_EQ(g->prefs.gridColorEntry, 12);
    ASSERT_EQ(Pick(kGridColorPopup, 6), kNoErr);  // green
    Dialogs().queueColorAnswer(std::nullopt);
    ASSERT_EQ(Pick(kGridColorPopup, kOtherGridColorEntry), kNoErr);
    EXPECT_EQ(g->prefs.gridColorGreen, 65535);
    EXPECT_EQ(g->prefs.gridColorEntry, 7);
    const ADMEntryRef shown = sADMList->GetActiveEntry(sADMItem->GetList(sADMDialog->GetItem(panel, kGridColorPopup)));
    EXPECT_EQ(sADMEntry->GetIndex(shown), 6);
    // Dashed lines.
    ASSERT_EQ(Pick(kGridLinePopup, 1), kNoErr);
    EXPECT_EQ(g->prefs.GridlineEntry, 2);
    EXPECT_EQ(Members(kGridsLayerTitle, kPathArt).front()->style.stroke.dash.length, 2);
}

TEST_F(GuidesPanelTest, TheRulersFollowTheirUnitsPrecisionLabelsAndFontKeepingTheSelection) {
    StartGuides();
    ASSERT_EQ(Press(kShowRulersCheckBox), kNoErr);
    EXPECT_TRUE(g->prefs.DERurureLayerVisible);
    EXPECT_TRUE(g->prefs.DERurureLayerExists);
    ASSERT_NE(Layer(kRulerLayerTitle), nullptr);
    for (int32_t item : {kRulerUnitsPopup, kRulerPrecisionPopup, kAppendRulerUnitsCheckBox, kRulerFontPopup})
        EXPECT_TRUE(Enabled(item)) << item;
    EXPECT_TRUE(Has(Labels(), "100 pt"));
    session->ticks(10);

    standin::ObjId picked = 0;
    ASSERT_EQ(Doc().addRect(50, 50, 20, 20, &picked), kNoErr);
    ASSERT_EQ(Doc().select(picked), kNoErr);
    ASSERT_EQ(Pick(kRulerUnitsPopup, kMillimeterUnits), kNoErr);
    EXPECT_EQ(g->prefs.rulerUnits, kMillimeterUnits);
    EXPECT_TRUE(Has(Labels(), "20 mm")) << "50 pixels are 17.6 mm: a 20 mm spacing";
    session->ticks(10);
    EXPECT_EQ(Doc().selection(), std::vector<standin::ObjId>{picked});

    ASSERT_EQ(Pick(kRulerPrecisionPopup, 1), kNoErr);
    EXPECT_EQ(g->prefs.rulerPrecision, 1);
    EXPECT_TRUE(Has(Labels(), "20.0 mm"));
    ASSERT_EQ(Press(kAppendRulerUnitsCheckBox), kNoErr);
    EXPECT_FALSE(g->prefs.appendRulerUnits);
    EXPECT_TRUE(Has(Labels(), "20.0"));
    const auto fonts = Entries(kRulerFontPopup);
    // The DejaVu fonts come with the build: the popup must list this one.
    const auto mono = std::find(fonts.begin(), fonts.end(), "DejaVu Sans Mono");
    ASSERT_NE(mono, fonts.end()) << "the ruler font popup does not list DejaVu Sans Mono";
    ASSERT_EQ(Pick(kRulerFontPopup, static_cast<int32_t>(mono - fonts.begin())), kNoErr);
    EXPECT_STREQ(g->prefs.rulerFontStr, "DejaVu Sans Mono");
    EXPECT_EQ(Members(kRulerLayerTitle, kTextFrameArt).front()->story.runs.at(0).features.font, "DejaVu Sans Mono");
    session->ticks(10);
    EXPECT_EQ(Doc().selection(), std::vector<standin::ObjId>{picked});

    // A layer at 1:20 made current in the document panel's list: the rulers read 20 times
    // the lengths; the pick undone, they are those of the layer current again.
    ADMDialogRef guides = std::exchange(panel, Dialogs().findDialog("CADdocument"));
    Doc().addLayer("Elevation");
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    ASSERT_EQ(Pick(kScalePopup, 27), kNoErr);  // 1:20 for Elevation, current
    ASSERT_EQ(Pick(kLayerList, 1), kNoErr);     // Layer 1, at 1:1
    const std::pair<std::function<void()>, const char*> kSteps[] = {
        {[&] { ASSERT_EQ(Pick(kLayerList, 0), kNoErr); }, "500.0"},  // 50 pixels: 352.8 mm, a 500 mm spacing
        {[&] { ASSERT_TRUE(session->userUndo()); }, "20.0"},
    };
    for (const auto& [act, label] : kSteps) {
        act();
        EXPECT_TRUE(Has(Labels(), label)) << label;
    }
    // The master unit, then precision, applied in the shortcuts panel: the rulers follow.
    panel = Dialogs().findDialog("CADshortcuts");
    for (const auto& [popup, entry, apply, label] :
         {std::tuple<int32_t, int32_t, int32_t, const char*>{kMasterUnitsPopup, kPointUnits, kApplyUnitsButton, "500.0"},
          {kMasterPrecisionPopup, 0, kApplyPrecisionButton, "500"}}) {
        ASSERT_EQ(Pick(popup, entry), kNoErr);
        ASSERT_EQ(Press(apply), kNoErr);
        EXPECT_TRUE(Has(Labels(), label)) << label;
    }
    panel = guides;

    ASSERT_EQ(Press(kShowRulersCheckBox), kNoErr);
    EXPECT_FALSE(g->prefs.DERurureLayerVisible);
    EXPECT_FALSE(g->prefs.DERurureLayerExists);
    EXPECT_EQ(Layer(kRulerLayerTitle), nullptr);
    EXPECT_FALSE(Enabled(kRulerPrecisionPopup));
}

TEST_F(GuidesPanelTest, TheSnapAndCursorSettingsAreStored) {
    StartGuides();
    ASSERT_EQ(Press(kShowGridCheckBox), kNoErr);
    ASSERT_EQ(Type(kSnapToleranceField, "12"), kNoErr);
    EXPECT_EQ(g->prefs.gridSnapTolerance, 12);
    ASSERT_EQ(Press(kFullScreenCursorCheckBox), kNoErr);
    EXPECT_FALSE(g->prefs.annotateFullScreenCursor);
    ASSERT_EQ(Press(kSnapToObjectsCheckBox), kNoErr);
    EXPECT_FALSE(g->prefs.objectSnapFullScreenCursor);
}

TEST_F(GuidesPanelTest, ThePanelKeepsItsPlaceUnderItsOwnPrefix) {
    StartGuides();
    ExpectPlaceKeptUnder("ZMKCADguides3");
}

}  // namespace
}  // namespace paneltest
