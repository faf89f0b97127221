// What the floating panels register: one row per panel, with its show/hide command and the
// placement it keeps in the preferences, each panel's frame constants, the label-options
// timer, the host events the document panel follows (the document's scale settings, the
// layer list and the current layer), and the set-scale tool, which opens the panel's
// custom-scale dialog.
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "panels/DocumentPanel.h"
#include "panels/GuidesPanel.h"
#include "panels/IsometricPanel.h"
#include "panels/LabelsPanel.h"
#include "panels/LayerScaleCommands.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "panels/PanelsFromSelection.h"
#include "panels/PresetsCatalog.h"
#include "panels/ScaleSection.h"
#include "panels/SetScaleTool.h"
#include "panels/ShortcutsPanel.h"
#include "panels/StylesPanel.h"
#include "panels/TextPanel.h"
#include "panels/TrackerPanel.h"
#include "panels/WallsPanel.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;
using P = preferences;

constexpr PlotwisePanelRow kIsometricRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADisometricWindow; },
    .dialogName = "CADisometric",
    .create = &CreateCADisometricWindow,
    .writePrefs = +[]() -> AIErr { return WriteCADisometricWindowPrefs(g->CADisometricWindow); },
    .writeOrder = 4,
    .menuItem = +[]() -> AIMenuItemHandle& { return g->showCADisometricMenuItem; },
    .showString = 43,
    .hideString = 44,
    .prefix = "ZMKCADisometric3",
    .loc = &P::CADisometricLoc,
    .dockCode = &P::CADisometricDockCode,
    .dockGroup = &P::CADisometricDockGroup,
    .collapse = &P::CADisometricCollapseState,
    .collapseKey = "CADisometricCollapseState"};

constexpr PlotwisePanelRow kTrackerRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADtrackerWindow; },
    .dialogName = "CADtracker",
    .create = &createTrackerWindow,
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
    .optionsKey = "showCADtrackerOptions"};

constexpr PlotwisePanelRow kDocumentRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADdocumentWindow; },
    .dialogName = "CADdocument",
    .create = &CreateCADdocumentWindow,
    .writePrefs = +[]() -> AIErr { return WriteCADdocumentWindowPrefs(g->CADdocumentWindow); },
    .writeOrder = 2,
    .menuItem = +[]() -> AIMenuItemHandle& { return g->showCADdocumentMenuItem; },
    .showString = 4,
    .hideString = 5,
    .prefix = "ZMKCADdocument3",
    .loc = &P::CADdocumentLoc,
    .dockCode = &P::CADdocumentDockCode,
    .dockGroup = &P::CADdocumentDockGroup,
    .collapse = &P::CADdocumentCollapseState,
    .collapseKey = "CADdocumentCollapseState",
    .options = &P::showCADdocumentOptions,
    .optionsKey = "showCADdocumentOptions",
    .height = &P::CADdocumentHeight};

constexpr PlotwisePanelRow kGuidesRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADguidesWindow; },
    .dialogName = "CADguides",
    .create = &CreateCADguidesWindow,
    .writePrefs = +[]() -> AIErr { return WriteCADguidesWindowPrefs(g->CADguidesWindow); },
    .writeOrder = 3,
    .menuItem = +[]() -> AIMenuItemHandle& { return g->showCADguidesMenuItem; },
    .showString = 45,
    .hideString = 46,
    .prefix = "ZMKCADguides3",
    .loc = &P::CADguidesLoc,
    .dockCode = &P::CADguidesDockCode,
    .dockGroup = &P::CADguidesDockGroup,
    .collapse = &P::CADguidesCollapseState,
    .collapseKey = "CADguidesCollapseState"};

constexpr PlotwisePanelRow kWallsRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADwallsWindow; },
    .dialogName = "CADwalls",
    .create = &CreateCADwallsWindow,
    .writePrefs = +[]() -> AIErr { return WriteCADwallsWindowPrefs(g->CADwallsWindow); },
    .writeOrder = 8,
    .menuItem = +[]() -> AIMenuItemHandle& { return g->showCADwallsMenuItem; },
    .showString = 47,
    .hideString = 48,
    .prefix = "ZMKCADwalls3",
    .loc = &P::CADwallsLoc,
    .dockCode = &P::CADwallsDockCode,
    .dockGroup = &P::CADwallsDockGroup,
    .collapse = &P::CADwallsCollapseState,
    .collapseKey = "CADwallsCollapseState"};

constexpr PlotwisePanelRow kShortcutsRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADshortcutsWindow; },
    .dialogName = "CADshortcuts",
    .create = &CreateCADshortcutsWindow,
    .writePrefs = +[]() -> AIErr { return WriteCADshortcutsWindowPrefs(g->CADshortcutsWindow); },
    .writeOrder = 9,
    .menuItem = +[]() -> AIMenuItemHandle& { return g->showCADshortcutsMenuItem; },
    .showString = 33,
    .hideString = 34,
    .prefix = "ZMKCADshortcuts5",
    .loc = &P::CADshortcutsLoc,
    .dockCode = &P::CADshortcutsDockCode,
    .dockGroup = &P::CADshortcutsDockGroup,
    .collapse = &P::CADshortcutsCollapseState,
    .collapseKey = "CADshortcutsCollapseState",
    .options = &P::showCADshortcutsOptions,
    .optionsKey = "showCADshortcutsOptions"};

constexpr PlotwisePanelRow kTextRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADtextWindow; },
    .dialogName = "CADtext",
    .create = &CreateCADtextWindow,
    .writePrefs = +[]() -> AIErr { return WriteCADtextWindowPrefs(g->CADtextWindow); },
    .writeOrder = 6,
    .menuItem = +[]() -> AIMenuItemHandle& { return g->showCADtextMenuItem; },
    .showString = 14,
    .hideString = 15,
    .prefix = "ZMKCADtext3",
    .loc = &P::CADtextLoc,
    .dockCode = &P::CADtextDockCode,
    .dockGroup = &P::CADtextDockGroup,
    .collapse = &P::CADtextCollapseState,
    .collapseKey = "CADtextCollapseState",
    .options = &P::showCADtextOptions,
    .optionsKey = "showCADtextOptions"};

constexpr PlotwisePanelRow kStylesRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADattributesWindow; },
    .dialogName = "CADattributes",
    .create = &CreateCADattributesWindow,
    .writePrefs = +[]() -> AIErr { return WriteCADattributesWindowPrefs(g->CADattributesWindow); },
    .writeOrder = 1,
    .menuItem = +[]() -> AIMenuItemHandle& { return g->showCADattributesMenuItem; },
    .showString = 2,
    .hideString = 3,
    .prefix = "ZMKCADattributes3",
    .loc = &P::CADattributesLoc,
    .dockCode = &P::CADattributesDockCode,
    .dockGroup = &P::CADattributesDockGroup,
    .collapse = &P::CADattributesCollapseState,
    .collapseKey = "CADattributesCollapseState",
    .options = &P::showCADattributesOptions,
    .optionsKey = "showCADattributesOptions"};

constexpr PlotwisePanelRow kLabelsRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADlabelsWindow; },
    .dialogName = "CADlabels",
    .create = &CreateCADlabelsWindow,
    .writePrefs = +[]() -> AIErr { return WriteCADlabelsWindowPrefs(g->CADlabelsWindow); },
    .writeOrder = 5,
    .menuItem = +[]() -> AIMenuItemHandle& { return g->showCADlabelsMenuItem; },
    .showString = 10,
    .hideString = 11,
    .prefix = "ZMKCADlabels3",
    .loc = &P::CADlabelsLoc,
    .dockCode = &P::CADlabelsDockCode,
    .dockGroup = &P::CADlabelsDockGroup,
    .collapse = &P::CADlabelsCollapseState,
    .collapseKey = "CADlabelsCollapseState"};

// Creation order: isometric, tracker, document, guides, walls, shortcuts, text, styles,
// labels. writeOrder gives the shut-down order: styles, document, guides, isometric, labels,
// text, tracker, walls, shortcuts.
const PlotwisePanelRow kPanels[] = {kIsometricRow, kTrackerRow, kDocumentRow, kGuidesRow, kWallsRow,
                                    kShortcutsRow, kTextRow, kStylesRow, kLabelsRow};

const PlotwiseTimerRow kTimers[] = {
    {+[]() -> AITimerHandle& { return g->theLabelOptionsTimer; }, "theLabelOptionsTimer", 100, &LabelOptionsTimerAction},
};

// The set-scale tool: the press is the first click; a click without a drag is refused with
// message 17004, and after a drag the reference line is taken back before the dialog opens.
const ToolFamilyRoutines kSetScaleFamily{
    .mouseUp = +[](const PlotwiseToolRow& row) -> AIErr {
        g->didFirstClick = 0;
        if (!g->toolWasDragged) return RefuseClick(row, 4);
        if (AIErr err = sAIUndo->UndoChanges()) return err;
        return CallToolRoutine(row, &ToolRoutines::mouseUp);
    },
};
const ToolRoutines kSetScaleRoutines{.drag = &doSetScaleTool, .mouseUp = &doSetScaleDialog};
const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->setScaleTool; }, "Plotwise Set Scale", 55, 1, &kSetScaleFamily, 0, &kSetScaleRoutines},
};

// The document's scale settings and the layer list follow the documents, and the
// isometric panel the view a document brought (axonometric drawing took it up first).
AIErr DocumentChanged() {
    UpdateCADisometricWindowFromDocumentIsoViewPrefs();
    if (AIErr err = UpdateCADdocumentScaleSettings()) return err;
    return UpdateCADdocumentLayerList();
}

// Read before written: an opened document's own style is kept, a new one takes the current.
AIErr AfterNewOrOpen() {
    if (AIErr err = UpdateCADdocumentScaleSettings()) return err;
    if (AIErr err = SaveCADdocumentScaleSettings()) return err;
    return UpdateCADdocumentLayerList();
}

// The isometric panel's buttons and the panels that show the selected dimensions' style.
AIErr SelectionChanged() {
    if (AIErr err = RefreshCADisometricWindowButtons()) return err;
    return UpdatePalettesFromSelectedArt();
}

}  // namespace

// Each panel's constants: template, title (list 17450), popout menu, option heights and
// tab icon.
const PanelFrame kTrackerFrame = {&kTrackerRow, 16500, 9, 17000, 524, 144, 16517};
const PanelFrame kDocumentFrame = {&kDocumentRow, 16210, 2, 16250, 0, 0, 16514};
const PanelFrame kStylesFrame = {&kStylesRow, 16220, 1, 16260, 358, 93, 16511};
const PanelFrame kLabelsFrame = {&kLabelsRow, 16900, 5, 0, 0, 0, 16512};
const PanelFrame kTextFrame = {&kTextRow, 16930, 7, 17090, 358, 119, 16510};
const PanelFrame kShortcutsFrame = {&kShortcutsRow, 16350, 11, 16260, 278, 160, 16518};
const PanelFrame kGuidesFrame = {&kGuidesRow, kGuidesPanelID, 3, 0, 0, 0, 16513};
const PanelFrame kIsometricFrame = {&kIsometricRow, kIsometricPanelID, 4, 0, 0, 0, 16515};
const PanelFrame kWallsFrame = {&kWallsRow, kWallsPanelID, 10, 0, 0, 0, 16516};

extern const PlotwiseSubsystem kPanelsSubsystem = {
    .name = "panels",
    .tools = kTools,
    .panels = kPanels,
    .timers = kTimers,
    .hooks = {.documentOpened = &UpdateCADdocumentScaleSettings,
              .documentChanged = &DocumentChanged,
              .afterUndo = +[]() -> AIErr { return UpdateCADisometricWindowFromDocumentIsoViewPrefs(), kNoErr; },
              .afterNewOrOpen = &AfterNewOrOpen,
              .beforeSaveOrClose = &SaveCADdocumentScaleSettings,
              .afterSaveOrClose = &UpdateCADdocumentLayerList,
              .layerListChanged = &UpdateCADdocumentLayerList,
              .currentLayerChanged = &SelectCurrentLayerInCADdocumentLayerList,
              .selectionChanged = &SelectionChanged,
              .shutdown = &SaveUnsavedCADpresets},
    .services = {.openPresetsCatalog = &OpenCADpresetsCatalog,
                 .updateDimensionIncrementFld = &UpdateDimensionIncrementFld,
                 .updateLabelIncrementFld = &UpdateLabelIncrementFld},
};
