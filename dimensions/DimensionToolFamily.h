// What every dimension and label tool shares at mouse down and once a dimension is done,
// run by the core for the whole tool family so no tool can leave a step out: the click into
// the click chain with the clicked art's scale, paint and text metrics at mouse down; the
// click records of the finished dimension on the art it measures, and the counters, at the
// end of the gesture.
#pragma once

#include "AITypes.h"
#include "axonometric/AxonometricData.h"
#include "core/PlotwiseSubsystem.h"

// The family of the dimension and label tools: each press is a click of the chain, the
// steps below at mouse down and at the end, and at mouse up the refusal of a click where the
// tool wants a drag, or else the next dimension id, the tool's own mouse-up and the return
// to the layer the user drew on; a click of a chaining tool waits for more.
extern const ToolFamilyRoutines kDimensionToolFamily;

// Mouse down, after the core recorded the click: all art is deselected (as every drag
// would); a first click starts from an empty chain;
// a chaining tool's last node takes the text last drawn; the paint of dimension parts, the
// click node (two for the datum target: "1" and "A"), the axonometric art of the first
// click, the current scale from the clicked art's layer, and the text size and leading.
// A tool that is not axonometric refuses art tagged as axonometric (IsPerspectiveArt),
// with a message and 'CADE', and the gesture's clicks go.
AIErr DimensionToolMouseDown(const PlotwiseToolRow& row);
// A drag: the tool's routine; when it fails, the group it made for the dimension goes, so no
// empty or half-drawn dimension stays (on a locked layer, say).
AIErr DimensionToolDrag(const PlotwiseToolRow& row, AIRealPoint cursor);
// A finished gesture that made a live dimension: one click record per click on the art the
// click hit (a click in empty space on the art of the first click that hit art), the drag
// record on the art of the first click (none where the click is the drag's end), and the text panel's or labels panel's counter
// moved on when the dimension shows a text (a centre line or mark takes no letter).
// Without a live dimension (nothing drawn, or live dimensions switched off) nothing is
// stored and no counter moves. When the records cannot be stored (the art is gone) the
// dimension becomes plain art and the error is returned. The chain is emptied either way.
AIErr DimensionToolComplete(const PlotwiseToolRow& row);

// The drag record of a dimension whose first click lies at `first` and whose drag ended at
// `drag`: on flat art the offset's length and angle; on axonometric art drawn in
// `direction` (kHorizontal: the flat height of the drag matters, kVertical: its flat h)
// a length along the receding axis that carries that flat offset best, with the angle
// marker 100 (the view's axis a) or -100 (axis b - pi), or the plain offset when neither
// axis carries it.
void DragRecordOffset(const AIRealPoint& first, const AIRealPoint& drag, const depth_object_data* face,
                      int32_t direction, AIReal* length, AIReal* angle);

// What a drag at `drag` draws to, for the dimension in hand: the end its redraw will read
// from the drag record the release stores (the drag taken through the record and back, so
// the first update keeps what the tool drew). Unchanged while dimensions are redrawn,
// resized or made automatically, and for the kinds whose routine places the end itself.
AIRealPoint DragEndAsRedrawn(const AIRealPoint& drag);
