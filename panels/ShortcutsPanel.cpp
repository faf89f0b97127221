// The shortcuts panel: its items set up from the preferences, the master unit and precision
// applied everywhere lengths are shown, and the buttons and options it offers.
#include "panels/ShortcutsPanel.h"

#include <initializer_list>
#include <utility>

#include "axonometric/GuideLayers.h"
#include "core/PlotwiseDialogItems.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/StylePush.h"
#include "dimtools/AutoDimensioning.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "panels/PresetsDialogs.h"
#include "panels/UnitsMenus.h"
#include "panels/WallsPanel.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

const UnitsPopupPair kMasterPair = {
    .unitsItem = kMasterUnitsPopup,
    .unitsCaption = kMasterUnitsCaption,
    .precisionItem = kMasterPrecisionPopup,
    .precisionCaption = kMasterPrecisionCaption,
    .units = +[]() -> int32_t& { return g->prefs.MasterUnits; },
    .precision = +[](int32_t) -> int32_t& { return g->prefs.MasterPrecision; },
    .precisionNotifier = Guarded<&MasterUnitsPrecisionPopupNotifierProc>,
    .maxEntries = kPanelPrecisionEntries,
    .enables = true,
    .scaleFactor = nullptr,
};

// The option items and the fields they show.
struct AutoOption {
    int32_t item;
    int preferences::*field;
};
constexpr AutoOption kAutoOptions[] = {
    {kAutoHorizontalCheckBox, &preferences::AutoDimensionHorizontal},
    {kAutoVerticalCheckBox, &preferences::AutoDimensionVertical},
    {kAutoInclinedCheckBox, &preferences::AutoDimensionInclined},
    {kAutoRadiusRadio, &preferences::AutoDimensionRadialRadius},
    {kAutoDiameterRadio, &preferences::AutDimensionRadialDiameter},
    {kAutoNoRadialRadio, &preferences::AutoDimensionRadialNone},
    {kAutoCentreMarkCheckBox, &preferences::AutoDimensionRadialCrosshairs},
};

struct Button {
    int32_t item;
    ADMItemNotifyProc notifier;
};
constexpr Button kButtons[] = {
    {kLoadPresetButton, Guarded<&CADpresetsLoadBtnNotifyProc>},
    {kDefinePresetButton, Guarded<&CADpresetsDefineBtnNotifyProc>},
    {kEditPresetsButton, Guarded<&CADpresetsEditBtnNotifyProc>},
    {kApplyUnitsButton, Guarded<&MasterUnitsApplyUnitsButtonNotifyProc>},
    {kApplyPrecisionButton, Guarded<&MasterUnitsApplyPrecisionButtonNotifyProc>},
    {kAutoDimensionDocumentButton, Guarded<&AutoDimensionsDimDocumentBtnNotifyProc>},
    {kAutoDimensionSelectionButton, Guarded<&AutoDimensionsDimSelectionBtnNotifyProc>},
};

// Each setting into the selected dimensions, in order; each push redraws them.
void PushToSelectedDimensions(std::initializer_list<CADAttrType> codes) {
    for (CADAttrType code : codes) (void)UpdateLiveAttributes(code, kProcessSelectedArt);
}

}  // namespace

AIErr CreateCADshortcutsWindow() {
    const AIErr err = CreatePanel(kShortcutsFrame, Guarded<&InitCADshortcutsWindow>);
    UpdateCADpresetsLoadButton();
    return err;
}

ASErr InitCADshortcutsWindow(ADMDialogRef dialog) {
    PanelInitScope scope(dialog);
    if (AIErr err = scope.error()) return err;
    if (AIErr err = RestorePanelPlacement(kShortcutsFrame, dialog)) return err;
    g->CADshortcutsWindow = dialog;
    if (ADMItemRef popout = SetupPanelPopout(kShortcutsFrame, dialog, Guarded<&CADshortcutsPopoutNotifierProc>))
        AdjustPanelOptions(kShortcutsFrame, popout);
    SizeCollapsedPanel(kShortcutsFrame, dialog);
    SetBoldCaptions(dialog, {kPresetsCaption, kGlobalCaption, kAutoDimensionsCaption});
    for (const Button& b : kButtons)
        if (ADMItemRef item = Item(dialog, b.item)) sADMItem->SetNotifyProc(item, b.notifier);
    if (ADMItemRef units = Item(dialog, kMasterUnitsPopup)) {
        sADMList->SetMenuID(sADMItem->GetList(units), g->thisPlugin, kUnitsMenu, "");
        sADMItem->SetNotifyProc(units, Guarded<&MasterUnitsUnitsPopupNotifierProc>);
        SetupMasterUnitsUnitsPopup(dialog);
    }
    for (const AutoOption& o : kAutoOptions)
        if (ADMItemRef item = Item(dialog, o.item)) {
            sADMItem->SetBooleanValue(item, g->prefs.*o.field != 0);
            sADMItem->SetNotifyProc(item, Guarded<&AutoDimensionsOptionsNotifierProc>);
        }
    SetPanelIcons(kShortcutsFrame, dialog);
    return kNoErr;
}

AIErr WriteCADshortcutsWindowPrefs(ADMDialogRef dialog) { return WritePanelPrefs(kShortcutsFrame, dialog); }

void CADshortcutsPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        g->prefs.showCADshortcutsOptions = !g->prefs.showCADshortcutsOptions;
        AdjustPanelOptions(kShortcutsFrame, item);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void SetupMasterUnitsUnitsPopup(ADMDialogRef dialog) {
    if (g && dialog) SetupUnitsPopupPair(dialog, kMasterPair);
}

void SetupMasterUnitsPrecisionPopup(ADMDialogRef dialog) {
    if (g && dialog) SetupPrecisionPopupOfPair(dialog, kMasterPair);
}

void MasterUnitsUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t units = ActivePopupIndex(item);
        if (units >= 0) g->prefs.MasterUnits = units;
        const PrecisionsFollowTheirLists lowering;
        SetupMasterUnitsPrecisionPopup(sADMItem->GetDialog(item));
    }
    sADMItem->DefaultNotify(item, notifier);
}

void MasterUnitsPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t precision = ActivePopupIndex(item);
        if (precision >= 0) g->prefs.MasterPrecision = precision;
    }
    sADMItem->DefaultNotify(item, notifier);
}

void UpdateGlobalUnits() {
    if (!g) return;
    if (ADMDialogRef panel = g->CADshortcutsWindow) {
        const int32_t units = ActivePopupIndex(Item(panel, kMasterUnitsPopup));
        if (units >= 0) {
            auto& p = g->prefs;
            p.MasterUnits = p.style.upperUnits = p.style.lowerUnits = units;
            PushToSelectedDimensions({kCADAttrUpperUnits, kCADAttrLowerUnits});
            const int32_t rulers = std::exchange(p.rulerUnits, units);
            p.CADtrackerUnits = p.NumericInputUnits = units;
            UpdateAllUnitsMenus();
            // As the rulers' own popup has them: their labels and the grid's spacing follow.
            if (units != rulers) (void)drawGridsAndRulers(1, 1);
        }
    }
    if (g->CADwallsWindow) ShowWallThickness(g->CADwallsWindow);
}

void UpdateGlobalPrecision() {
    if (!g) return;
    if (ADMDialogRef panel = g->CADshortcutsWindow) {
        // With no entry to apply (the popup could not be built) no precision is written.
        const int32_t precision = ActivePopupIndex(Item(panel, kMasterPrecisionPopup));
        if (precision >= 0) {
            auto& p = g->prefs;
            p.MasterPrecision = precision;
            p.style.upperDecimalPrecision = p.style.upperFractionalPrecision = precision;
            p.style.lowerDecimalPrecision = p.style.lowerFractionalPrecision = precision;
            PushToSelectedDimensions({kCADAttrUpperDecimalPrecision, kCADAttrUpperFractionalPrecision,
                                      kCADAttrLowerDecimalPrecision, kCADAttrLowerFractionalPrecision});
            const int32_t rulers = std::exchange(p.rulerPrecision, precision);
            p.CADtrackerPrecision = p.NumericInputPrecision = precision;
            UpdateAllPrecisionMenus();
            if (precision != rulers) (void)drawRulersOnly(1, 1);
        }
    }
    if (g->CADwallsWindow) ShowWallThickness(g->CADwallsWindow);
}

void MasterUnitsApplyUnitsButtonNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g) UpdateGlobalUnits();
    sADMItem->DefaultNotify(item, notifier);
}

void MasterUnitsApplyPrecisionButtonNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g) UpdateGlobalPrecision();
    sADMItem->DefaultNotify(item, notifier);
}

void AutoDimensionsDimDocumentBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g) (void)CreateAutoDimensions(kProcessAllArt);
    sADMItem->DefaultNotify(item, notifier);
}

void AutoDimensionsDimSelectionBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g) (void)CreateAutoDimensions(kProcessSelectedArt);
    sADMItem->DefaultNotify(item, notifier);
}

void AutoDimensionsOptionsNotifierProc(ADMItemRef item, ADMNotifierRef) {
    if (!g) return;
    ADMDialogRef panel = sADMItem->GetDialog(item);
    for (const AutoOption& o : kAutoOptions)
        if (ADMItemRef option = Item(panel, o.item)) g->prefs.*o.field = sADMItem->GetBooleanValue(option) ? 1 : 0;
}
