// Radius and diameter dimensions placed as a user places them: the circle test at its
// boundary (refused interactively, redrawn with a warning when a measured circle was
// stretched), the terminator room rule, the leader inside and outside the circle, the shelf
// side and the labels, shift and ctrl, the drag record that rebuilds the same leader, and
// the axonometric form with its cylinder-member record kept whatever happens. Expected
// points are worked out by hand from the circle's centre and radius (a 72-point circle at
// (100, 100) has its centre at (136, 136) and radius 36 + 2^-17).
#include <cmath>
#include <functional>
#include <string>

#include "RadialAngleFixture.h"
#include "axonometric/AxonometricUpdate.h"
#include "dimtools/RadialDimensions.h"

namespace dimtest {
namespace {

using RadialTest = RadialAngleTest;

constexpr AIRealPoint kCentre{136, 136};
constexpr AIRealPoint kOnCircle{172, 136};  // the right anchor

// The point at distance d from the centre at angle degrees.
AIRealPoint Around(double d, double degrees) {
    return {static_cast<AIReal>(kCentre.h + d * std::cos(degrees * kPi / 180)),
            static_cast<AIReal>(kCentre.v + d * std::sin(degrees * kPi / 180))};
}

TEST_F(RadialTest, RadiusFromTheCircleToTheDragPointWithItsShelfAndLabel) {
    const ObjId circle = Ellipse(100, 100, 72, 72);
    const AIRealPoint q{196, 216};  // 100 from the centre, direction (0.6, 0.8)
    ASSERT_EQ(PressAndDrag("Radius Dimension", kOnCircle, q), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const ObjId dim = Dimensions()[0];
    EXPECT_EQ(Text(dim), "R 36.00");
    // The leader from the circle (36 along the direction) to Q, the arrowhead on the circle.
    EXPECT_TRUE(HasLine(dim, {136 + 36 * 0.6f, 136 + 36 * 0.8f}, q));
    const auto tips = Tips(dim);
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_PT(tips[0], 136 + 36 * 0.6f, 136 + 36 * 0.8f, kTol);
    // The shelf runs away from the circle: right of Q, as long as the style says; the text
    // begins 4 beyond it, lowered by half its size less the leading.
    EXPECT_TRUE(HasLine(dim, q, {232, 216}));
    EXPECT_PT(TextAnchor(dim), 236, 216 - 5 + 2, kTol);
    EXPECT_EQ(FirstText(dim)->story.para.justification, 0);  // left: begins at the anchor
    // The click and the leader's end, from the centre, are stored on the circle.
    const auto clicks = Clicks(circle);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].dimType, kRadius);
    EXPECT_EQ(clicks[1].clickNum, -1);
    EXPECT_NEAR(clicks[1].endPointOffsetLength, 100, 1e-3);
    EXPECT_NEAR(clicks[1].endPointOffsetAngle, std::atan2(0.8, 0.6), 1e-5);
    // Dragged a hair (0.01) outside the circle, then just inside it: the arrowhead points
    // in, then out, along the radius, not along the rounding between the leader's ends.
    for (const double d : {36.01, 35.99}) {
        ASSERT_EQ(PressAndDrag("Radius Dimension", kOnCircle, Around(d, std::atan2(0.8, 0.6) * 180 / kPi)), kNoErr);
        const std::vector<double> ways = TipWays(Dimensions().back());
        ASSERT_EQ(ways.size(), 1u);
        EXPECT_NEAR(ways[0], d > 36 ? std::atan2(0.8, 0.6) : std::atan2(-0.8, -0.6), 1e-4) << d;
    }
}

TEST_F(RadialTest, ShelfSideFollowsTheDragAndCtrlTakesTheOther) {
    Ellipse(100, 100, 72, 72);
    const AIRealPoint left{60, 80};
    ASSERT_EQ(PressAndDrag("Diameter Dimension", {100, 136}, left), kNoErr);
    ObjId dim = Dimensions().back();
    EXPECT_EQ(Text(dim), "\xD8 72.00");
    EXPECT_TRUE(HasLine(dim, left, {24, 80}));
    EXPECT_PT(TextAnchor(dim), 20, 77, kTol);
    EXPECT_EQ(FirstText(dim)->story.para.justification, 1);  // right: ends at the anchor
    // Ctrl: the shelf turns towards the circle.
    ASSERT_EQ(PressAndDrag("Diameter Dimension", {100, 136}, left, aiEventModifiers_Command), kNoErr);
    dim = Dimensions().back();
    EXPECT_TRUE(HasLine(dim, left, {96, 80}));
    EXPECT_PT(TextAnchor(dim), 100, 77, kTol);
}

TEST_F(RadialTest, LabelsBeforeOrAfterAndBoundedByTheText) {
    Ellipse(100, 100, 72, 72);
    auto& s = g->prefs.style;
    struct Case {
        const char* tool;
        int before, append;
        std::string text;
    };
    const Case cases[] = {{"Radius Dimension", 1, 1, "R 36.00"},
                          {"Radius Dimension", 0, 1, "36.00 R"},
                          {"Diameter Dimension", 1, 1, "\xD8 72.00"},
                          {"Diameter Dimension", 0, 1, "72.00 \xD8"},
                          {"Diameter Dimension", 0, 0, "72.00"}};
    for (const Case& c : cases) {
        s.diameterLabelsBefore = c.before;
        s.appendDiamLabels = c.append;
        ASSERT_EQ(PressAndDrag(c.tool, kOnCircle, {220, 200}), kNoErr);
        EXPECT_EQ(Text(Dimensions().back()), c.text) << c.tool << c.before;
    }
    // A label text of the click chain keeps its radius label; a long one is cut to what a
    // dimension text holds (255 characters).
    s.diameterLabelsBefore = 1;
    s.appendDiamLabels = 1;
    s.dimensionFormat = 3;
    const std::string longText(1000, 'x');
    CopyCString(g->prefs.customDimDefaultText, longText.c_str());
    ASSERT_EQ(PressAndDrag("Diameter Dimension", kOnCircle, {220, 200}), kNoErr);
    const std::string text = Text(Dimensions().back());
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text.substr(0, 3), "\xD8 x");
}

// Only a circle is measured, by its width along its own axis nearest level: closed art lying
// on an ellipse about the centre of its bounds, whose widths along its own axes lie within 3
// points of each other. An arc, a square or a rectangle is refused whatever its bounds, nothing drawn or stored. Each row's
// art spans (100, 100) to (172, 172 + extra), or is an ellipse about (136, 136) turned.
TEST_F(RadialTest, OnlyACircleWithinThreePointsIsMeasuredByItsWidth) {
    const AIReal k = 72 * 0.5522847f;  // a quarter circle's handle
    auto path = [&](const std::vector<AIPathSegment>& anchors, bool closed) {
        ObjId id = 0;
        EXPECT_EQ(session->hostEvent([&] { return doc->addPath(anchors, closed, &id); }), kNoErr);
        return id;
    };
    auto newest = [&] {
        ObjId id = 0;
        doc->walk([&](const standin::Art& a, int) { id = a.type == kPathArt ? a.id : id; });
        return id;
    };
    // An ellipse of half-axes a and b about (136, 136), its a axis turned `degrees` from level.
    auto turned = [&](double a, double b, double degrees) {
        const double c = std::cos(degrees * kPi / 180), s = std::sin(degrees * kPi / 180), k = 0.5522847;
        auto at = [&](double x, double y) {
            return AIRealPoint{AIReal(136 + c * x - s * y), AIReal(136 + s * x + c * y)};
        };
        std::vector<AIPathSegment> anchors;  // handles along the tangent (-a y / b, b x / a)
        for (const auto& [x, y] : {std::pair{a, 0.0}, {0.0, b}, {-a, 0.0}, {0.0, -b}})
            anchors.push_back({at(x, y), at(x + k * a * y / b, y - k * b * x / a), at(x - k * a * y / b, y + k * b * x / a),
                               false});
        return path(anchors, true);
    };
    const std::string refused =
        "Radius and diameter dimensions can only be placed on circles. For an arc, use the Fillet Dimension tool.";
    const struct Row {
        const char* name;
        std::function<ObjId()> draw;
        AIRealPoint press;
        const char* text;  // null: refused
        const char* tool = "Radius Dimension";
    } rows[] = {
        {"circle", [&] { return Ellipse(100, 100, 72, 72); }, kOnCircle, "R 36.00"},
        {"3 taller", [&] { return Ellipse(100, 100, 72, 75); }, {172, 137.5f}, "R 36.00"},
        {"3.01 taller", [&] { return Ellipse(100, 100, 72, 75.01f); }, {172, 137.505f}, nullptr},
        // Measured on its own axes, as drawn: not by its bounds, which reach 0.016 % (or 72.72
        // and 74.12) wider on the page.
        {"circle turned 30 degrees", [&] { return turned(36, 36, 30); }, {167.1769f, 154}, "R 36.00"},
        {"circle turned 30 degrees, diameter", [&] { return turned(36, 36, 30); }, {167.1769f, 154}, "\xD8 72.00",
         "Diameter Dimension"},
        {"2.8 longer, turned 30 degrees", [&] { return turned(36, 37.4, 30); }, {167.1769f, 154}, "R 36.00"},
        {"8 longer, turned 45 degrees: square on the page", [&] { return turned(36, 40, 45); }, {161.4558f, 161.4558f},
         nullptr},
        {"circle of the CAD ellipse tool",
         [&] {
             EXPECT_EQ(PressAndDrag("CAD Ellipse", {100, 100}, {172, 172}, aiEventModifiers_Shift), kNoErr);
             return newest();
         },
         kOnCircle, "R 36.00"},
        {"quarter arc about (100, 100)",
         [&] { return path({{{100, 172}, {100, 172}, {100 + k, 172}, true}, {{172, 100}, {172, 100 + k}, {172, 100}, true}}, false); },
         {150.9117f, 150.9117f}, nullptr},
        {"door swing about (172, 100), closing on its jamb",
         [&] { return path({{{172, 172}, {172, 172}, {172 - k, 172}, true}, {{100, 100}, {100, 100 + k}, {100, 100}, true}}, false); },
         {121.0883f, 150.9117f}, nullptr},
        {"square", [&] { return Rect(100, 100, 72, 72); }, kOnCircle, nullptr},
        {"rectangle 2 taller", [&] { return Rect(100, 100, 72, 74); }, {172, 137}, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const ObjId art = r.draw();
        const size_t alerts = Alerts().size();
        EXPECT_EQ(PressAndDrag(r.tool, r.press, {230, 220}), r.text ? kNoErr : kCADErr);
        const std::vector<std::string> all = Alerts();
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(alerts), all.end()),
                  r.text ? std::vector<std::string>{} : std::vector<std::string>{refused});
        std::vector<std::string> texts;
        for (const ObjId dim : Dimensions()) {
            texts.push_back(Text(dim));
            ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(dim); }), kNoErr);
        }
        EXPECT_EQ(texts, r.text ? std::vector<std::string>{r.text} : std::vector<std::string>{});
        EXPECT_EQ(Clicks(art).size(), r.text ? 2u : 0u);
        ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(art); }), kNoErr);
    }
    // Empty space: the art-must-be-clicked alert, and no dimension.
    EXPECT_NE(PressAndDrag("Radius Dimension", {500, 500}, {530, 520}), kNoErr);
    EXPECT_TRUE(Dimensions().empty());
}

TEST_F(RadialTest, AStretchedCircleIsRedrawnFromItsWidthWithAWarning) {
    // Stretched upwards into an ellipse 72 by 144, or its anchors moved onto a square's
    // corners (its bounds as they were).
    const AIRealMatrix taller{1, 0, 0, 2, 0, -100};
    const std::vector<AIPathSegment> square = {{{100, 172}, {100, 172}, {100, 172}, true},
                                               {{172, 172}, {172, 172}, {172, 172}, true},
                                               {{172, 100}, {172, 100}, {172, 100}, true},
                                               {{100, 100}, {100, 100}, {100, 100}, true}};
    const std::function<AIErr(AIArtHandle)> changes[] = {
        [&](AIArtHandle art) { return sAITransformArt->TransformArt(art, &taller, 1, 0x41); },
        [&](AIArtHandle art) { return sAIPath->SetPathSegments(art, 0, 4, square.data()); },
    };
    for (const auto& change : changes) {
        const ObjId circle = Ellipse(100, 100, 72, 72);
        ASSERT_EQ(PressAndDrag("Radius Dimension", kOnCircle, {230, 220}), kNoErr);
        ASSERT_EQ(session->hostEvent([&] { return change(Art(circle)); }), kNoErr);
        const size_t alerts = Alerts().size();
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
        ASSERT_EQ(Alerts().size(), alerts + 1);
        EXPECT_EQ(Alerts().back().rfind("A radius or diameter dimension can only measure a circle", 0), 0u);
        EXPECT_EQ(g->dimensionsRedrawn, 1);
        ASSERT_EQ(Dimensions().size(), 1u);
        EXPECT_EQ(Text(Dimensions()[0]), "R 36.00");
        ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(Dimensions()[0]); }), kNoErr);
        ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(circle); }), kNoErr);
    }
}

// The host's hit test passes a locked layer's art by: pressed on a circle there, the tool
// says which layer stops it rather than that nothing was clicked.
TEST_F(RadialTest, ACircleOnALockedLayerIsSaidToBeLockedThere) {
    session->hostEvent([&] {
        doc->addLayer("Part");
        return kNoErr;
    });
    Ellipse(100, 100, 72, 72);
    session->hostEvent([&] {
        doc->addLayer("Notes");  // current, and open
        return doc->setLayerEditable("Part", false);
    });
    const size_t alerts = Alerts().size();
    (void)PressAndDrag("Radius Dimension", kOnCircle, {196, 216});
    ASSERT_EQ(Alerts().size(), alerts + 1);
    EXPECT_EQ(Alerts().back(),
              "\"Radius Dimension\": the object clicked is on the layer \"Part\", which is locked (unlock it first).");
    EXPECT_TRUE(Dimensions().empty());
}

TEST_F(RadialTest, TerminatorsOnlyWhereTheyFitInsideTheRadius) {
    // Arrowheads 10 long need a radius over 20: 39 wide has none, 40 (with 2^-16 added)
    // and 41 wide have one. Slashes are drawn at any size.
    g->prefs.style.arrowheadLength = 10;
    const AIReal widths[] = {39, 40, 41};
    const size_t expected[] = {0, 1, 1};
    for (int i = 0; i < 3; ++i) {
        const AIReal x = 100 + 100 * i;
        Ellipse(x, 100, widths[i], widths[i]);
        ASSERT_EQ(PressAndDrag("Radius Dimension", {x + widths[i], 100 + widths[i] / 2}, {x + 60, 200}), kNoErr);
        EXPECT_EQ(Tips(Dimensions().back()).size(), expected[i]) << widths[i];
    }
    g->prefs.style.arrowheadStyle = 3;
    Ellipse(100, 300, 20, 20);
    ASSERT_EQ(PressAndDrag("Radius Dimension", {120, 310}, {160, 360}), kNoErr);
    EXPECT_EQ(Lines(Dimensions().back()).size(), 3u);  // leader, shelf and the slash
}

TEST_F(RadialTest, LeadersThatSpanTheCircle) {
    Ellipse(100, 100, 72, 72);
    g->prefs.style.diameterLeaderSpansCircle = 1;
    const AIReal r = 36 + 1.52587890625e-05f / 2;
    // Pressed on the top anchor, clear of the leaders drawn across the middle.
    constexpr AIRealPoint kTop{136, 172};
    // Radius: from the centre to the circle while the drag is inside, else on to Q.
    const AIRealPoint inside = Around(20, 0), outside = Around(80, 0);
    ASSERT_EQ(PressAndDrag("Radius Dimension", kTop, inside), kNoErr);
    EXPECT_TRUE(HasLine(Dimensions().back(), kCentre, {136 + r, 136}));
    ASSERT_EQ(PressAndDrag("Radius Dimension", kTop, outside), kNoErr);
    EXPECT_TRUE(HasLine(Dimensions().back(), kCentre, outside));
    // Diameter: across the circle while Q is nearer the far side than a diameter, with
    // arrowheads at both sides; else from the far side on to Q.
    ASSERT_EQ(PressAndDrag("Diameter Dimension", kTop, inside), kNoErr);
    ObjId dim = Dimensions().back();
    EXPECT_TRUE(HasLine(dim, {136 - r, 136}, {136 + r, 136}));
    const auto tips = Tips(dim);
    ASSERT_EQ(tips.size(), 2u);
    EXPECT_NEAR(std::fabs(tips[0].h - tips[1].h), 2 * r, kTol);
    ASSERT_EQ(PressAndDrag("Diameter Dimension", kTop, outside), kNoErr);
    EXPECT_TRUE(HasLine(Dimensions().back(), {136 - r, 136}, outside));
    // Without spanning, the diameter's leader runs from the near side to Q.
    g->prefs.style.diameterLeaderSpansCircle = 0;
    ASSERT_EQ(PressAndDrag("Diameter Dimension", kTop, outside), kNoErr);
    EXPECT_TRUE(HasLine(Dimensions().back(), {136 + r, 136}, outside));
    EXPECT_EQ(Tips(Dimensions().back()).size(), 1u);
}

TEST_F(RadialTest, ShiftSnapsTheLeaderTo45DegreesAtTheDragDistance) {
    Ellipse(100, 100, 72, 72);
    ASSERT_EQ(PressAndDrag("Radius Dimension", kOnCircle, Around(90, 52), aiEventModifiers_Shift), kNoErr);
    const ObjId dim = Dimensions().back();
    const AIRealPoint snapped = Around(90, 45);
    EXPECT_TRUE(HasLine(dim, snapped, {snapped.h + 36, snapped.v}));  // the shelf starts there
}

TEST_F(RadialTest, TheStoredOffsetRebuildsTheSameLeaderAndOptionSwaps) {
    const ObjId circle = Ellipse(100, 100, 72, 72);
    ASSERT_EQ(PressAndDrag("Radius Dimension", kOnCircle, Around(70, 120)), kNoErr);
    // Option: the radius tool draws a diameter, and so does its redraw.
    ASSERT_EQ(PressAndDrag("Radius Dimension", kOnCircle, Around(90, -30), aiEventModifiers_Option), kNoErr);
    ASSERT_EQ(PressAndDrag("Diameter Dimension", kOnCircle, Around(60, 200), aiEventModifiers_Shift), kNoErr);
    std::vector<std::string> before;
    for (ObjId d : Dimensions()) before.push_back(Drawing(d));
    EXPECT_EQ(Text(Dimensions()[1]), "\xD8 72.00");
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 3);
    std::vector<std::string> after;
    for (ObjId d : Dimensions()) after.push_back(Drawing(d));
    EXPECT_EQ(after, before);
    // The circle moved: the dimensions follow its centre.
    const AIRealMatrix move{1, 0, 0, 1, 50, -20};
    ASSERT_EQ(session->hostEvent([&] { return sAITransformArt->TransformArt(Art(circle), &move, 1, 0x41); }),
              kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    const AIRealPoint q = Around(70, 120);
    EXPECT_TRUE(HasLine(Dimensions()[0], {q.h + 50, q.v - 20}, {q.h + 50 - 36, q.v - 20}));
}

TEST_F(RadialTest, TheRadialCentreAndAngleToolsAreOfferedWithTheirTitlesAndTips) {
    const auto& tools = session->registry().tools;
    auto tip = [&](const std::string& title) {
        for (const auto& t : tools)
            if (t.title == title) return t.tip;
        return std::string("(not offered)");
    };
    EXPECT_EQ(tip("Radius Dimension"), "Click a circle and drag to place its radius");
    EXPECT_EQ(tip("Diameter Dimension"), "Click a circle and drag to place its diameter");
    EXPECT_EQ(tip("Center Mark"), "Click a circle to mark its center");
    EXPECT_EQ(tip("Angular Dimension"), "Click two lines, then drag to place the angle");
    EXPECT_EQ(tip("Axonometric Radius Dimension"), "Click an axonometric circle and drag to place its radius");
    EXPECT_EQ(tip("Axonometric Diameter Dimension"), "Click an axonometric circle and drag to place its diameter");
    EXPECT_EQ(tip("Axonometric Center Mark"), "Click an axonometric circle to mark its center");
}

// --- axonometric circles ---

struct AxonometricRadialTest : RadialTest {
    ObjId circle = 0;
    void SetUp() override {
        RadialTest::SetUp();
        IsometricView();
        circle = Ellipse(100, 100, 72, 72);
        ASSERT_EQ(Project(circle, kAxoLeftFace), kNoErr);
    }
    AIRealPoint AnAnchor() const { return doc->art(circle)->segments[1].p; }
    AIRealPoint Centre() const {
        const AIRealRect r = Bounds(circle);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};

TEST_F(AxonometricRadialTest, MeasuredInItsFaceAndProjectedOntoIt) {
    const AIRealPoint c = Centre();
    const AIRealPoint q{c.h + 80, c.v + 60};
    ASSERT_EQ(PressAndDrag("Axonometric Radius Dimension", AnAnchor(), q), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const ObjId dim = Dimensions()[0];
    EXPECT_EQ(Text(dim), "R 36.00");  // the flat circle's radius
    EXPECT_TRUE(IsAxonometricArt(Art(dim)));
    // The leader ends where the drag went (flattened and projected back again), and its
    // offset from the projected centre is stored.
    auto reaches = [&](ObjId group, AIRealPoint p) {
        for (const Segment& s : Lines(group))
            if (std::hypot(s.a.h - p.h, s.a.v - p.v) < 1e-2 || std::hypot(s.b.h - p.h, s.b.v - p.v) < 1e-2)
                return true;
        return false;
    };
    EXPECT_TRUE(reaches(dim, q));
    const auto clicks = Clicks(circle);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_NEAR(clicks[1].endPointOffsetLength, 100, 1e-2);
    EXPECT_NEAR(clicks[1].endPointOffsetAngle, std::atan2(60.0, 80.0), 1e-4);
    // Redrawn on its face from the same offset, whatever tool is current.
    ASSERT_EQ(session->selectTool("Radius Dimension"), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    ASSERT_EQ(Dimensions().size(), 1u);
    EXPECT_EQ(Text(Dimensions()[0]), "R 36.00");
    EXPECT_TRUE(IsAxonometricArt(Art(Dimensions()[0])));
    EXPECT_TRUE(reaches(Dimensions()[0], q));
}

TEST_F(AxonometricRadialTest, TheViewTheArtWasProjectedWithIsTheDocumentsAndOnlyTheUserReprojects) {
    // The circle was projected with the full-length view, which the document now holds.
    const standin::Dict* docDict = doc->dict(doc->dictionaryOf(0));
    ASSERT_NE(docDict, nullptr);
    const standin::DictValue* kept = docDict->find("ZA3_AxoView");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(std::get<AIReal>(*doc->dict(std::get<standin::DictLink>(*kept).id)->find("ZA3_AxoView_af")), 1.0f);
    // Moved since it was projected, then given its diameter.
    const AIRealMatrix move{1, 0, 0, 1, 30, 10};
    ASSERT_EQ(session->hostEvent([&] { return sAITransformArt->TransformArt(Art(circle), &move, 1, 1); }), kNoErr);
    const AIRealPoint c = Centre();
    ASSERT_EQ(PressAndDrag("Axonometric Diameter Dimension", AnAnchor(), {c.h + 80, c.v + 60}), kNoErr);
    const std::string text = Text(Dimensions()[0]);
    EXPECT_EQ(text, "\xD8 72.00");
    const std::vector<AIPathSegment> projected = doc->art(circle)->segments;
    depth_object_data record;
    ASSERT_EQ(GetAxonometricData(Art(circle), &record), kNoErr);
    const int32_t id = record.id;
    // A leader ends on the circle: turned back by the face's matrix, 36 from its centre.
    auto onCircle = [&](const AIRealPoint& p) {
        const AIRealMatrix& m = record.matrix;
        const double dh = p.h - c.h, dv = p.v - c.v, det = m.a * m.d - m.b * m.c;
        return std::fabs(std::hypot((m.d * dh - m.c * dv) / det, (m.a * dv - m.b * dh) / det) - 36) < 1e-2;
    };
    auto touchesCircle = [&] {
        for (const Segment& l : Lines(Dimensions()[0]))
            if (onCircle(l.a) || onCircle(l.b)) return true;
        return false;
    };
    EXPECT_TRUE(touchesCircle());
    auto unmoved = [&] {
        const std::vector<AIPathSegment>& now = doc->art(circle)->segments;
        for (size_t i = 0; i < now.size(); ++i)
            if (std::hypot(now[i].p.h - projected[i].p.h, now[i].p.v - projected[i].p.v) > 1e-3) return false;
        depth_object_data r;
        return GetAxonometricData(Art(circle), &r) == kNoErr && r.id == id;
    };
    // The preferences then hold the foreshortened view (chosen in another document, say):
    // neither an update of the dimensions nor this document coming to the front again moves
    // the circle or renumbers its record, and the document's view becomes current.
    const struct {
        const char* what;
        std::function<AIErr()> act;
    } kActs[] = {
        {"Update Dimensions", [&] { return session->menu("Update Dimensions"); }},
        {"the document in front again", [&] { return session->hostEvent(&AdoptDocumentIsoView); }},
    };
    for (const auto& a : kActs) {
        SCOPED_TRACE(a.what);
        g->prefs.isoView.af = g->prefs.isoView.bf = g->prefs.isoView.cf = 0.8165f;
        ASSERT_EQ(a.act(), kNoErr);
        EXPECT_TRUE(unmoved());
        ASSERT_EQ(Dimensions().size(), 1u);
        EXPECT_EQ(Text(Dimensions()[0]), text);
        EXPECT_TRUE(touchesCircle());
    }
    EXPECT_EQ(g->prefs.isoView.af, 1.0f);
    // A view the user chooses moves it.
    g->prefs.isoView.af = g->prefs.isoView.bf = g->prefs.isoView.cf = 0.8165f;
    ASSERT_EQ(session->hostEvent([] { return UpdateAxonometricObjects(0, 0); }), kNoErr);
    EXPECT_FALSE(unmoved());
}

TEST_F(AxonometricRadialTest, ACylinderMemberKeepsItsTypeAndTheFlagGoesWhateverHappens) {
    depth_object_data record;
    ASSERT_EQ(GetAxonometricData(Art(circle), &record), kNoErr);
    record.type = kAxoCylinderBase;
    ASSERT_EQ(session->hostEvent([&] { return SetAxonometricData(Art(circle), &record); }), kNoErr);
    const AIRealPoint c = Centre();
    ASSERT_EQ(PressAndDrag("Axonometric Radius Dimension", AnAnchor(), {c.h + 80, c.v + 60}), kNoErr);
    EXPECT_EQ(Text(Dimensions().back()), "R 36.00");
    EXPECT_EQ(g->drawingCADradius, 0);
    ASSERT_EQ(GetAxonometricData(Art(circle), &record), kNoErr);
    EXPECT_EQ(record.type, kAxoCylinderBase);
    // Taking the flat bounds fails half way (the art cannot be transformed): the error is
    // returned, the flag is clear and the member's record type stays.
    {
        SwappedSuite<AITransformArtSuite> failing(sAITransformArt);
        failing->TransformArt = [](AIArtHandle, const AIRealMatrix*, AIReal, int32_t) -> AIErr { return 'FAIL'; };
        g->curTool = g->isoradtool;
        g->firstClick = AnAnchor();
        g->endPoint = {c.h + 80, c.v + 60};
        EXPECT_EQ(session->hostEvent([] { return doRadiusTool(1); }), 'FAIL');
    }
    EXPECT_EQ(g->drawingCADradius, 0);
    ASSERT_EQ(GetAxonometricData(Art(circle), &record), kNoErr);
    EXPECT_EQ(record.type, kAxoCylinderBase);
}

TEST_F(AxonometricRadialTest, ARecordOfNoFaceIsMeasuredAsItLies) {
    // A record naming no face gives no plane to measure in: the circle as it lies is
    // measured, and the dimension stays flat.
    const ObjId round = Ellipse(300, 100, 72, 72);
    depth_object_data record;
    ASSERT_EQ(GetAxonometricData(Art(circle), &record), kNoErr);
    record.face = kAxoNoFace;
    ASSERT_EQ(session->hostEvent([&] { return SetAxonometricData(Art(round), &record); }), kNoErr);
    ASSERT_TRUE(IsAxonometricArt(Art(round)));
    ASSERT_EQ(PressAndDrag("Axonometric Radius Dimension", {372, 136}, {420, 200}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const ObjId dim = Dimensions()[0];
    EXPECT_EQ(Text(dim), "R 36.00");
    EXPECT_FALSE(IsAxonometricArt(Art(dim)));
    EXPECT_TRUE(HasLine(dim, {420, 200}, {456, 200}));
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    EXPECT_TRUE(HasLine(Dimensions()[0], {420, 200}, {456, 200}));
}

}  // namespace
}  // namespace dimtest
