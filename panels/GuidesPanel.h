// The guides panel (dialog 16920): the grid (shown, its colour and line type, snapping and
// its tolerance), the rulers (shown, units, precision, unit labels and font) and the
// full-screen cursor (shown, snapping to objects). Each change is stored in the preferences
// at once and the grids and rulers are drawn again where it shows in them; its placement is
// kept under "ZMKCADguides3".
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "panels/GuidesPanelItems.h"

constexpr int32_t kMaxSnapTolerance = 1000;

AIErr CreateCADguidesWindow();
ASErr InitCADguidesWindow(ADMDialogRef dialog);
AIErr WriteCADguidesWindowPrefs(ADMDialogRef dialog);

// The panel shown again from the preferences after a preset is loaded: the grid and the
// rulers drawn as they now are; a grid of another colour takes the stored components, with
// no chooser opened.
void RefreshCADguidesWindowFromPrefs(ADMDialogRef dialog);
// The panel's items as the preferences have them; nothing drawn.
void ShowCADguidesWindowPrefs(ADMDialogRef dialog);

// The ruler member of the units and precision popups (items 14 and 17, at most five
// precision entries); both popups are enabled while the rulers are shown.
void setupRulerUnitsPopup(ADMDialogRef dialog);
void SetupRulerPrecisionPopup(ADMDialogRef dialog);
// Item 19: the host's fonts by their user-interface names, the ruler font active.
void setUpRulerFontMenu(ADMDialogRef dialog);

void ShowCADGridCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void ShowDERUrureCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void CADgridColorPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void CADgridColorSwatchDrawProc(ADMItemRef item, ADMDrawerRef drawer);
void GridLinePopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void SnapToGridCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void SnapToleranceFieldNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void rulerUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void rulerPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void AppendRulerUnitsCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void rulerFontPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void FullScreenCursorCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void SnapToObjectsCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
