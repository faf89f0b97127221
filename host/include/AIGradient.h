// The gradient suite: the ramp behind a gradient paint (AIColor kind kGradient), read stop by
// stop. The stand-in keeps no gradient definitions (a document keeps a gradient paint by its
// kind only), so every gradient handle it meets names none: each query answers
// kStaleHandleErr, and kBadParameterErr for a null handle or out pointer.
#pragma once

#include "AITypes.h"

#define kAIGradientSuite "AI Gradient Suite"
#define kAIGradientSuiteVersion 1

// Gradient types.
enum : int16_t {
    kLinearGradient = 0,
    kRadialGradient = 1,
};

// One stop of the ramp: where it sits (0 to 100 percent along the ramp), the midpoint to the
// next stop (13 to 87 percent) and its colour.
struct AIGradientStop {
    AIReal midPoint;
    AIReal rampPoint;
    AIColor color;
};

struct AIGradientSuite {
    AIErr (*GetGradientType)(AIGradientHandle gradient, int16_t* type);
    AIErr (*GetGradientStopCount)(AIGradientHandle gradient, int16_t* count);
    // Stop n, from 0; kOutOfRangeErr outside the ramp.
    AIErr (*GetNthGradientStop)(AIGradientHandle gradient, int16_t n, AIGradientStop* stop);
};
