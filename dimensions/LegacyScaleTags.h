// Scales as documents of format 2 kept them, read for their conversion: the tag
// "ZMK_Layer_Scale" on a layer's group art, "ZMK_Object_Scale" on group art, and failing both
// the scale of the layer's first legacy dimension. Values are "%li^%lf^%s" (scale id,
// scaler, label); the label is replaced by the scale table's label of the id. They live with
// the dimension model because the last fallback reads legacy dimensions.
#pragma once

#include "AITypes.h"

#define kLegacyLayerScaleTag "ZMK_Layer_Scale"
#define kLegacyObjectScaleTag "ZMK_Object_Scale"

// The layer's legacy scale. A malformed layer tag is removed and gives 'BLDE'. Without a
// tag: the last tagged group of the layer's art; else the scale of the first legacy
// dimension, which becomes the current scale and is written to the layer's tree; else the
// current scale becomes 1:1. The last two answer the current scale.
AIErr getPW2LayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label);
// The scale tagged on one group: 0 and the outputs untouched without the tag; 'BLDE' for a
// malformed value, the tag staying.
AIErr getCADobjectScale(AIArtHandle art, int32_t* id, AIReal* scaler, char* label);
// Walks the art, its following siblings and, depth first, the members of untagged groups;
// every tagged group found overwrites the outputs, so the last one wins.
AIErr getLayerScaleFromCADobject(AIArtHandle art, int32_t* id, AIReal* scaler, char* label);
