// The leader kinds from points worked by hand: anchors and handles, ctrl mirroring the
// curves, a kind outside the table drawn straight, and the terminator at the art aimed
// along the leader's first stretch (on an arc a terminator's length along the curve,
// measured here by chords, or its end when the arc is shorter).
#include <cmath>

#include "LabelFixture.h"
#include "dimtools/LeaderLines.h"

namespace dimtest {
namespace {

using LeaderLinesTest = LabelTest;

struct Anchor {
    AIRealPoint p, in, out;
};

// The axis of a terminator: from the middle of its barbs to its tip.
double TerminatorAngle(const standin::Art& t) {
    const AIRealPoint &a = t.segments[0].p, &tip = t.segments[1].p, &b = t.segments[2].p;
    return std::atan2(tip.v - (a.v + b.v) / 2, tip.h - (a.h + b.h) / 2);
}

TEST_F(LeaderLinesTest, EachKindsAnchorsAndTheAimOfItsTerminator) {
    const AIRealPoint s{100, 100}, e{200, 100}, m{150, 140}, up{200, 160}, near{104, 103};
    const struct {
        int32_t kind;
        bool ctrl;
        AIRealPoint end;
        std::vector<Anchor> anchors;
        AIRealPoint aim;  // for arcs: worked out along the curve
    } rows[] = {
        {kElbowLeader, false, e, {{s, s, s}, {m, m, m}, {e, e, e}}, m},
        {kArcLeader, false, e, {{s, s, s}, {e, {175, 100}, e}}, {}},  // level: straight
        {kArcLeader, false, up, {{s, s, {100, 130}}, {up, {175, 160}, up}}, {}},
        {kArcLeader, true, up, {{s, s, {125, 100}}, {up, {200, 130}, up}}, {}},
        {kArcLeader, false, near, {{s, s, {100, 101.5f}}, {near, {103, 103}, near}}, {}},
        {kKinkedLeader, false, e,  // the jog's handles 20 on, away from the start and the end
         {{s, s, s}, {{150, 105}, {150, 105}, {169.9007f, 106.9901f}}, {{150, 95}, {130.0993f, 93.0099f}, {150, 95}},
          {e, e, e}},
         {150, 100}},
        {kStraightLeader, false, e, {{s, s, s}, {e, e, e}}, e},
        {kWaveLeader, false, e, {{s, s, s}, {{150, 100}, {150, 125}, {150, 75}}, {e, e, e}}, {150, 125}},
        {kWaveLeader, true, e, {{s, s, s}, {{150, 100}, {150, 75}, {150, 125}}, {e, e, e}}, {150, 75}},
        {7, false, e, {{s, s, s}, {e, e, e}}, e},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("kind " + std::to_string(row.kind) + (row.ctrl ? " ctrl" : ""));
        const ObjId group = InGroup([&](AIArtHandle grp) {
            g->prefs.style.modifiers = row.ctrl ? 4 | 8 : 0;
            return drawLeaderLine(s, m, row.end, grp, row.kind, 1);
        });
        const auto paths = Paths(group);
        ASSERT_EQ(paths.size(), 2u) << "the leader and its terminator";
        const standin::Art &leader = *paths[0], &terminator = *paths[1];
        EXPECT_FALSE(leader.closed);
        ASSERT_EQ(leader.segments.size(), row.anchors.size());
        for (size_t i = 0; i < row.anchors.size(); ++i) {
            EXPECT_PT(leader.segments[i].p, row.anchors[i].p.h, row.anchors[i].p.v, kTol);
            EXPECT_PT(leader.segments[i].in, row.anchors[i].in.h, row.anchors[i].in.v, kTol);
            EXPECT_PT(leader.segments[i].out, row.anchors[i].out.h, row.anchors[i].out.v, kTol);
            EXPECT_EQ(leader.segments[i].corner, !(row.kind == kWaveLeader && i == 1));
        }
        AIRealPoint aim = row.aim;
        if (row.kind == kArcLeader) {
            const Anchor &a = row.anchors[0], &b = row.anchors[1];
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
            aim = at(std::min(9 / length, 1.0));
        }
        EXPECT_PT(terminator.segments[1].p, s.h, s.v, kTol);
        EXPECT_NEAR(TerminatorAngle(terminator), std::atan2(s.v - aim.v, s.h - aim.h), 0.01);
    }
    EXPECT_EQ(g->prefs.leaderArcWidth, 25);
    EXPECT_EQ(g->prefs.leaderArcHeight, 50);
}

}  // namespace
}  // namespace dimtest
