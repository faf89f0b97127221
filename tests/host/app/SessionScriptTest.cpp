// Session scripts end to end: commands change the front document, expectations check it,
// and every failure is reported as FILE:LINE: message with the run counted as failed.
#include <filesystem>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "Commands.h"
#include "PlayedScript.h"
#include "Session.h"
#include "io/DocumentFile.h"
#include "ScratchFolder.h"
#include "io/SvgNumbers.h"

using namespace plotwise::app;

namespace {

using Played = PlayedScript;

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
        {"new 612 16384", "new: the height must be at most 16383 points, the largest page the host holds, not 16384"},
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

TEST(SessionScript, ShapesWhoseCornersPassTheLargestCoordinateAreRefused) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"rect 3e38 3e38 3e38 3e38", "rect: the right edge X + W must be a finite number, not inf"},
        {"ellipse 1 3e38 1 3e38", "ellipse: the top edge Y + H must be a finite number, not inf"},
    };
    for (const auto& c : cases) {
        Played run;
        run.play(std::string("new\n") + c.line + "\nexpect count == 0\n");
        EXPECT_EQ(run.errors.str(), std::string("test.pws:2: ") + c.message + "\n") << c.line;
        EXPECT_EQ(run.session.document().matching([](const standin::Art&) { return true; }).size(), 0u);
    }
    // Reaching the far side from the near one is fine; so is a line across the whole plane,
    // and its picture holds only finite numbers.
    const ScratchFolder scratch;
    const std::string svg = scratch.path("far.svg");
    Played run;
    run.play("new\nrect -3e38 -3e38 3e38 3e38\nline -3e38 -3e38 3e38 3e38\nexpect count == 2\nsvg \"" + svg + "\"\n");
    EXPECT_EQ(run.errors.str(), "");
    std::ifstream in(svg);
    std::stringstream picture;
    picture << in.rdbuf();
    EXPECT_NE(picture.str().find("</svg>"), std::string::npos);
    EXPECT_EQ(svgtest::nonFiniteNumbers(picture.str()), std::vector<std::string>{});
}

TEST(SessionScript, MessagesSayWhatWentWrongInWords) {
    Played run;
    run.play("new\nlayer add \"Dims\"\nlayer lock \"Dims\"\nline 0 0 1 1\n");
    EXPECT_EQ(run.errors.str(), "test.pws:4: line: the current layer \"Dims\" is locked (layer unlock \"Dims\" first)\n");
    Played hidden;
    hidden.play("new\nlayer hide \"Layer 1\"\nrect 0 0 1 1\n");
    EXPECT_EQ(hidden.errors.str(),
              "test.pws:3: rect: the current layer \"Layer 1\" is hidden (layer show \"Layer 1\" first)\n");

    Played layer;
    layer.play("new\n");
    const std::string id = std::to_string(layer.session.document().currentLayer());
    layer.play("select " + id + "\n");
    EXPECT_EQ(layer.errors.str(), "test.pws:1: select: " + id +
                                      " is a layer, not art (select takes the ids of art; a layer is chosen with "
                                      "layer current)\n");

    // A NUL byte would cut short every message that quotes the line: it is refused by place.
    Played nul;
    nul.play(std::string("new\nline 0 0 1 1 \0 x\n", 21));
    EXPECT_EQ(nul.errors.str(), "test.pws:2: column 14 holds a NUL byte; a script holds only text\n");
    Played escape;
    escape.play("new\nlayer add \"\x1B[31m\"\n");
    EXPECT_EQ(escape.errors.str(), "test.pws:2: column 12 holds the control character 0x1B; a script holds only text\n");
    // A byte-order mark begins a script as some editors save it; anywhere else it is named.
    Played marked;
    marked.play("\xEF\xBB\xBFnew\nrect 0 0 1 1\n\xEF\xBB\xBFrect 0 0 2 2\n");
    EXPECT_EQ(marked.errors.str(),
              "test.pws:3: column 1 holds an invisible byte-order mark (U+FEFF); only the start of a script may\n");
    EXPECT_EQ(marked.session.document().matching([](const standin::Art&) { return true; }).size(), 1u);

    // What the host refuses is said in words, its code after them.
    EXPECT_EQ(describeError(kStaleHandleErr), "the object no longer exists (error STAL)");
    EXPECT_EQ(describeError('ZZZ\x01'), "the host refused it (error ZZZ?)");
}

TEST(SessionScript, ExpectationsNamingAMissingLayerOrArtFail) {
    Played run;
    run.play("new\nrect 0 0 1 1\n"
             "expect count layer=\"Nope\" == 0\n"
             "expect current-layer != \"Nope\"\n"
             "expect text 9999 != \"x\"\n"
             "expect entry layer=\"Nope\" k missing\n"
             "expect count layer=\"Layer 1\" == 1\n");
    EXPECT_EQ(run.failures, 4);
    EXPECT_EQ(run.errors.str(),
              "test.pws:3: expectation failed: count layer=Nope == 0 (found no layer titled \"Nope\")\n"
              "test.pws:4: expectation failed: current-layer != \"Nope\" (found no layer titled \"Nope\")\n"
              "test.pws:5: expectation failed: text 9999 != \"x\" (found no art with id 9999 in the front document)\n"
              "test.pws:6: expectation failed: entry layer=Nope k missing (found no such layer)\n");
}

TEST(SessionScript, ADocumentHoldsOnlyWhatAScriptCouldHaveMade) {
    // The values a script refuses, a file may not hold either, with the same words.
    const struct {
        const char* script;
        const char* style;
        const char* words;
    } cases[] = {
        {"paint fill gray 5", R"({"fillColor": {"kind": "gray", "value": 5}})", "must lie between 0 and 1, not 5"},
        {"paint stroke gray 1 dash 4 -1", R"({"dash": [4, -1]})", "cannot be negative, not -1"},
        {"paint stroke gray 1 width -2", R"({"width": -2})", "cannot be negative, not -2"},
        {"paint stroke gray 1 cap pointy", R"({"cap": "pointy"})", "unknown value \"pointy\""},
    };
    const ScratchFolder scratch;
    const std::string path = scratch.path("ruled.json");
    for (const auto& c : cases) {
        Played script;
        script.play(std::string("new\n") + c.script + "\n");
        EXPECT_NE(script.errors.str().find(c.words), std::string::npos) << c.script << " -> " << script.errors.str();
        std::ofstream(path) << R"({"format": "plotwise-document", "version": 1, "pathStyle": )" << c.style
                            << R"(, "layers": [{"kind": "layer", "id": 1, "title": "L"}]})";
        Played file;
        file.play("open \"" + path + "\"\n");
        EXPECT_NE(file.errors.str().find(std::string("document.pathStyle.")), std::string::npos) << file.errors.str();
        EXPECT_NE(file.errors.str().find(c.words), std::string::npos) << c.style << " -> " << file.errors.str();
    }
    // A key outside the format is named as the document opens; the script goes on.
    std::ofstream(path) << R"({"format": "plotwise-document", "version": 1, "pathStyle": {}, "note": 1,)"
                        << R"( "layers": [{"kind": "layer", "id": 1, "title": "L"}]})";
    Played warned;
    warned.play("open \"" + path + "\"\nexpect layers == 1\n");
    EXPECT_EQ(warned.failures, 0);
    EXPECT_EQ(warned.errors.str(), "test.pws:1: warning: " + path +
                                       ": document: the key \"note\" is not part of the format; it is ignored and "
                                       "will not be saved\n");
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
    const ScratchFolder scratch;
    const std::string path = scratch.path("session.json");
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

TEST(SessionScript, NamedArtStandsWhereAnIdWould) {
    Played run;
    run.play(R"(
new
rect 0 0 10 10
layer add "Marks"
line 0 0 5 5
line 1 1 6 6
name first newest type=path layer="Layer 1"
name last newest type=path
select first
expect count selected == 1
expect count selected layer="Layer 1" == 1
select last
expect count selected layer="Marks" == 1
entry last note string "the second line"
expect entry last note == "the second line"
select last/1
expect count selected == 1
)");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    // The newest of the lines is the one drawn last: the first line is not named last.
    run.play("select all\nexpect count selected == 3\n");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
}

TEST(SessionScript, NamesThatNameNothingAreReported) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"select nobody", "no art is named nobody"},
        {"name 2d newest", "a name begins with a letter"},
        {"name x newest type=text", "no art passes those filters"},
        {"name x 999", "no art with id 999 in the front document"},
        {"name x", "expected NAME ID|newest"},
    };
    for (const auto& c : cases) {
        Played run;
        run.play(std::string("new\nrect 0 0 1 1\n") + c.line + "\n");
        EXPECT_EQ(run.failures, 1) << c.line;
        EXPECT_NE(run.errors.str().find(c.message), std::string::npos) << c.line << ": " << run.errors.str();
    }
    // A named art that is gone makes an expectation naming it fail, not the script stop.
    Played gone;
    gone.play("new\nrect 0 0 1 1\nname box newest\nundo\nexpect entry box x exists\nexpect count == 0\n");
    EXPECT_EQ(gone.failures, 1) << gone.errors.str();
    EXPECT_NE(gone.errors.str().find("the art named box is not in the front document"), std::string::npos) << gone.errors.str();
}

// open takes a relative name from the current folder, as save does, never from beside the
// script; a name not found there says where it was looked for.
TEST(SessionScript, OpenAndSaveTakeRelativeNamesFromTheCurrentFolder) {
    ScratchFolder scratch;
    Played maker;
    maker.play("new\nrect 0 0 10 10\nsave \"" + scratch.path("beside.json") + "\"\n");
    ASSERT_EQ(maker.failures, 0) << maker.errors.str();
    const std::string script = scratch.write("open.pws", "open beside.json\n");
    Played run;
    ScriptRunner runner(run.table, run.session, run.errors);
    EXPECT_EQ(runner.runFile(script), 1);
    const std::string said = "open: beside.json: cannot open the file: No such file or directory (a relative name "
                             "is taken from the current folder, " + std::filesystem::current_path().string() + ")";
    EXPECT_NE(run.errors.str().find(said), std::string::npos) << run.errors.str();
}
