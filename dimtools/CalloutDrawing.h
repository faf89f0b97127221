// A callout on the page: a leader of the style's kind from the art to the drag point, a
// level shelf where the kind has one, and the callout's text without a frame at its end.
#pragma once

#include "AITypes.h"

// The text a callout shows while it is dragged, before its art is described.
constexpr const char* kCalloutPreviewText = "Callout...";

// Draws the whole callout from scratch into a new group made live (each drag, the final
// callout, and the redraw of a stored one). The press and the drag point snap onto art
// under them; shift snaps the leg to 45 degrees keeping its length. The text (the first
// chain node's, at most 511 characters, as many as a label text is measured at) stands
// right of the shelf's end when the leg goes right, else left; ctrl sends it to the other
// side except with the arc and kinked leaders. Kinds 0, 4 and 5 end in a shelf of the
// style's labelLeaderLength, the others at the leg's end (a kind outside 0-5 draws
// straight). The first error of the zoom check, the layer, a hit test, the leader or the
// text is returned; what was drawn stays for the next drag's undo.
AIErr DrawCallout();
