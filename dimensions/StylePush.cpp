// The style push: one table names the fields each setting carries, one walk stores them on
// the dimensions of the target and redraws those dimensions.
#include "dimensions/StylePush.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <vector>

#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionTextList.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;
using D = Plotwise3_Live_Dimension_Data;

template <auto... F>
inline constexpr std::array<const StyleField*, sizeof...(F)> kFields = {&StyleFieldOf<F>()...};

template <auto... F>
constexpr std::span<const StyleField* const> Fields() {
    return kFields<F...>;
}

constexpr auto kColourGroup =
    Fields<&D::dimensionColorEntry, &D::dimensionColorComponent1, &D::dimensionColorComponent2,
           &D::dimensionColorComponent3, &D::dimensionColorComponent4, &D::dimensionColorType,
           &D::dimensionCustomColorType, &D::dimensionCustomColorTint>();

// By code, 0 to 73.
constexpr std::span<const StyleField* const> kPushTable[kCADAttrCount] = {
    Fields<&D::live>(),
    {},
    Fields<&D::upperUnits>(),
    Fields<&D::upperDecimalPrecision>(),
    Fields<&D::upperFractionalPrecision>(),
    kColourGroup,
    {}, {}, {}, {}, {}, {},
    Fields<&D::dimensionWeight>(),
    Fields<&D::dimensionTextSize>(),
    Fields<&D::dimensionTextFaceStr>(),
    Fields<&D::dimensionColorType>(),
    Fields<&D::arrowheadStyle>(),
    Fields<&D::arrowheadLength>(),
    Fields<&D::arrowheadAngle>(),
    Fields<&D::hTextPlacement>(),
    Fields<&D::vTextPlacement>(),
    Fields<&D::aTextPlacement>(),
    Fields<&D::textDistanceAboveLine>(),
    Fields<&D::witnessGap>(),
    Fields<&D::witnessExtension>(),
    Fields<&D::autoDimensionOffset>(),
    Fields<&D::appendUpperUnitLabels>(),
    Fields<&D::appendDiamLabels>(),
    Fields<&D::diameterLabelsBefore>(),
    Fields<&D::labelLeader>(),
    Fields<&D::labelShape>(),
    Fields<&D::pointerLabelType>(),
    Fields<&D::makeSectionLineDoubleThick>(),
    Fields<&D::primeSection>(),
    Fields<&D::chainDatum>(),
    Fields<&D::JISDatumTerminator>(),
    Fields<&D::arrowheadWeight>(),
    Fields<&D::witnessWeight>(),
    Fields<&D::useUniversalTextAngle>(),
    Fields<&D::moveLargeDimensionText>(),
    Fields<&D::dualDimensions>(),
    Fields<&D::upperTolerance>(),
    Fields<&D::upperToleranceValue>(),
    Fields<&D::upperToleranceSuperscript>(),
    Fields<&D::lowerUnits>(),
    Fields<&D::appendLowerUnitLabels>(),
    Fields<&D::lowerDecimalPrecision>(),
    Fields<&D::lowerFractionalPrecision>(),
    Fields<&D::lowerTolerance>(),
    Fields<&D::lowerToleranceValue>(),
    Fields<&D::lowerToleranceSuperscript>(),
    Fields<&D::labelBorder>(),
    Fields<&D::diameterLeaderSpansCircle>(),
    Fields<&D::dimensionFormat>(),
    Fields<&D::slideDimText>(),
    Fields<&D::textSpacing>(),
    Fields<&D::labelLeaderLength>(),
    Fields<&D::labelFormat>(),
    Fields<&D::diameterLeaderLength>(),
    Fields<&D::alphaLabelMenuOption>(),
    Fields<&D::numericLabelMenuOption>(),
    Fields<&D::customLabelMenuOption>(),
    Fields<&D::NumericLabelsUseLeadingZeros>(),
    Fields<&D::NumericLabelsNumberOfLeadingZeros>(),
    Fields<&D::geoLabelX>(),
    Fields<&D::geoLabelY>(),
    Fields<&D::geoLabelW>(),
    Fields<&D::geoLabelH>(),
    Fields<&D::geoLabelP>(),
    Fields<&D::geoLabelA>(),
    Fields<&D::stretchLabelShape>(),
    Fields<&D::terminatorDirection>(),
    Fields<&D::upperRefDimension>(),
    Fields<&D::lowerRefDimension>(),
};

constexpr auto kMapFields = kFields<
    &D::live, &D::dimensionColorType, &D::dimensionColorEntry, &D::dimensionColorComponent1,
    &D::dimensionColorComponent2, &D::dimensionColorComponent3, &D::dimensionColorComponent4,
    &D::dimensionCustomColorType, &D::dimensionCustomColorTint, &D::dimensionCustomColorName, &D::arrowheadStyle,
    &D::arrowheadLength, &D::arrowheadWeight, &D::arrowheadAngle, &D::autoDimensionOffset, &D::dimensionWeight,
    &D::witnessGap, &D::witnessWeight, &D::witnessExtension, &D::chainDatum, &D::JISDatumTerminator,
    &D::makeSectionLineDoubleThick, &D::primeSection, &D::dimensionTextFaceStr, &D::dimensionTextSize,
    &D::hTextPlacement, &D::vTextPlacement, &D::aTextPlacement, &D::textDistanceAboveLine,
    &D::useUniversalTextAngle, &D::moveLargeDimensionText, &D::appendDiamLabels, &D::diameterLabelsBefore,
    &D::diameterLeaderSpansCircle, &D::dualDimensions, &D::upperUnits, &D::appendUpperUnitLabels,
    &D::upperDecimalPrecision, &D::upperFractionalPrecision, &D::upperTolerance, &D::upperToleranceValue,
    &D::upperToleranceSuperscript, &D::lowerUnits, &D::appendLowerUnitLabels, &D::lowerDecimalPrecision,
    &D::lowerFractionalPrecision, &D::lowerTolerance, &D::lowerToleranceValue, &D::lowerToleranceSuperscript,
    &D::labelLeader, &D::labelShape, &D::pointerLabelType, &D::labelBorder, &D::labelFormat, &D::dimensionFormat,
    &D::slideDimText, &D::textSpacing, &D::labelLeaderLength, &D::diameterLeaderLength, &D::alphaLabelMenuOption,
    &D::numericLabelMenuOption, &D::customLabelMenuOption, &D::NumericLabelsUseLeadingZeros,
    &D::NumericLabelsNumberOfLeadingZeros, &D::geoLabelX, &D::geoLabelY, &D::geoLabelW, &D::geoLabelH,
    &D::geoLabelP, &D::geoLabelA, &D::stretchLabelShape, &D::terminatorDirection, &D::upperRefDimension,
    &D::lowerRefDimension>;
static_assert(kMapFields.size() == kStyleMapEntries);

void CopyField(const StyleField& f, const D& from, D& to) {
    if (f.intField) to.*f.intField = from.*f.intField;
    if (f.realField) to.*f.realField = from.*f.realField;
    if (f.stringField) CopyCString(to.*f.stringField, from.*f.stringField);
}

bool SameStyle(const D& a, const D& b) {
    return std::all_of(kMapFields.begin(), kMapFields.end(), [&](const StyleField* f) {
        if (f->intField) return a.*f->intField == b.*f->intField;
        if (f->realField) return a.*f->realField == b.*f->realField;
        return !f->stringField || std::strncmp(a.*f->stringField, b.*f->stringField, sizeof(a.*f->stringField)) == 0;
    });
}

bool Hidden(AIArtHandle art) {
    uint32_t attr = 0;
    return sAIArt->GetArtUserAttr(art, kArtHidden, &attr) == kNoErr && (attr & kArtHidden) != 0;
}

// The dimension-format step: the texts renumbered from the dimension counters where the
// format counts, and the precedence the format asks for.
AIErr DimensionFormatStep(AIArtHandle group, D& record) {
    const preferences& p = g->prefs;
    const int32_t format = p.style.dimensionFormat;
    if (format >= 0 && format <= 4 && format != 3) record.dimTextPrecedenceFlag = 2;
    if (format >= 0 && format <= 2) {
        AIArtHandle child = nullptr;
        if (AIErr err = sAIArt->GetArtFirstChild(group, &child)) return err;
        const int32_t base = format == 1 ? p.incrementalDimAlpha : format == 2 ? p.incrementalDimNumber : 0;
        if (child)
            if (AIErr err = SetAlphaNumericDimTextData(child, format, base, 0)) return err;
    }
    record.dimensionFormat = format;
    return kNoErr;
}

// The label-format step, likewise from the label counters; custom text keeps the texts as
// typed.
AIErr LabelFormatStep(AIArtHandle group, D& record) {
    const preferences& p = g->prefs;
    const int32_t format = p.style.labelFormat;
    const int label = record.dimensionLabelStr[0] != '\0' ? 1 : 0;
    if (format == 3) record.dimTextPrecedenceFlag = 1;
    if (format >= 0 && format <= 2) {
        record.dimTextPrecedenceFlag = 2;
        AIArtHandle child = nullptr;
        if (AIErr err = sAIArt->GetArtFirstChild(group, &child)) return err;
        const int32_t base = format == 0 ? p.incrementalLabelAlpha : format == 1 ? p.incrementalLabelNumber : 0;
        if (child)
            if (AIErr err = SetAlphaNumericDimTextData(child, format, base, label)) return err;
    }
    record.labelFormat = format;
    return kNoErr;
}

// What one push does to one stored style.
using Apply = std::function<AIErr(AIArtHandle group, D& record)>;

// Stored styles are written whatever the user's live-dimension setting says: the push is
// the user's own change to dimensions that are live already.
class LiveWhilePushing {
public:
    LiveWhilePushing() : saved_(g->prefs.createLiveDimensions) { g->prefs.createLiveDimensions = 1; }
    ~LiveWhilePushing() { g->prefs.createLiveDimensions = saved_; }
    LiveWhilePushing(const LiveWhilePushing&) = delete;
    LiveWhilePushing& operator=(const LiveWhilePushing&) = delete;

private:
    int saved_;
};

// Selects the matched groups that are still there (the redraw replaced the dimensions among
// them, which keep their own selection) on editable layers.
AIErr SelectAgain(const std::vector<AIArtHandle>& groups) {
    for (AIArtHandle group : groups) {
        if (!sAIArt->ValidArt(group, false)) continue;
        AILayerHandle layer = nullptr;
        ASBoolean editable = false;
        if (sAIArt->GetLayerOfArt(group, &layer) || !layer || sAILayer->GetLayerEditable(layer, &editable) ||
            !editable)
            continue;
        if (AIErr err = sAIArt->SetArtUserAttr(group, kArtSelected, kArtSelected)) return err;
    }
    return kNoErr;
}

// With `restyledOnly`, a dimension whose stored style the push leaves as it was keeps its
// record untouched (a preset load of the style in force writes nothing); the redraw still
// takes it in.
AIErr Push(PlotwiseProcessArtType which, const Apply& apply, bool restyledOnly = false) {
    if (!g || !sAIArt) return kCADErr;
    std::vector<AIArtHandle> groups;
    if (AIErr err = MatchingArt(which == kProcessSelectedArt, groups, kGroupArt)) return err;
    if (groups.empty()) return kNoErr;
    {
        const LiveWhilePushing live;
        for (AIArtHandle group : groups) {
            if (Hidden(group) || !IsDimension(group)) continue;
            D record{};
            if (AIErr err = GetDimensionData(group, &record)) return err;
            const D stored = record;
            record.dimTextPrecedenceFlag = 1;
            if (AIErr err = apply(group, record)) return err;
            if (restyledOnly && SameStyle(stored, record)) continue;
            if (AIErr err = SetDimensionData(group, &record)) return err;
        }
    }
    if (AIErr err = UpdateAssociativeDimensions(which)) return err;
    return SelectAgain(groups);
}

}  // namespace

std::span<const StyleField* const> PushedFields(CADAttrType code) {
    if (code < 0 || code >= kCADAttrCount) return {};
    return kPushTable[code];
}

std::span<const StyleField* const> StyleMapFields() { return kMapFields; }

int32_t StyleMapIndex(const StyleField& field) {
    for (size_t i = 0; i < kStyleMapEntries; ++i)
        if (kMapFields[i] == &field) return static_cast<int32_t>(i);
    return -1;
}

AIErr InitStyleMap(live_attributes_map* map) {
    if (!map) return kBadParameterErr;
    for (auto& e : map->entry) e = kMapKnown;
    return kNoErr;
}

AIErr UpdateLiveAttributes(CADAttrType code, PlotwiseProcessArtType which) {
    return Push(which, [code](AIArtHandle group, D& record) -> AIErr {
        const D& style = g->prefs.style;
        if (code == KCADAttrDimFormat) return DimensionFormatStep(group, record);
        if (code == kCADAttrLabelFormat) return LabelFormatStep(group, record);
        for (const StyleField* f : PushedFields(code)) CopyField(*f, style, record);
        return kNoErr;
    });
}

AIErr UpdateAllLiveAttributes(PlotwiseProcessArtType which) {
    static constexpr auto kNotCopied =
        kFields<&D::dimensionCustomColorName, &D::dimensionFormat, &D::labelFormat, &D::upperRefDimension,
                &D::lowerRefDimension>;
    return Push(
        which,
        [](AIArtHandle, D& record) -> AIErr {
            for (const StyleField* f : kMapFields)
                if (std::find(kNotCopied.begin(), kNotCopied.end(), f) == kNotCopied.end())
                    CopyField(*f, g->prefs.style, record);
            return kNoErr;
        },
        /*restyledOnly=*/true);
}
