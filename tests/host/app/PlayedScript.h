// A session with the document commands, into which the app's tests play script texts; what
// the script printed, what it reported and how many commands failed are kept for checking.
#pragma once

#include <sstream>
#include <string>
#include <utility>

#include "Commands.h"
#include "Session.h"

struct PlayedScript {
    std::ostringstream out, errors;
    plotwise::app::CommandTable table;
    plotwise::app::Session session{out};
    int failures = 0;
    // The file name the reports give.
    std::string name;

    explicit PlayedScript(std::string fileName = "test.pws") : name(std::move(fileName)) {
        plotwise::app::addDocumentCommands(table);
    }
    PlayedScript& play(const std::string& script) { return play(script, name); }
    PlayedScript& play(const std::string& script, const std::string& fileName) {
        plotwise::app::ScriptRunner runner(table, session, errors);
        failures = runner.runText(script, fileName);
        return *this;
    }
};
