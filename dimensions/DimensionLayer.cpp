// The dimension layer and the whole-dictionary copy between art.
#include "dimensions/DimensionLayer.h"

#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "artwork/DrawingLayer.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr AIRGBColor kDimensionLayerColor{65535, 0, 0};

AIErr SetDimensionLayerProperties(AILayerHandle layer) {
    if (AIErr err = sAILayer->SetLayerTitle(layer, kDimensionLayerTitle)) return err;
    if (AIErr err = sAILayer->SetLayerVisible(layer, true)) return err;
    if (AIErr err = sAILayer->SetLayerPreview(layer, true)) return err;
    if (AIErr err = sAILayer->SetLayerEditable(layer, true)) return err;
    if (AIErr err = sAILayer->SetLayerPrinted(layer, true)) return err;
    if (AIErr err = sAILayer->SetLayerDimPlacedImages(layer, false)) return err;
    return sAILayer->SetLayerColor(layer, kDimensionLayerColor);
}

// firstArt := the dimension layer's first art, or null when the host cannot give it.
AIErr RefreshFirstArt() {
    AIArtHandle first = nullptr;
    const AIErr err = sAIArt->GetFirstArtOfLayer(g->dimensionLayer, &first);
    g->firstArt = err ? nullptr : first;
    return err;
}

}  // namespace

AIErr FindDimensionLayer() {
    if (!g) return kBadParameterErr;
    if (const AILayerHandle* known = g->dimensionLayers.Current()) {
        g->dimensionLayer = *known;
        return kNoErr;
    }
    g->dimensionLayer = nullptr;
    // A layer of that title is the plug-in's only while dimensions go on a layer of their
    // own; otherwise it is one of the user's layers like any other.
    if (!g->prefs.createDimensionLayer) return kNoErr;
    AILayerHandle layer = nullptr;
    const AIErr err = sAILayer->GetLayerByTitle(&layer, kDimensionLayerTitle);
    if (err == kNoDocumentErr) return kNoErr;
    if (err == kNoSuchKey) layer = nullptr;  // no such layer
    else if (err) return err;
    g->dimensionLayer = g->dimensionLayers.Store(layer);
    return kNoErr;
}

AIErr FindDimensionLayerForTool() {
    if (!g) return kBadParameterErr;
    if (AIErr err = FindDimensionLayer()) return err;
    if (g->dimensionLayer) return RefreshFirstArt();
    g->firstArt = nullptr;
    return g->saveLayer ? sAIArt->GetFirstArtOfLayer(g->saveLayer, &g->firstArt) : kNoErr;
}

AIErr CreateDimensionLayer() {
    if (!g) return kBadParameterErr;
    if (AIErr err = FindDimensionLayer()) return err;
    if (g->dimensionLayer) return RefreshFirstArt();

    AILayerHandle current = nullptr;
    if (AIErr err = sAILayer->GetCurrentLayer(&current)) return err;
    // Above the top-level layer that holds the current layer, never inside it.
    AILayerHandle top = nullptr;
    if (AIErr err = TopLevelLayerOf(current, &top)) return err;
    if (AIErr err = sAILayer->InsertLayer(top, kPlaceAbove, &g->dimensionLayer)) return err;
    if (AIErr err = SetDimensionLayerProperties(g->dimensionLayer)) return err;
    // Known from now on: the gesture that made it must not keep its "none" for later.
    g->dimensionLayers.Store(g->dimensionLayer);
    // firstArt must not stay on another layer's art when the layer cannot be made current.
    const int restored = SetCurrentLayer(current);
    const AIErr err = RefreshFirstArt();
    return restored ? err : kNoErr;
}

AIErr CopyArtDictionaryToArt(AIArtHandle source, AIArtHandle destination) {
    DictRef temporary;
    if (AIErr err = sAIDictionary->CreateDictionary(temporary.put())) return err;
    if (AIErr err = CopyArtDictionaryToDictionary(source, temporary.get())) return err;
    return CopyDictionaryToArt(temporary.get(), destination);
}
