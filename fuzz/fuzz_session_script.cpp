// Feeds arbitrary bytes to the session-script reader and runner as a script: every line runs
// or fails with a message, never a crash, a hang or undefined behaviour. The file commands
// are replaced by ones that only check their words, so a fuzzed script never touches the
// disk, and no plug-in is ever loaded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "Commands.h"
#include "Script.h"
#include "Session.h"

namespace {

using namespace plotwise::app;

const CommandTable& commands() {
    static const CommandTable table = [] {
        CommandTable t;
        addDocumentCommands(t);
        for (const char* name : {"open", "save", "svg"}) {
            Command row = *t.find(name);
            row.run = [](Session& session, const Args& args) {
                args.requireCount(1, 2);
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
    ScriptRunner runner(commands(), session, errors);
    const int failures = runner.runText(text, "fuzz.pws");
    // A failure is always reported, and a report never carries a NUL byte that would cut it short.
    const std::string reported = errors.str();
    if ((failures > 0) != !reported.empty()) std::abort();
    if (reported.find('\0') != std::string::npos) std::abort();
    return 0;
}
