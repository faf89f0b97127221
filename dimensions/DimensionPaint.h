// The paint of dimensions: the style's one colour as a host colour and back, and the three
// path styles (dimension lines, witness lines, terminators) every part is drawn with.
#pragma once

#include "AITypes.h"

// The current path style with the style's colour, weights, round joins, butt caps, solid
// strokes, no overprint and no clipping, into dimensionLineStyle, witnessLineStyle and
// arrowheadStyle; terminators are filled for styles 1, 2 and 5 and not for 3, 4, 6, 7, 8.
// Returns the host's error when the current path style cannot be read.
AIErr setPathAndArrowheadStyles();

// The style's colour as a host colour. Components are 16-bit values (0 is 0.0, 65535 is
// 1.0); the custom colour's tint is a percentage (100 the full colour) and its swatch the
// one named by the preference customColorName. When that swatch is missing the colour is
// the stored definition of the custom colour as process or RGB colour at the tint (black
// for a Lab definition), never an undefined swatch.
void setColorToPrefColors(AIColor* color);
// The host colour into the style's colour fields (and, for a custom colour, the swatch's
// name into customColorName, cut to its 31 characters).
void getPrefColorsFromColor(const AIColor* color);
