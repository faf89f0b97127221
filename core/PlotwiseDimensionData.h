// The records that make a dimension live: its style (carried by the dimension's group), one
// click on the art it measures, and the record of one of its texts; with the kinds of
// dimension and click, and the plug-in's own error codes for dimension data.
#pragma once

#include <cstdint>

#include "AITypes.h"
#include "geometry/PlotwiseErrors.h"


// Kind of a dimension; selects the routine that redraws it.
enum PlotwiseLiveDimType : int32_t {
    kDummyDimType = -1,
    kHorizontal = 0,
    kHorizontalDatum = 1,
    kVertical = 2,
    kVerticalDatum = 3,
    kIncline = 4,
    kInclineDatum = 5,
    kRadius = 6,
    kDiameter = 7,
    kAngle = 8,
    kArcLen = 9,
    kBezCurve = 10,
    kCharLabel = 11,
    kWordLabel = 12,
    kMutiLeaderLabel = 13,
    kDatumTarget = 14,
    kDatumFeature = 15,
    kDatumFlag = 16,
    kSection = 17,
    kRevisionBubbleDrag = 18,
    kRevisionBubbleObject = 19,
    kCenterLine = 20,
    kCircleCenter = 21,
    kIsoCenterLine = 22,
    kIsoCircleCenter = 23,
    kTangent = 24,
    kCallouts = 25,
    kBBoxCropMark = 26,
    kCenterCropMark = 27,
    kFilletRadius = 28,
};

// How a stored click is found again on its art.
enum PlotwiseLiveDimClickType : int32_t {
    kDummyLiveDimClickType = -1,
    kLiveDimClickedSegmentPoint = 0,
    kLiveDimClickedPath = 1,
    kLiveDimClickedSpace = 2,
    kLiveDimClickedText = 3,
    kLiveDimClickedFill = 4,
};

// Which dimension groups an operation touches.
enum PlotwiseProcessArtType : int32_t {
    kProcessDummyArt = -1,
    kProcessAllArt = 0,
    kProcessSelectedArt = 1,
};

struct live_dimension_text_data;

// The style of one live dimension; also the current style (prefs.style) and a node of the
// style list of a regeneration. Plain fixed-size record, copied by assignment.
struct Plotwise3_Live_Dimension_Data {
    Plotwise3_Live_Dimension_Data* next;
    int32_t id;
    int32_t modifiers;
    int32_t live;
    int32_t dimensionColorType;
    int32_t dimensionColorEntry;
    int32_t dimensionColorComponent1;
    int32_t dimensionColorComponent2;
    int32_t dimensionColorComponent3;
    int32_t dimensionColorComponent4;
    int32_t dimensionCustomColorType;
    AIReal dimensionCustomColorTint;
    char dimensionCustomColorName[256];
    int32_t arrowheadStyle;
    AIReal arrowheadLength;
    AIReal arrowheadWeight;
    AIReal arrowheadAngle;
    AIReal autoDimensionOffset;
    AIReal dimensionWeight;
    AIReal dimensionExtension;
    AIReal witnessGap;
    AIReal witnessWeight;
    AIReal witnessExtension;
    int32_t chainDatum;
    int32_t JISDatumTerminator;
    int32_t makeSectionLineDoubleThick;
    int32_t primeSection;
    char dimensionTextFaceStr[256];
    AIReal dimensionTextSize;
    int32_t hTextPlacement;
    int32_t vTextPlacement;
    int32_t aTextPlacement;
    AIReal textDistanceAboveLine;
    int32_t useUniversalTextAngle;
    int32_t moveLargeDimensionText;
    int32_t appendDiamLabels;
    int32_t diameterLabelsBefore;
    int32_t diameterLeaderSpansCircle;
    int32_t dualDimensions;
    int32_t upperUnits;
    int32_t appendUpperUnitLabels;
    int32_t upperDecimalPrecision;
    int32_t upperFractionalPrecision;
    int32_t upperTolerance;
    char upperToleranceValue[256];
    int32_t upperToleranceUnits;
    int32_t upperToleranceSuperscript;
    int32_t lowerUnits;
    int32_t appendLowerUnitLabels;
    int32_t lowerDecimalPrecision;
    int32_t lowerFractionalPrecision;
    int32_t lowerTolerance;
    char lowerToleranceValue[256];
    int32_t lowerToleranceUnits;
    int32_t lowerToleranceSuperscript;
    int32_t labelLeader;
    int32_t labelShape;
    int32_t pointerLabelType;
    int32_t labelBorder;
    char dimensionLabelStr[256];
    live_dimension_text_data* dimTextDataListPtr;
    int32_t dimTextPrecedenceFlag;
    int32_t dimensionFormat;
    int32_t labelFormat;
    int32_t slideDimText;
    AIReal slideDimTextOffset;
    int32_t textSpacing;
    AIReal labelLeaderLength;
    AIReal diameterLeaderLength;
    char layerStr[512];
    int32_t alphaLabelMenuOption;
    int32_t numericLabelMenuOption;
    int32_t customLabelMenuOption;
    int32_t NumericLabelsUseLeadingZeros;
    int32_t NumericLabelsNumberOfLeadingZeros;
    int32_t geoLabelX;
    int32_t geoLabelY;
    int32_t geoLabelW;
    int32_t geoLabelH;
    int32_t geoLabelP;
    int32_t geoLabelA;
    int32_t stretchLabelShape;
    int32_t terminatorDirection;
    int32_t upperRefDimension;
    int32_t lowerRefDimension;
};

// One click of one live dimension, stored on the art it measured.
struct Plotwise3_dimensioned_object_data {
    Plotwise3_dimensioned_object_data* prev;
    Plotwise3_dimensioned_object_data* next;
    int32_t used;
    int32_t id;
    int32_t clickNum;  // 1 for the first click; -1 for the drag
    int32_t segNumBefore;
    int32_t segNumAfter;
    int32_t dimType;    // PlotwiseLiveDimType
    int32_t clickType;  // PlotwiseLiveDimClickType
    AIReal t;
    AIReal x;
    AIReal y;
    AIReal endPointOffsetLength;
    AIReal endPointOffsetAngle;
    AIArtHandle art;  // the art the record was read from
    // A drag record's offset reaches the drag end as it was snapped and drawn, so a redraw
    // takes it as it is (older records reach the cursor, and are snapped again).
    int32_t endAsDrawn;
    // The click lies on axonometric art, but its tool took no face with it (a flat tool
    // measures the art as it lies): a redraw takes none either. Older records lack the mark,
    // and a click of theirs on axonometric art takes its face.
    int32_t faceNotRead;
    // Never stored: the record could not be read, so its dimension is kept as it was drawn.
    int32_t unreadable;
};

// The record of one text of a dimension or label, stored on the text art.
struct live_dimension_text_data {
    live_dimension_text_data* next;
    int32_t id;
    int32_t alpha;    // -1 while none is assigned
    int32_t numeric;  // -1 while none is assigned
    char customStr[1024];
    char calloutStr[1024];
    char dimStr[1024];
    int32_t dimensionFormat;
};
