// Datum chains placed as a user places them: stacked rows a step apart, the running layout
// with its one zero and the JIS line, values from the datum whichever side a click lies on,
// shift, the aligned chain's projections, labels beside the zero, regeneration, and the
// axonometric hand-over. Expected numbers are worked by hand from the fixture's style (text
// 10 pt, leading 2, witness gap 4 and extension 6, offset step 18) or a 12 pt text.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "DimensionToolFixture.h"
#include "axonometric/AxonometricProjection.h"

namespace dimtest {
namespace {

constexpr AIReal kTol = 1e-3f;

struct DatumTest : DimensionToolTest {
    // The texts of the newest dimension, top first, with their anchors, turns and
    // justification (0 begins, 1 ends at, 2 centred on the anchor).
    struct Placed {
        std::string text;
        AIRealPoint at;
        double angle;
        int justification;
    };
    std::vector<Placed> Placements() const {
        std::vector<Placed> out;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (a.type != kTextFrameArt) return;
                const auto& m = a.story.matrix;
                out.push_back({readback::StoryText(a), {m.tx, m.ty}, std::atan2(m.b, m.a), a.story.para.justification});
            },
            Dimensions().back());
        return out;
    }
    // Whether the newest dimension holds a line from a to b (either way round).
    bool HasLine(AIRealPoint a, AIRealPoint b) const {
        auto at = [](AIRealPoint p, AIRealPoint q) { return std::hypot(p.h - q.h, p.v - q.v) < 1e-2; };
        for (const Segment& l : Lines(Dimensions().back()))
            if ((at(l.a, a) && at(l.b, b)) || (at(l.a, b) && at(l.b, a))) return true;
        return false;
    }
    size_t OpenArrowheads() const {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.type == kPathArt && !a.closed && a.segments.size() == 3; },
                  Dimensions().back());
        return n;
    }
};

TEST_F(DatumTest, StackedRowsStandAStepApartFromTheDatum) {
    // Text 12 and offset 18 make a step of 22; the datum's witness line reaches the
    // outermost row. Values are distances from the datum, whichever side.
    g->prefs.style.dimensionTextSize = 12;
    Polyline({{0, 0}, {100, 0}, {250, 0}});
    Polyline({{0, 0}, {0, 100}, {0, 250}});
    struct Case {
        const char* tool;
        std::vector<AIRealPoint> clicks;
        AIRealPoint drag;
        std::vector<std::string> texts;  // top first: the last row first
        AIReal rows[2];                  // the levels of the two dimension lines
        Segment datumWitness;
    };
    const Case cases[] = {
        {"Horizontal Datum Dimension", {{0, 0}, {100, 0}, {250, 0}}, {250, 30}, {"250.00", "100.00"}, {30, 52},
         {{0, 4}, {0, 58}}},
        {"Horizontal Datum Dimension", {{250, 0}, {100, 0}, {0, 0}}, {0, -30}, {"250.00", "150.00"}, {-30, -52},
         {{250, -4}, {250, -58}}},
        {"Vertical Datum Dimension", {{0, 0}, {0, 100}, {0, 250}}, {30, 250}, {"250.00", "100.00"}, {30, 52},
         {{4, 0}, {58, 0}}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Dimension(c.tool, c.clicks, c.drag), kNoErr) << c.tool;
        const ObjId dim = Dimensions().back();
        EXPECT_EQ(Texts(dim), c.texts) << c.tool;
        const bool vertical = c.datumWitness.a.v == c.datumWitness.b.v;
        const auto lines = Lines(dim);
        for (AIReal row : c.rows)  // each line broken round its text
            EXPECT_EQ((vertical ? Vertical(lines, row) : Horizontal(lines, row)).size(), 2u) << c.tool << " " << row;
        EXPECT_TRUE(HasLine(c.datumWitness.a, c.datumWitness.b)) << c.tool;
        EXPECT_EQ(Tips(dim).size(), 4u) << c.tool;  // two arrowheads a row
    }
}

TEST_F(DatumTest, RunningLayoutWritesOneZeroAndTheJISLineJoinsTheClicks) {
    Polyline({{0, 0}, {100, 0}, {250, 0}});
    g->prefs.style.chainDatum = 1;
    ASSERT_EQ(Dimension("Horizontal Datum Dimension", {{0, 0}, {100, 0}, {250, 0}}, {250, 30}), kNoErr);
    // Each value past its witness line's end (30 + 6 + 4), reading upwards from there; the
    // zero at the datum's, drawn once with the last click.
    const auto placed = Placements();
    ASSERT_EQ(placed.size(), 3u);
    const std::pair<std::string, AIReal> expected[] = {{"0.00", 0}, {"250.00", 250}, {"100.00", 100}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(placed[i].text, expected[i].first);
        EXPECT_PT(placed[i].at, expected[i].second, 40, kTol);
        EXPECT_NEAR(placed[i].angle, kPi / 2, 1e-5);
        EXPECT_EQ(placed[i].justification, 0);
    }
    const ObjId plain = Dimensions().back();
    EXPECT_TRUE(Horizontal(Lines(plain), 30).empty());
    EXPECT_EQ(ClosedPaths(plain) + OpenArrowheads(), 0u);
    // JIS: one line from the datum to the last click, an origin mark, an arrowhead a click.
    g->prefs.style.JISDatumTerminator = 1;
    ASSERT_EQ(Dimension("Horizontal Datum Dimension", {{0, 0}, {100, 0}, {250, 0}}, {250, -30}), kNoErr);
    const auto line = Horizontal(Lines(Dimensions().back()), -30);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_PT(line[0].a, 0, -30, kTol);
    EXPECT_PT(line[0].b, 100, -30, kTol);
    EXPECT_PT(line[1].b, 250, -30, kTol);
    EXPECT_EQ(ClosedPaths(Dimensions().back()), 1u);
    EXPECT_EQ(OpenArrowheads(), 2u);
    EXPECT_EQ(Placements()[0].justification, 1);  // below the datum: ending at the anchor
    // Labels: the zero beside them is a literal 0, and never replaces a label.
    g->prefs.style.dimensionFormat = 3;
    CopyCString(g->prefs.customDimDefaultText, "TYP");
    ASSERT_EQ(Dimension("Horizontal Datum Dimension", {{0, 0}, {100, 0}, {250, 0}}, {250, 30}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), (std::vector<std::string>{"0", "TYP", "TYP"}));
}

TEST_F(DatumTest, ShiftSnapsTheFirstRowAndALevelChainStaysFinite) {
    Polyline({{0, 0}, {100, 0}});
    ASSERT_EQ(Dimension("Horizontal Datum Dimension", {{0, 0}, {100, 0}}, {100, 40}, aiEventModifiers_Shift), kNoErr);
    EXPECT_EQ(Horizontal(Lines(Dimensions().back()), 36).size(), 2u);  // 40 snapped to two steps of 18
    // Clicks one above the other span no h: 2^-16, and the slide of a zero span is finite.
    Polyline({{300, 0}, {300, 100}});
    g->prefs.style.slideDimText = 1;
    ASSERT_EQ(Dimension("Horizontal Datum Dimension", {{300, 0}, {300, 100}}, {330, 130}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"0.00"});
    EXPECT_TRUE(std::isfinite(Placements()[0].at.h));
    Plotwise3_Live_Dimension_Data stored{};
    ASSERT_EQ(GetDimensionData(Art(Dimensions().back()), &stored), kNoErr);
    EXPECT_TRUE(std::isfinite(stored.slideDimTextOffset));
    // Measured up and down, clicks side by side: a row of no length points its arrowheads
    // along v, as a short row does, not across its line.
    Polyline({{400, 0}, {500, 0}});
    ASSERT_EQ(Dimension("Vertical Datum Dimension", {{400, 0}, {500, 0}}, {530, 30}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"0.00"});
    const std::vector<double> ways = TipWays(Dimensions().back());
    ASSERT_EQ(ways.size(), 2u);
    for (double way : ways) EXPECT_NEAR(std::fabs(way), kPi / 2, 1e-3);
}

TEST_F(DatumTest, StyleValuesWithoutARuleTakeTheNearestOne) {
    // A text placement without a row sets its text above the line as 2 does, with the line
    // whole; terminator style 0 asks the room of style 4.
    Polyline({{0, 0}, {100, 0}});
    g->prefs.style.hTextPlacement = 7;
    g->prefs.style.arrowheadStyle = 0;
    ASSERT_EQ(Dimension("Horizontal Datum Dimension", {{0, 0}, {100, 0}}, {100, 30}), kNoErr);
    EXPECT_PT(Placements()[0].at, 50, 34, kTol);
    EXPECT_EQ(Horizontal(Lines(Dimensions().back()), 30).size(), 1u);
}

TEST_F(DatumTest, AlignedChainsMeasureAlongTheFirstDirection) {
    // Clicks on a 30-degree line, dragged 30 off it: the rows parallel to it, 30 and 30 + 20
    // out (a step of 10 + 10, the offset being 18), each from the datum's witness line; the
    // texts turned along the rows, 4 above them.
    g->prefs.style.aTextPlacement = 2;
    const double c = std::cos(kPi / 6), s = std::sin(kPi / 6);
    auto at = [&](double along, double out) {
        return AIRealPoint{static_cast<AIReal>(along * c - out * s), static_cast<AIReal>(along * s + out * c)};
    };
    Polyline({at(0, 0), at(100, 0), at(250, 0)});
    ASSERT_EQ(Dimension("Aligned Datum Dimension", {at(0, 0), at(100, 0), at(250, 0)}, at(120, 30)), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), (std::vector<std::string>{"250.00", "100.00"}));
    EXPECT_TRUE(HasLine(at(0, 30), at(100, 30)));
    EXPECT_TRUE(HasLine(at(0, 50), at(250, 50)));
    EXPECT_TRUE(HasLine(at(0, 4), at(0, 52)));  // the datum's witness line, to 6 - 4 past the outer row
    EXPECT_NEAR(Placements()[1].angle, kPi / 6, 1e-5);
    // Clicks off one line: each value is the click's projection on the first direction.
    Polyline({{0, 200}, {100, 200}, {200, 250}});
    ASSERT_EQ(Dimension("Aligned Datum Dimension", {{0, 200}, {100, 200}, {200, 250}}, {100, 160}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), (std::vector<std::string>{"200.00", "100.00"}));
    // Dragged behind the datum, near the first-to-last line, the first row passes below the
    // datum: the second steps further down, both its ends alike, and the datum's witness
    // line reaches it.
    Polyline({{0, 400}, {100, 400}, {200, 500}});
    ASSERT_EQ(Dimension("Aligned Datum Dimension", {{0, 400}, {100, 400}, {200, 500}}, {-100, 360}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), (std::vector<std::string>{"200.00", "100.00"}));
    EXPECT_TRUE(HasLine({0, 360}, {100, 360}));
    EXPECT_TRUE(HasLine({0, 340}, {200, 340}));
    EXPECT_TRUE(HasLine({0, 396}, {0, 338}));
    // The drag point 0.17 from the first-to-last line: the witness lines stand square to the
    // first direction all the same, and the values are the projections worked from the
    // clicks (340.588 and 386.309).
    Polyline({{130, 60}, {350, 320}, {328.976868f, 397.681519f}});
    ASSERT_EQ(Dimension("Aligned Datum Dimension", {{130, 60}, {350, 320}, {328.976868f, 397.681519f}},
                        {346.04425f, 426.375854f}),
              kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), (std::vector<std::string>{"386.31", "340.59"}));
    // Clicked leftwards the text above the line turns upright.
    ASSERT_EQ(Dimension("Aligned Datum Dimension", {{100, 200}, {0, 200}}, {50, 170}), kNoErr);
    EXPECT_NEAR(Placements()[0].angle, 0, 1e-5);
    EXPECT_PT(Placements()[0].at, 50, 174, kTol);
    // Running, labelled: the zero in its own text, the first label kept.
    g->prefs.style.chainDatum = 1;
    g->prefs.style.dimensionFormat = 3;
    CopyCString(g->prefs.customDimDefaultText, "TYP");
    ASSERT_EQ(Dimension("Aligned Datum Dimension", {at(0, 0), at(100, 0), at(250, 0)}, at(120, 30)), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), (std::vector<std::string>{"TYP", "TYP", "0"}));
    // Dragged out to the left, the running texts still read outwards, upright: turned back
    // by a half turn and ending at their anchors.
    g->prefs.style.dimensionFormat = 0;
    Polyline({{300, 0}, {300, 100}});
    ASSERT_EQ(Dimension("Aligned Datum Dimension", {{300, 0}, {300, 100}}, {270, 50}), kNoErr);
    for (const Placed& p : Placements()) {
        EXPECT_NEAR(p.angle, 0, 1e-5) << p.text;
        EXPECT_EQ(p.justification, 1) << p.text;
        EXPECT_NEAR(p.at.h, 266, kTol) << p.text;
    }
    // The drag point on the clicks' line gives no side: nothing is drawn.
    const size_t before = Dimensions().size();
    ASSERT_EQ(Dimension("Aligned Datum Dimension", {at(0, 0), at(100, 0)}, at(50, 0)), kNoErr);
    EXPECT_EQ(Dimensions().size(), before);
}

TEST_F(DatumTest, TextInTheLineLeavesTheLineOutWithoutRoomAndKeepsTheTerminators) {
    // The text "60.00" is 42.6 wide (four digits of 6.36 and a point of 3.18 at 10 pt, and
    // the text spacing of 14). The horizontal chain asks room for four arrowheads beside it
    // (78.6); the aligned one only for the text itself.
    g->prefs.style.aTextPlacement = 1;
    struct Case {
        const char* tool;
        AIReal length;
        size_t pieces;  // of the dimension line, at the row 30 below the clicks
    };
    const Case cases[] = {
        {"Horizontal Datum Dimension", 60, 0},
        {"Horizontal Datum Dimension", 100, 2},
        {"Aligned Datum Dimension", 30, 0},
        {"Aligned Datum Dimension", 60, 2},
    };
    AIReal v = 0;
    for (const Case& c : cases) {
        v += 100;
        Polyline({{0, v}, {c.length, v}});
        ASSERT_EQ(Dimension(c.tool, {{0, v}, {c.length, v}}, {c.length / 2, v - 30}), kNoErr) << c.tool;
        const ObjId dim = Dimensions().back();
        EXPECT_EQ(Horizontal(Lines(dim), v - 30).size(), c.pieces) << c.tool << " " << c.length;
        EXPECT_EQ(Tips(dim).size(), 2u) << c.tool << " " << c.length;
    }
}

TEST_F(DatumTest, AnAlignedClickNextToTheLastDrawsTheDatumsWitnessLineToItsRow) {
    // Rows at 30, 50 and 70 above the clicks (a step of 20); the click at 249 lies within 2
    // of the last, so the datum's witness line is drawn for its row too: each reaches 6 - 4
    // past its row.
    Polyline({{0, 0}, {100, 0}, {249, 0}, {250, 0}});
    ASSERT_EQ(Dimension("Aligned Datum Dimension", {{0, 0}, {100, 0}, {249, 0}, {250, 0}}, {120, 30}), kNoErr);
    const auto datum = Vertical(Lines(Dimensions().back()), 0);
    ASSERT_EQ(datum.size(), 2u);
    for (size_t i = 0; i < 2; ++i) EXPECT_PT(datum[i].a, 0, 4, kTol);
    std::vector<AIReal> ends{datum[0].b.v, datum[1].b.v};
    std::sort(ends.begin(), ends.end());
    EXPECT_NEAR(ends[0], 52, kTol);
    EXPECT_NEAR(ends[1], 72, kTol);
}

TEST_F(DatumTest, AllThreeAreRedrawnFromTheirClicksWhenTheArtMoves) {
    const ObjId path = Polyline({{0, 0}, {100, 0}, {250, 40}});
    ASSERT_EQ(Dimension("Horizontal Datum Dimension", {{0, 0}, {100, 0}, {250, 40}}, {250, 80}), kNoErr);
    ASSERT_EQ(Dimension("Vertical Datum Dimension", {{0, 0}, {250, 40}}, {300, 40}), kNoErr);
    ASSERT_EQ(Dimension("Aligned Datum Dimension", {{0, 0}, {100, 0}}, {50, -30}), kNoErr);
    ASSERT_EQ(session->hostEvent([&] {
        doc->editArt(path)->segments[1].p.h = 120;
        return kNoErr;
    }), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 3);
    std::vector<std::vector<std::string>> texts;
    for (ObjId d : Dimensions()) texts.push_back(Texts(d));
    EXPECT_EQ(texts, (std::vector<std::vector<std::string>>{{"250.00", "120.00"}, {"40.00"}, {"120.00"}}));
}

// On a face the chain is drawn in the face's flat plane; clicks level along h hand the chain
// to the vertical routine once, whose result is the tool's.
TEST_F(DatumTest, OnAFaceCoincidentClicksHandOverOnceAndItsFailureIsReported) {
    IsometricView();
    const ObjId face = Rect(100, 100, 100, 50);
    ASSERT_EQ(session->hostEvent([&] { return ProjectAxonometric(Art(face), kAxoLeftFace, &g->prefs.isoView); }),
              kNoErr);
    const AIRealPoint corner = doc->art(face)->segments[0].p;
    const AIRealPoint drag{corner.h + 20, corner.v + 40};
    ASSERT_EQ(Dimension("Axonometric Horizontal Datum Dimension", {corner, corner}, drag), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"0.00"});
    EXPECT_EQ(g->axoDimType, kVertical);
    // The same drag with the last of its dictionary writes (the style record's) failing.
    ASSERT_EQ(session->click(corner), kNoErr);
    ASSERT_EQ(session->mouseDown(corner), kNoErr);
    constexpr int kPlenty = 100000;
    host.failDictionaryWrite(kPlenty);
    ASSERT_EQ(session->mouseDrag(drag), kNoErr);
    int left = 0;  // the writes still allowed; the one after them fails
    while (host.allowDictionaryWrite()) ++left;
    host.failDictionaryWrite(kPlenty - 1 - left);
    EXPECT_EQ(session->mouseDrag(drag), kOutOfMemoryErr);
    session->mouseUp(drag);
}

TEST_F(DatumTest, TheDatumToolsAreOfferedWithTheirTitlesAndTips) {
    for (const char* title : {"Horizontal Datum Dimension", "Vertical Datum Dimension", "Aligned Datum Dimension",
                              "Axonometric Horizontal Datum Dimension", "Axonometric Vertical Datum Dimension",
                              "Section Line", "Center Line", "Axonometric Center Line"}) {
        size_t offered = 0;
        for (const auto& t : session->registry().tools) offered += t.title == title && !t.tip.empty();
        EXPECT_EQ(offered, 1u) << title;
    }
}

}  // namespace
}  // namespace dimtest
