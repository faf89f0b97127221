// Applying one scale to many layers, taking a deleted custom scale off every layer, and
// keeping the document panel's layer list in step with the current layer. Every change of
// a scale ends with all live dimensions regenerated.
#pragma once

#include <cstdint>

#include "AITypes.h"

// Which layers a multiple write touches.
enum PlotwiseLayerType : int32_t {
    kDummyLayer = -1,
    kAllLayers = 0,
    kSelectedLayers = 1,
    kCurrentLayer = 2,
};

// Writes the scale to every ordinary top-level layer tree (kAllLayers and kSelectedLayers;
// any other value writes nothing), regenerates all live dimensions and makes the current
// layer current again. The first host error stops the walk and is returned.
AIErr setMultipleLayerScale(int32_t id, AIReal scaler, const char* label, PlotwiseLayerType which);
// Every layer carrying the scale id goes back to 1:1; when any did, the dimensions are
// regenerated and the layer list refilled.
AIErr removeScaleByLayer(int32_t id);
// Applies a chosen scale by the scale style: every layer (document-based) or the layers of
// the layer list's selected rows (layer-based, their rows relabelled); then regenerates.
AIErr setScaleOfSelectedLayers(int32_t& id, AIReal& scaler, char* label);
// Selects the layer's row in the document panel's layer list (none for a special layer)
// and shows its scale; called when the current layer changes.
AIErr SelectCurrentLayerInCADdocumentLayerList(AILayerHandle layer);
