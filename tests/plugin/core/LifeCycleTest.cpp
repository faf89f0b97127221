// Start-up, shut-down, unload and reload, and the host-version check.
#include <cstring>

#include "ADMBasic.h"
#include "CoreFixture.h"
#include "core/PlotwisePublicSuite.h"
#include "core/PlotwiseSuites.h"

namespace coretest {
namespace {

TEST_F(CoreTest, StartupRegistersAndShutdownReleasesEverything) {
    ASSERT_EQ(session->startup(), kNoErr) << session->lastError();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->appVersion, 15);
    EXPECT_GT(outstandingSuites(), 0);
    EXPECT_GE(liveNotifiers(), 19u);
    EXPECT_GE(liveMenuItems(), 12u);
    EXPECT_EQ(session->registry().timers.size(), 5u);
    EXPECT_EQ(session->registry().annotators.size(), 1u);
    EXPECT_STREQ(g->degreeSymbol, "\xB0");
    EXPECT_STREQ(g->slashZeroSymbol, "\xD8");
    EXPECT_STREQ(g->plusMinusSymbol, "\xB1");

    ASSERT_EQ(session->shutdown(), kNoErr) << session->lastError();
    EXPECT_EQ(g, nullptr);
    plugintest::ExpectHostHoldsNothing(host);
}

TEST_F(CoreTest, PublishedSuiteGivesTheCurrentScale) {
    ASSERT_EQ(session->startup(), kNoErr);
    const void* procs = nullptr;
    ASSERT_EQ(host.suites().acquire(kPlotwiseSuite, kPlotwiseSuiteVersion, &procs), kNoErr);
    const auto* suite = static_cast<const PlotwiseSuite*>(procs);
    g->prefs.scaler = 48.0f;
    std::strcpy(g->prefs.scaleStr, "1/4\" = 1'-0\"");
    AIReal scaler = 0;
    char label[32] = {};
    EXPECT_EQ(suite->GetLayerScale(nullptr, &scaler, label), kNoErr);
    EXPECT_EQ(scaler, 48.0f);
    EXPECT_STREQ(label, "1/4\" = 1'-0\"");
    host.suites().release(kPlotwiseSuite, kPlotwiseSuiteVersion);
}

TEST_F(CoreTest, UnloadAndReloadKeepTheGlobalRecord) {
    ASSERT_EQ(session->startup(), kNoErr);
    PlotwiseGlobals* record = g.get();
    g->prefs.style.id = 41;
    g->depthObjNum = 7;
    const int held = outstandingSuites();
    ASSERT_EQ(session->unload(0), kNoErr);
    EXPECT_EQ(g, nullptr);
    EXPECT_EQ(session->globals(0), record);
    EXPECT_EQ(outstandingSuites(), 0);  // nothing held while unloaded
    ASSERT_EQ(session->reload(0), kNoErr);
    EXPECT_EQ(g.get(), record);
    EXPECT_EQ(g->prefs.style.id, 41);
    EXPECT_EQ(g->depthObjNum, 7);
    EXPECT_EQ(outstandingSuites(), held);
    EXPECT_NE(sAIArt, nullptr);
    ASSERT_EQ(session->shutdown(), kNoErr);
    EXPECT_EQ(outstandingSuites(), 0);
}

TEST_F(CoreTest, AnotherHostVersionGetsOnlyTheStartedNotifierAndAMessage) {
    for (int32_t major : {14, 16}) {
        makeSession(major);
        const size_t shown = session->dialogs().alerts().size();
        ASSERT_EQ(session->startup(), kNoErr) << session->lastError();
        ASSERT_NE(g, nullptr);
        EXPECT_TRUE(g->unsupportedHostVersion);
        ASSERT_EQ(liveNotifiers(), 1u);
        EXPECT_EQ(session->registry().notifiers[0].type, kAIApplicationStartedNotifier);
        EXPECT_EQ(liveMenuItems(), 0u);
        EXPECT_TRUE(session->registry().timers.empty());
        EXPECT_TRUE(session->registry().tools.empty());
        // Told at application start (the session sends it right after start-up).
        const auto& alerts = session->dialogs().alerts();
        ASSERT_EQ(alerts.size(), shown + 1);
        EXPECT_NE(alerts.back().text.find(major > 15 ? "not supported" : "reinstall"), std::string::npos)
            << alerts.back().text;
        ASSERT_EQ(session->shutdown(), kNoErr);
        EXPECT_EQ(outstandingSuites(), 0);
    }
}

TEST_F(CoreTest, EntryPointAnswersUnknownAndPropertyMessagesQuietly) {
    EXPECT_EQ(PluginMain("SP Properties", "Acquire", nullptr), kNoErr);
    EXPECT_EQ(PluginMain("Nobody", "Nothing", nullptr), kNoErr);
    EXPECT_EQ(PluginMain(nullptr, "AI Go", nullptr), kBadParameterErr);
    ASSERT_EQ(session->startup(), kNoErr);
    EXPECT_EQ(PluginMain(kCallerAITool, kSelectorAIToolMouseDown, nullptr), kBadParameterErr);
}

}  // namespace
}  // namespace coretest

#ifdef PLOTWISE_MODULE_PATH
namespace coretest {
namespace {

TEST(ModuleTest, TheBuiltModuleLoadsStartsAndShutsDown) {
    standin::Host host;
    standin::PluginDriverOptions options;
    options.resourceDir = PLOTWISE_RESOURCE_DIR;
    standin::PluginDriver session(host, options);
    std::string error;
    auto index = session.loadLibrary(PLOTWISE_MODULE_PATH, &error);
    ASSERT_TRUE(index.has_value()) << error;
    ASSERT_EQ(session.startup(), kNoErr) << session.lastError();
    EXPECT_TRUE(session.isStarted(*index));
    EXPECT_NE(session.globals(*index), nullptr);
    EXPECT_GE(session.registry().notifiers.size(), 19u);
    EXPECT_GE(session.registry().menuItems.size(), 12u);
    session.newDocument();
    EXPECT_EQ(session.menu("Update Dimensions"), kNoErr);
    ASSERT_EQ(session.shutdown(), kNoErr) << session.lastError();
    EXPECT_EQ(host.suites().outstanding(), 0);
}

}  // namespace
}  // namespace coretest
#endif
