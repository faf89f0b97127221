// The formatter and parser bound to the current preferences.
#include "units/PlotwiseUnits.h"

#include <algorithm>
#include <cmath>

#include "units/UnitsGlobals.h"

namespace {
constexpr GlobalsView<UnitsGlobals> g;

constexpr std::size_t kMaxText = 255;

LengthParseSettings settingsOfGlobals() {
    LengthParseSettings settings;
    if (g) {
        settings.numberFormat = g->prefs.numberFormat;
        settings.pixelsPerInch = g->prefs.pixelsperinch;
    }
    return settings;
}

}  // namespace

void preParseNumericTextInput(char* text) {
    preParseNumericText(text, g ? g->prefs.numberFormat : 0);
}

void postParseNumericTextInput(char* text, std::size_t size) {
    NumberFormat format;
    if (g) {
        format.numberFormat = g->prefs.numberFormat;
        format.thousands = g->prefs.useThousandsSeparator != 0;
    }
    postParseNumericText(text, size, format);
}

namespace {

// Shared by the formatter and its twin; out holds at least 256 bytes by contract.
void formatScaled(double value, float scaler, int32_t power, int16_t units, int16_t precision, UnitLabelMode labels,
                  char* out, double error) {
    if (out == nullptr) return;
    out[0] = '\0';
    if (!g) return;
    const double s = scaler;
    MeasureFormat format;
    format.power = power;
    format.units = units;
    format.precision = precision;
    format.labels = labels;
    format.number.numberFormat = g->prefs.numberFormat;
    format.number.thousands = g->prefs.useThousandsSeparator != 0;
    format.pixelsPerInch = g->prefs.pixelsperinch;
    if (power == 1) format.noise = std::max(std::fabs(error), floatSpacing(std::fabs(value)) / 2) * s;
    formatMeasure(power == 2 ? value * s * s : value * s, format, out, kMaxText + 1);
}

}  // namespace

int32_t doScaleAndUnits(int32_t scaleSource, double value, char* out, int32_t power, int16_t units,
                        int16_t precision, double error) {
    if (!g) {
        if (out != nullptr) out[0] = '\0';
        return 0;
    }
    return doScaleAndUnitsAt(scaleSource == 1 ? g->rulerScaler : g->prefs.scaler, value, out, power, units, precision,
                             error);
}

int32_t doScaleAndUnitsAt(float scaler, double value, char* out, int32_t power, int16_t units, int16_t precision,
                          double error) {
    if (!g) {
        if (out != nullptr) out[0] = '\0';
        return 0;
    }
    UnitLabelMode labels = UnitLabelMode::label;
    if (g->appendUnitLabelsSpecialKludge == 0) {
        labels = UnitLabelMode::bare;
    } else if (g->prefs.style.appendUpperUnitLabels == 0) {
        labels = UnitLabelMode::noLabel;
    }
    formatScaled(value, scaler, power, units, precision, labels, out, error);
    return 0;
}

float MeasuringScaler() {
    if (!g) return 1.0f;
    return g->measuringScaler > 0 ? g->measuringScaler : g->prefs.scaler;
}

const char* MeasuringScaleLabel() {
    if (!g) return "";
    return g->measuringScaler > 0 ? g->measuringScaleStr : g->prefs.scaleStr;
}

int32_t doScaleAndUnitsHack(int32_t /*scaleSource*/, int32_t power, int16_t units, int16_t precision, double value,
                            char* out, int32_t upper, double error) {
    if (!g) {
        if (out != nullptr) out[0] = '\0';
        return 0;
    }
    const int32_t flag = upper != 0 ? g->prefs.style.appendUpperUnitLabels : g->prefs.style.appendLowerUnitLabels;
    formatScaled(value, g->prefs.scaler, power, units, precision, flag != 0 ? UnitLabelMode::label : UnitLabelMode::noLabel,
                 out, error);
    return 0;
}

int16_t parseAngleText(std::string_view text, double* degrees) {
    return parseAngleText(text, degrees, settingsOfGlobals());
}

int16_t parseLengthText(std::string_view text, int32_t units, double* result) {
    return parseLengthText(text, units, result, settingsOfGlobals());
}

int16_t parseAreaText(std::string_view text, int32_t units, double* result) {
    return parseAreaText(text, units, result, settingsOfGlobals());
}
