// What the fuzzers that play session scripts share: the commands, with those that would
// touch the disk or load a module replaced by ones that only check their words, and the
// check that every failure was reported, whole.
#pragma once

#include <cstdlib>
#include <string>

#include "Commands.h"
#include "EventCommands.h"
#include "Script.h"
#include "Session.h"

namespace fuzzscript {

using namespace plotwise::app;

// The document commands, and the plug-in event commands with `events`.
inline CommandTable DiskFreeCommands(bool events) {
    CommandTable t;
    addDocumentCommands(t);
    if (events) addEventCommands(t);
    for (const char* name : {"open", "save", "svg", "load"}) {
        const Command* found = t.find(name);
        if (!found) continue;
        Command row = *found;
        row.run = [](Session& session, const Args& args) {
            args.requireCount(1, 3);
            session.document();
        };
        t.add(std::move(row));
    }
    return t;
}

// A failure is always reported, and a report never carries a NUL byte that would cut it short.
inline void RequireReported(int failures, const std::string& reported) {
    if ((failures > 0) != !reported.empty()) std::abort();
    if (reported.find('\0') != std::string::npos) std::abort();
}

}  // namespace fuzzscript
