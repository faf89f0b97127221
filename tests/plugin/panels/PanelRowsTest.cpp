// The panels as rows: created, and their window commands listed, in one order whichever
// subsystem registers them; and a panel another subsystem registers joins each shared
// refresh by its frame alone, while it exists.
#include <string>
#include <vector>

#include "PanelSessionFixture.h"
#include "panels/DocumentPanel.h"
#include "panels/PanelFrame.h"
#include "panels/PanelRefresh.h"
#include "panels/PanelsFromSelection.h"
#include "panels/StyleControls.h"
#include "panels/UnitsMenus.h"

namespace paneltest {
namespace {

using D = Plotwise3_Live_Dimension_Data;

// A panel of a subsystem of its own, whose frame writes down each step asked of it.
ADMDialogRef testPanel = nullptr;
AIMenuItemHandle testCommand = nullptr;

std::vector<std::string>& Steps() {
    static std::vector<std::string> steps;
    return steps;
}

constexpr StyleControl kTestControls[] = {
    {.item = 43, .kind = ControlKind::kCheckBox, .field = &StyleFieldOf<&D::chainDatum>(), .code = kCADAttrDummyType},
};

extern const PanelFrame kTestFrame;

constexpr PlotwisePanelRow kTestRow = {
    .window = +[]() -> ADMDialogRef& { return testPanel; },
    .dialogName = "TestPanel",
    .menuItem = +[]() -> AIMenuItemHandle& { return testCommand; },
    .frame = &kTestFrame,
};

const PanelFrame kTestFrame = {
    .row = &kTestRow,
    .showPrefs = +[](ADMDialogRef d) { Steps().push_back(d == testPanel ? "prefs" : "prefs of another"); },
    .setupUnits = +[](ADMDialogRef d) { Steps().push_back(d == testPanel ? "units" : "units of another"); },
    .setupPrecision = +[](ADMDialogRef d) { Steps().push_back(d == testPanel ? "precision" : "precision of another"); },
    .styleControls = +[]() -> std::span<const StyleControl> { return kTestControls; },
    .followSelection = +[](ADMDialogRef d, const live_attributes_map&, const D&) {
        Steps().push_back(d == testPanel ? "selection" : "selection of another");
    },
};

const PlotwisePanelRow kTestPanels[] = {kTestRow};
const PlotwiseSubsystem kTestSubsystem = {.name = "test panels", .panels = kTestPanels};

using PanelRowsTest = PanelSession;

TEST_F(PanelRowsTest, PanelsAndTheirWindowCommandsComeInOneOrderWhicheverSubsystemOwnsThem) {
    Start();
    const std::vector<std::string> kOrder = {"CADisometric", "CADtracker",   "CADdocument",   "CADguides", "CADwalls",
                                             "CADshortcuts", "CADtext",      "CADattributes", "CADlabels"};
    std::vector<std::string> created;
    for (ADMDialogRef d : Dialogs().openDialogs()) created.push_back(Dialogs().dialog(d)->name);
    EXPECT_EQ(created, kOrder);
    std::vector<std::string> commands;
    const std::string show = "Plotwise Show ";
    for (const auto& item : session->registry().menuItems)
        if (item.name.starts_with(show)) commands.push_back(item.name.substr(show.size()));
    EXPECT_EQ(commands, kOrder);
}

TEST_F(PanelRowsTest, APanelOfAnotherSubsystemJoinsEachSharedRefreshWhileItExists) {
    Start();
    AddPlotwiseSubsystem(&kTestSubsystem);
    const struct {
        const char* refresh;
        AIErr (*run)();
        std::vector<std::string> steps;  // asked of the test panel while it exists
    } kRows[] = {
        {"after a preset", +[]() { return UpdateNonContextSensitivePaletteInfoToCurrentPrefs(), kNoErr; }, {"prefs"}},
        {"units", +[]() { return UpdateAllUnitsMenus(), kNoErr; }, {"units"}},
        {"precision", +[]() { return UpdateAllPrecisionMenus(), kNoErr; }, {"precision"}},
        {"selection", &UpdatePalettesFromSelectedArt, {"selection"}},
    };
    size_t items = 0;
    int redrawn[2] = {};  // items drawn again by the redraw after a preset: without it, with it
    for (const bool exists : {true, false}) {
        testPanel = exists ? sADMDialog->Create(nullptr, "TestPanel", kDocumentPanelID, kADMTabbedFloatingDialogStyle,
                                                nullptr, nullptr, 0)
                           : nullptr;
        if (exists) {
            ASSERT_NE(testPanel, nullptr);
            items = Dialogs().dialog(testPanel)->items.size();
        }
        for (const auto& r : kRows) {
            Steps().clear();
            ASSERT_EQ(session->hostEvent(r.run), kNoErr) << r.refresh;
            EXPECT_EQ(Steps(), exists ? r.steps : std::vector<std::string>{}) << r.refresh << (exists ? "" : " (none)");
        }
        const int before = Dialogs().updates();
        ASSERT_EQ(session->hostEvent([] { return RedrawAllPanels(), kNoErr; }), kNoErr);
        redrawn[exists] = Dialogs().updates() - before;
        // Its style controls are found by its dialog only.
        EXPECT_EQ(FindStyleControl(testPanel, 43), exists ? &kTestControls[0] : nullptr);
        EXPECT_EQ(FindStyleControl(panel, 43), nullptr);
        if (testPanel) sADMDialog->Destroy(testPanel);
    }
    EXPECT_GT(items, 0u);
    EXPECT_EQ(redrawn[1] - redrawn[0], static_cast<int>(items));
    RemovePlotwiseSubsystem(&kTestSubsystem);
    testPanel = nullptr;
}

}  // namespace
}  // namespace paneltest
