// Feeds arbitrary house records, as a damaged or foreign document may hold them (any number
// of walls and openings, reals of any value, entries missing or of another type), with
// click records of dimensions on the house's outline, to the reader and to one wall tool
// pressed on or near the house: remove, move, a dragged or a typed wall, a door or a
// window. None may crash, hang or keep a dictionary reference; a house whose record read
// must still read once the tool has written it; a house whose record did not read is left
// as it was; and while a house is left, every click record on it is kept.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzPlugin.h"
#include "architecture/ArchitectureGlobals.h"
#include "architecture/HouseArt.h"
#include "architecture/HouseRecord.h"
#include "architecture/PWOpeningTools.h"
#include "architecture/WallTools.h"
#include "core/PlotwisePlugin.h"
#include "dimensions/DimensionStorage.h"
#include "suites/Suites.h"

namespace {

constexpr GlobalsView<PlotwiseGlobals> g;

// The input, with lengths mostly plain and sometimes anything.
struct Input : FuzzInput {
    // A length in quarter points from -31.75 to 31.75, or (after -128) any real.
    double length() {
        const auto b = static_cast<int8_t>(byte());
        return b == -128 ? static_cast<double>(real()) : b / 4.0;
    }
};

// A wall's or opening's entries as a document holds them, written here without the
// plug-in's writer; `spoil` leaves one out or gives it another type.
struct Record {
    standin::Document& doc;
    Input& in;
    standin::ObjId dict;
    void real(const char* key, AIReal value) { doc.editDict(dict)->set(key, value); }
    void whole(const char* key, int32_t value) { doc.editDict(dict)->set(key, value); }
    void spoil(const std::vector<std::string>& keys) {
        for (int n = in.byte() % 3; n > 0 && !keys.empty(); --n) {
            const std::string& key = keys[in.byte() % keys.size()];
            switch (in.byte() % 4) {
                case 0: doc.editDict(dict)->erase(key); break;
                case 1: doc.editDict(dict)->set(key, std::string("x")); break;
                case 2: doc.editDict(dict)->set(key, in.real()); break;
                default: doc.editDict(dict)->set(key, static_cast<int32_t>(in.small(-2, 8))); break;
            }
        }
    }
};

const std::vector<std::string> kWallKeys = {"PW4_Wall_startH", "PW4_Wall_startV", "PW4_Wall_endH", "PW4_Wall_endV",
                                            "PW4_Wall_thickness", "PW4_Wall_datum", "PW4_Wall_openings"};
const std::vector<std::string> kOpeningKeys = {"PW4_Opening_at", "PW4_Opening_width", "PW4_Opening_kind",
                                               "PW4_Opening_side", "PW4_Opening_hinge"};

// The walls of the input.
std::vector<Wall> WallsFrom(Input& in) {
    std::vector<Wall> walls(in.byte() % 17);
    for (Wall& w : walls) {
        w.start = {in.real(), in.real()};
        w.end = {in.real(), in.real()};
        w.thickness = in.real();
        w.datum = in.small(0, 3);
        w.openings.resize(in.byte() % 5);
        for (WallOpening& o : w.openings) {
            o.at = in.real();
            o.width = in.real();
            o.kind = in.small(1, 2);
            o.side = in.small(0, 2);
            o.hinge = in.small(0, 2);
        }
    }
    return walls;
}

// The record the walls make on the house path, spoiled here and there.
void WriteRecord(standin::Document& doc, standin::ObjId path, const std::vector<Wall>& walls, Input& in) {
    Record house{doc, in, doc.newDict()};
    house.whole("PW4_House_count", static_cast<int32_t>(walls.size()));
    for (size_t i = 0; i < walls.size(); ++i) {
        const Wall& w = walls[i];
        Record wall{doc, in, doc.newDict()};
        wall.real("PW4_Wall_startH", static_cast<AIReal>(w.start.h));
        wall.real("PW4_Wall_startV", static_cast<AIReal>(w.start.v));
        wall.real("PW4_Wall_endH", static_cast<AIReal>(w.end.h));
        wall.real("PW4_Wall_endV", static_cast<AIReal>(w.end.v));
        wall.real("PW4_Wall_thickness", static_cast<AIReal>(w.thickness));
        wall.whole("PW4_Wall_datum", w.datum);
        wall.whole("PW4_Wall_openings", static_cast<int32_t>(w.openings.size()));
        for (size_t k = 0; k < w.openings.size(); ++k) {
            const WallOpening& o = w.openings[k];
            Record opening{doc, in, doc.newDict()};
            opening.real("PW4_Opening_at", static_cast<AIReal>(o.at));
            opening.real("PW4_Opening_width", static_cast<AIReal>(o.width));
            opening.whole("PW4_Opening_kind", o.kind);
            opening.whole("PW4_Opening_side", o.side);
            opening.whole("PW4_Opening_hinge", o.hinge);
            opening.spoil(kOpeningKeys);
            doc.editDict(wall.dict)->set("PW4_Opening_" + std::to_string(k), standin::DictLink{opening.dict});
        }
        wall.spoil(kWallKeys);
        doc.editDict(house.dict)->set("PW4_Wall_" + std::to_string(i), standin::DictLink{wall.dict});
    }
    house.spoil({"PW4_House_count"});
    doc.editDict(doc.dictionaryOf(path))->set("PW4_House", standin::DictLink{house.dict});
}

// The house of the input: its art drawn from its walls when they can be drawn, else a
// frame in a group, and its record as the input has it.
standin::ObjId HouseFrom(standin::Document& doc, Input& in, std::vector<Wall>* walls) {
    *walls = WallsFrom(in);
    standin::ObjId path = 0;
    House drawn;
    if (HouseRecordProblem(*walls).empty() && DrawHouse(*walls, nullptr, &drawn) == kNoErr && drawn.path) {
        path = standin::fromHandle(drawn.path);
    } else {
        standin::ObjId group = 0, frame = 0;
        doc.newArt(kGroupArt, kPlaceAboveAll, 0, &group);
        doc.newArt(kCompoundPathArt, kPlaceInsideOnTop, group, &path);
        doc.addRect(100, 100, 200, 100, &frame);
        doc.reorderArt(frame, kPlaceInsideOnTop, path);
    }
    WriteRecord(doc, path, *walls, in);
    return path;
}

// Clicks of dimensions on the outline's contours, each (id, click) once; `damaged` tells
// whether one of them was spoiled.
void AddClicks(standin::Document& doc, standin::ObjId path, Input& in, bool* damaged) {
    const std::vector<standin::ObjId> contours = doc.children(path);
    if (contours.empty()) return;
    for (int32_t n = in.byte() % 6, k = 0; k < n; ++k) {
        Plotwise3_dimensioned_object_data c{};
        c.id = in.small(1, 3);
        c.clickNum = k + 1;
        c.clickType = in.small(-1, 6);
        c.segNumBefore = in.small(-2, 12);
        c.segNumAfter = in.small(-2, 12);
        c.dimType = in.small(0, 29);
        c.t = static_cast<AIReal>(in.byte()) / 255;
        c.x = in.real();
        c.y = in.real();
        const AIArtHandle art = standin::suites::artHandle(contours[in.byte() % contours.size()]);
        SetDimensionedObjectData(art, &c);
        // Now and then a click that cannot be read, or links that are not a dictionary.
        const uint8_t spoil = in.byte();
        if (spoil < 0xFE) continue;
        *damaged = true;
        const standin::ObjId dict = doc.dictionaryOf(standin::fromHandle(art));
        if (spoil == 0xFE) {
            doc.editDict(dict)->set("ZA3_Object", int32_t{7});
            continue;
        }
        const standin::ObjId links = SubDictionary(doc, dict, "ZA3_Object");
        const standin::ObjId link = SubDictionary(doc, links, "ZA3_Obj_data_" + std::to_string(c.id));
        if (const standin::ObjId click = SubDictionary(doc, link, "ZA3_Click_data_" + std::to_string(c.clickNum)))
            doc.editDict(click)->set("ZA3_Obj_t", std::string("x"));
    }
}

// Where the tool is pressed: on a wall of the input (a share of its way, a little beside
// it) or anywhere.
AIRealPoint Press(const std::vector<Wall>& walls, Input& in) {
    if (walls.empty() || (in.byte() & 0x80)) return {in.real(), in.real()};
    const Wall& w = walls[in.byte() % walls.size()];
    const double share = in.byte() / 255.0, aside = in.length();
    return {static_cast<AIReal>(w.start.h + (w.end.h - w.start.h) * share + aside),
            static_cast<AIReal>(w.start.v + (w.end.v - w.start.v) * share + in.length())};
}

// The click records of the document, those a redraw cannot use on the art they now lie on
// counted too (a click kept in the house path's links when its place on the outline is gone).
size_t Clicks(standin::Document& doc) {
    size_t count = 0;
    const auto counted = [&](auto&&) {
        ++count;
        return kNoErr;
    };
    doc.walk([&](const standin::Art& a, int) {
        (void)ForEachDimensionedObjectData(standin::suites::artHandle(a.id), counted, counted);
    });
    return count;
}

// The houses of the document and whether each record reads.
std::vector<std::pair<standin::ObjId, AIErr>> Houses(standin::Document& doc) {
    std::vector<std::pair<standin::ObjId, AIErr>> houses;
    doc.walk([&](const standin::Art& a, int) {
        const AIArtHandle art = standin::suites::artHandle(a.id);
        if (!HasHouseRecord(art)) return;
        std::vector<Wall> walls;
        std::string problem;
        houses.emplace_back(a.id, ReadHouseRecord(art, &walls, &problem));
    });
    return houses;
}

using Gesture = AIErr (*)(Input&);
const Gesture kGestures[] = {
    [](Input&) { return doRemoveWallTool(); },
    [](Input&) -> AIErr {
        (void)MoveWallMouseDown();
        (void)doMoveWallTool();
        return MoveWallMouseUp();
    },
    [](Input&) -> AIErr {
        (void)AddWallMouseDown();
        (void)doAddWallTool();
        return EndWallGesture();
    },
    [](Input& in) { return doInputWallTool(in.real(), in.real()); },
    [](Input&) { return PWDoorInsertionTool::getInstance()->mouseUp(g->firstClick, false); },
    [](Input&) { return PWWindowInsertionTool::getInstance()->mouseUp(g->firstClick, false); },
};

// The routines need the life-cycle suites too, and the doors and windows of the walls
// example: 900 and 1200 mm at 1:100.
struct World : FuzzPluginWorld {
    World() {
        if (AcquireLifeCycleSuites(host.basicSuite()) != kNoErr) std::abort();
        host.preferences().putString("ZMKPWDoorInsertionTool", "width", "25.51181");
        host.preferences().putString("ZMKPWWindowInsertionTool", "width", "34.015747");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World world;
    Input in{{data, size}};
    g->prefs.wallThickness = static_cast<float>(in.length());
    g->prefs.wallDatum = in.small(0, 3);
    g->prefs.scaler = 100;
    g->prefs.showWallInfo = 1;
    standin::Document& doc = world.host.newDocument();
    world.host.beginMessage();
    sAILayer->GetCurrentLayer(&g->saveLayer);

    std::vector<Wall> walls;
    const standin::ObjId path = HouseFrom(doc, in, &walls);
    bool damagedClicks = false;
    AddClicks(doc, path, in, &damagedClicks);
    const Gesture gesture = kGestures[in.byte() % std::size(kGestures)];
    g->firstClick = g->startingPoint = Press(walls, in);
    g->endPoint = {static_cast<AIReal>(g->firstClick.h + in.length()),
                   static_cast<AIReal>(g->firstClick.v + in.length())};

    std::vector<Wall> read;
    std::string problem;
    const AIErr before = ReadHouseRecord(standin::suites::artHandle(path), &read, &problem);
    const standin::ObjId record = std::get<standin::DictLink>(*doc.dict(doc.dictionaryOf(path))->find("PW4_House")).id;
    const size_t clicks = Clicks(doc);
    (void)gesture(in);

    const auto houses = Houses(doc);
    for (const auto& [house, err] : houses)
        if (before == kNoErr && err != kNoErr) std::abort();  // a record written that does not read
    if (before != kNoErr) {
        // A house that cannot be read is left as it was.
        const standin::DictValue* now = doc.art(path) ? doc.dict(doc.dictionaryOf(path))->find("PW4_House") : nullptr;
        if (!now || std::get<standin::DictLink>(*now).id != record) std::abort();
    }
    if (!houses.empty() && !damagedClicks && Clicks(doc) != clicks) std::abort();  // a click lost
    if (g->wallPreviewPending != 0) std::abort();

    world.host.endMessage();
    world.host.closeDocument(doc);
    world.RequireNoDictionaryLeft();
    return 0;
}
