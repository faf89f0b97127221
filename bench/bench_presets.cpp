// What reading the presets file costs as it grows. The host quits and starts again (the
// restart command) with a presets file of 100 presets and one of 1,000, each preset holding
// the 178 settings of "Basic Engineering"; the start-up reads the whole file through the
// host's JSON reader into the catalogue. Reported as a ratio measured in the same run,
// beside its goal:
//   ratio_1000_to_100   the start with 1,000 presets against the one with 100 (goal under 12:
//                       each preset is read once, and the rest of the start-up is the same).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "PluginSession.h"
#include "io/CatalogFile.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// A presets file of n copies of the built-in preset, each under a name of its own.
std::string PresetsOf(const standin::io::CatalogCollection& preset, int n) {
    standin::io::CatalogText text;
    text.version = 7;
    for (int i = 0; i < n; ++i) {
        standin::io::CatalogCollection c = preset;
        c.set("collectionName", std::string("Preset ") + std::to_string(i + 1));
        text.collections.push_back(std::move(c));
    }
    return standin::io::writeCatalogText(text);
}

double StartWith(PluginSession& s, const fs::path& folder, const std::string& file) {
    std::ofstream(folder / "CADpresets", std::ios::binary | std::ios::trunc) << file;
    const auto t0 = Clock::now();
    s.driver->restart();
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

void BM_ReadPresetsRatio(benchmark::State& state) {
    PluginSession s;
    const fs::path folder = fs::temp_directory_path() / ("plotwise-bench-presets-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    s.host.catalogs().setFolder(folder);
    const auto& builtIn = s.host.catalogs().find("CADpresetsCatalog")->collections.at(1)->data;
    const std::string hundred = PresetsOf(builtIn, 100), thousand = PresetsOf(builtIn, 1000);
    StartWith(s, folder, hundred);
    StartWith(s, folder, thousand);  // warm the host's tables
    std::vector<double> ratios;
    for (auto _ : state) {
        double a = 0, b = 0;
        for (int k = 0; k < 3; ++k) a += StartWith(s, folder, hundred), b += StartWith(s, folder, thousand);
        ratios.push_back(b / a);
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio_1000_to_100"] = ratios[ratios.size() / 2];
    state.counters["goal"] = 12;
    fs::remove_all(folder);
}
BENCHMARK(BM_ReadPresetsRatio)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
