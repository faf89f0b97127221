// The entry point and the plug-in's life cycle: dispatch of every caller and selector pair
// to its one handler, start-up in its fixed order, shut-down, unload and reload, and the
// published suite.
#include <cstring>
#include <string>
#include <utility>

#include "core/ExceptionBoundary.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwisePrefs.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwisePublicSuite.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "core/PluginWork.h"
#include "core/UndoSteps.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

constexpr int32_t kAboutMessage = 76;  // the plug-in's name and maker

// Suites held outside the suite table: the host-version check and, on an unsupported host,
// the notifier suite that tells the user at application start.
struct BootSuites {
    SPBasicSuite* basic = nullptr;
    bool notifierHeld = false;
};
BootSuites gBoot;
bool gSuitesHeld = false;  // one acquisition of the suite table is ours

AIErr GetLayerScale(AILayerHandle layer, AIReal* scaler, char label[32]) {
    if (!g) return kBadParameterErr;
    if (auto layerScale = PlotwiseService().getLayerScale) return layerScale(layer, scaler, label);
    if (scaler) *scaler = g->prefs.scaler;
    if (label) CopyCString(label, 32, g->prefs.scaleStr);
    return kNoErr;
}

const PlotwiseSuite kPlotwiseSuiteProcs = {Guarded<&GetLayerScale>};

AIErr CheckHostVersion(SPBasicSuite* basic, int32_t* major) {
    const void* suite = nullptr;
    if (AIErr err = basic->AcquireSuite(kAIPluginSuite, kAIPluginSuiteVersion, &suite)) return err;
    int32_t minor = 0;
    AIErr err = static_cast<const AIPluginSuite*>(suite)->GetHostVersion(major, &minor);
    basic->ReleaseSuite(kAIPluginSuite, kAIPluginSuiteVersion);
    return err;
}

// On a host we do not support: only the application-started notifier, to tell the user.
AIErr RegisterVersionNotice(SPBasicSuite* basic) {
    const void* suite = nullptr;
    if (AIErr err = basic->AcquireSuite(kAINotifierSuite, kAINotifierSuiteVersion, &suite)) return err;
    gBoot.notifierHeld = true;
    sAINotifier = static_cast<AINotifierSuite*>(const_cast<void*>(suite));
    return sAINotifier->AddNotifier(g->thisPlugin, "Plotwise Application Started", kAIApplicationStartedNotifier,
                                    &g->appStartedNotifier);
}

void ReleaseBootSuites() {
    if (gBoot.notifierHeld && gBoot.basic) {
        gBoot.basic->ReleaseSuite(kAINotifierSuite, kAINotifierSuiteVersion);
        if (!gSuitesHeld) sAINotifier = nullptr;
    }
    gBoot.notifierHeld = false;
}

// Both suite tables, or neither.
AIErr AcquireSuites(SPBasicSuite* basic) {
    if (AIErr err = AcquirePlotwiseSuites(basic)) return err;
    if (AIErr err = AcquireLifeCycleSuites(basic)) {
        ReleasePlotwiseSuites();
        return err;
    }
    gSuitesHeld = true;
    return kNoErr;
}

void ReleaseHeldSuites() {
    ReleaseBootSuites();
    if (gSuitesHeld) {
        ReleaseLifeCycleSuites();
        ReleasePlotwiseSuites();
    }
    gSuitesHeld = false;
}

AIErr RegisterEverything() {
    if (AIErr err = AddNotifiers()) return err;
    if (AIErr err = AddTimers()) return err;
    if (AIErr err = AddTools()) return err;
    if (AIErr err = AddMenus()) return err;
    return AddAnnotator();
}

template <typename Message>
Message* As(void* message) {
    return static_cast<Message*>(message);
}

// One row per caller and selector pair; the handler's error is the entry point's result, and
// what it throws is answered with an error code (told to the user as a host error is).
struct Dispatch {
    const char* caller;
    const char* selector;
    AIErr (*handler)(void* message);
};

template <typename Message, AIErr (*Handler)(Message*)>
AIErr Call(void* message) noexcept {
    try {
        return Handler(As<Message>(message));
    } catch (...) {
        return ErrorOfEscapedException();
    }
}

const Dispatch kDispatch[] = {
    {kSPAccessCaller, kSPAccessUnloadSelector, &Call<SPAccessMessage, UnloadPlugin>},
    {kSPAccessCaller, kSPAccessReloadSelector, &Call<SPAccessMessage, ReloadPlugin>},
    {kSPInterfaceCaller, kSPInterfaceStartupSelector, &Call<SPInterfaceMessage, StartupPlugin>},
    {kSPInterfaceCaller, kSPInterfaceShutdownSelector, &Call<SPInterfaceMessage, ShutdownPlugin>},
    {kSPInterfaceCaller, kSPInterfaceAboutSelector, &Call<SPInterfaceMessage, AboutPlugin>},
    {kCallerAITool, kSelectorAISelectTool, &Call<AIToolMessage, toolSelect>},
    {kCallerAITool, kSelectorAIDeselectTool, &Call<AIToolMessage, toolDeselect>},
    {kCallerAITool, kSelectorAITrackToolCursor, &Call<AIToolMessage, toolTrackCursor>},
    {kCallerAITool, kSelectorAIToolMouseDown, &Call<AIToolMessage, toolMouseDown>},
    {kCallerAITool, kSelectorAIToolMouseDrag, &Call<AIToolMessage, toolMouseDrag>},
    {kCallerAITool, kSelectorAIToolMouseUp, &Call<AIToolMessage, toolMouseUp>},
    {kCallerAITool, kSelectorAIEditToolOptions, &Call<AIToolMessage, toolEditOptions>},
    {kCallerAITimer, kSelectorAIGoTimer, &Call<AITimerMessage, doTimer>},
    {kCallerAIMenu, kSelectorAIGoMenuItem, &Call<AIMenuMessage, goMenuItem>},
    {kCallerAIMenu, kSelectorAIUpdateMenuItem, &Call<AIMenuMessage, updateMenuItem>},
    {kCallerAINotifier, kSelectorAINotify, &Call<AINotifierMessage, doNotifier>},
    {kCallerAIAnnotation, kSelectorAIDrawAnnotation, &Call<AIAnnotatorMessage, doAnnotator>},
    {kCallerAIWorkspace, kSelectorAIWriteWorkspace, &Call<AIWorkspaceMessage, WriteWorkspace>},
    {kCallerAIWorkspace, kSelectorAIRestoreWorkspace, &Call<AIWorkspaceMessage, RestoreWorkspace>},
    {kCallerAIWorkspace, kSelectorAIDefaultWorkspace,
     &Call<AIWorkspaceMessage, GetDefaultPaletteInformationForAWorkspace>},
};

bool Equal(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }

// Messages that need the global record and the suites: everything but the life cycle.
bool NeedsRecord(const Dispatch& d) {
    return !Equal(d.caller, kSPAccessCaller) && !Equal(d.caller, kSPInterfaceCaller);
}

// What the user knows a message's work by: the command or tool, else the plug-in.
std::string WhatTheMessageDid(const char* caller, void* message) {
    char text[256] = {};
    if (Equal(caller, kCallerAIMenu) && sAIMenu &&
        sAIMenu->GetItemText(As<AIMenuMessage>(message)->menuItem, text, sizeof text) == kNoErr)
        return std::string("\"") + text + "\"";
    const char* title = nullptr;
    if (Equal(caller, kCallerAITool) && sAITool &&
        sAITool->GetToolTitle(As<AIToolMessage>(message)->tool, &title) == kNoErr && title)
        return std::string("\"") + title + "\"";
    return "Plotwise";
}

// A message of the plug-in's own work: a host error that stopped it is told in words, and
// so is whatever it could not use as it stood; the error is still the host's answer.
// While it runs, its work is the one the tools' refusals name.
AIErr Handle(const Dispatch& d, const char* caller, void* message) {
    JoinStepCarriedOn(caller, message);
    const std::string what = WhatTheMessageDid(caller, message);
    std::string outer = std::exchange(g->workInHand, what);
    const bool press = Equal(caller, kCallerAITool) && Equal(d.selector, kSelectorAIToolMouseDown);
    const bool command = Equal(caller, kCallerAIMenu) && Equal(d.selector, kSelectorAIGoMenuItem);
    const WorkKind kind = press                                ? WorkKind::kPress
                          : command                            ? WorkKind::kCommand
                          : Equal(caller, kCallerAINotifier) ? WorkKind::kFollowUp
                                                               : WorkKind::kOther;
    const PluginWork work{kind, /*followAtStart=*/true};
    const bool outerRanOut = std::exchange(g->memoryRanOut, false);
    g->gestureRefused = false;
    AIErr err = d.handler(message);
    if (!g) return err;
    NoteStepToCarryOn(caller, d.selector);
    // Memory that ran out in a procedure the host called meanwhile (told there) stopped part
    // of the work: the host hears so. Art refused on a closed layer: the layer is named as
    // the tools name it (the current one, else the user's drawing layer).
    const bool ranOut = std::exchange(g->memoryRanOut, outerRanOut);
    if (ranOut) err = kOutOfMemoryErr;
    const bool told = ranOut || (err == kLockedErr && (RefuseClosedCurrentLayer() == kCADErr ||
                                                       RefuseClosedLayer(g->saveLayer) == kCADErr));
    g->workInHand = std::move(outer);
    if (!told) NoteHostError(what, err);
    TakeBackRefusedGesture();
    ShowNotesForUser();
    return err;
}

// The entry point's work: each message to its handler, unless the plug-in cannot take it.
AIErr Main(const char* caller, const char* selector, void* message) {
    if (!caller || !selector) return kBadParameterErr;
    if (Equal(caller, kSPPropertiesCaller)) return kNoErr;
    for (const Dispatch& d : kDispatch) {
        if (!Equal(caller, d.caller) || !Equal(selector, d.selector)) continue;
        if (!message) return kBadParameterErr;
        if (!NeedsRecord(d)) return d.handler(message);
        if (!g || (g->unsupportedHostVersion && !Equal(caller, kCallerAINotifier)))
            return kNoErr;  // nothing of ours is registered for it
        return g->unsupportedHostVersion ? d.handler(message) : Handle(d, caller, message);
    }
    return kNoErr;  // a message the plug-in does not answer
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AIErr PluginMain(const char* caller, const char* selector,
                                                                   void* message) {
    // What the handlers throw is answered where they are called; this is for the rest.
    try {
        return Main(caller, selector, message);
    } catch (...) {
        return ErrorOfEscapedException();
    }
}

namespace {

AIErr StartupSteps(SPInterfaceMessage* message) {
    // 1. The global record.
    plotwiseRecord = NewPlotwiseGlobals();
    if (!g) return kOutOfMemoryErr;
    SPBasicSuite* basic = message->d.basic;
    g->basic = basic;
    g->thisPlugin = message->d.self;
    message->d.globals = plotwiseRecord;
    gBoot.basic = basic;
    // 2. The host version.
    if (AIErr err = CheckHostVersion(basic, &g->appVersion)) return err;
    if (g->appVersion != kSupportedHostMajorVersion) {
        g->unsupportedHostVersion = 1;
        return RegisterVersionNotice(basic);
    }
    // 3. The host suites; what the user is told should memory run out.
    if (AIErr err = AcquireSuites(basic)) return err;
    PrepareOutOfMemoryAlert();
    // 4. Host options and our own plug-in reference.
    if (AIErr err = sAIPlugin->SetPluginOptions(message->d.self, kPluginWantsAfterUndoNotifications)) return err;
    g->thisPlugin = message->d.self;
    // 5. The published suite.
    SPSuiteRef published = nullptr;
    if (AIErr err = sSPSuites->AddSuite(g->thisPlugin, kPlotwiseSuite, kPlotwiseSuiteVersion, 1,
                                        &kPlotwiseSuiteProcs, &published))
        return err;
    // 6. Preferences, 7. the current scale factor.
    if (AIErr err = ReadPrefs()) return err;
    if (AIErr err = RunPlotwiseHooks(&PlotwiseHooks::preferencesRead)) return err;
    // 8. Notifiers, timers, tools, menus; 9. the annotator.
    if (AIErr err = RegisterEverything()) return err;
    // 10. Symbols; 11. the presets catalogue.
    if (AIErr err = setGlobalDegreeAndDiameterSymbols()) return err;
    if (auto open = PlotwiseService().openPresetsCatalog) return open();
    return kNoErr;
}

}  // namespace


// Frees the global record and gives back every suite the plug-in holds.
static void ReleaseEverything(SPInterfaceMessage* message) {
    DeletePlotwiseGlobals(plotwiseRecord);
    plotwiseRecord = nullptr;
    message->d.globals = nullptr;
    ReleaseHeldSuites();
    gBoot.basic = nullptr;
}

AIErr StartupPlugin(SPInterfaceMessage* message) {
    if (!message || !message->d.basic) return kBadParameterErr;
    if (g) return kNoErr;  // already started
    // A failed start-up leaves nothing held, one that ran out of memory included.
    const AIErr err = ErrorOfStep([message] { return StartupSteps(message); });
    if (err) ReleaseEverything(message);
    return err;
}

// Every subsystem's shut-down runs whatever another met, so each frees what it holds; one
// that stopped (memory ran out, say) is told in words, and everything is released still.
AIErr ShutdownPlugin(SPInterfaceMessage* message) {
    if (!message) return kBadParameterErr;
    FirstError first;
    if (g && !g->unsupportedHostVersion) {
        // The command in progress ends, so its clicks are given back with everything else.
        first.Step([] { return EndToolCommand(g->curTool); });
        for (const PlotwiseSubsystem* subsystem : PlotwiseSubsystems())
            if (const auto hook = subsystem->hooks.shutdown) first.Step(hook);
        if (first.err != kNoErr) (void)ErrorOfStep([err = first.err] {
            TellErrorOfWorkInHand(err);
            return kNoErr;
        });
    }
    if (g) g->thisPlugin = nullptr;  // our reference to ourselves
    ReleaseEverything(message);
    return first.err;
}

AIErr UnloadPlugin(SPAccessMessage* message) {
    if (!message) return kBadParameterErr;
    // The host keeps the record; the suites are taken again at reload.
    message->d.globals = plotwiseRecord;
    ReleaseHeldSuites();
    plotwiseRecord = nullptr;
    return kNoErr;
}

AIErr ReloadPlugin(SPAccessMessage* message) {
    if (!message) return kBadParameterErr;
    plotwiseRecord = static_cast<CoreGlobals*>(message->d.globals);
    if (!g) return kNoErr;
    SPBasicSuite* basic = message->d.basic ? message->d.basic : g->basic;
    if (!basic) return kBadParameterErr;
    g->basic = basic;
    gBoot.basic = basic;
    if (g->unsupportedHostVersion) {
        const void* suite = nullptr;
        if (AIErr err = basic->AcquireSuite(kAINotifierSuite, kAINotifierSuiteVersion, &suite)) return err;
        gBoot.notifierHeld = true;
        sAINotifier = static_cast<AINotifierSuite*>(const_cast<void*>(suite));
        return kNoErr;
    }
    return AcquireSuites(basic);
}

AIErr AboutPlugin(SPInterfaceMessage* message) {
    if (!message) return kBadParameterErr;
    if (!g || !sADMBasic) return kNoErr;
    char text[512];
    GetPlotwiseString(kMessageList, kAboutMessage, text, sizeof text);
    sADMBasic->MessageAlert(text);
    return kNoErr;
}

void NotifyPlotwiseAPI() {
    if (sAINotifier) (void)sAINotifier->Notify(kPlotwiseScaleChangedNotifier, nullptr);
}

AIErr setGlobalDegreeAndDiameterSymbols() {
    if (!g) return kBadParameterErr;
    CopyCString(g->slashZeroSymbol, sizeof g->slashZeroSymbol, "\xD8");
    CopyCString(g->degreeSymbol, sizeof g->degreeSymbol, "\xB0");
    CopyCString(g->plusMinusSymbol, sizeof g->plusMinusSymbol, "\xB1");
    return kNoErr;
}
