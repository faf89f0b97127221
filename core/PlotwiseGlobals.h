// The one global state record of the plug-in, reached through `g`, and the preferences
// record it embeds. Each subsystem adds the fields it reads and writes, under its heading,
// with the names and types the rest of the plug-in expects.
#pragma once

#include <cstdint>

#include "AITypes.h"

// The fields of the dimension style that the formatter, the modifier keys and the colour
// swatch read. The dimension subsystem owns the whole record; these names and types are
// the ones it uses.
struct Plotwise3_Live_Dimension_Data {
    int32_t modifiers = 0;               // 1 shift, 2 option, 4 and 8 command
    int32_t appendUpperUnitLabels = 1;
    int32_t appendLowerUnitLabels = 1;
    int32_t dimensionColorType = 0;      // host colour kind 0-6
    int32_t dimensionColorComponent1 = 0;  // 16.16 fixed point minus one; 0 stays 0
    int32_t dimensionColorComponent2 = 0;
    int32_t dimensionColorComponent3 = 0;
    int32_t dimensionColorComponent4 = 0;
    int32_t dimensionCustomColorType = 0;  // 0 process, 1 RGB, 2 Lab
    float autoDimensionOffset = 0.0f;      // points; the step offsets snap to
};

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
    Plotwise3_Live_Dimension_Data style{};
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
};

extern PlotwiseGlobals* g;
