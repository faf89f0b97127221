// What live dimensions cost as documents grow. Each document holds N horizontal dimensions,
// each measuring its own line, drawn by the horizontal routine from a click chain and stored
// with their click records as the tool's mouse up stores them. Reported as ratios measured
// in the same run, each beside its goal ("goal"):
//   BM_Regeneration/N          the whole regeneration of N dimensions; its counter
//                              "per_dimension_to_fresh" is the time per regenerated
//                              dimension over the time to draw and store one fresh (goal
//                              under 3: a dimension is found, removed and redrawn; about 1,
//                              1.5 and 2.4 for 100, 1,000 and 10,000 on the machine where
//                              the goal was set);
//   BM_RegenerationScaling     regenerations of 1,000 and 10,000 dimensions alternated,
//                              "ratio_10000_to_1000" (linear: 10; goal under 12);
//   BM_DimensionDragRatio      one drag event of the horizontal tool on a document of 0
//                              and one of 10,000 dimensions, alternated, "ratio_10000_to_0"
//                              (must not grow with the document: goal under 1.5).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "PluginSession.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionPaint.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"
#include "dimtools/LinearDimensions.h"
#include "module/PlotwiseGlobals.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr GlobalsView<PlotwiseGlobals> g;

// A document per size asked for, in the plain style of 10-point text.
struct Session : PluginSession {
    Session() : PluginSession(10) {}
    standin::Document& NewDocument() { return PluginSession::NewDocument(2000, 2000); }
};

AIArtHandle Line(standin::Document& doc, AIReal y) {
    standin::ObjId id = 0;
    doc.addLine({0, y}, {100, y}, &id);
    return standin::toHandle<AIArtHandle>(id);
}

// A document in front holding n dimensions; the time spent drawing them fresh.
std::chrono::duration<double> Fill(Session& s, standin::Document& doc, int n) {
    s.Front(doc);
    std::chrono::duration<double> spent{};
    s.host.beginMessage();
    sAILayer->GetCurrentLayer(&g->saveLayer);
    for (int i = 0; i < n; ++i) {
        const AIReal y = static_cast<AIReal>(i % 1900);
        AIArtHandle line = Line(doc, y);
        const auto t0 = Clock::now();
        DrawHorizontalDimension(line, {0, y}, {100, y}, {50, y + 20}, i + 1);
        spent += Clock::now() - t0;
    }
    g->prefs.style.id = n;
    s.host.endMessage();
    doc.journal().commit();
    return spent;
}

std::chrono::duration<double> Regenerate(Session& s, standin::Document& doc) {
    s.Front(doc);
    s.host.beginMessage();
    sAILayer->GetCurrentLayer(&g->saveLayer);
    const auto t0 = Clock::now();
    UpdateAssociativeDimensions(kProcessAllArt);
    const std::chrono::duration<double> spent = Clock::now() - t0;
    s.host.endMessage();
    doc.journal().commit();
    return spent;
}

void BM_Regeneration(benchmark::State& state) {
    Session s;
    standin::Document& doc = s.NewDocument();
    const int n = static_cast<int>(state.range(0));
    const std::chrono::duration<double> fresh = Fill(s, doc, n);
    std::chrono::duration<double> spent{};
    int64_t runs = 0;
    for (auto _ : state) {
        spent += Regenerate(s, doc);
        ++runs;
    }
    state.counters["per_dimension_to_fresh"] = (spent.count() / static_cast<double>(runs)) / fresh.count();
    state.counters["goal"] = 3;
    state.counters["redrawn"] = g->dimensionsRedrawn;
    state.counters["kept"] = g->dimensionsKept;
}
BENCHMARK(BM_Regeneration)->Arg(100)->Arg(1000)->Arg(10000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_RegenerationScaling(benchmark::State& state) {
    Session s;
    standin::Document* docs[2] = {&s.NewDocument(), &s.NewDocument()};
    Fill(s, *docs[0], 1000);
    Fill(s, *docs[1], 10000);
    std::chrono::duration<double> spent[2] = {};
    for (auto _ : state)
        for (int k = 0; k < 2; ++k) spent[k] += Regenerate(s, *docs[k]);
    state.counters["ratio_10000_to_1000"] = spent[1].count() / spent[0].count();
    state.counters["goal"] = 12;
}
BENCHMARK(BM_RegenerationScaling)->Iterations(2)->Unit(benchmark::kMillisecond);

// The drags of one gesture in each document in turn; only the drags are timed.
void BM_DimensionDragRatio(benchmark::State& state) {
    Session s;
    standin::Document* docs[2] = {&s.NewDocument(), &s.NewDocument()};
    Fill(s, *docs[1], 10000);
    for (standin::Document* doc : docs) {
        s.Front(*doc);
        s.host.beginMessage();
        Line(*doc, 1950);
        s.host.endMessage();
    }
    s.driver->selectTool("Horizontal Dimension");
    std::chrono::duration<double> spent[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            s.Front(*docs[k]);
            s.driver->click({0, 1950});
            s.driver->mouseDown({100, 1950});
            for (AIReal y = 1960; y < 1965; y += 1) {
                const auto t0 = Clock::now();
                s.driver->mouseDrag({50, y});
                spent[k] += Clock::now() - t0;
            }
            s.driver->mouseUp({50, 1965});
            s.driver->userUndo();  // the document stays as it was
        }
    }
    state.counters["ratio_10000_to_0"] = spent[1].count() / spent[0].count();
    state.counters["goal"] = 1.5;
}
BENCHMARK(BM_DimensionDragRatio)->MinTime(1.0);

}  // namespace
