// The members of the units and precision popup family: each panel's frame names its setups.
#include "panels/UnitsMenus.h"

#include "panels/PanelFrame.h"
#include "units/UnitsPopups.h"

void UpdateAllUnitsMenus() {
    const PrecisionsFollowTheirLists lowering;
    RunPanelStep(&PanelFrame::setupUnits);
}

void UpdateAllPrecisionMenus() {
    const PrecisionsFollowTheirLists lowering;
    RunPanelStep(&PanelFrame::setupPrecision);
}

void ShowAllPrecisionMenus() { RunPanelStep(&PanelFrame::setupPrecision); }
