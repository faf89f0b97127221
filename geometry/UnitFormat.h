// Display units of every number the user sees or types: the twenty unit codes, their
// labels and sizes in points, the number format (decimal comma, grouping) and the one
// formatter, `doScaleAndUnits`, with its twin for dimension value strings. Values are
// rounded once on an integer grid of ticks and then split, so carries and signs come out
// right and every text parses back to the value it shows.
#pragma once

#include <cstddef>
#include <cstdint>

// The unit codes shared by the formatter, the parser, the panels and the stored styles.
enum : int16_t {
    kPointUnits = 0,
    kPixelUnits = 1,
    kPicaUnits = 2,
    kMillimeterUnits = 3,
    kCentimeterUnits = 4,
    kMeterUnits = 5,
    kKilometerUnits = 6,
    kMilUnits = 7,
    kDecimalInchMarkUnits = 8,
    kFractionalInchMarkUnits = 9,
    kDecimalInchWordUnits = 10,
    kFractionalInchWordUnits = 11,
    kFeetDecimalInchMarkUnits = 12,
    kFeetFractionalInchMarkUnits = 13,
    kFeetDecimalInchWordUnits = 14,
    kFeetFractionalInchWordUnits = 15,
    kDecimalFeetMarkUnits = 16,
    kDecimalFeetWordUnits = 17,
    kMileUnits = 18,
    kShakuUnits = 19,
};
constexpr int kUnitCodeCount = 20;
constexpr int kMaxPrecision = 5;

// The shaku sign, in the double-byte code page the host hands platform text in.
inline constexpr char kShakuSign[] = "\x8E\xDA";

bool isValidUnitCode(int32_t units);
bool isFractionalUnit(int32_t units);   // 9, 11, 13, 15
bool isFeetInchUnit(int32_t units);     // 12 to 15
bool isInchUnit(int32_t units);         // 8 to 15

// Physical units the codes and the typed unit words stand for.
enum class LengthUnit { point, pica, inch, foot, mil, pixel, centimeter, millimeter, meter, kilometer, mile, shaku };

// V of a unit in points, each conversion's factors applied in one fixed order, so a typed
// value gives the same points wherever it is converted. A pixels-per-inch value that is not
// positive counts as 72.
double unitToPoints(LengthUnit unit, double value, int32_t pixelsPerInch);
// The physical unit a unit code shows lengths in (the compound feet-and-inch forms count
// as feet); an unknown code gives points.
LengthUnit lengthUnitOfCode(int32_t units);

// How the number format is applied.
struct NumberFormat {
    int32_t numberFormat = 0;   // 0: 1,234.5   1: 1.234,5   any other value counts as 0
    bool thousands = false;
};

// Whether a label follows the number.
enum class UnitLabelMode {
    label,    // the unit label or marks
    noLabel,  // labels off: the marks that the value cannot be read back without stay
    bare,     // a bare number: decimal inches for 8-11, decimal feet for 12-17
};

struct MeasureFormat {
    int32_t power = 1;        // 1 length, 2 area
    int32_t units = kPointUnits;
    int32_t precision = 0;    // clamped to 0-5
    UnitLabelMode labels = UnitLabelMode::label;
    NumberFormat number{};
    int32_t pixelsPerInch = 72;
    // The value's float error, in points as the value is given: a value that close to a
    // half tick cannot be told from the half and rounds away from zero with it, unless it is
    // as close to a tick, which it then shows; any other rounds to the nearest tick. No
    // value is moved farther. 0 for a value known exactly.
    double noise = 0;
};

// The spacing of 32-bit floats at a magnitude: the error of a coordinate that large, and so
// of a length measured between coordinates no larger.
double floatSpacing(double magnitude);

// Writes the value (points, or square points for areas; already scaled) into out, at
// most min(outSize - 1, 255) characters and a terminator. A non-finite value, or one whose
// text would not fit, is written as the empty text. An unknown unit code writes points.
void formatMeasure(double value, const MeasureFormat& format, char* out, std::size_t outSize);

// Removes the grouping characters of the number format and turns a decimal comma into a
// point, in place.
void preParseNumericText(char* text, int32_t numberFormat);
// Applies the number format to a text whose numbers are written with a decimal point, in
// place, within size bytes; grouping is left out when it would not fit.
void postParseNumericText(char* text, std::size_t size, const NumberFormat& format);
