// The colour swatch of the panels: a black frame filled with the colour, or with the
// panel's background where there is no one colour to show.
#pragma once

#include "ADMTypes.h"

void DrawColorSwatch(ADMDrawerRef drawer, const ADMRGBColor* color);
