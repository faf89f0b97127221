// Session scripts end to end: commands change the front document, expectations check it,
// and every failure is reported as FILE:LINE: message with the run counted as failed.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "Commands.h"
#include "Session.h"
#include "io/DocumentFile.h"

using namespace plotwise::app;

namespace {

struct Played {
    std::ostringstream out, errors;
    CommandTable table;
    Session session{out};
    int failures = 0;

    Played() { addDocumentCommands(table); }
    Played& play(const std::string& script, const std::string& name = "test.pws") {
        ScriptRunner runner(table, session, errors);
        failures = runner.runText(script, name);
        return *this;
    }
};

}  // namespace

TEST(SessionScript, DrawsAndChecksAPart) {
    Played run;
    run.play(R"(
new 400 300
layer add "Outline"
rect 50 50 300 200
ellipse 100 100 40 40
ellipse 260 100 40 40
layer add "Centre lines"
path 80 120 140 120
path 50 50 350 50 350 250 closed
line 0 0 10 10
expect layers == 3
expect count == 6
expect count type=path layer="Outline" == 3
expect count type=path layer="Centre lines" == 3
expect current-layer == "Centre lines"
layer current "Outline"
expect current-layer == "Outline"
select all
expect count selected == 6
select none
expect count selected == 0
)");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    EXPECT_EQ(run.errors.str(), "");
}

TEST(SessionScript, UndoAndRedoTakeWholeCommands) {
    Played run;
    run.play(R"(
new
rect 0 0 10 10
path 0 0 5 5 9 0 closed
expect count type=path == 2
undo
expect count == 1
undo
expect count == 0
redo
expect count == 1
layer add "Second"
undo
expect layers == 1
)");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
}

TEST(SessionScript, ErrorsCarryFileAndLine) {
    Played run;
    run.play("new\n# a comment\nfrobnicate 1 2\nrect 1 2 3 4\n", "part.pws");
    EXPECT_EQ(run.failures, 1);
    EXPECT_EQ(run.errors.str(), "part.pws:3: unknown command \"frobnicate\"\n");
    // The failed command stopped the script: the rectangle was never drawn.
    EXPECT_EQ(run.session.document().matching([](const standin::Art&) { return true; }).size(), 0u);
}

TEST(SessionScript, FailedExpectationsAreAllReportedAndTheScriptGoesOn) {
    Played run;
    run.play("new\nrect 0 0 10 10\nexpect count == 2\nexpect layers != 1\nrect 5 5 1 1\nexpect count type=path == 2\n");
    EXPECT_EQ(run.failures, 2);
    EXPECT_EQ(run.errors.str(),
              "test.pws:3: expectation failed: count == 2 (found 1)\n"
              "test.pws:4: expectation failed: layers != 1 (found 1)\n");
}

TEST(SessionScript, BadArgumentsAreReportedWhereTheyAre) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"rect 1 2 x 4", "rect: the width must be a number, not \"x\""},
        {"rect 1 2 3", "rect: expected 4 arguments, got 3"},
        {"rect 1 2 -3 4", "rect: the width must be greater than 0"},
        {"path 1 2 3", "path: expected pairs of coordinates"},
        {"layer add \"unterminated", "unterminated quoted string"},
        {"layer current \"Nope\"", "layer current: no layer titled \"Nope\""},
        {"layer paint \"Layer 1\"", "layer: unknown subcommand \"paint\""},
        {"select 99999", "select: no art with id 99999"},
        {"redo", "redo: nothing to redo"},
        {"open /no/such/file.json", "open: /no/such/file.json: cannot open the file"},
        {"expect count type=spline == 1", "unknown type \"spline\""},
        {"expect count =< 1", "unknown filter \"=<\""},
        {"expect entry document ZA3_Version", "expected TARGET KEY/KEY... OP VALUE"},
        {"expect text 1 < \"a\"", "texts compare only with == or !="},
        {"layer add \"\xE4\xB8\x80\"", "cannot hold"},
    };
    for (const auto& c : cases) {
        Played run;
        run.play(std::string("new\n") + c.line + "\n");
        EXPECT_EQ(run.failures, 1) << c.line;
        const std::string errors = run.errors.str();
        EXPECT_EQ(errors.rfind("test.pws:2: ", 0), 0u) << c.line << " -> " << errors;
        EXPECT_NE(errors.find(c.message), std::string::npos) << c.line << " -> " << errors;
    }
}

TEST(SessionScript, NoDocumentIsAnError) {
    Played run;
    run.play("rect 1 1 2 2\n");
    EXPECT_EQ(run.errors.str(), "test.pws:1: no document is open (use new or open first)\n");
}

TEST(SessionScript, EntriesAndTextsOfTheDocument) {
    Played run;
    run.play("new\nrect 0 0 10 10\n");
    standin::Document& doc = run.session.document();
    const auto art = doc.matching([](const standin::Art&) { return true; });
    ASSERT_EQ(art.size(), 1u);
    const standin::ObjId rect = art[0];
    const standin::ObjId sub = doc.newDict();
    doc.editDict(sub)->set("ZA3_Attr_units", int32_t(3));
    doc.editDict(sub)->set("ZA3_Attr_label", std::string("5 \xB1 mm"));
    doc.editDict(sub)->set("ZA3_Attr_size", AIReal(0.1f));
    doc.editDict(sub)->set("ZA3_Attr_on", true);
    doc.editDict(doc.dictionaryOf(rect))->set("ZA3_Dimension", standin::DictLink{sub});
    doc.editDict(doc.dictionaryOf(0))->set("ZA3_Version", int32_t(700));
    standin::ObjId text = 0;
    ASSERT_EQ(doc.newArt(kTextFrameArt, kPlaceAboveAll, 0, &text), kNoErr);
    standin::text::TextRun run1;
    run1.text = "25 mm\r2";
    doc.editArt(text)->story.runs = {run1};
    const std::string r = std::to_string(rect), t = std::to_string(text);
    run.play("expect entry " + r + " ZA3_Dimension/ZA3_Attr_units == 3\n" +
             "expect entry " + r + " ZA3_Dimension/ZA3_Attr_units >= 2\n" +
             "expect entry " + r + " ZA3_Dimension/ZA3_Attr_label == \"5 ± mm\"\n" +
             "expect entry " + r + " ZA3_Dimension/ZA3_Attr_size == 0.1\n" +
             "expect entry " + r + " ZA3_Dimension/ZA3_Attr_on == true\n" +
             "expect entry " + r + " ZA3_Dimension exists\n" +
             "expect entry " + r + " ZA3_Dimension/nothing missing\n" +
             "expect entry document ZA3_Version == 700\n" +
             "expect count key=ZA3_Dimension/ZA3_Attr_units == 1\n" +
             "expect count type=text text=\"25 mm\\n2\" == 1\n" +
             "expect text " + t + " == \"25 mm\\n2\"\n" +
             "expect entry " + r + " ZA3_Dimension/ZA3_Attr_units == 4\n");
    EXPECT_EQ(run.failures, 1);
    EXPECT_EQ(run.errors.str(), "test.pws:12: expectation failed: entry " + r +
                                    " ZA3_Dimension/ZA3_Attr_units == 4 (found int 3)\n");
}

TEST(SessionScript, SaveOpenAndDump) {
    const std::string path = testing::TempDir() + "session.json";
    Played run;
    run.play("new 300 200\nlayer add \"Part\"\nrect 10 10 20 20\nsave \"" + path + "\"\nopen \"" + path +
             "\"\nexpect documents == 2\nexpect count == 1\nexpect current-layer == \"Part\"\ndump\n");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    const std::string dump = run.out.str();
    EXPECT_NE(dump.find("page 300 x 200"), std::string::npos) << dump;
    EXPECT_NE(dump.find("layer "), std::string::npos);
    EXPECT_NE(dump.find("\"Part\" visible editable"), std::string::npos);
    EXPECT_NE(dump.find("bounds 10 10 30 30 closed, 4 anchors"), std::string::npos) << dump;
    EXPECT_NE(dump.find("anchor 0: "), std::string::npos);
    std::remove(path.c_str());
}

TEST(SessionScript, PaintIsWhatNewArtGets) {
    Played run;
    run.play("new\npaint fill rgb 1 0 0\npaint stroke gray 0.5 width 0.25 dash 6 2 cap round join bevel\nrect 0 0 10 10\n"
             "paint stroke none\nline 0 0 5 5\nundo\nundo\n");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    standin::Document& doc = run.session.document();
    const auto art = doc.matching([](const standin::Art&) { return true; });
    ASSERT_EQ(art.size(), 1u);
    const AIPathStyle& s = doc.art(art[0])->style;
    EXPECT_TRUE(s.fillPaint);
    EXPECT_EQ(s.fill.color.kind, kThreeColor);
    EXPECT_EQ(s.fill.color.c.rgb.red, 1.0f);
    EXPECT_TRUE(s.strokePaint);
    EXPECT_EQ(s.stroke.color.c.g.gray, 0.5f);
    EXPECT_EQ(s.stroke.width, 0.25f);
    EXPECT_EQ(s.stroke.dash.length, 2);
    EXPECT_EQ(s.stroke.dash.array[1], 2.0f);
    EXPECT_EQ(s.stroke.cap, kAIRoundCap);
    EXPECT_EQ(s.stroke.join, kAIBevelJoin);
    // Undoing the line and the paint change restores the stroke the rectangle got.
    EXPECT_TRUE(doc.state().pathStyle.strokePaint);

    for (const char* bad : {"paint fill", "paint fill gray 2", "paint fill rgb 1 0", "paint stroke gray 1 dash",
                            "paint stroke gray 1 dash 1 2 3 4 5 6 7", "paint stroke gray 1 width -1",
                            "paint fill none width 2", "paint stroke gray 1 cap pointy", "paint edge none"}) {
        Played again;
        again.play(std::string("new\n") + bad + "\n");
        EXPECT_EQ(again.failures, 1) << bad;
        EXPECT_EQ(again.errors.str().rfind("test.pws:2: paint", 0), 0u) << bad << " -> " << again.errors.str();
    }
}

TEST(SessionScript, LayerScalesAreCheckedAndDumped) {
    Played run;
    run.play("new\nlayer add \"Plan\"\nlayer add \"Detail\"\n");
    standin::Document& doc = run.session.document();
    standin::Dict* plan = doc.editDict(doc.dictionaryOf(doc.layerByTitle("Plan")));
    plan->set("ZA3_ScaleID", int32_t(15));
    plan->set("ZA3_Scaler", AIReal(48));
    plan->set("ZA3_ScaleStr", std::string("1/4\" = 1'-0\""));
    run.play(R"(expect scale "Plan" == "1/4\" = 1'-0\""
expect scale "Plan" id == 15
expect scale "Plan" scaler == 48
expect scale "Plan" scaler > 10
expect scale "Plan" != "1:1"
expect scale "Plan" == "1:50"
expect scale "Plan" scaler < 1
expect scale "Detail" == "1:1"
expect scale "Nowhere" id == 33
dump
)");
    EXPECT_EQ(run.failures, 4);
    EXPECT_EQ(run.errors.str(),
              "test.pws:6: expectation failed: scale \"Plan\" == \"1:50\" (found \"1/4\" = 1'-0\"\")\n"
              "test.pws:7: expectation failed: scale \"Plan\" scaler < 1 (found real 48)\n"
              "test.pws:8: expectation failed: scale \"Detail\" == \"1:1\" (found no scale label stored on the layer)\n"
              "test.pws:9: expectation failed: scale \"Nowhere\" id == 33 (found no such layer)\n");
    const std::string dump = run.out.str();
    EXPECT_NE(dump.find("\"Plan\" visible editable printed preview color 0 0 65535 scale 15 48 \"1/4\\\" = 1'-0\\\"\""),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("\"Detail\" visible editable printed preview color 0 0 65535\n"), std::string::npos) << dump;

    run.play("expect scale \"Plan\" <= \"x\"\n");
    EXPECT_NE(run.errors.str().find("labels compare only with == or !="), std::string::npos) << run.errors.str();
}
