// The style push: each setting carries exactly its own fields into the selected dimensions'
// stored styles (the expected fields written from the setting's description), the colour as
// one group; the push applies with live dimensions switched off; hidden and unselected
// dimensions keep theirs; the groups are selected again without touching removed ones.
#include <set>
#include <string>
#include <tuple>

#include "LiveDimensionFixture.h"
#include "core/PlotwiseSelection.h"
#include "dimensions/StylePush.h"

namespace livetest {
namespace {

using D = Plotwise3_Live_Dimension_Data;

class StylePushTest : public LiveDimensionFixture {
protected:
    // Every field of the current style made different from the stored one.
    void ChangeEveryField() {
        for (const StyleField& f : StyleFields()) {
            D& s = g->prefs.style;
            // Within the field's domain, which a stored value must keep to be read back.
            const int32_t n = f.intField ? s.*f.intField : 0;
            if (f.intField && f.type == DictEntryType::kBoolean) s.*f.intField = !n;
            else if (f.intField) s.*f.intField = f.Holds(n + 7) ? n + 7 : f.Holds(n + 1) ? n + 1 : n - 1;
            if (f.realField) s.*f.realField += f.Holds(s.*f.realField + 1.5f) ? 1.5f : -1.5f;
            if (f.stringField) CopyCString(s.*f.stringField, "changed");
        }
    }
    // The names of the stored fields that differ between two records.
    static std::set<std::string> Changed(const D& before, const D& after) {
        std::set<std::string> out;
        for (const StyleField& f : StyleFields()) {
            const bool differs = (f.intField && before.*f.intField != after.*f.intField) ||
                                 (f.realField && before.*f.realField != after.*f.realField) ||
                                 (f.stringField && std::string(before.*f.stringField) != after.*f.stringField);
            if (differs) out.insert(f.field);
        }
        return out;
    }
    D Stored(AIArtHandle group) {
        D d{};
        EXPECT_EQ(GetDimensionData(group, &d), kNoErr);
        return d;
    }
    void Select(AIArtHandle art) { ASSERT_EQ(sAIArt->SetArtUserAttr(art, kArtSelected, kArtSelected), kNoErr); }
};

// The fields each setting carries, from its description; every push also marks the texts
// as taken from the document (dimTextPrecedenceFlag).
const std::set<std::string> kColour = {"dimensionColorEntry",      "dimensionColorComponent1",
                                       "dimensionColorComponent2", "dimensionColorComponent3",
                                       "dimensionColorComponent4", "dimensionColorType",
                                       "dimensionCustomColorType", "dimensionCustomColorTint"};
const std::pair<int32_t, std::set<std::string>> kExpected[] = {
    {0, {"live"}},
    {1, {}},
    {2, {"upperUnits"}},
    {3, {"upperDecimalPrecision"}},
    {4, {"upperFractionalPrecision"}},
    {5, kColour},
    {6, {}}, {7, {}}, {8, {}}, {9, {}}, {10, {}}, {11, {}},
    {12, {"dimensionWeight"}},
    {13, {"dimensionTextSize"}},
    {14, {"dimensionTextFaceStr"}},
    {15, {"dimensionColorType"}},
    {16, {"arrowheadStyle"}},
    {17, {"arrowheadLength"}},
    {18, {"arrowheadAngle"}},
    {19, {"hTextPlacement"}},
    {20, {"vTextPlacement"}},
    {21, {"aTextPlacement"}},
    {22, {"textDistanceAboveLine"}},
    {23, {"witnessGap"}},
    {24, {"witnessExtension"}},
    {25, {"autoDimensionOffset"}},
    {26, {"appendUpperUnitLabels"}},
    {27, {"appendDiamLabels"}},
    {28, {"diameterLabelsBefore"}},
    {29, {"labelLeader"}},
    {30, {"labelShape"}},
    {31, {"pointerLabelType"}},
    {32, {"makeSectionLineDoubleThick"}},
    {33, {"primeSection"}},
    {34, {"chainDatum"}},
    {35, {"JISDatumTerminator"}},
    {36, {"arrowheadWeight"}},
    {37, {"witnessWeight"}},
    {38, {"useUniversalTextAngle"}},
    {39, {"moveLargeDimensionText"}},
    {40, {"dualDimensions"}},
    {41, {"upperTolerance"}},
    {42, {"upperToleranceValue"}},
    {43, {"upperToleranceSuperscript"}},
    {44, {"lowerUnits"}},
    {45, {"appendLowerUnitLabels"}},
    {46, {"lowerDecimalPrecision"}},
    {47, {"lowerFractionalPrecision"}},
    {48, {"lowerTolerance"}},
    {49, {"lowerToleranceValue"}},
    {50, {"lowerToleranceSuperscript"}},
    {51, {"labelBorder"}},
    {52, {"diameterLeaderSpansCircle"}},
    {53, {"dimensionFormat"}},
    {54, {"slideDimText"}},
    {55, {"textSpacing"}},
    {56, {"labelLeaderLength"}},
    {57, {"labelFormat"}},
    {58, {"diameterLeaderLength"}},
    {59, {"alphaLabelMenuOption"}},
    {60, {"numericLabelMenuOption"}},
    {61, {"customLabelMenuOption"}},
    {62, {"NumericLabelsUseLeadingZeros"}},
    {63, {"NumericLabelsNumberOfLeadingZeros"}},
    {64, {"geoLabelX"}},
    {65, {"geoLabelY"}},
    {66, {"geoLabelW"}},
    {67, {"geoLabelH"}},
    {68, {"geoLabelP"}},
    {69, {"geoLabelA"}},
    {70, {"stretchLabelShape"}},
    {71, {"terminatorDirection"}},
    {72, {"upperRefDimension"}},
    {73, {"lowerRefDimension"}},
    {74, {}},   // outside the table: nothing
    {-1, {}},
};

TEST_F(StylePushTest, EachSettingCarriesExactlyItsFields) {
    for (const auto& [code, fields] : kExpected) {
        AIArtHandle group = Dimension(1);
        Select(group);
        const D before = Stored(group);
        const D current = g->prefs.style;
        ChangeEveryField();
        EXPECT_EQ(UpdateLiveAttributes(static_cast<CADAttrType>(code), kProcessSelectedArt), kNoErr);
        std::set<std::string> expected = fields;
        expected.insert("dimTextPrecedenceFlag");
        EXPECT_EQ(Changed(before, Stored(group)), expected) << "code " << code;
        g->prefs.style = current;
        ASSERT_EQ(sAIArt->DisposeArt(group), kNoErr);
    }
}

TEST_F(StylePushTest, FormatStepsSetThePrecedenceTheFormatAsksFor) {
    // Custom text and formats outside the menu keep the texts as typed (1), the counting
    // formats take their texts from the counters (2).
    const std::pair<int32_t, int32_t> kDimension[] = {{0, 2}, {1, 2}, {2, 2}, {3, 1}, {4, 2}, {9, 1}};
    for (const auto& [format, precedence] : kDimension) {
        AIArtHandle group = Dimension(1);
        Select(group);
        g->prefs.style.dimensionFormat = format;
        ASSERT_EQ(UpdateLiveAttributes(KCADAttrDimFormat, kProcessSelectedArt), kNoErr);
        EXPECT_EQ(Stored(group).dimTextPrecedenceFlag, precedence) << "dimension format " << format;
        EXPECT_EQ(Stored(group).dimensionFormat, format > 4 ? 0 : format);  // one no routine knows reads as 0
        ASSERT_EQ(sAIArt->DisposeArt(group), kNoErr);
    }
    const std::pair<int32_t, int32_t> kLabel[] = {{0, 2}, {1, 2}, {2, 2}, {3, 1}, {4, 1}};
    for (const auto& [format, precedence] : kLabel) {
        AIArtHandle group = Dimension(1);
        Select(group);
        g->prefs.style.labelFormat = format;
        ASSERT_EQ(UpdateLiveAttributes(kCADAttrLabelFormat, kProcessSelectedArt), kNoErr);
        EXPECT_EQ(Stored(group).dimTextPrecedenceFlag, precedence) << "label format " << format;
        ASSERT_EQ(sAIArt->DisposeArt(group), kNoErr);
    }
}

TEST_F(StylePushTest, AllSettingsKeepTheFormatsAndTextsOfEachDimension) {
    // A preset restyles (here its text a point larger): whatever formats it carries, each
    // dimension keeps its own and the texts it shows (1), so no number, letter or typed text
    // is lost.
    const struct {
        int32_t dimension, label;
    } kCases[] = {{0, 3}, {1, 3}, {3, 3}, {0, 0}, {3, 1}, {3, 2}, {1, 7}, {3, 7}};
    for (const auto& c : kCases) {
        AIArtHandle group = Dimension(1);
        Select(group);
        const D before = Stored(group);
        g->prefs.style.dimensionFormat = c.dimension;
        g->prefs.style.labelFormat = c.label;
        g->prefs.style.dimensionTextSize = before.dimensionTextSize + 1;
        ASSERT_EQ(UpdateAllLiveAttributes(kProcessSelectedArt), kNoErr);
        const D after = Stored(group);
        EXPECT_EQ(std::tuple(after.dimTextPrecedenceFlag, after.dimensionFormat, after.labelFormat),
                  std::tuple(1, before.dimensionFormat, before.labelFormat))
            << "dimension format " << c.dimension << ", label format " << c.label;
        ASSERT_EQ(sAIArt->DisposeArt(group), kNoErr);
    }
}

TEST_F(StylePushTest, AllSettingsKeepTheReferenceFlags) {
    AIArtHandle group = Dimension(1);
    Select(group);
    const D before = Stored(group);
    ChangeEveryField();
    ASSERT_EQ(UpdateAllLiveAttributes(kProcessSelectedArt), kNoErr);
    const std::set<std::string> changed = Changed(before, Stored(group));
    for (const char* kept : {"upperRefDimension", "lowerRefDimension", "id", "modifiers", "dimensionCustomColorName",
                             "dimensionExtension", "upperToleranceUnits", "lowerToleranceUnits", "dimensionFormat",
                             "labelFormat"})
        EXPECT_EQ(changed.count(kept), 0u) << kept;
    for (const char* taken : {"arrowheadLength", "geoLabelA", "terminatorDirection"})
        EXPECT_EQ(changed.count(taken), 1u) << taken;
}

TEST_F(StylePushTest, ThePushAppliesWithLiveDimensionsSwitchedOff) {
    AIArtHandle group = Dimension(1);
    Select(group);
    g->prefs.createLiveDimensions = 0;
    g->prefs.style.arrowheadLength = 3;
    ASSERT_EQ(UpdateLiveAttributes(kCADAttrArrowheadLength, kProcessSelectedArt), kNoErr);
    EXPECT_EQ(Stored(group).arrowheadLength, 3);
    EXPECT_EQ(g->prefs.createLiveDimensions, 0);
}

TEST_F(StylePushTest, OnlySelectedVisibleDimensionsChangeAndEveryGroupIsSelectedAgain) {
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    AIArtHandle picked = Dimension(1);  // redrawn: its successor keeps the selection
    AIArtHandle other = Dimension(2);
    AIArtHandle hidden = Dimension(3);
    AIArtHandle plain = NewArt(kGroupArt);
    for (int32_t id : {1, 2, 3}) Anchor(path, id, 1, kIncline, 0), Anchor(path, id, 2, kIncline, 1);
    for (AIArtHandle art : {picked, hidden, plain}) Select(art);
    ASSERT_EQ(sAIArt->SetArtUserAttr(hidden, kArtHidden, kArtHidden), kNoErr);
    g->prefs.style.arrowheadLength = 3;
    ASSERT_EQ(UpdateLiveAttributes(kCADAttrArrowheadLength, kProcessSelectedArt), kNoErr);
    EXPECT_FALSE(Valid(picked));
    EXPECT_EQ(Stored(other).arrowheadLength, 9);
    EXPECT_EQ(Stored(hidden).arrowheadLength, 9);
    std::vector<AIArtHandle> selected;
    ASSERT_EQ(MatchingArt(true, selected, kGroupArt), kNoErr);
    int redrawnSelected = 0;
    for (AIArtHandle art : selected)
        if (IsDimension(art) && GetDimensionID(art) == 1) {
            ++redrawnSelected;
            EXPECT_EQ(Stored(art).arrowheadLength, 3);
        }
    EXPECT_EQ(redrawnSelected, 1);
    uint32_t attr = 0;
    ASSERT_EQ(sAIArt->GetArtUserAttr(plain, kArtSelected, &attr), kNoErr);
    EXPECT_TRUE(attr & kArtSelected);
}

TEST_F(StylePushTest, NothingSelectedChangesNothing) {
    AIArtHandle group = Dimension(1);
    const D before = Stored(group);
    g->prefs.style.arrowheadLength = 3;
    ASSERT_EQ(UpdateLiveAttributes(kCADAttrArrowheadLength, kProcessSelectedArt), kNoErr);
    EXPECT_TRUE(Changed(before, Stored(group)).empty());
    EXPECT_TRUE(gSeen.empty());
}

}  // namespace
}  // namespace livetest
