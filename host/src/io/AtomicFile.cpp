// Whole-file reads and atomic whole-file writes.
#include "io/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace standin::io {

namespace {

// Closes the descriptor when it goes out of scope.
struct FileDescriptor {
    int fd;
    explicit FileDescriptor(int descriptor) : fd(descriptor) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
};

bool writeAll(int fd, std::string_view data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view text, std::string& error,
                         bool interruptBeforeRename) {
    // The process id keeps two writers of one file from sharing a temporary file.
    const std::string temp = path + ".part-" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        error = "cannot write " + path;
        std::remove(temp.c_str());
        return false;
    }
    if (interruptBeforeRename) {
        error = "write of " + path + " interrupted before it replaced the file";
        std::remove(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

namespace {

// What stands at a path that is not a regular file, in words.
const char* kindOfFile(mode_t mode) {
    struct Kind {
        mode_t type;
        const char* words;
    };
    static constexpr Kind kKinds[] = {{S_IFDIR, "a folder"}, {S_IFCHR, "a device"},  {S_IFBLK, "a device"},
                                      {S_IFIFO, "a pipe"},   {S_IFSOCK, "a socket"}};
    for (const Kind& k : kKinds)
        if ((mode & S_IFMT) == k.type) return k.words;
    return "something other than a file";
}

std::string tooLarge(const FileLimit& limit) {
    return "larger than " + sizeInWords(limit.maxBytes) + ", the most " + std::string(limit.what) + " may hold";
}

}  // namespace

bool readWholeFile(const std::string& path, const FileLimit& limit, std::string& text, std::string& error,
                   bool* missing) {
    if (missing) *missing = false;
    // Not blocking: a pipe would otherwise hold the open until something writes to it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (missing) *missing = errno == ENOENT;
        error = path + ": cannot open the file: " + std::strerror(errno);
        return false;
    }
    const FileDescriptor file{fd};
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        error = path + ": cannot read the file: " + std::strerror(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = path + ": is " + kindOfFile(st.st_mode) + ", not a regular file";
        return false;
    }
    if (static_cast<uint64_t>(st.st_size) > limit.maxBytes) {
        error = path + ": " + tooLarge(limit);
        return false;
    }
    // The size may change while the file is read: never more than one byte past the limit.
    std::string buffer(static_cast<size_t>(st.st_size) + 1, '\0');
    size_t done = 0;
    while (true) {
        if (done == buffer.size()) {
            if (buffer.size() > limit.maxBytes) {
                error = path + ": " + tooLarge(limit);
                return false;
            }
            buffer.resize(std::min(buffer.size() * 2 + 4096, limit.maxBytes + 1));
        }
        const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = path + ": cannot read the file: " + std::strerror(errno);
            return false;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    buffer.resize(done);
    text = std::move(buffer);
    return true;
}

}  // namespace standin::io
