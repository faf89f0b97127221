// The session seen from the test plug-in: the messages of a whole session in order,
// notifications after the handler that raised them, timers, unload and reload, start-up
// failures, menus, annotations and balanced suite acquisitions.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "AIAnnotator.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AITimer.h"
#include "AITool.h"
#include "Host.h"
#include "TestPlugin.h"
#include "plugin/PluginDriver.h"

using namespace standin;

namespace {

class PluginDriverTest : public ::testing::Test {
protected:
    void SetUp() override { testPluginTranscript().clear(); }

    const std::vector<std::string>& transcript() { return testPluginTranscript(); }

    long indexOf(const std::string& rec, size_t from = 0) {
        const auto& t = transcript();
        for (size_t i = from; i < t.size(); ++i)
            if (t[i] == rec) return long(i);
        return -1;
    }
    int countOf(const std::string& rec) {
        return int(std::count(transcript().begin(), transcript().end(), rec));
    }
    size_t paths(Document& d) {
        return d.matching([](const Art& a) { return a.type == kPathArt; }).size();
    }

    Host host;
    PluginDriver session{host};
};

const std::string kSelChanged = std::string("AI Notifier/AI Notify ") + kAIArtSelectionChangedNotifier;
const std::string kBroadcast = std::string("AI Notifier/AI Notify ") + kTestBroadcastNotifier;
const std::string kTimerGo = "AI Timer/AI Go testTimer";

TEST_F(PluginDriverTest, WholeSessionArrivesInOrder) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    session.newDocument();
    ASSERT_EQ(session.selectTool(kTestLineTool), kNoErr);
    ASSERT_EQ(session.mouseDown({10, 10}, aiEventModifiers_Shift), kNoErr);
    ASSERT_EQ(session.mouseDrag({50, 60}), kNoErr);
    ASSERT_EQ(session.mouseDrag({70, 80}, aiEventModifiers_Option), kNoErr);
    ASSERT_EQ(session.mouseUp({70, 80}, aiEventModifiers_Command), kNoErr);
    ASSERT_EQ(session.menu(kTestCommandMenu), kNoErr);
    ASSERT_EQ(session.menu(kTestTimerMenu), kNoErr);
    session.ticks(35);
    ASSERT_EQ(session.shutdown(), kNoErr);

    const std::vector<std::string> expected = {
        "SP Interface/Startup",
        std::string("AI Notifier/AI Notify ") + kAIApplicationStartedNotifier,
        std::string("AI Notifier/AI Notify ") + kAICurrentDocumentChangedNotifier,
        "AI Tool/AI Select Test Line 0,0 0",
        "AI Tool/AI Mouse Down Test Line 10,10 200",
        "AI Tool/AI Mouse Drag Test Line 50,60 0",
        "AI Annotation/AI Draw",
        "AI Tool/AI Mouse Drag Test Line 70,80 800",
        "AI Annotation/AI Draw",
        "AI Tool/AI Mouse Up Test Line 70,80 100",
        kSelChanged,  // the host's own notification comes first
        kBroadcast,
        "AI Menu/AI Update testCommand",
        "AI Menu/AI Go testCommand",
        kBroadcast + " 1",
        kBroadcast + " 2",
        "AI Menu/AI Go testTimer",
        kTimerGo,
        kTimerGo,
        kTimerGo,
        std::string("AI Notifier/AI Notify ") + kAIApplicationShutdownNotifier,
        "SP Interface/Shutdown",
    };
    EXPECT_EQ(transcript(), expected);

    // "SP Properties" is sent before start-up and accepted.
    ASSERT_GE(session.sent().size(), 2u);
    EXPECT_EQ(session.sent()[0].caller, kSPPropertiesCaller);
    EXPECT_EQ(session.sent()[1].selector, kSPInterfaceStartupSelector);
}

TEST_F(PluginDriverTest, DragsUndoThePreviousDragAndUserUndoTakesTheGesture) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    Document& doc = session.newDocument();
    session.selectTool(kTestLineTool);
    session.mouseDown({10, 10});
    for (int i = 1; i <= 5; ++i) {
        ASSERT_EQ(session.mouseDrag({10.0f + 10 * i, 20.0f}), kNoErr);
        EXPECT_EQ(paths(doc), 1u) << "drag " << i;
    }
    session.mouseUp({60, 20});
    ASSERT_EQ(paths(doc), 1u);
    EXPECT_EQ(doc.selection().size(), 1u);

    ASSERT_TRUE(session.userUndo());
    EXPECT_EQ(paths(doc), 0u);
    EXPECT_EQ(transcript().back(), std::string("AI Notifier/AI Notify ") + kAIAfterUndoNotifier);
    // The selection went with the line: the plug-in hears of it before the undo notice.
    EXPECT_EQ(transcript()[transcript().size() - 2], kSelChanged);
}

TEST_F(PluginDriverTest, NotificationsWaitForTheHandlerAndKeepTheirOrder) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    session.newDocument();
    ASSERT_EQ(session.menu(kTestCommandMenu), kNoErr);
    const long go = indexOf("AI Menu/AI Go testCommand");
    ASSERT_GE(go, 0);
    EXPECT_EQ(indexOf(kBroadcast + " 1"), go + 1);
    EXPECT_EQ(indexOf(kBroadcast + " 2"), go + 2);

    // During a gesture everything waits for the mouse up.
    session.selectTool(kTestLineTool);
    session.mouseDown({0, 0});
    session.notify(kTestBroadcastNotifier);
    session.mouseDrag({5, 5});
    EXPECT_EQ(countOf(kBroadcast), 0);
    session.mouseUp({5, 5});
    EXPECT_EQ(countOf(kBroadcast), 2);  // the host's and the mouse-up handler's

    // A notifier switched off hears nothing; a type nobody registered goes nowhere.
    session.notify("Nobody Listens Notifier");
    EXPECT_EQ(transcript().back(), kBroadcast);
}

// The test plug-in, except that its menu commands throw while gThrowAtMenu is set.
bool gThrowAtMenu = false;
AIErr ThrowingAtMenuMain(const char* caller, const char* selector, void* message) {
    if (gThrowAtMenu && std::strcmp(caller, kCallerAIMenu) == 0 && std::strcmp(selector, kSelectorAIGoMenuItem) == 0)
        throw std::runtime_error("thrown by the command");
    return TestPluginMain(caller, selector, message);
}

TEST_F(PluginDriverTest, AMessageThatThrowsLeavesTheHostOutsideIt) {
    session.load(ThrowingAtMenuMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    session.newDocument();
    gThrowAtMenu = true;
    EXPECT_THROW(session.menu(kTestCommandMenu), std::runtime_error);
    gThrowAtMenu = false;
    EXPECT_FALSE(host.inMessage()) << "the message's undo segment is closed";
    // Out of every message again: what the next command raises is delivered after it.
    ASSERT_EQ(session.menu(kTestCommandMenu), kNoErr);
    EXPECT_EQ(countOf(kBroadcast + " 1"), 1);
    EXPECT_EQ(countOf(kBroadcast + " 2"), 1);
}

TEST_F(PluginDriverTest, TimersFireOncePerPeriodOnlyWhileActive) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    session.newDocument();
    session.ticks(100);  // created inactive
    EXPECT_EQ(countOf(kTimerGo), 0);

    ASSERT_EQ(session.menu(kTestTimerMenu), kNoErr);
    session.ticks(kTestTimerPeriod - 1);
    EXPECT_EQ(countOf(kTimerGo), 0);
    session.ticks(1);
    EXPECT_EQ(countOf(kTimerGo), 1);
    session.ticks(kTestTimerPeriod);
    EXPECT_EQ(countOf(kTimerGo), 2);
    session.ticks(1000);  // the third fire deactivates it
    EXPECT_EQ(countOf(kTimerGo), kTestTimerFires);

    // Never during a gesture: a late timer fires once, after the mouse up.
    testPluginTranscript().clear();
    ASSERT_EQ(session.menu(kTestTimerMenu), kNoErr);
    session.selectTool(kTestLineTool);
    session.mouseDown({0, 0});
    session.ticks(5 * kTestTimerPeriod);
    EXPECT_EQ(countOf(kTimerGo), 0);
    session.mouseUp({0, 0});
    EXPECT_EQ(countOf(kTimerGo), 1);
    EXPECT_LT(indexOf("AI Tool/AI Mouse Up Test Line 0,0 0"), indexOf(kTimerGo));
}

TEST_F(PluginDriverTest, UnloadAndReloadHandTheGlobalsBack) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    void* globals = session.globals(0);
    ASSERT_NE(globals, nullptr);

    ASSERT_EQ(session.unload(0), kNoErr);
    EXPECT_EQ(session.globals(0), globals);
    EXPECT_FALSE(session.isStarted(0));
    EXPECT_NE(session.unload(0), kNoErr);  // already unloaded

    ASSERT_EQ(session.reload(0), kNoErr);
    EXPECT_TRUE(session.isStarted(0));

    // A message for an unloaded plug-in reloads it first.
    ASSERT_EQ(session.unload(0), kNoErr);
    ASSERT_EQ(session.menu(kTestCommandMenu), kNoErr);
    const long reload = indexOf("SP Access/Reload", size_t(indexOf("SP Access/Reload") + 1));
    ASSERT_GE(reload, 0);
    EXPECT_LT(reload, indexOf("AI Menu/AI Update testCommand"));
    EXPECT_EQ(session.globals(0), globals);
    ASSERT_EQ(session.shutdown(), kNoErr);
    EXPECT_EQ(session.globals(0), nullptr);  // the plug-in freed its record
}

TEST_F(PluginDriverTest, SuiteAcquisitionsAreBalancedAfterShutdown) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    EXPECT_GT(host.suites().outstanding(), 0);

    // The published suite can be acquired by others while the plug-in runs.
    const void* procs = nullptr;
    ASSERT_EQ(host.suites().acquire(kTestPluginSuite, kTestPluginSuiteVersion, &procs), kNoErr);
    auto* suite = static_cast<const TestPluginSuite*>(procs);
    EXPECT_EQ(suite->Startups(), 1);
    char first[64];
    ASSERT_EQ(suite->GetRecord(0, first, sizeof first), kNoErr);
    EXPECT_STREQ(first, "SP Interface/Startup");
    char tiny[4];
    ASSERT_EQ(suite->GetRecord(0, tiny, sizeof tiny), kNoErr);  // bounded
    EXPECT_STREQ(tiny, "SP ");
    EXPECT_EQ(suite->GetRecord(100000, first, sizeof first), kOutOfRangeErr);
    ASSERT_EQ(host.suites().release(kTestPluginSuite, kTestPluginSuiteVersion), kNoErr);

    ASSERT_EQ(session.shutdown(), kNoErr);
    EXPECT_EQ(host.suites().outstanding(), 0);
    // The suite went with its plug-in.
    EXPECT_EQ(host.suites().acquire(kTestPluginSuite, kTestPluginSuiteVersion, &procs), kUnknownSuiteErr);
    EXPECT_EQ(session.shutdown(), kNoErr);  // twice is harmless
}

AIErr FailingMain(const char* caller, const char* selector, void* message) {
    if (std::strcmp(caller, kSPPropertiesCaller) == 0) return kNoErr;
    if (std::strcmp(caller, kSPInterfaceCaller) || std::strcmp(selector, kSPInterfaceStartupSelector)) {
        ADD_FAILURE() << "message after a failed start-up: " << caller << "/" << selector;
        return kNoErr;
    }
    auto* m = static_cast<SPInterfaceMessage*>(message);
    const void* procs = nullptr;
    if (m->d.basic->AcquireSuite(kAIToolSuite, kAIToolSuiteVersion, &procs)) return kBadParameterErr;
    auto* tools = static_cast<const AIToolSuite*>(procs);
    AIAddToolData data{"Broken Tool", nullptr, 0, kNoTool, kNoTool};
    AIToolHandle tool = nullptr;
    tools->AddTool(m->d.self, "broken", &data, 0, &tool);
    m->d.basic->ReleaseSuite(kAIToolSuite, kAIToolSuiteVersion);
    return kCanceledErr;
}

TEST_F(PluginDriverTest, FailedStartupWithdrawsThePlugin) {
    session.load(FailingMain, "Broken");
    session.load(TestPluginMain, "Test");
    EXPECT_EQ(session.startup(), kCanceledErr);
    EXPECT_NE(session.lastError().find("Broken"), std::string::npos);
    EXPECT_FALSE(session.isStarted(0));
    EXPECT_TRUE(session.isStarted(1));  // the others start all the same
    EXPECT_NE(session.selectTool("Broken Tool"), kNoErr);
    EXPECT_EQ(session.selectTool(kTestLineTool), kNoErr);
    EXPECT_EQ(session.shutdown(), kNoErr);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

int g_lateStarts = 0;
AIErr LateMain(const char* caller, const char* selector, void* message) {
    auto* d = static_cast<SPMessageData*>(message);
    if (!std::strcmp(caller, kSPInterfaceCaller) && !std::strcmp(selector, kSPInterfaceStartupSelector)) {
        const void* procs = nullptr;
        if (d->basic->AcquireSuite(kAINotifierSuite, kAINotifierSuiteVersion, &procs)) return kBadParameterErr;
        AINotifierHandle n = nullptr;
        static_cast<const AINotifierSuite*>(procs)->AddNotifier(d->self, "late", kAIApplicationStartedNotifier, &n);
        d->basic->ReleaseSuite(kAINotifierSuite, kAINotifierSuiteVersion);
    }
    if (!std::strcmp(caller, kCallerAINotifier)) ++g_lateStarts;
    return kNoErr;
}

TEST_F(PluginDriverTest, APluginStartedLateHearsOfTheStartAlone) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    g_lateStarts = 0;
    session.load(LateMain, "Late");
    ASSERT_EQ(session.startup(), kNoErr);
    EXPECT_EQ(g_lateStarts, 1);
    EXPECT_EQ(countOf(std::string("AI Notifier/AI Notify ") + kAIApplicationStartedNotifier), 1);
    EXPECT_EQ(session.load(nullptr, "Empty"), 2u);
    EXPECT_EQ(session.startup(), kBadParameterErr);  // no entry point: refused, not called
    EXPECT_EQ(session.shutdown(), kNoErr);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST_F(PluginDriverTest, MenusAndToolsReportWhatWentWrong) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    EXPECT_EQ(session.mouseDown({0, 0}), kBadParameterErr);  // no tool yet
    EXPECT_EQ(session.mouseDrag({0, 0}), kBadParameterErr);
    EXPECT_EQ(session.menu("No Such Command"), kBadParameterErr);
    EXPECT_NE(session.lastError().find("No Such Command"), std::string::npos);
    EXPECT_EQ(session.selectTool("No Such Tool"), kBadParameterErr);
    EXPECT_EQ(session.menu(kTestFailMenu), kCanceledErr);  // the handler's answer comes back
    EXPECT_NE(session.lastError().find("'STOP'"), std::string::npos);

    // A disabled item is not sent "AI Go".
    PluginRegistry& reg = session.registry();
    const long item = reg.menuItemByText(kTestTimerMenu);
    ASSERT_GE(item, 0);
    reg.menuItems[size_t(item)].enabled = false;
    testPluginTranscript().clear();
    EXPECT_EQ(session.menu(kTestTimerMenu), kBadParameterErr);
    EXPECT_TRUE(transcript().empty());

    // One toolbox group: Line and Box share a tool set, Other has its own.
    EXPECT_EQ(reg.toolGroups(), 1);
    EXPECT_EQ(reg.toolsets(), 2);
    // Only the host's modifier bits reach the plug-in.
    session.newDocument();
    session.selectTool(kTestBoxTool);
    session.click({1, 2}, 0xFFFFFFFFu);
    EXPECT_GE(indexOf("AI Tool/AI Mouse Down Test Box 1,2 b00"), 0);
}

TEST_F(PluginDriverTest, SuiteCallsRefuseBadHandles) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    const void* p = nullptr;
    ASSERT_EQ(host.suites().acquire(kAIToolSuite, kAIToolSuiteVersion, &p), kNoErr);
    auto* tools = static_cast<const AIToolSuite*>(p);
    const char* name = nullptr;
    EXPECT_EQ(tools->GetToolName(nullptr, &name), kBadParameterErr);
    EXPECT_EQ(tools->GetToolName(reinterpret_cast<AIToolHandle>(0x12345678), &name), kBadParameterErr);
    AIToolHandle first = nullptr;
    ASSERT_EQ(tools->GetNthTool(0, &first), kNoErr);
    // A tool handle is not a timer handle.
    ASSERT_EQ(host.suites().acquire(kAITimerSuite, kAITimerSuiteVersion, &p), kNoErr);
    auto* timers = static_cast<const AITimerSuite*>(p);
    EXPECT_EQ(timers->SetTimerActive(reinterpret_cast<AITimerHandle>(first), true), kBadParameterErr);
    EXPECT_EQ(timers->AddTimer(nullptr, "x", 1, nullptr), kBadParameterErr);
    // Tool registration against a tool number that does not exist.
    SPPluginRef self = regHandle<SPPluginRef>(RegKind::Plugin, 0);
    AIAddToolData data{"Orphan", nullptr, 0, 99, kNoTool};
    AIToolHandle orphan = nullptr;
    EXPECT_EQ(tools->AddTool(self, "orphan", &data, 0, &orphan), kBadParameterErr);
    host.suites().release(kAIToolSuite, kAIToolSuiteVersion);
    host.suites().release(kAITimerSuite, kAITimerSuiteVersion);
}

TEST_F(PluginDriverTest, AnnotatorDrawingIsRecordedAndKept) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    session.newDocument();
    session.selectTool(kTestLineTool);
    session.mouseDown({10, 10});
    session.mouseDrag({50, 60});
    session.mouseUp({50, 60});
    const auto& ops = session.lastAnnotation();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, AnnotationOp::Kind::Line);
    // In view pixels: the view's centre (the page's) is at (512, 384), y down.
    EXPECT_EQ(ops[0].rect.left, 10 - 306 + 512);
    EXPECT_EQ(ops[0].rect.bottom, 396 - 60 + 384);
    EXPECT_EQ(ops[0].color.red, 65535);
    EXPECT_EQ(ops[1].kind, AnnotationOp::Kind::FilledEllipse);
    EXPECT_EQ(ops[2].kind, AnnotationOp::Kind::Text);
    EXPECT_EQ(ops[2].text, "end");

    // The drawer works only inside a draw message.
    const void* p = nullptr;
    ASSERT_EQ(host.suites().acquire(kAIAnnotatorDrawerSuite, kAIAnnotatorDrawerSuiteVersion, &p), kNoErr);
    auto* drawer = static_cast<const AIAnnotatorDrawerSuite*>(p);
    const AIPoint a{0, 0};
    EXPECT_EQ(drawer->DrawLine(PluginRegistry::drawerHandle(), &a, &a), kBadParameterErr);
    host.suites().release(kAIAnnotatorDrawerSuite, kAIAnnotatorDrawerSuiteVersion);
}

TEST_F(PluginDriverTest, WorkspaceAndAboutRequestsReachThePlugin) {
    session.load(TestPluginMain, "Test");
    ASSERT_EQ(session.startup(), kNoErr);
    EXPECT_EQ(session.workspace(kSelectorAIWriteWorkspace, "Tracker"), kNoErr);
    EXPECT_EQ(session.about(0), kNoErr);
    EXPECT_GE(indexOf("Workspace Manager/Write Woskspace"), 0);
    EXPECT_GE(indexOf("SP Interface/About"), 0);
}

}  // namespace

namespace {

TEST(SessionPreferences, ReadBeforeStartupAndWrittenAfterShutdown) {
    ScratchFolder scratch;
    const std::filesystem::path file = scratch.path("session-prefs.json");
    {
        Host host;
        PluginDriverOptions options;
        options.preferencesPath = file;
        PluginDriver session(host, options);
        session.load(TestPluginMain, "Test");
        ASSERT_EQ(session.startup(), kNoErr);
        EXPECT_FALSE(std::filesystem::exists(file));  // nothing written while running
    }  // the session shuts down when it goes
    EXPECT_TRUE(std::filesystem::exists(file));
}

}  // namespace
