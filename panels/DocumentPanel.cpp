// The document panel: its frame, the number format, the dimension layer, live dimensions,
// the numeric-input popups, its size by scale style and its popout menu (add and delete a
// custom scale). The scale section's items are handled in ScaleSection.cpp.
#include "panels/DocumentPanel.h"

#include "core/PlotwiseDialogItems.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionLayer.h"
#include "panels/CustomScaleDialog.h"
#include "panels/LayerScaleCommands.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "panels/PanelRedraw.h"
#include "panels/ScaleAssistant.h"
#include "panels/ScaleSection.h"
#include "panels/UnitsMenus.h"
#include "panels/WallsPanel.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

constexpr int32_t kNumberFormats = 2;

const UnitsPopupPair kNumericInputPair = {
    .unitsItem = kNumericUnitsPopup,
    .unitsCaption = kNumericUnitsCaption,
    .precisionItem = kNumericPrecisionPopup,
    .precisionCaption = kNumericPrecisionCaption,
    .units = +[]() -> int32_t& { return g->prefs.NumericInputUnits; },
    .precision = +[](int32_t) -> int32_t& { return g->prefs.NumericInputPrecision; },
    .precisionNotifier = Guarded<&NumericInputPrecisionPopupNotifierProc>,
    .maxEntries = kPanelPrecisionEntries,
    .enables = true,
    .scaleFactor = nullptr,
};

// The number format popup shows the stored format; one the popup does not offer is taken
// as the first, as the formatter and the parser take it.
void SetupNumberFormat(ADMDialogRef dialog) {
    ADMItemRef popup = Item(dialog, kNumberFormatPopup);
    if (!popup) return;
    ADMListRef list = sADMItem->GetList(popup);
    sADMList->SetMenuID(list, g->thisPlugin, kNumberFormatMenu, "");
    const int32_t format = g->prefs.numberFormat >= 0 && g->prefs.numberFormat < kNumberFormats ? g->prefs.numberFormat : 0;
    if (ADMEntryRef entry = sADMList->IndexEntry(list, format)) sADMEntry->Activate(entry, true);
    sADMItem->SetNotifyProc(popup, Guarded<&NumberFormatNotifierProc>);
}

// The general settings as the preferences hold them: the number format and the three boxes.
void SetupGeneralItems(ADMDialogRef dialog) {
    SetupNumberFormat(dialog);
    SetupCheckBox(dialog, kThousandsCheckBox, g->prefs.useThousandsSeparator, Guarded<&NumberFormatNotifierProc>);
    SetupCheckBox(dialog, kDimensionLayerCheckBox, g->prefs.createDimensionLayer,
                  Guarded<&UseDimLayerCheckboxNotifyProc>);
    SetupCheckBox(dialog, kLiveDimensionsCheckBox, g->prefs.createLiveDimensions,
                  Guarded<&UseLiveDimsCheckboxNotifyProc>);
}

void SetupScaleItems(ADMDialogRef dialog) {
    if (ADMItemRef popup = Item(dialog, kScalePopup)) sADMItem->SetNotifyProc(popup, Guarded<&ScalePopupNotifierProc>);
    setupScalePopup(dialog, kScalePopup);
    if (ADMItemRef list = Item(dialog, kLayerList)) {
        sADMItem->SetItemType(list, kADMListBoxType);
        sADMItem->SetItemStyle(list, kADMMultiSelectListBoxStyle | kADMDividedListBoxStyle);
        sADMItem->SetNotifyProc(list, Guarded<&scaleByLayersListBoxNotifierProc>);
    }
    if (ADMItemRef assistant = Item(dialog, kScaleAssistantButton))
        sADMItem->SetNotifyProc(assistant, Guarded<&ScaleAssistantBtnNotifierProc>);
    UpdateCADdocumentLayerList();
}

// The radio of the front drawing's style on, the other off, and the panel laid out for it.
// A drawing the host kept open while it started again is worked at the scales on its layers;
// with none open, the panel shows the style and scale a new drawing starts at (1:1).
void SetupScaleStyleRadios(ADMDialogRef dialog) {
    const struct {
        int32_t item;
        int32_t style;
    } kRadios[] = {{kLayerScaleRadio, kLayerBasedScaleStyle}, {kDocumentScaleRadio, kDocumentBasedScaleStyle}};
    for (const auto& r : kRadios) {
        ADMItemRef radio = Item(dialog, r.item);
        if (!radio) continue;
        sADMItem->SetNotifyProc(radio, Guarded<&ScaleStyleRadiosNotifierProc>);
        const bool on = DocumentScaleStyle() == r.style;
        sADMItem->SetBooleanValue(radio, on);
        if (on) SwitchScaleStyleSettings(dialog, r.item, 0);
    }
    (void)LoadCurrentLayerScale();
    (void)ShowDrawingScale();
}

// The tracker's read-out of the selection, written again in the new unit or precision.
void RefreshTrackerReadOut() {
    if (auto refresh = PlotwiseService().updateTrackerWindowFromSelectedArt) refresh(nullptr);
}

// A scale added is applied by the dialog's OK, which redraws the dimensions; a cancelled
// dialog changes nothing.
void AddCustomScale() {
    sADMDialog->Modal(g->thisPlugin, kCustomScaleDialogName, kCustomScaleDialogID, kADMModalDialogStyle,
                      Guarded<&initCustomScaleDialog>, nullptr, 0);
}

void DeleteCustomScale(ADMDialogRef panel) {
    const int32_t id = ActivePopupIndex(Item(panel, kScalePopup));
    // Only a custom slot shown in the popup can be deleted; a fixed scale shown there is
    // not taken off the layers that use it.
    if (id < 0 || id >= kCustomScaleSlots) return;
    g->prefs.scale = kOneToOneScaleID;
    UpdateScaler();  // scale, scaler and label all 1:1
    if (g->newDrawingScale.id == id) NoteNewDrawingScale();  // nor does a new drawing start at it
    removeScaleByLayer(id);
    const CustomScaleSlot slot = customSlot(g->prefs, id + 1);
    *slot.scaler = 0.0f;
    slot.label[0] = '\0';
    setupScalePopup(panel, kScalePopup);
    RedrawRulers(0);
    RegenerateAllDimensions();
}

}  // namespace

AIErr CreateCADdocumentWindow() { return CreatePanel(kDocumentFrame, Guarded<&InitCADdocumentWindow>); }

ASErr InitCADdocumentWindow(ADMDialogRef dialog) {
    PanelInitScope scope(dialog);
    if (AIErr err = scope.error()) return err;
    if (AIErr err = RestorePanelPlacement(kDocumentFrame, dialog)) return err;
    // The scale section addresses the panel through its handle while it is set up.
    g->CADdocumentWindow = dialog;
    SetupPanelPopout(kDocumentFrame, dialog, Guarded<&CADdocumentPopoutNotifierProc>);
    SetBoldCaptions(dialog, {kGeneralCaption, kNumericInputCaption, kScaleCaption});
    SetupGeneralItems(dialog);
    if (ADMItemRef units = Item(dialog, kNumericUnitsPopup)) {
        sADMList->SetMenuID(sADMItem->GetList(units), g->thisPlugin, kUnitsMenu, "");
        sADMItem->SetNotifyProc(units, Guarded<&NumericInputUnitsPopupNotifierProc>);
        SetupNumericInputUnitsPopup(dialog);
    }
    SetupScaleItems(dialog);
    sADMDialog->SetNotifyProc(dialog, Guarded<&CADdocumentDialogNotifierProc>);
    SetupScaleStyleRadios(dialog);
    SetPanelIcons(kDocumentFrame, dialog);
    return kNoErr;
}

AIErr WriteCADdocumentWindowPrefs(ADMDialogRef dialog) { return WritePanelPrefs(kDocumentFrame, dialog); }

void CADdocumentDialogNotifierProc(ADMDialogRef dialog, ADMNotifierRef notifier) {
    if (!g) return;
    sADMDialog->DefaultNotify(dialog, notifier);
    // The collapse state follows the host, so a panel that started collapsed and was
    // expanded since is laid out again, and not collapsed by the next layout.
    const int collapsed = sADMDialog->IsCollapsed(dialog) ? 1 : 0;
    if (collapsed != g->prefs.CADdocumentCollapseState) {
        g->prefs.CADdocumentCollapseState = collapsed;
        if (!collapsed)
            AdjustCADdocumentPalette(dialog, DocumentScaleStyle() == kLayerBasedScaleStyle ? kLayerScaleRadio
                                                                                           : kDocumentScaleRadio);
    }
    if (!UserChanged(notifier) || DocumentScaleStyle() != kLayerBasedScaleStyle) return;
    ADMRect rect{};
    if (sADMDialog->GetLocalRect(dialog, &rect)) return;
    SetLayerListBottom(dialog, rect.bottom);
    g->prefs.CADdocumentHeight = rect.bottom - rect.top;
}

void CADdocumentPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t entry = ActivePopupIndex(item);
        if (entry == kAddCustomScaleEntry)
            AddCustomScale();
        else if (entry == kDeleteCustomScaleEntry)
            DeleteCustomScale(sADMItem->GetDialog(item));
    }
    sADMItem->DefaultNotify(item, notifier);
}

void NumberFormatNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMDialogRef panel = g ? sADMItem->GetDialog(item) : nullptr;
    const int32_t format = panel ? ActivePopupIndex(Item(panel, kNumberFormatPopup)) : -1;
    ADMItemRef thousands = panel ? Item(panel, kThousandsCheckBox) : nullptr;
    const int grouping = thousands && sADMItem->GetBooleanValue(thousands) ? 1 : 0;
    // The format in use picked again changes nothing, and redraws nothing.
    const bool same = g && (format < 0 || format == g->prefs.numberFormat) &&
                      (!thousands || grouping == g->prefs.useThousandsSeparator);
    if (g && UserChanged(notifier) && !same) {
        TagSelectedArt();
        if (format >= 0) g->prefs.numberFormat = format;
        if (thousands) g->prefs.useThousandsSeparator = grouping;
        // Every value shown anywhere is written again in the new format.
        RedrawRulers(1);
        CleanupDimensionLinks();
        RegenerateAllDimensions();
        if (g->theTimer) sAITimer->SetTimerActive(g->theTimer, true);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void UseDimLayerCheckboxNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        g->prefs.createDimensionLayer = sADMItem->GetBooleanValue(item) ? 1 : 0;
        if (g->prefs.createDimensionLayer && g->dimensionToolSelected) {
            // A host error ends the notifier without the default handling.
            if (sAILayer->GetCurrentLayer(&g->saveLayer) != kNoErr) return;
            if (CreateDimensionLayer() != kNoErr) return;
        } else {
            // The layer of that title becomes the plug-in's, or the user's again.
            (void)FindDimensionLayer();
        }
        (void)UpdateCADdocumentLayerList();
    }
    sADMItem->DefaultNotify(item, notifier);
}

void UseLiveDimsCheckboxNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) g->prefs.createLiveDimensions = sADMItem->GetBooleanValue(item) ? 1 : 0;
    sADMItem->DefaultNotify(item, notifier);
}

void SetupNumericInputUnitsPopup(ADMDialogRef dialog) { SetupUnitsPopupPair(dialog, kNumericInputPair); }

void SetupNumericInputPrecisionPopup(ADMDialogRef dialog) { SetupPrecisionPopupOfPair(dialog, kNumericInputPair); }

void NumericInputUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t units = ActivePopupIndex(item);
        if (units >= 0) g->prefs.NumericInputUnits = units;
        const PrecisionsFollowTheirLists lowering;
        SetupNumericInputPrecisionPopup(sADMItem->GetDialog(item));
        RefreshTrackerReadOut();
        // The walls panel's thickness is a typed length: shown in the unit lengths are typed in.
        if (g->CADwallsWindow) ShowWallThickness(g->CADwallsWindow);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void NumericInputPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t precision = ActivePopupIndex(item);
        if (precision >= 0) g->prefs.NumericInputPrecision = precision;
        RefreshTrackerReadOut();
        if (g->CADwallsWindow) ShowWallThickness(g->CADwallsWindow);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void RefreshCADdocumentWindowFromPrefs(ADMDialogRef dialog) {
    if (!g || !dialog) return;
    SetupGeneralItems(dialog);
    SetupNumericInputUnitsPopup(dialog);
}
