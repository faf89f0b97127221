// The extend tool: straight ends moved onto the boundary (lengthened or shortened), curved
// ends continued along their end tangent (worked out here from the Bezier's derivative:
// 3(1-t)^2 (P1 - P0) + 6(1-t)t (P2 - P1) + 3t^2 (P3 - P2)), a line extended to a circle, the
// start of a curved path extended in place with its layer and dictionary, and the messages
// that leave everything as it was.
#include <cmath>
#include <string>

#include "DrawToolsFixture.h"

namespace drawtest {
namespace {

struct ExtendToolTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        ASSERT_EQ(session->selectTool("Extend"), kNoErr);
    }
    AIErr TwoClicks(AIRealPoint a, AIRealPoint b) {
        if (AIErr err = session->click(a)) return err;
        return session->click(b);
    }
    std::vector<AIRealPoint> AnchorsOf(standin::ObjId id) const {
        std::vector<AIRealPoint> out;
        for (const AIPathSegment& s : doc->art(id)->segments) out.push_back(s.p);
        return out;
    }
};

TEST_F(ExtendToolTest, AStraightEndMovesOntoTheBoundary) {
    const standin::ObjId line = Polyline({{0, 100}, {100, 100}});
    Polyline({{150, 50}, {150, 150}});
    const standin::ObjId over = Polyline({{10, 100}, {95, 100}});  // a dimension's line, passed over
    Dimension(over);
    ASSERT_EQ(TwoClicks({90, 100}, {150, 120}), kNoErr);
    std::vector<AIRealPoint> a = AnchorsOf(line);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_PT(a[0], 0, 100, kTol);
    EXPECT_PT(a[1], 150, 100, kTol);
    EXPECT_TRUE(doc->art(line)->segments[1].corner);
    EXPECT_EQ(g->didFirstClick + g->didSecondClick, 0);

    // A boundary across the segment itself shortens it: the nearer anchor moves.
    Polyline({{60, 50}, {60, 90}, {60, 150}});
    ASSERT_EQ(TwoClicks({20, 100}, {60, 120}), kNoErr);
    a = AnchorsOf(line);
    EXPECT_PT(a[0], 60, 100, kTol);
    EXPECT_PT(a[1], 150, 100, kTol);
    EXPECT_PT(doc->art(over)->segments[1].p, 95, 100, kTol);
}

TEST_F(ExtendToolTest, OnALongerPathTheAnchorNearerTheCrossingMoves) {
    // The first segment's inner anchor (50, 0) is nearer the boundary at x = 40 than its
    // start: it is the one that moves, as the tool has always done.
    const standin::ObjId path = Polyline({{0, 0}, {50, 0}, {50, 50}});
    Polyline({{40, -20}, {40, 20}});
    ASSERT_EQ(TwoClicks({10, 0}, {40, -15}), kNoErr);
    const std::vector<AIRealPoint> a = AnchorsOf(path);
    ASSERT_EQ(a.size(), 3u);
    EXPECT_PT(a[0], 0, 0, kTol);
    EXPECT_PT(a[1], 40, 0, kTol);
    EXPECT_PT(a[2], 50, 50, kTol);
}

TEST_F(ExtendToolTest, ACurvedEndContinuesAlongItsTangent) {
    // End handle retracted: the derivative at 0.999 is 0.3 long, so the tangent is taken at
    // 0.9, where it is 3(0.01)(50, 0) + 6(0.09)(0, 50) = (1.5, 27): y = 100 is reached at
    // x = 50 + 1.5 * 50 / 27.
    const standin::ObjId curve = AddPath({{{0, 0}, {0, 0}, {50, 0}, false}, {{50, 50}, {50, 50}, {50, 50}, false}});
    Polyline({{0, 100}, {200, 100}});
    ASSERT_EQ(TwoClicks({43.75f, 25}, {150, 100}), kNoErr);  // the curve at t = 0.5
    std::vector<AIRealPoint> a = AnchorsOf(curve);
    ASSERT_EQ(a.size(), 3u);
    EXPECT_PT(a[2], 50 + 1.5f * 50 / 27, 100, kTol);
    const AIPathSegment& added = doc->art(curve)->segments[2];
    EXPECT_TRUE(added.corner);
    EXPECT_PT(added.in, added.p.h, added.p.v, kTol);

    // With its handle out, the end tangent at 0.999 is (nearly) 3 (P3 - P2): straight up.
    const standin::ObjId upright = AddPath({{{100, 0}, {100, 0}, {150, 0}, false}, {{150, 50}, {150, 30}, {150, 50}, false}});
    ASSERT_EQ(TwoClicks({143.75f, 17.5f}, {190, 100}), kNoErr);
    a = AnchorsOf(upright);
    ASSERT_EQ(a.size(), 3u);
    EXPECT_NEAR(a[2].h, 150, 0.05);
    EXPECT_NEAR(a[2].v, 100, 1e-3);
}

TEST_F(ExtendToolTest, ALineReachesACircle) {
    const standin::ObjId line = Polyline({{0, 110}, {50, 110}});
    session->hostEvent([&] { return doc->addEllipse(120, 70, 60, 60); });  // centre (150, 100), radius 30
    ASSERT_EQ(TwoClicks({45, 110}, {150 - 21.2132f, 100 + 21.2132f}), kNoErr);
    const std::vector<AIRealPoint> a = AnchorsOf(line);
    ASSERT_EQ(a.size(), 2u);
    // The circle's near side at height 110: x = 150 - sqrt(30^2 - 10^2), found to within the
    // tool's half-point refinement.
    EXPECT_NEAR(a[1].h, 150 - std::sqrt(800.0), 0.5);
    EXPECT_NEAR(a[1].v, 110, 1e-3);
}

TEST_F(ExtendToolTest, TheStartOfACurvedPathIsExtendedInPlace) {
    session->hostEvent([&] {
        doc->addLayer("Walls");
        return kNoErr;
    });
    const standin::ObjId curve =
        AddPath({{{50, 50}, {50, 50}, {50, 70}, false}, {{100, 100}, {80, 100}, {100, 100}, false}});
    session->hostEvent([&] {
        doc->editDict(doc->dictionaryOf(curve))->set("ZA3_Object", std::string("linked"));
        doc->addLayer("Top");  // now the current layer
        return kNoErr;
    });
    Polyline({{0, 0}, {200, 0}});
    const standin::ObjId layerBefore = doc->layerOf(curve);
    ASSERT_EQ(TwoClicks({55, 66.25f}, {120, 0}), kNoErr);  // t = 0.25 of the curve
    const standin::Art* path = doc->art(curve);
    ASSERT_NE(path, nullptr);  // the same art
    EXPECT_EQ(doc->layerOf(curve), layerBefore);
    const standin::Dict* d = doc->dict(path->dictionary);
    ASSERT_NE(d, nullptr);
    ASSERT_NE(d->find("ZA3_Object"), nullptr);
    ASSERT_EQ(path->segments.size(), 3u);
    // Down the start tangent to the boundary: the derivative at 0.001 is
    // 3(0.999^2)(0, 20) + 6(0.999)(0.001)(30, 30) + 3(0.001^2)(20, 0).
    const double th = 6 * 0.999 * 0.001 * 30 + 3 * 1e-6 * 20, tv = 3 * 0.999 * 0.999 * 20 + 6 * 0.999 * 0.001 * 30;
    EXPECT_PT(path->segments[0].p, static_cast<AIReal>(50 - 50 * th / tv), 0, kTol);
    EXPECT_PT(path->segments[1].p, 50, 50, kTol);
    EXPECT_PT(path->segments[1].out, 50, 70, kTol);  // the old start keeps its handle
    EXPECT_PT(path->segments[2].in, 80, 100, kTol);
    EXPECT_EQ(GroupCount(), 0u);  // no new group anywhere
}

TEST_F(ExtendToolTest, EveryRefusalSaysWhyAndChangesNothing) {
    const standin::ObjId square = Polyline({{0, 0}, {50, 0}, {50, 50}, {0, 50}}, true);
    const standin::ObjId open = Polyline({{100, 0}, {150, 0}, {150, 50}, {100, 50}});
    const standin::ObjId far = Polyline({{300, 100}, {400, 100}});
    Polyline({{300, 120}, {400, 120}});  // parallel to `far`
    Polyline({{500, 300}, {500, 400}});  // the line of `far` passes below it
    const standin::ObjId arc = AddPath({{{300, 300}, {300, 300}, {300, 330}, false}, {{330, 360}, {330, 360}, {330, 360}, false}});
    Dimension(Polyline({{600, 0}, {700, 0}}));
    const std::vector<AIRealPoint> before[] = {AnchorsOf(square), AnchorsOf(open), AnchorsOf(far), AnchorsOf(arc)};

    const std::pair<AIRealPoint, AIRealPoint> clicks[] = {
        {{25, 0}, {125, 0}},        // a closed path first
        {{150, 25}, {25, 0}},       // the middle segment
        {{350, 100}, {350, 120}},   // parallel
        {{350, 100}, {500, 350}},   // not reaching the boundary segment
        {{315, 341.25f}, {500, 350}},  // a curve whose end tangents miss the boundary
        {{650, 0}, {350, 120}},     // a dimension alone
    };
    const char* messages[] = {
        "Select an open path.",
        "Only the end points of a path can be extended.",
        "Click two lines that are not parallel.",
        "The paths do not cross.",
        "No crossing line was found.",
        "Dimensions and labels cannot be changed with this tool: an update draws them again from what they measure.",
    };
    for (size_t i = 0; i < std::size(clicks); ++i) {
        EXPECT_EQ(TwoClicks(clicks[i].first, clicks[i].second), kCADErr) << i;
        ASSERT_EQ(Alerts().size(), i + 1);
        EXPECT_EQ(Alerts()[i], messages[i]);
        EXPECT_EQ(g->didFirstClick + g->didSecondClick, 0) << i;
    }
    const std::vector<AIRealPoint> after[] = {AnchorsOf(square), AnchorsOf(open), AnchorsOf(far), AnchorsOf(arc)};
    for (size_t k = 0; k < std::size(before); ++k) {
        ASSERT_EQ(before[k].size(), after[k].size());
        for (size_t i = 0; i < before[k].size(); ++i) EXPECT_PT(after[k][i], before[k][i].h, before[k][i].v, kTol);
    }
    // Nothing under the click.
    EXPECT_EQ(TwoClicks({700, 700}, {350, 100}), kCADErr);
    EXPECT_EQ(Alerts().size(), std::size(messages) + 1);
}

}  // namespace
}  // namespace drawtest
