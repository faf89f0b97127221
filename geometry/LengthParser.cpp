// Typed lengths and areas. The patterns below are tried in order, each with the same
// matching as formatted input (a blank skips blanks, %lf a decimal number, %[...] a run of
// the listed characters, %s a word); the first whose field count matches decides. The
// reader of numbers takes only plain decimal numbers, never "inf", "nan" or hexadecimal,
// and the marks and words are looked at in place, so nothing is copied into a field.
//
// A hyphen between a whole number and a fraction is the joiner of a mixed number, as
// drafters write it: "2-1/2" is two and a half, "3'-2-1/2\"" three feet two and a half
// inches, "5'6-1/2\"" five feet six and a half inches. It is read as the blank the pattern
// table has there (otherwise the fraction's numerator would take the hyphen as its sign and
// "2-1/2" would be 1.5). That is our decision beside the table, which holds otherwise: a
// leading minus still negates the whole text, and a hyphen after a blank or a mark, as in
// the "5' -1/2\"" of pattern 12, is left to the table.
#include "geometry/LengthParser.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <system_error>

#include "geometry/UnitFormat.h"

namespace {

constexpr std::size_t kFieldTextSize = 256;  // the dialog item's text buffer
constexpr int kMaxNumbers = 4;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

const char* skipBlanks(const char* s) {
    while (isBlank(*s)) ++s;
    return s;
}


// A signed decimal number: digits, an optional point, an optional exponent. Returns the
// end of the number, or nullptr when there is none. A magnitude beyond the double range
// reads as infinity (refused later), one below it as zero.
const char* readNumber(const char* s, double& value) {
    const char* p = s;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    const char* digitsStart = p;
    // Whole numbers of up to 15 digits are exact as they are summed, and most typed numbers
    // are such; the others are read below through from_chars.
    {
        uint64_t whole = 0;
        const char* d = p;
        while (isDigit(*d)) whole = whole * 10 + static_cast<uint64_t>(*d++ - '0');
        if (d != p && d - p <= 15 && *d != '.' && *d != 'e' && *d != 'E') {
            value = negative ? -static_cast<double>(whole) : static_cast<double>(whole);
            return d;
        }
    }
    int integerDigits = 0;
    int leadingFractionZeros = 0;
    bool seenNonZero = false;
    while (isDigit(*p)) {
        if (*p != '0') seenNonZero = true;
        if (seenNonZero) ++integerDigits;
        ++p;
    }
    bool anyDigit = p != digitsStart;
    if (*p == '.') {
        ++p;
        const char* fraction = p;
        while (isDigit(*p)) {
            if (*p != '0') seenNonZero = true;
            if (!seenNonZero) ++leadingFractionZeros;
            ++p;
        }
        anyDigit = anyDigit || p != fraction;
    }
    if (!anyDigit) return nullptr;
    long exponent = 0;
    if (*p == 'e' || *p == 'E') {
        const char* e = p + 1;
        bool expNegative = false;
        if (*e == '+' || *e == '-') expNegative = *e++ == '-';
        if (isDigit(*e)) {
            while (isDigit(*e)) {
                if (exponent < 100000) exponent = exponent * 10 + (*e - '0');
                ++e;
            }
            if (expNegative) exponent = -exponent;
            p = e;
        }
    }
    const auto r = std::from_chars(digitsStart, p, value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        const long magnitude = (integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1)) + exponent;
        value = magnitude > 0 ? HUGE_VAL : 0.0;
    } else if (r.ec != std::errc() || r.ptr != p) {
        return nullptr;
    }
    if (negative) value = -value;
    return p;
}

struct ScanResult {
    int fields = 0;
    double numbers[kMaxNumbers] = {};
    std::string_view word;
};

// The numbers read so far from one text, by where they start: the patterns are tried one
// after another over the same text, and each number is read once.
class NumbersRead {
public:
    const char* read(const char* s, double& value) {
        for (int i = 0; i < count_; ++i)
            if (read_[i].start == s) {
                value = read_[i].value;
                return read_[i].end;
            }
        const char* end = readNumber(s, value);
        if (count_ < kKept) read_[count_++] = {s, end, value};
        return end;
    }

private:
    static constexpr int kKept = 8;
    struct Number {
        const char* start;
        const char* end;
        double value;
    };
    Number read_[kKept];  // the first count_ are filled
    int count_ = 0;
};

// A pattern read once into its directives: a blank, a number (%lf), a run of listed
// characters (%[...]), a word (%s), or a character to match.
struct Directive {
    enum Kind : uint8_t { kBlank, kNumber, kSet, kWord, kLiteral } kind = kLiteral;
    char literal = 0;
    std::string_view members;
};

struct CompiledPattern {
    static constexpr int kMost = 24;
    Directive directives[kMost];
    int count = 0;
};

CompiledPattern compile(const char* pattern) {
    CompiledPattern c;
    for (const char* f = pattern; *f != '\0' && c.count < CompiledPattern::kMost;) {
        Directive& d = c.directives[c.count++];
        if (isBlank(*f)) {
            while (isBlank(*f)) ++f;
            d.kind = Directive::kBlank;
        } else if (f[0] == '%' && f[1] == 'l' && f[2] == 'f') {
            f += 3;
            d.kind = Directive::kNumber;
        } else if (f[0] == '%' && f[1] == '[') {
            const char* set = f + 2;
            const char* close = std::strchr(set, ']');
            d.kind = Directive::kSet;
            d.members = std::string_view(set, static_cast<std::size_t>(close - set));
            f = close + 1;
        } else if (f[0] == '%' && f[1] == 's') {
            f += 2;
            d.kind = Directive::kWord;
        } else {
            d.literal = *f++;
        }
    }
    return c;
}

// Matches text against a formatted-input pattern; the count of fields filled.
ScanResult scan(const char* text, const CompiledPattern& pattern, NumbersRead& numbers) {
    ScanResult result;
    int numberIndex = 0;
    const char* s = text;
    for (int i = 0; i < pattern.count; ++i) {
        const Directive& d = pattern.directives[i];
        switch (d.kind) {
            case Directive::kBlank:
                s = skipBlanks(s);
                continue;
            case Directive::kLiteral:
                if (*s != d.literal) return result;
                ++s;
                continue;
            case Directive::kNumber: {
                double v = 0.0;
                const char* end = numbers.read(skipBlanks(s), v);
                if (end == nullptr || numberIndex == kMaxNumbers) return result;
                result.numbers[numberIndex++] = v;
                s = end;
                break;
            }
            case Directive::kSet: {
                const char* start = s;
                const auto member = [&d](char c) {
                    for (char m : d.members)
                        if (m == c) return true;
                    return false;
                };
                while (*s != '\0' && member(*s)) ++s;
                if (s == start) return result;
                break;
            }
            case Directive::kWord: {
                s = skipBlanks(s);
                const char* start = s;
                while (*s != '\0' && !isBlank(*s)) ++s;
                if (s == start) return result;
                result.word = std::string_view(start, static_cast<std::size_t>(s - start));
                break;
            }
        }
        ++result.fields;
    }
    return result;
}

enum class Gate { any, feetInch, inch, feetInchOrPicas, byUnitCode, byWord };

// What a matched pattern gives, as a length in points and as an area. Areas of the
// feet-and-inch forms are sums in square inches; of the pica forms, square points.
enum class AreaBase { squareInches, squarePoints, squareUnit };

struct Value {
    bool ok = false;
    double length = 0.0;    // points
    double areaSum = 0.0;   // in the area base
    AreaBase base = AreaBase::squareInches;
    double pointsPerUnit = 1.0;  // for squareUnit
};

using Evaluate = Value (*)(const double* n);


Value inchSum(double length, double squareInches) { return {true, length, squareInches, AreaBase::squareInches, 1.0}; }
Value pointSum(double length, double squarePoints) { return {true, length, squarePoints, AreaBase::squarePoints, 1.0}; }
bool zero(double d) { return d == 0.0; }

// F I N/D
Value feetInchFraction(const double* n) {
    if (zero(n[3])) return {};
    return inchSum(n[0] * 12 * 72 + n[1] * 72 + (n[2] / n[3]) * 72, n[0] * 144 + n[1] + n[2] / n[3]);
}
Value feetInch(const double* n) { return inchSum(n[0] * 12 * 72 + n[1] * 72, n[0] * 144 + n[1]); }
Value inchFraction(const double* n) {
    if (zero(n[2])) return {};
    return inchSum(n[0] * 72 + (n[1] / n[2]) * 72, n[0] + n[1] / n[2]);
}
Value feetFractionOfFeet(const double* n) {
    if (zero(n[2])) return {};
    return inchSum(n[0] * 12 * 72 + (n[1] / n[2]) * 12 * 72, n[0] * 144 + (n[1] / n[2]) * 144);
}
Value feetAbsoluteFraction(const double* n) {
    if (zero(n[2])) return {};
    return inchSum(n[0] * 12 * 72 + (std::fabs(n[1]) / n[2]) * 72, n[0] * 144 + std::fabs(n[1]) / n[2]);
}
Value feetOnly(const double* n) { return inchSum(n[0] * 12 * 72, n[0] * 144); }
Value fractionOfInch(const double* n) {
    if (zero(n[1])) return {};
    return inchSum((n[0] / n[1]) * 72, n[0] / n[1]);
}
Value fractionOfFoot(const double* n) {
    if (zero(n[1])) return {};
    return inchSum((n[0] / n[1]) * 12 * 72, (n[0] / n[1]) * 144);
}
Value inchesOnly(const double* n) { return inchSum(n[0] * 72, n[0]); }
Value picasPoints(const double* n) { return pointSum(n[0] * 12 + n[1], 144 * n[0] + n[1]); }

struct Pattern {
    const char* format;
    int fields;
    Gate gate;
    Evaluate evaluate;  // null: decided by the gate (unit word or unit code)
};

constexpr Pattern kPatterns[] = {
    {"%lf %['ftFT] %[-] %lf %lf %[/] %lf %[\"inIN]", 8, Gate::any, feetInchFraction},
    {"%lf %['ftFT] %lf %lf %[/] %lf %[\"inIN]", 7, Gate::any, feetInchFraction},
    {"%lf %[-] %lf %lf %[/] %lf", 6, Gate::feetInch, feetInchFraction},
    {"%lf %lf %lf %[/] %lf", 5, Gate::feetInch, feetInchFraction},
    {"%lf %['ftFT] %[-] %lf %[\"inIN]", 5, Gate::any, feetInch},
    {"%lf %['ftFT] %lf %[\"inIN]", 4, Gate::any, feetInch},
    {"%lf %lf %[/] %lf %[\"inIN]", 5, Gate::any, inchFraction},
    {"%lf %lf %[/] %lf %['ftFT]", 5, Gate::any, feetFractionOfFeet},
    {"%lf %lf %[/] %lf", 4, Gate::inch, inchFraction},
    {"%lf %[-] %lf", 3, Gate::feetInch, feetInch},
    {"%lf %lf", 2, Gate::feetInchOrPicas, nullptr},
    {"%lf %['ftFT] %lf %[/] %lf %[\"inIN]", 6, Gate::any, feetAbsoluteFraction},
    {"%lf %['ftFT]", 2, Gate::any, feetOnly},
    {"%lf %[/] %lf %[\"inIN]", 4, Gate::any, fractionOfInch},
    {"%lf %[/] %lf %['ftFT]", 4, Gate::any, fractionOfFoot},
    {"%lf %[/] %lf", 3, Gate::inch, fractionOfInch},
    {"%lf %[\"]", 2, Gate::any, inchesOnly},
    {"%lf %[pP] %lf", 3, Gate::any, picasPoints},
    {"%lf %s", 2, Gate::byWord, nullptr},
    {"%lf", 1, Gate::byUnitCode, nullptr},
};

struct UnitWord {
    std::string_view word;
    LengthUnit unit;
};

// Compared exactly: other spellings are not units.
constexpr UnitWord kUnitWords[] = {
    {"in", LengthUnit::inch},        {"IN", LengthUnit::inch},         {"mil", LengthUnit::mil},
    {"MIL", LengthUnit::mil},        {"thou", LengthUnit::mil},        {"THOU", LengthUnit::mil},
    {"pt", LengthUnit::point},       {"PT", LengthUnit::point},        {"p", LengthUnit::pica},
    {"P", LengthUnit::pica},         {"px", LengthUnit::pixel},        {"PX", LengthUnit::pixel},
    {"cm", LengthUnit::centimeter},  {"CM", LengthUnit::centimeter},   {"mm", LengthUnit::millimeter},
    {"MM", LengthUnit::millimeter},  {"m", LengthUnit::meter},         {"M", LengthUnit::meter},
    {"km", LengthUnit::kilometer},   {"KM", LengthUnit::kilometer},    {"mi", LengthUnit::mile},
    {"MI", LengthUnit::mile},        {kShakuSign, LengthUnit::shaku},
};

bool unitOfWord(std::string_view word, LengthUnit& unit) {
    for (const UnitWord& w : kUnitWords) {
        if (w.word == word) {
            unit = w.unit;
            return true;
        }
    }
    return false;
}

// The unit a bare number is read in.
bool unitOfCode(int32_t units, LengthUnit& unit) {
    static constexpr LengthUnit kBare[kUnitCodeCount] = {
        LengthUnit::point, LengthUnit::pixel, LengthUnit::pica, LengthUnit::millimeter, LengthUnit::centimeter,
        LengthUnit::meter, LengthUnit::kilometer, LengthUnit::mil,
        // 8 to 17: inches, the decimal-feet codes included
        LengthUnit::inch, LengthUnit::inch, LengthUnit::inch, LengthUnit::inch, LengthUnit::inch, LengthUnit::inch,
        LengthUnit::inch, LengthUnit::inch, LengthUnit::inch, LengthUnit::inch, LengthUnit::mile, LengthUnit::shaku};
    if (!isValidUnitCode(units)) return false;
    unit = kBare[units];
    return true;
}

Value inUnit(LengthUnit unit, double v, int32_t pixelsPerInch) {
    Value value{true, unitToPoints(unit, v, pixelsPerInch), v, AreaBase::squareUnit, unitToPoints(unit, 1.0, pixelsPerInch)};
    return value;
}

// Steps 4 and 5: the value of the text after the sign was taken off.
Value evaluateText(const char* text, int32_t units, int32_t pixelsPerInch) {
    // Each pattern is read into its directives once.
    static const CompiledPattern kThou = compile("%lf %s");
    static const auto kCompiled = [] {
        std::array<CompiledPattern, std::size(kPatterns)> c;
        for (std::size_t i = 0; i < c.size(); ++i) c[i] = compile(kPatterns[i].format);
        return c;
    }();
    NumbersRead numbers;
    // Without a t there is no "thou" to find.
    if (std::strpbrk(text, "tT") != nullptr) {
        const ScanResult thou = scan(text, kThou, numbers);
        if (thou.fields == 2 && (thou.word == "thou" || thou.word == "THOU"))
            return inUnit(LengthUnit::mil, thou.numbers[0], pixelsPerInch);
    }
    for (std::size_t i = 0; i < std::size(kPatterns); ++i) {
        const Pattern& pattern = kPatterns[i];
        const ScanResult r = scan(text, kCompiled[i], numbers);
        if (r.fields != pattern.fields) continue;
        const double* n = r.numbers;
        switch (pattern.gate) {
            case Gate::any:
                return pattern.evaluate(n);
            case Gate::feetInch:
                return isFeetInchUnit(units) ? pattern.evaluate(n) : Value{};
            case Gate::inch:
                return isInchUnit(units) ? pattern.evaluate(n) : Value{};
            case Gate::feetInchOrPicas:
                if (isFeetInchUnit(units)) return feetInch(n);
                if (units == kPicaUnits) return picasPoints(n);
                return {};
            case Gate::byWord: {
                LengthUnit unit;
                return unitOfWord(r.word, unit) ? inUnit(unit, n[0], pixelsPerInch) : Value{};
            }
            case Gate::byUnitCode: {
                LengthUnit unit;
                return unitOfCode(units, unit) ? inUnit(unit, n[0], pixelsPerInch) : Value{};
            }
        }
    }
    return {};
}

// A hyphen right after a digit and right before the digits of a fraction joins a mixed
// number: it becomes a blank.
void blankMixedNumberJoiners(char* text) {
    for (char* p = text; *p != '\0'; ++p) {
        if (*p != '-' || p == text || !isDigit(p[-1])) continue;
        const char* q = p + 1;
        while (isDigit(*q)) ++q;
        if (q > p + 1 && *q == '/') *p = ' ';
    }
}

// Steps 1 to 3: the bounded copy, the number format, mixed numbers and the leading minus.
bool prepare(std::string_view text, int32_t numberFormat, char (&buffer)[kFieldTextSize], bool& negative) {
    std::size_t len = text.size() < kFieldTextSize - 1 ? text.size() : kFieldTextSize - 1;
    if (len == 0) {
        buffer[0] = '\0';
        negative = false;
        return true;
    }
    if (const void* nul = std::memchr(text.data(), '\0', len)) len = static_cast<std::size_t>(static_cast<const char*>(nul) - text.data());
    std::memcpy(buffer, text.data(), len);
    buffer[len] = '\0';
    preParseNumericText(buffer, numberFormat);
    blankMixedNumberJoiners(buffer);
    negative = buffer[0] == '-';
    return true;
}

}  // namespace

int16_t parseLengthText(std::string_view text, int32_t units, double* result, const LengthParseSettings& settings) {
    if (result == nullptr) return 0;
    char buffer[kFieldTextSize];
    bool negative = false;
    prepare(text, settings.numberFormat, buffer, negative);
    const Value value = evaluateText(buffer + (negative ? 1 : 0), units, settings.pixelsPerInch);
    if (!value.ok) return 0;
    const double length = negative ? -value.length : value.length;
    if (!std::isfinite(length)) return 0;
    *result = length;
    return 1;
}

int16_t parseAngleText(std::string_view text, double* degrees, const LengthParseSettings& settings) {
    if (degrees == nullptr) return 0;
    char buffer[kFieldTextSize];
    bool negative = false;
    prepare(text, settings.numberFormat, buffer, negative);
    double value = 0.0;
    const char* end = readNumber(skipBlanks(buffer), value);
    if (end == nullptr || !std::isfinite(value)) return 0;
    end = skipBlanks(end);
    for (const char* sign : {"\xB0", "deg"}) {
        const std::size_t n = std::strlen(sign);
        if (std::strncmp(end, sign, n) == 0) {
            end = skipBlanks(end + n);
            break;
        }
    }
    if (*end != '\0') return 0;
    *degrees = std::fabs(value) > 360.0 ? std::fmod(value, 360.0) : value;
    return 1;
}

int16_t parseAreaText(std::string_view text, int32_t units, double* result, const LengthParseSettings& settings) {
    if (result == nullptr) return 0;
    char buffer[kFieldTextSize];
    bool negative = false;  // a leading minus has no effect on an area
    prepare(text, settings.numberFormat, buffer, negative);
    const Value value = evaluateText(buffer + (negative ? 1 : 0), units, settings.pixelsPerInch);
    // A sum below zero has no area (its square root is not a number): refused.
    if (!value.ok || !(value.areaSum >= 0.0)) return 0;
    double area = 0.0;
    switch (value.base) {
        case AreaBase::squareInches: area = value.areaSum * (72.0 * 72.0); break;
        case AreaBase::squarePoints: area = value.areaSum; break;
        case AreaBase::squareUnit: area = value.areaSum * value.pointsPerUnit * value.pointsPerUnit; break;
    }
    if (!std::isfinite(area)) return 0;
    *result = area + 0.0;  // no negative zero
    return 1;
}
