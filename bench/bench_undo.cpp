// The cost of one drag-like segment (UndoChanges, then a small group of three paths with
// a dictionary entry) on documents of 0, 1,000 and 10,000 art objects. The journal copies
// only what a segment touches, so the cost must not grow with the document: the ratio
// benchmark times both sizes in the same run and reports 10,000 : 0 as a counter beside its
// goal ("goal": under 1.5).
#include <benchmark/benchmark.h>

#include <chrono>

#include "AIArt.h"
#include "AIDictionary.h"
#include "AIPath.h"
#include "AIUndo.h"
#include "Host.h"

namespace {

using standin::Host;
using standin::MessageKind;

struct Suites {
    const AIArtSuite* art;
    const AIPathSuite* path;
    const AIDictionarySuite* dict;
    const AIUndoSuite* undo;
};

Suites acquire(Host& host) {
    const void* p = nullptr;
    Suites s{};
    SPBasicSuite* b = host.basicSuite();
    b->AcquireSuite(kAIArtSuite, kAIArtSuiteVersion, &p);
    s.art = static_cast<const AIArtSuite*>(p);
    b->AcquireSuite(kAIPathSuite, kAIPathSuiteVersion, &p);
    s.path = static_cast<const AIPathSuite*>(p);
    b->AcquireSuite(kAIDictionarySuite, kAIDictionarySuiteVersion, &p);
    s.dict = static_cast<const AIDictionarySuite*>(p);
    b->AcquireSuite(kAIUndoSuite, kAIUndoSuiteVersion, &p);
    s.undo = static_cast<const AIUndoSuite*>(p);
    return s;
}

// A document of `count` art objects (lines), the gesture's mouse down already sent.
void fill(Host& host, int count) {
    standin::Document& doc = *host.frontDocument();
    for (int i = 0; i < count; ++i) {
        const AIReal y = static_cast<AIReal>(i % 700);
        doc.addLine({0, y}, {100, y});
    }
    doc.journal().commit();
    host.beginMessage(MessageKind::MouseDown);
    host.endMessage();
}

void drag(Host& host, const Suites& s, AIReal x) {
    host.beginMessage(MessageKind::MouseDrag);
    s.undo->UndoChanges();
    AIArtHandle group = nullptr;
    s.art->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
    for (int i = 0; i < 3; ++i) {
        AIArtHandle line = nullptr;
        s.art->NewArt(kPathArt, kPlaceInsideOnTop, group, &line);
        const AIPathSegment segs[2] = {{{x, AIReal(i)}, {x, AIReal(i)}, {x, AIReal(i)}, true},
                                       {{x + 50, AIReal(i)}, {x + 50, AIReal(i)}, {x + 50, AIReal(i)}, true}};
        s.path->SetPathSegments(line, 0, 2, segs);
    }
    AIDictionaryRef d = nullptr;
    s.art->GetDictionary(group, &d);
    s.dict->SetIntegerEntry(d, s.dict->Key("ZA3_Dimension_id"), static_cast<int32_t>(x));
    s.dict->Release(d);
    host.endMessage();
}

void BM_Drag(benchmark::State& state) {
    Host host;
    host.newDocument();
    fill(host, static_cast<int>(state.range(0)));
    const Suites s = acquire(host);
    AIReal x = 0;
    for (auto _ : state) drag(host, s, x += 1);
}
BENCHMARK(BM_Drag)->Arg(0)->Arg(1000)->Arg(10000);

// Both sizes in one run, alternating, so machine noise hits both alike: one host with
// two documents, each drag on the one brought to the front.
void BM_DragRatio(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    Host host;
    const Suites s = acquire(host);
    standin::Document* docs[2];
    const int counts[2] = {0, 10000};
    for (int k = 0; k < 2; ++k) {
        docs[k] = &host.newDocument();
        fill(host, counts[k]);
    }
    std::chrono::duration<double> spent[2] = {};
    AIReal x = 0;
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            host.setFrontDocument(*docs[k]);
            const auto t0 = Clock::now();
            drag(host, s, x += 1);
            spent[k] += Clock::now() - t0;
        }
    }
    state.counters["ratio_10000_to_0"] = spent[1].count() / spent[0].count();
    state.counters["goal"] = 1.5;
}
BENCHMARK(BM_DragRatio)->MinTime(1.0);

}  // namespace
