// Selection services of the core: the art of the drawing in the host's matching order,
// clearing the selection before a preview is redrawn, and keeping the selection across a
// redraw: the selected art is tagged, and theTimer selects the tagged art again once the
// redraw is done.
#pragma once

#include <vector>

#include "AITypes.h"

#define kObjectWasSelectedTag "ZMK_Object_Was_Selected"

// Every art of the front document (of one art type, or any), or only the selected art, in
// the host's matching order (layer groups left out); the host's list is disposed on every
// way out. No document gives an empty list.
AIErr MatchingArt(bool selectedOnly, std::vector<AIArtHandle>& out, int16_t type = kAnyArt);
// Whether MatchingArt lists art `a` before art `b` (the top-level layers in index order, each
// from the top of its group down, a container before its members; false for the same art).
// It walks only the two arts' containers and the siblings between them, never the drawing.
AIErr ArtListedBefore(AIArtHandle a, AIArtHandle b, bool* before);
// The art other than containers whose bounds meet `area`, in the host's matching order,
// hidden and locked art included: what lies near a place, without a walk of the drawing.
AIErr ArtInRect(const AIRealRect& area, std::vector<AIArtHandle>& out);
// Deselects all art of the front document (every layer and sublayer); no document is no error.
AIErr deselectAllArt();
// Whether any art of the front document is selected (false without a document, or when the
// host cannot say).
bool AnyArtSelected();
// Unless a tagged selection is already waiting, and when a document view is open: remembers
// the current paint and the current layer, tags every selected art "ZMK_Object_Was_Selected"
// (a group only when all of it is selected; never layer groups or art of the grids and
// ruler layers) and starts theTimer. A restore the user's own selection overruled is done
// with first, so that selection is the one tagged. With a restore waiting, theTimer is started
// again, so the restore joins the step of the latest command that asks for it.
AIErr TagSelectedArt();
// Tags the art "ZMK_Object_Was_Selected" for the restore that waits (or the next to start).
AIErr TagForSelectionRestore(AIArtHandle art);
// For every art tagged "ZMK_Object_Was_Selected": removes the tag and, when `reselect` is
// set, selects the art when its layer is editable and the tag is the waiting restore's (one
// an undo brought back from an earlier restore only goes). Nothing is waiting afterwards.
AIErr selectTaggedArt(bool reselect = true);

// Whether a restore of the selection waits: theTimer is due, or a restore the user's own
// selection overruled still has its tags to drop.
bool SelectionRestoreWaits();
// theTimer's work: the user's layer put back, all art deselected and the tagged art selected
// again; but when the user has selected art since the tagging, that selection stays and
// only the tags go. Nothing waits afterwards.
AIErr RestoreTaggedSelection();
// The restore that waits, done now (theTimer stopped); none waiting is no error.
AIErr FinishSelectionRestore();
// After an undo or redo: a restore that waits is done now when its tags are still there (the
// undo took back a later step), else it ends with nothing done (the undo took its command
// back, and the selection is as the undo left it).
AIErr EndSelectionRestoreAtUndo();
