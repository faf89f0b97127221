// Typed lengths and areas: one row per pattern and unit gate, the unit words, the number
// formats, the quirks stored documents rely on, and texts that must be refused.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "geometry/LengthParser.h"
#include "PluginGlobals.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr double kUntouched = -12345.0;

std::optional<double> length(const std::string& text, int32_t units, int32_t numberFormat = 0, int32_t ppi = 72) {
    double v = kUntouched;
    const int16_t ok = parseLengthText(text, units, &v, {numberFormat, ppi});
    if (ok == 0) {
        EXPECT_EQ(v, kUntouched) << "a failed parse changed the value for \"" << text << "\"";
        return std::nullopt;
    }
    EXPECT_EQ(ok, 1);
    return v;
}

std::optional<double> area(const std::string& text, int32_t units, int32_t numberFormat = 0) {
    double v = kUntouched;
    if (parseAreaText(text, units, &v, {numberFormat, 72}) == 0) {
        EXPECT_EQ(v, kUntouched);
        return std::nullopt;
    }
    return v;
}

struct Row {
    const char* text;
    int32_t units;
    std::optional<double> points;
};

constexpr int kMm = kMillimeterUnits, kPt = kPointUnits, kIn = kDecimalInchMarkUnits, kFtIn = kFeetFractionalInchMarkUnits;

const Row kRows[] = {
    // 1: feet, dash, inches and fraction, marks: any unit
    {"5'-6 1/2\"", kMm, 4788}, {"5' - 6 1/2 in", kPt, 4788}, {"5ft-6 1/2IN", kMm, 4788},
    // 2: feet, inches and fraction with marks
    {"5' 6 1/2\"", kMm, 4788}, {"5 ft 6 1/2 in", kPt, 4788},
    // 3: feet-inches with a dash and no marks: ft-in units only
    {"5-6 1/2", kFtIn, 4788}, {"5-6 1/2", kFeetDecimalInchWordUnits, 4788}, {"5-6 1/2", kIn, std::nullopt},
    {"5-6 1/2", kMm, std::nullopt},
    // 4: three numbers and a fraction: ft-in units only
    {"5 6 1/2", kFeetDecimalInchMarkUnits, 4788}, {"5 6 1/2", kFractionalInchMarkUnits, std::nullopt},
    // 5 and 6: feet and inches with marks
    {"5'-6\"", kMm, 4752}, {"5' 6\"", kMm, 4752}, {"5'6\"", kPt, 4752}, {"5 ft 6 in", kMm, 4752},
    // 7: inches and fraction with the inch mark
    {"6 1/2\"", kMm, 468}, {"6 1/2 in", kPt, 468},
    // 8: whole and fraction of feet
    {"6 1/2'", kMm, 5616}, {"6 1/2 ft", kPt, 5616},
    // 9: inches and fraction without a mark: inch units only
    {"6 1/2", kIn, 468}, {"6 1/2", kFtIn, 468}, {"6 1/2", kMm, std::nullopt}, {"6 1/2", kDecimalFeetMarkUnits, std::nullopt},
    // 10: feet-dash-inches: ft-in units only
    {"5-6", kFeetDecimalInchWordUnits, 4752}, {"5-6", kIn, std::nullopt},
    // 11: two numbers: feet and inches in ft-in units, picas and points in picas
    {"5 6", kFeetFractionalInchWordUnits, 4752}, {"5 6", kPicaUnits, 66}, {"5 6", kMm, std::nullopt},
    {"5 6", kIn, std::nullopt},
    // 12: feet and a fraction of an inch; the numerator's sign is dropped
    {"5' -1/2\"", kMm, 4356}, {"5' 1/2\"", kMm, 4356},
    // 13: feet alone, any run of the feet mark letters; trailing text ignored
    {"5'", kMm, 4320}, {"5 ft", kPt, 4320}, {"5 t", kMm, 4320}, {"5 f", kMm, 4320}, {"5 ft blah", kMm, 4320},
    // 14, 15: a fraction of an inch or of a foot with its mark
    {"1/2\"", kMm, 36}, {"1/2 in", kPt, 36}, {"1/2'", kMm, 432},
    // 16: a bare fraction: inch units only
    {"1/2", kFractionalInchWordUnits, 36}, {"1/2", kPt, std::nullopt},
    // 17: inches with the double quote
    {"6\"", kMm, 432}, {"6.25\"", kPt, 450},
    // 18: picas and points
    {"3p6", kMm, 42}, {"3 p 6", kPt, 42}, {"3P6.5", kMm, 42.5},
    // 19: unit words, exactly as listed
    {"10 mm", kPt, 10 / 25.4 * 72}, {"10 MM", kPt, 10 / 25.4 * 72}, {"2 cm", kPt, 2 / 2.54 * 72},
    {"1 m", kPt, 1 / 0.0254 * 72}, {"1 km", kPt, 1 / 0.0000254 * 72}, {"1 mi", kPt, 4561920},
    {"2 in", kPt, 144}, {"2 IN", kPt, 144}, {"5 mil", kPt, 0.36}, {"3p", kMm, 36}, {"3 P", kMm, 36},
    {"7 pt", kMm, 7}, {"72 px", kPt, 72}, {"1 \x8E\xDA", kPt, 1 / 0.0254 * 72 * 10 / 33},
    {"5 inches", kPt, std::nullopt}, {"5 In", kPt, std::nullopt}, {"5 Mm", kPt, std::nullopt},
    {"5 yd", kPt, std::nullopt},
    // "thou" before the table, so "t" is not taken as the feet mark
    {"5 thou", kPt, 0.36}, {"5 THOU", kMm, 0.36}, {"5thou", kMm, 0.36}, {"5 Thou", kMm, 4320} /* not a word: "T" is a feet mark */,
    // 20: a bare number in the caller's unit; decimal feet read inches
    {"10", kMm, 10 / 25.4 * 72}, {"10", kPt, 10}, {"2", kPicaUnits, 24}, {"10", kMilUnits, 0.72},
    {"10", kIn, 720}, {"10", kDecimalFeetMarkUnits, 720}, {"10", kDecimalFeetWordUnits, 720},
    {"1", kMileUnits, 4561920}, {"1", kShakuUnits, 1 / 0.0254 * 72 * 10 / 33}, {"1", kMeterUnits, 1 / 0.0254 * 72},
    {"1", kCentimeterUnits, 1 / 2.54 * 72}, {"1", kKilometerUnits, 1 / 0.0000254 * 72}, {"144", kPixelUnits, 144},
    {"10", 20, std::nullopt}, {"10", -1, std::nullopt},
    // a hyphen between a whole number and a fraction joins a mixed number
    {"2-1/2", kIn, 180}, {"2-1/2\"", kMm, 180}, {"3'-2-1/2\"", kMm, 2772}, {"5'6-1/2\"", kMm, 4788},
    {"1-1/2'", kMm, 1296}, {"5-1/2", kFtIn, 396}, {"-2-1/2", kIn, -180}, {"2-1/2", kMm, std::nullopt},
    // the sign: a first-character minus negates everything; after a blank only the feet
    {"-5' 6\"", kMm, -4752}, {" -5' 6\"", kMm, -3888}, {"-1/2\"", kMm, -36},
    // refused texts
    {"5' 3/0\"", kMm, std::nullopt}, {"6 1/0", kIn, std::nullopt}, {"1/0'", kMm, std::nullopt}, {"", kMm, std::nullopt},
    {"   ", kMm, std::nullopt}, {"abc", kMm, std::nullopt}, {"-", kMm, std::nullopt}, {"inf", kPt, std::nullopt},
    {"nan", kPt, std::nullopt}, {"infinity mm", kPt, std::nullopt}, {"0x10", kPt, std::nullopt},
    {"0x1p3", kIn, std::nullopt}, {"1e999", kPt, std::nullopt}, {"1e308 mi", kPt, std::nullopt},
    {"1e400 1e400", kFtIn, std::nullopt},
    // exponents and tiny magnitudes are plain numbers
    {"1e2", kPt, 100}, {"1e-400", kPt, 0}, {".5\"", kPt, 36}, {"5.\"", kPt, 360},
};

TEST(LengthParser, PatternsUnitGatesAndWords) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(std::string("\"") + row.text + "\" in unit " + std::to_string(row.units));
        const auto got = length(row.text, row.units);
        ASSERT_EQ(got.has_value(), row.points.has_value());
        if (got) {
            EXPECT_NEAR(*got, *row.points, 1e-9 * std::max(1.0, std::fabs(*row.points)));
        }
    }
}

TEST(LengthParser, NumberFormatsRemoveGroupingAndTakeTheDecimalComma) {
    EXPECT_NEAR(*length("1,234.5 mm", kPt, 0), 1234.5 / 25.4 * 72, 1e-9);
    EXPECT_EQ(*length("1,5", kPt, 0), 15);
    EXPECT_NEAR(*length("1.234,5", kPt, 1), 1234.5, 1e-12);
    EXPECT_EQ(*length("1.5", kPt, 1), 15);
    EXPECT_EQ(*length("5'-6,5\"", kPt, 1), 5 * 864 + 6.5 * 72);
    // only the first comma becomes the decimal point; the second ends the number
    EXPECT_EQ(*length("1,5 2,5", kPicaUnits, 1), 1.5 * 12 + 2);
}

TEST(LengthParser, PixelsFollowThePixelsPerInch) {
    EXPECT_EQ(*length("96 px", kPt, 0, 96), 72);
    EXPECT_EQ(*length("96", kPixelUnits, 0, 96), 72);
    EXPECT_EQ(*length("72 px", kPt, 0, 0), 72);  // a damaged setting counts as 72
}

TEST(LengthParser, LongTextsAreReadToTheirFieldSizeOnly) {
    std::string text = "5" + std::string(1000, '\'');
    EXPECT_EQ(*length(text, kMm), 4320);
    std::string word = "5 " + std::string(1000, 'm');
    EXPECT_FALSE(length(word, kMm));
    std::string digits = std::string(300, '9');
    EXPECT_TRUE(length(digits, kPt));  // read as its first 255 digits
    std::string withNul("5\0 mm", 5);
    EXPECT_EQ(*length(withNul, kPt), 5);  // the text ends at its terminator
}

TEST(LengthParser, NullResultFails) { EXPECT_EQ(parseLengthText("5", kPt, nullptr, {}), 0); }

TEST(AreaParser, SumsInSquareUnits) {
    EXPECT_EQ(*area("2 ft", kMm), 1492992);
    EXPECT_EQ(*area("2'", kPt), 1492992);
    EXPECT_NEAR(*area("10", kMeterUnits), 10 * std::pow(72 / 0.0254, 2), 1e-3);
    EXPECT_EQ(*area("-4", kPt), 16.0 / 4);
    EXPECT_EQ(*area("-4", kPt), *area("4", kPt));
    EXPECT_EQ(*area("1' 12\"", kPt), (144 + 12) * 5184.0);       // square feet and square inches
    EXPECT_EQ(*area("1 1/2'", kPt), 1.5 * 144 * 5184);           // the fraction of feet in square feet
    EXPECT_EQ(*area("3p6", kPt), 144 * 3 + 6);                    // square picas and square points
    EXPECT_EQ(*area("3 6", kPicaUnits), 144 * 3 + 6);
    EXPECT_EQ(*area("2 p", kPt), 2 * 144);
    EXPECT_NEAR(*area("5 thou", kPt), 5 * std::pow(0.072, 2), 1e-15);
    EXPECT_EQ(*area("0", kPt), 0);
    EXPECT_FALSE(std::signbit(*area("-0", kPt)));
}

TEST(AreaParser, NegativeSumsHaveNoArea) {
    EXPECT_FALSE(area(" -5", kPt));
    EXPECT_FALSE(area(" -2' 6\"", kPt));
    EXPECT_FALSE(area(" -1 1/2'", kPt));
    EXPECT_EQ(*area("1' -200\"", kPt), (144 + 200) * 5184.0);  // the dash separates, it is no sign
    EXPECT_FALSE(area("nan", kPt));
    EXPECT_FALSE(area("1e300 mi", kPt));  // beyond a double when squared
}

TEST(LengthParser, GlobalFormReadsThePreferences) {
    PlotwiseGlobals globals;
    CoreGlobals* saved = plotwiseRecord;
    plotwiseRecord = &globals;
    globals.prefs.numberFormat = 1;
    double v = 0;
    EXPECT_EQ(parseLengthText("1.000,5", kPt, &v), 1);
    EXPECT_EQ(v, 1000.5);
    globals.prefs.pixelsperinch = 144;
    EXPECT_EQ(parseLengthText("144 px", kPt, &v), 1);
    EXPECT_EQ(v, 72);
    EXPECT_EQ(parseAreaText("2", kPicaUnits, &v), 1);
    EXPECT_EQ(v, 288);
    plotwiseRecord = saved;
}

}  // namespace
