// The datum symbols placed with a press and a drag: the flag's rectangle worked out by hand
// from its text's width (measured here with the font) and its text never upside down; the
// feature's triangle one text size high on the press, its box on the drag's side, and the
// terminator style given back when drawing fails; the target's two texts, the second drawn
// first, stored as custom texts; each redrawn as it was.
#include <cmath>

#include "LabelFixture.h"

namespace dimtest {
namespace {

using DatumSymbolsTest = LabelTest;

constexpr uint32_t kCtrl = aiEventModifiers_Command;

AIRealPoint Along(AIRealPoint p, double length, double degrees) {
    const double a = degrees * kPi / 180;
    return {static_cast<AIReal>(p.h + length * std::cos(a)), static_cast<AIReal>(p.v + length * std::sin(a))};
}

TEST_F(DatumSymbolsTest, TheFlagContinuesTheLegAndReadsUpright) {
    const AIRealRect box = TextBox("- B -");
    const double s = 10 + 2 + 4, w = box.right - box.left + 14 + 4;  // text spacing 14, border 4
    const struct {
        AIRealPoint drag;  // from the press at (200, 200)
        uint32_t keys;
        double theta, phi, textAngle;  // degrees
    } rows[] = {
        {{60, 0}, 0, 0, -90, 90},  // level is not above: turned the other way
        {{60, 0}, kCtrl, 0, 90, 90},
        {{0, 60}, 0, 90, 0, 0},
        {{-40, -40}, 0, -135, 135, -45},
        {{-60, 0}, 0, 180, 90, 90},  // level leftwards reads upwards too
        // A rounding off level, as a redraw may leave a drag snapped level: read as level.
        {{-100, -0.002f}, 0, 180, 90, 90},
        {{100, 0.002f}, 0, 0, -90, 90},
    };
    for (const auto& row : rows) {
        g->prefs.incrementalLabelAlpha = 1;
        const AIRealPoint knee{200 + row.drag.h, 200 + row.drag.v};
        ASSERT_EQ(PressAndDrag("Datum Flag", {200, 200}, knee, row.keys), kNoErr);
        const ObjId flag = Dimensions().back();
        EXPECT_EQ(Text(flag), "- B -");
        const auto& f = Frames(flag).at(0)->segments;
        const AIRealPoint e1 = Along(knee, s, row.theta), e2 = Along(e1, w, row.phi), e3 = Along(knee, w, row.phi);
        EXPECT_PT(f[0].p, knee.h, knee.v, kTol);
        EXPECT_PT(f[1].p, e1.h, e1.v, kTol);
        EXPECT_PT(f[2].p, e2.h, e2.v, kTol);
        EXPECT_PT(f[3].p, e3.h, e3.v, kTol);
        const AIRealMatrix& m = FirstText(flag)->story.matrix;
        EXPECT_NEAR(std::atan2(m.b, m.a), row.textAngle * kPi / 180, 1e-4);
    }
    ChooseLabelFormat(3);
    ASSERT_EQ(PressAndDrag("Datum Flag", {400, 400}, {460, 460}), kNoErr);
    EXPECT_EQ(Text(Dimensions().back()), "Custom");
}

TEST_F(DatumSymbolsTest, TheFeatureStandsOnItsEdgeAndItsBoxOnTheDragsSide) {
    const ObjId part = Rect(100, 100, 200, 100);
    const struct {
        AIRealPoint press, to;
        uint32_t keys;
        int side;
    } cases[] = {{{150, 200}, {160, 300}, 0, 1}, {{200, 200}, {170, 400}, 0, -1}, {{250, 200}, {220, 400}, kCtrl, 1}};
    for (const auto& c : cases) {
        ASSERT_EQ(PressAndDrag("Datum Feature", c.press, c.to, c.keys), kNoErr);
        const ObjId feature = Dimensions().back();
        // Filled, its apex a text size along the leg and its base's middle on the press.
        const double angle = std::atan2(c.to.v - c.press.v, c.to.h - c.press.h) * 180 / kPi;
        const auto tips = Tips(feature);
        ASSERT_EQ(tips.size(), 1u);
        const AIRealPoint apex = Along(c.press, 10, angle);
        EXPECT_PT(tips[0], apex.h, apex.v, kTol);
        for (const standin::Art* a : Paths(feature)) {
            if (!a->closed || a->segments.size() != 3) continue;
            EXPECT_TRUE(a->style.fillPaint);
            const AIRealPoint base1 = a->segments[0].p, base2 = a->segments[2].p;
            const AIRealPoint middle{(base1.h + base2.h) / 2, (base1.v + base2.v) / 2};
            EXPECT_PT(middle, c.press.h, c.press.v, kTol);
        }
        const AIRealRect frame = BoundsOf(Frames(feature).at(0));
        EXPECT_NEAR(c.side > 0 ? frame.left : frame.right, c.to.h + c.side * 20, kTol);
    }
    EXPECT_EQ(Clicks(part).front().dimType, kDatumFeature);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 3);

    // A failed triangle gives the style its own terminator back, with its paint.
    g->prefs.style.arrowheadStyle = 6;
    static AIArtSuite* real = sAIArt;
    SwappedSuite<AIArtSuite> art(sAIArt);
    art->NewArt = [](int16_t type, int16_t order, AIArtHandle prep, AIArtHandle* made) -> AIErr {
        return type == kPathArt ? kOutOfMemoryErr : real->NewArt(type, order, prep, made);
    };
    EXPECT_EQ(PressAndDrag("Datum Feature", {150, 100}, {200, 40}), kOutOfMemoryErr);
    EXPECT_EQ(g->prefs.style.arrowheadStyle, 6);
    EXPECT_FALSE(g->arrowheadStyle.fillPaint) << "the open arrowhead's paint";
}

TEST_F(DatumSymbolsTest, TheTargetShowsItsTwoTextsAndIsStoredAsCustom) {
    Rect(100, 100, 200, 100);
    ASSERT_EQ(PressAndDrag("Datum Target", {300, 150}, {360, 220}), kNoErr);
    const ObjId target = Dimensions().back();
    EXPECT_EQ(Texts(target), (std::vector<std::string>{"1", "A"})) << "the second drawn first, below";
    std::vector<int32_t> ids;
    doc->walk([&](const standin::Art& a, int) {
        live_dimension_text_data record{};
        if (a.type == kTextFrameArt && GetDimensionTextData(Art(a.id), &record) == kNoErr) ids.push_back(record.id);
    }, target);
    EXPECT_EQ(ids, (std::vector<int32_t>{0, 1}));
    const AIRealRect circle = BoundsOf(Frames(target).at(0));
    EXPECT_NEAR(circle.left, 380, kTol) << "after the shelf";
    EXPECT_GT(TextAnchor(target).v, 220) << "1 above the dividing line";
    EXPECT_TRUE(HasLine(target, {380, 220}, {circle.right, 220}));
    Plotwise3_Live_Dimension_Data stored{};
    ASSERT_EQ(GetDimensionData(Art(target), &stored), kNoErr);
    EXPECT_EQ(stored.labelFormat, 3);
    EXPECT_EQ(g->prefs.style.labelFormat, 0);
    const std::string drawn = Drawing(target);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(Drawing(Dimensions().back()), drawn);
}

}  // namespace
}  // namespace dimtest
