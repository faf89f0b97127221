// A stand-in host with a session that has loaded the plug-in's entry point, and helpers to
// count what the host holds for the plug-in.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "Host.h"
#include "PluginGlobals.h"
#include "core/PlotwiseSubsystem.h"
#include "SPMessages.h"
#include "plugin/PluginDriver.h"

namespace coretest {

struct CoreTest : ::testing::Test {
    std::unique_ptr<standin::Host> host;
    std::unique_ptr<standin::PluginDriver> session;
    // Tools, hooks and services of the test's own, dispatched after the plug-in's.
    PlotwiseSubsystem testSubsystem{.name = "test"};

    void SetUp() override {
        AddPlotwiseSubsystem(&testSubsystem);
        makeSession(15);
    }

    void makeSession(int32_t major) {
        session.reset();
        host.reset();
        host = std::make_unique<standin::Host>();
        standin::PluginDriverOptions options;
        options.resourceDir = PLOTWISE_RESOURCE_DIR;
        options.hostMajor = major;
        session = std::make_unique<standin::PluginDriver>(*host, options);
        session->load(&PluginMain);
    }

    void TearDown() override {
        if (session) session->shutdown();
        session.reset();
        host.reset();
        RemovePlotwiseSubsystem(&testSubsystem);
    }

    int outstandingSuites() { return host->suites().outstanding(); }

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
