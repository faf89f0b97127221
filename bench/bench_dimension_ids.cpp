// What finding free dimension ids costs once the ids above the highest have run out. Each
// document holds N dimensions with the even ids and the last id, so every odd id is free;
// a tenth of N ids are taken in one run, as renumbering that many shared ids takes them.
// Reported as a ratio measured in the same run, beside its goal ("goal"):
//   BM_FreeIdScaling   the takes in documents of 1,000 and 10,000 dimensions alternated,
//                      "ratio_10000_to_1000" (linear: 10, the sort of the ids found
//                      13; goal under 14, where a walk per id taken would give 100).
#include <benchmark/benchmark.h>

#include <chrono>
#include <limits>

#include "PluginSession.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionStorage.h"

namespace {

using Clock = std::chrono::steady_clock;

void Fill(PluginSession& s, standin::Document& doc, int n) {
    s.Front(doc);
    s.host.beginMessage();
    Plotwise3_Live_Dimension_Data style{};
    for (int i = 0; i < n; ++i) {
        AIArtHandle group = nullptr;
        sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
        style.id = i + 1 == n ? std::numeric_limits<int32_t>::max() : 2 * (i + 1);
        SetDimensionData(group, &style);
    }
    s.host.endMessage();
    doc.journal().commit();
}

std::chrono::duration<double> TakeTenth(PluginSession& s, standin::Document& doc, int n) {
    s.Front(doc);
    s.host.beginMessage();
    const auto t0 = Clock::now();
    NewDimensionIds ids(std::numeric_limits<int32_t>::max());
    int32_t id = 0;
    for (int k = 0; k < n / 10; ++k) ids.Take(&id);
    benchmark::DoNotOptimize(id);
    const std::chrono::duration<double> spent = Clock::now() - t0;
    s.host.endMessage();
    return spent;
}

void BM_FreeIdScaling(benchmark::State& state) {
    PluginSession s;
    standin::Document* docs[2] = {&s.NewDocument(1000, 1000), &s.NewDocument(1000, 1000)};
    const int sizes[2] = {1000, 10000};
    for (int k = 0; k < 2; ++k) Fill(s, *docs[k], sizes[k]);
    std::chrono::duration<double> spent[2] = {};
    for (auto _ : state)
        for (int k = 0; k < 2; ++k) spent[k] += TakeTenth(s, *docs[k], sizes[k]);
    state.counters["ratio_10000_to_1000"] = spent[1].count() / spent[0].count();
    state.counters["goal"] = 14;
}
BENCHMARK(BM_FreeIdScaling)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
