// Dialog-item numeric fields and swatch colours. The colour components of
// the style are 16.16 fixed-point values minus one (1.0 is 65535, 0.0 stays 0).
#include "units/NumericFields.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseStyleFields.h"
#include "units/ColorComponents.h"
#include "units/PlotwiseUnits.h"
#include "core/PlotwiseSuites.h"
#include "units/UnitsGlobals.h"

namespace {

constexpr GlobalsView<UnitsGlobals> g;

constexpr int32_t kFieldTextSize = 256;
constexpr int32_t kTooLargeMessage = 99;    // ^0: the largest length at the scale
constexpr int32_t kWholeNumberMessage = 100;  // ^0, ^1: the least and the most
constexpr int kAnglePlaces = 5;  // as finely as the host's degree fields show an angle

// The item's text, at most 255 characters; false when the host cannot give it.
bool ItemText(ADMDialogRef dialog, int16_t itemID, char (&text)[kFieldTextSize]) {
    text[0] = '\0';
    ADMItemRef item = dialog && sADMDialog ? sADMDialog->GetItem(dialog, itemID) : nullptr;
    const bool read = item && sADMItem && sADMItem->GetText(item, text, kFieldTextSize) == kNoErr;
    text[kFieldTextSize - 1] = '\0';
    return read;
}

using Held = UnitsGlobals::HeldFieldValue;

Held* HeldSlot(ADMDialogRef dialog, int16_t itemID) {
    if (!g || !dialog) return nullptr;
    for (Held& h : g->heldFieldValues)
        if (h.dialog == dialog && h.item == itemID) return &h;
    return nullptr;
}

// A free slot, else the one held longest ago: the field that loses its value reads as its
// text.
Held* FreeOrOldestSlot() {
    Held* oldest = &g->heldFieldValues[0];
    for (Held& h : g->heldFieldValues) {
        if (!h.dialog) return &h;
        if (h.heldAt < oldest->heldAt) oldest = &h;
    }
    return oldest;
}

// The value the field holds while it shows the text it was given with it.
const Held* HeldWhileShown(ADMDialogRef dialog, int16_t itemID, const char (&text)[kFieldTextSize]) {
    const Held* held = HeldSlot(dialog, itemID);
    return held && std::strcmp(held->shown, text) == 0 ? held : nullptr;
}

using Parse = int16_t (*)(std::string_view, int32_t, double*);

int16_t parseItem(ADMDialogRef dialog, int16_t itemID, double* result, int32_t units, Parse parse,
                  FieldMeasure measure) {
    char text[kFieldTextSize];
    if (result == nullptr || !ItemText(dialog, itemID, text)) return 0;
    if (const Held* held = HeldWhileShown(dialog, itemID, text); held && held->area == (measure == FieldMeasure::kArea)) {
        *result = held->typed;
        return 1;
    }
    return parse(text, units, result);
}

int16_t parseLength(std::string_view text, int32_t units, double* result) { return parseLengthText(text, units, result); }
int16_t parseArea(std::string_view text, int32_t units, double* result) { return parseAreaText(text, units, result); }

struct FieldKind {
    int32_t precision;
    int32_t units;
    bool showUnits;
};

// The calls in the order the dialog manager expects them: type, style, precision, the
// value and its limits, units.
template <typename SetValues>
void makeNumericField(ADMItemRef item, const FieldKind& kind, SetValues setValues) {
    if (item == nullptr || sADMItem == nullptr) return;
    sADMItem->SetItemType(item, "ADM Text Edit Type");
    sADMItem->SetItemStyle(item, kADMNumericTextEditStyle);
    sADMItem->SetPrecision(item, kind.precision);
    setValues();
    sADMItem->SetUnits(item, kind.units);
    sADMItem->SetAllowUnits(item, kind.showUnits);
    sADMItem->ShowUnits(item, kind.showUnits);
    sADMItem->SetAllowMath(item, false);
}

void setFloatField(ADMItemRef item, const FieldKind& kind, float value, float minimum, float maximum) {
    makeNumericField(item, kind, [&] {
        sADMItem->SetFloatValue(item, value);
        sADMItem->SetMinFloatValue(item, minimum);
        sADMItem->SetMaxFloatValue(item, maximum);
        // Again within the new limits: the first set was clamped to the old ones.
        sADMItem->SetFloatValue(item, value);
    });
}

// Process colour to RGB through the host's colour conversion; false (rgb untouched) when
// the host cannot convert it.
bool cmykToRgb(float c, float m, float y, float k, float rgb[3]) {
    if (!sAIColorConversion) return false;
    const AIReal cmyk[4] = {c, m, y, k};
    AIReal out[3] = {0.0f, 0.0f, 0.0f};
    const AIColorConvertOptions options{kAIColorConversionDefault};
    ASBoolean inGamut = false;
    if (sAIColorConversion->ConvertSampleColor(kAICMYKColorSpace, cmyk, kAIRGBColorSpace, out, &options, &inGamut) !=
        kNoErr)
        return false;
    rgb[0] = out[0];
    rgb[1] = out[1];
    rgb[2] = out[2];
    return true;
}

uint16_t toChannel(float v) {
    if (!(v > 0.0f)) return 0;  // NaN and negatives
    const double scaled = static_cast<double>(v) * 65535.0;
    return scaled >= 65535.0 ? 65535 : static_cast<uint16_t>(scaled);
}

}  // namespace

int16_t parseFieldInput(ADMDialogRef dialog, int16_t itemID, double* result, int32_t units) {
    return parseItem(dialog, itemID, result, units, parseLength, FieldMeasure::kLength);
}

int16_t parseAreaFieldInput(ADMDialogRef dialog, int16_t itemID, double* result, int32_t units) {
    return parseItem(dialog, itemID, result, units, parseArea, FieldMeasure::kArea);
}

void ShowHeldFieldValue(ADMDialogRef dialog, int16_t itemID, const char* shown, double typed, FieldMeasure measure) {
    ADMItemRef item = dialog && sADMDialog ? sADMDialog->GetItem(dialog, itemID) : nullptr;
    if (!item || !sADMItem) return;
    sADMItem->SetText(item, shown ? shown : "");
    // Held against the text as the field gives it back, which may be cut to its length; an
    // empty field (a value that cannot be shown) holds nothing.
    char text[kFieldTextSize];
    if (!g || !ItemText(dialog, itemID, text) || !text[0]) return ForgetHeldFieldValue(dialog, itemID);
    Held* held = HeldSlot(dialog, itemID);
    if (!held) held = FreeOrOldestSlot();
    *held = Held{dialog, itemID, measure == FieldMeasure::kArea, typed, {}, ++g->heldFieldValueCount};
    CopyCString(held->shown, text);
}

void ForgetHeldFieldValue(ADMDialogRef dialog, int16_t itemID) {
    if (Held* held = HeldSlot(dialog, itemID)) *held = Held{};
}

void ForgetHeldFieldValues(ADMDialogRef dialog) {
    if (!g || !dialog) return;
    for (Held& h : g->heldFieldValues)
        if (h.dialog == dialog) h = Held{};
}

bool HoldsFieldValue(ADMDialogRef dialog, int16_t itemID) {
    char text[kFieldTextSize];
    return ItemText(dialog, itemID, text) && HeldWhileShown(dialog, itemID, text) != nullptr;
}

bool RefuseFieldInput(ADMDialogRef dialog, int16_t itemID, const std::string& words) {
    (void)doDialogInputErrorDialog(words.c_str());
    if (ADMItemRef item = dialog && sADMDialog ? sADMDialog->GetItem(dialog, itemID) : nullptr)
        sADMItem->Activate(item, true);
    return false;
}

std::string FieldInputWords(int32_t message) { return FilledText(kMessageList, message); }

std::string TooLargeForDrawing(double typedPoints, double scaler) {
    // Compared as the drawn length is stored, a float in points.
    const auto drawn = [scaler](double typed) { return static_cast<float>(std::fabs(typed) / scaler); };
    if (drawn(typedPoints) <= static_cast<float>(style_fields::kLengthMost)) return "";
    char largest[kFieldTextSize] = {};
    doScaleAndUnits(0, style_fields::kLengthMost, largest, 1, static_cast<int16_t>(g->prefs.NumericInputUnits),
                    static_cast<int16_t>(g->prefs.NumericInputPrecision));
    // The largest as the user reads it is taken too, though rounding put it a little beyond.
    double shown = 0;
    if (parseLengthText(largest, g->prefs.NumericInputUnits, &shown) && drawn(typedPoints) <= drawn(shown)) return "";
    return FilledText(kMessageList, kTooLargeMessage, {largest});
}

void SetAngleFieldText(ADMItemRef item, double degrees) {
    char text[kFieldTextSize] = {};
    std::snprintf(text, sizeof text, "%.*f", kAnglePlaces, std::isfinite(degrees) ? degrees : 0.0);
    // No trailing zeros: 30 shows as "30", 22.5 as "22.5".
    if (char* point = std::strchr(text, '.')) {
        char* last = point + std::strlen(point) - 1;
        while (last > point && *last == '0') *last-- = '\0';
        if (last == point) *point = '\0';
    }
    if (std::strcmp(text, "-0") == 0) std::strcpy(text, "0");
    postParseNumericTextInput(text, sizeof text);
    std::strncat(text, "\xB0", sizeof text - std::strlen(text) - 1);
    SetAlphaSingleLineFldPrefs(item, text);
}

bool ReadAngleField(ADMDialogRef dialog, int16_t itemID, double* degrees) {
    char text[kFieldTextSize];
    ItemText(dialog, itemID, text);
    if (parseAngleText(text, degrees)) return true;
    return RefuseFieldInput(dialog, itemID, FieldInputWords(kUnreadableValueMessage));
}

void SetWholeNumberFieldText(ADMItemRef item, int32_t value) { SetAlphaSingleLineFldPrefs(item, std::to_string(value).c_str()); }

bool ReadWholeNumberField(ADMDialogRef dialog, int16_t itemID, int32_t least, int32_t most, int32_t* value) {
    char text[kFieldTextSize];
    ItemText(dialog, itemID, text);
    preParseNumericTextInput(text);  // thousands separators go
    const char* from = text;
    while (*from == ' ') ++from;
    const char* to = from + std::strlen(from);
    while (to > from && to[-1] == ' ') --to;
    int32_t n = 0;
    const auto [end, ec] = std::from_chars(from, to, n);
    if (from != to && ec == std::errc() && end == to && n >= least && n <= most) {
        *value = n;
        return true;
    }
    return RefuseFieldInput(dialog, itemID,
                            FilledText(kMessageList, kWholeNumberMessage, {std::to_string(least), std::to_string(most)}));
}

void setNumericFloatFldPrefs(ADMItemRef item, float value, float minimum, float maximum) {
    setFloatField(item, {5, kADMNoUnits, false}, value, minimum, maximum);
}

void setNumericDegreeFloatFldPrefs(ADMItemRef item, float value, float minimum, float maximum) {
    setFloatField(item, {5, kADMDegreeUnits, true}, value, minimum, maximum);
}

void setNumericLongFldPrefs(ADMItemRef item, int value, int minimum, int maximum) {
    makeNumericField(item, {0, kADMNoUnits, false}, [&] {
        sADMItem->SetIntValue(item, value);
        sADMItem->SetMinIntValue(item, minimum);
        sADMItem->SetMaxIntValue(item, maximum);
        sADMItem->SetIntValue(item, value);  // within the new limits, as above
    });
}

void SetNumericIntFldPrefs(ADMItemRef item, int32_t value, int32_t minimum, int32_t maximum) {
    setNumericLongFldPrefs(item, value, minimum, maximum);
}

void SetAlphaSingleLineFldPrefs(ADMItemRef item, const char* text) {
    if (item == nullptr || sADMItem == nullptr) return;
    sADMItem->SetItemType(item, "ADM Text Edit Type");
    sADMItem->SetItemStyle(item, kADMSingleLineTextEditStyle);
    sADMItem->SetMaxTextLength(item, 256);
    sADMItem->SetText(item, text ? text : "");
}

void RGBArrayToASRGB(const float* rgb, ADMRGBColor* out) {
    if (rgb == nullptr || out == nullptr) return;
    out->red = toChannel(rgb[0]);
    out->green = toChannel(rgb[1]);
    out->blue = toChannel(rgb[2]);
}

void convertPrefColorsIntoRGBColor(ADMRGBColor* out) {
    if (out == nullptr || g == nullptr) return;
    const Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    const float c1 = ComponentToReal(style.dimensionColorComponent1);
    const float c2 = ComponentToReal(style.dimensionColorComponent2);
    const float c3 = ComponentToReal(style.dimensionColorComponent3);
    const float c4 = ComponentToReal(style.dimensionColorComponent4);
    float rgb[3] = {0.0f, 0.0f, 0.0f};
    const bool processCustom = style.dimensionColorType == kCustomColor && style.dimensionCustomColorType == 0;
    const bool rgbCustom = style.dimensionColorType == kCustomColor && style.dimensionCustomColorType == 1;
    if (style.dimensionColorType == kGrayColor) {
        if (!cmykToRgb(0.0f, 0.0f, 0.0f, c1, rgb)) return;
    } else if (style.dimensionColorType == kFourColor || processCustom) {
        if (!cmykToRgb(c1, c2, c3, c4, rgb)) return;
    } else if (style.dimensionColorType == kThreeColor || rgbCustom) {
        rgb[0] = c1;
        rgb[1] = c2;
        rgb[2] = c3;
    } else {
        return;  // pattern, gradient, none, Lab custom colours, unknown kinds
    }
    RGBArrayToASRGB(rgb, out);
}

void insetASRect(ADMRect* rect, int amount) {
    if (rect == nullptr) return;
    rect->left += amount;
    rect->top += amount;
    rect->right -= amount;
    rect->bottom -= amount;
}
