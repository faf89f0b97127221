// The user's edits of the selection in session scripts: anchors picked with ID/N, a move of
// whole art and of picked anchors, delete, copy and paste, each one step for undo, and
// what a script is told when an edit cannot be done.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Commands.h"
#include "PlayedScript.h"
#include "Session.h"

using namespace plotwise::app;

namespace {

struct Played : PlayedScript {
    Played() : PlayedScript("e.pws") {}
};

// Ids are handed out in order: the document 1, its root 2, "Layer 1" 3, then the art.
constexpr const char* kTwoShapes = R"(
new 400 300
rect 10 20 100 50
path 200 100 300 100 300 200
)";

}  // namespace

TEST(EditCommands, AMoveTakesWholeArtOrOnlyThePickedAnchors) {
    Played run;
    run.play(std::string(kTwoShapes) + R"(
select 4
translate 15 -5
dump 4
select 5/1 5/2
translate 0 10
dump 5
)");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    const std::string out = run.out.str();
    // The rectangle from 10 20 .. 110 70 to 25 15 .. 125 65.
    EXPECT_NE(out.find("path 4 selected bounds 25 15 125 65 closed"), std::string::npos) << out;
    // The first anchor stays; the two picked move up by 10.
    EXPECT_NE(out.find("anchor 0: 200 100 corner\n"), std::string::npos) << out;
    EXPECT_NE(out.find("anchor 1: 300 110 corner selected 1\n"), std::string::npos) << out;
    EXPECT_NE(out.find("anchor 2: 300 210 corner selected 1\n"), std::string::npos) << out;
}

TEST(EditCommands, EachEditIsOneStepForUndo) {
    Played run;
    run.play(std::string(kTwoShapes) + R"(
select all
translate 5 5
copy
paste
expect count type=path == 4
expect count selected == 2             # only the copies
delete
expect count type=path == 2
undo                                   # the delete
expect count type=path == 4
undo                                   # the paste
expect count type=path == 2
expect count selected == 2             # the originals, as copy left them
undo                                   # the move
dump 4
)");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    EXPECT_NE(run.out.str().find("bounds 10 20 110 70"), std::string::npos) << run.out.str();
}

TEST(EditCommands, PastedCopiesLieOnTopOfTheCurrentLayerWhereTheOriginalsWere) {
    Played run;
    run.play(std::string(kTwoShapes) + R"(
select 4
copy
layer add "Copies"
paste
expect count layer="Copies" == 1
expect count layer="Copies" selected == 1
expect count layer="Layer 1" selected == 0
paste                                  # pasting again gives another copy
expect count layer="Copies" == 2
dump
)");
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    const std::string out = run.out.str();
    const size_t copies = out.find("\"Copies\""), original = out.find("\"Layer 1\"");
    ASSERT_LT(copies, original);  // the new layer on top
    const size_t pasted = out.find(" selected bounds 10 20 110 70 closed", copies);
    EXPECT_LT(pasted, original) << out;
}

TEST(EditCommands, EditsThatCannotBeDoneSayWhy) {
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"translate 1 1\n", "e.pws:5: translate: nothing is selected (select art first)"},
        {"delete\n", "e.pws:5: delete: nothing is selected (select art first)"},
        {"copy\n", "e.pws:5: copy: nothing is selected (select art first)"},
        {"paste\n", "e.pws:5: paste: nothing has been copied (copy first)"},
        {"select 5/0\ndelete\n",
         "e.pws:6: delete: only some anchors of path 5 are selected; delete removes whole art (select 5 first)"},
        {"select 4\nlayer lock \"Layer 1\"\ntranslate 1 1\n",
         "e.pws:7: translate: art 4 is on the locked layer \"Layer 1\" (layer unlock \"Layer 1\" first)"},
        {"select 4\ncopy\nlayer hide \"Layer 1\"\npaste\n",
         "e.pws:8: paste: the current layer \"Layer 1\" is hidden (layer show \"Layer 1\" first)"},
        {"select 4\ntranslate 3e38 0\ntranslate 3e38 0\n",
         "e.pws:7: translate: the move would take art past the largest coordinate (about 3.4e38)"},
        {"select 4/7\n", "e.pws:5: select: path 4 has 4 anchors (0 to 3), not 7"},
        {"select 3/0\n", "e.pws:5: select: art 3 is not a path (ID/N picks anchor N of a path)"},
        {"select 4/x\n", "e.pws:5: select: an anchor number must be a whole number, not \"x\""},
        {"translate 1\n", "e.pws:5: translate: expected 2 arguments, got 1"},
    };
    for (const auto& c : cases) {
        Played run;
        run.play(std::string(kTwoShapes) + c.script);
        EXPECT_EQ(run.failures, 1) << c.script;
        EXPECT_EQ(run.errors.str(), std::string(c.message) + "\n") << c.script;
    }
}
