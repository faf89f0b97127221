// Taking a deleted custom scale off every layer. (A chosen scale is applied to the layers by
// the scale section, ScaleSection.h, which this command refreshes.)
#pragma once

#include <cstdint>

#include "AITypes.h"

// Every layer carrying the scale id goes back to 1:1; when any did, the dimensions are
// regenerated and the layer list refilled.
AIErr removeScaleByLayer(int32_t id);
