// Drawing-layer and group preparation for the tools.
#include "artwork/DrawingLayer.h"

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseSuites.h"
#include "units/LayerScales.h"
#include "units/UnitsGlobals.h"

namespace {

constexpr GlobalsView<UnitsGlobals> g;

// A new group on top of the layer; then the drawing layer's scale is stored if it had none.
AIErr PrepareGroupOn(AILayerHandle layer) {
    if (!g) return kBadParameterErr;
    if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &g->firstArt)) return err;
    if (AIErr err = sAIArt->GetArtType(g->firstArt, &g->firstArtType)) return err;
    if (AIErr err = RefuseClosedLayer(layer)) return err;
    const int16_t order = g->firstArtType == kGroupArt ? kPlaceInsideOnTop : kPlaceAbove;
    AIArtHandle made = nullptr;
    if (AIErr err = sAIArt->NewArt(kGroupArt, order, g->firstArt, &made)) return err;
    g->group = made;
    int32_t id = 0;
    AIReal scaler = 0;
    char label[kScaleLabelSize];
    return GetZA3LayerScaleAndSetIfNotThere(g->saveLayer, &id, &scaler, label);
}

}  // namespace

AIErr PrepCADLayer() { return g ? PrepareGroupOn(g->saveLayer) : kBadParameterErr; }

AIErr PrepThisLayer(AILayerHandle layer) { return PrepareGroupOn(layer); }

AIErr drawLine(AIRealPoint start, AIRealPoint end, AIArtHandle group) {
    AIArtHandle path = nullptr;
    if (group) {
        if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &path)) return err;
    } else {
        if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceAbove, g ? g->firstArt : nullptr, &path)) return err;
    }
    if (AIErr err = sAIPath->SetPathSegmentCount(path, 2)) return err;
    AIPathSegment segments[2] = {};
    segments[0].p = segments[0].in = segments[0].out = start;
    segments[1].p = segments[1].in = segments[1].out = end;
    segments[0].corner = segments[1].corner = 1;
    if (AIErr err = sAIPath->SetPathSegments(path, 0, 2, segments)) return err;
    return sAIPath->SetPathClosed(path, false);
}

int SetCurrentLayer(AILayerHandle layer) {
    // A sublayer is the front document's when its top-level layer is.
    AILayerHandle top = nullptr;
    if (!layer || TopLevelLayerOf(layer, &top) != kNoErr) return 0;
    ai_int32 count = 0;
    sAILayer->CountLayers(&count);
    for (ai_int32 i = 0; i < count; ++i) {
        AILayerHandle nth = nullptr;
        sAILayer->GetNthLayer(i, &nth);
        if (nth == top) {
            sAILayer->SetCurrentLayer(layer);
            return 1;
        }
    }
    return 0;
}

int SwitchToLayerForWork(AILayerHandle layer) {
    if (!g || !SetCurrentLayer(layer)) return 0;
    if (layer != g->saveLayer) g->layerSwitchedTo = layer;
    return 1;
}

void GetPageRect(AIRealRect* rect) {
    if (!rect) return;
    AIDocumentSetup setup{};
    AIRealPoint origin{};
    sAIDocument->GetDocumentSetup(&setup);
    sAIDocument->GetDocumentRulerOrigin(&origin);
    rect->left = -origin.h;
    rect->bottom = -origin.v;
    rect->right = rect->left + setup.width;
    rect->top = rect->bottom + setup.height;
}
