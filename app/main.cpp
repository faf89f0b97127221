// The `plotwise` command: plays a session script, or turns a saved document into an SVG
// picture or a readable dump.
#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"

int main(int argc, char** argv) {
    return plotwise::app::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
