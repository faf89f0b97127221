// Every persistent setting of the plug-in: the record `preferences`, embedded in the global
// record as `prefs`, with the axonometric view records it holds.
#pragma once

#include <cstdint>

#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"
#include "geometry/AxonometricMath.h"  // iso_view

// The isometric panel's view-pad state.
struct iso_pad_pos {
    AIReal tempR = 0, tempT = 0;  // working rotation and tilt, degrees
    AIRealPoint startPos{}, curPos{}, apexPos{};
    int32_t showOptions = 0;
};

// Every persistent setting. The values here are only a record's zero state; the defaults
// the plug-in starts from are set by ReadPrefs (SetDefaultPrefs) before the store is read.
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
    int32_t unitsUpdatedForPW7 = 1;      // unit codes already in the current numbering
    int32_t scale = 33;                  // scale id 0-39; 33 is 1:1
    float scaler = 1.0f;
    char scaleStr[32] = "1:1";
    int32_t scaleStyle = 1;              // 1 document-based, 2 layer-based
    float customScaler1 = 0.0f, customScaler2 = 0.0f, customScaler3 = 0.0f, customScaler4 = 0.0f,
          customScaler5 = 0.0f, customScaler6 = 0.0f, customScaler7 = 0.0f, customScaler8 = 0.0f,
          customScaler9 = 0.0f, customScaler10 = 0.0f;
    char customScaleStr1[32] = "", customScaleStr2[32] = "", customScaleStr3[32] = "",
         customScaleStr4[32] = "", customScaleStr5[32] = "", customScaleStr6[32] = "",
         customScaleStr7[32] = "", customScaleStr8[32] = "", customScaleStr9[32] = "",
         customScaleStr10[32] = "";
    int32_t ScaleAssistantObjectRelationship = 1;
    int32_t ScaleAssistantAction = 1;
    int32_t ScaleAssistantScaleType = 0;
    int32_t ScaleAssistantReferenceType = 0;
    // --- dimension style ---
    // The current style; style.id is the dimension-id counter (the last id given).
    Plotwise3_Live_Dimension_Data style = DefaultDimensionStyle();
    int createLiveDimensions = 1;           // new dimensions carry their style and clicks
    int createDimensionLayer = 1;
    int forceSlashDirection = 0;
    int alwaysAbove = 1;
    int forceDimLinesOutside = 0;
    int displayDrawDimLayerWarning = 1;
    int displayArtMustBeClickedError = 1;
    int liveDimensionFormatMenu = 0;
    int updateLiveDimensions = 0;
    // --- counters and texts ---
    int32_t incrementalDimAlpha = 0;
    int32_t incrementalDimNumber = 1;
    int32_t incrementalLabelAlpha = 0;
    int32_t incrementalLabelNumber = 1;
    char customDimDefaultText[1024] = "Custom";
    char customLabelDefaultText[1024] = "Custom";
    char customColorName[32] = "";
    char longLabelLastStr[256] = "";
    char pointerLabelStaticData[256] = "";
    int32_t leaderArcWidth = 50;   // percentages of the arc leader
    int32_t leaderArcHeight = 50;
    // --- tracker ---
    int32_t moveType = 4;
    int32_t repeatType = 0;
    int32_t repeatRowUp = 1;
    int32_t repeatColRt = 1;
    int displayAcres = 0;
    int constrainProportions = 0;
    int showCADtrackerInfo = 1;
    // --- panel placement ---
    AIRealPoint trackerLoc{84, 59};
    int32_t trackerDockCode = 0x4FF03;
    char trackerDockGroup[65] = "CADisometric";
    int CADtrackerCollapseState = 0;
    int showCADtrackerOptions = 1;
    AIRealPoint CADdocumentLoc{84, 236};
    int32_t CADdocumentDockCode = 0x5FF03;
    char CADdocumentDockGroup[65] = "CADdocument";
    int CADdocumentCollapseState = 0;
    int showCADdocumentOptions = 1;
    int32_t CADdocumentHeight = 324;
    AIRealPoint CADattributesLoc{293, 59};
    int32_t CADattributesDockCode = 0x4FF03;
    char CADattributesDockGroup[65] = "CADtext";
    int CADattributesCollapseState = 0;
    int showCADattributesOptions = 1;
    AIRealPoint CADlabelsLoc{293, 59};
    int32_t CADlabelsDockCode = 0x4FF03;
    char CADlabelsDockGroup[65] = "CADtext";
    int CADlabelsCollapseState = 0;
    AIRealPoint CADtextLoc{293, 59};
    int32_t CADtextDockCode = 0x5FF03;
    char CADtextDockGroup[65] = "CADtext";
    int CADtextCollapseState = 0;
    int showCADtextOptions = 1;
    AIRealPoint CADshortcutsLoc{84, 236};
    int32_t CADshortcutsDockCode = 0x4FF03;
    char CADshortcutsDockGroup[65] = "CADdocument";
    int CADshortcutsCollapseState = 0;
    int showCADshortcutsOptions = 1;
    // --- presets ---
    int32_t currentCADpreset = 0;
    int CADpresetsUpdateAllArt = 1;
    int CADpresetsUpdateSelectedArt = 0;
    int CADpresetsDoNotUpateArt = 0;
    // --- automatic dimensioning ---
    int AutoDimensionHorizontal = 1;
    int AutoDimensionVertical = 1;
    int AutoDimensionInclined = 0;
    int AutoDimensionRadialCrosshairs = 1;
    int AutoDimensionRadialRadius = 0;
    int AutDimensionRadialDiameter = 1;
    int AutoDimensionRadialNone = 0;
    // --- axonometric ---
    iso_view isoView{};
    iso_pad_pos isoPadPos{};
    int32_t currentAxoViewIndex = 6;
    float customAxoView1R = 0, customAxoView2R = 0, customAxoView3R = 0, customAxoView4R = 0,
          customAxoView5R = 0;
    float customAxoView1T = 0, customAxoView2T = 0, customAxoView3T = 0, customAxoView4T = 0,
          customAxoView5T = 0;
    char customAxoView1Str[64] = "", customAxoView2Str[64] = "", customAxoView3Str[64] = "",
         customAxoView4Str[64] = "", customAxoView5Str[64] = "";
    int LockAxoView = 1;
    int noAxoForeshortening = 1;
    int autoExpandAxoArt = 0;
    // --- grids and rulers ---
    int snapToGrid = 1;
    int CADgridVisible = 0;
    int DERurureLayerVisible = 0;
    int DERurureLayerExists = 0;
    int ShowHorizontalGridLines = 1;
    int ShowVerticalGridLines = 1;
    int ShowIsometricGridLines = 0;
    int annotateFullScreenCursor = 1;
    int objectSnapFullScreenCursor = 1;
    int createCADgridsLayer = 0;
    int32_t gridSnapTolerance = 4;
    int32_t gridColorRed = 20316, gridColorGreen = 32767, gridColorBlue = 65535;
    int32_t gridColorEntry = 10;
    int32_t GridlineEntry = 1;
    float gridSpacing = 141.73228f;
    int32_t gridNumSubdivisions = 5;
    int32_t gridLineStyle = 0;
    char rulerFontStr[180] = "";
    // --- drawing tools ---
    float filletRadius = 72, chamferDistance1 = 72, chamferDistance2 = 72;
    int trimToolDeletes = 1;
    int okToConnectCADlinePaths = 1;
    int constrainLineTool = 0;
    float constrainLineToolAngle = 0;
    // --- walls ---
    float wallThickness = 432;
    int showWallInfo = 1;
    int32_t wallDatum = 1;
};
