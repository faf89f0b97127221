// What the set-scale tool costs, through a session with the shipped preferences: a whole
// gesture (a press on a line's anchor, five drags, each snapping both ends and drawing the
// reference line afresh, the release taking the line back and opening the custom-scale
// dialog, cancelled). The benchmark alternates two drawings and reports its ratio beside
// its goal ("goal"):
//   BM_SetScaleDrawingSize   in a drawing of 10,000 lines against one of 100 (2: the snaps
//                            ask the host's hit test, which finds what lies under a point
//                            without looking at the rest of the drawing)
#include <benchmark/benchmark.h>

#include <chrono>

#include "PluginSession.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

struct Session : PluginSession {
    // n short lines on a grid, the measured one among them at (100, 100)-(172, 100).
    standin::Document& Drawing(int n) {
        standin::Document& doc = NewDocument(2000, 2000);
        Front(doc);
        driver->hostEvent([&]() -> AIErr {
            for (int i = 0; i < n; ++i) {
                const auto h = static_cast<AIReal>(300 + (i % 100) * 16), v = static_cast<AIReal>(300 + (i / 100) * 16);
                doc.addLine({h, v}, {h + 10, v + 5});
            }
            return doc.addLine({100, 100}, {172, 100});
        });
        doc.journal().clear();
        return doc;
    }

    Seconds Gesture(standin::Document& doc) {
        Front(doc);
        driver->dialogs().queueModalAnswer({"CADAddCustomScale", {{standin::UserAction::Kind::Press, 2}}});
        const auto begin = Clock::now();
        driver->mouseDown({101, 101});
        for (int i = 1; i <= 5; ++i) driver->mouseDrag({100 + 14.0f * i, 101});
        driver->mouseUp({171, 99});
        return Clock::now() - begin;
    }
};

void BM_SetScaleDrawingSize(benchmark::State& state) {
    Session s;
    standin::Document* docs[2] = {&s.Drawing(100), &s.Drawing(10000)};
    s.driver->selectTool("Set Scale");
    Seconds spent[2] = {};
    for (auto _ : state)
        for (int k = 0; k < 2; ++k) spent[k] += s.Gesture(*docs[k]);
    state.counters["ratio"] = spent[1] / spent[0];
    state.counters["goal"] = 2;
    state.counters["gesture_10000_ms"] = spent[1].count() / static_cast<double>(state.iterations()) * 1e3;
}
BENCHMARK(BM_SetScaleDrawingSize)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace
