// The six leader kinds from points worked by hand: their anchors and handles, with ctrl
// mirroring the curves, and the terminator at the art aimed along the leader's first
// stretch (for the arc a terminator's length along the curve, measured here by chords);
// the multiple leader's legs from every click; a kind outside the table drawn straight.
#include <cmath>

#include "LabelFixture.h"
#include "dimensions/ClickChain.h"
#include "dimtools/LeaderLines.h"

namespace dimtest {
namespace {

using LeaderLinesTest = LabelTest;

struct Anchor {
    AIRealPoint p, in, out;
};

struct LeaderRow {
    int32_t kind;
    bool ctrl;
    AIRealPoint start, end;
    std::vector<Anchor> anchors;
    AIRealPoint aim;  // where the terminator at start is aimed from
};

// The terminator's axis at its tip: from the middle of its barbs to the tip.
double TerminatorAngle(const standin::Art& t) {
    const AIRealPoint& tip = t.segments[1].p;
    const double mh = (t.segments[0].p.h + t.segments[2].p.h) / 2, mv = (t.segments[0].p.v + t.segments[2].p.v) / 2;
    return std::atan2(tip.v - mv, tip.h - mh);
}

const standin::Art* Terminator(const std::vector<const standin::Art*>& paths) {
    for (const standin::Art* a : paths)
        if (a->closed && a->segments.size() == 3) return a;
    return nullptr;
}

TEST_F(LeaderLinesTest, EachKindsAnchorsAndTheAimOfItsTerminator) {
    const AIRealPoint s{100, 100}, e{200, 100}, m{150, 140};
    const LeaderRow rows[] = {
        {kElbowLeader, false, s, e, {{s, s, s}, {m, m, m}, {e, e, e}}, m},
        {kArcLeader, false, s, e, {{s, s, s}, {e, {175, 100}, e}}, e},  // level: no height, straight
        {kArcLeader, false, s, {200, 160}, {{s, s, {100, 130}}, {{200, 160}, {175, 160}, {200, 160}}}, {}},
        {kArcLeader, true, s, {200, 160}, {{s, s, {125, 100}}, {{200, 160}, {200, 130}, {200, 160}}}, {}},
        // The jog's handles 20 beyond it, away from the start and from the end.
        {kKinkedLeader, false, s, e,
         {{s, s, s},
          {{150, 105}, {150, 105}, {169.9007f, 106.9901f}},
          {{150, 95}, {130.0993f, 93.0099f}, {150, 95}},
          {e, e, e}},
         {150, 100}},
        {kKinkedLeader, true, s, e,
         {{s, s, s},
          {{150, 95}, {150, 95}, {169.9007f, 93.0099f}},
          {{150, 105}, {130.0993f, 106.9901f}, {150, 105}},
          {e, e, e}},
         {150, 100}},
        {kStraightLeader, false, s, e, {{s, s, s}, {e, e, e}}, e},
        {kWaveLeader, false, s, e, {{s, s, s}, {{150, 100}, {150, 125}, {150, 75}}, {e, e, e}}, {150, 125}},
        {kWaveLeader, true, s, e, {{s, s, s}, {{150, 100}, {150, 75}, {150, 125}}, {e, e, e}}, {150, 75}},
        {7, false, s, e, {{s, s, s}, {e, e, e}}, e},
    };
    for (const LeaderRow& row : rows) {
        SCOPED_TRACE("kind " + std::to_string(row.kind) + (row.ctrl ? " ctrl" : ""));
        g->prefs.style.labelLeader = row.kind;
        const ObjId group = InGroup([&](AIArtHandle grp) {
            g->prefs.style.modifiers = row.ctrl ? 4 | 8 : 0;
            return drawLeaderLine(row.start, m, row.end, grp, row.kind, 1);
        });
        const auto paths = Paths(group);
        ASSERT_EQ(paths.size(), 2u) << "the leader and its terminator";
        const standin::Art& leader = *paths[0];
        EXPECT_FALSE(leader.closed);
        ASSERT_EQ(leader.segments.size(), row.anchors.size());
        for (size_t i = 0; i < row.anchors.size(); ++i) {
            EXPECT_PT(leader.segments[i].p, row.anchors[i].p.h, row.anchors[i].p.v);
            EXPECT_PT(leader.segments[i].in, row.anchors[i].in.h, row.anchors[i].in.v);
            EXPECT_PT(leader.segments[i].out, row.anchors[i].out.h, row.anchors[i].out.v);
            EXPECT_EQ(leader.segments[i].corner, !(row.kind == kWaveLeader && i == 1));
        }
        // A terminator's length along the arc, from chords of the curve laid down here.
        AIRealPoint aim = row.aim;
        if (row.kind == kArcLeader && row.end.v != row.start.v) {
            const AIPathSegment &a = leader.segments[0], &b = leader.segments[1];
            auto at = [&](double t) {
                const double u = 1 - t;
                auto mix = [&](double p0, double p1, double p2, double p3) {
                    return static_cast<AIReal>(u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3);
                };
                return AIRealPoint{mix(a.p.h, a.out.h, b.in.h, b.p.h), mix(a.p.v, a.out.v, b.in.v, b.p.v)};
            };
            double length = 0;
            for (int i = 0; i < 1000; ++i) {
                const AIRealPoint p = at(i / 1000.0), q = at((i + 1) / 1000.0);
                length += std::hypot(q.h - p.h, q.v - p.v);
            }
            aim = at(9 / length);
        }
        const standin::Art* t = Terminator(paths);
        ASSERT_NE(t, nullptr);
        EXPECT_PT(t->segments[1].p, row.start.h, row.start.v);
        EXPECT_NEAR(TerminatorAngle(*t), std::atan2(row.start.v - aim.v, row.start.h - aim.h), 0.01);
    }
}

TEST_F(LeaderLinesTest, AnArcShorterThanItsTerminatorIsAimedFromItsEnd) {
    const AIRealPoint s{100, 100}, e{104, 103};
    const ObjId group = InGroup([&](AIArtHandle grp) { return drawLeaderLine(s, s, e, grp, kArcLeader, 1); });
    const standin::Art* t = Terminator(Paths(group));
    ASSERT_NE(t, nullptr);
    EXPECT_NEAR(TerminatorAngle(*t), std::atan2(-3.0, -4.0), 1e-3);
    EXPECT_EQ(g->prefs.leaderArcWidth, 25);
    EXPECT_EQ(g->prefs.leaderArcHeight, 50);
}

TEST_F(LeaderLinesTest, TheMultipleLeaderRunsALegFromEveryClickToTheKnee) {
    const AIRealPoint clicks[] = {{50, 50}, {60, 80}, {70, 20}};
    const AIRealPoint knee{150, 140}, end{170, 140};
    const ObjId group = InGroup([&](AIArtHandle grp) {
        Plotwise3_dimensioned_object_data record{};
        for (const AIRealPoint& c : clicks) {
            record.clickNum += 1;
            if (AIErr err = insertChainDimNode(&c, &record)) return err;
        }
        return drawLeaderLine({0, 0}, knee, end, grp, kMultipleLeader, 1);
    });
    std::vector<std::vector<AIRealPoint>> legs;
    std::vector<AIRealPoint> tips;
    for (const standin::Art* a : Paths(group)) {
        if (a->closed) {
            tips.push_back(a->segments[1].p);
            const AIRealPoint tip = a->segments[1].p;
            EXPECT_NEAR(TerminatorAngle(*a), std::atan2(tip.v - knee.v, tip.h - knee.h), 1e-3);
            continue;
        }
        legs.emplace_back();
        for (const AIPathSegment& s : a->segments) legs.back().push_back(s.p);
    }
    ASSERT_EQ(legs.size(), 3u);
    ASSERT_EQ(legs[0].size(), 3u) << "the first leg goes on along the shelf";
    EXPECT_PT(legs[0][2], end.h, end.v);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_PT(legs[i][0], clicks[i].h, clicks[i].v);
        EXPECT_PT(legs[i][1], knee.h, knee.v);
        EXPECT_PT(tips[i], clicks[i].h, clicks[i].v);
    }
    EXPECT_EQ(tips.size(), 3u) << "none at start";
    doFreeHitLocs();
}

}  // namespace
}  // namespace dimtest
