// Locale-independent, bounded readers of the '^'-separated legacy dimension texts.
#include "dimensions/LegacyDimensionStrings.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <span>

#include "core/PlotwiseDimensionData.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// One numeric field of a record: an integer or a double member.
template <class Record>
struct NumberField {
    int32_t Record::*integer;
    double Record::*real;
};

template <class Record>
constexpr NumberField<Record> I(int32_t Record::*f) { return {f, nullptr}; }
template <class Record>
constexpr NumberField<Record> R(double Record::*f) { return {nullptr, f}; }

// Reads "%li^%li^...%lf" style texts: one field after another, '^' between them; returns
// the number of fields converted.
template <class Record>
int ScanNumbers(const char* text, Record* data, std::span<const NumberField<Record>> fields) {
    LegacyFieldScanner scan(text);
    int converted = 0;
    for (const auto& field : fields) {
        if (converted > 0 && !scan.Expect('^')) break;
        bool ok = field.integer ? scan.ReadInteger(data->*field.integer) : scan.ReadReal(data->*field.real);
        if (!ok) break;
        ++converted;
    }
    return converted;
}

// Reads "%li^%s" into id and a bounded word; returns the number of fields converted.
int ScanIdAndWord(const char* text, int32_t& id, char* word, size_t capacity) {
    LegacyFieldScanner scan(text);
    if (!scan.ReadInteger(id)) return 0;
    if (!scan.Expect('^') || !scan.ReadWord(word, capacity)) return 1;
    return 2;
}

void UnderscoresToBlanks(char* text) {
    for (; *text; ++text)
        if (*text == '_') *text = ' ';
}

using Obj = dimensioned_object_data;
constexpr NumberField<Obj> kClickFields[] = {
    I(&Obj::id), I(&Obj::dimType), I(&Obj::clickType), I(&Obj::clickNum), I(&Obj::segNumBefore),
    I(&Obj::segNumAfter), R(&Obj::t), R(&Obj::x), R(&Obj::y), R(&Obj::endPointOffsetLength),
    R(&Obj::endPointOffsetAngle),
};

using Grp = live_dimension_group_data;
constexpr NumberField<Grp> kStyleFields[] = {
    I(&Grp::id), I(&Grp::modifiers), I(&Grp::live), I(&Grp::scale), I(&Grp::units),
    I(&Grp::decimalPrecision), I(&Grp::fractionalPrecision), I(&Grp::dimensionColorEntry),
    I(&Grp::dimensionColorComponent1), I(&Grp::dimensionColorComponent2), I(&Grp::dimensionColorComponent3),
    I(&Grp::dimensionColorComponent4), I(&Grp::dimensionCustomColorType),
    R(&Grp::dimensionCustomColorTint), R(&Grp::dimensionWeight), R(&Grp::dimensionTextSize),
    I(&Grp::dimensionColorType), I(&Grp::arrowheadStyle),
    R(&Grp::arrowheadLength), R(&Grp::arrowheadAngle),
    I(&Grp::hTextPlacement), I(&Grp::vTextPlacement), I(&Grp::aTextPlacement),
    R(&Grp::textDistanceAboveLine), R(&Grp::witnessGap), R(&Grp::witnessExtension), R(&Grp::autoDimensionOffset),
    I(&Grp::appendUnitLabels), I(&Grp::appendDiamLabels), I(&Grp::diameterLabelsBefore), I(&Grp::isLabel),
    I(&Grp::labelLeader), I(&Grp::labelShape), I(&Grp::pointerLabelType), I(&Grp::makeSectionLineDoubleThick),
    I(&Grp::primeSection), I(&Grp::chainDatum), I(&Grp::JISDatumTerminator),
};
static_assert(std::size(kClickFields) == 11);
static_assert(std::size(kStyleFields) == 38);

}  // namespace

void LegacyFieldScanner::SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
}

bool LegacyFieldScanner::Expect(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
        ++pos_;
        return true;
    }
    return false;
}

bool LegacyFieldScanner::ReadInteger(int32_t& value) {
    SkipSpace();
    size_t p = pos_;
    bool negative = false;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) negative = text_[p++] == '-';
    int base = 10;
    if (p < text_.size() && text_[p] == '0') {
        base = 8;
        // "0x" counts as a prefix only when a hexadecimal digit follows; otherwise the 0 is
        // the number and the x is left for the next directive.
        if (p + 2 < text_.size() && (text_[p + 1] == 'x' || text_[p + 1] == 'X') &&
            DigitValue(text_[p + 2]) < 16) {
            base = 16;
            p += 2;
        }
    }
    const int64_t limit = negative ? int64_t{std::numeric_limits<int32_t>::max()} + 1
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    int64_t magnitude = 0;
    size_t digits = 0;
    bool overflow = false;
    while (p < text_.size()) {
        int d = DigitValue(text_[p]);
        if (d >= base) break;
        magnitude = magnitude * base + d;
        if (magnitude > limit) {
            overflow = true;
            magnitude = limit;  // keep scanning the digits without growing further
        }
        ++digits;
        ++p;
    }
    if (digits == 0 || overflow) return false;
    pos_ = p;
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

bool LegacyFieldScanner::ReadReal(double& value) {
    SkipSpace();
    size_t p = pos_;
    const size_t start = p;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
    const size_t numberStart = p;
    size_t digits = 0;
    while (p < text_.size() && IsDigit(text_[p])) ++p, ++digits;
    if (p < text_.size() && text_[p] == '.') {
        ++p;
        while (p < text_.size() && IsDigit(text_[p])) ++p, ++digits;
    }
    if (digits == 0) return false;
    // An exponent counts only when digits follow it.
    if (p < text_.size() && (text_[p] == 'e' || text_[p] == 'E')) {
        size_t q = p + 1;
        if (q < text_.size() && (text_[q] == '+' || text_[q] == '-')) ++q;
        if (q < text_.size() && IsDigit(text_[q])) {
            while (q < text_.size() && IsDigit(text_[q])) ++q;
            p = q;
        }
    }
    double magnitude = 0.0;
    const char* first = text_.data() + numberStart;
    const char* last = text_.data() + p;
    auto [end, ec] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(magnitude)) return false;
    value = (text_[start] == '-') ? -magnitude : magnitude;
    pos_ = p;
    return true;
}

namespace {

// Stores text[from, to) bounded to the field; false for nothing to store.
bool StoreField(std::string_view text, size_t from, size_t to, char* field, size_t capacity) {
    if (to == from || capacity == 0) return false;
    const size_t kept = std::min(to - from, capacity - 1);
    std::memcpy(field, text.data() + from, kept);
    field[kept] = '\0';
    return true;
}

}  // namespace

bool LegacyFieldScanner::ReadWord(char* field, size_t capacity) {
    SkipSpace();
    size_t p = pos_;
    while (p < text_.size() && !IsSpace(text_[p])) ++p;
    if (!StoreField(text_, pos_, p, field, capacity)) return false;
    pos_ = p;
    return true;
}

bool LegacyFieldScanner::ReadRest(char* field, size_t capacity) {
    SkipSpace();
    size_t end = text_.size();
    while (end > pos_ && IsSpace(text_[end - 1])) --end;
    if (!StoreField(text_, pos_, end, field, capacity)) return false;
    pos_ = text_.size();
    return true;
}

AIErr ConvertStringToDimensionedObjectData(const char* text, dimensioned_object_data* data) {
    if (!text || !data) return kBadDimensionDataErr;
    const int converted = ScanNumbers<Obj>(text, data, kClickFields);
    return converted == static_cast<int>(std::size(kClickFields)) ? kNoErr : kBadDimensionDataErr;
}

AIErr ConvertStringToLiveDimensionGroupData(const char* text, live_dimension_group_data* data) {
    if (!text || !data) return kBadLiveDimensionDataErr;
    const int converted = ScanNumbers<Grp>(text, data, kStyleFields);
    return converted == static_cast<int>(std::size(kStyleFields)) ? kNoErr : kBadLiveDimensionDataErr;
}

AIErr ConvertStringToLiveDimensionCustomColorData(const char* text, live_dimension_custom_color_data* data) {
    if (!text || !data) return kBadLiveDimensionDataErr;
    if (ScanIdAndWord(text, data->id, data->name, sizeof data->name) != 2) return kBadLiveDimensionDataErr;
    UnderscoresToBlanks(data->name);
    return kNoErr;
}

AIErr ConvertStringToLiveDimensionFaceData(const char* text, live_dimension_face_data* data) {
    if (!text || !data) return kBadLiveDimensionDataErr;
    const int converted =
        ScanIdAndWord(text, data->id, data->dimensionTextFaceStr, sizeof data->dimensionTextFaceStr);
    return converted == 2 ? kNoErr : kBadLiveDimensionDataErr;
}

AIErr ConvertStringToLiveDimensionLabelData(const char* text, live_dimension_label_data* data) {
    if (!text || !data) return kBadLiveDimensionDataErr;
    if (ScanIdAndWord(text, data->id, data->dimensionLabelStr, sizeof data->dimensionLabelStr) != 2)
        return kBadLiveDimensionDataErr;
    UnderscoresToBlanks(data->dimensionLabelStr);
    return kNoErr;
}
