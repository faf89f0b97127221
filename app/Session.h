// The state a session script plays against: the stand-in host with its documents, and where
// the commands print. Changes made by a command run as one host message, so each command
// is one step for undo and redo.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <vector>

#include "Host.h"
#include "Script.h"
#include "plugin/PluginDriver.h"

namespace plotwise::app {

class Session {
public:
    explicit Session(std::ostream& out) : out_(out) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    standin::Host& host() { return host_; }
    std::ostream& out() { return out_; }
    // Where warnings go (what a file held that was not understood): the output unless a
    // runner points it at its errors.
    std::ostream& warnings() { return *warnings_; }
    void setWarnings(std::ostream& warnings) { warnings_ = &warnings; }

    // The plug-in side of the host (loading, events, notifications, dialogs), made on first
    // use; defined with the event commands.
    standin::PluginDriver& events();
    bool hasEvents() const { return events_ != nullptr; }
    standin::PluginDriverOptions eventOptions;  // set before the first events()
    // Art named with `name`, so a script need not know the ids the host hands out.
    std::map<std::string, standin::ObjId> artNames;
    size_t alertsReported = 0;             // alerts already printed
    // Changes to the preference file that the next `restart` makes while the program is closed.
    std::vector<std::function<void(standin::PreferenceStore&)>> preferencesAtRestart;
    // Where the command being played stands ("FILE:LINE"), for what it prints.
    const std::string& where() const { return where_; }
    void setWhere(std::string where) { where_ = std::move(where); }

    // The front document; a ScriptError when none is open.
    standin::Document& document();

    // Runs `change` inside one host message (closed even when it throws; a close that runs
    // out of memory as the change joins the undo history fails the change, unless it is
    // already failing).
    template <class F>
    void change(F&& f) {
        host_.beginMessage(standin::MessageKind::Other);
        struct End {
            standin::Host& host;
            bool open = true;
            void close() {
                open = false;
                host.endMessage();
            }
            ~End() {
                if (!open) return;
                try {
                    close();
                } catch (const std::bad_alloc&) {
                }
            }
        } end{host_};
        f(document());
        end.close();
    }

private:
    std::ostream& out_;
    std::ostream* warnings_ = &out_;
    standin::Host host_;
    std::string where_;
    std::unique_ptr<standin::PluginDriver> events_;  // after host_: goes first
};

// A host error code as text: its four characters and what it means.
std::string describeError(AIErr err);
// Throws ScriptError "<command>: <description>" unless err is kNoErr.
void check(AIErr err, const Args& args);
// Script text (UTF-8) as platform bytes; a ScriptError when it cannot be.
std::string platformText(const std::string& utf8, const Args& args);

}  // namespace plotwise::app
