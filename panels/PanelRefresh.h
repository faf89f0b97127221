// The panels shown again after the preferences changed under them (a preset loaded): each
// panel's frame says how it shows the preferences, and a panel that does not exist is passed
// over while the rest are still refreshed.
#pragma once

#include "AITypes.h"

// Each panel that exists and shows preferences rather than the selection, in the panels'
// order.
void UpdateNonContextSensitivePaletteInfoToCurrentPrefs();
// Settings an undo or redo took back or brought again, shown by every panel (the dimension
// style ones from the selection); nothing is drawn.
AIErr ShowSettingsTaken();
// Every panel that exists, drawn again.
void RedrawAllPanels();
