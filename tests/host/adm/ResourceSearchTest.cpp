// Where the host looks for resources: each loaded plug-in's own folder, in load order, ahead
// of the default folder; folders the user named (PLOTWISE_RESOURCE_DIR, or the host's
// option) are searched alone.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "adm/Resources.h"

namespace {

namespace fs = std::filesystem;

struct PluginFolders {
    fs::path dir;
    PluginFolders() {
        std::string tmpl = (fs::temp_directory_path() / "plotwise-search-XXXXXX").string();
        EXPECT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
    }
    ~PluginFolders() { fs::remove_all(dir); }
    // A plug-in's `resources` folder holding string list 99999 with one string.
    fs::path withList(const std::string& plugin, const std::string& text) const {
        const fs::path res = dir / plugin / "resources";
        fs::create_directories(res / "strings");
        std::ofstream(res / "strings" / "99999.json") << "[\"\", \"" << text << "\"]";
        return res;
    }
};

struct NoFolderNamed {
    std::optional<std::string> saved;
    NoFolderNamed() {
        if (const char* v = std::getenv("PLOTWISE_RESOURCE_DIR")) saved = v;
        ::unsetenv("PLOTWISE_RESOURCE_DIR");
    }
    ~NoFolderNamed() {
        if (saved) ::setenv("PLOTWISE_RESOURCE_DIR", saved->c_str(), 1);
    }
};

}  // namespace

TEST(ResourceSearch, EachPluginsFolderComesBeforeTheDefaultInLoadOrder) {
    NoFolderNamed unnamed;
    PluginFolders folders;
    standin::Resources res;
    const fs::path first = folders.withList("first", "from the first"), second = folders.withList("second", "second");
    ASSERT_EQ(res.searchPath(), std::vector<fs::path>{PLOTWISE_RESOURCE_DIR});
    EXPECT_EQ(res.indexString(99999, 1), std::nullopt);  // found missing, and remembered so ...

    res.addPluginFolder(first);
    res.addPluginFolder(second);
    res.addPluginFolder(first);                            // a second module from the same folder
    res.addPluginFolder(folders.dir / "none" / "resources");  // a module without resources
    EXPECT_EQ(res.searchPath(), (std::vector<fs::path>{first, second, PLOTWISE_RESOURCE_DIR}));
    EXPECT_EQ(res.indexString(99999, 1), "from the first");  // ... looked for again
    // The default folder still answers for what the plug-ins do not bring.
    EXPECT_NE(res.indexString(17000, 1), std::nullopt);
    EXPECT_TRUE(res.problems().empty());
}

TEST(ResourceSearch, NamedFoldersAreSearchedAlone) {
    PluginFolders folders;
    const fs::path plugin = folders.withList("plugin", "the plug-in's");
    const fs::path named = folders.withList("named", "named");

    standin::Resources byOption(named);
    byOption.addPluginFolder(plugin);
    EXPECT_EQ(byOption.searchPath(), std::vector<fs::path>{named});
    EXPECT_EQ(byOption.indexString(99999, 1), "named");

    NoFolderNamed unnamed;
    ::setenv("PLOTWISE_RESOURCE_DIR", (named.string() + ":" + PLOTWISE_RESOURCE_DIR).c_str(), 1);
    standin::Resources byEnvironment;
    byEnvironment.addPluginFolder(plugin);
    EXPECT_EQ(byEnvironment.searchPath(), (std::vector<fs::path>{named, PLOTWISE_RESOURCE_DIR}));
    ::unsetenv("PLOTWISE_RESOURCE_DIR");

    // Naming folders later drops the plug-ins' folders too.
    standin::Resources later;
    later.addPluginFolder(plugin);
    later.setDir(named);
    EXPECT_EQ(later.searchPath(), std::vector<fs::path>{named});
}
