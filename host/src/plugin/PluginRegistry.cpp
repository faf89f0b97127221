// The registry of what plug-ins registered: activation, lookups by user-visible text, and
// the clean-up when a plug-in is shut down.
#include "plugin/PluginRegistry.h"

#include <set>

namespace standin {

namespace {
PluginRegistry* g_registry = nullptr;
}

PluginRegistry::PluginRegistry() = default;

PluginRegistry::~PluginRegistry() {
    if (g_registry == this) g_registry = previous_;
}

PluginRegistry* PluginRegistry::current() { return g_registry; }

void PluginRegistry::activate() {
    if (g_registry == this) return;
    previous_ = g_registry;
    g_registry = this;
}

void PluginRegistry::forgetPlugin(size_t plugin) {
    auto mark = [plugin](auto& table) {
        for (auto& e : table)
            if (e.plugin == plugin) e.gone = true;
    };
    mark(tools);
    mark(menuItems);
    mark(notifiers);
    mark(timers);
    mark(annotators);
    for (auto& s : exportedSuites) {
        if (s.plugin != plugin || s.gone) continue;
        s.gone = true;
        if (suites_) suites_->remove(s.name, s.apiVersion);
    }
    if (currentTool >= 0 && tools[size_t(currentTool)].gone) currentTool = -1;
}

long PluginRegistry::toolByTitle(const std::string& title) const {
    for (size_t i = 0; i < tools.size(); ++i)
        if (!tools[i].gone && tools[i].title == title) return long(i);
    for (size_t i = 0; i < tools.size(); ++i)
        if (!tools[i].gone && tools[i].name == title) return long(i);
    return -1;
}

long PluginRegistry::menuItemByText(const std::string& text) const {
    for (size_t i = 0; i < menuItems.size(); ++i)
        if (!menuItems[i].gone && menuItems[i].text == text) return long(i);
    for (size_t i = 0; i < menuItems.size(); ++i)
        if (!menuItems[i].gone && menuItems[i].name == text) return long(i);
    return -1;
}

int PluginRegistry::toolGroups() const {
    std::set<int> groups;
    for (const auto& t : tools)
        if (!t.gone) groups.insert(t.group);
    return int(groups.size());
}

int PluginRegistry::toolsets() const {
    std::set<int> sets;
    for (const auto& t : tools)
        if (!t.gone) sets.insert(t.toolset);
    return int(sets.size());
}

}  // namespace standin
