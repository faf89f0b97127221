// Shared set-up of the dialog manager tests: resources from the tests' own folder, the
// suites acquired through the registry, and a record of the callbacks the host made.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include <string>
#include <vector>

#include "ADMBasic.h"
#include "ADMDialog.h"
#include "ADMDialogGroup.h"
#include "ADMDrawer.h"
#include "ADMEntry.h"
#include "ADMItem.h"
#include "ADMList.h"
#include "ADMNotifier.h"
#include "ADMTracker.h"
#include "SuiteRegistry.h"
#include "UserActions.h"
#include "adm/DialogManager.h"
#include "adm/Resources.h"

namespace admtest {

inline const char* kResourceDir = PLOTWISE_SOURCE_DIR "/tests/host/adm/resources";

struct AdmTest : ::testing::Test {
    standin::Resources resources{kResourceDir};
    standin::DialogManager dm{resources};
    standin::SuiteRegistry registry;
    const ADMBasicSuite* basic = nullptr;
    const ADMDialogSuite* dialog = nullptr;
    const ADMDialogGroupSuite* group = nullptr;
    const ADMItemSuite* item = nullptr;
    const ADMListSuite* list = nullptr;
    const ADMEntrySuite* entry = nullptr;
    const ADMNotifierSuite* notifier = nullptr;
    const ADMTrackerSuite* tracker = nullptr;
    const ADMDrawerSuite* drawer = nullptr;
    std::vector<std::string> events;  // what the callbacks saw, in order

    static AdmTest* current;

    template <typename S>
    void acquire(const char* name, int32_t version, const S*& out) {
        const void* p = nullptr;
        ASSERT_EQ(registry.acquire(name, version, &p), kNoErr) << name;
        out = static_cast<const S*>(p);
    }

    void SetUp() override {
        current = this;
        dm.registerSuites(registry);
        acquire(kADMBasicSuite, kADMBasicSuiteVersion, basic);
        acquire(kADMDialogSuite, kADMDialogSuiteVersion, dialog);
        acquire(kADMDialogGroupSuite, kADMDialogGroupSuiteVersion, group);
        acquire(kADMItemSuite, kADMItemSuiteVersion, item);
        acquire(kADMListSuite, kADMListSuiteVersion, list);
        acquire(kADMEntrySuite, kADMEntrySuiteVersion, entry);
        acquire(kADMNotifierSuite, kADMNotifierSuiteVersion, notifier);
        acquire(kADMTrackerSuite, kADMTrackerSuiteVersion, tracker);
        acquire(kADMDrawerSuite, kADMDrawerSuiteVersion, drawer);
    }
    void TearDown() override { current = nullptr; }

    std::string text(ADMItemRef it) {
        char buf[300];
        item->GetText(it, buf, sizeof buf);
        return buf;
    }
    std::string notifierType(ADMNotifierRef n) {
        if (notifier->IsNotifierType(n, kADMUserChangedNotifier)) return "user";
        if (notifier->IsNotifierType(n, kADMIntermediateChangedNotifier)) return "intermediate";
        return "other";
    }

    static standin::UserAction press(int32_t id) { return useraction::Pressed(id); }
    static standin::UserAction type(int32_t id, std::string t, int32_t key = kADMTabKey) {
        return useraction::Typed(id, std::move(t), key);
    }
    static standin::UserAction value(int32_t id, float v) { return useraction::Valued(id, v); }
    static standin::UserAction pick(int32_t id, int32_t index, uint32_t modifiers = 0) {
        return useraction::Picked(id, index, modifiers);
    }
};

}  // namespace admtest
