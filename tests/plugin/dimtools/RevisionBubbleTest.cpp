// Revision bubbles checked against the ellipse they lie on, worked out here: every anchor on
// it, every handle 30 degrees off the outward normal and 0.22 times the ellipse's speed long
// (at most 25); the count of scallops by the keys; the shift circle across the drag; the
// object bubble round its art grown by 5; and each kind redrawn where its art now is, a
// dragged one as dragged.
#include <cmath>

#include "LabelFixture.h"
#include "dimtools/RevisionBubbles.h"

namespace dimtest {
namespace {

using RevisionBubbleTest = LabelTest;

constexpr uint32_t kShift = aiEventModifiers_Shift, kOption = aiEventModifiers_Option,
                   kCommand = aiEventModifiers_Command;

double Distance(AIRealPoint p, AIRealPoint q) { return std::hypot(p.h - q.h, p.v - q.v); }

// The outline lies on the ellipse of centre c and half-axes a and b, scalloped outwards.
void ExpectScallopsOn(const std::vector<AIPathSegment>& outline, AIRealPoint c, double a, double b) {
    const size_t n = outline.size();
    for (size_t k = 0; k < n; ++k) {
        const AIPathSegment& s = outline[k];
        const double x = (s.p.h - c.h) / a, y = (s.p.v - c.v) / b;
        EXPECT_NEAR(x * x + y * y, 1, 1e-3) << k;
        const double theta = std::atan2(y, x);
        const double speed = std::hypot(a * std::sin(theta), b * std::cos(theta));
        const double normal = std::atan2(std::sin(theta) / b, std::cos(theta) / a);
        for (AIRealPoint handle : {s.in, s.out}) {
            EXPECT_NEAR(Distance(handle, s.p), std::min(0.22 * speed, 25.0), 1e-3) << k;
            const double off = std::remainder(std::atan2(handle.v - s.p.v, handle.h - s.p.h) - normal, 2 * kPi);
            EXPECT_NEAR(std::fabs(off), kPi / 6, 1e-3) << k;
        }
        // The in-handle leans towards the anchor before, the out-handle towards the next.
        const AIRealPoint before = outline[(k + n - 1) % n].p, next = outline[(k + 1) % n].p;
        EXPECT_LT(Distance(s.in, before), Distance(s.out, before)) << k;
        EXPECT_LT(Distance(s.out, next), Distance(s.in, next)) << k;
    }
}

std::vector<AIPathSegment> Outline(const standin::Art* bubble) { return bubble ? bubble->segments : std::vector<AIPathSegment>{}; }

TEST(ScallopCountTest, TheMinimumHoldsUpTo96PointsThenRGoesUpByTheDivisor) {
    const struct {
        AIReal a, b, divisor;
        int16_t minimum, expected;
    } rows[] = {
        {96, 0, 8, 12, 12}, {96, 0, 4, 24, 24}, {96, 0, 16, 6, 6},  // r = 96
        {60, 80, 8, 12, 13}, {60, 80, 4, 24, 25}, {60, 80, 16, 6, 7},  // r = 100
        {0, 0, 8, 12, 12},  // a bubble of no size
    };
    for (const auto& r : rows) EXPECT_EQ(ScallopCount(r.a, r.b, r.divisor, r.minimum), r.expected) << r.a << " " << r.divisor;
}

TEST(ScallopOutlineTest, FlatAndPointOutlinesStayFinite) {
    // Height 0: anchors on the line, handles up before half a turn and down after, none at
    // the line's ends.
    const auto flat = ScallopOutline({0, 0}, 100, 0, 12);
    ASSERT_EQ(flat.size(), 12u);
    for (size_t k = 0; k < flat.size(); ++k) {
        EXPECT_NEAR(flat[k].p.v, 0, 1e-4);
        const double up = flat[k].in.v + flat[k].out.v;
        if (k < 5) {
            EXPECT_GT(up, 0) << k;
        } else if (k > 5 && k < 11) {
            EXPECT_LT(up, 0) << k;
        }
    }
    EXPECT_NEAR(Distance(flat[5].in, flat[5].p), 0, 1e-3);  // at half a turn
    // No size: twelve anchors on the centre, their handles on them, no NaN.
    const auto point = ScallopOutline({50, 60}, 0, 0, 12);
    ASSERT_EQ(point.size(), 12u);
    for (const AIPathSegment& s : point) {
        EXPECT_PT(s.p, 50, 60, kTol);
        EXPECT_PT(s.in, 50, 60, kTol);
        EXPECT_PT(s.out, 50, 60, kTol);
    }
}

TEST_F(RevisionBubbleTest, ADragRingsTheBoxAndTheKeysChooseTheScallops) {
    // A 150-point square drag: half-axes 106.05, r = 149.98.
    const double a = 75 * 1.414;
    const struct {
        uint32_t keys;
        size_t count;
    } rows[] = {{0, 19}, {kOption, 38}, {kCommand, 10}, {kOption | kCommand, 10}};
    for (const auto& row : rows) {
        ASSERT_EQ(PressAndDrag("Revision Bubble", {100, 100}, {250, 250}, row.keys), kNoErr);
        const auto frames = Frames(Dimensions().back());
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0]->segments.size(), row.count) << row.keys;
        ExpectScallopsOn(frames[0]->segments, {175, 175}, a, a);
    }
    EXPECT_TRUE(Texts(Dimensions().back()).empty());
    EXPECT_EQ(g->prefs.incrementalLabelAlpha, 0) << "a bubble takes no letter";
}

TEST_F(RevisionBubbleTest, ShiftMakesACircleAcrossTheDrag) {
    // A drag of 100 from (100, 100): a circle of radius 50 on its middle; with ignoreShift
    // the ellipse through the box's corners.
    ASSERT_EQ(PressAndDrag("Revision Bubble", {100, 100}, {160, 180}, kShift), kNoErr);
    ExpectScallopsOn(Outline(Frames(Dimensions().back()).at(0)), {130, 140}, 50, 50);
    g->ignoreShift = 1;
    ASSERT_EQ(PressAndDrag("Revision Bubble", {300, 100}, {360, 180}, kShift), kNoErr);
    ExpectScallopsOn(Outline(Frames(Dimensions().back()).at(0)), {330, 140}, 30 * 1.414, 40 * 1.414);
}

TEST_F(RevisionBubbleTest, AClickRingsTheArtGrownByFiveAndFollowsIt) {
    const ObjId part = Rect(100, 100, 100, 60);
    ASSERT_EQ(session->selectTool("Revision Bubble"), kNoErr);
    ASSERT_EQ(session->click({150, 100}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    auto outline = Outline(Frames(Dimensions()[0]).at(0));
    EXPECT_EQ(outline.size(), 12u);
    ExpectScallopsOn(outline, {150, 130}, 55 * 1.414, 35 * 1.414);
    EXPECT_EQ(Clicks(part).front().dimType, kRevisionBubbleObject);

    // Moved, and covered where it was clicked: the bubble rings the part where it now is.
    const AIRealMatrix move{1, 0, 0, 1, 30, -20};
    ASSERT_EQ(session->hostEvent([&] { return sAITransformArt->TransformArt(Art(part), &move, 1, 0x41); }), kNoErr);
    Rect(170, 70, 20, 20);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    ExpectScallopsOn(Outline(Frames(Dimensions()[0]).at(0)), {180, 110}, 55 * 1.414, 35 * 1.414);

    // A click on nothing is refused.
    EXPECT_EQ(session->click({400, 400}), kCADErr);
    EXPECT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Dimensions().size(), 1u);
}

TEST_F(RevisionBubbleTest, AClickOnAnotherDimensionsWitnessLineRingsTheArtBeneath) {
    // A plate 200 x 100 and a dimension of a line above it, dragged down so that its left
    // witness line crosses the plate's top edge at (150, 200): the click there rings the
    // plate, grown by 5 (half-axes 148.5 and 77.8, r = 167.5: 21 scallops), drawn and redrawn.
    const ObjId plate = Rect(100, 100, 200, 100);
    Polyline({{150, 250}, {250, 250}});
    ASSERT_EQ(Dimension("Horizontal Dimension", {{150, 250}, {250, 250}}, {200, 180}), kNoErr);
    ASSERT_EQ(session->selectTool("Revision Bubble"), kNoErr);
    ASSERT_EQ(session->click({150, 200}), kNoErr);
    EXPECT_EQ(Clicks(plate).size(), 1u);
    for (int update = 0; update < 2; ++update) {
        const auto outline = Outline(Frames(Dimensions().back()).at(0));
        EXPECT_EQ(outline.size(), 21u) << update;
        ExpectScallopsOn(outline, {200, 150}, 105 * 1.414, 55 * 1.414);
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    }
}

TEST_F(RevisionBubbleTest, ADraggedBubbleIsKeptAsDraggedAndOneFromArtFollowsIt) {
    // One dragged from the part's corner keeps its 12 scallops through updates and moves with
    // the part; one dragged in empty space keeps its place on a carrier of its own.
    const ObjId part = Rect(100, 100, 100, 60);
    ASSERT_EQ(PressAndDrag("Revision Bubble", {100, 100}, {140, 130}), kNoErr);
    ASSERT_EQ(PressAndDrag("Revision Bubble", {300, 300}, {360, 340}), kNoErr);
    ASSERT_EQ(Clicks(part).size(), 2u);  // the press and the drag
    const auto free = Outline(Frames(Dimensions()[1]).at(0));
    const struct {
        AIReal dh, dv;
        AIRealPoint centre;
    } rows[] = {{0, 0, {120, 115}}, {0, 0, {120, 115}}, {30, -20, {150, 95}}};
    for (const auto& row : rows) {
        const AIRealMatrix move{1, 0, 0, 1, row.dh, row.dv};
        ASSERT_EQ(session->hostEvent([&] { return sAITransformArt->TransformArt(Art(part), &move, 1, 0x41); }), kNoErr);
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
        ASSERT_EQ(Dimensions().size(), 2u);
        const auto dragged = Outline(Frames(Dimensions()[0]).at(0));
        EXPECT_EQ(dragged.size(), 12u) << row.dh;
        ExpectScallopsOn(dragged, row.centre, 20 * 1.414, 15 * 1.414);
        const auto kept = Outline(Frames(Dimensions()[1]).at(0));
        ASSERT_EQ(kept.size(), free.size());
        for (size_t k = 0; k < kept.size(); ++k) EXPECT_PT(kept[k].p, free[k].p.h, free[k].p.v, kTol);
    }
}

}  // namespace
}  // namespace dimtest
