// The members of the units and precision popup family, in the order they are rebuilt.
#include "panels/UnitsMenus.h"

#include "panels/DocumentPanel.h"
#include "panels/GuidesPanel.h"
#include "panels/PanelGlobals.h"
#include "panels/TextPanel.h"
#include "panels/TrackerPanel.h"
#include "panels/WallsPanel.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

struct UnitsMenuMember {
    ADMDialogRef PanelGlobals::*window;
    void (*setupUnits)(ADMDialogRef dialog);      // rebuilds the precision popup too
    void (*setupPrecision)(ADMDialogRef dialog);
};

// Each panel's units and precision popups: text (upper, lower), guides, document, tracker.
const UnitsMenuMember kMembers[] = {
    {&PanelGlobals::CADtextWindow, &SetupUpperUnitsPopup, &SetupUpperPrecisionPopup},
    {&PanelGlobals::CADtextWindow, &SetupLowerUnitsPopup, &SetupLowerPrecisionPopup},
    {&PanelGlobals::CADguidesWindow, &setupRulerUnitsPopup, &SetupRulerPrecisionPopup},
    {&PanelGlobals::CADdocumentWindow, &SetupNumericInputUnitsPopup, &SetupNumericInputPrecisionPopup},
    {&PanelGlobals::CADtrackerWindow, &SetupCADtrackerUnitsPopup, &SetupCADtrackerPrecisionPopup},
    // Not a popup pair: the walls panel's thickness, shown in the numeric-input unit.
    {&PanelGlobals::CADwallsWindow, &ShowWallThickness, &ShowWallThickness},
};

}  // namespace

void UpdateAllUnitsMenus() {
    if (!g) return;
    for (const UnitsMenuMember& m : kMembers)
        if (ADMDialogRef dialog = (*g).*m.window) m.setupUnits(dialog);
}

void UpdateAllPrecisionMenus() {
    if (!g) return;
    for (const UnitsMenuMember& m : kMembers)
        if (ADMDialogRef dialog = (*g).*m.window) m.setupPrecision(dialog);
}
