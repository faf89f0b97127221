// Rebuilding every open panel's units and precision popups at once: after the master units
// or precision are applied, after the user's change of the current scale (the number of
// precision entries follows the scale factor), and, showing only, whenever the drawing read
// from changes.
#pragma once

// For each panel that exists, in the panels' order: its units setup, which rebuilds its
// precision popup too (the text panel's upper pair, then its lower; the walls panel shows
// its thickness in the numeric-input unit). The shortcuts panel's master pair is left alone.
// The user changed units or scale: a precision the shorter lists no longer offer is lowered.
void UpdateAllUnitsMenus();
// The same with the precision setups only.
void UpdateAllPrecisionMenus();
// The precision popups rebuilt for the scale read now, writing nothing: another drawing, an
// undo or another current layer lowers no precision the user set.
void ShowAllPrecisionMenus();
