// One trim click on a line that nothing crosses, in drawings of 100 and of 10,000 other
// paths lying away from it (delete mode: the nearer end is cut off; the user's undo puts it
// back after each click, outside the timing). The tool's routine hit-tests the click (the
// host looks at every path's curves for that), searches every layer's art for crossings,
// passing over whatever its bounds keep away from the clicked segment, and cuts. Counters,
// all from one run, 10,000 paths against 100:
//   ratio_10000_to_100          the tool's routine for the click;
//   hit_test_ratio_10000_to_100 the host's hit test at the click alone;
//   search_ratio_10000_to_100   the routine less that hit test: the search and the cut;
//   grouped_search_ratio_...    the same with the paths in groups of 100, whose bounds let
//                               the search pass over a group whole;
//   click_ratio_10000_to_100    the whole click as the host delivers it (mouse down and up
//                               with the host's and the other subsystems' work around them),
//                               beside its goal "goal" (3).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "AIHitTest.h"
#include "Host.h"
#include "core/CoreGlobals.h"
#include "core/PlotwisePlugin.h"
#include "drawtools/TrimTool.h"
#include "plugin/PluginDriver.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr AIRealPoint kClick{150, 50};  // on the trimmed line, nearer its start
constexpr int kCounts[2] = {100, 10000};

double Since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// A session with the plug-in started, a document per drawing (flat and grouped, of each
// size), the trim tool chosen.
struct Drawings {
    standin::Host host;
    std::unique_ptr<standin::PluginDriver> session;
    standin::Document* docs[2][2] = {};  // [flat or grouped][100 or 10,000]
    const AIHitTestSuite* hitTest = nullptr;

    Drawings() {
        standin::PluginDriverOptions options;
        options.resourceDir = PLOTWISE_RESOURCE_DIR;
        session = std::make_unique<standin::PluginDriver>(host, options);
        session->load(&PluginMain);
        session->startup();
        for (int layout = 0; layout < 2; ++layout) {
            for (int k = 0; k < 2; ++k) {
                docs[layout][k] = &session->newDocument(612, 792);
                Fill(kCounts[k], layout == 1);
            }
        }
        session->selectTool("Trim");
        const void* p = nullptr;
        host.basicSuite()->AcquireSuite(kAIHitTestSuite, kAIHitTestSuiteVersion, &p);
        hitTest = static_cast<const AIHitTestSuite*>(p);
    }
    ~Drawings() { session->shutdown(); }

    // The trimmed line, and short lines in rows above it, none reaching it.
    void Fill(int count, bool inGroups) {
        session->hostEvent([&] {
            standin::Document& doc = *host.frontDocument();
            doc.addLine({0, 50}, {600, 50});
            standin::ObjId group = 0;
            for (int i = 0; i < count; ++i) {
                const auto x = static_cast<AIReal>(5 + (i % 100) * 6);
                const auto y = static_cast<AIReal>(100 + (i / 100) * 6.5);
                standin::ObjId line = 0;
                if (AIErr err = doc.addLine({x, y}, {x + 4, y + 4}, &line)) return err;
                if (!inGroups) continue;
                if (i % 100 == 0) {
                    if (AIErr err = doc.newArt(kGroupArt, kPlaceAbove, line, &group)) return err;
                }
                if (AIErr err = doc.reorderArt(line, kPlaceInsideOnTop, group)) return err;
            }
            return kNoErr;
        });
    }

    // The tool's routine for a click at kClick, as the mouse up runs it.
    double Routine(standin::Document& doc) {
        session->setFrontDocument(doc);
        double spent = 0;
        session->hostEvent([&] {
            plotwiseRecord->firstClick = kClick;
            const auto t0 = Clock::now();
            const AIErr err = doSingleClickTrimTool();
            spent = Since(t0);
            return err;
        });
        session->userUndo();
        return spent;
    }

    double Click(standin::Document& doc) {
        session->setFrontDocument(doc);
        const auto t0 = Clock::now();
        if (session->click(kClick)) std::fprintf(stderr, "trim click failed: %s\n", session->lastError().c_str());
        const double spent = Since(t0);
        session->userUndo();
        return spent;
    }

    double HitTest(standin::Document& doc) {
        session->setFrontDocument(doc);
        const auto t0 = Clock::now();
        AIHitRef hit = nullptr;
        hitTest->HitTest(nullptr, &kClick, kSegmentHitRequest, &hit);
        hitTest->Release(hit);
        return Since(t0);
    }
};

void BM_TrimClickRatio(benchmark::State& state) {
    Drawings d;
    double routine[2][2] = {}, hit[2][2] = {}, click[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            for (int layout = 0; layout < 2; ++layout) {
                routine[layout][k] += d.Routine(*d.docs[layout][k]);
                hit[layout][k] += d.HitTest(*d.docs[layout][k]);
            }
            click[k] += d.Click(*d.docs[0][k]);
        }
    }
    const auto search = [&](int layout, int k) { return routine[layout][k] - hit[layout][k]; };
    const double n = static_cast<double>(state.iterations());
    state.counters["ratio_10000_to_100"] = routine[0][1] / routine[0][0];
    state.counters["hit_test_ratio_10000_to_100"] = hit[0][1] / hit[0][0];
    state.counters["search_ratio_10000_to_100"] = search(0, 1) / search(0, 0);
    state.counters["grouped_search_ratio_10000_to_100"] = search(1, 1) / search(1, 0);
    state.counters["click_ratio_10000_to_100"] = click[1] / click[0];
    state.counters["goal"] = 3;
    state.counters["routine_10000_ms"] = routine[0][1] / n * 1e3;
    state.counters["hit_test_10000_ms"] = hit[0][1] / n * 1e3;
    state.counters["search_10000_ms"] = search(0, 1) / n * 1e3;
    state.counters["grouped_search_10000_ms"] = search(1, 1) / n * 1e3;
    state.counters["search_100_ms"] = search(0, 0) / n * 1e3;
}
BENCHMARK(BM_TrimClickRatio)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace
