// The depth rectangle, ellipse and grid typed in their dialogs after a click, in the
// isometric view (factors 1): the face radios and the sizes the dialogs share, a plain
// shape held by the corner the projection keeps on the click, a centred one's bounds round
// it (the worked 72 by 36 example), and the grid cut to whole steps or refused when it
// would have none. The depth cube and cylinder typed after a click: the cube's three faces
// of the typed sizes meeting at the click, in a group that is the only selection; the
// cylinder's base centred on the click on each face, its axis turned round by a negative
// length, and its three records, none while projected art is expanded.
#include <algorithm>
#include <string>

#include "ADMDialog.h"
#include "ADMItem.h"
#include "DrawToolsFixture.h"
#include "axonometric/AxonometricUpdate.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/NumericInputDialogs.h"

namespace drawtest {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct DepthShapeDialogTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        iso_view& v = g->prefs.isoView;
        v.a = 0.52359878f, v.b = 2.6179939f, v.af = v.bf = v.cf = 1, v.t = 35.26f;
        g->prefs.autoExpandAxoArt = 0;
    }
    void Click(const char* tool, AIRealPoint p, const std::string& dialog, std::vector<standin::UserAction> actions) {
        Answer(dialog, std::move(actions));
        ASSERT_EQ(session->selectTool(tool), kNoErr);
        ASSERT_EQ(session->click(p), kNoErr);
    }
    const standin::Art* Record(const standin::Art* a, const char* key, double* value) const {
        const standin::Dict* d = a && a->dictionary ? doc->dict(a->dictionary) : nullptr;
        const standin::DictValue* sub = d ? d->find("ZA3_Axonometric") : nullptr;
        if (!sub || !std::holds_alternative<standin::DictLink>(*sub)) return nullptr;
        const standin::DictValue* v = doc->dict(std::get<standin::DictLink>(*sub).id)->find(key);
        if (!v || !std::holds_alternative<AIReal>(*v)) return nullptr;
        *value = std::get<AIReal>(*v);
        return a;
    }
    // The art the last build projected, and its bounds.
    const standin::Art* Newest() const {
        const standin::Art* newest = nullptr;
        doc->walk([&](const standin::Art& a, int) {
            double w = 0;
            if (Record(&a, "ZA3_Flat_width", &w) && (!newest || a.id > newest->id)) newest = &a;
        });
        return newest;
    }
    AIRealRect BoundsOf(const standin::Art* a) const {
        AIRealRect r{};
        doc->bounds(a->id, &r);
        return r;
    }
    double Flat(const char* key) const {
        double v = -1;
        Record(Newest(), key, &v);
        return v;
    }
    // The record's entry of the art, for the primitives' members.
    const standin::DictValue* Entry(standin::ObjId id, const char* key) const {
        const standin::Art* a = doc->art(id);
        const standin::Dict* d = a && a->dictionary ? doc->dict(a->dictionary) : nullptr;
        const standin::DictValue* sub = d ? d->find("ZA3_Axonometric") : nullptr;
        if (!sub || !std::holds_alternative<standin::DictLink>(*sub)) return nullptr;
        return doc->dict(std::get<standin::DictLink>(*sub).id)->find(key);
    }
    int32_t Int(standin::ObjId id, const char* key) const {
        const standin::DictValue* v = Entry(id, key);
        return v ? std::get<int32_t>(*v) : 0;
    }
    double Real(standin::ObjId id, const char* key) const {
        const standin::DictValue* v = Entry(id, key);
        return v ? std::get<AIReal>(*v) : -1;
    }
    standin::ObjId NewestGroup() const {
        standin::ObjId newest = 0;
        doc->walk([&](const standin::Art& a, int) {
            if (a.type == kGroupArt && !a.layer) newest = std::max(newest, a.id);
        });
        return newest;
    }
    // The group is selected, and nothing outside it.
    bool AloneSelected(standin::ObjId group) const {
        bool alone = (doc->art(group)->attrs & kArtSelected) != 0;
        doc->walk([&](const standin::Art& a, int) {
            if (!a.layer && (a.attrs & kArtSelected) && a.id != group && a.parent != group) alone = false;
        });
        return alone;
    }
};

TEST_F(DepthShapeDialogTest, TheDialogsShareTheirSizesAndFaceAndNameTheTopFace) {
    Click("Depth Grid", {200, 300}, "Depth Rectangle", {Type(4, "100"), Type(6, "50"), Press(9), Press(1)});
    EXPECT_EQ(g->inputRectFace, 0x200);
    ADMDialogRef shown = nullptr;
    session->hostEvent([&] {
        shown = sADMDialog->Create(g->thisPlugin, "Depth Rectangle", 17700, kADMFloatingDialogStyle,
                                   &initNumericInputDialog, nullptr, 0);
        return kNoErr;
    });
    ASSERT_NE(shown, nullptr);
    auto text = [&](int32_t item) {
        char buffer[256] = {};
        sADMItem->GetText(sADMDialog->GetItem(shown, item), buffer, sizeof buffer);
        return std::string(buffer);
    };
    EXPECT_EQ(text(4), "100.00 pt");
    EXPECT_EQ(text(6), "50.00 pt");
    EXPECT_EQ(text(9), "Top view (top face)");
    EXPECT_FALSE(sADMItem->GetBooleanValue(sADMDialog->GetItem(shown, 7)));
    EXPECT_TRUE(sADMItem->GetBooleanValue(sADMDialog->GetItem(shown, 9)));
    sADMDialog->Destroy(shown);
    // The CAD rectangle's dialog takes the same size.
    EXPECT_EQ(g->inputRectWidth, 100);
    EXPECT_EQ(g->inputRectHeight, 50);
}

TEST_F(DepthShapeDialogTest, APlainShapeKeepsItsCornerOnTheClickAndACentredOneItsBounds) {
    // 72 by 36 on the left face tilted up: the flat top-right corner, which the projection
    // holds, is the click.
    Click("Depth Rectangle", {200, 300}, "Depth Rectangle", {Type(4, "72"), Type(6, "36"), Press(7), Press(1)});
    const standin::Art* plain = Newest();
    ASSERT_NE(plain, nullptr);
    bool onClick = false;
    for (const AIPathSegment& s : plain->segments) onClick |= Near(s.p, 200, 300);
    EXPECT_TRUE(onClick);
    EXPECT_NEAR(Flat("ZA3_Flat_width"), 72, 1e-4);
    EXPECT_NEAR(Flat("ZA3_Flat_height"), 36, 1e-4);
    // From the centre: 72 cos 30 = 62.354 across, 72 sin 30 + 36 = 72 up, round the click.
    Click("Depth Rectangle From Center", {300, 400}, "Depth Rectangle", {Press(1)});
    const AIRealRect b = BoundsOf(Newest());
    EXPECT_NEAR(b.left, 300 - 31.177, 2e-3);
    EXPECT_NEAR(b.right, 300 + 31.177, 2e-3);
    EXPECT_NEAR(b.bottom, 400 - 36, 2e-3);
    EXPECT_NEAR(b.top, 400 + 36, 2e-3);
}

TEST_F(DepthShapeDialogTest, TheGridIsCutToWholeStepsAndOneOfNoneIsRefused) {
    Click("Depth Grid", {200, 300}, "Depth Rectangle", {Type(4, "100"), Type(6, "50"), Press(8), Press(1)});
    const double step = g->gridSnapInc;
    ASSERT_GE(step, 1);
    EXPECT_NEAR(Flat("ZA3_Flat_width"), step * std::floor(100 / step), 1e-3);
    EXPECT_NEAR(Flat("ZA3_Flat_height"), step * std::floor(50 / step), 1e-3);
    EXPECT_EQ(Newest()->type, kGroupArt);

    // Less than a step wide: said so, the dialog kept open for another try (cancelled here).
    const size_t paths = PathCount();
    const std::string tiny = std::to_string(step / 2);
    Click("Depth Grid", {200, 500}, "Depth Rectangle", {Type(4, tiny), Press(1), Press(2)});
    EXPECT_EQ(PathCount(), paths);
    ASSERT_FALSE(Alerts().empty());
    EXPECT_NE(Alerts().back().find("at least one grid step"), std::string::npos) << Alerts().back();
    EXPECT_TRUE(DialogFailures().empty());

    // On a locked layer no grid can be drawn: the grid drawn before is not projected again.
    const standin::Art* before = Newest();
    const std::vector<AIPathSegment> outline = doc->art(doc->children(before->id).back())->segments;
    ASSERT_EQ(doc->setLayerEditable("Layer 1", false), kNoErr);
    Click("Depth Grid", {300, 300}, "Depth Rectangle", {Type(4, "100"), Press(7), Press(1)});  // another face
    EXPECT_EQ(PathCount(), paths);
    const std::vector<AIPathSegment>& after = doc->art(doc->children(before->id).back())->segments;
    ASSERT_EQ(after.size(), outline.size());
    for (size_t i = 0; i < after.size(); ++i) EXPECT_PT(after[i].p, outline[i].p.h, outline[i].p.v, kTol);
}

TEST_F(DepthShapeDialogTest, TheCubesFacesOfTheTypedSizesMeetAtTheClick) {
    const iso_view up = g->prefs.isoView;
    iso_view down = up;
    down.a = -down.a, down.b = -down.b, down.t = -down.t;
    for (const iso_view& view : {up, down}) {
        g->prefs.isoView = view;
        const AIRealPoint click{300, 400};
        Click("Depth Cube", click, "Depth Cube", {Type(4, "72"), Type(6, "36"), Type(8, "18"), Press(1)});
        const standin::ObjId group = NewestGroup();
        const auto faces = doc->children(group);
        ASSERT_EQ(faces.size(), 3u);
        // Left face uppermost, then right, then top, each flat as typed.
        const struct {
            int32_t face;
            double w, h;
        } want[] = {{0x80, 72, 36}, {0x100, 18, 36}, {0x200, 72, 18}};
        for (size_t i = 0; i < 3; ++i) {
            const std::string what = "face " + std::to_string(want[i].face) + " tilt " + std::to_string(view.t);
            EXPECT_EQ(Int(faces[i], "ZA3_Axo_face"), want[i].face) << what;
            EXPECT_NEAR(Real(faces[i], "ZA3_Flat_width"), want[i].w, 1e-3) << what;
            EXPECT_NEAR(Real(faces[i], "ZA3_Flat_height"), want[i].h, 1e-3) << what;
            const auto& s = doc->art(faces[i])->segments;
            const auto onClick = [&](const AIPathSegment& a) { return Near(a.p, click.h, click.v, 2e-3f); };
            EXPECT_TRUE(std::any_of(s.begin(), s.end(), onClick)) << what << ": no corner on the click";
        }
        EXPECT_TRUE(AloneSelected(group));
        EXPECT_EQ(Int(group, "ZA3_Axo_type"), 0) << "the cube's group keeps no record";
        ASSERT_EQ(doc->disposeArt(group), kNoErr);
    }
}

TEST_F(DepthShapeDialogTest, TheCylinderIsCentredOnTheClickAndRecordedOnItsFace) {
    iso_view& v = g->prefs.isoView;
    const iso_view drawn = v;
    // The axis runs from the tangent point at the typed length (factors 1): along a, b or
    // down, a negative length turning it round (a drum stood on a block), under the view it
    // was typed in and, on the same side, under the next.
    const struct {
        int item;  // face radio
        int32_t face, bodyFace;
        const char* length;
        AIReal iso_view::*along;  // null: down
        bool turned;
    } cases[] = {
        {7, 0x80, 0x100, "72", &iso_view::a, false},
        {7, 0x80, 0x100, "-72", &iso_view::a, true},
        {8, 0x100, 0x80, "50", &iso_view::b, false},
        {9, 0x200, 0x80, "40", nullptr, false},
        {9, 0x200, 0x80, "-30", nullptr, true},
    };
    const auto axis = [&](const auto& c) { return (c.along ? v.*c.along : -kPi / 2) + (c.turned ? kPi : 0); };
    const auto direction = [&](standin::ObjId body) {
        const auto& s = doc->art(body)->segments;
        return std::atan2(s[1].p.v - s[0].p.v, s[1].p.h - s[0].p.h);
    };
    for (const auto& c : cases) {
        v = drawn;
        const std::string what = "face " + std::to_string(c.face) + " length " + c.length;
        const AIRealPoint click{300, 400};
        Click("Depth Cylinder", click, "Depth Cylinder",
              {Type(4, "60"), Type(6, "30"), Press(c.item), Type(11, c.length), Press(1)});
        const standin::ObjId group = NewestGroup();
        const auto members = doc->children(group);
        ASSERT_EQ(members.size(), 2u) << what;
        const standin::ObjId base = members[0], body = members[1];
        EXPECT_EQ(Int(group, "ZA3_Axo_type"), 5) << what;
        EXPECT_EQ(Int(group, "ZA3_Axo_face"), c.face) << what;
        EXPECT_EQ(Int(base, "ZA3_Axo_type"), 6) << what;
        EXPECT_EQ(Int(base, "ZA3_Axo_face"), c.face) << what;
        EXPECT_EQ(Int(body, "ZA3_Axo_type"), 7) << what;
        EXPECT_EQ(Int(body, "ZA3_Axo_face"), c.bodyFace) << what;
        EXPECT_NEAR(Real(body, "ZA3_Axo_offset_h"), std::abs(std::stod(c.length)), 1e-3) << what;
        const auto& b = doc->art(base)->segments;
        const AIRealPoint centre{(b[0].p.h + b[2].p.h) / 2, (b[0].p.v + b[2].p.v) / 2};
        EXPECT_PT(centre, click.h, click.v, 2e-3f) << what;
        const auto& s = doc->art(body)->segments;
        ASSERT_EQ(s.size(), 8u) << what;
        const AIRealPoint o{s[1].p.h - s[0].p.h, s[1].p.v - s[0].p.v};
        EXPECT_NEAR(std::hypot(o.h, o.v), std::abs(std::stod(c.length)), 1e-2) << what;
        EXPECT_NEAR(std::remainder(std::atan2(o.v, o.h) - axis(c), 2 * kPi), 0, 1e-4) << what;
        EXPECT_TRUE(AloneSelected(group)) << what;
        EXPECT_EQ(g->inputCylinderFace, c.face) << what;

        v.a = 0.6981317f, v.b = 2.7925268f;  // 40 and 160 degrees
        ASSERT_EQ(session->hostEvent([] { return UpdateAxonometricObjects(0, 0); }), kNoErr);
        const standin::ObjId rebuilt = doc->children(group).back();
        ASSERT_NE(rebuilt, body) << what;
        EXPECT_NEAR(std::remainder(direction(rebuilt) - axis(c), 2 * kPi), 0, 1e-4) << what << " rebuilt";
        EXPECT_NEAR(Real(rebuilt, "ZA3_Axo_offset_h"), std::abs(std::stod(c.length)), 1e-3) << what;
        ASSERT_EQ(doc->disposeArt(group), kNoErr);
    }
}

TEST_F(DepthShapeDialogTest, WhileProjectedArtIsExpandedTheCylinderKeepsNoRecords) {
    g->prefs.autoExpandAxoArt = 1;
    Click("Depth Cylinder", {300, 400}, "Depth Cylinder", {Press(1)});
    const standin::ObjId group = NewestGroup();
    ASSERT_EQ(doc->children(group).size(), 2u);
    EXPECT_EQ(Entry(group, "ZA3_Axo_type"), nullptr);
    for (standin::ObjId m : doc->children(group)) EXPECT_EQ(Entry(m, "ZA3_Axo_type"), nullptr);
}

}  // namespace
}  // namespace drawtest
