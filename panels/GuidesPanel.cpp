// The guides panel: its frame, its items set up from the preferences, and the notifiers that
// store each change and draw the grids and rulers again.
#include "panels/GuidesPanel.h"

#include <algorithm>
#include <string_view>

#include "axonometric/GuideLayers.h"
#include "core/PlotwiseDialogItems.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionDrawing.h"
#include "panels/ColorSwatch.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "units/NumericFields.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

bool Checked(ADMItemRef item) { return sADMItem->GetBooleanValue(item) != 0; }

// A popup filled from its menu, the entry of that identifier active.
void SetupMenuPopup(ADMDialogRef dialog, int32_t id, int32_t menu, int32_t entryID, ADMItemNotifyProc notifier) {
    ADMItemRef popup = Item(dialog, id);
    if (!popup) return;
    ADMListRef list = sADMItem->GetList(popup);
    sADMList->SetMenuID(list, g->thisPlugin, menu, "");
    if (ADMEntryRef entry = sADMList->GetEntry(list, entryID)) sADMEntry->Activate(entry, true);
    sADMItem->SetNotifyProc(popup, notifier);
}

bool RulersShown() { return g->prefs.DERurureLayerVisible != 0; }

const UnitsPopupPair kRulerPair = {
    .unitsItem = kRulerUnitsPopup,
    .unitsCaption = kRulerUnitsCaption,
    .precisionItem = kRulerPrecisionPopup,
    .precisionCaption = kRulerPrecisionCaption,
    .units = +[]() -> int32_t& { return g->prefs.rulerUnits; },
    .precision = +[](int32_t) -> int32_t& { return g->prefs.rulerPrecision; },
    .precisionNotifier = Guarded<&rulerPrecisionPopupNotifierProc>,
    .maxEntries = kRulerPrecisionEntries,
    .enables = true,
    .scaleFactor = nullptr,
};

// The grid's items as the grid and snapping are: the colour, line and snap items only with
// the grid shown, the tolerance only with snapping on as well.
void EnableGridItems(ADMDialogRef dialog) {
    const bool shown = g->prefs.CADgridVisible != 0;
    EnableItems(dialog, {kGridColorSwatch, kGridColorPopup, kGridColorCaption, kGridLinePopup, kGridLineCaption,
                    kSnapToGridCheckBox},
           shown);
    EnableItems(dialog, {kSnapToleranceField, kSnapToleranceCaption}, shown && g->prefs.snapToGrid);
}

void EnableRulerItems(ADMDialogRef dialog) {
    EnableItems(dialog, {kRulerUnitsPopup, kRulerPrecisionPopup, kRulerPrecisionCaption, kAppendRulerUnitsCheckBox,
                    kRulerFontCaption, kRulerFontPopup},
           RulersShown());
}

void RedrawSwatch(ADMDialogRef dialog) {
    if (ADMItemRef swatch = Item(dialog, kGridColorSwatch)) {
        sADMItem->Invalidate(swatch);
        sADMItem->Update(swatch);
    }
}

}  // namespace

AIErr CreateCADguidesWindow() { return CreatePanel(kGuidesFrame, Guarded<&InitCADguidesWindow>); }

ASErr InitCADguidesWindow(ADMDialogRef dialog) {
    PanelInitScope scope(dialog);
    if (AIErr err = scope.error()) return err;
    if (AIErr err = RestorePanelPlacement(kGuidesFrame, dialog)) return err;
    g->CADguidesWindow = dialog;
    SizeCollapsedPanel(kGuidesFrame, dialog);
    SetBoldCaptions(dialog, {kGridCaption, kRulersCaption, kCursorCaption});

    SetupCheckBox(dialog, kShowGridCheckBox, g->prefs.CADgridVisible, Guarded<&ShowCADGridCheckboxNotifierProc>);
    SetupMenuPopup(dialog, kGridColorPopup, kGridColorMenu, g->prefs.gridColorEntry,
                   Guarded<&CADgridColorPopupNotifierProc>);
    if (ADMItemRef swatch = Item(dialog, kGridColorSwatch))
        sADMItem->SetDrawProc(swatch, Guarded<&CADgridColorSwatchDrawProc>);
    SetupMenuPopup(dialog, kGridLinePopup, kGridLineMenu, g->prefs.GridlineEntry, Guarded<&GridLinePopupNotifierProc>);
    SetupCheckBox(dialog, kSnapToGridCheckBox, g->prefs.snapToGrid, Guarded<&SnapToGridCheckboxNotifierProc>);
    if (ADMItemRef field = Item(dialog, kSnapToleranceField)) {
        SetNumericIntFldPrefs(field, g->prefs.gridSnapTolerance, 0, kMaxSnapTolerance);
        sADMItem->SetNotifyProc(field, Guarded<&SnapToleranceFieldNotifierProc>);
    }
    EnableGridItems(dialog);

    SetupCheckBox(dialog, kShowRulersCheckBox, g->prefs.DERurureLayerVisible && g->prefs.DERurureLayerExists,
                  Guarded<&ShowDERUrureCheckboxNotifierProc>);
    if (ADMItemRef units = Item(dialog, kRulerUnitsPopup)) {
        sADMList->SetMenuID(sADMItem->GetList(units), g->thisPlugin, kUnitsMenu, "");
        sADMItem->SetNotifyProc(units, Guarded<&rulerUnitsPopupNotifierProc>);
        setupRulerUnitsPopup(dialog);
    }
    SetupCheckBox(dialog, kAppendRulerUnitsCheckBox, g->prefs.appendRulerUnits,
                  Guarded<&AppendRulerUnitsCheckboxNotifierProc>);
    setUpRulerFontMenu(dialog);
    EnableRulerItems(dialog);

    SetupCheckBox(dialog, kFullScreenCursorCheckBox, g->prefs.annotateFullScreenCursor,
                  Guarded<&FullScreenCursorCheckboxNotifierProc>);
    SetupCheckBox(dialog, kSnapToObjectsCheckBox, g->prefs.objectSnapFullScreenCursor,
                  Guarded<&SnapToObjectsCheckboxNotifierProc>);
    SetPanelIcons(kGuidesFrame, dialog);
    return kNoErr;
}

AIErr WriteCADguidesWindowPrefs(ADMDialogRef dialog) { return WritePanelPrefs(kGuidesFrame, dialog); }

void setupRulerUnitsPopup(ADMDialogRef dialog) {
    if (!g || !dialog) return;
    SetupUnitsPopupPair(dialog, kRulerPair);
    EnableItems(dialog, {kRulerPrecisionPopup, kRulerPrecisionCaption}, RulersShown());
}

void SetupRulerPrecisionPopup(ADMDialogRef dialog) {
    if (!g || !dialog) return;
    SetupPrecisionPopupOfPair(dialog, kRulerPair);
    EnableItems(dialog, {kRulerPrecisionPopup, kRulerPrecisionCaption}, RulersShown());
}

void setUpRulerFontMenu(ADMDialogRef dialog) {
    ADMItemRef popup = Item(dialog, kRulerFontPopup);
    if (!g || !popup || !sAIFont) return;
    ADMListRef list = sADMItem->GetList(popup);
    sADMList->RemoveAllEntries(list);
    ai_int32 count = 0;
    if (sAIFont->CountFonts(&count) == kNoErr) {
        for (ai_int32 i = 0; i < count; ++i) {
            AIFontKey font = nullptr;
            char name[sizeof g->prefs.rulerFontStr] = {};  // what the preference holds
            if (sAIFont->IndexFontList(i, &font) ||
                sAIFont->GetUserFontUIName(font, name, static_cast<ai_int16>(sizeof name)))
                continue;
            ADMEntryRef entry = sADMList->InsertEntry(list, sADMList->NumberOfEntries(list));
            if (!entry) continue;
            sADMEntry->SetText(entry, name);
            if (std::string_view(name) == g->prefs.rulerFontStr) sADMEntry->Activate(entry, true);
        }
    }
    sADMItem->Enable(popup, RulersShown());
    sADMItem->SetNotifyProc(popup, Guarded<&rulerFontPopupNotifierProc>);
}

void ShowCADGridCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        ADMDialogRef dialog = sADMItem->GetDialog(item);
        g->prefs.CADgridVisible = Checked(item) ? 1 : 0;
        disposeAxonometricGrids();
        if (g->prefs.CADgridVisible) {
            if (ADMItemRef snap = Item(dialog, kSnapToGridCheckBox)) sADMItem->SetBooleanValue(snap, g->prefs.snapToGrid != 0);
            drawGridsAndRulers(1, 1);
        }
        EnableGridItems(dialog);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void ShowDERUrureCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int shown = Checked(item) ? 1 : 0;
        g->prefs.DERurureLayerVisible = g->prefs.DERurureLayerExists = shown;
        if (shown)
            drawGridsAndRulers(1, 1);
        else
            disposeDERurure();
        EnableRulerItems(sADMItem->GetDialog(item));
    }
    sADMItem->DefaultNotify(item, notifier);
}

void CADgridColorPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        ADMListRef list = sADMItem->GetList(item);
        ADMEntryRef entry = sADMList->GetActiveEntry(list);
        const int32_t index = entry ? sADMEntry->GetIndex(entry) : -1;
        ADMRGBColor color{static_cast<uint16_t>(std::clamp<int32_t>(g->prefs.gridColorRed, 0, 65535)),
                          static_cast<uint16_t>(std::clamp<int32_t>(g->prefs.gridColorGreen, 0, 65535)),
                          static_cast<uint16_t>(std::clamp<int32_t>(g->prefs.gridColorBlue, 0, 65535))};
        bool chosen = index >= 0;
        if (index == kOtherGridColorEntry) {
            const ADMRGBColor seed = color;
            chosen = sADMBasic->ChooseColorA(ADMPoint{-1, -1}, &seed, &color) != 0;
        } else if (chosen) {
            SetCADcolor(&color, index);
        }
        if (chosen) {
            g->prefs.gridColorRed = color.red;
            g->prefs.gridColorGreen = color.green;
            g->prefs.gridColorBlue = color.blue;
            g->prefs.gridColorEntry = sADMEntry->GetID(entry);
            RedrawSwatch(sADMItem->GetDialog(item));
            drawGridsAndRulers(1, 1);
        } else if (ADMEntryRef kept = sADMList->GetEntry(list, g->prefs.gridColorEntry)) {
            // A cancelled chooser changes nothing: the popup shows the grid's entry again.
            sADMEntry->Activate(kept, true);
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void CADgridColorSwatchDrawProc(ADMItemRef, ADMDrawerRef drawer) {
    if (!g) return;
    const ADMRGBColor color{static_cast<uint16_t>(std::clamp<int32_t>(g->prefs.gridColorRed, 0, 65535)),
                            static_cast<uint16_t>(std::clamp<int32_t>(g->prefs.gridColorGreen, 0, 65535)),
                            static_cast<uint16_t>(std::clamp<int32_t>(g->prefs.gridColorBlue, 0, 65535))};
    DrawColorSwatch(drawer, &color);
}

void GridLinePopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        if (ADMEntryRef entry = sADMList->GetActiveEntry(sADMItem->GetList(item))) {
            g->prefs.GridlineEntry = sADMEntry->GetID(entry);
            drawGridsAndRulers(1, 0);
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void SnapToGridCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        g->prefs.snapToGrid = Checked(item) ? 1 : 0;
        EnableGridItems(sADMItem->GetDialog(item));
    }
    sADMItem->DefaultNotify(item, notifier);
}

void SnapToleranceFieldNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier))
        g->prefs.gridSnapTolerance = std::clamp<int32_t>(sADMItem->GetIntValue(item), 0, kMaxSnapTolerance);
    sADMItem->DefaultNotify(item, notifier);
}

void rulerUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t units = ActivePopupIndex(item);
        TagSelectedArt();
        if (units >= 0) g->prefs.rulerUnits = units;
        const PrecisionsFollowTheirLists lowering;
        SetupRulerPrecisionPopup(sADMItem->GetDialog(item));
        drawGridsAndRulers(1, 1);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void rulerPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t precision = ActivePopupIndex(item);
        TagSelectedArt();
        if (precision >= 0 && precision != g->prefs.rulerPrecision) {
            g->prefs.rulerPrecision = precision;
            drawRulersOnly(1, 1);
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void AppendRulerUnitsCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        g->prefs.appendRulerUnits = Checked(item) ? 1 : 0;
        drawRulersOnly(1, 1);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void rulerFontPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        if (ADMEntryRef entry = sADMList->GetActiveEntry(sADMItem->GetList(item))) {
            char name[sizeof g->prefs.rulerFontStr] = {};
            sADMEntry->GetText(entry, name, static_cast<int32_t>(sizeof name));
            CopyCString(g->prefs.rulerFontStr, name);
            drawRulersOnly(1, 1);
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void FullScreenCursorCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) g->prefs.annotateFullScreenCursor = Checked(item) ? 1 : 0;
    sADMItem->DefaultNotify(item, notifier);
}

void SnapToObjectsCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) g->prefs.objectSnapFullScreenCursor = Checked(item) ? 1 : 0;
    sADMItem->DefaultNotify(item, notifier);
}

void ShowCADguidesWindowPrefs(ADMDialogRef dialog) {
    if (!g || !dialog) return;
    SetupCheckBox(dialog, kShowGridCheckBox, g->prefs.CADgridVisible, Guarded<&ShowCADGridCheckboxNotifierProc>);
    SetupCheckBox(dialog, kShowRulersCheckBox, g->prefs.DERurureLayerVisible && g->prefs.DERurureLayerExists,
                  Guarded<&ShowDERUrureCheckboxNotifierProc>);
    SetupMenuPopup(dialog, kGridColorPopup, kGridColorMenu, g->prefs.gridColorEntry,
                   Guarded<&CADgridColorPopupNotifierProc>);
    RedrawSwatch(dialog);
    SetupMenuPopup(dialog, kGridLinePopup, kGridLineMenu, g->prefs.GridlineEntry, Guarded<&GridLinePopupNotifierProc>);
    SetupCheckBox(dialog, kSnapToGridCheckBox, g->prefs.snapToGrid, Guarded<&SnapToGridCheckboxNotifierProc>);
    if (ADMItemRef field = Item(dialog, kSnapToleranceField))
        SetNumericIntFldPrefs(field, g->prefs.gridSnapTolerance, 0, kMaxSnapTolerance);
    EnableGridItems(dialog);
    setupRulerUnitsPopup(dialog);
    SetupCheckBox(dialog, kAppendRulerUnitsCheckBox, g->prefs.appendRulerUnits,
                  Guarded<&AppendRulerUnitsCheckboxNotifierProc>);
    setUpRulerFontMenu(dialog);
    EnableRulerItems(dialog);
    SetupCheckBox(dialog, kSnapToObjectsCheckBox, g->prefs.objectSnapFullScreenCursor,
                  Guarded<&SnapToObjectsCheckboxNotifierProc>);
    SetupCheckBox(dialog, kFullScreenCursorCheckBox, g->prefs.annotateFullScreenCursor,
                  Guarded<&FullScreenCursorCheckboxNotifierProc>);
}

void RefreshCADguidesWindowFromPrefs(ADMDialogRef dialog) {
    if (!g || !dialog) return;
    ShowCADguidesWindowPrefs(dialog);
    // The grid and the rulers as the preferences now have them, drawn again.
    for (int32_t id : {kShowGridCheckBox, kShowRulersCheckBox})
        if (ADMItemRef item = Item(dialog, id)) sADMItem->SendNotify(item, kADMUserChangedNotifier);
    ADMItemRef colour = Item(dialog, kGridColorPopup);
    ADMEntryRef entry = colour ? sADMList->GetActiveEntry(sADMItem->GetList(colour)) : nullptr;
    if (entry && sADMEntry->GetIndex(entry) != kOtherGridColorEntry) {
        sADMItem->SendNotify(colour, kADMUserChangedNotifier);  // the entry's colour
    } else if (g->prefs.CADgridVisible) {
        // Another colour is the preset's own components: no chooser opens in a load.
        drawGridsAndRulers(1, 1);
    }
}
