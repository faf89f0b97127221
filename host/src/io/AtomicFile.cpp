// Whole-file reads and atomic whole-file writes.
#include "io/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "io/Json.h"

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

// Writes all of `data` from `offset` on; false with errno set on failure.
bool writeAll(int fd, std::string_view data, off_t offset) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(fd, data.data() + done, data.size() - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The file a path names once the symbolic links of its last part are followed (relative
// links from the folder of the link), so that saving writes through a link instead of
// replacing it. A link to nowhere names the file it would point to. False with errno set
// when the links go round in a loop or cannot be read.
bool followLinks(const std::string& path, std::filesystem::path& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st{};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (ec) {
            errno = ec.value();
            return false;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    errno = ELOOP;
    return false;
}

// A fresh temporary file beside a target, never one that already exists (so never through a
// link someone left there). It is removed when it goes out of scope unless kept.
class Temporary {
public:
    Temporary(const std::string& target, mode_t mode) {
        for (int n = 0; n < 100 && fd_ < 0; ++n) {
            // The process id keeps two writers of one file apart; the count, leftovers of this one.
            name_ = target + ".part-" + std::to_string(::getpid()) + (n ? "-" + std::to_string(n) : "");
            fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (fd_ < 0 && errno != EEXIST) break;
        }
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        if (fd_ >= 0) ::close(fd_);
        if (fd_ >= 0 && !kept_) ::unlink(name_.c_str());
    }
    int fd() const { return fd_; }
    const std::string& name() const { return name_; }
    // Renamed into place, or left for the user.
    void keep() { kept_ = true; }

private:
    std::string name_;
    int fd_ = -1;
    bool kept_ = false;
};

// Whether the writer belongs to the group, as its own or as one of its others.
bool writerInGroup(gid_t group) {
    if (group == ::getegid()) return true;
    std::vector<gid_t> groups(static_cast<size_t>(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(static_cast<size_t>(std::max(::getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// Whether a file's permission bits keep this writer from writing it: its owner's bit for its
// owner, its group's for a member, the others' for the rest. Root, whom the system lets write
// anything, is kept only from a file nobody may write. Else the rename, which asks only the
// folder, would replace the file without a word.
bool readOnlyForWriter(const struct stat& file) {
    const uid_t user = ::geteuid();
    const mode_t writable = user == 0                     ? S_IWUSR | S_IWGRP | S_IWOTH
                            : file.st_uid == user         ? S_IWUSR
                            : writerInGroup(file.st_gid)  ? S_IWGRP
                                                          : S_IWOTH;
    return (file.st_mode & writable) == 0;
}

// "a", "a and b", "a, b and c".
std::string listInWords(const std::vector<std::string>& parts) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) out += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return out;
}

// What a save that replaced a file with other hard links tells: the file's other names keep
// the earlier text. The names in its own folder are given (the first few in order), the rest
// counted, and said to be in other folders only when the folder could be searched.
std::string otherNamesKeepTheOldText(const std::filesystem::path& target, const struct stat& file) {
    constexpr size_t kNamesGiven = 3;
    std::vector<std::string> parts;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const std::unique_ptr<DIR, int (*)(DIR*)> dir{::opendir(folder.c_str()), &::closedir};
    while (const dirent* e = dir ? ::readdir(dir.get()) : nullptr) {
        struct stat st{};
        if (e->d_ino == file.st_ino && target.filename() != e->d_name &&
            ::fstatat(::dirfd(dir.get()), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && st.st_dev == file.st_dev &&
            st.st_ino == file.st_ino)
            parts.push_back((target.parent_path() / e->d_name).string());
    }
    std::sort(parts.begin(), parts.end());
    const size_t inFolder = parts.size(), others = std::max<size_t>(file.st_nlink - 1, inFolder);
    const auto number = [](size_t n) { return n == 1 ? std::string("one") : std::to_string(n); };
    if (inFolder > kNamesGiven) {
        parts.resize(kNamesGiven);
        parts.push_back(number(inFolder - kNamesGiven) + " more in the same folder");
    }
    if (const size_t elsewhere = others - inFolder) {
        const std::string what = inFolder ? " more" : elsewhere == 1 ? " other name" : " other names";
        const std::string where = !dir ? "" : elsewhere == 1 ? " in another folder" : " in other folders";
        parts.push_back(number(elsewhere) + what + where);
    }
    return target.string() + " is now a file of its own; " +
           (inFolder ? std::string(others == 1 ? "its other name " : "its other names ") : "") + listInWords(parts) +
           (others == 1 ? " (a hard link) still holds" : " (hard links) still hold") + " the earlier text";
}

// While it lives, a write past the file-size limit (ulimit -f) fails with EFBIG, as a full
// disk fails, instead of ending the program by SIGXFSZ with the temporary file left behind.
class FileSizeLimitFailsWrites {
public:
    FileSizeLimitFailsWrites() {
        struct sigaction ignore{};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        changed_ = ::sigaction(SIGXFSZ, &ignore, &old_) == 0;
    }
    FileSizeLimitFailsWrites(const FileSizeLimitFailsWrites&) = delete;
    FileSizeLimitFailsWrites& operator=(const FileSizeLimitFailsWrites&) = delete;
    ~FileSizeLimitFailsWrites() {
        if (changed_) ::sigaction(SIGXFSZ, &old_, nullptr);
    }

private:
    struct sigaction old_{};
    bool changed_ = false;
};

// While it lives, a request to end the program (Ctrl-C, kill, a closed terminal) waits: the
// write finishes, or fails with its temporary file removed, and the request is then made
// again under the handling it had. Ending mid-write would leave NAME.part-PID behind. The
// requests are caught rather than blocked, so that no other thread takes one meanwhile.
volatile sig_atomic_t endRequested[4] = {};
constexpr int kEndSignals[4] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void NoteEndRequest(int signal) {
    for (int i = 0; i < 4; ++i)
        if (kEndSignals[i] == signal) endRequested[i] = 1;
}

class EndRequestsWaitForTheWrite {
public:
    EndRequestsWaitForTheWrite() {
        struct sigaction note{};
        note.sa_handler = &NoteEndRequest;
        sigemptyset(&note.sa_mask);
        note.sa_flags = SA_RESTART;
        for (int i = 0; i < 4; ++i) {
            endRequested[i] = 0;
            changed_[i] = ::sigaction(kEndSignals[i], &note, &old_[i]) == 0;
        }
    }
    EndRequestsWaitForTheWrite(const EndRequestsWaitForTheWrite&) = delete;
    EndRequestsWaitForTheWrite& operator=(const EndRequestsWaitForTheWrite&) = delete;
    ~EndRequestsWaitForTheWrite() {
        for (int i = 0; i < 4; ++i) {
            if (!changed_[i]) continue;
            ::sigaction(kEndSignals[i], &old_[i], nullptr);
            if (endRequested[i]) ::raise(kEndSignals[i]);
        }
    }

private:
    struct sigaction old_[4]{};
    bool changed_[4] = {};
};

// Makes a rename in the folder last through a crash; a folder that cannot be synced only
// loses that guarantee.
void syncFolderOf(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const FileDescriptor dir{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) ::fsync(dir.fd);
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view text, std::string& error,
                         bool interruptBeforeRename, std::string* note) {
    if (note) note->clear();
    const auto fail = [&](const std::string& why) {
        error = "cannot write " + path + ": " + why;
        return false;
    };
    const FileSizeLimitFailsWrites limited;
    // Before the temporary file, so that it is gone or renamed when a request to end comes.
    const EndRequestsWaitForTheWrite ending;
    std::filesystem::path resolved;
    if (!followLinks(path, resolved)) return fail(std::strerror(errno));
    const std::string target = resolved.string();
    struct stat existing{};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return fail(std::string("is ") + kindOfFile(existing.st_mode) + ", not a regular file");
    if (exists && readOnlyForWriter(existing)) return fail("the file is read-only");

    // The new text goes whole to a temporary file first: made no more open than the file it
    // replaces (new files get the usual 0666 less the umask), then given its owner and mode.
    Temporary temp(target, exists ? (existing.st_mode & 0777) : 0666);
    if (temp.fd() < 0) return fail(std::strerror(errno));
    if (exists) {
        // Only root may give a file away and a writer may only pick a group it belongs to;
        // what is not allowed stays the writer's own.
        const bool owned = ::fchown(temp.fd(), existing.st_uid, existing.st_gid) == 0 ||
                           ::fchown(temp.fd(), uid_t(-1), existing.st_gid) == 0;
        // After the owner: changing it clears the set-id bits.
        if (::fchmod(temp.fd(), existing.st_mode & (owned ? 07777 : 0777)) != 0) return fail(std::strerror(errno));
    }
    if (!writeAll(temp.fd(), text, 0) || ::fsync(temp.fd()) != 0) return fail(std::strerror(errno));
    if (interruptBeforeRename) {
        error = "write of " + path + " interrupted before it replaced the file";
        return false;
    }
    // Written in place, a file with other names would be half written if the program were
    // killed meanwhile: it is replaced like any other, and its other names, which keep the
    // earlier text, are told.
    const std::string split = exists && existing.st_nlink > 1 ? otherNamesKeepTheOldText(resolved, existing) : "";
    if (::rename(temp.name().c_str(), target.c_str()) != 0) return fail(std::strerror(errno));
    temp.keep();
    syncFolderOf(resolved);
    if (note) *note = split;
    return true;
}

namespace {

std::string tooLarge(const FileLimit& limit) {
    return "larger than " + sizeInWords(limit.maxBytes) + ", the most " + std::string(limit.what) + " may hold";
}

}  // namespace

namespace {

// Opens a regular file of at most `limit.maxBytes` for reading; -1 with `error` set otherwise.
int openWithinLimit(const std::string& path, const FileLimit& limit, std::string& error, bool* missing,
                    off_t* size) {
    if (missing) *missing = false;
    // Not blocking: a pipe would otherwise hold the open until something writes to it.
    FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
    if (file.fd < 0) {
        if (missing) *missing = errno == ENOENT;
        error = path + ": cannot open the file: " + std::strerror(errno);
        return -1;
    }
    struct stat st{};
    if (::fstat(file.fd, &st) != 0) {
        error = path + ": cannot read the file: " + std::strerror(errno);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = path + ": is " + kindOfFile(st.st_mode) + ", not a regular file";
        return -1;
    }
    if (static_cast<uint64_t>(st.st_size) > limit.maxBytes) {
        error = path + ": " + tooLarge(limit);
        return -1;
    }
    *size = st.st_size;
    return std::exchange(file.fd, -1);
}

}  // namespace

bool readWholeFile(const std::string& path, const FileLimit& limit, std::string& text, std::string& error,
                   bool* missing) {
    off_t size = 0;
    const FileDescriptor file{openWithinLimit(path, limit, error, missing, &size)};
    if (file.fd < 0) return false;
    const int fd = file.fd;
    // The size may change while the file is read: never more than one byte past the limit.
    std::string buffer(static_cast<size_t>(size) + 1, '\0');
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

FileStream::~FileStream() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileStream::open(const std::string& path, const FileLimit& limit, std::string& error, bool* missing) {
    off_t size = 0;
    const int fd = openWithinLimit(path, limit, error, missing, &size);
    if (fd < 0) return false;
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    limit_ = &limit;
    rewind();
    return true;
}

void FileStream::rewind() {
    if (::lseek(fd_, 0, SEEK_SET) != 0) throw FormatError(std::string("cannot read the file: ") + std::strerror(errno));
    read_ = 0;
    setg(buffer_.data(), buffer_.data(), buffer_.data());
    stream_.clear();
}

FileStream::int_type FileStream::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    while (true) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw FormatError(std::string("cannot read the file: ") + std::strerror(errno));
        if (n == 0) return traits_type::eof();
        // The file may grow while it is read: never more than its limit.
        read_ += static_cast<size_t>(n);
        if (read_ > limit_->maxBytes) throw FormatError(tooLarge(*limit_));
        setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
        return traits_type::to_int_type(*gptr());
    }
}

std::optional<std::string> makePrivateFolders(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> missing;
    std::error_code ec;
    for (auto f = folder; !f.empty() && !std::filesystem::exists(f, ec); f = f.parent_path()) {
        missing.push_back(f);
        if (f == f.parent_path()) break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST)
            return "cannot make the folder " + it->string() + ": " + std::strerror(errno);
    return std::nullopt;
}

}  // namespace standin::io
