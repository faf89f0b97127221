// The transformation of selected art through which the tracker's actions, and the
// proportion tool's Resize dialog, change the drawing: whole objects moved as one, partly
// selected paths anchor by anchor, axonometric art flattened, transformed and projected back
// onto its face, and copies (while transformCopy is set) that give up the links of live
// dimensions and are tagged to be selected once the action is done.
#pragma once

#include <cstdint>

#include "AITypes.h"

// Walks the art and its following siblings (callers pass each layer's group in turn):
// layer groups are entered, hidden, locked and unselected art passed over; a partly
// selected group is entered, a partly selected path moves its selected anchors by the
// matrix alone; a fully selected object (a group only when it is axonometric, else its
// members one by one) is transformed by the matrix, then by the second one when given. The
// first host error ends the walk; what was done stays done.
AIErr ApplyCADtrackerTransformation(AIArtHandle art, AIRealMatrix* matrix, const AIRealMatrix* second);
// Whether the art (and its following siblings up to stop, which callers make the art
// itself) is fully selected: selected, and every path inside it with every anchor
// selected; other kinds count as fully selected once selected. Art the host does not know
// counts as fully selected.
AIErr IsArtFullySelected(AIArtHandle art, AIArtHandle stop, int16_t* fully);
// Moves the selected anchors of a path (of a group: of its first member) with their
// handles; anchors with only a handle selected stay.
AIErr ApplyCADtrackerSegmentTransformation(AIArtHandle art, const AIRealMatrix* matrix);
