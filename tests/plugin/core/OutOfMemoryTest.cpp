// Memory that runs out at any point of a run of the command (start-up, a tool, a save, an
// opening, an update, the shut-down) ends the run in words that say memory (never that a
// dimension could not be read, nor the code a plug-in answered) and a non-zero exit status,
// or lets it succeed; never a crash or std::terminate. Each run is played in a child
// process, with one of its allocations failing, so that what the module keeps is its own and
// a run that ends badly ends only the child.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "FailingAllocations.h"
#include "ScratchFolder.h"

#ifdef PLOTWISE_MODULE_PATH
namespace coretest {
namespace {

// A drawing made, dimensioned, saved, opened again and updated.
constexpr const char* kScript = R"(new 300 200
rect 50 50 100 40
tool "Horizontal Dimension"
click 50 90
down 150 90
drag 100 120
up 100 120
save DIR/drawing.json
close
open DIR/drawing.json
menu "Update Dimensions"
expect count key=ZA3_Dimension == 1
)";

// The verdicts of a child's run.
constexpr int kSucceeded = 0, kFailedInWords = 1, kFailedWithoutWords = 3, kEscaped = 4;

// How a run in a child ended: its exit status (-1 when a signal ended it, `signal` then
// says which) and what it wrote to the pipe.
struct ChildEnd {
    int status = -1;
    int signal = 0;
    std::string said;
};

// Runs `work` in a child process, which writes to `say` what the parent should read.
ChildEnd InChild(const std::function<int(const std::function<void(const std::string&)>& say)>& work) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return {};
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeEnds[0]);
        const auto say = [&](const std::string& text) {
            for (size_t at = 0; at < text.size();) {
                const ssize_t n = ::write(pipeEnds[1], text.data() + at, text.size() - at);
                if (n <= 0) break;
                at += static_cast<size_t>(n);
            }
        };
        int verdict = kEscaped;
        try {
            verdict = work(say);
        } catch (...) {
        }
        ::_exit(verdict);
    }
    ::close(pipeEnds[1]);
    ChildEnd end;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) end.said.append(buffer, static_cast<size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return end;
    if (WIFEXITED(status)) end.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) end.signal = WTERMSIG(status);
    return end;
}

struct OutOfMemoryTest : ::testing::Test {
    ScratchFolder scratch;
    std::string script, preferences;

    void SetUp() override {
        std::string text = kScript;
        for (size_t at; (at = text.find("DIR")) != std::string::npos;) text.replace(at, 3, scratch.dir.string());
        script = scratch.path("run.pws");
        std::ofstream(script) << text;
        preferences = scratch.path("preferences.json");
    }

    // The run of the script with the `nth` allocation failing (0: none); says how many
    // allocations it asked for and, when it fails without a word of memory, what it said.
    int run(uint64_t nth, const std::function<void(const std::string&)>& say) const {
        std::remove(preferences.c_str());
        ::setenv("XDG_CONFIG_HOME", scratch.dir.c_str(), 1);  // the presets file goes there
        const std::vector<std::string> args = {"run", script, "--plugin", PLOTWISE_MODULE_PATH, "--preferences",
                                               preferences};
        std::ostringstream out, err;
        int status = 0;
        uint64_t count = 0;
        {
            const failing_allocations::FailAt fail(nth);
            status = plotwise::app::runCommandLine(args, out, err);
            count = fail.count();
        }
        say(std::to_string(count) + "\n");
        // What the plug-ins said (their alerts are printed with the output) and the last word:
        // memory, never a damaged dimension nor the host's code a plug-in answered.
        const std::string said = out.str() + err.str();
        const bool misnamed =
            said.find("could not be read") != std::string::npos || said.find("answered 'MEM!'") != std::string::npos;
        if (status == 0 && !misnamed) return kSucceeded;
        if (!misnamed && said.find("memory") != std::string::npos) return kFailedInWords;
        say(said);
        return kFailedWithoutWords;
    }
};

TEST_F(OutOfMemoryTest, AnAllocationThatFailsAnywhereEndsTheRunInWordsOrNotAtAll) {
    const ChildEnd whole = InChild([&](const auto& say) { return run(0, say); });
    ASSERT_EQ(whole.status, kSucceeded) << whole.said;
    const uint64_t allocations = std::stoull(whole.said);
    ASSERT_GT(allocations, 1000u);
    // Spread over the whole run, each phase met several times; the first few allocations
    // (the command line read) each.
    constexpr uint64_t kRuns = 320;
    for (uint64_t i = 0; i < kRuns; ++i) {
        const uint64_t nth = i < 8 ? i + 1 : i * allocations / kRuns + i % 5;
        const ChildEnd end = InChild([&](const auto& say) { return run(nth, say); });
        EXPECT_TRUE(end.status == kSucceeded || end.status == kFailedInWords)
            << "allocation " << nth << " of " << allocations << ": "
            << (end.signal ? "ended by signal " + std::to_string(end.signal) : "exit " + std::to_string(end.status))
            << "\n" << end.said;
    }
}

}  // namespace
}  // namespace coretest
#endif
