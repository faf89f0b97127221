// The architectural tools' messages.
#include "architecture/ArchitectureMessages.h"

#include <algorithm>
#include <cmath>

#include "core/CoreGlobals.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

}  // namespace

std::string ArchitectureText(int32_t index, std::initializer_list<std::string> fill) {
    return FilledText(kArchitectureMessageList, index, fill);
}

AIErr SayArchitecture(int32_t index, std::initializer_list<std::string> fill) {
    return SayWords(ArchitectureText(index, fill));
}

AIErr SayWords(const std::string& words) { return doPlotwiseErrorDialog(words.c_str()); }

std::pair<std::string, std::string> LengthWordsApart(double first, double second, double scaler, double error) {
    const auto words = [&](double drawn, double within, int32_t precision) {
        char text[256] = {};
        doScaleAndUnitsAt(static_cast<float>(scaler), drawn, text, 1, static_cast<int16_t>(g->prefs.NumericInputUnits),
                          static_cast<int16_t>(precision), within);
        return std::string(text);
    };
    const int32_t shown = std::clamp(g->prefs.NumericInputPrecision, 0, kMaxPrecision);
    if (std::fabs(first - second) > error)
        for (int32_t precision = shown; precision <= kMaxPrecision; ++precision)
            if (std::string a = words(first, 0, precision), b = words(second, error, precision); a != b) return {a, b};
    return {words(first, 0, shown), words(second, error, shown)};
}
