// The wall tools in a session, read back from the host's own model: walls dragged and typed
// (at a drawing scale too), the tracker's read-out, walls joined into one house, removed and
// moved, doors and windows cut or refused in words, and a house worked on again after it was
// saved and opened.
#include <algorithm>
#include <filesystem>
#include <string>

#include "DrawingDifferences.h"
#include "ScratchFolder.h"
#include "architecture/WallToolsFixture.h"
#include "io/DocumentFile.h"
#include "suites/Suites.h"
#include "units/LayerScales.h"

namespace drawtest {
namespace {

TEST_F(WallToolsTest, TheToolsShareTheSeventhSetWithTheirTitlesAndTips) {
    const auto& registry = session->registry();
    const long first = registry.toolByTitle("Add Wall");
    ASSERT_GE(first, 0);
    for (const char* title :
         {"Add Wall", "Remove Wall", "Move Wall", "Door Insertion", "Window Insertion", "Table", "Title Block"}) {
        const long t = registry.toolByTitle(title);
        ASSERT_GE(t, 0) << title;
        EXPECT_FALSE(registry.tools[size_t(t)].tip.empty()) << title;
        EXPECT_EQ(registry.tools[size_t(t)].toolset, registry.tools[size_t(first)].toolset) << title;
        ASSERT_EQ(session->selectTool(title), kNoErr);
        const bool label = std::string(title) == "Table" || std::string(title) == "Title Block";
        EXPECT_EQ(g->labelToolSelected, label ? 1 : 0) << title;
    }
}

TEST_F(WallToolsTest, ADraggedWallMakesAHouseAndReportsItsEndDirectionAndLength) {
    ASSERT_EQ(Wall({100, 100}, {160, 180}), kNoErr);
    const auto walls = Walls();
    ASSERT_EQ(walls.size(), 1u);
    EXPECT_PT(walls[0].end, 160, 180, kTol);
    EXPECT_EQ(walls[0].thickness, 10);
    EXPECT_EQ(walls[0].datum, 1);
    const TrackerReport& t = gTrackerReports.back();
    EXPECT_FLOAT_EQ(t.x, 160);
    EXPECT_FLOAT_EQ(t.y, 180);
    for (AIReal empty : {t.w, t.h, t.width, t.height, t.seventh, t.perimeter, t.area}) EXPECT_EQ(empty, kEmpty);
    EXPECT_NEAR(t.angle, 53.130102, 1e-4);
    EXPECT_NEAR(t.length, 100, 1e-4);

    // While a wall is dragged the annotator shows its length in the tracker's units (with
    // showWallInfo set), and no longer once it is drawn.
    g->prefs.CADtrackerUnits = 0;
    g->prefs.CADtrackerPrecision = 2;
    auto annotated = [&](const std::string& text) {
        session->redrawAnnotations();
        for (const auto& op : session->lastAnnotation())
            if (op.text == text) return true;
        return false;
    };
    for (int info : {1, 0}) {
        g->prefs.showWallInfo = info;
        ASSERT_EQ(session->mouseDown({100, 300}), kNoErr);
        ASSERT_EQ(session->mouseDrag({130, 300}), kNoErr);
        ASSERT_EQ(session->mouseDrag({150, 300}), kNoErr);
        EXPECT_EQ(annotated("50.00 pt"), info == 1);
        ASSERT_EQ(session->mouseUp({150, 300}), kNoErr);
        EXPECT_FALSE(annotated("50.00 pt"));
    }

    // Shift holds a new wall to 45 degrees, at the cursor's distance.
    ASSERT_EQ(Wall({400, 100}, {500, 180}, aiEventModifiers_Shift), kNoErr);
    ASSERT_EQ(Houses().size(), 3u);  // the second wall at 300 went on from the first
    EXPECT_NEAR(gTrackerReports.back().angle, 45, 1e-4);
    EXPECT_NEAR(gTrackerReports.back().length, std::hypot(100, 80), 1e-3);
}

TEST_F(WallToolsTest, TypedWallsAtADrawingScale) {
    // At 1:50 in millimetres a typed length is the real wall: 5 m is 100 mm on the page.
    DrawAt(25, 50, "1:50");
    g->prefs.NumericInputUnits = 3;
    constexpr AIReal kMillimetre = 72 / 25.4f;
    const struct {
        const char* length;
        const char* angle;
        AIReal dh, dv;
    } cases[] = {
        {"5 m", "90", 0, 100 * kMillimetre},
        {"2000", "0", 40 * kMillimetre, 0},
        {"1.5 m", "180", -30 * kMillimetre, 0},
    };
    AIReal x = 50;
    for (const auto& c : cases) {
        ASSERT_EQ(session->selectTool("Add Wall"), kNoErr);
        Answer("CADWall", {Type(4, c.length), Type(6, c.angle), Press(1)});
        ASSERT_EQ(session->click({x, 100}), kNoErr);
        EXPECT_TRUE(DialogFailures().empty());
        const auto houses = Houses();
        ASSERT_FALSE(houses.empty());
        x += 200;
    }
    ASSERT_EQ(Houses().size(), 3u);
    // Each house holds its one wall; read them in the order they were made.
    std::vector<StoredWall> made;
    for (const standin::Art* h : Houses()) {
        const standin::Dict* w = Sub(Sub(doc->dict(h->dictionary), "PW4_House"), "PW4_Wall_0");
        made.push_back({{Get<AIReal>(w, "PW4_Wall_startH"), Get<AIReal>(w, "PW4_Wall_startV")},
                        {Get<AIReal>(w, "PW4_Wall_endH"), Get<AIReal>(w, "PW4_Wall_endV")}, 0, 0, {}});
    }
    std::sort(made.begin(), made.end(), [](const StoredWall& a, const StoredWall& b) { return a.start.h < b.start.h; });
    for (size_t i = 0; i < made.size(); ++i)
        EXPECT_PT(made[i].end, made[i].start.h + cases[i].dh, made[i].start.v + cases[i].dv, kTol);
    // The dialog keeps the last wall for its next opening: its real length and its angle.
    EXPECT_NEAR(g->inputWallLength, 1500 * kMillimetre, 1e-3);
    EXPECT_FLOAT_EQ(g->inputWallAngle, 180);

    // Typed on from the end of the first house's wall, on its layer at 1:50, while a plan at
    // 1:100 is current: 2 m is 40 mm on the page.
    SetScaleStyle(kLayerBasedScaleStyle);
    ASSERT_EQ(session->hostEvent([&] {
        if (AIErr err = setLayerScale(standin::suites::layerHandle(doc->currentLayer()), 25, 50, "1:50")) return err;
        return setLayerScale(standin::suites::layerHandle(doc->addLayer("Plan")), 24, 100, "1:100");
    }), kNoErr);
    Answer("CADWall", {Type(4, "4000"), Type(6, "0"), Press(1)});
    ASSERT_EQ(session->click({50, 500}), kNoErr);  // a 4 m wall on the plan
    const AIRealPoint end = made[0].end;
    Answer("CADWall", {Type(4, "2000"), Type(6, "0"), Press(1)});
    ASSERT_EQ(session->click(end), kNoErr);
    const std::vector<StoredWall> first = Walls(0);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_PT(first[1].end, end.h + 40 * kMillimetre, end.v, kTol);
    ASSERT_EQ(session->selectTool("Door Insertion"), kNoErr);
    Answer("DoorOptions", {Type(4, "900"), Press(1)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    // The house's layer lent its scale to that wall only: a title block on the plan says 1:100.
    ASSERT_EQ(session->selectTool("Title Block"), kNoErr);
    ASSERT_EQ(session->click({400, 400}), kNoErr);
    size_t said = 0;
    doc->walk([&](const standin::Art& a, int) {
        said += a.type == kTextFrameArt && readback::StoryText(a) == "Scale: 1:100" ? 1 : 0;
    });
    EXPECT_EQ(said, 1u);
    // So is the door typed in its options after that wall: 900 mm is 25.51 pt on the plan.
    ASSERT_EQ(session->selectTool("Door Insertion"), kNoErr);
    ASSERT_EQ(session->click({100, 501}), kNoErr);
    std::vector<StoredOpening> doors;
    for (size_t i = 0; i < Houses().size(); ++i)
        if (const auto walls = Walls(i); walls.size() == 1 && walls[0].start.v == 500) doors = walls[0].openings;
    ASSERT_EQ(doors.size(), 1u);
    EXPECT_NEAR(doors[0].width, 9 * kMillimetre, kTol);
}

// A layer-based drawing: a plan at 1:100 holds a house open at its left and two crossing
// lines; a stair at 1:20, current, two crossing lines of its own. Each option is typed while
// the stair is current (or, for the editing tools, on the stair's lines, then used again with
// option on the plan's), and each is drawn on the plan at 1:100, as typed: 100 mm is 2.835 pt
// there, 14.173 pt on the stair. A paper size is drawn as typed on any layer.
TEST_F(WallToolsTest, AnOptionTypedBeforeItsToolIsDrawnAtTheScaleOfTheLayerItWorksOn) {
    SetScaleStyle(kLayerBasedScaleStyle);
    g->prefs.NumericInputUnits = 3;  // millimetres
    g->prefs.NumericInputPrecision = 0;
    // Each layer with two lines crossing at (x, 300), made current.
    const auto layer = [&](const char* title, int32_t id, AIReal scaler, const char* label, AIReal x) {
        ASSERT_EQ(session->hostEvent([&] {
            if (AIErr err = setLayerScale(standin::suites::layerHandle(doc->addLayer(title)), id, scaler, label)) return err;
            if (AIErr err = doc->addPolyline({{x - 80, 300}, {x + 200, 300}}, false)) return err;
            return doc->addPolyline({{x, 220}, {x, 500}}, false);
        }), kNoErr);
    };
    layer("Plan", 24, 100, "1:100", 100);
    ASSERT_EQ(session->dialogs().panelAction("CADwalls", Type(4, "100")), kNoErr);  // the walls' thickness
    ASSERT_EQ(Wall({100, 100}, {300, 100}), kNoErr);
    ASSERT_EQ(Wall({300, 100}, {300, 200}), kNoErr);
    ASSERT_EQ(Wall({300, 200}, {100, 200}), kNoErr);
    layer("Stair", 27, 20, "1:20", 500);
    standin::UserAction fromStart;
    fromStart.kind = standin::UserAction::Kind::Pick, fromStart.item = 10, fromStart.entry = 0;
    const std::vector<AIRealPoint> onStair = {{600, 300}, {500, 400}}, onPlan = {{200, 300}, {100, 400}};
    const double t = 100 * 72 / 25.4 / 100;  // 100 mm on the plan
    enum Typed { kInOptions, kInPanel, kAtFirstUse };
    const struct Row {
        const char *option, *layer, *tool;
        Typed where;
        std::vector<standin::UserAction> typed;
        std::vector<AIRealPoint> first, then;  // on the stair, dialog answered; on the plan
        AIRealPoint anchor;                    // of what the second use leaves
        std::string said = {};                 // or its refusal
    } rows[] = {
        {"door width", "wall's", "Door Insertion", kInOptions, {Type(4, "900"), Press(1)}, {}, {{200, 99}}, {200 - 4.5 * t, 100}},
        {"window width", "wall's", "Window Insertion", kInOptions, {Type(4, "1000"), Press(1)}, {}, {{200, 201}}, {200 - 5 * t, 200}},
        {"door refused", "wall's", "Door Insertion", kInOptions, {Type(4, "4000"), Press(1)}, {}, {{301, 150}}, {},
         "The door (4,000 mm) is wider than the clear length of the wall (3,528 mm)."},
        {"wall thickness", "house's", "Add Wall", kInPanel, {Type(4, "200")}, {}, {{100, 200}, {100, 100}}, {100 - 2 * t, 100 - t}},
        {"fillet radius", "pressed art's", "Fillet", kAtFirstUse, {Type(4, "100"), Press(1)}, onStair, onPlan, {100 + t, 300}},
        {"chamfer distances", "pressed art's", "Chamfer", kAtFirstUse, {Type(4, "100"), Type(6, "100"), Press(1)}, onStair, onPlan, {100, 300 + t}},
        {"divider increment", "pressed art's", "Path Divider", kAtFirstUse, {Press(5), Type(7, "100"), fromStart, Press(1)}, {onStair[0]}, {onPlan[0]}, {20 + t, 300}},
        {"offset distance", "pressed art's", "Offset", kAtFirstUse, {Type(4, "100"), Press(1)}, {}, {onPlan[0]}, {300, 300 + t}},
        {"table row height", "paper", "Table", kInOptions, {Type(8, "10"), Press(1)}, {}, {{300, 600}}, {300, 600 - 10 * 72 / 25.4}},
    };
    const std::vector<drawingdiff::Mark> start = drawingdiff::Marks(*doc);
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.option) + " at the " + r.layer + " scale");
        ASSERT_EQ(session->selectTool(r.tool), kNoErr);
        if (r.where == kInPanel) {
            ASSERT_EQ(session->dialogs().panelAction("CADwalls", r.typed[0]), kNoErr);
            ASSERT_EQ(Drag(r.then[0], r.then[1]), kNoErr);
        } else {
            Answer("", r.typed);
            EXPECT_EQ(r.where == kInOptions ? session->editToolOptions() : kNoErr, kNoErr);
            for (AIRealPoint p : r.first) ASSERT_EQ(session->click(p), kNoErr);
            for (AIRealPoint p : r.then) (void)session->click(p, r.first.empty() ? 0u : uint32_t{aiEventModifiers_Option});
        }
        EXPECT_TRUE(DialogFailures().empty());
        if (!r.said.empty()) {
            EXPECT_EQ(LastAlert(), r.said);
            continue;
        }
        EXPECT_TRUE(std::ranges::any_of(Paths(), [&](const standin::Art* a) {
            return std::ranges::any_of(a->segments, [&](const AIPathSegment& s) { return Near(s.p, r.anchor.h, r.anchor.v, 1e-2f); });
        }));
        // Taken back for the next row: the edit, and any undo step the release left.
        while (!drawingdiff::Differences(start, drawingdiff::Marks(*doc)).empty() && session->userUndo()) {}
    }
    // The offset's dialog shows the distance as typed, whatever layer is current.
    EXPECT_EQ(Text(OpenFloating(16770), 4), "100 mm");
}

TEST_F(WallToolsTest, WallsFromAnEndAndOntoTheFirstCloseARoom) {
    // Presses beside the free end (on the wall) continue from it; the last wall's end lands
    // on the first wall's start.
    ASSERT_EQ(Wall({100, 100}, {300, 100}), kNoErr);
    ASSERT_EQ(Wall({296, 97}, {300, 200}), kNoErr);
    ASSERT_EQ(Wall({300, 200}, {100, 200}), kNoErr);
    ASSERT_EQ(Wall({100, 200}, {101, 98}), kNoErr);
    const auto walls = Walls();
    ASSERT_EQ(walls.size(), 4u);
    EXPECT_PT(walls[1].start, 300, 100, kTol);
    EXPECT_PT(walls[3].end, 100, 100, kTol);
    // The walls and the room: outside 210 by 110 from (100, 90) to (310, 210).
    const auto contours = Contours();
    ASSERT_EQ(contours.size(), 2u);
    for (const auto& c : contours) EXPECT_EQ(c.size(), 4u);
}

TEST_F(WallToolsTest, WallsAreRemovedAndMovedAsTheirRoomsFollow) {
    Room();
    ASSERT_EQ(session->selectTool("Remove Wall"), kNoErr);
    EXPECT_NE(session->click({200, 150}), kNoErr);  // inside the room: no wall
    EXPECT_EQ(LastAlert(), "Click a wall to remove it.");
    ASSERT_EQ(Walls().size(), 4u);

    // The right wall moved 50 outwards: the top and bottom walls stretch to it.
    ASSERT_EQ(session->selectTool("Move Wall"), kNoErr);
    ASSERT_EQ(Drag({305, 150}, {355, 170}), kNoErr);
    auto walls = Walls();
    EXPECT_PT(walls[0].end, 350, 100, kTol);
    EXPECT_PT(walls[1].start, 350, 100, kTol);
    EXPECT_PT(walls[1].end, 350, 200, kTol);
    EXPECT_PT(walls[2].start, 350, 200, kTol);

    ASSERT_EQ(session->selectTool("Remove Wall"), kNoErr);
    ASSERT_EQ(session->click({355, 150}), kNoErr);
    walls = Walls();
    ASSERT_EQ(walls.size(), 3u);
    EXPECT_PT(walls[1].start, 350, 200, kTol);  // the top wall, now the second
    EXPECT_EQ(Contours().size(), 1u);           // the room is open
}

TEST_F(WallToolsTest, DoorsAndWindowsAreCutWhereTheyFitAndRefusedInWordsWhereTheyDoNot) {
    Room();
    ASSERT_EQ(session->selectTool("Door Insertion"), kNoErr);
    Answer("DoorOptions", {Type(4, "30"), Press(1)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    // Clicked inside the bottom wall's body, nearer its outer face: the door opens outwards;
    // option hinges it at the far end.
    ASSERT_EQ(session->click({150, 93}, aiEventModifiers_Option), kNoErr);
    ASSERT_EQ(session->selectTool("Window Insertion"), kNoErr);
    Answer("WindowOptions", {Type(4, "40"), Press(1)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    ASSERT_EQ(session->click({250, 95}), kNoErr);
    const auto walls = Walls();
    ASSERT_EQ(walls[0].openings.size(), 2u);
    const StoredOpening& door = walls[0].openings[0];
    EXPECT_EQ(door.kind, 1);
    EXPECT_FLOAT_EQ(door.at, 50);
    EXPECT_FLOAT_EQ(door.width, 30);
    EXPECT_EQ(door.side, 0);  // right of the wall's direction: outside
    EXPECT_EQ(door.hinge, 1);
    EXPECT_EQ(walls[0].openings[1].kind, 2);
    EXPECT_EQ(Contours().size(), 2u);  // the ring cut open, the wall between the two a piece of its own

    // A partition from the bottom wall's inside face, and a short wall of a house of its own.
    ASSERT_EQ(Wall({200, 100}, {200, 150}), kNoErr);
    ASSERT_EQ(Wall({400, 100}, {420, 100}), kNoErr);
    // The houses' layer locked is named; hidden, it holds no wall to be clicked.
    const std::string locked = ": the object clicked is on the layer \"Layer 1\", which is locked (unlock it first).";
    session->hostEvent([&] {
        doc->addLayer("Notes");
        return doc->setCurrentLayer("Layer 1");
    });
    enum HouseLayer { kOpen, kLocked, kHidden };
    const struct {
        const char* tool;
        AIRealPoint click;
        std::string words;
        HouseLayer houses = kOpen;
    } refusals[] = {
        {"Door Insertion", {150, 150}, "Click a wall to insert a door."},
        {"Door Insertion", {110, 95}, "The door would run past the end of the wall, into its corner."},
        {"Window Insertion", {220, 95}, "The window would overlap a door or window already in the wall."},
        {"Door Insertion", {195, 95}, "The door would cut into a wall that meets this one."},
        {"Window Insertion", {410, 95}, "The window (40.00 pt) is wider than the clear length of the wall (20.00 pt)."},
        {"Door Insertion", {150, 95}, "\"Door Insertion\"" + locked, kLocked},
        {"Remove Wall", {150, 95}, "\"Remove Wall\"" + locked, kLocked},
        {"Remove Wall", {150, 95}, "Click a wall to remove it.", kHidden},
    };
    for (const auto& r : refusals) {
        session->hostEvent([&] {
            doc->setCurrentLayer(r.houses == kOpen ? "Layer 1" : "Notes");
            doc->setLayerEditable("Layer 1", r.houses != kLocked);
            return doc->setLayerVisible("Layer 1", r.houses != kHidden);
        });
        ASSERT_EQ(session->selectTool(r.tool), kNoErr);
        EXPECT_NE(session->click(r.click), kNoErr) << r.words;
        EXPECT_EQ(LastAlert(), r.words);
    }
    session->hostEvent([&] { return doc->setLayerVisible("Layer 1", true); });
    EXPECT_EQ(Houses().size(), 2u);
    EXPECT_EQ(Walls()[0].openings.size(), 2u);
    // Two lengths that differ read apart, with as many places as that takes; lengths within
    // their floats' error of each other read alike, and the window is refused still.
    const struct { const char* typed; std::string words; } wider[] = {
        {"20.004", "The window (20.004 pt) is wider than the clear length of the wall (20.000 pt)."},
        {"20.000005", "The window (20.00 pt) is wider than the clear length of the wall (20.00 pt)."},
    };
    ASSERT_EQ(session->selectTool("Window Insertion"), kNoErr);
    for (const auto& w : wider) {
        Answer("WindowOptions", {Type(4, w.typed), Press(1)});
        ASSERT_EQ(session->editToolOptions(), kNoErr);
        EXPECT_NE(session->click({410, 95}), kNoErr) << w.typed;
        EXPECT_EQ(LastAlert(), w.words);
    }
    // While the cursor points where a door would not fit, the annotator says why beside it.
    ASSERT_EQ(session->selectTool("Door Insertion"), kNoErr);
    ASSERT_EQ(session->trackCursor({110, 95}), kNoErr);
    session->redrawAnnotations();
    bool warned = false;
    for (const auto& op : session->lastAnnotation())
        warned = warned || op.text == "The door would run past the end of the wall, into its corner.";
    EXPECT_TRUE(warned);
}

TEST_F(WallToolsTest, AHouseIsWorkedOnAgainAfterItWasSavedAndOpened) {
    Room();
    ScratchFolder scratch;
    const std::string file = scratch.path("house.json");
    std::string error;
    ASSERT_TRUE(standin::io::saveDocumentFile(*doc, file, error)) << error;
    ASSERT_EQ(session->closeDocument(), kNoErr);
    ASSERT_EQ(session->openDocument([&] {
        return standin::io::openDocumentFile(host, file, error) ? kNoErr : kDataFilterErr;
    }), kNoErr) << error;
    doc = host.frontDocument();
    ASSERT_EQ(Walls().size(), 4u);
    ASSERT_EQ(session->selectTool("Remove Wall"), kNoErr);
    ASSERT_EQ(session->click({305, 150}), kNoErr);
    EXPECT_EQ(Walls().size(), 3u);
}

}  // namespace
}  // namespace drawtest