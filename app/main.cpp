// The `plotwise` command: plays a session script, or turns a saved document into an SVG
// picture or a readable dump.
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "EventCommands.h"
#include "Script.h"
#include "Session.h"
#include "io/DocumentFile.h"
#include "io/Dump.h"
#include "io/Svg.h"

namespace {

using namespace plotwise::app;

void printHelp(const CommandTable& table) {
    std::cout << "usage:\n"
                 "  plotwise run SCRIPT [--plugin PLUGIN.so]... [--preferences FILE]\n"
                 "                                 play a session script (see README.md), with\n"
                 "                                 those plug-ins loaded and started first\n"
                 "  plotwise svg DOC.json -o OUT.svg [--selection]\n"
                 "                                 draw a saved document as SVG\n"
                 "  plotwise dump DOC.json         print a saved document's layers and art\n"
                 "  plotwise --help                this text\n"
                 "\nscript commands:\n";
    for (const auto& command : table.all()) {
        std::string usage = "  " + command.usage;
        if (usage.size() < 40) usage.resize(40, ' ');
        else usage += "\n" + std::string(40, ' ');
        std::cout << usage << command.summary << '\n';
    }
}

int usageError(const std::string& message) {
    std::cerr << "plotwise: " << message << " (plotwise --help lists the commands)\n";
    return 2;
}

// Opens a saved document for the dump and svg subcommands; null after reporting why not.
standin::Document* openForConversion(Session& session, const std::string& path) {
    std::string error;
    standin::Document* doc = standin::io::openDocumentFile(session.host(), path, error);
    if (!doc) std::cerr << "plotwise: " << error << '\n';
    return doc;
}

}  // namespace

int main(int argc, char** argv) {
    CommandTable table;
    addDocumentCommands(table);
    addEventCommands(table);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usageError("no command given");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(table);
        return 0;
    }
    Session session(std::cout);
    if (args[0] == "run") {
        std::string script;
        std::vector<std::string> plugins;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--plugin" && i + 1 < args.size()) plugins.push_back(args[++i]);
            else if (args[i] == "--preferences" && i + 1 < args.size()) session.eventOptions.preferencesPath = args[++i];
            else if (script.empty()) script = args[i];
            else return usageError("run takes one script");
        }
        if (script.empty()) return usageError("run needs a script");
        for (const std::string& plugin : plugins) {
            std::string error;
            if (!session.events().loadLibrary(plugin, &error)) {
                std::cerr << "plotwise: " << error << '\n';
                return 1;
            }
        }
        if (!plugins.empty()) {
            if (session.events().startup() != kNoErr) {
                std::cerr << "plotwise: " << session.events().lastError() << '\n';
                return 1;
            }
        }
        ScriptRunner runner(table, session, std::cerr);
        const int failures = runner.runFile(script);
        if (session.hasEvents() && session.events().shutdown() != kNoErr) {
            std::cerr << "plotwise: " << session.events().lastError() << '\n';
            return 1;
        }
        return failures == 0 ? 0 : 1;
    }
    if (args[0] == "dump") {
        if (args.size() != 2) return usageError("dump takes one document");
        const standin::Document* doc = openForConversion(session, args[1]);
        if (!doc) return 1;
        standin::io::dumpDocument(*doc, std::cout);
        return 0;
    }
    if (args[0] == "svg") {
        std::string input, output;
        standin::io::SvgOptions options;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "-o" && i + 1 < args.size()) output = args[++i];
            else if (args[i] == "--selection") options.selection = true;
            else if (input.empty()) input = args[i];
            else return usageError("svg takes one document");
        }
        if (input.empty() || output.empty()) return usageError("svg needs DOC.json -o OUT.svg");
        const standin::Document* doc = openForConversion(session, input);
        if (!doc) return 1;
        std::string error;
        if (!standin::io::saveSvgFile(*doc, output, options, error)) {
            std::cerr << "plotwise: " << error << '\n';
            return 1;
        }
        return 0;
    }
    return usageError("unknown command \"" + args[0] + "\"");
}
