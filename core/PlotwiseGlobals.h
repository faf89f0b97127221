// The one global state record of the plug-in, reached through `g`, and the preferences
// record it embeds. Each subsystem adds the fields it reads and writes, under its heading,
// with the names and types the rest of the plug-in expects.
#pragma once

#include <cstdint>

#include "AITypes.h"
#include "PlotwiseDimensionData.h"

struct preferences {
    // --- units, scales and number format ---
    // --- dimension style ---
    Plotwise3_Live_Dimension_Data style{};  // the current style; style.id is the dimension-id counter
    int createLiveDimensions = 1;           // new dimensions carry their style and clicks
};

struct PlotwiseGlobals {
    // --- host and life cycle ---
    SPPluginRef thisPlugin = nullptr;
    preferences prefs{};
    // --- dimension drawing state ---
    int32_t curDimID = 0;    // id of the dimension being drawn or redrawn
    int32_t curDimType = 0;  // PlotwiseLiveDimType of that dimension
    int labelToolSelected = 0;
    char theText[256] = {};  // text last formatted by the dimension and label tools
    AIReal slideDimTextOffset = 0.5f;
    AIArtHandle dimGroup = nullptr;              // the group last made live
    AIArtHandle lastStyleGroupTagged = nullptr;  // likewise
    // --- dimension layers ---
    AILayerHandle gridsLayer = nullptr;  // "ROVidazu Layer"; skipped by the legacy lookups
    AILayerHandle rulerLayer = nullptr;  // "DERurure Layer"; likewise
    // --- dimension lists of a regeneration ---
    Plotwise3_dimensioned_object_data* firstDimensionedObjectDataPtr = nullptr;
    Plotwise3_dimensioned_object_data* lastDimensionedObjectDataPtr = nullptr;
    Plotwise3_Live_Dimension_Data* firstLiveDimensionGroupDataPtr = nullptr;
    Plotwise3_Live_Dimension_Data* lastLiveDimensionGroupDataPtr = nullptr;
    live_dimension_text_data* firstDimTextPtr = nullptr;
};

extern PlotwiseGlobals* g;
