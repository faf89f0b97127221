// Saving writes what it is asked to write through: a symbolic link keeps pointing at the file
// that now holds the new text, a file with a second hard link is replaced whole, the mode (and,
// for root, the owner) of the file is kept, and a write that fails says why and leaves the
// old file whole.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "io/AtomicFile.h"
#include "io/DocumentFile.h"
#include "io/Svg.h"

using namespace standin;
using namespace standin::io;

namespace {

namespace fs = std::filesystem;

struct SaveTest : ::testing::Test {
    fs::path dir;
    IdSource ids;
    Document doc{ids, 200, 100};

    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "plotwise-save-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        ASSERT_EQ(doc.addRect(1, 2, 3, 4), kNoErr);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool isDocument(const std::string& name) const {
        return read(name).find("\"format\": \"plotwise-document\"") != std::string::npos;
    }
    struct stat statOf(const std::string& name) const {
        struct stat st{};
        EXPECT_EQ(::lstat(path(name).c_str(), &st), 0) << name;
        return st;
    }
    // Every name in the folder, so a leftover temporary file shows.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    bool save(const std::string& name, std::string* why = nullptr) const {
        std::string error;
        const bool saved = saveDocumentFile(doc, path(name), error);
        if (why) *why = error;
        EXPECT_TRUE(saved || !error.empty());
        return saved;
    }
};

// Runs `check` in a child process that sees a 64 KiB file system mounted on `dir` (in mount
// and user namespaces of its own), and answers its exit status; 77 when no such file system
// can be had here.
int OnASmallDisk(const fs::path& dir, int (*check)(const fs::path&)) {
    const pid_t child = ::fork();
    if (child == 0) {
        const uid_t uid = ::getuid();
        const gid_t gid = ::getgid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) ::_exit(77);
        auto put = [](const char* file, const std::string& text) {
            const int fd = ::open(file, O_WRONLY);
            const bool done = fd >= 0 && ::write(fd, text.data(), text.size()) == ssize_t(text.size());
            if (fd >= 0) ::close(fd);
            return done;
        };
        put("/proc/self/setgroups", "deny");
        if (!put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1") ||
            ::mount("none", dir.c_str(), "tmpfs", 0, "size=64k") != 0)
            ::_exit(77);
        ::_exit(check(dir));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace

TEST_F(SaveTest, AHardLinkedFileOnAFullDiskKeepsItsOldTextWhole) {
    // The new text does not fit beside the old one.
    const int status = OnASmallDisk(dir, [](const fs::path& disk) {
        const std::string file = (disk / "drawing.json").string();
        std::ofstream(file) << "old";
        std::error_code ec;
        fs::create_hard_link(file, disk / "copy.json", ec);
        std::string error;
        if (ec || writeFileAtomically(file, std::string(80000, 'n'), error)) return 1;
        std::ifstream in(file);
        std::string text;
        std::getline(in, text);
        if (text != "old" || fs::hard_link_count(file, ec) != 2) return 2;  // half written, or split
        if (error.rfind("cannot write " + file + ": No space left on device", 0) != 0) return 3;
        return 0;
    });
    if (status == 77) GTEST_SKIP() << "no small file system can be mounted here";
    EXPECT_EQ(status, 0) << "1: saved, 2: the old text was overwritten, 3: the message";
}

// A request to end the program while a file is written waits for the write: the child ends
// by it all the same, but the file is whole and no temporary file is left beside it.
TEST_F(SaveTest, AnEndRequestDuringTheWriteWaitsForIt) {
    write("drawing.json", "old");
    const std::string text(32 << 20, 'n');
    const pid_t child = ::fork();
    if (child == 0) {
        std::thread([&] {  // ends the program once the temporary file is there
            for (;;)
                for (const auto& e : fs::directory_iterator(dir))
                    if (e.path().filename().string().find(".part-") != std::string::npos) {
                        ::kill(::getpid(), SIGTERM);
                        return;
                    }
        }).detach();
        std::string error;
        ::_exit(writeFileAtomically(path("drawing.json"), text, error) ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "the write failed";
    EXPECT_EQ(names(), std::vector<std::string>{"drawing.json"});
    EXPECT_EQ(fs::file_size(dir / "drawing.json"), text.size());
}

TEST_F(SaveTest, ASymbolicLinkIsWrittenThroughAndStaysALink) {
    fs::create_directories(dir / "parts");
    write("parts/real.json", "old");
    fs::create_symlink("parts/real.json", dir / "link.json");     // relative to the link's folder
    fs::create_symlink(dir / "link.json", dir / "chain.json");    // a link to a link
    fs::create_symlink("parts/new.json", dir / "dangling.json");  // to a file not there yet
    ASSERT_TRUE(save("link.json"));
    EXPECT_TRUE(S_ISLNK(statOf("link.json").st_mode));
    EXPECT_TRUE(isDocument("parts/real.json"));
    write("parts/real.json", "old");
    ASSERT_TRUE(save("chain.json"));
    EXPECT_TRUE(S_ISLNK(statOf("chain.json").st_mode));
    EXPECT_TRUE(isDocument("parts/real.json"));
    ASSERT_TRUE(save("dangling.json"));
    EXPECT_TRUE(S_ISLNK(statOf("dangling.json").st_mode));
    EXPECT_TRUE(isDocument("parts/new.json"));

    // The picture writer goes the same way.
    write("parts/picture.svg", "old");
    fs::create_symlink("parts/picture.svg", dir / "picture.svg");
    std::string error;
    ASSERT_TRUE(saveSvgFile(doc, path("picture.svg"), SvgOptions{}, error)) << error;
    EXPECT_TRUE(S_ISLNK(statOf("picture.svg").st_mode));
    EXPECT_EQ(read("parts/picture.svg").rfind("<?xml", 0), 0u);
    EXPECT_EQ(names(), (std::vector<std::string>{"chain.json", "dangling.json", "link.json", "parts", "picture.svg"}));

    // Links that go round in a loop are refused by name.
    fs::create_symlink("b.json", dir / "a.json");
    fs::create_symlink("a.json", dir / "b.json");
    EXPECT_FALSE(save("a.json", &error));
    EXPECT_EQ(error, "cannot write " + path("a.json") + ": Too many levels of symbolic links");
}

// A file with a second name is replaced whole as any file is, so a kill during the save
// leaves the old text or the new, never half; the other name keeps the old text, and the
// save says so. A plain file is replaced too, with nothing to tell.
TEST_F(SaveTest, AFileWithASecondHardLinkIsReplacedWholeAndItsOtherNameTold) {
    write("drawing.json", "old");
    fs::create_hard_link(dir / "drawing.json", dir / "copy.json");
    const std::string text(32 << 20, 'n');
    const pid_t child = ::fork();
    if (child == 0) {
        std::thread([&] {  // killed once the file under the name shows a change
            for (std::error_code ec;;)
                if (fs::file_size(dir / "drawing.json", ec) != 3 && !ec) ::kill(::getpid(), SIGKILL);
        }).detach();
        std::string error;
        if (!writeFileAtomically(path("drawing.json"), text, error)) ::_exit(1);
        for (;;) ::pause();
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the write failed";
    EXPECT_EQ(fs::file_size(dir / "drawing.json"), text.size()) << "half written";
    EXPECT_TRUE(read("copy.json") == "old");

    fs::create_hard_link(dir / "drawing.json", dir / "again.json");
    std::string error, note;
    ASSERT_TRUE(saveDocumentFile(doc, path("drawing.json"), error, &note)) << error;
    EXPECT_TRUE(isDocument("drawing.json"));
    EXPECT_EQ(fs::file_size(dir / "again.json"), text.size());
    EXPECT_EQ(note, path("drawing.json") + " is now a file of its own; its other name " + path("again.json") +
                        " (a hard link) still holds the earlier text");
    const ino_t inode = statOf("drawing.json").st_ino;
    ASSERT_TRUE(saveDocumentFile(doc, path("drawing.json"), error, &note)) << error;
    EXPECT_NE(statOf("drawing.json").st_ino, inode);
    EXPECT_EQ(note, "");
    EXPECT_EQ(names(), (std::vector<std::string>{"again.json", "copy.json", "drawing.json"}));

    // Other names in other folders are counted as such; the folder's own are named, the first
    // three in order.
    const struct {
        std::string file;
        std::vector<std::string> links;
        std::string told;  // between "is now a file of its own; " and " the earlier text"
    } rows[] = {
        {"p0.json", {"elsewhere/p0.json"}, "one other name in another folder (a hard link) still holds"},
        {"p1.json", {"elsewhere/p1.json", "further/p1.json"}, "2 other names in other folders (hard links) still hold"},
        {"p2.json", {"p2-copy.json", "elsewhere/p2.json"},
         "its other names " + path("p2-copy.json") + " and one more in another folder (hard links) still hold"},
        {"p3.json", {"p3-d.json", "p3-c.json", "p3-b.json", "p3-a.json"},
         "its other names " + path("p3-a.json") + ", " + path("p3-b.json") + ", " + path("p3-c.json") +
             " and one more in the same folder (hard links) still hold"},
    };
    for (const auto& row : rows) {
        write(row.file, "old");
        for (const std::string& link : row.links) {
            fs::create_directories((dir / link).parent_path());
            fs::create_hard_link(dir / row.file, dir / link);
        }
        ASSERT_TRUE(saveDocumentFile(doc, path(row.file), error, &note)) << error;
        EXPECT_EQ(note, path(row.file) + " is now a file of its own; " + row.told + " the earlier text");
    }
}

// A file nobody may write is refused in words and kept, for root too (whom the system lets
// write anything): the rename asks only the folder.
TEST_F(SaveTest, TheModeAndOwnerOfTheFileAreKept) {
    const struct {
        mode_t mode;
        bool saved;
    } rows[] = {{0600, true}, {0640, true}, {0444, false}, {0400, false}, {0664, true}};
    for (const auto& row : rows) {
        fs::remove(dir / "private.json");
        write("private.json", "old");
        ASSERT_EQ(::chmod(path("private.json").c_str(), row.mode), 0);
        std::string why;
        EXPECT_EQ(save("private.json", &why), row.saved) << std::oct << row.mode;
        EXPECT_EQ(why, row.saved ? "" : "cannot write " + path("private.json") + ": the file is read-only");
        EXPECT_EQ(statOf("private.json").st_mode & 07777, row.mode) << std::oct << row.mode;
        EXPECT_EQ(isDocument("private.json"), row.saved);
    }
    // A new file gets what the umask leaves of 0666.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(save("fresh.json"));
    EXPECT_EQ(statOf("fresh.json").st_mode & 07777, 0666 & ~mask);
    if (::geteuid() == 0) {
        // Root may keep someone else's file theirs.
        ASSERT_EQ(::chown(path("private.json").c_str(), 4321, 4322), 0);
        ASSERT_TRUE(save("private.json"));
        EXPECT_EQ(statOf("private.json").st_uid, 4321u);
        EXPECT_EQ(statOf("private.json").st_gid, 4322u);
        // Another user may write in the folder but not that file (0664): refused by its bits.
        ASSERT_EQ(::chmod(dir.c_str(), 0777), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(77);
            std::string error;
            if (saveDocumentFile(doc, path("private.json"), error)) ::_exit(1);
            if (error != "cannot write " + path("private.json") + ": the file is read-only") ::_exit(2);
            ::_exit(saveDocumentFile(doc, path("theirs.json"), error) ? 0 : 3);
        }
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: saved over, 2: the message, 3: the folder refused, 77: no other user";
    }
}

TEST_F(SaveTest, AFailedWriteSaysWhyAndLeavesTheOldFileWhole) {
    write("drawing.json", "old");
    // A file-size limit fails the write as a full disk would, with the reason, in a child
    // that keeps the limit (root's writes are held to it too) and the signal as it comes.
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_DFL);
        rlimit small{};
        if (::getrlimit(RLIMIT_FSIZE, &small) != 0) ::_exit(3);
        small.rlim_cur = 64;
        if (::setrlimit(RLIMIT_FSIZE, &small) != 0) ::_exit(3);
        std::string error;
        if (saveDocumentFile(doc, path("drawing.json"), error)) ::_exit(1);
        ::_exit(error == "cannot write " + path("drawing.json") + ": File too large" ? 0 : 2);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: saved, 2: the message, 3: no limit could be set";
    EXPECT_EQ(read("drawing.json"), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"drawing.json"});
    std::string error;

    // What is not a regular file is not written over.
    fs::create_directories(dir / "folder.json");
    EXPECT_FALSE(save("folder.json", &error));
    EXPECT_EQ(error, "cannot write " + path("folder.json") + ": is a folder, not a regular file");
}
