// The document following a change of view: re-projection of what may change, locked,
// hidden and dimension art left alone, the dimension regeneration asked for once, the
// selected-only flatten, failures that stop a layer or only one art, a document's own view
// taken up when it comes to the front or after an undo, its art left as it is; and the
// services on the record.
#include <set>

#include "AxoFixture.h"
#include "core/PlotwiseAlerts.h"
#include "axonometric/AxonometricProjection.h"
#include "axonometric/AxonometricUpdate.h"
#include "core/PlotwiseSelection.h"
#include "geometry/PlotwiseErrors.h"

namespace axotest {
namespace {

const iso_view kDimetric = View(7.0, 138.6, 0.5, 0.94, 0.94, 20);

struct Projected {
    standin::ObjId id;
    std::vector<AIPathSegment> flat;
    AIRealPoint pivot;  // left face, tilted up: the flat top-right corner
};

struct UpdateTest : AxoTest {
    // A 60 × 40 rectangle projected onto the left face of the current view.
    Projected LeftRect(AIReal x, AIReal y) {
        const standin::ObjId id = Rect(x, y, 60, 40);
        Projected p{id, Segments(id), {x + 60, y + 40}};
        EXPECT_EQ(ProjectAxonometric(Art(id), kAxoLeftFace, &g->prefs.isoView), kNoErr);
        return p;
    }
    void ExpectOnLeftFace(const Projected& p, const iso_view& v, const std::string& what) {
        const std::vector<AIPathSegment> now = Segments(p.id);
        ASSERT_EQ(now.size(), p.flat.size());
        for (size_t i = 0; i < now.size(); ++i)
            EXPECT_PT(now[i].p, OnFace(v, kAxoLeftFace, p.pivot, p.flat[i].p), 2e-3) << what;
    }
    // Dimensions in points with two decimals and no label, drawn on the current layer.
    static void PointDimensions() {
        auto& style = g->prefs.style;
        style.upperUnits = 0;
        style.upperDecimalPrecision = 2;
        style.appendUpperUnitLabels = 0;
        g->prefs.createDimensionLayer = 0;
    }
    std::string TextOf(standin::ObjId group) const {
        std::string s;
        doc->walk([&](const standin::Art& art, int) { s += readback::StoryText(art); }, group);
        return s;
    }
    // Presses the tool on `from`, drags to `to` and lets go there, after a click on `first`.
    void Dimension(const char* tool, AIRealPoint first, AIRealPoint from, AIRealPoint to) {
        ASSERT_EQ(session->selectTool(tool), kNoErr);
        ASSERT_EQ(session->click(first), kNoErr);
        ASSERT_EQ(session->mouseDown(from), kNoErr);
        ASSERT_EQ(session->mouseDrag(to), kNoErr);
        ASSERT_EQ(session->mouseUp(to), kNoErr);
    }
    bool TimerActive(AITimerHandle timer) {
        ASBoolean active = false;
        EXPECT_EQ(sAITimer->GetTimerActive(timer, &active), kNoErr);
        return active != 0;
    }
};

TEST_F(UpdateTest, AChangeOfViewReprojectsAllButLockedHiddenAndDimensionArt) {
    const Projected open = LeftRect(0, 0);
    const Projected inLocked = LeftRect(100, 0);
    const standin::ObjId locked = Group({inLocked.id});
    ASSERT_EQ(doc->setUserAttr(locked, kArtLocked, kArtLocked), kNoErr);
    const Projected hidden = LeftRect(200, 0);
    ASSERT_EQ(doc->setUserAttr(hidden.id, kArtHidden, kArtHidden), kNoErr);
    // A live dimension drawn on a face: its group holds both records.
    const Projected dimensionLine = LeftRect(300, 0);
    const standin::ObjId dimension = Group({dimensionLine.id});
    doc->editDict(doc->dictionaryOf(dimension))->set("ZA3_Dimension", int32_t{1});
    depth_object_data onFace;
    ASSERT_EQ(GetAxonometricData(Art(dimensionLine.id), &onFace), kNoErr);
    ASSERT_EQ(DeleteAxonometricData(Art(dimensionLine.id)), kNoErr);
    ASSERT_EQ(SetAxonometricData(Art(dimension), &onFace), kNoErr);
    const standin::ObjId plain = Rect(400, 0, 10, 10);
    const std::vector<AIPathSegment> plainBefore = Segments(plain);
    const std::vector<AIPathSegment> lockedBefore = Segments(inLocked.id), hiddenBefore = Segments(hidden.id);
    const std::vector<AIPathSegment> dimensionBefore = Segments(dimensionLine.id);
    const int32_t oldId = Stored<int32_t>(open.id, "ZA3_Axo_id");

    g->prefs.isoView = kDimetric;
    g->face = 0x1234;
    ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);

    ExpectOnLeftFace(open, kDimetric, "re-projected onto the new view");
    EXPECT_GT(Stored<int32_t>(open.id, "ZA3_Axo_id"), oldId);
    auto same = [&](standin::ObjId id, const std::vector<AIPathSegment>& before, const char* what) {
        const auto now = Segments(id);
        for (size_t i = 0; i < now.size(); ++i) EXPECT_PT(now[i].p, before[i].p, 0) << what;
    };
    same(inLocked.id, lockedBefore, "inside a locked group");
    same(hidden.id, hiddenBefore, "hidden");
    same(dimensionLine.id, dimensionBefore, "dimension");
    same(plain, plainBefore, "flat art");
    EXPECT_EQ(Record(plain), nullptr);
    // The update ended by regenerating the dimensions; this one, with no clicks to follow,
    // was kept as it is.
    EXPECT_EQ(g->dimensionsKept, 1);
    EXPECT_EQ(g->dimensionsRedrawn, 0);
    EXPECT_EQ(g->face, 0x1234);
    // The view the art now follows is stored in the document.
    iso_view stored{};
    int found = 0;
    ASSERT_EQ(GetDocumentIsoViewData(&stored, &found), kNoErr);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(stored.a, kDimetric.a);
    EXPECT_EQ(stored.af, kDimetric.af);
}

TEST_F(UpdateTest, WithoutDimensionsNoRegenerationIsAskedFor) {
    LeftRect(0, 0);
    g->dimensionsKept = g->dimensionsRedrawn = -1;  // what a regeneration would reset
    ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);
    EXPECT_EQ(g->dimensionsKept, -1);
    EXPECT_EQ(g->dimensionsRedrawn, -1);
}

TEST_F(UpdateTest, AnAxonometricDimensionIsRedrawnOnItsFaceInTheNewView) {
    PointDimensions();
    const Projected face = LeftRect(0, 0);
    depth_object_data record;
    ASSERT_EQ(GetAxonometricData(Art(face.id), &record), kNoErr);
    // Two anchors of one flat edge, 60 apart across the face, and a drag 20 beyond it.
    size_t a = 0, b = 0;
    for (size_t i = 0; i < face.flat.size(); ++i)
        for (size_t j = 0; j < face.flat.size(); ++j)
            if (face.flat[i].p.v == face.flat[j].p.v && face.flat[j].p.h - face.flat[i].p.h == 60) a = i, b = j;
    const auto anchors = Segments(face.id);
    const AIRealPoint flatDrag{face.flat[a].p.h + 30, face.flat[a].p.v + 20};
    AIRealPoint drag{};
    ASSERT_EQ(projectAxonometricPoint(&record, &flatDrag, &drag), kNoErr);
    Dimension("Axonometric Horizontal Dimension", anchors[a].p, anchors[b].p, drag);
    auto dimensions = [&] {
        std::vector<standin::ObjId> out;
        doc->walk([&](const standin::Art& art, int) {
            if (art.type == kGroupArt && !art.isLayerGroup() && IsAxonometricArt(Art(art.id))) out.push_back(art.id);
        });
        return out;
    };
    ASSERT_EQ(dimensions().size(), 1u);
    const standin::ObjId before = dimensions()[0];
    EXPECT_EQ(TextOf(before), "60.00");

    g->prefs.isoView = kDimetric;
    ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);
    ExpectOnLeftFace(face, kDimetric, "the measured face");
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    ASSERT_EQ(dimensions().size(), 1u);
    const standin::ObjId after = dimensions()[0];
    EXPECT_NE(after, before);
    EXPECT_FALSE(doc->isArt(before));
    EXPECT_EQ(TextOf(after), "60.00");  // the flat length, whatever the view
    // Drawn on the face as it is now: the dimension's record is the face's new projection.
    depth_object_data onFace, dimension;
    ASSERT_EQ(GetAxonometricData(Art(face.id), &onFace), kNoErr);
    ASSERT_EQ(GetAxonometricData(Art(after), &dimension), kNoErr);
    EXPECT_NEAR(dimension.matrix.a, onFace.matrix.a, 1e-5);
    EXPECT_NEAR(dimension.matrix.b, onFace.matrix.b, 1e-5);
}

TEST_F(UpdateTest, AFlatDimensionOfReprojectedArtFollowsItAndNoOtherIsRedrawn) {
    PointDimensions();
    // The right side of the face stays upright through the pivot at h 60: 40 long, then
    // 40 x 0.94 = 37.6 in the new view. A flat rectangle's right side is 30 long.
    const Projected face = LeftRect(0, 0);
    Rect(200, 0, 50, 30);
    std::vector<AIRealPoint> side;
    for (const AIPathSegment& s : Segments(face.id))
        if (std::fabs(s.p.h - 60) < 1e-3f) side.push_back(s.p);
    ASSERT_EQ(side.size(), 2u);
    Dimension("Vertical Dimension", side[0], side[1], {80, 20});
    Dimension("Vertical Dimension", {250, 0}, {250, 30}, {270, 15});
    auto texts = [&] {
        std::multiset<std::string> out;
        doc->walk([&](const standin::Art& art, int) {
            if (art.type == kGroupArt && !art.isLayerGroup()) out.insert(TextOf(art.id));
        });
        return out;
    };
    ASSERT_EQ(texts(), (std::multiset<std::string>{"40.00", "30.00"}));

    g->prefs.isoView = kDimetric;
    ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);
    EXPECT_EQ(texts(), (std::multiset<std::string>{"37.60", "30.00"}));
    EXPECT_EQ(g->dimensionsRedrawn, 1);
}

TEST_F(UpdateTest, FlattenOnlyTouchesTheSelectionWhichComesBack) {
    const Projected picked = LeftRect(0, 0), other = LeftRect(100, 0);
    ASSERT_EQ(doc->select(picked.id), kNoErr);
    ASSERT_EQ(UpdateAxonometricObjects(1, 1), kNoErr);
    EXPECT_EQ(Record(picked.id), nullptr);
    const auto now = Segments(picked.id);
    for (size_t i = 0; i < now.size(); ++i) EXPECT_PT(now[i].p, picked.flat[i].p, 2e-3) << "flattened";
    EXPECT_NE(Record(other.id), nullptr);
    ExpectOnLeftFace(other, kIsometric, "unselected stays projected");
    EXPECT_TRUE(TimerActive(g->theTimer));
    doc->selectNone();
    session->ticks(10);
    EXPECT_TRUE(doc->readsSelected(picked.id));
    EXPECT_FALSE(doc->readsSelected(other.id));
}

TEST_F(UpdateTest, AFailingLayerStopsTheUpdateButTheSelectionIsStillRestored) {
    // Layers in index order: "Top" (updated), "Broken" (fails), "Layer 1" (not reached).
    const Projected below = LeftRect(0, 0);
    doc->addLayer("Broken");
    const Projected broken = LeftRect(100, 0);
    doc->editDict(std::get<standin::DictLink>(*doc->dict(doc->art(broken.id)->dictionary)->find("ZA3_Axonometric")).id)
        ->erase("ZA3_Axo_state");
    doc->addLayer("Top");
    const Projected above = LeftRect(200, 0);
    ASSERT_EQ(doc->select(below.id), kNoErr);

    g->prefs.isoView = kDimetric;
    EXPECT_EQ(UpdateAxonometricObjects(0, 0), kNoSuchKey);
    ExpectOnLeftFace(above, kDimetric, "the layer before the failure");
    ExpectOnLeftFace(below, kIsometric, "the layer after it");
    // The tagged selection is not left behind: theTimer brings it back and takes the tags.
    EXPECT_TRUE(TimerActive(g->theTimer));
    doc->selectNone();
    session->ticks(10);
    EXPECT_TRUE(doc->readsSelected(below.id));
    EXPECT_TRUE(doc->art(below.id)->tags.empty());
    EXPECT_EQ(g->selectionTagged, 0);
}

TEST_F(UpdateTest, AnArtThatCannotBeProjectedIsReportedAndTheRestFollows) {
    const Projected first = LeftRect(0, 0);
    const standin::ObjId faceless = Rect(100, 0, 10, 10);
    depth_object_data d;
    d.type = kAxoFaceArt;
    d.face = kAxoNoFace;
    ASSERT_EQ(SetAxonometricData(Art(faceless), &d), kNoErr);
    // One whose pivot would lie far past the canvas.
    const Projected faraway = LeftRect(100, 100);
    depth_object_data far;
    ASSERT_EQ(GetAxonometricData(Art(faraway.id), &far), kNoErr);
    far.id = 77;
    far.offset.h = 3e38f;
    ASSERT_EQ(SetAxonometricData(Art(faraway.id), &far), kNoErr);
    const Projected last = LeftRect(200, 0);
    g->prefs.isoView = kDimetric;
    EXPECT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);  // the art left as it was is named
    ExpectOnLeftFace(first, kDimetric, "before the faceless art");
    ExpectOnLeftFace(faraway, kIsometric, "the art whose pivot is too far");
    ExpectOnLeftFace(last, kDimetric, "after it");
    ShowNotesForUser();
    ASSERT_FALSE(session->dialogs().alerts().empty());
    EXPECT_NE(session->dialogs().alerts().back().text.find("axonometric object 0"), std::string::npos);
    EXPECT_NE(session->dialogs().alerts().back().text.find("axonometric object 77"), std::string::npos);
}

TEST_F(UpdateTest, WithoutADocumentNothingHappens) {
    ASSERT_EQ(session->closeDocument(), kNoErr);
    EXPECT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);
}

TEST_F(UpdateTest, ADocumentWithItsOwnViewBringsItToTheFrontAndItsArtStays) {
    const Projected art = LeftRect(0, 0);
    standin::Document& first = *doc;
    // Another document in front, without a view of its own: the preferences' view stays.
    session->newDocument();
    EXPECT_EQ(g->prefs.isoView.a, kIsometric.a);
    // The first document comes back carrying a view of its own (not the one its art was
    // projected with): the view becomes current, and the art is where it was; the
    // subsystems after this one follow the document all the same.
    const standin::ObjId view = first.newDict();
    for (auto [key, value] : {std::pair{"ZA3_AxoView_a", kDimetric.a}, {"ZA3_AxoView_b", kDimetric.b},
                              {"ZA3_AxoView_c", 0.0f}, {"ZA3_AxoView_af", kDimetric.af}, {"ZA3_AxoView_bf", kDimetric.bf},
                              {"ZA3_AxoView_cf", kDimetric.cf}, {"ZA3_AxoView_r", 45.0f}, {"ZA3_AxoView_t", kDimetric.t}})
        first.editDict(view)->set(key, value);
    first.editDict(first.state().dictionary)->set("ZA3_AxoView", standin::DictLink{view});
    const int32_t id = Stored<int32_t>(art.id, "ZA3_Axo_id");
    spy.documentChanges = 0;
    session->setFrontDocument(first);
    doc = &first;
    EXPECT_EQ(spy.documentChanges, 1);
    EXPECT_EQ(g->prefs.isoView.b, kDimetric.b);
    EXPECT_EQ(g->prefs.isoView.cf, kDimetric.cf);
    ExpectOnLeftFace(art, kIsometric, "after the document came to the front");
    EXPECT_EQ(Stored<int32_t>(art.id, "ZA3_Axo_id"), id);
}

TEST_F(UpdateTest, AfterAnUndoTheDocumentsViewIsTakenUpAgain) {
    g->prefs.isoView = kDimetric;
    const Projected art = LeftRect(0, 0);
    ASSERT_EQ(SetDocumentIsoViewData(&kDimetric), kNoErr);
    g->prefs.isoView = kIsometric;  // as if another document's view had been taken meanwhile
    session->notify(kAIAfterUndoNotifier);
    EXPECT_EQ(g->prefs.isoView.a, kDimetric.a);
    ExpectOnLeftFace(art, kDimetric, "after undo");
}

TEST_F(UpdateTest, AnUndoThatLeavesTheViewAsItWasChangesNothing) {
    const Projected art = LeftRect(0, 0);
    ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);  // the view goes into the document
    const int32_t id = Stored<int32_t>(art.id, "ZA3_Axo_id");
    const int32_t next = g->depthObjNum;
    session->notify(kAIAfterUndoNotifier);
    EXPECT_EQ(Stored<int32_t>(art.id, "ZA3_Axo_id"), id);
    EXPECT_EQ(g->depthObjNum, next);
}

TEST_F(UpdateTest, TheRecordOfARectangle) {
    const AIRealRect r{10, 50, 20, 30};  // 10 wide, 20 high
    for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
        depth_object_data d;
        const int32_t id = g->depthObjNum;
        ASSERT_EQ(CalculateAxonometricData(&r, face, &d), kNoErr);
        EXPECT_EQ(d.id, id);
        EXPECT_EQ(d.type, kAxoFaceArt);
        EXPECT_EQ(d.face, face);
        EXPECT_EQ(d.area, 200);
        EXPECT_EQ(d.perimeter, 60);
        EXPECT_EQ(d.flatSize.h, 10);
        EXPECT_EQ(d.flatSize.v, 20);
        EXPECT_EQ(d.axoSize.h, 0);
        EXPECT_EQ(d.state, 0);
        // offset = pivot minus the image of the top-left corner.
        const AIRealPoint pivot = face == kAxoLeftFace ? AIRealPoint{20, 50}
                                  : face == kAxoRightFace ? AIRealPoint{10, 50}
                                                          : AIRealPoint{20, 30};
        const AIRealPoint corner = OnFace(kIsometric, face, pivot, {10, 50});
        EXPECT_NEAR(d.offset.h, pivot.h - corner.h, 2e-3);
        EXPECT_NEAR(d.offset.v, pivot.v - corner.v, 2e-3);
    }
    depth_object_data untouched;
    untouched.id = -3;
    const int32_t next = g->depthObjNum;
    EXPECT_EQ(CalculateAxonometricData(&r, kAxoNoFace, &untouched), kCADErr);
    EXPECT_EQ(untouched.id, -3);
    EXPECT_EQ(g->depthObjNum, next);
}

TEST_F(UpdateTest, FlatBoundsByRecordAreTheBoundsBeforeProjection) {
    for (const iso_view* view : {&kIsometric, &kIsometricBelow, &kDimetric}) {
        g->prefs.isoView = *view;
        for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
            const standin::ObjId art = Ellipse(50, 80, 72, 36);
            const AIRealRect flat = Bounds(art);
            ASSERT_EQ(ProjectAxonometric(Art(art), face, view), kNoErr);
            AIRealRect byRecord{};
            const int32_t id = Stored<int32_t>(art, "ZA3_Axo_id");
            ASSERT_EQ(getFlatBoundsRectFromDictionary(Art(art), &byRecord), kNoErr);
            EXPECT_NEAR(byRecord.left, flat.left, 2e-3) << face;
            EXPECT_NEAR(byRecord.top, flat.top, 2e-3) << face;
            EXPECT_NEAR(byRecord.right, flat.right, 2e-3) << face;
            EXPECT_NEAR(byRecord.bottom, flat.bottom, 2e-3) << face;
            EXPECT_EQ(Stored<int32_t>(art, "ZA3_Axo_id"), id) << "measured as it lies";
        }
    }
    AIRealRect untouched{1, 2, 3, 4};
    EXPECT_EQ(getFlatBoundsRectFromDictionary(Art(Rect(0, 0, 5, 5)), &untouched), kNoErr);
    EXPECT_EQ(untouched.left, 1) << "art without a record has no flat bounds";
}

TEST_F(UpdateTest, ArtReshapedByHandIsToldFromArtOnlyMoved) {
    const Projected art = LeftRect(0, 0);
    EXPECT_EQ(AxoArtModified(Art(art.id)), 0);
    const AIRealMatrix move{1, 0, 0, 1, 25, 40};
    ASSERT_EQ(sAITransformArt->TransformArt(Art(art.id), &move, 1, kTransformObjects), kNoErr);
    EXPECT_EQ(AxoArtModified(Art(art.id)), 0);
    const AIRealMatrix stretch{1.01f, 0, 0, 1, 0, 0};
    ASSERT_EQ(sAITransformArt->TransformArt(Art(art.id), &stretch, 1, kTransformObjects), kNoErr);
    EXPECT_EQ(AxoArtModified(Art(art.id)), 1);
}

}  // namespace
}  // namespace axotest
