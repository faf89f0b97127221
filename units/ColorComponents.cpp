// The style's colour components, converted by the host's fixed-point routines.
#include "units/ColorComponents.h"

#include <cmath>
#include <limits>

#include "core/PlotwiseSuites.h"

// The off-by-one of the stored form saturates at the ends of the range, so every stored
// value has a colour (out of range, which the style's domain refuses).
AIReal ComponentToReal(int32_t component) {
    if (component == 0) return 0.0f;
    const AIFixed fixed = component < std::numeric_limits<int32_t>::max() ? component + 1 : component;
    return sAIRealMath ? sAIRealMath->AIFixedToAIReal(fixed) : static_cast<AIReal>(fixed / 65536.0);
}

int32_t RealToComponent(AIReal value) {
    const AIFixed fixed = sAIRealMath ? sAIRealMath->AIRealToAIFixed(value)
                                      : static_cast<AIFixed>(std::lround(static_cast<double>(value) * 65536.0));
    return fixed != 0 && fixed > std::numeric_limits<int32_t>::min() ? fixed - 1 : fixed;
}
