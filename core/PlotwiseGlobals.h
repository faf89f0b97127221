// The one global state record of the plug-in, reached through `g`, and the preferences
// record it embeds. Each subsystem adds the fields it reads and writes, under its heading,
// with the names and types the rest of the plug-in expects.
#pragma once

#include <cstdint>

#include "AITypes.h"
#include "PlotwiseDimensionData.h"

struct preferences {
    // --- units, scales and number format ---
    int32_t NumericInputUnits = 8;
    int32_t NumericInputPrecision = 3;
    int32_t appendNumericInputUnits = 1;
    int32_t CADtrackerUnits = 8;
    int32_t CADtrackerPrecision = 3;
    int32_t appendCADtrackerUnits = 1;
    int32_t rulerUnits = 8;
    int32_t rulerPrecision = 3;
    int32_t appendRulerUnits = 1;
    int32_t MasterUnits = 8;
    int32_t MasterPrecision = 3;
    int32_t numberFormat = 0;            // 0: 1,234.5   1: 1.234,5
    int32_t useThousandsSeparator = 0;
    int32_t pixelsperinch = 72;
    int32_t scale = 33;                  // scale id 0-39; 33 is 1:1
    float scaler = 1.0f;
    char scaleStr[32] = "1:1";
    float customScaler1 = 0.0f, customScaler2 = 0.0f, customScaler3 = 0.0f, customScaler4 = 0.0f,
          customScaler5 = 0.0f, customScaler6 = 0.0f, customScaler7 = 0.0f, customScaler8 = 0.0f,
          customScaler9 = 0.0f, customScaler10 = 0.0f;
    char customScaleStr1[32] = "", customScaleStr2[32] = "", customScaleStr3[32] = "",
         customScaleStr4[32] = "", customScaleStr5[32] = "", customScaleStr6[32] = "",
         customScaleStr7[32] = "", customScaleStr8[32] = "", customScaleStr9[32] = "",
         customScaleStr10[32] = "";
    // --- dimension style ---
    Plotwise3_Live_Dimension_Data style{};  // the current style; style.id is the dimension-id counter
    int createLiveDimensions = 1;           // new dimensions carry their style and clicks
};

struct PlotwiseGlobals {
    // --- host and life cycle ---
    SPPluginRef thisPlugin = nullptr;
    preferences prefs{};
    // --- units, scales and number format ---
    int32_t rulerScale = 33;
    float rulerScaler = 1.0f;
    // The label flag the formatter uses during one call; 0 only while a caller wants a
    // bare number.
    int32_t appendUnitLabelsSpecialKludge = 1;
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
