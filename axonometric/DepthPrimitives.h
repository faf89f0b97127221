// The group a new cube or cylinder is drawn into, and the selection of a new primitive a
// moment after it is drawn: its pieces carry a tag, and a one-shot timer selects what
// carries it and takes the tag off.
#pragma once

#include <initializer_list>

#include "AITypes.h"

#define kPrimitiveSelectedTag "ZMK_Primitive_Selected"
#define kPrimitiveSelectedDragTag "ZMK_Primitive_Selected_Drag"

// A new group on top of the current layer (inside its art group) into primitiveGroup. On a
// locked or hidden layer none: the user is told which, the primitive ends (as
// EndPrimitiveDrawing) and the answer is 'CADE'.
AIErr prepPrimitiveGroup();
// primitiveDragTimer: selects the art tagged "ZMK_Primitive_Selected_Drag".
AIErr SelectTaggedPrimitiveDrag();
// primitiveMouseupTimer: fully selects the art tagged "ZMK_Primitive_Selected".
AIErr SelectTaggedPrimitive();
// What the two timers hold back, done now (before the drawing is saved or closed): their tags
// are no record of the drawing's.
AIErr FinishPrimitiveSelection();
// Another tool chosen while a primitive is being drawn: it stays as last drawn and the
// drawing ends, so that the cursor of the next tool leaves its pieces alone.
AIErr EndPrimitiveDrawing();
// What primitive pieces and their group share once drawn: each present piece, in the
// order given, moved into the group on top and, with a tag, tagged (empty string value).
// Nothing without a group. The last host error is returned.
AIErr GatherPrimitivePieces(std::initializer_list<AIArtHandle> pieces, const char* tag);
// The second stage's selection: the group tagged and selected (when `select`), and the
// drag timer started, which selects the tagged pieces a moment later.
AIErr TagPrimitiveGroupForDrag(bool select);
