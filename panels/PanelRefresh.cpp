// The panel rows refreshed from the preferences and the redraw order, and the loading of a
// preset that uses them.
#include "panels/PanelRefresh.h"

#include "core/PlotwiseSuites.h"
#include "panels/PanelFrame.h"

void UpdateNonContextSensitivePaletteInfoToCurrentPrefs() { RunPanelStep(&PanelFrame::showPrefs); }

void RedrawAllPanels() {
    for (const PanelFrame* frame : PanelFrames())
        if (ADMDialogRef dialog = frame->row->window()) sADMDialog->Update(dialog);
}
