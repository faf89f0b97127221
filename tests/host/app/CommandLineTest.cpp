// The `plotwise` command line as a person types it: exit statuses, what is printed where,
// options that lack their value, files that are not regular files, and --version.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ScratchFolder.h"
#include "CommandLine.h"

using namespace plotwise::app;

namespace {

namespace fs = std::filesystem;

struct Typed {
    std::ostringstream out, err;
    int status = -1;
    explicit Typed(const std::vector<std::string>& args) { status = runCommandLine(args, out, err); }
};

using Folder = ScratchFolder;

}  // namespace

TEST(CommandLine, WhatIsNotARegularFileIsRefusedWithAFailingStatus) {
    Folder folder;
    const std::string dir = folder.dir.string();
    for (const std::string& path : {dir, std::string("/dev/zero")}) {
        const std::string kind = path == dir ? "a folder" : "a device";
        Typed run({"run", path});
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_EQ(run.err.str(), path + ": is " + kind + ", not a regular file\n");
        Typed dump({"dump", path});
        EXPECT_EQ(dump.status, 1) << path;
        EXPECT_EQ(dump.err.str(), "plotwise: " + path + ": is " + kind + ", not a regular file\n");
        Typed svg({"svg", path, "-o", (folder.dir / "x.svg").string()});
        EXPECT_EQ(svg.status, 1) << path;
    }
    // A script that opens the endless device fails at that line.
    const std::string script = folder.write("s.pws", "new\nopen /dev/zero\n");
    Typed opened({"run", script});
    EXPECT_EQ(opened.status, 1);
    EXPECT_EQ(opened.err.str(), script + ":2: open: /dev/zero: is a device, not a regular file\n");
}

TEST(CommandLine, OptionsWithoutTheirValueSaySo) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"run", "x.pws", "--plugin"}, "--plugin needs a value: the plug-in file (PLUGIN.so)"},
        {{"run", "x.pws", "--preferences"}, "--preferences needs a value: the preference file"},
        {{"run", "--frobnicate", "x.pws"}, "run: unknown option \"--frobnicate\""},
        {{"run"}, "run needs a script"},
        {{"run", "a.pws", "b.pws"}, "run takes one script, not \"a.pws\" and \"b.pws\""},
        {{"svg", "a.json", "-o"}, "-o needs a value: the picture to write (OUT.svg)"},
        {{"svg", "a.json"}, "svg needs -o OUT.svg"},
        {{"dump"}, "dump needs a document"},
        {{"paint"}, "unknown command \"paint\""},
        {{}, "no command given"},
    };
    for (const auto& c : cases) {
        Typed typed(c.args);
        EXPECT_EQ(typed.status, 2) << c.message;
        EXPECT_EQ(typed.err.str(), std::string("plotwise: ") + c.message + " (plotwise --help lists the commands)\n");
        EXPECT_EQ(typed.out.str(), "");
    }
}

TEST(CommandLine, VersionAndHelpGoToStandardOutput) {
    Typed version({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.str().rfind("plotwise ", 0), 0u);
    EXPECT_NE(version.out.str().find("(documents: plotwise-document version 2)\n"), std::string::npos);
    EXPECT_EQ(version.err.str(), "");
    Typed help({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.str().find("plotwise --version"), std::string::npos);
}

TEST(CommandLine, KeysOutsideTheFormatAreNamedOnStandardError) {
    Folder folder;
    const std::string doc = folder.write("doc.json", R"({"format": "plotwise-document", "version": 1, "pathStyle": {},)"
                                                     R"( "layers": [{"kind": "layer", "id": 1, "title": "L", "locked": true}]})");
    Typed dump({"dump", doc});
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.err.str(), "plotwise: warning: " + doc +
                                  ": document.layers[0]: the key \"locked\" is not part of the format; it is ignored "
                                  "and will not be saved\n");
    EXPECT_NE(dump.out.str().find("\"L\" visible editable"), std::string::npos) << dump.out.str();
}

TEST(CommandLine, AScriptRunsAndItsFailuresSetTheStatus) {
    Folder folder;
    const std::string good = folder.write("good.pws", "new\nrect 0 0 10 10\nexpect count == 1\n");
    const std::string bad = folder.write("bad.pws", "new\nexpect count == 1\n");
    EXPECT_EQ(Typed({"run", good}).status, 0);
    Typed failed({"run", bad});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err.str(), bad + ":2: expectation failed: count == 1 (found 0)\n");
}

TEST(CommandLine, TheModuleIsLookedForBesideTheProgramThenWhereTheBuildPutIt) {
    // An installed command: beside it, the folder above, then the build's own.
    EXPECT_EQ(moduleCandidates("/opt/plotwise/bin/plotwise", "/home/me/src/build/plotwise.so"),
              (std::vector<fs::path>{"/opt/plotwise/bin/plotwise.so", "/opt/plotwise/plotwise.so",
                                     "/home/me/src/build/plotwise.so"}));
    // The command in the build folder: build/app/plotwise finds build/plotwise.so once.
    EXPECT_EQ(moduleCandidates("/src/build/app/plotwise", "/src/build/plotwise.so"),
              (std::vector<fs::path>{"/src/build/app/plotwise.so", "/src/build/plotwise.so"}));
}

TEST(CommandLine, PreferencesDefaultToTheConfigurationFolder) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", "/home/me/.cfg", 1);
    EXPECT_EQ(programDefaults("/usr/bin/plotwise").preferences, fs::path("/home/me/.cfg/plotwise/preferences.json"));
    // A relative folder would put the file wherever the command runs: it does not count.
    ::setenv("XDG_CONFIG_HOME", "cfg", 1);
    const fs::path fallback = programDefaults("/usr/bin/plotwise").preferences;
    EXPECT_TRUE(fallback.empty() || (fallback.is_absolute() && fallback.parent_path().parent_path().filename() == ".config"))
        << fallback;
    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}
