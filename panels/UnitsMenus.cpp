// The members of the units and precision popup family: each panel's frame names its setups.
#include "panels/UnitsMenus.h"

#include "panels/PanelFrame.h"

void UpdateAllUnitsMenus() {
    for (const PanelFrame* frame : PanelFrames())
        if (frame->setupUnits)
            if (ADMDialogRef dialog = frame->row->window()) frame->setupUnits(dialog);
}

void UpdateAllPrecisionMenus() {
    for (const PanelFrame* frame : PanelFrames())
        if (frame->setupPrecision)
            if (ADMDialogRef dialog = frame->row->window()) frame->setupPrecision(dialog);
}
