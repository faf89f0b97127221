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

// Every persistent setting. A new record holds every setting's start-up value: the style's
// from the style-field table (core/PlotwiseStyleFields.h), the others' from where the
// preference reader names each setting's key and type (core/PlotwisePrefs.cpp), and the
// panel placements' below (each panel's row names their keys).
struct preferences {
    preferences();

    // --- units, scales and number format ---
    int32_t NumericInputUnits{};
    int32_t NumericInputPrecision{};
    int32_t appendNumericInputUnits{};
    int32_t CADtrackerUnits{};
    int32_t CADtrackerPrecision{};
    int32_t appendCADtrackerUnits{};
    int32_t rulerUnits{};
    int32_t rulerPrecision{};
    int32_t appendRulerUnits{};
    int32_t MasterUnits{};
    int32_t MasterPrecision{};
    int32_t numberFormat{};            // 0: 1,234.5   1: 1.234,5
    int32_t useThousandsSeparator{};
    int32_t pixelsperinch{};
    int32_t unitsUpdatedForPW7{};      // unit codes already in the current numbering
    int32_t scale{};                   // scale id 0-39; 33 is 1:1
    float scaler{};
    char scaleStr[32]{};
    int32_t scaleStyle{};              // 1 document-based, 2 layer-based
    float customScaler1{}, customScaler2{}, customScaler3{}, customScaler4{}, customScaler5{},
          customScaler6{}, customScaler7{}, customScaler8{}, customScaler9{}, customScaler10{};
    char customScaleStr1[32]{}, customScaleStr2[32]{}, customScaleStr3[32]{}, customScaleStr4[32]{},
         customScaleStr5[32]{}, customScaleStr6[32]{}, customScaleStr7[32]{}, customScaleStr8[32]{},
         customScaleStr9[32]{}, customScaleStr10[32]{};
    int32_t ScaleAssistantObjectRelationship{};
    int32_t ScaleAssistantAction{};
    int32_t ScaleAssistantScaleType{};
    int32_t ScaleAssistantReferenceType{};
    // --- dimension style ---
    // The current style; style.id is the dimension-id counter (the last id given).
    Plotwise3_Live_Dimension_Data style{};
    int createLiveDimensions{};           // new dimensions carry their style and clicks
    int createDimensionLayer{};
    int forceSlashDirection{};
    int alwaysAbove{};
    int forceDimLinesOutside{};
    int displayDrawDimLayerWarning{};
    int displayArtMustBeClickedError{};
    int liveDimensionFormatMenu{};
    int updateLiveDimensions{};
    // --- counters and texts ---
    int32_t incrementalDimAlpha{};
    int32_t incrementalDimNumber{};
    int32_t incrementalLabelAlpha{};
    int32_t incrementalLabelNumber{};
    char customDimDefaultText[1024]{};
    char customLabelDefaultText[1024]{};
    char customColorName[32]{};
    char longLabelLastStr[256]{};
    char pointerLabelStaticData[256]{};
    int32_t leaderArcWidth{};   // percentages of the arc leader
    int32_t leaderArcHeight{};
    // --- tracker ---
    int32_t moveType{};
    int32_t repeatType{};
    int32_t repeatRowUp{};
    int32_t repeatColRt{};
    int displayAcres{};
    int constrainProportions{};
    int showCADtrackerInfo{};
    // --- panel placement: start-up values (the panel rows of the subsystems name the keys) ---
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
    AIRealPoint CADguidesLoc{84, 236};
    int32_t CADguidesDockCode = 0x4FF03;
    char CADguidesDockGroup[65] = "CADdocument";
    int CADguidesCollapseState = 0;
    AIRealPoint CADisometricLoc{84, 59};
    int32_t CADisometricDockCode = 0x5FF03;
    char CADisometricDockGroup[65] = "CADisometric";
    int CADisometricCollapseState = 0;
    // --- presets ---
    int32_t currentCADpreset{};
    int CADpresetsUpdateAllArt{};
    int CADpresetsUpdateSelectedArt{};
    int CADpresetsDoNotUpateArt{};
    // --- automatic dimensioning ---
    int AutoDimensionHorizontal{};
    int AutoDimensionVertical{};
    int AutoDimensionInclined{};
    int AutoDimensionRadialCrosshairs{};
    int AutoDimensionRadialRadius{};
    int AutDimensionRadialDiameter{};
    int AutoDimensionRadialNone{};
    // --- axonometric ---
    iso_view isoView{};
    iso_pad_pos isoPadPos{};
    int32_t currentAxoViewIndex{};
    float customAxoView1R{}, customAxoView2R{}, customAxoView3R{}, customAxoView4R{}, customAxoView5R{};
    float customAxoView1T{}, customAxoView2T{}, customAxoView3T{}, customAxoView4T{}, customAxoView5T{};
    char customAxoView1Str[64]{}, customAxoView2Str[64]{}, customAxoView3Str[64]{}, customAxoView4Str[64]{},
         customAxoView5Str[64]{};
    int LockAxoView{};
    int noAxoForeshortening{};
    int autoExpandAxoArt{};
    // --- grids and rulers ---
    int snapToGrid{};
    int CADgridVisible{};
    int DERurureLayerVisible{};
    int DERurureLayerExists{};
    int ShowHorizontalGridLines{};
    int ShowVerticalGridLines{};
    int ShowIsometricGridLines{};
    int annotateFullScreenCursor{};
    int objectSnapFullScreenCursor{};
    int createCADgridsLayer{};
    int32_t gridSnapTolerance{};
    int32_t gridColorRed{}, gridColorGreen{}, gridColorBlue{};
    int32_t gridColorEntry{};
    int32_t GridlineEntry{};
    float gridSpacing{};
    int32_t gridNumSubdivisions{};
    int32_t gridLineStyle{};
    char rulerFontStr[180]{};
    // --- drawing tools (the lengths at full size, as typed) ---
    float filletRadius{}, chamferDistance1{}, chamferDistance2{};
    int trimToolDeletes{};
    int okToConnectCADlinePaths{};
    int constrainLineTool{};
    float constrainLineToolAngle{};
    // --- walls (the thickness at full size, as typed) ---
    float wallThickness{};
    int showWallInfo{};
    int32_t wallDatum{};
    // --- the walls panel's placement ---
    AIRealPoint CADwallsLoc{84, 236};
    int32_t CADwallsDockCode = 0x4FF03;
    char CADwallsDockGroup[65] = "CADdocument";
    int CADwallsCollapseState = 0;
};
