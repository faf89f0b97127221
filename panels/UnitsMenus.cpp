// The members of the units and precision popup family: each panel's frame names its setups.
#include "panels/UnitsMenus.h"

#include "panels/PanelFrame.h"

void UpdateAllUnitsMenus() { RunPanelStep(&PanelFrame::setupUnits); }

void UpdateAllPrecisionMenus() { RunPanelStep(&PanelFrame::setupPrecision); }
