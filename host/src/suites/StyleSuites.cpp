// The gradient and art style suites. The host keeps neither gradient ramps nor graphic
// styles: a gradient handle names no ramp and no art carries a named style, and the suites
// answer so, as a host does for objects it does not have.
#include "AIArtStyle.h"
#include "AIGradient.h"
#include "suites/Suites.h"

namespace standin::suites {
namespace {

AIErr NoRamp(AIGradientHandle gradient, const void* out) { return gradient && out ? kStaleHandleErr : kBadParameterErr; }

AIErr GetGradientType(AIGradientHandle gradient, int16_t* type) { return NoRamp(gradient, type); }
AIErr GetGradientStopCount(AIGradientHandle gradient, int16_t* count) { return NoRamp(gradient, count); }
AIErr GetNthGradientStop(AIGradientHandle gradient, int16_t, AIGradientStop* stop) { return NoRamp(gradient, stop); }

const AIGradientSuite kGradientSuite = {GetGradientType, GetGradientStopCount, GetNthGradientStop};

AIErr GetArtStyle(AIArtHandle art, AIArtStyleHandle* style) {
    if (!style) return kBadParameterErr;
    *style = nullptr;
    ArtRef ref;
    return lookupArt(art, &ref);
}

AIErr GetArtStyleName(AIArtStyleHandle style, ai::UnicodeString&, ASBoolean* anonymous) {
    return style && anonymous ? kStaleHandleErr : kBadParameterErr;
}

const AIArtStyleSuite kArtStyleSuite = {GetArtStyle, GetArtStyleName};

}  // namespace

void addStyleSuites(SuiteRegistry& r) {
    r.add(kAIGradientSuite, kAIGradientSuiteVersion, &kGradientSuite);
    r.add(kAIArtStyleSuite, kAIArtStyleSuiteVersion, &kArtStyleSuite);
}

}  // namespace standin::suites
