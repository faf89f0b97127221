// Sector choice, text slide and value text of angle dimensions.
#include "geometry/AngleGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/PointMath.h"
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

double SweepDegrees(const AIRealPoint& centre, const AIRealPoint& from, const AIRealPoint& to) {
    const double uh = static_cast<double>(from.h) - centre.h, uv = static_cast<double>(from.v) - centre.v;
    const double wh = static_cast<double>(to.h) - centre.h, wv = static_cast<double>(to.v) - centre.v;
    // The angle between the two directions at once: no difference of two angles, so rays in
    // one direction sweep exactly 0.
    const double degrees = RadiansToDegrees<double>(std::atan2(uh * wv - uv * wh, uh * wh + uv * wv));
    if (degrees < 0) return degrees + 360;
    return degrees > 0 ? degrees : 0.0;  // never -0, which would show as "-0.00"
}

void AngleValueText(double degrees, int32_t units, int32_t decimalPrecision, int32_t fractionalPrecision,
                    const char* degreeSign, char* out, std::size_t outSize) {
    if (!out || outSize == 0) return;
    const int32_t wanted = isFractionalUnit(units) ? fractionalPrecision : decimalPrecision;
    const int decimals = static_cast<int>(std::clamp<int32_t>(wanted, 0, kMaxPrecision));
    std::snprintf(out, outSize, "%.*f%s", decimals, degrees, degreeSign ? degreeSign : "");
}
