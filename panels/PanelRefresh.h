// After a preset is loaded: the panels that show preferences rather than the selection shown
// again from them, and every panel redrawn. Each panel is one row, in refresh order; a panel
// that does not exist is passed over and the rest are still refreshed.
#pragma once

#include "ADMTypes.h"
#include "AITypes.h"

// Guides, document, tracker, isometric, shortcuts: each panel that exists.
void UpdateNonContextSensitivePaletteInfoToCurrentPrefs();
// Document, text, styles, walls, isometric, guides, shortcuts, tracker, labels: each that exists.
void RedrawAllPanels();
// The shortcuts panel's master popups shown again.
void RefreshCADshortcutsWindowFromPrefs(ADMDialogRef dialog);

// Applies the preset of that name (Load's OK, after the choices are stored): the selection
// is cleared, every panel shown again, the live dimensions regenerated as the stored choice
// says (update selected: those selected before), every panel redrawn; nothing stays selected.
void LoadPreset(const char* name);
