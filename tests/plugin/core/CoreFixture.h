// The plug-in's entry point loaded into a stand-in host, not yet started, and helpers to
// count what the host holds for the plug-in.
#pragma once

#include <gtest/gtest.h>

#include "PluginSessionFixture.h"
#include "SPMessages.h"
#include "core/PlotwiseSubsystem.h"

namespace coretest {

struct CoreTest : plugintest::PluginSessionTest {
    // Tools, hooks and services of the test's own, dispatched after the plug-in's.
    PlotwiseSubsystem testSubsystem{.name = "test"};

    void SetUp() override {
        AddPlotwiseSubsystem(&testSubsystem);
        makeSession(15);
    }

    // A new session as a host of that major version runs it.
    void makeSession(int32_t major) { LoadPlugin({.hostMajor = major}); }

    void TearDown() override {
        PluginSessionTest::TearDown();
        RemovePlotwiseSubsystem(&testSubsystem);
    }

    int outstandingSuites() { return host.suites().outstanding(); }

    size_t liveNotifiers() {
        size_t n = 0;
        for (const auto& e : session->registry().notifiers) n += e.gone ? 0 : 1;
        return n;
    }
    size_t liveMenuItems() {
        size_t n = 0;
        for (const auto& e : session->registry().menuItems) n += e.gone ? 0 : 1;
        return n;
    }
};

}  // namespace coretest
