// What the dimension kit costs per drag: measuring a dual text with a tolerance
// (GetTextArtRect: a text, its outline and bounds, both removed) against drawing the
// lines of the same dimension (a dimension line, two witness lines and two arrowheads) in
// the same run; the ratio is reported as "ratio_text_bounds_to_lines" beside its goal
// ("goal", 6: about 4.6 on the machine where the goal was set, with headroom for noise).
#include <benchmark/benchmark.h>

#include <chrono>

#include "Host.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionPaint.h"
#include "dimensions/DimensionText.h"
#include "module/PlotwiseGlobals.h"

namespace {

void BM_DimensionTextBoundsRatio(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    standin::Host host;
    host.newDocument();
    PlotwiseGlobals globals{};
    CoreGlobals* saved = plotwiseRecord;
    plotwiseRecord = &globals;
    AcquirePlotwiseSuites(host.basicSuite());
    setGlobalDegreeAndDiameterSymbols();
    auto& style = globals.prefs.style;
    CopyCString(style.dimensionTextFaceStr, "DejaVu Sans");
    style.dimensionTextSize = 10;
    style.upperToleranceSuperscript = 1;
    style.textSpacing = 50;
    style.arrowheadStyle = 1;
    style.arrowheadLength = 9;
    style.arrowheadAngle = 17.5f;
    sAILayer->GetCurrentLayer(&globals.saveLayer);
    host.beginMessage();
    setPathAndArrowheadStyles();
    host.endMessage();

    std::chrono::duration<double> spent[2] = {};
    for (auto _ : state) {
        host.beginMessage();
        AIRealRect bounds{};
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(GetTextArtRect("25.40 mm \xB1" "0.05\r1\"", &bounds));
        spent[0] += Clock::now() - t0;
        AIArtHandle group = nullptr;
        t0 = Clock::now();
        sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
        drawDimensionLine({0, 30}, {72, 30}, group);
        drawWitnessLine({0, 0}, {0, 34}, group);
        drawWitnessLine({72, 0}, {72, 34}, group);
        doLineEndpointGraphics({0, 30}, {72, 30}, 1, 1, 1, group);
        sAIArt->DisposeArt(group);
        spent[1] += Clock::now() - t0;
        host.endMessage();
    }
    state.counters["ratio_text_bounds_to_lines"] = spent[0].count() / spent[1].count();
    state.counters["goal"] = 6;
    ReleasePlotwiseSuites();
    plotwiseRecord = saved;
}
BENCHMARK(BM_DimensionTextBoundsRatio)->MinTime(1.0);

}  // namespace
