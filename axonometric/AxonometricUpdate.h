// Axonometric art following a change of view: the document-wide re-projection (or
// flatten), whether art was reshaped since its projection, and the flat bounds of
// projected art.
#pragma once

#include "AITypes.h"
#include "axonometric/AxonometricData.h"

// Stores the preferences' view in the front document, then re-projects onto the new view
// (or, with flattenOnly, flattens) the axonometric art of every layer: all of it, or only
// the selected art when selectWhat is 1. Locked and hidden art is left as it is, and
// dimensions are redrawn from their own data once at the end: all of them when axonometric
// ones were met, else those of the re-projected art. The selection is tagged and
// theTimer restores it on every way out. An art that cannot be projected or flattened is
// left as it was and named to the user, and the walk goes on; a view that cannot be used
// changes nothing ('CADE', told). A flatten that finds nothing to flatten changes nothing,
// the document's view and the selection included. Without a document: nothing and 0.
AIErr UpdateAxonometricObjects(int32_t selectWhat, int flattenOnly);
// 1 when the art's bounds no longer have the projected size of its record (or either
// cannot be read), 0 when both sides agree within 0.001.
int AxoArtModified(AIArtHandle art);
// The flat bounds of projected art rebuilt from its bounds and its record (rect untouched
// when either cannot be read or the record has no face).
AIErr getFlatBoundsRectFromDictionary(AIArtHandle art, AIRealRect* rect);
// A live dimension (a group holding the style record "ZA3_Dimension") or a direct part of
// one: the update, the object snap and the annotator's snap points leave them alone.
bool IsDimensionOrPart(AIArtHandle art);

// What follows another document coming to the front, and an undo: a document with its own
// view brings it into the preferences. Its art, projected with that view, is left as it is.
AIErr AdoptDocumentIsoView();
