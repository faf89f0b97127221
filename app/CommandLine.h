// The `plotwise` command line: its subcommands (run, svg, dump, --help, --version) behind one
// routine, so that tests play it as a person would type it, and the defaults of `run` (the
// Plotwise module and the preference file) as the installed command finds them.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace plotwise::app {

// What `plotwise run` takes when its command line does not say.
struct RunDefaults {
    // Where the Plotwise module is looked for, in order; the first that exists is loaded
    // unless --plugin or --no-plugin is given. Empty: no module is loaded by default.
    std::vector<std::filesystem::path> modules;
    // The preference file unless --preferences is given; empty: preferences live in memory.
    std::filesystem::path preferences;
};

// Where a program at `program` looks for the module file `built` names, in order: beside
// the program, in the folder above it (the build puts the command in app/ and the module
// at the top), then `built` itself, where the build made it. Repeats are left out.
std::vector<std::filesystem::path> moduleCandidates(const std::filesystem::path& program,
                                                    const std::filesystem::path& built);

// The defaults of the command at `program`: the module as moduleCandidates finds it, and
// the preference file of the user's configuration folder.
RunDefaults programDefaults(const std::filesystem::path& program);

// What the command says, on a line of its own, when memory ran out where it could not go on.
inline constexpr const char* kOutOfMemoryMessage = "plotwise: there was not enough memory to go on\n";

// Runs the command line after the program name, printing to `out` and `err`; answers the
// exit status: 0 when everything worked, 1 when a command or an expectation failed or memory
// ran out, 2 for a wrong command line.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const RunDefaults& defaults = {});

}  // namespace plotwise::app
