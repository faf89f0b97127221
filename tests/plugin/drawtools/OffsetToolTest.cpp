// The offset tool: the dragged side and distance (at least 4 pt), typed distances (a
// distance below zero, like the reverse box, taking the right side), open and closed copies
// sampled against circles and rectangles worked by hand (paths running either way round),
// offsets that cannot be made, and the fills and compound paths it refuses.
#include <cmath>
#include <string>

#include "DrawToolsFixture.h"
#include "drawtools/OffsetTool.h"

namespace drawtest {
namespace {

// The farthest a path strays from a circle of radius r about c, sampled 16 times a piece
// by Bernstein's form.
double RadialError(const standin::Art& a, AIRealPoint c, double r) {
    double worst = 0;
    const size_t n = a.segments.size(), pieces = a.closed ? n : n - 1;
    for (size_t i = 0; i < pieces; ++i) {
        const AIPathSegment &s = a.segments[i], &e = a.segments[(i + 1) % n];
        for (int k = 0; k <= 16; ++k) {
            const double t = k / 16.0, u = 1 - t, w[4] = {u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t};
            const double h = w[0] * s.p.h + w[1] * s.out.h + w[2] * e.in.h + w[3] * e.p.h;
            const double v = w[0] * s.p.v + w[1] * s.out.v + w[2] * e.in.v + w[3] * e.p.v;
            worst = std::fmax(worst, std::fabs(std::hypot(h - c.h, v - c.v) - r));
        }
    }
    return worst;
}

struct OffsetToolTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        ASSERT_EQ(session->selectTool("Offset"), kNoErr);
    }
    // A click, the distance typed, the reverse box (opening clear) pressed or not.
    AIErr Typed(AIRealPoint click, const std::string& distance, bool reverse = false) {
        g->inputOffsetDirection = 1;
        std::vector<standin::UserAction> actions{Type(4, distance)};
        if (reverse) actions.push_back(Press(5));
        actions.push_back(Press(1));
        Answer("Offset", actions);
        return session->click(click);
    }
    const standin::Art* Copy() const { return Paths().front(); }  // drawn last, on top
    void Circle(AIRealPoint c, AIReal r) {
        session->hostEvent([&] { return doc->addEllipse(c.h - r, c.v - r, 2 * r, 2 * r); });
    }
};

TEST_F(OffsetToolTest, TheDragSetsTheSideAndTheDistanceOfAtLeastFourPoints) {
    Polyline({{0, 100}, {200, 100}});
    struct Case {
        AIRealPoint to;
        AIReal v;  // of the copy
    } cases[] = {{{100, 130}, 130}, {{100, 102}, 104}, {{90, 75}, 100 - std::hypot(10.0f, 25.0f)}, {{100, 98.5f}, 96}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to.v);
        ASSERT_EQ(session->mouseDown({100, 100}), kNoErr);
        ASSERT_EQ(session->mouseDrag({120, 140}), kNoErr);  // a first step, taken back by the next
        ASSERT_EQ(session->mouseDrag(c.to), kNoErr);
        EXPECT_PT(g->offsetPoint, 100, c.v, kTol);
        ASSERT_EQ(session->mouseUp(c.to), kNoErr);
        ASSERT_EQ(PathCount(), 2u);
        const AIRealPoint a = Copy()->segments.front().p, b = Copy()->segments.back().p;
        EXPECT_PT((AIRealPoint{std::fmin(a.h, b.h), a.v}), 0, c.v, kTol);
        EXPECT_PT((AIRealPoint{std::fmax(a.h, b.h), b.v}), 200, c.v, kTol);
        session->userUndo();
    }
}

// A quarter and a half circle of radius 50 about the origin, as the CAD Arc tool draws
// them, running anticlockwise (their left is the centre's side): the copy is open, ends at
// the offset end points, lies at the radius 50 -+ the distance, directly above the path
// with its paint, and is not selected. Outwards by more than the radius too, where the
// stroke's outline leaves the part beyond the centre apart.
TEST_F(OffsetToolTest, AnOpenPathGivesTheRunOfTheOutlineBetweenTheOffsetEnds) {
    const AIReal k = 50 * 0.5522847f;
    const std::vector<AIPathSegment> quarter{{{50, 0}, {50, 0}, {50, k}, false}, {{0, 50}, {k, 50}, {-k, 50}, false}};
    std::vector<AIPathSegment> half = quarter;
    half.push_back({{-50, 0}, {-50, k}, {-50, 0}, false});
    for (const auto& [anchors, end] : {std::pair{quarter, AIRealPoint{0, 1}}, std::pair{half, AIRealPoint{-1, 0}}}) {
        const standin::ObjId arc = AddPath(anchors);
        session->hostEvent([&] { return doc->editArt(arc)->style.stroke.width = 2, kNoErr; });
        for (const auto& [distance, r] : {std::pair{"10 pt", 40.0f}, {"10 pt", 60.0f}, {"30 pt", 20.0f}, {"60 pt", 110.0f}}) {
            SCOPED_TRACE(testing::Message() << anchors.size() << " anchors, radius " << r);
            ASSERT_EQ(Typed({35.36f, 35.36f}, distance, r > 50), kNoErr);
            ASSERT_EQ(PathCount(), 2u);
            const standin::Art* copy = Copy();
            EXPECT_FALSE(copy->closed);
            EXPECT_EQ(copy->style.stroke.width, 2);
            EXPECT_EQ(copy->attrs & kArtSelected, 0u);
            EXPECT_EQ(copy->next, arc);
            const AIRealPoint a = copy->segments.front().p, b = copy->segments.back().p;
            const AIRealPoint e{r * end.h, r * end.v};
            EXPECT_TRUE((Near(a, r, 0, 1) && Near(b, e.h, e.v, 1)) || (Near(a, e.h, e.v, 1) && Near(b, r, 0, 1)));
            EXPECT_LT(RadialError(*copy, {0, 0}, r), 0.05);
            session->userUndo();
        }
        session->hostEvent([&] { return doc->disposeArt(arc); });
    }
}

// The host's circle runs clockwise, so its left is outside; rectangles are drawn either way
// round. Each copy is one closed contour: the circle's a radius of 40 -+ 10 about its
// centre (and outwards by its radius or a hair less, where the stroke's inner edge closes
// up at the centre and leaves nothing there), each rectangle's its box inset or grown by
// 10 (mitred corners).
TEST_F(OffsetToolTest, AClosedPathGivesTheContourOnTheWantedSide) {
    Circle({100, 100}, 40);
    for (const auto& [distance, r] : {std::pair{"10 pt", 50.0}, std::pair{"-10 pt", 30.0}, std::pair{"40 pt", 80.0},
                                      std::pair{"39.9 pt", 79.9}}) {
        ASSERT_EQ(Typed({140, 100}, distance), kNoErr);
        ASSERT_EQ(PathCount(), 2u);
        EXPECT_TRUE(Copy()->closed);
        EXPECT_LT(RadialError(*Copy(), {100, 100}, r), 0.05) << distance;
        session->userUndo();
    }
    for (const auto& [x, inset] : {std::pair{300.0f, 10.0f}, std::pair{450.0f, -10.0f}}) {
        std::vector<AIRealPoint> corners{{x, 0}, {x + 100, 0}, {x + 100, 60}, {x, 60}};
        if (inset < 0) std::swap(corners[1], corners[3]);  // clockwise
        Polyline(corners, true);
        ASSERT_EQ(Typed({x + 50, 0}, "10 pt"), kNoErr);
        ASSERT_TRUE(Copy()->closed);
        AIReal farH = 0, farV = 0;  // every anchor on the box's edge
        for (const AIPathSegment& s : Copy()->segments) {
            const AIReal h = std::fabs(s.p.h - (x + 50)), v = std::fabs(s.p.v - 30);
            EXPECT_TRUE(std::fabs(h - (50 - inset)) < 1e-3f || std::fabs(v - (30 - inset)) < 1e-3f);
            farH = std::fmax(farH, h);
            farV = std::fmax(farV, v);
        }
        EXPECT_NEAR(farH, 50 - inset, 1e-3);
        EXPECT_NEAR(farV, 30 - inset, 1e-3);
    }
}

// Offsets past where the shape closes up leave nothing: the dialog says so, a drag shows it
// in the annotator. A circle of radius 20 offset 30 inwards; an open U 20 wide offset 15
// inwards (the widened stroke covers its inner side, ends and all); a roof of two 42.4-pt
// sides at a right angle, whose inner copy closes up 42.4 pt in (its sides' length times
// the tangent of 45 degrees); an open half circle and a quarter circle of radius 50 offset
// 60 or 65 inwards, past their centres (the stroke's edge there is the small arc beyond the
// centre, run backwards).
TEST_F(OffsetToolTest, AnOffsetThatCannotBeMadeLeavesNothing) {
    Circle({100, 100}, 20);
    Polyline({{300, 10}, {300, 0}, {320, 0}, {320, 10}});
    Polyline({{100, 300}, {130, 330}, {160, 300}});
    const AIReal k = 50 * 0.5522847f;
    AddPath({{{550, 100}, {550, 100}, {550, 100 + k}, false},
             {{500, 150}, {500 + k, 150}, {500 - k, 150}, false},
             {{450, 100}, {450, 100 + k}, {450, 100}, false}});
    AddPath({{{550, 300}, {550, 300}, {550, 300 + k}, false}, {{500, 350}, {500 + k, 350}, {500, 350}, false}});
    const AIReal in = 1 / std::sqrt(2.0f);  // along the roof's inner normal at its left side
    const struct Row {
        AIRealPoint click;
        const char* typed;  // null: dragged
        AIRealPoint to;
    } rows[] = {
        {{120, 100}, "-30 pt", {}},
        {{310, 0}, "15 pt", {}},
        {{115, 315}, "-42 pt", {}},
        {{115, 315}, "-45 pt", {}},
        {{115, 315}, "-50 pt", {}},
        {{120, 100}, nullptr, {80, 100}},
        {{115, 315}, nullptr, {115 + 45 * in, 315 - 45 * in}},
        {{115, 315}, nullptr, {115 + 50 * in, 315 - 50 * in}},
        {{500, 150}, "60 pt", {}},
        {{500, 150}, nullptr, {500, 85}},
        {{535.36f, 335.36f}, "60 pt", {}},
        {{535.36f, 335.36f}, nullptr, {535.36f - 65 * in, 335.36f - 65 * in}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed ? r.typed : "dragged");
        const size_t alerts = Alerts().size();
        if (r.typed) {
            ASSERT_EQ(Typed(r.click, r.typed), kNoErr);
            ASSERT_EQ(Alerts().size(), alerts + 1);
            EXPECT_EQ(Alerts().back(), kOffsetTooLargeErrorStr);
        } else {
            ASSERT_EQ(session->mouseDown(r.click), kNoErr);
            ASSERT_EQ(session->mouseDrag({r.click.h, r.click.v + 10}), kNoErr);
            ASSERT_EQ(session->mouseDrag(r.to), kNoErr);
            EXPECT_EQ(g->offsetTooFar, 1);
            ASSERT_EQ(session->mouseUp(r.to), kNoErr);
            EXPECT_EQ(Alerts().size(), alerts);
        }
        EXPECT_EQ(PathCount(), 5u);
    }
}

TEST_F(OffsetToolTest, FillsAndMembersOfCompoundPathsAreRefused) {
    standin::ObjId filled = 0, member = 0, compound = 0;
    session->hostEvent([&] {
        if (AIErr err = doc->addRect(0, 0, 100, 100, &filled)) return err;
        doc->editArt(filled)->style.fillPaint = true;
        doc->editArt(filled)->style.fill.color.kind = kGrayColor;
        if (AIErr err = doc->addRect(200, 0, 100, 100, &member)) return err;
        if (AIErr err = doc->newArt(kCompoundPathArt, kPlaceAbove, member, &compound)) return err;
        return doc->reorderArt(member, kPlaceInsideOnTop, compound);
    });
    ASSERT_EQ(Typed({50, 50}, "10 pt"), kNoErr);
    ASSERT_EQ(Typed({200, 50}, "10 pt"), kNoErr);
    EXPECT_EQ(Alerts(), (std::vector<std::string>{kOffsetToolCantDealWithFills, kOffsetToolCantDealWithCompounds}));
    EXPECT_EQ(PathCount(), 2u);
    EXPECT_TRUE(DialogFailures().empty());
}

}  // namespace
}  // namespace drawtest
