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

#include "Commands.h"
#include "EventCommands.h"
#include "Script.h"
#include "Session.h"

extern "C" AIErr PluginMain(const char* caller, const char* selector, void* message);

namespace {

using namespace plotwise::app;

const CommandTable& commands() {
    static const CommandTable table = [] {
        CommandTable t;
        addDocumentCommands(t);
        addEventCommands(t);
        for (const char* name : {"open", "save", "svg", "load"}) {
            Command row = *t.find(name);
            row.run = [](Session& session, const Args& args) {
                args.requireCount(1, 3);
                session.document();
            };
            t.add(std::move(row));
        }
        return t;
    }();
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::ostringstream out, errors;
    Session session(out);
    session.eventOptions.resourceDir = PLOTWISE_RESOURCE_DIR;  // preferences in memory only
    session.events().load(&PluginMain, "plotwise");
    if (session.events().startup() != kNoErr) std::abort();
    ScriptRunner runner(commands(), session, errors);
    const int failures = runner.runText(text, "fuzz.pws");
    if ((failures > 0) != !errors.str().empty()) std::abort();
    (void)session.events().shutdown();
    return 0;
}
