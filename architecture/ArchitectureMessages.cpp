// The architectural tools' messages.
#include "architecture/ArchitectureMessages.h"

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

std::string LengthWords(double drawnPoints) {
    char text[256] = {};
    doScaleAndUnits(0, drawnPoints, text, 1, static_cast<int16_t>(g->prefs.NumericInputUnits),
                    static_cast<int16_t>(g->prefs.NumericInputPrecision));
    return text;
}
