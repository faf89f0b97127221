// Reading files within their limits: what is not a regular file (a folder, a device, a pipe)
// is refused by name without reading from it, and a file larger than its kind may hold is
// refused before it is read. The open documents stay as they were.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "ScratchFolder.h"
#include "Host.h"
#include "io/AtomicFile.h"
#include "io/DocumentFile.h"

using namespace standin;
using namespace standin::io;

namespace {

namespace fs = std::filesystem;

struct Folder : ScratchFolder {
    // A file of `bytes` that takes no room on disk.
    std::string sparse(const std::string& name, uintmax_t bytes) const {
        const fs::path p = dir / name;
        std::ofstream(p).put(' ');
        fs::resize_file(p, bytes);
        return p.string();
    }
};

std::string openError(Host& host, const std::string& path) {
    std::string error;
    EXPECT_EQ(openDocumentFile(host, path, error), nullptr) << path;
    return error;
}

}  // namespace

TEST(FileReading, WhatIsNotARegularFileIsRefusedByName) {
    Folder folder;
    const std::string fifo = (folder.dir / "pipe.json").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Host host;
    host.newDocument();
    const struct {
        std::string path;
        const char* kind;
    } cases[] = {
        {folder.dir.string(), "a folder"},
        {"/dev/zero", "a device"},  // endless: reading it would never finish
        {"/dev/null", "a device"},
        {fifo, "a pipe"},           // nothing writes to it: opening it must not wait
    };
    for (const auto& c : cases) {
        EXPECT_EQ(openError(host, c.path), c.path + ": is " + c.kind + ", not a regular file");
        EXPECT_EQ(host.documentCount(), 1u);
    }
}

TEST(FileReading, FilesLargerThanTheirKindMayHoldAreRefusedUnread) {
    Folder folder;
    Host host;
    const std::string big = folder.sparse("big.json", 128 * kMiB + 1);
    EXPECT_EQ(openError(host, big), big + ": larger than 128 MiB, the most a document may hold");

    // The same routine serves every kind, each with its own limit.
    const std::string script = folder.sparse("big.pws", 16 * kMiB + 1);
    std::string text, error;
    EXPECT_FALSE(readWholeFile(script, kScriptFile, text, error));
    EXPECT_EQ(error, script + ": larger than 16 MiB, the most a script may hold");
    const std::string limit = folder.sparse("limit.pws", 16 * kMiB);
    EXPECT_TRUE(readWholeFile(limit, kScriptFile, text, error)) << error;
    EXPECT_EQ(text.size(), 16 * kMiB);
}

TEST(FileReading, MissingAndUnreadableFilesSayWhy) {
    Folder folder;
    std::string text, error;
    bool missing = false;
    EXPECT_FALSE(readWholeFile((folder.dir / "none.json").string(), kDocumentFile, text, error, &missing));
    EXPECT_TRUE(missing);
    EXPECT_NE(error.find(": cannot open the file: No such file or directory"), std::string::npos) << error;
    if (::geteuid() != 0) {  // root reads anything
        const std::string locked = folder.sparse("locked.json", 10);
        ::chmod(locked.c_str(), 0);
        EXPECT_FALSE(readWholeFile(locked, kDocumentFile, text, error, &missing));
        EXPECT_FALSE(missing);
        EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    }
}
