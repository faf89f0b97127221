// The panels that follow the selection (each whose frame says how): the styles, text and
// labels panels show the common style of the selected live dimensions (blank where they
// differ), which becomes the current style; the isometric panel's view pad is drawn again
// and the walls panel's thickness read back.
#pragma once

#include "AITypes.h"

// Nothing while one of those panels is missing. Otherwise the selected dimensions' styles
// are read (the current style when none is selected) and each panel refreshed in the panels'
// order. A failed read of the selection is returned and changes nothing.
AIErr UpdatePalettesFromSelectedArt();
