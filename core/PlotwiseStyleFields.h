// The one table of the dimension-style fields: for each field of the style record, its entry
// in a dimension group's "ZA3_Dimension" sub-dictionary (key, entry type, what a reader takes
// when an older document lacks it), its preference key and type, whether presets carry it,
// and the value it starts with. The style store, the preference reader and writer and the
// start-up defaults all work from this table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

#include "core/PlotwiseDimensionData.h"

// Prefixes naming the format version that introduced a stored key.
inline constexpr const char kZA3Prefix[] = "ZA3_";
inline constexpr const char kPW4Prefix[] = "PW4_";
inline constexpr const char kPW5Prefix[] = "PW5_";
inline constexpr const char kPW7Prefix[] = "PW7_";

enum class DictEntryType { kInteger, kReal, kBoolean, kString };

// How a setting is kept in the host's preference store.
enum class PrefType { kNone, kInteger, kReal, kBoolean, kString };

// What a reader does when a stored key is missing.
enum class WhenAbsent {
    kError,         // the record is damaged: stop with the host's error
    kConstant,      // take the constant default
    kCurrentStyle,  // take the same field of the current style
};

using StyleIntField = int32_t Plotwise3_Live_Dimension_Data::*;
using StyleRealField = AIReal Plotwise3_Live_Dimension_Data::*;
using StyleStringField = char (Plotwise3_Live_Dimension_Data::*)[256];

// A value of a field, read as the field's type.
struct StyleValue {
    int32_t i = 0;
    AIReal r = 0.0f;
    const char* s = "";
};

// One field of the style record. Booleans are held in int32 fields.
struct StyleField {
    // On art: the key is prefix + "Attr_" + field; a null prefix: not stored on art.
    const char* prefix;
    const char* field;
    DictEntryType type;
    StyleIntField intField = nullptr;
    StyleRealField realField = nullptr;
    StyleStringField stringField = nullptr;
    bool governedByStringsFlag = false;  // written only when the strings flag asks for it
    WhenAbsent whenAbsent = WhenAbsent::kError;
    StyleValue absent{};  // for kConstant
    // In the preference store, under "ZelmarkPlotwise7"; a null key: not a preference.
    const char* prefKey = nullptr;
    PrefType prefType = PrefType::kNone;
    bool presets = false;  // carried by presets, in the preset record's order
    StyleValue startup{};  // the value before the preferences are read
    // The values the field may hold; one outside them (or a real that is not finite), read
    // from a document or the preferences, is read as its default and named to the user. A
    // field without bounds holds every finite value of its type.
    double least = -std::numeric_limits<double>::infinity();
    double most = std::numeric_limits<double>::infinity();
    // A dimension's own record may also hold values down to this one, which the current
    // style never takes (the format of a dimension whose texts differ).
    double leastOnArt = std::numeric_limits<double>::infinity();

    // Whether the number read into the field lies in its domain.
    constexpr bool Holds(double value) const { return Finite(value) && value >= least && value <= most; }
    // Whether the number read from a dimension's record lies in the domain it has there.
    constexpr bool HoldsOnArt(double value) const {
        return Finite(value) && value >= (leastOnArt < least ? leastOnArt : least) && value <= most;
    }
    static constexpr bool Finite(double value) {
        return value >= -std::numeric_limits<double>::max() && value <= std::numeric_limits<double>::max();
    }

    // The table's row modifiers.
    constexpr StyleField Preset(const char* key) const {
        StyleField f = *this;
        f.prefKey = key;
        f.prefType = type == DictEntryType::kInteger ? PrefType::kInteger
                     : type == DictEntryType::kReal  ? PrefType::kReal
                     : type == DictEntryType::kBoolean ? PrefType::kBoolean
                                                       : PrefType::kString;
        f.presets = true;
        return f;
    }
    constexpr StyleField Or(int32_t value) const {
        StyleField f = *this;
        f.whenAbsent = WhenAbsent::kConstant;
        f.absent.i = value;
        return f;
    }
    constexpr StyleField Or(AIReal value) const {
        StyleField f = *this;
        f.whenAbsent = WhenAbsent::kConstant;
        f.absent.r = value;
        return f;
    }
    constexpr StyleField OrCurrentStyle() const {
        StyleField f = *this;
        f.whenAbsent = WhenAbsent::kCurrentStyle;
        return f;
    }
    constexpr StyleField Within(double lo, double hi) const {
        StyleField f = *this;
        f.least = lo;
        f.most = hi;
        return f;
    }
    constexpr StyleField OnArtFrom(double lo) const {
        StyleField f = *this;
        f.leastOnArt = lo;
        return f;
    }
    constexpr StyleField StringsFlag() const {
        StyleField f = *this;
        f.governedByStringsFlag = true;
        return f;
    }
};

namespace style_fields {

using D = Plotwise3_Live_Dimension_Data;
using T = DictEntryType;

constexpr StyleField Int(const char* prefix, const char* field, StyleIntField f, int32_t startup) {
    return {.prefix = prefix, .field = field, .type = T::kInteger, .intField = f, .startup = {.i = startup}};
}
constexpr StyleField Bool(const char* prefix, const char* field, StyleIntField f, int32_t startup) {
    return {.prefix = prefix, .field = field, .type = T::kBoolean, .intField = f, .startup = {.i = startup}};
}
constexpr StyleField Real(const char* prefix, const char* field, StyleRealField f, AIReal startup) {
    return {.prefix = prefix, .field = field, .type = T::kReal, .realField = f, .startup = {.r = startup}};
}
constexpr StyleField Str(const char* prefix, const char* field, StyleStringField f, const char* startup) {
    return {.prefix = prefix, .field = field, .type = T::kString, .stringField = f, .startup = {.s = startup}};
}

// Domains: colour components are 16.16 fixed-point values less one (0 to 1 is 0 to 65535),
// unit codes those of the formatter's table, precisions its six steps, lengths and weights
// not negative, placements, kinds and menu entries those the panels and tools offer, check
// boxes 0 or 1. A field no routine reads, or one any value of which means something, is
// bounded only by its type.
constexpr double kComponentMost = 65535;
constexpr double kUnitCodeMost = 19;
constexpr double kPrecisionMost = 5;
constexpr double kLengthMost = 16383;  // the host's largest canvas, in points
constexpr double kTextSizeLeast = 0.1;
constexpr double kModifiersMost = 1 + 2 + 4 + 8;  // shift, option and command's two bits
constexpr double kIdMost = std::numeric_limits<int32_t>::max();
// The format a dimension takes when its texts are in different formats (one was retyped).
constexpr double kMixedFormat = -1;

constexpr const char* ZA3 = kZA3Prefix;
constexpr const char* PW4 = kPW4Prefix;
constexpr const char* PW5 = kPW5Prefix;
constexpr const char* PW7 = kPW7Prefix;

// In the order of the stored entries (the order documents are written and read in).
// Start-up values are the defaults the text and labels panels give their fields (decimal
// inches at three places, 12 pt text, numbered labels in a frame); a field they give none
// takes the value the two built-in presets share, or "Basic Engineering"'s where they
// differ. The face is replaced by the host's default face when preferences are read.
inline constexpr StyleField kTable[] = {
    Int(ZA3, "id", &D::id, 0).Within(0, kIdMost).Preset("dimensionDataID"),
    Int(ZA3, "modifiers", &D::modifiers, 0).Within(0, kModifiersMost),
    Int(ZA3, "live", &D::live, 1).Within(0, 1).Preset("liveDimension"),
    // Every kind of the host's colours: the styles panel takes the fill colour's kind as it is.
    Int(ZA3, "dimensionColorType", &D::dimensionColorType, 5).Within(0, 6).Preset("dimensionColorType"),
    Int(ZA3, "dimensionColorEntry", &D::dimensionColorEntry, 0).Within(0, 12).Preset("dimensionColorEntry"),
    Int(ZA3, "dimensionColorComponent1", &D::dimensionColorComponent1, 0).Within(0, kComponentMost).Preset("dimensionColorComponent1"),
    Int(ZA3, "dimensionColorComponent2", &D::dimensionColorComponent2, 0).Within(0, kComponentMost).Preset("dimensionColorComponent2"),
    Int(ZA3, "dimensionColorComponent3", &D::dimensionColorComponent3, 0).Within(0, kComponentMost).Preset("dimensionColorComponent3"),
    Int(ZA3, "dimensionColorComponent4", &D::dimensionColorComponent4, 0).Within(0, kComponentMost).Preset("dimensionColorComponent4"),
    Int(ZA3, "dimensionCustomColorType", &D::dimensionCustomColorType, 1).Within(0, 2).Preset("dimensionCustomColorType"),
    Real(ZA3, "dimensionCustomColorTint", &D::dimensionCustomColorTint, 100.0f).Within(0, 100).Preset("dimensionCustomColorTint"),
    // Presets carry the custom colour's name in the preferences' customColorName instead.
    Str(ZA3, "dimensionCustomColorName", &D::dimensionCustomColorName, "").StringsFlag(),
    Int(ZA3, "arrowheadStyle", &D::arrowheadStyle, 1).Within(1, 8).Preset("arrowheadStyle"),
    Real(ZA3, "arrowheadLength", &D::arrowheadLength, 9.0f).Within(0, kLengthMost).Preset("arrowheadLength"),
    Real(ZA3, "arrowheadWeight", &D::arrowheadWeight, 1.0f).Within(0, kLengthMost).Preset("arrowheadWeight"),
    Real(ZA3, "arrowheadAngle", &D::arrowheadAngle, 17.5f).Within(0, 180).Preset("arrowheadAngle"),
    Real(ZA3, "autoDimensionOffset", &D::autoDimensionOffset, 27.0f).Within(-kLengthMost, kLengthMost).Preset("autoDimensionOffset"),
    Real(ZA3, "dimensionWeight", &D::dimensionWeight, 1.0f).Within(0, kLengthMost).Preset("dimensionWeight"),
    Real(ZA3, "dimensionExtension", &D::dimensionExtension, 0.0f).Within(-kLengthMost, kLengthMost),
    Real(ZA3, "witnessGap", &D::witnessGap, 4.5f).Within(0, kLengthMost).Preset("witnessGap"),
    Real(ZA3, "witnessWeight", &D::witnessWeight, 1.0f).Within(0, kLengthMost).Preset("witnessWeight"),
    Real(ZA3, "witnessExtension", &D::witnessExtension, 9.0f).Within(0, kLengthMost).Preset("witnessExtension"),
    Int(ZA3, "chainDatum", &D::chainDatum, 0).Within(0, 1).Preset("chainDatum"),
    Int(ZA3, "JISDatumTerminator", &D::JISDatumTerminator, 0).Within(0, 1).Preset("JISDatumTerminator"),
    Int(ZA3, "makeSectionLineDoubleThick", &D::makeSectionLineDoubleThick, 1).Within(0, 1).Preset("makeSectionLineDoubleThick"),
    Int(ZA3, "primeSection", &D::primeSection, 1).Within(0, 1).Preset("primeSection"),
    Str(ZA3, "dimensionTextFaceStr", &D::dimensionTextFaceStr, "Helvetica").StringsFlag().Preset("dimensionTextFaceStr"),
    Real(ZA3, "dimensionTextSize", &D::dimensionTextSize, 12.0f).Within(kTextSizeLeast, kLengthMost).Preset("dimensionTextSize"),
    Int(ZA3, "hTextPlacement", &D::hTextPlacement, 1).Within(1, 5).Preset("hTextPlacement"),
    Int(ZA3, "vTextPlacement", &D::vTextPlacement, 1).Within(1, 5).Preset("vTextPlacement"),
    Int(ZA3, "aTextPlacement", &D::aTextPlacement, 1).Within(1, 5).Preset("aTextPlacement"),
    Real(ZA3, "textDistanceAboveLine", &D::textDistanceAboveLine, 4.5f).Within(-kLengthMost, kLengthMost).Preset("textDistanceAboveLine"),
    Int(ZA3, "useUniversalTextAngle", &D::useUniversalTextAngle, 0).Within(0, 1).Preset("useUniversalTextAngle"),
    Int(ZA3, "moveLargeDimensionText", &D::moveLargeDimensionText, 0).Within(0, 1).Preset("moveLargeDimensionText"),
    Int(ZA3, "appendDiamLabels", &D::appendDiamLabels, 1).Within(0, 1).Preset("appendDiamLabels"),
    Int(ZA3, "diameterLabelsBefore", &D::diameterLabelsBefore, 1).Within(0, 1).Preset("diameterLabelsBefore"),
    Int(ZA3, "diameterLeaderSpansCircle", &D::diameterLeaderSpansCircle, 0).Within(0, 1).Preset("diameterLeaderSpansCircle"),
    Int(ZA3, "dualDimensions", &D::dualDimensions, 0).Within(0, 1).Preset("dualDimensions"),
    Int(PW7, "upperUnits", &D::upperUnits, 8).Within(0, kUnitCodeMost).OrCurrentStyle().Preset("upperUnits"),
    Int(ZA3, "appendUpperUnitLabels", &D::appendUpperUnitLabels, 1).Within(0, 1).Preset("appendUpperUnitLabels"),
    Int(ZA3, "upperDecimalPrecision", &D::upperDecimalPrecision, 3).Within(0, kPrecisionMost).Preset("upperDecimalPrecision"),
    Int(ZA3, "upperFractionalPrecision", &D::upperFractionalPrecision, 3).Within(0, kPrecisionMost).Preset("upperFractionalPrecision"),
    Int(ZA3, "upperTolerance", &D::upperTolerance, 0).Within(0, 3).Preset("upperTolerance"),
    Str(ZA3, "upperToleranceValue", &D::upperToleranceValue, ".125").Preset("upperToleranceValue"),
    Int(ZA3, "upperToleranceUnits", &D::upperToleranceUnits, 5).Within(0, kUnitCodeMost).Preset("upperToleranceUnits"),
    Int(ZA3, "upperToleranceSuperscript", &D::upperToleranceSuperscript, 0).Within(0, 1).Preset("upperToleranceSuperscript"),
    Int(PW7, "lowerUnits", &D::lowerUnits, 8).Within(0, kUnitCodeMost).OrCurrentStyle().Preset("lowerUnits"),
    Int(ZA3, "appendLowerUnitLabels", &D::appendLowerUnitLabels, 1).Within(0, 1).Preset("appendLowerUnitLabels"),
    Int(ZA3, "lowerDecimalPrecision", &D::lowerDecimalPrecision, 3).Within(0, kPrecisionMost).Preset("lowerDecimalPrecision"),
    Int(ZA3, "lowerFractionalPrecision", &D::lowerFractionalPrecision, 3).Within(0, kPrecisionMost).Preset("lowerFractionalPrecision"),
    Int(ZA3, "lowerTolerance", &D::lowerTolerance, 0).Within(0, 3).Preset("lowerTolerance"),
    Str(ZA3, "lowerToleranceValue", &D::lowerToleranceValue, ".125").Preset("lowerToleranceValue"),
    Int(ZA3, "lowerToleranceUnits", &D::lowerToleranceUnits, 5).Within(0, kUnitCodeMost).Preset("lowerToleranceUnits"),
    Int(ZA3, "lowerToleranceSuperscript", &D::lowerToleranceSuperscript, 0).Within(0, 1).Preset("lowerToleranceSuperscript"),
    Int(ZA3, "labelLeader", &D::labelLeader, 1).Within(0, 5).Preset("labelLeader"),
    Int(ZA3, "labelShape", &D::labelShape, 2).Within(0, 6).Preset("labelShape"),
    // Read by nothing.
    Int(ZA3, "pointerLabelType", &D::pointerLabelType, 1).Preset("labelIncType"),
    Int(ZA3, "labelBorder", &D::labelBorder, 10).Within(0, 35).Preset("labelBorder"),
    Real(PW4, "labelLeaderLength", &D::labelLeaderLength, 36.0f).Or(36.0f).Within(0, kLengthMost).Preset("labelLeaderLength"),
    Str(ZA3, "dimensionLabelStr", &D::dimensionLabelStr, "").StringsFlag(),
    Int(PW4, "dimensionFormat", &D::dimensionFormat, 0).Or(0).Within(0, 4).OnArtFrom(kMixedFormat).Preset("DimFormat"),
    // 1 the text in the document wins, any other value the format (the style push writes 2).
    Int(PW4, "dimTextPrecedenceFlag", &D::dimTextPrecedenceFlag, 0).Or(1),
    Bool(PW4, "slideDimText", &D::slideDimText, 1).Or(0).Preset("slideDimText"),
    // A fraction of the dimension line, beyond its ends where the text was dragged past them.
    Real(PW4, "slideDimTextOffset", &D::slideDimTextOffset, 0.5f).Or(0.5f),
    // The panel's slider gives 0 to 32; a document older than the setting reads as 50.
    Int(PW4, "textSpacing", &D::textSpacing, 16).Or(50).Within(0, 50).Preset("textSpacing"),
    Int(PW4, "labelFormat", &D::labelFormat, 1).Or(0).Within(0, 3).Preset("LabelFormat"),
    Real(PW4, "diameterLeaderLength", &D::diameterLeaderLength, 36.0f).Or(36.0f).Within(0, kLengthMost).Preset("diameterLeaderLength"),
    Int(PW5, "alphaLabelMenuOption", &D::alphaLabelMenuOption, 0).Or(1).Within(0, 1).Preset("alphaLabelMenuOption"),
    Int(PW5, "numericLabelMenuOption", &D::numericLabelMenuOption, 0).Or(1).Within(0, 2).Preset("numericLabelMenuOption"),
    Int(PW5, "customLabelMenuOption", &D::customLabelMenuOption, 0).Or(1).Within(0, 1).Preset("customLabelMenuOption"),
    Bool(PW5, "NumericLabelsUseLeadingZeros", &D::NumericLabelsUseLeadingZeros, 0).Or(0).Preset("NumericLabelsUseLeadingZeros"),
    Int(PW5, "NumericLabelsNumberOfLeadingZeros", &D::NumericLabelsNumberOfLeadingZeros, 2).Or(0).Within(0, 9).Preset("NumericLabelsNumberOfLeadingZeros"),
    Bool(PW5, "geoLabelX", &D::geoLabelX, 0).Or(0).Preset("geoLabelX"),
    Bool(PW5, "geoLabelY", &D::geoLabelY, 0).Or(0).Preset("geoLabelY"),
    Bool(PW5, "geoLabelW", &D::geoLabelW, 0).Or(0).Preset("geoLabelW"),
    Bool(PW5, "geoLabelH", &D::geoLabelH, 0).Or(0).Preset("geoLabelH"),
    Bool(PW5, "geoLabelP", &D::geoLabelP, 0).Or(0).Preset("geoLabelP"),
    Bool(PW5, "geoLabelA", &D::geoLabelA, 1).Or(0).Preset("geoLabelA"),
    Bool(PW5, "stretchLabelShape", &D::stretchLabelShape, 1).Or(0).Preset("stretchLabelShape"),
    Int(PW5, "terminatorDirection", &D::terminatorDirection, 1).Or(2).Within(0, 2).Preset("terminatorDirection"),
    Bool(PW7, "upperRefDimension", &D::upperRefDimension, 0).Or(0).Preset("upperRefDimension"),
    Bool(PW7, "lowerRefDimension", &D::lowerRefDimension, 0).Or(0).Preset("lowerRefDimension"),
};

// The row of a field, found while compiling: a field the table lacks does not compile.
consteval size_t IndexOf(StyleIntField f) {
    for (size_t i = 0; i < std::size(kTable); ++i)
        if (kTable[i].intField == f) return i;
    throw "the field is not in the style table";
}
consteval size_t IndexOf(StyleRealField f) {
    for (size_t i = 0; i < std::size(kTable); ++i)
        if (kTable[i].realField == f) return i;
    throw "the field is not in the style table";
}
consteval size_t IndexOf(StyleStringField f) {
    for (size_t i = 0; i < std::size(kTable); ++i)
        if (kTable[i].stringField == f) return i;
    throw "the field is not in the style table";
}

}  // namespace style_fields

// Every field of the table, in the order of the stored entries.
constexpr std::span<const StyleField> StyleFields() { return style_fields::kTable; }

// The row of one field of the style record (checked while compiling).
template <auto Field>
constexpr const StyleField& StyleFieldOf() {
    return style_fields::kTable[style_fields::IndexOf(Field)];
}

// The number a field of the record holds (0 for a string), to check against its domain.
constexpr double StyleNumber(const StyleField& f, const Plotwise3_Live_Dimension_Data& style) {
    return f.intField ? static_cast<double>(style.*f.intField) : f.realField ? style.*f.realField : 0.0;
}

// The current style as it stands before the preferences are read: every field's start-up
// value, and zero for what the table does not describe (links, layer title).
constexpr Plotwise3_Live_Dimension_Data DefaultDimensionStyle() {
    Plotwise3_Live_Dimension_Data style{};
    for (const StyleField& f : StyleFields()) {
        if (f.intField) style.*f.intField = f.startup.i;
        if (f.realField) style.*f.realField = f.startup.r;
        if (f.stringField) {
            char* out = style.*f.stringField;
            size_t n = 0;
            for (; f.startup.s[n] && n + 1 < sizeof(style.*f.stringField); ++n) out[n] = f.startup.s[n];
            out[n] = '\0';
        }
    }
    return style;
}
