// The depth rectangle, ellipse and grid typed in their dialogs after a click, in the
// isometric view (factors 1): the face radios and the sizes the dialogs share, a plain
// shape held by the corner the projection keeps on the click, a centred one's bounds round
// it (the worked 72 by 36 example), and the grid cut to whole steps or refused when it
// would have none.
#include <string>

#include "ADMDialog.h"
#include "ADMItem.h"
#include "DrawToolsFixture.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/NumericInputDialogs.h"

namespace drawtest {
namespace {

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
    for (size_t i = 0; i < after.size(); ++i) EXPECT_POINT(after[i].p, outline[i].p.h, outline[i].p.v);
}

}  // namespace
}  // namespace drawtest
