// The depth tools and the isometric panel on large drawings, through a session with the
// shipped preferences (object snap on), each benchmark alternating the two drawings it
// compares so that noise hits both, with its goal beside its ratio ("goal"):
//   BM_DepthRectangleGesture  a press, five drags and the release of the depth rectangle
//                             tool on a drawing of 10,000 rectangles lying away from it,
//                             against an empty one (2): each drag hit-tests two points and
//                             projects one shape, whatever else the drawing holds;
//   BM_ViewChangeInPanel      choosing another view in the isometric panel, every art of
//                             the drawing on a face, 2,000 against 200 (11): the change
//                             re-projects each art once;
//   BM_ViewChangeWithCylinders  the same on a drawing of 1,000 cylinders against one of 100
//                             (12): each cylinder's base is projected again and its body
//                             built anew once.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "PluginSession.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/DepthPrimitiveDialogs.h"
#include "panels/IsometricPanel.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
constexpr GlobalsView<PlotwiseGlobals> g;

constexpr AIRealPoint kPress{3000, 6200};  // above every rectangle of the largest drawing

AIRealPoint Corner(int i) { return {static_cast<AIReal>(i % 100) * 60, static_cast<AIReal>(i / 100) * 60}; }

struct Session : PluginSession {
    // n rectangles 40 by 10, each projected onto the left face when `onFaces`; the history
    // forgotten, as a document just opened.
    standin::Document& Drawing(int n, bool onFaces) {
        standin::Document& doc = NewDocument(6100, 6400);
        Front(doc);
        driver->hostEvent([&] {
            for (int i = 0; i < n; ++i) {
                standin::ObjId id = 0;
                doc.addRect(Corner(i).h, Corner(i).v, 40, 10, &id);
                if (onFaces) ProjectAxonometric(standin::toHandle<AIArtHandle>(id), kAxoLeftFace, &g->prefs.isoView);
            }
            return kNoErr;
        });
        doc.journal().clear();
        return doc;
    }
    // n cylinders 40 across and 60 long on the left face, typed as the dialog's OK draws
    // them.
    standin::Document& Cylinders(int n) {
        standin::Document& doc = NewDocument(4000, 4000);
        Front(doc);
        driver->selectTool("Depth Cylinder");
        driver->hostEvent([&] {
            g->inputCylinderWidth = g->inputCylinderHeight = 40;
            g->inputCylinderLength = 60;
            g->inputCylinderFace = kAxoLeftFace;
            for (int i = 0; i < n; ++i) {
                g->firstClick = {static_cast<AIReal>(i % 40) * 95 + 60, static_cast<AIReal>(i / 40) * 130 + 60};
                doInputCylinderTool();
            }
            return kNoErr;
        });
        doc.journal().clear();
        if (doc.artCount() < 3 * static_cast<size_t>(n)) std::fprintf(stderr, "cylinders missing\n");
        return doc;
    }
};

void Report(benchmark::State& state, double ratio, double goal) {
    state.counters["ratio"] = ratio;
    state.counters["goal"] = goal;
}

void BM_DepthRectangleGesture(benchmark::State& state) {
    Session s;
    standin::Document* docs[2] = {&s.Drawing(0, false), &s.Drawing(10000, false)};
    s.driver->selectTool("Depth Rectangle");
    Seconds spent[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            s.Front(*docs[k]);
            const size_t art = docs[k]->artCount();
            const auto t0 = Clock::now();
            s.driver->mouseDown(kPress);
            for (int step = 1; step <= 5; ++step)
                s.driver->mouseDrag({kPress.h + 20 * AIReal(step), kPress.v - 12 * AIReal(step)});
            s.driver->mouseUp({kPress.h + 100, kPress.v - 60});
            spent[k] += Clock::now() - t0;
            if (docs[k]->artCount() != art + 1) std::fprintf(stderr, "the gesture drew no face\n");
            s.driver->userUndo();  // the drawing stays as it was
        }
    }
    Report(state, spent[1] / spent[0], 2);
}
BENCHMARK(BM_DepthRectangleGesture)->MinTime(2.0)->Unit(benchmark::kMillisecond);

// Another view chosen in the panel on each drawing in turn (dimetric, high and low
// alternately); the larger drawing's time against the smaller's.
void ReportViewChanges(benchmark::State& state, Session& s, standin::Document* docs[2], double goal) {
    ADMDialogRef panel = s.driver->dialogs().findDialog("CADisometric");
    if (!panel) std::fprintf(stderr, "no isometric panel\n");
    Seconds spent[2] = {};
    int view = 9;
    for (auto _ : state) {
        view = view == 9 ? 10 : 9;
        for (int k = 0; k < 2; ++k) {
            s.Front(*docs[k]);
            const auto t0 = Clock::now();
            s.driver->hostEvent([&] {
                SetCurrentAxoView(panel, view);
                return kNoErr;
            });
            spent[k] += Clock::now() - t0;
        }
    }
    Report(state, spent[1] / spent[0], goal);
}

void BM_ViewChangeInPanel(benchmark::State& state) {
    Session s;
    standin::Document* docs[2] = {&s.Drawing(200, true), &s.Drawing(2000, true)};
    ReportViewChanges(state, s, docs, 11);
}
BENCHMARK(BM_ViewChangeInPanel)->MinTime(2.0)->Unit(benchmark::kMillisecond);

void BM_ViewChangeWithCylinders(benchmark::State& state) {
    Session s;
    standin::Document* docs[2] = {&s.Cylinders(100), &s.Cylinders(1000)};
    ReportViewChanges(state, s, docs, 12);
}
BENCHMARK(BM_ViewChangeWithCylinders)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace
