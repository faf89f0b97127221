// Measuring clicks pass over dimensions: the host's hit test, and when it lands on a
// dimension, the art near the point tested one by one in the host's order.
#include "dimensions/MeasuringHit.h"

#include <algorithm>
#include <vector>

#include "core/PlotwiseHitTest.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionStorage.h"

namespace {

// What the host's hit test prefers: anchors, then curves and handles, then fills and text.
int Rank(int16_t type) {
    if (type == kSegAnchorType) return 0;
    return type == kSegCurveType || type == kSegInType || type == kSegOutType ? 1 : 2;
}

// Art the host's hit test of the whole document looks at: neither it nor anything holding
// it hidden or locked, on a layer (and within layers) shown and editable.
bool Hittable(AIArtHandle art) {
    for (AIArtHandle a = art; a;) {
        uint32_t attr = 0;
        if (sAIArt->GetArtUserAttr(a, kArtHidden | kArtLocked, &attr) || attr) return false;
        if (sAIArt->GetArtParent(a, &a)) return false;
    }
    AILayerHandle layer = nullptr;
    if (sAIArt->GetLayerOfArt(art, &layer)) return false;
    for (; layer;) {
        ASBoolean visible = false, editable = false;
        if (sAILayer->GetLayerVisible(layer, &visible) || !visible) return false;
        if (sAILayer->GetLayerEditable(layer, &editable) || !editable) return false;
        if (sAILayer->GetLayerParent(layer, &layer)) return false;
    }
    return true;
}

bool Within(AIArtHandle art, AIArtHandle target) {
    for (AIArtHandle a = art; a;) {
        if (a == target) return true;
        if (sAIArt->GetArtParent(a, &a)) return false;
    }
    return false;
}

}  // namespace

bool InDimension(AIArtHandle art) {
    for (AIArtHandle a = art; a;) {
        // Art without a dictionary holds no record; asking for one would make it one.
        if (sAIArt->HasDictionary(a) && IsDimension(a)) return true;
        ASBoolean layerGroup = false;
        if (sAIArt->IsArtLayerGroup(a, &layerGroup) || layerGroup) return false;
        if (sAIArt->GetArtParent(a, &a)) return false;
    }
    return false;
}

AIErr HitMeasuredArt(AIArtHandle target, const AIRealPoint& p, AIToolHitData* data, int32_t request) {
    {
        HitRef hit;
        if (AIErr err = hit.Test(target, p, data, request)) return err;
    }
    if (!data->hit || !InDimension(data->object)) return kNoErr;
    const AIReal reach = std::max(kAnchorHitTolerance, kCurveHitTolerance) + 1;
    std::vector<AIArtHandle> near;
    if (AIErr err = ArtInRect({p.h - reach, p.v + reach, p.h + reach, p.v - reach}, near)) return err;
    AIToolHitData best{};
    int bestRank = 3;
    for (AIArtHandle art : near) {
        if ((target && !Within(art, target)) || InDimension(art) || !Hittable(art)) continue;
        AIToolHitData each{};
        HitRef hit;
        if (AIErr err = hit.Test(art, p, &each, request)) return err;
        if (!each.hit || Rank(each.type) >= bestRank) continue;
        best = each;
        bestRank = Rank(each.type);
        if (bestRank == 0) break;
    }
    if (bestRank < 3) *data = best;
    return kNoErr;
}
