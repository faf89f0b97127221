// The suite the plug-in publishes to other plug-ins: "Plotwise Suite", version 7, giving a
// layer's drawing scale; and the notifier it broadcasts when the current scale may have
// changed.
#pragma once

#include "AITypes.h"

#define kPlotwiseSuite "Plotwise Suite"
#define kPlotwiseSuiteVersion 7
#define kPlotwiseScaleChangedNotifier "Plotwise Scale Changed Notifier"

struct PlotwiseSuite {
    // The layer's scale factor (real length per drawn length) and its label (32 bytes,
    // terminated), as stored on the layer or inherited from its top-level layer; a layer
    // without one gets the default stored. A null layer gives the current scale. Either out
    // pointer may be null.
    AIErr (*GetLayerScale)(AILayerHandle layer, AIReal* scaler, char label[32]);
};
