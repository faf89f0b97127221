// The shortcuts panel (dialog 16350): the presets buttons (Load, Define, Edit), a master
// unit and a master precision applied in one step to every place lengths are shown (the
// dimension values, rulers, tracker and numeric input), and automatic dimensioning of the
// document or the selection with the options that choose which dimensions are made. Its
// placement is kept under "ZMKCADshortcuts5".
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"
#include "panels/ShortcutsPanelItems.h"

AIErr CreateCADshortcutsWindow();
ASErr InitCADshortcutsWindow(ADMDialogRef dialog);
AIErr WriteCADshortcutsWindowPrefs(ADMDialogRef dialog);
void CADshortcutsPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier);

// The master pair of the units and precision popups.
void SetupMasterUnitsUnitsPopup(ADMDialogRef dialog);
void SetupMasterUnitsPrecisionPopup(ADMDialogRef dialog);
void MasterUnitsUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void MasterUnitsPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);

// Apply: the master unit (or precision) into the dimension style, the rulers, the tracker
// and numeric input, pushed into the selected dimensions, every panel's popups rebuilt, the
// rulers (and, for a unit, the grid) drawn again when theirs changed; the walls panel's
// thickness is shown again with its unit label either way. Without the panel,
// or with no precision entry to apply, nothing but the thickness changes.
void UpdateGlobalUnits();
void UpdateGlobalPrecision();

void MasterUnitsApplyUnitsButtonNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void MasterUnitsApplyPrecisionButtonNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void AutoDimensionsDimDocumentBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void AutoDimensionsDimSelectionBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void AutoDimensionsOptionsNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
