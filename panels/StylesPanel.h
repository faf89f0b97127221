// The styles panel (dialog 16220): the graphic part of the current dimension style (colour,
// terminators, line and witness weights and distances, chain, section and diameter options),
// each change stored in the current style and pushed into the selected dimensions; a button
// that redraws every dimension. Its placement is kept under "ZMKCADattributes3".
#pragma once

#include <cstdint>
#include <span>

#include "ADMTypes.h"
#include "panels/StyleControls.h"

enum : int32_t {
    kStylesPanelID = 16220,
    kColorSwatch = 2,
    kColorPopup = 3,            // menu 16180
    kNoTerminatorPicture = 6,
    kArrowheadLengthCaption = 14,
    kArrowheadLengthField = 15,
    kArrowheadWeightField = 18,
    kArrowheadAngleField = 21,
    kChainDatumCheckBox = 43,
    kJISDatumCheckBox = 44,
    kUpdateLinksButton = 49,
    kTerminatorDirectionPopup = 56,  // menu 16590
};

constexpr int32_t kColorMenu = 16180;
constexpr int32_t kOtherColorEntry = 11;
constexpr int32_t kFillColorEntry = 12;

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
