// What the tracker panel costs, through a session with the shipped preferences: the
// read-out of a selection (the host's selection-changed notification, which measures every
// selected object), and a repeat from the panel (the copies made, then the read-out of
// the copies that come out selected). Each benchmark alternates the two cases it compares,
// so that noise hits both, and reports its ratio beside its goal ("goal"):
//   BM_TrackerReadOut   selecting 10,000 curved paths (ellipses, and arches whose curves
//                       run through corner anchors) against 1,000 : linear (12)
//   BM_TrackerRepeat    a repeat of 100 × 100 against 10 × 10, in a drawing of 2,000
//                       rectangles : linear in the copies, 9,999 against 99 (120)
//   BM_TrackerCrossingArea  selecting a figure of eight of 3,000 corners (its area found
//                       by the polygon clipper) against an ellipse of 3,000 corners (its
//                       exact area) : within 3 times
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "ADMDialog.h"
#include "PluginSession.h"
#include "tracker/TrackerPanel.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

// n rectangles in rows on "Layer 1".
standin::Document& Drawing(PluginSession& s, int n) {
    standin::Document& doc = s.NewDocument(6100, 6100);
    s.Front(doc);
    s.driver->hostEvent([&] {
        for (int i = 0; i < n; ++i)
            doc.addRect(static_cast<AIReal>(i % 100) * 60, static_cast<AIReal>(i / 100) * 30, 40, 10);
        return kNoErr;
    });
    return doc;
}

// n curved paths in rows on "Layer 1": flat ellipses and arches, each arch a curve between
// two corner anchors closed by its chord.
standin::Document& CurvedDrawing(PluginSession& s, int n) {
    standin::Document& doc = s.NewDocument(6100, 6100);
    s.Front(doc);
    s.driver->hostEvent([&] {
        for (int i = 0; i < n; ++i) {
            const auto x = static_cast<AIReal>(i % 100) * 60, y = static_cast<AIReal>(i / 100) * 30;
            if (i % 2 == 0) {
                doc.addEllipse(x, y, 40, 10);
                continue;
            }
            AIPathSegment a{{x, y}, {x, y}, {x + 5, y + 25}, 1}, b{{x + 40, y}, {x + 30, y + 25}, {x + 40, y}, 1};
            doc.addPath({a, b}, true);
        }
        return kNoErr;
    });
    return doc;
}

// The read-out of the second drawing's selection against the first's, each brought to the
// front and its selection read as the panel reads it.
void ReadOutRatio(benchmark::State& state, PluginSession& s, standin::Document* const (&docs)[2]) {
    Seconds spent[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            s.Front(*docs[k]);
            const auto t0 = Clock::now();
            s.driver->notify(kAIArtSelectionChangedNotifier);
            spent[k] += Clock::now() - t0;
        }
    }
    state.counters["ratio"] = spent[1] / spent[0];
}

void BM_TrackerReadOut(benchmark::State& state) {
    PluginSession s;
    standin::Document* docs[2] = {&CurvedDrawing(s, 1000), &CurvedDrawing(s, 10000)};
    for (standin::Document* doc : docs) {
        s.Front(*doc);
        s.driver->hostEvent([&] {
            doc->selectAll();
            return kNoErr;
        });
    }
    ReadOutRatio(state, s, docs);
    state.counters["goal"] = 12;
}
BENCHMARK(BM_TrackerReadOut)->MinTime(2.0)->Unit(benchmark::kMillisecond);

void BM_TrackerRepeat(benchmark::State& state) {
    PluginSession s;
    standin::Document& doc = Drawing(s, 2000);
    standin::ObjId source = 0;
    s.driver->hostEvent([&] { return doc.addRect(100, 6000, 40, 10, &source); });
    standin::DialogManager& dm = s.driver->dialogs();
    const ADMDialogRef panel = dm.findDialog("CADtracker");
    auto type = [&](int32_t item, const std::string& text) {
        standin::UserAction a;
        a.kind = standin::UserAction::Kind::SetText;
        a.item = item;
        a.text = text;
        s.driver->hostEvent([&] { return dm.userAction(panel, a); });
    };
    standin::UserAction press;
    press.item = kRepeatButton;
    const char* counts[2] = {"10", "100"};
    Seconds spent[2] = {};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            s.driver->hostEvent([&] {
                doc.selectNone();
                return doc.select(source);
            });
            type(kColumns, counts[k]);
            type(kRows, counts[k]);
            const auto t0 = Clock::now();
            s.driver->hostEvent([&] { return dm.userAction(panel, press); });
            spent[k] += Clock::now() - t0;
            s.driver->userUndo();  // the drawing as it was
        }
    }
    state.counters["ratio"] = spent[1] / spent[0];
    state.counters["goal"] = 120;
}
BENCHMARK(BM_TrackerRepeat)->MinTime(2.0)->Unit(benchmark::kMillisecond);

// One closed path of n corners on (1000 cos t, 500 sin (lobes t)) alone in a document,
// selected: one lobe an ellipse, two a figure of eight that crosses itself at the middle.
standin::Document& LobedPath(PluginSession& s, int n, int lobes) {
    standin::Document& doc = s.NewDocument(3000, 3000);
    s.Front(doc);
    std::vector<AIRealPoint> corners;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * M_PI * (i + 0.5) / n;
        corners.push_back({static_cast<AIReal>(1500 + 1000 * std::cos(t)),
                           static_cast<AIReal>(1500 + 500 * std::sin(lobes * t))});
    }
    s.driver->hostEvent([&] {
        if (AIErr err = doc.addPolyline(corners, true)) return err;
        doc.selectAll();
        return kNoErr;
    });
    return doc;
}

void BM_TrackerCrossingArea(benchmark::State& state) {
    PluginSession s;
    standin::Document* docs[2] = {&LobedPath(s, 3000, 1), &LobedPath(s, 3000, 2)};
    ReadOutRatio(state, s, docs);
    state.counters["goal"] = 3;
}
BENCHMARK(BM_TrackerCrossingArea)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace
