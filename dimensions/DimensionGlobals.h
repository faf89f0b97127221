// The fields of the dimension model: the dimension layer, the text being laid out and the
// group last made live, the click chain of the dimension tools with the hit of the last
// click, the working lists and flags of a regeneration, and the dimension-resize tool.
#pragma once

#include "axonometric/AxonometricGlobals.h"
#include "core/DocumentRevision.h"

struct cdDataStruct;

struct DimensionGlobals : AxonometricGlobals {
    // --- the click chain of the dimension in progress or being redrawn ---
    cdDataStruct* firstChainDimDataPtr = nullptr;
    cdDataStruct* lastChainDimDataPtr = nullptr;
    int drawingAxoDimension = 0;         // the dimension in progress lies on axonometric art
    int32_t firstDimensionAxoFace = 8;   // face of its first click (8: none)
    AIArtHandle dimAxoArt = nullptr;     // axonometric art under its first click
    int perpendicularDimOptionDown = 0;  // option held: axonometric dimensions on the perpendicular plane
    int useAxoPerpendicularDims = 0;     // ctrl held: likewise
    // The last click as found (mouse down) or re-located (regeneration).
    AIArtHandle liveDimClickedArt = nullptr;
    uint32_t liveDimSegNum = 0;
    int32_t liveDimClickType = -1;
    AIReal liveDimT = 0;
    AIArtHandle updateArt = nullptr;     // the measured art of a redrawn dimension
    int updateEndAsDrawn = 0;            // its drag record keeps the drag end as drawn (endAsDrawn)
    // --- the dimension being drawn or redrawn ---
    int32_t curDimID = 0;                // its id
    int32_t curDimType = -1;             // PlotwiseLiveDimType
    int32_t axoDimType = -1;             // the direction an axonometric linear dimension was drawn in
    AIReal axoDimOffset = 0, axoDimAngle = 0, radialDimOffsetLength = 0;
    int radialDimOnFace = 0;             // the radius or diameter last drawn lies on a face: its offset is axoDimOffset
    // --- regeneration ---
    Plotwise3_dimensioned_object_data* firstDimensionedObjectDataPtr = nullptr;  // click list
    Plotwise3_dimensioned_object_data* lastDimensionedObjectDataPtr = nullptr;
    Plotwise3_Live_Dimension_Data* firstLiveDimensionGroupDataPtr = nullptr;      // style list
    Plotwise3_Live_Dimension_Data* lastLiveDimensionGroupDataPtr = nullptr;
    int dimWasSelected = 0;
    int updatingPalettes = 0;            // the panels follow the selection: texts are taken as they stand
    // What the last regeneration did to the visible dimensions it was asked for: redrawn,
    // or kept as they were (static, unreadable, of a kind without a routine, with clicks
    // that are gone or cannot be found, or a routine that failed); of those redrawn, how
    // many drew what they drew before and so stayed the very art they were.
    int32_t dimensionsRedrawn = 0, dimensionsKept = 0, dimensionsRedrawnAlike = 0;
    char theText[256] = {};                  // text last formatted by the dimension and label tools
    AIReal slideDimTextOffset = 0.5f;
    AIArtHandle dimGroup = nullptr;              // the group last made live
    // The document when the gesture's click was recorded: it changes from then on only by
    // the dimension drawn and its click records, which add no layer and no other id.
    DocumentStamp dimensionGestureStart;
    // Worked out from the documents last in front: the highest dimension id, and the
    // dimension layer (null when there is none).
    KeptForDocuments<int32_t> highestDimensionIds;
    KeptForDocuments<AILayerHandle> dimensionLayers;
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
    // --- the dimension-resize tool ---
    int resizingDimension = 0;               // a dimension is being resized
    int preProcessedDimResizeTool = 0;       // the gesture's first drag has run the press routine
    int setNewModifiers = 0;                 // the resized dimension takes the keys held while dragging
    int32_t dimResizeID = 0;                 // the dimension being resized
    AIRealPoint dimResizeBasePt{};           // its click 1 (radius and diameter: the centre of the art)
    AIArtHandle dimResizeArt = nullptr;      // the art holding the click whose offset changes
    Plotwise3_dimensioned_object_data dimResizeData{};  // that click as it was read
    AIReal dimResizeEndPointOffsetLength = 0, dimResizeEndPointOffsetAngle = 0;
    AIArtHandle dimResizeGroup = nullptr;    // the grabbed group, hidden while its preview is dragged
    AIArtHandle dimResizePreview = nullptr;  // the group the last drag drew
};
