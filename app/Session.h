// The state a session script plays against: the stand-in host with its documents, and where
// the commands print. Changes made by a command run as one host message, so each command
// is one step for undo and redo.
#pragma once

#include <ostream>
#include <string>

#include "Host.h"
#include "Script.h"

namespace plotwise::app {

class Session {
public:
    explicit Session(std::ostream& out) : out_(out) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    standin::Host& host() { return host_; }
    std::ostream& out() { return out_; }

    // The front document; a ScriptError when none is open.
    standin::Document& document();

    // Runs `change` inside one host message (closed even when it throws).
    template <class F>
    void change(F&& f) {
        host_.beginMessage(standin::MessageKind::Other);
        struct End {
            standin::Host& host;
            ~End() { host.endMessage(); }
        } end{host_};
        f(document());
    }

private:
    std::ostream& out_;
    standin::Host host_;
};

// A host error code as text: its four characters and what it means.
std::string describeError(AIErr err);
// Throws ScriptError "<command>: <description>" unless err is kNoErr.
void check(AIErr err, const Args& args);
// Script text (UTF-8) as platform bytes; a ScriptError when it cannot be.
std::string platformText(const std::string& utf8, const Args& args);

}  // namespace plotwise::app
