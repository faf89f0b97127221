// Feeds arbitrary session scripts to the plotwise command with the Plotwise module loaded
// and started, in this process: its tools driven by presses and drags anywhere, its menus
// chosen on whatever the script drew, undone, redone and restarted, its panels worked and
// its preferences edited. Every line runs or fails with a message; nothing may crash, hang
// or do undefined behaviour. The file commands only check their words, so a fuzzed script
// never touches the disk, and no other module is ever loaded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "FuzzScript.h"

extern "C" AIErr PluginMain(const char* caller, const char* selector, void* message);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzzscript::CommandTable commands = fuzzscript::DiskFreeCommands(true);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::ostringstream out, errors;
    plotwise::app::Session session(out);
    session.eventOptions.resourceDir = PLOTWISE_RESOURCE_DIR;  // preferences in memory only
    session.events().load(&PluginMain, "plotwise");
    if (session.events().startup() != kNoErr) std::abort();
    plotwise::app::ScriptRunner runner(commands, session, errors);
    fuzzscript::RequireReported(runner.runText(text, "fuzz.pws"), errors.str());
    (void)session.events().shutdown();
    return 0;
}
