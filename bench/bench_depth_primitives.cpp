// The depth cylinder on large drawings, through a session with the shipped preferences,
// alternating the two drawings it compares so that noise hits both, with its goal beside
// its ratio ("goal"):
//   BM_ViewChangeWithCylinders  choosing another view in the isometric panel on a drawing of
//                               1,000 cylinders against one of 100 (12): each cylinder's
//                               base is projected again and its body built anew once.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "PluginSession.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/DepthPrimitiveDialogs.h"
#include "panels/IsometricPanel.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
constexpr GlobalsView<PlotwiseGlobals> g;

struct Session : PluginSession {
    // n cylinders 40 across and 60 long on the left face, typed as the dialog's OK draws
    // them; the history forgotten, as a document just opened.
    standin::Document& Drawing(int n) {
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
        if (doc.allArt().size() < 3 * static_cast<size_t>(n)) std::fprintf(stderr, "cylinders missing\n");
        return doc;
    }
};

void BM_ViewChangeWithCylinders(benchmark::State& state) {
    Session s;
    standin::Document* docs[2] = {&s.Drawing(100), &s.Drawing(1000)};
    ADMDialogRef panel = s.driver->dialogs().findDialog("CADisometric");
    if (!panel) std::fprintf(stderr, "no isometric panel\n");
    Seconds spent[2] = {};
    int view = 9;
    for (auto _ : state) {
        view = view == 9 ? 10 : 9;  // dimetric, high and low in turn
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
    state.counters["ratio"] = spent[1] / spent[0];
    state.counters["goal"] = 12;
}
BENCHMARK(BM_ViewChangeWithCylinders)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace
