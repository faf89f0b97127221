// Reading a whole file within its limit (or as a stream), and writing a whole file so that a failure never
// leaves half of it: the text goes to a temporary file beside the target, which then
// replaces the target by a rename.
#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "io/Limits.h"

namespace standin::io {

// The text goes to a temporary file beside `path`, is flushed to disk, and then replaces
// `path` by a rename. A symbolic link is written through: its target is replaced and the
// link stays. The replaced file's mode is kept, and its owner and group where the writer
// may give them. A file with other hard links is replaced too (written in place, it would
// be half written should the program be killed meanwhile): its other names keep the earlier
// text, and `note` says which ("a.json is now a file of its own; its other name b.json (a
// hard link) still holds the earlier text"); it is empty otherwise. Errors say why ("cannot
// write a.json: No space left on device"; past the file-size limit, "File too large", the
// old file whole and the temporary file gone). A request to end the program (SIGINT,
// SIGTERM, SIGHUP, SIGQUIT) that comes meanwhile waits until the write is done or failed,
// so it never leaves the temporary file behind. `interruptBeforeRename` stops just before
// the file is replaced, as a crash there would, so tests can check the old file survives
// whole.
bool writeFileAtomically(const std::string& path, std::string_view text, std::string& error,
                         bool interruptBeforeRename = false, std::string* note = nullptr);

// Makes the folders missing on the way to `folder`, private to the user as configuration
// folders are (mode 0700); what went wrong, in words, if anything.
std::optional<std::string> makePrivateFolders(const std::filesystem::path& folder);

// The whole content of a regular file of at most `limit.maxBytes`; false with `error` set
// ("PATH: is a folder, not a regular file", "PATH: larger than 16 MiB, the most a script may
// hold") when it cannot be read. A pipe or device is refused without reading from it.
// `missing`, when given, tells a file that does not exist from one that cannot be read.
bool readWholeFile(const std::string& path, const FileLimit& limit, std::string& text, std::string& error,
                   bool* missing = nullptr);

// A regular file of at most `limit.maxBytes` read as a stream, a block at a time, for a
// reader that need not hold it whole. Opening refuses what readWholeFile refuses, with the
// same words; reading throws FormatError ("cannot read the file: ...", or "larger than ..."
// when the file grew past its limit meanwhile).
class FileStream : private std::streambuf {
public:
    FileStream() : stream_(this) {}
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    bool open(const std::string& path, const FileLimit& limit, std::string& error, bool* missing = nullptr);
    std::istream& stream() { return stream_; }
    // Back to the first byte, for a reader that reads twice.
    void rewind();

private:
    int_type underflow() override;

    int fd_ = -1;
    const FileLimit* limit_ = nullptr;
    size_t read_ = 0;
    std::vector<char> buffer_ = std::vector<char>(64 * 1024);
    std::istream stream_;
};

}  // namespace standin::io
