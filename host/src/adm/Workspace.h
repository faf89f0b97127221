// Workspace records the host hands to the plug-in on the "Workspace Manager" requests:
// per prefix, typed placement values ("Location", "DockGroup", "DockCode", "Visible").
// The host owns the records; the handles the plug-in sees are checked on every call.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <variant>

#include "AIWorkspace.h"
#include "SuiteRegistry.h"

namespace standin {

struct WorkspaceRecord {
    using Value = std::variant<int32_t, bool, std::string, AIRealPoint>;
    std::string name;
    std::map<std::string, std::map<std::string, Value>> values;  // prefix -> key -> value

    const Value* find(const std::string& prefix, const std::string& key) const;
};

class Workspaces {
public:
    Workspaces();
    ~Workspaces();
    Workspaces(const Workspaces&) = delete;
    Workspaces& operator=(const Workspaces&) = delete;

    void registerSuites(SuiteRegistry& registry);
    void activate();

    // A new empty record (or the existing one of that name) and its handle.
    AIWorkspaceHandle open(const std::string& name);
    WorkspaceRecord* record(AIWorkspaceHandle ws);
    const WorkspaceRecord* find(const std::string& name) const;

private:
    std::map<std::string, std::unique_ptr<WorkspaceRecord>> records_;
};

}  // namespace standin
