// The host owns the dialog manager, resources, preference store and workspaces, and the
// plug-in reaches them through the basic suite; a later host takes over the suites and
// hands them back when it goes.
#include <gtest/gtest.h>

#include "ADMBasic.h"
#include "ADMDialog.h"
#include "AIPreference.h"
#include "AIWorkspace.h"
#include "Host.h"

namespace {

template <typename S>
const S* acquire(standin::Host& host, const char* name, int32_t version) {
    const void* p = nullptr;
    if (host.basicSuite()->AcquireSuite(name, version, &p) != kNoErr) return nullptr;
    return static_cast<const S*>(p);
}

TEST(HostWiring, SuitesReachTheHostsOwnComponents) {
    standin::Host host;
    host.resources().setDir(PLOTWISE_SOURCE_DIR "/tests/adm/resources");
    const auto* basic = acquire<ADMBasicSuite>(host, kADMBasicSuite, kADMBasicSuiteVersion);
    const auto* prefs = acquire<AIPreferenceSuite>(host, kAIPreferenceSuite, kAIPreferenceSuiteVersion);
    ASSERT_NE(basic, nullptr);
    ASSERT_NE(prefs, nullptr);
    ASSERT_NE(acquire<ADMDialogSuite>(host, kADMDialogSuite, kADMDialogSuiteVersion), nullptr);
    ASSERT_NE(acquire<AIWorkspaceSuite>(host, kAIWorkspaceSuite, kAIWorkspaceSuiteVersion), nullptr);

    char buf[32];
    EXPECT_EQ(basic->GetIndexString(nullptr, 17000, 1, buf, sizeof buf), kNoErr);
    EXPECT_STREQ(buf, "First message");
    basic->MessageAlert("outer");
    {
        standin::Host inner;
        basic->MessageAlert("inner");
        EXPECT_EQ(inner.dialogs().alerts().size(), 1u);
    }
    basic->MessageAlert("outer again");  // the outer host has its suites back
    ASSERT_EQ(host.dialogs().alerts().size(), 2u);
    EXPECT_EQ(host.dialogs().alerts()[1].text, "outer again");

    prefs->PutIntegerPreference("P", "k", 3);
    int32_t v = 0;
    host.preferences().getInteger("P", "k", &v);
    EXPECT_EQ(v, 3);
    host.basicSuite()->ReleaseSuite(kADMBasicSuite, kADMBasicSuiteVersion);
    host.basicSuite()->ReleaseSuite(kAIPreferenceSuite, kAIPreferenceSuiteVersion);
    host.basicSuite()->ReleaseSuite(kADMDialogSuite, kADMDialogSuiteVersion);
    host.basicSuite()->ReleaseSuite(kAIWorkspaceSuite, kAIWorkspaceSuiteVersion);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

}  // namespace
