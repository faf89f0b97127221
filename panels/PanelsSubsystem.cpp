// What the floating panels register: one row per panel, with its show/hide command and the
// placement it keeps in the preferences, each panel's frame constants, the label-options
// timer, the host events the document panel follows (the document's scale settings, the
// layer list and the current layer), and the set-scale tool, which opens the panel's
// custom-scale dialog.
#include "core/PlotwiseAlerts.h"
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
#include "panels/PanelRefresh.h"
#include "panels/PanelsFromSelection.h"
#include "panels/PresetsCatalog.h"
#include "panels/ScaleSection.h"
#include "panels/SetScaleTool.h"
#include "panels/ShortcutsPanel.h"
#include "panels/StylesPanel.h"
#include "panels/TextPanel.h"
#include "panels/WallsPanel.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;
using P = preferences;

constexpr PlotwisePanelRow kIsometricRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADisometricWindow; },
    .dialogName = "CADisometric",
    .create = &CreateCADisometricWindow,
    .createOrder = 1,
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
    .collapseKey = "CADisometricCollapseState",
    .frame = &kIsometricFrame};

constexpr PlotwisePanelRow kDocumentRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADdocumentWindow; },
    .dialogName = "CADdocument",
    .create = &CreateCADdocumentWindow,
    .createOrder = 3,
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
    .height = &P::CADdocumentHeight,
    .frame = &kDocumentFrame};

constexpr PlotwisePanelRow kGuidesRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADguidesWindow; },
    .dialogName = "CADguides",
    .create = &CreateCADguidesWindow,
    .createOrder = 4,
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
    .collapseKey = "CADguidesCollapseState",
    .frame = &kGuidesFrame};

constexpr PlotwisePanelRow kWallsRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADwallsWindow; },
    .dialogName = "CADwalls",
    .create = &CreateCADwallsWindow,
    .createOrder = 5,
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
    .collapseKey = "CADwallsCollapseState",
    .frame = &kWallsFrame};

constexpr PlotwisePanelRow kShortcutsRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADshortcutsWindow; },
    .dialogName = "CADshortcuts",
    .create = &CreateCADshortcutsWindow,
    .createOrder = 6,
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
    .optionsKey = "showCADshortcutsOptions",
    .frame = &kShortcutsFrame};

constexpr PlotwisePanelRow kTextRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADtextWindow; },
    .dialogName = "CADtext",
    .create = &CreateCADtextWindow,
    .createOrder = 7,
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
    .optionsKey = "showCADtextOptions",
    .frame = &kTextFrame};

constexpr PlotwisePanelRow kStylesRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADattributesWindow; },
    .dialogName = "CADattributes",
    .create = &CreateCADattributesWindow,
    .createOrder = 8,
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
    .optionsKey = "showCADattributesOptions",
    .frame = &kStylesFrame};

constexpr PlotwisePanelRow kLabelsRow = {
    .window = +[]() -> ADMDialogRef& { return g->CADlabelsWindow; },
    .dialogName = "CADlabels",
    .create = &CreateCADlabelsWindow,
    .createOrder = 9,
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
    .collapseKey = "CADlabelsCollapseState",
    .frame = &kLabelsFrame};

// createOrder places the tracker's panel (its own subsystem's) second: isometric, tracker,
// document, guides, walls, shortcuts, text, styles, labels. writeOrder gives the shut-down
// order: styles, document, guides, isometric, labels, text, tracker, walls, shortcuts.
const PlotwisePanelRow kPanels[] = {kIsometricRow, kDocumentRow, kGuidesRow, kWallsRow,
                                    kShortcutsRow, kTextRow, kStylesRow, kLabelsRow};

const PlotwiseTimerRow kTimers[] = {
    {+[]() -> AITimerHandle& { return g->theLabelOptionsTimer; }, "theLabelOptionsTimer", 100, &LabelOptionsTimerAction},
};

// The set-scale tool: the press is the first click; a click without a drag is refused with
// message 17004, and after a drag the reference line is taken back before the dialog opens.
const ToolFamilyRoutines kSetScaleFamily{
    .mouseUp = +[](const PlotwiseToolRow& row) -> AIErr {
        g->didFirstClick = 0;
        if (!g->toolWasDragged) return RefuseClick(row, kClickAndDragMessage);
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

// Each panel's constants (template, title of list 17450, popout menu, option heights, tab
// icon) and what the shared refreshes ask of it.
const PanelFrame kDocumentFrame = {
    .row = &kDocumentRow,
    .dialogID = kDocumentPanelID,
    .titleIndex = 2,
    .popoutMenu = kDocumentPopoutMenu,
    .icon = 16514,
    .showPrefs = &RefreshCADdocumentWindowFromPrefs,
    .setupUnits = &SetupNumericInputUnitsPopup,
    .setupPrecision = &SetupNumericInputPrecisionPopup};
const PanelFrame kStylesFrame = {
    .row = &kStylesRow,
    .dialogID = kStylesPanelID,
    .titleIndex = 1,
    .popoutMenu = 16260,
    .shownHeight = 358,
    .hiddenHeight = 93,
    .icon = 16511,
    .styleControls = &StylesPanelControls,
    .followSelection = &RefreshCADattributesWindowFromSelection};
const PanelFrame kLabelsFrame = {
    .row = &kLabelsRow,
    .dialogID = kLabelsPanelID,
    .titleIndex = 5,
    .icon = 16512,
    .styleControls = &LabelsPanelControls,
    .followSelection = &RefreshCADlabelsWindowFromSelection};
const PanelFrame kTextFrame = {
    .row = &kTextRow,
    .dialogID = kTextPanelID,
    .titleIndex = 7,
    .popoutMenu = 17090,
    .shownHeight = 358,
    .hiddenHeight = 119,
    .icon = 16510,
    // The upper value's pair, then the lower's.
    .setupUnits =
        +[](ADMDialogRef dialog) {
            SetupUpperUnitsPopup(dialog);
            SetupLowerUnitsPopup(dialog);
        },
    .setupPrecision =
        +[](ADMDialogRef dialog) {
            SetupUpperPrecisionPopup(dialog);
            SetupLowerPrecisionPopup(dialog);
        },
    .styleControls = &TextPanelControls,
    .followSelection = &RefreshCADtextWindowFromSelection};
const PanelFrame kShortcutsFrame = {
    .row = &kShortcutsRow,
    .dialogID = kShortcutsPanelID,
    .titleIndex = 11,
    .popoutMenu = 16260,
    .shownHeight = 278,
    .hiddenHeight = 160,
    .icon = 16518,
    // Its master pair; the panel's buttons apply the master unit and precision elsewhere.
    .showPrefs = &SetupMasterUnitsUnitsPopup};
const PanelFrame kGuidesFrame = {
    .row = &kGuidesRow,
    .dialogID = kGuidesPanelID,
    .titleIndex = 3,
    .icon = 16513,
    .showPrefs = &RefreshCADguidesWindowFromPrefs,
    .showSettings = &ShowCADguidesWindowPrefs,
    .setupUnits = &setupRulerUnitsPopup,
    .setupPrecision = &SetupRulerPrecisionPopup};
const PanelFrame kIsometricFrame = {
    .row = &kIsometricRow,
    .dialogID = kIsometricPanelID,
    .titleIndex = 4,
    .icon = 16515,
    // The preset's view made current: its rotation and tilt come from the view's definition
    // (kept for the free view), and the art follows it.
    .showPrefs = &ShowAxoViewOfPrefs,
    .showSettings = +[](ADMDialogRef) { UpdateCADisometricWindowFromDocumentIsoViewPrefs(); },
    .followSelection = &RefreshCADisometricWindowFromSelection};
const PanelFrame kWallsFrame = {
    .row = &kWallsRow,
    .dialogID = kWallsPanelID,
    .titleIndex = 10,
    .icon = 16516,
    // Not a popup pair: the thickness in force, in the numeric-input unit and precision.
    .showPrefs = &ShowWallThickness,
    .setupUnits = &ShowWallThickness,
    .setupPrecision = &ShowWallThickness,
    .followSelection = &RefreshCADwallsWindowFromSelection};

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
              .selectionChanged = &SelectionChanged,
              .shutdown = &SaveUnsavedCADpresets,
              .frontDrawingChanged = &ShowDrawingScale,
              .settingsTaken = &ShowSettingsTaken},
    .services = {.openPresetsCatalog = &OpenCADpresetsCatalog,
                 .updateDimensionIncrementFld = &UpdateDimensionIncrementFld,
                 .updateLabelIncrementFld = &UpdateLabelIncrementFld},
};
