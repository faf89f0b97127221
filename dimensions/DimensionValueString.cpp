// Value strings through the formatter's twin. The parts are composed first and then fitted
// into the 255 characters of theText, so a long typed tolerance can never push out the
// line break, the plus-minus signs or the lower value.
#include "dimensions/DimensionValueString.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "geometry/UnitFormat.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr size_t kTextCapacity = sizeof(DimensionGlobals::theText) - 1;
constexpr size_t kToleranceField = sizeof(Plotwise3_Live_Dimension_Data::upperToleranceValue);

// One line of the text: its value and, when shown, its tolerance.
struct ValueLine {
    std::string value;
    bool tolerance = false;
    std::string toleranceText;
};

ValueLine formatLine(double length, double error, int32_t units, int32_t decimals, int32_t fractions,
                     int32_t tolerance, const char* toleranceText, int32_t upper) {
    ValueLine line;
    const int32_t precision = isFractionalUnit(units) ? fractions : decimals;
    char value[256] = {};
    doScaleAndUnitsHack(0, 1, static_cast<int16_t>(units), static_cast<int16_t>(precision), length, value,
                        upper, error);
    line.value = value;
    line.tolerance = tolerance != 0;
    if (line.tolerance) line.toleranceText.assign(toleranceText, ::strnlen(toleranceText, kToleranceField));
    return line;
}

std::string marker() { return std::string(" ") + g->plusMinusSymbol; }

// Shortens the tolerance texts, the longer first, until the whole text fits.
void fitTolerances(ValueLine& upper, ValueLine* lower, size_t fixed) {
    const size_t room = fixed < kTextCapacity ? kTextCapacity - fixed : 0;
    std::string& a = upper.toleranceText;
    std::string empty;
    std::string& b = lower ? lower->toleranceText : empty;
    if (a.size() + b.size() <= room) return;
    const size_t half = room / 2;
    if (a.size() <= half) b.resize(room - a.size());
    else if (b.size() <= half) a.resize(room - b.size());
    else {
        a.resize(room - half);
        b.resize(half);
    }
}

// The value's text into theText, whatever the style's format.
void ValueText(double length, double error) {
    const Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    ValueLine upper = formatLine(length, error, s.upperUnits, s.upperDecimalPrecision, s.upperFractionalPrecision,
                                 s.upperTolerance, s.upperToleranceValue, 1);
    ValueLine lowerLine;
    ValueLine* lower = nullptr;
    if (s.dualDimensions != 0) {
        lowerLine = formatLine(length, error, s.lowerUnits, s.lowerDecimalPrecision, s.lowerFractionalPrecision,
                               s.lowerTolerance, s.lowerToleranceValue, 0);
        lower = &lowerLine;
    }
    const std::string mark = marker();
    size_t fixed = upper.value.size() + (upper.tolerance ? mark.size() : 0);
    if (lower) fixed += 1 + lower->value.size() + (lower->tolerance ? mark.size() : 0);
    fitTolerances(upper, lower, fixed);

    std::string text = upper.value;
    if (upper.tolerance) text += mark + upper.toleranceText;
    if (lower) {
        text += '\r';
        text += lower->value;
        if (lower->tolerance) text += mark + lower->toleranceText;
    }
    CopyCString(g->theText, text.c_str());
}

}  // namespace

AIReal PushedLength(AIReal measured) {
    constexpr AIReal kPush = 1.52587890625e-05f;  // 2^-16
    return sAIRealMath->AIRealAdd(measured, kPush);  // the host's sum, as the kinds always took it
}

int32_t makeGlobalDimensionString(double length, double error) {
    if (g && g->prefs.style.dimensionFormat == 0) ValueText(length, error);
    return 0;
}

AIErr makePairDimensionString(live_dimension_text_data& record, double length, double error) {
    if (!g) return kBadParameterErr;
    // The pair's own format decides: a chain whose texts differ in format (one retyped)
    // still measures its other pairs.
    if (record.dimensionFormat == 0) {
        ValueText(length, error);
        CopyCString(record.dimStr, g->theText);
    } else {
        CopyCString(g->theText, record.dimStr);
    }
    return kNoErr;
}
