// The document panel (dialog 16210): the number format, the dimension layer, live
// dimensions, the units and precision of numeric input, and the drawing scale per document
// or per layer (the scale section, ScaleSection.h). Settings take effect at once and persist
// with the preferences; its placement is kept under "ZMKCADdocument3".
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "panels/DocumentPanelItems.h"

// The number format, the two check boxes and the numeric-input popups shown again from the
// preferences after a preset is loaded (no notifier runs: the format takes effect through the
// preference alone).
void RefreshCADdocumentWindowFromPrefs(ADMDialogRef dialog);
AIErr CreateCADdocumentWindow();
ASErr InitCADdocumentWindow(ADMDialogRef dialog);
AIErr WriteCADdocumentWindowPrefs(ADMDialogRef dialog);

void CADdocumentDialogNotifierProc(ADMDialogRef dialog, ADMNotifierRef notifier);
void CADdocumentPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void NumberFormatNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void UseDimLayerCheckboxNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void UseLiveDimsCheckboxNotifyProc(ADMItemRef item, ADMNotifierRef notifier);

// The numeric-input member of the units and precision popups (items 17 and 19); a choice
// also shows the walls panel's thickness again in the new unit or precision.
void SetupNumericInputUnitsPopup(ADMDialogRef dialog);
void SetupNumericInputPrecisionPopup(ADMDialogRef dialog);
void NumericInputUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void NumericInputPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
