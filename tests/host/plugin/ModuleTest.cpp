// Loading plug-in modules with dlopen: the test plug-in as a module runs a gesture and is
// read through the suite it publishes; missing or unusable files give clear errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ScratchFolder.h"
#include "Host.h"
#include "TestPlugin.h"
#include "plugin/PluginDriver.h"

using namespace standin;

namespace {

std::string recordOf(const TestPluginSuite* suite, int32_t n) {
    char buf[256];
    return suite->GetRecord(n, buf, sizeof buf) == kNoErr ? std::string(buf) : std::string();
}

TEST(PluginModule, LoadedModuleRunsAGestureAndShutsDown) {
    testPluginTranscript().clear();
    Host host;
    PluginDriver session(host);
    std::string error;
    auto index = session.loadLibrary(TEST_PLUGIN_MODULE, &error);
    ASSERT_TRUE(index.has_value()) << error;
    ASSERT_EQ(session.startup(), kNoErr);
    Document& doc = session.newDocument();
    ASSERT_EQ(session.selectTool(kTestLineTool), kNoErr);
    ASSERT_EQ(session.mouseDown({0, 0}), kNoErr);
    ASSERT_EQ(session.mouseDrag({10, 10}), kNoErr);
    ASSERT_EQ(session.mouseDrag({20, 10}), kNoErr);
    ASSERT_EQ(session.mouseUp({20, 10}), kNoErr);
    EXPECT_EQ(doc.matching([](const Art& a) { return a.type == kPathArt; }).size(), 1u);

    const void* procs = nullptr;
    ASSERT_EQ(host.suites().acquire(kTestPluginSuite, kTestPluginSuiteVersion, &procs), kNoErr);
    auto* suite = static_cast<const TestPluginSuite*>(procs);
    EXPECT_EQ(recordOf(suite, 0), "SP Interface/Startup");
    EXPECT_EQ(recordOf(suite, suite->CountRecords() - 1),
              std::string("AI Notifier/AI Notify ") + kTestBroadcastNotifier);
    EXPECT_EQ(suite->Globals(), session.globals(*index));
    host.suites().release(kTestPluginSuite, kTestPluginSuiteVersion);

    // The module's copy of the plug-in is not the one linked into this program.
    EXPECT_TRUE(testPluginTranscript().empty());
    ASSERT_EQ(session.shutdown(), kNoErr);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(PluginModule, MissingOrUnusableFilesGiveClearErrors) {
    Host host;
    PluginDriver session(host);
    std::string error;
    EXPECT_FALSE(session.loadLibrary("/no/such/folder/plotwise.so", &error));
    EXPECT_NE(error.find("/no/such/folder/plotwise.so"), std::string::npos) << error;
    EXPECT_NE(error.find("no such file"), std::string::npos) << error;
    EXPECT_EQ(session.lastError(), error);

    ScratchFolder scratch;
    const std::filesystem::path junk = scratch.path("not-a-module.so");
    { std::ofstream(junk) << "not a shared object"; }
    error.clear();
    EXPECT_FALSE(session.loadLibrary(junk, &error));
    EXPECT_NE(error.find("cannot load plug-in"), std::string::npos) << error;

    EXPECT_FALSE(session.loadLibrary("", &error));
    EXPECT_EQ(session.pluginCount(), 0u);
    EXPECT_EQ(session.startup(), kNoErr);  // nothing to start is no failure
}

}  // namespace
