// The units and precision popups: entry counts at the scale boundaries (mils and rulers
// included, never an empty list), the stored precision lowered with a growing scale and
// kept when it shrinks, a change of units keeping the precision index, and the rebuild of
// every open panel's popups at once.
#include "PanelSessionFixture.h"
#include "geometry/UnitFormat.h"
#include "panels/DocumentPanel.h"
#include "panels/UnitsMenus.h"
#include "units/UnitsPopups.h"

namespace paneltest {
namespace {

TEST(PrecisionEntries, CountFollowsTheScaleFactor) {
    const struct {
        float scale;
        int32_t panel, ruler, milsPanel;
    } kRows[] = {
        {1.0f, 6, 5, 2},         {10.0f, 6, 5, 2},     {10.01f, 5, 4, 1},   {100.0f, 5, 4, 1},
        {100.5f, 4, 3, 1},       {1000.0f, 4, 3, 1},   {1000.5f, 3, 2, 1},  {10000.0f, 3, 2, 1},
        {10000.5f, 2, 1, 1},     {100000.0f, 2, 1, 1}, {100000.01f, 1, 1, 1}, {1e9f, 1, 1, 1},
    };
    for (const auto& r : kRows) {
        EXPECT_EQ(PrecisionEntryCount(r.scale, kMillimeterUnits, kPanelPrecisionEntries), r.panel) << r.scale;
        EXPECT_EQ(PrecisionEntryCount(r.scale, kFractionalInchMarkUnits, kPanelPrecisionEntries), r.panel) << r.scale;
        EXPECT_EQ(PrecisionEntryCount(r.scale, kPointUnits, kRulerPrecisionEntries), r.ruler) << r.scale;
        // Mils offer four fewer, but the entry "0" always stays.
        EXPECT_EQ(PrecisionEntryCount(r.scale, kMilUnits, kPanelPrecisionEntries), r.milsPanel) << r.scale;
        EXPECT_EQ(PrecisionEntryCount(r.scale, kMilUnits, kRulerPrecisionEntries), 1) << r.scale;
    }
}

using UnitsPopupsTest = PanelSession;

TEST_F(UnitsPopupsTest, ThePrecisionIsLoweredWithTheScaleAndStaysLowered) {
    Store().putInteger("ZelmarkPlotwise7", "NumericInputUnits", kMillimeterUnits);
    Store().putInteger("ZelmarkPlotwise7", "NumericInputPrecision", 5);
    Start();
    EXPECT_EQ(Entries(kNumericPrecisionPopup),
              (std::vector<std::string>{"0", "0.0", "0.00", "0.000", "0.0000", "0.00000"}));
    EXPECT_EQ(View(kNumericPrecisionPopup).text, "0.00000");

    g->prefs.scaler = 500.0f;
    UpdateAllPrecisionMenus();
    EXPECT_EQ(Entries(kNumericPrecisionPopup), (std::vector<std::string>{"0", "0.0", "0.00", "0.000"}));
    EXPECT_EQ(g->prefs.NumericInputPrecision, 3);
    EXPECT_EQ(View(kNumericPrecisionPopup).text, "0.000");

    g->prefs.scaler = 1.0f;
    UpdateAllUnitsMenus();
    EXPECT_EQ(Entries(kNumericPrecisionPopup).size(), 6u);
    EXPECT_EQ(g->prefs.NumericInputPrecision, 3);
    EXPECT_EQ(View(kNumericPrecisionPopup).text, "0.000");
}

TEST_F(UnitsPopupsTest, ChangingUnitsKeepsThePrecisionIndex) {
    Store().putInteger("ZelmarkPlotwise7", "NumericInputUnits", kMillimeterUnits);
    Store().putInteger("ZelmarkPlotwise7", "NumericInputPrecision", 2);
    Start();
    EXPECT_EQ(View(kNumericUnitsPopup).text, "Millimeters");
    ASSERT_EQ(Pick(kNumericUnitsPopup, kFractionalInchMarkUnits), kNoErr);
    EXPECT_EQ(g->prefs.NumericInputUnits, kFractionalInchMarkUnits);
    EXPECT_EQ(Entries(kNumericPrecisionPopup), (std::vector<std::string>{"0", "1/2", "1/4", "1/8", "1/16", "1/32"}));
    EXPECT_EQ(View(kNumericPrecisionPopup).text, "1/4");

    // Mils at 1:1 offer two entries: the precision comes down to 1.
    ASSERT_EQ(Pick(kNumericUnitsPopup, kMilUnits), kNoErr);
    EXPECT_EQ(Entries(kNumericPrecisionPopup), (std::vector<std::string>{"0", "0.0"}));
    EXPECT_EQ(g->prefs.NumericInputPrecision, 1);

    ASSERT_EQ(Pick(kNumericPrecisionPopup, 0), kNoErr);
    EXPECT_EQ(g->prefs.NumericInputPrecision, 0);
    EXPECT_TRUE(View(kNumericPrecisionPopup).enabled);
    EXPECT_TRUE(View(kNumericPrecisionCaption).enabled);
}

TEST_F(UnitsPopupsTest, MilsAtALargeScaleStillOfferOneEntryAndNeverMinusOne) {
    Store().putInteger("ZelmarkPlotwise7", "NumericInputUnits", kMilUnits);
    Store().putInteger("ZelmarkPlotwise7", "NumericInputPrecision", 1);
    Start();
    g->prefs.scaler = 1000.0f;
    UpdateAllPrecisionMenus();
    EXPECT_EQ(Entries(kNumericPrecisionPopup), std::vector<std::string>{"0"});
    EXPECT_EQ(g->prefs.NumericInputPrecision, 0);
    EXPECT_EQ(View(kNumericPrecisionPopup).value, 0);
    // A negative precision read from an old store is raised to the first entry.
    g->prefs.NumericInputPrecision = -3;
    g->prefs.scaler = 1.0f;
    UpdateAllPrecisionMenus();
    EXPECT_EQ(g->prefs.NumericInputPrecision, 0);
}

TEST_F(UnitsPopupsTest, TheRebuildSkipsPanelsThatDoNotExist) {
    Start();
    const ADMDialogRef document = g->CADdocumentWindow;
    g->CADdocumentWindow = nullptr;
    g->prefs.NumericInputPrecision = 5;
    g->prefs.scaler = 200000.0f;
    UpdateAllUnitsMenus();
    UpdateAllPrecisionMenus();
    EXPECT_EQ(g->prefs.NumericInputPrecision, 5);  // nothing rebuilt, nothing lowered
    g->CADdocumentWindow = document;
    UpdateAllPrecisionMenus();
    EXPECT_EQ(g->prefs.NumericInputPrecision, 0);
    EXPECT_EQ(Entries(kNumericPrecisionPopup), std::vector<std::string>{"0"});
    g->prefs.scaler = 1.0f;
}

}  // namespace
}  // namespace paneltest
