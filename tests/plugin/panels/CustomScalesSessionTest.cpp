// Custom scales as the user makes them: the custom-scale dialog's two forms and its
// refusals, the slots it fills (and the alert when none is free), the scale assistant's
// guards, custom scale, fitting and failure, and the set-scale tool's reference line.
#include <cmath>

#include "PanelSessionFixture.h"
#include "panels/CustomScaleDialog.h"
#include "panels/DocumentPanel.h"
#include "panels/ScaleAssistant.h"
#include "units/ScaleTable.h"
#include "units/UnitsGlobals.h"

namespace paneltest {
namespace {

using Strings = std::vector<std::string>;
using standin::UserAction;

constexpr int32_t kInch = 8, kFoot = 9, kMillimetre = 3, kMetre = 5;  // rows of menu 16450

class CustomScalesSession : public PanelSession {
protected:
    void StartWithDocument() {
        Start();
        session->newDocument();
    }
    void Answer(const char* dialog, std::vector<UserAction> actions) {
        Dialogs().queueModalAnswer({dialog, std::move(actions)});
    }
    // The popout's "add" entry, answered with the actions.
    void AddCustomScale(std::vector<UserAction> actions) {
        Answer(kCustomScaleDialogName, std::move(actions));
        ASSERT_EQ(Pick(kADMPopoutMenuItemID, 0), kNoErr);
        EXPECT_EQ(Dialogs().pendingModalAnswers(), 0u);
    }
    void OpenAssistant(std::vector<UserAction> actions) {
        Answer(kScaleAssistantDialogName, std::move(actions));
        ASSERT_EQ(Press(kScaleAssistantButton), kNoErr);
    }
    AIRealRect Bounds(standin::ObjId id) {
        AIRealRect r{};
        EXPECT_TRUE(Doc().bounds(id, &r));
        return r;
    }
    void SelectOnly(standin::ObjId id) {
        session->hostEvent([&] {
            Doc().selectNone();
            return Doc().select(id);
        });
    }
    std::string LayerLabel(const char* title) {
        const standin::Dict* d = Doc().dict(Doc().dictionaryOf(Doc().layerByTitle(title)));
        const standin::DictValue* v = d ? d->find("ZA3_ScaleStr") : nullptr;
        return v ? std::get<standin::DictText>(*v).str() : "";
    }
};

TEST_F(CustomScalesSession, EitherFormGivesTheScalerAndLabelOfItsRelation) {
    StartWithDocument();
    const struct {
        std::vector<UserAction> actions;
        float scaler;
        const char* label;
    } rows[] = {
        {{Pressed(kCustomScaleRatioRadio), Typed(10, "1"), Typed(12, "50"), Pressed(1)}, 50, "1:50"},
        {{Pressed(kCustomScaleRatioRadio), Typed(10, "2"), Typed(12, "1"), Pressed(1)}, 0.5f, "2:1"},
        {{Typed(5, "1"), Picked(6, kInch), Typed(8, "10"), Picked(9, kFoot), Pressed(1)}, 120, "1\" = 10'"},
        {{Typed(5, "1/8"), Picked(6, kInch), Typed(8, "1"), Picked(9, kFoot), Pressed(1)}, 96, "1/8\" = 1'"},
        {{Typed(5, "1"), Picked(6, kMillimetre), Typed(8, "1"), Picked(9, kMetre), Pressed(1)}, 1000,
         "1 mm = 1 m"},
    };
    int32_t slot = 0;
    for (const auto& row : rows) {
        AddCustomScale(row.actions);
        const CustomScaleSlot s = customSlot(g->prefs, ++slot);
        EXPECT_NEAR(*s.scaler, row.scaler, 1e-3 * row.scaler) << row.label;
        EXPECT_STREQ(s.label, row.label);
        EXPECT_EQ(g->prefs.scale, slot - 1);
        EXPECT_STREQ(g->prefs.scaleStr, row.label);
        EXPECT_EQ(LayerLabel("Layer 1"), row.label);  // document-based: every layer takes it
    }
    EXPECT_TRUE(Dialogs().failures().empty()) << Dialogs().failures().front();
    EXPECT_EQ(Entries(kScalePopup)[4], "1 mm = 1 m");
}

TEST_F(CustomScalesSession, BadNumbersKeepTheDialogOpenAndAreSaid) {
    StartWithDocument();
    const std::string notPositive = "The value must be greater than 0.";
    const std::string unreadable = "The format of the value is not correct.";
    const struct {
        const char* typed;
        Strings alerts;  // typing it, then OK
    } rows[] = {
        {"0 1/2", {notPositive, notPositive}}, {"3/0", {unreadable, unreadable}}, {"2 mm", {unreadable, unreadable}},
        {"10'", {unreadable, unreadable}},     {"abc", {unreadable, unreadable}},  {"nan", {unreadable, unreadable}},
        {"1/0", {unreadable, unreadable}},
    };
    for (const auto& row : rows) {
        AddCustomScale({Pressed(kCustomScaleRatioRadio), Typed(10, row.typed), Typed(12, "50"), Pressed(1),
                        Pressed(2)});
        EXPECT_EQ(NewAlerts(), row.alerts) << row.typed;
        EXPECT_EQ(g->prefs.customScaler1, 0.0f) << row.typed;
    }
}

TEST_F(CustomScalesSession, ACustomScaleIsHeldToTheRangeTheValuesCanBeShownIn) {
    // Typed: 1:100,000,000 and 100,000,000:1 are the last scales taken; beyond them the user
    // is told and the dialog stays open (until cancelled).
    StartWithDocument();
    const std::string outOfRange = "A custom scale must lie between 100,000,000:1 and 1:100,000,000.";
    const struct {
        const char* left;
        const char* right;
        float scaler;  // 0: refused
    } kTyped[] = {
        {"1", "1e20", 0}, {"1", "200000000", 0}, {"200000000", "1", 0}, {"1", "100000000", 1e8f},
        {"100000000", "1", 1e-8f},
    };
    for (const auto& t : kTyped) {
        SCOPED_TRACE(std::string(t.left) + ":" + t.right);
        for (int32_t n = 1; n <= 10; ++n) *customSlot(g->prefs, n).scaler = 0;
        AddCustomScale({Pressed(kCustomScaleRatioRadio), Typed(10, t.left), Typed(12, t.right), Pressed(1), Pressed(2)});
        EXPECT_FLOAT_EQ(g->prefs.customScaler1, t.scaler);
        EXPECT_EQ(NewAlerts(), t.scaler ? Strings{} : Strings{outOfRange});
    }
    // From the scale assistant: 1 pt drawn as 1e10 pt real.
    g->prefs.NumericInputUnits = 0;
    g->prefs.customScaler1 = 0;
    const standin::ObjId art = Rect(100, 100, 1, 50);
    SelectOnly(art);
    OpenAssistant({Pressed(kAssistantCustomRadio), Typed(kAssistantRealWidth, "10000000000"), Pressed(1), Pressed(2)});
    EXPECT_EQ(NewAlerts(), Strings{outOfRange});
    EXPECT_EQ(g->prefs.customScaler1, 0.0f);
}

TEST_F(CustomScalesSession, CustomScalesReadFromThePreferencesAreHeldToTheRangeToo) {
    // Slots 1 to 4 as a preference file may hold them; the current scale is slot 1.
    const struct {
        float stored;
        float read;  // 0: the slot is freed and named
    } kSlots[] = {{-50, 0}, {1e20f, 0}, {1e-9f, 0}, {120, 120}};
    for (int32_t n = 1; n <= 4; ++n) {
        Store().putReal("ZelmarkPlotwise7", ("customScaler" + std::to_string(n)).c_str(), kSlots[n - 1].stored);
        Store().putString("ZelmarkPlotwise7", ("customScaleStr" + std::to_string(n)).c_str(), "x");
    }
    Store().putInteger("ZelmarkPlotwise7", "scale", 0);
    StartWithDocument();
    for (int32_t n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        const CustomScaleSlot s = customSlot(g->prefs, n);
        EXPECT_FLOAT_EQ(*s.scaler, kSlots[n - 1].read);
        EXPECT_STREQ(s.label, kSlots[n - 1].read ? "x" : "");
    }
    EXPECT_EQ(g->prefs.scale, kOneToOneScaleID);  // its slot was freed
    EXPECT_EQ(g->prefs.scaler, 1.0f);
    const Strings told = NewAlerts();
    ASSERT_EQ(told.size(), 1u);
    for (const char* named : {"customScaler1 -50;", "customScaler2 1.00000002e+20;", "customScaler3 9.999999717e-10"})
        EXPECT_NE(told[0].find(named), std::string::npos) << told[0];
    EXPECT_EQ(told[0].find("customScaler4"), std::string::npos) << told[0];
}

TEST_F(CustomScalesSession, TheFirstFreeSlotIsReusedAndFullSlotsChangeNothing) {
    for (int32_t n : {1, 2, 4}) Store().putReal("ZelmarkPlotwise7", ("customScaler" + std::to_string(n)).c_str(), 10.0f * n);
    StartWithDocument();
    AddCustomScale({Pressed(kCustomScaleRatioRadio), Typed(10, "1"), Typed(12, "30"), Pressed(1)});
    EXPECT_EQ(g->prefs.customScaler3, 30.0f);
    EXPECT_EQ(g->prefs.scale, 2);

    for (int32_t n = 1; n <= 10; ++n) *customSlot(g->prefs, n).scaler = 5.0f;
    const standin::ObjId art = Rect(10, 10, 50, 50);
    SelectOnly(art);
    AddCustomScale({Pressed(kCustomScaleRatioRadio), Typed(10, "1"), Typed(12, "70"), Pressed(1)});
    EXPECT_EQ(NewAlerts(), Strings{"No further custom scale can be added."});
    EXPECT_EQ(g->prefs.scale, 2);
    EXPECT_EQ(g->prefs.scaler, 30.0f);
    EXPECT_EQ(LayerLabel("Layer 1"), "1:30");
    // The selection tagged for a redraw that never came is given back and untagged.
    session->ticks(120);
    EXPECT_TRUE(Doc().art(art)->tags.empty());
}

TEST_F(CustomScalesSession, TheAssistantAsksForADrawingVisibleUnlockedLayersAndASelection) {
    Start();
    ASSERT_EQ(Press(kScaleAssistantButton), kNoErr);
    EXPECT_EQ(NewAlerts(), Strings{"Not completed because no document is open (open or make one, then try again): "
                                   "\"Scale Assistant...\""});
    session->newDocument();
    const standin::ObjId art = Rect(100, 100, 144, 72);
    Doc().addLayer("Notes");
    ASSERT_EQ(session->hostEvent([&] { return Doc().setLayerEditable("Notes", false); }), kNoErr);
    ASSERT_EQ(Press(kScaleAssistantButton), kNoErr);
    EXPECT_EQ(NewAlerts(), Strings{"All layers must be unlocked and visible to use this function."});
    ASSERT_EQ(session->hostEvent([&] { return Doc().setLayerEditable("Notes", true); }), kNoErr);
    ASSERT_EQ(Press(kScaleAssistantButton), kNoErr);
    EXPECT_EQ(NewAlerts(), Strings{"One or more objects must be selected."});

    // A drawn width of 2 in stated as 10 ft: a custom scale of 60, the art as it was.
    g->prefs.NumericInputUnits = 8;
    g->prefs.NumericInputPrecision = 0;
    SelectOnly(art);
    const AIRealRect before = Bounds(art);
    OpenAssistant({Pressed(kAssistantCustomRadio), Typed(kAssistantRealWidth, "10'"), Pressed(1)});
    EXPECT_EQ(g->prefs.customScaler1, 60.0f);
    EXPECT_STREQ(g->prefs.customScaleStr1, "2\" = 120\"");  // the real width as the field shows it
    EXPECT_EQ(Bounds(art).left, before.left);
    EXPECT_EQ(Bounds(art).right, before.right);
    EXPECT_EQ(g->prefs.ScaleAssistantAction, kAssistantCustomScale);
}

// The relation is the drawn length as measured and the real length as typed, whatever
// their fields show rounded (millimetres without decimals: 1 in shows as "25 mm", 2.5 in
// as "64 mm", 7 in as "178 mm").
TEST_F(CustomScalesSession, TheAssistantRelatesTheLengthsAsMeasuredAndTyped) {
    StartWithDocument();
    g->prefs.NumericInputUnits = kMillimetre;
    g->prefs.NumericInputPrecision = 0;
    const struct {
        AIReal drawn;  // width, points
        const char* real;
        int32_t action;
        float scaler;   // the custom scale made, or the table scale fitted
        AIReal width;   // of the art afterwards
    } cases[] = {
        {72, "5'", kAssistantCustomRadio, 60, 72},
        {72, "7 in", kAssistantCustomRadio, 7, 72},
        // 48 times real size: exactly 16 for the inset artboard's 540 pt, so 1:24 is taken
        // and the art drawn at twice its size.
        {180, "10'", kAssistantFitRadio, 24, 360},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.real);
        g->prefs.customScaler1 = 0;
        const standin::ObjId art = Rect(36, 36, c.drawn, 36);
        SelectOnly(art);
        OpenAssistant({Pressed(c.action), Typed(kAssistantRealWidth, c.real), Pressed(1)});
        EXPECT_EQ(NewAlerts(), Strings{});
        EXPECT_EQ(c.action == kAssistantCustomRadio ? g->prefs.customScaler1 : g->prefs.scaler, c.scaler);
        EXPECT_NEAR(Bounds(art).right - Bounds(art).left, c.width, 1e-3);
        ASSERT_EQ(session->hostEvent([&] { return Doc().disposeArt(art); }), kNoErr);
    }
}

TEST_F(CustomScalesSession, TheAssistantFitsTheRealDrawingToTheArtboardAndCentresIt) {
    StartWithDocument();
    g->prefs.NumericInputUnits = 0;  // points
    // 540 x 72 drawn, 16 times that in reality: the width needs exactly 16 (so 24 is taken,
    // the next coarser), the height 1.6 (4); the coarser of the two wins.
    const standin::ObjId art = Rect(0, 0, 540, 72);
    SelectOnly(art);
    OpenAssistant({Pressed(kAssistantFitRadio), Typed(kAssistantRealWidth, "8640"), Pressed(1)});
    EXPECT_EQ(g->prefs.scale, 17);
    EXPECT_EQ(g->prefs.scaler, 24.0f);
    EXPECT_EQ(LayerLabel("Layer 1"), "1/2\" = 1'-0\"");
    // Two thirds of its size, centred on the inset artboard's centre (306, 396).
    const AIRealRect r = Bounds(art);
    EXPECT_NEAR(r.left, 126, 1e-3);
    EXPECT_NEAR(r.right, 486, 1e-3);
    EXPECT_NEAR(r.bottom, 372, 1e-3);
    EXPECT_NEAR(r.top, 420, 1e-3);

    // A real size no architectural scale takes (factor 192 and more) is said; nothing moves
    // and the dialog stays open until cancelled.
    OpenAssistant({Pressed(kAssistantFitRadio), Typed(kAssistantRealWidth, "1000000"), Pressed(1), Pressed(2)});
    EXPECT_EQ(NewAlerts(), Strings{"No scale of the table fits the objects in the space available."});
    EXPECT_EQ(g->prefs.scale, 17);
    EXPECT_NEAR(Bounds(art).left, 126, 1e-3);
}

TEST_F(CustomScalesSession, TheAssistantRefusesNonPositiveLengthsAndSurvivesAFailedTransform) {
    StartWithDocument();
    g->prefs.NumericInputUnits = 0;
    const standin::ObjId flat = Rect(100, 100, 0, 50);  // no width
    SelectOnly(flat);
    const std::string notPositive = "The value must be greater than 0.";
    const std::string unreadable = "The format of the value is not correct.";
    OpenAssistant({Pressed(kAssistantCustomRadio), Typed(kAssistantRealWidth, "10"), Pressed(1), Pressed(2)});
    EXPECT_EQ(NewAlerts(), Strings{notPositive});
    const standin::ObjId art = Rect(100, 100, 100, 50);
    SelectOnly(art);
    OpenAssistant({Pressed(kAssistantCustomRadio), Typed(kAssistantRealWidth, "-5"), Pressed(1), Pressed(2)});
    EXPECT_EQ(NewAlerts(), Strings{notPositive});
    EXPECT_EQ(g->prefs.customScaler1, 0.0f);

    // The second layer's transform fails: the first is taken back, the scale stays whole.
    Doc().addLayer("Top");
    const standin::ObjId top = Rect(300, 300, 50, 50);
    SelectOnly(art);
    host.failTransform(2);
    OpenAssistant({Pressed(kAssistantPresetRadio), Typed(kAssistantRealWidth, "200"), Pressed(1)});
    EXPECT_EQ(NewAlerts(), Strings{"The art could not be rescaled, so the drawing and its scale are as they were."});
    EXPECT_EQ(g->prefs.scale, kOneToOneScaleID);
    EXPECT_EQ(g->prefs.scaler, 1.0f);
    EXPECT_NEAR(Bounds(art).left, 100, 1e-3);
    EXPECT_NEAR(Bounds(top).left, 300, 1e-3);
}

// The drawing is rescaled as the tracker transforms the selection: hidden and locked art
// stays where it is, and art projected onto a face is rescaled flat and projected back, so
// its record keeps its flat size; a reference length typed wrong is said before anything
// is selected.
TEST_F(CustomScalesSession, TheAssistantRescalesAsTheTrackerDoesAndReadsTheReferenceFirst) {
    StartWithDocument();
    g->prefs.NumericInputUnits = 0;
    const standin::ObjId face = Rect(100, 100, 60, 30);
    SelectOnly(face);
    ASSERT_EQ(session->menu("Project Selection onto Left Face"), kNoErr) << session->lastError();
    const standin::ObjId hidden = Rect(300, 300, 20, 20), locked = Rect(400, 300, 20, 20);
    const standin::ObjId other = Rect(300, 100, 20, 20);
    session->hostEvent([&] {
        if (AIErr err = Doc().setUserAttr(hidden, kArtHidden, kArtHidden)) return err;
        return Doc().setUserAttr(locked, kArtLocked, kArtLocked);
    });
    const auto flatWidth = [&] {
        const standin::Dict* d = Doc().dict(Doc().dictionaryOf(face));
        const standin::DictValue* link = d ? d->find("ZA3_Axonometric") : nullptr;
        const standin::Dict* record = link ? Doc().dict(std::get<standin::DictLink>(*link).id) : nullptr;
        const standin::DictValue* v = record ? record->find("ZA3_Flat_width") : nullptr;
        return v ? std::get<AIReal>(*v) : 0.0f;
    };
    const auto width = [&](standin::ObjId id) { return Bounds(id).right - Bounds(id).left; };
    const float flatBefore = flatWidth(), drawnBefore = width(face);
    const AIRealRect hiddenBefore = Bounds(hidden), lockedBefore = Bounds(locked);
    ASSERT_NEAR(flatBefore, 60, 1e-3);

    SelectOnly(face);
    OpenAssistant({Pressed(kAssistantFitRadio), Typed(kAssistantRealWidth, "100"), Picked(kAssistantReference, 1),
                   Typed(kAssistantReferenceLength, "wide"), Pressed(1), Pressed(2)});
    EXPECT_EQ(NewAlerts(), Strings{"The format of the value is not correct."});
    EXPECT_EQ(Doc().art(other)->attrs & kArtSelected, 0u) << "nothing selected before the length was read";

    SelectOnly(face);
    OpenAssistant({Pressed(kAssistantPresetRadio), Typed(kAssistantRealWidth, "100"), Pressed(1)});
    const double factor = width(face) / drawnBefore;
    ASSERT_GT(factor, 1.5);
    EXPECT_NEAR(flatWidth() / flatBefore, factor, 1e-3);
    for (const auto& [id, before] : {std::pair{hidden, hiddenBefore}, std::pair{locked, lockedBefore}}) {
        EXPECT_EQ(Bounds(id).left, before.left);
        EXPECT_EQ(Bounds(id).top, before.top);
        EXPECT_EQ(Bounds(id).right, before.right);
    }
}

TEST_F(CustomScalesSession, TheSetScaleToolMeasuresAReferenceLineForTheDialog) {
    StartWithDocument();
    g->prefs.NumericInputUnits = 9;  // fractional inches
    g->prefs.NumericInputPrecision = 0;
    standin::ObjId line = 0;
    ASSERT_EQ(session->hostEvent([&] { return Doc().addLine({100, 100}, {172, 100}, &line); }), kNoErr);
    ASSERT_EQ(session->selectTool("Set Scale"), kNoErr);

    // A click alone is refused and opens nothing.
    EXPECT_EQ(session->click({300, 300}), AIErr('CADE'));
    EXPECT_EQ(NewAlerts(), Strings{"Use this tool by clicking and dragging."});

    // Shift keeps the distance and snaps the angle: (0, 0) to (100, 10) ends at (100.499, 0).
    ASSERT_EQ(session->mouseDown({0, 400}), kNoErr);
    ASSERT_EQ(session->mouseDrag({100, 410}, aiEventModifiers_Shift), kNoErr);
    EXPECT_NEAR(g->setScaleClickedDistance, std::hypot(100.0, 10.0), 1e-3);
    AIArtHandle drawn = nullptr;
    AIPathSegment ends[2]{};
    ASSERT_EQ(sAIArt->GetArtFirstChild(g->group, &drawn), kNoErr);
    ASSERT_EQ(sAIPath->GetPathSegments(drawn, 0, 2, ends), kNoErr);
    EXPECT_NEAR(ends[1].p.h, 100.499, 1e-3);
    EXPECT_NEAR(ends[1].p.v, 400, 1e-3);
    Answer(kCustomScaleDialogName, {Pressed(2)});
    ASSERT_EQ(session->mouseUp({100, 410}, aiEventModifiers_Shift), kNoErr);
    EXPECT_EQ(g->setScaleClickedDistance, 0.0f);  // consumed by the dialog

    // Both ends near the line's anchors measure it exactly: 72 pt shown as "1" (no inch
    // mark, which the field would refuse), then 10 ft typed: 1" = 10'.
    ASSERT_EQ(session->mouseDown({101.5f, 101}), kNoErr);
    ASSERT_EQ(session->mouseDrag({140, 120}), kNoErr);
    ASSERT_EQ(session->mouseDrag({171, 99}), kNoErr);
    EXPECT_EQ(g->setScaleClickedDistance, 72.0f);
    Answer(kCustomScaleDialogName, {Typed(8, "10"), Picked(9, kFoot), Pressed(1)});
    ASSERT_EQ(session->mouseUp({171, 99}), kNoErr);
    EXPECT_EQ(g->prefs.customScaler2, 0.0f);
    EXPECT_EQ(g->prefs.customScaler1, 120.0f);
    EXPECT_STREQ(g->prefs.customScaleStr1, "1\" = 10'");
    EXPECT_EQ(Doc().art(line)->next + Doc().art(line)->prev, 0u) << "the reference line is gone";
    EXPECT_TRUE(Dialogs().failures().empty()) << Dialogs().failures().front();
}

TEST_F(CustomScalesSession, TheSetScaleToolsLengthIsUsedInFullWhateverTheFieldShows) {
    // A 72 pt scale bar shown in metres at three places ("0.025"), 10 ft typed as the real
    // length. The real side is 8,640 pt; the drawn side as follows.
    StartWithDocument();
    g->prefs.NumericInputUnits = kMetre;
    g->prefs.NumericInputPrecision = 3;
    standin::ObjId bar = 0;
    ASSERT_EQ(session->hostEvent([&] { return Doc().addLine({100, 100}, {172, 100}, &bar); }), kNoErr);
    ASSERT_EQ(session->selectTool("Set Scale"), kNoErr);
    const struct {
        const char* what;
        std::vector<UserAction> paper;  // what is done to the drawn side
        double scaler;
        const char* label;  // says the relation the scaler is made from
    } kCases[] = {
        {"left as shown", {}, 120, "0.0254 m = 10'"},  // the bar's 72 pt
        {"typed over", {Typed(5, "0.05")}, 8640 / (0.05 * 2834.6458), "0.05 m = 10'"},
        {"shown in another unit", {Picked(6, kInch)}, 8640 / (0.025 * 72), "0.025\" = 10'"},
    };
    int32_t slot = 0;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        std::vector<UserAction> answer = c.paper;
        for (const UserAction& a : {Typed(8, "10"), Picked(9, kFoot), Pressed(1)}) answer.push_back(a);
        ASSERT_EQ(session->mouseDown({101, 101}), kNoErr);
        ASSERT_EQ(session->mouseDrag({171, 99}), kNoErr);
        Answer(kCustomScaleDialogName, answer);
        ASSERT_EQ(session->mouseUp({171, 99}), kNoErr);
        const CustomScaleSlot s = customSlot(g->prefs, ++slot);
        EXPECT_NEAR(*s.scaler, c.scaler, 1e-5 * c.scaler);
        EXPECT_STREQ(s.label, c.label);
    }
}

}  // namespace
}  // namespace paneltest
