// The plug-in started in a stand-in host with one document, and a tracker panel stand-in
// of the test's own that records what the tools report. Art is read back from the host's
// model, so what a tool drew is checked independently of the tool's routines.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ADMDialog.h"
#include "ADMItem.h"
#include "AITool.h"
#include "PluginSessionFixture.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/NumericInputDialogs.h"

namespace drawtest {

struct TrackerReport {
    double x, y, w, h, width, height, seventh, angle, length, perimeter, area;
};

// What the tracker stand-in was told, in order: "tracker" or "labels a b".
inline std::vector<std::string> gTrackerLog;
inline std::vector<TrackerReport> gTrackerReports;
inline std::vector<std::pair<int32_t, int32_t>> gCaptions;
inline AIErr gTrackerResult = kNoErr;

inline AIErr RecordTracker(double x, double y, double w, double h, double width, double height, double seventh,
                           double angle, double length, double perimeter, double area) {
    gTrackerReports.push_back({x, y, w, h, width, height, seventh, angle, length, perimeter, area});
    gTrackerLog.push_back("tracker");
    return gTrackerResult;
}

inline AIErr RecordCaptions(int32_t first, int32_t second) {
    gCaptions.emplace_back(first, second);
    gTrackerLog.push_back("labels " + std::to_string(first) + " " + std::to_string(second));
    return kNoErr;
}

// The smallest normal float: an empty tracker field.
constexpr AIReal kEmpty = 1.17549435e-38f;

struct DrawToolsTest : plugintest::PluginSessionTest {
    PlotwiseSubsystem panels{.name = "tracker stand-in"};

    void SetUp() override {
        gTrackerLog.clear();
        gTrackerReports.clear();
        gCaptions.clear();
        gTrackerResult = kNoErr;
        panels.services.updateTrackerWindow = &RecordTracker;
        panels.services.updateTrackerWindowLabels = &RecordCaptions;
        AddPlotwiseSubsystem(&panels);
        PluginSessionTest::SetUp();
        if (HasFatalFailure()) return;
        // Plain settings: lengths in points with two decimals, drawing at 1:1.
        g->prefs.NumericInputUnits = 0;
        g->prefs.NumericInputPrecision = 2;
        g->prefs.scaler = 1.0f;
    }

    void TearDown() override {
        for (ADMDialogRef d : opened) sADMDialog->Destroy(d);
        PluginSessionTest::TearDown();
        RemovePlotwiseSubsystem(&panels);
    }

    // --- the document ---

    std::vector<const standin::Art*> Paths() const {
        std::vector<const standin::Art*> paths;
        doc->walk([&](const standin::Art& a, int) {
            if (a.type == kPathArt) paths.push_back(&a);
        });
        return paths;
    }
    size_t PathCount() const { return Paths().size(); }
    // The groups below the layers (the layers' own groups left out).
    size_t GroupCount() const {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.type == kGroupArt && !a.layer ? 1 : 0; });
        return n;
    }
    const standin::Art* Only() const {
        auto paths = Paths();
        return paths.size() == 1 ? paths[0] : nullptr;
    }
    // Puts the art into a new group of its own, which a dimension's style record makes a
    // dimension when asked.
    void Grouped(standin::ObjId art, bool dimension = false) {
        session->hostEvent([&] {
            standin::ObjId group = 0;
            if (AIErr err = doc->newArt(kGroupArt, kPlaceAbove, art, &group)) return err;
            if (dimension) doc->editDict(doc->dictionaryOf(group))->set("ZA3_Dimension", int32_t{1});
            return doc->reorderArt(art, kPlaceInsideOnTop, group);
        });
    }
    void Dimension(standin::ObjId art) { Grouped(art, true); }
    // A path the host draws itself, as the user's existing art.
    standin::ObjId AddPath(const std::vector<AIPathSegment>& segments, bool closed = false) {
        standin::ObjId id = 0;
        EXPECT_EQ(session->hostEvent([&] { return doc->addPath(segments, closed, &id); }), kNoErr);
        return id;
    }

    // --- gestures ---

    AIErr Drag(AIRealPoint from, AIRealPoint to, uint32_t modifiers = 0) {
        // A first step clear of the press, then the cursor's place; a refused press is let go all the same.
        AIErr pressed = session->mouseDown(from, modifiers);
        AIErr dragged = session->mouseDrag({from.h + 5, from.v + 5}, modifiers);
        AIErr last = session->mouseDrag(to, modifiers);
        AIErr up = session->mouseUp(to, modifiers);
        return pressed ? pressed : dragged ? dragged : last ? last : up;
    }

    // --- dialogs ---

    static standin::UserAction Type(int32_t item, const std::string& text) {
        standin::UserAction a;
        a.kind = standin::UserAction::Kind::SetText;
        a.item = item;
        a.text = text;
        return a;
    }
    static standin::UserAction Value(int32_t item, float value) {
        standin::UserAction a;
        a.kind = standin::UserAction::Kind::SetValue;
        a.item = item;
        a.value = value;
        return a;
    }
    static standin::UserAction Press(int32_t item) {
        standin::UserAction a;
        a.kind = standin::UserAction::Kind::Press;
        a.item = item;
        return a;
    }
    void Answer(const std::string& dialog, std::vector<standin::UserAction> actions) {
        session->dialogs().queueModalAnswer({dialog, std::move(actions)});
    }
    const std::vector<std::string>& DialogFailures() { return session->dialogs().failures(); }
    // A numeric-input dialog opened as a floating one, so its items can be looked at
    // between the user's actions; closed at the end of the test.
    ADMDialogRef OpenFloating(int32_t id) {
        const NumericInputDialog* row = FindNumericInputDialog(id);
        EXPECT_NE(row, nullptr);
        ADMDialogRef d = nullptr;
        session->hostEvent([&] {
            d = sADMDialog->Create(g->thisPlugin, row->name, id, kADMFloatingDialogStyle, &initNumericInputDialog,
                                   nullptr, 0);
            return kNoErr;
        });
        EXPECT_NE(d, nullptr);
        opened.push_back(d);
        return d;
    }
    std::string Text(ADMDialogRef d, int32_t item) {
        char buffer[256] = {};
        sADMItem->GetText(sADMDialog->GetItem(d, item), buffer, sizeof buffer);
        return buffer;
    }
    std::vector<ADMDialogRef> opened;
};

// How near a point drawn must lie to where it should (EXPECT_PT).
constexpr AIReal kTol = 1e-3f;

inline bool Near(AIRealPoint p, AIReal h, AIReal v, AIReal tol = kTol) {
    return std::fabs(p.h - h) <= tol && std::fabs(p.v - v) <= tol;
}

}  // namespace drawtest
