// A stand-in dialog manager with its basic suite acquired and fresh plug-in globals installed
// for one test; the previous globals come back afterwards.
#pragma once

#include <gtest/gtest.h>

#include "ADMBasic.h"
#include "PluginGlobals.h"
#include "core/PlotwiseSuites.h"
#include "SuiteRegistry.h"
#include "adm/DialogManager.h"
#include "adm/Resources.h"

struct DialogHostFixture : ::testing::Test {
    standin::Resources resources{PLOTWISE_RESOURCE_DIR};
    standin::DialogManager dm{resources};
    standin::SuiteRegistry registry;
    PlotwiseGlobals globals{};
    CoreGlobals* saved = nullptr;
    void SetUp() override {
        dm.registerSuites(registry);
        const void* p = nullptr;
        ASSERT_EQ(registry.acquire(kADMBasicSuite, kADMBasicSuiteVersion, &p), kNoErr);
        sADMBasic = static_cast<ADMBasicSuite*>(const_cast<void*>(p));
        saved = plotwiseRecord;
        plotwiseRecord = &globals;
    }
    void TearDown() override {
        plotwiseRecord = saved;
        sADMBasic = nullptr;
    }
};
