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

namespace {

// The counter-clockwise turn from direction u to direction w, degrees in [0, 360): the angle
// between them at once, no difference of two angles, so one direction turns exactly 0.
double TurnDegrees(double uh, double uv, double wh, double wv) {
    const double degrees = RadiansToDegrees<double>(std::atan2(uh * wv - uv * wh, uh * wh + uv * wv));
    if (degrees < 0) return degrees + 360;
    return degrees > 0 ? degrees : 0.0;  // never -0, which would show as "-0.00"
}

}  // namespace

double SweepDegrees(const AIRealPoint& centre, const AIRealPoint& from, const AIRealPoint& to) {
    return TurnDegrees(static_cast<double>(from.h) - centre.h, static_cast<double>(from.v) - centre.v,
                       static_cast<double>(to.h) - centre.h, static_cast<double>(to.v) - centre.v);
}

bool CrossingOfLines(const AIRealPoint& a1, const AIRealPoint& b1, const AIRealPoint& a2, const AIRealPoint& b2,
                     ExactPoint* crossing) {
    const double dh1 = static_cast<double>(b1.h) - a1.h, dv1 = static_cast<double>(b1.v) - a1.v;
    const double dh2 = static_cast<double>(b2.h) - a2.h, dv2 = static_cast<double>(b2.v) - a2.v;
    const double det = dh1 * dv2 - dv1 * dh2;
    if (det == 0) return false;
    const double s = ((static_cast<double>(a2.h) - a1.h) * dv2 - (static_cast<double>(a2.v) - a1.v) * dh2) / det;
    const ExactPoint x{a1.h + s * dh1, a1.v + s * dv1};
    if (!std::isfinite(x.h) || !std::isfinite(x.v)) return false;
    *crossing = x;
    return true;
}

double SweepBetweenRays(const AngleRay& from, const AngleRay& to) {
    ExactPoint x{};
    if (!CrossingOfLines(from.a, from.b, to.a, to.b, &x)) return 0.0;
    // A line's direction, turned to point from the crossing towards the ray's point.
    const auto along = [&x](const AngleRay& ray, double* h, double* v) {
        *h = static_cast<double>(ray.b.h) - ray.a.h;
        *v = static_cast<double>(ray.b.v) - ray.a.v;
        if (*h * (ray.toward.h - x.h) + *v * (ray.toward.v - x.v) < 0) {
            *h = -*h;
            *v = -*v;
        }
    };
    double uh = 0, uv = 0, wh = 0, wv = 0;
    along(from, &uh, &uv);
    along(to, &wh, &wv);
    return TurnDegrees(uh, uv, wh, wv);
}

void AngleValueText(double degrees, int32_t units, int32_t decimalPrecision, int32_t fractionalPrecision,
                    const char* degreeSign, char* out, std::size_t outSize) {
    if (!out || outSize == 0) return;
    const int32_t wanted = isFractionalUnit(units) ? fractionalPrecision : decimalPrecision;
    const int decimals = static_cast<int>(std::clamp<int32_t>(wanted, 0, kMaxPrecision));
    std::snprintf(out, outSize, "%.*f%s", decimals, degrees, degreeSign ? degreeSign : "");
}
