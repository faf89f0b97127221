// Opening plug-in modules with dlopen and finding their entry point.
#include "plugin/PluginModule.h"

#include <dlfcn.h>

namespace standin {

std::unique_ptr<PluginModule> PluginModule::open(const std::filesystem::path& path, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = "cannot load plug-in '" + path.string() + "': " + why;
        return nullptr;
    };
    if (path.empty()) return fail("no file named");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return fail("no such file");
    // A bare name would make dlopen search the library path; always name the file itself.
    const std::filesystem::path file = path.has_parent_path() ? path : std::filesystem::path(".") / path;
    dlerror();
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        return fail(why ? why : "the loader refused it");
    }
    dlerror();
    void* sym = dlsym(handle, "PluginMain");
    if (!sym) {
        dlclose(handle);
        return fail("it exports no PluginMain");
    }
    auto entry = reinterpret_cast<PluginMainProc>(sym);
    return std::unique_ptr<PluginModule>(new PluginModule(handle, entry, path));
}

PluginModule::~PluginModule() {
    if (handle_) dlclose(handle_);
}

}  // namespace standin
