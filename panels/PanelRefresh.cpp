// The panel rows refreshed from the preferences and the redraw order, and the loading of a
// preset that uses them.
#include "panels/PanelRefresh.h"

#include <vector>

#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "panels/DocumentPanel.h"
#include "panels/GuidesPanel.h"
#include "panels/IsometricPanel.h"
#include "panels/PanelGlobals.h"
#include "panels/PanelsFromSelection.h"
#include "panels/PresetRecord.h"
#include "panels/ShortcutsPanel.h"
#include "panels/TrackerPanel.h"
#include "panels/WallsPanel.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

struct RefreshRow {
    ADMDialogRef PanelGlobals::*window;
    void (*refresh)(ADMDialogRef dialog);
};

// The panels that show preferences, in refresh order.
const RefreshRow kRefreshRows[] = {
    {&PanelGlobals::CADguidesWindow, &RefreshCADguidesWindowFromPrefs},
    {&PanelGlobals::CADdocumentWindow, &RefreshCADdocumentWindowFromPrefs},
    {&PanelGlobals::CADtrackerWindow, +[](ADMDialogRef d) {
         SetupCADtrackerUnitsPopup(d);
         if (ADMItemRef info = sADMDialog->GetItem(d, kShowInfoCheckBox))
             sADMItem->SetBooleanValue(info, g->prefs.showCADtrackerInfo != 0);
     }},
    // The preset's view made current: its rotation and tilt come from the view's definition
    // (kept for the free view), and the art follows it.
    {&PanelGlobals::CADisometricWindow, +[](ADMDialogRef d) { SetCurrentAxoView(d, g->prefs.currentAxoViewIndex); }},
    {&PanelGlobals::CADshortcutsWindow, &RefreshCADshortcutsWindowFromPrefs},
};

constexpr ADMDialogRef PanelGlobals::*kRedrawOrder[] = {
    &PanelGlobals::CADdocumentWindow, &PanelGlobals::CADtextWindow,      &PanelGlobals::CADattributesWindow,
    &PanelGlobals::CADwallsWindow,    &PanelGlobals::CADisometricWindow, &PanelGlobals::CADguidesWindow,
    &PanelGlobals::CADshortcutsWindow, &PanelGlobals::CADtrackerWindow,  &PanelGlobals::CADlabelsWindow,
};

// The style panels shown from the (empty) selection, which is the preset's style. Their
// refresh reads the walls panel's thickness back, and that field still shows the thickness
// from before the load: the preset's own is kept and shown instead.
void ShowStylePanels() {
    const float thickness = g->prefs.wallThickness;
    (void)UpdatePalettesFromSelectedArt();
    g->prefs.wallThickness = thickness;
    if (g->CADwallsWindow) ShowWallThickness(g->CADwallsWindow);
}

void Select(const std::vector<AIArtHandle>& art) {
    for (AIArtHandle a : art) (void)sAIArt->SetArtUserAttr(a, kArtSelected, kArtSelected);
}

}  // namespace

void UpdateNonContextSensitivePaletteInfoToCurrentPrefs() {
    if (!g) return;
    for (const RefreshRow& row : kRefreshRows)
        if (ADMDialogRef dialog = (*g).*row.window) row.refresh(dialog);
}

void RedrawAllPanels() {
    if (!g) return;
    for (auto window : kRedrawOrder)
        if (ADMDialogRef dialog = (*g).*window) sADMDialog->Update(dialog);
}

void RefreshCADshortcutsWindowFromPrefs(ADMDialogRef dialog) { SetupMasterUnitsUnitsPopup(dialog); }

void LoadPreset(const char* name) {
    if (!g) return;
    // What "update selected" regenerates is what was selected when the preset was chosen.
    std::vector<AIArtHandle> selected;
    if (g->prefs.CADpresetsUpdateSelectedArt) (void)MatchingArt(true, selected);
    (void)SetPrefsToPreset(name);
    (void)deselectAllArt();
    ShowStylePanels();
    UpdateNonContextSensitivePaletteInfoToCurrentPrefs();
    if (g->prefs.CADpresetsUpdateAllArt) {
        (void)UpdateAllLiveAttributes(kProcessAllArt);
    } else if (g->prefs.CADpresetsUpdateSelectedArt && !selected.empty()) {
        Select(selected);
        (void)UpdateAllLiveAttributes(kProcessSelectedArt);
    }
    (void)deselectAllArt();
    RedrawAllPanels();
}
