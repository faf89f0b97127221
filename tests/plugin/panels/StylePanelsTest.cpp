// The styles, text and labels panels worked as a user would, with one live dimension
// selected: every control writes its style field and the selected dimension's stored style
// changes in exactly that field (the expected values and fields written from the panels'
// descriptions); the terminator table, the colour chooser cancelled, the text panel's
// heights, the next field following the format popup, the notifications each kind of item
// acts on, the next-letter fields and the label rows; and the panels showing the selection,
// blank where two dimensions differ.
#include <set>
#include <span>
#include <string>
#include <vector>

#include "PanelSessionFixture.h"
#include "core/PlotwiseSelection.h"
#include "dimensions/DimensionStorage.h"
#include "panels/LabelsPanel.h"
#include "panels/StylesPanel.h"
#include "panels/TextPanel.h"
#include "panels/UnitsMenus.h"

namespace paneltest {
namespace {

using D = Plotwise3_Live_Dimension_Data;

class StylePanelsTest : public PanelSession {
protected:
    void SetUp() override {
        PanelSession::SetUp();
        Start();
        session->newDocument();
    }
    // The stored style of the one live dimension of the document.
    D Stored() {
        D d{};
        int found = 0;
        Doc().walk([&](const standin::Art& a, int) {
            AIArtHandle h = standin::toHandle<AIArtHandle>(a.id);
            if (a.type == kGroupArt && !a.isLayerGroup() && IsDimension(h)) {
                ++found;
                EXPECT_EQ(GetDimensionData(h, &d), kNoErr);
            }
        });
        EXPECT_EQ(found, 1);
        return d;
    }
    static std::set<std::string> Changed(const D& a, const D& b) {
        std::set<std::string> out;
        for (const StyleField& f : StyleFields())
            if ((f.intField && a.*f.intField != b.*f.intField) || (f.realField && a.*f.realField != b.*f.realField) ||
                (f.stringField && std::string(a.*f.stringField) != b.*f.stringField))
                out.insert(f.field);
        out.erase("dimTextPrecedenceFlag");
        return out;
    }
    static std::string Value(const D& d, const std::string& field) {
        for (const StyleField& f : StyleFields()) {
            if (field != f.field) continue;
            if (f.intField) return std::to_string(d.*f.intField);
            if (f.realField) return std::to_string(d.*f.realField);
            return d.*f.stringField;
        }
        return "?";
    }
    AIErr On(const char* panelName, standin::UserAction a) {
        panel = Dialogs().findDialog(panelName);
        return User(a);
    }
};

enum class Act { kPress, kSet, kPick, kValue };
struct ControlCase {
    const char* panel;
    Act act;
    int32_t item;
    const char* text;  // kSet: the text typed; kPick and kValue: the entry or value
    const char* field;
    std::string expected;  // the field's value afterwards, as the record prints it
    std::set<std::string> stored = {};  // the stored fields that change (default: the field alone)
};

constexpr const char* S = "CADattributes";
constexpr const char* T = "CADtext";
constexpr const char* L = "CADlabels";

std::string R(float v) { return std::to_string(v); }

// In order: each case changes its field from the value the ones before left.
const ControlCase kControls[] = {
    {S, Act::kPress, 7, "", "arrowheadStyle", "6"},
    {S, Act::kPress, 8, "", "arrowheadStyle", "7"},
    {S, Act::kPress, 9, "", "arrowheadStyle", "1"},
    {S, Act::kPress, 10, "", "arrowheadStyle", "5"},
    {S, Act::kPress, 11, "", "arrowheadStyle", "3"},
    {S, Act::kPress, 12, "", "arrowheadStyle", "8"},
    {S, Act::kPress, 13, "", "arrowheadStyle", "2"},
    {S, Act::kPress, 6, "", "arrowheadStyle", "4"},
    {S, Act::kPress, 9, "", "arrowheadStyle", "1"},
    {S, Act::kSet, 15, "4", "arrowheadLength", R(4)},
    {S, Act::kSet, 18, "2", "arrowheadWeight", R(2)},
    {S, Act::kSet, 21, "30", "arrowheadAngle", R(30)},
    {S, Act::kPick, 56, "0", "terminatorDirection", "0"},
    {S, Act::kSet, 25, "20", "autoDimensionOffset", R(20)},
    {S, Act::kSet, 28, "2", "dimensionWeight", R(2)},
    {S, Act::kSet, 33, "3", "witnessGap", R(3)},
    {S, Act::kSet, 36, "2", "witnessWeight", R(2)},
    {S, Act::kSet, 39, "5", "witnessExtension", R(5)},
    {S, Act::kPress, 43, "", "chainDatum", "1"},
    {S, Act::kPress, 44, "", "JISDatumTerminator", "1"},
    {S, Act::kPress, 47, "", "makeSectionLineDoubleThick", "0"},
    {S, Act::kPress, 48, "", "primeSection", "0"},
    {S, Act::kPress, 52, "", "diameterLeaderSpansCircle", "1"},
    {S, Act::kSet, 54, "50", "diameterLeaderLength", R(50)},
    {S, Act::kPick, 3, "4", "dimensionColorComponent1", "65535", {"dimensionColorEntry", "dimensionColorComponent1"}},
    {T, Act::kSet, 4, "10", "dimensionTextSize", R(10)},
    {T, Act::kPress, 6, "", "hTextPlacement", "2"},
    {T, Act::kPress, 12, "", "vTextPlacement", "2"},
    {T, Act::kPress, 10, "", "vTextPlacement", "3"},
    {T, Act::kPress, 11, "", "vTextPlacement", "4"},
    {T, Act::kPress, 9, "", "vTextPlacement", "5"},
    {T, Act::kPress, 8, "", "vTextPlacement", "1"},
    {T, Act::kPress, 15, "", "aTextPlacement", "2"},
    {T, Act::kPress, 5, "", "hTextPlacement", "1"},
    {T, Act::kSet, 13, "6", "textDistanceAboveLine", R(6)},
    {T, Act::kPress, 41, "", "useUniversalTextAngle", "1"},
    {T, Act::kPress, 17, "", "appendDiamLabels", "0"},
    {T, Act::kPick, 18, "1", "diameterLabelsBefore", "0"},
    {T, Act::kPress, 20, "", "dualDimensions", "1"},
    {T, Act::kPick, 22, "3", "upperUnits", "3"},
    {T, Act::kPress, 23, "", "appendUpperUnitLabels", "0"},
    // Both precisions of the value take the pick, in the style and on the dimension.
    {T, Act::kPick, 25, "1", "upperDecimalPrecision", "1", {"upperDecimalPrecision", "upperFractionalPrecision"}},
    {T, Act::kPress, 26, "", "upperTolerance", "1"},
    {T, Act::kSet, 27, "0.1", "upperToleranceValue", "0.1"},
    {T, Act::kPress, 37, "", "upperToleranceSuperscript", "1"},
    {T, Act::kPick, 29, "3", "lowerUnits", "3"},
    {T, Act::kPress, 30, "", "appendLowerUnitLabels", "0"},
    {T, Act::kPick, 32, "2", "lowerDecimalPrecision", "2", {"lowerDecimalPrecision", "lowerFractionalPrecision"}},
    {T, Act::kPress, 33, "", "lowerTolerance", "1"},
    {T, Act::kSet, 34, "0.2", "lowerToleranceValue", "0.2"},
    {T, Act::kPress, 38, "", "lowerToleranceSuperscript", "1"},
    {T, Act::kPress, 43, "", "slideDimText", "0"},
    {T, Act::kValue, 49, "20", "textSpacing", "20"},
    {T, Act::kPress, 55, "", "upperRefDimension", "1"},
    {T, Act::kPress, 56, "", "lowerRefDimension", "1"},
    {T, Act::kPick, 45, "3", "dimensionFormat", "3"},
    {L, Act::kPress, 2, "", "labelLeader", "0"},
    {L, Act::kPress, 1, "", "labelLeader", "3"},
    {L, Act::kPress, 3, "", "labelLeader", "4"},
    {L, Act::kPress, 5, "", "labelLeader", "2"},
    {L, Act::kPress, 6, "", "labelLeader", "5"},
    {L, Act::kPress, 4, "", "labelLeader", "1"},
    {L, Act::kSet, 14, "40", "labelLeaderLength", R(40)},
    {L, Act::kPress, 9, "", "labelShape", "1"},
    {L, Act::kPress, 11, "", "labelShape", "2"},
    {L, Act::kPress, 12, "", "labelShape", "3"},
    {L, Act::kPress, 10, "", "labelShape", "5"},
    {L, Act::kPress, 13, "", "labelShape", "6"},
    {L, Act::kPress, 8, "", "labelShape", "0"},
    {L, Act::kValue, 17, "20", "labelBorder", "20"},
    {L, Act::kPress, 42, "", "stretchLabelShape", "0"},
    {L, Act::kPick, 23, "1", "alphaLabelMenuOption", "1"},
    {L, Act::kPick, 27, "2", "numericLabelMenuOption", "2"},
    {L, Act::kPress, 30, "", "NumericLabelsUseLeadingZeros", "1"},
    {L, Act::kSet, 31, "3", "NumericLabelsNumberOfLeadingZeros", "3"},
    {L, Act::kPick, 33, "1", "customLabelMenuOption", "1"},
    {L, Act::kPress, 36, "", "geoLabelX", "1"},
    {L, Act::kPress, 37, "", "geoLabelY", "1"},
    {L, Act::kPress, 38, "", "geoLabelW", "1"},
    {L, Act::kPress, 39, "", "geoLabelH", "1"},
    {L, Act::kPress, 40, "", "geoLabelP", "1"},
    {L, Act::kPress, 41, "", "geoLabelA", "0"},
    {L, Act::kPick, 21, "3", "labelFormat", "3"},
};

TEST_F(StylePanelsTest, EveryControlWritesItsFieldAndChangesOnlyThatFieldOfTheSelectedDimension) {
    Dimension(1, true);
    for (const ControlCase& c : kControls) {
        const D before = Stored();
        standin::UserAction a;
        switch (c.act) {
            case Act::kPress: a = Pressed(c.item); break;
            case Act::kSet: a = Typed(c.item, c.text); break;
            case Act::kPick: a = Picked(c.item, std::stoi(c.text)); break;
            case Act::kValue: a = Valued(c.item, std::stof(c.text)); break;
        }
        const std::string where = std::string(c.panel) + " item " + std::to_string(c.item);
        ASSERT_EQ(On(c.panel, a), kNoErr) << where;
        const D after = Stored();
        EXPECT_EQ(Value(g->prefs.style, c.field), c.expected) << where;
        EXPECT_EQ(Value(after, c.field), c.expected) << where;
        const std::set<std::string> expected = c.stored.empty() ? std::set<std::string>{c.field} : c.stored;
        EXPECT_EQ(Changed(before, after), expected) << where;
    }
    const D last = Stored();  // the picks, which the fractional units would show
    EXPECT_EQ(std::pair(last.upperFractionalPrecision, last.lowerFractionalPrecision), std::pair(1, 2));
}

TEST_F(StylePanelsTest, TheTerminatorTableSetsTheLengthCaptionAndFields) {
    panel = Dialogs().findDialog(S);
    ASSERT_EQ(Press(13), kNoErr);  // the dot: its length is a diameter, it has no angle
    EXPECT_EQ(View(kArrowheadLengthCaption).text, "Diameter:");
    EXPECT_TRUE(View(kArrowheadLengthField).enabled);
    EXPECT_FALSE(View(kArrowheadAngleField).enabled);
    ASSERT_EQ(Press(6), kNoErr);  // no terminator
    EXPECT_FALSE(View(kArrowheadLengthField).enabled);
    EXPECT_FALSE(View(kArrowheadAngleField).enabled);
    EXPECT_TRUE(View(kArrowheadWeightField).enabled);
    ASSERT_EQ(Press(7), kNoErr);  // the open arrow
    EXPECT_EQ(View(kArrowheadLengthCaption).text, "Length:");
    EXPECT_TRUE(View(kArrowheadAngleField).enabled);
    ASSERT_EQ(Press(kChainDatumCheckBox), kNoErr);
    ASSERT_EQ(Press(kJISDatumCheckBox), kNoErr);
    ASSERT_EQ(Press(kChainDatumCheckBox), kNoErr);  // chain off: JIS disabled, its value kept
    EXPECT_FALSE(View(kJISDatumCheckBox).enabled);
    EXPECT_EQ(g->prefs.style.JISDatumTerminator, 1);
}

TEST_F(StylePanelsTest, ACancelledColourChooserChangesNothing) {
    Dimension(1, true);
    const D before = Stored();
    const D style = g->prefs.style;
    panel = Dialogs().findDialog(S);
    Dialogs().queueColorAnswer(std::nullopt);  // the user cancels
    ASSERT_EQ(Pick(kColorPopup, kOtherColorEntry), kNoErr);
    EXPECT_TRUE(Changed(before, Stored()).empty());
    EXPECT_TRUE(Changed(style, g->prefs.style).empty());
    EXPECT_EQ(sADMEntry->GetIndex(sADMList->GetActiveEntry(sADMItem->GetList(sADMDialog->GetItem(panel, kColorPopup)))),
              style.dimensionColorEntry);
}

TEST_F(StylePanelsTest, TheTextPanelsHeightFollowsTheOptionsFormatAndDualValue) {
    panel = Dialogs().findDialog(T);
    auto height = [&] { return LocalRect().bottom - LocalRect().top; };
    EXPECT_EQ(height(), 358);
    ASSERT_EQ(Press(kDualDimensionsCheckBox), kNoErr);
    EXPECT_EQ(height(), 450);
    ASSERT_EQ(Pick(kDimensionFormatPopup, 1), kNoErr);
    EXPECT_EQ(height(), 242);
    ASSERT_EQ(Pick(kADMPopoutMenuItemID, 0), kNoErr);  // options hidden
    EXPECT_EQ(height(), 119);
}

TEST_F(StylePanelsTest, TheNextFieldTakesTheFormatThePopupShows) {
    // A preset (or anything but the popup) may leave another format in the style than the
    // popup shows: rebuilding the next field takes the popup's, so new dimensions and labels
    // are drawn in the format the drafter sees.
    struct Step {
        int32_t shown, stored;
        bool counts;  // the next field and its caption enabled
    };
    const struct {
        const char* panel;
        int32_t popup, field, caption;
        int32_t D::*format;
        void (*update)();
        std::vector<Step> steps;
    } kPanels[] = {
        {T, kDimensionFormatPopup, kDimensionNextField, kDimensionNextCaption, &D::dimensionFormat,
         &UpdateDimensionIncrementFld, {{0, 1, false}, {1, 0, true}, {2, 3, true}, {3, 2, false}, {0, 2, false}}},
        // Labels: letters and numbers count, custom text does not.
        {L, kLabelFormatPopup, kLabelNextField, kLabelNextCaption, &D::labelFormat, &UpdateLabelIncrementFld,
         {{3, 0, false}, {1, 3, true}, {0, 1, true}}},
    };
    for (const auto& p : kPanels) {
        panel = Dialogs().findDialog(p.panel);
        for (const Step& s : p.steps) {
            ASSERT_EQ(Pick(p.popup, s.shown), kNoErr);
            g->prefs.style.*p.format = s.stored;
            p.update();
            const std::string where = std::string(p.panel) + ": shown " + std::to_string(s.shown) + ", stored " +
                                      std::to_string(s.stored);
            EXPECT_EQ(g->prefs.style.*p.format, s.shown) << where;
            EXPECT_EQ(View(p.field).enabled, s.counts) << where;
            EXPECT_EQ(View(p.caption).enabled, s.counts) << where;
        }
    }
}

TEST_F(StylePanelsTest, ItemsActOnTheNotificationsTheirKindSends) {
    // Set up, the tolerance fields hold what their template holds: the value is shown once
    // the selection is read.
    panel = Dialogs().findDialog(T);
    EXPECT_EQ(View(kUpperToleranceField).text, "");
    EXPECT_EQ(View(kLowerToleranceField).text, "");
    Dimension(1, true);
    // Pictures of terminators while the user is still on them, and the reference boxes on
    // any notification, are taken and pushed.
    const struct {
        const char* panel;
        int32_t item;
        const char* notifier;
        const char* field;
        std::string expected;
    } kCases[] = {
        {S, 7, kADMIntermediateChangedNotifier, "arrowheadStyle", "6"},
        {S, 12, kADMIntermediateChangedNotifier, "arrowheadStyle", "8"},
        {T, kUpperReferenceCheckBox, kADMIntermediateChangedNotifier, "upperRefDimension", "1"},
        {T, kLowerReferenceCheckBox, kADMBoundsChangedNotifier, "lowerRefDimension", "1"},
    };
    for (const auto& c : kCases) {
        panel = Dialogs().findDialog(c.panel);
        ADMItemRef item = sADMDialog->GetItem(panel, c.item);
        ASSERT_NE(item, nullptr);
        ASSERT_EQ(session->hostEvent([&] { return sADMItem->SetBooleanValue(item, true); }), kNoErr);
        ASSERT_EQ(session->hostEvent([&] { return sADMItem->SendNotify(item, c.notifier); }), kNoErr);
        EXPECT_EQ(Value(g->prefs.style, c.field), c.expected) << c.panel << " item " << c.item;
        EXPECT_EQ(Value(Stored(), c.field), c.expected) << c.panel << " item " << c.item;
    }
}

TEST_F(StylePanelsTest, TheNextLetterTakesOneCapitalAndTheNextNumberItsValue) {
    const std::pair<const char*, int32_t> kLetters[] = {{"D", 3}, {"d", 3}, {"AB", 3}, {"7", 3}, {"", 3}, {"Z", 25}};
    // A whole number from 0 to 32767 as typed; anything else is refused and leaves it. The
    // field then shows the one the next dimension or label takes.
    const std::pair<const char*, int32_t> kNumbers[] = {{"5", 5},   {"x", 5},     {"-3", 5},
                                                        {"2.5", 5}, {"32768", 5}, {"32767", 32767}};
    for (const char* name : {T, L}) {
        panel = Dialogs().findDialog(name);
        const bool text = std::string(name) == T;
        const int32_t popup = text ? int32_t{kDimensionFormatPopup} : int32_t{kLabelFormatPopup};
        const int32_t field = text ? int32_t{kDimensionNextField} : int32_t{kLabelNextField};
        for (const bool letters : {true, false}) {
            ASSERT_EQ(Pick(popup, (text ? 1 : 0) + (letters ? 0 : 1)), kNoErr);
            int32_t& counter = letters ? (text ? g->prefs.incrementalDimAlpha : g->prefs.incrementalLabelAlpha)
                                       : (text ? g->prefs.incrementalDimNumber : g->prefs.incrementalLabelNumber);
            const size_t alerts = Dialogs().alerts().size();
            for (const auto& [typed, expected] : letters ? std::span(kLetters) : std::span(kNumbers)) {
                ASSERT_EQ(Type(field, typed), kNoErr);
                EXPECT_EQ(counter, expected) << name << " \"" << typed << "\"";
                EXPECT_EQ(View(field).text, letters ? std::string(1, static_cast<char>('A' + expected))
                                                    : std::to_string(expected)) << name << " \"" << typed << "\"";
            }
            EXPECT_EQ(Dialogs().alerts().size(), alerts + 4) << name;  // one message per refusal
        }
    }
}

TEST_F(StylePanelsTest, TheLabelRowsFollowTheFormatAndTheNumericOptionMovesTheCounter) {
    panel = Dialogs().findDialog(L);
    auto height = [&] { return LocalRect().bottom - LocalRect().top; };
    auto top = [&](int32_t item) {
        ADMRect r{};
        sADMItem->GetBoundsRect(sADMDialog->GetItem(panel, item), &r);
        return r.top;
    };
    ASSERT_EQ(Pick(kLabelFormatPopup, 0), kNoErr);
    EXPECT_EQ(height(), 196);
    EXPECT_EQ(top(kAlphaOptionPopup), 172);
    EXPECT_EQ(top(kNumericOptionPopup), 270);
    ASSERT_EQ(Pick(kLabelFormatPopup, 2), kNoErr);
    EXPECT_EQ(height(), 218);
    EXPECT_EQ(top(40), 194);
    EXPECT_EQ(top(kAlphaOptionPopup), 270);
    ASSERT_EQ(Pick(kLabelFormatPopup, 3), kNoErr);
    EXPECT_FALSE(View(kLabelNextField).enabled);
    // Every number, then even numbers with the counter at 7: the counter moves on to 8;
    // choosing even numbers again does not move it.
    ASSERT_EQ(Pick(kNumericOptionPopup, 0), kNoErr);
    g->prefs.incrementalLabelNumber = 7;
    ASSERT_EQ(Pick(kNumericOptionPopup, 1), kNoErr);
    EXPECT_EQ(g->prefs.incrementalLabelNumber, 8);
    ASSERT_EQ(Pick(kNumericOptionPopup, 1), kNoErr);
    EXPECT_EQ(g->prefs.incrementalLabelNumber, 8);
}

TEST_F(StylePanelsTest, ThePanelsShowTheSelectionBlankWhereItDiffers) {
    D one = g->prefs.style;
    one.arrowheadLength = 5;
    one.arrowheadWeight = 3;
    one.dimensionTextSize = 20;
    D two = one;
    two.arrowheadLength = 7;
    const float own = g->prefs.style.arrowheadLength;
    AIArtHandle first = Dimension(1, false, &one);
    AIArtHandle second = Dimension(2, false, &two);
    ASSERT_EQ(session->hostEvent([&]() -> AIErr {
        if (AIErr err = sAIArt->SetArtUserAttr(first, kArtSelected, kArtSelected)) return err;
        return sAIArt->SetArtUserAttr(second, kArtSelected, kArtSelected);
    }),
              kNoErr);
    panel = Dialogs().findDialog(S);
    EXPECT_FALSE(View(kArrowheadLengthField).known);
    EXPECT_TRUE(View(kArrowheadWeightField).known);
    EXPECT_FLOAT_EQ(View(kArrowheadWeightField).value, 3);
    EXPECT_EQ(g->prefs.style.arrowheadLength, own);  // a mixed field keeps the current value
    EXPECT_EQ(g->prefs.style.arrowheadWeight, 3);    // the rest becomes the current style
    EXPECT_EQ(g->prefs.style.dimensionTextSize, 20);
    // One of them alone: everything known, its length taken.
    ASSERT_EQ(session->hostEvent([&]() -> AIErr { return sAIArt->SetArtUserAttr(second, kArtSelected, 0); }), kNoErr);
    EXPECT_TRUE(View(kArrowheadLengthField).known);
    EXPECT_EQ(g->prefs.style.arrowheadLength, 5);
    // Nothing selected: the current style itself, every item known.
    ASSERT_EQ(session->hostEvent([]() -> AIErr { return deselectAllArt(); }), kNoErr);
    EXPECT_TRUE(View(kArrowheadLengthField).known);
    EXPECT_FLOAT_EQ(View(kArrowheadLengthField).value, g->prefs.style.arrowheadLength);
}

// A change of selection shows the wall thickness in force and stores nothing: 6 in, in a
// unit and precision that round it, stays 6 in (432 pt), and text left in the field without
// being taken is shown over.
TEST_F(StylePanelsTest, ASelectionShowsTheWallThicknessAndKeepsIt) {
    ADMDialogRef walls = Dialogs().findDialog("CADwalls");
    ASSERT_NE(walls, nullptr);
    ADMItemRef field = sADMDialog->GetItem(walls, 4);
    const struct {
        int32_t units, precision;
        const char* left;   // in the field, not yet taken (null: the thickness as shown)
        const char* shown;  // 6 in rounded
    } cases[] = {
        {3, 0, nullptr, "152 mm"},  // the shipped unit: 152.4 mm
        {16, 0, nullptr, "1'"},     // half a foot, rounded up
        {5, 0, nullptr, "0 m"},     // 0.1524 m
        {0, 0, "30", "432 pt"},
    };
    int32_t id = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        g->prefs.NumericInputUnits = c.units;
        g->prefs.NumericInputPrecision = c.precision;
        g->prefs.wallThickness = 432;
        // The unit chosen: the panels show it.
        ASSERT_EQ(session->hostEvent([] { return UpdateAllUnitsMenus(), kNoErr; }), kNoErr);
        if (c.left) sADMItem->SetText(field, c.left);
        Dimension(id++, true);  // selected
        ASSERT_EQ(session->hostEvent([]() -> AIErr { return deselectAllArt(); }), kNoErr);
        EXPECT_EQ(g->prefs.wallThickness, 432.0f);
        char text[64] = {};
        sADMItem->GetText(field, text, sizeof text);
        EXPECT_STREQ(text, c.shown);
    }
}

}  // namespace
}  // namespace paneltest
