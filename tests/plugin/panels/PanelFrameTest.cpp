// The frame every panel shares: defaults with an empty preference store, the placement of
// each of the six panels written back exactly as it was restored (dock code included), the
// document panel coming back where the user left it after a restart, a refused dock group,
// the options toggle heights and texts, the dock captured at menu updates, and the default
// workspace placement.
#include <cstring>
#include <string>

#include "PanelSessionFixture.h"
#include "SPMessages.h"
#include "panels/DocumentPanel.h"
#include "panels/PanelFrame.h"
#include "tracker/TrackerPanel.h"

namespace paneltest {
namespace {

struct Placement {
    const char* prefix;
    AIRealPoint location;
    int32_t code;
    const char* group;
};

// The start-up placement of the six panels, as their table gives it.
constexpr Placement kDefaults[] = {
    {"ZMKCADtracker3", {84, 59}, 0x4FF03, "CADisometric"},  {"ZMKCADdocument3", {84, 236}, 0x5FF03, "CADdocument"},
    {"ZMKCADattributes3", {293, 59}, 0x4FF03, "CADtext"},    {"ZMKCADlabels3", {293, 59}, 0x4FF03, "CADtext"},
    {"ZMKCADtext3", {293, 59}, 0x5FF03, "CADtext"},          {"ZMKCADshortcuts5", {84, 236}, 0x4FF03, "CADdocument"},
};

const PanelFrame* const kFrames[] = {&kTrackerFrame, &kDocumentFrame, &kStylesFrame,
                                     &kLabelsFrame,  &kTextFrame,     &kShortcutsFrame};

using PanelFrameTest = PanelSession;

TEST_F(PanelFrameTest, AnEmptyStoreGivesEveryPanelItsStartUpPlace) {
    Start();
    const standin::adm::Dialog* d = Dialogs().dialog(panel);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->bounds.left, 84);
    EXPECT_EQ(d->bounds.top, 236);
    EXPECT_EQ(d->groupName, "CADdocument");
    EXPECT_EQ(d->position.fPositionCode, 0x5FF03);
    EXPECT_EQ(d->position.fExPositionCode, 0);
    EXPECT_FALSE(d->collapsed);
    EXPECT_EQ(d->style, kADMTabbedFloatingDialogStyle);
    EXPECT_EQ(d->icons[0], 16514);
    EXPECT_EQ(d->icons[1], 18514);
    EXPECT_EQ(Dialogs().appContextDepth(), 0);

    ASSERT_EQ(session->shutdown(), kNoErr);
    for (const Placement& p : kDefaults) {
        AIRealPoint where{-1, -1};
        int32_t code = 0;
        char group[80] = {};
        AIBoolean collapsed = true;
        ASSERT_EQ(Store().getPoint(p.prefix, "Location", &where), kNoErr) << p.prefix;
        ASSERT_TRUE(Store().has(p.prefix, "DockCode")) << p.prefix;
        Store().getInteger(p.prefix, "DockCode", &code);
        Store().getString(p.prefix, "DockGroup", group, sizeof group);
        EXPECT_EQ(where.h, p.location.h) << p.prefix;
        EXPECT_EQ(where.v, p.location.v) << p.prefix;
        EXPECT_EQ(code, p.code) << p.prefix;
        EXPECT_STREQ(group, p.group) << p.prefix;
        const std::string panelName = std::string(p.prefix).substr(3, std::strlen(p.prefix) - 4);
        Store().getBoolean(p.prefix, (panelName + "CollapseState").c_str(), &collapsed);
        EXPECT_FALSE(collapsed) << p.prefix;
        if (std::strcmp(p.prefix, "ZMKCADlabels3") == 0) continue;  // no options flag
        AIBoolean options = false;
        ASSERT_EQ(Store().getBoolean(p.prefix, ("show" + panelName + "Options").c_str(), &options), kNoErr);
        EXPECT_TRUE(options) << p.prefix;
    }
}

TEST_F(PanelFrameTest, EachPanelWritesBackThePlacementItRestored) {
    Start();
    int n = 0;
    for (const PanelFrame* frame : kFrames) {
        ++n;
        ADMDialogRef dialog = sADMDialog->Create(nullptr, frame->row->dialogName, kDocumentPanelID,
                                                 kADMTabbedFloatingDialogStyle, nullptr, nullptr, 0);
        ASSERT_NE(dialog, nullptr);
        preferences& p = g->prefs;
        const AIRealPoint where{100.0f + n, 200.0f + n};
        const int32_t code = 0x4FF03 + n;
        const std::string group = "Dock " + std::to_string(n);
        p.*frame->row->loc = where;
        p.*frame->row->dockCode = code;
        std::snprintf(p.*frame->row->dockGroup, 65, "%s", group.c_str());
        const preferences before = p;
        ASSERT_EQ(session->hostEvent([&] { return RestorePanelPlacement(*frame, dialog); }), kNoErr);
        ASSERT_EQ(Dialogs().userCollapse(dialog, true), kNoErr);

        p.*frame->row->loc = {0, 0};
        p.*frame->row->dockCode = 0;
        (p.*frame->row->dockGroup)[0] = '\0';
        ASSERT_EQ(session->hostEvent([&] { return WritePanelPrefs(*frame, dialog); }), kNoErr);
        EXPECT_EQ((p.*frame->row->loc).h, where.h);
        EXPECT_EQ((p.*frame->row->loc).v, where.v);
        EXPECT_EQ(p.*frame->row->dockCode, code) << frame->row->dialogName;
        EXPECT_EQ(std::string(p.*frame->row->dockGroup), group);
        EXPECT_EQ(p.*frame->row->collapse, 1);
        // No other panel's placement moved.
        for (const PanelFrame* other : kFrames) {
            if (other == frame) continue;
            EXPECT_EQ(p.*other->row->dockCode, before.*other->row->dockCode) << other->row->dialogName;
            EXPECT_EQ(p.*other->row->collapse, before.*other->row->collapse) << other->row->dialogName;
        }
        sADMDialog->Destroy(dialog);
    }
}

TEST_F(PanelFrameTest, TheDocumentPanelComesBackWhereTheUserLeftIt) {
    Start();
    ASSERT_EQ(Dialogs().userMove(panel, 300, 400), kNoErr);
    ASSERT_EQ(Dialogs().setGroupInfo(panel, "CADtext", {0x4FF03, 0}), kNoErr);
    ASSERT_EQ(Dialogs().userCollapse(panel, true), kNoErr);
    ASSERT_EQ(session->restart(), kNoErr) << session->lastError();
    panel = Dialogs().findDialog("CADdocument");
    ASSERT_NE(panel, nullptr);
    const standin::adm::Dialog* d = Dialogs().dialog(panel);
    EXPECT_EQ(d->bounds.left, 300);
    EXPECT_EQ(d->bounds.top, 400);
    EXPECT_EQ(d->groupName, "CADtext");
    EXPECT_EQ(d->position.fPositionCode, 0x4FF03);
    EXPECT_TRUE(d->collapsed);
    EXPECT_EQ(d->bounds.right - d->bounds.left, 206);
    EXPECT_EQ(d->bounds.bottom - d->bounds.top, 0);  // whichever scale style
    // And it stays so through another restart.
    ASSERT_EQ(session->restart(), kNoErr);
    panel = Dialogs().findDialog("CADdocument");
    d = Dialogs().dialog(panel);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->collapsed);
    EXPECT_EQ(d->groupName, "CADtext");
    // Expanded, it is laid out for its scale style, and stays expanded through a layout.
    ASSERT_EQ(session->hostEvent([&] { return Dialogs().userCollapse(panel, false); }), kNoErr);
    EXPECT_EQ(LocalRect().bottom, 244);
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    EXPECT_EQ(LocalRect().bottom, 334);
    EXPECT_FALSE(Dialogs().dialog(panel)->collapsed);
}

TEST_F(PanelFrameTest, ARefusedDockGroupLeavesThePanelOutAndTheRestGoesOn) {
    Store().putPoint("ZMKCADdocument3", "Location", {10, 20});
    Dialogs().setRefuseDialogGroups(true);
    ASSERT_EQ(session->startup(), kNoErr) << session->lastError();
    EXPECT_EQ(Dialogs().findDialog("CADdocument"), nullptr);
    EXPECT_EQ(g->CADdocumentWindow, nullptr);
    EXPECT_EQ(Dialogs().appContextDepth(), 0);
    EXPECT_GT(Dialogs().appContextPushes(), 0);
    EXPECT_TRUE(session->isStarted(0));
    // Nothing to write back: the stored place stays.
    ASSERT_EQ(session->shutdown(), kNoErr);
    AIRealPoint where{};
    Store().getPoint("ZMKCADdocument3", "Location", &where);
    EXPECT_EQ(where.h, 10);
    EXPECT_EQ(where.v, 20);
}

TEST_F(PanelFrameTest, TheOptionsToggleSwitchesHeightAndTextAndBack) {
    Start();
    const struct {
        const PanelFrame* frame;
        int32_t shown, hidden;
    } kToggles[] = {{&kTrackerFrame, 524, 144}, {&kStylesFrame, 358, 93}, {&kShortcutsFrame, 278, 160}};
    for (const auto& t : kToggles) {
        ADMDialogRef dialog =
            sADMDialog->Create(nullptr, "toggle", kDocumentPanelID, kADMTabbedFloatingDialogStyle, nullptr, nullptr, 0);
        ADMItemRef popout = sADMDialog->GetItem(dialog, kADMPopoutMenuItemID);
        sADMList->SetMenuID(sADMItem->GetList(popout), nullptr, kDocumentPopoutMenu, "");
        int& shown = g->prefs.*t.frame->row->options;
        auto check = [&](int32_t height, const char* text) {
            ADMRect r{};
            sADMDialog->GetLocalRect(dialog, &r);
            EXPECT_EQ(r.bottom - r.top, height) << t.frame->row->dialogName;
            char entry[64] = {};
            sADMEntry->GetText(sADMList->IndexEntry(sADMItem->GetList(popout), 0), entry, sizeof entry);
            EXPECT_STREQ(entry, text) << t.frame->row->dialogName;
        };
        shown = 1;
        AdjustPanelOptions(*t.frame, popout);
        check(t.shown, "Hide Options");
        shown = !shown;
        AdjustPanelOptions(*t.frame, popout);
        check(t.hidden, "Show Options");
        shown = !shown;
        AdjustPanelOptions(*t.frame, popout);
        check(t.shown, "Hide Options");
        sADMDialog->Destroy(dialog);
    }
}

TEST_F(PanelFrameTest, AMenuUpdateKeepsTheDockTheUserChose) {
    Start();
    ASSERT_EQ(Dialogs().setGroupInfo(panel, "Elsewhere", {0x4FF03, 0}), kNoErr);
    ASSERT_EQ(session->menu("Show Plotwise Document"), kNoErr) << session->lastError();
    EXPECT_STREQ(g->prefs.CADdocumentDockGroup, "Elsewhere");
    EXPECT_EQ(g->prefs.CADdocumentDockCode, 0x4FF03);
    // A host that reports no group leaves the stored name.
    ASSERT_EQ(Dialogs().setGroupInfo(panel, "", {0x5FF03, 0}), kNoErr);
    ASSERT_EQ(session->menu("Hide Plotwise Document"), kNoErr) << session->lastError();
    EXPECT_STREQ(g->prefs.CADdocumentDockGroup, "Elsewhere");
    EXPECT_EQ(g->prefs.CADdocumentDockCode, 0x5FF03);
}

TEST_F(PanelFrameTest, TheDefaultWorkspacePutsThePanelBackInItsDock) {
    Start();
    ASSERT_EQ(Dialogs().userMove(panel, 500, 500), kNoErr);
    ASSERT_EQ(Dialogs().setGroupInfo(panel, "Elsewhere", {1, 0}), kNoErr);
    ASSERT_EQ(session->workspace(kSelectorAIDefaultWorkspace, "Basic"), kNoErr) << session->lastError();
    const standin::adm::Dialog* d = Dialogs().dialog(panel);
    EXPECT_EQ(d->bounds.left, 84);
    EXPECT_EQ(d->bounds.top, 236);
    EXPECT_EQ(d->groupName, "CADdocument");
    EXPECT_EQ(d->position.fPositionCode, 0x5FF03);
    const standin::WorkspaceRecord* ws = session->workspaces().find("Basic");
    ASSERT_NE(ws, nullptr);
    const auto* group = ws->find("CADdocument", "DockGroup");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(std::get<std::string>(*group), "CADdocument");
    const auto* code = ws->find("CADdocument", "DockCode");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(std::get<int32_t>(*code), 0x5FF03);
}

}  // namespace
}  // namespace paneltest
