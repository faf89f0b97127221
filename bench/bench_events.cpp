// What a user's events cost on drawings of thousands of live dimensions, through a session
// with the shipped preferences (the dimension layer on, the crosshair and snapping as
// shipped). A drawing of N dimensions holds N rectangles on "Layer 1" and, on the
// dimension layer, a horizontal dimension across the top of each (nine art objects a
// dimension), drawn by the horizontal routine and stored as the tool's mouse up stores
// them. Each benchmark alternates the two drawings it compares, so that noise hits both,
// and reports its ratio beside its goal ("goal"):
//   BM_DimensionDragEvent       one drag of the horizontal tool, 10,000 dimensions : none (1.5)
//   BM_DimensionGesture         click, press, five drags, release, 10,000 : none (3)
//   BM_DrawOneAfterAnother      2,000 dimensions drawn with the tool, one after another,
//                               against 200 (12)
//   BM_CursorMove               one cursor move with the crosshair and object snap,
//                               90,000 objects : 900 (2)
//   BM_UpdateDimensionsCommand  a saved drawing opened and "Update Dimensions" chosen from
//                               its menu, less the opening alone, 10,000 : 1,000 (11);
//                               each the best of five, in processor time
//   BM_OpenDrawing              opening a saved drawing, 10,000 : 1,000 (11), best of five
//                               in processor time, and for the large one, opened in a
//                               process of its own, the peak resident memory a dimension
//                               ("peak_KB_per_dimension", goal 24 KB) and what stays
//                               resident with it open against the drawing's own heap
//                               ("resident_to_own", goal at most 2)
//   BM_WriteAndRead             writing and reading the document, 10,000 : 1,000 (11 each),
//                               and the bytes a dimension takes on disk (6 KB) and in
//                               memory once read (24 KB)
//   BM_OpenManyLayers           opening a drawing of 25,000 empty layers against one of
//                               2,500 (11), best of three in processor time
//   BM_OpenLongStory            opening a drawing that holds one story of 4 Mi characters,
//                               in a process of its own: the peak resident memory a
//                               character ("peak_bytes_per_character", goal 100)
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "PluginSession.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionLayer.h"
#include "io/DocumentFile.h"
#include "text/Story.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
constexpr GlobalsView<PlotwiseGlobals> g;

constexpr AIReal kWidth = 40, kHeight = 10;
// Rows far enough apart that what lies near the cursor (the crosshair looks 40 points each
// way) is the same in a drawing of a few rows as in one of many.
constexpr AIReal kRowPitch = 100;
// The rectangle every gesture measures, above the rows of the largest drawing.
constexpr AIRealPoint kTarget{3000, 100 * kRowPitch + 200};

AIRealPoint Corner(int i) { return {static_cast<AIReal>(i % 100) * 60, static_cast<AIReal>(i / 100) * kRowPitch}; }

struct Session : PluginSession {
    // A drawing of n rectangles, each dimensioned when `dimensioned`, and the target
    // rectangle; its history forgotten, as a document just opened.
    standin::Document& Drawing(int n, bool dimensioned = true) {
        standin::Document& doc = NewDocument(6100, kTarget.v + 200);
        Front(doc);
        driver->hostEvent([&] {
            std::vector<std::pair<AIArtHandle, AIRealPoint>> rects;
            for (int i = 0; i < n; ++i) {
                standin::ObjId id = 0;
                doc.addRect(Corner(i).h, Corner(i).v, kWidth, kHeight, &id);
                rects.emplace_back(standin::toHandle<AIArtHandle>(id), Corner(i));
            }
            doc.addRect(kTarget.h, kTarget.v, kWidth, kHeight);
            if (!dimensioned) return kNoErr;
            AILayerHandle drawing = nullptr;
            sAILayer->GetCurrentLayer(&drawing);
            CreateDimensionLayer();
            sAILayer->SetCurrentLayer(g->dimensionLayer);
            g->saveLayer = g->dimensionLayer;
            g->prefs.createDimensionLayer = 0;  // drawn on the current layer, the dimension layer
            for (int i = 0; i < n; ++i) {
                const auto [rect, corner] = rects[size_t(i)];
                const AIReal top = corner.v + kHeight;
                DrawHorizontalDimension(rect, {corner.h, top}, {corner.h + kWidth, top},
                                        {corner.h + kWidth / 2, top + 15}, i + 1);
            }
            g->prefs.createDimensionLayer = 1;
            g->prefs.style.id = n;
            sAILayer->SetCurrentLayer(drawing);
            g->saveLayer = drawing;
            return kNoErr;
        });
        doc.journal().clear();
        return doc;
    }

    // The horizontal tool across the target's top: a click on one corner, a press on the
    // other, five drags upwards and the release; the drags' time in *drags.
    Seconds Gesture(Seconds* drags = nullptr) {
        const AIReal top = kTarget.v + kHeight;
        const int32_t made = g->prefs.style.id;
        const auto t0 = Clock::now();
        driver->click({kTarget.h, top});
        driver->mouseDown({kTarget.h + kWidth, top});
        for (AIReal y = top + 10; y < top + 15; y += 1) {
            const auto d0 = Clock::now();
            driver->mouseDrag({kTarget.h + kWidth / 2, y});
            if (drags) *drags += Clock::now() - d0;
        }
        driver->mouseUp({kTarget.h + kWidth / 2, top + 15});
        const Seconds spent = Clock::now() - t0;
        if (g->prefs.style.id != made + 1) std::fprintf(stderr, "the gesture drew no dimension\n");
        return spent;
    }
};

void Report(benchmark::State& state, double ratio, double goal) {
    state.counters["ratio"] = ratio;
    state.counters["goal"] = goal;
}

// Gestures on a drawing of none and of 10,000 dimensions in turn, each taken back after;
// the drag events alone, or the whole gesture.
void GestureRatio(benchmark::State& state, bool dragsAlone, double goal) {
    Session s;
    standin::Document* docs[2] = {&s.Drawing(0), &s.Drawing(10000)};
    s.driver->selectTool("Horizontal Dimension");
    Seconds spent[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            s.Front(*docs[k]);
            Seconds drags{};
            const Seconds whole = s.Gesture(&drags);
            spent[k] += dragsAlone ? drags : whole;
            s.driver->userUndo();  // the drawing stays as it was
        }
    }
    Report(state, spent[1] / spent[0], goal);
}

void BM_DimensionDragEvent(benchmark::State& state) { GestureRatio(state, true, 1.5); }
BENCHMARK(BM_DimensionDragEvent)->MinTime(2.0)->Unit(benchmark::kMillisecond);

void BM_DimensionGesture(benchmark::State& state) { GestureRatio(state, false, 3); }
BENCHMARK(BM_DimensionGesture)->MinTime(2.0)->Unit(benchmark::kMillisecond);

// Every rectangle of a drawing dimensioned with the tool, one gesture each.
Seconds DrawEach(Session& s, int n) {
    s.Drawing(n, false);
    s.driver->selectTool("Horizontal Dimension");
    const auto t0 = Clock::now();
    for (int i = 0; i < n; ++i) {
        const AIRealPoint c = Corner(i);
        s.driver->click({c.h, c.v + kHeight});
        s.driver->mouseDown({c.h + kWidth, c.v + kHeight});
        for (int k = 1; k <= 5; ++k) s.driver->mouseDrag({c.h + kWidth / 2, c.v + kHeight + AIReal(10 + k)});
        s.driver->mouseUp({c.h + kWidth / 2, c.v + kHeight + 15});
    }
    const Seconds spent = Clock::now() - t0;
    if (g->prefs.style.id < n) std::fprintf(stderr, "only %d of %d dimensions drawn\n", g->prefs.style.id, n);
    s.driver->closeDocument();
    return spent;
}

// The small drawing is made five times for each large one, so noise weighs less on it.
void BM_DrawOneAfterAnother(benchmark::State& state) {
    Session s;
    constexpr int kSmallRuns = 5;
    Seconds spent[2] = {};
    for (auto _ : state) {
        for (int r = 0; r < kSmallRuns; ++r) spent[0] += DrawEach(s, 200);
        spent[1] += DrawEach(s, 2000);
    }
    Report(state, spent[1] / (spent[0] / kSmallRuns), 12);
    state.counters["ms_per_dimension_of_2000"] = spent[1].count() * 1e3 / 2000 / double(state.iterations());
}
BENCHMARK(BM_DrawOneAfterAnother)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_CursorMove(benchmark::State& state) {
    Session s;
    standin::Document* docs[2] = {&s.Drawing(100), &s.Drawing(10000)};
    s.driver->selectTool("Horizontal Dimension");
    Seconds spent[2] = {};
    AIReal x = 0;
    for (auto _ : state) {
        x = x > 500 ? 0 : x + 7;
        for (int k = 0; k < 2; ++k) {
            s.Front(*docs[k]);
            const auto t0 = Clock::now();
            s.driver->trackCursor({x + 3, 12});
            spent[k] += Clock::now() - t0;
        }
    }
    Report(state, spent[1] / spent[0], 2);
}
BENCHMARK(BM_CursorMove)->MinTime(2.0)->Unit(benchmark::kMicrosecond);

// A drawing of n dimensions saved in a file of its own, as a user finds it to open; the
// file goes when the benchmark ends.
struct SavedDrawing {
    std::string path;
    SavedDrawing(Session& s, int n) : SavedDrawing(s, std::to_string(n), [&] { s.Drawing(n); }) {}
    // The document `draw` leaves in front, saved as plotwise-bench-NAME.json.
    SavedDrawing(Session& s, const std::string& name, const std::function<void()>& draw)
        : path((std::filesystem::temp_directory_path() / ("plotwise-bench-" + name + ".json")).string()) {
        draw();
        std::string error;
        if (!standin::io::saveDocumentFile(*s.host.frontDocument(), path, error)) std::fprintf(stderr, "%s\n", error.c_str());
        s.driver->closeDocument();
    }
    ~SavedDrawing() { std::remove(path.c_str()); }
    SavedDrawing(const SavedDrawing&) = delete;
    SavedDrawing& operator=(const SavedDrawing&) = delete;
};

// The user's Open command on the file, with the host's notifications, and what `then` does
// in the document opened; the processor time of both (the document is closed after).
double OpenAnd(Session& s, const SavedDrawing& file, const std::function<void()>& then = nullptr) {
    const double t0 = ThreadSeconds();
    std::string error;
    if (s.driver->openDocument([&] { return standin::io::openDocumentFile(s.host, file.path, error) ? kNoErr : kBadParameterErr; }))
        std::fprintf(stderr, "%s\n", error.c_str());
    if (then) then();
    const double spent = ThreadSeconds() - t0;
    s.driver->closeDocument();
    return spent;
}

constexpr int kBestOf = 5;

// "Update Dimensions" as a user meets it: a drawing opened, then the menu command; the
// opening alone is taken away. Each the best of five.
void BM_UpdateDimensionsCommand(benchmark::State& state) {
    Session s;
    const SavedDrawing files[2] = {{s, 1000}, {s, 10000}};
    double update[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            double open = 1e9, openAndUpdate = 1e9;
            for (int run = 0; run < kBestOf; ++run) {
                open = std::min(open, OpenAnd(s, files[k]));
                openAndUpdate = std::min(openAndUpdate, OpenAnd(s, files[k], [&] {
                    s.driver->menu("Update Dimensions");
                    s.driver->ticks(2);  // the selection given back
                }));
            }
            update[k] = openAndUpdate - open;
        }
    }
    Report(state, update[1] / update[0], 11);
    state.counters["redrawn"] = g->dimensionsRedrawn;
}
BENCHMARK(BM_UpdateDimensionsCommand)->Iterations(1)->Unit(benchmark::kMillisecond);

// What the process holds, in KiB ("VmHWM" the most since it started).
long ProcessKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string name = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(name, 0) == 0) return std::stol(line.substr(name.size()));
    return 0;
}

// The memory opening a file takes is measured in a process of its own, started afresh with
// the file to open in kOpenFile, so that nothing another benchmark left in the heap hides
// or adds to it. It writes what it measured, in bytes, to the file named in kOpenReport.
constexpr const char* kOpenFile = "PLOTWISE_BENCH_OPEN";
constexpr const char* kOpenReport = "PLOTWISE_BENCH_OPEN_REPORT";

struct OpeningMemory {
    double peak = 0;      // the most resident memory while opening, above what was there before
    double resident = 0;  // resident memory with the drawing open, above what was there before
    double own = 0;       // the heap the open drawing takes
};

void BM_OpeningMemory(benchmark::State& state) {
    Session s;
    malloc_trim(0);
    const long before = ProcessKiB("VmRSS");
    const size_t heap = mallinfo2().uordblks;
    OpeningMemory m;
    for (auto _ : state) {
        std::string error;
        s.driver->openDocument([&] {
            return standin::io::openDocumentFile(s.host, std::getenv(kOpenFile), error) ? kNoErr : kBadParameterErr;
        });
        if (!error.empty()) std::fprintf(stderr, "%s\n", error.c_str());
        m.peak = double(ProcessKiB("VmHWM") - before) * 1024;
        m.resident = double(ProcessKiB("VmRSS") - before) * 1024;
        m.own = double(mallinfo2().uordblks - heap);
    }
    std::ofstream(std::getenv(kOpenReport)) << m.peak << ' ' << m.resident << ' ' << m.own << '\n';
}
[[maybe_unused]] const auto* kOpeningMemory =
    std::getenv(kOpenFile) && std::getenv(kOpenReport)
        ? benchmark::RegisterBenchmark("BM_OpeningMemory", BM_OpeningMemory)->Iterations(1)
        : nullptr;

// Runs this program afresh to open `file` alone; what it measured.
OpeningMemory MeasureOpening(const SavedDrawing& file) {
    const std::string report = file.path + ".memory";
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    ::setenv(kOpenFile, file.path.c_str(), 1);
    ::setenv(kOpenReport, report.c_str(), 1);
    char filter[] = "--benchmark_filter=^BM_OpeningMemory/";
    char* argv[] = {const_cast<char*>(self.c_str()), filter, nullptr};
    posix_spawn_file_actions_t quiet;  // its own report would only interrupt this one
    ::posix_spawn_file_actions_init(&quiet);
    ::posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int status = 0;
    const bool ran = ::posix_spawn(&child, self.c_str(), &quiet, nullptr, argv, environ) == 0 &&
                     ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    ::posix_spawn_file_actions_destroy(&quiet);
    ::unsetenv(kOpenFile);
    ::unsetenv(kOpenReport);
    OpeningMemory m;
    std::ifstream in(report);
    if (!ran || !(in >> m.peak >> m.resident >> m.own)) std::fprintf(stderr, "the opening was not measured\n");
    std::remove(report.c_str());
    return m;
}

// Opening a drawing of 10,000 dimensions against one of 1,000, best of five each (11), and
// the memory opening the large one takes per dimension in a process that does nothing else:
// its peak (24 KB) and what stays with the drawing open, against the drawing's own heap (at
// most twice).
void BM_OpenDrawing(benchmark::State& state) {
    Session s;
    const SavedDrawing files[2] = {{s, 1000}, {s, 10000}};
    const OpeningMemory m = MeasureOpening(files[1]);
    double best[2] = {1e9, 1e9};
    for (auto _ : state)
        for (int run = 0; run < kBestOf; ++run)
            for (int k = 0; k < 2; ++k) best[k] = std::min(best[k], OpenAnd(s, files[k]));
    Report(state, best[1] / best[0], 11);
    constexpr double kDimensions = 10000;
    state.counters["peak_KB_per_dimension"] = m.peak / 1024 / kDimensions;
    state.counters["peak_goal_KB"] = 24;
    state.counters["resident_KB_per_dimension"] = m.resident / 1024 / kDimensions;
    state.counters["own_KB_per_dimension"] = m.own / 1024 / kDimensions;
    state.counters["resident_to_own"] = m.resident / m.own;
    state.counters["resident_goal"] = 2;
}
BENCHMARK(BM_OpenDrawing)->Iterations(1)->Unit(benchmark::kMillisecond);

// A drawing of n empty layers.
SavedDrawing ManyLayers(Session& s, int n) {
    return SavedDrawing(s, std::to_string(n) + "-layers", [&] {
        standin::Document& doc = s.NewDocument(612, 792);
        for (int i = 1; i < n; ++i) doc.addLayer("Layer " + std::to_string(i + 1));
    });
}

// Opening a drawing's layers costs what it holds: the plug-in's walks ask for each layer by
// its index.
void BM_OpenManyLayers(benchmark::State& state) {
    Session s;
    const SavedDrawing files[2] = {ManyLayers(s, 2500), ManyLayers(s, 25000)};
    double best[2] = {1e9, 1e9};
    for (auto _ : state)
        for (int run = 0; run < 3; ++run)
            for (int k = 0; k < 2; ++k) best[k] = std::min(best[k], OpenAnd(s, files[k]));
    Report(state, best[1] / best[0], 11);
}
BENCHMARK(BM_OpenManyLayers)->Iterations(1)->Unit(benchmark::kMillisecond);

// A text's bounds cost memory by its lines, not by the outlines of its glyphs.
void BM_OpenLongStory(benchmark::State& state) {
    constexpr size_t kCharacters = size_t(4) << 20, kLine = 100;
    Session s;
    const SavedDrawing file(s, "story", [&] {
        standin::Document& doc = s.NewDocument(612, 792);
        standin::ObjId text = 0;
        doc.newArt(kTextFrameArt, kPlaceAboveAll, 0, &text);
        std::string words;
        words.reserve(kCharacters);
        while (words.size() < kCharacters)
            words += (words.size() + 1) % kLine == 0 ? std::string("\r") : std::string(1, char('a' + words.size() % 26));
        standin::text::TextRun run;
        run.text = std::move(words);
        doc.editArt(text)->story.runs = {std::move(run)};
    });
    OpeningMemory m;
    for (auto _ : state) m = MeasureOpening(file);
    state.counters["peak_bytes_per_character"] = m.peak / double(kCharacters);
    state.counters["goal"] = 100;
}
BENCHMARK(BM_OpenLongStory)->Iterations(1)->Unit(benchmark::kMillisecond);

size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_WriteAndRead(benchmark::State& state) {
    Session s;
    constexpr int kCounts[2] = {1000, 10000};
    std::string texts[2];
    Seconds writing[2] = {}, reading[2] = {};
    double memory = 0;
    bool refused = false;
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            s.Drawing(kCounts[k]);
            auto t0 = Clock::now();
            texts[k] = standin::io::writeDocumentText(*s.host.frontDocument());
            writing[k] += Clock::now() - t0;
            s.driver->closeDocument();
            const size_t before = HeapInUse();
            t0 = Clock::now();
            try {
                auto doc = standin::io::readDocumentText(texts[k], s.host.documentIds());
                reading[k] += Clock::now() - t0;
                if (k == 1) memory = double(HeapInUse() - before) / kCounts[k];
            } catch (const std::exception& e) {
                std::fprintf(stderr, "reading %d dimensions: %s\n", kCounts[k], e.what());
                refused = true;
            }
        }
    }
    state.counters["write_ratio"] = writing[1] / writing[0];
    if (!refused) state.counters["read_ratio"] = reading[1] / reading[0];
    state.counters["goal"] = 11;
    state.counters["disk_bytes_per_dimension"] = double(texts[1].size()) / kCounts[1];
    state.counters["disk_goal"] = 6 * 1024;
    if (!refused) state.counters["memory_bytes_per_dimension"] = memory;
    state.counters["memory_goal"] = 24 * 1024;
}
BENCHMARK(BM_WriteAndRead)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
