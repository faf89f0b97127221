// The fields of the dimension model: the dimension layer, the text being laid out and the
// group last made live, and the dimension-resize tool.
#pragma once

#include "axonometric/AxonometricGlobals.h"

struct DimensionGlobals : AxonometricGlobals {
    char theText[256] = {};                  // text last formatted by the dimension and label tools
    AIReal slideDimTextOffset = 0.5f;
    AIArtHandle dimGroup = nullptr;              // the group last made live
    AIArtHandle lastStyleGroupTagged = nullptr;  // likewise
    AIReal textSize = 0, textLeading = 0, charWidth = 0;
    // The paint of dimension lines, witness lines and terminators, prepared once per
    // mouse down, mouse up and redraw (setPathAndArrowheadStyles).
    AIPathStyle dimensionLineStyle{}, witnessLineStyle{}, arrowheadStyle{};
    AITimerHandle selectTextTimer = nullptr;
    AIArtHandle dimTextArt = nullptr;        // the custom text selectTextTimer selects for typing
    live_dimension_text_data* firstDimTextPtr = nullptr;  // text records being collected, by id
    AIMenuItemHandle UpdateDimensionsMenuItem = nullptr;
    AIToolHandle dimresizetool = nullptr;
};
