// The walls panel worked as a user would: the thickness typed in the numeric-input unit is
// the real one, whatever layer is current, shown again in that unit; text that is no
// thickness refused in words with the thickness in force shown again; the datum and the wall
// information stored; the panel's place kept under its own prefix.
#include "PanelSessionFixture.h"
#include "panels/DocumentPanelItems.h"
#include "panels/TextPanelItems.h"
#include "panels/WallsPanel.h"
#include "units/LayerScales.h"

namespace paneltest {
namespace {

class WallsPanelTest : public PanelSession {
protected:
    // Millimetres at 1:50, picked in the document panel with no drawing open, with a thickness
    // saved drawn at that scale: 300 mm is 17.0079 pt.
    void StartWalls() {
        Store().putInteger("ZelmarkPlotwise7", "NumericInputUnits", 3);
        Store().putInteger("ZelmarkPlotwise7", "NumericInputPrecision", 0);
        Store().putInteger("ZelmarkPlotwise7", "scale", 25);
        Store().putReal("ZelmarkPlotwise7", "scaler", 50);
        Store().putReal("ZelmarkPlotwise7", "wallThickness", 300 / 25.4f * 72 / 50);
        Store().putBoolean("ZelmarkPlotwise7", "unitsUpdatedForPW7", true);
        Start();
        ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
        panel = session->dialogs().findDialog("CADwalls");
        ASSERT_NE(panel, nullptr);
    }
    std::string Shown() { return View(kWallThicknessField).text; }
};

constexpr float kMillimetre = 72 / 25.4f;

TEST_F(WallsPanelTest, TheThicknessIsTheRealOneWhicheverLayerIsCurrent) {
    StartWalls();
    EXPECT_EQ(Shown(), "300 mm");  // as the panel showed it when it was saved
    const struct {
        const char* typed;
        float held;  // points
        const char* shown;
        const char* alert;  // "" for none
    } cases[] = {
        {"350", 350 * kMillimetre, "350 mm", ""},
        {"0.25 m", 250 * kMillimetre, "250 mm", ""},
        {"thick", 250 * kMillimetre, "250 mm", "The format of the value is not correct."},
        {"0", 250 * kMillimetre, "250 mm", "The value must be greater than 0."},
    };
    for (const auto& c : cases) {
        const size_t alerts = Dialogs().alerts().size();
        ASSERT_EQ(Type(kWallThicknessField, c.typed), kNoErr);
        EXPECT_NEAR(g->prefs.wallThickness, c.held, 1e-3) << c.typed;
        EXPECT_EQ(Shown(), c.shown) << c.typed;
        if (c.alert[0]) {
            ASSERT_EQ(Dialogs().alerts().size(), alerts + 1) << c.typed;
            EXPECT_EQ(Dialogs().alerts().back().text, c.alert);
        } else {
            EXPECT_EQ(Dialogs().alerts().size(), alerts) << c.typed;
        }
    }
    // In a drawing, the same whichever layer is current.
    standin::Document& doc = session->newDocument();
    ASSERT_EQ(session->hostEvent([&] {
        doc.editDict(doc.dictionaryOf(0))->set("ZA3_ScaleStyle", int32_t{2});
        const standin::ObjId section = doc.addLayer("Section");
        if (AIErr err = setLayerScale(standin::suites::layerHandle(section), 27, 20, "1:20")) return err;
        return setLayerScale(standin::suites::layerHandle(doc.addLayer("Plan")), 24, 100, "1:100");
    }), kNoErr);
    for (const char* layer : {"Section", "Plan"}) {
        ASSERT_EQ(session->hostEvent([&] { return doc.setCurrentLayer(doc.layerByTitle(layer)); }), kNoErr);
        session->documentChanged(kAICurrentLayerNotifier);
    }
    ASSERT_EQ(Type(kWallThicknessField, "200"), kNoErr);
    EXPECT_NEAR(g->prefs.wallThickness, 200 * kMillimetre, 1e-3);
    // At four places the field shows what was typed, so its text reads back the same: held
    // as a float, 826.2056 mm lies a quarter step past it, within its error of the step.
    g->prefs.NumericInputPrecision = 4;
    ASSERT_EQ(Type(kWallThicknessField, "826.2056"), kNoErr);
    EXPECT_EQ(Shown(), "826.2056 mm");
    // That drawing closed, a thickness typed is at the 1:50 New starts at, and reads so in it.
    g->prefs.NumericInputPrecision = 0;
    ASSERT_EQ(session->closeDocument(), kNoErr);
    ASSERT_EQ(Type(kWallThicknessField, "300"), kNoErr);
    session->newDocument();
    EXPECT_EQ(Shown(), "300 mm");

    // The field follows the unit and precision lengths are typed in; the dimensions' units
    // alone leave it. 6 inches are 152.4 mm.
    g->prefs.NumericInputPrecision = 0;
    ASSERT_EQ(Type(kWallThicknessField, "6 in"), kNoErr);
    const ADMDialogRef walls = panel;
    const struct { const char* panel; int32_t item, entry; const char* shown; } picks[] = {
        {"CADdocument", kNumericUnitsPopup, 5, "0 m"},
        {"CADdocument", kNumericPrecisionPopup, 3, "0.152 m"},
        {"CADtext", kUpperUnitsPopup, 8, "0.152 m"},
    };
    for (const auto& p : picks) {
        panel = Dialogs().findDialog(p.panel);
        ASSERT_EQ(Pick(p.item, p.entry), kNoErr) << p.shown;
        panel = walls;
        EXPECT_EQ(Shown(), p.shown);
    }
}

TEST_F(WallsPanelTest, TheDatumAndTheWallInformationAreStored) {
    StartWalls();
    EXPECT_EQ(View(kWallDatumPopup).text, "Inside face");
    EXPECT_TRUE(sADMItem->GetBooleanValue(sADMDialog->GetItem(panel, kShowWallInfoCheckBox)));
    ASSERT_EQ(Pick(kWallDatumPopup, 0), kNoErr);
    EXPECT_EQ(g->prefs.wallDatum, 0);
    ASSERT_EQ(Press(kShowWallInfoCheckBox), kNoErr);
    EXPECT_EQ(g->prefs.showWallInfo, 0);
}

TEST_F(WallsPanelTest, ThePanelKeepsItsPlaceUnderItsOwnPrefix) {
    StartWalls();
    ExpectPlaceKeptUnder("ZMKCADwalls3");
}

}  // namespace
}  // namespace paneltest
