// What a house keeps when it is edited: a value its record could not keep is refused in
// words before anything is drawn, a house whose record cannot be read is never built over,
// a house taken out of its group is drawn again without its layer, and every part keeps the
// paint it was drawn in.
#include <functional>
#include <limits>
#include <string>

#include "AIPathStyle.h"
#include "architecture/HouseRecord.h"
#include "architecture/WallToolsFixture.h"
#include "core/PlotwiseSuites.h"
#include "suites/Suites.h"

namespace drawtest {
namespace {

struct HouseEditsTest : WallToolsTest {
    // A whole press, drag and release, whatever each step answers (a refused press does not
    // keep the host from sending the rest).
    void Gesture(AIRealPoint from, AIRealPoint to) {
        (void)session->mouseDown(from);
        (void)session->mouseDrag({from.h + 5, from.v + 5});
        (void)session->mouseDrag(to);
        (void)session->mouseUp(to);
    }
    // Spoils wall 0's entry `key` of the only house ("" spoils the count).
    void Damage(const std::string& key, standin::DictValue value) {
        const standin::Dict* record = Sub(doc->dict(Houses().back()->dictionary), "PW4_House");
        const standin::ObjId target = key.empty() ? record->id : Sub(record, "PW4_Wall_0")->id;
        ASSERT_EQ(session->hostEvent([&] {
            doc->editDict(target)->set(key.empty() ? "PW4_House_count" : key, value);
            return kNoErr;
        }), kNoErr);
    }
};

// Every wall tool, pressed on a house whose record cannot be read, names what is wrong with
// it and leaves the house as it was.
TEST_F(HouseEditsTest, EveryWallToolRefusesADamagedHouseNamingTheFault) {
    const struct {
        const char* key;  // of wall 0 ("" for the count)
        standin::DictValue value;
        const char* words;
    } damages[] = {
        {"", int32_t{0}, "the number of walls (PW4_House_count) is 0; it must be 1 to 16000"},
        {"", int32_t{-1}, "the number of walls (PW4_House_count) is -1; it must be 1 to 16000"},
        {"", int32_t{2}, "wall 1 (PW4_Wall_1) is missing"},
        {"PW4_Wall_datum", int32_t{7}, "wall 0: its datum (PW4_Wall_datum) is 7, which it cannot be"},
        {"PW4_Wall_endV", std::string("north"), "wall 0: its end (PW4_Wall_endV) is not a real number"},
        {"PW4_Wall_thickness", AIReal{0}, "wall 0: its thickness (PW4_Wall_thickness) must be more than 0"},
        {"PW4_Wall_thickness", AIReal{3e38f},
         "wall 0: its thickness (PW4_Wall_thickness) is 3e+38 points, past the largest canvas (16383 points)"},
        {"PW4_Wall_endV", AIReal{-3.99e7f},
         "wall 0: its end (PW4_Wall_endV) is -3.99e+07 points, past the largest canvas (16383 points)"},
        {"PW4_Wall_startH", std::numeric_limits<AIReal>::quiet_NaN(),
         "wall 0: its start (PW4_Wall_startH) is not a finite number"},
    };
    const struct {
        const char* tool;
        AIRealPoint press, release;  // the same for a click
    } gestures[] = {
        {"Add Wall", {300, 100}, {300, 200}},  // a drag from the free end
        {"Add Wall", {200, 95}, {200, 40}},    // from the wall's face
        {"Add Wall", {300, 100}, {300, 100}},  // a click, and a wall typed
        {"Remove Wall", {200, 95}, {200, 95}},
        {"Move Wall", {200, 95}, {200, 60}},
        {"Door Insertion", {200, 95}, {200, 95}},
    };
    for (const auto& d : damages) {
        ASSERT_EQ(Wall({100, 100}, {300, 100}), kNoErr);
        Damage(d.key, d.value);
        for (const auto& c : gestures) {
            SCOPED_TRACE(std::string(c.tool) + " after " + d.words);
            const size_t paths = PathCount(), alerts = Alerts().size();
            ASSERT_EQ(session->selectTool(c.tool), kNoErr);
            const bool click = c.press.h == c.release.h && c.press.v == c.release.v;
            if (click && session->dialogs().pendingModalAnswers() == 0)
                Answer("CADWall", {Type(4, "50"), Value(6, 90), Press(1)});
            if (click)
                EXPECT_NE(session->click(c.press), kNoErr);
            else
                Gesture(c.press, c.release);
            EXPECT_EQ(Houses().size(), 1u);
            EXPECT_EQ(PathCount(), paths);
            ASSERT_GT(Alerts().size(), alerts);
            EXPECT_EQ(LastAlert(), std::string("This house cannot be changed: its record is damaged (") + d.words + ").");
        }
        ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(Houses().back()->parent); }), kNoErr);
    }
}

TEST_F(HouseEditsTest, AWidthTheRecordWouldKeepAsNothingIsRefusedInWordsAndTheHouseStaysEditable) {
    Room();
    ASSERT_EQ(session->selectTool("Window Insertion"), kNoErr);
    // Typed: refused where it is typed, and the dialog left with Cancel.
    Answer("WindowOptions", {Type(4, "1e-300"), Press(1), Press(2)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    EXPECT_EQ(LastAlert(), "The value is too small to be kept.");
    // Held from an earlier session: the click is refused before anything is drawn.
    ASSERT_EQ(session->restart([](standin::PreferenceStore& store) {
        ASSERT_EQ(store.putString("ZMKPWWindowInsertionTool", "width", "1e-300"), kNoErr);
    }), kNoErr);
    doc = host.frontDocument();
    ASSERT_EQ(session->selectTool("Window Insertion"), kNoErr);
    EXPECT_NE(session->click({200, 95}), kNoErr);
    EXPECT_EQ(LastAlert(), "The window's width must be greater than 0: double-click the tool to set it.");
    EXPECT_TRUE(Walls()[0].openings.empty());
    // A window more than the record keeps in one wall: 1000 narrow ones fill its first half.
    std::vector<::Wall> walls(4);
    const standin::Art* house = Houses().back();
    ASSERT_EQ(session->hostEvent([&] {
        std::string problem;
        if (AIErr err = ReadHouseRecord(standin::suites::artHandle(house->id), &walls, &problem)) return err;
        for (int k = 0; k < 1000; ++k) walls[0].openings.push_back({.kind = 2, .at = 0.1 * k + 5.05, .width = 0.1});
        return WriteHouseRecord(standin::suites::artHandle(house->id), walls);
    }), kNoErr);
    ASSERT_EQ(session->restart([](standin::PreferenceStore& store) {
        ASSERT_EQ(store.putString("ZMKPWWindowInsertionTool", "width", "10"), kNoErr);
    }), kNoErr);
    doc = host.frontDocument();
    ASSERT_EQ(session->selectTool("Window Insertion"), kNoErr);
    EXPECT_NE(session->click({260, 95}), kNoErr);
    EXPECT_EQ(LastAlert(), "This change cannot be made: the house's record could not keep it (wall 0: its number of "
                           "openings (PW4_Wall_openings) is 1001; it must be 0 to 1000).");
    EXPECT_EQ(Walls()[0].openings.size(), 1000u);
    // A wall dragged past the largest canvas: refused at the release.
    ASSERT_EQ(session->selectTool("Add Wall"), kNoErr);
    EXPECT_NE(Drag({300, 205}, {20000, 205}), kNoErr);
    EXPECT_EQ(LastAlert(), "This change cannot be made: the house's record could not keep it (wall 4: its end "
                           "(PW4_Wall_endH) is 20000 points, past the largest canvas (16383 points)).");
    // The house can be worked on as before.
    ASSERT_EQ(session->selectTool("Remove Wall"), kNoErr);
    ASSERT_EQ(session->click({200, 95}), kNoErr);
    EXPECT_EQ(Walls().size(), 3u);
}

TEST_F(HouseEditsTest, TheRecordIsNeverWrittenWithWhatItsReaderRefuses) {
    ASSERT_EQ(Wall({100, 100}, {300, 100}), kNoErr);
    const AIArtHandle path = standin::suites::artHandle(Houses().back()->id);
    ::Wall base;
    base.start = {100, 100};
    base.end = {300, 100};
    base.thickness = 10;
    base.datum = 1;
    base.openings.push_back({.kind = 2, .at = 50, .width = 40});
    const struct {
        const char* words;  // as the reader names the value
        std::function<void(std::vector<::Wall>&)> spoil;
    } cases[] = {
        {"wall 0: opening 0: its width (PW4_Opening_width) must be more than 0",
         [](auto& w) { w[0].openings[0].width = 1e-300; }},
        {"wall 0: opening 0: its width (PW4_Opening_width) is not a finite number",
         [](auto& w) { w[0].openings[0].width = 1e39; }},
        {"wall 0: opening 0: it does not lie within its wall", [](auto& w) { w[0].openings[0].at = 190; }},
        {"wall 0: opening 0: its kind (PW4_Opening_kind) is 0, which it cannot be",
         [](auto& w) { w[0].openings[0].kind = 0; }},
        {"wall 0: opening 0: its side (PW4_Opening_side) is 2, which it cannot be",
         [](auto& w) { w[0].openings[0].side = 2; }},
        {"wall 0: its thickness (PW4_Wall_thickness) must be more than 0", [](auto& w) { w[0].thickness = 1e-300; }},
        {"wall 0: its thickness (PW4_Wall_thickness) is 16384 points, past the largest canvas (16383 points)",
         [](auto& w) { w[0].thickness = 16384; }},
        {"wall 0: its start (PW4_Wall_startH) is not a finite number", [](auto& w) { w[0].start.h = -1e39; }},
        {"wall 0: its datum (PW4_Wall_datum) is 3, which it cannot be", [](auto& w) { w[0].datum = 3; }},
        {"wall 0: its number of openings (PW4_Wall_openings) is 1001; it must be 0 to 1000",
         [](auto& w) { w[0].openings.assign(1001, {.kind = 2, .at = 50, .width = 0.1}); }},
        {"the number of walls (PW4_House_count) is 0; it must be 1 to 16000", [](auto& w) { w.clear(); }},
        {"the number of walls (PW4_House_count) is 16001; it must be 1 to 16000",
         [](auto& w) { w.resize(16001, w[0]); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        std::vector<::Wall> walls{base};
        c.spoil(walls);
        EXPECT_EQ(HouseRecordProblem(walls), c.words);
        ASSERT_EQ(session->hostEvent([&] {
            EXPECT_NE(WriteHouseRecord(path, walls), kNoErr);
            return kNoErr;
        }), kNoErr);
        // The record it had stays: the one wall as drawn, without openings.
        const auto stored = Walls();
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_PT(stored[0].end, 300, 100, kTol);
        EXPECT_TRUE(stored[0].openings.empty());
    }
    EXPECT_EQ(HouseRecordProblem({base}), "");
    base.thickness = 16383;  // as thick as the largest canvas is wide: kept
    EXPECT_EQ(HouseRecordProblem({base}), "");
}

// Entries another version put in the record (on the house, a wall, an opening, a wall past
// the count) go with what holds them through every edit; only one whose key the house now
// needs gives way, and is named.
TEST_F(HouseEditsTest, EntriesTheRecordDoesNotKnowSurviveEveryEdit) {
    // Where each marker lies after each edit: move the right wall, add a partition (a fifth
    // wall), remove the top wall, remove the bottom wall (the right wall becomes the first).
    const struct {
        const char* marker;
        const char* after[4];
    } kinds[] = {
        {"ZZ9_House_note", {"ZZ9_House_note", "ZZ9_House_note", "ZZ9_House_note", "ZZ9_House_note"}},
        {"ZZ9_Wall_colour",
         {"PW4_Wall_1/ZZ9_Wall_colour", "PW4_Wall_1/ZZ9_Wall_colour", "PW4_Wall_1/ZZ9_Wall_colour",
          "PW4_Wall_0/ZZ9_Wall_colour"}},
        {"ZZ9_Opening_glass",
         {"PW4_Wall_0/PW4_Opening_0/ZZ9_Opening_glass", "PW4_Wall_0/PW4_Opening_0/ZZ9_Opening_glass",
          "PW4_Wall_0/PW4_Opening_0/ZZ9_Opening_glass", ""}},
        {"ZZ9_Mark9", {"PW4_Wall_9/ZZ9_Mark9", "PW4_Wall_9/ZZ9_Mark9", "PW4_Wall_9/ZZ9_Mark9", "PW4_Wall_9/ZZ9_Mark9"}},
        {"ZZ9_Mark4", {"PW4_Wall_4/ZZ9_Mark4", "", "PW4_Wall_4/ZZ9_Mark4", "PW4_Wall_4/ZZ9_Mark4"}},
    };
    const std::function<void(HouseEditsTest&)> edits[] = {
        [](HouseEditsTest& t) {
            ASSERT_EQ(t.session->selectTool("Move Wall"), kNoErr);
            ASSERT_EQ(t.Drag({305, 150}, {355, 170}), kNoErr);
        },
        [](HouseEditsTest& t) { ASSERT_EQ(t.Wall({200, 100}, {200, 150}), kNoErr); },
        [](HouseEditsTest& t) {
            ASSERT_EQ(t.session->selectTool("Remove Wall"), kNoErr);
            ASSERT_EQ(t.session->click({200, 205}), kNoErr);
        },
        [](HouseEditsTest& t) {
            ASSERT_EQ(t.session->selectTool("Remove Wall"), kNoErr);
            ASSERT_EQ(t.session->click({200, 95}), kNoErr);
        },
    };
    // The path below the house record to a key, "" when it is nowhere.
    const std::function<std::string(const standin::Dict*, const std::string&)> find =
        [&](const standin::Dict* d, const std::string& key) -> std::string {
        for (const auto& [k, v] : d->entries) {
            if (k == key) return k.str();
            const auto* link = std::get_if<standin::DictLink>(&v);
            if (!link) continue;
            if (std::string below = find(doc->dict(link->id), key); !below.empty()) return k.str() + "/" + below;
        }
        return "";
    };
    for (size_t e = 0; e < std::size(edits); ++e) {
        SCOPED_TRACE("edit " + std::to_string(e));
        Room();
        ASSERT_EQ(session->hostEvent([&] {
            const standin::Dict* house = Sub(doc->dict(Houses().back()->dictionary), "PW4_House");
            const standin::Dict* wall0 = Sub(house, "PW4_Wall_0");
            const standin::ObjId opening = doc->newDict(), mark9 = doc->newDict(), mark4 = doc->newDict();
            doc->editDict(opening)->set("PW4_Opening_kind", int32_t{2});
            doc->editDict(opening)->set("PW4_Opening_at", AIReal{60});
            doc->editDict(opening)->set("PW4_Opening_width", AIReal{20});
            doc->editDict(opening)->set("PW4_Opening_side", int32_t{0});
            doc->editDict(opening)->set("PW4_Opening_hinge", int32_t{0});
            doc->editDict(opening)->set("ZZ9_Opening_glass", true);
            doc->editDict(wall0->id)->set("PW4_Opening_0", standin::DictLink{opening});
            // Before the move, a count that lost the window: it is read all the same.
            doc->editDict(wall0->id)->set("PW4_Wall_openings", int32_t{e == 0 ? 0 : 1});
            doc->editDict(Sub(house, "PW4_Wall_1")->id)->set("ZZ9_Wall_colour", int32_t{3});
            doc->editDict(mark9)->set("ZZ9_Mark9", int32_t{9});
            doc->editDict(mark4)->set("ZZ9_Mark4", int32_t{4});
            standin::Dict* h = doc->editDict(house->id);
            h->set("ZZ9_House_note", standin::DictText("north"));
            h->set("PW4_Wall_9", standin::DictLink{mark9});
            h->set("PW4_Wall_4", standin::DictLink{mark4});
            return kNoErr;
        }), kNoErr);
        const size_t alerts = Alerts().size();
        edits[e](*this);
        ASSERT_EQ(Houses().size(), 1u);
        const standin::Dict* house = Sub(doc->dict(Houses().back()->dictionary), "PW4_House");
        for (const auto& k : kinds) EXPECT_EQ(find(house, k.marker), k.after[e]) << k.marker;
        const bool replaced = *kinds[4].after[e] == '\0', mended = e == 0;
        ASSERT_EQ(Alerts().size(), alerts + (replaced || mended ? 1 : 0));
        if (replaced) {
            EXPECT_NE(LastAlert().find("were replaced: PW4_Wall_4"), std::string::npos) << LastAlert();
        }
        if (mended) {
            EXPECT_EQ(Walls()[0].openings.size(), 1u);
            EXPECT_NE(LastAlert().find("completed from what was left of them: PW4_Wall_0: PW4_Wall_openings 0, set to 1"),
                      std::string::npos) << LastAlert();
        }
        ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(Houses().back()->parent); }), kNoErr);
    }
}

TEST_F(HouseEditsTest, AHouseTakenOutOfItsGroupIsEditedInItsPlaceAndTheLayerKeepsTheRest) {
    const standin::ObjId mine = Polyline({{500, 500}, {600, 600}});
    Room();
    const standin::Art* house = Houses().back();
    const standin::ObjId group = house->parent;
    ASSERT_EQ(session->hostEvent([&] { return doc->reorderArt(house->id, kPlaceAbove, group); }), kNoErr);
    ASSERT_EQ(session->selectTool("Remove Wall"), kNoErr);
    ASSERT_EQ(session->click({200, 95}), kNoErr);
    EXPECT_EQ(Walls().size(), 3u);
    EXPECT_NE(doc->art(mine), nullptr);
}

// A paint told apart from the others by its stroke's width; `filled` with a grey fill.
AIPathStyle Paint(AIReal width, bool filled = false) {
    AIPathStyle p{};
    p.strokePaint = true;
    p.stroke.color.kind = kGrayColor;
    p.stroke.color.c.g.gray = 1;
    p.stroke.width = width;
    p.stroke.miterLimit = 4;
    p.fillPaint = filled;
    p.fill.color.kind = kGrayColor;
    p.fill.color.c.g.gray = 0.25f;
    return p;
}
bool SamePaint(const AIPathStyle& a, const AIPathStyle& b) {
    return a.fillPaint == b.fillPaint && a.strokePaint == b.strokePaint && a.fill.color == b.fill.color &&
           a.stroke.color == b.stroke.color && a.stroke.width == b.stroke.width && a.evenodd == b.evenodd;
}

// The user repaints a room's walls grey and its door and window lines, then changes the
// paint of new art: every edit draws the house again in its own paint, part by part, and
// only a new door or window (and a new house) takes the paint of new art.
TEST_F(HouseEditsTest, EveryPartOfAHouseKeepsThePaintItWasDrawnIn) {
    constexpr AIReal kWalls = 0.75f, kDoor = 3, kWindow = 0.5f, kNewArt = 5;
    // Where each kind of line lies: the door cut in the bottom wall, the window in the
    // right one, and the opening an edit adds to the top or left wall.
    enum Place { kDoorLine, kWindowLine, kNewLine };
    const auto placeOf = [](const standin::Art& line) {
        const AIRealPoint p = line.segments[0].p;
        return p.v < 100 ? kDoorLine : p.h >= 300 && p.v > 100 && p.v < 200 ? kWindowLine : kNewLine;
    };
    const struct {
        const char* edit;
        std::function<void(HouseEditsTest&)> make;
        size_t newLines;
    } edits[] = {
        {"a door", [](HouseEditsTest& t) {
             ASSERT_EQ(t.session->selectTool("Door Insertion"), kNoErr);
             ASSERT_EQ(t.session->click({150, 205}), kNoErr);
         }, 2},
        {"a window", [](HouseEditsTest& t) {
             ASSERT_EQ(t.session->selectTool("Window Insertion"), kNoErr);
             ASSERT_EQ(t.session->click({95, 150}), kNoErr);
         }, 3},
        {"a wall added", [](HouseEditsTest& t) { ASSERT_EQ(t.Wall({200, 100}, {200, 150}), kNoErr); }, 0},
        {"the window's wall moved", [](HouseEditsTest& t) {
             ASSERT_EQ(t.session->selectTool("Move Wall"), kNoErr);
             ASSERT_EQ(t.Drag({305, 185}, {315, 185}), kNoErr);
         }, 0},
        {"a wall removed", [](HouseEditsTest& t) {
             ASSERT_EQ(t.session->selectTool("Remove Wall"), kNoErr);
             ASSERT_EQ(t.session->click({95, 150}), kNoErr);
         }, 0},
    };
    ASSERT_EQ(session->selectTool("Door Insertion"), kNoErr);
    Answer("DoorOptions", {Type(4, "30"), Press(1)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    ASSERT_EQ(session->selectTool("Window Insertion"), kNoErr);
    Answer("WindowOptions", {Type(4, "40"), Press(1)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    for (const auto& e : edits) {
        SCOPED_TRACE(e.edit);
        ASSERT_EQ(session->hostEvent([] {
            const AIPathStyle plain = Paint(1);
            return sAIPathStyle->SetCurrentPathStyle(&plain);
        }), kNoErr);
        Room();
        ASSERT_EQ(session->selectTool("Door Insertion"), kNoErr);
        ASSERT_EQ(session->click({150, 93}), kNoErr);
        ASSERT_EQ(session->selectTool("Window Insertion"), kNoErr);
        ASSERT_EQ(session->click({305, 150}), kNoErr);
        const standin::ObjId group = Houses().back()->parent;
        ASSERT_EQ(session->hostEvent([&] {
            const AIPathStyle paints[] = {Paint(kDoor), Paint(kWindow)};
            for (standin::ObjId c : doc->children(group)) {
                const standin::Art& a = *doc->art(c);
                const AIPathStyle walls = Paint(kWalls, true);
                const AIPathStyle& paint = a.type == kCompoundPathArt ? walls : paints[placeOf(a)];
                if (AIErr err = sAIPathStyle->SetPathStyle(standin::suites::artHandle(c), &paint)) return err;
            }
            const AIPathStyle newArt = Paint(kNewArt, true);
            return sAIPathStyle->SetCurrentPathStyle(&newArt);
        }), kNoErr);

        e.make(*this);
        ASSERT_EQ(Houses().size(), 1u);
        const standin::Art& house = *Houses().back();
        EXPECT_TRUE(SamePaint(house.style, Paint(kWalls, true))) << "the walls' grey fill and their stroke";
        size_t lines[3] = {};
        for (standin::ObjId c : doc->children(house.parent)) {
            const standin::Art& a = *doc->art(c);
            if (a.id == house.id) continue;
            const Place place = placeOf(a);
            ++lines[place];
            const AIReal width[] = {kDoor, kWindow, kNewArt};
            EXPECT_EQ(a.style.stroke.width, width[place]) << "line " << c << " at " << a.segments[0].p.h << ", "
                                                          << a.segments[0].p.v;
            EXPECT_EQ(a.style.fillPaint, false);
        }
        EXPECT_EQ(lines[kDoorLine], 2u);
        EXPECT_EQ(lines[kWindowLine], 3u);
        EXPECT_EQ(lines[kNewLine], e.newLines);
        ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(house.parent); }), kNoErr);
    }
    // A new house takes the paint of new art, its rooms left empty by the non-zero rule.
    ASSERT_EQ(Wall({100, 100}, {300, 100}), kNoErr);
    AIPathStyle expected = Paint(kNewArt, true);
    expected.evenodd = false;
    EXPECT_TRUE(SamePaint(Houses().back()->style, expected));
}

}  // namespace
}  // namespace drawtest
