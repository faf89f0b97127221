// The walls panel: its frame, its items set up from the wall settings, and the notifiers
// that store each change.
#include "panels/WallsPanel.h"

#include <cmath>
#include <utility>

#include "core/ExceptionBoundary.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseSuites.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "units/NumericFields.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

}  // namespace

AIErr CreateCADwallsWindow() { return CreatePanel(kWallsFrame, Guarded<&InitCADwallsWindow>); }

ASErr InitCADwallsWindow(ADMDialogRef dialog) {
    PanelInitScope scope(dialog);
    if (AIErr err = scope.error()) return err;
    if (AIErr err = RestorePanelPlacement(kWallsFrame, dialog)) return err;
    g->CADwallsWindow = dialog;
    SizeCollapsedPanel(kWallsFrame, dialog);
    if (ADMItemRef field = Item(dialog, kWallThicknessField)) {
        ShowWallThickness(dialog);
        sADMItem->SetNotifyProc(field, Guarded<&WallThicknessFieldNotifierProc>);
    }
    if (ADMItemRef box = Item(dialog, kShowWallInfoCheckBox)) {
        sADMItem->SetBooleanValue(box, g->prefs.showWallInfo != 0);
        sADMItem->SetNotifyProc(box, Guarded<&ShowWallInfoCheckboxNotifierProc>);
    }
    if (ADMItemRef popup = Item(dialog, kWallDatumPopup)) {
        ADMListRef list = sADMItem->GetList(popup);
        sADMList->SetMenuID(list, g->thisPlugin, kWallDatumMenu, "");
        if (ADMEntryRef entry = sADMList->IndexEntry(list, g->prefs.wallDatum)) sADMEntry->Activate(entry, true);
        sADMItem->SetNotifyProc(popup, Guarded<&WallDatumPopupNotifierProc>);
    }
    SetPanelIcons(kWallsFrame, dialog);
    return kNoErr;
}

AIErr WriteCADwallsWindowPrefs(ADMDialogRef dialog) { return WritePanelPrefs(kWallsFrame, dialog); }

void ShowWallThickness(ADMDialogRef dialog) {
    ADMItemRef field = Item(dialog, kWallThicknessField);
    if (!g || !field) return;
    char text[256] = {};
    // With its unit label whatever the style says, however the field comes to be shown.
    const int32_t labels = std::exchange(g->prefs.style.appendUpperUnitLabels, 1);
    doScaleAndUnitsAt(1.0f, g->prefs.wallThickness, text, 1, static_cast<int16_t>(g->prefs.NumericInputUnits),
                      static_cast<int16_t>(g->prefs.NumericInputPrecision));
    g->prefs.style.appendUpperUnitLabels = labels;
    sADMItem->SetText(field, text);
}

void WallThicknessFieldNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        ADMDialogRef dialog = sADMItem->GetDialog(item);
        double typed = 0;
        if (!parseFieldInput(dialog, kWallThicknessField, &typed, g->prefs.NumericInputUnits)) {
            (void)RefuseFieldInput(dialog, kWallThicknessField, FieldInputWords(kUnreadableValueMessage));
        } else if (const auto thickness = static_cast<float>(typed); !(thickness > 0) || !std::isfinite(thickness)) {
            (void)RefuseFieldInput(dialog, kWallThicknessField, FieldInputWords(kGreaterThanZeroMessage));
        } else {
            g->prefs.wallThickness = thickness;
        }
        ShowWallThickness(dialog);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void ShowWallInfoCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) g->prefs.showWallInfo = sADMItem->GetBooleanValue(item) ? 1 : 0;
    sADMItem->DefaultNotify(item, notifier);
}

void WallDatumPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier))
        if (ADMEntryRef entry = sADMList->GetActiveEntry(sADMItem->GetList(item)))
            g->prefs.wallDatum = sADMEntry->GetIndex(entry);
    sADMItem->DefaultNotify(item, notifier);
}

// The thickness in force, shown: the field's rounded text is never read back into it (only
// the user's edit of the field changes it).
void RefreshCADwallsWindowFromSelection(ADMDialogRef dialog, const live_attributes_map&,
                                        const Plotwise3_Live_Dimension_Data&) {
    ShowWallThickness(dialog);
}
