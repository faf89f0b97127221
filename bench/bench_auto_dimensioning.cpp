// What automatic dimensioning costs as documents grow. Each document holds N small
// rectangles in a grid (each gets its width and height); one run dimensions the whole
// document. Reported as a ratio measured in the same run, beside its goal ("goal"):
//   BM_AutoDimensioningScaling   runs on documents of 1,000 and 10,000 rectangles, each on a
//                                fresh document, "ratio_10000_to_1000" (linear: 10; goal
//                                under 12); the small one is run ten times for each large
//                                one, and the median of five such rounds is reported.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

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

// One fresh document of n rectangles dimensioned; the time of the command alone.
std::chrono::duration<double> OneRun(Session& s, int n, int32_t* made) {
    standin::Document& doc = Fill(s, n);
    const auto spent = AutoDimension(s, doc);
    *made = g->prefs.style.id;  // dimensions of this document (each fresh, from 0)
    s.driver->closeDocument();  // the one in front
    return spent;
}

void BM_AutoDimensioningScaling(benchmark::State& state) {
    Session s;
    // The small document is run as many times as the large one holds it, so both sides of
    // a ratio are measured over the same number of dimensions, side by side; a first run
    // warms the fonts and the host's tables and is not counted. The ratio reported is the
    // median of the iterations', so one disturbed run does not decide it.
    constexpr int kSmall = 1000, kLarge = 10000, kRepeats = kLarge / kSmall;
    int32_t made = 0;
    OneRun(s, kSmall, &made);
    std::vector<double> ratios;
    for (auto _ : state) {
        std::chrono::duration<double> small{};
        for (int r = 0; r < kRepeats; ++r) small += OneRun(s, kSmall, &made);
        const std::chrono::duration<double> large = OneRun(s, kLarge, &made);
        ratios.push_back(large.count() / (small.count() / kRepeats));
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio_10000_to_1000"] = ratios[ratios.size() / 2];
    state.counters["goal"] = 12;
    state.counters["dimensions_of_10000"] = made;
}
BENCHMARK(BM_AutoDimensioningScaling)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
