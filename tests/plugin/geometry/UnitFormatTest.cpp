// The formatter: the written forms of every unit, carries, signs, reduced fractions,
// rounding ties, number formats, label modes, bounds, and the round trip through the
// parser (parse∘format lands on the displayed grid; format∘parse∘format is a fixed point).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "geometry/LengthParser.h"
#include "PluginGlobals.h"
#include "units/PlotwiseUnits.h"

namespace {

std::string fmt(double points, int32_t units, int32_t precision, UnitLabelMode labels = UnitLabelMode::label,
                NumberFormat number = {}, int32_t power = 1) {
    MeasureFormat f;
    f.power = power;
    f.units = units;
    f.precision = precision;
    f.labels = labels;
    f.number = number;
    char out[256];
    std::memset(out, 'x', sizeof(out));
    formatMeasure(points, f, out, sizeof(out));
    return out;
}

constexpr double kInch = 72, kFoot = 864;

TEST(UnitFormat, EveryUnitWritesItsForm) {
    const double v = 66.5 * kInch;  // 5 feet 6 1/2 inches
    EXPECT_EQ(fmt(v, kPointUnits, 1), "4788.0 pt");
    EXPECT_EQ(fmt(v, kPixelUnits, 0), "4788 px");
    EXPECT_EQ(fmt(42.5, kPicaUnits, 1), "3p6.5");
    EXPECT_EQ(fmt(72 / 25.4 * 10, kMillimeterUnits, 2), "10.00 mm");
    EXPECT_EQ(fmt(72 / 2.54, kCentimeterUnits, 0), "1 cm");
    EXPECT_EQ(fmt(72 / 0.0254, kMeterUnits, 3), "1.000 m");
    EXPECT_EQ(fmt(72 / 0.0000254, kKilometerUnits, 1), "1.0 km");
    EXPECT_EQ(fmt(0.36, kMilUnits, 0), "5 mil");
    EXPECT_EQ(fmt(v, kDecimalInchMarkUnits, 2), "66.50\"");
    EXPECT_EQ(fmt(v, kFractionalInchMarkUnits, 3), "66 1/2\"");
    EXPECT_EQ(fmt(v, kDecimalInchWordUnits, 1), "66.5 in");
    EXPECT_EQ(fmt(v, kFractionalInchWordUnits, 5), "66 1/2 in");
    EXPECT_EQ(fmt(v, kFeetDecimalInchMarkUnits, 2), "5'-6.50\"");
    EXPECT_EQ(fmt(v, kFeetFractionalInchMarkUnits, 2), "5'-6 1/2\"");
    EXPECT_EQ(fmt(v, kFeetDecimalInchWordUnits, 2), "5 ft 6.50 in");
    EXPECT_EQ(fmt(v, kFeetFractionalInchWordUnits, 2), "5 ft 6 1/2 in");
    EXPECT_EQ(fmt(5.5 * kFoot, kDecimalFeetMarkUnits, 2), "5.50'");
    EXPECT_EQ(fmt(5.5 * kFoot, kDecimalFeetWordUnits, 1), "5.5 ft");
    EXPECT_EQ(fmt(4561920, kMileUnits, 0), "1 mi");
    EXPECT_EQ(fmt(72 / 0.0254 * 10 / 33, kShakuUnits, 0), "1 \x8E\xDA");
    EXPECT_EQ(fmt(7, 99, 0), "7 pt");  // an unknown code writes points
}

TEST(UnitFormat, CarriesIntoInchesAndFeet) {
    EXPECT_EQ(fmt(11.999 * kInch, kFeetFractionalInchMarkUnits, 5), "1'-0\"");
    EXPECT_EQ(fmt(11.999 * kInch, kFractionalInchWordUnits, 5), "12 in");
    EXPECT_EQ(fmt(35.999 * kInch, kFeetDecimalInchMarkUnits, 2), "3'-0.00\"");
    EXPECT_EQ(fmt(0.99999 * kFoot, kDecimalFeetMarkUnits, 3), "1.000'");
    EXPECT_EQ(fmt(2.999 * kInch, kFractionalInchMarkUnits, 4), "3\"");
    EXPECT_EQ(fmt(47.99 * kInch, kFeetFractionalInchWordUnits, 3), "4 ft 0 in");
    EXPECT_EQ(fmt(143.97, kPicaUnits, 1), "12p0.0");  // 11 picas 11.97 points carries into a pica
}

TEST(UnitFormat, SignOnceAndNeverForZero) {
    EXPECT_EQ(fmt(-0.4 / 32 * kInch, kFractionalInchMarkUnits, 5), "0\"");
    EXPECT_EQ(fmt(-0.4 / 32 * kInch, kFeetFractionalInchMarkUnits, 5), "0'-0\"");
    EXPECT_EQ(fmt(-0.001, kPointUnits, 2), "0.00 pt");
    EXPECT_EQ(fmt(-0.0, kMillimeterUnits, 0), "0 mm");
    EXPECT_EQ(fmt(-2.5 * kInch, kFractionalInchMarkUnits, 3), "-2 1/2\"");
    EXPECT_EQ(fmt(-0.5 * kInch, kFractionalInchMarkUnits, 3), "-1/2\"");
    EXPECT_EQ(fmt(-(10 * kFoot + 5 * kInch), kFeetFractionalInchMarkUnits, 0), "-10'-5\"");
    EXPECT_EQ(fmt(-(0.25 * kInch), kFeetFractionalInchWordUnits, 2), "-0 ft 0 1/4 in");
    EXPECT_EQ(fmt(-30 * kInch, kFeetDecimalInchMarkUnits, 0), "-2'-6\"");
}

TEST(UnitFormat, FractionsAreReducedAndNeverWhole) {
    EXPECT_EQ(fmt(2.0 / 32 * kInch, kFractionalInchMarkUnits, 5), "1/16\"");
    EXPECT_EQ(fmt(16.0 / 32 * kInch, kFractionalInchMarkUnits, 5), "1/2\"");
    EXPECT_EQ(fmt(3.75 * kInch, kFractionalInchMarkUnits, 2), "3 3/4\"");
    EXPECT_EQ(fmt(3.75 * kInch, kFractionalInchMarkUnits, 0), "4\"");
    EXPECT_EQ(fmt(3.0 * kInch, kFractionalInchMarkUnits, 5), "3\"");
    EXPECT_EQ(fmt(0.0, kFractionalInchMarkUnits, 5), "0\"");
    EXPECT_EQ(fmt(5 * kFoot + 0.25 * kInch, kFeetFractionalInchMarkUnits, 2), "5'-0 1/4\"");
    for (int i = 0; i < 64 * 12; ++i) {
        const std::string s = fmt(i / 64.0 * kInch, kFeetFractionalInchMarkUnits, 5);
        EXPECT_EQ(s.find("/1\""), std::string::npos) << s;
        EXPECT_EQ(s.find("0/"), std::string::npos) << s;
        EXPECT_EQ(s.find("-12"), std::string::npos) << s;
    }
}

TEST(UnitFormat, TiesRoundAwayFromZero) {
    EXPECT_EQ(fmt(0.125 * kInch, kDecimalInchMarkUnits, 2), "0.13\"");
    EXPECT_EQ(fmt(-0.125 * kInch, kDecimalInchMarkUnits, 2), "-0.13\"");
    EXPECT_EQ(fmt(0.125 * kInch, kFractionalInchMarkUnits, 2), "1/4\"");
    EXPECT_EQ(fmt(-0.375 * kInch, kFractionalInchMarkUnits, 2), "-1/2\"");
    EXPECT_EQ(fmt(2.5, kPointUnits, 0), "3 pt");
    EXPECT_EQ(fmt(-2.5, kPointUnits, 0), "-3 pt");
    // A measured length within its float error (worked here as a float's spacing at its
    // coordinates, times the scale) of a half rounds away from zero; farther off, to nearest.
    const double mm = 72 / 25.4;
    const struct {
        double points, noise;
        int32_t units, precision;
        const char* text;
    } kMeasured[] = {
        {(0.005 - 1e-12) * mm, 1e-9, kMillimeterUnits, 2, "0.01 mm"},
        {(0.005 - 1e-6) * mm, 1e-9, kMillimeterUnits, 2, "0.00 mm"},
        // 49.11 pt at 1:100 is 1.7324917 m, 8e-6 m below the half; its error 1.3e-7 m.
        {49.11f * 100.0, std::ldexp(100.0, -18), kMeterUnits, 3, "1.732 m"},
        // 0.0937494" is 6e-7" below a half sixteenth; its error 7e-9".
        {static_cast<float>(0.0937494 * 72), std::ldexp(1.0, -21), kFractionalInchMarkUnits, 4, "1/16\""},
        // 926.495 mm typed at 1:100: its float lies 2e-5 mm below the half, its error 7e-5 mm.
        {static_cast<float>(926.495 * mm / 100) * 100.0, std::ldexp(100.0, -19), kMillimeterUnits, 2, "926.50 mm"},
        {static_cast<float>(750 * mm), std::ldexp(1.0, -12), kMillimeterUnits, 3, "750.000 mm"},
        {750 * mm, 2 * mm, kMillimeterUnits, 3, "750.000 mm"},  // an error past a tick moves no tick
        {static_cast<float>(750 * mm / 1000) * 1000.0, std::ldexp(1000.0, -23), kMillimeterUnits, 3, "750.000 mm"},
        {static_cast<float>(750 * mm / 7) * 7.0, std::ldexp(7.0, -20), kMillimeterUnits, 3, "750.000 mm"},
        // Typed sizes on a half at 1:100: 13,418.405 mm lies 0.03 steps short as drawn, its
        // error 0.05; 23,744.605 and 27,455.3052 mm lie past the half.
        {static_cast<float>(13418.405 * mm / 100) * 100.0, std::ldexp(100.0, -16), kMillimeterUnits, 2,
         "13418.41 mm"},
        {static_cast<float>(23744.605 * mm / 100) * 100.0, std::ldexp(100.0, -15), kMillimeterUnits, 2,
         "23744.61 mm"},
        {static_cast<float>(27455.3052 * mm / 100) * 100.0, std::ldexp(100.0, -15), kMillimeterUnits, 2,
         "27455.31 mm"},
        // Exactly 123 19/32", a half step at five places in centimetres; its float error is
        // 3.4 steps, and 313.9281 lies 2.5 off, but the half is what it is.
        {123.59375 * kInch, std::ldexp(1.0, -10), kCentimeterUnits, 5, "313.92813 cm"},
        // 826.2056 mm held at 1:100 lies 0.26 steps past its step and 0.24 short of the half,
        // its error 0.34: within it of the step, which it shows, so its text reads back the
        // same. 826.20045 mm, 0.44 steps past, lies within it of the half alone.
        {static_cast<float>(826.2056 * mm / 100) * 100.0, std::ldexp(100.0, -20), kMillimeterUnits, 4,
         "826.2056 mm"},
        {static_cast<float>(826.20045 * mm / 100) * 100.0, std::ldexp(100.0, -20), kMillimeterUnits, 4,
         "826.2005 mm"},
    };
    for (const auto& c : kMeasured) {
        char out[256];
        formatMeasure(c.points, {.units = c.units, .precision = c.precision, .noise = c.noise}, out, sizeof out);
        EXPECT_STREQ(out, c.text);
    }
}

TEST(UnitFormat, FloatNoiseIsNotShownAtFinePrecisions) {
    // An inch as a dimension tool measures it between coordinates the host keeps as 32-bit
    // reals (a line from 10.7 to 82.7): 71.9999971 pt, its error half a spacing at each end.
    const double inch = static_cast<double>(82.7f) - 10.7f, error = std::ldexp(1.0, -18) + std::ldexp(1.0, -21);
    const struct {
        double value, error;
        int32_t units;
        const char* text;
    } kCases[] = {
        {inch, error, kPointUnits, "72.00000 pt"},
        {inch, error, kMillimeterUnits, "25.40000 mm"},
        {inch, error, kDecimalInchWordUnits, "1.00000 in"},
        {inch, error, kFractionalInchMarkUnits, "1\""},
        {inch, error, kPicaUnits, "6p0.00000"},
        {static_cast<double>(99.3f) - 27.3f, std::ldexp(1.0, -18) + std::ldexp(1.0, -20), kPointUnits, "72.00000 pt"},
        // What a float does hold is shown to the last digit asked for: the nearest step, not a
        // rounder number within its error.
        {static_cast<double>(1234.567f), std::ldexp(1.0, -14), kPointUnits, "1234.56702 pt"},
        {static_cast<double>(72.25f), std::ldexp(1.0, -18), kPointUnits, "72.25000 pt"},
        {0.00001, 0, kPointUnits, "0.00001 pt"},
    };
    for (const auto& c : kCases) {
        char out[256];
        formatMeasure(c.value, {.units = c.units, .precision = 5, .noise = c.error}, out, sizeof out);
        EXPECT_STREQ(out, c.text) << c.value;
    }
}

TEST(UnitFormat, FloatNoiseIsNotShownInAnAreasLastPlaces) {
    // A 5,000 x 4,000 mm room drawn at 1:50 from the corner (300, 500): its sides between
    // corners the host keeps as 32-bit reals, its area taken at the scale (2,500 times).
    const auto room = [](double x0, double y0) {
        const float w = static_cast<float>(5000 / 25.4 * 72 / 50), h = static_cast<float>(4000 / 25.4 * 72 / 50);
        const double width = static_cast<double>(static_cast<float>(x0) + w) - x0;
        const double height = y0 - static_cast<double>(static_cast<float>(y0) - h);
        return width * height * 2500;
    };
    constexpr double kSquareMillimetre = 72 / 25.4 * 72 / 25.4;
    const struct {
        double value;  // square points
        int32_t precision;
        const char* text;
    } kCases[] = {
        {room(300, 500), 0, "20000000 mm"},  // 20,000,003.5 mm sq as measured
        {room(0, 500), 2, "20000000.00 mm"},
        {room(1000, -700), 1, "20000000.0 mm"},
        // What a float does hold is shown to the last digit asked for.
        {1234567 * kSquareMillimetre, 0, "1234567 mm"},
        {4123.0 * 3457 * kSquareMillimetre, 0, "14253211 mm"},
        {2.5 * kSquareMillimetre, 1, "2.5 mm"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(fmt(c.value, kMillimeterUnits, c.precision, UnitLabelMode::label, {}, 2), c.text) << c.text;
}

TEST(UnitFormat, PrecisionIsClamped) {
    EXPECT_EQ(fmt(1.23456789, kPointUnits, -1), "1 pt");
    EXPECT_EQ(fmt(1.23456789, kPointUnits, 8), "1.23457 pt");
    EXPECT_EQ(fmt(1.0 / 64 * kInch, kFractionalInchMarkUnits, 8), "1/32\"");
}

TEST(UnitFormat, NumberFormats) {
    EXPECT_EQ(fmt(1234567.5, kPointUnits, 1, UnitLabelMode::label, {0, true}), "1,234,567.5 pt");
    EXPECT_EQ(fmt(1234567.5, kPointUnits, 1, UnitLabelMode::label, {1, true}), "1.234.567,5 pt");
    EXPECT_EQ(fmt(1234567.5, kPointUnits, 1, UnitLabelMode::label, {1, false}), "1234567,5 pt");
    EXPECT_EQ(fmt(123.25, kPointUnits, 2, UnitLabelMode::label, {0, true}), "123.25 pt");
    EXPECT_EQ(fmt(-1234.5, kPointUnits, 5, UnitLabelMode::label, {0, true}), "-1,234.50000 pt");
    EXPECT_EQ(fmt(1234 * kFoot + 6.25 * kInch, kFeetDecimalInchMarkUnits, 2, UnitLabelMode::label, {1, true}),
              "1.234'-6,25\"");
    EXPECT_EQ(fmt(42.5, kPicaUnits, 1, UnitLabelMode::label, {1, false}), "3p6,5");
}

TEST(UnitFormat, LabelModes) {
    const double v = 66.5 * kInch;
    EXPECT_EQ(fmt(72 / 25.4 * 10, kMillimeterUnits, 1, UnitLabelMode::noLabel), "10.0");
    EXPECT_EQ(fmt(v, kFractionalInchMarkUnits, 3, UnitLabelMode::noLabel), "66 1/2");
    EXPECT_EQ(fmt(v, kFeetFractionalInchMarkUnits, 3, UnitLabelMode::noLabel), "5'-6 1/2\"");
    EXPECT_EQ(fmt(5.5 * kFoot, kDecimalFeetMarkUnits, 1, UnitLabelMode::noLabel), "5.5'");
    EXPECT_EQ(fmt(5.5 * kFoot, kDecimalFeetWordUnits, 1, UnitLabelMode::noLabel), "5.5'");
    EXPECT_EQ(fmt(42.5, kPicaUnits, 1, UnitLabelMode::noLabel), "3p6.5");
    // bare numbers: decimal inches for 8-11, decimal feet for 12-17
    EXPECT_EQ(fmt(v, kFractionalInchMarkUnits, 3, UnitLabelMode::bare), "66.500");
    EXPECT_EQ(fmt(v, kFeetFractionalInchWordUnits, 2, UnitLabelMode::bare), "5.54");
    EXPECT_EQ(fmt(5.5 * kFoot, kDecimalFeetMarkUnits, 1, UnitLabelMode::bare), "5.5");
    EXPECT_EQ(fmt(42, kPicaUnits, 1, UnitLabelMode::bare), "3.5");
}

TEST(UnitFormat, Areas) {
    EXPECT_EQ(fmt(2 * 144 * 5184.0, kFeetFractionalInchMarkUnits, 2, UnitLabelMode::label, {}, 2), "2.00 ft");
    EXPECT_EQ(fmt(2 * 144 * 5184.0, kDecimalFeetMarkUnits, 0, UnitLabelMode::label, {}, 2), "2'");
    EXPECT_EQ(fmt(10 * 5184.0, kFractionalInchWordUnits, 1, UnitLabelMode::label, {}, 2), "10.0 in");
    EXPECT_EQ(fmt(288, kPicaUnits, 0, UnitLabelMode::label, {}, 2), "2 p");
    EXPECT_EQ(fmt(std::pow(72 / 0.0254, 2) * 3, kMeterUnits, 2, UnitLabelMode::noLabel, {}, 2), "3.00");
}

TEST(UnitFormat, NonFiniteAndOversizedValuesAreEmpty) {
    EXPECT_EQ(fmt(NAN, kPointUnits, 2), "");
    EXPECT_EQ(fmt(INFINITY, kFeetFractionalInchMarkUnits, 2), "");
    EXPECT_EQ(fmt(-INFINITY, kMillimeterUnits, 2), "");
    EXPECT_EQ(fmt(1e300, kPointUnits, 2), "");
    // a large value loses decimals before it loses its text
    EXPECT_EQ(fmt(1e16, kPointUnits, 5), "10000000000000000.00 pt");
    EXPECT_EQ(fmt(3.4e38f, kMilUnits, 0), "");
}

TEST(UnitFormat, NeverWritesPastTheBuffer) {
    MeasureFormat f;
    f.units = kPointUnits;
    f.precision = 2;
    char small[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
    formatMeasure(12.5, f, small, 5);
    EXPECT_STREQ(small, "");  // "12.50 pt" does not fit: no cut number
    EXPECT_EQ(small[5], 'x');
    formatMeasure(1.5, f, small, 5);
    EXPECT_STREQ(small, "");
    f.labels = UnitLabelMode::noLabel;
    formatMeasure(1.5, f, small, 5);
    EXPECT_STREQ(small, "1.50");
}

TEST(NumberFormat, PreParseIsTheInverseOfPostParse) {
    for (int nf = 0; nf <= 1; ++nf) {
        for (bool thousands : {false, true}) {
            for (const char* text : {"1234567.125 mm", "-12.5'", "5'-6 1/4\"", "1000000", "0.5", "3p6.25"}) {
                char buf[64];
                std::snprintf(buf, sizeof(buf), "%s", text);
                postParseNumericText(buf, sizeof(buf), {nf, thousands});
                preParseNumericText(buf, nf);
                EXPECT_STREQ(buf, text) << nf << thousands;
            }
        }
    }
    char tight[10] = "1234567.5";
    postParseNumericText(tight, sizeof(tight), {0, true});  // "1,234,567.5" would not fit
    EXPECT_STREQ(tight, "1234567.5");
}

// A number format the document panel does not offer (a stored 2, say) is format 0 both
// ways: grouped with ',' and read back with '.' as the decimal point.
TEST(NumberFormat, AnUnofferedFormatIsTheDefaultBothWays) {
    const double mm1234_5 = 1234.5 * 72 / 25.4;
    for (int32_t nf : {2, -1, 7}) {
        EXPECT_EQ(fmt(mm1234_5, kMillimeterUnits, 2, UnitLabelMode::label, {nf, true}), "1,234.50 mm") << nf;
        double back = 0;
        ASSERT_EQ(parseLengthText("1,234.50 mm", kMillimeterUnits, &back, {nf, 72}), 1) << nf;
        EXPECT_NEAR(back, mm1234_5, 1e-6) << nf;
        ASSERT_EQ(parseLengthText("1234.50 mm", kMillimeterUnits, &back, {nf, 72}), 1) << nf;
        EXPECT_NEAR(back, mm1234_5, 1e-6) << nf;
    }
}

// The grid of a displayed value, in points: one tick.
double tickInPoints(int32_t units, int p, int32_t power) {
    const double k[kUnitCodeCount] = {1, 1, 12, 72 / 25.4, 72 / 2.54, 72 / 0.0254, 72 / 0.0000254, 0.072, 72, 72, 72, 72,
                                      72, 72, 72, 72, 864, 864, 4561920, 72 / 0.0254 * 10 / 33};
    if (power == 2) {
        const double areaK = units >= 12 && units <= 17 ? 864 : k[units];
        return std::pow(10.0, -p) * areaK * areaK;
    }
    if (units == kPicaUnits) return std::pow(10.0, -p);
    if (isFractionalUnit(units)) return 72.0 / (1 << p);
    return std::pow(10.0, -p) * k[units];
}

void checkRoundTrip(double x, int32_t units, int p, UnitLabelMode labels, NumberFormat number, int32_t power) {
    const std::string text = fmt(x, units, p, labels, number, power);
    SCOPED_TRACE("x=" + std::to_string(x) + " unit " + std::to_string(units) + " p " + std::to_string(p) + " nf " +
                 std::to_string(number.numberFormat) + " text \"" + text + "\"");
    ASSERT_FALSE(text.empty());
    double back = NAN;
    const LengthParseSettings settings{number.numberFormat, 72};
    const int16_t ok = power == 2 ? parseAreaText(text, units, &back, settings) : parseLengthText(text, units, &back, settings);
    ASSERT_EQ(ok, 1);
    // On the displayed grid: within half a tick of the value (areas come back without sign),
    // or on coarser ticks within the noise of a 32-bit real (three units in its last place),
    // each of the value and of its rounding.
    const double target = power == 2 ? std::fabs(x) : x;
    const double floatNoise = 2 * 3 * std::ldexp(std::fabs(x), -23) * (1 + 1e-9);
    EXPECT_LE(std::fabs(back - target), tickInPoints(units, p, power) * (1 + 1e-9) + floatNoise);
    EXPECT_EQ(fmt(back, units, p, labels, number, power), power == 2 && x < 0 ? fmt(-x, units, p, labels, number, power) : text);
}

TEST(UnitFormatRoundTrip, EveryUnitPrecisionAndNumberFormat) {
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-4, 7);
    std::vector<double> values = {0.0, 11.999 * 72, -11.999 * 72, 0.99999 * 864, -0.99999 * 864, -0.4 / 32 * 72,
                                  0.4 / 32 * 72, 35.999 * 72, 143.99, 1234567.891, 0.5 * 72 / 32, 12 * 72};
    for (int i = 0; i < 60; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        values.push_back(rng() % 2 ? v : -v);
    }
    for (int32_t units = 0; units < kUnitCodeCount; ++units) {
        for (int p = 0; p <= kMaxPrecision; ++p) {
            for (int nf = 0; nf <= 1; ++nf) {
                for (bool thousands : {false, true}) {
                    for (UnitLabelMode labels : {UnitLabelMode::label, UnitLabelMode::noLabel}) {
                        for (double x : values) {
                            checkRoundTrip(x, units, p, labels, {nf, thousands}, 1);
                            if (labels == UnitLabelMode::label) checkRoundTrip(x, units, p, labels, {nf, thousands}, 2);
                            if (HasFatalFailure()) return;
                        }
                    }
                }
            }
        }
    }
}

struct GlobalsFixture : ::testing::Test {
    PlotwiseGlobals globals;
    CoreGlobals* saved = nullptr;
    void SetUp() override {
        saved = plotwiseRecord;
        plotwiseRecord = &globals;
        // The start-up style writes unit labels on both values.
        globals.prefs.style.appendUpperUnitLabels = 1;
        globals.prefs.style.appendLowerUnitLabels = 1;
    }
    void TearDown() override { plotwiseRecord = saved; }
};

using ScaledFormatter = GlobalsFixture;

TEST_F(ScaledFormatter, ScaleSourceLabelsAndKludge) {
    char out[256];
    globals.prefs.scaler = 48;
    globals.rulerScaler = 2;
    doScaleAndUnits(0, 1.5 * 72, out, 1, kFeetFractionalInchMarkUnits, 3);
    EXPECT_STREQ(out, "6'-0\"");
    doScaleAndUnits(1, 1.5 * 72, out, 1, kFractionalInchMarkUnits, 3);
    EXPECT_STREQ(out, "3\"");
    doScaleAndUnits(0, 5184, out, 2, kDecimalFeetWordUnits, 0);
    EXPECT_STREQ(out, "16 ft");  // 1 square inch at 1:48 is 16 square feet
    globals.prefs.scaler = 1;
    globals.prefs.style.appendUpperUnitLabels = 0;
    doScaleAndUnits(0, 72 / 25.4, out, 1, kMillimeterUnits, 1);
    EXPECT_STREQ(out, "1.0");
    globals.prefs.style.appendUpperUnitLabels = 1;
    globals.appendUnitLabelsSpecialKludge = 0;
    doScaleAndUnits(0, 864 * 1.25, out, 1, kFeetFractionalInchMarkUnits, 2);
    EXPECT_STREQ(out, "1.25");
    globals.appendUnitLabelsSpecialKludge = 1;
    globals.prefs.numberFormat = 1;
    globals.prefs.useThousandsSeparator = 1;
    doScaleAndUnits(0, 12345.5, out, 1, kPointUnits, 1);
    EXPECT_STREQ(out, "12.345,5 pt");
    doScaleAndUnits(0, NAN, out, 1, kPointUnits, 1);
    EXPECT_STREQ(out, "");
}

TEST_F(ScaledFormatter, HackTakesTheUpperOrLowerLabelFlag) {
    char out[256];
    globals.prefs.scaler = 2;
    globals.rulerScaler = 100;  // never used by the twin
    globals.prefs.style.appendUpperUnitLabels = 1;
    globals.prefs.style.appendLowerUnitLabels = 0;
    doScaleAndUnitsHack(1, 1, kMillimeterUnits, 0, -72 / 25.4, out, 1);
    EXPECT_STREQ(out, "-2 mm");
    doScaleAndUnitsHack(0, 1, kMillimeterUnits, 0, -72 / 25.4, out, 0);
    EXPECT_STREQ(out, "-2");
    doScaleAndUnitsHack(0, 2, kPointUnits, 0, 3, out, 1);
    EXPECT_STREQ(out, "12 pt");
}

}  // namespace
