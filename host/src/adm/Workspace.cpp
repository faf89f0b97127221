// Workspace records and the workspace suite.
#include "adm/Workspace.h"

#include "adm/ActiveStack.h"
#include "text/Encoding.h"

namespace standin {
namespace {

adm::ActiveStack<Workspaces> gActive;

template <typename T>
AIErr setValue(AIWorkspaceHandle ws, const char* prefix, const char* key, T value) {
    WorkspaceRecord* r = gActive.current() ? gActive.current()->record(ws) : nullptr;
    if (!r) return kStaleHandleErr;
    if (!prefix || !key) return kBadParameterErr;
    r->values[prefix][key] = std::move(value);
    return kNoErr;
}

template <typename T>
const T* getValue(AIWorkspaceHandle ws, const char* prefix, const char* key, AIErr& err) {
    WorkspaceRecord* r = gActive.current() ? gActive.current()->record(ws) : nullptr;
    err = !r ? kStaleHandleErr : (!prefix || !key) ? kBadParameterErr : kNoErr;
    if (err) return nullptr;
    const auto* v = r->find(prefix, key);
    const T* t = v ? std::get_if<T>(v) : nullptr;
    if (!t) err = kNoSuchKey;
    return t;
}

const AIWorkspaceSuite kSuite = {
    [](AIWorkspaceHandle ws, const char* p, const char* k, AIRealPoint v) { return setValue(ws, p, k, v); },
    [](AIWorkspaceHandle ws, const char* p, const char* k, const char* v) {
        return v ? setValue(ws, p, k, std::string(v)) : kBadParameterErr;
    },
    [](AIWorkspaceHandle ws, const char* p, const char* k, int32_t v) { return setValue(ws, p, k, v); },
    [](AIWorkspaceHandle ws, const char* p, const char* k, AIBoolean v) { return setValue(ws, p, k, v != 0); },
    [](AIWorkspaceHandle ws, const char* p, const char* k, AIRealPoint* out) -> AIErr {
        if (!out) return kBadParameterErr;
        AIErr err;
        if (const auto* v = getValue<AIRealPoint>(ws, p, k, err)) *out = *v;
        return err;
    },
    [](AIWorkspaceHandle ws, const char* p, const char* k, char* buf, int32_t size) -> AIErr {
        if (!buf || size <= 0) return kBadParameterErr;
        AIErr err;
        if (const auto* v = getValue<std::string>(ws, p, k, err)) text::copyBounded(*v, buf, size);
        return err;
    },
    [](AIWorkspaceHandle ws, const char* p, const char* k, int32_t* out) -> AIErr {
        if (!out) return kBadParameterErr;
        AIErr err;
        if (const auto* v = getValue<int32_t>(ws, p, k, err)) *out = *v;
        return err;
    },
    [](AIWorkspaceHandle ws, const char* p, const char* k, AIBoolean* out) -> AIErr {
        if (!out) return kBadParameterErr;
        AIErr err;
        if (const auto* v = getValue<bool>(ws, p, k, err)) *out = *v ? 1 : 0;
        return err;
    },
};

}  // namespace

const WorkspaceRecord::Value* WorkspaceRecord::find(const std::string& prefix, const std::string& key) const {
    auto p = values.find(prefix);
    if (p == values.end()) return nullptr;
    auto k = p->second.find(key);
    return k == p->second.end() ? nullptr : &k->second;
}

Workspaces::Workspaces() = default;

Workspaces::~Workspaces() {
    gActive.remove(this);
}

void Workspaces::activate() { gActive.push(this); }

void Workspaces::registerSuites(SuiteRegistry& registry) {
    activate();
    registry.add(kAIWorkspaceSuite, kAIWorkspaceSuiteVersion, &kSuite);
}

AIWorkspaceHandle Workspaces::open(const std::string& name) {
    auto& slot = records_[name];
    if (!slot) {
        slot = std::make_unique<WorkspaceRecord>();
        slot->name = name;
    }
    return reinterpret_cast<AIWorkspaceHandle>(slot.get());
}

WorkspaceRecord* Workspaces::record(AIWorkspaceHandle ws) {
    for (auto& [name, r] : records_)
        if (reinterpret_cast<AIWorkspaceHandle>(r.get()) == ws) return r.get();
    return nullptr;
}

const WorkspaceRecord* Workspaces::find(const std::string& name) const {
    auto it = records_.find(name);
    return it == records_.end() ? nullptr : it->second.get();
}

}  // namespace standin
