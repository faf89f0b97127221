// The handlers of notifications, timers, menus, the annotator and workspace requests, each
// dispatching through a table that names the global handle it compares.
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <cstring>
#include <memory>
#include <vector>

#include "core/DrawingSettings.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwisePanelPlacement.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwisePrefs.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "core/UndoSteps.h"

namespace {

using G = CoreGlobals;
using P = preferences;

constexpr GlobalsView<CoreGlobals> g;

// Messages of list 17000 that say why start-up stopped at the host's version.
constexpr int32_t kHostNotSupportedMessage = 74;
constexpr int32_t kHostTooOldMessage = 75;

const PlotwiseTimerRow kCoreTimers[] = {
    {+[]() -> AITimerHandle& { return g->theTimer; }, "theTimer", 10, &RestoreTaggedSelection},
};

// The host notifications the core listens to.
struct NotifierRow {
    AINotifierHandle CoreGlobals::*handle;
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
    return RunPlotwiseHooks(Hook);
}

// A selection waiting to come back does so before its drawing is written, closed or put
// behind a new or opened one, as theTimer would have done it (no step of undo of its own):
// the tag that keeps it is no record of the document's, and the restore must not meet
// another document brought to the front.
AIErr BeforeDocumentCommand(AINotifierMessage*) {
    if (AIErr err = FinishSelectionRestore()) return err;
    KeepHeldBackWork();
    return kNoErr;
}

// Nor is a tag that something else left (an undo past the command that dropped it) written.
AIErr BeforeSaveOrClose(AINotifierMessage* message) {
    if (AIErr err = BeforeDocumentCommand(message)) return err;
    if (AIErr err = selectTaggedArt(/*reselect=*/false)) return err;
    return RunPlotwiseHooks(&PlotwiseHooks::beforeSaveOrClose);
}

// An undo or redo ends a restore of the selection still waiting, and the settings the step
// recorded come back, shown by the panels, before the subsystems follow (and end what else
// they had in hand).
AIErr AfterUndoOrRedo(AINotifierMessage*) {
    if (AIErr err = EndSelectionRestoreAtUndo()) return err;
    if (TakeSettingsFromDrawing())
        if (AIErr err = RunPlotwiseHooks(&PlotwiseHooks::settingsTaken)) return err;
    return RunPlotwiseHooks(&PlotwiseHooks::afterUndo);
}

AIErr AfterNew(AINotifierMessage*) {
    if (AIErr err = RunPlotwiseHooks(&PlotwiseHooks::documentNew)) return err;
    return RunPlotwiseHooks(&PlotwiseHooks::afterNewOrOpen);
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
    {&G::afterUndoNotifier, "Plotwise After Undo", kAIAfterUndoNotifier, &AfterUndoOrRedo},
    // A redo brings back content as an undo does, and is followed alike.
    {&G::afterRedoNotifier, "Plotwise After Redo", kAIAfterRedoNotifier, &AfterUndoOrRedo},
    {&G::beforeNewNotifier, "Plotwise Before New", kAIBeforeNewNotifier, &BeforeDocumentCommand},
    {&G::afterNewNotifier, "Plotwise After New", kAIAfterNewNotifier, &AfterNew},
    {&G::beforeOpenNotifier, "Plotwise Before Open", kAIBeforeOpenNotifier, &BeforeDocumentCommand},
    {&G::afterOpenNotifier, "Plotwise After Open", kAIAfterOpenNotifier, &RunHook<&PlotwiseHooks::afterNewOrOpen>},
    {&G::beforeSaveNotifier, "Plotwise Before Save", kAIBeforeSaveNotifier, &BeforeSaveOrClose},
    {&G::afterSaveNotifier, "Plotwise After Save", kAIAfterSaveNotifier,
     &RunHook<&PlotwiseHooks::afterSaveOrClose>},
    {&G::beforeCloseNotifier, "Plotwise Before Close", kAIBeforeCloseNotifier, &BeforeSaveOrClose},
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
        const int32_t index = g->appVersion < kSupportedHostMajorVersion ? kHostTooOldMessage : kHostNotSupportedMessage;
        admBasic->GetIndexString(g->thisPlugin, kMessageList, index, text, static_cast<int32_t>(sizeof text));
        admBasic->MessageAlert(text);
        return g->basic->ReleaseSuite(kADMBasicSuite, kADMBasicSuiteVersion);
    }
    for (const PlotwisePanelRow* panel : PlotwisePanels())
        if (panel->create)
            if (AIErr err = panel->create()) return err;
    return RunPlotwiseHooks(&PlotwiseHooks::applicationStarted);
}

// Each panel's placement, then the preferences, are written whatever another of them met:
// a placement that could not be written (memory ran out, say) still lets the preferences
// be written. The first error is the answer.
AIErr ApplicationShutdown(AINotifierMessage*) {
    if (g->unsupportedHostVersion) return kNoErr;
    FirstError first;
    first.Step([&] {
        auto panels = PlotwisePanels();
        std::stable_sort(panels.begin(), panels.end(), [](const PlotwisePanelRow* a, const PlotwisePanelRow* b) {
            return a->writeOrder < b->writeOrder;
        });
        for (const PlotwisePanelRow* panel : panels)
            if (panel->window() && panel->writePrefs) first.Step(panel->writePrefs);
        return kNoErr;
    });
    first.Step(WriteKeptPrefs);
    return first.err;
}

AIErr DocumentChanged(AINotifierMessage*) {
    g->saveLayer = nullptr;
    g->firstArt = nullptr;
    // The command in progress worked on art of the document that was in front: it ends.
    if (AIErr err = EndToolCommand(g->curTool)) return err;
    return RunPlotwiseHooks(&PlotwiseHooks::documentChanged);
}

// While a restore waits, the plug-in's own changes of the selection are no news: the restore
// is still to come. The user's selection made meanwhile is, and wins: the timer stops, and the
// tags go at the user's next command, inside its step (dropped now, after the user's own
// step, they would be a step of undo of their own).
AIErr SelectionChanged(AINotifierMessage*) {
    if (SelectionRestoreWaits()) {
        if (!g->selectionChosenByUser) return kNoErr;
        if (g->theTimer)
            if (AIErr err = sAITimer->SetTimerActive(g->theTimer, false)) return err;
    }
    return RunPlotwiseHooks(&PlotwiseHooks::selectionChanged);
}

AIErr CurrentLayerChanged(AINotifierMessage*) {
    bool wanted = false;
    for (const PlotwiseSubsystem* s : PlotwiseSubsystems()) wanted = wanted || s->hooks.currentLayerChanged;
    if (!wanted) return kNoErr;
    AILayerHandle layer = nullptr;
    if (AIErr err = sAILayer->GetCurrentLayer(&layer)) return err;
    return RunPlotwiseHooks(&PlotwiseHooks::currentLayerChanged, layer);
}

// --- menus ---

const PlotwisePanelRow* PanelOfMenuItem(AIMenuItemHandle item) {
    for (const PlotwisePanelRow* panel : PlotwisePanels())
        if (item && panel->menuItem() == item) return panel;
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
    if (AIErr err = sADMDialog->Move(dialog, static_cast<int32_t>(where.h), static_cast<int32_t>(where.v)))
        return err;
    return JoinPanelDockGroup(panel, dialog, p);
}

}  // namespace

const PlotwiseSubsystem kCoreSubsystem = {
    .name = "core",
    .timers = kCoreTimers,
};

AIErr AddNotifiers() {
    for (const NotifierRow& row : kNotifiers) {
        AINotifierHandle& handle = (*g).*row.handle;
        if (handle) continue;
        if (AIErr err = sAINotifier->AddNotifier(g->thisPlugin, row.name, row.type, &handle))
            return err;
    }
    return kNoErr;
}

AIErr AddTimers() {
    for (const PlotwiseTimerRow* row : AllRows(&PlotwiseSubsystem::timers)) {
        AITimerHandle& handle = row->handle();
        if (handle) continue;
        if (AIErr err = sAITimer->AddTimer(g->thisPlugin, row->name, row->period, &handle)) return err;
        if (AIErr err = sAITimer->SetTimerActive(handle, false)) return err;
    }
    return kNoErr;
}

AIErr AddMenus() {
    char text[kAIMenuTextSize];
    // In the order of their texts in the menu list, whichever subsystem owns them.
    auto menus = AllRows(&PlotwiseSubsystem::menus);
    std::stable_sort(menus.begin(), menus.end(),
                     [](const PlotwiseMenuRow* a, const PlotwiseMenuRow* b) { return a->textIndex < b->textIndex; });
    for (const PlotwiseMenuRow* row : menus) {
        AIMenuItemHandle& handle = row->handle();
        if (handle) continue;
        GetPlotwiseString(kCommandTextList, row->textIndex, text, sizeof text);
        AIPlatformAddMenuItemData data{row->group, text[0] ? text : row->name};
        if (AIErr err = sAIMenu->AddMenuItem(g->thisPlugin, row->name, &data, kMenuItemNoOptions, &handle))
            return err;
    }
    for (const PlotwisePanelRow* panel : PlotwisePanels()) {
        AIMenuItemHandle& handle = panel->menuItem();
        if (handle) continue;
        char name[96];
        std::snprintf(name, sizeof name, "Plotwise Show %s", panel->dialogName);
        GetPlotwiseString(kCommandTextList, panel->showString, text, sizeof text);
        AIPlatformAddMenuItemData data{kWindowUtilsMenuGroup, text[0] ? text : name};
        if (AIErr err = sAIMenu->AddMenuItem(g->thisPlugin, name, &data, kMenuItemWantsUpdateOption, &handle))
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

AIErr FollowCursorInAnnotator(const AIRealPoint* cursor) {
    if (!g) return kNoErr;
    g->annotatorCursorKnown = cursor ? 1 : 0;
    if (cursor) g->annotatorCursor = *cursor;
    if (AIErr err = RunPlotwiseHooks(&PlotwiseHooks::annotatorCursorMoved, cursor)) return err;
    if (!sAIAnnotator) return kNoErr;
    // The crosshair and the information box reach across the whole view.
    constexpr int32_t kEverywhere = 1 << 30;
    const AIRect all{-kEverywhere, -kEverywhere, kEverywhere, kEverywhere};
    return sAIAnnotator->InvalAnnotationRect(nullptr, &all);
}

AIErr doNotifier(AINotifierMessage* message) {
    if (!message) return kBadParameterErr;
    for (const NotifierRow& row : kNotifiers)
        if (message->notifier && (*g).*row.handle == message->notifier)
            return row.action ? row.action(message) : kNoErr;
    return kNoErr;
}

namespace {

// One-shot: off first, so the action may switch it on again.
AIErr FireTimer(const PlotwiseTimerRow& row) {
    if (AIErr err = sAITimer->SetTimerActive(row.handle(), false)) return err;
    return row.action ? row.action() : kNoErr;
}

}  // namespace

AIErr doTimer(AITimerMessage* message) {
    if (!message) return kBadParameterErr;
    for (const PlotwiseTimerRow* row : AllRows(&PlotwiseSubsystem::timers))
        if (message->timer && row->handle() == message->timer) return FireTimer(*row);
    return kNoErr;
}

void RunWaitingTimers() {
    if (!g || !sAITimer) return;
    for (const PlotwiseTimerRow* row : AllRows(&PlotwiseSubsystem::timers)) {
        ASBoolean active = false;
        if (!row->handle() || sAITimer->GetTimerActive(row->handle(), &active) != kNoErr || !active) continue;
        // As when the timer fires: what stops its work is told, and the user's work goes on.
        NoteHostError("Plotwise", FireTimer(*row));
    }
}

void FollowFrontDrawingIfChanged() {
    if (!g || !sAILayer || g->mouseIsDown || g->updatingDimensions || ToolCommandGoesOn()) return;
    DocumentStamp now;
    AILayerHandle layer = nullptr;
    if (!CurrentDocumentStamp(&now)) now = {};  // no document
    if (sAILayer->GetCurrentLayer(&layer) != kNoErr) layer = nullptr;
    if (now == g->drawingFollowed && layer == g->currentLayerFollowed) return;
    g->drawingFollowed = now;
    g->currentLayerFollowed = layer;
    NoteDrawingSettings();
    NoteHostError("Plotwise", RunPlotwiseHooks(&PlotwiseHooks::frontDrawingChanged));
}

AIErr goMenuItem(AIMenuMessage* message) {
    if (!message) return kBadParameterErr;
    for (const PlotwiseMenuRow* row : AllRows(&PlotwiseSubsystem::menus))
        if (message->menuItem && row->handle() == message->menuItem) return row->action ? row->action() : kNoErr;
    if (const PlotwisePanelRow* panel = PanelOfMenuItem(message->menuItem)) {
        ADMDialogRef dialog = panel->window();
        if (!dialog) return kNoErr;
        return sADMDialog->Show(dialog, !sADMDialog->IsVisible(dialog));
    }
    return kNoErr;
}

AIErr updateMenuItem(AIMenuMessage* message) {
    if (!message) return kBadParameterErr;
    for (const PlotwisePanelRow* panel : PlotwisePanels()) {
        ADMDialogRef dialog = panel->window();
        AIMenuItemHandle item = panel->menuItem();
        if (!dialog || !item) continue;
        // The user may have docked the panel elsewhere since: keep what the host reports.
        if (panel->dockGroup)
            if (AIErr err = ReadPanelDockGroup(*panel, dialog, g->prefs)) return err;
        char text[kAIMenuTextSize];
        const bool visible = sADMDialog->IsVisible(dialog);
        GetPlotwiseString(kCommandTextList, visible ? panel->hideString : panel->showString, text, sizeof text);
        if (text[0])
            if (AIErr err = sAIMenu->SetItemText(item, text)) return err;
    }
    return kNoErr;
}

AIErr doAnnotator(AIAnnotatorMessage* message) {
    if (!message) return kBadParameterErr;
    for (const PlotwiseAnnotation* draw : AllRows(&PlotwiseSubsystem::annotations))
        if (*draw)
            if (AIErr err = (*draw)(message->view, message->drawer)) return err;
    return kNoErr;
}

AIErr WriteWorkspace(AIWorkspaceMessage* message) {
    if (!message) return kBadParameterErr;
    for (const PlotwisePanelRow* panel : PlotwisePanels())
        if (panel->window() && panel->writePrefs)
            if (AIErr err = panel->writePrefs()) return err;
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
    for (const PlotwisePanelRow* panel : PlotwisePanels()) {
        ADMDialogRef dialog = panel->window();
        if (!dialog || !panel->loc) continue;
        const char* name = nullptr;
        if (AIErr err = sADMDialog->GetDialogName(dialog, &name)) return err;
        if (!name || std::strcmp(name, panel->dialogName) != 0) continue;
        if (AIErr err = GiveWorkspacePlacement(message->workspace, *panel, dialog, *defaults)) return err;
    }
    return kNoErr;
}
