// Angle dimensions placed as a user places them: two clicks on two edges and a drag. The
// angle shown is checked against the angle between the edges computed here with atan2
// (inside the sector, outside it, beyond the vertex and with ctrl); the arc's anchors lie on
// the dimension circle and are split at the multiples of 90 degrees; the text follows the
// drag when the style slides it; parallel edges, clicks beside a shared corner, failures to
// draw or to read the path, a zero sweep, the arc-length form and the redraw.
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "RadialAngleFixture.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionPaint.h"
#include "dimtools/AngularDimensions.h"
#include "units/LayerScales.h"

namespace dimtest {
namespace {

// A triangle with a corner at the origin: the base along +h to (100, 0), the other edge up
// to (40, 70). Its angle at the origin:
const double kCornerAngle = std::atan2(70.0, 40.0) * 180 / kPi;  // 60.255...

struct AngleTest : RadialAngleTest {
    ObjId triangle = 0;
    void SetUp() override {
        RadialAngleTest::SetUp();
        triangle = Polyline({{0, 0}, {100, 0}, {40, 70}}, true);
    }
    // The base and the slanted edge clicked beyond where the witness lines of the
    // dimensions drawn here reach along them (a hit there would find a witness line).
    static constexpr AIRealPoint kOnBase{60, 0}, kOnSide{32, 56};
    AIErr Angle(AIRealPoint drag, uint32_t modifiers = 0) {
        return TwoClicksAndDrag("Angular Dimension", kOnBase, kOnSide, drag, modifiers);
    }
    static std::string Degrees(double value, int decimals = 2) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        return text;
    }
};

TEST_F(AngleTest, TheSectorTheDragPointsInto) {
    ASSERT_EQ(Angle({30, 20}), kNoErr);  // inside the corner
    EXPECT_EQ(Text(Dimensions().back()), Degrees(kCornerAngle));
    ASSERT_EQ(Angle({-20, 30}), kNoErr);  // outside it
    EXPECT_EQ(Text(Dimensions().back()), Degrees(360 - kCornerAngle));
    ASSERT_EQ(Angle({-20, -25}), kNoErr);  // beyond the vertex
    EXPECT_EQ(Text(Dimensions().back()), Degrees(360 - kCornerAngle));
    // Ctrl measures the other sector.
    ASSERT_EQ(Angle({30, 20}, aiEventModifiers_Command), kNoErr);
    EXPECT_EQ(Text(Dimensions().back()), Degrees(360 - kCornerAngle));
    ASSERT_EQ(Angle({-20, 30}, aiEventModifiers_Command), kNoErr);
    EXPECT_EQ(Text(Dimensions().back()), Degrees(kCornerAngle));
    // Both clicks and the drag are stored on the triangle, as an angle.
    const auto clicks = Clicks(triangle);
    ASSERT_FALSE(clicks.empty());
    for (const auto& c : clicks) EXPECT_EQ(c.dimType, kAngle);
}

TEST_F(AngleTest, TheArcWitnessLinesAndTerminatorsOfTheAngle) {
    const AIRealPoint drag{30, 40};  // 50 from the vertex
    ASSERT_EQ(Angle(drag), kNoErr);
    const ObjId dim = Dimensions().back();
    // Witness lines from the vertex along both edges to 6 past the arc.
    EXPECT_TRUE(HasLine(dim, {0, 0}, {56, 0}));
    const double side = kCornerAngle * kPi / 180;
    EXPECT_TRUE(HasLine(dim, {0, 0}, {static_cast<AIReal>(56 * std::cos(side)), static_cast<AIReal>(56 * std::sin(side))}));
    // One piece (the sweep stays within the first quarter), both ends on the circle of 50.
    const auto arcs = Arcs(dim);
    ASSERT_TRUE(arcs.empty());  // two anchors: drawn as a two-anchor curve
    std::vector<AIRealPoint> ends;
    doc->walk(
        [&](const standin::Art& a, int) {
            if (a.type != kPathArt || a.closed || a.segments.size() != 2) return;
            const AIPathSegment& first = a.segments.front();
            if (first.out.h != first.p.h || first.out.v != first.p.v) ends = {a.segments[0].p, a.segments[1].p};
        },
        dim);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_PT(ends[0], 50, 0, kTol);
    EXPECT_NEAR(std::hypot(ends[1].h, ends[1].v), 50, kTol);
    EXPECT_NEAR(std::atan2(ends[1].v, ends[1].h), side, 1e-5);
    // An arrowhead on each end of the arc.
    const auto tips = Tips(dim);
    ASSERT_EQ(tips.size(), 2u);
    // The text beside the arc's middle, 8 beyond it, beginning there (right of the vertex).
    const AIRealPoint t = TextAnchor(dim);
    EXPECT_NEAR(std::hypot(t.h, t.v), 58, kTol);
    EXPECT_NEAR(std::atan2(t.v, t.h), side / 2, 1e-5);
    EXPECT_EQ(FirstText(dim)->story.para.justification, 0);
}

TEST_F(AngleTest, ALargeSweepIsSplitAtTheQuarters) {
    // The outside of the corner: from the slanted edge (60.26 degrees) round to the base
    // (360): anchors at 60.26, 90, 180, 270 and 360.
    ASSERT_EQ(Angle({-20, 30}), kNoErr);
    const auto arcs = Arcs(Dimensions().back());
    ASSERT_EQ(arcs.size(), 1u);
    const auto& anchors = arcs[0];
    ASSERT_EQ(anchors.size(), 5u);
    const double r = std::hypot(-20.0, 30.0);
    const double expected[] = {kCornerAngle, 90, 180, 270, 360};
    for (size_t i = 0; i < anchors.size(); ++i) {
        EXPECT_NEAR(std::hypot(anchors[i].p.h, anchors[i].p.v), r, kTol) << i;
        double d = std::atan2(anchors[i].p.v, anchors[i].p.h) * 180 / kPi;
        if (d < -1e-3) d += 360;
        if (i == anchors.size() - 1 && d < 1) d += 360;
        EXPECT_NEAR(d, expected[i], 1e-3) << i;
    }
    // A full quarter's handle is 0.5523 of the radius.
    EXPECT_NEAR(std::hypot(anchors[1].out.h - anchors[1].p.h, anchors[1].out.v - anchors[1].p.v),
                r * 2 / 3.6213737826, 1e-3);
}

TEST_F(AngleTest, TheTextFollowsTheDragWhenTheStyleSlidesIt) {
    g->prefs.style.slideDimText = 1;
    const AIRealPoint drag{40, 15};  // 42.7 from the vertex, at 20.56 degrees
    ASSERT_EQ(Angle(drag), kNoErr);
    const ObjId dim = Dimensions().back();
    Plotwise3_Live_Dimension_Data stored{};
    ASSERT_EQ(GetDimensionData(Art(dim), &stored), kNoErr);
    const double dragDegrees = std::atan2(15.0, 40.0) * 180 / kPi;
    EXPECT_NEAR(stored.slideDimTextOffset, dragDegrees / kCornerAngle, 1e-4);
    const AIRealPoint t = TextAnchor(dim);
    EXPECT_NEAR(std::atan2(t.v, t.h) * 180 / kPi, dragDegrees, 1e-3);
    // The redraw keeps the stored slide.
    const std::string before = Drawing(dim);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    EXPECT_EQ(Drawing(Dimensions().back()), before);
}

TEST_F(AngleTest, DegreesAreNeitherScaledNorLabelledUnlessAsked) {
    ASSERT_EQ(session->hostEvent([&] {
        AILayerHandle layer = nullptr;
        AIErr err = sAILayer->GetCurrentLayer(&layer);
        return err ? err : setLayerScale(layer, 25, 50, "1:50");
    }), kNoErr);
    g->prefs.style.upperDecimalPrecision = 1;
    ASSERT_EQ(Angle({30, 20}), kNoErr);
    EXPECT_EQ(Text(Dimensions().back()), Degrees(kCornerAngle, 1));
    g->prefs.style.appendUpperUnitLabels = 1;
    ASSERT_EQ(Angle({30, 20}), kNoErr);
    EXPECT_EQ(Text(Dimensions().back()), Degrees(kCornerAngle, 1) + "\xB0");
}

TEST_F(AngleTest, FivePlacesAreRightToTheLast) {
    // A corner of atan2(2, -1) = 116.56505117707799 degrees at (200, 0).
    Polyline({{300, 0}, {200, 0}, {150, 100}});
    g->prefs.style.upperDecimalPrecision = 5;
    ASSERT_EQ(TwoClicksAndDrag("Angular Dimension", {260, 0}, {170, 60}, {200, 20}), kNoErr);
    EXPECT_EQ(Text(Dimensions().back()), "116.56505");
    // Two segments apart, each clicked in its middle, the drag between their rays: the angle
    // between the lines, worked here in long doubles from their ends, whatever rounding the
    // crossing and the clicked points take in floats.
    const struct Row {
        AIRealPoint a1, b1, a2, b2, click1, click2, drag;
    } rows[] = {
        {{30.1957626f, 134.051788f}, {306.962097f, 183.261078f}, {193.762939f, 272.441284f}, {262.311462f, 417.873749f},
         {134.631393f, 152.620529f}, {217.082428f, 321.915894f}, {115.201035f, 182.315765f}},
        {{51.6065369f, 105.117455f}, {333.079773f, 138.994873f}, {194.056564f, 291.032898f}, {225.693558f, 400.092743f},
         {155.973709f, 117.678825f}, {210.361328f, 347.239105f}, {194.184509f, 159.352768f}},
        {{41.780899f, 139.913452f}, {315.20874f, 162.940781f}, {182.463211f, 256.304718f}, {252.857269f, 418.532043f},
         {170.987457f, 150.794861f}, {219.364395f, 341.345703f}, {191.160248f, 187.847153f}},
        {{57.636879f, 116.612877f}, {335.923462f, 125.212799f}, {193.314774f, 283.741547f}, {249.348541f, 445.706879f},
         {159.71077f, 119.767281f}, {217.161835f, 352.671387f}, {189.394928f, 158.082153f}},
    };
    for (const Row& r : rows) {
        doc = &session->newDocument();
        Polyline({r.a1, r.b1});
        Polyline({r.a2, r.b2});
        ASSERT_EQ(TwoClicksAndDrag("Angular Dimension", r.click1, r.click2, r.drag), kNoErr);
        using Long = long double;
        Long h1 = Long{r.b1.h} - r.a1.h, v1 = Long{r.b1.v} - r.a1.v, h2 = Long{r.b2.h} - r.a2.h, v2 = Long{r.b2.v} - r.a2.v;
        const Long s = ((Long{r.a2.h} - r.a1.h) * v2 - (Long{r.a2.v} - r.a1.v) * h2) / (h1 * v2 - v1 * h2);
        const Long xh = r.a1.h + s * h1, xv = r.a1.v + s * v1;  // the crossing
        if (h1 * (r.click1.h - xh) + v1 * (r.click1.v - xv) < 0) h1 = -h1, v1 = -v1;
        if (h2 * (r.click2.h - xh) + v2 * (r.click2.v - xv) < 0) h2 = -h2, v2 = -v2;
        const Long degrees = std::atan2(std::fabs(h1 * v2 - v1 * h2), h1 * h2 + v1 * v2) * 180 / std::numbers::pi_v<Long>;
        char want[32];
        std::snprintf(want, sizeof want, "%.5Lf", degrees);
        EXPECT_EQ(Text(Dimensions().back()), want);
    }
}

TEST_F(AngleTest, ParallelEdgesAreRefused) {
    Polyline({{0, 200}, {100, 200}});
    Polyline({{0, 250}, {100, 250}});
    EXPECT_EQ(TwoClicksAndDrag("Angular Dimension", {50, 200}, {50, 250}, {60, 230}), kCADErr);
    ASSERT_FALSE(Alerts().empty());
    EXPECT_EQ(Alerts().back(), "Click two lines that are not parallel.");
    EXPECT_TRUE(Dimensions().empty());
}

// The art of the first click undone before the drag: the drag is refused in words, draws
// nothing, and the redo still brings the art back, to be measured as before.
TEST_F(AngleTest, ArtUndoneBetweenTheClicksIsRefusedInWords) {
    const struct {
        const char* tool;
        AIRealPoint first, second, to;
        const char* text;
    } rows[] = {{"Angular Dimension", {160, 200}, {132, 256}, {130, 210}, "60.26"},  // the fixture's corner
                {"Arc Length Dimension", {300, 200}, {200, 300}, {320, 320}, "157.08"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tool);
        const ObjId art = r.text[0] == '6' ? Polyline({{100, 200}, {200, 200}, {140, 270}}, true)
                                           : Ellipse(100, 100, 200, 200);
        ASSERT_EQ(session->selectTool(r.tool), kNoErr);
        ASSERT_EQ(session->click(r.first), kNoErr);
        ASSERT_TRUE(session->userUndo());  // the art goes
        EXPECT_EQ(Continue(r.second, r.to), kCADErr);
        EXPECT_EQ(Alerts().back(), "Not completed because art it was working on was deleted or undone meanwhile "
                                   "(try again): \"" + std::string(r.tool) + "\"");
        EXPECT_TRUE(Dimensions().empty());
        ASSERT_TRUE(session->userRedo());
        ASSERT_EQ(TwoClicksAndDrag(r.tool, r.first, r.second, r.to), kNoErr);
        EXPECT_EQ(Text(Dimensions().back()), r.text);
        for (const ObjId gone : {Dimensions().back(), art})
            ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(gone); }), kNoErr);
    }
}

TEST_F(AngleTest, AClickBesideTheSharedCornerGivesTheTrueAngle) {
    // The first click within 2 points of the corner at (100, 0) takes the base, whose end
    // there is the vertex itself: the ray runs to the base's other end. The second click on
    // the edge to (40, 70). The inside angle at (100, 0):
    const double corner = std::atan2(70.0, 60.0) * 180 / kPi;
    ASSERT_EQ(TwoClicksAndDrag("Angular Dimension", {98.5f, 0}, {70, 35}, {80, 10}), kNoErr);
    EXPECT_EQ(Text(Dimensions().back()), Degrees(corner));
    // The same clicks the other way round, on a triangle of its own (the first dimension's
    // witness lines start at the corner, where a click would find them).
    Polyline({{200, 0}, {300, 0}, {240, 70}}, true);
    ASSERT_EQ(TwoClicksAndDrag("Angular Dimension", {270, 35}, {298.5f, 0}, {280, 10}), kNoErr);
    EXPECT_EQ(Text(Dimensions().back()), Degrees(corner));
}

TEST_F(AngleTest, EdgesWhoseLinesCrossBeyondTheirEnds) {
    // Two separate segments whose lines meet at (0, 300).
    Polyline({{50, 300}, {150, 300}});
    Polyline({{30, 330}, {60, 360}});
    ASSERT_EQ(TwoClicksAndDrag("Angular Dimension", {100, 300}, {45, 345}, {120, 340}), kNoErr);
    const ObjId dim = Dimensions().back();
    EXPECT_EQ(Text(dim), Degrees(45));
    EXPECT_TRUE(HasLine(dim, {0, 300}, {static_cast<AIReal>(std::hypot(120.0, 40.0) + 6), 300}));
}

TEST_F(AngleTest, AFailedDrawingIsToldAndLeavesNoDimension) {
    SwappedSuite<AIPathSuite> failing(sAIPath);
    failing->SetPathClosed = [](AIArtHandle, ASBoolean) -> AIErr { return 'FAIL'; };
    EXPECT_EQ(Angle({30, 20}), 'FAIL');
    EXPECT_TRUE(Dimensions().empty());
    EXPECT_TRUE(Clicks(triangle).empty());
}

TEST_F(AngleTest, APathThatCannotBeReadStopsTheTool) {
    {
        SwappedSuite<AIPathSuite> failing(sAIPath);
        failing->GetPathSegments = [](AIArtHandle, int16_t, int16_t, AIPathSegment*) -> AIErr { return 'FAIL'; };
        ASSERT_EQ(session->selectTool("Angular Dimension"), kNoErr);
        g->firstClick = kOnBase;
        g->secondClick = kOnSide;
        g->didFirstClick = g->didSecondClick = 1;
        g->endPoint = {30, 20};
        EXPECT_EQ(session->hostEvent([] { return doAutoAngleTool(); }), 'FAIL');
    }
    EXPECT_TRUE(Dimensions().empty());
    // A path of one anchor has no segment: the art-must-be-clicked alert.
    Polyline({{300, 300}});
    Polyline({{300, 400}, {400, 400}});
    EXPECT_EQ(TwoClicksAndDrag("Angular Dimension", {300, 300}, {350, 400}, {320, 350}), kCADErr);
    EXPECT_EQ(Alerts().back(), "This tool must be used by clicking on an object.");
    EXPECT_TRUE(Dimensions().empty());
}

TEST_F(AngleTest, TheRedrawMeasuresTheEdgesAsTheyAreNow) {
    ASSERT_EQ(Angle({30, 20}), kNoErr);
    const std::string before = Drawing(Dimensions().back());
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    EXPECT_EQ(Drawing(Dimensions().back()), before);
    // The apex moved to (0, 70): the corner becomes a right angle.
    ASSERT_EQ(session->hostEvent([&] {
        AIPathSegment s{{0, 70}, {0, 70}, {0, 70}, true};
        return sAIPath->SetPathSegments(Art(triangle), 2, 1, &s);
    }), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(Text(Dimensions().back()), "90.00");
}

TEST_F(AngleTest, AZeroSweepAndTheArcLengthForm) {
    ASSERT_EQ(session->selectTool("Angular Dimension"), kNoErr);  // the layer to draw on
    // Both rays in one direction: no sweep, a finite text in the middle of nothing.
    ASSERT_EQ(session->hostEvent([] {
        if (AIErr err = setPathAndArrowheadStyles()) return err;
        if (AIErr err = PrepDimensionLayer()) return err;
        return constructDimensionedArcSegment({0, 0}, {10, 10}, {20, 20}, {0, 40}, 1, g->group);
    }), kNoErr);
    ObjId dim = Dimensions().back();
    EXPECT_EQ(Text(dim), "0.00");
    EXPECT_FLOAT_EQ(g->slideDimTextOffset, 0.5f);
    EXPECT_TRUE(std::isfinite(g->textLoc.h) && std::isfinite(g->textLoc.v));
    // Kind 0: the length of the measured arc of radius 50 over a quarter, with witness lines
    // from 4 beside the measured arc to 6 past the dimension arc: at 70 outside it, at 30
    // inside it (the lines then run inward).
    struct Row {
        AIReal drag, from, to;
    } const rows[] = {{370, 354, 376}, {330, 346, 324}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.drag);
        ASSERT_EQ(session->hostEvent([&] {
            if (AIErr err = PrepDimensionLayer()) return err;
            return constructDimensionedArcSegment({300, 300}, {350, 300}, {300, 350}, {r.drag, 300}, 0, g->group);
        }), kNoErr);
        dim = Dimensions().back();
        EXPECT_EQ(Text(dim), Degrees(50 * kPi / 2));
        EXPECT_TRUE(HasLine(dim, {r.from, 300}, {r.to, 300}));
        EXPECT_TRUE(HasLine(dim, {300, r.from}, {300, r.to}));
    }
}

}  // namespace
}  // namespace dimtest
