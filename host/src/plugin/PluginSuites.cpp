// The suites through which plug-ins register tools, menus, notifiers, timers, annotators
// and their own suites, draw annotations and set their options. Every handle is checked
// against the registry; a null, stale or foreign handle gives 'PARM' and changes nothing.
#include <algorithm>
#include <cstring>

#include "AIPlugin.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AITimer.h"
#include "Host.h"
#include "SPSuites.h"
#include "plugin/PluginRegistry.h"

namespace standin {

namespace {

PluginRegistry* reg() { return PluginRegistry::current(); }

template <class Table, class H>
auto* entry(RegKind kind, Table& table, H handle) {
    const long i = regIndex(kind, handle, table.size());
    using E = typename Table::value_type;
    if (i < 0 || table[size_t(i)].gone) return static_cast<E*>(nullptr);
    return &table[size_t(i)];
}

long pluginIndex(SPPluginRef self) {
    PluginRegistry* r = reg();
    return r ? regIndex(RegKind::Plugin, self, r->plugins.size()) : -1;
}

bool text(const char* s) { return s && *s; }

// Bounded, terminated copy.
AIErr copyOut(const std::string& from, char* to, size_t size) {
    if (!to || size == 0) return kBadParameterErr;
    const size_t n = std::min(from.size(), size - 1);
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
    return kNoErr;
}

// ---------------------------------------------------------------- tools

int nextNumber(const std::vector<ToolEntry>& tools, int ToolEntry::*field) {
    int n = 0;
    for (const auto& t : tools) n = std::max(n, t.*field + 1);
    return n;
}

AIErr AddTool(SPPluginRef self, const char* name, const AIAddToolData* data, int32_t options, AIToolHandle* tool) {
    PluginRegistry* r = reg();
    const long p = pluginIndex(self);
    if (!r || p < 0 || !text(name) || !data || !text(data->title) || !tool) return kBadParameterErr;
    auto& tools = r->tools;
    auto toolOf = [&](AIToolType n) -> const ToolEntry* {
        return n >= 0 && size_t(n) < tools.size() && !tools[size_t(n)].gone ? &tools[size_t(n)] : nullptr;
    };
    ToolEntry t;
    t.plugin = size_t(p);
    t.name = name;
    t.title = data->title;
    t.tip = data->tooltip ? data->tooltip : "";
    t.iconID = data->iconID;
    t.options = options;
    if (data->sameToolsetAs != kNoTool) {
        const ToolEntry* other = toolOf(data->sameToolsetAs);
        if (!other) return kBadParameterErr;
        t.group = other->group;
        t.toolset = other->toolset;
    } else {
        if (data->sameGroupAs != kNoTool) {
            const ToolEntry* other = toolOf(data->sameGroupAs);
            if (!other) return kBadParameterErr;
            t.group = other->group;
        } else {
            t.group = nextNumber(tools, &ToolEntry::group);
        }
        t.toolset = nextNumber(tools, &ToolEntry::toolset);
    }
    tools.push_back(std::move(t));
    *tool = regHandle<AIToolHandle>(RegKind::Tool, tools.size() - 1);
    return kNoErr;
}

ToolEntry* toolEntry(AIToolHandle tool) {
    PluginRegistry* r = reg();
    return r ? entry(RegKind::Tool, r->tools, tool) : nullptr;
}

AIErr GetToolName(AIToolHandle tool, const char** name) {
    ToolEntry* t = toolEntry(tool);
    if (!t || !name) return kBadParameterErr;
    *name = t->name.c_str();
    return kNoErr;
}

AIErr GetToolTitle(AIToolHandle tool, const char** title) {
    ToolEntry* t = toolEntry(tool);
    if (!t || !title) return kBadParameterErr;
    *title = t->title.c_str();
    return kNoErr;
}

AIErr SetToolTitle(AIToolHandle tool, const char* title) {
    ToolEntry* t = toolEntry(tool);
    if (!t || !text(title)) return kBadParameterErr;
    t->title = title;
    return kNoErr;
}

AIErr GetTooltip(AIToolHandle tool, const char** tip) {
    ToolEntry* t = toolEntry(tool);
    if (!t || !tip) return kBadParameterErr;
    *tip = t->tip.c_str();
    return kNoErr;
}

AIErr SetTooltip(AIToolHandle tool, const char* tip) {
    ToolEntry* t = toolEntry(tool);
    if (!t) return kBadParameterErr;
    t->tip = tip ? tip : "";
    return kNoErr;
}

AIErr GetToolOptions(AIToolHandle tool, int32_t* options) {
    ToolEntry* t = toolEntry(tool);
    if (!t || !options) return kBadParameterErr;
    *options = t->options;
    return kNoErr;
}

AIErr SetToolOptions(AIToolHandle tool, int32_t options) {
    ToolEntry* t = toolEntry(tool);
    if (!t) return kBadParameterErr;
    t->options = options;
    return kNoErr;
}

AIErr GetToolPlugin(AIToolHandle tool, SPPluginRef* plugin) {
    ToolEntry* t = toolEntry(tool);
    if (!t || !plugin) return kBadParameterErr;
    *plugin = regHandle<SPPluginRef>(RegKind::Plugin, t->plugin);
    return kNoErr;
}

AIErr GetSelectedTool(AIToolHandle* tool) {
    PluginRegistry* r = reg();
    if (!r || !tool) return kBadParameterErr;
    *tool = r->currentTool < 0 ? nullptr : regHandle<AIToolHandle>(RegKind::Tool, size_t(r->currentTool));
    return kNoErr;
}

// Selecting from the plug-in changes the current tool; the session sends the select and
// deselect messages only for the user's own choice.
AIErr SetSelectedTool(AIToolHandle tool) {
    PluginRegistry* r = reg();
    if (!r || !toolEntry(tool)) return kBadParameterErr;
    r->currentTool = regIndex(RegKind::Tool, tool, r->tools.size());
    return kNoErr;
}

AIErr CountTools(int32_t* count) {
    PluginRegistry* r = reg();
    if (!r || !count) return kBadParameterErr;
    *count = int32_t(r->tools.size());
    return kNoErr;
}

AIErr GetNthTool(int32_t n, AIToolHandle* tool) {
    PluginRegistry* r = reg();
    if (!r || !tool) return kBadParameterErr;
    if (n < 0 || size_t(n) >= r->tools.size() || r->tools[size_t(n)].gone) return kOutOfRangeErr;
    *tool = regHandle<AIToolHandle>(RegKind::Tool, size_t(n));
    return kNoErr;
}

AIErr GetToolNumberFromHandle(AIToolHandle tool, AIToolType* number) {
    PluginRegistry* r = reg();
    if (!r || !toolEntry(tool) || !number) return kBadParameterErr;
    *number = AIToolType(regIndex(RegKind::Tool, tool, r->tools.size()));
    return kNoErr;
}

AIErr GetToolHandleFromNumber(AIToolType number, AIToolHandle* tool) { return GetNthTool(number, tool); }

const AIToolSuite kToolSuite = {AddTool,         GetToolName,       GetToolTitle,
                                SetToolTitle,    GetTooltip,        SetTooltip,
                                GetToolOptions,  SetToolOptions,    GetToolPlugin,
                                GetSelectedTool, SetSelectedTool,   CountTools,
                                GetNthTool,      GetToolNumberFromHandle, GetToolHandleFromNumber};

// ---------------------------------------------------------------- menus

MenuItemEntry* menuEntry(AIMenuItemHandle item) {
    PluginRegistry* r = reg();
    return r ? entry(RegKind::MenuItem, r->menuItems, item) : nullptr;
}

AIErr AddMenuItem(SPPluginRef self, const char* name, const AIPlatformAddMenuItemData* data, int32_t options,
                  AIMenuItemHandle* item) {
    PluginRegistry* r = reg();
    if (!r || pluginIndex(self) < 0 || !text(name) || !data || !text(data->groupName) || !data->itemText ||
        !item)
        return kBadParameterErr;
    MenuItemEntry e;
    e.plugin = size_t(pluginIndex(self));
    e.name = name;
    e.group = data->groupName;
    e.text = data->itemText;
    e.options = options;
    r->menuItems.push_back(std::move(e));
    *item = regHandle<AIMenuItemHandle>(RegKind::MenuItem, r->menuItems.size() - 1);
    return kNoErr;
}

AIErr addGroup(const char* name, int32_t options, long parent, AIMenuGroup* group) {
    PluginRegistry* r = reg();
    if (!r || !text(name) || !group) return kBadParameterErr;
    for (size_t i = 0; i < r->menuGroups.size(); ++i)
        if (r->menuGroups[i].name == name) {  // adding a group twice gives the same group
            *group = regHandle<AIMenuGroup>(RegKind::MenuGroup, i);
            return kNoErr;
        }
    r->menuGroups.push_back({name, options, parent});
    *group = regHandle<AIMenuGroup>(RegKind::MenuGroup, r->menuGroups.size() - 1);
    return kNoErr;
}

AIErr AddMenuGroup(const char* name, int32_t options, const char* /*nearGroup*/, AIMenuGroup* group) {
    return addGroup(name, options, -1, group);
}

AIErr AddMenuGroupAsSubMenu(const char* name, int32_t options, AIMenuItemHandle parentItem, AIMenuGroup* group) {
    PluginRegistry* r = reg();
    if (!r || !menuEntry(parentItem)) return kBadParameterErr;
    return addGroup(name, options, regIndex(RegKind::MenuItem, parentItem, r->menuItems.size()), group);
}

AIErr GetMenuItemName(AIMenuItemHandle item, const char** name) {
    MenuItemEntry* e = menuEntry(item);
    if (!e || !name) return kBadParameterErr;
    *name = e->name.c_str();
    return kNoErr;
}

AIErr GetItemText(AIMenuItemHandle item, char* out, size_t size) {
    MenuItemEntry* e = menuEntry(item);
    if (!e) return kBadParameterErr;
    return copyOut(e->text, out, size);
}

AIErr SetItemText(AIMenuItemHandle item, const char* newText) {
    MenuItemEntry* e = menuEntry(item);
    if (!e || !newText) return kBadParameterErr;
    e->text = newText;
    return kNoErr;
}

AIErr setEnabled(AIMenuItemHandle item, bool enabled) {
    MenuItemEntry* e = menuEntry(item);
    if (!e) return kBadParameterErr;
    e->enabled = enabled;
    return kNoErr;
}

AIErr EnableItem(AIMenuItemHandle item) { return setEnabled(item, true); }
AIErr DisableItem(AIMenuItemHandle item) { return setEnabled(item, false); }

AIErr GetItemEnabled(AIMenuItemHandle item, ASBoolean* enabled) {
    MenuItemEntry* e = menuEntry(item);
    if (!e || !enabled) return kBadParameterErr;
    *enabled = e->enabled;
    return kNoErr;
}

AIErr CheckItem(AIMenuItemHandle item, ASBoolean checked) {
    MenuItemEntry* e = menuEntry(item);
    if (!e) return kBadParameterErr;
    e->checked = checked != 0;
    return kNoErr;
}

AIErr GetItemChecked(AIMenuItemHandle item, ASBoolean* checked) {
    MenuItemEntry* e = menuEntry(item);
    if (!e || !checked) return kBadParameterErr;
    *checked = e->checked;
    return kNoErr;
}

AIErr GetMenuItemPlugin(AIMenuItemHandle item, SPPluginRef* plugin) {
    MenuItemEntry* e = menuEntry(item);
    if (!e || !plugin) return kBadParameterErr;
    *plugin = regHandle<SPPluginRef>(RegKind::Plugin, e->plugin);
    return kNoErr;
}

AIErr CountMenuItems(int32_t* count) {
    PluginRegistry* r = reg();
    if (!r || !count) return kBadParameterErr;
    *count = int32_t(r->menuItems.size());
    return kNoErr;
}

AIErr GetNthMenuItem(int32_t n, AIMenuItemHandle* item) {
    PluginRegistry* r = reg();
    if (!r || !item) return kBadParameterErr;
    if (n < 0 || size_t(n) >= r->menuItems.size() || r->menuItems[size_t(n)].gone) return kOutOfRangeErr;
    *item = regHandle<AIMenuItemHandle>(RegKind::MenuItem, size_t(n));
    return kNoErr;
}

const AIMenuSuite kMenuSuite = {AddMenuItem,   AddMenuGroup,   AddMenuGroupAsSubMenu, GetMenuItemName,
                                GetItemText,   SetItemText,    EnableItem,            DisableItem,
                                GetItemEnabled, CheckItem,     GetItemChecked,        GetMenuItemPlugin,
                                CountMenuItems, GetNthMenuItem};

// ---------------------------------------------------------------- notifiers

NotifierEntry* notifierEntry(AINotifierHandle n) {
    PluginRegistry* r = reg();
    return r ? entry(RegKind::Notifier, r->notifiers, n) : nullptr;
}

AIErr AddNotifier(SPPluginRef self, const char* name, const char* type, AINotifierHandle* notifier) {
    PluginRegistry* r = reg();
    if (!r || pluginIndex(self) < 0 || !text(name) || !text(type) || !notifier) return kBadParameterErr;
    r->notifiers.push_back({size_t(pluginIndex(self)), false, name, type, true});
    *notifier = regHandle<AINotifierHandle>(RegKind::Notifier, r->notifiers.size() - 1);
    return kNoErr;
}

AIErr GetNotifierName(AINotifierHandle n, const char** name) {
    NotifierEntry* e = notifierEntry(n);
    if (!e || !name) return kBadParameterErr;
    *name = e->name.c_str();
    return kNoErr;
}

AIErr GetNotifierType(AINotifierHandle n, const char** type) {
    NotifierEntry* e = notifierEntry(n);
    if (!e || !type) return kBadParameterErr;
    *type = e->type.c_str();
    return kNoErr;
}

AIErr GetNotifierActive(AINotifierHandle n, ASBoolean* active) {
    NotifierEntry* e = notifierEntry(n);
    if (!e || !active) return kBadParameterErr;
    *active = e->active;
    return kNoErr;
}

AIErr SetNotifierActive(AINotifierHandle n, ASBoolean active) {
    NotifierEntry* e = notifierEntry(n);
    if (!e) return kBadParameterErr;
    e->active = active != 0;
    return kNoErr;
}

AIErr GetNotifierPlugin(AINotifierHandle n, SPPluginRef* plugin) {
    NotifierEntry* e = notifierEntry(n);
    if (!e || !plugin) return kBadParameterErr;
    *plugin = regHandle<SPPluginRef>(RegKind::Plugin, e->plugin);
    return kNoErr;
}

AIErr CountNotifiers(int32_t* count) {
    PluginRegistry* r = reg();
    if (!r || !count) return kBadParameterErr;
    *count = int32_t(r->notifiers.size());
    return kNoErr;
}

AIErr GetNthNotifier(int32_t n, AINotifierHandle* notifier) {
    PluginRegistry* r = reg();
    if (!r || !notifier) return kBadParameterErr;
    if (n < 0 || size_t(n) >= r->notifiers.size() || r->notifiers[size_t(n)].gone) return kOutOfRangeErr;
    *notifier = regHandle<AINotifierHandle>(RegKind::Notifier, size_t(n));
    return kNoErr;
}

AIErr Notify(const char* type, void* data) {
    PluginRegistry* r = reg();
    if (!r || !text(type)) return kBadParameterErr;
    r->pending.push_back({type, data});
    return kNoErr;
}

const AINotifierSuite kNotifierSuite = {AddNotifier,       GetNotifierName,   GetNotifierType,
                                        GetNotifierActive, SetNotifierActive, GetNotifierPlugin,
                                        CountNotifiers,    GetNthNotifier,    Notify};

// ---------------------------------------------------------------- timers

TimerEntry* timerEntry(AITimerHandle t) {
    PluginRegistry* r = reg();
    return r ? entry(RegKind::Timer, r->timers, t) : nullptr;
}

AIErr AddTimer(SPPluginRef self, const char* name, int32_t period, AITimerHandle* timer) {
    PluginRegistry* r = reg();
    if (!r || pluginIndex(self) < 0 || !text(name) || period < 0 || !timer) return kBadParameterErr;
    TimerEntry e;
    e.plugin = size_t(pluginIndex(self));
    e.name = name;
    e.period = std::max<int32_t>(period, 1);  // a period of 0 fires at the next tick
    r->timers.push_back(std::move(e));
    *timer = regHandle<AITimerHandle>(RegKind::Timer, r->timers.size() - 1);
    return kNoErr;
}

AIErr GetTimerName(AITimerHandle t, const char** name) {
    TimerEntry* e = timerEntry(t);
    if (!e || !name) return kBadParameterErr;
    *name = e->name.c_str();
    return kNoErr;
}

AIErr GetTimerActive(AITimerHandle t, ASBoolean* active) {
    TimerEntry* e = timerEntry(t);
    if (!e || !active) return kBadParameterErr;
    *active = e->active;
    return kNoErr;
}

AIErr SetTimerActive(AITimerHandle t, ASBoolean active) {
    TimerEntry* e = timerEntry(t);
    if (!e) return kBadParameterErr;
    if (active && !e->active) e->due = reg()->clock + e->period;
    if (active) e->undoStep = Host::current() ? Host::current()->currentMessage() : 0;
    e->active = active != 0;
    return kNoErr;
}

AIErr GetTimerPeriod(AITimerHandle t, int32_t* period) {
    TimerEntry* e = timerEntry(t);
    if (!e || !period) return kBadParameterErr;
    *period = e->period;
    return kNoErr;
}

AIErr SetTimerPeriod(AITimerHandle t, int32_t period) {
    TimerEntry* e = timerEntry(t);
    if (!e || period < 0) return kBadParameterErr;
    e->period = std::max<int32_t>(period, 1);
    if (e->active) e->due = reg()->clock + e->period;
    return kNoErr;
}

AIErr GetTimerPlugin(AITimerHandle t, SPPluginRef* plugin) {
    TimerEntry* e = timerEntry(t);
    if (!e || !plugin) return kBadParameterErr;
    *plugin = regHandle<SPPluginRef>(RegKind::Plugin, e->plugin);
    return kNoErr;
}

AIErr CountTimers(int32_t* count) {
    PluginRegistry* r = reg();
    if (!r || !count) return kBadParameterErr;
    *count = int32_t(r->timers.size());
    return kNoErr;
}

AIErr GetNthTimer(int32_t n, AITimerHandle* timer) {
    PluginRegistry* r = reg();
    if (!r || !timer) return kBadParameterErr;
    if (n < 0 || size_t(n) >= r->timers.size() || r->timers[size_t(n)].gone) return kOutOfRangeErr;
    *timer = regHandle<AITimerHandle>(RegKind::Timer, size_t(n));
    return kNoErr;
}

AIErr GetTimerUndoStep(AITimerHandle t, AIUndoStepRef* step) {
    TimerEntry* e = timerEntry(t);
    if (!e || !step) return kBadParameterErr;
    *step = toHandle<AIUndoStepRef>(e->undoStep);
    return kNoErr;
}

const AITimerSuite kTimerSuite = {AddTimer,       GetTimerName,   GetTimerActive, SetTimerActive,
                                  GetTimerPeriod, SetTimerPeriod, GetTimerPlugin, CountTimers,
                                  GetNthTimer,    GetTimerUndoStep};

// ---------------------------------------------------------------- annotators

AnnotatorEntry* annotatorEntry(AIAnnotatorHandle a) {
    PluginRegistry* r = reg();
    return r ? entry(RegKind::Annotator, r->annotators, a) : nullptr;
}

AIErr AddAnnotator(SPPluginRef self, const char* name, AIAnnotatorHandle* annotator) {
    PluginRegistry* r = reg();
    if (!r || pluginIndex(self) < 0 || !text(name) || !annotator) return kBadParameterErr;
    r->annotators.push_back({size_t(pluginIndex(self)), false, name, true});
    *annotator = regHandle<AIAnnotatorHandle>(RegKind::Annotator, r->annotators.size() - 1);
    return kNoErr;
}

AIErr GetAnnotatorName(AIAnnotatorHandle a, const char** name) {
    AnnotatorEntry* e = annotatorEntry(a);
    if (!e || !name) return kBadParameterErr;
    *name = e->name.c_str();
    return kNoErr;
}

AIErr GetAnnotatorActive(AIAnnotatorHandle a, ASBoolean* active) {
    AnnotatorEntry* e = annotatorEntry(a);
    if (!e || !active) return kBadParameterErr;
    *active = e->active;
    return kNoErr;
}

AIErr SetAnnotatorActive(AIAnnotatorHandle a, ASBoolean active) {
    AnnotatorEntry* e = annotatorEntry(a);
    if (!e) return kBadParameterErr;
    e->active = active != 0;
    reg()->annotationInvalid = true;
    return kNoErr;
}

AIErr GetAnnotatorPlugin(AIAnnotatorHandle a, SPPluginRef* plugin) {
    AnnotatorEntry* e = annotatorEntry(a);
    if (!e || !plugin) return kBadParameterErr;
    *plugin = regHandle<SPPluginRef>(RegKind::Plugin, e->plugin);
    return kNoErr;
}

AIErr CountAnnotators(int32_t* count) {
    PluginRegistry* r = reg();
    if (!r || !count) return kBadParameterErr;
    *count = int32_t(r->annotators.size());
    return kNoErr;
}

AIErr GetNthAnnotator(int32_t n, AIAnnotatorHandle* annotator) {
    PluginRegistry* r = reg();
    if (!r || !annotator) return kBadParameterErr;
    if (n < 0 || size_t(n) >= r->annotators.size() || r->annotators[size_t(n)].gone) return kOutOfRangeErr;
    *annotator = regHandle<AIAnnotatorHandle>(RegKind::Annotator, size_t(n));
    return kNoErr;
}

AIErr InvalAnnotationRect(AIDocumentViewHandle /*view*/, const AIRect* /*rect*/) {
    PluginRegistry* r = reg();
    if (!r) return kBadParameterErr;
    r->annotationInvalid = true;
    return kNoErr;
}

const AIAnnotatorSuite kAnnotatorSuite = {AddAnnotator,       GetAnnotatorName, GetAnnotatorActive,
                                          SetAnnotatorActive, GetAnnotatorPlugin, CountAnnotators,
                                          GetNthAnnotator,    InvalAnnotationRect};

// ---------------------------------------------------------------- drawer

// The drawer is valid only while a draw message is being handled.
PluginRegistry* drawer(AIAnnotatorDrawer* d) {
    PluginRegistry* r = reg();
    if (!r || !d || d != PluginRegistry::drawerHandle() || !r->drawingOpen) return nullptr;
    return r;
}

AIErr record(AIAnnotatorDrawer* d, AnnotationOp::Kind kind, const AIRect& rect, std::string str = {}) {
    PluginRegistry* r = drawer(d);
    if (!r) return kBadParameterErr;
    AnnotationOp op;
    op.kind = kind;
    op.rect = rect;
    op.text = std::move(str);
    op.color = r->penColor;
    op.lineWidth = r->penWidth;
    op.dashed = r->penDashed;
    op.fontSize = r->fontSize;
    r->drawing.push_back(std::move(op));
    return kNoErr;
}

AIErr SetColor(AIAnnotatorDrawer* d, const AIRGBColor* color) {
    PluginRegistry* r = drawer(d);
    if (!r || !color) return kBadParameterErr;
    r->penColor = *color;
    return kNoErr;
}

AIErr SetLineWidth(AIAnnotatorDrawer* d, AIReal width) {
    PluginRegistry* r = drawer(d);
    if (!r || !(width >= 0)) return kBadParameterErr;
    r->penWidth = width;
    return kNoErr;
}

AIErr SetLineDashed(AIAnnotatorDrawer* d, ASBoolean dashed) {
    PluginRegistry* r = drawer(d);
    if (!r) return kBadParameterErr;
    r->penDashed = dashed != 0;
    return kNoErr;
}

AIErr DrawLine(AIAnnotatorDrawer* d, const AIPoint* start, const AIPoint* end) {
    if (!start || !end) return kBadParameterErr;
    return record(d, AnnotationOp::Kind::Line, {start->h, start->v, end->h, end->v});
}

AIErr DrawRect(AIAnnotatorDrawer* d, const AIRect* rect, ASBoolean fill) {
    if (!rect) return kBadParameterErr;
    return record(d, fill ? AnnotationOp::Kind::FilledRect : AnnotationOp::Kind::Rect, *rect);
}

AIErr DrawEllipse(AIAnnotatorDrawer* d, const AIRect* rect, ASBoolean fill) {
    if (!rect) return kBadParameterErr;
    return record(d, fill ? AnnotationOp::Kind::FilledEllipse : AnnotationOp::Kind::Ellipse, *rect);
}

AIErr ClearRect(AIAnnotatorDrawer* d, const AIRect* rect) {
    if (!rect) return kBadParameterErr;
    return record(d, AnnotationOp::Kind::Clear, *rect);
}

AIErr SetFontSize(AIAnnotatorDrawer* d, AIReal size) {
    PluginRegistry* r = drawer(d);
    if (!r || !(size > 0)) return kBadParameterErr;
    r->fontSize = size;
    return kNoErr;
}

// Text metrics of the view font: 0.6 em per character, ascent 0.8 em, descent 0.2 em.
AIRect textBox(const PluginRegistry& r, const char* s, const AIPoint& origin) {
    const auto width = int32_t(0.6f * r.fontSize * float(std::strlen(s)) + 0.5f);
    return {origin.h, origin.v - int32_t(0.8f * r.fontSize + 0.5f), origin.h + width,
            origin.v + int32_t(0.2f * r.fontSize + 0.5f)};
}

AIErr DrawText(AIAnnotatorDrawer* d, const char* s, const AIPoint* origin) {
    PluginRegistry* r = drawer(d);
    if (!r || !s || !origin) return kBadParameterErr;
    // The record keeps the origin as its left and bottom.
    const AIRect box = textBox(*r, s, *origin);
    return record(d, AnnotationOp::Kind::Text, {origin->h, box.top, box.right, origin->v}, s);
}

AIErr GetTextBounds(AIAnnotatorDrawer* d, const char* s, const AIPoint* origin, AIRect* bounds) {
    PluginRegistry* r = drawer(d);
    if (!r || !s || !origin || !bounds) return kBadParameterErr;
    *bounds = textBox(*r, s, *origin);
    return kNoErr;
}

const AIAnnotatorDrawerSuite kDrawerSuite = {SetColor,  SetLineWidth, SetLineDashed, DrawLine,
                                             DrawRect,  DrawEllipse,  ClearRect,     SetFontSize,
                                             DrawText,  GetTextBounds};

// ---------------------------------------------------------------- suites

AIErr AddSuite(SPPluginRef self, const char* name, int32_t apiVersion, int32_t internalVersion, const void* procs,
               SPSuiteRef* suite) {
    PluginRegistry* r = reg();
    if (!r || !r->suiteRegistry() || pluginIndex(self) < 0 || !text(name) || !procs) return kBadParameterErr;
    if (r->suiteRegistry()->has(name, apiVersion)) return kBadParameterErr;  // a name and version is published once
    r->suiteRegistry()->add(name, apiVersion, procs);
    r->exportedSuites.push_back({size_t(pluginIndex(self)), false, name, apiVersion, internalVersion});
    if (suite) *suite = regHandle<SPSuiteRef>(RegKind::Suite, r->exportedSuites.size() - 1);
    return kNoErr;
}

AIErr AcquireSuite(const char* name, int32_t version, const void** procs) {
    PluginRegistry* r = reg();
    if (!r || !r->suiteRegistry()) return kUnknownSuiteErr;
    return r->suiteRegistry()->acquire(name, version, procs);
}

AIErr ReleaseSuite(const char* name, int32_t version) {
    PluginRegistry* r = reg();
    if (!r || !r->suiteRegistry()) return kUnknownSuiteErr;
    return r->suiteRegistry()->release(name, version);
}

const SPSuitesSuite kSuitesSuite = {AddSuite, AcquireSuite, ReleaseSuite};

// ---------------------------------------------------------------- plug-in

PluginInfo* pluginInfo(SPPluginRef plugin) {
    const long p = pluginIndex(plugin);
    return p < 0 ? nullptr : &reg()->plugins[size_t(p)];
}

AIErr SetPluginOptions(SPPluginRef plugin, int32_t options) {
    PluginInfo* p = pluginInfo(plugin);
    if (!p) return kBadParameterErr;
    p->options = options;
    return kNoErr;
}

AIErr GetPluginOptions(SPPluginRef plugin, int32_t* options) {
    PluginInfo* p = pluginInfo(plugin);
    if (!p || !options) return kBadParameterErr;
    *options = p->options;
    return kNoErr;
}

AIErr GetPluginName(SPPluginRef plugin, const char** name) {
    PluginInfo* p = pluginInfo(plugin);
    if (!p || !name) return kBadParameterErr;
    *name = p->name.c_str();
    return kNoErr;
}

AIErr GetHostVersion(int32_t* major, int32_t* minor) {
    PluginRegistry* r = reg();
    if (!r || !major) return kBadParameterErr;
    *major = r->hostMajor;
    if (minor) *minor = r->hostMinor;
    return kNoErr;
}

const AIPluginSuite kPluginSuite = {SetPluginOptions, GetPluginOptions, GetPluginName, GetHostVersion};

}  // namespace

AIAnnotatorDrawer* PluginRegistry::drawerHandle() {
    static char token;
    return reinterpret_cast<AIAnnotatorDrawer*>(&token);
}

void PluginRegistry::registerSuites(SuiteRegistry& registry) {
    activate();
    suites_ = &registry;
    registry.add(kAIToolSuite, kAIToolSuiteVersion, &kToolSuite);
    registry.add(kAIMenuSuite, kAIMenuSuiteVersion, &kMenuSuite);
    registry.add(kAINotifierSuite, kAINotifierSuiteVersion, &kNotifierSuite);
    registry.add(kAITimerSuite, kAITimerSuiteVersion, &kTimerSuite);
    registry.add(kAIAnnotatorSuite, kAIAnnotatorSuiteVersion, &kAnnotatorSuite);
    registry.add(kAIAnnotatorDrawerSuite, kAIAnnotatorDrawerSuiteVersion, &kDrawerSuite);
    registry.add(kSPSuitesSuite, kSPSuitesSuiteVersion, &kSuitesSuite);
    registry.add(kAIPluginSuite, kAIPluginSuiteVersion, &kPluginSuite);
}

}  // namespace standin
