// Measuring clicks pass over dimensions: the host's hit test, and when it lands on a
// dimension, the art near the point tested one by one in the host's order. A press is tested
// so too, with the art of locked layers, to tell the user which layer stops the tool.
#include "dimensions/MeasuringHit.h"

#include <algorithm>
#include <vector>

#include "axonometric/GuideLayers.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseHitTest.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionStorage.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

// Layers nest no deeper than this, so a chain of layers that loops back cannot keep a walk
// up them going.
constexpr int kMostLayerDepth = 64;

// What the host's hit test prefers: anchors, then curves and handles, then fills and text.
int Rank(int16_t type) {
    if (type == kSegAnchorType) return 0;
    return type == kSegCurveType || type == kSegInType || type == kSegOutType ? 1 : 2;
}

// Of the art near p that `takes` (a test of each art), the art the host's hit test would land
// on were it all there is, and that hit (nothing hit: `best->hit` 0).
template <typename Takes>
AIErr BestHit(const AIRealPoint& p, int32_t request, Takes takes, AIToolHitData* best) {
    *best = AIToolHitData{};
    const AIReal reach = std::max(kAnchorHitTolerance, kCurveHitTolerance) + 1;
    std::vector<AIArtHandle> near;
    if (AIErr err = ArtInRect({p.h - reach, p.v + reach, p.h + reach, p.v - reach}, near)) return err;
    int bestRank = 3;
    for (AIArtHandle art : near) {
        if (!takes(art)) continue;
        AIToolHitData each{};
        HitRef hit;
        if (AIErr err = hit.Test(art, p, &each, request)) return err;
        if (!each.hit || Rank(each.type) >= bestRank) continue;
        *best = each;
        bestRank = Rank(each.type);
        if (bestRank == 0) break;
    }
    return kNoErr;
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

bool PressableArt(AIArtHandle art, AILayerHandle* locked) {
    *locked = nullptr;
    for (AIArtHandle a = art; a;) {
        ASBoolean layerGroup = false;
        if (sAIArt->IsArtLayerGroup(a, &layerGroup) || layerGroup) break;  // the layers are asked below
        uint32_t attr = 0;
        if (sAIArt->GetArtUserAttr(a, kArtHidden | kArtLocked, &attr) || attr) return false;
        if (sAIArt->GetArtParent(a, &a)) return false;
    }
    AILayerHandle layer = nullptr;
    if (sAIArt->GetLayerOfArt(art, &layer) || !layer) return false;
    for (int depth = 0; layer; ++depth) {
        ASBoolean visible = false, editable = false;
        AILayerHandle parent = nullptr;
        if (depth == kMostLayerDepth || sAILayer->GetLayerVisible(layer, &visible) || !visible ||
            sAILayer->GetLayerEditable(layer, &editable) || sAILayer->GetLayerParent(layer, &parent) ||
            (!parent && IsGuideLayer(layer)))
            return false;
        if (!editable && !*locked) *locked = layer;
        layer = parent;
    }
    return true;
}

AIErr HitMeasuredArt(AIArtHandle target, const AIRealPoint& p, AIToolHitData* data, int32_t request) {
    {
        HitRef hit;
        if (AIErr err = hit.Test(target, p, data, request)) return err;
    }
    if (!data->hit || !InDimension(data->object)) return kNoErr;
    AIToolHitData best{};
    if (AIErr err = BestHit(p, request, [target](AIArtHandle art) {
            AILayerHandle locked = nullptr;
            return (!target || Within(art, target)) && !InDimension(art) && PressableArt(art, &locked) && !locked;
        }, &best))
        return err;
    if (best.hit) *data = best;
    return kNoErr;
}

AIErr RefuseLockedArtPressed(const AIRealPoint& p, bool onDimensions) {
    if (!g || g->updatingDimensions || g->UsingMagicDims) return kNoErr;
    // Art the host's hit test finds is pressed, whatever of a locked layer lies over it or
    // shares its corner (a face being measured beside one kept locked meanwhile).
    AIToolHitData hit{};
    if (onDimensions) {
        HitRef ref;
        if (AIErr err = ref.Test(nullptr, p, &hit)) return err;
    } else if (AIErr err = HitMeasuredArt(nullptr, p, &hit)) {
        return err;
    }
    if (hit.hit && (onDimensions || !InDimension(hit.object))) return kNoErr;
    if (AIErr err = BestHit(p, kAllHitRequest, [onDimensions](AIArtHandle art) {
            AILayerHandle locked = nullptr;
            return (onDimensions || !InDimension(art)) && PressableArt(art, &locked) && locked;
        }, &hit))
        return err;
    AILayerHandle locked = nullptr;
    return hit.hit && PressableArt(hit.object, &locked) ? RefuseClickOnLockedLayer(locked) : kNoErr;
}

AIErr HitPressedArt(const AIRealPoint& p, AIToolHitData* data, int32_t request) {
    if (AIErr err = RefuseLockedArtPressed(p)) return err;
    return HitMeasuredArt(nullptr, p, data, request);
}
