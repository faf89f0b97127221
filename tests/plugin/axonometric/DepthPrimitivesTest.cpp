// The depth cube and cylinder drawn as a drafter draws them (a drag, cursor moves, a
// click): the cube's three faces meeting at one corner and reaching the cursor, or a point
// past the first face when the cursor is on its wrong side; the tags and timer that select
// the new primitive; the cylinder's tangent points against those of the ellipse worked out
// in closed form, its body of eight smooth anchors and stored flat length, and its rebuild
// when the view changes (and back, and onto another face, on the side it was drawn on, as
// drawn when its records or the document's view record are damaged), a view that cannot
// rebuild it leaving it whole.
#include <algorithm>

#include "AxoFixture.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "axonometric/AxonometricUpdate.h"
#include "axonometric/CylinderBody.h"
#include "axonometric/DepthPrimitives.h"
#include "adm/DialogManager.h"
#include "core/PlotwiseAlerts.h"
#include "DrawingDifferences.h"

namespace axotest {
namespace {

double Distance(AIRealPoint a, AIRealPoint b) { return std::hypot(a.h - b.h, a.v - b.v); }

struct PrimitiveTest : AxoTest {
    // The first stage, a drag from `from` to `to`, then the cursor through `moves`, the
    // last one clicked unless `keep` is false.
    void Draw(const char* tool, AIRealPoint from, AIRealPoint to, std::vector<AIRealPoint> moves, uint32_t keys = 0,
              bool keep = true) {
        ASSERT_EQ(session->selectTool(tool), kNoErr);
        ASSERT_EQ(session->mouseDown(from, keys), kNoErr);
        ASSERT_EQ(session->mouseDrag({from.h + 6, from.v - 9}, keys), kNoErr);
        ASSERT_EQ(session->mouseDrag(to, keys), kNoErr);
        ASSERT_EQ(session->mouseUp(to, keys), kNoErr);
        for (AIRealPoint m : moves) ASSERT_EQ(session->trackCursor(m, keys), kNoErr);
        if (keep) {
            ASSERT_EQ(session->click(moves.back(), keys), kNoErr);
        }
    }
    // The groups below the layers, newest last.
    std::vector<standin::ObjId> Groups() const {
        std::vector<standin::ObjId> out;
        doc->walk([&](const standin::Art& a, int) {
            if (a.type == kGroupArt && !a.layer) out.push_back(a.id);
        });
        std::sort(out.begin(), out.end());
        return out;
    }
    standin::ObjId Newest() const { return Groups().empty() ? 0 : Groups().back(); }
    int32_t Type(standin::ObjId id) const { return Record(id) ? Stored<int32_t>(id, "ZA3_Axo_type") : 0; }
    int32_t Face(standin::ObjId id) const { return Stored<int32_t>(id, "ZA3_Axo_face"); }
    // The member of the group whose record has the type.
    standin::ObjId Member(standin::ObjId group, int32_t type) const {
        for (standin::ObjId c : doc->children(group))
            if (Type(c) == type) return c;
        return 0;
    }
    size_t AlertCount() { return session->dialogs().alerts().size(); }
};

// --- the cube ---

TEST_F(PrimitiveTest, TheCubesFacesMeetAtOneCornerAndReachTheCursor) {
    // The extent is the second face's farthest anchor across (h) or down (v) from its
    // first face: at the cursor, or a point past the first face's edge when the cursor lies
    // on its wrong side.
    const struct {
        const char* what;
        uint32_t keys;
        iso_view view;
        AIRealPoint from, to, cursor;
        int32_t secondFace;
        bool across, farthestIsMax;
        double extent;  // NaN: a point past the first face
    } cases[] = {
        {"left face, pulled right", 0, kIsometric, {200, 300}, {260, 240}, {330, 260}, kAxoRightFace, true, true, 330},
        {"left face, cursor behind it", 0, kIsometric, {200, 300}, {260, 240}, {230, 260}, kAxoRightFace, true, true,
         NAN},
        {"left face, seen from below", 0, kIsometricBelow, {200, 300}, {260, 360}, {330, 300}, kAxoRightFace, true,
         true, 330},
        {"right face, pulled left", aiEventModifiers_Command, kIsometric, {300, 300}, {360, 360}, {220, 300},
         kAxoLeftFace, true, false, 220},
        {"top face, pulled down", aiEventModifiers_Option, kIsometric, {300, 300}, {380, 310}, {300, 200},
         kAxoLeftFace, false, false, 200},
        {"top face, cursor above it", aiEventModifiers_Option, kIsometric, {300, 300}, {380, 310}, {300, 400},
         kAxoLeftFace, false, false, NAN},
    };
    for (const auto& c : cases) {
        g->prefs.isoView = c.view;
        // Shift changes no face of a cube; the cursor wanders before it settles.
        Draw("Depth Cube", c.from, c.to, {{c.cursor.h + 40, c.cursor.v + 3}, c.cursor},
             c.keys | aiEventModifiers_Shift);
        const standin::ObjId group = Newest();
        const auto faces = doc->children(group);
        ASSERT_EQ(faces.size(), 3u) << c.what;
        std::vector<int32_t> codes;
        for (standin::ObjId f : faces) codes.push_back(Face(f));
        std::vector<int32_t> sorted = codes;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (std::vector<int32_t>{kAxoLeftFace, kAxoRightFace, kAxoTopFace})) << c.what;
        // The first face is uppermost.
        EXPECT_EQ(codes[0], c.keys & aiEventModifiers_Option ? kAxoTopFace
                            : c.keys & aiEventModifiers_Command ? kAxoRightFace : kAxoLeftFace) << c.what;

        const auto first = Segments(faces[0]), second = Segments(faces[1]), third = Segments(faces[2]);
        ASSERT_EQ(codes[1], c.secondFace) << c.what;
        auto holds = [](const std::vector<AIPathSegment>& face, AIRealPoint p) {
            const auto at = [&](const AIPathSegment& q) { return Distance(p, q.p) < 2e-3; };
            return std::any_of(face.begin(), face.end(), at);
        };
        int common = 0;
        for (const AIPathSegment& a : first) common += holds(second, a.p) && holds(third, a.p);
        EXPECT_EQ(common, 1) << c.what << ": the three faces share one corner";

        auto farthest = [&](const std::vector<AIPathSegment>& face) {
            double e = c.farthestIsMax ? -1e9 : 1e9;
            for (const AIPathSegment& a : face) {
                const double x = c.across ? a.p.h : a.p.v;
                e = c.farthestIsMax ? std::max(e, x) : std::min(e, x);
            }
            return e;
        };
        const double firstEdge = farthest(first);
        const double want = std::isnan(c.extent) ? firstEdge + (c.farthestIsMax ? 1 : -1) : c.extent;
        EXPECT_NEAR(farthest(second), want, 2e-3) << c.what;
        EXPECT_TRUE(session->dialogs().failures().empty()) << c.what << ": the keeping click opened no dialog";
        ASSERT_EQ(doc->disposeArt(group), kNoErr);
    }
}

TEST_F(PrimitiveTest, ANewPrimitiveIsTaggedThenSelectedByItsTimer) {
    Draw("Depth Cube", {200, 300}, {260, 240}, {{300, 250}, {310, 250}, {320, 250}, {330, 250}, {340, 250}}, 0,
         false);
    const standin::ObjId group = Newest();
    ASSERT_EQ(doc->children(group).size(), 3u) << "every move redraws the two faces it adds";
    for (standin::ObjId id : doc->children(group)) EXPECT_TRUE(Tagged(id, kPrimitiveSelectedDragTag));
    session->ticks(6);
    EXPECT_FALSE(Tagged(group, kPrimitiveSelectedDragTag));
    EXPECT_TRUE(doc->art(group)->attrs & kArtSelected);
    // Saved before its timers: the drawing written holds none of their tags.
    Draw("Depth Cube", {400, 300}, {460, 240}, {{500, 250}}, 0, false);
    std::string written;
    ASSERT_EQ(session->saveDocument([&] { return written = drawingdiff::Listing(*doc), kNoErr; }), kNoErr);
    EXPECT_EQ(written.find("tag \"ZMK_"), std::string::npos) << written;
    EXPECT_TRUE(doc->art(Newest())->attrs & kArtSelected);
}

TEST_F(PrimitiveTest, AnotherToolEndsTheDrawingAndLeavesThePrimitiveAlone) {
    Draw("Depth Cube", {200, 300}, {260, 240}, {{320, 250}}, 0, false);
    const standin::ObjId cube = Newest();
    const auto faces = doc->children(cube);
    ASSERT_EQ(faces.size(), 3u);
    ASSERT_EQ(session->selectTool("Depth Cylinder"), kNoErr);
    ASSERT_EQ(session->trackCursor({350, 250}), kNoErr);
    EXPECT_EQ(doc->children(cube), faces);
    EXPECT_EQ(Newest(), cube) << "nothing drawn by the cursor alone";
}

// The layer locked or hidden while the depth is pulled out: the cursor's move, or the click
// where there was none, is refused in words, and the shape stays as it stood, in the first
// stage's step of undo.
TEST_F(PrimitiveTest, ALayerClosedBetweenTheStagesIsNamedAndTheShapeStays) {
    const struct {
        const char* tool;
        bool lock, moved;  // else hidden; else no move before the click
    } rows[] = {{"Depth Cube", true, true}, {"Depth Cube", true, false}, {"Depth Cylinder", false, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tool);
        const std::string start = drawingdiff::Listing(*doc);
        std::vector<AIRealPoint> moves;
        if (r.moved) moves.push_back({320, 250});
        Draw(r.tool, {200, 300}, {260, 240}, moves, 0, false);
        ASSERT_EQ(session->hostEvent([&] {
            return r.lock ? doc->setLayerEditable("Layer 1", false) : doc->setLayerVisible("Layer 1", false);
        }), kNoErr);
        const std::string stood = drawingdiff::Listing(*doc);
        const size_t alerts = AlertCount(), steps = doc->journal().undoDepth();
        EXPECT_EQ(r.moved ? session->trackCursor({340, 260}) : session->click({340, 260}), r.moved ? kNoErr : kCADErr);
        (void)session->trackCursor({350, 260});  // the drawing has ended
        ASSERT_EQ(AlertCount(), alerts + 1);
        EXPECT_EQ(session->dialogs().alerts().back().text,
                  "\"" + std::string(r.tool) + "\": the current layer \"Layer 1\" is " +
                      (r.lock ? "locked (unlock it first)." : "hidden (show it first)."));
        // What the shape's timer held back (its selection) may be done meanwhile.
        EXPECT_EQ(drawingdiff::FirstLineApart(drawingdiff::WithoutSelection(stood),
                                              drawingdiff::WithoutSelection(drawingdiff::Listing(*doc))),
                  "");
        EXPECT_EQ(doc->journal().undoDepth(), steps);
        ASSERT_TRUE(session->userUndo() && session->userUndo());  // the layer, then the whole shape
        EXPECT_EQ(drawingdiff::FirstLineApart(start, drawingdiff::Listing(*doc)), "");
    }
}

// --- the cylinder ---

// An ellipse 80 by 40 projected onto the face, its centre C and the images U and V of its
// semi-axes worked out with the view's axes; the tangent points along w are C + U cos f +
// V sin f at f = atan2(V x w, U x w) and f + pi.
TEST_F(PrimitiveTest, TangentPointsAreThoseOfTheProjectedEllipse) {
    for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
        const standin::ObjId e = Ellipse(100, 200, 80, 40);
        ASSERT_EQ(ProjectAxonometric(Art(e), face, &g->prefs.isoView), kNoErr);
        const iso_view& v = g->prefs.isoView;
        const AIRealPoint o{0, 0};
        const AIRealPoint u = OnFace(v, face, o, {40, 0}), w = OnFace(v, face, o, {0, 20});
        const auto segs = Segments(e);
        const AIRealPoint centre{(segs[0].p.h + segs[2].p.h) / 2, (segs[0].p.v + segs[2].p.v) / 2};
        const double angle = face == kAxoLeftFace ? v.b : face == kAxoRightFace ? v.a : kPi / 2;
        const double dh = std::cos(angle), dv = std::sin(angle);
        const double f = std::atan2(w.h * dv - w.v * dh, u.h * dv - u.v * dh);
        auto at = [&](double phi) {
            return AIRealPoint{static_cast<AIReal>(centre.h + u.h * std::cos(phi) + w.h * std::sin(phi)),
                               static_cast<AIReal>(centre.v + u.v * std::cos(phi) + w.v * std::sin(phi))};
        };
        AIRealPoint found{};
        ASSERT_EQ(GetFirstParallelTangent(Art(e), static_cast<AIReal>(angle), &found), kNoErr);
        // Within a degree of direction, along a curve of this size.
        EXPECT_LT(std::min(Distance(found, at(f)), Distance(found, at(f + kPi))), 2.0) << "face " << face;
        ASSERT_EQ(doc->disposeArt(e), kNoErr);
    }
}

TEST_F(PrimitiveTest, ABaseWithoutSideLinesSaysSoAndEndsTheDrawing) {
    // A square's sides run level and upright only: nothing along the left face's axis.
    g->depthArt = Art(Rect(100, 200, 50, 50));
    g->drawingPrimitive = 1;
    g->firstMouseNotYetUp = 0;
    AIArtHandle body = nullptr;
    AIRealPoint reference{};
    const size_t alerts = AlertCount();
    EXPECT_EQ(MakeParallelCylinderFromBase(g->depthArt, g->prefs.isoView.a, &reference, &body), kNoErr);
    EXPECT_EQ(body, nullptr);
    EXPECT_EQ(AlertCount(), alerts + 1);
    EXPECT_EQ(g->depthArt, nullptr) << "the base is taken away";
    EXPECT_EQ(g->firstMouseNotYetUp, 1);
    EXPECT_EQ(g->drawingPrimitive, 0);
}

struct CylinderTest : PrimitiveTest {
    standin::ObjId group = 0, base = 0, body = 0;
    // A cylinder on the left face pulled right to x = 380, with af 0.8 so that the flat
    // length differs from the drawn one.
    void SetUp() override {
        PrimitiveTest::SetUp();
        g->prefs.isoView.af = 0.8f;
        Draw("Depth Cylinder", {200, 300}, {260, 240}, {{330, 250}, {380, 250}});
        Find();
    }
    void Find() {
        group = Newest();
        base = Member(group, kAxoCylinderBase);
        body = Member(group, kAxoCylinderBody);
    }
    // The body's offset: its anchor 1 from anchor 0.
    AIRealPoint Offset() const {
        const auto s = Segments(body);
        return {s[1].p.h - s[0].p.h, s[1].p.v - s[0].p.v};
    }
};

TEST_F(CylinderTest, ItsBodyRunsAlongTheAxisToTheCursorAndKeepsItsFlatLength) {
    ASSERT_NE(body, 0u);
    EXPECT_EQ(Type(group), kAxoCylinderGroup);
    EXPECT_EQ(doc->children(group), (std::vector<standin::ObjId>{base, body})) << "the base in front";
    EXPECT_EQ(Face(body), kAxoRightFace);
    const auto s = Segments(body);
    ASSERT_EQ(s.size(), 8u);
    EXPECT_TRUE(doc->art(body)->closed);
    EXPECT_TRUE(std::none_of(s.begin(), s.end(), [](const AIPathSegment& a) { return a.corner; }));
    const AIRealPoint o = Offset();
    EXPECT_NEAR(std::atan2(o.v, o.h), g->prefs.isoView.a, 1e-4);
    // The length runs from the base's point with a tangent along its face's other edge
    // (b) to the cursor's vertical.
    AIRealPoint t{};
    ASSERT_EQ(GetFirstParallelTangent(Art(base), g->prefs.isoView.b, &t), kNoErr);
    EXPECT_NEAR(t.h + o.h, 380, 2e-3);
    EXPECT_NEAR(Stored<AIReal>(body, "ZA3_Axo_offset_h"), std::hypot(o.h, o.v) / 0.8, 2e-3);
    // The side lines touch the base where its tangent runs along the axis.
    ASSERT_EQ(GetFirstParallelTangent(Art(base), g->prefs.isoView.a, &t), kNoErr);
    EXPECT_LT(std::min(Distance(t, s[0].p), Distance(t, s[5].p)), 2.0);
}

TEST_F(CylinderTest, AChangeOfViewAndBackRestoresItKeepingStyleAndEntries) {
    const AIReal length = Stored<AIReal>(body, "ZA3_Axo_offset_h");
    const auto before = Segments(body);
    AIPathStyle style = doc->art(body)->style;
    style.stroke.width = 3;
    ASSERT_EQ(sAIPathStyle->SetPathStyle(Art(body), &style), kNoErr);
    AIDictionaryRef dict = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(Art(body), &dict), kNoErr);
    ASSERT_EQ(sAIDictionary->SetIntegerEntry(dict, sAIDictionary->Key("Note"), 7), kNoErr);
    sAIDictionary->Release(dict);

    const iso_view original = g->prefs.isoView;
    g->prefs.isoView = View(40, 160, 0.9, 0.7, 0.95, 30);
    ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);
    Find();
    ASSERT_NE(body, 0u);
    EXPECT_NEAR(Stored<AIReal>(body, "ZA3_Axo_offset_h"), length, 1e-3);
    const AIRealPoint o = Offset();
    EXPECT_NEAR(std::hypot(o.h, o.v), length * 0.9, 1e-2) << "the flat length along the new axis";
    EXPECT_NEAR(std::atan2(o.v, o.h), 40 * kPi / 180, 1e-4);

    g->prefs.isoView = original;
    ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);
    Find();
    ASSERT_NE(body, 0u);
    const auto after = Segments(body);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) EXPECT_PT(after[i].p, before[i].p, 2e-2) << "anchor " + std::to_string(i);
    EXPECT_EQ(doc->art(body)->style.stroke.width, 3);
    const standin::Dict* d = doc->dict(doc->art(body)->dictionary);
    const standin::DictValue* note = d ? d->find("Note") : nullptr;
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(std::get<int32_t>(*note), 7);
}

TEST_F(CylinderTest, ProjectedOntoAnotherFaceItTakesThatFacesAxis) {
    ASSERT_EQ(UpdateAxoCylinder(Art(group), kAxoRightFace), kNoErr);
    Find();
    ASSERT_NE(body, 0u);
    EXPECT_EQ(Face(base), kAxoRightFace);
    EXPECT_EQ(Face(body), kAxoLeftFace);
    const AIRealPoint o = Offset();
    EXPECT_NEAR(std::atan2(o.v, o.h), g->prefs.isoView.b, 1e-4);
}

// A top-face cylinder stays on the side of its base it was pulled to, whatever view comes
// next: pulled up (a drum stood on a block) it stays up, pulled down it stays down, seen
// from below too. One stored before its side was kept is rebuilt as it always was: down
// while the view looks from above, up while it looks from below.
TEST_F(PrimitiveTest, ATopFaceCylinderKeepsItsSideThroughAChangeOfView) {
    const struct {
        const char* what;
        AIReal pulledTo;  // the cursor's v; the reference point lies near 300
        bool sideStored;
        iso_view next;
        bool up;
    } rows[] = {
        {"pulled up", 400, true, View(40, 160, 0.9, 0.7, 0.95, 30), true},
        {"pulled up, seen from below", 400, true, kIsometricBelow, true},
        {"pulled down", 200, true, View(40, 160, 0.9, 0.7, 0.95, 30), false},
        {"pulled down, seen from below", 200, true, kIsometricBelow, false},
        {"pulled up, stored without its side", 400, false, View(40, 160, 0.9, 0.7, 0.95, 30), false},
        {"pulled down, stored without its side, seen from below", 200, false, kIsometricBelow, true},
    };
    for (const auto& r : rows) {
        g->prefs.isoView = kIsometric;
        Draw("Depth Cylinder", {300, 300}, {380, 310}, {{300, r.pulledTo}}, aiEventModifiers_Option);
        const standin::ObjId group = Newest();
        const standin::ObjId drawn = Member(group, kAxoCylinderBody);
        ASSERT_NE(drawn, 0u) << r.what;
        if (!r.sideStored) {
            const standin::DictValue* record = doc->dict(doc->art(drawn)->dictionary)->find("ZA3_Axonometric");
            doc->editDict(std::get<standin::DictLink>(*record).id)->erase("PW7_Axo_length_side");
        }
        g->prefs.isoView = r.next;
        ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);
        const standin::ObjId body = Member(group, kAxoCylinderBody);
        ASSERT_NE(body, drawn) << r.what;
        const auto s = Segments(body);
        EXPECT_NEAR(std::atan2(s[1].p.v - s[0].p.v, s[1].p.h - s[0].p.h), r.up ? kPi / 2 : -kPi / 2, 1e-4) << r.what;
        ASSERT_EQ(doc->disposeArt(group), kNoErr);
    }
}

// A drum pulled up from a base on the top face whose body's record lost its side or its
// length (of another type, 0, not a number, past the canvas), whose group's record names
// another type or is no record, or in a document whose view record is no record: the body
// is built again up and as long as it is drawn, and the user is told; a side stored as a
// real is read.
TEST_F(PrimitiveTest, ADrumWhoseRecordsAreDamagedIsBuiltAgainAsItIsDrawn) {
    enum Holder { kBodyRecord, kGroupRecord, kGroupDictionary, kDocumentDictionary };
    const struct {
        Holder holder;
        const char* key;
        standin::DictValue stored;
        bool told;
    } rows[] = {
        {kBodyRecord, "PW7_Axo_length_side", int32_t{0}, true},
        {kBodyRecord, "PW7_Axo_length_side", std::string("up"), true},
        {kBodyRecord, "PW7_Axo_length_side", std::nanf(""), true},
        {kBodyRecord, "PW7_Axo_length_side", -1.0f, false},
        {kBodyRecord, "ZA3_Axo_offset_h", std::nanf(""), true},
        {kBodyRecord, "ZA3_Axo_offset_h", 3e38f, true},
        {kGroupRecord, "ZA3_Axo_type", int32_t{kAxoFaceArt}, true},
        {kGroupDictionary, "ZA3_Axonometric", int32_t{5}, true},
        {kDocumentDictionary, "ZA3_AxoView", int32_t{5}, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.key + (" row " + std::to_string(&r - rows)));
        g->prefs.isoView = kIsometric;
        Draw("Depth Cylinder", {300, 300}, {380, 310}, {{300, 400}}, aiEventModifiers_Option);
        const standin::ObjId group = Newest(), drawn = Member(group, kAxoCylinderBody);
        ASSERT_NE(drawn, 0u);
        const AIReal length = Stored<AIReal>(drawn, "ZA3_Axo_offset_h");
        const auto recordOf = [&](standin::ObjId art) {
            return std::get<standin::DictLink>(*doc->dict(doc->dictionaryOf(art))->find("ZA3_Axonometric")).id;
        };
        const standin::ObjId holders[] = {recordOf(drawn), recordOf(group), doc->dictionaryOf(group),
                                          doc->dictionaryOf(0)};
        doc->editDict(holders[r.holder])->set(r.key, r.stored);
        const size_t alerts = AlertCount();
        g->prefs.isoView = View(40, 160, 0.9, 0.7, 0.95, 30);
        ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);
        ShowNotesForUser();
        EXPECT_EQ(AlertCount(), alerts + (r.told ? 1 : 0));
        EXPECT_EQ(Type(group), kAxoCylinderGroup);
        const standin::ObjId body = Member(group, kAxoCylinderBody);
        ASSERT_NE(body, 0u);
        ASSERT_NE(body, drawn);
        const auto s = Segments(body);
        EXPECT_NEAR(std::atan2(s[1].p.v - s[0].p.v, s[1].p.h - s[0].p.h), kPi / 2, 1e-4);
        EXPECT_NEAR(Stored<AIReal>(body, "ZA3_Axo_offset_h"), length, 1e-3);
        ASSERT_EQ(doc->disposeArt(group), kNoErr);
    }
}

TEST_F(CylinderTest, AViewThatCannotRebuildItLeavesItWholeForTheNextView) {
    const AIReal length = Stored<AIReal>(body, "ZA3_Axo_offset_h");
    const standin::ObjId oldBody = body;
    const size_t alerts = AlertCount();
    // The axis a past pi: no tangent of the base runs along it, only against it.
    const iso_view original = g->prefs.isoView;
    g->prefs.isoView = View(200, 150, 0.8, 1, 1, 35.26);
    ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);
    Find();
    EXPECT_EQ(AlertCount(), alerts) << "nothing is said in the middle of an update";
    EXPECT_EQ(Type(group), kAxoCylinderGroup);
    EXPECT_NE(base, 0u);
    EXPECT_EQ(body, oldBody);

    g->prefs.isoView = original;
    ASSERT_EQ(UpdateAxonometricObjects(0, 0), kNoErr);
    Find();
    ASSERT_NE(body, 0u);
    EXPECT_NE(body, oldBody);
    EXPECT_NEAR(Stored<AIReal>(body, "ZA3_Axo_offset_h"), length, 1e-3);
}

}  // namespace
}  // namespace axotest
