// The panel rows refreshed from the preferences and the redraw order, and the loading of a
// preset that uses them.
#include "panels/PanelRefresh.h"

#include "core/PlotwiseSuites.h"
#include "panels/PanelFrame.h"
#include "panels/PanelsFromSelection.h"
#include "panels/TextPanel.h"

void UpdateNonContextSensitivePaletteInfoToCurrentPrefs() { RunPanelStep(&PanelFrame::showPrefs); }

AIErr ShowSettingsTaken() {
    for (const PanelFrame* frame : PanelFrames())
        if (const auto show = frame->showSettings ? frame->showSettings : frame->showPrefs)
            if (ADMDialogRef dialog = frame->row->window()) show(dialog);
    ShowDimensionFormatOfStyle();
    return UpdatePalettesFromSelectedArt();
}

void RedrawAllPanels() {
    for (const PanelFrame* frame : PanelFrames())
        if (ADMDialogRef dialog = frame->row->window()) sADMDialog->Update(dialog);
}
