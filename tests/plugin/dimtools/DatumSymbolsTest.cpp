// The datum symbols placed with a press and a drag: the flag's rectangle worked out by hand
// from its text's width (measured here with the font) and its text never upside down; the
// feature's triangle one text size high whatever the drag, its box on the drag's side, and
// the terminator style given back when drawing fails; the target's two texts in the split
// circle, the second drawn first, and the custom format it is stored with; each redrawn
// as it was.
#include <cmath>

#include "LabelFixture.h"
#include "dimtools/LabelShapes.h"

namespace dimtest {
namespace {

using DatumSymbolsTest = LabelTest;

constexpr uint32_t kCtrl = aiEventModifiers_Command;
constexpr double kPi = 3.14159265358979;

struct FlagRow {
    AIRealPoint drag;  // from the press at (200, 200)
    uint32_t keys;
    double textAngle;  // degrees
    double phi;        // the side the flag reaches to, degrees
};

TEST_F(DatumSymbolsTest, TheFlagContinuesTheLegAndReadsUpright) {
    g->prefs.incrementalLabelAlpha = 1;
    const AIRealRect box = TextBox("- B -");
    const double s = 10 + 2 + 4, w = box.right - box.left + 14 + 4;  // text spacing 14, border 4
    const FlagRow rows[] = {
        {{60, 0}, 0, 90, -90},      // level: not above, so turned the other way
        {{60, 0}, kCtrl, 90, 90},
        {{0, 60}, 0, 0, 0},
        {{-40, -40}, 0, -45, 135},
    };
    for (const FlagRow& row : rows) {
        SCOPED_TRACE("drag " + std::to_string(row.drag.h) + "," + std::to_string(row.drag.v));
        const AIRealPoint press{200, 200}, knee{200 + row.drag.h, 200 + row.drag.v};
        ASSERT_EQ(PressAndDrag("Datum Flag", press, knee, row.keys), kNoErr);
        const ObjId flag = Dimensions().back();
        EXPECT_EQ(Texts(flag), std::vector<std::string>{"- B -"});
        const double theta = std::atan2(row.drag.v, row.drag.h), phi = row.phi * kPi / 180;
        const auto frames = Frames(flag);
        ASSERT_EQ(frames.size(), 1u);
        const auto& f = frames[0]->segments;
        auto along = [](AIRealPoint p, double length, double angle) {
            return AIRealPoint{static_cast<AIReal>(p.h + length * std::cos(angle)),
                               static_cast<AIReal>(p.v + length * std::sin(angle))};
        };
        const AIRealPoint e1 = along(knee, s, theta), e2 = along(e1, w, phi);
        EXPECT_PT(f[0].p, knee.h, knee.v);
        EXPECT_PT(f[1].p, e1.h, e1.v);
        EXPECT_PT(f[2].p, e2.h, e2.v);
        EXPECT_PT(f[3].p, e2.h - e1.h + knee.h, e2.v - e1.v + knee.v);
        const AIRealMatrix& m = FirstText(flag)->story.matrix;
        EXPECT_NEAR(std::atan2(m.b, m.a), std::remainder(row.textAngle * kPi / 180, 2 * kPi), 1e-4);
        EXPECT_GE(m.d, -1e-6) << "never upside down";
        g->prefs.incrementalLabelAlpha = 1;
    }
    g->prefs.style.labelFormat = 3;
    ASSERT_EQ(PressAndDrag("Datum Flag", {400, 400}, {460, 460}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"Custom"});
}

TEST_F(DatumSymbolsTest, TheFeatureStandsOnItsEdgeAndItsBoxOnTheDragsSide) {
    const ObjId part = Rect(100, 100, 200, 100);
    struct Case {
        AIRealPoint press, to;
        uint32_t keys;
        int side;
    } cases[] = {{{150, 200}, {160, 300}, 0, 1}, {{200, 200}, {170, 400}, 0, -1}, {{250, 200}, {220, 400}, kCtrl, 1}};
    for (const Case& c : cases) {
        const AIRealPoint press = c.press;
        ASSERT_EQ(PressAndDrag("Datum Feature", press, c.to, c.keys), kNoErr);
        const ObjId feature = Dimensions().back();
        const auto tips = Tips(feature);
        ASSERT_EQ(tips.size(), 1u);
        // The apex one text size along the leg; the base through the press, across the leg.
        const double angle = std::atan2(c.to.v - press.v, c.to.h - press.h);
        EXPECT_PT(tips[0], press.h + 10 * std::cos(angle), press.v + 10 * std::sin(angle));
        const standin::Art* triangle = nullptr;
        for (const standin::Art* a : Paths(feature))
            if (a->closed && a->segments.size() == 3) triangle = a;
        const AIRealPoint base{(triangle->segments[0].p.h + triangle->segments[2].p.h) / 2,
                               (triangle->segments[0].p.v + triangle->segments[2].p.v) / 2};
        EXPECT_PT(base, press.h, press.v);
        EXPECT_TRUE(triangle->style.fillPaint);
        const AIRealRect frame = BoundsOf(Frames(feature).at(0));
        const double end = c.to.h + c.side * 20;
        EXPECT_NEAR(c.side > 0 ? frame.left : frame.right, end, kTol);
        EXPECT_EQ(Text(feature), std::string(1, static_cast<char>('A' + (&c - cases))));
    }
    EXPECT_EQ(Clicks(part).front().dimType, kDatumFeature);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 3);
}

TEST_F(DatumSymbolsTest, TheFeaturesTerminatorStyleComesBackWhenDrawingFails) {
    g->prefs.style.arrowheadStyle = 6;
    static AIArtSuite* real = sAIArt;
    SwappedSuite<AIArtSuite> art(sAIArt);
    art->NewArt = [](int16_t type, int16_t order, AIArtHandle prep, AIArtHandle* made) -> AIErr {
        return type == kPathArt ? kOutOfMemoryErr : real->NewArt(type, order, prep, made);
    };
    EXPECT_EQ(PressAndDrag("Datum Feature", {150, 200}, {200, 300}), kOutOfMemoryErr);
    EXPECT_EQ(g->prefs.style.arrowheadStyle, 6);
    EXPECT_FALSE(g->arrowheadStyle.fillPaint) << "the open arrowhead's paint again";
}

TEST_F(DatumSymbolsTest, TheTargetShowsItsTwoTextsAndIsStoredAsCustom) {
    const ObjId part = Rect(100, 100, 200, 100);
    ASSERT_EQ(PressAndDrag("Datum Target", {300, 150}, {360, 220}), kNoErr);
    const ObjId target = Dimensions().back();
    EXPECT_EQ(Texts(target), (std::vector<std::string>{"1", "A"})) << "the second drawn first, below";
    std::vector<int32_t> ids;
    doc->walk([&](const standin::Art& a, int) {
        live_dimension_text_data record{};
        if (a.type == kTextFrameArt && GetDimensionTextData(Art(a.id), &record) == kNoErr) ids.push_back(record.id);
    }, target);
    EXPECT_EQ(ids, (std::vector<int32_t>{0, 1}));
    const AIRealPoint one = TextAnchor(target);
    const auto frames = Frames(target);
    ASSERT_EQ(frames.size(), 1u);
    const AIRealRect circle = BoundsOf(frames[0]);
    EXPECT_NEAR(circle.left, 380, kTol) << "after the shelf";
    EXPECT_GT(one.v, (circle.top + circle.bottom) / 2) << "1 above the dividing line";
    EXPECT_TRUE(HasLine(target, {380, 220}, {circle.right, 220}));
    Plotwise3_Live_Dimension_Data stored{};
    ASSERT_EQ(GetDimensionData(Art(target), &stored), kNoErr);
    EXPECT_EQ(stored.labelFormat, 3);
    EXPECT_EQ(g->prefs.style.labelFormat, 0);
    EXPECT_EQ(Clicks(part).size(), 2u);
    const std::string drawn = Drawing(target);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(Drawing(Dimensions().back()), drawn);
}

}  // namespace
}  // namespace dimtest
