// Scales as documents of format 2 kept them, read for their conversion: the tag
// "ZMK_Layer_Scale" on a layer's group art, "ZMK_Object_Scale" on group art, and failing both
// the scale of the layer's first legacy dimension. Values are "%li^%lf^%s" (scale id,
// scaler, label); the label is replaced by the scale table's label of the id. They live with
// the dimension model because the last fallback reads legacy dimensions.
#pragma once

#include "AITypes.h"

#define kLegacyLayerScaleTag "ZMK_Layer_Scale"
#define kLegacyObjectScaleTag "ZMK_Object_Scale"

// The layer's legacy scale: its layer tag, or (without one) getPW2UntaggedLayerScale. A
// malformed layer tag (a field missing, a scaler that is not a finite positive number, an id
// of no scale) stays where it is and gives 'BLDE'.
AIErr getPW2LayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label);
// The scale of a layer without a layer tag: the last readable tagged group of the layer's
// art; else the scale of the first legacy dimension, which becomes the current scale and is
// written to the layer's tree; else the current scale becomes 1:1. The last two answer the
// current scale. 'BLDE' when a damaged object tag was met, with the scale all the same.
AIErr getPW2UntaggedLayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label);
// The scale tagged on one group: 0 and the outputs untouched without the tag; 'BLDE' for a
// malformed value, the tag staying.
AIErr getCADobjectScale(AIArtHandle art, int32_t* id, AIReal* scaler, char* label);
// Walks the art, its following siblings and, depth first, the members of untagged groups;
// every readable tagged group found overwrites the outputs, so the last one wins. A damaged
// tag is passed over and gives 'BLDE' at the end; a host error stops the walk.
AIErr getLayerScaleFromCADobject(AIArtHandle art, int32_t* id, AIReal* scaler, char* label);
