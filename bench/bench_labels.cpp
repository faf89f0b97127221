// What labels cost, through a session with the shipped preferences (numbered labels on arc
// leaders, on the dimension layer). Each ratio is measured in the same run:
//   BM_DrawLabelsOneAfterAnother  a drawing of N rectangles, each labelled with the pointer
//                                 tool (a press on its top edge, five drags, the release),
//                                 1,000 against 100, "ratio" beside its goal (12; 10 when
//                                 linear); the small drawing is made ten times for each
//                                 large one.
//   BM_LabelTextAgainstFrame      measuring one label's text (GetLabelTextArtRect) against
//                                 drawing its boxed frame with the text inside (drawShape,
//                                 which measures once itself), "ratio_measure_to_frame"
//                                 beside its goal (under 1: measuring alone costs less than
//                                 the frame that measures as well).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "PluginSession.h"
#include "core/PlotwiseSuites.h"
#include "dimtools/LabelShapes.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
constexpr GlobalsView<PlotwiseGlobals> g;

constexpr AIReal kWidth = 40, kHeight = 10, kPitch = 100;

AIRealPoint Corner(int i) { return {static_cast<AIReal>(i % 50) * 120, static_cast<AIReal>(i / 50) * kPitch}; }

// A fresh drawing of n rectangles, each labelled with one gesture of the pointer tool.
Seconds LabelEach(PluginSession& s, int n) {
    standin::Document& doc = s.NewDocument(6100, 21 * kPitch);
    s.Front(doc);
    s.driver->hostEvent([&] {
        for (int i = 0; i < n; ++i) doc.addRect(Corner(i).h, Corner(i).v, kWidth, kHeight);
        return kNoErr;
    });
    doc.journal().clear();
    s.driver->selectTool("Pointer Label");
    const int32_t before = g->prefs.style.id;
    const auto t0 = Clock::now();
    for (int i = 0; i < n; ++i) {
        const AIRealPoint top{Corner(i).h + kWidth / 2, Corner(i).v + kHeight};
        s.driver->mouseDown(top);
        for (int k = 1; k <= 5; ++k) s.driver->mouseDrag({top.h + AIReal(4 * k), top.v + AIReal(6 * k)});
        s.driver->mouseUp({top.h + 20, top.v + 30});
    }
    const Seconds spent = Clock::now() - t0;
    const int32_t drawn = g->prefs.style.id - before;
    if (drawn != n) std::fprintf(stderr, "only %d of %d labels drawn\n", drawn, n);
    s.driver->closeDocument();
    return spent;
}

void BM_DrawLabelsOneAfterAnother(benchmark::State& state) {
    PluginSession s;
    constexpr int kSmallRuns = 10;
    LabelEach(s, 100);  // fonts and the host's tables warmed, not counted
    Seconds spent[2] = {};
    for (auto _ : state) {
        for (int r = 0; r < kSmallRuns; ++r) spent[0] += LabelEach(s, 100);
        spent[1] += LabelEach(s, 1000);
    }
    state.counters["ratio"] = spent[1] / (spent[0] / kSmallRuns);
    state.counters["goal"] = 12;
    state.counters["ms_per_label_of_1000"] = spent[1].count() * 1e3 / 1000 / double(state.iterations());
}
BENCHMARK(BM_DrawLabelsOneAfterAnother)->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_LabelTextAgainstFrame(benchmark::State& state) {
    PluginSession s(10);
    s.Front(s.NewDocument(612, 792));
    Seconds spent[2] = {};
    for (auto _ : state) {
        s.driver->hostEvent([&] {
            sAILayer->GetCurrentLayer(&g->saveLayer);
            getPlatformCurrentTextSizeAndLeading(&g->textSize, &g->textLeading);
            setPathAndArrowheadStyles();
            AIRealRect bounds{};
            auto t0 = Clock::now();
            benchmark::DoNotOptimize(GetLabelTextArtRect("12", &bounds));
            spent[0] += Clock::now() - t0;
            AIArtHandle group = nullptr;
            sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
            t0 = Clock::now();
            drawShape({100, 100}, 1, group, kBoxFrame, 0, "12", nullptr);
            spent[1] += Clock::now() - t0;
            return sAIArt->DisposeArt(group);
        });
    }
    state.counters["ratio_measure_to_frame"] = spent[0] / spent[1];
    state.counters["goal"] = 1;
}
BENCHMARK(BM_LabelTextAgainstFrame)->MinTime(1.0)->Unit(benchmark::kMicrosecond);

}  // namespace
