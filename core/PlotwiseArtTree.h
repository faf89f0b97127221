// The walks over a document that several features share: every layer in the host's order,
// and a run of art (each art and its following siblings) with groups or sublayers entered
// rather than visited.
#pragma once

#include "AIArt.h"
#include "core/PlotwiseSuites.h"

// Calls visit(layer) for every top-level layer in index order; the first error from the host
// or from visit ends the walk with that error.
template <typename Visit>
AIErr ForEachLayer(Visit&& visit) {
    ai_int32 count = 0;
    if (AIErr err = sAILayer->CountLayers(&count)) return err;
    for (ai_int32 i = 0; i < count; ++i) {
        AILayerHandle layer = nullptr;
        if (AIErr err = sAILayer->GetNthLayer(i, &layer)) return err;
        if (AIErr err = visit(layer)) return err;
    }
    return kNoErr;
}

// The top-level layer that holds `layer` (the layer itself when it is one).
inline AIErr TopLevelLayerOf(AILayerHandle layer, AILayerHandle* top) {
    *top = layer;
    for (AILayerHandle parent = nullptr;; *top = parent) {
        if (AIErr err = sAILayer->GetLayerParent(*top, &parent)) return err;
        if (!parent) return kNoErr;
    }
}

// Calls visit(art) for art and its following siblings and, inside every sublayer among
// them, the sublayer's own art the same way; the sublayers themselves are not handed over,
// every other art (groups too) is. The first error from the host or from visit ends the walk.
template <typename Visit>
AIErr WalkThroughSublayers(AIArtHandle art, Visit&& visit) {
    while (art) {
        ASBoolean layerGroup = false;
        if (AIErr err = sAIArt->IsArtLayerGroup(art, &layerGroup)) return err;
        if (layerGroup) {
            AIArtHandle child = nullptr;
            if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
            if (AIErr err = WalkThroughSublayers(child, visit)) return err;
        } else if (AIErr err = visit(art)) {
            return err;
        }
        if (AIErr err = sAIArt->GetArtSibling(art, &art)) return err;
    }
    return kNoErr;
}

// Calls leaf(art) for art, its following siblings and, inside every group among them, the
// group's own children the same way; the groups themselves are not handed over. The walk
// ends after `stop` (at whatever depth it is met; null walks every sibling), and the first
// error from the host or from leaf ends it with that error.
template <typename Leaf>
AIErr WalkArtTreeLeaves(AIArtHandle art, AIArtHandle stop, Leaf&& leaf) {
    while (art) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (type == kGroupArt) {
            AIArtHandle child = nullptr;
            if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
            if (child)
                if (AIErr err = WalkArtTreeLeaves(child, stop, leaf)) return err;
        } else if (AIErr err = leaf(art)) {
            return err;
        }
        if (art == stop) break;
        if (AIErr err = sAIArt->GetArtSibling(art, &art)) return err;
    }
    return kNoErr;
}
