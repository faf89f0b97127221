// The click chain of the dimension and label tools: one node per recorded click, from
// firstChainDimDataPtr to lastChainDimDataPtr, holding the click as snapped, where it hit
// the art (so the mouse-up can store it as a click record), its axonometric records and the
// text record of the dimension drawn from it. Filled by the mouse-down (doStoreHitLoc) or
// by the redraw of a stored dimension (insertChainDimNode); emptied by doFreeHitLocs.
#pragma once

#include <cstdint>

#include "AITypes.h"
#include "axonometric/AxonometricData.h"
#include "core/PlotwiseDimensionData.h"

// One node of the chain, a host memory block owned by the chain.
struct cdDataStruct {
    AIRealPoint theLoc{};                   // the click in document coordinates, after snapping
    int32_t clickNum = 0;                   // the stored click number (redraw only; orders the chain)
    AIRealPoint flatLoc{};                  // the click in the flat plane of its axonometric face
    depth_object_data theDepthData{};       // the clicked art's axonometric record (face 8: none)
    depth_object_data perpendicularHData{};  // the face beside it that horizontal dimensions use
    depth_object_data perpendicularVData{};  // ... and vertical dimensions
    live_dimension_text_data textData{};    // the text record of the dimension drawn from this click
    cdDataStruct* prevPtr = nullptr;
    cdDataStruct* nextPtr = nullptr;
    // Where the click lies on the art it hit, as a click record stores it: the art (null
    // for a click in empty space, or on another dimension's art), the click type
    // (PlotwiseLiveDimClickType), the segments and parameter on a path, and the point
    // itself (a fill click: its fractions of the art's bounds).
    AIArtHandle art = nullptr;
    int32_t clickType = kLiveDimClickedSpace;
    int32_t segNumBefore = 0, segNumAfter = 0;
    AIReal t = 0, x = 0, y = 0;
    // The art the chain up to this node leads with (of the art its clicks lie on, the first in
    // the host's order), worked out at the node's press, so that the next press compares its
    // own art with it alone, however long the chain.
    AIArtHandle leadArt = nullptr;
    bool leadKnown = false;
};

// The mouse-down's recorder: hit-tests the click (firstClick, or secondClick from the
// second click on) as a press (HitPressedArt: art of a locked layer refused, the layer
// named), snaps it to an anchor within 2 points or to the grid, reads the
// axonometric records an axonometric tool needs (refusing art that has none, message
// 17054, and clicks off the first click's face, 17056), presets the node's text record
// from the style's text format (text: a label's fixed text, or null) and appends the node.
// theText takes the node's text. A refusal adds no node and answers 'CADE'.
AIErr doStoreHitLoc(const char* text);
// Where a node's click lies, as its click record says it: the art, click type, segments,
// parameter and point (in empty space, or on another dimension's art, the node's point).
Plotwise3_dimensioned_object_data ClickOfNode(const cdDataStruct& node);
// Where a stored click lies on its art as the art is now: an anchor, a point of a segment,
// a place in the art's bounds (a fill), or the stored point. The recorder takes a click on
// a curve there too, so what a tool draws from it is what the redraw finds.
AIErr RelocateDimensionClick(const Plotwise3_dimensioned_object_data& click, AIRealPoint* p);
// Whether a stored click takes its art's face, as its tool took it when it drew: a click on
// axonometric art, unless its record says the tool took none.
bool ClickTakesFace(const Plotwise3_dimensioned_object_data& click);
// The redraw's recorder: a node at point for the stored click, with its art's axonometric
// records when the click takes its face, inserted after every node with a click number not
// above its own.
AIErr insertChainDimNode(const AIRealPoint* point, const Plotwise3_dimensioned_object_data* click);
// Once a redraw's chain is whole: the first click taken onto the face of each later click on
// another face than its own, as the press of that click took it, so the dimension is drawn
// again in the face it was drawn in (a corner two faces share is found on either).
AIErr MoveFirstClickOntoLaterFaces();
// Empties the chain; both ends are null afterwards even when a node cannot be given back
// (it is then left, never pointed at). Returns the first failure.
AIErr doFreeHitLocs();
// The axonometric record of the face beside `face` that horizontal (horizontal != 0) or
// vertical dimensions use, for a rectangle of the art's flat bounds moved up by its height.
AIErr GetPerpendicularDimData(AIArtHandle art, int32_t face, int16_t horizontal, depth_object_data* out);
