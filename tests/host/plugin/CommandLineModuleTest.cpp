// `plotwise run` with its defaults, as the installed command has them: the default module
// is loaded (here the test plug-in's module stands in for Plotwise's) unless --plugin names
// others or --no-plugin none, finds the resources beside it, and the preferences go to the
// default file, whose folder is made when they are first written, unless --preferences
// names another.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "CommandLine.h"

using namespace plotwise::app;

namespace {

namespace fs = std::filesystem;

struct Folder {
    fs::path dir;
    Folder() {
        std::string tmpl = (fs::temp_directory_path() / "plotwise-module-XXXXXX").string();
        EXPECT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
    }
    ~Folder() { fs::remove_all(dir); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }
};

// The resources as the host finds them when nobody names a folder.
struct NoResourceFolderNamed {
    std::optional<std::string> saved;
    NoResourceFolderNamed() {
        if (const char* v = std::getenv("PLOTWISE_RESOURCE_DIR")) saved = v;
        ::unsetenv("PLOTWISE_RESOURCE_DIR");
    }
    ~NoResourceFolderNamed() {
        if (saved) ::setenv("PLOTWISE_RESOURCE_DIR", saved->c_str(), 1);
    }
};

struct Typed {
    std::ostringstream out, err;
    int status = -1;
    Typed(const std::vector<std::string>& args, const RunDefaults& defaults) {
        status = runCommandLine(args, out, err, defaults);
    }
};

// The test plug-in started (once), with its panel opened from the resources beside it.
constexpr const char* kStartedWithItsPanel = R"(
expect-messages "SP Interface/Startup" == 1
panel "Test Panel" press 6
)";

}  // namespace

TEST(CommandLineModule, TheDefaultModuleStartsWithItsResourcesAndThePreferencesGoToTheirFolder) {
    NoResourceFolderNamed resources;
    Folder folder;
    RunDefaults defaults;
    defaults.modules = {folder.dir / "app" / "testplugin.so", TEST_PLUGIN_MODULE};  // the first is not there
    defaults.preferences = folder.dir / "config" / "plotwise" / "preferences.json";
    const std::string script = folder.write("s.pws", kStartedWithItsPanel);
    Typed run({"run", script}, defaults);
    EXPECT_EQ(run.status, 0) << run.err.str();
    EXPECT_EQ(run.err.str(), "");
    // Written at the end, its folders made private to the user.
    ASSERT_TRUE(fs::is_regular_file(defaults.preferences));
    struct stat st {};
    ASSERT_EQ(::stat((folder.dir / "config").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    std::ifstream in(defaults.preferences);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("\"format\": \"plotwise-preferences-1\""), std::string::npos) << text;
}

TEST(CommandLineModule, PluginOptionsReplaceTheDefaultModule) {
    NoResourceFolderNamed resources;
    Folder folder;
    RunDefaults defaults;
    defaults.modules = {"/no/such/plotwise.so"};
    defaults.preferences = folder.dir / "default.json";

    // --plugin instead of the default: the missing default does not matter.
    const std::string started = folder.write("started.pws", kStartedWithItsPanel);
    Typed named({"run", started, "--plugin", TEST_PLUGIN_MODULE}, defaults);
    EXPECT_EQ(named.status, 0) << named.err.str();

    // --no-plugin: nothing starts.
    const std::string none = folder.write("none.pws", "expect-messages \"SP Interface/Startup\" == 0\n");
    Typed without({"run", none, "--no-plugin"}, defaults);
    EXPECT_EQ(without.status, 0) << without.err.str();

    // --preferences instead of the default file.
    fs::remove(defaults.preferences);
    const fs::path mine = folder.dir / "mine.json";
    Typed prefs({"run", started, "--plugin", TEST_PLUGIN_MODULE, "--preferences", mine.string()}, defaults);
    EXPECT_EQ(prefs.status, 0) << prefs.err.str();
    EXPECT_TRUE(fs::is_regular_file(mine));
    EXPECT_FALSE(fs::exists(defaults.preferences));
}

TEST(CommandLineModule, AMissingDefaultModuleIsNamedWithWhereItWasLookedFor) {
    Folder folder;
    RunDefaults defaults;
    defaults.modules = {"/opt/plotwise/bin/plotwise.so", "/opt/plotwise/plotwise.so", "/build/plotwise.so"};
    const std::string script = folder.write("s.pws", "new\n");
    Typed run({"run", script}, defaults);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.str(),
              "plotwise: cannot find the Plotwise module: no plotwise.so at /opt/plotwise/bin/plotwise.so, "
              "/opt/plotwise/plotwise.so or /build/plotwise.so (build it with tools/example, name a module with "
              "--plugin, or run without one with --no-plugin)\n");
    EXPECT_EQ(run.out.str(), "");

    Typed both({"run", script, "--no-plugin", "--plugin", TEST_PLUGIN_MODULE}, defaults);
    EXPECT_EQ(both.status, 2);
    EXPECT_EQ(both.err.str(),
              "plotwise: run takes --plugin or --no-plugin, not both (plotwise --help lists the commands)\n");
}

TEST(CommandLineModule, MemoryRunningOutWhileThePluginsShutDownEndsInWords) {
    NoResourceFolderNamed resources;
    Folder folder;
    RunDefaults defaults;
    defaults.preferences = folder.dir / "preferences.json";
    const std::string script = folder.write("s.pws", "new\nmenu \"Test Exhaust Memory\"\n");
    Typed run({"run", script, "--plugin", TEST_PLUGIN_MODULE}, defaults);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.str(), "plotwise: there was not enough memory to shut the plug-ins down\n");
}
