// Feeds arbitrary bytes to the session-script reader and runner as a script: every line runs
// or fails with a message, never a crash, a hang or undefined behaviour. The file commands
// are replaced by ones that only check their words, so a fuzzed script never touches the
// disk, and no plug-in is ever loaded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "FuzzScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzzscript::CommandTable commands = fuzzscript::DiskFreeCommands(false);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::ostringstream out, errors;
    plotwise::app::Session session(out);
    plotwise::app::ScriptRunner runner(commands, session, errors);
    fuzzscript::RequireReported(runner.runText(text, "fuzz.pws"), errors.str());
    return 0;
}
