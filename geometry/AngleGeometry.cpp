// Sector choice, text slide and value text of angle dimensions.
#include "geometry/AngleGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/UnitFormat.h"

bool AngleSweepStartsAtFirst(AIReal a1, AIReal a2, AIReal aDrag, bool otherSector) {
    bool fromFirst = false;
    if (a1 < a2)
        fromFirst = a1 < aDrag && aDrag < a2;
    else
        fromFirst = !(a2 < aDrag && aDrag < a1);
    return otherSector ? !fromFirst : fromFirst;
}

AIReal AngleTextSlide(AIReal dragDegrees, AIReal startDegrees, AIReal sweepDegrees) {
    if (!(sweepDegrees != 0.0f) || !std::isfinite(sweepDegrees)) return 0.5f;
    const AIReal slide = (dragDegrees - startDegrees) / sweepDegrees;
    return std::isfinite(slide) ? slide : 0.5f;
}

void AngleValueText(double degrees, int32_t units, int32_t decimalPrecision, int32_t fractionalPrecision,
                    const char* degreeSign, char* out, std::size_t outSize) {
    if (!out || outSize == 0) return;
    const int32_t wanted = isFractionalUnit(units) ? fractionalPrecision : decimalPrecision;
    const int decimals = static_cast<int>(std::clamp<int32_t>(wanted, 0, kMaxPrecision));
    std::snprintf(out, outSize, "%.*f%s", decimals, degrees, degreeSign ? degreeSign : "");
}
