// The walls panel (dialog 16950): the thickness new walls get, the real one, typed and shown
// in the numeric-input unit whatever layer is current (item 4, which the shortcuts panel and
// a change of the numeric-input unit or precision rewrite); each wall is drawn at the scale of
// the layer its house lies on. Also the datum their line is drawn along (centre, inside face,
// outside face), and whether the annotator shows the length of the wall being drawn. Each
// change is stored at once; the placement is kept under "ZMKCADwalls3".
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"
#include "panels/PanelFrame.h"
#include "panels/WallsPanelItems.h"

AIErr CreateCADwallsWindow();
ASErr InitCADwallsWindow(ADMDialogRef dialog);
AIErr WriteCADwallsWindowPrefs(ADMDialogRef dialog);

// Item 4 shows the thickness in force, in the numeric-input unit and precision.
void ShowWallThickness(ADMDialogRef dialog);

// A typed thickness replaces the one in force when it reads as a length above 0; otherwise
// the tool says why and the field shows the thickness in force again.
void WallThicknessFieldNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void ShowWallInfoCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void WallDatumPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
// After a change of selection: the thickness in force shown again, nothing stored.
void RefreshCADwallsWindowFromSelection(ADMDialogRef dialog, const live_attributes_map&,
                                        const Plotwise3_Live_Dimension_Data&);
