// The subcommands of the `plotwise` command.
#include "CommandLine.h"

#include <algorithm>
#include <functional>
#include <new>
#include <ostream>
#include <span>

#include "Commands.h"
#include "EventCommands.h"
#include "Script.h"
#include "Session.h"
#include "io/DocumentFile.h"
#include "io/Dump.h"
#include "io/Svg.h"
#include "adm/PreferenceStore.h"

#ifndef PLOTWISE_VERSION
#define PLOTWISE_VERSION "unknown"
#endif
// The Plotwise module the build made, where it made it.
#ifndef PLOTWISE_BUILT_MODULE
#define PLOTWISE_BUILT_MODULE "plotwise.so"
#endif

namespace plotwise::app {

namespace {

void printHelp(const CommandTable& table, std::ostream& out) {
    out << "usage:\n"
           "  plotwise run SCRIPT [--plugin PLUGIN.so]... [--no-plugin] [--preferences FILE]\n"
           "                                 play a session script (see README.md), with\n"
           "                                 the Plotwise module (or those plug-ins, or none)\n"
           "                                 loaded and started first, and the preferences of\n"
           "                                 the configuration folder (or FILE)\n"
           "  plotwise svg DOC.json -o OUT.svg [--selection]\n"
           "                                 draw a saved document as SVG\n"
           "  plotwise dump DOC.json         print a saved document's layers and art\n"
           "  plotwise --help                this text\n"
           "  plotwise --version             the version of plotwise and of its documents\n"
           "\nscript commands:\n";
    for (const auto& command : table.all()) {
        std::string usage = "  " + command.usage;
        if (usage.size() < 40) usage.resize(40, ' ');
        else usage += "\n" + std::string(40, ' ');
        out << usage << command.summary << '\n';
    }
}

// An option of a subcommand: a flag, or one that takes the next word as its value.
struct Option {
    const char* name;
    const char* value;  // what the value is ("the plug-in file"); null for a flag
    std::function<void(const std::string&)> set;
};

// Reads the words after the subcommand into its options and its one operand; answers what is
// wrong with them, or "" when nothing is.
std::string readOptions(const std::vector<std::string>& args, std::span<const Option> options, std::string& operand,
                        const std::string& what) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& word = args[i];
        const Option* option = nullptr;
        for (const Option& o : options)
            if (word == o.name) option = &o;
        if (option && option->value) {
            if (i + 1 == args.size()) return word + " needs a value: " + option->value;
            option->set(args[++i]);
        } else if (option) {
            option->set(word);
        } else if (word.size() > 1 && word[0] == '-') {
            return args[0] + ": unknown option \"" + word + "\"";
        } else if (!operand.empty()) {
            return args[0] + " takes one " + what + ", not \"" + operand + "\" and \"" + word + "\"";
        } else {
            operand = word;
        }
    }
    if (operand.empty()) return args[0] + " needs a " + what;
    return "";
}

// The first of the candidates that is a file; empty when none is.
std::filesystem::path firstFile(const std::vector<std::filesystem::path>& candidates) {
    for (const auto& c : candidates) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(c, ec)) return c;
    }
    return {};
}

std::string listed(const std::vector<std::filesystem::path>& paths) {
    std::string text;
    for (size_t i = 0; i < paths.size(); ++i)
        text += (i == 0 ? "" : i + 1 == paths.size() ? " or " : ", ") + paths[i].string();
    return text;
}

class CommandLine {
public:
    CommandLine(std::ostream& out, std::ostream& err, const RunDefaults& defaults)
        : out_(out), err_(err), defaults_(defaults), session_(out) {
        addDocumentCommands(table_);
        addEventCommands(table_);
    }

    // An allocation that fails anywhere ends the command in words, never by terminate.
    int run(const std::vector<std::string>& args) {
        try {
            return runCommand(args);
        } catch (const std::bad_alloc&) {
            return outOfMemory();
        }
    }

private:
    int outOfMemory() {
        err_ << kOutOfMemoryMessage;
        return 1;
    }

    int runCommand(const std::vector<std::string>& args) {
        if (args.empty()) return usageError("no command given");
        const std::string& command = args[0];
        if (command == "--help" || command == "-h" || command == "help") {
            printHelp(table_, out_);
            return 0;
        }
        if (command == "--version") {
            out_ << "plotwise " << PLOTWISE_VERSION << " (documents: " << standin::io::kDocumentFormat << " version "
                 << standin::io::kDocumentVersion << ")\n";
            return 0;
        }
        if (command == "run") return runScript(args);
        if (command == "dump") return dump(args);
        if (command == "svg") return svg(args);
        return usageError("unknown command \"" + command + "\"");
    }

    int usageError(const std::string& message) {
        err_ << "plotwise: " << message << " (plotwise --help lists the commands)\n";
        return 2;
    }

    int failure(const std::string& message) {
        err_ << "plotwise: " << message << '\n';
        return 1;
    }

    int runScript(const std::vector<std::string>& args) {
        std::string script;
        std::vector<std::string> plugins;
        bool noPlugin = false;
        std::filesystem::path preferences = defaults_.preferences;
        const Option options[] = {
            {"--plugin", "the plug-in file (PLUGIN.so)", [&](const std::string& v) { plugins.push_back(v); }},
            {"--no-plugin", nullptr, [&](const std::string&) { noPlugin = true; }},
            {"--preferences", "the preference file", [&](const std::string& v) { preferences = v; }},
        };
        if (auto wrong = readOptions(args, options, script, "script"); !wrong.empty()) return usageError(wrong);
        if (noPlugin && !plugins.empty()) return usageError("run takes --plugin or --no-plugin, not both");
        session_.eventOptions.preferencesPath = preferences;
        // The presets file lives in the user's configuration folder, where the preferences
        // live unless another file is named.
        session_.eventOptions.userSupportFolder = standin::PreferenceStore::defaultPath().parent_path();
        // The Plotwise module unless the user names the plug-ins (or none).
        if (plugins.empty() && !noPlugin && !defaults_.modules.empty()) {
            const std::filesystem::path module = firstFile(defaults_.modules);
            if (module.empty())
                return failure("cannot find the Plotwise module: no " + defaults_.modules.front().filename().string() +
                               " at " + listed(defaults_.modules) +
                               " (build it with tools/example, name a module with --plugin, or run without one with "
                               "--no-plugin)");
            plugins.push_back(module.string());
        }
        for (const std::string& plugin : plugins) {
            std::string error;
            if (!session_.events().loadLibrary(plugin, &error)) return failure(error);
        }
        if (!plugins.empty()) {
            const AIErr started = session_.events().startup();
            // What the plug-ins told the user while they started comes first, the more so
            // when it is why one could not start.
            reportAlerts(session_, script);
            if (started != kNoErr) return failure(session_.events().lastError());
            // A plug-in that ran out of memory as it started (in a notification, say) did not
            // finish starting.
            if (session_.events().outOfMemoryAnswers() != 0)
                return failure("there was not enough memory for the plug-ins to start");
        }
        int failures = 0;
        try {
            ScriptRunner runner(table_, session_, err_);
            failures = runner.runFile(script);
        } catch (const std::bad_alloc&) {
            // The plug-ins are still shut down, and what they say printed.
            err_ << kOutOfMemoryMessage;
            failures = 1;
        }
        if (!session_.hasEvents()) return failures == 0 ? 0 : 1;
        // What the plug-ins tell the user as they quit (work that could not be kept) is
        // printed as everything else they said, and no run that ends so succeeds.
        const size_t alertsBefore = session_.events().dialogs().alerts().size();
        const AIErr shut = session_.events().shutdown();
        reportAlerts(session_, script);
        if (shut != kNoErr) return failure(session_.events().lastError());
        if (session_.events().dialogs().alerts().size() > alertsBefore)
            return failure("an alert was raised as the plug-ins shut down");
        return failures == 0 ? 0 : 1;
    }

    // Opens a saved document for the dump and svg subcommands; null after reporting why not.
    const standin::Document* open(const std::string& path) {
        std::string error;
        std::vector<std::string> warnings;
        const standin::Document* doc = standin::io::openDocumentFile(session_.host(), path, error, &warnings);
        if (!doc) failure(error);
        for (const std::string& w : warnings) err_ << "plotwise: warning: " << w << '\n';
        return doc;
    }

    int dump(const std::vector<std::string>& args) {
        std::string input;
        if (auto wrong = readOptions(args, {}, input, "document"); !wrong.empty()) return usageError(wrong);
        const standin::Document* doc = open(input);
        if (!doc) return 1;
        standin::io::dumpDocument(*doc, out_);
        return 0;
    }

    int svg(const std::vector<std::string>& args) {
        std::string input, output;
        standin::io::SvgOptions svgOptions;
        const Option options[] = {
            {"-o", "the picture to write (OUT.svg)", [&](const std::string& v) { output = v; }},
            {"--selection", nullptr, [&](const std::string&) { svgOptions.selection = true; }},
        };
        if (auto wrong = readOptions(args, options, input, "document"); !wrong.empty()) return usageError(wrong);
        if (output.empty()) return usageError("svg needs -o OUT.svg");
        const standin::Document* doc = open(input);
        if (!doc) return 1;
        std::string error, note;
        if (!standin::io::saveSvgFile(*doc, output, svgOptions, error, &note)) return failure(error);
        if (!note.empty()) err_ << "plotwise: warning: " << note << '\n';
        return 0;
    }

    std::ostream& out_;
    std::ostream& err_;
    const RunDefaults& defaults_;
    CommandTable table_;
    Session session_;
};

}  // namespace

std::vector<std::filesystem::path> moduleCandidates(const std::filesystem::path& program,
                                                    const std::filesystem::path& built) {
    const std::filesystem::path folder = program.parent_path();
    std::vector<std::filesystem::path> candidates;
    for (const auto& c : {folder / built.filename(), folder.parent_path() / built.filename(), built}) {
        const auto normal = c.lexically_normal();
        if (std::find(candidates.begin(), candidates.end(), normal) == candidates.end()) candidates.push_back(normal);
    }
    return candidates;
}

RunDefaults programDefaults(const std::filesystem::path& program) {
    return {moduleCandidates(program, PLOTWISE_BUILT_MODULE), standin::PreferenceStore::defaultPath()};
}

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const RunDefaults& defaults) {
    try {
        return CommandLine(out, err, defaults).run(args);
    } catch (const std::bad_alloc&) {
        // Not enough memory to make the host the commands run in.
        err << kOutOfMemoryMessage;
        return 1;
    }
}

}  // namespace plotwise::app
