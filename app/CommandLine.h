// The `plotwise` command line: its subcommands (run, svg, dump, --help, --version) behind one
// routine, so that tests play it as a person would type it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace plotwise::app {

// Runs the command line after the program name, printing to `out` and `err`; answers the
// exit status: 0 when everything worked, 1 when a command or an expectation failed, 2 for a
// wrong command line.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace plotwise::app
