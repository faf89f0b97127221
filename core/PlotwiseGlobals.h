// The one global state record of the plug-in, reached through `g`, and the preferences
// record it embeds. Each subsystem adds the fields it reads and writes, under its heading,
// with the names and types the rest of the plug-in expects.
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"
#include "PlotwiseDimensionData.h"

struct cdDataStruct;
struct PlotwiseTrimData;

// The current axonometric view: receding-axis angles (radians), axis scale factors, and the
// rotation and tilt (degrees) they are derived from.
struct iso_view {
    AIReal a = 0, b = 0, c = 0;
    AIReal af = 0, bf = 0, cf = 0;
    AIReal r = 0, t = 0;
};

// The isometric panel's view-pad state.
struct iso_pad_pos {
    AIReal tempR = 0, tempT = 0;  // working rotation and tilt, degrees
    AIRealPoint startPos{}, curPos{}, apexPos{};
    int32_t showOptions = 0;
};

// What a callout reports about the art it points at; each flag is 0 or 1.
struct Callout_Data {
    int32_t text_font, text_style, text_size, text_leading, text_kerning, text_tracking,
        text_vertscale, text_horzscale, text_baselineshift, para_alignment, para_leftindent,
        para_rightindent, para_firstlineindent, para_spacebefore, para_wordspacing,
        para_letterspacing, stroke_weight, stroke_cap, stroke_join, stroke_miterlimit,
        stroke_dashsetting, stroke_color, fill_color, attr_overprintfill, attr_overprintstroke,
        attr_url, attr_imagemap, style_name, brush_name, gradient_type, gradient_angle,
        gradient_colors, transp_mode, transp_opacity, options_datestamp, options_timestamp,
        options_userinput;
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

struct SPBasicSuite;

// The one global state record. Start-up values are set by InitializePlotwiseGlobals; what
// is not named there starts at 0 or null.
struct PlotwiseGlobals {
    // --- host and life cycle ---
    SPPluginRef thisPlugin = nullptr;
    SPBasicSuite* basic = nullptr;
    int32_t appVersion = 0;            // host major version
    int unsupportedHostVersion = 0;    // start-up stopped at the version check
    preferences prefs{};
    // --- current tool and tool handles ---
    AIToolHandle curTool = nullptr;
    int dimensionToolSelected = 0;
    AIToolHandle htool = nullptr, vtool = nullptr, ultool = nullptr, autohtool = nullptr,
                 autovtool = nullptr, autoultool = nullptr, datumhtool = nullptr, datumvtool = nullptr,
                 datumultool = nullptr, hisotool = nullptr, visotool = nullptr, autohisotool = nullptr,
                 autovisotool = nullptr, datumhisotool = nullptr, datumvisotool = nullptr,
                 sectiontool = nullptr, centerlinetool = nullptr, isocenterlinetool = nullptr,
                 autoangtool = nullptr, arclentool = nullptr, pttool = nullptr, ptlongtool = nullptr,
                 datumflagtool = nullptr, datumfeaturetool = nullptr, datumtargettool = nullptr,
                 bubbletool = nullptr, radtool = nullptr, isoradtool = nullptr, diamtool = nullptr,
                 isodiamtool = nullptr, curvetool = nullptr, tantool = nullptr, cctool = nullptr,
                 isocctool = nullptr, FilletDimTool = nullptr, measuredistancetool = nullptr,
                 dimresizetool = nullptr, calloutstool = nullptr;
    AIToolHandle cadlinetool = nullptr, cadrecttool = nullptr, cadrectcentertool = nullptr,
                 cadcircletool = nullptr, cadcirclecentertool = nullptr, threePointCircleTool = nullptr,
                 cadarctool = nullptr, cadarcbypointstool = nullptr, cadfillettool = nullptr,
                 cadchamfertool = nullptr, cadextendtool = nullptr, cadtrimtool = nullptr,
                 subdividetool = nullptr, TanPerpLineTool = nullptr, OffsetTool = nullptr,
                 proportiontool = nullptr;
    AIToolHandle depthRectTool = nullptr, depthRectCenterTool = nullptr, depthEllipseTool = nullptr,
                 depthEllipseCenterTool = nullptr, depthCubeTool = nullptr, depthCylinderTool = nullptr,
                 depthGridTool = nullptr;
    AIToolHandle AddWallTool = nullptr, RemoveWallTool = nullptr, MoveWallTool = nullptr,
                 setScaleTool = nullptr;
    AIToolHandle doorInsertionTool = nullptr, windowInsertionTool = nullptr, tableTool = nullptr,
                 titleBlockTool = nullptr;
    // --- click and gesture state ---
    AIRealPoint firstClick{}, secondClick{}, thirdClick{};
    AIRealPoint startingPoint{}, endPoint{};
    AIRealPoint basePoint1{}, basePoint2{};
    AIRealPoint primitiveTrackLoc{};
    int didFirstClick = 0, didSecondClick = 0, didThirdClick = 0;
    int32_t clickNum = 0;
    int toolWasDragged = 0, toolWasTracked = 0, dragging = 0, draggingTrim = 0, autoToolInProgress = 0;
    int curvetoolNeedsToDrawText = 0, dragTipDisplayed = 0;
    int initializedAutoTools = 0;
    int ignoreShift = 0;
    int useNumericInputValues = 0;
    int cancelledInputDialog = 0;
    // --- art, layers and groups ---
    AILayerHandle saveLayer = nullptr;
    AILayerHandle dimensionLayer = nullptr;
    AIArtHandle firstArt = nullptr;
    int16_t firstArtType = 0;
    AIArtHandle group = nullptr;
    AIArtHandle art = nullptr, firstClickArt = nullptr;
    AIArtHandle liveDimClickedArt = nullptr;
    uint32_t liveDimSegNum = 0;
    int32_t liveDimClickType = 0;
    AIReal liveDimT = 0;
    AIArtHandle updateArt = nullptr;
    AIArtHandle dimAxoArt = nullptr;
    AILayerHandle selectionRestoreLayer = nullptr;  // layer remembered for theTimer
    // --- dimension drawing state (more) ---
    int32_t axoDimType = 0;
    AIReal axoDimOffset = 0, axoDimAngle = 0, radialDimOffsetLength = 0;
    int drawingAxoDimension = 0;
    int32_t firstDimensionAxoFace = 8;
    int perpendicularDimOptionDown = 0, useAxoPerpendicularDims = 0, drawingCADradius = 0;
    int32_t UsingMagicDims = 0;
    AIPathStyle dimensionLineStyle{}, witnessLineStyle{}, arrowheadStyle{};
    char theText2[256] = {};
    AIReal strWidth = 0;
    AIRealPoint textLoc{}, textLoc2{};
    AIReal textAngle = 0;
    int32_t textAlignment = 0;
    int doSecondText = 0;
    AIReal textSize = 0, textLeading = 0, charWidth = 0;
    char slashZeroSymbol[256] = {}, degreeSymbol[256] = {}, plusMinusSymbol[256] = {};
    AITimerHandle selectTextTimer = nullptr;
    AIArtHandle dimTextArt = nullptr;
    int dimWasSelected = 0;
    char calloutText[1024] = {};
    Callout_Data curCalloutSettings{};
    // --- lists ---
    cdDataStruct* firstChainDimDataPtr = nullptr;
    cdDataStruct* lastChainDimDataPtr = nullptr;
    PlotwiseTrimData* firstTrimDataPtr = nullptr;
    // --- regeneration and resize ---
    int updatingDimensions = 0;
    int updatingPalettes = 0;
    int resizingDimension = 0, setNewModifiers = 0, preProcessedDimResizeTool = 0;
    Plotwise3_dimensioned_object_data dimResizeData{};
    AIRealPoint dimResizeBasePt{};
    AIArtHandle dimResizeArt = nullptr;
    AIReal dimResizeEndPointOffsetLength = 0, dimResizeEndPointOffsetAngle = 0;
    int32_t dimResizeID = 0;
    // --- measuring, tracker and annotator ---
    AIReal MeasuredLinearDistance = 0;
    AIReal geometryX = 0, geometryY = 0, geometryW = 0, geometryH = 0, geometryL = 0, geometryP = 0,
           geometryA = 0;
    AIReal annotatorX = 0, annotatorY = 0, annotatorW = 0, annotatorH = 0, annotatorL = 0,
           annotatorAngle = 0, annotatorP = 0, annotatorA = 0;
    AIReal selectionWidth = 1, selectionHeight = 1, selectionArea = 0;
    char transformXfldStr[512] = {}, transformYfldStr[512] = {}, transformWidthStr[512] = {},
         transformHeightStr[512] = {};
    AIRealPoint CADtrackerMovePt{};
    AIReal hRepeats = 0, vRepeats = 0, hInc = 0, vInc = 0;
    int32_t trackerModifiers = 0;
    int trackerTransformComplete = 0, transformCopy = 0, moveCopy = 0, repeatCopy = 0;
    int16_t okToTrackCursorFlag = 0;
    AIRealRect hRulerRect{}, vRulerRect{};
    int canAnnotateIntersection = 0;
    AIRealPoint annotatorIntersection{};
    int32_t annotationFace = 0;
    int showOffsetAnnotator = 0;
    AIRealPoint offsetPoint{};
    int offsetTooFar = 0;
    // --- numeric-input values (never saved) ---
    AIReal inputRectWidth = 0, inputRectHeight = 0;
    int32_t inputRectFace = 0;
    AIReal inputEllipseWidth = 0, inputEllipseHeight = 0;
    int32_t inputEllipseFace = 0;
    AIReal inputLineLength = 0, inputLineAngle = 0, inputLineRise = 0, inputLineRun = 0;
    AIReal inputCubeWidth = 0, inputCubeHeight = 0, inputCubeDepth = 0;
    AIReal inputCylinderWidth = 0, inputCylinderHeight = 0, inputCylinderLength = 0;
    int32_t inputCylinderFace = 0;
    AIReal inputWallLength = 0, inputWallAngle = 0;
    AIReal inputArcByPointsRadius = 0, inputArcByRadiusRadius = 0, inputArcByRadiusStartAngle = 0,
           inputArcByRadiusEndAngle = 0;
    AIReal inputTanPerpLineLength = 0;
    int32_t inputTanPerpLineDirection = 0, inputTanPerpLineDrawWhich = 0;
    AIReal inputOffsetDistance = 0;
    int32_t inputOffsetDirection = 0;
    // --- drawing-tool settings ---
    int constrainLineToCurrentAngle = 0;
    AIReal constrainedLineAngle = 0;
    AIArtHandle trimArt = nullptr;
    int32_t trimSegNum = 0;
    AIRealRect trimRect{};
    int trimSegCurved = 0;
    AIReal intersectionTvalues[32] = {};
    int32_t intersectionSegNums[32] = {};
    int32_t pathDividerMethod = 0, pathDividerEqualNumDivs = 0;
    AIReal pathDividerMeasuredDivsLength = 0;
    int32_t pathDividerCurveDirection = 0, pathDividerAction = 0, pathDividerAddCrosshairs = 0;
    AIReal proportionWidth = 0, proportionHeight = 0;
    int constrainProportion = 0;
    AIReal wProportion = 0, hProportion = 0;
    // --- axonometric state ---
    int32_t depthObjNum = 1;
    AIArtHandle axoGroup = nullptr;
    int drawingPrimitive = 0, firstMouseNotYetUp = 1;
    int32_t primitiveFirstFace = 0, face = 0;
    AIReal primitiveFirstFaceSize = 0;
    AIReal primitiveFirstFaceLeft = 0, primitiveFirstFaceRight = 0, primitiveFirstFaceBottom = 0,
           primitiveFirstFaceTop = 0;
    AIReal primitiveFirstFaceFlatLeft = 0, primitiveFirstFaceFlatRight = 0,
           primitiveFirstFaceFlatBottom = 0, primitiveFirstFaceFlatTop = 0;
    AIReal primitiveSecondFaceFlatLeft = 0, primitiveSecondFaceFlatRight = 0,
           primitiveSecondFaceFlatBottom = 0, primitiveSecondFaceFlatTop = 0;
    AIArtHandle depthArt = nullptr, depthArt2 = nullptr, depthArt3 = nullptr, primitiveGroup = nullptr;
    AIArtHandle gridGroup = nullptr;
    AIReal gridSnapInc = 0;
    AIPathStyle gridObjStyle{};
    int usingDepthGridTool = 0;
    int32_t axoUpdateSelectWhat = 0;
    int axoUpdateFlattenOnly = 0, axoUpdateAxoDims = 0;
    int hiliteFaces = 0;
    int32_t faceToHilite = 0;
    // --- scales and rulers ---
    AIReal setScaleClickedDistance = 0;
    int dontForgetToDrawTheRulers = 0;
    // --- panels, menus, timers, notifiers, annotator ---
    ADMDialogRef CADtrackerWindow = nullptr, CADdocumentWindow = nullptr, CADattributesWindow = nullptr,
                 CADlabelsWindow = nullptr, CADtextWindow = nullptr, CADshortcutsWindow = nullptr,
                 CADguidesWindow = nullptr, CADisometricWindow = nullptr, CADwallsWindow = nullptr;
    ADMRGBColor dimensionRGBColor{};
    char CADpresetsOldName[64] = {}, CADpresetsNewName[64] = {};
    AIMenuItemHandle AutoDimensionDocumentMenuItem = nullptr, AutoDimensionSelectionMenuItem = nullptr,
                     UpdateDimensionsMenuItem = nullptr;
    AIMenuItemHandle showCADtrackerMenuItem = nullptr, showCADdocumentMenuItem = nullptr,
                     showCADattributesMenuItem = nullptr, showCADlabelsMenuItem = nullptr,
                     showCADtextMenuItem = nullptr, showCADshortcutsMenuItem = nullptr,
                     showCADguidesMenuItem = nullptr, showCADisometricMenuItem = nullptr,
                     showCADwallsMenuItem = nullptr;
    AITimerHandle theTimer = nullptr, theLabelOptionsTimer = nullptr, primitiveDragTimer = nullptr,
                  primitiveMouseupTimer = nullptr;
    AINotifierHandle appStartedNotifier = nullptr, appShutdownNotifier = nullptr,
                     documentOpenedNotifier = nullptr, documentChangedNotifier = nullptr,
                     documentViewChangedNotifier = nullptr, afterUndoNotifier = nullptr,
                     beforeNewNotifier = nullptr, afterNewNotifier = nullptr, beforeOpenNotifier = nullptr,
                     afterOpenNotifier = nullptr, beforeSaveNotifier = nullptr, afterSaveNotifier = nullptr,
                     beforeCloseNotifier = nullptr, afterCloseNotifier = nullptr,
                     afterPasteMenuCommandChangedNotifier = nullptr, layerOptionsNotifier = nullptr,
                     layerSetNotifier = nullptr, currentLayerNotifier = nullptr,
                     artSelectionChangedNotifier = nullptr, scaleChangedNotifier = nullptr;
    AIAnnotatorHandle annotator = nullptr;
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

// Sets the start-up values of a freshly allocated record (everything not named is 0 or null).
void InitializePlotwiseGlobals(PlotwiseGlobals& globals);
