// Readers of the '^'-separated texts in which documents of format 2 kept their live
// dimensions (art tags "ZMK_Live_Dim_", "ZMK_Live_Obj_", "ZMK_Live_Color_", "ZMK_Live_Face_",
// "ZMK_Live_Label_"), and the records they fill. Nothing writes these texts any more.
//
// The texts are read field by field as the old scan formats did ("%li" with an optional sign
// and a 0 or 0x base prefix, "%lf" a decimal number, "%s" one word, '^' literally), but
// independently of the locale, with every word cut to its field, and with numbers that do
// not fit their field refused rather than wrapped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "AITypes.h"

// Names of the format-2 tags on art: the marker of a dimension group, and the prefixes of
// the style and click tags (a number follows them).
inline constexpr char kLegacyDimensionGroupTag[] = "Zelmark_Dimension_Group";
inline constexpr char kLegacyLiveDimTag[] = "ZMK_Live_Dim_";
inline constexpr char kLegacyLiveObjTag[] = "ZMK_Live_Obj_";

// One legacy click.
struct dimensioned_object_data {
    dimensioned_object_data* prev;
    dimensioned_object_data* next;
    int32_t used;
    int32_t id;
    int32_t dimType;
    int32_t clickType;
    int32_t clickNum;
    int32_t segNumBefore;
    int32_t segNumAfter;
    double t;
    double x;
    double y;
    double endPointOffsetLength;
    double endPointOffsetAngle;
    AIArtHandle art;
};

// One legacy dimension style.
struct live_dimension_group_data {
    live_dimension_group_data* next;
    int32_t id;
    int32_t modifiers;
    int32_t live;
    int32_t scale;
    int32_t units;
    int32_t decimalPrecision;
    int32_t fractionalPrecision;
    int32_t dimensionColorEntry;
    int32_t dimensionColorComponent1;
    int32_t dimensionColorComponent2;
    int32_t dimensionColorComponent3;
    int32_t dimensionColorComponent4;
    int32_t dimensionCustomColorType;
    double dimensionCustomColorTint;
    double dimensionWeight;
    double dimensionTextSize;
    int32_t dimensionColorType;
    int32_t arrowheadStyle;
    double arrowheadLength;
    double arrowheadAngle;
    int32_t hTextPlacement;
    int32_t vTextPlacement;
    int32_t aTextPlacement;
    double textDistanceAboveLine;
    double witnessGap;
    double witnessExtension;
    double autoDimensionOffset;
    int32_t appendUnitLabels;
    int32_t appendDiamLabels;
    int32_t diameterLabelsBefore;
    int32_t isLabel;
    int32_t labelLeader;
    int32_t labelShape;
    int32_t pointerLabelType;
    int32_t makeSectionLineDoubleThick;
    int32_t primeSection;
    int32_t chainDatum;
    int32_t JISDatumTerminator;
};

struct live_dimension_custom_color_data {
    live_dimension_custom_color_data* next;
    int32_t id;
    char name[32];
};

struct live_dimension_face_data {
    live_dimension_face_data* next;
    int32_t id;
    char dimensionTextFaceStr[180];
};

struct live_dimension_label_data {
    live_dimension_label_data* next;
    int32_t id;
    char dimensionLabelStr[180];
};

// Each returns 0, or 'BDDE' (click) / 'BLDE' (the others) when the text does not hold all
// the fields; fields read before the failure keep their new values, fields that the text
// does not carry (links, used, art) are left as the caller set them. A null text is bad data.
AIErr ConvertStringToDimensionedObjectData(const char* text, dimensioned_object_data* data);
AIErr ConvertStringToLiveDimensionGroupData(const char* text, live_dimension_group_data* data);
AIErr ConvertStringToLiveDimensionCustomColorData(const char* text, live_dimension_custom_color_data* data);
AIErr ConvertStringToLiveDimensionFaceData(const char* text, live_dimension_face_data* data);
AIErr ConvertStringToLiveDimensionLabelData(const char* text, live_dimension_label_data* data);

// The field reader behind them, for other readers of '^'-separated legacy tags (the scale
// tags read "%li^%lf^%s"). Each read skips leading white space as the scan formats did and
// returns false, consuming nothing useful, when no value could be converted.
class LegacyFieldScanner {
public:
    explicit LegacyFieldScanner(std::string_view text) : text_(text) {}

    // "%li": optional sign, then 0x/0X hexadecimal, a leading 0 octal, else decimal.
    // A value outside the 32-bit range is refused.
    bool ReadInteger(int32_t& value);
    // "%lf": optional sign, digits with an optional point and exponent, '.' as the point
    // whatever the locale. Values beyond the range of a double are refused.
    bool ReadReal(double& value);
    // "%s": one run of non-blank characters; at most capacity-1 of them are stored and the
    // field is terminated; the rest of the word is passed over.
    bool ReadWord(char* field, size_t capacity);
    // The rest of the text as one field, white space inside kept and at both ends dropped
    // (a scale label such as 1" = 4'-2"); stored as ReadWord stores, consuming it all.
    bool ReadRest(char* field, size_t capacity);
    // A literal character of the format (no white space is skipped before it).
    bool Expect(char c);
    bool AtEnd() const { return pos_ >= text_.size(); }

private:
    void SkipSpace();
    std::string_view text_;
    size_t pos_ = 0;
};
