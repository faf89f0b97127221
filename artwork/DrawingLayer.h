// Where a tool draws: a fresh, empty group on top of the user's drawing layer (or of a layer
// the caller names), so a drag can throw the whole preview away and a finished tool leaves
// one new group; the plain two-anchor line of previews and reference lines; making a layer
// the host's current layer again; and the page rectangle in art coordinates.
#pragma once

#include "AITypes.h"

// A new group on top of `saveLayer` into `group` (inside the layer's first art when that is
// a group, else above it); then makes sure the drawing layer carries a scale. `firstArt` and
// `firstArtType` are refreshed even when the group cannot be made; `group` only changes on
// success. A locked or hidden layer makes no group: the user is told which layer stops the
// tool, and the answer is 'CADE'. The scale step's error is the result, the group existing
// all the same.
AIErr PrepCADLayer();
// The same on the given layer; the scale made sure of is still `saveLayer`'s.
AIErr PrepThisLayer(AILayerHandle layer);
// A new open path of two corner anchors from start to end, on top inside `group`, or above
// `firstArt` when `group` is null. No paint is set: the path has what the host gives new art.
AIErr drawLine(AIRealPoint start, AIRealPoint end, AIArtHandle group);
// Makes the layer current when it is one of the front document's, a top-level layer or a
// sublayer at any depth: 1, else 0 and the current layer stays. For the user's own choice
// of layer (a panel's row).
int SetCurrentLayer(AILayerHandle layer);
// The same for a tool's own work on another layer than the user's: the switch is recorded,
// so that the end of the gesture, or an alert, makes the user's layer current again
// (PutBackUserLayer). Every tool that draws or edits on another layer switches this way.
int SwitchToLayerForWork(AILayerHandle layer);
// The page in art coordinates (y up) with the ruler origin taken into account.
void GetPageRect(AIRealRect* rect);
