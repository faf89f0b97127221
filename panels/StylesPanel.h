// The styles panel (dialog 16220): the graphic part of the current dimension style (colour,
// terminators, line and witness weights and distances, chain, section and diameter options),
// each change stored in the current style and pushed into the selected dimensions; a button
// that redraws every dimension. Its placement is kept under "ZMKCADattributes3".
#pragma once

#include <cstdint>
#include <span>

#include "ADMTypes.h"
#include "panels/StyleControls.h"
#include "panels/StylesPanelItems.h"

// The rows of the panel's controls that edit one style field each.
std::span<const StyleControl> StylesPanelControls();

AIErr CreateCADattributesWindow();
ASErr InitCADattributesWindow(ADMDialogRef dialog);
AIErr WriteCADattributesWindowPrefs(ADMDialogRef dialog);
// The row of the terminator table for a picture item: the length field enabled (all but
// "no terminator"), its caption "Length:" or, for the dot, "Diameter:", the angle field
// enabled for the arrow styles. The weight field is never disabled.
void SwitchTerminatorStyleSettings(ADMDialogRef dialog, int32_t pictureItem);
// The picture item of a terminator style (0 for a style outside 1 to 8).
int32_t TerminatorPictureOf(int32_t arrowheadStyle);
// The swatch shows dimensionRGBColor, or the panel's background while the selected
// dimensions differ in colour.
void CADcolorSwatchDrawProc(ADMItemRef item, ADMDrawerRef drawer);
void CADcolorPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void UpdateLiveDimensionsNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void CADattributesPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
// The selection's style: the colour and its swatch, the controls, the terminator table.
void RefreshCADattributesWindowFromSelection(ADMDialogRef dialog, const live_attributes_map& map,
                                             const Plotwise3_Live_Dimension_Data& reference);
