// The text panel (dialog 16930): the text side of the current dimension style (face and
// size, placement against horizontal, vertical and aligned lines, distance, spacing,
// movable text, the diameter symbol, units, precision, unit labels, tolerances and
// reference form of the value and of the dual value) and the format of new dimensions
// with its next letter or number. Each change is stored in the current style and pushed
// into the selected dimensions. Its placement is kept under "ZMKCADtext3".
#pragma once

#include <cstdint>
#include <span>

#include "ADMTypes.h"
#include "panels/StyleControls.h"
#include "panels/TextPanelItems.h"

constexpr size_t kMaxFaceName = 179;

std::span<const StyleControl> TextPanelControls();

AIErr CreateCADtextWindow();
ASErr InitCADtextWindow(ADMDialogRef dialog);
AIErr WriteCADtextWindowPrefs(ADMDialogRef dialog);
// The panel's height: 119 with the options hidden; shown, 242 for a lettered, numbered or
// custom format (or a mixed one), 450 with dual dimensions, else 358; a collapsed panel
// keeps its size.
void AdjustCADtextPalette();
// Takes the format the popup shows into the style (new dimensions take what the drafter
// sees) and prepares the next-value field for it: the letter of incrementalDimAlpha
// (letters), incrementalDimNumber (numbers, 0 to 32767), or a blank, disabled field.
void UpdateDimensionIncrementFld();
// After a preset load: the format popup shows the style's format whether or not it follows
// the selection, and the fixed-format entry's check follows liveDimensionFormatMenu.
void ShowDimensionFormatOfStyle();
// The text panel's units and precision pairs (upper, lower).
void SetupUpperUnitsPopup(ADMDialogRef dialog);
void SetupLowerUnitsPopup(ADMDialogRef dialog);
void SetupUpperPrecisionPopup(ADMDialogRef dialog);
void SetupLowerPrecisionPopup(ADMDialogRef dialog);
// Item 2: the host's fonts by their user-interface names, the style's face active (the
// last exact match; without one the entry of id 1).
AIErr SetUpFontMenu(ADMDialogRef dialog);
// The size field: a spin-edit popup in points with the sizes of menu 16150.
void SetTypeSizeFldPrefs(ADMItemRef item, float value, float minimum, float maximum);

void CADtextPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void FontPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void DiameterPosPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void UpperUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void LowerUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void UpperPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void LowerPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void DimensionFormatPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void DimensionIncrementNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
// The selection's style: the font, the controls, the diameter symbol, the units and
// precision of both values, the format and its next value, and the panel's height.
void RefreshCADtextWindowFromSelection(ADMDialogRef dialog, const live_attributes_map& map,
                                       const Plotwise3_Live_Dimension_Data& reference);
