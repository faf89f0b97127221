// The test plug-in's floating panel, worked as the user would: each user change reaches its
// item notifier once, the plug-in's own changes stay silent, and the panel with the
// placement the plug-in wrote lasts until shut-down.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AINotifier.h"
#include "Host.h"
#include "TestPlugin.h"
#include "plugin/PluginDriver.h"

using namespace standin;

namespace {

const char* kPluginResources = PLOTWISE_SOURCE_DIR "/tests/host/plugin/resources";
const std::string kUserChanged = std::string(" ") + kADMUserChangedNotifier;

UserAction act(UserAction::Kind kind, int32_t item) {
    UserAction a;
    a.kind = kind;
    a.item = item;
    return a;
}

class PluginPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        testPluginTranscript().clear();
        session.load(TestPluginMain, "Test");
        ASSERT_EQ(session.startup(), kNoErr);
        panel = session.dialogs().findDialog(kTestPanelName);
        ASSERT_NE(panel, nullptr);
    }
    // Records of the panel's item notifiers, in order.
    std::vector<std::string> panelRecords() const {
        std::vector<std::string> out;
        for (const auto& r : testPluginTranscript())
            if (r.rfind("Test Panel/", 0) == 0) out.push_back(r);
        return out;
    }
    AIErr user(const UserAction& a) {
        return session.hostEvent([&]() -> AIErr { return session.dialogs().userAction(panel, a); });
    }

    Host host;
    PluginDriver session{host, PluginDriverOptions{kPluginResources, {}}};
    ADMDialogRef panel = nullptr;
};

TEST_F(PluginPanelTest, ResetsMadeByThePluginDoNotNotify) {
    UserAction type = act(UserAction::Kind::SetText, kTestPanelText);
    type.text = "typed";
    ASSERT_EQ(user(type), kNoErr);
    ASSERT_EQ(user(act(UserAction::Kind::Press, kTestPanelCheck)), kNoErr);
    ASSERT_EQ(user(act(UserAction::Kind::Press, kTestPanelReset)), kNoErr);
    // Reset put the text, check box and popup back itself: no further records.
    const std::vector<std::string> expected{"Test Panel/3" + kUserChanged + " typed",
                                            "Test Panel/4" + kUserChanged + " on",
                                            "Test Panel/6" + kUserChanged};
    EXPECT_EQ(panelRecords(), expected);
    EXPECT_NE(session.dialogs().describe(panel).find(kTestPanelStartText), std::string::npos)
        << session.dialogs().describe(panel);
    // Each user change was broadcast once, after the notifier had run.
    const std::string broadcast = std::string("AI Notifier/AI Notify ") + kTestBroadcastNotifier + " ";
    for (int32_t id : {kTestPanelText, kTestPanelCheck, kTestPanelReset})
        EXPECT_EQ(std::count(testPluginTranscript().begin(), testPluginTranscript().end(),
                             broadcast + std::to_string(id)),
                  1)
            << id;
    EXPECT_TRUE(session.dialogs().failures().empty());
}

TEST_F(PluginPanelTest, LivesUntilShutDownWithThePlacementItWrote) {
    for (int i = 0; i < 3; ++i) ASSERT_EQ(user(act(UserAction::Kind::Press, kTestPanelCheck)), kNoErr);
    session.newDocument();
    EXPECT_EQ(session.dialogs().findDialog(kTestPanelName), panel);
    ASSERT_EQ(session.dialogs().userCollapse(panel, true), kNoErr);

    ASSERT_EQ(session.shutdown(), kNoErr);
    EXPECT_EQ(session.dialogs().findDialog(kTestPanelName), nullptr);
    const auto records = panelRecords();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back(), "Test Panel/placement " + std::to_string(kTestPanelLeft) + "," +
                                  std::to_string(kTestPanelTop) + " " kTestPanelGroup " " +
                                  std::to_string(kTestPanelCode) + " collapsed 1");
    EXPECT_EQ(records.size(), 4u);  // three presses, then the placement
}

TEST(PluginPanel, NoPanelWithoutItsTemplate) {
    testPluginTranscript().clear();
    Host host;
    PluginDriver session{host};  // the host's own resources: no test panel
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    EXPECT_EQ(session.dialogs().findDialog(kTestPanelName), nullptr);
    ASSERT_EQ(session.shutdown(), kNoErr);
    for (const auto& r : testPluginTranscript()) EXPECT_EQ(r.rfind("Test Panel/", 0), std::string::npos) << r;
}

}  // namespace
