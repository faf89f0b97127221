// What the tracker registers: its panel, with its show/hide command, the placement it keeps
// in the preferences and its frame; the read-out as the services the tools call, the
// transformation of selected art that the proportion tool and the scale assistant use too,
// and the refresh of the read-out when the selection changes or theTimer has given a
// selection back.
#include "core/PlotwiseSubsystem.h"
#include "panels/PanelFrame.h"
#include "tracker/SelectionTransform.h"
#include "tracker/TrackerGlobals.h"
#include "tracker/TrackerPanel.h"
#include "tracker/TrackerReadOut.h"

namespace {

constexpr GlobalsView<TrackerGlobals> g;
using P = preferences;

AIErr RefreshFromSelection() { return tracker::updateTrackerWindowFromSelectedArt(nullptr); }

// Created second of all the panels, after the isometric one; written back seventh.
constexpr PlotwisePanelRow kTrackerRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADtrackerWindow; },
    .dialogName = "CADtracker",
    .create = &createTrackerWindow,
    .createOrder = 2,
    .writePrefs = +[]() -> AIErr { return WriteCADtrackerWindowPrefs(g->CADtrackerWindow); },
    .writeOrder = 7,
    .menuItem = +[]() -> AIMenuItemHandle& { return g->showCADtrackerMenuItem; },
    .showString = 18,
    .hideString = 19,
    .prefix = "ZMKCADtracker3",
    .loc = &P::trackerLoc,
    .dockCode = &P::trackerDockCode,
    .dockGroup = &P::trackerDockGroup,
    .collapse = &P::CADtrackerCollapseState,
    .collapseKey = "CADtrackerCollapseState",
    .options = &P::showCADtrackerOptions,
    .optionsKey = "showCADtrackerOptions",
    .frame = &kTrackerFrame};

const PlotwisePanelRow kPanels[] = {kTrackerRow};

}  // namespace

const PanelFrame kTrackerFrame = {
    .row = &kTrackerRow,
    .dialogID = kTrackerPanelID,
    .titleIndex = 9,
    .popoutMenu = kTrackerPopoutMenu,
    .shownHeight = 524,
    .hiddenHeight = 144,
    .icon = 16517,
    .showPrefs = &RefreshCADtrackerWindowFromPrefs,
    .setupUnits = &SetupCADtrackerUnitsPopup,
    .setupPrecision = &SetupCADtrackerPrecisionPopup};

extern const PlotwiseSubsystem kTrackerSubsystem = {
    .name = "tracker",
    .panels = kPanels,
    .hooks = {.selectionChanged = &RefreshFromSelection, .selectionRestored = &RefreshFromSelection},
    .services = {.resetTrackerWindow = &tracker::resetTrackerWindow,
                 .updateTrackerWindowLabels = &tracker::updateTrackerWindowLabels,
                 .updateTrackerWindow = &tracker::updateTrackerWindow,
                 .updateTrackerWindowFromSelectedArt = &tracker::updateTrackerWindowFromSelectedArt,
                 .applyCADtrackerTransformation = &ApplyTransformationForTool,
                 .calculateSelectedBoundsOfDocument = &tracker::CalculateSelectedBoundsOfDocument},
};
