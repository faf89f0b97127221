// What a house keeps when it is edited: a value its record could not keep is refused in
// words before anything is drawn, a house whose record cannot be read is never built over,
// and a house taken out of its group is drawn again without its layer.
#include <functional>
#include <limits>
#include <string>

#include "architecture/HouseRecord.h"
#include "architecture/WallToolsFixture.h"
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
            doc->editDict(wall0->id)->set("PW4_Wall_openings", int32_t{1});
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
        const bool replaced = *kinds[4].after[e] == '\0';
        ASSERT_EQ(Alerts().size(), alerts + (replaced ? 1 : 0));
        if (replaced) {
            EXPECT_NE(LastAlert().find("were replaced: PW4_Wall_4"), std::string::npos) << LastAlert();
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

}  // namespace
}  // namespace drawtest
