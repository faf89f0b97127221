// The user's drawing layer, recorded and made current again.
#include "core/UserLayer.h"

#include <utility>

#include "core/CoreGlobals.h"
#include "core/PlotwiseSuites.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

}  // namespace

AIErr RecordSaveLayer() {
    if (!sAILayer) return kNoErr;
    AILayerHandle layer = nullptr;
    AIErr err = sAILayer->GetCurrentLayer(&layer);
    if (err == kNoDocumentErr) return kNoErr;  // no document: nothing to remember
    if (err) return err;
    g->saveLayer = layer;
    return kNoErr;
}

AIErr PutBackUserLayer(AILayerHandle layer) {
    const AILayerHandle switched = std::exchange(g->layerSwitchedTo, nullptr);
    if (!layer || !sAILayer) return kNoErr;
    AILayerHandle current = nullptr;
    if (AIErr err = sAILayer->GetCurrentLayer(&current)) return err == kNoDocumentErr ? kNoErr : err;
    const bool ours = current && (current == switched || current == g->gridsLayer || current == g->rulerLayer);
    return ours && current != layer ? sAILayer->SetCurrentLayer(layer) : kNoErr;
}

AIErr RestoreSaveLayer() { return PutBackUserLayer(g->saveLayer); }
