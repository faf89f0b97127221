// Projection of host art onto the faces and back: every anchor and handle where the view's
// axes put it, the record projection leaves, flattening back to the flat art (also after a
// move), projecting twice, art that keeps no record, text kept upright, compound paths,
// cylinder groups, single points, the flat corners of a face, and the commands that project
// or flatten the selection.
#include <initializer_list>
#include <string>
#include <utility>

#include "AxoFixture.h"
#include "AINotifier.h"
#include "AITextFrame.h"
#include "axonometric/AxonometricProjection.h"
#include "axonometric/AxonometricUpdate.h"
#include "geometry/PlotwiseErrors.h"

namespace axotest {
namespace {

const iso_view kDimetric = View(7.0, 138.6, 0.5, 0.94, 0.94, 20);

struct Case {
    const iso_view* view;
    int32_t face;
};

// The pivot the projection turns about: a corner of the flat bounds by face and tilt sign.
AIRealPoint Pivot(const iso_view& v, int32_t face, const AIRealRect& r) {
    const bool up = v.t > 0;
    if (face == kAxoLeftFace) return {r.right, up ? r.top : r.bottom};
    if (face == kAxoRightFace) return {r.left, up ? r.top : r.bottom};
    return {r.right, up ? r.bottom : r.top};
}

void ExpectSegmentsNear(const std::vector<AIPathSegment>& got, const std::vector<AIPathSegment>& want, double tol,
                        const std::string& what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_PT(got[i].p, want[i].p, tol) << what + " anchor " + std::to_string(i);
        EXPECT_PT(got[i].in, want[i].in, tol) << what + " in " + std::to_string(i);
        EXPECT_PT(got[i].out, want[i].out, tol) << what + " out " + std::to_string(i);
    }
}

TEST_F(AxoTest, SquaresAndCirclesProjectOntoEveryFaceAndFlattenBack) {
    for (const iso_view* view : {&kIsometric, &kIsometricBelow, &kDimetric}) {
        g->prefs.isoView = *view;
        for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
            for (bool circle : {false, true}) {
                const std::string what = std::string(circle ? "circle" : "square") + " face " + std::to_string(face) +
                                         " tilt " + std::to_string(view->t);
                const standin::ObjId art = circle ? Ellipse(40, 60, 100, 100) : Rect(40, 60, 100, 100);
                const std::vector<AIPathSegment> flat = Segments(art);
                const AIRealRect flatBounds = Bounds(art);
                const int32_t id = g->depthObjNum;
                ASSERT_EQ(ProjectAxonometric(Art(art), face, view), kNoErr) << what;

                const AIRealPoint pivot = Pivot(*view, face, flatBounds);
                std::vector<AIPathSegment> want = flat;
                for (AIPathSegment& s : want) {
                    s.p = OnFace(*view, face, pivot, s.p);
                    s.in = OnFace(*view, face, pivot, s.in);
                    s.out = OnFace(*view, face, pivot, s.out);
                }
                ExpectSegmentsNear(Segments(art), want, 2e-3, what);

                depth_object_data d;
                ASSERT_EQ(GetAxonometricData(Art(art), &d), kNoErr);
                EXPECT_EQ(d.id, id) << what;
                EXPECT_EQ(g->depthObjNum, id + 1);
                EXPECT_EQ(d.type, kAxoFaceArt);
                EXPECT_EQ(d.face, face);
                EXPECT_FLOAT_EQ(d.flatSize.h, 100);
                EXPECT_FLOAT_EQ(d.flatSize.v, 100);
                // A square's area and perimeter; a circle of radius 50 within its Bezier's error.
                EXPECT_NEAR(d.area, circle ? kPi * 2500 : 10000, circle ? 10 : 1e-2) << what;
                EXPECT_NEAR(d.perimeter, circle ? kPi * 100 : 400, circle ? 0.5 : 1e-3) << what;
                const AIRealRect projected = Bounds(art);
                EXPECT_NEAR(d.axoSize.h, projected.right - projected.left, 1e-4);
                EXPECT_NEAR(d.axoSize.v, projected.top - projected.bottom, 1e-4);
                EXPECT_NEAR(d.offset.h, pivot.h - projected.left, 1e-3) << what;
                EXPECT_NEAR(d.offset.v, pivot.v - projected.top, 1e-3) << what;
                EXPECT_PT(XformRealPoint(d.matrix, {0, 0}), OnFace(*view, face, pivot, {0, 0}), 2e-3)
                    << what + " matrix";
                EXPECT_EQ(d.noForeshortening, 1);

                ASSERT_EQ(invertAxonometricArt(Art(art), &d), kNoErr) << what;
                ExpectSegmentsNear(Segments(art), flat, 2e-3, what + " flattened");
                EXPECT_EQ(Record(art), nullptr) << what;
                EXPECT_EQ(IsAxonometricArt(Art(art)), 0);
            }
        }
    }
}

TEST_F(AxoTest, ArtMovedSinceItsProjectionFlattensWhereItIsNow) {
    for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
        const standin::ObjId art = Rect(100, 100, 72, 36);
        const std::vector<AIPathSegment> flat = Segments(art);
        ASSERT_EQ(ProjectAxonometric(Art(art), face, &g->prefs.isoView), kNoErr);
        const AIRealMatrix move{1, 0, 0, 1, 30, -20};
        ASSERT_EQ(sAITransformArt->TransformArt(Art(art), &move, 1, kTransformObjects), kNoErr);
        depth_object_data d;
        ASSERT_EQ(GetAxonometricData(Art(art), &d), kNoErr);
        ASSERT_EQ(invertAxonometricArt(Art(art), &d), kNoErr);
        std::vector<AIPathSegment> want = flat;
        for (AIPathSegment& s : want)
            for (AIRealPoint* p : {&s.p, &s.in, &s.out}) *p = {p->h + 30, p->v - 20};
        ExpectSegmentsNear(Segments(art), want, 2e-3, "moved face " + std::to_string(face));
    }
}

TEST_F(AxoTest, ProjectingTwiceEndsWhereProjectingOnceDoesWithANewId) {
    const standin::ObjId once = Rect(0, 0, 50, 80), twice = Rect(0, 0, 50, 80);
    ASSERT_EQ(ProjectAxonometric(Art(once), kAxoRightFace, &g->prefs.isoView), kNoErr);
    ASSERT_EQ(ProjectAxonometric(Art(twice), kAxoRightFace, &g->prefs.isoView), kNoErr);
    const int32_t firstId = Stored<int32_t>(twice, "ZA3_Axo_id");
    ASSERT_EQ(ProjectAxonometric(Art(twice), kAxoRightFace, &g->prefs.isoView), kNoErr);
    ExpectSegmentsNear(Segments(twice), Segments(once), 2e-3, "twice");
    EXPECT_GT(Stored<int32_t>(twice, "ZA3_Axo_id"), firstId);
    // Onto another face: flattened first, so the result is the flat art on that face.
    const standin::ObjId direct = Rect(0, 0, 50, 80);
    ASSERT_EQ(ProjectAxonometric(Art(direct), kAxoTopFace, &g->prefs.isoView), kNoErr);
    ASSERT_EQ(ProjectAxonometric(Art(twice), kAxoTopFace, &g->prefs.isoView), kNoErr);
    ExpectSegmentsNear(Segments(twice), Segments(direct), 2e-3, "other face");
}

TEST_F(AxoTest, FailuresAreReportedAndLeaveTheArt) {
    const standin::ObjId art = Rect(0, 0, 50, 80);
    const std::vector<AIPathSegment> flat = Segments(art);
    EXPECT_EQ(ProjectAxonometric(Art(art), kAxoNoFace, &g->prefs.isoView), kCADErr);
    ExpectSegmentsNear(Segments(art), flat, 0, "no face");
    // A record whose matrix cannot be inverted cannot be flattened.
    depth_object_data d;
    d.type = kAxoFaceArt;
    d.face = kAxoLeftFace;
    d.matrix = {1, 2, 2, 4, 0, 0};
    EXPECT_EQ(invertAxonometricArt(Art(art), &d), kMatrixNotInvertibleErr);
    ExpectSegmentsNear(Segments(art), flat, 0, "singular");
    // Projecting disposed art is the host's error, not success.
    ASSERT_EQ(sAIArt->DisposeArt(Art(art)), kNoErr);
    EXPECT_EQ(ProjectAxonometric(Art(art), kAxoLeftFace, &g->prefs.isoView), kStaleHandleErr);
}

TEST_F(AxoTest, AutoExpandedArtIsProjectedWithoutARecord) {
    g->prefs.autoExpandAxoArt = 1;
    const standin::ObjId art = Rect(0, 0, 50, 80);
    const std::vector<AIPathSegment> flat = Segments(art);
    ASSERT_EQ(ProjectAxonometric(Art(art), kAxoLeftFace, &g->prefs.isoView), kNoErr);
    EXPECT_EQ(IsAxonometricArt(Art(art)), 0);
    EXPECT_EQ(Record(art), nullptr);
    EXPECT_GT(std::fabs(Segments(art)[0].p.v - flat[0].p.v) + std::fabs(Segments(art)[1].p.v - flat[1].p.v), 1);
}

TEST_F(AxoTest, PrimitiveFacesLeaveTheirFlatBounds) {
    g->drawingPrimitive = 1;
    g->firstMouseNotYetUp = 1;
    ASSERT_EQ(ProjectAxonometric(Art(Rect(10, 20, 30, 40)), kAxoLeftFace, &g->prefs.isoView), kNoErr);
    g->firstMouseNotYetUp = 0;
    ASSERT_EQ(ProjectAxonometric(Art(Rect(1, 2, 3, 4)), kAxoTopFace, &g->prefs.isoView), kNoErr);
    g->drawingPrimitive = 0;
    EXPECT_EQ(g->primitiveFirstFaceFlatLeft, 10);
    EXPECT_EQ(g->primitiveFirstFaceFlatRight, 40);
    EXPECT_EQ(g->primitiveFirstFaceFlatBottom, 20);
    EXPECT_EQ(g->primitiveFirstFaceFlatTop, 60);
    EXPECT_EQ(g->primitiveSecondFaceFlatLeft, 1);
    EXPECT_EQ(g->primitiveSecondFaceFlatTop, 6);
}

TEST_F(AxoTest, TextIsMovedNotTurnedWhileTheUniversalTextAngleIsOn) {
    const standin::ObjId square = Rect(0, 0, 100, 100);
    const AIRealPoint corner = Segments(square)[0].p;
    AIArtHandle text = nullptr;
    ASSERT_EQ(sAITextFrame->NewPointText(kPlaceAboveAll, nullptr, kHorizontalTextOrientation, {20, 30}, &text), kNoErr);
    const standin::ObjId group = Group({square, standin::fromHandle(text)});
    depth_object_data d;
    const AIRealRect flat{0, 100, 100, 0};
    ASSERT_EQ(CalculateAxonometricData(&flat, kAxoLeftFace, &d), kNoErr);

    g->prefs.style.useUniversalTextAngle = 1;
    ASSERT_EQ(ProjectAxonometricFromData(Art(group), &d), kNoErr);
    AIRealMatrix m{};
    ASSERT_EQ(sAITextFrame->GetTextFrameMatrix(text, &m), kNoErr);
    EXPECT_EQ(m.a, 1);
    EXPECT_EQ(m.b, 0);
    EXPECT_EQ(m.c, 0);
    EXPECT_EQ(m.d, 1);
    EXPECT_PT((AIRealPoint{m.tx, m.ty}), OnFace(g->prefs.isoView, kAxoLeftFace, {100, 100}, {20, 30}), 2e-3)
        << "anchor";
    EXPECT_PT(Segments(square)[0].p, OnFace(g->prefs.isoView, kAxoLeftFace, {100, 100}, corner), 2e-3)
        << "the square is projected";
    // The record goes onto the group unchanged, id and all.
    EXPECT_EQ(Stored<int32_t>(group, "ZA3_Axo_id"), d.id);

    // With the universal text angle off, text is sheared like everything else.
    g->prefs.style.useUniversalTextAngle = 0;
    ASSERT_EQ(ProjectAxonometricFromData(Art(group), &d), kNoErr);
    ASSERT_EQ(sAITextFrame->GetTextFrameMatrix(text, &m), kNoErr);
    EXPECT_NEAR(m.b, d.matrix.b, 1e-5);
    EXPECT_NEAR(m.a, d.matrix.a, 1e-5);
}

TEST_F(AxoTest, ACompoundPathIsProjectedWhole) {
    // The hole runs the other way round, as a hole does.
    standin::ObjId outer = 0, hole = 0;
    ASSERT_EQ(doc->addPolyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true, &outer), kNoErr);
    ASSERT_EQ(doc->addPolyline({{25, 25}, {25, 75}, {75, 75}, {75, 25}}, true, &hole), kNoErr);
    AIArtHandle compound = nullptr;
    ASSERT_EQ(sAIArt->NewArt(kCompoundPathArt, kPlaceAboveAll, nullptr, &compound), kNoErr);
    ASSERT_EQ(sAIArt->ReorderArt(Art(outer), kPlaceInsideOnBottom, compound), kNoErr);
    ASSERT_EQ(sAIArt->ReorderArt(Art(hole), kPlaceInsideOnBottom, compound), kNoErr);
    const std::vector<AIPathSegment> holeFlat = Segments(hole);
    depth_object_data d;
    const AIRealRect flat{0, 100, 100, 0};
    ASSERT_EQ(CalculateAxonometricData(&flat, kAxoRightFace, &d), kNoErr);
    ASSERT_EQ(ProjectAxonometricFromData(compound, &d), kNoErr);
    for (size_t i = 0; i < holeFlat.size(); ++i)
        EXPECT_PT(Segments(hole)[i].p, OnFace(g->prefs.isoView, kAxoRightFace, {0, 100}, holeFlat[i].p), 2e-3)
            << "hole";
    // Projected as a compound, its area is the outer minus the hole.
    const standin::ObjId flatCompoundArt = standin::fromHandle(compound);
    ASSERT_EQ(invertAxonometricArt(compound, &d), kNoErr);
    ASSERT_EQ(ProjectAxonometric(compound, kAxoLeftFace, &g->prefs.isoView), kNoErr);
    EXPECT_NEAR(Stored<AIReal>(flatCompoundArt, "ZA3_Axo_area"), 10000 - 2500, 1e-2);
}

TEST_F(AxoTest, FlatteningACylinderKeepsItsBaseAndDisposesItsBody) {
    const standin::ObjId base = Ellipse(0, 0, 80, 40), body = Rect(0, -60, 80, 60);
    const std::vector<AIPathSegment> flatBase = Segments(base);
    ASSERT_EQ(ProjectAxonometric(Art(base), kAxoLeftFace, &g->prefs.isoView), kNoErr);
    depth_object_data member;
    ASSERT_EQ(GetAxonometricData(Art(base), &member), kNoErr);
    member.type = kAxoCylinderBase;
    ASSERT_EQ(SetAxonometricData(Art(base), &member), kNoErr);
    depth_object_data bodyRecord;
    bodyRecord.type = kAxoCylinderBody;
    bodyRecord.face = kAxoLeftFace;
    ASSERT_EQ(SetAxonometricData(Art(body), &bodyRecord), kNoErr);
    const standin::ObjId cylinder = Group({base, body});
    depth_object_data group;
    group.type = kAxoCylinderGroup;
    group.face = kAxoLeftFace;
    ASSERT_EQ(SetAxonometricData(Art(cylinder), &group), kNoErr);

    // The body alone is never projected on its own.
    const std::vector<AIPathSegment> bodyBefore = Segments(body);
    ASSERT_EQ(ProjectAxonometric(Art(body), kAxoTopFace, &g->prefs.isoView), kNoErr);
    ExpectSegmentsNear(Segments(body), bodyBefore, 0, "body");

    ASSERT_EQ(invertAxonometricArt(Art(cylinder), &group), kNoErr);
    EXPECT_EQ(Record(cylinder), nullptr);
    EXPECT_FALSE(doc->isArt(body));
    EXPECT_EQ(Record(base), nullptr);
    EXPECT_EQ(doc->children(cylinder), std::vector<standin::ObjId>{base});
    ExpectSegmentsNear(Segments(base), flatBase, 2e-3, "base");
}

TEST_F(AxoTest, PointsMapBothWays) {
    depth_object_data d;
    const AIRealRect flat{10, 90, 70, 30};
    ASSERT_EQ(CalculateAxonometricData(&flat, kAxoTopFace, &d), kNoErr);
    const AIRealPoint p{25, 40};
    AIRealPoint projected{}, back{};
    EXPECT_EQ(projectAxonometricPoint(&d, &p, &projected), kNoErr);
    EXPECT_PT(projected, OnFace(g->prefs.isoView, kAxoTopFace, {70, 30}, p), 2e-3) << "projected";
    EXPECT_EQ(invertAxonometricPoint(&d, &projected, &back), kNoErr);
    EXPECT_PT(back, p, 2e-3) << "back";
    d.matrix = {0, 0, 0, 0, 1, 1};
    AIRealPoint untouched{-1, -2};
    EXPECT_EQ(invertAxonometricPoint(&d, &p, &untouched), kNoErr);
    EXPECT_EQ(untouched.h, -1);
    EXPECT_EQ(untouched.v, -2);
}

TEST_F(AxoTest, FaceCornersInsideTheArtboardOnly) {
    // The page is the largest artboard: 0 to 612 across, 0 to 792 up.
    for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
        depth_object_data d;
        const AIRealRect flat{100, 300, 172, 264};
        ASSERT_EQ(CalculateAxonometricData(&flat, face, &d), kNoErr);
        AIRealPoint p1 = XformRealPoint(d.matrix, {100, 300}), p2 = XformRealPoint(d.matrix, {172, 300});
        AIRealPoint p3 = XformRealPoint(d.matrix, {100, 264}), p4 = XformRealPoint(d.matrix, {172, 264});
        EXPECT_EQ(InvertIsometricBoundingCorners(&g->prefs.isoView, face, &p1, &p2, &p3, &p4), kNoErr);
        EXPECT_NEAR(p2.h - p1.h, 72, 2e-3);
        EXPECT_NEAR(p1.v - p3.v, 36, 2e-3);
    }
    // A flat rectangle reaching the artboard's left edge exactly.
    depth_object_data d;
    const AIRealRect atEdge{0, 300, 72, 264};
    ASSERT_EQ(CalculateAxonometricData(&atEdge, kAxoRightFace, &d), kNoErr);
    AIRealPoint p1 = XformRealPoint(d.matrix, {0, 300}), p2 = XformRealPoint(d.matrix, {72, 300});
    AIRealPoint p3 = XformRealPoint(d.matrix, {0, 264}), p4 = XformRealPoint(d.matrix, {72, 264});
    EXPECT_EQ(InvertIsometricBoundingCorners(&g->prefs.isoView, kAxoRightFace, &p1, &p2, &p3, &p4), kCantErr);
    EXPECT_EQ(p1.h, 0) << "the corners are rewritten all the same";
    EXPECT_EQ(InvertIsometricBoundingCorners(&g->prefs.isoView, kAxoNoFace, &p1, &p2, &p3, &p4), kCantErr);
}

TEST_F(AxoTest, TheMenuCommandsProjectAndFlattenTheSelection) {
    const standin::ObjId picked = Rect(0, 0, 40, 40), left = Rect(100, 0, 40, 40);
    const standin::ObjId a = Rect(200, 0, 10, 10), b = Rect(220, 0, 10, 10);
    const standin::ObjId whole = Group({a, b});
    const std::vector<AIPathSegment> flat = Segments(picked);
    doc->addLayer("Locked");
    const standin::ObjId onLocked = Rect(300, 0, 10, 10);
    ASSERT_EQ(doc->select(onLocked), kNoErr);
    ASSERT_EQ(doc->setLayerEditable("Locked", false), kNoErr);
    ASSERT_EQ(doc->select(picked), kNoErr);
    ASSERT_EQ(doc->select(whole), kNoErr);
    ASSERT_EQ(session->menu("Project Selection onto Left Face"), kNoErr) << session->lastError();
    EXPECT_EQ(Record(onLocked), nullptr) << "art of a locked layer stays as it is";
    EXPECT_NE(Record(picked), nullptr);
    EXPECT_EQ(Stored<int32_t>(picked, "ZA3_Axo_face"), kAxoLeftFace);
    EXPECT_NE(Record(whole), nullptr) << "a wholly selected group is projected as one";
    EXPECT_EQ(Record(a), nullptr);
    EXPECT_EQ(Record(left), nullptr);
    EXPECT_PT(Segments(picked)[0].p, OnFace(kIsometric, kAxoLeftFace, {40, 40}, flat[0].p), 2e-3) << "projected";

    // Flatten: the selected axonometric art only; the selection comes back with theTimer.
    ASSERT_EQ(session->menu("Project Selection onto Top Face"), kNoErr);
    doc->selectNone();
    ASSERT_EQ(doc->select(picked), kNoErr);
    ASSERT_EQ(session->menu("Flatten Axonometric Selection"), kNoErr) << session->lastError();
    EXPECT_EQ(Record(picked), nullptr);
    EXPECT_NE(Record(whole), nullptr);
    ExpectSegmentsNear(Segments(picked), flat, 2e-3, "flattened");
    session->ticks(20);
    EXPECT_TRUE(doc->readsSelected(picked));
}

TEST_F(AxoTest, AViewWhoseAxesCoincideChangesNothingAndSaysWhy) {
    const standin::ObjId flat = Rect(0, 0, 50, 80), projected = Rect(100, 0, 40, 40);
    ASSERT_EQ(ProjectAxonometric(Art(projected), kAxoLeftFace, &g->prefs.isoView), kNoErr);
    const std::vector<AIPathSegment> flatBefore = Segments(flat), projectedBefore = Segments(projected);
    const iso_view coincide = View(30, 30, 1, 1, 1, 35.26);
    auto told = [&] { return session->dialogs().alerts().empty() ? "" : session->dialogs().alerts().back().text; };
    const std::string kWhy = "The axonometric view cannot be used because its receding axes coincide, so nothing "
                             "was changed. Choose another view: receding axes at 30 and 30 degrees";

    // Read from a document: not taken.
    const standin::ObjId stored = doc->newDict();
    for (auto [key, value] : {std::pair{"ZA3_AxoView_a", coincide.a}, {"ZA3_AxoView_b", coincide.b},
                              {"ZA3_AxoView_c", 0.0f}, {"ZA3_AxoView_af", 1.0f}, {"ZA3_AxoView_bf", 1.0f},
                              {"ZA3_AxoView_cf", 1.0f}, {"ZA3_AxoView_r", 45.0f}, {"ZA3_AxoView_t", coincide.t}})
        doc->editDict(stored)->set(key, value);
    doc->editDict(doc->dictionaryOf(0))->set("ZA3_AxoView", standin::DictLink{stored});
    session->documentChanged(kAICurrentDocumentChangedNotifier);
    EXPECT_EQ(g->prefs.isoView.b, kIsometric.b);
    EXPECT_EQ(told(), kWhy);

    // Set, then used to project: nothing changed.
    g->prefs.isoView = coincide;
    ASSERT_EQ(doc->select(flat), kNoErr);
    EXPECT_EQ(session->menu("Project Selection onto Top Face"), kCADErr);
    EXPECT_EQ(UpdateAxonometricObjects(0, 0), kCADErr);  // nor is projected art flattened and projected again
    EXPECT_EQ(Record(flat), nullptr);
    ExpectSegmentsNear(Segments(flat), flatBefore, 0, "not projected");
    ExpectSegmentsNear(Segments(projected), projectedBefore, 0, "not flattened");
    EXPECT_EQ(told(), kWhy);
}

TEST_F(AxoTest, AFlattenCompletesWhatItCanAndNamesWhatItSkipped) {
    const standin::ObjId good = Rect(0, 0, 40, 40), collapsed = Rect(100, 0, 40, 40);
    for (standin::ObjId art : {good, collapsed})
        ASSERT_EQ(ProjectAxonometric(Art(art), kAxoRightFace, &g->prefs.isoView), kNoErr);
    // A record whose face was projected by a view with coinciding axes: a line, which no
    // flatten can turn back.
    depth_object_data d;
    ASSERT_EQ(GetAxonometricData(Art(collapsed), &d), kNoErr);
    d.matrix = {0.866f, 0.5f, 0.8660254f, 0.50000006f, 0, 0};
    ASSERT_EQ(SetAxonometricData(Art(collapsed), &d), kNoErr);
    const std::vector<AIPathSegment> kept = Segments(collapsed);
    doc->selectAll();
    EXPECT_EQ(session->menu("Flatten Axonometric Selection"), kNoErr);
    EXPECT_EQ(Record(good), nullptr);
    EXPECT_NE(Record(collapsed), nullptr);
    ExpectSegmentsNear(Segments(collapsed), kept, 0, "skipped");
    ASSERT_FALSE(session->dialogs().alerts().empty());
    EXPECT_EQ(session->dialogs().alerts().back().text,
              "These objects could not be flattened or projected and were left as they were: axonometric object " +
                  std::to_string(d.id));
}

TEST_F(AxoTest, APartlySelectedGroupIsEnteredDownToWhatIsSelected) {
    const standin::ObjId a = Rect(0, 0, 10, 10), b = Rect(20, 0, 10, 10), c = Rect(40, 0, 10, 10);
    const standin::ObjId inner = Group({a, b});
    const standin::ObjId outer = Group({inner, c});
    ASSERT_EQ(doc->select(a), kNoErr);
    ASSERT_EQ(session->menu("Project Selection onto Right Face"), kNoErr);
    EXPECT_NE(Record(a), nullptr);
    for (standin::ObjId other : {b, c, inner, outer}) EXPECT_EQ(Record(other), nullptr) << other;
}

TEST_F(AxoTest, ARecordProjectsEveryMemberOfItsGroupAndNotTheGroupsNextSibling) {
    const standin::ObjId after = Rect(300, 300, 40, 40);
    const standin::ObjId square = Rect(0, 0, 100, 100);
    const standin::ObjId inner = Rect(20, 20, 30, 30);
    const std::vector<AIPathSegment> flatSquare = Segments(square), flatInner = Segments(inner),
                                     flatAfter = Segments(after);
    const standin::ObjId group = Group({square, Group({inner})});
    AIArtHandle next = nullptr;
    ASSERT_EQ(sAIArt->GetArtSibling(Art(group), &next), kNoErr);
    ASSERT_EQ(next, Art(after)) << "the walk must have a sibling to stop before";
    depth_object_data d;
    const AIRealRect flat{0, 100, 100, 0};
    ASSERT_EQ(CalculateAxonometricData(&flat, kAxoLeftFace, &d), kNoErr);

    ASSERT_EQ(ProjectAxonometricFromData(Art(group), &d), kNoErr);
    // Every anchor of both members, the nested one included, turns about the face's pivot.
    for (auto [member, before] : {std::pair{square, &flatSquare}, std::pair{inner, &flatInner}}) {
        std::vector<AIPathSegment> want = *before;
        for (AIPathSegment& s : want) {
            s.p = OnFace(g->prefs.isoView, kAxoLeftFace, {100, 100}, s.p);
            s.in = OnFace(g->prefs.isoView, kAxoLeftFace, {100, 100}, s.in);
            s.out = OnFace(g->prefs.isoView, kAxoLeftFace, {100, 100}, s.out);
        }
        ExpectSegmentsNear(Segments(member), want, 2e-3, "member " + std::to_string(member));
    }
    ExpectSegmentsNear(Segments(after), flatAfter, 0, "the group's next sibling");
}

}  // namespace
}  // namespace axotest
