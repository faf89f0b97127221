// The fillet and chamfer tools. The geometry is checked against what a drafter works out
// by hand: for a corner of angle 2h and radius R the tangent points lie R / tan h from the
// crossing and the centre R / sin h along the bisector, and every point of the arc (sampled
// here from its Bezier pieces) lies R from the centre, inside the corner. Also: which pieces
// are kept, the corner of a closed path (at its anchor 0 too), self-crossing loops, both
// dictionaries on a joined path, a closed path joined to another keeping its whole outline,
// two fillets sharing an anchor, the dialogs, and that a refused corner changes nothing.
#include <cmath>
#include <string>

#include "DrawToolsFixture.h"

namespace drawtest {
namespace {

constexpr double kPi = 3.14159265358979323846;

AIRealPoint Polar(AIRealPoint from, double length, double degrees) {
    return {static_cast<AIReal>(from.h + length * std::cos(degrees * kPi / 180)),
            static_cast<AIReal>(from.v + length * std::sin(degrees * kPi / 180))};
}

double Distance(AIRealPoint a, AIRealPoint b) { return std::hypot(a.h - b.h, a.v - b.v); }

// Points along the span from anchor k to the next, from the Bernstein form.
std::vector<AIRealPoint> Sample(const std::vector<AIPathSegment>& s, size_t k, int steps = 32) {
    const AIPathSegment& a = s[k];
    const AIPathSegment& b = s[(k + 1) % s.size()];
    const AIRealPoint p[4] = {a.p, a.out, b.in, b.p};
    std::vector<AIRealPoint> out;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps, u = 1 - t;
        const double w[4] = {u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t};
        double x = 0, y = 0;
        for (int j = 0; j < 4; ++j) {
            x += w[j] * p[j].h;
            y += w[j] * p[j].v;
        }
        out.push_back({static_cast<AIReal>(x), static_cast<AIReal>(y)});
    }
    return out;
}

size_t IndexOf(const standin::Art* path, AIRealPoint p, AIReal tol = 2e-3f) {
    for (size_t i = 0; i < path->segments.size(); ++i)
        if (Near(path->segments[i].p, p.h, p.v, tol)) return i;
    return SIZE_MAX;
}

struct CornerToolTest : DrawToolsTest {
    void SetEntry(standin::ObjId art, const std::string& key, const std::string& value) {
        session->hostEvent([&] {
            doc->editDict(doc->dictionaryOf(art))->set(key, value);
            return kNoErr;
        });
    }
    std::string EntryOf(const standin::Art* art, const std::string& key) const {
        const standin::Dict* d = art && art->dictionary ? doc->dict(art->dictionary) : nullptr;
        const standin::DictValue* v = d ? d->find(key) : nullptr;
        return v && std::holds_alternative<standin::DictText>(*v) ? std::get<standin::DictText>(*v).str() : "";
    }
    AIErr TwoClicks(AIRealPoint a, AIRealPoint b, uint32_t modifiers = 0) {
        if (AIErr err = session->click(a)) return err;
        return session->click(b, modifiers);
    }
    // The anchors from `from` to `to` of the path are an arc of radius r about m, bulging
    // towards `inside`: every sampled point is r from m.
    void ExpectArc(const standin::Art* path, size_t from, size_t to, AIRealPoint m, double r) {
        ASSERT_LT(from, path->segments.size());
        ASSERT_LT(to, path->segments.size());
        for (size_t k = from; k != to; k = (k + 1) % path->segments.size())
            for (const AIRealPoint& p : Sample(path->segments, k))
                EXPECT_NEAR(Distance(p, m), r, 2e-3 * r + 1e-3) << "(" << p.h << ", " << p.v << ")";
    }
    std::vector<AIPathSegment> Snapshot() const {
        std::vector<AIPathSegment> all;
        for (const standin::Art* a : Paths()) all.insert(all.end(), a->segments.begin(), a->segments.end());
        return all;
    }
    static bool Same(const std::vector<AIPathSegment>& a, const std::vector<AIPathSegment>& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (!Near(a[i].p, b[i].p.h, b[i].p.v, 0) || !Near(a[i].in, b[i].in.h, b[i].in.v, 0) ||
                !Near(a[i].out, b[i].out.h, b[i].out.v, 0))
                return false;
        return true;
    }
};

TEST_F(CornerToolTest, ARightAngleOfTwoLinesBecomesOnePathWithAQuarterArc) {
    const standin::ObjId a = Polyline({{0, 100}, {200, 100}});
    const standin::ObjId b = Polyline({{100, 0}, {100, 200}});
    SetEntry(a, "first", "a");
    SetEntry(a, "both", "from a");
    SetEntry(b, "second", "b");
    SetEntry(b, "both", "from b");
    for (standin::ObjId line : {a, b}) Grouped(line);
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    Answer("CADFillet", {Type(4, "10"), Press(1)});
    ASSERT_EQ(TwoClicks({150, 100}, {100, 150}), kNoErr);
    EXPECT_TRUE(DialogFailures().empty());
    EXPECT_FLOAT_EQ(g->prefs.filletRadius, 10);

    const standin::Art* path = Only();
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->id, a);  // the first path takes the place of both
    EXPECT_FALSE(path->closed);
    // Kept: the pieces carrying the clicks; tangent points R from the crossing.
    const size_t p1 = IndexOf(path, {110, 100}), p2 = IndexOf(path, {100, 110});
    ASSERT_NE(p1, SIZE_MAX);
    ASSERT_NE(p2, SIZE_MAX);
    EXPECT_PT(path->segments.front().p, 200, 100, kTol);
    EXPECT_PT(path->segments.back().p, 100, 200, kTol);
    EXPECT_EQ(p1 + 1, p2);  // the arc spliced in path order
    // Centre R sqrt 2 from the crossing on the bisector; the arc's middle inside the corner.
    ExpectArc(path, p1, p2, {110, 110}, 10);
    const AIRealPoint middle = Sample(path->segments, p1)[16];
    EXPECT_NEAR(Distance(middle, {100, 100}), 10 * std::sqrt(2.0) - 10, 1e-2);
    // Both dictionaries; on a key they share, the first path's entry stays.
    EXPECT_EQ(EntryOf(path, "first"), "a");
    EXPECT_EQ(EntryOf(path, "second"), "b");
    EXPECT_EQ(EntryOf(path, "both"), "from a");
    EXPECT_EQ(g->didFirstClick + g->didSecondClick, 0);
    EXPECT_EQ(GroupCount(), 1u);  // the second line's group, left empty, went with it
}

TEST_F(CornerToolTest, ClicksOnOppositeSidesKeepTheirOwnPieces) {
    Polyline({{0, 100}, {200, 100}});
    Polyline({{100, 0}, {100, 200}});
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    Answer("CADFillet", {Type(4, "10"), Press(1)});
    ASSERT_EQ(TwoClicks({40, 100}, {100, 30}), kNoErr);  // left and below
    const standin::Art* path = Only();
    ASSERT_NE(path, nullptr);
    EXPECT_PT(path->segments.front().p, 0, 100, kTol);
    EXPECT_PT(path->segments.back().p, 100, 0, kTol);
    const size_t p1 = IndexOf(path, {90, 100}), p2 = IndexOf(path, {100, 90});
    ASSERT_EQ(p1 + 1, p2);
    ExpectArc(path, p1, p2, {90, 90}, 10);
}

TEST_F(CornerToolTest, AWideCornerAcrossMinusPiTakesTheBisectorTheOtherWay) {
    // Directions from the crossing to the clicks: 170 and -170 degrees. Half the angle
    // between them is 10 degrees; the bisector points along 180.
    const AIRealPoint x{300, 300};
    Polyline({Polar(x, 150, 170), Polar(x, 60, -10)});
    Polyline({Polar(x, 150, -170), Polar(x, 60, 10)});
    g->prefs.filletRadius = 5;
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    ASSERT_EQ(TwoClicks(Polar(x, 100, 170), Polar(x, 100, -170), aiEventModifiers_Option), kNoErr);
    EXPECT_TRUE(DialogFailures().empty());  // option: the stored radius, no dialog
    const standin::Art* path = Only();
    ASSERT_NE(path, nullptr);
    const double h = 10 * kPi / 180;
    const double d = 5 / std::tan(h);
    const AIRealPoint m{static_cast<AIReal>(300 - 5 / std::sin(h)), 300};
    const size_t p1 = IndexOf(path, Polar(x, d, 170), 5e-3f), p2 = IndexOf(path, Polar(x, d, -170), 5e-3f);
    ASSERT_NE(p1, SIZE_MAX);
    ASSERT_NE(p2, SIZE_MAX);
    ASSERT_EQ(p1 + 2, p2);  // 160 degrees about the centre, through its 0-degree anchor
    ExpectArc(path, p1, p2, m, 5);
    EXPECT_LT(path->segments[p1 + 1].p.h, 300);  // that anchor lies between the centre and the crossing
    EXPECT_GT(path->segments[p1 + 1].p.h, m.h);
    EXPECT_PT(path->segments.front().p, Polar(x, 150, 170).h, Polar(x, 150, 170).v, kTol);
}

TEST_F(CornerToolTest, ARectangleCornerStaysClosedAlsoAtAnchorZero) {
    const standin::ObjId rect = Polyline({{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true);
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    g->prefs.filletRadius = 10;
    ASSERT_EQ(TwoClicks({50, 0}, {100, 25}, aiEventModifiers_Option), kNoErr);
    const standin::Art* path = Only();
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->id, rect);
    EXPECT_TRUE(path->closed);
    ASSERT_EQ(path->segments.size(), 5u);  // the corner anchor replaced by a quarter arc
    EXPECT_EQ(IndexOf(path, {100, 0}), SIZE_MAX);
    const size_t p1 = IndexOf(path, {90, 0}), p2 = IndexOf(path, {100, 10});
    ASSERT_EQ(p1 + 1, p2);
    ExpectArc(path, p1, p2, {90, 10}, 10);

    // Anchor 0's corner: the bottom edge and the closing edge.
    ASSERT_EQ(TwoClicks({50, 0}, {0, 25}, aiEventModifiers_Option), kNoErr);
    path = Only();
    EXPECT_TRUE(path->closed);
    ASSERT_EQ(path->segments.size(), 6u);
    EXPECT_EQ(IndexOf(path, {0, 0}), SIZE_MAX);
    const size_t q1 = IndexOf(path, {10, 0}), q2 = IndexOf(path, {0, 10});
    ASSERT_NE(q1, SIZE_MAX);
    ASSERT_NE(q2, SIZE_MAX);
    // Along the path the arc runs from (0, 10) to (10, 0), across the closing segment if need be.
    EXPECT_EQ((q2 + 1) % path->segments.size(), q1);
    ExpectArc(path, q2, q1, {10, 10}, 10);
}

TEST_F(CornerToolTest, EachChamferDistanceBelongsToItsClick) {
    Polyline({{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true);
    ASSERT_EQ(session->selectTool("Chamfer"), kNoErr);
    Answer("CADChamfer", {Type(4, "10"), Type(6, "20"), Press(1)});
    ASSERT_EQ(TwoClicks({50, 0}, {0, 25}), kNoErr);  // bottom first, then left
    const standin::Art* path = Only();
    ASSERT_NE(path, nullptr);
    EXPECT_TRUE(path->closed);
    ASSERT_EQ(path->segments.size(), 5u);
    const size_t p1 = IndexOf(path, {10, 0}), p2 = IndexOf(path, {0, 20});
    ASSERT_NE(p1, SIZE_MAX);
    ASSERT_NE(p2, SIZE_MAX);
    EXPECT_EQ((p2 + 1) % 5, p1);
    // The bevel is straight: the handles facing it sit on their anchors.
    EXPECT_PT(path->segments[p2].out, 0, 20, kTol);
    EXPECT_PT(path->segments[p1].in, 10, 0, kTol);
    // Option: the same distances again without asking, on the corner at (100, 50).
    ASSERT_EQ(TwoClicks({100, 25}, {50, 50}, aiEventModifiers_Option), kNoErr);
    EXPECT_TRUE(DialogFailures().empty());
    path = Only();
    EXPECT_NE(IndexOf(path, {100, 40}), SIZE_MAX);
    EXPECT_NE(IndexOf(path, {80, 50}), SIZE_MAX);
    EXPECT_EQ(IndexOf(path, {100, 50}), SIZE_MAX);
}

TEST_F(CornerToolTest, CancelAndRefusedValuesChangeNothing) {
    Polyline({{0, 100}, {200, 100}});
    Polyline({{100, 90}, {100, 120}});  // 20 above the crossing, 10 below
    const std::vector<AIPathSegment> before = Snapshot();
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    Answer("CADFillet", {Press(2)});
    EXPECT_EQ(TwoClicks({150, 100}, {100, 115}), kNoErr);
    EXPECT_TRUE(Same(Snapshot(), before));

    // A negative radius is refused like text that does not read: the dialog stays open on
    // the field and the stored radius is kept.
    g->prefs.filletRadius = 3;
    Answer("CADFillet", {Type(4, "-5"), Press(1), Press(2)});
    EXPECT_EQ(TwoClicks({150, 100}, {100, 115}), kNoErr);
    EXPECT_TRUE(DialogFailures().empty());  // the Cancel found the dialog still open
    EXPECT_FLOAT_EQ(g->prefs.filletRadius, 3);
    EXPECT_TRUE(Same(Snapshot(), before));
    // A negative radius from elsewhere (a preference file) makes no corner either.
    g->prefs.filletRadius = -5;
    EXPECT_EQ(TwoClicks({150, 100}, {100, 115}, aiEventModifiers_Option), kCADErr);
    EXPECT_EQ(Alerts().back(), "No fillet or chamfer can be made with the values entered.");
    EXPECT_TRUE(Same(Snapshot(), before));

    // A chamfer distance of nothing would bevel along the path and cut nothing: typed, it is
    // refused in the dialog; stored, the corner is refused. A radius of nothing is the sharp
    // corner, which trims the line's tail.
    ASSERT_EQ(session->selectTool("Chamfer"), kNoErr);
    Answer("CADChamfer", {Type(4, "10"), Type(6, "0"), Press(1), Press(2)});
    EXPECT_EQ(TwoClicks({150, 100}, {100, 115}), kNoErr);
    EXPECT_EQ(Alerts().back(), "The value must be greater than 0.");
    g->prefs.chamferDistance2 = 0;
    EXPECT_EQ(TwoClicks({150, 100}, {100, 115}, aiEventModifiers_Option), kCADErr);
    EXPECT_EQ(Alerts().back(), "No fillet or chamfer can be made with the values entered.");
    EXPECT_TRUE(Same(Snapshot(), before));
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    g->prefs.filletRadius = 0;
    EXPECT_EQ(TwoClicks({150, 100}, {100, 115}, aiEventModifiers_Option), kNoErr);
    EXPECT_FALSE(Same(Snapshot(), before));
    ASSERT_TRUE(session->userUndo());

    // The second distance runs off the short line: neither path is touched, also not the
    // first one whose tangent point was fine.
    ASSERT_EQ(session->selectTool("Chamfer"), kNoErr);
    Answer("CADChamfer", {Type(4, "10"), Type(6, "50"), Press(1)});
    EXPECT_EQ(TwoClicks({150, 100}, {100, 115}), kCADErr);
    EXPECT_EQ(Alerts().back(), "No fillet or chamfer can be made with the values entered.");
    EXPECT_TRUE(Same(Snapshot(), before));
    EXPECT_EQ(PathCount(), 2u);
}

TEST_F(CornerToolTest, PathsThatDoNotCrossAreRefusedBeforeAnyDialog) {
    Polyline({{0, 0}, {100, 0}});
    Polyline({{0, 20}, {100, 20}});   // parallel
    Polyline({{150, 0}, {150, 50}});  // would meet the first only if it were longer
    ASSERT_EQ(session->selectTool("Chamfer"), kNoErr);
    EXPECT_EQ(TwoClicks({50, 0}, {50, 20}), kCADErr);
    EXPECT_EQ(TwoClicks({50, 0}, {150, 25}), kCADErr);
    ASSERT_EQ(Alerts().size(), 2u);
    EXPECT_EQ(Alerts()[0], "Click two crossing, non-parallel paths.");
    EXPECT_TRUE(DialogFailures().empty());  // no dialog was opened
    EXPECT_EQ(PathCount(), 3u);
    // A click on nothing.
    EXPECT_EQ(TwoClicks({50, 0}, {300, 300}), kCADErr);
    EXPECT_EQ(Alerts().size(), 3u);
}

TEST_F(CornerToolTest, ASelfCrossingPathLosesItsLoopOrKeepsOnlyIt) {
    // (0,0) -> (100,0) -> (100,50) -> (50,50) -> (50,-50): the first and last segments cross
    // at (50, 0); the loop runs round the square above.
    const std::vector<AIRealPoint> loop{{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, -50}};
    g->prefs.chamferDistance1 = g->prefs.chamferDistance2 = 10;
    ASSERT_EQ(session->selectTool("Chamfer"), kNoErr);
    // On the tails: the loop goes.
    const standin::ObjId tails = Polyline(loop);
    ASSERT_EQ(TwoClicks({25, 0}, {50, -25}, aiEventModifiers_Option), kNoErr);
    const standin::Art* path = doc->art(tails);
    ASSERT_NE(path, nullptr);
    EXPECT_FALSE(path->closed);
    ASSERT_EQ(path->segments.size(), 4u);
    EXPECT_PT(path->segments[0].p, 0, 0, kTol);
    EXPECT_PT(path->segments[1].p, 40, 0, kTol);
    EXPECT_PT(path->segments[2].p, 50, -10, kTol);
    EXPECT_PT(path->segments[3].p, 50, -50, kTol);
    session->hostEvent([&] { return doc->disposeArt(tails); });

    // On the loop: only the loop stays, closed, with the bevel across its closing segment.
    const standin::ObjId kept = Polyline(loop);
    ASSERT_EQ(TwoClicks({75, 0}, {50, 25}, aiEventModifiers_Option), kNoErr);
    path = doc->art(kept);
    ASSERT_NE(path, nullptr);
    EXPECT_TRUE(path->closed);
    ASSERT_EQ(path->segments.size(), 5u);
    EXPECT_PT(path->segments[0].p, 60, 0, kTol);
    EXPECT_PT(path->segments[1].p, 100, 0, kTol);
    EXPECT_PT(path->segments[3].p, 50, 50, kTol);
    EXPECT_PT(path->segments[4].p, 50, 10, kTol);

    // A fillet on the tails: the arc about (40, -10) joins them.
    session->hostEvent([&] { return doc->disposeArt(kept); });
    const standin::ObjId filleted = Polyline(loop);
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    g->prefs.filletRadius = 10;
    ASSERT_EQ(TwoClicks({25, 0}, {50, -25}, aiEventModifiers_Option), kNoErr);
    path = doc->art(filleted);
    const size_t p1 = IndexOf(path, {40, 0}), p2 = IndexOf(path, {50, -10});
    ASSERT_EQ(p1 + 1, p2);
    ExpectArc(path, p1, p2, {40, -10}, 10);
    EXPECT_FALSE(path->closed);
}

TEST_F(CornerToolTest, AFilletOnACurveKeepsTheCurvesShapeUpToTheArc) {
    Polyline({{0, 100}, {250, 100}});
    // A curve rising through the line near (103, 100).
    const AIRealBezier curve{{100, 20}, {100, 80}, {120, 140}, {160, 180}};
    AddPath({{curve.p0, curve.p0, curve.p1, false}, {curve.p3, curve.p2, curve.p3, false}});
    g->prefs.filletRadius = 8;
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    ASSERT_EQ(TwoClicks({200, 100}, {133.75f, 146.5625f}, aiEventModifiers_Option), kNoErr);
    const standin::Art* path = Only();
    ASSERT_NE(path, nullptr);
    EXPECT_PT(path->segments.front().p, 250, 100, kTol);
    EXPECT_PT(path->segments.back().p, 160, 180, kTol);
    // From the arc's end on the curve to the curve's end, the path runs along the original
    // curve: every sample lies on it (found by dense sampling of the original).
    const std::vector<AIPathSegment> original{{curve.p0, curve.p0, curve.p1, false}, {curve.p3, curve.p2, curve.p3, false}};
    const std::vector<AIRealPoint> dense = Sample(original, 0, 20000);
    const size_t last = path->segments.size() - 2;
    for (const AIRealPoint& p : Sample(path->segments, last)) {
        double nearest = 1e9;
        for (const AIRealPoint& q : dense) nearest = std::min(nearest, Distance(p, q));
        EXPECT_LT(nearest, 0.02) << "(" << p.h << ", " << p.v << ")";
    }
    // The arc leaves the line at a tangent point on it and reaches the curve on the curve.
    const AIRealPoint onLine = path->segments[1].p;
    EXPECT_NEAR(onLine.v, 100, 1e-3);
    double nearest = 1e9;
    for (const AIRealPoint& q : dense) nearest = std::min(nearest, Distance(path->segments[last].p, q));
    EXPECT_LT(nearest, 0.05);
    // The arc's end on the curve carries the handle the curve had there: it points along
    // the curve, away from the corner.
    const AIPathSegment& end = path->segments[last];
    EXPECT_GT(Distance(end.out, end.p), 2.0);
}

// A closed path filleted or chamfered to a line is opened at its tangent point and runs
// from the corner all the way round back to it: a circle keeps its full turn, a rectangle
// its four corners.
TEST_F(CornerToolTest, AClosedPathJoinedToALineKeepsItsWholeOutline) {
    struct Row {
        bool circle, fillet;
        AIRealPoint onClosed, onLine, lineStart, lineEnd;  // the line's end on the click's side
    } const rows[] = {
        {false, true, {100, 40}, {140, 25}, {100, 25}, {160, 25}},        // the rectangle's right edge above the line
        {false, false, {100, 10}, {140, 25}, {100, 25}, {160, 25}},       // below it, chamfered
        {true, true, {-46.98f, 17.1f}, {-80, 30}, {100, 30}, {-100, 30}},  // the circle below the line, left of it
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.circle ? "circle" : "rectangle") + (r.fillet ? " fillet" : " chamfer"));
        for (const standin::Art* a : Paths()) session->hostEvent([&] { return doc->disposeArt(a->id); });
        if (r.circle) session->hostEvent([&] { return doc->addEllipse(-50, -50, 100, 100); });
        using Points = std::vector<AIRealPoint>;
        const Points outline = r.circle ? Points{{50, 0}, {0, 50}, {-50, 0}, {0, -50}}
                                        : Points{{0, 0}, {100, 0}, {100, 50}, {0, 50}};
        if (!r.circle) Polyline(outline, true);
        Polyline({r.lineStart, r.lineEnd});
        g->prefs.filletRadius = g->prefs.chamferDistance1 = g->prefs.chamferDistance2 = 10;
        ASSERT_EQ(session->selectTool(r.fillet ? "Fillet" : "Chamfer"), kNoErr);
        ASSERT_EQ(TwoClicks(r.onClosed, r.onLine, aiEventModifiers_Option), kNoErr);
        const standin::Art* path = Only();
        ASSERT_NE(path, nullptr);
        EXPECT_FALSE(path->closed);
        // From anchor 0 round to the anchor on the same point that starts the arc or bevel:
        // every anchor of the outline is there.
        const std::vector<AIPathSegment>& s = path->segments;
        size_t back = 1;
        while (back < s.size() && !Near(s[back].p, s[0].p.h, s[0].p.v, 0.01f)) ++back;
        ASSERT_LT(back, s.size());
        for (AIRealPoint anchor : outline) EXPECT_LT(IndexOf(path, anchor), back) << anchor.h << " " << anchor.v;
        // ... and the circle's whole turn about its centre.
        double turned = 0;
        for (size_t k = 0; r.circle && k < back; ++k) {
            const std::vector<AIRealPoint> p = Sample(s, k);
            for (size_t i = 1; i < p.size(); ++i)
                turned += std::remainder(std::atan2(p[i].v, p[i].h) - std::atan2(p[i - 1].v, p[i - 1].h), 2 * kPi);
        }
        if (r.circle) {
            EXPECT_NEAR(std::fabs(turned), 2 * kPi, 1e-3);
        }
        EXPECT_PT(s.back().p, r.lineEnd.h, r.lineEnd.v, kTol);
    }
}

// A slot: both right corners of a 72 by 18 rectangle filleted with radius 9. The second
// arc starts on the anchor where the first ends, which keeps the first arc's handle.
TEST_F(CornerToolTest, TwoFilletsOnAdjacentCornersGiveTwoTrueArcs) {
    Polyline({{200, 150}, {272, 150}, {272, 168}, {200, 168}}, true);
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    Answer("CADFillet", {Type(4, "9"), Press(1)});
    ASSERT_EQ(TwoClicks({250, 150}, {272, 155}), kNoErr);
    ASSERT_EQ(TwoClicks({272, 165}, {250, 168}, aiEventModifiers_Option), kNoErr);
    const standin::Art* path = Only();
    ASSERT_NE(path, nullptr);
    EXPECT_TRUE(path->closed);
    ASSERT_EQ(path->segments.size(), 5u);
    const size_t low = IndexOf(path, {263, 150}), middle = IndexOf(path, {272, 159}), high = IndexOf(path, {263, 168});
    ASSERT_EQ(low + 1, middle);
    ASSERT_EQ(middle + 1, high);
    ExpectArc(path, low, high, {263, 159}, 9);
}

}  // namespace
}  // namespace drawtest
