// Custom scales: typed numbers, the dialog's units, free slots and labels.
#include "units/CustomScales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/PlotwiseAlerts.h"
#include "units/PlotwiseUnits.h"
#include "units/ScaleTable.h"
#include "units/UnitsGlobals.h"

namespace {

constexpr GlobalsView<UnitsGlobals> g;
constexpr std::size_t kTypedTextSize = 256;

struct UnitRow {
    float points;  // per unit; single precision, as the scalers are kept
    const char* suffix;
};

// By entry index of menu 16450. The pixel's size follows the preferences (row 1).
constexpr UnitRow kUnits[kCustomScaleUnitCount] = {
    {1.0f, " pt"},           {1.0f, " px"},        {12.0f, " p"},          {2.8346457f, " mm"},
    {28.346457f, " cm"},     {2834.6458f, " m"},   {2834645.75f, " km"},   {0.072f, " mil"},
    {72.0f, "\""},           {864.0f, "'"},        {4561920.0f, " mi"},    {858.98352f, " \x8E\xDA"},
};
constexpr int32_t kPixelIndex = 1;

// The scan formats, tried in order; the first whose field count matches decides.
enum class Shape { wordAfter, mixed, fraction, number };
struct ScanRow {
    const char* format;
    int fields;
    Shape shape;
};
// Widths bound every word and mark run to the scratch buffers below.
constexpr ScanRow kScans[] = {
    {"%lf %lf %7[/] %lf %255s", 5, Shape::wordAfter},
    {"%lf %lf %7[/] %lf", 4, Shape::mixed},
    {"%lf %7[/] %lf %255s", 4, Shape::wordAfter},
    {"%lf %7[/] %lf", 3, Shape::fraction},
    {"%lf %255s", 2, Shape::wordAfter},
    {"%lf", 1, Shape::number},
};

int Scan(const ScanRow& row, const char* text, double* a, double* b, double* c) {
    char slash[8], word[kTypedTextSize];
    switch (row.shape) {
        case Shape::mixed: return std::sscanf(text, row.format, a, b, slash, c);
        case Shape::fraction: return std::sscanf(text, row.format, a, slash, c);
        case Shape::number: return std::sscanf(text, row.format, a);
        case Shape::wordAfter: break;
    }
    if (row.fields == 5) return std::sscanf(text, row.format, a, b, slash, c, word);
    if (row.fields == 4) return std::sscanf(text, row.format, a, slash, c, word);
    return std::sscanf(text, row.format, a, word);
}

// The leading numerator or number must be positive; so must the result.
ScaleNumberRead Checked(double first, double value, double* out) {
    if (!std::isfinite(first) || !std::isfinite(value)) return ScaleNumberRead::unreadable;
    if (!(first > 0) || !(value > 0)) return ScaleNumberRead::notPositive;
    *out = value;
    return ScaleNumberRead::ok;
}

}  // namespace

ScaleNumberRead ReadScaleNumber(std::string_view typed, double* value) {
    if (!value) return ScaleNumberRead::unreadable;
    char text[kTypedTextSize];
    const std::size_t n = std::min(typed.size(), sizeof text - 1);
    typed.copy(text, n);
    text[n] = '\0';
    // The number format the field was filled in ("1,5" with decimal commas).
    preParseNumericTextInput(text);
    for (const ScanRow& row : kScans) {
        double a = 0, b = 0, c = 0;
        if (Scan(row, text, &a, &b, &c) != row.fields) continue;
        switch (row.shape) {
            case Shape::wordAfter: return ScaleNumberRead::unreadable;
            case Shape::mixed:
            case Shape::fraction:
                // The sign first: a leading number that is not positive is named as such,
                // whatever its denominator.
                if (std::isfinite(a) && !(a > 0)) return ScaleNumberRead::notPositive;
                if (c == 0) return ScaleNumberRead::unreadable;
                return Checked(a, row.shape == Shape::mixed ? a + b / c : a / c, value);
            case Shape::number: return Checked(a, a, value);
        }
    }
    return ScaleNumberRead::unreadable;
}

float CustomScaleUnitPoints(int32_t index, int32_t pixelsPerInch) {
    if (index < 0 || index >= kCustomScaleUnitCount) return 0.0f;
    if (index == kPixelIndex) return 72.0f / static_cast<float>(pixelsPerInch > 0 ? pixelsPerInch : 72);
    return kUnits[index].points;
}

const char* CustomScaleUnitSuffix(int32_t index) {
    return index >= 0 && index < kCustomScaleUnitCount ? kUnits[index].suffix : "";
}

int32_t CustomScaleUnitIndexOf(int32_t units) {
    // Upper bounds of the unit-code runs, by entry index from inch on: the inch forms (8-11),
    // the foot forms (12-17), mile (18), shaku (19).
    constexpr int32_t kRunEnds[] = {11, 17, 18, 19};
    if (units < 0 || units > kRunEnds[3]) return 0;
    if (units <= 7) return units;
    int32_t index = 8;
    for (int32_t end : kRunEnds) {
        if (units <= end) return index;
        ++index;
    }
    return 0;
}

bool IsCustomScalerInRange(double scaler) {
    // Judged as the slot's float holds it, so a scaler taken is one the next start reads back.
    const float held = static_cast<float>(scaler);
    return held >= static_cast<float>(kSmallestCustomScaler) &&
           held <= static_cast<float>(kLargestCustomScaler);  // false for NaN
}

AIErr KeepCustomScalesInRange() {
    if (g == nullptr) return kNoErr;
    preferences& p = g->prefs;
    for (int32_t slot = 1; slot <= kCustomScaleSlots; ++slot) {
        const CustomScaleSlot s = customSlot(p, slot);
        if (*s.scaler == 0.0f || IsCustomScalerInRange(*s.scaler)) continue;
        char item[64];
        std::snprintf(item, sizeof item, "customScaler%d %.10g", static_cast<int>(slot), static_cast<double>(*s.scaler));
        NoteForUser(kDefaultedPreferencesNote, item);
        *s.scaler = 0.0f;
        s.label[0] = '\0';
        if (p.scale == slot - 1) p.scale = kOneToOneScaleID;
    }
    // A current custom scale whose slot is free is a layer's own, made current in
    // layer-based style: it stays as it was kept, since the free slot would make its scaler
    // 0, a scale no length can be shown at. One kept without a scaler and a label is 1:1.
    ScaleTableEntry entry;
    if (getScaleTableEntry(p.scale, &entry) && entry.kind == ScaleTableEntry::Kind::custom &&
        *customSlot(p, entry.slot).scaler == 0.0f) {
        if (IsCustomScalerInRange(p.scaler) && p.scaleStr[0]) return kNoErr;
        NoteForUser(kDefaultedPreferencesNote, "scale " + std::to_string(p.scale));
        p.scale = kOneToOneScaleID;
    }
    return UpdateScaler();
}

int32_t FirstFreeCustomSlot(preferences& prefs) {
    for (int32_t slot = 1; slot <= kCustomScaleSlots; ++slot)
        if (*customSlot(prefs, slot).scaler == 0.0f) return slot;
    return 0;
}

void ComposeCustomScaleLabel(const ScaleLabelSide& left, std::string_view separator, const ScaleLabelSide& right,
                             char (&label)[kScaleLabelSize]) {
    constexpr std::size_t kRoom = kScaleLabelSize - 1;
    const std::size_t fixed = left.suffix.size() + separator.size() + right.suffix.size();
    std::size_t l = left.number.size(), r = right.number.size();
    // Trim the longer number one character at a time: both keep as much as they can.
    while (fixed + l + r > kRoom && (l > 1 || r > 1)) {
        if (l >= r)
            --l;
        else
            --r;
    }
    std::string text;
    text.append(left.number.substr(0, l)).append(left.suffix).append(separator);
    text.append(right.number.substr(0, r)).append(right.suffix);
    const std::size_t len = std::min(text.size(), kRoom);
    text.copy(label, len);
    label[len] = '\0';
}
