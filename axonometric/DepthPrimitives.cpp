// The primitive group and the timers that select a new primitive.
#include "axonometric/DepthPrimitives.h"

#include <vector>

#include "axonometric/AxonometricGlobals.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

// Every art carrying the tag loses it; the art is given the attribute when its layer can
// be edited. Nothing is deselected first.
AIErr SelectTagged(const char* tag, uint32_t attribute) {
    std::vector<AIArtHandle> arts;
    if (AIErr err = MatchingArt(false, arts)) return err;
    for (AIArtHandle art : arts) {
        const char* type = nullptr;
        if (sAITag->GetTagType(art, tag, &type) != kNoErr) continue;
        (void)sAITag->RemoveTag(art, tag);
        AILayerHandle layer = nullptr;
        if (AIErr err = sAIArt->GetLayerOfArt(art, &layer)) return err;
        ASBoolean editable = false;
        if (AIErr err = sAILayer->GetLayerEditable(layer, &editable)) return err;
        if (editable)
            if (AIErr err = sAIArt->SetArtUserAttr(art, attribute, attribute)) return err;
    }
    return kNoErr;
}

}  // namespace

AIErr prepPrimitiveGroup() {
    AILayerHandle layer = nullptr;
    if (AIErr err = sAILayer->GetCurrentLayer(&layer)) return err;
    if (AIErr err = RefuseClosedLayer(layer)) {
        (void)EndPrimitiveDrawing();
        return err;
    }
    AIArtHandle first = nullptr;
    if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &first)) return err;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(first, &type)) return err;
    const int16_t order = type == kGroupArt ? kPlaceInsideOnTop : kPlaceAbove;
    return sAIArt->NewArt(kGroupArt, order, first, &g->primitiveGroup);
}

AIErr SelectTaggedPrimitiveDrag() { return SelectTagged(kPrimitiveSelectedDragTag, kArtSelected); }

AIErr SelectTaggedPrimitive() { return SelectTagged(kPrimitiveSelectedTag, kArtFullySelected); }

AIErr FinishPrimitiveSelection() {
    for (AITimerHandle timer : {g->primitiveDragTimer, g->primitiveMouseupTimer})
        if (timer)
            if (AIErr err = sAITimer->SetTimerActive(timer, false)) return err;
    if (AIErr err = SelectTaggedPrimitiveDrag()) return err;
    return SelectTaggedPrimitive();
}

AIErr EndPrimitiveDrawing() {
    g->drawingPrimitive = 0;
    g->firstMouseNotYetUp = 1;
    g->primitiveGroup = g->depthArt = g->depthArt2 = g->depthArt3 = nullptr;
    return kNoErr;
}

AIErr GatherPrimitivePieces(std::initializer_list<AIArtHandle> pieces, const char* tag) {
    if (!g->primitiveGroup) return kNoErr;
    AIErr last = kNoErr;
    for (AIArtHandle piece : pieces) {
        if (!piece) continue;
        if (AIErr err = sAIArt->ReorderArt(piece, kPlaceInsideOnTop, g->primitiveGroup)) last = err;
        if (tag)
            if (AIErr err = sAITag->SetTag(piece, tag, kTagString, "")) last = err;
    }
    return last;
}

AIErr TagPrimitiveGroupForDrag(bool select) {
    if (!g->primitiveGroup) return kNoErr;
    AIErr last = kNoErr;
    if (select)
        if (AIErr err = sAIArt->SetArtUserAttr(g->primitiveGroup, kArtSelected, kArtSelected)) last = err;
    if (AIErr err = sAITag->SetTag(g->primitiveGroup, kPrimitiveSelectedDragTag, kTagString, "")) last = err;
    if (g->primitiveDragTimer)
        if (AIErr err = sAITimer->SetTimerActive(g->primitiveDragTimer, true)) last = err;
    return last;
}
