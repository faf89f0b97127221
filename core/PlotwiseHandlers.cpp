// The handlers of notifications, timers, menus, the annotator and workspace requests, each
// dispatching through a table that names the global handle it compares.
#include <cstdio>
#include <initializer_list>
#include <cstring>
#include <memory>

#include "DimensionStorage.h"
#include "PlotwisePlugin.h"
#include "PlotwisePrefs.h"
#include "PlotwiseSelection.h"
#include "PlotwiseStrings.h"
#include "PlotwiseSuites.h"

namespace {

using G = PlotwiseGlobals;
using P = preferences;

PlotwiseHooks gHooks{};

// Creation order: isometric, tracker, document, guides, walls, shortcuts, text, styles,
// labels. writeOrder gives the shut-down order: styles, document, guides, isometric, labels,
// text, tracker, walls, shortcuts.
PlotwisePanelRow gPanels[] = {
    {&G::CADisometricWindow, "CADisometric", nullptr, nullptr, 4, &G::showCADisometricMenuItem, 43, 44,
     nullptr, nullptr, nullptr},
    {&G::CADtrackerWindow, "CADtracker", nullptr, nullptr, 7, &G::showCADtrackerMenuItem, 18, 19,
     &P::trackerLoc, &P::trackerDockCode, &P::trackerDockGroup},
    {&G::CADdocumentWindow, "CADdocument", nullptr, nullptr, 2, &G::showCADdocumentMenuItem, 4, 5,
     &P::CADdocumentLoc, &P::CADdocumentDockCode, &P::CADdocumentDockGroup},
    {&G::CADguidesWindow, "CADguides", nullptr, nullptr, 3, &G::showCADguidesMenuItem, 45, 46, nullptr,
     nullptr, nullptr},
    {&G::CADwallsWindow, "CADwalls", nullptr, nullptr, 8, &G::showCADwallsMenuItem, 47, 48, nullptr, nullptr,
     nullptr},
    {&G::CADshortcutsWindow, "CADshortcuts", nullptr, nullptr, 9, &G::showCADshortcutsMenuItem, 33, 34,
     &P::CADshortcutsLoc, &P::CADshortcutsDockCode, &P::CADshortcutsDockGroup},
    {&G::CADtextWindow, "CADtext", nullptr, nullptr, 6, &G::showCADtextMenuItem, 14, 15, &P::CADtextLoc,
     &P::CADtextDockCode, &P::CADtextDockGroup},
    {&G::CADattributesWindow, "CADattributes", nullptr, nullptr, 1, &G::showCADattributesMenuItem, 2, 3,
     &P::CADattributesLoc, &P::CADattributesDockCode, &P::CADattributesDockGroup},
    {&G::CADlabelsWindow, "CADlabels", nullptr, nullptr, 5, &G::showCADlabelsMenuItem, 10, 11,
     &P::CADlabelsLoc, &P::CADlabelsDockCode, &P::CADlabelsDockGroup},
};
constexpr size_t kPanelCount = sizeof gPanels / sizeof gPanels[0];

AIErr RestoreTaggedSelection();

PlotwiseTimerRow gTimers[] = {
    {&G::theTimer, "theTimer", 10, &RestoreTaggedSelection},
    {&G::theLabelOptionsTimer, "theLabelOptionsTimer", 100, nullptr},
    {&G::primitiveDragTimer, "primitiveDragTimer", 5, nullptr},
    {&G::primitiveMouseupTimer, "primitiveMouseupTimer", 15, nullptr},
    {&G::selectTextTimer, "selectTextTimer", 1, nullptr},
};
constexpr size_t kTimerCount = sizeof gTimers / sizeof gTimers[0];

PlotwiseMenuRow gMenus[] = {
    {&G::AutoDimensionDocumentMenuItem, "Plotwise Auto Dimension Document", kObjectUtilsMenuGroup, 40, nullptr},
    {&G::AutoDimensionSelectionMenuItem, "Plotwise Auto Dimension Selection", kObjectUtilsMenuGroup, 41,
     nullptr},
    {&G::UpdateDimensionsMenuItem, "Plotwise Update Dimensions", kObjectUtilsMenuGroup, 42,
     nullptr},
};
constexpr size_t kMenuCount = sizeof gMenus / sizeof gMenus[0];

PlotwiseAnnotation gAnnotations[8] = {};

// The host notifications the core listens to.
struct NotifierRow {
    AINotifierHandle PlotwiseGlobals::*handle;
    const char* name;
    const char* type;
    AIErr (*action)(AINotifierMessage*);
};

AIErr ApplicationStarted(AINotifierMessage*);
AIErr ApplicationShutdown(AINotifierMessage*);
AIErr DocumentChanged(AINotifierMessage*);
AIErr SelectionChanged(AINotifierMessage*);
AIErr CurrentLayerChanged(AINotifierMessage*);

template <AIErr (*PlotwiseHooks::*Hook)()>
AIErr RunHook(AINotifierMessage*) {
    auto hook = gHooks.*Hook;
    return hook ? hook() : kNoErr;
}

const NotifierRow kNotifiers[] = {
    {&G::appStartedNotifier, "Plotwise Application Started", kAIApplicationStartedNotifier, &ApplicationStarted},
    {&G::appShutdownNotifier, "Plotwise Application Shutdown", kAIApplicationShutdownNotifier,
     &ApplicationShutdown},
    {&G::documentOpenedNotifier, "Plotwise Document Opened", kAIDocumentOpenedNotifier,
     &RunHook<&PlotwiseHooks::documentOpened>},
    {&G::documentChangedNotifier, "Plotwise Document Changed", kAICurrentDocumentChangedNotifier,
     &DocumentChanged},
    {&G::documentViewChangedNotifier, "Plotwise Document View Changed", kAIDocumentViewChangedNotifier,
     &RunHook<&PlotwiseHooks::documentViewChanged>},
    {&G::afterUndoNotifier, "Plotwise After Undo", kAIAfterUndoNotifier, &RunHook<&PlotwiseHooks::afterUndo>},
    {&G::beforeNewNotifier, "Plotwise Before New", kAIBeforeNewNotifier, nullptr},
    {&G::afterNewNotifier, "Plotwise After New", kAIAfterNewNotifier, &RunHook<&PlotwiseHooks::afterNewOrOpen>},
    {&G::beforeOpenNotifier, "Plotwise Before Open", kAIBeforeOpenNotifier, nullptr},
    {&G::afterOpenNotifier, "Plotwise After Open", kAIAfterOpenNotifier, &RunHook<&PlotwiseHooks::afterNewOrOpen>},
    {&G::beforeSaveNotifier, "Plotwise Before Save", kAIBeforeSaveNotifier,
     &RunHook<&PlotwiseHooks::beforeSaveOrClose>},
    {&G::afterSaveNotifier, "Plotwise After Save", kAIAfterSaveNotifier,
     &RunHook<&PlotwiseHooks::afterSaveOrClose>},
    {&G::beforeCloseNotifier, "Plotwise Before Close", kAIBeforeCloseNotifier,
     &RunHook<&PlotwiseHooks::beforeSaveOrClose>},
    {&G::afterCloseNotifier, "Plotwise After Close", kAIAfterCloseNotifier,
     &RunHook<&PlotwiseHooks::afterSaveOrClose>},
    {&G::afterPasteMenuCommandChangedNotifier, "Plotwise After Paste", kAIAfterPasteNotifier,
     &RunHook<&PlotwiseHooks::afterPaste>},
    {&G::layerOptionsNotifier, "Plotwise Layer Options", kAILayerOptionsNotifier,
     &RunHook<&PlotwiseHooks::layerListChanged>},
    {&G::layerSetNotifier, "Plotwise Layer Set", kAILayerListChangedNotifier,
     &RunHook<&PlotwiseHooks::layerListChanged>},
    {&G::currentLayerNotifier, "Plotwise Current Layer", kAICurrentLayerNotifier, &CurrentLayerChanged},
    {&G::artSelectionChangedNotifier, "Plotwise Art Selection Changed", kAIArtSelectionChangedNotifier,
     &SelectionChanged},
};

// --- notifications ---

AIErr ApplicationStarted(AINotifierMessage*) {
    if (g->unsupportedHostVersion) {
        // Start-up stopped at the version check; only the user can mend this.
        // Only the notifier suite is held, so the alert suite is taken for this message.
        const void* suite = nullptr;
        if (!g->basic) return kBadParameterErr;
        if (AIErr err = g->basic->AcquireSuite(kADMBasicSuite, kADMBasicSuiteVersion, &suite)) return err;
        const auto* admBasic = static_cast<const ADMBasicSuite*>(suite);
        char text[512] = {};
        const int32_t index = g->appVersion < kSupportedHostMajorVersion ? 75 : 74;
        admBasic->GetIndexString(g->thisPlugin, 17000, index, text, static_cast<int32_t>(sizeof text));
        admBasic->MessageAlert(text);
        return g->basic->ReleaseSuite(kADMBasicSuite, kADMBasicSuiteVersion);
    }
    for (const PlotwisePanelRow& panel : gPanels)
        if (panel.create)
            if (AIErr err = panel.create()) return err;
    return kNoErr;
}

AIErr ApplicationShutdown(AINotifierMessage*) {
    if (g->unsupportedHostVersion) return kNoErr;
    for (int16_t order = 1; order <= static_cast<int16_t>(kPanelCount); ++order)
        for (const PlotwisePanelRow& panel : gPanels)
            if (panel.writeOrder == order && g->*panel.window && panel.writePrefs)
                if (AIErr err = panel.writePrefs()) return err;
    return WritePrefs();
}

AIErr DocumentChanged(AINotifierMessage*) {
    g->dimensionLayer = nullptr;
    AILayerHandle layer = nullptr;
    AIErr err = sAILayer->GetLayerByTitle(&layer, "Dimension Layer");
    if (!err) g->dimensionLayer = layer;
    else if (err != kNoSuchKey && err != kNoDocumentErr && err != kStaleHandleErr) return err;
    g->saveLayer = nullptr;
    g->firstArt = nullptr;
    g->prefs.style.id = GetHighestDimensionID();
    return gHooks.documentChanged ? gHooks.documentChanged() : kNoErr;
}

AIErr SelectionChanged(AINotifierMessage*) {
    if (g->theTimer) {
        ASBoolean active = false;
        if (AIErr err = sAITimer->GetTimerActive(g->theTimer, &active)) return err;
        if (active) return kNoErr;  // the restore is still to come
    }
    return gHooks.selectionChanged ? gHooks.selectionChanged() : kNoErr;
}

AIErr CurrentLayerChanged(AINotifierMessage*) {
    if (!gHooks.currentLayerChanged) return kNoErr;
    AILayerHandle layer = nullptr;
    if (AIErr err = sAILayer->GetCurrentLayer(&layer)) return err;
    return gHooks.currentLayerChanged(layer);
}

// --- timers ---

AIErr RestoreTaggedSelection() {
    if (AIErr err = DeselectAllArt()) return err;
    if (g->selectionRestoreLayer) {
        AIErr err = sAILayer->SetCurrentLayer(g->selectionRestoreLayer);
        g->selectionRestoreLayer = nullptr;
        if (err) return err;
    }
    if (AIErr err = selectTaggedArt()) return err;
    if (gHooks.selectionRestored)
        if (AIErr err = gHooks.selectionRestored()) return err;
    g->trackerTransformComplete = 0;
    return kNoErr;
}

// --- menus ---

const PlotwisePanelRow* PanelOfMenuItem(AIMenuItemHandle item) {
    for (const PlotwisePanelRow& panel : gPanels)
        if (item && g->*panel.menuItem == item) return &panel;
    return nullptr;
}

// --- workspace ---

AIErr GiveWorkspacePlacement(AIWorkspaceHandle ws, const PlotwisePanelRow& panel, ADMDialogRef dialog,
                             const preferences& p) {
    const AIRealPoint where = p.*panel.loc;
    if (AIErr err = sAIWorkspace->SetWorkspacePoint(ws, panel.dialogName, "Location", where)) return err;
    if (AIErr err = sAIWorkspace->SetWorkspaceString(ws, panel.dialogName, "DockGroup", p.*panel.dockGroup))
        return err;
    if (AIErr err = sAIWorkspace->SetWorkspaceInteger(ws, panel.dialogName, "DockCode", p.*panel.dockCode))
        return err;
    const ASBoolean visible = sADMDialog->IsVisible(dialog);
    if (AIErr err = sAIWorkspace->SetWorkspaceBoolean(ws, panel.dialogName, "Visible", visible)) return err;
    return sADMDialog->Move(dialog, static_cast<int32_t>(where.h), static_cast<int32_t>(where.v));
}

}  // namespace

PlotwisePanelRow* PlotwisePanelTable(size_t* count) {
    if (count) *count = kPanelCount;
    return gPanels;
}
PlotwiseTimerRow* PlotwiseTimerTable(size_t* count) {
    if (count) *count = kTimerCount;
    return gTimers;
}
PlotwiseMenuRow* PlotwiseMenuTable(size_t* count) {
    if (count) *count = kMenuCount;
    return gMenus;
}
PlotwiseAnnotation* PlotwiseAnnotationTable(size_t* count) {
    if (count) *count = sizeof gAnnotations / sizeof gAnnotations[0];
    return gAnnotations;
}
PlotwiseHooks& PlotwiseHookTable() { return gHooks; }

AIErr AddNotifiers() {
    for (const NotifierRow& row : kNotifiers) {
        if (g->*row.handle) continue;
        if (AIErr err = sAINotifier->AddNotifier(g->thisPlugin, row.name, row.type, &(g->*row.handle)))
            return err;
    }
    return kNoErr;
}

AIErr AddTimers() {
    for (const PlotwiseTimerRow& row : gTimers) {
        if (g->*row.handle) continue;
        if (AIErr err = sAITimer->AddTimer(g->thisPlugin, row.name, row.period, &(g->*row.handle))) return err;
        if (AIErr err = sAITimer->SetTimerActive(g->*row.handle, false)) return err;
    }
    return kNoErr;
}

AIErr AddMenus() {
    char text[kAIMenuTextSize];
    for (const PlotwiseMenuRow& row : gMenus) {
        if (g->*row.handle) continue;
        GetPlotwiseString(17350, row.textIndex, text, sizeof text);
        AIPlatformAddMenuItemData data{row.group, text[0] ? text : row.name};
        if (AIErr err = sAIMenu->AddMenuItem(g->thisPlugin, row.name, &data, kMenuItemNoOptions, &(g->*row.handle)))
            return err;
    }
    for (const PlotwisePanelRow& panel : gPanels) {
        if (g->*panel.menuItem) continue;
        char name[96];
        std::snprintf(name, sizeof name, "Plotwise Show %s", panel.dialogName);
        GetPlotwiseString(17350, panel.showString, text, sizeof text);
        AIPlatformAddMenuItemData data{kWindowUtilsMenuGroup, text[0] ? text : name};
        if (AIErr err = sAIMenu->AddMenuItem(g->thisPlugin, name, &data, kMenuItemWantsUpdateOption,
                                             &(g->*panel.menuItem)))
            return err;
    }
    return kNoErr;
}

AIErr AddAnnotator() {
    if (g->annotator) return kNoErr;
    return sAIAnnotator->AddAnnotator(g->thisPlugin, "Plotwise Annotator", &g->annotator);
}

AIErr trackCursorInRulerAnnotator() {
    if (!sAIDocumentView || !sAIAnnotator) return kNoErr;
    int32_t views = 0;
    if (AIErr err = sAIDocumentView->CountDocumentViews(&views)) return err == kNoDocumentErr ? kNoErr : err;
    for (int32_t i = 0; i < views; ++i) {
        AIDocumentViewHandle view = nullptr;
        if (AIErr err = sAIDocumentView->GetNthDocumentView(i, &view)) return err;
        for (const AIRealRect& r : {g->hRulerRect, g->vRulerRect}) {
            const AIRect rect{static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
                              static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)};
            (void)sAIAnnotator->InvalAnnotationRect(view, &rect);
        }
    }
    return kNoErr;
}

AIErr doNotifier(AINotifierMessage* message) {
    if (!message) return kBadParameterErr;
    for (const NotifierRow& row : kNotifiers)
        if (message->notifier && g->*row.handle == message->notifier)
            return row.action ? row.action(message) : kNoErr;
    return kNoErr;
}

AIErr doTimer(AITimerMessage* message) {
    if (!message) return kBadParameterErr;
    for (const PlotwiseTimerRow& row : gTimers) {
        if (!message->timer || g->*row.handle != message->timer) continue;
        // One-shot: off first, so the action may switch it on again.
        if (AIErr err = sAITimer->SetTimerActive(message->timer, false)) return err;
        return row.action ? row.action() : kNoErr;
    }
    return kNoErr;
}

AIErr goMenuItem(AIMenuMessage* message) {
    if (!message) return kBadParameterErr;
    for (const PlotwiseMenuRow& row : gMenus)
        if (message->menuItem && g->*row.handle == message->menuItem) return row.action ? row.action() : kNoErr;
    if (const PlotwisePanelRow* panel = PanelOfMenuItem(message->menuItem)) {
        ADMDialogRef dialog = g->*panel->window;
        if (!dialog) return kNoErr;
        return sADMDialog->Show(dialog, !sADMDialog->IsVisible(dialog));
    }
    return kNoErr;
}

AIErr updateMenuItem(AIMenuMessage* message) {
    if (!message) return kBadParameterErr;
    for (const PlotwisePanelRow& panel : gPanels) {
        ADMDialogRef dialog = g->*panel.window;
        AIMenuItemHandle item = g->*panel.menuItem;
        if (!dialog || !item) continue;
        char text[kAIMenuTextSize];
        const bool visible = sADMDialog->IsVisible(dialog);
        GetPlotwiseString(17350, visible ? panel.hideString : panel.showString, text, sizeof text);
        if (text[0])
            if (AIErr err = sAIMenu->SetItemText(item, text)) return err;
    }
    return kNoErr;
}

AIErr doAnnotator(AIAnnotatorMessage* message) {
    if (!message) return kBadParameterErr;
    for (PlotwiseAnnotation draw : gAnnotations)
        if (draw)
            if (AIErr err = draw(message->view, message->drawer)) return err;
    return kNoErr;
}

AIErr WriteWorkspace(AIWorkspaceMessage* message) {
    if (!message) return kBadParameterErr;
    for (const PlotwisePanelRow& panel : gPanels)
        if (g->*panel.window && panel.writePrefs)
            if (AIErr err = panel.writePrefs()) return err;
    return kNoErr;
}

AIErr RestoreWorkspace(AIWorkspaceMessage* message) {
    if (!message) return kBadParameterErr;
    return kNoErr;  // panels place themselves from their preferences when created
}

AIErr GetDefaultPaletteInformationForAWorkspace(AIWorkspaceMessage* message) {
    if (!message) return kBadParameterErr;
    auto defaults = std::make_unique<preferences>();
    SetDefaultPrefs(*defaults);
    for (const PlotwisePanelRow& panel : gPanels) {
        ADMDialogRef dialog = g->*panel.window;
        if (!dialog || !panel.loc) continue;
        const char* name = nullptr;
        if (AIErr err = sADMDialog->GetDialogName(dialog, &name)) return err;
        if (!name || std::strcmp(name, panel.dialogName) != 0) continue;
        if (AIErr err = GiveWorkspacePlacement(message->workspace, panel, dialog, *defaults)) return err;
    }
    return kNoErr;
}
