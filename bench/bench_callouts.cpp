// What revision bubbles, callouts and measurements cost, through a session with the shipped
// preferences. Each ratio is measured in the same run, on a drawing of N rectangles, 1,000
// against 100 (the small drawing made ten times for each large one), "ratio" beside its
// goal (12; 10 when linear):
//   BM_BubbleEach    each rectangle ringed by a click of the revision bubble tool
//   BM_CalloutEach   each rectangle described by a callout (a press on its top edge, five
//                    drags, the release with option: no dialog, the fill and stroke asked)
//   BM_MeasureEach   each rectangle's diagonal measured with the distance tool
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "PluginSession.h"
#include "tests/plugin/CalloutToolRegistration.h"
#include "core/PlotwiseSuites.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
constexpr GlobalsView<PlotwiseGlobals> g;

constexpr AIReal kWidth = 40, kHeight = 10, kPitch = 100;

AIRealPoint Corner(int i) { return {static_cast<AIReal>(i % 50) * 120, static_cast<AIReal>(i / 50) * kPitch}; }

using Gesture = std::function<void(PluginSession&, AIRealPoint corner)>;

// A fresh drawing of n rectangles, the tool's gesture made on each.
Seconds OnEach(PluginSession& s, int n, const char* tool, const Gesture& gesture) {
    standin::Document& doc = s.NewDocument(6100, 21 * kPitch);
    s.Front(doc);
    s.driver->hostEvent([&] {
        for (int i = 0; i < n; ++i) doc.addRect(Corner(i).h, Corner(i).v, kWidth, kHeight);
        return kNoErr;
    });
    doc.journal().clear();
    s.driver->selectTool(tool);
    const auto t0 = Clock::now();
    for (int i = 0; i < n; ++i) gesture(s, Corner(i));
    const Seconds spent = Clock::now() - t0;
    s.driver->closeDocument();
    return spent;
}

void Ratio(benchmark::State& state, const char* tool, const Gesture& gesture) {
    PluginSession s;
    RegisterCalloutTool(*s.driver);  // start-up offers none
    g->curCalloutSettings = {};
    g->curCalloutSettings.fill_color = g->curCalloutSettings.stroke_color = 1;
    constexpr int kSmallRuns = 10;
    OnEach(s, 100, tool, gesture);  // fonts and the host's tables warmed, not counted
    Seconds spent[2] = {};
    for (auto _ : state) {
        for (int r = 0; r < kSmallRuns; ++r) spent[0] += OnEach(s, 100, tool, gesture);
        spent[1] += OnEach(s, 1000, tool, gesture);
    }
    state.counters["ratio"] = spent[1] / (spent[0] / kSmallRuns);
    state.counters["goal"] = 12;
}

void DragFrom(PluginSession& s, AIRealPoint press, uint32_t keys) {
    s.driver->mouseDown(press, keys);
    for (int k = 1; k <= 5; ++k) s.driver->mouseDrag({press.h + AIReal(4 * k), press.v + AIReal(6 * k)}, keys);
    s.driver->mouseUp({press.h + 20, press.v + 30}, keys);
}

void BM_BubbleEach(benchmark::State& state) {
    Ratio(state, "Revision Bubble", [](PluginSession& s, AIRealPoint c) { s.driver->click({c.h + kWidth / 2, c.v}); });
}
BENCHMARK(BM_BubbleEach)->Iterations(6)->Unit(benchmark::kMillisecond);

void BM_CalloutEach(benchmark::State& state) {
    Ratio(state, "Callout", [](PluginSession& s, AIRealPoint c) {
        DragFrom(s, {c.h + kWidth / 2, c.v + kHeight}, aiEventModifiers_Option);
    });
}
BENCHMARK(BM_CalloutEach)->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_MeasureEach(benchmark::State& state) {
    Ratio(state, "Measure Distance", [](PluginSession& s, AIRealPoint c) {
        s.driver->mouseDown(c);
        s.driver->mouseDrag({c.h + kWidth / 2, c.v + kHeight / 2});
        s.driver->mouseDrag({c.h + kWidth, c.v + kHeight});
        s.driver->mouseUp({c.h + kWidth, c.v + kHeight});
    });
}
BENCHMARK(BM_MeasureEach)->Iterations(6)->Unit(benchmark::kMillisecond);

}  // namespace
