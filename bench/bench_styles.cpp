// What the style panels cost with many dimensions selected, through a session with the
// plug-in's panels. Each ratio is measured in the same run, in processor time, 10,000
// selected dimensions against 1,000:
//   BM_PushToSelectedDimensions  one arrowhead length typed into the styles panel: stored in
//                                every selected dimension, which is redrawn; "ratio" beside
//                                its goal (12; 10 when linear); each size the median of
//                                its rounds (nine and five).
//   BM_PanelsFromSelection       every dimension selected: the styles, text and labels
//                                panels read back their common style (the host's change
//                                of selection itself is not counted); "ratio" of the median
//                                reads, goal 12.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PluginSession.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "panels/PanelsFromSelection.h"
#include "panels/StylesPanel.h"

namespace {

constexpr GlobalsView<PlotwiseGlobals> g;

// A front document of n horizontal dimensions, each on a line of its own.
standin::Document& Fill(PluginSession& s, int n) {
    standin::Document& doc = s.NewDocument(2000, 2000);
    s.Front(doc);
    s.driver->hostEvent([&] {
        sAILayer->GetCurrentLayer(&g->saveLayer);
        for (int i = 0; i < n; ++i) {
            const AIReal y = static_cast<AIReal>(i % 1900);
            standin::ObjId id = 0;
            doc.addLine({0, y}, {100, y}, &id);
            DrawHorizontalDimension(standin::toHandle<AIArtHandle>(id), {0, y}, {100, y}, {50, y + 20}, i + 1);
        }
        g->prefs.style.id = n;
        return kNoErr;
    });
    doc.journal().clear();
    return doc;
}

// Every dimension selected, as one command; the panels follow.
void SelectAll(PluginSession& s, bool selected) {
    s.driver->hostEvent([&] {
        std::vector<AIArtHandle> groups;
        if (AIErr err = MatchingArt(false, groups, kGroupArt)) return err;
        for (AIArtHandle group : groups)
            if (AIErr err = sAIArt->SetArtUserAttr(group, kArtSelected, selected ? uint32_t{kArtSelected} : 0u)) return err;
        return kNoErr;
    });
}

double TypeArrowheadLength(PluginSession& s, const char* text) {
    standin::UserAction a;
    a.kind = standin::UserAction::Kind::SetText;
    a.item = kArrowheadLengthField;
    a.text = text;
    const double t0 = ThreadSeconds();
    s.driver->hostEvent([&] { return s.driver->dialogs().panelAction("CADattributes", a); });
    return ThreadSeconds() - t0;
}

// The middle of the times measured: the baseline's rounds are short, and one disturbed
// by the machine would move the ratio.
double Median(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

constexpr int kSizes[2] = {1000, 10000};

void BM_PushToSelectedDimensions(benchmark::State& state) {
    PluginSession s(10);
    constexpr int kRounds[2] = {9, 5};
    double ratio = 0;
    for (auto _ : state) {
        double spent[2] = {};
        for (int k = 0; k < 2; ++k) {
            std::vector<double> rounds;
            for (int r = 0; r < kRounds[k]; ++r) {
                Fill(s, kSizes[k]);
                SelectAll(s, true);
                rounds.push_back(TypeArrowheadLength(s, "5") + TypeArrowheadLength(s, "6"));
                s.driver->closeDocument();
            }
            spent[k] = Median(rounds);
        }
        ratio = spent[1] / spent[0];
    }
    state.counters["ratio"] = ratio;
    state.counters["goal"] = 12;
}
BENCHMARK(BM_PushToSelectedDimensions)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PanelsFromSelection(benchmark::State& state) {
    PluginSession s(10);
    constexpr int kReads[2] = {9, 3};
    double ratio = 0;
    for (auto _ : state) {
        double spent[2] = {};
        for (int k = 0; k < 2; ++k) {
            Fill(s, kSizes[k]);
            SelectAll(s, true);
            std::vector<double> reads;
            for (int r = 0; r < kReads[k]; ++r)
                s.driver->hostEvent([&] {
                    const double t0 = ThreadSeconds();
                    const AIErr err = UpdatePalettesFromSelectedArt();
                    reads.push_back(ThreadSeconds() - t0);
                    return err;
                });
            spent[k] = Median(reads);
            s.driver->closeDocument();
        }
        ratio = spent[1] / spent[0];
    }
    state.counters["ratio"] = ratio;
    state.counters["goal"] = 12;
}
BENCHMARK(BM_PanelsFromSelection)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
