// The plug-in started in a stand-in host with one open document and the standard isometric
// view (a = 30°, b = 150°, all factors 1, tilted up), a test subsystem that counts the
// changes of the front document it follows, and helpers that read what the host holds: anchors,
// bounds, tags and the stored record, independently of the routines under test.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "PluginSessionFixture.h"
#include "SPMessages.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "suites/Suites.h"

namespace axotest {

constexpr double kPi = 3.14159265358979323846;

inline iso_view View(double aDeg, double bDeg, double af, double bf, double cf, double t) {
    iso_view v;
    v.a = static_cast<AIReal>(aDeg * kPi / 180);
    v.b = static_cast<AIReal>(bDeg * kPi / 180);
    v.af = static_cast<AIReal>(af);
    v.bf = static_cast<AIReal>(bf);
    v.cf = static_cast<AIReal>(cf);
    v.r = 45;
    v.t = static_cast<AIReal>(t);
    return v;
}

// The standard isometric view, and the same seen from below (tilt and axes turned down).
inline const iso_view kIsometric = View(30, 150, 1, 1, 1, 35.26);
inline const iso_view kIsometricBelow = View(-30, -150, 1, 1, 1, -35.26);

// Where a flat point lands on a face, from the view's axes in double precision: flat x
// runs against the receding axis b (left and top faces) or along a (right face); flat y
// runs up (side faces) or along a away from the viewer (top face).
inline AIRealPoint OnFace(const iso_view& v, int32_t face, AIRealPoint pivot, AIRealPoint flat) {
    const double dx = flat.h - pivot.h, dy = flat.v - pivot.v;
    double h = 0, w = 0;
    if (face == 0x80) {
        h = -v.bf * std::cos(v.b) * dx;
        w = -v.bf * std::sin(v.b) * dx + v.cf * dy;
    } else if (face == 0x100) {
        h = v.af * std::cos(v.a) * dx;
        w = v.af * std::sin(v.a) * dx + v.cf * dy;
    } else {
        const double away = std::cos(v.b - v.a - kPi / 2) < 0 ? -1 : 1;
        h = -v.bf * std::cos(v.b) * dx + away * v.af * std::cos(v.a) * dy;
        w = -v.bf * std::sin(v.b) * dx + away * v.af * std::sin(v.a) * dy;
    }
    return {static_cast<AIReal>(pivot.h + h), static_cast<AIReal>(pivot.v + w)};
}

struct DocumentSpy {
    int documentChanges = 0;  // the test subsystem's own following of the front document
};
inline DocumentSpy spy;

class AxoTest : public plugintest::PluginSessionTest {
protected:
    PlotwiseSubsystem testSubsystem{
        .name = "axonometric test",
        .hooks = {.documentChanged = +[]() -> AIErr { return ++spy.documentChanges, kNoErr; }},
    };

    void SetUp() override {
        spy = {};
        AddPlotwiseSubsystem(&testSubsystem);
        PluginSessionTest::SetUp();
        if (HasFatalFailure()) return;
        g->prefs.isoView = kIsometric;
        g->prefs.autoExpandAxoArt = 0;
        g->prefs.noAxoForeshortening = 1;
    }

    void TearDown() override {
        PluginSessionTest::TearDown();
        RemovePlotwiseSubsystem(&testSubsystem);
    }

    static AIArtHandle Art(standin::ObjId id) { return standin::suites::artHandle(id); }
    bool Tagged(standin::ObjId id, std::string_view name) const { return readback::Tagged(*doc, id, name); }

    standin::ObjId Ellipse(AIReal x, AIReal y, AIReal w, AIReal h) {
        standin::ObjId id = 0;
        EXPECT_EQ(doc->addEllipse(x, y, w, h, &id), kNoErr);
        return id;
    }
    standin::ObjId Group(std::initializer_list<standin::ObjId> members) {
        AIArtHandle group = nullptr;
        EXPECT_EQ(sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
        for (standin::ObjId m : members) EXPECT_EQ(sAIArt->ReorderArt(Art(m), kPlaceInsideOnBottom, group), kNoErr);
        return standin::fromHandle(group);
    }

    std::vector<AIPathSegment> Segments(standin::ObjId id) const { return doc->art(id)->segments; }
    AIRealRect Bounds(standin::ObjId id) const {
        AIRealRect r{};
        doc->bounds(id, &r);
        return r;
    }
    // The record's sub-dictionary as the host holds it (null when absent).
    const standin::Dict* Record(standin::ObjId id) const {
        const standin::Art* a = doc->art(id);
        if (!a || !a->dictionary) return nullptr;
        const standin::Dict* d = doc->dict(a->dictionary);
        const standin::DictValue* v = d ? d->find("ZA3_Axonometric") : nullptr;
        if (!v || !std::holds_alternative<standin::DictLink>(*v)) return nullptr;
        return doc->dict(std::get<standin::DictLink>(*v).id);
    }
    template <class T>
    T Stored(standin::ObjId id, const char* key) const {
        const standin::Dict* d = Record(id);
        const standin::DictValue* v = d ? d->find(key) : nullptr;
        if (!v || !std::holds_alternative<T>(*v)) {
            ADD_FAILURE() << "no " << key << " of that type on art " << id;
            return T{};
        }
        return std::get<T>(*v);
    }
};

}  // namespace axotest
