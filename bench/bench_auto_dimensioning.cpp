// What automatic dimensioning costs as documents grow. Each document holds N small
// rectangles in a grid (each gets its width and height); one run dimensions the whole
// document. Reported as a ratio measured in the same run:
//   BM_AutoDimensioningScaling   runs on documents of 1,000 and 10,000 rectangles, each on a
//                                fresh document, "ratio_10000_to_1000" (linear: 10).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "PluginSession.h"
#include "core/PlotwiseSuites.h"
#include "dimtools/AutoDimensioning.h"
#include "module/PlotwiseGlobals.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr GlobalsView<PlotwiseGlobals> g;

// 6-point text 6 points off each side; width and height only.
struct Session : PluginSession {
    Session() : PluginSession(6) {
        auto& p = g->prefs;
        p.style.autoDimensionOffset = 6;
        p.AutoDimensionHorizontal = p.AutoDimensionVertical = 1;
        p.AutoDimensionInclined = p.AutoDimensionRadialCrosshairs = 0;
    }
};

// A fresh document in front holding n rectangles, 100 to a row.
standin::Document& Fill(Session& s, int n) {
    standin::Document& doc = s.driver->newDocument(4000, 4000);
    s.driver->setFrontDocument(doc);
    s.host.beginMessage();
    for (int i = 0; i < n; ++i)
        doc.addRect(static_cast<AIReal>(i % 100) * 40, static_cast<AIReal>(i / 100) * 40, 14, 9);
    s.host.endMessage();
    doc.journal().commit();
    return doc;
}

std::chrono::duration<double> AutoDimension(Session& s, standin::Document& doc) {
    s.driver->setFrontDocument(doc);
    s.host.beginMessage();
    const auto t0 = Clock::now();
    CreateAutoDimensions(kProcessAllArt);
    const std::chrono::duration<double> spent = Clock::now() - t0;
    s.host.endMessage();
    doc.journal().commit();
    return spent;
}

void BM_AutoDimensioningScaling(benchmark::State& state) {
    Session s;
    std::chrono::duration<double> spent[2] = {};
    const int sizes[2] = {1000, 10000};
    int32_t made = 0;
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            state.PauseTiming();
            standin::Document& doc = Fill(s, sizes[k]);
            state.ResumeTiming();
            spent[k] += AutoDimension(s, doc);
            state.PauseTiming();
            made = g->prefs.style.id;  // dimensions of the last document (each fresh, from 0)
            s.driver->closeDocument();  // the one in front
            state.ResumeTiming();
        }
    }
    state.counters["ratio_10000_to_1000"] = spent[1].count() / spent[0].count();
    state.counters["dimensions_of_10000"] = made;
}
BENCHMARK(BM_AutoDimensioningScaling)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
