// The event driver: plug-in life cycle, gestures, menus, the clock, file commands with
// their notifications, and the delivery of what each message raised.
#include "plugin/PluginDriver.h"

#include <algorithm>

#include <cstdio>
#include <new>

#include "AIAnnotator.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AITimer.h"
#include "AIWorkspace.h"
#include "plugin/PluginModule.h"

namespace standin {

namespace {

// The code, and what it means when it is one of the host's own.
std::string errText(AIErr e) {
    char code[5] = {char((e >> 24) & 0xFF), char((e >> 16) & 0xFF), char((e >> 8) & 0xFF), char(e & 0xFF), 0};
    for (char& c : code)
        if (c && (c < 0x20 || c > 0x7E)) return std::to_string(e);
    const char* words = errorWords(e);
    return std::string("'") + code + "'" + (words ? std::string(" (") + words + ")" : std::string());
}

// Bounds the work of one delivery round: a handler that raises its own notification again
// every time would otherwise never let the host go on.
constexpr int kMaxDeliveries = 10000;

// One message being handled: counted in the driver's depth and, when it opened the host's
// undo segment, with that segment closed again, however the message ends (an exception
// thrown through the plug-in's entry point included), so the host never stays inside it.
class MessageScope {
public:
    MessageScope(Host& host, int& depth, bool open, MessageKind kind) : host_(host), depth_(depth), opened_(open) {
        if (opened_) host_.beginMessage(kind);
        ++depth_;
    }
    // Closes the message (which may run out of memory as its changes join the undo history).
    void close() {
        if (!opened_) return;
        opened_ = false;
        host_.endMessage();
    }
    // Closed on the way out of a message that threw: the exception under way is the one told.
    ~MessageScope() {
        --depth_;
        try {
            close();
        } catch (const std::bad_alloc&) {
        }
    }
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

private:
    Host& host_;
    int& depth_;
    bool opened_;
};

}  // namespace

PluginDriver::PluginDriver(Host& host, PluginDriverOptions options) : host_(host), options_(std::move(options)) {
    registry_.hostMajor = options_.hostMajor;
    registry_.hostMinor = options_.hostMinor;
    registry_.registerSuites(host_.suites());
    if (!options_.resourceDir.empty()) host_.resources().setDir(options_.resourceDir);
    if (!options_.preferencesPath.empty()) {
        host_.preferences().setPath(options_.preferencesPath);
        host_.preferences().load();
    }
    host_.catalogs().setFolder(options_.userSupportFolder);
    selection_ = currentSelection();
    selectedArtEdits_ = selectedArtEdits();
}

PluginDriver::~PluginDriver() {
    bool running = false;
    for (const auto& p : plugins_) running = running || p.state == State::Started || p.state == State::Unloaded;
    if (running && !shutDown_) shutdown();
}

AIErr PluginDriver::fail(AIErr err, std::string why) {
    lastError_ = std::move(why);
    return err;
}

// ---------------------------------------------------------------- plug-ins

size_t PluginDriver::addPlugin(PluginMainProc main, const std::string& name, std::unique_ptr<PluginModule> module) {
    Plugin p;
    p.name = name;
    p.main = main;
    p.module = std::move(module);
    plugins_.push_back(std::move(p));
    registry_.plugins.push_back({name, 0});
    return plugins_.size() - 1;
}

size_t PluginDriver::load(PluginMainProc main, const std::string& name) { return addPlugin(main, name, nullptr); }

std::optional<size_t> PluginDriver::loadLibrary(const std::filesystem::path& path, std::string* error) {
    std::string why;
    auto module = PluginModule::open(path, &why);
    if (!module) {
        lastError_ = why;
        if (error) *error = why;
        return std::nullopt;
    }
    const PluginMainProc main = module->entry();
    // An installed plug-in carries its resources beside it.
    std::error_code ec;
    const auto beside = std::filesystem::absolute(path, ec).parent_path() / "resources";
    if (!ec) host_.resources().addPluginFolder(beside);
    return addPlugin(main, path.stem().string(), std::move(module));
}

bool PluginDriver::isStarted(size_t plugin) const {
    return plugin < plugins_.size() && plugins_[plugin].state == State::Started;
}

void* PluginDriver::globals(size_t plugin) const { return plugin < plugins_.size() ? plugins_[plugin].globals : nullptr; }

bool PluginDriver::reachable(size_t plugin) {
    if (plugin >= plugins_.size()) return false;
    if (plugins_[plugin].state == State::Unloaded) reload(plugin);
    return plugins_[plugin].state == State::Started;
}

AIErr PluginDriver::sendRaw(size_t plugin, const char* caller, const char* selector, SPMessageData& d, void* msg,
                       std::string detail, MessageKind kind, bool journal) {
    Plugin& p = plugins_.at(plugin);
    d.basic = host_.basicSuite();
    d.self = regHandle<SPPluginRef>(RegKind::Plugin, plugin);
    d.globals = p.globals;
    registry_.activate();
    host_.dialogs().activate();
    host_.preferences().activate();
    host_.workspaces().activate();

    const PluginMainProc main = p.main;
    if (!main) return fail(kBadParameterErr, "plug-in '" + p.name + "' has no entry point");
    AIErr result = kNoErr;
    {
        MessageScope scope(host_, depth_, journal && !host_.inMessage(), kind);
        result = main(caller, selector, msg);
        scope.close();
    }
    plugins_.at(plugin).globals = d.globals;  // the plug-in may have replaced its record
    if (result == kOutOfMemoryErr) ++outOfMemoryAnswers_;
    sent_.push_back({plugin, caller, selector, std::move(detail), result});
    if (result != kNoErr)
        lastError_ = std::string(caller) + " / " + selector + " answered " + errText(result);
    if (depth_ == 0 && registry_.annotationInvalid && !registry_.drawingOpen) redrawAnnotations();
    return result;
}

template <class Message>
AIErr PluginDriver::send(size_t plugin, const char* caller, const char* selector, Message& msg, std::string detail,
                    MessageKind kind, bool journal) {
    return sendRaw(plugin, caller, selector, msg.d, &msg, std::move(detail), kind, journal);
}

AIErr PluginDriver::startup() {
    lastError_.clear();
    AIErr first = kNoErr;
    std::string firstWhy;
    std::vector<size_t> started;
    for (size_t i = 0; i < plugins_.size(); ++i) {
        if (plugins_[i].state != State::Loaded) continue;
        SPPropertiesMessage props{};
        send(i, kSPPropertiesCaller, kSPPropertiesAcquireSelector, props, {});  // accepted whatever it answers
        SPInterfaceMessage m{};
        const AIErr e = send(i, kSPInterfaceCaller, kSPInterfaceStartupSelector, m, {});
        if (e != kNoErr) {
            plugins_[i].state = State::Failed;
            registry_.forgetPlugin(i);
            if (first == kNoErr) {
                first = e;
                firstWhy = "plug-in '" + plugins_[i].name + "' failed to start: " + errText(e);
            }
            continue;
        }
        plugins_[i].state = State::Started;
        started.push_back(i);
    }
    shutDown_ = false;
    // Plug-ins started late (loaded by a script after the others) hear of the start once.
    for (size_t i : started) registry_.pending.push_back({kAIApplicationStartedNotifier, nullptr, long(i)});
    deliver();
    if (first != kNoErr) return fail(first, firstWhy);
    return kNoErr;
}

AIErr PluginDriver::shutdown() {
    lastError_.clear();
    if (shutDown_) return kNoErr;
    // Each step is taken whatever the one before met, and an allocation that fails in one
    // ends that step alone: the plug-ins still hear "Shutdown" and the preferences are still
    // written. No failed allocation escapes, as this may run from the driver's destructor.
    AIErr first = kNoErr;
    bool outOfMemory = false;
    const auto step = [&](auto&& work) {
        try {
            const AIErr e = work();
            if (e != kNoErr && first == kNoErr) first = e;
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    };
    // First stage: the plug-ins save what they keep while everything still exists.
    step([&] {
        notify(kAIApplicationShutdownNotifier);
        return kNoErr;
    });
    step([&] {
        host_.dialogs().shutdown();
        return kNoErr;
    });
    for (size_t k = plugins_.size(); k-- > 0;) {
        if (!reachable(k)) continue;
        step([&] {
            SPInterfaceMessage m{};
            return send(k, kSPInterfaceCaller, kSPInterfaceShutdownSelector, m, {});
        });
        plugins_[k].state = State::ShutDown;
        registry_.forgetPlugin(k);
    }
    registry_.pending.clear();
    shutDown_ = true;
    AIErr saved = kNoErr;
    if (!options_.preferencesPath.empty()) step([&] { return saved = host_.preferences().save(); });
    if (outOfMemory) return quietFail(kOutOfMemoryErr, "there was not enough memory to shut the plug-ins down");
    if (saved != kNoErr) return quietFail(saved, "cannot write the preferences", options_.preferencesPath.string());
    if (first != kNoErr) return quietFail(first, lastError_);
    return kNoErr;
}

// A failure of the shut-down, in words when there is memory for them (else the code alone
// tells it).
AIErr PluginDriver::quietFail(AIErr err, const std::string& why, const std::string& where) noexcept {
    try {
        return fail(err, where.empty() ? why : why + " to " + where);
    } catch (const std::bad_alloc&) {
        lastError_.clear();
        return err;
    }
}

AIErr PluginDriver::restart(const std::function<void(PreferenceStore&)>& whileClosed) {
    std::vector<size_t> running;
    for (size_t i = 0; i < plugins_.size(); ++i)
        if (plugins_[i].state == State::Started || plugins_[i].state == State::Unloaded) running.push_back(i);
    if (AIErr e = shutdown()) return e;
    if (!options_.preferencesPath.empty()) host_.preferences().load();
    if (whileClosed) {
        whileClosed(host_.preferences());
        if (!options_.preferencesPath.empty())
            if (AIErr e = host_.preferences().save())
                return fail(e, "cannot write the preferences to " + options_.preferencesPath.string());
    }
    for (size_t i : running) {
        plugins_[i].state = State::Loaded;
        plugins_[i].globals = nullptr;
    }
    return startup();
}

AIErr PluginDriver::unload(size_t plugin) {
    if (plugin >= plugins_.size() || plugins_[plugin].state != State::Started)
        return fail(kBadParameterErr, "no started plug-in to unload");
    SPAccessMessage m{};
    const AIErr e = send(plugin, kSPAccessCaller, kSPAccessUnloadSelector, m, {});
    if (e == kNoErr) plugins_[plugin].state = State::Unloaded;  // a refusal keeps it loaded
    return e;
}

AIErr PluginDriver::reload(size_t plugin) {
    if (plugin >= plugins_.size() || plugins_[plugin].state != State::Unloaded)
        return fail(kBadParameterErr, "no unloaded plug-in to reload");
    plugins_[plugin].state = State::Started;
    SPAccessMessage m{};
    const AIErr e = send(plugin, kSPAccessCaller, kSPAccessReloadSelector, m, {});
    if (e != kNoErr) plugins_[plugin].state = State::Unloaded;
    return e;
}

AIErr PluginDriver::about(size_t plugin) {
    if (!reachable(plugin)) return fail(kBadParameterErr, "no started plug-in");
    SPInterfaceMessage m{};
    const AIErr e = send(plugin, kSPInterfaceCaller, kSPInterfaceAboutSelector, m, {});
    deliver();
    return e;
}

// ---------------------------------------------------------------- delivery

std::vector<ObjId> PluginDriver::currentSelection() {
    Document* d = host_.frontDocument();
    return d ? d->selection() : std::vector<ObjId>{};
}

std::pair<const Document*, uint64_t> PluginDriver::selectedArtEdits() {
    const Document* d = host_.frontDocument();
    return {d, d ? d->selectedArtEdits() : 0};
}

AIErr PluginDriver::deliverNotification(const std::string& type, void* data, long target) {
    AIErr first = kNoErr;
    // By index: a handler may register more notifiers.
    for (size_t i = 0; i < registry_.notifiers.size(); ++i) {
        const NotifierEntry& n = registry_.notifiers[i];
        if (n.gone || !n.active || n.type != type) continue;
        if (target >= 0 && n.plugin != size_t(target)) continue;
        if (!reachable(n.plugin)) continue;
        AINotifierMessage m{};
        m.notifier = regHandle<AINotifierHandle>(RegKind::Notifier, i);
        m.type = type.c_str();
        m.notifyData = data;
        const AIErr e = send(registry_.notifiers[i].plugin, kCallerAINotifier, kSelectorAINotify, m, type);
        if (e != kNoErr && first == kNoErr) first = e;
    }
    return first;
}

bool PluginDriver::fireDueTimer() {
    for (size_t i = 0; i < registry_.timers.size(); ++i) {
        TimerEntry& t = registry_.timers[i];
        if (t.gone || !t.active || registry_.clock < t.due) continue;
        t.due = registry_.clock + t.period;  // once per period, however late the host is
        if (!reachable(t.plugin)) continue;
        AITimerMessage m{};
        m.timer = regHandle<AITimerHandle>(RegKind::Timer, i);
        send(t.plugin, kCallerAITimer, kSelectorAIGoTimer, m, registry_.timers[i].name);
        return true;
    }
    return false;
}

void PluginDriver::deliver() {
    if (delivering_ || inGesture_ || depth_ > 0) return;
    delivering_ = true;
    // Cleared however the round ends, so a handler that threw does not stop later deliveries.
    struct Delivering {
        bool& flag;
        ~Delivering() { flag = false; }
    } const delivering{delivering_};
    for (int round = 0; round < kMaxDeliveries; ++round) {
        // The selection changed, or art stayed selected while it was edited (moved by a
        // plug-in, say): what follows the selection reads it again.
        auto sel = currentSelection();
        const auto edits = selectedArtEdits();
        const bool selectedArtEdited = !sel.empty() && edits != selectedArtEdits_;
        selectedArtEdits_ = edits;
        if (sel != selection_ || selectedArtEdited) {
            selection_ = std::move(sel);
            deliverNotification(kAIArtSelectionChangedNotifier, nullptr);
            selectedArtEdits_ = selectedArtEdits();  // what the followers change is not news to them
            continue;
        }
        if (!registry_.pending.empty()) {
            PendingNotification n = std::move(registry_.pending.front());
            registry_.pending.pop_front();
            deliverNotification(n.type, n.data, n.target);
            continue;
        }
        if (fireDueTimer()) continue;
        break;
    }
}

void PluginDriver::notify(const std::string& type, void* data) {
    registry_.pending.push_back({type, data});
    deliver();
}

void PluginDriver::redrawAnnotations() {
    if (registry_.drawingOpen) return;
    registry_.annotationInvalid = false;
    registry_.drawing.clear();
    Document* doc = host_.frontDocument();
    if (doc) {
        registry_.drawingOpen = true;
        const auto view = toHandle<AIDocumentViewHandle>(doc->id());
        const AIRect all{0, 0, kStandinViewWidth, kStandinViewHeight};
        for (size_t i = 0; i < registry_.annotators.size(); ++i) {
            const AnnotatorEntry& a = registry_.annotators[i];
            if (a.gone || !a.active || !reachable(a.plugin)) continue;
            registry_.penColor = {0, 0, 0};
            registry_.penWidth = 1.0f;
            registry_.penDashed = false;
            registry_.fontSize = 10.0f;
            AIAnnotatorMessage m{};
            m.annotator = regHandle<AIAnnotatorHandle>(RegKind::Annotator, i);
            m.view = view;
            m.drawer = PluginRegistry::drawerHandle();
            m.invalidationRect = all;
            // Drawing changes no document: no journal segment, so a gesture stays whole.
            send(a.plugin, kCallerAIAnnotation, kSelectorAIDrawAnnotation, m, registry_.annotators[i].name,
                 MessageKind::Other, false);
        }
        registry_.drawingOpen = false;
    }
    registry_.lastDrawing = std::move(registry_.drawing);
    registry_.drawing.clear();
    registry_.annotationInvalid = false;
}

// ---------------------------------------------------------------- documents

AIErr PluginDriver::fileCommand(const char* before, const char* after, const std::function<AIErr()>& action,
                                std::initializer_list<const char*> during) {
    if (inGesture_) return fail(kBadParameterErr, "the mouse button is held");
    notify(before);
    const AIErr e = action ? action() : kNoErr;
    if (e != kNoErr) {
        deliver();
        return fail(e, "the command failed: " + errText(e));
    }
    for (const char* type : during) registry_.pending.push_back({type, nullptr});
    registry_.pending.push_back({after, nullptr});
    return kNoErr;
}

Document& PluginDriver::newDocument(AIReal width, AIReal height) {
    notify(kAIBeforeNewNotifier);
    Document& doc = host_.newDocument(width, height);
    registry_.pending.push_back({kAIAfterNewNotifier, nullptr});
    registry_.pending.push_back({kAICurrentDocumentChangedNotifier, nullptr});
    deliver();
    return doc;
}

AIErr PluginDriver::openDocument(const std::function<AIErr()>& open) {
    lastError_.clear();
    // The document is opened, and comes to the front, while the command runs; the command's
    // end follows.
    const AIErr e = fileCommand(kAIBeforeOpenNotifier, kAIAfterOpenNotifier, open,
                                {kAIDocumentOpenedNotifier, kAICurrentDocumentChangedNotifier});
    if (e != kNoErr) return e;
    deliver();
    return kNoErr;
}

AIErr PluginDriver::saveDocument(const std::function<AIErr()>& save) {
    lastError_.clear();
    if (!host_.frontDocument()) return fail(kNoDocumentErr, "no document open");
    // Saving is no command the user would undo: what the plug-ins write meanwhile joins the
    // last step, and redo stays.
    const Host::FoldedChanges folded(host_);
    const AIErr e = fileCommand(kAIBeforeSaveNotifier, kAIAfterSaveNotifier, save);
    deliver();
    return e;
}

AIErr PluginDriver::closeDocument() {
    lastError_.clear();
    Document* doc = host_.frontDocument();
    if (!doc) return fail(kNoDocumentErr, "no document open");
    const AIErr e = fileCommand(kAIBeforeCloseNotifier, kAIAfterCloseNotifier, [&]() -> AIErr {
        // The before-close handlers may have closed or switched documents: close the one asked for.
        for (size_t i = 0; i < host_.documentCount(); ++i)
            if (&host_.document(i) == doc) {
                host_.closeDocument(*doc);
                return kNoErr;
            }
        return kNoErr;
    });
    if (e != kNoErr) return e;
    registry_.pending.push_back({kAICurrentDocumentChangedNotifier, nullptr});
    deliver();
    return kNoErr;
}

AIErr PluginDriver::paste(const std::function<AIErr()>& action) {
    lastError_.clear();
    if (!host_.frontDocument()) return fail(kNoDocumentErr, "no document open");
    const AIErr e = fileCommand(kAIBeforePasteNotifier, kAIAfterPasteNotifier, [&]() -> AIErr {
        // The host's paste is undoable as one step of its own.
        host_.beginMessage(MessageKind::Other);
        const AIErr r = action ? action() : kNoErr;
        host_.endMessage();
        return r;
    });
    deliver();
    return e;
}

void PluginDriver::setFrontDocument(Document& doc) {
    host_.setFrontDocument(doc);
    notify(kAICurrentDocumentChangedNotifier);
}

AIErr PluginDriver::hostEvent(const std::function<AIErr()>& action) {
    lastError_.clear();
    if (!action) return kNoErr;
    // No host command reaches the document while the mouse button is held: an edit then
    // would fall between the drags, whose undo must take back only their own previews.
    const bool opened = !host_.inMessage();
    if (opened && inGesture_) return fail(kBadParameterErr, "the mouse button is held");
    AIErr e = kNoErr;
    {
        const MessageScope scope(host_, depth_, opened, MessageKind::Other);
        e = action();
    }
    if (registry_.annotationInvalid) redrawAnnotations();
    deliver();
    if (e != kNoErr) lastError_ = "the action answered " + errText(e);
    return e;
}

void PluginDriver::documentChanged(const char* type) { notify(type ? type : kAIDocumentChangedNotifier); }

// ---------------------------------------------------------------- gestures

AIErr PluginDriver::toolMessage(const char* selector, AIRealPoint p, uint32_t modifiers, MessageKind kind) {
    const long t = registry_.currentTool;
    if (t < 0 || registry_.tools[size_t(t)].gone) return fail(kBadParameterErr, "no tool selected");
    const size_t plugin = registry_.tools[size_t(t)].plugin;
    if (!reachable(plugin)) return fail(kBadParameterErr, "the tool's plug-in is not running");
    AIToolMessage m{};
    m.tool = regHandle<AIToolHandle>(RegKind::Tool, size_t(t));
    m.cursor = p;
    m.event.modifiers = modifiers & (aiEventModifiers_Shift | aiEventModifiers_Option | aiEventModifiers_Command);
    m.event.when = uint32_t(registry_.clock);
    return send(plugin, kCallerAITool, selector, m, registry_.tools[size_t(t)].title, kind);
}

AIErr PluginDriver::selectTool(const std::string& title) {
    lastError_.clear();
    if (inGesture_) return fail(kBadParameterErr, "the mouse button is held");
    const long t = registry_.toolByTitle(title);
    if (t < 0) return fail(kBadParameterErr, "no tool named \"" + title + "\"");
    AIErr e = kNoErr;
    if (registry_.currentTool >= 0 && registry_.currentTool != t)
        e = toolMessage(kSelectorAIDeselectTool, {0, 0}, 0, MessageKind::Other);
    registry_.currentTool = t;
    const AIErr s = toolMessage(kSelectorAISelectTool, {0, 0}, 0, MessageKind::Other);
    deliver();
    return s != kNoErr ? s : e;
}

AIErr PluginDriver::editToolOptions() {
    lastError_.clear();
    const AIErr e = toolMessage(kSelectorAIEditToolOptions, {0, 0}, 0, MessageKind::Other);
    deliver();
    return e;
}

AIErr PluginDriver::trackCursor(AIRealPoint p, uint32_t modifiers) {
    lastError_.clear();
    if (inGesture_) return mouseDrag(p, modifiers);
    const long t = registry_.currentTool;
    if (t < 0) return fail(kBadParameterErr, "no tool selected");
    if (!(registry_.tools[size_t(t)].options & kToolWantsToTrackCursorOption)) return kNoErr;
    const AIErr e = toolMessage(kSelectorAITrackToolCursor, p, modifiers, MessageKind::Other);
    deliver();
    return e;
}

AIErr PluginDriver::mouseDown(AIRealPoint p, uint32_t modifiers) {
    lastError_.clear();
    if (inGesture_) mouseUp(p, modifiers);  // a lost mouse up: finish the earlier gesture first
    if (registry_.currentTool < 0) return fail(kBadParameterErr, "no tool selected");
    inGesture_ = true;
    dragged_ = false;
    return toolMessage(kSelectorAIToolMouseDown, p, modifiers, MessageKind::MouseDown);
}

AIErr PluginDriver::mouseDrag(AIRealPoint p, uint32_t modifiers) {
    lastError_.clear();
    if (!inGesture_) return fail(kBadParameterErr, "drag without mouse down");
    dragged_ = true;
    const long t = registry_.currentTool;
    if (t >= 0 && (registry_.tools[size_t(t)].options & kToolDoesntWantDragOption)) return kNoErr;
    return toolMessage(kSelectorAIToolMouseDrag, p, modifiers, MessageKind::MouseDrag);
}

AIErr PluginDriver::mouseUp(AIRealPoint p, uint32_t modifiers) {
    lastError_.clear();
    if (!inGesture_) return fail(kBadParameterErr, "mouse up without mouse down");
    const AIErr e = toolMessage(kSelectorAIToolMouseUp, p, modifiers, MessageKind::MouseUp);
    inGesture_ = false;
    deliver();
    return e;
}

AIErr PluginDriver::click(AIRealPoint p, uint32_t modifiers) {
    const AIErr d = mouseDown(p, modifiers);
    if (!inGesture_) return d;
    // The press's words go with the press's error, whatever the release says.
    std::string why = d != kNoErr ? lastError_ : std::string();
    const AIErr u = mouseUp(p, modifiers);
    if (d == kNoErr) return u;
    lastError_ = std::move(why);
    return d;
}

AIErr PluginDriver::menu(const std::string& text) {
    lastError_.clear();
    if (inGesture_) return fail(kBadParameterErr, "the mouse button is held");
    const long i = registry_.menuItemByText(text);
    if (i < 0) return fail(kBadParameterErr, "no menu item \"" + text + "\"");
    const size_t plugin = registry_.menuItems[size_t(i)].plugin;
    if (!reachable(plugin)) return fail(kBadParameterErr, "the menu item's plug-in is not running");
    AIMenuMessage m{};
    m.menuItem = regHandle<AIMenuItemHandle>(RegKind::MenuItem, size_t(i));
    if (registry_.menuItems[size_t(i)].options & kMenuItemWantsUpdateOption) {
        send(plugin, kCallerAIMenu, kSelectorAIUpdateMenuItem, m, text);
        deliver();
    }
    const MenuItemEntry& item = registry_.menuItems[size_t(i)];
    if (item.gone || (!item.enabled && !(item.options & kMenuItemAlwaysEnabled)))
        return fail(kBadParameterErr, "the menu item \"" + text + "\" is disabled");
    AIMenuMessage go{};
    go.menuItem = m.menuItem;
    const AIErr e = send(plugin, kCallerAIMenu, kSelectorAIGoMenuItem, go, text);
    deliver();
    return e;
}

void PluginDriver::ticks(int64_t n) {
    const int64_t end = registry_.clock + n;
    while (registry_.clock < end) {
        // Straight on to the next tick a timer is due at: nothing happens in between, so a
        // long wait costs what its timers do, not its length.
        int64_t next = end;
        for (const TimerEntry& t : registry_.timers)
            if (!t.gone && t.active) next = std::min(next, std::max(t.due, registry_.clock + 1));
        registry_.clock = next;
        deliver();
    }
}

bool PluginDriver::userUndo() {
    lastError_.clear();
    if (inGesture_) return false;
    const bool done = host_.userUndo();
    if (done) notify(kAIAfterUndoNotifier);
    return done;
}

bool PluginDriver::userRedo() {
    lastError_.clear();
    if (inGesture_) return false;
    const bool done = host_.userRedo();
    if (done) notify(kAIAfterRedoNotifier);
    return done;
}

AIErr PluginDriver::workspace(const char* selector, const std::string& name) {
    lastError_.clear();
    if (!selector) return fail(kBadParameterErr, "no workspace request");
    const AIWorkspaceHandle ws = host_.workspaces().open(name);
    AIErr first = kNoErr;
    for (size_t i = 0; i < plugins_.size(); ++i) {
        if (!reachable(i)) continue;
        AIWorkspaceMessage m{};
        m.workspace = ws;
        m.dialogName = name.c_str();
        const AIErr e = send(i, kCallerAIWorkspace, selector, m, name);
        if (e != kNoErr && first == kNoErr) first = e;
    }
    deliver();
    return first;
}

}  // namespace standin
