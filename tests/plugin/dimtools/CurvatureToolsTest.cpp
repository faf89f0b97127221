// The arc-length, fillet radius, curve radius and tangent line tools used as a drafter uses
// them. Expected values are worked out here from the shapes: a circle's radius times the
// angle swept, a fillet's centre and its arc's end directions, the parabola y = x^2 / 100
// (exactly a cubic) whose radius of curvature at x is 50 (1 + (x / 50)^2)^1.5 with its
// centre along the normal (-x / 50, 1), and the circle's anchors for the tangent lines.
#include <cmath>
#include <string>
#include <vector>

#include "RadialAngleFixture.h"
#include "text/FontRegistry.h"
#include "text/Layout.h"
#include "units/LayerScales.h"

namespace dimtest {
namespace {

constexpr uint32_t kShift = aiEventModifiers_Shift, kOption = aiEventModifiers_Option,
                   kCtrl = aiEventModifiers_Command;

AIRealPoint At(const AIRealPoint& c, double r, double degrees) {
    return {static_cast<AIReal>(c.h + r * std::cos(degrees * kPi / 180)),
            static_cast<AIReal>(c.v + r * std::sin(degrees * kPi / 180))};
}
double Distance(const AIRealPoint& a, const AIRealPoint& b) { return std::hypot(a.h - b.h, a.v - b.v); }

struct CurvatureToolsTest : RadialAngleTest {
    ObjId Path(const std::vector<AIPathSegment>& segments, bool closed = false) {
        ObjId id = 0;
        EXPECT_EQ(session->hostEvent([&] { return doc->addPath(segments, closed, &id); }), kNoErr);
        return id;
    }
    // The parabola v = 300 + (h - 300)^2 / 100 from h = 200 to 400, as one exact cubic.
    ObjId ParabolaPath() {
        const AIReal third = 100.0f / 3;
        return Path({{{200, 400}, {200, 400}, {300 - third, 300 - third}, false},
                     {{400, 400}, {300 + third, 300 - third}, {400, 400}, false}});
    }
    // Every group but the layers', wherever it is.
    size_t Groups() const {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.type == kGroupArt && !a.isLayerGroup(); });
        return n;
    }
    // The number a text shows, after its label.
    double Value(ObjId group) const {
        const std::string text = Text(group);
        return std::stod(text.substr(text.find_first_of("0123456789-")));
    }
    // The smooth open path of a group (an arc), as its anchors.
    std::vector<AIPathSegment> Arc(ObjId group) const {
        std::vector<AIPathSegment> out;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (a.type == kPathArt && !a.closed && !a.segments.empty() && !a.segments[0].corner) out = a.segments;
            },
            group);
        return out;
    }
    // The anchors of a group's closed two-anchor path (the curve radius's line).
    std::vector<AIRealPoint> RadiusLine(ObjId group) const {
        std::vector<AIRealPoint> out;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (a.type == kPathArt && a.closed && a.segments.size() == 2) out = {a.segments[0].p, a.segments[1].p};
            },
            group);
        return out;
    }
    // A line of the group from a to b (either way round) within tol.
    bool LineNear(ObjId group, AIRealPoint a, AIRealPoint b, double tol) const {
        for (const Segment& s : Lines(group))
            if ((Distance(s.a, a) < tol && Distance(s.b, b) < tol) ||
                (Distance(s.a, b) < tol && Distance(s.b, a) < tol))
                return true;
        return false;
    }
    // A row's dimension goes once looked at, so that the next row's clicks find the art.
    void Forget(ObjId dim) { session->hostEvent([&] { return doc->disposeArt(dim); }); }
    // The curve tools measure where the cursor stops: pressed beside it, dragged onto it.
    AIErr Hover(const std::string& tool, AIRealPoint cursor, uint32_t keys = 0) {
        return PressAndDrag(tool, {cursor.h + 8, cursor.v - 8}, cursor, keys);
    }
    AIErr Move(ObjId art, AIReal dh, AIReal dv) {
        return session->hostEvent([&] {
            int16_t count = 0;
            sAIPath->GetPathSegmentCount(Art(art), &count);
            std::vector<AIPathSegment> s(static_cast<size_t>(count));
            sAIPath->GetPathSegments(Art(art), 0, count, s.data());
            for (AIPathSegment& a : s)
                for (AIRealPoint* p : {&a.p, &a.in, &a.out}) *p = {p->h + dh, p->v + dv};
            return sAIPath->SetPathSegments(Art(art), 0, count, s.data());
        });
    }
};

// --- arc length ---

// A circle of radius 100 about (200, 200), drawn clockwise from its top anchor.
constexpr AIRealPoint kCircleCentre{200, 200};

TEST_F(CurvatureToolsTest, TheArcLengthBetweenTwoClicksOfACircle) {
    const ObjId circle = Ellipse(100, 100, 200, 200);
    struct Row {
        const char* name;
        AIRealPoint first, second;
        uint32_t keys;
        AIReal witnessGap;
        double degrees;  // swept counter-clockwise from the first point given to the second
        double centreOff;  // how far the centre found may miss the circle's
    } const rows[] = {
        // The circle's own centre, though the normals of its pieces between the anchors miss
        // it by up to 0.13 points.
        {"two pieces", At(kCircleCentre, 100, 30), At(kCircleCentre, 100, 120), 0, 4, 90, 1e-3},
        {"ctrl: the other arc", At(kCircleCentre, 100, 30), At(kCircleCentre, 100, 120), kCtrl, 4, 270, 1e-3},
        {"second clockwise of the first", At(kCircleCentre, 100, 120), At(kCircleCentre, 100, 30), 0, 4, 270, 1e-3},
        // Beside the anchors: measured from them, where the tangents are opposite.
        {"a half circle's ends", {201, 101}, {199, 299}, 0, 4, 180, 1e-3},
        {"no witness gap", At(kCircleCentre, 100, 30), At(kCircleCentre, 100, 120), 0, 0, 90, 1e-3},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        g->prefs.style.witnessGap = r.witnessGap;
        const AIRealPoint drag = At(kCircleCentre, 130, 75);
        ASSERT_EQ(TwoClicksAndDrag("Arc Length Dimension", r.first, r.second, drag, r.keys), kNoErr);
        const ObjId dim = Dimensions().back();
        const double swept = r.degrees * kPi / 180;
        EXPECT_NEAR(Value(dim), 100 * swept, r.centreOff * swept + 0.01);
        // The dimension arc lies at the drag point's distance from the centre.
        const auto arc = Arc(dim);
        ASSERT_FALSE(arc.empty());
        for (const AIPathSegment& s : arc) EXPECT_NEAR(Distance(s.p, kCircleCentre), 130, r.centreOff);
    }
    // Two clicks and the drag of each row, all on the circle, all as arc lengths.
    const auto clicks = Clicks(circle);
    ASSERT_EQ(clicks.size(), 3 * std::size(rows));
    for (const auto& c : clicks) EXPECT_EQ(c.dimType, kArcLen);
}

// Arcs the plug-in's own tools drew, measured in points at two decimals: the radius times
// the angle swept, to half a tick. CAD arcs of 173.67 about (300, 400), some starting and
// ending half a degree from the quarters where their short end pieces lie; the path of
// 326.28 643.85 340.82 447.86 170.77 366.71 filleted at 44.75, whose edges turn by 68.7318
// degrees (their directions -85.7571 and -154.4889), clicked on the fillet's ends.
TEST_F(CurvatureToolsTest, ArcsOfTheArcAndFilletToolsReadToHalfATick) {
    g->prefs.objectSnapFullScreenCursor = 0;
    const AIRealPoint centre{300, 400};
    struct Row {
        const char* name;
        double start, sweep, first, second;  // degrees: the arc, and the clicks on it
        double length;
    } const rows[] = {
        {"313.6 degrees, end to end", 0, 313.6, 0, 313.6, 950.5571},
        {"from 100 to 250 degrees", 0, 313.6, 100, 250, 454.6670},
        {"313.6 degrees from 89.5, end to end", 89.5, 313.6, 89.5, 403.1, 950.5571},
        {"91 degrees from 89.5, end to end", 89.5, 91, 89.5, 180.5, 275.8313},
        {"179 degrees from 89.5, end to end", 89.5, 179, 89.5, 268.5, 542.5693},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        doc = &session->newDocument();
        ASSERT_EQ(session->selectTool("CAD Arc"), kNoErr);
        ASSERT_EQ(session->click(centre), kNoErr);
        ASSERT_EQ(PressAndDrag("CAD Arc", At(centre, 173.67, r.start), At(centre, 173.67, r.start + r.sweep)), kNoErr);
        ASSERT_EQ(TwoClicksAndDrag("Arc Length Dimension", At(centre, 173.67, r.first), At(centre, 173.67, r.second),
                                   {620, 620}),
                  kNoErr);
        EXPECT_NEAR(Value(Dimensions().back()), r.length, 0.005 + 1e-4);
    }
    // The fillet: its end anchors join straight edges, the first through a piece of half a
    // degree.
    doc = &session->newDocument();
    const ObjId edges = Polyline({{326.28f, 643.85f}, {340.82f, 447.86f}, {170.77f, 366.71f}});
    g->prefs.filletRadius = 44.75f;
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    ASSERT_EQ(session->click({333.55f, 545.85f}, kOption), kNoErr);
    ASSERT_EQ(session->click({255.8f, 407.3f}, kOption), kNoErr);
    ASSERT_EQ(doc->art(edges)->segments.size(), 5u);
    const AIRealPoint start = doc->art(edges)->segments[1].p, end = doc->art(edges)->segments[3].p;
    ASSERT_EQ(TwoClicksAndDrag("Arc Length Dimension", end, start, {420, 460}), kNoErr);
    EXPECT_NEAR(Value(Dimensions().back()), 53.6819, 0.005 + 1e-4);
    ASSERT_EQ(TwoClicksAndDrag("Arc Length Dimension", start, end, {420, 460}, kCtrl), kNoErr);
    EXPECT_NEAR(Value(Dimensions().back()), 53.6819, 0.005 + 1e-4);
}

// A circle of radius 300 about (400, 400) at 1:20, in millimetres at one decimal: the value
// is the radius times the angle between the points measured, to the last decimal shown. A
// click the host finds on an anchor (within 3 points) measures from it, and so does one
// within 2 points of an end of its piece; clicks that close to each other or on one piece
// lose nothing to the normals of the cubics.
TEST_F(CurvatureToolsTest, AnArcLengthIsTheRadiusTimesTheAngleToTheDecimalShown) {
    Ellipse(100, 100, 600, 600);
    session->hostEvent([&] {
        AILayerHandle layer = nullptr;
        AIErr err = sAILayer->GetCurrentLayer(&layer);
        return err ? err : setLayerScale(layer, 27, 20.0f, "1:20");
    });
    g->prefs.style.upperUnits = kMillimeterUnits;
    g->prefs.style.upperDecimalPrecision = 1;
    g->prefs.useThousandsSeparator = 0;
    g->prefs.objectSnapFullScreenCursor = 0;  // the clicks as they are, not snapped to the art
    const AIRealPoint centre{400, 400};
    constexpr double kTwoAndAHalf = 2.5 / 300 * 180 / kPi, kOneAndAHalf = 1.5 / 300 * 180 / kPi,
                     kThreeAndAHalf = 3.5 / 300 * 180 / kPi;  // degrees
    struct Row {
        const char* name;
        double first, second;   // where the clicks are, degrees
        uint32_t keys;
        double from, to;        // what is measured, counter-clockwise
    } const rows[] = {
        {"two pieces", 30, 120, 0, 30, 120},
        {"ctrl: the other arc", 30, 120, kCtrl, 120, 390},
        {"five degrees of one piece", 20, 25, 0, 20, 25},
        {"across an anchor", 80, 100, 0, 80, 100},
        {"most of the circle", 10, 300, 0, 10, 300},
        // The host finds an anchor 3 points off: a click it reports there measures from it.
        {"3.5 points before the top anchor: the click", 90 - kThreeAndAHalf, 150, 0, 90 - kThreeAndAHalf, 150},
        {"2.5 points before it: the anchor", 90 - kTwoAndAHalf, 150, 0, 90, 150},
        {"1.5 points before it: the anchor", 90 - kOneAndAHalf, 150, 0, 90, 150},
        {"2.5 points either side of the right anchor: no arc", kTwoAndAHalf, 360 - kTwoAndAHalf, kCtrl, 0, 0},
    };
    constexpr double kMillimetres = 20 * 25.4 / 72;  // per drawn point at 1:20
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_EQ(TwoClicksAndDrag("Arc Length Dimension", At(centre, 300, r.first), At(centre, 300, r.second),
                                   At(centre, 340, (r.first + r.second) / 2), r.keys),
                  kNoErr);
        const ObjId dim = Dimensions().back();
        EXPECT_NEAR(Value(dim), 300 * (r.to - r.from) * kPi / 180 * kMillimetres, 0.05 + 1e-6);
        Forget(dim);
    }
}

// A fillet of radius 1.2 between two edges: its ends lie 1.7 points apart. A click on its end
// anchor and one on its start measure the quarter between them, drawn and redrawn.
TEST_F(CurvatureToolsTest, AClickOnASmallFilletsEndStaysOnThatEnd) {
    const AIReal k = 1.2f * 0.5522847f;
    const AIRealPoint start{198.8f, 100}, end{200, 101.2f};
    Path({{{100, 100}, {100, 100}, {100, 100}, true},
                             {start, start, {start.h + k, 100}, false},
                             {end, {200, end.v - k}, end, false},
                             {{200, 200}, {200, 200}, {200, 200}, true}});
    const struct {
        const char* name;
        AIRealPoint first, second;
        uint32_t keys;
    } rows[] = {
        {"end, then start", end, start, kCtrl},
        {"start, then end", start, end, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_EQ(TwoClicksAndDrag("Arc Length Dimension", r.first, r.second, {206, 94}, r.keys), kNoErr);
        ASSERT_EQ(Dimensions().size(), 1u);
        EXPECT_EQ(Text(Dimensions().back()), "1.88");  // 1.2 times a quarter turn
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
        ASSERT_EQ(Dimensions().size(), 1u);
        EXPECT_EQ(Text(Dimensions().back()), "1.88");
        Forget(Dimensions().back());
    }
}

TEST_F(CurvatureToolsTest, ClicksThatGiveNoArcAreRefusedAndLeaveNothing) {
    Ellipse(100, 400, 300, 100);  // an ellipse: centre (250, 450)
    Ellipse(500, 100, 60, 60);
    Ellipse(500, 200, 60, 60);
    Polyline({{100, 50}, {400, 50}});
    struct Row {
        const char* name;
        AIRealPoint first, second;
        const char* message;
    } const rows[] = {
        // Its normals at the right and top anchors meet at the centre, 150 from one and 50
        // from the other.
        {"curvature differing", {400, 450}, {250, 500}, "This tool works only on circular arcs"},
        {"two paths", {560, 130}, {560, 230}, "This tool must be used on one path."},
        {"one straight piece", {150, 50}, {350, 50}, "This tool works only on circular arcs"},
        {"nothing under the first click", {50, 300}, {560, 130}, "This tool must be used by clicking on an object."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(TwoClicksAndDrag("Arc Length Dimension", r.first, r.second, {300, 300}), kCADErr);
        ASSERT_FALSE(Alerts().empty());
        EXPECT_EQ(Alerts().back().rfind(r.message, 0), 0u) << Alerts().back();
        EXPECT_EQ(Groups(), 0u);
    }
}

TEST_F(CurvatureToolsTest, AnArcLengthThatCannotBeDrawnIsToldAndStoresNothing) {
    const ObjId circle = Ellipse(100, 100, 200, 200);
    SwappedSuite<AIPathSuite> failing(sAIPath);
    failing->SetPathClosed = [](AIArtHandle, ASBoolean) -> AIErr { return 'FAIL'; };
    EXPECT_EQ(TwoClicksAndDrag("Arc Length Dimension", At(kCircleCentre, 100, 30), At(kCircleCentre, 100, 120),
                               {300, 300}),
              'FAIL');
    EXPECT_EQ(Groups(), 0u);
    EXPECT_TRUE(Clicks(circle).empty());
}

// --- fillet radius ---

// A corner rounded with radius 20 about (180, 120): straight in along v = 100, a quarter arc
// from (180, 100) to (200, 120), straight out up h = 200.
constexpr AIRealPoint kFilletCentre{180, 120};

TEST_F(CurvatureToolsTest, TheFilletLeaderStaysOnTheArc) {
    const AIReal k = 20 * 0.5523f;
    Path({{{100, 100}, {100, 100}, {100, 100}, true},
          {{180, 100}, {180, 100}, {180 + k, 100}, false},
          {{200, 120}, {200, 120 - k}, {200, 120}, false},
          {{200, 200}, {200, 200}, {200, 200}, true}});
    struct Row {
        const char* name;
        double dragAt, dragDistance;
        uint32_t keys;
        double leaderAt;  // degrees about the centre
        bool fromCentre;
        int shelf;  // 1 right, -1 left (0: a leader straight down, within the fit's error)
    } const rows[] = {
        {"inside the arc", -45, 40, 0, -45, false, 1},
        {"past its start", -110, 50, 0, -90, false, 0},
        {"past its end", 20, 50, 0, 0, false, 1},
        {"ctrl: the shelf the other way", 20, 50, kCtrl, 0, false, -1},
        // Nearer the start by 129 degrees than the end by 140.
        {"across the centre from it", 140, 50, 0, -90, false, 0},
        {"option: from the centre", -45, 40, kOption, -45, true, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const AIRealPoint drag = At(kFilletCentre, r.dragDistance, r.dragAt);
        ASSERT_EQ(PressAndDrag("Fillet Dimension", At(kFilletCentre, 20, -70), drag, r.keys), kNoErr);
        const ObjId dim = Dimensions().back();
        EXPECT_EQ(Text(dim), "R 20.00");
        const AIRealPoint onArc = At(kFilletCentre, 20, r.leaderAt);
        const AIRealPoint start = r.fromCentre ? kFilletCentre : At(kFilletCentre, r.dragDistance, r.leaderAt);
        // The centre fitted to the piece lies 0.07 % of the radius off the corner's.
        EXPECT_TRUE(LineNear(dim, start, onArc, 0.03));
        const auto tips = Tips(dim);
        ASSERT_EQ(tips.size(), 1u);
        EXPECT_LT(Distance(tips[0], onArc), 0.03);
        if (r.shelf) {
            EXPECT_TRUE(LineNear(dim, start, {start.h + 36.0f * r.shelf, start.v}, 0.03));
        }
        Forget(dim);
    }
}

TEST_F(CurvatureToolsTest, TheArcToolsArcsAndWholeCirclesAreFilletRadii) {
    struct Row {
        AIRealPoint c;
        double radius, from, to;  // drawn with the CAD arc tool, counter-clockwise
        double press, drag;       // directions: the piece pressed, where the leader goes
    } const rows[] = {
        {{0, 0}, 150, 45, 90, 60, 80},
        {{3000, 0}, 800, 30, 100, 60, 95},  // pressed on one piece, the leader on the other
        // Whole quarters keep the circles' handle, whose pieces the samples accept to 700.
        {{6000, 0}, 500, 10, 250, 45, 200},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.radius);
        const AIRealPoint c = r.c;
        ASSERT_EQ(session->selectTool("CAD Arc"), kNoErr);
        ASSERT_EQ(session->click(c), kNoErr);
        ASSERT_EQ(session->mouseDown(At(c, r.radius, r.from)), kNoErr);
        ASSERT_EQ(session->mouseDrag(At(c, r.radius + 50, (r.from + r.to) / 2)), kNoErr);
        ASSERT_EQ(session->mouseDrag(At(c, r.radius + 50, r.to)), kNoErr);
        ASSERT_EQ(session->mouseUp(At(c, r.radius + 50, r.to)), kNoErr);
        ASSERT_EQ(PressAndDrag("Fillet Dimension", At(c, r.radius, r.press), At(c, r.radius + 40, r.drag)), kNoErr);
        const ObjId dim = Dimensions().back();
        EXPECT_NEAR(Value(dim), r.radius, 0.01);
        // The centre fitted near B(0.3) of an 80-degree piece lies 0.046 % of the radius off.
        EXPECT_TRUE(LineNear(dim, At(c, r.radius + 40, r.drag), At(c, r.radius, r.drag), 5e-4 * r.radius));
    }
    // A whole circle: the leader goes wherever the drag points.
    Ellipse(300, 300, 40, 40);
    ASSERT_EQ(PressAndDrag("Fillet Dimension", {340, 320}, At({320, 320}, 60, 200)), kNoErr);
    EXPECT_TRUE(LineNear(Dimensions().back(), At({320, 320}, 60, 200), At({320, 320}, 20, 200), 0.03));
}

TEST_F(CurvatureToolsTest, AFilletRadiusOnlyOfACircularPiece) {
    Polyline({{100, 100}, {300, 100}});
    ASSERT_EQ(session->selectTool("Fillet Dimension"), kNoErr);
    ASSERT_EQ(session->mouseDown({200, 100}), kNoErr);
    for (AIReal v : {80, 70, 60}) ASSERT_EQ(session->mouseDrag({220, v}), kNoErr);
    ASSERT_EQ(session->mouseUp({220, 60}), kNoErr);
    // Told once for the gesture; nothing drawn.
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts()[0], "This tool works only on circular segments of a path, such as fillets and arcs.");
    EXPECT_EQ(Groups(), 0u);
}

// --- curve radius and tangent lines ---

// The points of ParabolaPath's parabola and its radius of curvature, at x from its vertex.
struct Parabola {
    static double Radius(double x) { return 50 * std::pow(1 + (x / 50) * (x / 50), 1.5); }
    static AIRealPoint Point(double x) {
        return {static_cast<AIReal>(300 + x), static_cast<AIReal>(300 + x * x / 100)};
    }
};

TEST_F(CurvatureToolsTest, TheRadiusOfCurvatureWhereTheCursorIs) {
    ParabolaPath();
    Ellipse(500, 500, 30, 30);  // radius 15: a cross of a third of it, no room for arrowheads
    struct Row {
        const char* name;
        AIRealPoint cursor;
        bool onParabola;  // else the small circle
        double centreOff;  // the circle's pieces only come near it: their centres of
                           // curvature between the anchors lie up to 0.085 % of it off
    } const rows[] = {
        {"vertex", Parabola::Point(0), true, 1e-3},
        {"left flank", Parabola::Point(-50), true, 1e-3},
        {"right flank", Parabola::Point(50), true, 1e-3},
        {"far left", Parabola::Point(-80), true, 1e-3},
        {"start anchor", {200.5f, 400.5f}, true, 1e-3},
        {"small circle's anchor", {530, 515}, false, 1e-3},
        {"small circle between anchors", At({515, 515}, 15, 30), false, 0.015},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_EQ(Hover("Curvature Dimension", r.cursor), kNoErr);
        const ObjId dim = Dimensions().back();
        const auto line = RadiusLine(dim);
        ASSERT_EQ(line.size(), 2u);
        const AIRealPoint o = line[0], p = line[1];
        // The point measured: the first the walk along the piece brings within 2 points.
        EXPECT_LT(Distance(p, r.cursor), 2.0);
        double radius = 15, theta = std::atan2(515 - p.v, 515 - p.h);
        if (r.onParabola) {
            const double x = p.h - 300;
            EXPECT_NEAR(p.v, Parabola::Point(x).v, 0.01);
            EXPECT_LE(p.h, r.cursor.h);
            radius = Parabola::Radius(x);
            theta = std::atan2(1, -x / 50);
        }
        EXPECT_NEAR(Value(dim), radius, 0.006);
        EXPECT_LT(Distance(o, {static_cast<AIReal>(p.h + radius * std::cos(theta)),
                               static_cast<AIReal>(p.v + radius * std::sin(theta))}),
                  r.centreOff);
        // The cross about the centre, arms of a third of the radius up to 9.
        const AIReal arm = static_cast<AIReal>(std::min(radius / 3, 9.0));
        EXPECT_TRUE(HasLine(dim, {o.h - arm, o.v}, {o.h + arm, o.v}));
        EXPECT_TRUE(HasLine(dim, {o.h, o.v - arm}, {o.h, o.v + arm}));
        EXPECT_EQ(Tips(dim).size(), r.onParabola ? 1u : 0u);
        // Along the radius line as drawn: the text beyond the centre, away from the curve, a
        // line of text (12) out or further, its ink 2 points clear of the cross; and the arc
        // 120 degrees about the point.
        const double along = std::atan2(o.v - p.v, o.h - p.h);
        const AIRealPoint anchor = TextAnchor(dim);
        const double out = Distance(anchor, o);
        EXPECT_GE(out, 12 - 2e-3);
        EXPECT_LT(Distance(anchor, At(o, out, along * 180 / kPi)), 2e-3);
        if (!r.onParabola) {
            EXPECT_NEAR(out, 12, 2e-3) << "the small circle's cross leaves the text a line out";
        }
        const AIRealRect ink = standin::text::storyBounds(FirstText(dim)->story, standin::text::FontRegistry::shared());
        EXPECT_TRUE(ink.right <= o.h - arm - 2 || ink.left >= o.h + arm + 2 || ink.top <= o.v - arm - 2 ||
                    ink.bottom >= o.v + arm + 2);
        EXPECT_EQ(FirstText(dim)->story.para.justification, std::fabs(along) < kPi / 2 ? 0 : 1);
        const auto arc = Arc(dim);
        ASSERT_GE(arc.size(), 2u);
        EXPECT_LT(Distance(arc.front().p, At(o, radius, (along + 2.0943) * 180 / kPi)), 0.01);
        EXPECT_LT(Distance(arc.back().p, At(o, radius, (along - 2.0943) * 180 / kPi)), 0.01);
        Forget(dim);
    }
    // Ctrl leaves the arc out.
    ASSERT_EQ(Hover("Curvature Dimension", Parabola::Point(0), kCtrl), kNoErr);
    EXPECT_TRUE(Arc(Dimensions().back()).empty());
}

TEST_F(CurvatureToolsTest, TheReleaseStoresOneClickWhereTheCursorStopped) {
    const ObjId parabola = ParabolaPath();
    struct Row {
        const char* tool;
        int32_t kind;
    } const rows[] = {{"Curvature Dimension", kBezCurve}, {"Tangent Line Dimension", kTangent}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.tool);
        ASSERT_EQ(Hover(r.tool, Parabola::Point(50)), kNoErr);
        const auto clicks = Clicks(parabola);
        ASSERT_EQ(clicks.size(), 1u) << "no drag record beside the click";
        EXPECT_EQ(clicks[0].clickNum, 1);
        EXPECT_EQ(clicks[0].dimType, r.kind);
        EXPECT_EQ(clicks[0].clickType, kLiveDimClickedPath);
        EXPECT_EQ(clicks[0].segNumBefore, 0);
        EXPECT_EQ(clicks[0].segNumAfter, 1);
        EXPECT_EQ(clicks[0].x, 0);
        EXPECT_EQ(clicks[0].y, 0);
        EXPECT_EQ(clicks[0].endPointOffsetLength, 0);
        Forget(Dimensions().back());
        ASSERT_EQ(session->hostEvent([&] { return DeleteDimObjectDictionary(Art(parabola)); }), kNoErr);
    }
}

TEST_F(CurvatureToolsTest, ACurveRadiusResizedMeasuresWhereItWasLeft) {
    ParabolaPath();
    ASSERT_EQ(Hover("Curvature Dimension", Parabola::Point(0)), kNoErr);
    ASSERT_NEAR(Value(Dimensions().back()), Parabola::Radius(0), 0.1);
    // Grabbed by its radius line (from the centre at (300, 350) down to the vertex) and
    // dragged along the curve to x = 50.
    ASSERT_EQ(PressAndDrag("Dimension Resize", {300, 330}, Parabola::Point(50)), kNoErr);
    for (const char* when : {"after the release", "after the update"}) {
        SCOPED_TRACE(when);
        ASSERT_EQ(Dimensions().size(), 1u);
        const ObjId dim = Dimensions().back();
        const auto line = RadiusLine(dim);
        ASSERT_EQ(line.size(), 2u);
        // Measured where the walk along the piece first came within 2 points of the cursor.
        EXPECT_LT(Distance(line[1], Parabola::Point(50)), 2.0);
        EXPECT_NEAR(Value(dim), Parabola::Radius(line[1].h - 300), 0.006);
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    }
}

TEST_F(CurvatureToolsTest, NothingMeasurableLeavesNoGroupBehind) {
    Polyline({{100, 100}, {300, 100}});
    // Both handles on the start anchor: the walk once started at 1 / 0 and never ended.
    Path({{{100, 200}, {100, 200}, {100, 200}, false}, {{300, 250}, {100, 200}, {300, 250}, false}});
    // So flat that its second derivative is 3: no centre.
    Path({{{100, 300}, {100, 300}, {130, 300.5f}, false}, {{190, 300}, {160, 300.5f}, {190, 300}, false}});
    for (AIRealPoint cursor : {AIRealPoint{200, 100}, AIRealPoint{200, 225}, AIRealPoint{145, 300.375f},
                               AIRealPoint{400, 400}}) {
        for (const char* tool : {"Curvature Dimension", "Tangent Line Dimension"}) {
            SCOPED_TRACE(tool);
            ASSERT_EQ(Hover(tool, cursor), kNoErr);
            EXPECT_EQ(Groups(), 0u);
        }
    }
    EXPECT_EQ(g->okToTrackCursorFlag, 0);  // nothing under the last: the ruler marks stop
}

TEST_F(CurvatureToolsTest, TheKeysChooseTheTangentAndNormalLines) {
    Ellipse(100, 100, 200, 200);
    // At the top anchor: the tangent from (100, 300) to (300, 300), the normal in to the
    // centre or out as far.
    const Segment tangent{{100, 300}, {300, 300}}, inner{{200, 200}, {200, 300}}, outer{{200, 400}, {200, 300}};
    struct Row {
        const char* name;
        uint32_t keys;
        int ignoreShift;
        std::vector<Segment> lines;
    } const rows[] = {
        {"none", 0, 0, {tangent}},
        {"ctrl alone", kCtrl, 0, {tangent}},
        {"shift", kShift, 0, {tangent, inner}},
        {"shift and ctrl", kShift | kCtrl, 0, {tangent, outer}},
        {"option", kOption, 0, {inner}},
        {"option and ctrl", kOption | kCtrl, 0, {outer}},
        {"shift ignored", kShift, 1, {tangent}},
        {"shift ignored, option", kShift | kOption, 1, {inner}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        g->ignoreShift = r.ignoreShift;
        ASSERT_EQ(PressAndDrag("Tangent Line Dimension", {201, 301}, {200, 300}, r.keys), kNoErr);
        const ObjId dim = Dimensions().back();
        EXPECT_EQ(Lines(dim).size(), r.lines.size());
        for (const Segment& s : r.lines) EXPECT_TRUE(HasLine(dim, s.a, s.b));
        Forget(dim);
    }
}

TEST_F(CurvatureToolsTest, ATangentClickTouchesNoEarlierDimension) {
    const ObjId circle = Ellipse(100, 100, 200, 200);
    ASSERT_EQ(PressAndDrag("Tangent Line Dimension", {201, 301}, {200, 300}), kNoErr);
    const ObjId earlier = Dimensions().back();
    // A click on nothing draws nothing and leaves the earlier one; a click on the circle
    // draws its tangent there.
    ASSERT_EQ(session->click({50, 50}), kNoErr);
    ASSERT_EQ(Dimensions(), std::vector<ObjId>{earlier});
    ASSERT_EQ(session->click({300, 200}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 2u);
    EXPECT_TRUE(HasLine(Dimensions().back(), {300, 100}, {300, 300}));
    // One click of each tangent on the circle; the click on nothing stored none.
    const auto clicks = Clicks(circle);
    ASSERT_EQ(clicks.size(), 2u);
    for (const auto& c : clicks) EXPECT_EQ(c.dimType, kTangent);
}

// --- all four redrawn ---

TEST_F(CurvatureToolsTest, EachIsRedrawnWhereItsArtNowIs) {
    const ObjId circle = Ellipse(100, 100, 200, 200);
    const AIReal k = 20 * 0.5523f;
    const ObjId corner = Path({{{400, 100}, {400, 100}, {400, 100}, true},
                               {{480, 100}, {480, 100}, {480 + k, 100}, false},
                               {{500, 120}, {500, 120 - k}, {500, 120}, false},
                               {{500, 200}, {500, 200}, {500, 200}, true}});
    ASSERT_EQ(TwoClicksAndDrag("Arc Length Dimension", At(kCircleCentre, 100, 30), At(kCircleCentre, 100, 120),
                               At(kCircleCentre, 130, 75)),
              kNoErr);
    ASSERT_EQ(Hover("Curvature Dimension", At(kCircleCentre, 100, 200)), kNoErr);
    // Option: the normal alone, which the redraw keeps.
    ASSERT_EQ(PressAndDrag("Tangent Line Dimension", {300, 201}, {300, 200}, kOption), kNoErr);
    ASSERT_EQ(PressAndDrag("Fillet Dimension", At({480, 120}, 20, -45), At({480, 120}, 50, -30)), kNoErr);
    const std::vector<ObjId> before = Dimensions();
    ASSERT_EQ(before.size(), 4u);
    std::vector<AIRealRect> bounds;
    for (ObjId dim : before) bounds.push_back(Bounds(dim));
    ASSERT_EQ(Move(circle, 40, -30), kNoErr);
    ASSERT_EQ(Move(corner, 40, -30), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 4);
    const std::vector<ObjId> after = Dimensions();
    ASSERT_EQ(after.size(), 4u);
    for (size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE(i);
        const AIRealRect r = Bounds(after[i]);
        EXPECT_NEAR(r.left, bounds[i].left + 40, 0.05);
        EXPECT_NEAR(r.right, bounds[i].right + 40, 0.05);
        EXPECT_NEAR(r.top, bounds[i].top - 30, 0.05);
        EXPECT_NEAR(r.bottom, bounds[i].bottom - 30, 0.05);
    }
}

}  // namespace
}  // namespace dimtest
