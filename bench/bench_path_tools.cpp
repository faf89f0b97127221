// The path divider and the offset tool as the host delivers their gestures, with the
// shipped preferences. Ratios measured in the same run, each beside its goal:
//   BM_PathDividerRatio  an option-click of the path divider (mouse down and up) dividing a
//                        circle of radius 200 into 1,000 equal parts against 100 (the
//                        user's undo after each, outside the timing): "ratio_1000_to_100",
//                        linear: 10, goal under 12.
//   BM_OffsetDragRatio   one drag step of the offset tool (the previous step's copy taken
//                        back, the copy drawn again 5 points out) on a closed polygon of
//                        10,000 sides against one of 1,000, both with sides 6 points long:
//                        "ratio_10000_to_1000", linear: 10, goal under 12.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "PluginSession.h"
#include "core/PlotwiseTools.h"
#include "module/PlotwiseGlobals.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr GlobalsView<PlotwiseGlobals> g;

double Since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// A document in front holding what fill draws, within one host message.
template <typename Fill>
standin::Document& NewDrawing(PluginSession& s, Fill fill) {
    standin::Document& doc = s.NewDocument(612, 792);
    s.Front(doc);
    s.driver->hostEvent([&] { return fill(doc); });
    return doc;
}

void BM_PathDividerRatio(benchmark::State& state) {
    PluginSession s;
    standin::Document* docs[2] = {};
    for (auto*& doc : docs) doc = &NewDrawing(s, [](standin::Document& d) { return d.addEllipse(100, 100, 400, 400); });
    s.driver->selectTool("Path Divider");
    const int parts[2] = {100, 1000};
    // One divided, as the tool's option-click does it, and taken back.
    auto divide = [&](int k) {
        s.Front(*docs[k]);
        g->pathDividerMethod = 3;
        g->pathDividerEqualNumDivs = parts[k];
        const auto t0 = Clock::now();
        if (s.driver->click({500, 300}, kToolEventOptionKey))
            std::fprintf(stderr, "divide failed: %s\n", s.driver->lastError().c_str());
        const double spent = Since(t0);
        s.driver->userUndo();
        return spent;
    };
    divide(0);
    divide(1);
    double spent[2] = {};
    for (auto _ : state)
        for (int k = 0; k < 2; ++k) spent[k] += divide(k);
    state.counters["ratio_1000_to_100"] = spent[1] / spent[0];
    state.counters["goal"] = 12;
    state.counters["divide_1000_ms"] = spent[1] / static_cast<double>(state.iterations()) * 1e3;
}
BENCHMARK(BM_PathDividerRatio)->MinTime(2.0)->Unit(benchmark::kMillisecond);

// A closed polygon of n sides 6 points long, about (cx, cy), its first corner on the right.
std::vector<AIRealPoint> Polygon(int n, double cx, double cy) {
    const double r = 6.0 * n / (2 * std::numbers::pi), step = 2 * std::numbers::pi / n;
    std::vector<AIRealPoint> corners;
    for (int i = 0; i < n; ++i)
        corners.push_back(
            {static_cast<AIReal>(cx + r * std::cos(i * step)), static_cast<AIReal>(cy + r * std::sin(i * step))});
    return corners;
}

void BM_OffsetDragRatio(benchmark::State& state) {
    PluginSession s;
    const int sides[2] = {1000, 10000};
    standin::Document* docs[2] = {};
    AIRealPoint press[2] = {};
    for (int k = 0; k < 2; ++k) {
        const std::vector<AIRealPoint> corners = Polygon(sides[k], 300, 400);
        press[k] = {(corners[0].h + corners[1].h) / 2, (corners[0].v + corners[1].v) / 2};  // the first side's middle
        docs[k] = &NewDrawing(s, [&](standin::Document& d) { return d.addPolyline(corners, true); });
    }
    s.driver->selectTool("Offset");
    // The gesture's press and first step; then timed steps, 5 points out, alternately a
    // little above and below, so each draws the copy afresh.
    auto begin = [&](int k) {
        s.Front(*docs[k]);
        s.driver->mouseDown(press[k]);
        s.driver->mouseDrag({press[k].h + 5, press[k].v});
    };
    auto step = [&](int k, AIReal dv) {
        const auto t0 = Clock::now();
        if (s.driver->mouseDrag({press[k].h + 5, press[k].v + dv}))
            std::fprintf(stderr, "offset failed: %s\n", s.driver->lastError().c_str());
        return Since(t0);
    };
    auto end = [&](int k) {
        s.driver->mouseUp({press[k].h + 5, press[k].v});
        s.driver->userUndo();
    };
    double spent[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            begin(k);
            for (int i = 0; i < 4; ++i) spent[k] += step(k, i % 2 ? 0.5f : -0.5f);
            end(k);
        }
    }
    state.counters["ratio_10000_to_1000"] = spent[1] / spent[0];
    state.counters["goal"] = 12;
    state.counters["drag_step_10000_ms"] = spent[1] / (4.0 * static_cast<double>(state.iterations())) * 1e3;
}
BENCHMARK(BM_OffsetDragRatio)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace
