// The layer the user draws on: recorded when a gesture begins (`saveLayer`) and made current
// again once the plug-in's own work (a dimension layer, the grids or rulers) has switched
// away from it.
#pragma once

#include "AITypes.h"

// Records the current layer as the one to return to (nothing without a document).
AIErr RecordSaveLayer();
// `layer`, the user's, made current again where the plug-in switched from it to a layer of
// its own that is still current (`layerSwitchedTo`, or a guide layer); a layer the user
// made current since stays current.
AIErr PutBackUserLayer(AILayerHandle layer);
// The same for the layer the user drew on when the gesture began (`saveLayer`).
AIErr RestoreSaveLayer();
