// The panels that follow the selection: the styles, text and labels panels show the common
// style of the selected live dimensions (blank where they differ), which becomes the current
// style; the isometric panel's view pad is drawn again and the walls panel's thickness read
// back. One row per panel; each panel of the table must exist for the refresh to run.
#pragma once

#include "ADMTypes.h"
#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"
#include "dimensions/StylePush.h"

// Nothing while a panel of the table is missing. Otherwise the selected dimensions' styles
// are read (the current style when none is selected) and each panel refreshed in table
// order. A failed read of the selection is returned and changes nothing.
AIErr UpdatePalettesFromSelectedArt();
