// What the user's commands leave behind, played as session scripts against the plug-in:
// one undo takes back one whole command, however many host messages carried it out (the
// second stage of a depth primitive, the timers that select what was made), and gives back
// the drawing exactly as it was; and the current layer stays the one the user made
// current, put back only where the plug-in itself switched away from it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Commands.h"
#include "DrawingDifferences.h"
#include "EventCommands.h"
#include "PluginGlobals.h"
#include "Session.h"

extern "C" AIErr PluginMain(const char* caller, const char* selector, void* message);

namespace {

using namespace plotwise::app;

// A session with the plug-in started and the preferences in memory.
struct Played {
    std::ostringstream out, errors;
    CommandTable table;
    Session session{out};
    int failures = 0;

    Played() {
        session.eventOptions.resourceDir = PLOTWISE_RESOURCE_DIR;
        addDocumentCommands(table);
        addEntryCommand(table);
        addEditCommands(table);
        addEventCommands(table);
        session.events().load(&PluginMain, "plotwise");
        session.events().startup();
    }
    ~Played() { session.events().shutdown(); }
    Played& play(const std::string& script) {
        ScriptRunner runner(table, session, errors);
        failures += runner.runText(script, "t.pws");
        return *this;
    }
    std::string drawing() { return drawingdiff::Listing(session.document()); }
};


// A drawing on a layer of the user's own, the timers of its making gone by.
constexpr const char* kDrawing = R"(
new 480 340
paint stroke gray 1 width 1
layer add "Plan"
rect 20 20 40 30
name part newest type=path
ticks 30
)";

TEST(CommandSteps, OneUndoTakesBackAWholeCommandAndOneRedoBringsItBack) {
    const struct {
        const char* command;
        const char* before;  // played after the drawing: what the undo goes back to
        const char* steps;   // the command, to the last timer it started
        const char* undone = "";  // played after the undo: the settings as before, nothing left in hand
    } rows[] = {
        {"depth cube: the face, the depth, the click and both timers", R"(tool "Depth Cube")",
         "down 60 210\ndrag 70 200\ndrag 130 110\nup 130 110\nmove 170 140\nticks 6\nmove 210 150\n"
         "click 210 150\nticks 20\n"},
        {"depth cylinder: the base, the length and the click", R"(tool "Depth Cylinder")",
         "down 250 230 option\ndrag 260 235 option\ndrag 330 240 option\nup 330 240 option\n"
         "move 300 200\nmove 300 150\nclick 300 150\nticks 20\n"},
        {"depth cylinder typed into its dialog",
         R"(tool "Depth Cylinder")",
         "answer \"Depth Cylinder\" set 4 \"60 pt\" set 6 \"60 pt\" press 7 set 11 \"110 pt\" press 1\n"
         "click 380 120\nticks 20\n"},
        {"CAD line", R"(tool "CAD Line")", "down 100 100\ndrag 150 120\ndrag 200 150\nup 200 150\n"},
        {"three-point circle: three clicks", R"(tool "Three Point Circle")",
         "click 120 100\nclick 180 140\nclick 240 100\n"},
        {"CAD arc: the centre clicked, then a drag", R"(tool "CAD Arc")",
         "click 80 40\ndown 110 40\ndrag 105 60\ndrag 80 90\nup 80 90\n"},
        {"horizontal dimension on the dimension layer", R"(tool "Horizontal Dimension")",
         "click 20 50\ndown 60 50\ndrag 40 70\nup 40 80\nticks 20\n"},
        {"tracker repeat", "select part\nticks 20",
         "panel \"CADtracker\" pick 49 1\npanel \"CADtracker\" set 31 \"3\" set 29 \"2\" press 34\nticks 20\n"},
        {"tracker move of a copy, selected by a timer", "select part\nticks 20",
         "panel \"CADtracker\" set 7 \"4\" option enter\nticks 20\n"},
        {"update of a dimension whose art was moved, the art selected",
         "tool \"Horizontal Dimension\"\nclick 20 50\ndown 60 50\ndrag 40 70\nup 40 80\nticks 20\nselect part\n"
         "translate 10 0\nticks 20",
         "menu \"Update Dimensions\"\nticks 30\n"},
        {"scale assistant with the rulers shown", "panel \"CADguides\" press 20\nticks 30\nselect part",
         "answer \"ScaleAssistant\" press 16 set 9 \"200\" press 1\npanel \"CADdocument\" press 20\nticks 30\n"},
        {"offset dragged out of the rectangle", "select part\ntool \"Offset\"",
         "down 20 35\ndrag 15 35\ndrag 10 35\nup 10 35\nticks 20\n"},
        {"flatten of a projected rectangle", "select part\nmenu \"Project Selection onto Left Face\"\nticks 30",
         "menu \"Flatten Axonometric Selection\"\nticks 30\n"},
        {"a layer made current, the rulers following it",
         "panel \"CADdocument\" press 10 pick 13 0 pick 12 27\npanel \"CADguides\" press 20\nticks 30",
         "layer current \"Layer 1\"\nticks 30\n"},
        {"a paste renumbering its dimension",
         "tool \"Horizontal Dimension\"\nclick 20 50\ndown 60 50\ndrag 40 70\nup 40 80\nticks 20\nselect all\ncopy",
         "paste\nticks 30\n"},
        {"a guides command within 10 ticks of another", "select part\npanel \"CADguides\" press 2",
         "panel \"CADguides\" press 20\nticks 30\n"},
        {"a scale pick undone while its restore waits", "select part", "panel \"CADdocument\" pick 12 24\n"},
        {"the grid shown", "", "panel \"CADguides\" press 2\nticks 30\n", "expect panel \"CADguides\" 2 value == 0"},
        {"a preset loaded, the dimensions updated",
         "tool \"Horizontal Dimension\"\nclick 20 50\ndown 60 50\ndrag 40 70\nup 40 80\nticks 20",
         "answer CADpresetsLoad pick 4 0 press 5 press 1\npanel \"CADshortcuts\" press 2\nticks 30\n",
         "expect panel \"CADdocument\" 17 text == \"Meters\""},
        {"dimetric picked in a drawing without a view", "", "panel \"CADisometric\" pick 2 9\nticks 30\n",
         "expect panel \"CADisometric\" 2 value == 6"},
        {"a depth cube undone while it waits for its depth", R"(tool "Depth Cube")",
         "down 60 210\ndrag 70 200\ndrag 130 110\nup 130 110\nmove 170 140\n",
         "move 210 150\nexpect count type=path layer=\"Plan\" == 1"},
    };
    for (const auto& row : rows) {
        Played run;
        run.play(kDrawing).play(row.before);
        const std::string before = run.drawing();
        run.play(row.steps);
        const std::string after = run.drawing();
        EXPECT_FALSE(after == before) << row.command << ": the command changed nothing\n" << run.errors.str();
        run.play("undo\nticks 30\n");
        EXPECT_EQ(drawingdiff::FirstLineApart(before, run.drawing()), "") << row.command << ", undone";
        run.play(row.undone);
        run.play("redo\nticks 30\n");
        EXPECT_EQ(drawingdiff::FirstLineApart(after, run.drawing()), "") << row.command << ", redone";
        EXPECT_EQ(run.failures, 0) << row.command << "\n" << run.errors.str();
    }
}

// A command that changes nothing leaves the drawing and the selection as they were and is no
// step of undo: what was undone before it can still be redone.
TEST(CommandSteps, ACommandThatChangesNothingIsNoStep) {
    // An offset dragged farther into the rectangle than it reaches, a flatten with nothing
    // projected, a preset loaded again over a dimension drawn in it (every dimension updated).
    constexpr const char* kLoad = "answer CADpresetsLoad pick 4 1 press 5 press 1\npanel \"CADshortcuts\" press 2\n";
    const std::pair<std::string, std::string> rows[] = {
        {"select part", "tool \"Offset\"\ndown 20 35\ndrag 30 35\ndrag 50 35\nup 50 35\nticks 20"},
        {"select part", "menu \"Flatten Axonometric Selection\"\nticks 30"},
        {std::string(kLoad) + "tool \"Horizontal Dimension\"\nclick 20 50\ndown 60 50\ndrag 40 70\nup 40 80\nticks 20",
         std::string(kLoad) + "ticks 30"}};
    for (const auto& [drawn, steps] : rows) {
        Played run;
        run.play(kDrawing).play(drawn).play("rect 200 200 10 10\nundo");
        const std::string before = run.drawing();
        run.play(steps).play("redo");
        EXPECT_EQ(run.failures, 0) << steps << "\n" << run.errors.str();
        run.play("undo");
        EXPECT_EQ(drawingdiff::FirstLineApart(before, run.drawing()), "") << steps;
    }
}

TEST(CommandSteps, TheCurrentLayerIsTheUsersUnlessThePluginSwitchedAway) {
    const struct {
        const char* what;
        const char* script;  // played after the drawing
        const char* current;
    } rows[] = {
        {"a tool chosen after a layer was added", R"(tool "CAD Line"
layer add "B"
tool "CAD Rectangle"
down 100 100
drag 150 150
up 150 150
expect count type=path layer="B" == 1)",
         "B"},
        {"a dimension tool put down after a layer was added", R"(tool "Horizontal Dimension"
layer add "B"
tool "CAD Line")",
         "B"},
        {"a dimension drawn on the dimension layer", R"(tool "Horizontal Dimension"
click 20 50
down 60 50
drag 40 70
up 40 80
expect count type=group layer="Dimension Layer" == 1)",
         "Plan"},
        {"a layer added before the selection comes back after a redraw", R"(panel "CADguides" press 20
ticks 30
select part
menu "Update Dimensions"
layer add "C"
ticks 30)",
         "C"},
    };
    for (const auto& row : rows) {
        Played run;
        run.play(kDrawing).play(row.script);
        run.play(std::string("expect current-layer == \"") + row.current + "\"\n");
        EXPECT_EQ(run.failures, 0) << row.what << "\n" << run.errors.str();
    }
}

// A tool's refusal is told in words also once its alert is switched off (its first button,
// "do not show again", as a script answers it by default): in the alert's own words once the
// session has heard them, else as the beep that now says it.
TEST(CommandSteps, ARefusalWhoseAlertIsSwitchedOffIsStillToldInWords) {
    const std::string noArt = "drag: Radius Dimension: this tool must be used by clicking on an object\n";
    const char* press = "tool \"Radius Dimension\"\ndown 100 100\ndrag 120 120\n";
    {
        Played heard;
        heard.play(kDrawing).play(press).play(std::string("up 120 120\n") + press);
        EXPECT_EQ(heard.errors.str(), "t.pws:3: " + noArt + "t.pws:4: " + noArt);
    }
    Played unheard;
    g->prefs.displayArtMustBeClickedError = 0;  // switched off in an earlier run
    unheard.play(kDrawing).play(press);
    EXPECT_EQ(unheard.errors.str(), "t.pws:3: drag: Radius Dimension: refused with a beep (its alert is switched off)\n");
}

}  // namespace
