// What the curve radius tool costs, through a session with the shipped preferences: whole
// gestures (a press beside the curve, five drags along it, each measuring and drawing
// afresh, the release storing the dimension), each taken back after, outside the timing.
// Each benchmark alternates the two drawings it compares and reports its ratio beside its
// goal ("goal"):
//   BM_CurveRadiusPathSize   on one piece of a path of 10,000 pieces against one of 1,000
//                            (12: only the host's hit test looks at every piece)
//   BM_CurvatureWalk         at the far end of a piece 10,000 points long against one 1,000
//                            long (10: the walk to the cursor takes a step a point, so a
//                            piece costs what its length does, and no more), with the
//                            walk's cost per 1,000 points of piece in microseconds
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "PluginSession.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
constexpr GlobalsView<PlotwiseGlobals> g;

AIRealPoint On(const AIRealBezier& b, double t) {
    const double u = 1 - t, w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
    return {static_cast<AIReal>(w0 * b.p0.h + w1 * b.p1.h + w2 * b.p2.h + w3 * b.p3.h),
            static_cast<AIReal>(w0 * b.p0.v + w1 * b.p1.v + w2 * b.p2.v + w3 * b.p3.v)};
}

struct Session : PluginSession {
    // A drawing of one open path through the anchors, its history forgotten.
    standin::Document& Drawing(const std::vector<AIPathSegment>& anchors) {
        standin::Document& doc = NewDocument(1000, 1000);
        Front(doc);
        driver->hostEvent([&] { return doc.addPath(anchors, false); });
        doc.journal().clear();
        return doc;
    }

    // The curve radius tool's gesture on the piece, dragged through the points at t0 .. t1.
    Seconds Gesture(standin::Document& doc, const AIRealBezier& piece, double t0, double t1) {
        Front(doc);
        const int32_t made = g->prefs.style.id;
        const AIRealPoint start = On(piece, t0);
        const auto begin = Clock::now();
        driver->mouseDown({start.h + 6, start.v - 6});
        for (int i = 0; i <= 4; ++i) driver->mouseDrag(On(piece, t0 + (t1 - t0) * i / 4));
        driver->mouseUp(On(piece, t1));
        const Seconds spent = Clock::now() - begin;
        if (g->prefs.style.id != made + 1 || g->dimGroup == nullptr)
            std::fprintf(stderr, "the gesture drew no dimension\n");
        driver->userUndo();
        return spent;
    }
};

// A path of n pieces in a row, each a bump 10 points long.
std::vector<AIPathSegment> Bumps(int n) {
    std::vector<AIPathSegment> anchors;
    for (int i = 0; i <= n; ++i) {
        const auto h = static_cast<AIReal>(10 * i);
        anchors.push_back({{h, 500}, {h - 3, 506}, {h + 3, 506}, false});
    }
    return anchors;
}

// One bowed piece `length` points across.
AIRealBezier Bow(AIReal length) {
    const AIReal rise = 100 + length / 5;
    return {{0, 100}, {length / 3, rise}, {2 * length / 3, rise}, {length, 100}};
}

void BM_CurveRadiusPathSize(benchmark::State& state) {
    Session s;
    standin::Document* docs[2] = {&s.Drawing(Bumps(1000)), &s.Drawing(Bumps(10000))};
    s.driver->selectTool("Curvature Dimension");
    const AIRealBezier piece{{500, 500}, {503, 506}, {507, 506}, {510, 500}};  // the 51st
    Seconds spent[2] = {};
    for (auto _ : state)
        for (int k = 0; k < 2; ++k) spent[k] += s.Gesture(*docs[k], piece, 0.3, 0.7);
    state.counters["ratio"] = spent[1] / spent[0];
    state.counters["goal"] = 12;
    state.counters["gesture_10000_ms"] = spent[1].count() / static_cast<double>(state.iterations()) * 1e3;
}
BENCHMARK(BM_CurveRadiusPathSize)->MinTime(2.0)->Unit(benchmark::kMillisecond);

void BM_CurvatureWalk(benchmark::State& state) {
    Session s;
    const AIReal lengths[2] = {1000, 10000};
    standin::Document* docs[2] = {};
    for (int k = 0; k < 2; ++k) {
        const AIRealBezier b = Bow(lengths[k]);
        docs[k] = &s.Drawing({{b.p0, b.p0, b.p1, false}, {b.p3, b.p2, b.p3, false}});
    }
    s.driver->selectTool("Curvature Dimension");
    Seconds spent[2] = {};
    for (auto _ : state)
        for (int k = 0; k < 2; ++k) spent[k] += s.Gesture(*docs[k], Bow(lengths[k]), 0.95, 0.99);
    const double gestures = static_cast<double>(state.iterations());
    state.counters["ratio"] = spent[1] / spent[0];
    state.counters["goal"] = 10;
    // Five walks a gesture; the longer piece walks about 9,000 points more each time.
    state.counters["walk_us_per_1000_points"] = (spent[1] - spent[0]).count() / gestures / 5 / 9 * 1e6;
}
BENCHMARK(BM_CurvatureWalk)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace
