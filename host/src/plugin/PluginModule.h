// A plug-in module opened with dlopen: its entry point PluginMain, and the module closed
// again when the object goes.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "SPMessages.h"

namespace standin {

class PluginModule {
public:
    // Nothing and *error set (naming the file and the loader's reason) when the file cannot
    // be opened or exports no PluginMain.
    static std::unique_ptr<PluginModule> open(const std::filesystem::path& path, std::string* error);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    PluginMainProc entry() const { return entry_; }
    const std::filesystem::path& path() const { return path_; }

private:
    PluginModule(void* handle, PluginMainProc entry, std::filesystem::path path)
        : handle_(handle), entry_(entry), path_(std::move(path)) {}
    void* handle_;
    PluginMainProc entry_;
    std::filesystem::path path_;
};

}  // namespace standin
