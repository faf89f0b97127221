// The tables of the stored dimension data: keys, entry types, fields, order and the
// defaults readers take for keys that older documents lack.
#include "dimensions/DimensionKeys.h"

#include <array>
#include <cstdio>

namespace {

using D = Plotwise3_Live_Dimension_Data;
using T = DictEntryType;

constexpr StyleEntry Int(const char* prefix, const char* field, StyleIntField f) {
    return {prefix, field, T::kInteger, f, nullptr, nullptr, false, WhenAbsent::kError, 0, 0.0f};
}
constexpr StyleEntry Real(const char* prefix, const char* field, StyleRealField f) {
    return {prefix, field, T::kReal, nullptr, f, nullptr, false, WhenAbsent::kError, 0, 0.0f};
}
constexpr StyleEntry Str(const char* prefix, const char* field, StyleStringField f, bool flagged) {
    return {prefix, field, T::kString, nullptr, nullptr, f, flagged, WhenAbsent::kError, 0, 0.0f};
}
constexpr StyleEntry IntOr(const char* prefix, const char* field, StyleIntField f, int32_t def) {
    return {prefix, field, T::kInteger, f, nullptr, nullptr, false, WhenAbsent::kConstant, def, 0.0f};
}
constexpr StyleEntry BoolOr(const char* prefix, const char* field, StyleIntField f, int32_t def) {
    return {prefix, field, T::kBoolean, f, nullptr, nullptr, false, WhenAbsent::kConstant, def, 0.0f};
}
constexpr StyleEntry RealOr(const char* prefix, const char* field, StyleRealField f, AIReal def) {
    return {prefix, field, T::kReal, nullptr, f, nullptr, false, WhenAbsent::kConstant, 0, def};
}
constexpr StyleEntry IntOrCurrent(const char* prefix, const char* field, StyleIntField f) {
    return {prefix, field, T::kInteger, f, nullptr, nullptr, false, WhenAbsent::kCurrentStyle, 0, 0.0f};
}

constexpr const char* ZA3 = kZA3Prefix;
constexpr const char* PW4 = kPW4Prefix;
constexpr const char* PW5 = kPW5Prefix;
constexpr const char* PW7 = kPW7Prefix;

const std::array<StyleEntry, 82> kStyleEntries = {{
    Int(ZA3, "id", &D::id),
    Int(ZA3, "modifiers", &D::modifiers),
    Int(ZA3, "live", &D::live),
    Int(ZA3, "dimensionColorType", &D::dimensionColorType),
    Int(ZA3, "dimensionColorEntry", &D::dimensionColorEntry),
    Int(ZA3, "dimensionColorComponent1", &D::dimensionColorComponent1),
    Int(ZA3, "dimensionColorComponent2", &D::dimensionColorComponent2),
    Int(ZA3, "dimensionColorComponent3", &D::dimensionColorComponent3),
    Int(ZA3, "dimensionColorComponent4", &D::dimensionColorComponent4),
    Int(ZA3, "dimensionCustomColorType", &D::dimensionCustomColorType),
    Real(ZA3, "dimensionCustomColorTint", &D::dimensionCustomColorTint),
    Str(ZA3, "dimensionCustomColorName", &D::dimensionCustomColorName, true),
    Int(ZA3, "arrowheadStyle", &D::arrowheadStyle),
    Real(ZA3, "arrowheadLength", &D::arrowheadLength),
    Real(ZA3, "arrowheadWeight", &D::arrowheadWeight),
    Real(ZA3, "arrowheadAngle", &D::arrowheadAngle),
    Real(ZA3, "autoDimensionOffset", &D::autoDimensionOffset),
    Real(ZA3, "dimensionWeight", &D::dimensionWeight),
    Real(ZA3, "dimensionExtension", &D::dimensionExtension),
    Real(ZA3, "witnessGap", &D::witnessGap),
    Real(ZA3, "witnessWeight", &D::witnessWeight),
    Real(ZA3, "witnessExtension", &D::witnessExtension),
    Int(ZA3, "chainDatum", &D::chainDatum),
    Int(ZA3, "JISDatumTerminator", &D::JISDatumTerminator),
    Int(ZA3, "makeSectionLineDoubleThick", &D::makeSectionLineDoubleThick),
    Int(ZA3, "primeSection", &D::primeSection),
    Str(ZA3, "dimensionTextFaceStr", &D::dimensionTextFaceStr, true),
    Real(ZA3, "dimensionTextSize", &D::dimensionTextSize),
    Int(ZA3, "hTextPlacement", &D::hTextPlacement),
    Int(ZA3, "vTextPlacement", &D::vTextPlacement),
    Int(ZA3, "aTextPlacement", &D::aTextPlacement),
    Real(ZA3, "textDistanceAboveLine", &D::textDistanceAboveLine),
    Int(ZA3, "useUniversalTextAngle", &D::useUniversalTextAngle),
    Int(ZA3, "moveLargeDimensionText", &D::moveLargeDimensionText),
    Int(ZA3, "appendDiamLabels", &D::appendDiamLabels),
    Int(ZA3, "diameterLabelsBefore", &D::diameterLabelsBefore),
    Int(ZA3, "diameterLeaderSpansCircle", &D::diameterLeaderSpansCircle),
    Int(ZA3, "dualDimensions", &D::dualDimensions),
    IntOrCurrent(PW7, "upperUnits", &D::upperUnits),
    Int(ZA3, "appendUpperUnitLabels", &D::appendUpperUnitLabels),
    Int(ZA3, "upperDecimalPrecision", &D::upperDecimalPrecision),
    Int(ZA3, "upperFractionalPrecision", &D::upperFractionalPrecision),
    Int(ZA3, "upperTolerance", &D::upperTolerance),
    Str(ZA3, "upperToleranceValue", &D::upperToleranceValue, false),
    Int(ZA3, "upperToleranceUnits", &D::upperToleranceUnits),
    Int(ZA3, "upperToleranceSuperscript", &D::upperToleranceSuperscript),
    IntOrCurrent(PW7, "lowerUnits", &D::lowerUnits),
    Int(ZA3, "appendLowerUnitLabels", &D::appendLowerUnitLabels),
    Int(ZA3, "lowerDecimalPrecision", &D::lowerDecimalPrecision),
    Int(ZA3, "lowerFractionalPrecision", &D::lowerFractionalPrecision),
    Int(ZA3, "lowerTolerance", &D::lowerTolerance),
    Str(ZA3, "lowerToleranceValue", &D::lowerToleranceValue, false),
    Int(ZA3, "lowerToleranceUnits", &D::lowerToleranceUnits),
    Int(ZA3, "lowerToleranceSuperscript", &D::lowerToleranceSuperscript),
    Int(ZA3, "labelLeader", &D::labelLeader),
    Int(ZA3, "labelShape", &D::labelShape),
    Int(ZA3, "pointerLabelType", &D::pointerLabelType),
    Int(ZA3, "labelBorder", &D::labelBorder),
    RealOr(PW4, "labelLeaderLength", &D::labelLeaderLength, 36.0f),
    Str(ZA3, "dimensionLabelStr", &D::dimensionLabelStr, true),
    IntOr(PW4, "dimensionFormat", &D::dimensionFormat, 0),
    IntOr(PW4, "dimTextPrecedenceFlag", &D::dimTextPrecedenceFlag, 1),
    BoolOr(PW4, "slideDimText", &D::slideDimText, 0),
    RealOr(PW4, "slideDimTextOffset", &D::slideDimTextOffset, 0.5f),
    IntOr(PW4, "textSpacing", &D::textSpacing, 50),
    IntOr(PW4, "labelFormat", &D::labelFormat, 0),
    RealOr(PW4, "diameterLeaderLength", &D::diameterLeaderLength, 36.0f),
    IntOr(PW5, "alphaLabelMenuOption", &D::alphaLabelMenuOption, 1),
    IntOr(PW5, "numericLabelMenuOption", &D::numericLabelMenuOption, 1),
    IntOr(PW5, "customLabelMenuOption", &D::customLabelMenuOption, 1),
    BoolOr(PW5, "NumericLabelsUseLeadingZeros", &D::NumericLabelsUseLeadingZeros, 0),
    IntOr(PW5, "NumericLabelsNumberOfLeadingZeros", &D::NumericLabelsNumberOfLeadingZeros, 0),
    BoolOr(PW5, "geoLabelX", &D::geoLabelX, 0),
    BoolOr(PW5, "geoLabelY", &D::geoLabelY, 0),
    BoolOr(PW5, "geoLabelW", &D::geoLabelW, 0),
    BoolOr(PW5, "geoLabelH", &D::geoLabelH, 0),
    BoolOr(PW5, "geoLabelP", &D::geoLabelP, 0),
    BoolOr(PW5, "geoLabelA", &D::geoLabelA, 0),
    BoolOr(PW5, "stretchLabelShape", &D::stretchLabelShape, 0),
    IntOr(PW5, "terminatorDirection", &D::terminatorDirection, 2),
    BoolOr(PW7, "upperRefDimension", &D::upperRefDimension, 0),
    BoolOr(PW7, "lowerRefDimension", &D::lowerRefDimension, 0),
}};

using C = Plotwise3_dimensioned_object_data;

const std::array<ClickEntry, 12> kClickEntries = {{
    {"Obj_id", T::kInteger, &C::id, nullptr},
    {"Obj_used", T::kBoolean, &C::used, nullptr},
    {"Obj_clicknum", T::kInteger, &C::clickNum, nullptr},
    {"Obj_segnumbefore", T::kInteger, &C::segNumBefore, nullptr},
    {"Obj_segnumafter", T::kInteger, &C::segNumAfter, nullptr},
    {"Obj_dimtype", T::kInteger, &C::dimType, nullptr},
    {"Obj_clicktype", T::kInteger, &C::clickType, nullptr},
    {"Obj_t", T::kReal, nullptr, &C::t},
    {"Obj_x", T::kReal, nullptr, &C::x},
    {"Obj_y", T::kReal, nullptr, &C::y},
    {"Obj_length", T::kReal, nullptr, &C::endPointOffsetLength},
    {"Obj_angle", T::kReal, nullptr, &C::endPointOffsetAngle},
}};

using X = live_dimension_text_data;

// The misspelt "Dimemsion" is part of the stored format.
const std::array<TextEntry, 6> kTextEntries = {{
    {"variableDimStrID", T::kInteger, &X::id, nullptr, 0},
    {"variableDimStrAlphaInc", T::kInteger, &X::alpha, nullptr, -1},
    {"variableDimStrNumericInc", T::kInteger, &X::numeric, nullptr, -1},
    {"customDimemsionStr", T::kString, nullptr, &X::customStr, 0},
    {"variableDimemsionStr", T::kString, nullptr, &X::dimStr, 0},
    {"calloutStr", T::kString, nullptr, &X::calloutStr, 0},
}};

// The reader takes the variable text before the custom text.
const std::array<int, 6> kTextReadOrder = {0, 1, 2, 4, 3, 5};

}  // namespace

const char* ComposeKey(KeyBuffer& key, const char* prefix, const char* a, const char* b) {
    std::snprintf(key, sizeof key, "%s%s%s", prefix, a, b);
    return key;
}

std::span<const StyleEntry> StyleEntries() { return kStyleEntries; }

const char* StyleEntryKey(KeyBuffer& key, const StyleEntry& entry) {
    return ComposeKey(key, entry.prefix, kAttrName, entry.field);
}

std::span<const ClickEntry> ClickEntries() { return kClickEntries; }

std::span<const TextEntry> TextEntries() { return kTextEntries; }

std::span<const int> TextReadOrder() { return kTextReadOrder; }
