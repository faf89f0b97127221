// Section and centre lines drawn with their tools: the section line's legs, terminators and
// labels for every direction and ctrl, its prime and double weight, the label counter; the
// centre line's shift snap, flat or along the view's axes, and its redraw by its own kind.
// Expected places are worked by hand from the fixture's 10-point text: legs 36 long, labels
// 40 out and a third of the size (3.333) back along the line.
#include <cmath>
#include <string>
#include <vector>

#include "DimensionToolFixture.h"
#include "core/PlotwiseSuites.h"

namespace dimtest {
namespace {

constexpr AIReal kTol = 1e-3f;

struct ChainLineTest : DimensionToolTest {
    void SetUp() override {
        DimensionToolTest::SetUp();
        ChooseLabelFormat(0);  // letters
        g->prefs.incrementalLabelAlpha = 0;
        g->prefs.style.primeSection = 1;
        g->prefs.style.makeSectionLineDoubleThick = 0;
    }
    // The paths of the newest dimension, bottom first.
    std::vector<const standin::Art*> Paths() const {
        std::vector<const standin::Art*> out;
        doc->walk([&](const standin::Art& a, int) { if (a.type == kPathArt) out.push_back(&a); }, Dimensions().back());
        std::reverse(out.begin(), out.end());
        return out;
    }
    const standin::Art* Text(const std::string& contents) const {
        const standin::Art* found = nullptr;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (a.type == kTextFrameArt && readback::StoryText(a) == contents) found = &a;
            },
            Dimensions().back());
        return found;
    }
};

TEST_F(ChainLineTest, SectionLabelsReadOutwardsAlongTheLegsInEveryDirection) {
    struct Case {
        AIRealPoint to;
        uint32_t keys;
        double angle;        // of the labels
        int justification;   // 0 begins at the anchor, 1 ends at it
        AIRealPoint first;   // the first click's label anchor ("A'")
        AIRealPoint legEnd;  // the first leg's outer end
    };
    constexpr AIReal t = 10.0f / 3.0f;
    const Case cases[] = {
        {{200, 0}, 0, kPi / 2, 1, {t, -40}, {0, -36}},  // level: the second case, legs down
        {{200, 0}, aiEventModifiers_Command, kPi / 2, 0, {t, 40}, {0, 36}},
        {{0, 200}, 0, 0, 0, {40, -t}, {36, 0}},  // upwards: legs right
        {{0, 200}, aiEventModifiers_Command, 0, 1, {-40, -t}, {-36, 0}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Dimension("Section Line", {{0, 0}}, c.to, c.keys), kNoErr);
        EXPECT_EQ(Texts(Dimensions().back()), (std::vector<std::string>{"A", "A'"}));
        const standin::Art* first = Text("A'");
        ASSERT_NE(first, nullptr);
        EXPECT_NEAR(std::atan2(first->story.matrix.b, first->story.matrix.a), c.angle, 1e-5) << c.to.v << c.keys;
        EXPECT_EQ(first->story.para.justification, c.justification) << c.to.v << c.keys;
        EXPECT_PT((AIRealPoint{first->story.matrix.tx, first->story.matrix.ty}), c.first.h, c.first.v, kTol);
        const auto paths = Paths();
        ASSERT_GE(paths.size(), 2u);
        EXPECT_PT(paths[0]->segments[1].p, c.legEnd.h, c.legEnd.v, kTol);  // the first leg
        EXPECT_TRUE(paths[1]->closed);                                     // its arrowhead
        EXPECT_PT(paths[1]->segments[1].p, c.legEnd.h, c.legEnd.v, kTol);  // pointing out at its end
        g->prefs.incrementalLabelAlpha = 0;
    }
}

TEST_F(ChainLineTest, SectionPrimeWeightAndCounter) {
    g->prefs.style.makeSectionLineDoubleThick = 1;
    ASSERT_EQ(Dimension("Section Line", {{0, 0}}, {300, 0}), kNoErr);
    // Every line twice the weight of the terminators, which keep the dimension lines' own;
    // that weight is as it was afterwards.
    const auto paths = Paths();
    const AIReal width = paths[1]->style.stroke.width;
    for (const standin::Art* p : paths) EXPECT_EQ(p->style.stroke.width, p->closed ? width : 2 * width) << p->id;
    EXPECT_EQ(g->dimensionLineStyle.stroke.width, width);
    EXPECT_EQ(g->prefs.incrementalLabelAlpha, 1);  // the next section is "B"
    // A label that cannot be made ends the line with its error, and the weight is put back.
    AITextFrameSuite failing = *sAITextFrame;
    failing.NewPointText = [](ai_int16, AIArtHandle, ai_int16, AIRealPoint, AIArtHandle*) -> AIErr {
        return kLockedErr;
    };
    AITextFrameSuite* saved = sAITextFrame;
    ASSERT_EQ(session->selectTool("Section Line"), kNoErr);
    ASSERT_EQ(session->mouseDown({0, 400}), kNoErr);
    sAITextFrame = &failing;
    const AIErr failed = session->mouseDrag({300, 400});
    sAITextFrame = saved;
    EXPECT_EQ(failed, kLockedErr);
    EXPECT_EQ(g->dimensionLineStyle.stroke.width, width);
    session->mouseUp({300, 400});
    g->prefs.incrementalLabelAlpha = 1;
    g->prefs.style.primeSection = 0;
    ASSERT_EQ(Dimension("Section Line", {{0, 100}}, {300, 100}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), (std::vector<std::string>{"B", "B"}));
    // A custom label as long as the preference holds, primed past its end, stays its own text.
    ChooseLabelFormat(3);
    std::fill_n(g->prefs.customLabelDefaultText, sizeof g->prefs.customLabelDefaultText - 1, 'W');
    ASSERT_EQ(Dimension("Section Line", {{0, 50}}, {300, 50}), kNoErr);
    for (const std::string& text : Texts(Dimensions().back()))
        EXPECT_EQ(text.find_first_not_of("W'"), std::string::npos);
    ChooseLabelFormat(0);
    // A centre line shows no letter and takes none.
    ASSERT_EQ(Dimension("Center Line", {{0, 200}}, {300, 200}), kNoErr);
    EXPECT_EQ(g->prefs.incrementalLabelAlpha, 2);
    // A click without a drag draws nothing and says why.
    ASSERT_EQ(session->selectTool("Section Line"), kNoErr);
    const size_t before = Dimensions().size();
    EXPECT_NE(session->click({0, 300}), kNoErr);
    EXPECT_EQ(Dimensions().size(), before);
    EXPECT_FALSE(Alerts().empty());
}

TEST_F(ChainLineTest, CentreLinesSnapFlatOrAlongTheViewAndRedrawByTheirKind) {
    IsometricView();
    // Each dragged at 40 degrees, 200 long, from an anchor of a path, so it follows the path.
    const ObjId path = Polyline({{0, 0}, {-50, -50}, {0, -100}});
    struct Case {
        const char* tool;
        AIRealPoint from;
        double degrees;
    };
    const Case cases[] = {{"Center Line", {0, 0}, 45}, {"Axonometric Center Line", {0, -100}, 30}};
    auto direction = [&](ObjId dim, AIRealPoint from) {  // of the last dash's far end
        const standin::Art* last = nullptr;
        doc->walk([&](const standin::Art& a, int) { if (a.type == kPathArt && !last) last = &a; }, dim);
        const AIRealPoint p = last->segments[1].p;
        return std::pair{std::atan2(p.v - from.v, p.h - from.h) * 180 / kPi, std::hypot(p.h - from.h, p.v - from.v)};
    };
    for (const Case& c : cases) {
        const AIRealPoint to{static_cast<AIReal>(c.from.h + 200 * std::cos(40 * kPi / 180)),
                             static_cast<AIReal>(c.from.v + 200 * std::sin(40 * kPi / 180))};
        ASSERT_EQ(Dimension(c.tool, {c.from}, to, aiEventModifiers_Shift), kNoErr);
        const auto [degrees, length] = direction(Dimensions().back(), c.from);
        EXPECT_NEAR(degrees, c.degrees, 1e-3) << c.tool;
        EXPECT_NEAR(length, 200, 1e-2) << c.tool;
        EXPECT_EQ(Paths().size(), 10u) << c.tool;  // one pass: 6 pieces, 2 short halves, 2 end dashes
    }
    // The path moves; with the axonometric tool current the flat line keeps its 45 degrees.
    ASSERT_EQ(session->hostEvent([&] {
        for (AIPathSegment& s : doc->editArt(path)->segments) s.p.h += 10, s.in.h += 10, s.out.h += 10;
        return kNoErr;
    }), kNoErr);
    ASSERT_EQ(session->selectTool("Axonometric Center Line"), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 2);
    const auto dims = Dimensions();
    for (size_t i = 0; i < 2; ++i) {
        const AIRealPoint moved{cases[i].from.h + 10, cases[i].from.v};
        EXPECT_NEAR(direction(dims[i], moved).first, cases[i].degrees, 1e-3) << cases[i].tool;
    }
}

}  // namespace
}  // namespace dimtest
