// The readers of format-2 dimension texts: well-formed texts of each kind, and damaged
// ones (missing fields, stray separators, huge numbers, very long words, base prefixes).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dimensions/LegacyDimensionStrings.h"
#include "core/PlotwiseDimensionData.h"

namespace {

constexpr char kClick[] = "12^2^1^3^4^5^0.25^100.5^-20.75^36^1.5707963";

TEST(LegacyClickString, WellFormedFillsEveryFieldAndLeavesLinks) {
    dimensioned_object_data d{};
    d.used = 7;
    ASSERT_EQ(ConvertStringToDimensionedObjectData(kClick, &d), kNoErr);
    EXPECT_EQ(d.id, 12);
    EXPECT_EQ(d.dimType, 2);
    EXPECT_EQ(d.clickType, 1);
    EXPECT_EQ(d.clickNum, 3);
    EXPECT_EQ(d.segNumBefore, 4);
    EXPECT_EQ(d.segNumAfter, 5);
    EXPECT_DOUBLE_EQ(d.t, 0.25);
    EXPECT_DOUBLE_EQ(d.x, 100.5);
    EXPECT_DOUBLE_EQ(d.y, -20.75);
    EXPECT_DOUBLE_EQ(d.endPointOffsetLength, 36.0);
    EXPECT_DOUBLE_EQ(d.endPointOffsetAngle, 1.5707963);
    EXPECT_EQ(d.used, 7);
    EXPECT_EQ(d.prev, nullptr);
}

struct ClickCase {
    const char* text;
    AIErr expected;
};

TEST(LegacyClickString, TableOfTexts) {
    const std::string huge = "99999999999999999999";
    const std::string longNumber(2000, '7');
    const ClickCase cases[] = {
        {"12^2^1^3^4^5^0.25^100.5^-20.75^36", kBadDimensionDataErr},           // ten fields
        {"12^2^1^3^4^5^0.25^100.5^-20.75^36^1.5^rest of tag", kNoErr},         // trailing text
        {"12^2^1^3^4^5^0.25^100.5^-20.75^36^1.5^", kNoErr},                    // extra separator at the end
        {"12^^2^1^3^4^5^0.25^100.5^-20.75^36^1.5", kBadDimensionDataErr},      // doubled separator
        {"^12^2^1^3^4^5^0.25^100.5^-20.75^36^1.5", kBadDimensionDataErr},      // leading separator
        {"12 ^2^1^3^4^5^0.25^100.5^-20.75^36^1.5", kBadDimensionDataErr},      // blank before a separator
        {"12^ 2^\t1^3^4^5^0.25^100.5^-20.75^36^ 1.5", kNoErr},                 // blanks before numbers
        {"", kBadDimensionDataErr},
        {"   ", kBadDimensionDataErr},
        {"12,2,1,3,4,5,0.25,100.5,-20.75,36,1.5", kBadDimensionDataErr},       // other separator
        {"12^2^1^3^4^5^0,25^100.5^-20.75^36^1.5", kBadDimensionDataErr},       // decimal comma
        {"12^2^1^3^4^5^1e999^100.5^-20.75^36^1.5", kBadDimensionDataErr},      // beyond a double
        {"12^2^1^3^4^5^inf^100.5^-20.75^36^1.5", kBadDimensionDataErr},
        {"12^2^1^3^4^5^nan^100.5^-20.75^36^1.5", kBadDimensionDataErr},
        {"12^2^1^3^4^5^.5^5.^1e2^-0^+3", kNoErr},
    };
    for (const auto& c : cases) {
        dimensioned_object_data d{};
        EXPECT_EQ(ConvertStringToDimensionedObjectData(c.text, &d), c.expected) << '"' << c.text << '"';
    }
    for (const std::string& number : {huge, longNumber, std::string("2147483648"), std::string("-2147483649")}) {
        dimensioned_object_data d{};
        const std::string text = number + "^2^1^3^4^5^0.25^100.5^-20.75^36^1.5";
        EXPECT_EQ(ConvertStringToDimensionedObjectData(text.c_str(), &d), kBadDimensionDataErr) << number;
        EXPECT_EQ(d.id, 0) << "a refused number is not stored";
    }
    dimensioned_object_data d{};
    EXPECT_EQ(ConvertStringToDimensionedObjectData(nullptr, &d), kBadDimensionDataErr);
}

TEST(LegacyClickString, IntegerLimitsAndBases) {
    dimensioned_object_data d{};
    ASSERT_EQ(ConvertStringToDimensionedObjectData("2147483647^-2147483648^010^0x10^-0X1f^+7^0^0^0^0^0", &d), kNoErr);
    EXPECT_EQ(d.id, 2147483647);
    EXPECT_EQ(d.dimType, -2147483647 - 1);
    EXPECT_EQ(d.clickType, 8);
    EXPECT_EQ(d.clickNum, 16);
    EXPECT_EQ(d.segNumBefore, -31);
    EXPECT_EQ(d.segNumAfter, 7);
    // "08": the octal reading stops at 8, which then stands where the separator belongs.
    EXPECT_EQ(ConvertStringToDimensionedObjectData("08^2^1^3^4^5^0^0^0^0^0", &d), kBadDimensionDataErr);
    // "0x" without a hexadecimal digit reads 0 and leaves the x.
    EXPECT_EQ(ConvertStringToDimensionedObjectData("0xg^2^1^3^4^5^0^0^0^0^0", &d), kBadDimensionDataErr);
    EXPECT_EQ(d.id, 0);
    // Doubles are decimal only: no base prefix.
    EXPECT_EQ(ConvertStringToDimensionedObjectData("1^2^1^3^4^5^0x10^0^0^0^0", &d), kBadDimensionDataErr);
    EXPECT_DOUBLE_EQ(d.t, 0.0);
}

TEST(LegacyClickString, FieldsBeforeTheFailureKeepTheirValues) {
    dimensioned_object_data d{};
    d.segNumAfter = 55;
    EXPECT_EQ(ConvertStringToDimensionedObjectData("9^8^7^6^5", &d), kBadDimensionDataErr);
    EXPECT_EQ(d.id, 9);
    EXPECT_EQ(d.segNumBefore, 5);
    EXPECT_EQ(d.segNumAfter, 55);
}

std::string StyleText() {
    // 13 integers, 3 doubles, 2 integers, 2 doubles, 3 integers, 4 doubles, 11 integers.
    return "4^1^1^33^2^3^4^5^100^200^300^400^1^"
           "0.5^0.75^9.5^"
           "3^6^"
           "12.5^30^"
           "1^2^1^"
           "4.5^2^3.25^18^"
           "1^1^0^1^2^3^4^1^0^1^1";
}

TEST(LegacyStyleString, WellFormedFillsAll38FieldsInOrder) {
    live_dimension_group_data s{};
    ASSERT_EQ(ConvertStringToLiveDimensionGroupData(StyleText().c_str(), &s), kNoErr);
    EXPECT_EQ(s.id, 4);
    EXPECT_EQ(s.scale, 33);
    EXPECT_EQ(s.units, 2);
    EXPECT_EQ(s.dimensionColorComponent4, 400);
    EXPECT_EQ(s.dimensionCustomColorType, 1);
    EXPECT_DOUBLE_EQ(s.dimensionCustomColorTint, 0.5);
    EXPECT_DOUBLE_EQ(s.dimensionWeight, 0.75);
    EXPECT_DOUBLE_EQ(s.dimensionTextSize, 9.5);
    EXPECT_EQ(s.dimensionColorType, 3);
    EXPECT_EQ(s.arrowheadStyle, 6);
    EXPECT_DOUBLE_EQ(s.arrowheadLength, 12.5);
    EXPECT_DOUBLE_EQ(s.arrowheadAngle, 30.0);
    EXPECT_EQ(s.vTextPlacement, 2);
    EXPECT_DOUBLE_EQ(s.textDistanceAboveLine, 4.5);
    EXPECT_DOUBLE_EQ(s.autoDimensionOffset, 18.0);
    EXPECT_EQ(s.appendUnitLabels, 1);
    EXPECT_EQ(s.isLabel, 1);
    EXPECT_EQ(s.pointerLabelType, 4);
    EXPECT_EQ(s.primeSection, 0);
    EXPECT_EQ(s.JISDatumTerminator, 1);
}

TEST(LegacyStyleString, MissingOrDamagedFieldsGiveBLDE) {
    const std::string full = StyleText();
    live_dimension_group_data s{};
    EXPECT_EQ(ConvertStringToLiveDimensionGroupData(full.substr(0, full.rfind('^')).c_str(), &s),
              kBadLiveDimensionDataErr);
    EXPECT_EQ(ConvertStringToLiveDimensionGroupData((full + "^99^extra").c_str(), &s), kNoErr);
    std::string doubled = full;
    doubled.replace(doubled.find('^'), 1, "^^");
    EXPECT_EQ(ConvertStringToLiveDimensionGroupData(doubled.c_str(), &s), kBadLiveDimensionDataErr);
    // An integer where a double stands is fine ("30"); a double where an integer stands is not.
    std::string realForInt = full;
    realForInt.replace(0, 1, "4.5");
    EXPECT_EQ(ConvertStringToLiveDimensionGroupData(realForInt.c_str(), &s), kBadLiveDimensionDataErr);
    EXPECT_EQ(ConvertStringToLiveDimensionGroupData("", &s), kBadLiveDimensionDataErr);
}

TEST(LegacySubRecordStrings, LabelFaceAndColourWords) {
    live_dimension_label_data label{};
    ASSERT_EQ(ConvertStringToLiveDimensionLabelData("5^Big_Label", &label), kNoErr);
    EXPECT_EQ(label.id, 5);
    EXPECT_STREQ(label.dimensionLabelStr, "Big Label");

    live_dimension_face_data face{};
    ASSERT_EQ(ConvertStringToLiveDimensionFaceData("5^Big_Label", &face), kNoErr);
    EXPECT_STREQ(face.dimensionTextFaceStr, "Big_Label");

    live_dimension_custom_color_data color{};
    ASSERT_EQ(ConvertStringToLiveDimensionCustomColorData("0x1F^PANTONE_485_C", &color), kNoErr);
    EXPECT_EQ(color.id, 31);
    EXPECT_STREQ(color.name, "PANTONE 485 C");

    // Only the first word is kept, without error.
    ASSERT_EQ(ConvertStringToLiveDimensionLabelData("6^two words", &label), kNoErr);
    EXPECT_STREQ(label.dimensionLabelStr, "two");
    ASSERT_EQ(ConvertStringToLiveDimensionLabelData("6^  lead", &label), kNoErr);
    EXPECT_STREQ(label.dimensionLabelStr, "lead");
}

TEST(LegacySubRecordStrings, IdOnlyGivesBLDEWithIdSet) {
    live_dimension_label_data label{};
    live_dimension_face_data face{};
    live_dimension_custom_color_data color{};
    EXPECT_EQ(ConvertStringToLiveDimensionLabelData("42", &label), kBadLiveDimensionDataErr);
    EXPECT_EQ(ConvertStringToLiveDimensionFaceData("42^", &face), kBadLiveDimensionDataErr);
    EXPECT_EQ(ConvertStringToLiveDimensionCustomColorData("42^   ", &color), kBadLiveDimensionDataErr);
    EXPECT_EQ(label.id, 42);
    EXPECT_EQ(face.id, 42);
    EXPECT_EQ(color.id, 42);
    EXPECT_EQ(ConvertStringToLiveDimensionLabelData("word^5", &label), kBadLiveDimensionDataErr);
    EXPECT_EQ(ConvertStringToLiveDimensionLabelData("5 Big", &label), kBadLiveDimensionDataErr);
}

// A word longer than its field is cut to fit; nothing beyond the field changes.
template <class Record, size_t N>
void CheckLongWordIsBounded(AIErr (*parse)(const char*, Record*), char (Record::*field)[N]) {
    struct Guarded {
        Record record;
        char after[64];
    } g;
    std::memset(&g, 0x5A, sizeof g);
    const std::string word(2000, 'w');
    const std::string text = "7^" + word + " tail";
    ASSERT_EQ(parse(text.c_str(), &g.record), kNoErr);
    EXPECT_EQ(std::strlen(g.record.*field), N - 1);
    EXPECT_EQ(g.record.id, 7);
    for (char c : g.after) ASSERT_EQ(c, 0x5A);
}

TEST(LegacySubRecordStrings, TwoThousandCharacterWordsAreCutToTheirField) {
    CheckLongWordIsBounded(&ConvertStringToLiveDimensionCustomColorData, &live_dimension_custom_color_data::name);
    CheckLongWordIsBounded(&ConvertStringToLiveDimensionFaceData, &live_dimension_face_data::dimensionTextFaceStr);
    CheckLongWordIsBounded(&ConvertStringToLiveDimensionLabelData, &live_dimension_label_data::dimensionLabelStr);
    live_dimension_custom_color_data color{};
    ASSERT_EQ(ConvertStringToLiveDimensionCustomColorData(("1^" + std::string(31, 'c') + "X").c_str(), &color), kNoErr);
    EXPECT_EQ(std::string(color.name), std::string(31, 'c'));
}

TEST(LegacyFieldScanner, ScaleTagForm) {
    // "%li^%lf^%s", the form of the legacy scale tags.
    LegacyFieldScanner scan("012^2.5^1:4 rest");
    int32_t id = 0;
    double scaler = 0;
    char label[32];
    ASSERT_TRUE(scan.ReadInteger(id));
    ASSERT_TRUE(scan.Expect('^'));
    ASSERT_TRUE(scan.ReadReal(scaler));
    ASSERT_TRUE(scan.Expect('^'));
    ASSERT_TRUE(scan.ReadWord(label, sizeof label));
    EXPECT_EQ(id, 10);
    EXPECT_DOUBLE_EQ(scaler, 2.5);
    EXPECT_STREQ(label, "1:4");
    EXPECT_FALSE(scan.AtEnd());
}

}  // namespace
