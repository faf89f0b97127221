// What adding a wall costs as a house grows. Each house is a grid of square rooms (walls
// 40 points long and 4 thick, meeting four to a crossing); one gesture of the add-wall tool,
// with the shipped preferences, starts a wall at the grid's outer corner and drags it out
// (three drag steps and the release), and is taken back afterwards, outside the timing.
// Reported as a ratio measured in the same run, beside its goal:
//   ratio_1000_to_100   a house of 1,012 walls against one of 112 (goal under 12: the house
//                       is drawn again whole, so each gesture costs what the house holds).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "PluginSession.h"
#include "architecture/HouseArt.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr GlobalsView<PlotwiseGlobals> g;

constexpr double kRoom = 40, kThickness = 4;

// The walls of a grid of rooms, n to a side, its corner at the origin.
std::vector<Wall> Grid(int n) {
    std::vector<Wall> walls;
    auto add = [&](double h0, double v0, double h1, double v1) {
        Wall w;
        w.start = {h0, v0};
        w.end = {h1, v1};
        w.thickness = kThickness;
        w.datum = kCenterDatum;
        walls.push_back(w);
    };
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j < n; ++j) {
            add(j * kRoom, i * kRoom, (j + 1) * kRoom, i * kRoom);  // along the rows
            add(i * kRoom, j * kRoom, i * kRoom, (j + 1) * kRoom);  // up the columns
        }
    return walls;
}

// A document in front holding the house of that grid, with the add-wall tool chosen.
standin::Document& HouseOfRooms(PluginSession& s, int n) {
    standin::Document& doc = s.NewDocument(4000, 4000);
    s.Front(doc);
    s.driver->selectTool("Add Wall");
    s.driver->hostEvent([&] {
        House drawn;
        return DrawHouse(Grid(n), nullptr, &drawn);
    });
    doc.journal().commit();
    return doc;
}

// One wall added from the grid's outer corner, as the user drags it; then taken back.
double AddWall(PluginSession& s, standin::Document& doc) {
    s.Front(doc);
    const auto t0 = Clock::now();
    s.driver->mouseDown({0, 0});
    s.driver->mouseDrag({-20, -5});
    s.driver->mouseDrag({-60, -10});
    s.driver->mouseDrag({-100, 0});
    s.driver->mouseUp({-100, 0});
    const double spent = std::chrono::duration<double>(Clock::now() - t0).count();
    s.driver->userUndo();
    return spent;
}

void BM_AddWallRatio(benchmark::State& state) {
    PluginSession s;
    g->prefs.wallThickness = kThickness;
    standin::Document& small = HouseOfRooms(s, 7);   // 112 walls
    standin::Document& large = HouseOfRooms(s, 22);  // 1,012 walls
    AddWall(s, small);
    AddWall(s, large);  // warm the host's tables
    std::vector<double> ratios;
    for (auto _ : state) {
        double a = 0, b = 0;
        for (int k = 0; k < 3; ++k) a += AddWall(s, small), b += AddWall(s, large);
        ratios.push_back(b / a);
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio_1000_to_100"] = ratios[ratios.size() / 2];
    state.counters["goal"] = 12;
}
BENCHMARK(BM_AddWallRatio)->Iterations(7)->Unit(benchmark::kMillisecond);

}  // namespace
