// Rebuilding every open panel's units and precision popups at once: after the master units
// or precision are applied, after any change of the current scale (the number of precision
// entries follows the scale factor) and after a preset is loaded.
#pragma once

// For each panel that exists, in the panels' order: its units setup, which rebuilds its
// precision popup too (the text panel's upper pair, then its lower; the walls panel shows
// its thickness in the numeric-input unit). The shortcuts panel's master pair is left alone.
void UpdateAllUnitsMenus();
// The same with the precision setups only.
void UpdateAllPrecisionMenus();
