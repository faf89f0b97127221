// The isometric panel worked as a user would: its views (a named custom view offered, an
// undefined one not), a chosen view derived from its rotation and tilt (checked against the
// formula worked here, or at full length without foreshortening) with the art following,
// typed angles in the free view and an edge-on view refused, Flatten only for a selection,
// and the view a document brings shown.
#include <cmath>
#include <tuple>
#include <vector>

#include "PanelSessionFixture.h"
#include "axonometric/AxonometricProjection.h"
#include "panels/IsometricPanel.h"
#include "panels/PresetsDialogItems.h"
#include "panels/ShortcutsPanelItems.h"

namespace paneltest {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;

class IsometricPanelTest : public PanelSession {
protected:
    // Started from the preference store as it stands, with the panel worked and a document.
    void StartWithPanel() {
        Start();
        panel = session->dialogs().findDialog("CADisometric");
        ASSERT_NE(panel, nullptr);
        session->newDocument();
    }
    void StartIsometric() {
        Store().putReal("ZelmarkPlotwise7", "customAxoView1R", 30);
        Store().putReal("ZelmarkPlotwise7", "customAxoView1T", 25);
        Store().putString("ZelmarkPlotwise7", "customAxoView1Str", "Plan view");
        Store().putBoolean("ZelmarkPlotwise7", "axoNoForeshortening", false);
        StartWithPanel();
    }
    bool Enabled(int32_t item) { return sADMItem->IsEnabled(sADMDialog->GetItem(panel, item)) != 0; }
    // A square projected onto the left face, as its record says.
    AIArtHandle LeftSquare() {
        standin::ObjId id = 0;
        EXPECT_EQ(Doc().addRect(100, 100, 60, 60, &id), kNoErr);
        AIArtHandle art = standin::suites::artHandle(id);
        EXPECT_EQ(session->hostEvent([&] { return ProjectAxonometric(art, 0x80, &g->prefs.isoView); }), kNoErr);
        return art;
    }
    // The record's vertical scale: the view's cf on a side face.
    AIReal RecordedVerticalScale(AIArtHandle art) {
        depth_object_data data;
        EXPECT_EQ(GetAxonometricData(art, &data), kNoErr);
        return data.matrix.d;
    }
    // The view of rotation r and tilt t, worked out on the turned axes.
    static void ExpectView(double r, double t) {
        const iso_view& v = g->prefs.isoView;
        const double sr = std::sin(r * kDegree), cr = std::cos(r * kDegree);
        const double st = std::sin(t * kDegree), ct = std::cos(t * kDegree);
        EXPECT_NEAR(v.a, std::atan2(sr * st, cr), 1e-5);
        EXPECT_NEAR(v.b, std::atan2(cr * st, -sr), 1e-5);
        EXPECT_NEAR(v.af, std::sqrt(cr * cr + sr * sr * st * st), 1e-5);
        EXPECT_NEAR(v.bf, std::sqrt(sr * sr + cr * cr * st * st), 1e-5);
        EXPECT_NEAR(v.cf, ct, 1e-5);
        EXPECT_EQ(v.r, static_cast<AIReal>(r));
        EXPECT_EQ(v.t, static_cast<AIReal>(t));
    }
};

TEST_F(IsometricPanelTest, TheViewsAreOfferedAndTheIsometricOneIsLocked) {
    StartIsometric();
    EXPECT_EQ(Entries(kViewsPopup),
              (std::vector<std::string>{"Plan view", "Custom View 2(off)", "Custom View 3(off)", "Custom View 4(off)",
                                        "Custom View 5(off)", "-", "Isometric", "Isometric From Below", "-",
                                        "Dimetric", "Dimetric, Low", "Trimetric", "-", "Free"}));
    EXPECT_EQ(View(kViewsPopup).text, "Isometric");
    EXPECT_FALSE(Enabled(kRotationField));
    EXPECT_FALSE(Enabled(kTiltField));
    EXPECT_EQ(sADMItem->GetPictureID(sADMDialog->GetItem(panel, kLockPicture)), kLockedPicture);
    EXPECT_FLOAT_EQ(View(kRotationField).value, 45);
    EXPECT_FALSE(Enabled(kFlattenButton)) << "nothing selected";
}

TEST_F(IsometricPanelTest, AChosenViewIsDerivedAndTheArtFollowsIt) {
    StartIsometric();
    AIArtHandle square = LeftSquare();
    for (const auto& [index, r, t] : {std::tuple{9, 45.0, 48.0}, std::tuple{0, 30.0, 25.0}, std::tuple{11, 69.0, 20.0}}) {
        ASSERT_EQ(Pick(kViewsPopup, index), kNoErr);
        ExpectView(r, t);
        EXPECT_EQ(g->prefs.currentAxoViewIndex, index);
        EXPECT_FLOAT_EQ(View(kTiltField).value, static_cast<float>(t));
        EXPECT_NEAR(RecordedVerticalScale(square), std::cos(t * kDegree), 1e-5) << "the square on the new view";
    }
    EXPECT_FALSE(Dialogs().drawing(sADMDialog->GetItem(panel, kViewPadItem)).empty()) << "the pad drew the cube";

    g->prefs.noAxoForeshortening = 1;
    ASSERT_EQ(Pick(kViewsPopup, 9), kNoErr);
    EXPECT_NEAR(g->prefs.isoView.a, std::atan2(std::sin(45 * kDegree) * std::sin(48 * kDegree), std::cos(45 * kDegree)), 1e-5);
    for (AIReal factor : {g->prefs.isoView.af, g->prefs.isoView.bf, g->prefs.isoView.cf}) EXPECT_EQ(factor, 1);
    EXPECT_NEAR(RecordedVerticalScale(square), 1, 1e-6) << "the square at full height";
}

TEST_F(IsometricPanelTest, TheStartUpViewIsTheIsometricViewTheStartUpSettingsGive) {
    StartWithPanel();  // a fresh preference store
    if (HasFatalFailure()) return;
    const iso_view startup = g->prefs.isoView;
    AIArtHandle square = LeftSquare();
    ASSERT_EQ(Pick(kViewsPopup, 6), kNoErr);  // "Isometric"
    ExpectView(45, 35.266666f);
    const iso_view& chosen = g->prefs.isoView;
    for (auto field : {&iso_view::a, &iso_view::b, &iso_view::af, &iso_view::bf, &iso_view::cf})  // c draws nothing
        EXPECT_NEAR(chosen.*field, startup.*field, 1e-5);
    EXPECT_NEAR(RecordedVerticalScale(square), startup.cf, 1e-5) << "the square where it was";
}

TEST_F(IsometricPanelTest, TheFreeViewTakesTypedAnglesAndRefusesOneSeenEdgeOn) {
    StartIsometric();
    ASSERT_EQ(Pick(kViewsPopup, kFreeAxoView), kNoErr);
    EXPECT_TRUE(Enabled(kRotationField));
    EXPECT_EQ(sADMItem->GetPictureID(sADMDialog->GetItem(panel, kLockPicture)), kUnlockedPicture);
    EXPECT_FALSE(g->prefs.LockAxoView);
    ASSERT_EQ(Type(kRotationField, "30"), kNoErr);
    ExpectView(30, 35.266666f);
    const size_t alerts = Dialogs().alerts().size();
    ASSERT_EQ(Type(kTiltField, "0"), kNoErr);
    ASSERT_EQ(Dialogs().alerts().size(), alerts + 1);
    EXPECT_NE(Dialogs().alerts().back().text.find("edge-on"), std::string::npos);
    ExpectView(30, 35.266666f);
    EXPECT_NEAR(View(kTiltField).value, 35.266666, 1e-4) << "the field shows the tilt kept";
}

TEST_F(IsometricPanelTest, FlattenWorksOnTheSelection) {
    StartIsometric();
    AIArtHandle square = LeftSquare();
    ASSERT_EQ(session->hostEvent([&] { return sAIArt->SetArtUserAttr(square, kArtSelected, kArtSelected); }), kNoErr);
    EXPECT_TRUE(Enabled(kFlattenButton));
    ASSERT_EQ(Press(kFlattenButton), kNoErr);
    EXPECT_FALSE(IsAxonometricArt(square));
    AIRealRect b{};
    ASSERT_EQ(sAIArt->GetArtBounds(square, &b), kNoErr);
    EXPECT_NEAR(b.right - b.left, 60, 1e-3);
    EXPECT_NEAR(b.top - b.bottom, 60, 1e-3);
}

TEST_F(IsometricPanelTest, TheViewADocumentBringsIsShown) {
    StartIsometric();
    for (const auto& [t, entry, locked] : {std::tuple{13.0f, "Dimetric, Low", true}, std::tuple{22.0f, "Free", false}}) {
        iso_view view = g->prefs.isoView;
        view.r = 45, view.t = t;
        ASSERT_EQ(session->hostEvent([&] { return SetDocumentIsoViewData(&view); }), kNoErr);
        session->setFrontDocument(Doc());  // the document comes to the front with its view
        EXPECT_EQ(View(kViewsPopup).text, entry);
        EXPECT_FLOAT_EQ(View(kTiltField).value, t);
        EXPECT_EQ(Enabled(kTiltField), !locked);
    }
}

// A preset's view becomes the one in use, as picking it would make it: the panel shows it,
// the drawing records it and the art drawn before lies in it as art drawn now does. A preset
// of the view in use changes nothing of the drawing.
TEST_F(IsometricPanelTest, ALoadedPresetsViewIsTheOneInUseEverywhere) {
    StartWithPanel();
    ADMDialogRef isometric = panel;
    const auto shortcuts = [&](int32_t button, const char* dialog, std::vector<standin::UserAction> actions) {
        for (const auto& a : actions) Dialogs().appendModalAction(dialog, a);
        panel = Dialogs().findDialog("CADshortcuts");
        ASSERT_EQ(Press(button), kNoErr);
        panel = isometric;
    };
    ASSERT_EQ(Pick(kViewsPopup, 7), kNoErr);
    shortcuts(kDefinePresetButton, "CADpresetsDefine", {Typed(kPresetNameField, "Below"), Pressed(1)});
    const auto matrix = [&](AIArtHandle art) {
        depth_object_data data;
        EXPECT_EQ(GetAxonometricData(art, &data), kNoErr);
        return std::vector<AIReal>{data.matrix.a, data.matrix.b, data.matrix.c, data.matrix.d};
    };
    AIArtHandle before = nullptr;
    const struct {
        int32_t preset;  // in the catalogue: the two built-in presets, then "Below"
        const char* shown;
        float tilt;
        bool changes;  // the drawing
    } kLoads[] = {{1, "Isometric", 35.266666f, true}, {2, "Isometric From Below", -35.266666f, true},
                  {2, "Isometric From Below", -35.266666f, false}};
    for (const auto& l : kLoads) {
        SCOPED_TRACE(l.shown);
        const uint64_t revision = Doc().revision();
        shortcuts(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, l.preset), Pressed(1)});
        EXPECT_EQ(View(kViewsPopup).text, l.shown);
        EXPECT_FLOAT_EQ(View(kTiltField).value, l.tilt);
        iso_view drawn{};
        int found = 0;
        ASSERT_EQ(GetDocumentIsoViewData(&drawn, &found), kNoErr);
        EXPECT_FLOAT_EQ(drawn.t, l.tilt);
        if (before) {
            EXPECT_EQ(Doc().revision() != revision, l.changes);
            EXPECT_EQ(matrix(before), matrix(LeftSquare())) << "the square drawn before, as one drawn now";
        }
        if (!before) before = LeftSquare();
    }
    // A new drawing holds no view: the preset's is stored in it, as a pick stores it, so a
    // drawing brought to the front and closed meanwhile cannot leave it in another.
    session->newDocument();
    shortcuts(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, 1), Pressed(1)});
    iso_view drawn{};
    int found = 0;
    ASSERT_EQ(GetDocumentIsoViewData(&drawn, &found), kNoErr);
    EXPECT_TRUE(found && drawn.t == 35.266666f) << found << " " << drawn.t;
}

}  // namespace
}  // namespace paneltest
