// A folder of one test's own below the system's temporary folder, removed with everything in
// it when the test ends, so tests run side by side (and builds run side by side) never write
// the same file.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

struct ScratchFolder {
    std::filesystem::path dir;

    ScratchFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "plotwise-test-XXXXXX").string();
        EXPECT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The path of a file in the folder (not created).
    std::string path(const std::string& name) const { return (dir / name).string(); }
    // Writes a file in the folder and gives its path.
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
        return path(name);
    }
};
