// The cost of measuring a dimension text as the tools do on every drag (new point text,
// three runs inserted through a range, outline, bounds of the outline, both disposed),
// against drawing three two-point lines in the same run; the ratio is reported as the
// counter "ratio_measure_to_three_lines" beside its goal ("goal", 14: about 11 on the
// machine where the goal was set, with headroom for noise).
#include <benchmark/benchmark.h>

#include <chrono>

#include "AIArt.h"
#include "AIPath.h"
#include "AITextFrame.h"
#include "Host.h"
#include "IText.h"

namespace {

using standin::Host;

struct Suites {
    const AIArtSuite* art = nullptr;
    const AIPathSuite* path = nullptr;
    const AITextFrameSuite* text = nullptr;
};

Suites acquire(Host& host) {
    Suites s;
    const void* p = nullptr;
    SPBasicSuite* b = host.basicSuite();
    b->AcquireSuite(kAIArtSuite, kAIArtSuiteVersion, &p);
    s.art = static_cast<const AIArtSuite*>(p);
    b->AcquireSuite(kAIPathSuite, kAIPathSuiteVersion, &p);
    s.path = static_cast<const AIPathSuite*>(p);
    b->AcquireSuite(kAITextFrameSuite, kAITextFrameSuiteVersion, &p);
    s.text = static_cast<const AITextFrameSuite*>(p);
    b->AcquireSuite(kATETextSuite, kATETextSuiteVersion, &p);
    sATEText = static_cast<const ATETextSuite*>(p);
    return s;
}

AIRealRect measure(const Suites& s) {
    AIArtHandle t = nullptr, outline = nullptr;
    AIRealRect r{};
    s.text->NewPointText(kPlaceAboveAll, nullptr, kHorizontalTextOrientation, {0, 0}, &t);
    ATE::TextRangeRef ref = nullptr;
    s.text->GetATETextRange(t, &ref);
    {
        ATE::ITextRange range(ref);
        ATE::ICharFeatures tol;
        tol.SetFontSize(7);
        tol.SetBaselineShift(2);
        range.InsertAfter("1'-6 1/4\"");
        range.SetStart(range.GetEnd());
        range.InsertAfter(" \xB1" "1/16");
        range.SetLocalCharFeatures(tol);
        range.SetStart(range.GetEnd());
        range.InsertAfter("\r(457.2)");
    }
    s.text->CreateOutline(t, &outline);
    s.art->GetArtBounds(outline, &r);
    s.art->DisposeArt(t);
    s.art->DisposeArt(outline);
    return r;
}

void threeLines(const Suites& s, AIReal x) {
    for (int i = 0; i < 3; ++i) {
        AIArtHandle line = nullptr;
        s.art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &line);
        const AIPathSegment segs[2] = {{{x, AIReal(i)}, {x, AIReal(i)}, {x, AIReal(i)}, true},
                                       {{x + 50, AIReal(i)}, {x + 50, AIReal(i)}, {x + 50, AIReal(i)}, true}};
        s.path->SetPathSegments(line, 0, 2, segs);
        s.art->DisposeArt(line);
    }
}

void BM_TextMeasureRatio(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    Host host;
    host.newDocument();
    const Suites s = acquire(host);
    std::chrono::duration<double> spent[2] = {};
    AIReal x = 0;
    for (auto _ : state) {
        host.beginMessage();
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(measure(s));
        spent[0] += Clock::now() - t0;
        t0 = Clock::now();
        threeLines(s, x += 1);
        spent[1] += Clock::now() - t0;
        host.endMessage();
    }
    state.counters["ratio_measure_to_three_lines"] = spent[0].count() / spent[1].count();
    state.counters["goal"] = 14;
    sATEText = nullptr;
}
BENCHMARK(BM_TextMeasureRatio)->MinTime(1.0);

}  // namespace
