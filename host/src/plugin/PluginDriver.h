// The event driver of the stand-in host: it loads plug-ins (a linked entry point or a
// module opened with dlopen), plays the user's gestures and the host's own commands as
// plug-in messages, and delivers what follows each message in a fixed order: the
// selection-changed notification when the selection changed, the queued notifications,
// then the timers that are due on the virtual clock (ticks of 1/60 s). Each message opens
// a journal segment of the host, so UndoChanges and the user's undo see gestures.
//
// During a gesture (mouse down to mouse up) the consequences wait for the mouse up: the
// journal counts the drags of one gesture, and a message of another kind in between
// would end it.
#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "AITool.h"
#include "Host.h"
#include "SPMessages.h"
#include "adm/DialogManager.h"
#include "adm/PreferenceStore.h"
#include "adm/Resources.h"
#include "adm/Workspace.h"
#include "plugin/PluginRegistry.h"

namespace standin {

struct PluginDriverOptions {
    std::filesystem::path resourceDir;      // empty: the host's default resources
    std::filesystem::path preferencesPath;  // empty: preferences live in memory only
                                            // (read before start-up, written after shut-down)
    std::filesystem::path userSupportFolder;  // where catalogue files (the presets) live;
                                              // empty: in memory, for the host's life
    int32_t hostMajor = 15;
    int32_t hostMinor = 0;
};

// One message the session sent, for tests and tracing.
struct SentMessage {
    size_t plugin = 0;
    std::string caller;
    std::string selector;
    std::string detail;  // tool, menu item, notification type or timer name
    AIErr result = kNoErr;
};

class PluginModule;

class PluginDriver {
public:
    explicit PluginDriver(Host& host, PluginDriverOptions options = {});
    ~PluginDriver();
    PluginDriver(const PluginDriver&) = delete;
    PluginDriver& operator=(const PluginDriver&) = delete;

    // ---- plug-ins
    // A plug-in linked into the program; answers its index.
    size_t load(PluginMainProc main, const std::string& name = "Plotwise");
    // A plug-in module exporting PluginMain; nothing and *error set when it cannot be used.
    // The `resources` folder beside the module, when there is one, joins the resource
    // search path (Resources::addPluginFolder).
    std::optional<size_t> loadLibrary(const std::filesystem::path& path, std::string* error);
    size_t pluginCount() const { return plugins_.size(); }
    bool isStarted(size_t plugin) const;
    void* globals(size_t plugin) const;

    // "SP Properties" and "Startup" to each plug-in not yet started, then the
    // application-started notification. Answers the first error (the plug-in that failed
    // is not started and its registrations are withdrawn).
    AIErr startup();
    // The application-shutdown notification, the panels closed, "Shutdown" to each
    // plug-in (last loaded first), then the preferences written.
    AIErr shutdown();
    // The host quits and starts again: shutdown(), then every plug-in that was running is
    // started afresh (the preferences read again from their file, when there is one).
    // `whileClosed`, when given, changes the preferences in between, as a user editing the
    // preference file while the program is closed.
    AIErr restart(const std::function<void(PreferenceStore&)>& whileClosed = nullptr);
    AIErr unload(size_t plugin);
    AIErr reload(size_t plugin);
    AIErr about(size_t plugin);

    // ---- documents (each with the host's before/after notifications)
    Document& newDocument(AIReal width = 612.0f, AIReal height = 792.0f);
    // `open` makes the document (usually through Host::adoptDocument).
    AIErr openDocument(const std::function<AIErr()>& open);
    AIErr saveDocument(const std::function<AIErr()>& save);
    AIErr closeDocument();
    AIErr paste(const std::function<AIErr()>& paste);
    void setFrontDocument(Document& doc);
    // After a change the host made itself (art drawn by its own tools, a layer command).
    void documentChanged(const char* type = nullptr);
    // Delivers what is waiting (the selection-changed notification after the host changed
    // the selection itself, for instance).
    void settle() { deliver(); }
    // Runs a user action that reaches the plug-in outside its entry point (a panel's item
    // notifier, say) as one host message: journaled, and what it raises delivered after it.
    // Refused ('PARM') while the mouse button is held, as no user action reaches a document then.
    AIErr hostEvent(const std::function<AIErr()>& action);
    // Raises a host notification now (or after the message being handled).
    void notify(const std::string& type, void* data = nullptr);

    // ---- user gestures
    AIErr selectTool(const std::string& title);
    AIErr editToolOptions();
    AIErr trackCursor(AIRealPoint p, uint32_t modifiers = 0);
    AIErr mouseDown(AIRealPoint p, uint32_t modifiers = 0);
    AIErr mouseDrag(AIRealPoint p, uint32_t modifiers = 0);
    AIErr mouseUp(AIRealPoint p, uint32_t modifiers = 0);
    AIErr click(AIRealPoint p, uint32_t modifiers = 0);  // down and up, no drag
    bool inGesture() const { return inGesture_; }
    // "AI Update" (when asked for) then "AI Go"; a disabled or unknown item gives 'PARM'.
    AIErr menu(const std::string& text);
    void ticks(int64_t n);
    bool userUndo();
    bool userRedo();
    // "Workspace Manager" with the selector, carrying the named workspace record.
    AIErr workspace(const char* selector, const std::string& name);
    // Asks every active annotator to draw again.
    void redrawAnnotations();

    // ---- inspection
    Host& host() { return host_; }
    PluginRegistry& registry() { return registry_; }
    Resources& resources() { return host_.resources(); }
    DialogManager& dialogs() { return host_.dialogs(); }
    PreferenceStore& preferences() { return host_.preferences(); }
    Workspaces& workspaces() { return host_.workspaces(); }
    const std::vector<SentMessage>& sent() const { return sent_; }
    void clearSent() { sent_.clear(); }
    // Why the last call failed, in words (empty after a success).
    const std::string& lastError() const { return lastError_; }
    // Counts the messages a plug-in answered with kOutOfMemoryErr: work it could not finish
    // for want of memory, whatever message it came in (a notification's answer included).
    uint64_t outOfMemoryAnswers() const { return outOfMemoryAnswers_; }
    const std::vector<AnnotationOp>& lastAnnotation() const { return registry_.lastDrawing; }

private:
    enum class State { Loaded, Started, Unloaded, Failed, ShutDown };
    struct Plugin {
        std::string name;
        PluginMainProc main = nullptr;
        std::unique_ptr<PluginModule> module;
        void* globals = nullptr;
        State state = State::Loaded;
    };

    size_t addPlugin(PluginMainProc main, const std::string& name, std::unique_ptr<PluginModule> module);
    bool reachable(size_t plugin);  // started, reloading first when unloaded
    template <class Message>
    AIErr send(size_t plugin, const char* caller, const char* selector, Message& msg, std::string detail,
               MessageKind kind = MessageKind::Other, bool journal = true);
    AIErr sendRaw(size_t plugin, const char* caller, const char* selector, SPMessageData& d, void* msg,
                  std::string detail, MessageKind kind, bool journal);
    AIErr toolMessage(const char* selector, AIRealPoint p, uint32_t modifiers, MessageKind kind);
    AIErr deliverNotification(const std::string& type, void* data, long target = -1);
    void deliver();
    bool fireDueTimer();
    std::vector<ObjId> currentSelection();
    // The front document and its count of edits of selected art: such an edit is a change
    // of the selection to those who follow it.
    std::pair<const Document*, uint64_t> selectedArtEdits();
    AIErr fileCommand(const char* before, const char* after, const std::function<AIErr()>& action,
                      std::initializer_list<const char*> during = {});
    AIErr fail(AIErr err, std::string why);
    AIErr quietFail(AIErr err, const std::string& why, const std::string& where = {}) noexcept;

    Host& host_;
    PluginDriverOptions options_;
    PluginRegistry registry_;
    std::vector<Plugin> plugins_;
    std::vector<SentMessage> sent_;
    std::vector<ObjId> selection_;
    std::pair<const Document*, uint64_t> selectedArtEdits_{nullptr, 0};
    bool inGesture_ = false;
    bool dragged_ = false;
    int depth_ = 0;  // messages being handled
    bool delivering_ = false;
    bool shutDown_ = false;
    std::string lastError_;
    uint64_t outOfMemoryAnswers_ = 0;
};

}  // namespace standin
