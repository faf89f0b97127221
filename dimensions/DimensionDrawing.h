// Set-up of dimension drawing shared by every dimension and label tool: the zoom check,
// the layer and new group every dimension is drawn into, the font named by the style's
// text face, the preset colours of the colour popups, and the text metrics the tools lay
// text out with. (The diameter, degree and plus-minus signs of value strings are set by
// the core at start-up: setGlobalDegreeAndDiameterSymbols, core/PlotwisePlugin.h.)
#pragma once

#include "ADMTypes.h"
#include "AITypes.h"

// Every view zoom lets a dimension be drawn on the supported host: always 0. The tools
// still test it and stop on a non-zero result.
AIErr CheckDocumentZoom();

// A new, empty group in `group` for the dimension about to be drawn: on "Dimension Layer"
// (made current) when the preference asks for it and the layer exists, else on
// `saveLayer` (always while regenerating or resizing); inside the layer's first art when
// that is a group, else above it. A dimension layer the host cannot make current (moved
// inside another layer) is passed over for `saveLayer` as if absent. On an error `group`
// is left as it was; success always means a new group.
AIErr PrepDimensionLayer();

// The bounds dimensions measure art by: the host's bounds of the art without its stroke,
// under the identity.
AIErr GetUnstrokedArtBounds(AIArtHandle art, AIRealRect* bounds);

// The host font whose user-interface name is faceStr (byte-exact), else the default font
// of the Roman script. Returns the code of the last host call made.
AIErr GetFontKeyFromDimensionTextFaceStr(const char* faceStr, AIFontKey* fontKey);

// The preset colour of entry `index` of the colour popups (black, dark grey, light grey,
// white, red, light red, green, light green, blue, light blue); black for any other index.
void SetCADcolor(ADMRGBColor* color, int index);

// The text size, leading and character width dimension drawing lays text out with: the
// style's text size, 0.2 and 0.6 times it (the width goes to `charWidth`).
AIErr getPlatformCurrentTextSizeAndLeading(AIReal* size, AIReal* leading);
