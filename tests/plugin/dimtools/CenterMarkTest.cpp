// Centre marks placed with a click: the crosshair over the art's stroke-less bounds (the
// layouts themselves are worked out in the geometry tests), option's cross alone, any art
// marked by its bounds, a click in empty space refused; the redraw of a stored mark found
// by its measured art even under other art, following it when it moves, flat marks redrawn
// flat whatever tool is current, and the axonometric mark centred on its projected circle.
#include <cmath>

#include "RadialAngleFixture.h"

namespace dimtest {
namespace {

using CenterMarkTest = RadialAngleTest;

// The centre of the bounds of all lines of a group, and its extent.
AIRealRect LineBounds(const std::vector<Segment>& lines) {
    AIRealRect r{1e9f, -1e9f, -1e9f, 1e9f};
    for (const Segment& s : lines)
        for (const AIRealPoint& p : {s.a, s.b}) {
            r.left = std::min(r.left, p.h);
            r.right = std::max(r.right, p.h);
            r.top = std::max(r.top, p.v);
            r.bottom = std::min(r.bottom, p.v);
        }
    return r;
}

TEST_F(CenterMarkTest, ACrosshairOverTheCircleNineBeyondIt) {
    const ObjId circle = Ellipse(100, 100, 54, 54);  // centre (127, 127)
    ASSERT_EQ(session->selectTool("Center Mark"), kNoErr);
    ASSERT_EQ(session->click({154, 127}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const ObjId mark = Dimensions()[0];
    EXPECT_EQ(Lines(mark).size(), 8u);
    // A cross of 9 each way, gaps to 18, lines out to 9 beyond the circle (36 from the centre).
    EXPECT_TRUE(HasLine(mark, {127, 136}, {127, 127}));
    EXPECT_TRUE(HasLine(mark, {127, 127}, {127, 118}));
    EXPECT_TRUE(HasLine(mark, {127, 163}, {127, 145}));
    EXPECT_TRUE(HasLine(mark, {91, 127}, {109, 127}));
    EXPECT_TRUE(HasLine(mark, {145, 127}, {163, 127}));
    const auto clicks = Clicks(circle);
    ASSERT_EQ(clicks.size(), 1u);  // a click: no drag record
    EXPECT_EQ(clicks[0].dimType, kCircleCenter);
    EXPECT_TRUE(Texts(mark).empty());
}

TEST_F(CenterMarkTest, OptionDrawsTheCrossAloneAndAnyArtIsMarkedByItsBounds) {
    Ellipse(100, 100, 54, 54);
    ASSERT_EQ(session->selectTool("Center Mark"), kNoErr);
    ASSERT_EQ(session->click({154, 127}, aiEventModifiers_Option), kNoErr);
    EXPECT_EQ(Lines(Dimensions().back()).size(), 4u);
    // A rectangle 120 by 40: its centre, a large horizontal arm and a small vertical one.
    Rect(300, 100, 120, 40);
    ASSERT_EQ(session->click({420, 120}), kNoErr);
    const AIRealRect r = LineBounds(Lines(Dimensions().back()));
    EXPECT_NEAR(r.left, 291, kTol);
    EXPECT_NEAR(r.right, 429, kTol);
    EXPECT_NEAR(r.top, 149, kTol);
    EXPECT_NEAR(r.bottom, 91, kTol);
    EXPECT_TRUE(HasLine(Dimensions().back(), {351, 120}, {360, 120}));  // the cross: 9 long
}

TEST_F(CenterMarkTest, AClickOnNothingIsRefused) {
    ASSERT_EQ(session->selectTool("Center Mark"), kNoErr);
    EXPECT_EQ(session->click({500, 500}), kCADErr);
    ASSERT_FALSE(Alerts().empty());
    EXPECT_EQ(Alerts().back(), "This tool must be used by clicking on an object.");
    EXPECT_TRUE(Dimensions().empty());
}

TEST_F(CenterMarkTest, ARedrawFindsItsArtEvenUnderOtherArtAndFollowsIt) {
    const ObjId circle = Ellipse(100, 100, 54, 54);
    ASSERT_EQ(session->selectTool("Center Mark"), kNoErr);
    ASSERT_EQ(session->click({154, 127}), kNoErr);
    // The circle hidden, and a filled box over the clicked point: a hit there would find the
    // box, never the circle.
    ASSERT_EQ(session->hostEvent([&] { return sAIArt->SetArtUserAttr(Art(circle), kArtHidden, kArtHidden); }),
              kNoErr);
    ObjId box = 0;
    ASSERT_EQ(session->hostEvent([&] {
        AIErr err = doc->addRect(140, 110, 40, 40, &box);
        AIPathStyle style{};
        if (!err) err = sAIPathStyle->GetPathStyle(Art(box), &style);
        style.fillPaint = true;
        style.fill.color.kind = kGrayColor;
        return err ? err : sAIPathStyle->SetPathStyle(Art(box), &style);
    }), kNoErr);
    const std::string before = Drawing(Dimensions()[0]);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    ASSERT_EQ(Dimensions().size(), 1u);
    EXPECT_EQ(Drawing(Dimensions()[0]), before);
    // The circle moved: the mark goes with it.
    const AIRealMatrix move{1, 0, 0, 1, -60, 30};
    ASSERT_EQ(session->hostEvent([&] { return sAITransformArt->TransformArt(Art(circle), &move, 1, 0x41); }),
              kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_TRUE(HasLine(Dimensions()[0], {67, 166}, {67, 157}));
}

struct AxonometricCenterMarkTest : CenterMarkTest {
    ObjId circle = 0;
    void SetUp() override {
        CenterMarkTest::SetUp();
        IsometricView();
        circle = Ellipse(100, 100, 72, 72);
        ASSERT_EQ(Project(circle, kAxoLeftFace), kNoErr);
    }
    AIRealPoint AnAnchor() const { return doc->art(circle)->segments[1].p; }
};

TEST_F(AxonometricCenterMarkTest, TheAxonometricMarkLiesInTheFaceCentredOnTheCircle) {
    ASSERT_EQ(session->selectTool("Axonometric Center Mark"), kNoErr);
    ASSERT_EQ(session->click(AnAnchor()), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const ObjId mark = Dimensions()[0];
    EXPECT_TRUE(IsAxonometricArt(Art(mark)));
    const AIRealRect c = Bounds(circle), m = Bounds(mark);
    EXPECT_NEAR((m.left + m.right) / 2, (c.left + c.right) / 2, kTol);
    EXPECT_NEAR((m.top + m.bottom) / 2, (c.top + c.bottom) / 2, kTol);
    // Its lines run along the face's axes, not across the page.
    int slanted = 0;
    for (const Segment& s : Lines(mark)) slanted += std::fabs(s.a.h - s.b.h) > kTol && std::fabs(s.a.v - s.b.v) > kTol;
    EXPECT_GT(slanted, 0);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    EXPECT_TRUE(IsAxonometricArt(Art(Dimensions()[0])));
}

TEST_F(AxonometricCenterMarkTest, AFlatMarkIsRedrawnFlatWhateverToolIsCurrent) {
    ASSERT_EQ(session->selectTool("Center Mark"), kNoErr);
    ASSERT_EQ(session->click(AnAnchor()), kNoErr);
    const std::string flat = Drawing(Dimensions()[0]);
    ASSERT_EQ(session->selectTool("Axonometric Center Mark"), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    const ObjId mark = Dimensions()[0];
    EXPECT_FALSE(IsAxonometricArt(Art(mark)));
    EXPECT_EQ(Drawing(mark), flat);
    // Over the projected bounds, grown by 9.
    const AIRealRect c = Bounds(circle), m = LineBounds(Lines(mark));
    EXPECT_NEAR(m.left, c.left - 9, kTol);
    EXPECT_NEAR(m.top, c.top + 9, kTol);
}

TEST_F(AxonometricCenterMarkTest, ARecordOfNoFaceIsMarkedFlatOverItsBounds) {
    // The circle's record names no face (as flat art's does): the axonometric tool has no
    // plane to draw in and marks the projected bounds as they lie.
    depth_object_data record;
    ASSERT_EQ(GetAxonometricData(Art(circle), &record), kNoErr);
    record.face = kAxoNoFace;
    ASSERT_EQ(session->hostEvent([&] { return SetAxonometricData(Art(circle), &record); }), kNoErr);
    ASSERT_EQ(session->selectTool("Axonometric Center Mark"), kNoErr);
    ASSERT_EQ(session->click(AnAnchor()), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const ObjId mark = Dimensions()[0];
    EXPECT_FALSE(IsAxonometricArt(Art(mark)));
    const AIRealRect c = Bounds(circle), m = LineBounds(Lines(mark));
    EXPECT_NEAR(m.left, c.left - 9, kTol);
    EXPECT_NEAR(m.right, c.right + 9, kTol);
    EXPECT_NEAR(m.top, c.top + 9, kTol);
    EXPECT_NEAR(m.bottom, c.bottom - 9, kTol);
    for (const Segment& s : Lines(mark))
        EXPECT_TRUE(std::fabs(s.a.h - s.b.h) < kTol || std::fabs(s.a.v - s.b.v) < kTol) << "level or upright";
}

}  // namespace
}  // namespace dimtest
