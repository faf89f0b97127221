// Reading saved documents of 10,000 and 100,000 art objects. Reading must grow linearly with
// the document: the ratio benchmark reads both in the same run, alternating, and reports
// 100,000 : 10,000 as a counter beside its goal ("goal": 10 when linear; under 12).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "io/DocumentFile.h"
#include "model/Document.h"

namespace {

using standin::Document;
using standin::IdSource;
using standin::ObjId;

// A drawing of `count` art objects: lines and rectangles, every tenth in a group with a
// dictionary entry, as a dimensioned drawing holds them.
std::string savedDocument(int count) {
    IdSource ids;
    Document doc(ids, 612, 792);
    for (int made = 0; made < count;) {
        const auto y = static_cast<AIReal>(made % 700);
        if (made % 10 == 0 && made + 3 <= count) {
            ObjId group = 0, a = 0, b = 0;
            doc.newArt(kGroupArt, kPlaceAboveAll, 0, &group);
            doc.newArt(kPathArt, kPlaceInsideOnTop, group, &a);
            doc.newArt(kPathArt, kPlaceInsideOnTop, group, &b);
            doc.editArt(a)->segments = {{{0, y}, {0, y}, {0, y}, true}, {{50, y}, {50, y}, {50, y}, true}};
            doc.editArt(b)->segments = {{{0, y + 2}, {0, y + 2}, {0, y + 2}, true}};
            doc.editDict(doc.dictionaryOf(group))->set("ZA3_Dimension_id", int32_t(made));
            made += 3;
        } else if (made % 2 == 0) {
            doc.addRect(10, y, 20, 5);
            ++made;
        } else {
            doc.addLine({0, y}, {100, y});
            ++made;
        }
    }
    return standin::io::writeDocumentText(doc);
}

void read(const std::string& text) {
    IdSource ids;
    auto doc = standin::io::readDocumentText(text, ids);
    benchmark::DoNotOptimize(doc.get());
}

void BM_ReadDocument(benchmark::State& state) {
    const std::string text = savedDocument(static_cast<int>(state.range(0)));
    for (auto _ : state) read(text);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadDocument)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Both sizes in one run, alternating, so machine noise hits both alike.
void BM_ReadRatio(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const std::string texts[2] = {savedDocument(10000), savedDocument(100000)};
    std::chrono::duration<double> spent[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            const auto t0 = Clock::now();
            read(texts[k]);
            spent[k] += Clock::now() - t0;
        }
    }
    state.counters["ratio_100000_to_10000"] = spent[1].count() / spent[0].count();
    state.counters["goal"] = 12;
}
BENCHMARK(BM_ReadRatio)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace
