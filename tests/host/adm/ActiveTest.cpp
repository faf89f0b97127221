// Two hosts' components at once (a session inside a test's own, say): the suites talk to
// the latest one activated and fall back to the earlier one when it goes, in any order.
#include <gtest/gtest.h>

#include "ADMBasic.h"
#include "AIPreference.h"
#include "SuiteRegistry.h"
#include "adm/DialogManager.h"
#include "adm/PreferenceStore.h"

namespace {

TEST(ActiveComponents, SuitesFollowTheLatestLiveComponent) {
    standin::Resources resources(PLOTWISE_SOURCE_DIR "/tests/host/adm/resources");
    standin::SuiteRegistry registry;
    standin::DialogManager outer(resources);
    outer.registerSuites(registry);
    const void* p = nullptr;
    ASSERT_EQ(registry.acquire(kADMBasicSuite, kADMBasicSuiteVersion, &p), kNoErr);
    const auto* basic = static_cast<const ADMBasicSuite*>(p);

    basic->MessageAlert("outer");
    auto inner = std::make_unique<standin::DialogManager>(resources);
    inner->activate();
    basic->MessageAlert("inner");
    auto third = std::make_unique<standin::DialogManager>(resources);
    third->activate();
    inner.reset();  // out of order: the third stays current
    basic->MessageAlert("third");
    third.reset();
    basic->MessageAlert("outer again");
    ASSERT_EQ(outer.alerts().size(), 2u);
    EXPECT_EQ(outer.alerts()[1].text, "outer again");

    // With no live component the suites answer harmlessly.
    standin::SuiteRegistry prefRegistry;
    {
        standin::PreferenceStore store(PLOTWISE_SOURCE_DIR "/tests/host/adm/none.json");
        store.registerSuites(prefRegistry);
    }
    ASSERT_EQ(prefRegistry.acquire(kAIPreferenceSuite, kAIPreferenceSuiteVersion, &p), kNoErr);
    const auto* prefs = static_cast<const AIPreferenceSuite*>(p);
    int32_t v = 4;
    EXPECT_EQ(prefs->GetIntegerPreference("P", "k", &v), kNoErr);
    EXPECT_EQ(v, 4);
    EXPECT_NE(prefs->PutIntegerPreference("P", "k", 1), kNoErr);
}

}  // namespace
