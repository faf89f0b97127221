// Conversion and deletion of the format-2 tags: layer scales, clicks on measured art, and the
// style with its face, colour and label sub-records on dimension groups.
#include "dimensions/Plotwise2Conversion.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <set>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseStyleFields.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DictionaryAccess.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionKeys.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionTextList.h"
#include "dimensions/LegacyScaleTags.h"
#include "geometry/PlotwiseErrors.h"
#include "units/LayerScales.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

using Style = Plotwise3_Live_Dimension_Data;

// The prefixes of the tags each walk looks for.
using Prefixes = std::span<const char* const>;
constexpr const char* kStyleTagPrefixes[] = {kLegacyLiveDimTag, kLegacyLiveFaceTag, kLegacyLiveColorTag,
                                             kLegacyLiveLabelTag};
constexpr const char* kStyleTagPrefix[] = {kLegacyLiveDimTag};
constexpr const char* kSubRecordTagPrefixes[] = {kLegacyLiveFaceTag, kLegacyLiveColorTag, kLegacyLiveLabelTag};
constexpr const char* kClickTagPrefix[] = {kLegacyLiveObjTag};
constexpr const char* kMeasuredArtTagPrefixes[] = {kLegacyLiveObjTag, kLegacyDimensionGroupTag};

bool StartsWith(const char* name, const char* prefix) {
    return name && std::strncmp(name, prefix, std::strlen(prefix)) == 0;
}

bool HasTag(AIArtHandle art, const char* name) {
    const char* type = nullptr;
    return sAITag->GetTagType(art, name, &type) == kNoErr;
}

void Skip(SkippedLegacyTags* skipped, std::string name) {
    if (skipped) skipped->names.push_back(std::move(name));
}

// The names of the art's tags that begin with one of the prefixes, from the last index down
// (the order of the walks, so removing a tag never disturbs one).
AIErr TagNamesWithPrefix(AIArtHandle art, Prefixes prefixes, std::vector<std::string>& names) {
    names.clear();
    ai_int32 count = 0;
    if (AIErr err = sAITag->CountTags(art, &count)) return err;
    for (ai_int32 i = count - 1; i >= 0; --i) {
        const char* name = nullptr;
        if (AIErr err = sAITag->GetNthTag(art, i, &name)) return err;
        for (const char* prefix : prefixes)
            if (StartsWith(name, prefix)) {
                names.emplace_back(name);
                break;
            }
    }
    return kNoErr;
}

bool AnyTagWithPrefix(AIArtHandle art, Prefixes prefixes) {
    std::vector<std::string> names;
    return TagNamesWithPrefix(art, prefixes, names) == kNoErr && !names.empty();
}

AIErr RemoveTagsWithPrefix(AIArtHandle art, Prefixes prefixes) {
    std::vector<std::string> names;
    if (AIErr err = TagNamesWithPrefix(art, prefixes, names)) return err;
    for (const std::string& name : names)
        if (AIErr err = sAITag->RemoveTag(art, name.c_str())) return err;
    return kNoErr;
}

AIErr ReadStringTag(AIArtHandle art, const std::string& name, std::string& text) {
    const char* value = nullptr;
    if (AIErr err = sAITag->GetTag(art, name.c_str(), kTagString, &value)) return err;
    text = value ? value : "";
    return kNoErr;
}

// Every group of the front document (the query's art less everything else).
AIErr AllGroups(std::vector<AIArtHandle>& groups) {
    std::vector<AIArtHandle> all;
    if (AIErr err = MatchingArt(false, all)) return err;
    groups.clear();
    for (AIArtHandle art : all) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (type == kGroupArt) groups.push_back(art);
    }
    return kNoErr;
}

// The tag of a layer as the user is told of it; with the scale the layer was given instead.
std::string LayerTagName(AILayerHandle layer, const char* tag, const char* given = nullptr) {
    char title[256] = {};
    sAILayer->GetLayerTitle(layer, title, sizeof title);
    return std::string(tag) + " (layer \"" + title + "\"" + (given ? std::string(", given the scale ") + given : "") +
           ")";
}

// A legacy double as a float; one the float cannot hold is no value.
bool FitsFloat(double value, AIReal* out) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<AIReal>::max()) return false;
    *out = static_cast<AIReal>(value);
    return true;
}

// A field of a later format takes what a reader gives a record that lacks it.
template <auto Field>
void TakeReaderDefault(Style& s) {
    constexpr const StyleField& row = StyleFieldOf<Field>();
    static_assert(row.whenAbsent == WhenAbsent::kConstant);
    if constexpr (std::is_same_v<decltype(Field), StyleRealField>)
        s.*Field = row.absent.r;
    else
        s.*Field = row.absent.i;
}

// --- style sub-records: read, then written into the group's dictionary ---

// 0 with *readable false when the text does not hold the record; else the writer's result.
using SubRecordConverter = AIErr (*)(const char* text, AIDictionaryRef dict, bool* readable);

template <class Record, AIErr (*Parse)(const char*, Record*), AIErr (*Write)(const Record*, AIDictionaryRef)>
AIErr ConvertSubRecord(const char* text, AIDictionaryRef dict, bool* readable) {
    Record record{};
    *readable = Parse(text, &record) == kNoErr;
    return *readable ? Write(&record, dict) : kNoErr;
}

struct SubRecordKind {
    const char* prefix;
    SubRecordConverter convert;
};

const SubRecordKind kSubRecords[] = {
    {kLegacyLiveFaceTag, &ConvertSubRecord<live_dimension_face_data, &ConvertStringToLiveDimensionFaceData,
                                           &ConvertLiveDimensionFaceDataToDictionary>},
    {kLegacyLiveColorTag,
     &ConvertSubRecord<live_dimension_custom_color_data, &ConvertStringToLiveDimensionCustomColorData,
                       &ConvertLiveDimensionCustomColorDataToDictionary>},
    {kLegacyLiveLabelTag, &ConvertSubRecord<live_dimension_label_data, &ConvertStringToLiveDimensionLabelData,
                                            &ConvertLiveDimensionLabelDataToDictionary>},
};

const SubRecordKind* SubRecordOf(const std::string& name) {
    for (const SubRecordKind& kind : kSubRecords)
        if (StartsWith(name.c_str(), kind.prefix)) return &kind;
    return nullptr;
}

bool HoldsStyleRecord(AIDictionaryRef dict) {
    KeyBuffer key;
    return IsKnownKey(dict, ComposeKey(key, kZA3Prefix, kDimensionName));
}

// Visits every text frame from art along its siblings, into groups.
template <class Visit>
AIErr ForEachTextFrame(AIArtHandle art, Visit&& visit) {
    for (; art;) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (type == kGroupArt) {
            AIArtHandle child = nullptr;
            if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
            if (AIErr err = ForEachTextFrame(child, visit)) return err;
        } else if (type == kTextFrameArt) {
            if (AIErr err = visit(art)) return err;
        }
        if (AIErr err = sAIArt->GetArtSibling(art, &art)) return err;
    }
    return kNoErr;
}

// Format 2 kept no record of a dimension's texts, and regeneration takes a text without
// one for text the user typed over, which it then keeps whatever the art measures. The
// texts of a converted dimension (not a label) get the record of the value they show, so
// they follow their art again.
AIErr RecordValueTexts(AIArtHandle group) {
    AIArtHandle first = nullptr;
    if (AIErr err = sAIArt->GetArtFirstChild(group, &first)) return err;
    int32_t id = 0;
    return ForEachTextFrame(first, [&id](AIArtHandle text) -> AIErr {
        const int32_t textId = id++;
        DictRef dict;
        KeyBuffer key;
        if (AIErr err = GetArtDictionary(text, dict)) return err;
        if (IsKnownKey(dict.get(), ComposeKey(key, kPW4Prefix, kDimTextName))) return kNoErr;
        live_dimension_text_data record{};
        record.id = textId;
        record.alpha = record.numeric = -1;
        record.dimensionFormat = 0;
        if (AIErr err = GetStringFromTextObject(text, record.dimStr, sizeof record.dimStr)) return err;
        return SetDimensionTextData(text, &record);
    });
}

// The group's style tag, written as its style record before the tag goes, each value held to
// the domain the record's reader holds it to (one outside takes the reader's default, named);
// a style of no dimension id is none. A group holds one style: a second style tag would
// overwrite the first, so it stays and is named.
AIErr ConvertStyleTags(AIArtHandle group, AIDictionaryRef dict, SkippedLegacyTags* skipped) {
    std::vector<std::string> names;
    if (AIErr err = TagNamesWithPrefix(group, kStyleTagPrefix, names)) return err;
    bool converted = false;
    for (const std::string& name : names) {
        if (converted) {
            Skip(skipped, name);
            continue;
        }
        std::string text;
        if (AIErr err = ReadStringTag(group, name, text)) return err;
        live_dimension_group_data legacy{};
        Style style{};
        if (ConvertStringToLiveDimensionGroupData(text.c_str(), &legacy) != kNoErr ||
            BuildStyleFromPlotwise2(legacy, g->prefs.style, &style) != kNoErr || style.id < kFirstDimensionId) {
            Skip(skipped, name);
            continue;
        }
        HoldStyleToDomains(&style, g->prefs.style);
        // Strings flag 0: strings a sub-record already wrote stay.
        if (AIErr err = ConvertLiveDimensionDataToDictionary(&style, dict, 0)) return err;
        if (legacy.isLabel == 0)
            if (AIErr err = RecordValueTexts(group)) return err;
        if (AIErr err = sAITag->RemoveTag(group, name.c_str())) return err;
        converted = true;
    }
    return kNoErr;
}

// The face, colour and label tags, once the group holds a style record to carry them; a
// record made from a sub-record alone would be one no reader could read.
AIErr ConvertSubRecordTags(AIArtHandle group, AIDictionaryRef dict, SkippedLegacyTags* skipped) {
    std::vector<std::string> names;
    if (AIErr err = TagNamesWithPrefix(group, kSubRecordTagPrefixes, names)) return err;
    const bool styled = HoldsStyleRecord(dict);
    for (const std::string& name : names) {
        if (!styled) {
            Skip(skipped, name);
            continue;
        }
        std::string text;
        if (AIErr err = ReadStringTag(group, name, text)) return err;
        bool readable = false;
        if (AIErr err = SubRecordOf(name)->convert(text.c_str(), dict, &readable)) return err;
        if (!readable) {
            Skip(skipped, name);
            continue;
        }
        if (AIErr err = sAITag->RemoveTag(group, name.c_str())) return err;
    }
    return kNoErr;
}

// The layer's format-2 scale, written to its tree; the layer tag goes once the scale is
// stored. A damaged layer tag stays and the layer takes the scale of a layer without one (an
// object scale, else its first legacy dimension's, else 1:1); a damaged object tag stays and
// the layer takes what the rest gives. Either is named with the scale the layer was given.
AIErr ConvertLayerScale(AILayerHandle layer, SkippedLegacyTags* skipped) {
    AIArtHandle group = nullptr;
    if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &group)) return err;
    int32_t id = 0;
    AIReal scaler = 0;
    char label[kScaleLabelSize] = {};
    std::vector<const char*> damaged;
    AIErr err = getPW2LayerScale(layer, &id, &scaler, label);
    const bool tagReadable = err != kBadLiveDimensionDataErr;
    if (!tagReadable && HasTag(group, kLegacyLayerScaleTag)) {
        damaged.push_back(kLegacyLayerScaleTag);
        err = getPW2UntaggedLayerScale(layer, &id, &scaler, label);
    }
    if (err == kBadLiveDimensionDataErr) {
        damaged.push_back(kLegacyObjectScaleTag);
        err = kNoErr;
    }
    if (err) return err;
    for (const char* tag : damaged) Skip(skipped, LayerTagName(layer, tag, label));
    if (AIErr e = setLayerScale(layer, id, scaler, label)) return e;
    if (tagReadable && HasTag(group, kLegacyLayerScaleTag))
        if (AIErr e = sAITag->RemoveTag(group, kLegacyLayerScaleTag)) return e;
    return kNoErr;
}

}  // namespace

int32_t ConvertPlotwise2UnitCode(int32_t legacy) {
    switch (legacy) {
    case 8: return 12;
    case 9: return 13;
    case 10: return 18;
    default: return legacy;
    }
}

AIErr BuildStyleFromPlotwise2(const live_dimension_group_data& legacy, const Style& current, Style* style) {
    if (!style) return kCADErr;
    Style s{};
    s.id = legacy.id;
    s.modifiers = legacy.modifiers;
    s.live = legacy.live;
    s.dimensionColorType = legacy.dimensionColorType;
    s.dimensionColorEntry = legacy.dimensionColorEntry;
    s.dimensionColorComponent1 = legacy.dimensionColorComponent1;
    s.dimensionColorComponent2 = legacy.dimensionColorComponent2;
    s.dimensionColorComponent3 = legacy.dimensionColorComponent3;
    s.dimensionColorComponent4 = legacy.dimensionColorComponent4;
    s.dimensionCustomColorType = legacy.dimensionCustomColorType;
    bool finite = FitsFloat(legacy.dimensionCustomColorTint, &s.dimensionCustomColorTint);
    s.arrowheadStyle = legacy.arrowheadStyle;
    finite &= FitsFloat(legacy.arrowheadLength, &s.arrowheadLength);
    finite &= FitsFloat(legacy.arrowheadAngle, &s.arrowheadAngle);
    finite &= FitsFloat(legacy.autoDimensionOffset, &s.autoDimensionOffset);
    finite &= FitsFloat(legacy.dimensionWeight, &s.dimensionWeight);
    // Format 2 had one weight for every line.
    s.arrowheadWeight = s.dimensionWeight;
    s.witnessWeight = s.dimensionWeight;
    s.dimensionExtension = 0.0f;
    finite &= FitsFloat(legacy.witnessGap, &s.witnessGap);
    finite &= FitsFloat(legacy.witnessExtension, &s.witnessExtension);
    s.chainDatum = legacy.chainDatum;
    s.JISDatumTerminator = legacy.JISDatumTerminator;
    s.makeSectionLineDoubleThick = legacy.makeSectionLineDoubleThick;
    s.primeSection = legacy.primeSection;
    finite &= FitsFloat(legacy.dimensionTextSize, &s.dimensionTextSize);
    s.hTextPlacement = legacy.hTextPlacement;
    s.vTextPlacement = legacy.vTextPlacement;
    s.aTextPlacement = legacy.aTextPlacement;
    finite &= FitsFloat(legacy.textDistanceAboveLine, &s.textDistanceAboveLine);
    s.useUniversalTextAngle = current.useUniversalTextAngle;
    s.moveLargeDimensionText = 1;
    s.appendDiamLabels = legacy.appendDiamLabels;
    s.diameterLabelsBefore = legacy.diameterLabelsBefore;
    s.diameterLeaderSpansCircle = 1;
    s.dualDimensions = 0;
    s.upperUnits = s.lowerUnits = ConvertPlotwise2UnitCode(legacy.units);
    s.appendUpperUnitLabels = s.appendLowerUnitLabels = legacy.appendUnitLabels;
    s.upperDecimalPrecision = s.lowerDecimalPrecision = legacy.decimalPrecision;
    s.upperFractionalPrecision = s.lowerFractionalPrecision = legacy.fractionalPrecision;
    s.upperTolerance = s.lowerTolerance = 0;
    CopyCString(s.upperToleranceValue, current.upperToleranceValue);
    s.upperToleranceUnits = current.upperToleranceUnits;
    s.upperToleranceSuperscript = current.upperToleranceSuperscript;
    CopyCString(s.lowerToleranceValue, current.lowerToleranceValue);
    s.lowerToleranceUnits = current.lowerToleranceUnits;
    s.lowerToleranceSuperscript = current.lowerToleranceSuperscript;
    s.labelLeader = legacy.labelLeader;
    s.labelShape = legacy.labelShape;
    s.pointerLabelType = legacy.pointerLabelType;
    s.labelBorder = current.labelBorder;
    s.dimensionFormat = current.dimensionFormat;
    s.labelFormat = current.labelFormat;
    s.slideDimText = current.slideDimText;
    s.slideDimTextOffset = current.slideDimTextOffset;
    s.textSpacing = current.textSpacing;
    s.labelLeaderLength = current.labelLeaderLength;
    // Fields format 2 never had: what a reader gives a record that lacks them.
    TakeReaderDefault<&Style::dimTextPrecedenceFlag>(s);
    TakeReaderDefault<&Style::diameterLeaderLength>(s);
    TakeReaderDefault<&Style::alphaLabelMenuOption>(s);
    TakeReaderDefault<&Style::numericLabelMenuOption>(s);
    TakeReaderDefault<&Style::customLabelMenuOption>(s);
    TakeReaderDefault<&Style::NumericLabelsUseLeadingZeros>(s);
    TakeReaderDefault<&Style::NumericLabelsNumberOfLeadingZeros>(s);
    TakeReaderDefault<&Style::geoLabelX>(s);
    TakeReaderDefault<&Style::geoLabelY>(s);
    TakeReaderDefault<&Style::geoLabelW>(s);
    TakeReaderDefault<&Style::geoLabelH>(s);
    TakeReaderDefault<&Style::geoLabelP>(s);
    TakeReaderDefault<&Style::geoLabelA>(s);
    TakeReaderDefault<&Style::stretchLabelShape>(s);
    TakeReaderDefault<&Style::terminatorDirection>(s);
    TakeReaderDefault<&Style::upperRefDimension>(s);
    TakeReaderDefault<&Style::lowerRefDimension>(s);
    if (!finite) return kBadLiveDimensionDataErr;
    *style = s;
    return kNoErr;
}

AIErr BuildClickFromPlotwise2(const dimensioned_object_data& legacy, Plotwise3_dimensioned_object_data* click) {
    if (!click) return kCADErr;
    Plotwise3_dimensioned_object_data c{};
    c.used = 0;
    c.id = legacy.id;
    c.clickNum = legacy.clickNum;
    c.segNumBefore = legacy.segNumBefore;
    c.segNumAfter = legacy.segNumAfter;
    c.dimType = legacy.dimType;
    c.clickType = legacy.clickType;
    bool finite = FitsFloat(legacy.t, &c.t);
    finite &= FitsFloat(legacy.x, &c.x);
    finite &= FitsFloat(legacy.y, &c.y);
    finite &= FitsFloat(legacy.endPointOffsetLength, &c.endPointOffsetLength);
    finite &= FitsFloat(legacy.endPointOffsetAngle, &c.endPointOffsetAngle);
    if (!finite) return kBadDimensionDataErr;
    *click = c;
    return kNoErr;
}

int CheckForPlotwise2Data() {
    int found = 0;
    ForEachLayer([&](AILayerHandle layer) -> AIErr {
        AIArtHandle group = nullptr;
        if (sAIArt->GetFirstArtOfLayer(layer, &group) == kNoErr && group && HasTag(group, kLegacyLayerScaleTag))
            found = 1;
        return kNoErr;
    });
    if (found) return 1;
    std::vector<AIArtHandle> art;
    if (AllGroups(art) == kNoErr)
        for (AIArtHandle group : art)
            if (AnyTagWithPrefix(group, kStyleTagPrefixes)) return 1;
    if (MatchingArt(false, art) == kNoErr)
        for (AIArtHandle a : art)
            if (AnyTagWithPrefix(a, kClickTagPrefix)) return 1;
    return 0;
}

AIErr ConvertLayerScales(SkippedLegacyTags* skipped) {
    return ForEachLayer([&](AILayerHandle layer) { return ConvertLayerScale(layer, skipped); });
}

namespace {

// What a click tag's name says of its click: format 2 named them "ZMK_Live_Obj_<id>_<number>"
// and "ZMK_Live_Obj_<id>_drag"; any name ending in "_drag" says it is the drag (number -1).
// Other names say nothing.
struct TagNaming {
    std::optional<int32_t> id, number;
};

// Digits alone, as a number.
std::optional<int32_t> WholeNumber(std::string_view text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.front() == '-') return std::nullopt;
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && stop == end ? std::optional(value) : std::nullopt;
}

TagNaming NamingOf(std::string_view name) {
    TagNaming said;
    if (name.ends_with("_drag")) said.number = -1;
    name.remove_prefix(std::min(name.size(), std::strlen(kLegacyLiveObjTag)));
    const size_t split = name.find('_');
    if (split == std::string_view::npos) return said;
    const std::string_view tail = name.substr(split + 1);
    const std::optional<int32_t> id = WholeNumber(name.substr(0, split));
    const std::optional<int32_t> number = tail == "drag" ? std::optional(-1) : WholeNumber(tail);
    if (id && number) said = {id, number};
    return said;
}

// Whether a click tag holds the click its name says: another dimension's, or another number
// (a drag numbered as a click would be drawn as one more place measured), would move a click
// between dimensions or places.
bool NamedAsItsClick(const std::string& name, const Plotwise3_dimensioned_object_data& click) {
    const TagNaming said = NamingOf(name);
    const bool number = !said.number || (*said.number < 0 ? click.clickNum < 0 : *said.number == click.clickNum);
    return number && (!said.id || *said.id == click.id);
}

}  // namespace

AIErr ForEachLeftLegacyClick(AIArtHandle art, const std::function<AIErr(int32_t id)>& visit) {
    std::vector<std::string> names;
    if (AIErr err = TagNamesWithPrefix(art, kClickTagPrefix, names)) return err;
    for (const std::string& name : names) {
        std::string text;
        dimensioned_object_data legacy{};
        // The dimension its name says, else the id leading the text: one that cannot be read
        // names no dimension.
        if (ReadStringTag(art, name, text) != kNoErr) text.clear();
        (void)ConvertStringToDimensionedObjectData(text.c_str(), &legacy);
        const int32_t id = NamingOf(name).id.value_or(legacy.id);
        if (AIErr err = visit(id >= kFirstDimensionId ? id : 0)) return err;
    }
    return kNoErr;
}

AIErr ConvertLegacyClickTags(AIArtHandle art, SkippedLegacyTags* skipped) {
    std::vector<std::string> names;
    if (AIErr err = TagNamesWithPrefix(art, kClickTagPrefix, names)) return err;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
    // (dimension, click): a second one would overwrite, as every negative number is the drag.
    std::set<std::pair<int32_t, int32_t>> converted;
    for (const std::string& name : names) {
        std::string text;
        if (AIErr err = ReadStringTag(art, name, text)) return err;
        dimensioned_object_data legacy{};
        Plotwise3_dimensioned_object_data click{};
        if (ConvertStringToDimensionedObjectData(text.c_str(), &legacy) != kNoErr ||
            BuildClickFromPlotwise2(legacy, &click) != kNoErr || !ClickRecordHolds(click, type) ||
            !NamedAsItsClick(name, click) || !converted.insert({click.id, std::max(click.clickNum, -1)}).second) {
            Skip(skipped, name);
            continue;
        }
        if (AIErr err = SetDimensionedObjectData(art, &click)) return err;
        if (AIErr err = sAITag->RemoveTag(art, name.c_str())) return err;
    }
    return kNoErr;
}

AIErr ConvertDimensionedObjects(SkippedLegacyTags* skipped) {
    std::vector<AIArtHandle> art;
    if (AIErr err = MatchingArt(false, art)) return err;
    for (AIArtHandle a : art)
        if (AIErr err = ConvertLegacyClickTags(a, skipped)) return err;
    return kNoErr;
}

AIErr ConvertLegacyStyleTags(AIArtHandle group, SkippedLegacyTags* skipped) {
    DictRef dict;
    if (AIErr err = GetArtDictionary(group, dict)) return err;
    if (AIErr err = ConvertStyleTags(group, dict.get(), skipped)) return err;
    return ConvertSubRecordTags(group, dict.get(), skipped);
}

AIErr ConvertLiveDimensions(SkippedLegacyTags* skipped) {
    if (!g) return kCADErr;
    if (AIErr err = sAILayer->GetCurrentLayer(&g->saveLayer)) return err;
    std::vector<AIArtHandle> groups;
    if (AIErr err = AllGroups(groups)) return err;
    for (AIArtHandle group : groups) {
        if (!AnyTagWithPrefix(group, kStyleTagPrefixes)) continue;
        if (AIErr err = ConvertLegacyStyleTags(group, skipped)) return err;
    }
    return kNoErr;
}

AIErr DeletePlotwise2LayerScales() {
    return ForEachLayer([](AILayerHandle layer) -> AIErr {
        AIArtHandle group = nullptr;
        if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &group)) return err;
        return HasTag(group, kLegacyLayerScaleTag) ? sAITag->RemoveTag(group, kLegacyLayerScaleTag) : kNoErr;
    });
}

AIErr DeletePlotwise2DimensionedObjectTags() {
    std::vector<AIArtHandle> art;
    if (AIErr err = MatchingArt(false, art)) return err;
    for (AIArtHandle a : art)
        if (AIErr err = RemoveTagsWithPrefix(a, kMeasuredArtTagPrefixes)) return err;
    return kNoErr;
}

AIErr DeletePlotwise2LiveDimensionTags() {
    std::vector<AIArtHandle> groups;
    if (AIErr err = AllGroups(groups)) return err;
    for (AIArtHandle group : groups)
        if (AIErr err = RemoveTagsWithPrefix(group, kStyleTagPrefixes)) return err;
    return kNoErr;
}
