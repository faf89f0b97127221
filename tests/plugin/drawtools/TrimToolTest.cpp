// The trim tool. Delete mode: the middle piece between two crossings goes (the first part
// staying on the path's own layer), a click beyond the last crossing removes the end, a
// path crossed by nothing loses its nearer end by length. Anchor mode: an anchor at every
// crossing, the anchors and handles checked against crossing parameters found here by
// bisection and a de Casteljau subdivision written here. What never cuts: locked, hidden,
// grids-layer and dimension art and the path itself. Drags cut as they go, silently.
#include <cmath>
#include <functional>
#include <string>

#include "DrawToolsFixture.h"

namespace drawtest {
namespace {

struct Cubic {
    AIRealPoint p[4];
};

AIRealPoint Lerp(AIRealPoint a, AIRealPoint b, double t) {
    return {static_cast<AIReal>(a.h + t * (b.h - a.h)), static_cast<AIReal>(a.v + t * (b.v - a.v))};
}

// de Casteljau: the left and right parts of c at t.
std::pair<Cubic, Cubic> Split(const Cubic& c, double t) {
    const AIRealPoint ab = Lerp(c.p[0], c.p[1], t), bc = Lerp(c.p[1], c.p[2], t), cd = Lerp(c.p[2], c.p[3], t);
    const AIRealPoint abc = Lerp(ab, bc, t), bcd = Lerp(bc, cd, t), m = Lerp(abc, bcd, t);
    return {Cubic{{c.p[0], ab, abc, m}}, Cubic{{m, bcd, cd, c.p[3]}}};
}

AIRealPoint Eval(const Cubic& c, double t) { return Split(c, t).first.p[3]; }

// The t in [lo, hi] where f changes sign, by bisection.
double Root(const std::function<double(double)>& f, double lo, double hi) {
    for (int i = 0; i < 80; ++i) {
        const double m = (lo + hi) / 2;
        if ((f(lo) < 0) == (f(m) < 0))
            lo = m;
        else
            hi = m;
    }
    return (lo + hi) / 2;
}

struct TrimToolTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        ASSERT_EQ(session->selectTool("Trim"), kNoErr);
        g->prefs.trimToolDeletes = 1;
    }
    // The open paths lying along y = v, left to right, as (first x, last x).
    std::vector<std::pair<AIReal, AIReal>> PiecesAlong(AIReal v) const {
        // To a thousandth of a point: a cut's last bit may differ between builds.
        const auto thousandths = [](AIReal x) { return std::round(x * 1000) / 1000; };
        std::vector<std::pair<AIReal, AIReal>> out;
        for (const standin::Art* a : Paths()) {
            if (a->segments.size() < 2 || thousandths(a->segments.front().p.v) != v ||
                thousandths(a->segments.back().p.v) != v)
                continue;
            out.emplace_back(thousandths(a->segments.front().p.h), thousandths(a->segments.back().p.h));
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    void Attr(standin::ObjId id, uint32_t bits) {
        session->hostEvent([&] { return doc->setUserAttr(id, bits, bits); });
    }
};

TEST_F(TrimToolTest, TheMiddlePieceBetweenTwoCrossingsGoes) {
    session->hostEvent([&] {
        doc->addLayer("Walls");
        return kNoErr;
    });
    const standin::ObjId wall = Polyline({{0, 100}, {200, 100}});
    session->hostEvent([&] {
        doc->addLayer("Notes");  // the current layer is another one
        return kNoErr;
    });
    Polyline({{60, 50}, {60, 150}});
    Polyline({{140, 50}, {140, 150}});
    ASSERT_EQ(session->click({100, 100}), kNoErr);
    EXPECT_EQ(PiecesAlong(100), (std::vector<std::pair<AIReal, AIReal>>{{0, 60}, {140, 200}}));
    // Both pieces stay on the trimmed path's layer, the path keeping the part after.
    const standin::Art* kept = doc->art(wall);
    ASSERT_NE(kept, nullptr);
    EXPECT_PT(kept->segments.front().p, 140, 100, kTol);
    for (const standin::Art* a : Paths()) {
        if (a->segments.front().p.v == 100) {
            EXPECT_EQ(doc->layerOf(a->id), doc->layerOf(wall));
        }
    }
    EXPECT_EQ(GroupCount(), 0u);
    EXPECT_EQ(doc->currentLayer(), doc->layerByTitle("Notes"));
}

TEST_F(TrimToolTest, BeyondTheLastCrossingTheEndGoes) {
    const standin::ObjId line = Polyline({{0, 100}, {100, 100}, {200, 100}});
    Polyline({{60, 50}, {60, 150}});
    Polyline({{140, 50}, {140, 150}});
    ASSERT_EQ(session->click({170, 100}), kNoErr);
    const standin::Art* a = doc->art(line);
    ASSERT_EQ(a->segments.size(), 3u);
    EXPECT_PT(a->segments.back().p, 140, 100, kTol);
    // And before the first, on the path's first segment.
    ASSERT_EQ(session->click({20, 100}), kNoErr);
    a = doc->art(line);
    EXPECT_PT(a->segments.front().p, 60, 100, kTol);
    EXPECT_PT(a->segments.back().p, 140, 100, kTol);
    EXPECT_EQ(PathCount(), 3u);
}

// A closed path crosses the line on its closing side too: that crossing (at 100, nearer the
// click than the one at 140 on another side) bounds the piece that goes.
TEST_F(TrimToolTest, TheClosingSideOfAClosedPathCuts) {
    const standin::ObjId line = Polyline({{0, 50}, {200, 50}});
    Polyline({{100, 70}, {180, 70}, {100, 30}}, true);
    ASSERT_EQ(session->click({50, 50}), kNoErr);
    const standin::Art* kept = doc->art(line);
    ASSERT_NE(kept, nullptr);
    EXPECT_PT(kept->segments.front().p, 100, 50, kTol);
    EXPECT_PT(kept->segments.back().p, 200, 50, kTol);
}

// A path that another only touches at its first or last anchor has nothing beyond that
// crossing to cut: no piece of one anchor is left, the touch counts as no crossing.
TEST_F(TrimToolTest, ATouchAtAnEndAnchorLeavesNoPathOfOneAnchor) {
    using Pieces = std::vector<std::pair<AIReal, AIReal>>;
    const struct {
        std::vector<AIReal> crossers;  // x of vertical lines across y = 100
        AIReal click;
        Pieces left;
    } rows[] = {
        {{200}, 150, {{0, 150}}},     // touching the end only: the nearer end goes
        {{0}, 50, {{50, 200}}},       // touching the start only
        {{0, 120}, 50, {{120, 200}}},  // the start touched, a crossing after the click
        {{80, 200}, 150, {{0, 80}}},   // a crossing before the click, the end touched
    };
    for (const auto& row : rows) {
        session->hostEvent([&] {
            doc->selectAll();
            return doc->deleteSelection();
        });
        Polyline({{0, 100}, {200, 100}});
        for (AIReal x : row.crossers) Polyline({{x, 50}, {x, 150}});
        ASSERT_EQ(session->click({row.click, 100}), kNoErr);
        EXPECT_EQ(PiecesAlong(100), row.left) << "click at " << row.click;
        for (const standin::Art* a : Paths()) EXPECT_GE(a->segments.size(), 2u) << "click at " << row.click;
    }
}

TEST_F(TrimToolTest, WithNoCrossingTheNearerEndGoes) {
    const standin::ObjId line = Polyline({{0, 0}, {100, 0}});
    ASSERT_EQ(session->click({30, 0}), kNoErr);
    EXPECT_PT(doc->art(line)->segments.front().p, 30, 0, kTol);
    EXPECT_PT(doc->art(line)->segments.back().p, 100, 0, kTol);
    ASSERT_EQ(session->click({90, 0}), kNoErr);  // now nearer the end
    EXPECT_PT(doc->art(line)->segments.front().p, 30, 0, kTol);
    EXPECT_PT(doc->art(line)->segments.back().p, 90, 0, kTol);
    // Exactly half way counts as the start side.
    ASSERT_EQ(session->click({60, 0}), kNoErr);
    EXPECT_PT(doc->art(line)->segments.front().p, 60, 0, kTol);
    EXPECT_PT(doc->art(line)->segments.back().p, 90, 0, kTol);
}

TEST_F(TrimToolTest, AnchorsAtThreeCrossingsOfOneCurvedSegment) {
    g->prefs.trimToolDeletes = 0;
    const Cubic arch{{{0, 0}, {100, 100}, {200, 100}, {300, 0}}};
    const standin::ObjId path = AddPath({{arch.p[0], arch.p[0], arch.p[1], false}, {arch.p[3], arch.p[2], arch.p[3], false}});
    for (AIReal x : {50.0f, 150.0f, 250.0f}) Polyline({{x, -10}, {x, 200}});
    ASSERT_EQ(session->click({75, 56.25f}), kNoErr);  // the arch at t = 0.25

    // Where the arch meets x = 50, 150, 250, and its pieces between them, split here.
    std::vector<double> ts;
    for (AIReal x : {50.0f, 150.0f, 250.0f}) ts.push_back(Root([&](double t) { return Eval(arch, t).h - x; }, 0, 1));
    std::vector<Cubic> pieces;
    Cubic rest = arch;
    double done = 0;
    for (double t : ts) {
        auto [left, right] = Split(rest, (t - done) / (1 - done));
        pieces.push_back(left);
        rest = right;
        done = t;
    }
    pieces.push_back(rest);

    const standin::Art* a = doc->art(path);
    ASSERT_EQ(a->segments.size(), 5u);
    for (size_t k = 0; k < pieces.size(); ++k) {
        const AIPathSegment& s0 = a->segments[k];
        const AIPathSegment& s1 = a->segments[k + 1];
        EXPECT_PT(s0.p, pieces[k].p[0].h, pieces[k].p[0].v, 2e-3f) << k;
        EXPECT_PT(s0.out, pieces[k].p[1].h, pieces[k].p[1].v, 2e-3f) << k;
        EXPECT_PT(s1.in, pieces[k].p[2].h, pieces[k].p[2].v, 2e-3f) << k;
        EXPECT_PT(s1.p, pieces[k].p[3].h, pieces[k].p[3].v, 2e-3f) << k;
    }
    EXPECT_NEAR(a->segments[2].p.h, 150, 2e-3);
}

TEST_F(TrimToolTest, AnchorsWhereACurveCrossesALineThreeTimes) {
    g->prefs.trimToolDeletes = 0;
    const standin::ObjId line = Polyline({{0, 0}, {300, 0}});
    const Cubic wave{{{30, -60}, {130, 200}, {170, -200}, {270, 60}}};
    AddPath({{wave.p[0], wave.p[0], wave.p[1], false}, {wave.p[3], wave.p[2], wave.p[3], false}});
    ASSERT_EQ(session->click({290, 0}), kNoErr);
    // The wave's height changes sign three times: at those places along its own parameter.
    const auto height = [&](double t) { return Eval(wave, t).v; };
    const double xs[3] = {Eval(wave, Root(height, 0, 0.3)).h, Eval(wave, Root(height, 0.3, 0.7)).h,
                          Eval(wave, Root(height, 0.7, 1)).h};
    const standin::Art* a = doc->art(line);
    ASSERT_EQ(a->segments.size(), 5u);
    for (int i = 0; i < 3; ++i) {
        const AIPathSegment& s = a->segments[static_cast<size_t>(i) + 1];
        EXPECT_NEAR(s.p.h, xs[i], 0.02) << i;
        EXPECT_NEAR(s.p.v, 0, 1e-4) << i;
        EXPECT_PT(s.in, s.p.h, s.p.v, kTol);  // a straight segment gets corner anchors
    }
    // A click exactly on an anchor adds nothing; a click with no crossing adds one there.
    ASSERT_EQ(session->click({300, 0}), kNoErr);
    EXPECT_EQ(doc->art(line)->segments.size(), 5u);
    const standin::ObjId lone = Polyline({{0, 300}, {100, 300}});
    ASSERT_EQ(session->click({40, 300}), kNoErr);
    ASSERT_EQ(doc->art(lone)->segments.size(), 3u);
    EXPECT_PT(doc->art(lone)->segments[1].p, 40, 300, kTol);
}

TEST_F(TrimToolTest, ArtThatNeverCuts) {
    g->prefs.trimToolDeletes = 0;
    // The trimmed path crosses itself: (0,0) -> (200,0) -> (200,50) -> (100,50) -> (100,-50).
    const standin::ObjId path = Polyline({{0, 0}, {200, 0}, {200, 50}, {100, 50}, {100, -50}});
    const standin::ObjId locked = Polyline({{20, -20}, {20, 20}});
    const standin::ObjId hidden = Polyline({{40, -20}, {40, 20}});
    Attr(locked, kArtLocked);
    Attr(hidden, kArtHidden);
    // A dimension: a group whose dictionary holds the style record.
    Dimension(Polyline({{60, -20}, {60, 20}}));
    // The grids layer.
    session->hostEvent([&] {
        const standin::ObjId grid = doc->addLayer("ROVidazu Layer");
        g->gridsLayer = standin::toHandle<AILayerHandle>(grid);
        return kNoErr;
    });
    Polyline({{80, -20}, {80, 20}});
    g->gridsLayer = standin::toHandle<AILayerHandle>(doc->layerByTitle("ROVidazu Layer"));
    ASSERT_EQ(session->click({150, 0}), kNoErr);
    // Nothing crossed: a single anchor at the click.
    const standin::Art* a = doc->art(path);
    ASSERT_EQ(a->segments.size(), 6u);
    EXPECT_PT(a->segments[1].p, 150, 0, kTol);
    // Unlocked, the first line does cut.
    session->hostEvent([&] { return doc->setUserAttr(locked, kArtLocked, 0); });
    ASSERT_EQ(session->click({120, 0}), kNoErr);
    ASSERT_EQ(doc->art(path)->segments.size(), 7u);
    EXPECT_PT(doc->art(path)->segments[1].p, 20, 0, kTol);
}

TEST_F(TrimToolTest, ADragCutsAsItGoesAndSaysNothing) {
    for (AIReal v : {100.0f, 120.0f, 140.0f}) Polyline({{0, v}, {200, v}});
    Polyline({{100, 50}, {100, 200}});
    ASSERT_EQ(session->mouseDown({50, 170}), kNoErr);
    for (AIReal v : {160.0f, 140.0f, 130.0f, 120.0f, 110.0f, 100.0f, 90.0f})
        ASSERT_EQ(session->mouseDrag({50, v}), kNoErr);
    ASSERT_EQ(session->mouseUp({50, 90}), kNoErr);
    for (AIReal v : {100.0f, 120.0f, 140.0f})
        EXPECT_EQ(PiecesAlong(v), (std::vector<std::pair<AIReal, AIReal>>{{100, 200}})) << v;
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(g->draggingTrim, 0);
}

TEST_F(TrimToolTest, RefusalsAndTheOptionsDialog) {
    Polyline({{0, 0}, {100, 0}, {100, 100}}, true);
    EXPECT_EQ(session->click({50, 0}), kCADErr);
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts()[0], "Select an open path.");
    // A piece of a dimension alone is left as it is, and the click refused saying why; the
    // path beneath a piece is trimmed (the nearer end goes).
    const standin::ObjId under = Polyline({{0, 300}, {40, 300}});
    const standin::ObjId inside = Polyline({{0, 300}, {100, 300}});
    Dimension(inside);
    EXPECT_EQ(session->click({50, 300}), kCADErr);
    EXPECT_EQ(session->click({10, 300}), kNoErr);
    EXPECT_EQ(doc->art(inside)->segments.size(), 2u);
    EXPECT_PT(doc->art(under)->segments.front().p, 10, 300, kTol);
    ASSERT_EQ(Alerts().size(), 2u);
    EXPECT_EQ(Alerts()[1], "Dimensions and labels cannot be changed with this tool: an update draws them again from "
                           "what they measure.");

    // "TrimPrefs" switches between the modes.
    session->dialogs().queueModalAnswer({"TrimPrefs", {Value(4, 1), Press(1)}});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    EXPECT_EQ(g->prefs.trimToolDeletes, 0);
    session->dialogs().queueModalAnswer({"TrimPrefs", {Value(3, 1), Press(1)}});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    EXPECT_EQ(g->prefs.trimToolDeletes, 1);
    session->dialogs().queueModalAnswer({"TrimPrefs", {Value(4, 1), Press(2)}});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    EXPECT_EQ(g->prefs.trimToolDeletes, 1);  // Cancel keeps it
    EXPECT_TRUE(DialogFailures().empty());
}

}  // namespace
}  // namespace drawtest
