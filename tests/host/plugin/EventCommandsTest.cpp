// Session scripts that play plug-in events: gestures, menus, ticks and undo reach the test
// plug-in, alerts are printed in order with the script line, answers are queued, and a
// bad event command fails with the reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "Commands.h"
#include "ADMTypes.h"
#include "AINotifier.h"
#include "EventCommands.h"
#include "Session.h"
#include "TestPlugin.h"

using namespace plotwise::app;

namespace {

// The test plug-in opens its panel at start-up from the tests' own resources.
const char* kPluginResources = PLOTWISE_SOURCE_DIR "/tests/host/plugin/resources";

struct Played {
    std::ostringstream out, errors;
    CommandTable table;
    Session session{out};
    int failures = 0;

    explicit Played(std::filesystem::path resources = kPluginResources) {
        session.eventOptions.resourceDir = std::move(resources);
        addDocumentCommands(table);
        addEventCommands(table);
        testPluginTranscript().clear();
        session.events().load(TestPluginMain, "Test");
        session.events().startup();
    }
    Played& play(const std::string& script) {
        ScriptRunner runner(table, session, errors);
        failures = runner.runText(script, "t.pws");
        return *this;
    }
    int count(const std::string& rec) {
        int n = 0;
        for (const auto& r : testPluginTranscript()) n += r == rec;
        return n;
    }
};

TEST(EventCommands, GesturesMenusTicksAndUndoReachThePlugin) {
    Played run;
    run.play(R"(
new 400 300
tool "Test Line"
down 10 10 shift command
drag 20 20
drag 30 40 option
up 30 40
expect count type=path == 1
menu "Test Start Timer"
ticks 20
expect-messages "AI Timer/AI Go" == 2
undo
expect count type=path == 0
)");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    EXPECT_EQ(run.count("AI Tool/AI Mouse Down Test Line 10,10 300"), 1);
    EXPECT_EQ(run.count("AI Tool/AI Mouse Drag Test Line 30,40 800"), 1);
    EXPECT_EQ(run.count(std::string("AI Notifier/AI Notify ") + kAIAfterUndoNotifier), 1);
    EXPECT_EQ(run.count(std::string("AI Notifier/AI Notify ") + kAIAfterNewNotifier), 0);  // not registered
    EXPECT_EQ(run.count(std::string("AI Notifier/AI Notify ") + kAICurrentDocumentChangedNotifier), 1);
}

TEST(EventCommands, SvgCarriesTheAnnotatorsLastDrawing) {
    ScratchFolder scratch;
    const std::filesystem::path file = scratch.path("annotations.svg");
    Played run;
    run.play("new 400 300\ntool \"Test Line\"\ndown 10 10\ndrag 40 50\nup 40 50\nsvg \"" + file.string() +
             "\" selection annotations\n");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    std::ifstream in(file);
    const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t group = svg.find("<g id=\"annotations\"");
    ASSERT_NE(group, std::string::npos);
    EXPECT_NE(svg.find("<line x1=\"322\" y1=\"524\" x2=\"352\" y2=\"484\" stroke=\"#ff0000\"", group), std::string::npos);
    EXPECT_NE(svg.find(">end</text>", group), std::string::npos);
    EXPECT_LT(group, svg.rfind("</svg>"));
}

TEST(EventCommands, AlertsArePrintedInOrderAndAnswered) {
    Played run;
    run.play(R"(
new
answer alert no
menu "Test Alert"
menu "Test Alert"
)");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    EXPECT_EQ(run.out.str(),
              "t.pws:4: alert: Careful: \xC3\xA9tude\n"
              "t.pws:4: alert: Go on?\n"
              "t.pws:5: alert: Careful: \xC3\xA9tude\n"
              "t.pws:5: alert: Go on?\n");
    EXPECT_EQ(run.count("answer 0"), 1);  // the queued answer
    EXPECT_EQ(run.count("answer 1"), 1);  // then the first button: yes
}

TEST(EventCommands, DumpListsEachPluginsRegistrationsUntilShutDown) {
    Played run;
    run.play("dump\nexpect menus == 6\nexpect notifiers == 10\n");  // no document: the plug-ins alone
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    std::string out = run.out.str();
    EXPECT_EQ(out.find("document "), std::string::npos) << out;
    for (const char* line : {"plug-in 0 \"Test\"\n",
                             "  tool \"testLine\" \"Test Line\" group ",
                             "  tool \"testOther\" \"Test Other\" group ",
                             "  menu \"testCommand\" \"Test Command\" in \"Object Utilities\" enabled\n",
                             "  notifier \"Test Broadcast Notifier\" \"Test Broadcast Notifier\"\n",
                             "  timer \"testTimer\" period 10 inactive\n",
                             "  annotator \"testAnnotator\"\n",
                             "  suite \"Test Plugin Suite\" version 1 internal 1\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line << " missing from\n" << out;

    run.out.str("");
    run.play("new 200 100\nmenu \"Test Start Timer\"\ndump\n");
    out = run.out.str();
    EXPECT_LT(out.find("document "), out.find("plug-in 0")) << out;  // the document first
    EXPECT_NE(out.find("  timer \"testTimer\" period 10 active\n"), std::string::npos) << out;

    // Shut down, the plug-in stays listed but holds nothing.
    run.out.str("");
    run.play("shutdown\nexpect menus == 0\nexpect notifiers == 0\ndump\n");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    out = run.out.str();
    EXPECT_NE(out.find("plug-in 0 \"Test\"\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("  menu "), std::string::npos) << out;
    EXPECT_EQ(out.find("  notifier "), std::string::npos) << out;
}

TEST(EventCommands, BadEventCommandsFailWithTheReason) {
    Played run;
    run.play("new\ndrag 1 2\n");
    EXPECT_NE(run.errors.str().find("t.pws:2: drag: drag without mouse down"), std::string::npos) << run.errors.str();

    Played menus;
    menus.play("new\nmenu \"Nothing Like It\"\n");
    EXPECT_NE(menus.errors.str().find("t.pws:2: menu: no menu item \"Nothing Like It\""), std::string::npos)
        << menus.errors.str();

    Played mods;
    mods.play("new\ntool \"Test Line\"\ndown 1 2 hyper\n");
    EXPECT_NE(mods.errors.str().find("unknown modifier \"hyper\""), std::string::npos) << mods.errors.str();

    Played held;
    held.play("new\nline 0 0 10 10\ntool \"Test Line\"\ndown 1 2\nselect all\n");
    EXPECT_NE(held.errors.str().find("t.pws:5: select: the mouse button is held (release it with up first)"),
              std::string::npos)
        << held.errors.str();

    Played refused;
    refused.play("new\nmenu \"Test Refused\"\n");
    EXPECT_NE(refused.errors.str().find("'STOP'"), std::string::npos) << refused.errors.str();

    Played load;
    load.play("load /no/such/plugin.so\n");
    EXPECT_NE(load.errors.str().find("t.pws:1: load: cannot load plug-in '/no/such/plugin.so'"), std::string::npos)
        << load.errors.str();

    Played timeWarp;
    timeWarp.play("ticks -5\nanswer alert maybe\npanel \"Nowhere\" press 1\n");
    EXPECT_EQ(timeWarp.failures, 1);  // the first error stops the script
    EXPECT_NE(timeWarp.errors.str().find("negative"), std::string::npos) << timeWarp.errors.str();
}

TEST(EventCommands, PanelActionsReachThePluginOnceAsUserChanges) {
    Played run;
    run.play(R"(
new
expect-messages "AI Notifier/AI Notify" == 2
panel "Test Panel" set 3 "fifty" value 4 1 pick 5 2
panel "Test Panel" press 6
expect-messages "AI Notifier/AI Notify" == 6
)");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    const std::string user = std::string(" ") + kADMUserChangedNotifier;
    std::vector<std::string> seen;
    for (const auto& r : testPluginTranscript())
        if (r.rfind("Test Panel/", 0) == 0) seen.push_back(r);
    const std::vector<std::string> expected{"Test Panel/3" + user + " fifty", "Test Panel/4" + user + " on",
                                            "Test Panel/5" + user + " 2", "Test Panel/6" + user};
    EXPECT_EQ(seen, expected);  // once each (each broadcast once); the button's reset is silent

    Played missing;
    missing.play("new\npanel \"Test Panel\" press 99\n");
    EXPECT_EQ(missing.failures, 1) << missing.errors.str();
}

TEST(EventCommands, PanelsAreReadAsTheUserReadsThemAndMovedAcrossARestart) {
    Played run;
    run.play(R"(
panel "Test Panel" set 3 "fifty" pick 5 1
expect panel "Test Panel" 3 text == "fifty"
expect panel "Test Panel" 4 value == 0
expect panel "Test Panel" 5 value == 1
expect panel "Test Panel" 5 text == "Centre"
expect panel "Test Panel" 6 enabled == true
expect panel "Test Panel" 3 known == true
expect panel "Test Panel" 3 text == "sixty"
panel "Test Panel" move 10 20 collapse
expect panel "Test Panel" left == 10
expect panel "Test Panel" top == 20
expect panel "Test Panel" collapsed == true
restart
expect-messages "SP Interface/Startup" == 2
expect panel "Test Panel" 3 text == "start"
)");
    EXPECT_EQ(run.failures, 1) << run.errors.str();
    EXPECT_NE(run.errors.str().find("t.pws:9: expectation failed: panel \"Test Panel\" 3 text == \"sixty\" (found \"fifty\")"),
              std::string::npos)
        << run.errors.str();
    // What the panel said of its placement as the host quit, before the restart.
    EXPECT_EQ(run.count("Test Panel/placement 10,20 " kTestPanelGroup " " + std::to_string(kTestPanelCode) +
                        " collapsed 1"),
              1);

    Played wrong;
    wrong.play("expect panel \"Nowhere\" 3 text == \"x\"\n");
    EXPECT_NE(wrong.errors.str().find("no open panel \"Nowhere\""), std::string::npos) << wrong.errors.str();
    Played unknown;
    unknown.play("expect panel \"Test Panel\" 3 colour == 1\n");
    EXPECT_NE(unknown.errors.str().find("expected text, value, enabled or known"), std::string::npos)
        << unknown.errors.str();
    Played noItem;
    noItem.play("expect panel \"Test Panel\" 42 enabled == true\n");
    EXPECT_NE(noItem.errors.str().find("no item 42"), std::string::npos) << noItem.errors.str();
}

TEST(EventCommands, PreferenceEditsWaitForTheRestart) {
    Played run;
    run.play(R"(
preference "Plotwise Test" Count integer 5
preference "Plotwise Test" Size real 2.5
preference "Plotwise Test" Shown boolean true
preference "Plotwise Test" Face string "DejaVu Serif"
)");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    auto& store = run.session.events().preferences();
    EXPECT_FALSE(store.has("Plotwise Test", "Count"));  // the program is still running
    run.play("restart\n");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    int32_t count = 0;
    AIReal size = 0;
    AIBoolean shown = false;
    char face[64] = {};
    EXPECT_EQ(store.getInteger("Plotwise Test", "Count", &count), kNoErr);
    EXPECT_EQ(store.getReal("Plotwise Test", "Size", &size), kNoErr);
    EXPECT_EQ(store.getBoolean("Plotwise Test", "Shown", &shown), kNoErr);
    EXPECT_EQ(store.getString("Plotwise Test", "Face", face, sizeof face), kNoErr);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(size, 2.5f);
    EXPECT_TRUE(shown);
    EXPECT_STREQ(face, "DejaVu Serif");
    // A later restart makes no edit twice: a value set since stays.
    store.putInteger("Plotwise Test", "Count", 7);
    run.play("restart\n");
    EXPECT_EQ(store.getInteger("Plotwise Test", "Count", &count), kNoErr);
    EXPECT_EQ(count, 7);

    for (const char* bad : {"preference P K colour 1\n", "preference P K boolean yes\n", "preference P K integer\n",
                            "preference \"\" K integer 1\n"}) {
        Played wrong;
        wrong.play(bad);
        EXPECT_EQ(wrong.failures, 1) << bad;
    }
}

TEST(EventCommands, AnswersNeedADialogNameAndWellFormedActions) {
    // Answers no dialog or alert took are reported where they were given, once the script
    // has played to its end.
    Played run;
    run.play("answer \"CADRect\" set 4 \"100 mm\" value 6 2.5 pick 7 1 press 1\nanswer alert yes\n");
    EXPECT_EQ(run.session.events().dialogs().pendingModalAnswers(), 1u);
    EXPECT_EQ(run.failures, 2);
    EXPECT_EQ(run.errors.str(), "t.pws:1: answer: no dialog \"CADRect\" opened to take this answer\n"
                                "t.pws:2: answer: no alert was shown to take this answer\n");

    Played bad;
    bad.play("answer \"CADRect\" set 4\n");
    EXPECT_NE(bad.errors.str().find("missing its values"), std::string::npos) << bad.errors.str();
    Played unknown;
    unknown.play("answer \"CADRect\" twiddle 4\n");
    EXPECT_NE(unknown.errors.str().find("unknown action \"twiddle\""), std::string::npos) << unknown.errors.str();
}

}  // namespace

namespace {

// The host notifications the test plug-in heard while `script` played, in order.
std::vector<std::string> heardDuring(Played& run, const std::string& script) {
    testPluginTranscript().clear();
    run.play(script);
    const std::string prefix = "AI Notifier/AI Notify ";
    std::vector<std::string> types;
    for (const auto& r : testPluginTranscript())
        if (r.rfind(prefix, 0) == 0) types.push_back(r.substr(prefix.size()));
    return types;
}

using Heard = std::vector<std::string>;

TEST(EventCommands, EditsOfTheSelectionSendWhatAHostSends) {
    Played run;
    run.play("new\nrect 10 10 50 50\npath 0 0 100 0 100 100\n");  // art 4 and 5
    ASSERT_EQ(run.failures, 0) << run.errors.str();
    EXPECT_EQ(heardDuring(run, "select 4\n"), Heard{kAIArtSelectionChangedNotifier});
    // The selection is the same art, changed: the host says so, and that the document changed.
    EXPECT_EQ(heardDuring(run, "translate 5 5\n"), (Heard{kAIArtSelectionChangedNotifier, kAIDocumentChangedNotifier}));
    EXPECT_EQ(heardDuring(run, "select 5/2\ntranslate 0 -5\n"),
              (Heard{kAIArtSelectionChangedNotifier, kAIArtSelectionChangedNotifier, kAIDocumentChangedNotifier}));
    EXPECT_EQ(heardDuring(run, "select 4\ncopy\n"), Heard{kAIArtSelectionChangedNotifier});  // copy changes nothing
    // The pasted copies are the new selection, told before the after-paste notification.
    EXPECT_EQ(heardDuring(run, "paste\n"), (Heard{kAIBeforePasteNotifier, kAIArtSelectionChangedNotifier,
                                                  kAIAfterPasteNotifier, kAIDocumentChangedNotifier}));
    EXPECT_EQ(heardDuring(run, "delete\n"), (Heard{kAIArtSelectionChangedNotifier, kAIDocumentChangedNotifier}));
    EXPECT_EQ(heardDuring(run, "undo\n"), (Heard{kAIArtSelectionChangedNotifier, kAIAfterUndoNotifier}));
    ASSERT_EQ(run.failures, 0) << run.errors.str();

    // A paste that cannot happen is announced to nobody; nor is a move of nothing.
    EXPECT_EQ(heardDuring(run, "layer lock \"Layer 1\"\npaste\n"), Heard{});
    EXPECT_EQ(run.failures, 1);
    EXPECT_EQ(heardDuring(run, "layer unlock \"Layer 1\"\nselect none\ntranslate 1 1\n"),
              Heard{kAIArtSelectionChangedNotifier});
    EXPECT_EQ(run.failures, 1);
}

}  // namespace
