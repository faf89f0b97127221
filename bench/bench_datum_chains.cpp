// What a datum chain costs as it grows, through a session with the shipped preferences, on
// a drawing of 2,000 small rectangles in two rows. One run is a whole gesture of the
// horizontal datum tool (the first rectangle's corner clicked as the datum, one corner of
// each further rectangle, a press on the last one, two drags, the release) and then the
// "Update Dimensions" command, which redraws the chain from its stored clicks. Reported as
// a ratio of the thread's processor time measured in the same run (so other work on a
// shared machine does not decide it), beside its goal:
//   BM_DatumChainScaling   a chain of 1,000 nodes against one of 100, the small one run ten
//                          times for each large one, "ratio_1000_to_100" (linear: 10; goal
//                          under 12: no step of the chain walks the whole chain again), the
//                          median of seven rounds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "PluginSession.h"

namespace {

constexpr GlobalsView<PlotwiseGlobals> g;

constexpr int kRectangles = 2000, kPerRow = 1000;
constexpr AIReal kPitch = 30, kSize = 10, kRowPitch = 400;

AIRealPoint Corner(int i) {
    return {static_cast<AIReal>(i % kPerRow) * kPitch, static_cast<AIReal>(i / kPerRow) * kRowPitch};
}

// A fresh drawing in front, its history forgotten as a document just opened.
void Drawing(PluginSession& s) {
    standin::Document& doc = s.NewDocument(kPerRow * kPitch + 100, 2 * kRowPitch + 100);
    s.Front(doc);
    s.driver->hostEvent([&] {
        for (int i = 0; i < kRectangles; ++i) doc.addRect(Corner(i).h, Corner(i).v, kSize, kSize);
        return kNoErr;
    });
    doc.journal().clear();
}

// The gesture over the top corners of the first n rectangles and the update after it.
double ChainAndUpdate(PluginSession& s, int n) {
    Drawing(s);
    s.driver->selectTool("Horizontal Datum Dimension");
    const int32_t made = g->prefs.style.id;
    const double t0 = ThreadSeconds();
    for (int i = 0; i + 1 < n; ++i) s.driver->click({Corner(i).h, kSize});
    const AIRealPoint last{Corner(n - 1).h, kSize};
    s.driver->mouseDown(last);
    s.driver->mouseDrag({last.h, 40});
    s.driver->mouseDrag({last.h, 60});
    s.driver->mouseUp({last.h, 60});
    s.driver->menu("Update Dimensions");
    const double spent = ThreadSeconds() - t0;
    if (g->prefs.style.id != made + 1 || g->dimensionsRedrawn != 1)
        std::fprintf(stderr, "the chain of %d was not drawn and redrawn\n", n);
    s.driver->closeDocument();
    return spent;
}

void BM_DatumChainScaling(benchmark::State& state) {
    PluginSession s;
    constexpr int kSmall = 100, kLarge = 1000, kRepeats = kLarge / kSmall;
    ChainAndUpdate(s, kSmall);  // warms the fonts and the host's tables
    std::vector<double> ratios;
    for (auto _ : state) {
        double small = 0;
        for (int r = 0; r < kRepeats; ++r) small += ChainAndUpdate(s, kSmall);
        const double large = ChainAndUpdate(s, kLarge);
        ratios.push_back(large / (small / kRepeats));
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio_1000_to_100"] = ratios[ratios.size() / 2];
    state.counters["goal"] = 12;
}
BENCHMARK(BM_DatumChainScaling)->Iterations(7)->Unit(benchmark::kMillisecond);

}  // namespace
