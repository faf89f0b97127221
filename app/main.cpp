// The `plotwise` command: plays a session script, or turns a saved document into an SVG
// picture or a readable dump.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "CommandLine.h"

int main(int argc, char** argv) {
    // Past the file-size limit (ulimit -f) a write fails with EFBIG and is reported in words,
    // as on a full disk, instead of the signal ending the session before it saves anything.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        // The running program, for the module installed beside it.
        std::error_code ec;
        std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
        if (ec && argc > 0) program = std::filesystem::absolute(argv[0], ec);
        return plotwise::app::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                                             plotwise::app::programDefaults(program));
    } catch (const std::bad_alloc&) {
        // Not even the command line could be read: words that need no memory.
        std::fputs(plotwise::app::kOutOfMemoryMessage, stderr);
        return 1;
    }
}
