// Selection services of the core: clearing the selection before a preview is redrawn, and
// restoring the selection that was tagged before a redraw.
#pragma once

#include "AITypes.h"

#define kObjectWasSelectedTag "ZMK_Object_Was_Selected"

// Deselects all art of the front document (every layer and sublayer); no document is no error.
AIErr deselectAllArt();
// For every art tagged "ZMK_Object_Was_Selected": removes the tag and selects the art when
// its layer is editable.
AIErr selectTaggedArt();
