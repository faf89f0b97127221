// The test plug-in (see TestPlugin.h). It talks to the host only through the suites it
// acquires at start-up, as a real plug-in does, and keeps its state in its global record
// so that the state survives an unload.
#include "TestPlugin.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ADMBasic.h"
#include "ADMDialog.h"
#include "ADMDialogGroup.h"
#include "ADMItem.h"
#include "ADMNotifier.h"
#include "AIAnnotator.h"
#include "AIArt.h"
#include "AIDocument.h"
#include "AILayer.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AIPath.h"
#include "AIPlugin.h"
#include "AITimer.h"
#include "AITool.h"
#include "AIUndo.h"
#include "SPMessages.h"
#include "SPSuites.h"
#include "core/PlotwisePublicSuite.h"

std::vector<std::string>& testPluginTranscript() {
    static std::vector<std::string> transcript;
    return transcript;
}

namespace {

struct Globals {
    SPBasicSuite* basic = nullptr;
    SPPluginRef self = nullptr;
    const AIToolSuite* tool = nullptr;
    const AIMenuSuite* menu = nullptr;
    const AINotifierSuite* notifier = nullptr;
    const AITimerSuite* timer = nullptr;
    const AIAnnotatorSuite* annotator = nullptr;
    const AIAnnotatorDrawerSuite* drawer = nullptr;
    const AIUndoSuite* undo = nullptr;
    const AIArtSuite* art = nullptr;
    const AIPathSuite* path = nullptr;
    const SPSuitesSuite* suites = nullptr;
    const AIPluginSuite* plugin = nullptr;
    const AIDocumentViewSuite* view = nullptr;
    const ADMDialogSuite* admDialog = nullptr;
    const ADMDialogGroupSuite* admGroup = nullptr;
    const ADMItemSuite* admItem = nullptr;
    const ADMNotifierSuite* admNotifier = nullptr;
    const AILayerSuite* layer = nullptr;
    int acquired = 0;

    AIToolHandle line = nullptr, box = nullptr, other = nullptr;
    AIMenuItemHandle command = nullptr, timerItem = nullptr, failItem = nullptr, alertItem = nullptr,
                     layerScalesItem = nullptr, exhaustItem = nullptr;
    bool exhaustAtShutdown = false;
    AITimerHandle testTimer = nullptr;
    AIAnnotatorHandle annotatorHandle = nullptr;
    ADMDialogRef panel = nullptr;

    std::vector<std::string> records;
    int startups = 0;
    int fires = 0;
    AIRealPoint start{0, 0};
    AIRealPoint last{0, 0};
    AIArtHandle lastLine = nullptr;
};

// The record the exported suite reads; set while the plug-in is loaded.
Globals* g_current = nullptr;
// The record the panel's callbacks work with; set while the panel is open.
Globals* g_panelOwner = nullptr;

struct SuiteSlot {
    const char* name;
    int32_t version;
    const void** slot;
};

std::vector<SuiteSlot> suiteTable(Globals& g) {
    return {
        {kAIToolSuite, kAIToolSuiteVersion, reinterpret_cast<const void**>(&g.tool)},
        {kAIMenuSuite, kAIMenuSuiteVersion, reinterpret_cast<const void**>(&g.menu)},
        {kAINotifierSuite, kAINotifierSuiteVersion, reinterpret_cast<const void**>(&g.notifier)},
        {kAITimerSuite, kAITimerSuiteVersion, reinterpret_cast<const void**>(&g.timer)},
        {kAIAnnotatorSuite, kAIAnnotatorSuiteVersion, reinterpret_cast<const void**>(&g.annotator)},
        {kAIAnnotatorDrawerSuite, kAIAnnotatorDrawerSuiteVersion, reinterpret_cast<const void**>(&g.drawer)},
        {kAIUndoSuite, kAIUndoSuiteVersion, reinterpret_cast<const void**>(&g.undo)},
        {kAIArtSuite, kAIArtSuiteVersion, reinterpret_cast<const void**>(&g.art)},
        {kAIPathSuite, kAIPathSuiteVersion, reinterpret_cast<const void**>(&g.path)},
        {kSPSuitesSuite, kSPSuitesSuiteVersion, reinterpret_cast<const void**>(&g.suites)},
        {kAIPluginSuite, kAIPluginSuiteVersion, reinterpret_cast<const void**>(&g.plugin)},
        {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, reinterpret_cast<const void**>(&g.view)},
        {kADMDialogSuite, kADMDialogSuiteVersion, reinterpret_cast<const void**>(&g.admDialog)},
        {kADMDialogGroupSuite, kADMDialogGroupSuiteVersion, reinterpret_cast<const void**>(&g.admGroup)},
        {kADMItemSuite, kADMItemSuiteVersion, reinterpret_cast<const void**>(&g.admItem)},
        {kADMNotifierSuite, kADMNotifierSuiteVersion, reinterpret_cast<const void**>(&g.admNotifier)},
        {kAILayerSuite, kAILayerSuiteVersion, reinterpret_cast<const void**>(&g.layer)},
    };
}

void record(Globals& g, std::string text) {
    testPluginTranscript().push_back(text);
    g.records.push_back(std::move(text));
}

// ---------------------------------------------------------------- exported suite

int32_t CountRecords() { return g_current ? int32_t(g_current->records.size()) : 0; }

AIErr GetRecord(int32_t n, char* text, size_t size) {
    if (!g_current || !text || size == 0) return kBadParameterErr;
    if (n < 0 || size_t(n) >= g_current->records.size()) return kOutOfRangeErr;
    std::snprintf(text, size, "%s", g_current->records[size_t(n)].c_str());
    return kNoErr;
}

int32_t Startups() { return g_current ? g_current->startups : 0; }
void* GlobalsOf() { return g_current; }

const TestPluginSuite kExported = {CountRecords, GetRecord, Startups, GlobalsOf};

// ---------------------------------------------------------------- handlers

std::string pointText(AIRealPoint p) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g,%g", double(p.h), double(p.v));
    return buf;
}

AIErr acquireAll(Globals& g) {
    for (const SuiteSlot& s : suiteTable(g)) {
        if (AIErr e = g.basic->AcquireSuite(s.name, s.version, s.slot)) return e;
        ++g.acquired;
    }
    return kNoErr;
}

void releaseAll(Globals& g) {
    auto table = suiteTable(g);
    for (int i = 0; i < g.acquired; ++i) g.basic->ReleaseSuite(table[size_t(i)].name, table[size_t(i)].version);
    g.acquired = 0;
}

AIErr registerAll(Globals& g) {
    if (AIErr e = g.plugin->SetPluginOptions(g.self, kPluginWantsResultsAutoSelectedOption)) return e;
    if (AIErr e = g.suites->AddSuite(g.self, kTestPluginSuite, kTestPluginSuiteVersion, 1, &kExported, nullptr))
        return e;
    const char* types[] = {kAIApplicationStartedNotifier, kAIApplicationShutdownNotifier,
                           kAIArtSelectionChangedNotifier, kAIAfterUndoNotifier, kTestBroadcastNotifier,
                           kAICurrentDocumentChangedNotifier, kPlotwiseScaleChangedNotifier,
                           kAIDocumentChangedNotifier, kAIBeforePasteNotifier, kAIAfterPasteNotifier};
    for (const char* type : types) {
        AINotifierHandle n = nullptr;
        if (AIErr e = g.notifier->AddNotifier(g.self, type, type, &n)) return e;
    }
    if (AIErr e = g.timer->AddTimer(g.self, "testTimer", kTestTimerPeriod, &g.testTimer)) return e;

    AIAddToolData data{kTestLineTool, "Draws a line", 0, kNoTool, kNoTool};
    if (AIErr e = g.tool->AddTool(g.self, "testLine", &data, 0, &g.line)) return e;
    AIToolType lineNumber = 0;
    if (AIErr e = g.tool->GetToolNumberFromHandle(g.line, &lineNumber)) return e;
    data = {kTestBoxTool, "Draws a box", 0, lineNumber, lineNumber};
    if (AIErr e = g.tool->AddTool(g.self, "testBox", &data, 0, &g.box)) return e;
    data = {kTestOtherTool, nullptr, 0, lineNumber, kNoTool};
    if (AIErr e = g.tool->AddTool(g.self, "testOther", &data, kToolWantsToTrackCursorOption, &g.other)) return e;

    AIPlatformAddMenuItemData item{kObjectUtilsMenuGroup, kTestCommandMenu};
    if (AIErr e = g.menu->AddMenuItem(g.self, "testCommand", &item, kMenuItemWantsUpdateOption, &g.command))
        return e;
    item = {kObjectUtilsMenuGroup, kTestTimerMenu};
    if (AIErr e = g.menu->AddMenuItem(g.self, "testTimer", &item, 0, &g.timerItem)) return e;
    item = {kObjectUtilsMenuGroup, kTestFailMenu};
    if (AIErr e = g.menu->AddMenuItem(g.self, "testFail", &item, 0, &g.failItem)) return e;
    item = {kObjectUtilsMenuGroup, kTestAlertMenu};
    if (AIErr e = g.menu->AddMenuItem(g.self, "testAlert", &item, 0, &g.alertItem)) return e;
    item = {kObjectUtilsMenuGroup, kTestLayerScalesMenu};
    if (AIErr e = g.menu->AddMenuItem(g.self, "testLayerScales", &item, 0, &g.layerScalesItem)) return e;
    item = {kObjectUtilsMenuGroup, kTestExhaustMenu};
    if (AIErr e = g.menu->AddMenuItem(g.self, "testExhaust", &item, 0, &g.exhaustItem)) return e;
    return g.annotator->AddAnnotator(g.self, "testAnnotator", &g.annotatorHandle);
}

AIErr startup(SPInterfaceMessage* m) {
    auto* g = new Globals;
    g->basic = m->d.basic;
    g->self = m->d.self;
    g->startups = 1;
    record(*g, "SP Interface/Startup");
    m->d.globals = g;
    g_current = g;
    if (AIErr e = acquireAll(*g)) return e;
    return registerAll(*g);
}

AIErr shutdown(SPInterfaceMessage* m) {
    auto* g = static_cast<Globals*>(m->d.globals);
    if (!g) return kNoErr;
    if (g_panelOwner == g) g_panelOwner = nullptr;
    releaseAll(*g);
    delete g;
    m->d.globals = nullptr;
    g_current = nullptr;
    return kNoErr;
}

AIErr drawLine(Globals& g, AIRealPoint to) {
    // Every drag starts again from nothing: the previous drag's line goes first.
    if (AIErr e = g.undo->UndoChanges()) return e;
    AIArtHandle path = nullptr;
    if (AIErr e = g.art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &path)) return e;
    const AIPathSegment segs[2] = {{g.start, g.start, g.start, 1}, {to, to, to, 1}};
    if (AIErr e = g.path->SetPathSegmentCount(path, 2)) return e;
    if (AIErr e = g.path->SetPathSegments(path, 0, 2, segs)) return e;
    g.lastLine = path;
    return g.annotator->InvalAnnotationRect(nullptr, nullptr);
}

AIErr tool(Globals& g, const char* selector, AIToolMessage* m) {
    const char* title = "?";
    g.tool->GetToolTitle(m->tool, &title);
    char mods[16];
    std::snprintf(mods, sizeof mods, "%x", unsigned(m->event.modifiers));
    record(g, std::string("AI Tool/") + selector + " " + title + " " + pointText(m->cursor) + " " + mods);
    if (std::strcmp(selector, kSelectorAIToolMouseDown) == 0) {
        g.start = g.last = m->cursor;
        g.lastLine = nullptr;
    } else if (std::strcmp(selector, kSelectorAIToolMouseDrag) == 0) {
        g.last = m->cursor;
        return drawLine(g, m->cursor);
    } else if (std::strcmp(selector, kSelectorAIToolMouseUp) == 0) {
        if (g.lastLine) g.art->SetArtUserAttr(g.lastLine, kArtSelected, kArtSelected);
        return g.notifier->Notify(kTestBroadcastNotifier, nullptr);
    }
    return kNoErr;
}

// The layer and, depth first, its sublayers and the layers after it at its level.
void askLayerScales(Globals& g, const PlotwiseSuite& suite, AILayerHandle layer, std::string& shown) {
    for (AILayerHandle next = nullptr; layer; layer = g.layer->GetNextLayer(layer, &next) == kNoErr ? next : nullptr) {
        char title[256] = {};
        g.layer->GetLayerTitle(layer, title, sizeof title);
        AIReal scaler = 0;
        char label[32] = {};
        std::string answer = "\"" + std::string(title) + "\" ";
        if (AIErr e = suite.GetLayerScale(layer, &scaler, label)) {
            answer += "error " + std::to_string(e);
        } else {
            char number[32];
            std::snprintf(number, sizeof number, "%g", double(scaler));
            answer += std::string(number) + " \"" + label + "\"";
        }
        record(g, "Plotwise Suite/GetLayerScale " + answer);
        shown += (shown.empty() ? "" : "; ") + answer;
        AILayerHandle child = nullptr;
        g.layer->GetLayerFirstChild(layer, &child);
        askLayerScales(g, suite, child, shown);
    }
}

AIErr showLayerScales(Globals& g) {
    const void* procs = nullptr;
    if (g.basic->AcquireSuite(kPlotwiseSuite, kPlotwiseSuiteVersion, &procs) != kNoErr) {
        record(g, "Plotwise Suite/missing");
        return kNoErr;
    }
    std::string shown;
    AILayerHandle first = nullptr;
    if (g.layer->GetFirstLayer(&first) == kNoErr)
        askLayerScales(g, *static_cast<const PlotwiseSuite*>(procs), first, shown);
    g.basic->ReleaseSuite(kPlotwiseSuite, kPlotwiseSuiteVersion);
    if (AIErr e = g.basic->AcquireSuite(kADMBasicSuite, kADMBasicSuiteVersion, &procs)) return e;
    static_cast<const ADMBasicSuite*>(procs)->MessageAlert(shown.c_str());
    return g.basic->ReleaseSuite(kADMBasicSuite, kADMBasicSuiteVersion);
}

AIErr menu(Globals& g, const char* selector, AIMenuMessage* m) {
    const char* name = "?";
    g.menu->GetMenuItemName(m->menuItem, &name);
    record(g, std::string("AI Menu/") + selector + " " + name);
    const bool go = std::strcmp(selector, kSelectorAIGoMenuItem) == 0;
    if (m->menuItem == g.command) {
        if (!go) return g.menu->SetItemText(g.command, kTestCommandMenu);
        // Two broadcasts: both must arrive after this handler, in order.
        g.notifier->Notify(kTestBroadcastNotifier, reinterpret_cast<void*>(uintptr_t(1)));
        return g.notifier->Notify(kTestBroadcastNotifier, reinterpret_cast<void*>(uintptr_t(2)));
    }
    if (m->menuItem == g.timerItem && go) {
        g.fires = 0;
        return g.timer->SetTimerActive(g.testTimer, true);
    }
    if (m->menuItem == g.failItem) return kCanceledErr;
    if (m->menuItem == g.exhaustItem && go) g.exhaustAtShutdown = true;
    if (m->menuItem == g.layerScalesItem && go) return showLayerScales(g);
    if (m->menuItem == g.alertItem && go) {
        // Acquired for this use only: acquisitions nest and are counted.
        const void* procs = nullptr;
        if (AIErr e = g.basic->AcquireSuite(kADMBasicSuite, kADMBasicSuiteVersion, &procs)) return e;
        auto* adm = static_cast<const ADMBasicSuite*>(procs);
        adm->MessageAlert("Careful: \xE9tude");  // Windows-1252 e acute
        const int32_t answer = adm->YesNoAlert("Go on?");
        record(g, "answer " + std::to_string(answer));
        return g.basic->ReleaseSuite(kADMBasicSuite, kADMBasicSuiteVersion);
    }
    return kNoErr;
}

// ---------------------------------------------------------------- the floating panel

std::string itemState(const Globals& g, ADMItemRef it, int32_t id) {
    if (id == kTestPanelText) {
        char buf[256];
        g.admItem->GetText(it, buf, sizeof buf);
        return std::string(" ") + buf;
    }
    if (id == kTestPanelCheck) return g.admItem->GetBooleanValue(it) ? " on" : " off";
    if (id == kTestPanelPopup) return " " + std::to_string(g.admItem->GetIntValue(it));
    return "";
}

void panelNotify(ADMItemRef it, ADMNotifierRef n) {
    Globals* g = g_panelOwner;
    if (!g) return;
    g->admItem->DefaultNotify(it, n);
    const int32_t id = g->admItem->GetID(it);
    char type[128];
    g->admNotifier->GetNotifierType(n, type, sizeof type);
    record(*g, "Test Panel/" + std::to_string(id) + " " + type + itemState(*g, it, id));
    if (!g->admNotifier->IsNotifierType(n, kADMUserChangedNotifier)) return;
    if (id == kTestPanelReset) {
        // The plug-in's own changes: the items must not notify.
        const ADMDialogRef d = g->admItem->GetDialog(it);
        g->admItem->SetText(g->admDialog->GetItem(d, kTestPanelText), kTestPanelStartText);
        g->admItem->SetBooleanValue(g->admDialog->GetItem(d, kTestPanelCheck), false);
        g->admItem->SetIntValue(g->admDialog->GetItem(d, kTestPanelPopup), 0);
    }
    g->notifier->Notify(kTestBroadcastNotifier, reinterpret_cast<void*>(uintptr_t(id)));
}

ASErr panelInit(ADMDialogRef d) {
    const Globals* g = g_panelOwner;
    if (!g) return kBadParameterErr;
    for (int32_t id : {kTestPanelText, kTestPanelCheck, kTestPanelPopup, kTestPanelReset})
        if (ASErr e = g->admItem->SetNotifyProc(g->admDialog->GetItem(d, id), panelNotify)) return e;
    return kNoErr;
}

// A host whose resources lack the template simply has no panel.
AIErr openPanel(Globals& g) {
    if (g.panel) return kNoErr;
    g_panelOwner = &g;
    g.panel = g.admDialog->Create(g.self, kTestPanelName, kTestPanelID, kADMTabbedFloatingDialogStyle, panelInit,
                                  nullptr, 0);
    if (!g.panel) {
        g_panelOwner = nullptr;
        return kNoErr;
    }
    if (AIErr e = g.admDialog->Move(g.panel, kTestPanelLeft, kTestPanelTop)) return e;
    return g.admGroup->SetDialogGroupInfo(g.panel, kTestPanelGroup, {kTestPanelCode, 0});
}

// The host closes the panel after this notification; what it says of its placement is recorded.
void recordPlacement(Globals& g) {
    if (!g.panel) return;
    ADMRect r{0, 0, 0, 0};
    const char* group = nullptr;
    ADMPositionCode code{0, 0};
    if (g.admDialog->GetBoundsRect(g.panel, &r) != kNoErr ||
        g.admGroup->GetDialogGroupInfo(g.panel, &group, &code) != kNoErr) {
        record(g, "Test Panel/placement unreadable");
    } else {
        record(g, "Test Panel/placement " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                      (group ? group : "") + " " + std::to_string(code.fPositionCode) + " collapsed " +
                      (g.admDialog->IsCollapsed(g.panel) ? "1" : "0"));
    }
    g.panel = nullptr;
    g_panelOwner = nullptr;
}

AIErr notify(Globals& g, AINotifierMessage* m) {
    std::string rec = std::string("AI Notifier/AI Notify ") + (m->type ? m->type : "?");
    if (m->notifyData) rec += " " + std::to_string(reinterpret_cast<uintptr_t>(m->notifyData));
    record(g, rec);
    if (m->type && std::strcmp(m->type, kAIApplicationStartedNotifier) == 0) return openPanel(g);
    if (m->type && std::strcmp(m->type, kAIApplicationShutdownNotifier) == 0) {
        if (g.exhaustAtShutdown) {
            g.exhaustAtShutdown = false;
            throw std::bad_alloc();
        }
        recordPlacement(g);
    }
    return kNoErr;
}

AIErr timer(Globals& g, AITimerMessage* m) {
    const char* name = "?";
    g.timer->GetTimerName(m->timer, &name);
    record(g, std::string("AI Timer/AI Go ") + name);
    if (++g.fires >= kTestTimerFires) return g.timer->SetTimerActive(g.testTimer, false);
    return kNoErr;
}

AIErr draw(Globals& g, AIAnnotatorMessage* m) {
    record(g, "AI Annotation/AI Draw");
    const AIRGBColor red{65535, 0, 0};
    g.drawer->SetColor(m->drawer, &red);
    AIPoint a{0, 0}, b{0, 0};
    if (AIErr e = g.view->ArtworkPointToViewPoint(m->view, &g.start, &a)) return e;
    if (AIErr e = g.view->ArtworkPointToViewPoint(m->view, &g.last, &b)) return e;
    if (AIErr e = g.drawer->DrawLine(m->drawer, &a, &b)) return e;
    const AIRect dot{b.h - 3, b.v - 3, b.h + 3, b.v + 3};
    if (AIErr e = g.drawer->DrawEllipse(m->drawer, &dot, true)) return e;
    return g.drawer->DrawText(m->drawer, "end", &b);
}

}  // namespace

extern "C" AIErr TestPluginMain(const char* caller, const char* selector, void* message) {
    if (!caller || !selector || !message) return kBadParameterErr;
    auto* d = static_cast<SPMessageData*>(message);
    auto is = [](const char* a, const char* b) { return std::strcmp(a, b) == 0; };
    if (is(caller, kSPInterfaceCaller) && is(selector, kSPInterfaceStartupSelector))
        return startup(static_cast<SPInterfaceMessage*>(message));
    if (is(caller, kSPPropertiesCaller)) return kNoErr;
    auto* g = static_cast<Globals*>(d->globals);
    if (!g) return kBadParameterErr;
    if (is(caller, kSPInterfaceCaller) && is(selector, kSPInterfaceShutdownSelector)) {
        record(*g, "SP Interface/Shutdown");
        return shutdown(static_cast<SPInterfaceMessage*>(message));
    }
    if (is(caller, kSPAccessCaller)) {
        record(*g, std::string("SP Access/") + selector);
        g_current = is(selector, kSPAccessUnloadSelector) ? nullptr : g;
        return kNoErr;
    }
    if (is(caller, kCallerAITool)) return tool(*g, selector, static_cast<AIToolMessage*>(message));
    if (is(caller, kCallerAIMenu)) return menu(*g, selector, static_cast<AIMenuMessage*>(message));
    if (is(caller, kCallerAINotifier)) return notify(*g, static_cast<AINotifierMessage*>(message));
    if (is(caller, kCallerAITimer)) return timer(*g, static_cast<AITimerMessage*>(message));
    if (is(caller, kCallerAIAnnotation)) return draw(*g, static_cast<AIAnnotatorMessage*>(message));
    record(*g, std::string(caller) + "/" + selector);
    return kNoErr;
}
