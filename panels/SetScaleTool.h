// The set-scale tool: a reference line dragged over something of known real size (shift
// keeps it to 45-degree steps, either end snaps to an anchor under it); on release the line
// goes and the custom-scale dialog opens with its length as the drawn side, for the user to
// type the real length.
#pragma once

#include "AITypes.h"

// One drag: the reference line drawn afresh, its length kept for the dialog and shown by
// the tracker.
AIErr doSetScaleTool();
// The custom-scale dialog after a drag. Always 0.
AIErr doSetScaleDialog();
