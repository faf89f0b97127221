// The host's outline of a stroke, through the outline-stroke suite, on closed paths of
// 1,000 and 10,000 curved pieces: a scalloped ring whose every anchor is a corner, so at
// every anchor one side is joined (miter) and the other cut where its offsets cross. Outlining must grow
// about linearly with the path: the ratio benchmark outlines both in the same run,
// alternating, and reports 10,000 : 1,000 as a counter beside its goal ("goal": 10 when
// linear; under 12).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "AIArt.h"
#include "AIOutlineStroke.h"
#include "Host.h"

namespace {

using Clock = std::chrono::steady_clock;

// A ring of `count` scallops: 60° arcs of radius 6 between anchors 6 pt apart, bulging
// outwards. The arcs' offsets take one cubic each, so the outline's contours stay within a
// path's 32767 anchors.
std::vector<AIPathSegment> scallops(int count) {
    constexpr double kPi = std::numbers::pi;
    const double radius = 6.0 * count / (2 * kPi), step = 2 * kPi / count;
    const double handle = 4.0 / 3.0 * std::tan(kPi / 12) * 6, tilt = kPi / 6;
    auto onRing = [&](int i) { return std::pair{306 + radius * std::cos(i * step), 396 + radius * std::sin(i * step)}; };
    auto point = [](double x, double y) { return AIRealPoint{static_cast<AIReal>(x), static_cast<AIReal>(y)}; };
    std::vector<AIPathSegment> segs;
    for (int i = 0; i < count; ++i) {
        const auto [x, y] = onRing(i);
        // The chords in and out of the anchor, tilted by 30° outwards (to the right of a
        // counter-clockwise ring): the arcs leave and arrive at that slant.
        const double in = std::atan2(y - onRing(i - 1).second, x - onRing(i - 1).first) + tilt;
        const double out = std::atan2(onRing(i + 1).second - y, onRing(i + 1).first - x) - tilt;
        segs.push_back({point(x, y), point(x - handle * std::cos(in), y - handle * std::sin(in)),
                        point(x + handle * std::cos(out), y + handle * std::sin(out)), true});
    }
    return segs;
}

struct Outlines {
    standin::Host host;
    standin::Document* docs[2] = {};
    std::vector<AIPathSegment> paths[2];
    const AIOutlineStrokeSuite* outline = nullptr;
    const AIArtSuite* art = nullptr;

    Outlines() {
        const int counts[2] = {1000, 10000};
        for (int k = 0; k < 2; ++k) {
            docs[k] = &host.newDocument();
            paths[k] = scallops(counts[k]);
        }
        const void* p = nullptr;
        host.basicSuite()->AcquireSuite(kAIOutlineStrokeSuite, kAIOutlineStrokeSuiteVersion, &p);
        outline = static_cast<const AIOutlineStrokeSuite*>(p);
        host.basicSuite()->AcquireSuite(kAIArtSuite, kAIArtSuiteVersion, &p);
        art = static_cast<const AIArtSuite*>(p);
    }

    // One outline of path k, 2 pt wide, timed; the path is made and the outline thrown away
    // within the same message, outside the timing.
    double Outline(int k) {
        host.setFrontDocument(*docs[k]);
        host.beginMessage();
        standin::ObjId id = 0;
        docs[k]->addPath(paths[k], true, &id);
        standin::Art* a = docs[k]->editArt(id);
        a->style.stroke.width = 2;
        const auto t0 = Clock::now();
        AIArtHandle group = nullptr;
        const AIErr err = outline->OutlineStroke(standin::toHandle<AIArtHandle>(id), &group);
        const double spent = std::chrono::duration<double>(Clock::now() - t0).count();
        if (err) std::fprintf(stderr, "outline failed: %d\n", err);
        art->DisposeArt(group);
        host.endMessage();
        return spent;
    }
};

void BM_OutlineRatio(benchmark::State& state) {
    Outlines o;
    double spent[2] = {};
    for (auto _ : state)
        for (int k = 0; k < 2; ++k) spent[k] += o.Outline(k);
    const double n = static_cast<double>(state.iterations());
    state.counters["ratio_10000_to_1000"] = spent[1] / spent[0];
    state.counters["outline_10000_ms"] = spent[1] / n * 1e3;
    state.counters["goal"] = 12;
}
BENCHMARK(BM_OutlineRatio)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace
