// What the annotator draws of the architectural tools, in view pixels.
#pragma once

#include "AIAnnotator.h"

// While a wall is drawn and `showWallInfo` is set: its length, in the tracker's units and
// precision at the drawing's scale, on a cleared background beside its middle, on the side
// away from the wall's body when it has one.
AIErr DrawWallLengths(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer);
// While a door or window would not fit where the cursor points (or the last click tried):
// why, in red, beside that place.
AIErr DrawInsertionWarning(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer);
