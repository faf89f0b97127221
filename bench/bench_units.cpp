// Formatting and parsing a million lengths in feet and fractional inches, against
// std::to_chars (fixed, five decimals) plus std::from_chars of the same values in the same
// run; the ratio is reported as the counter "ratio" beside its goal (2).
#include <benchmark/benchmark.h>

#include <charconv>
#include <chrono>
#include <random>
#include <vector>

#include "geometry/LengthParser.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr int kValues = 1000000;

const std::vector<double>& values() {
    static const std::vector<double> v = [] {
        std::mt19937_64 rng(7);
        std::uniform_real_distribution<double> points(-100000.0, 100000.0);
        std::vector<double> out(kValues);
        for (double& x : out) x = points(rng);
        return out;
    }();
    return v;
}

double baselineSeconds(double& sink) {
    const auto start = std::chrono::steady_clock::now();
    char text[256];
    for (double x : values()) {
        const auto written = std::to_chars(text, text + sizeof(text), x, std::chars_format::fixed, 5);
        double back = 0.0;
        std::from_chars(text, written.ptr, back);
        sink += back;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double unitsSeconds(double& sink) {
    const auto start = std::chrono::steady_clock::now();
    MeasureFormat format;
    format.units = kFeetFractionalInchMarkUnits;
    format.precision = 5;
    const LengthParseSettings settings{};
    char text[256];
    for (double x : values()) {
        formatMeasure(x, format, text, sizeof(text));
        double back = 0.0;
        parseLengthText(text, kFeetFractionalInchMarkUnits, &back, settings);
        sink += back;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_FeetInchFormatAndParse(benchmark::State& state) {
    double sink = 0.0;
    double ours = 0.0;
    double baseline = 0.0;
    values();  // the million values are made before the first timed round, not inside it
    for (auto _ : state) {
        ours += unitsSeconds(sink);
        baseline += baselineSeconds(sink);
    }
    benchmark::DoNotOptimize(sink);
    state.counters["ratio"] = ours / baseline;
    state.counters["goal"] = 2;
    state.counters["ns_per_value"] = ours * 1e9 / (static_cast<double>(state.iterations()) * kValues);
}
BENCHMARK(BM_FeetInchFormatAndParse)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
