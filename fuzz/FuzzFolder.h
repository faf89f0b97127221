// A folder of this fuzzing run's own below the system's temporary folder, removed when the
// run ends: runs side by side (or on machines sharing the folder) never write the same file.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

inline std::filesystem::path MakeFuzzFolder(const char* prefix) {
    struct Made {
        std::vector<std::filesystem::path> folders;
        ~Made() {
            std::error_code ignored;
            for (const auto& folder : folders) std::filesystem::remove_all(folder, ignored);
        }
    };
    static Made made;
    std::string tmpl = (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (::mkdtemp(tmpl.data()) == nullptr) std::abort();
    made.folders.emplace_back(tmpl);
    return tmpl;
}
