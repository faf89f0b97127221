// What plug-ins register with the host through the tool, menu, notifier, timer, annotator,
// suites and plug-in suites: the tables those suites fill, the host clock the timers run
// on, the notifications waiting for delivery and the last annotator drawing. The session
// (PluginDriver.h) reads these tables to drive the plug-ins; suite functions reach the table
// through PluginRegistry::current().
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "AIAnnotator.h"
#include "AITool.h"
#include "AITypes.h"
#include "SuiteRegistry.h"

namespace standin {

// Handles of registered objects carry their kind in the top byte, so a handle of one kind
// passed where another is expected is refused rather than taken for a wrong object.
enum class RegKind : uint8_t { Plugin = 1, Tool, MenuItem, MenuGroup, Notifier, Timer, Annotator, Suite, View };

template <class H>
H regHandle(RegKind kind, size_t index) {
    const uintptr_t v = (uintptr_t(kind) << 24) | uintptr_t(index + 1);
    return reinterpret_cast<H>(v);
}

// The index a handle names, or -1 when it is null, of another kind or out of range.
template <class H>
long regIndex(RegKind kind, H handle, size_t count) {
    const uintptr_t v = reinterpret_cast<uintptr_t>(handle);
    if ((v >> 24) != uintptr_t(kind)) return -1;
    const uintptr_t n = v & 0xFFFFFF;
    if (n == 0 || n > count) return -1;
    return long(n - 1);
}

struct ToolEntry {
    size_t plugin = 0;
    bool gone = false;  // its plug-in was shut down
    std::string name;   // the plug-in's name for it
    std::string title;  // shown in the toolbox
    std::string tip;
    int32_t iconID = 0;
    int32_t options = 0;
    int group = 0;    // toolbox group number
    int toolset = 0;  // tool set number (unique over groups)
};

struct MenuGroupEntry {
    std::string name;
    int32_t options = 0;
    long parentItem = -1;  // a submenu's item, or -1
};

struct MenuItemEntry {
    size_t plugin = 0;
    bool gone = false;  // its plug-in was shut down
    std::string name;
    std::string group;
    std::string text;
    int32_t options = 0;
    bool enabled = true;
    bool checked = false;
};

struct NotifierEntry {
    size_t plugin = 0;
    bool gone = false;  // its plug-in was shut down
    std::string name;
    std::string type;
    bool active = true;
};

struct TimerEntry {
    size_t plugin = 0;
    bool gone = false;  // its plug-in was shut down
    std::string name;
    int32_t period = 1;  // ticks, at least 1
    bool active = false;
    int64_t due = 0;     // clock tick at which it fires next, while active
    uint64_t undoStep = 0;  // the host message in which it was last made active
};

struct AnnotatorEntry {
    size_t plugin = 0;
    bool gone = false;  // its plug-in was shut down
    std::string name;
    bool active = true;
};

struct ExportedSuite {
    size_t plugin = 0;
    bool gone = false;  // its plug-in was shut down
    std::string name;
    int32_t apiVersion = 0;
    int32_t internalVersion = 0;
};

// One drawing operation of an annotator, in view pixels (y down).
struct AnnotationOp {
    enum class Kind { Line, Rect, FilledRect, Ellipse, FilledEllipse, Clear, Text };
    Kind kind = Kind::Line;
    AIRect rect{};  // lines: left,top = start, right,bottom = end; text: left,bottom = origin
    std::string text;
    AIRGBColor color{0, 0, 0};
    AIReal lineWidth = 1.0f;
    bool dashed = false;
    AIReal fontSize = 10.0f;
};

// The stand-in's one view of each document, in pixels (as the document view suite has it):
// annotators draw in it.
constexpr int32_t kStandinViewWidth = 1024;
constexpr int32_t kStandinViewHeight = 768;

struct PendingNotification {
    std::string type;
    void* data = nullptr;
    long target = -1;  // one plug-in only (the application-started notice of a late start-up), or -1
};

struct PluginInfo {
    std::string name;
    int32_t options = 0;
};

class PluginRegistry {
public:
    PluginRegistry();
    ~PluginRegistry();
    PluginRegistry(const PluginRegistry&) = delete;
    PluginRegistry& operator=(const PluginRegistry&) = delete;

    // The registry the suites talk to: the latest activated one still alive.
    static PluginRegistry* current();
    void activate();
    // Publishes the tool, menu, notifier, timer, annotator, drawer, suites and plug-in suites.
    void registerSuites(SuiteRegistry& registry);
    SuiteRegistry* suiteRegistry() const { return suites_; }

    // Everything a plug-in registered goes when it is shut down; handles of the others stay.
    void forgetPlugin(size_t plugin);

    std::vector<PluginInfo> plugins;
    std::vector<ToolEntry> tools;
    std::vector<MenuGroupEntry> menuGroups;
    std::vector<MenuItemEntry> menuItems;
    std::vector<NotifierEntry> notifiers;
    std::vector<TimerEntry> timers;
    std::vector<AnnotatorEntry> annotators;
    std::vector<ExportedSuite> exportedSuites;

    long currentTool = -1;
    int64_t clock = 0;  // ticks of 1/60 s
    int32_t hostMajor = 15;
    int32_t hostMinor = 0;

    // Raised by Notify (and by the host itself); the session delivers them in order.
    std::deque<PendingNotification> pending;
    // Set by InvalAnnotationRect; the session asks the annotators to draw again.
    bool annotationInvalid = false;
    // The drawing being made, and the last finished one (for export overlays).
    std::vector<AnnotationOp> drawing;
    std::vector<AnnotationOp> lastDrawing;
    // The one drawer handle; valid only while drawingOpen.
    static AIAnnotatorDrawer* drawerHandle();
    bool drawingOpen = false;
    // Drawer state of the drawing being made.
    AIRGBColor penColor{0, 0, 0};
    AIReal penWidth = 1.0f;
    bool penDashed = false;
    AIReal fontSize = 10.0f;

    // Lookups by what the user sees.
    long toolByTitle(const std::string& title) const;  // title or name
    long menuItemByText(const std::string& text) const;  // text or name
    int toolGroups() const;
    int toolsets() const;

private:
    PluginRegistry* previous_ = nullptr;
    SuiteRegistry* suites_ = nullptr;
};

}  // namespace standin
