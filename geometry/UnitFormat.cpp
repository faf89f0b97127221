// Unit codes, labels and conversions, the number format and the formatter. The value is
// rounded once to a whole number of ticks (10^-p of the unit, or 1/2^p inch for the
// fractional units): to the nearest, and away from zero where it lies within its float
// error of a half and not of a tick; feet, inches and fractions are then split off by
// integer division, so a carry can never leave 12 inches or a fraction of 1/1 behind.
#include "geometry/UnitFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <system_error>

namespace {

enum class Form { decimal, picas, fractionalInches, feetDecimalInches, feetFractionalInches };

struct UnitForm {
    LengthUnit unit;        // unit of a decimal length, and of areas
    Form form;
    const char* label;      // after a decimal length or a fraction
    const char* areaLabel;  // after an area
    const char* feetMark;   // between feet and inches (compound forms)
};

// Indexed by unit code.
constexpr UnitForm kUnitForms[kUnitCodeCount] = {
    {LengthUnit::point, Form::decimal, " pt", " pt", ""},
    {LengthUnit::pixel, Form::decimal, " px", " px", ""},
    {LengthUnit::pica, Form::picas, "", " p", ""},
    {LengthUnit::millimeter, Form::decimal, " mm", " mm", ""},
    {LengthUnit::centimeter, Form::decimal, " cm", " cm", ""},
    {LengthUnit::meter, Form::decimal, " m", " m", ""},
    {LengthUnit::kilometer, Form::decimal, " km", " km", ""},
    {LengthUnit::mil, Form::decimal, " mil", " mil", ""},
    {LengthUnit::inch, Form::decimal, "\"", "\"", ""},
    {LengthUnit::inch, Form::fractionalInches, "\"", "\"", ""},
    {LengthUnit::inch, Form::decimal, " in", " in", ""},
    {LengthUnit::inch, Form::fractionalInches, " in", " in", ""},
    {LengthUnit::foot, Form::feetDecimalInches, "\"", " ft", "'-"},
    {LengthUnit::foot, Form::feetFractionalInches, "\"", " ft", "'-"},
    {LengthUnit::foot, Form::feetDecimalInches, " in", " ft", " ft "},
    {LengthUnit::foot, Form::feetFractionalInches, " in", " ft", " ft "},
    {LengthUnit::foot, Form::decimal, "'", "'", ""},
    {LengthUnit::foot, Form::decimal, " ft", " ft", ""},
    {LengthUnit::mile, Form::decimal, " mi", " mi", ""},
    {LengthUnit::shaku, Form::decimal, " \x8E\xDA", " \x8E\xDA", ""},
};

constexpr uint64_t kPow10[kMaxPrecision + 1] = {1, 10, 100, 1000, 10000, 100000};
// Tick counts stay well inside 64 bits, so feet times ticks per foot cannot wrap.
constexpr double kMaxTicks = 4.0e18;
constexpr std::size_t kMaxText = 255;

// A bounded text being built; overflow is remembered, never written past. Characters go
// straight into the buffer, which is terminated when it is read.
class TextBuilder {
public:
    void put(std::string_view s) {
        if (s.size() > kCapacity - 1 - len_) {
            overflow_ = true;
            return;
        }
        for (char c : s) buf_[len_++] = c;
    }
    void put(char c) {
        if (len_ + 1 > kCapacity - 1) {
            overflow_ = true;
            return;
        }
        buf_[len_++] = c;
    }
    void putInteger(uint64_t n) {
        const auto r = std::to_chars(buf_ + len_, buf_ + kCapacity - 1, n);
        if (r.ec != std::errc()) {
            overflow_ = true;
            return;
        }
        len_ = static_cast<std::size_t>(r.ptr - buf_);
    }
    // ticks / 10^p with exactly p decimals.
    void putFixed(uint64_t ticks, int p) {
        putInteger(ticks / kPow10[p]);
        if (p == 0) return;
        char frac[8];
        uint64_t rest = ticks % kPow10[p];
        for (int i = p - 1; i >= 0; --i) {
            frac[i] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        }
        put('.');
        put(std::string_view(frac, static_cast<std::size_t>(p)));
    }
    static constexpr std::size_t kCapacity = 512;
    char* data() {
        buf_[len_] = '\0';
        return buf_;
    }
    std::size_t size() const { return len_; }
    bool overflow() const { return overflow_; }

private:
    char buf_[kCapacity];
    std::size_t len_ = 0;
    bool overflow_ = false;
};

// A magnitude in the unit whose ticks are counted, and its float error in that unit.
struct Amount {
    double value;
    double noise;
    Amount per(double unit) const { return {value / unit, noise / unit}; }
};

// Where the value lies against the ticks, as its float error leaves it: within the error of
// a half tick the value may have been the half, and rounds away from zero with it; within
// the error of a tick it may have been that tick, which wins (a text read back and held as a
// float again is then shown the same); else the nearest tick. The zone about the half is
// thus the error up to a quarter tick, and shrinks to nothing as the error grows to half a
// tick, where every value is within its error of a tick. The conversion into ticks adds an
// error of its own, a few units in a double's last place: an exact half stays one.
double halfZone(double exact, double noise) {
    constexpr double kConversionError = 0x1p-50;  // eight units in a double's last place
    constexpr double kMostZone = 0.25;
    return std::min(std::max(std::min(noise, 0.5 - noise), exact * kConversionError), kMostZone);
}

// Rounds the amount to whole ticks (halfZone); false when too large.
bool toTicks(const Amount& amount, double ticksPerUnit, uint64_t& ticks) {
    const double exact = amount.value * ticksPerUnit;
    double whole = std::floor(exact);
    if (exact - whole >= 0.5 - halfZone(exact, amount.noise * ticksPerUnit)) whole += 1;
    if (!(whole < kMaxTicks)) return false;
    ticks = static_cast<uint64_t>(whole);
    return true;
}

// An area is the product of two lengths, each measured between coordinates kept as 32-bit
// reals, which leaves noise of a few units in a float's last place (relative to the value,
// at most 2^-23 each): a room of 5,000 by 4,000 mm has eight digits in square millimetres,
// more than a float carries, so its noise reaches past the unit. Its ticks may go as coarse
// as 10^12 units (precision -12). Past the unit only ticks of a hundred units or more count:
// a value within float noise of one was that round number, while a tick of ten lies within
// the noise of about every value of eight digits, and taking it would change a digit the
// float did hold.
constexpr double kFloatNoise = 3.0 / (1 << 23);
constexpr int kCoarsestAreaTick = -12;
constexpr int kTensOfUnits = -1;

// The ticks of precision p (`exact` is the value in them, unrounded) moved to the coarsest
// tick (of precision `coarsest` or finer) within float noise, and again from there, until
// no coarser one is that close to the value or to the value as shown: a text read back is
// then shown the same.
template <typename TicksPerUnit>
uint64_t dropFloatNoise(uint64_t ticks, double exact, int p, TicksPerUnit ticksPerUnit, int coarsest) {
    // Noise under a quarter tick: every other tick is half a tick away or more, so none is
    // close. Most areas end here.
    if (exact * kFloatNoise < 0.25) return ticks;
    // The nearest tick of precision q, in ticks of p.
    const auto nearest = [&](int q) {
        const auto ratio = static_cast<uint64_t>(std::llround(ticksPerUnit(p - q)));
        const uint64_t rest = ticks % ratio;
        return ticks - rest + (rest >= ratio - rest ? ratio : 0);
    };
    const auto close = [&](uint64_t tick) {
        return tick != ticks && std::fabs(static_cast<double>(tick) - exact) <= exact * kFloatNoise;
    };
    for (int finest = p;;) {
        int q = coarsest;
        while (q < finest && (q == kTensOfUnits || !close(nearest(q)))) ++q;
        if (q < finest) {
            ticks = nearest(q);
            finest = q;
        } else if (exact == static_cast<double>(ticks)) {
            return ticks;
        }
        exact = static_cast<double>(ticks);
    }
}

// Picks the finest precision at or below p whose tick count fits; -1 when none does. A
// length is rounded by its own float error alone; an area, whose error is not given, also
// drops the float noise of its last places.
template <typename TicksPerUnit>
int fitPrecision(const Amount& amount, int p, TicksPerUnit ticksPerUnit, uint64_t& ticks, bool area = false) {
    for (; p >= 0; --p) {
        if (toTicks(amount, ticksPerUnit(p), ticks)) {
            if (area) ticks = dropFloatNoise(ticks, amount.value * ticksPerUnit(p), p, ticksPerUnit, kCoarsestAreaTick);
            return p;
        }
    }
    return -1;
}

// 10^p, exact for every p up to 22 (each product is a power of ten a double holds).
double pow10(int p) {
    if (p <= kMaxPrecision) return static_cast<double>(kPow10[p]);
    double power = static_cast<double>(kPow10[kMaxPrecision]);
    for (int i = kMaxPrecision; i < p; ++i) power *= 10;
    return power;
}
double pow2(int p) { return static_cast<double>(uint64_t{1} << p); }

void putSign(TextBuilder& text, bool negative, uint64_t ticks) {
    if (negative && ticks != 0) text.put('-');
}

// A decimal number of the unit.
bool writeDecimal(TextBuilder& text, const Amount& amount, bool negative, int p, bool area = false) {
    uint64_t ticks = 0;
    p = fitPrecision(amount, p, pow10, ticks, area);
    if (p < 0) return false;
    putSign(text, negative, ticks);
    text.putFixed(ticks, p);
    return true;
}

// Picas and points, the points with p decimals: 5p6.5.
bool writePicas(TextBuilder& text, const Amount& points, bool negative, int p) {
    uint64_t ticks = 0;
    p = fitPrecision(points, p, pow10, ticks);
    if (p < 0) return false;
    const uint64_t perPica = 12 * kPow10[p];
    putSign(text, negative, ticks);
    text.putInteger(ticks / perPica);
    text.put('p');
    text.putFixed(ticks % perPica, p);
    return true;
}

// whole num/den with the fraction reduced; a zero whole is left out before a fraction.
void putInchesAndFraction(TextBuilder& text, uint64_t whole, uint64_t num, uint64_t den,
                          bool keepZeroWhole) {
    if (num != 0) {
        const int twos = std::countr_zero(num);  // den is a power of two above num
        num >>= twos;
        den >>= twos;
    }
    if (num == 0) {
        text.putInteger(whole);
        return;
    }
    if (whole != 0 || keepZeroWhole) {
        text.putInteger(whole);
        text.put(' ');
    }
    text.putInteger(num);
    text.put('/');
    text.putInteger(den);
}

bool writeFractionalInches(TextBuilder& text, const Amount& inches, bool negative, int p, const char* mark) {
    uint64_t ticks = 0;
    p = fitPrecision(inches, p, pow2, ticks);
    if (p < 0) return false;
    const uint64_t den = uint64_t{1} << p;
    putSign(text, negative, ticks);
    putInchesAndFraction(text, ticks / den, ticks % den, den, false);
    text.put(mark);
    return true;
}

bool writeFeetAndInches(TextBuilder& text, const Amount& inches, bool negative, int p, const UnitForm& form) {
    const bool fractional = form.form == Form::feetFractionalInches;
    uint64_t ticks = 0;
    p = fractional ? fitPrecision(inches, p, pow2, ticks) : fitPrecision(inches, p, pow10, ticks);
    if (p < 0) return false;
    const uint64_t perInch = fractional ? uint64_t{1} << p : kPow10[p];
    const uint64_t perFoot = 12 * perInch;
    putSign(text, negative, ticks);
    text.putInteger(ticks / perFoot);
    text.put(form.feetMark);
    const uint64_t rest = ticks % perFoot;
    if (fractional) {
        putInchesAndFraction(text, rest / perInch, rest % perInch, perInch, true);
    } else {
        text.putFixed(rest, p);
    }
    text.put(form.label);
    return true;
}

double pointsPerUnit(LengthUnit unit, int32_t pixelsPerInch) { return unitToPoints(unit, 1.0, pixelsPerInch); }

// The whole text before the number format; false when the value cannot be written.
bool composeMeasure(TextBuilder& text, double value, const MeasureFormat& format) {
    const int32_t units = isValidUnitCode(format.units) ? format.units : kPointUnits;
    const UnitForm& form = kUnitForms[units];
    const int p = format.precision < 0 ? 0 : (format.precision > kMaxPrecision ? kMaxPrecision : format.precision);
    const bool negative = value < 0.0;
    const Amount magnitude{std::fabs(value), std::fabs(format.noise)};

    // Bare numbers: decimal inches for the inch codes, decimal feet for the feet codes.
    LengthUnit unit = form.unit;
    if (format.labels == UnitLabelMode::bare && units >= kDecimalInchMarkUnits && units <= kFractionalInchWordUnits) {
        unit = LengthUnit::inch;
    }

    if (format.power == 2) {
        const double k = pointsPerUnit(unit, format.pixelsPerInch);
        if (!writeDecimal(text, magnitude.per(k).per(k), negative, p, true)) return false;
        const bool keepLabel = format.labels == UnitLabelMode::label ||
                               (format.labels == UnitLabelMode::noLabel && units >= kFeetDecimalInchMarkUnits &&
                                units <= kDecimalFeetWordUnits);
        if (keepLabel) text.put(form.areaLabel);
        return true;
    }

    if (format.labels == UnitLabelMode::bare) {
        return writeDecimal(text, magnitude.per(pointsPerUnit(unit, format.pixelsPerInch)), negative, p);
    }
    const bool label = format.labels == UnitLabelMode::label;
    switch (form.form) {
        case Form::picas:
            return writePicas(text, magnitude, negative, p);
        case Form::fractionalInches:
            return writeFractionalInches(text, magnitude.per(72.0), negative, p, label ? form.label : "");
        case Form::feetDecimalInches:
        case Form::feetFractionalInches:
            return writeFeetAndInches(text, magnitude.per(72.0), negative, p, form);
        case Form::decimal:
            break;
    }
    if (!writeDecimal(text, magnitude.per(pointsPerUnit(unit, format.pixelsPerInch)), negative, p)) return false;
    if (label) {
        text.put(form.label);
    } else if (unit == LengthUnit::foot) {
        text.put("'");  // decimal feet keep their mark, or a write-back would read inches
    }
    return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char groupingChar(int32_t numberFormat) { return numberFormat == 1 ? '.' : ','; }

}  // namespace

bool isValidUnitCode(int32_t units) { return units >= 0 && units < kUnitCodeCount; }

LengthUnit lengthUnitOfCode(int32_t units) {
    return isValidUnitCode(units) ? kUnitForms[units].unit : LengthUnit::point;
}

bool isFractionalUnit(int32_t units) {
    return units == kFractionalInchMarkUnits || units == kFractionalInchWordUnits ||
           units == kFeetFractionalInchMarkUnits || units == kFeetFractionalInchWordUnits;
}
bool isFeetInchUnit(int32_t units) { return units >= kFeetDecimalInchMarkUnits && units <= kFeetFractionalInchWordUnits; }
bool isInchUnit(int32_t units) { return units >= kDecimalInchMarkUnits && units <= kFeetFractionalInchWordUnits; }

double unitToPoints(LengthUnit unit, double v, int32_t pixelsPerInch) {
    switch (unit) {
        case LengthUnit::point: return v;
        case LengthUnit::pica: return v * 12;
        case LengthUnit::inch: return v * 72;
        case LengthUnit::foot: return v * 12 * 72;
        case LengthUnit::mil: return v / 1000 * 72;
        case LengthUnit::pixel: return 72.0 / (pixelsPerInch > 0 ? pixelsPerInch : 72) * v;
        case LengthUnit::centimeter: return v / 2.54 * 72;
        case LengthUnit::millimeter: return v / 25.4 * 72;
        case LengthUnit::meter: return v / 0.0254 * 72;
        case LengthUnit::kilometer: return v / 0.0000254 * 72;
        case LengthUnit::mile: return v * 63360 * 72;
        case LengthUnit::shaku: return v / 0.0254 * 72 * 10 / 33;
    }
    return v;
}

double floatSpacing(double magnitude) {
    // The bit width of a float's significand: its last place is 2^-23 of its leading one.
    constexpr int kSignificand = 24;
    int exponent = 0;
    std::frexp(magnitude, &exponent);  // magnitude lies in [2^(exponent-1), 2^exponent)
    return std::ldexp(1.0, exponent - kSignificand);
}

void formatMeasure(double value, const MeasureFormat& format, char* out, std::size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    out[0] = '\0';
    if (!std::isfinite(value)) return;
    TextBuilder text;
    if (!composeMeasure(text, value, format) || text.overflow()) return;
    // Points and no grouping: the number format leaves the text as it is.
    const bool plain = format.number.numberFormat != 1 && !format.number.thousands;
    char* composed = text.data();  // terminated once: the number format may lengthen it in place
    if (!plain) postParseNumericText(composed, TextBuilder::kCapacity, format.number);
    const std::size_t len = plain ? text.size() : std::strlen(composed);
    const std::size_t room = outSize - 1 < kMaxText ? outSize - 1 : kMaxText;
    if (len > room) return;  // never a cut number
    std::memcpy(out, composed, len + 1);
}

void preParseNumericText(char* text, int32_t numberFormat) {
    if (text == nullptr) return;
    // Only format 1 writes a decimal comma; any other value is written as format 0, so it
    // is read as format 0 too.
    const char grouping = groupingChar(numberFormat);
    char* w = text;
    for (const char* r = text; *r != '\0'; ++r) {
        if (*r != grouping) *w++ = *r;
    }
    *w = '\0';
    if (numberFormat == 1) {
        if (char* comma = std::strchr(text, ',')) *comma = '.';
    }
}

void postParseNumericText(char* text, std::size_t size, const NumberFormat& format) {
    if (text == nullptr || size == 0) return;
    const std::size_t len = std::strlen(text);
    const bool comma = format.numberFormat == 1;
    char result[1024];
    std::size_t n = 0;
    bool fits = true;
    for (std::size_t i = 0; i < len;) {
        if (!isDigit(text[i])) {
            // A point between digits is a decimal point.
            const bool decimalPoint = text[i] == '.' && i > 0 && isDigit(text[i - 1]) && i + 1 < len && isDigit(text[i + 1]);
            if (n + 1 >= sizeof(result)) { fits = false; break; }
            result[n++] = decimalPoint && comma ? ',' : text[i];
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < len && isDigit(text[end])) ++end;
        const bool fractionDigits = i >= 2 && text[i - 1] == '.' && isDigit(text[i - 2]);
        const std::size_t digits = end - i;
        for (std::size_t k = 0; k < digits; ++k) {
            if (format.thousands && !fractionDigits && k > 0 && (digits - k) % 3 == 0) {
                if (n + 1 >= sizeof(result)) { fits = false; break; }
                result[n++] = groupingChar(format.numberFormat);
            }
            if (n + 1 >= sizeof(result)) { fits = false; break; }
            result[n++] = text[i + k];
        }
        if (!fits) break;
        i = end;
    }
    if (!fits || n + 1 > size) {
        if (!format.thousands) return;
        NumberFormat plain = format;  // leave the grouping out when it does not fit
        plain.thousands = false;
        postParseNumericText(text, size, plain);
        return;
    }
    std::memcpy(text, result, n);
    text[n] = '\0';
}
