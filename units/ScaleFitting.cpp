// The scale assistant's arithmetic.
#include "units/ScaleFitting.h"

#include <cmath>

#include "units/ScaleTable.h"

namespace {

struct FamilyRange {
    int32_t first, last;
};
constexpr FamilyRange kFamilies[] = {{11, 22}, {24, 39}};

float ScalerOf(int32_t id) {
    ScaleTableEntry entry;
    return getScaleTableEntry(id, &entry) ? entry.scaler : 0.0f;
}

}  // namespace

int32_t FitTableScale(int32_t family, double factor) {
    if (family < 0 || family > kEngineeringScales || std::isnan(factor)) return -1;
    const FamilyRange range = kFamilies[family];
    for (int32_t id = range.first; id <= range.last; ++id) {
        if (ScalerOf(id) > factor) continue;
        // The family's largest scaler is already at most the factor: nothing is coarse enough.
        return id == range.first ? -1 : id - 1;
    }
    return -1;  // even the smallest scaler is above the factor
}

AIRealMatrix CentringMatrix(const AIRealRect& art, double ratio, double scaler, const AIRealRect& place) {
    const double k = ratio / scaler;
    const double width = std::fabs(art.right - art.left), height = std::fabs(art.top - art.bottom);
    const double roomH = std::fabs(place.right - place.left) - width * k;
    const double roomV = std::fabs(place.top - place.bottom) - height * k;
    // p' = (p - art's top-left) k + place's top-left + (roomH / 2, -roomV / 2)
    AIRealMatrix m{};
    m.a = m.d = static_cast<AIReal>(k);
    m.tx = static_cast<AIReal>(place.left + roomH / 2 - art.left * k);
    m.ty = static_cast<AIReal>(place.top - roomV / 2 - art.top * k);
    return m;
}
