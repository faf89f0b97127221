// Aligned dimensions placed as a user places them: measured along the first pair's direction
// on a line through the drag point, witness lines from the gap to past the line, the text
// turned along the line and standing off it, or level and cutting the line at its box;
// chains, stubs and outside text, shift snapping, clicks that make no line, and the redraw.
// Expected numbers are worked out by hand (a 45-degree edge gives feet at whole points)
// from the fixture's style: text 10 pt, leading 2, witness gap 4 and extension 6,
// arrowheads 9 long, text spacing 14 (7 around every text box), offset step 18.
#include <cmath>
#include <string>
#include <vector>

#include "AIPath.h"
#include "DimensionToolFixture.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionText.h"

namespace dimtest {
namespace {

constexpr AIReal kTol = 2e-3f;
const double kRoot2 = std::sqrt(2.0);

bool Near(const AIRealPoint& p, double h, double v) { return std::fabs(p.h - h) < kTol && std::fabs(p.v - v) < kTol; }

struct AlignedTest : DimensionToolTest {
    void SetUp() override {
        DimensionToolTest::SetUp();
        g->prefs.style.aTextPlacement = 2;  // along the line
    }
    // How many two-anchor lines run between the two points, either way round.
    size_t LinesBetween(ObjId group, double h1, double v1, double h2, double v2) const {
        size_t n = 0;
        for (const Segment& s : Lines(group))
            n += (Near(s.a, h1, v1) && Near(s.b, h2, v2)) || (Near(s.a, h2, v2) && Near(s.b, h1, v1)) ? 1 : 0;
        return n;
    }
    // The box of a text as the dimension kit measures it where the text stands (level),
    // on the layer the tool draws on.
    AIRealRect Box(const std::string& text, AIRealPoint at) {
        EXPECT_EQ(session->selectTool("Aligned Dimension"), kNoErr);
        AIRealRect r{};
        EXPECT_EQ(session->hostEvent([&] { return GetAbsoluteTextArtRect(text.c_str(), &at, 2, 0, &r); }), kNoErr);
        return r;
    }
    size_t ArtCount() const {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.isLayerGroup() ? 0 : 1; });
        return n;
    }
};

TEST_F(AlignedTest, AlongA45DegreeEdge) {
    const ObjId edge = Polyline({{0, 0}, {100, 100}});
    // The drag point is 30 * root 2 off the edge, on its upper left.
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 100}}, {20, 80}), kNoErr);
    const auto dims = Dimensions();
    ASSERT_EQ(dims.size(), 1u);
    const ObjId dim = dims[0];
    EXPECT_EQ(Texts(dim), std::vector<std::string>{"141.42"});
    // The line through the drag point at 45 degrees, from foot (-30, 30) to (70, 130).
    EXPECT_EQ(LinesBetween(dim, -30, 30, 70, 130), 1u);
    // Witness lines from 4 off each click to 2 past the line (extension 6 less the gap).
    const double reach = 30 * kRoot2 + 6 - 4;
    EXPECT_EQ(LinesBetween(dim, -4 / kRoot2, 4 / kRoot2, -reach / kRoot2, reach / kRoot2), 1u);
    EXPECT_EQ(LinesBetween(dim, 100 - 4 / kRoot2, 100 + 4 / kRoot2, 100 - reach / kRoot2, 100 + reach / kRoot2), 1u);
    const auto tips = Tips(dim);
    ASSERT_EQ(tips.size(), 2u);
    EXPECT_TRUE(Near(tips[0], -30, 30) || Near(tips[1], -30, 30));
    EXPECT_TRUE(Near(tips[0], 70, 130) || Near(tips[1], 70, 130));
    // Turned 45 degrees, centred half way, standing 4 off the line towards 135 degrees.
    const standin::Art* text = FirstText(dim);
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(text->story.matrix.a, 1 / kRoot2, 1e-5);
    EXPECT_NEAR(text->story.matrix.b, 1 / kRoot2, 1e-5);
    EXPECT_NEAR(text->story.matrix.tx, 20 - 4 / kRoot2, kTol);
    EXPECT_NEAR(text->story.matrix.ty, 80 + 4 / kRoot2, kTol);
    EXPECT_EQ(text->story.para.justification, 2);
    // Stored as an inclined dimension: two anchors and the drag.
    const auto clicks = Clicks(edge);
    ASSERT_EQ(clicks.size(), 3u);
    for (const auto& c : clicks) EXPECT_EQ(c.dimType, kIncline);
    EXPECT_EQ(clicks[2].clickNum, -1);
    EXPECT_NEAR(clicks[2].endPointOffsetLength, std::hypot(20.0, 80.0), 1e-3);
}

TEST_F(AlignedTest, TextAnglesAndSidesByMeasuringAngle) {
    Polyline({{100, 0}, {0, 100}});
    // 135 degrees: the text turns by -45 and stands off towards 45 degrees.
    ASSERT_EQ(Dimension("Aligned Dimension", {{100, 0}, {0, 100}}, {80, 80}), kNoErr);
    const standin::Art* text = FirstText(Dimensions().back());
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"141.42"});
    EXPECT_NEAR(text->story.matrix.b, -1 / kRoot2, 1e-5);
    EXPECT_NEAR(text->story.matrix.a, 1 / kRoot2, 1e-5);
    EXPECT_NEAR(text->story.matrix.tx, 80 + 4 / kRoot2, kTol);
    EXPECT_NEAR(text->story.matrix.ty, 80 + 4 / kRoot2, kTol);
    EXPECT_EQ(LinesBetween(Dimensions().back(), 130, 30, 30, 130), 1u);
    // Clicked top down (-135 degrees) the text still reads upright, as clicked bottom up.
    Polyline({{300, 100}, {200, 0}});
    ASSERT_EQ(Dimension("Aligned Dimension", {{300, 100}, {200, 0}}, {220, 80}), kNoErr);
    text = FirstText(Dimensions().back());
    EXPECT_NEAR(text->story.matrix.a, 1 / kRoot2, 1e-5);
    EXPECT_NEAR(text->story.matrix.b, 1 / kRoot2, 1e-5);
    EXPECT_NEAR(text->story.matrix.tx, 220 - 4 / kRoot2, kTol);
    EXPECT_NEAR(text->story.matrix.ty, 80 + 4 / kRoot2, kTol);
    // Right to left along a level edge: upright, above, one whole line between the ends.
    Polyline({{500, 0}, {400, 0}});
    ASSERT_EQ(Dimension("Aligned Dimension", {{500, 0}, {400, 0}}, {450, 30}), kNoErr);
    const ObjId level = Dimensions().back();
    text = FirstText(level);
    EXPECT_NEAR(text->story.matrix.a, 1, 1e-5);
    EXPECT_NEAR(text->story.matrix.b, 0, 1e-5);
    EXPECT_NEAR(text->story.matrix.tx, 450, kTol);
    EXPECT_NEAR(text->story.matrix.ty, 34, kTol);
    EXPECT_EQ(LinesBetween(level, 400, 30, 500, 30), 1u);
}

TEST_F(AlignedTest, ChainsAreMeasuredAlongTheFirstDirection) {
    g->prefs.style.aTextPlacement = 1;
    Polyline({{0, 0}, {100, 0}, {200, 50}});
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}, {200, 50}}, {100, 100}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const ObjId dim = Dimensions()[0];
    // The third click counts only its level distance; its witness line rises to the line.
    EXPECT_EQ(Texts(dim), (std::vector<std::string>{"100.00", "100.00"}));
    EXPECT_EQ(LinesBetween(dim, 200, 54, 200, 102), 1u);
    EXPECT_EQ(LinesBetween(dim, 0, 4, 0, 102), 1u);
    EXPECT_EQ(LinesBetween(dim, 100, 4, 100, 102), 1u);
    std::vector<AIRealPoint> at;
    doc->walk([&](const standin::Art& a, int) { if (a.type == kTextFrameArt) at.push_back({a.story.matrix.tx, a.story.matrix.ty}); },
              dim);
    ASSERT_EQ(at.size(), 2u);
    EXPECT_PT(at[0], 150, 95, kTol);  // top first: the second pair's text, level and lowered by half its size
    EXPECT_PT(at[1], 50, 95, kTol);
    // A click back along the direction: its text stays between its own witness lines.
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}, {40, 0}}, {50, -40}), kNoErr);
    const ObjId back = Dimensions().back();
    EXPECT_EQ(Texts(back), (std::vector<std::string>{"60.00", "100.00"}));
    at.clear();
    doc->walk([&](const standin::Art& a, int) { if (a.type == kTextFrameArt) at.push_back({a.story.matrix.tx, a.story.matrix.ty}); },
              back);
    EXPECT_PT(at[0], 70, -45, kTol);
}

TEST_F(AlignedTest, LevelTextCutsASlantedLineAtItsBox) {
    g->prefs.style.aTextPlacement = 1;
    Polyline({{0, 0}, {100, 100}});
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 100}}, {20, 80}), kNoErr);
    const ObjId dim = Dimensions().back();
    const standin::Art* text = FirstText(dim);
    EXPECT_NEAR(text->story.matrix.b, 0, 1e-6);
    EXPECT_PT((AIRealPoint{text->story.matrix.tx, text->story.matrix.ty}), 20, 75, kTol);
    // The line y = x + 60 from (-30, 30) enters the box where it meets the later of its
    // left and bottom edges, and leaves it at the earlier of its right and top edges.
    const AIRealRect b = Box("141.42", {20, 75});
    const double in = std::max(b.left + 30, b.bottom - 30), out = std::min(b.right + 30, b.top - 30);
    EXPECT_EQ(LinesBetween(dim, -30, 30, -30 + in, 30 + in), 1u);
    EXPECT_EQ(LinesBetween(dim, -30 + out, 30 + out, 70, 130), 1u);
    // Dragged to 0.009 before the square beside the second end (a gesture met in use), the
    // text stands on that end and covers it: the line runs from the first end up to the
    // box, one piece, and none runs from the covered end through the text.
    g->prefs.style.slideDimText = 1;
    Polyline({{314.644653f, 234.644653f}, {40, 60}});
    ASSERT_EQ(Dimension("Aligned Dimension", {{314.644653f, 234.644653f}, {40, 60}}, {56.8876915f, 33.4587936f}),
              kNoErr);
    const double a = std::atan2(60 - 234.644653, 40 - 314.644653);
    size_t pieces = 0;  // of the dimension line, along a (the witness lines run square to it)
    for (const Segment& s : Lines(Dimensions().back()))
        pieces += std::fabs(std::sin(std::atan2(s.b.v - s.a.v, s.b.h - s.a.h) - a)) < 0.1;
    EXPECT_EQ(pieces, 1u);
}

TEST_F(AlignedTest, APieceNoLongerThanATerminatorBesideTheTextIsLeftOut) {
    g->prefs.style.aTextPlacement = 1;
    g->prefs.style.slideDimText = 1;
    Polyline({{0, 0}, {200, 0}});
    // The text slides with the drag; find how far its box reaches left of its place.
    const AIRealRect probe = Box("200.00", {100, 25});
    const double left = 100 - probe.left;
    auto pieces = [&](double h) {
        EXPECT_EQ(Dimension("Aligned Dimension", {{0, 0}, {200, 0}}, {static_cast<AIReal>(h), 30}), kNoErr);
        return Horizontal(Lines(Dimensions().back()), 30);
    };
    // 5 points of line left of the box: too short for the arrowhead, left out.
    auto line = pieces(left + 5);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_NEAR(line[0].b.h, 200, kTol);
    EXPECT_NEAR(line[0].a.h, Box("200.00", {static_cast<AIReal>(left + 5), 25}).right, kTol);
    // 20 points: drawn, up to the box.
    line = pieces(left + 20);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_NEAR(line[0].a.h, 0, kTol);
    EXPECT_NEAR(line[0].b.h, 20, kTol);
    // The text on the first end covers it: only the piece on the far side.
    line = pieces(0);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_NEAR(line[0].b.h, 200, kTol);
}

TEST_F(AlignedTest, OutsideStubsAndOutsideText) {
    Polyline({{0, 0}, {100, 0}});
    g->prefs.style.terminatorDirection = 0;  // stubs of twice the arrowhead, the text inside
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}}, {50, 30}), kNoErr);
    ObjId dim = Dimensions().back();
    EXPECT_EQ(LinesBetween(dim, -18, 30, 0, 30), 1u);
    EXPECT_EQ(LinesBetween(dim, 100, 30, 118, 30), 1u);
    EXPECT_EQ(Horizontal(Lines(dim), 30).size(), 2u);
    EXPECT_NEAR(FirstText(dim)->story.matrix.tx, 50, kTol);
    // Slid past the second end, level text: one line from the far end up to the box.
    g->prefs.style.terminatorDirection = 2;
    g->prefs.style.slideDimText = 1;
    g->prefs.style.aTextPlacement = 1;
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}}, {150, 30}), kNoErr);
    dim = Dimensions().back();
    EXPECT_PT((AIRealPoint{FirstText(dim)->story.matrix.tx, FirstText(dim)->story.matrix.ty}), 150, 25, kTol);
    AIRealRect b = Box("100.00", {150, 25});
    auto line = Horizontal(Lines(dim), 30);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_NEAR(line[0].a.h, 0, kTol);
    EXPECT_NEAR(line[0].b.h, b.left, kTol);
    // With lines forced outside: stubs as long as the nearer one's way to the text.
    g->prefs.forceDimLinesOutside = 1;
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}}, {150, 30}), kNoErr);
    dim = Dimensions().back();
    EXPECT_PT((AIRealPoint{FirstText(dim)->story.matrix.tx, FirstText(dim)->story.matrix.ty}), 150, 25, kTol);
    const double stub = b.left - 100;
    EXPECT_EQ(LinesBetween(dim, 100, 30, 100 + stub, 30), 1u);
    EXPECT_EQ(LinesBetween(dim, 0, 30, -stub, 30), 1u);
    for (const AIRealPoint& tip : Tips(dim)) EXPECT_TRUE(Near(tip, 0, 30) || Near(tip, 100, 30));
    // Text along the line at the end of the nearer stub (50 long: as far as the text).
    g->prefs.style.aTextPlacement = 2;
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}}, {150, 30}), kNoErr);
    dim = Dimensions().back();
    EXPECT_PT((AIRealPoint{FirstText(dim)->story.matrix.tx, FirstText(dim)->story.matrix.ty}), 150, 34, kTol);
    EXPECT_EQ(LinesBetween(dim, 100, 30, 150, 30), 1u);
    EXPECT_EQ(LinesBetween(dim, 0, 30, -50, 30), 1u);
}

TEST_F(AlignedTest, TerminatorsInsideAndLevelTextBetweenOutsideStubs) {
    Polyline({{0, 0}, {100, 0}});
    auto& s = g->prefs.style;
    // Terminators inside, whatever the preferences force: text slid past the second end
    // along the line, and one line from the first end out to the text's place.
    s.terminatorDirection = 1;
    g->prefs.forceDimLinesOutside = 1;
    s.slideDimText = 1;
    s.aTextPlacement = 2;
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}}, {150, 30}), kNoErr);
    ObjId dim = Dimensions().back();
    EXPECT_PT((AIRealPoint{FirstText(dim)->story.matrix.tx, FirstText(dim)->story.matrix.ty}), 150, 34, kTol);
    ASSERT_EQ(Horizontal(Lines(dim), 30).size(), 1u);
    EXPECT_EQ(LinesBetween(dim, 0, 30, 150, 30), 1u);
    for (const AIRealPoint& tip : Tips(dim)) EXPECT_TRUE(Near(tip, 0, 30) || Near(tip, 100, 30));
    // Not sliding, the text stays in the middle and the line runs from end to end.
    s.slideDimText = 0;
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}}, {150, 30}), kNoErr);
    dim = Dimensions().back();
    EXPECT_PT((AIRealPoint{FirstText(dim)->story.matrix.tx, FirstText(dim)->story.matrix.ty}), 50, 34, kTol);
    EXPECT_EQ(LinesBetween(dim, 0, 30, 100, 30), 1u);
    // Lines forced outside with level text in the middle: a stub of twice the arrowhead at
    // each end, the text between them lowered by half its size, no line across.
    s.terminatorDirection = 2;
    s.aTextPlacement = 1;
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}}, {50, 30}), kNoErr);
    dim = Dimensions().back();
    EXPECT_PT((AIRealPoint{FirstText(dim)->story.matrix.tx, FirstText(dim)->story.matrix.ty}), 50, 25, kTol);
    ASSERT_EQ(Horizontal(Lines(dim), 30).size(), 2u);
    EXPECT_EQ(LinesBetween(dim, -18, 30, 0, 30), 1u);
    EXPECT_EQ(LinesBetween(dim, 100, 30, 118, 30), 1u);
}

TEST_F(AlignedTest, ShiftSnapsTheOffsetToTheStep) {
    Polyline({{0, 0}, {100, 100}});
    // 40 off the edge snaps to two steps of 18, 50 off to three.
    for (const double off : {40.0, 50.0}) {
        const AIRealPoint drag{static_cast<AIReal>(50 - off / kRoot2), static_cast<AIReal>(50 + off / kRoot2)};
        ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 100}}, drag, aiEventModifiers_Shift), kNoErr);
        const double d = (off < 45 ? 36 : 54) / kRoot2;
        EXPECT_EQ(LinesBetween(Dimensions().back(), -d, d, 100 - d, 100 + d), 1u) << off;
    }
}

TEST_F(AlignedTest, ClicksThatMakeNoLineDrawNothing) {
    const ObjId edge = Polyline({{0, 0}, {100, 0}});
    const size_t art = ArtCount();
    g->prefs.style.slideDimText = 1;
    // Both clicks at one place; the drag point on the clicks' line; a chain back to its start.
    EXPECT_EQ(Dimension("Aligned Dimension", {{0, 0}, {0, 0}}, {30, 40}), kNoErr);
    EXPECT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}}, {60, 0}), kNoErr);
    EXPECT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 0}, {0, 0}}, {50, 30}), kNoErr);
    EXPECT_TRUE(Dimensions().empty());
    EXPECT_EQ(ArtCount(), art);  // not even an empty group
    EXPECT_FALSE(IsDimensionedObject(Art(edge)));
    EXPECT_TRUE(std::isfinite(g->slideDimTextOffset));
    EXPECT_EQ(g->firstChainDimDataPtr, nullptr);
}

TEST_F(AlignedTest, LabelsShowInsteadOfTheValueAndALongOneIsCut) {
    Polyline({{0, 0}, {100, 100}});
    g->prefs.style.dimensionFormat = 2;
    g->prefs.incrementalDimNumber = 12;
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 100}}, {20, 80}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"12"});
    // A custom text longer than a dimension text may be: its first 255 characters.
    g->prefs.style.dimensionFormat = 3;
    CopyCString(g->prefs.customDimDefaultText, std::string(1023, 'c').c_str());
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 100}}, {10, 90}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{std::string(255, 'c')});
}

TEST_F(AlignedTest, RedrawnFromTheStoredClicks) {
    const ObjId edge = Polyline({{0, 0}, {100, 100}});
    g->prefs.style.slideDimText = 1;
    ASSERT_EQ(Dimension("Aligned Dimension", {{0, 0}, {100, 100}}, {10, 70}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const std::string before = Texts(Dimensions()[0])[0];
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    EXPECT_EQ(Texts(Dimensions()[0]), std::vector<std::string>{before});
    // The far anchor moved out along the edge: the value follows it.
    ASSERT_EQ(session->hostEvent([&] {
        AIPathSegment s{};
        s.p = s.in = s.out = {200, 200};
        s.corner = true;
        return sAIPath->SetPathSegments(Art(edge), 1, 1, &s);
    }),
              kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    EXPECT_EQ(Texts(Dimensions()[0]), std::vector<std::string>{"282.84"});
    // Clicks 78.914996 apart (worked from their floats), 4e-6 below the half-hundredth and so
    // within the float spacing of coordinates near 300 (3e-5): the value is the clicks', not
    // the feet's, which move with the rounding of the drag point as it is stored, so drawn
    // and redrawn it reads 78.92.
    Polyline({{220, 180}, {298.756439f, 175.000015f}});
    ASSERT_EQ(Dimension("Aligned Dimension", {{220, 180}, {298.756439f, 175.000015f}}, {327.112366f, 124.278069f}),
              kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"78.92"});
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"78.92"});
    // Dragged 0.003 off the clicks' line (a gesture met in use): each witness line runs
    // out square from its click on the drag point's side, drawn and redrawn alike.
    Polyline({{400, 270}, {280, 60}});
    ASSERT_EQ(Dimension("Aligned Dimension", {{400, 270}, {280, 60}}, {305.231415f, 104.161896f}), kNoErr);
    const std::vector<Segment> drawn = Lines(Dimensions().back());
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    const std::vector<Segment> redrawn = Lines(Dimensions().back());
    ASSERT_EQ(redrawn.size(), drawn.size());
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_PT(redrawn[i].a, drawn[i].a.h, drawn[i].a.v, kTol);
        EXPECT_PT(redrawn[i].b, drawn[i].b.h, drawn[i].b.v, kTol);
    }
}

}  // namespace
}  // namespace dimtest
