// Taking a deleted custom scale off every layer, and keeping the document panel's layer
// list in step with the current layer. (A chosen scale is applied to the layers by the
// scale section, ScaleSection.h, which these commands refresh.)
#pragma once

#include <cstdint>

#include "AITypes.h"

// Every layer carrying the scale id goes back to 1:1; when any did, the dimensions are
// regenerated and the layer list refilled.
AIErr removeScaleByLayer(int32_t id);
// Selects the layer's row in the document panel's layer list (none for a special layer)
// and shows its scale; called when the current layer changes.
AIErr SelectCurrentLayerInCADdocumentLayerList(AILayerHandle layer);
