// The wall tools' tests share a session with a document, the walls of its houses read back
// from the host's own model (not through the record's reader), and a room drawn as a
// drafter drags it.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawtools/DrawToolsFixture.h"

namespace drawtest {

struct StoredOpening {
    int32_t kind, side, hinge;
    AIReal at, width;
};
struct StoredWall {
    AIRealPoint start, end;
    AIReal thickness;
    int32_t datum;
    std::vector<StoredOpening> openings;
};

struct WallToolsTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        g->prefs.wallThickness = 10;
        g->prefs.wallDatum = 1;  // inside face: the wall lies right of the line drawn
    }

    const standin::Dict* Sub(const standin::Dict* d, const std::string& key) const {
        const auto* link = d ? std::get_if<standin::DictLink>(d->find(key)) : nullptr;
        return link ? doc->dict(link->id) : nullptr;
    }
    template <class T>
    T Get(const standin::Dict* d, const std::string& key) const {
        return std::get<T>(*d->find(key));
    }
    // The art that carries a house record, the first drawn first (lowest in paint order).
    std::vector<const standin::Art*> Houses() const {
        std::vector<const standin::Art*> houses;
        doc->walk([&](const standin::Art& a, int) {
            if (Sub(doc->dict(a.dictionary), "PW4_House")) houses.insert(houses.begin(), &a);
        });
        return houses;
    }
    // The walls of a house (the first drawn, by default), as its record holds them.
    std::vector<StoredWall> Walls(size_t which = 0) const {
        const auto houses = Houses();
        std::vector<StoredWall> walls;
        if (houses.size() <= which) return walls;
        const standin::Dict* house = Sub(doc->dict(houses[which]->dictionary), "PW4_House");
        for (int32_t i = 0; i < Get<int32_t>(house, "PW4_House_count"); ++i) {
            const standin::Dict* w = Sub(house, "PW4_Wall_" + std::to_string(i));
            StoredWall s{{Get<AIReal>(w, "PW4_Wall_startH"), Get<AIReal>(w, "PW4_Wall_startV")},
                         {Get<AIReal>(w, "PW4_Wall_endH"), Get<AIReal>(w, "PW4_Wall_endV")},
                         Get<AIReal>(w, "PW4_Wall_thickness"), Get<int32_t>(w, "PW4_Wall_datum"), {}};
            for (int32_t k = 0; k < Get<int32_t>(w, "PW4_Wall_openings"); ++k) {
                const standin::Dict* o = Sub(w, "PW4_Opening_" + std::to_string(k));
                s.openings.push_back({Get<int32_t>(o, "PW4_Opening_kind"), Get<int32_t>(o, "PW4_Opening_side"),
                                      Get<int32_t>(o, "PW4_Opening_hinge"), Get<AIReal>(o, "PW4_Opening_at"),
                                      Get<AIReal>(o, "PW4_Opening_width")});
            }
            walls.push_back(s);
        }
        return walls;
    }
    // The outline's contours of the only house, each as its anchors.
    std::vector<std::vector<AIRealPoint>> Contours() const {
        std::vector<std::vector<AIRealPoint>> out;
        const auto houses = Houses();
        if (houses.size() != 1) return out;
        for (standin::ObjId c : doc->children(houses[0]->id)) {
            out.emplace_back();
            for (const AIPathSegment& s : doc->art(c)->segments) out.back().push_back(s.p);
        }
        return out;
    }
    AIErr Wall(AIRealPoint from, AIRealPoint to, uint32_t modifiers = 0) {
        if (AIErr err = session->selectTool("Add Wall")) return err;
        return Drag(from, to, modifiers);
    }
    // A 200 by 100 room drawn counter-clockwise from (100, 100) along its inside faces.
    void Room() {
        ASSERT_EQ(Wall({100, 100}, {300, 100}), kNoErr);
        ASSERT_EQ(Wall({300, 100}, {300, 200}), kNoErr);
        ASSERT_EQ(Wall({300, 200}, {100, 200}), kNoErr);
        ASSERT_EQ(Wall({100, 200}, {100, 100}), kNoErr);
    }
    std::string LastAlert() const {
        const auto alerts = Alerts();
        return alerts.empty() ? std::string() : alerts.back();
    }
};

}  // namespace drawtest
