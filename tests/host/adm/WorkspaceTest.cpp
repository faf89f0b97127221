// Workspace records written and read back through the workspace suite.
#include <gtest/gtest.h>

#include "AIWorkspace.h"
#include "SuiteRegistry.h"
#include "adm/Workspace.h"

namespace {

TEST(Workspace, PlacementValuesRoundTripByTypeAndHandlesAreChecked) {
    standin::Workspaces spaces;
    standin::SuiteRegistry registry;
    spaces.registerSuites(registry);
    const void* p = nullptr;
    ASSERT_EQ(registry.acquire(kAIWorkspaceSuite, kAIWorkspaceSuiteVersion, &p), kNoErr);
    const auto* ws = static_cast<const AIWorkspaceSuite*>(p);

    AIWorkspaceHandle h = spaces.open("Default");
    EXPECT_EQ(ws->SetWorkspacePoint(h, "ZMKCADtracker3", "Location", {84, 59}), kNoErr);
    EXPECT_EQ(ws->SetWorkspaceString(h, "ZMKCADtracker3", "DockGroup", "CADisometric"), kNoErr);
    EXPECT_EQ(ws->SetWorkspaceInteger(h, "ZMKCADtracker3", "DockCode", 0x4FF03), kNoErr);
    EXPECT_EQ(ws->SetWorkspaceBoolean(h, "ZMKCADtracker3", "Visible", true), kNoErr);

    AIRealPoint pt{};
    EXPECT_EQ(ws->GetWorkspacePoint(h, "ZMKCADtracker3", "Location", &pt), kNoErr);
    EXPECT_EQ(pt.v, 59.0f);
    char group[8];
    EXPECT_EQ(ws->GetWorkspaceString(h, "ZMKCADtracker3", "DockGroup", group, sizeof group), kNoErr);
    EXPECT_STREQ(group, "CADisom");  // bounded
    int32_t code = 0;
    EXPECT_EQ(ws->GetWorkspaceInteger(h, "ZMKCADtracker3", "DockCode", &code), kNoErr);
    EXPECT_EQ(code, 0x4FF03);
    AIBoolean visible = 0;
    EXPECT_EQ(ws->GetWorkspaceBoolean(h, "ZMKCADtracker3", "Visible", &visible), kNoErr);
    EXPECT_EQ(visible, 1);

    // Wrong type or missing key: kNoSuchKey and the value untouched.
    code = -1;
    EXPECT_EQ(ws->GetWorkspaceInteger(h, "ZMKCADtracker3", "Visible", &code), kNoSuchKey);
    EXPECT_EQ(ws->GetWorkspaceInteger(h, "ZMKCADtext3", "DockCode", &code), kNoSuchKey);
    EXPECT_EQ(code, -1);
    EXPECT_EQ(ws->SetWorkspaceInteger(reinterpret_cast<AIWorkspaceHandle>(&code), "P", "k", 1), kStaleHandleErr);
    EXPECT_EQ(ws->SetWorkspaceString(h, "P", "k", nullptr), kBadParameterErr);

    const auto* rec = spaces.find("Default");
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->values.at("ZMKCADtracker3").size(), 4u);
    EXPECT_EQ(spaces.open("Default"), h);
}

}  // namespace
