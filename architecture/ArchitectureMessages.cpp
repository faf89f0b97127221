// The architectural tools' messages.
#include "architecture/ArchitectureMessages.h"

#include <vector>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseGlobals.h"
#include "core/PlotwiseStrings.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

}  // namespace

std::string ArchitectureText(int32_t index, std::initializer_list<std::string> fill) {
    return FilledText(kArchitectureMessageList, index, fill);
}

std::string FilledText(int32_t list, int32_t index, std::initializer_list<std::string> fill) {
    char text[512] = {};
    GetPlotwiseString(list, index, text, sizeof text);
    const std::vector<std::string> parts(fill);
    // Placeholders are replaced in one pass, so a filled-in text is never read for more.
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (p[0] == '^' && p[1] >= '0' && p[1] <= '9' && static_cast<size_t>(p[1] - '0') < parts.size()) {
            out += parts[static_cast<size_t>(p[1] - '0')];
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
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
