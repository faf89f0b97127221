// The depth tools dragged as a drafter drags them, in the isometric view (factors 1): the
// projected corners against the parallelogram built here from the pressed point and the
// cursor (a level drag a point high), the face from the keys, shift squares and the
// centred square, the guide-line hint and its stale face, nothing left by a step that
// cannot draw (outside the artboard, a grid of no whole step), and what the tracker and
// the view pad are told.
#include <algorithm>

#include "AxoFixture.h"
#include "adm/DialogManager.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"

namespace axotest {
namespace {

struct Tracked {
    double width = 0, height = 0, perimeter = 0, area = 0;
    int calls = 0;
};
inline Tracked tracked;

// A line through p at the angle (radians) crossing one through q, worked out in doubles.
AIRealPoint Cross(AIRealPoint p, double angP, AIRealPoint q, double angQ) {
    const double dpx = std::cos(angP), dpy = std::sin(angP), dqx = std::cos(angQ), dqy = std::sin(angQ);
    const double det = dpx * dqy - dpy * dqx;
    const double s = ((q.h - p.h) * dqy - (q.v - p.v) * dqx) / det;
    return {static_cast<AIReal>(p.h + s * dpx), static_cast<AIReal>(p.v + s * dpy)};
}
double Distance(AIRealPoint a, AIRealPoint b) { return std::hypot(a.h - b.h, a.v - b.v); }

struct DepthShapeToolTest : AxoTest {
    PlotwiseSubsystem tracker{
        .name = "tracker stand-in",
        .services = {.updateTrackerWindow = +[](double, double, double, double, double w, double h, double, double,
                                                double, double p, double a) -> AIErr {
            tracked = {w, h, p, a, tracked.calls + 1};
            return kNoErr;
        }},
    };
    void SetUp() override {
        tracked = {};
        AddPlotwiseSubsystem(&tracker);
        AxoTest::SetUp();
    }
    void TearDown() override {
        AxoTest::TearDown();
        RemovePlotwiseSubsystem(&tracker);
    }

    // A press, a first step clear of it, the cursor's place and the release.
    void Drag(const char* tool, AIRealPoint from, AIRealPoint to, uint32_t keys = 0) {
        ASSERT_EQ(session->selectTool(tool), kNoErr);
        ASSERT_EQ(session->mouseDown(from, keys), kNoErr);
        ASSERT_EQ(session->mouseDrag({from.h + 6, from.v + 9}, keys), kNoErr);
        ASSERT_EQ(session->mouseDrag(to, keys), kNoErr);
        ASSERT_EQ(session->mouseUp(to, keys), kNoErr);
    }
    // The art that holds a record.
    std::vector<standin::ObjId> Drawn() const {
        std::vector<standin::ObjId> out;
        doc->walk([&](const standin::Art& a, int) {
            if (Record(a.id)) out.push_back(a.id);
        });
        return out;
    }
    int PathCount() const {
        return static_cast<int>(doc->matching([](const standin::Art& a) { return a.type == kPathArt; }).size());
    }
    standin::ObjId OnlyDrawn() {
        const auto all = Drawn();
        EXPECT_EQ(all.size(), 1u);
        return all.empty() ? 0 : all[0];
    }
    // The corners a drag from f to e spans: the other two where lines along the face's edge
    // directions through the two points cross.
    static std::vector<AIRealPoint> Spanned(int32_t face, AIRealPoint f, AIRealPoint e) {
        const iso_view& v = kIsometric;
        const double first = face == kAxoRightFace ? v.a : v.b - kPi;
        const double second = face == kAxoTopFace ? v.a : kPi / 2;
        return {f, e, Cross(f, first, e, second), Cross(f, second, e, first)};
    }
    void ExpectCorners(standin::ObjId id, const std::vector<AIRealPoint>& corners, const std::string& what) {
        const auto anchors = Segments(id);
        ASSERT_EQ(anchors.size(), 4u) << what;
        for (AIRealPoint c : corners)
            EXPECT_TRUE(std::any_of(anchors.begin(), anchors.end(), [&](const AIPathSegment& s) {
                return Distance(s.p, c) < 2e-3;
            })) << what << ": no anchor at (" << c.h << ", " << c.v << ")";
    }
};

TEST_F(DepthShapeToolTest, TheProjectedCornersAreThoseTheDragSpansOnTheFaceOfTheKeys) {
    const struct {
        uint32_t keys;
        int32_t face;
        AIRealPoint from, to, spanned;  // a level drag spans a shape a point high
    } cases[] = {
        {0, kAxoLeftFace, {200, 300}, {280, 250}, {280, 250}},  // down and right, above the receding line
        {0, kAxoLeftFace, {200, 300}, {150, 380}, {150, 380}},
        {0, kAxoLeftFace, {200, 300}, {280, 300}, {280, 301}},
        {aiEventModifiers_Command, kAxoRightFace, {200, 300}, {300, 400}, {300, 400}},
        {aiEventModifiers_Command, kAxoRightFace, {300, 400}, {220, 330}, {220, 330}},
        {aiEventModifiers_Option, kAxoTopFace, {200, 300}, {300, 310}, {300, 310}},
        {aiEventModifiers_Option | aiEventModifiers_Command, kAxoTopFace, {300, 400}, {210, 350}, {210, 350}},
    };
    for (const auto& c : cases) {
        const std::string what = "face " + std::to_string(c.face) + " to (" + std::to_string(c.to.h) + ", " +
                                 std::to_string(c.to.v) + ")";
        Drag("Depth Rectangle", c.from, c.to, c.keys);
        const standin::ObjId id = OnlyDrawn();
        ExpectCorners(id, Spanned(c.face, c.from, c.spanned), what);
        EXPECT_EQ(Stored<int32_t>(id, "ZA3_Axo_face"), c.face) << what;
        // The tracker shows the flat size the record holds; the pad the face drawn on.
        EXPECT_FLOAT_EQ(tracked.width, Stored<AIReal>(id, "ZA3_Flat_width")) << what;
        EXPECT_FLOAT_EQ(tracked.height, Stored<AIReal>(id, "ZA3_Flat_height")) << what;
        EXPECT_EQ(g->faceToHilite, c.face);
        EXPECT_EQ(g->hiliteFaces, 1);
        ASSERT_EQ(doc->disposeArt(id), kNoErr);
    }
    // The pad drew the face highlighted: four of its lines in the highlight colour, red.
    ADMItemRef pad = sADMDialog->GetItem(g->CADisometricWindow, 1);
    const auto& ops = session->dialogs().drawing(pad);
    EXPECT_EQ(std::count_if(ops.begin(), ops.end(), [](const standin::DrawOp& op) {
                  return op.op == "line" && op.colorCode == kADMRGBColorCode && op.rgb.red == 0xFFFF && op.rgb.green < 0x4000;
              }),
              4);
}

TEST_F(DepthShapeToolTest, ShiftMakesAFlatSquareAndTheCentreToolKeepsItOnThePress) {
    const AIRealPoint f{200, 300}, e{290, 270};
    Drag("Depth Rectangle", f, e, aiEventModifiers_Shift);
    const standin::ObjId square = OnlyDrawn();
    const iso_view& v = kIsometric;
    const AIRealPoint along = Cross(f, v.b - kPi, e, kPi / 2), up = Cross(f, kPi / 2, e, v.b - kPi);
    const double side = std::max(Distance(f, along), Distance(f, up));
    EXPECT_NEAR(Stored<AIReal>(square, "ZA3_Flat_width"), side, 1e-3);
    EXPECT_NEAR(Stored<AIReal>(square, "ZA3_Flat_height"), side, 1e-3);
    EXPECT_EQ(g->ignoreShift, 0);
    ASSERT_EQ(doc->disposeArt(square), kNoErr);

    g->ignoreShift = 1;  // left by a cube: one step ignores shift, and the tool clears it
    Drag("Depth Ellipse From Center", f, e, aiEventModifiers_Shift);
    EXPECT_EQ(g->ignoreShift, 0);
    const standin::ObjId oval = OnlyDrawn();
    const AIRealRect b = Bounds(oval);
    EXPECT_NEAR((b.left + b.right) / 2, f.h, 1e-3);
    EXPECT_NEAR((b.top + b.bottom) / 2, f.v, 1e-3);
    EXPECT_NEAR(Stored<AIReal>(oval, "ZA3_Flat_width"), Stored<AIReal>(oval, "ZA3_Flat_height"), 1e-3);
}

TEST_F(DepthShapeToolTest, TheCursorSnapsToAGuideCrossingNearItAndTheHintGoesWhenItLeaves) {
    // A left-face square; its anchor p is pressed, and the cursor dragged 2 points below the
    // crossing of the vertical through it with the receding line through p.
    const standin::ObjId art = Rect(100, 100, 50, 50);
    ASSERT_EQ(ProjectAxonometric(Art(art), kAxoLeftFace, &kIsometric), kNoErr);
    const AIRealPoint p = Segments(art)[0].p;
    const AIRealPoint crossing = Cross(p, kIsometric.b, {p.h + 60, 0}, kPi / 2);
    ASSERT_EQ(session->selectTool("Depth Rectangle"), kNoErr);
    ASSERT_EQ(session->mouseDown(p), kNoErr);
    ASSERT_EQ(session->mouseDrag({crossing.h, crossing.v - 2}), kNoErr);
    EXPECT_EQ(g->canAnnotateIntersection, 1);
    EXPECT_EQ(g->annotationFace, 1);
    EXPECT_PT(g->annotatorIntersection, crossing, 2e-3);
    EXPECT_PT(g->endPoint, crossing, 2e-3);
    ASSERT_EQ(session->mouseDrag({crossing.h, crossing.v - 9}), kNoErr);  // beyond the tolerance of 4
    EXPECT_EQ(g->canAnnotateIntersection, 0);
    ASSERT_EQ(session->mouseUp({crossing.h, crossing.v - 9}), kNoErr);

    // A top-face tool over top-face art gives no hint.
    const standin::ObjId top = Rect(300, 100, 50, 50);
    ASSERT_EQ(ProjectAxonometric(Art(top), kAxoTopFace, &kIsometric), kNoErr);
    const AIRealPoint q = Segments(top)[0].p;
    ASSERT_EQ(session->mouseDown(q, aiEventModifiers_Option), kNoErr);
    ASSERT_EQ(session->mouseDrag({q.h + 40, q.v + 1}, aiEventModifiers_Option), kNoErr);
    EXPECT_EQ(g->canAnnotateIntersection, 0);
    EXPECT_EQ(g->annotationFace, 3);
    ASSERT_EQ(session->mouseUp({q.h + 40, q.v + 1}, aiEventModifiers_Option), kNoErr);
}

TEST_F(DepthShapeToolTest, ArtWhoseRecordNamesNoFaceGivesNoHintAndTheShapeIsDrawn) {
    g->annotationFace = 1;  // left by an earlier step
    const standin::ObjId art = Rect(100, 100, 50, 50);
    depth_object_data record;
    record.type = kAxoFaceArt;
    record.face = kAxoNoFace;
    ASSERT_EQ(SetAxonometricData(Art(art), &record), kNoErr);
    ASSERT_EQ(session->selectTool("Depth Rectangle"), kNoErr);
    ASSERT_EQ(session->mouseDown({100, 150}), kNoErr);
    ASSERT_EQ(session->mouseDrag({170, 130}), kNoErr);
    EXPECT_EQ(g->annotationFace, 0);
    EXPECT_EQ(g->canAnnotateIntersection, 0);
    ASSERT_EQ(session->mouseUp({170, 130}), kNoErr);
    EXPECT_EQ(Drawn().size(), 2u);
}

TEST_F(DepthShapeToolTest, AStepThatCannotDrawLeavesNothing) {
    // The flat rectangle of a left face held by its top-right corner at 60 points, 70 / cos 30
    // wide, would start left of the page: 'CANT', and the flat shape goes too.
    g->ignoreShift = 1;
    Drag("Depth Rectangle", {60, 300}, {-10, 340});
    EXPECT_EQ(g->ignoreShift, 0) << "cleared on the way out of a failed step too";
    EXPECT_TRUE(Drawn().empty());
    EXPECT_EQ(PathCount(), 0);
    // A grid smaller than one whole step either way: nothing, no division by nothing.
    Drag("Depth Grid", {200, 300}, {201, 302});
    EXPECT_TRUE(Drawn().empty());
    EXPECT_EQ(PathCount(), 0);
}

TEST_F(DepthShapeToolTest, TheDepthGridIsCutToWholeStepsAndReplacesTheRectangle) {
    Drag("Depth Grid", {200, 300}, {300, 270});
    const standin::ObjId grid = OnlyDrawn();
    EXPECT_EQ(doc->art(grid)->type, kGroupArt);
    const double step = g->gridSnapInc;
    ASSERT_GE(step, 1);
    for (const char* key : {"ZA3_Flat_width", "ZA3_Flat_height"}) {
        const double steps = Stored<AIReal>(grid, key) / step;
        EXPECT_GE(steps, 1) << key;
        EXPECT_NEAR(steps, std::round(steps), 1e-3) << key;
    }
    // The outline and the lines, nothing else: the dragged rectangle is gone.
    EXPECT_EQ(PathCount(), static_cast<int>(doc->children(grid).size()));
}

}  // namespace
}  // namespace axotest
