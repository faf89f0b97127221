// The presets dialogs the shortcuts panel opens: Load applies a preset and regenerates all,
// the selected or no live dimensions with it; Define stores the current settings under a new
// name; Edit lists the presets to rename (in the Rename dialog) or delete them, each acting
// on the preset chosen in the list even where presets share a name. Names are at most 63
// characters and compared exactly.
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"
#include "panels/PresetsDialogItems.h"

constexpr int32_t kDuplicatePresetNameMessage = 68;  // 17068

// Enables the shortcuts panel's Load button while the catalogue holds a preset.
void UpdateCADpresetsLoadButton();

void CADpresetsLoadBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void CADpresetsDefineBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void CADpresetsEditBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier);

AIErr ShowCADpresetsLoadDialog();
AIErr ShowCADpresetsDefineDialog();
AIErr ShowCADpresetsEditDialog();
AIErr ShowCADpresetsRenameDialog();

// Load's popup and Edit's list box, filled with the preset names in catalogue order.
int32_t SetupCADpresetsMenu(ADMDialogRef dialog);
AIErr UpdateCADpresetsListBox(ADMDialogRef dialog);

// Load's OK: the preset applied, the selection cleared, every panel shown again, then the
// live dimensions regenerated as chosen ("update selected": those selected when OK was
// pressed), and every panel redrawn. Nothing is selected afterwards.
void CADpresetsLoadOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
void CADpresetsDefineOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
void CADpresetsRenameOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
void CADpresetsEditOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
void CADpresetsEditRenameBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void CADpresetsEditDeleteBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
// Choosing an entry only selects it.
void CADpresetsEditListBoxNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
