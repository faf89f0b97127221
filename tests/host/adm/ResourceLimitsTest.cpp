// Resource files are read like every other JSON file: within the same limits, so a hostile
// string list or dialog template is a recorded problem, never a crash; a missing resource is
// simply absent.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "adm/Resources.h"

namespace {

namespace fs = std::filesystem;

struct ResourceFolder {
    fs::path dir;
    ResourceFolder() {
        std::string tmpl = (fs::temp_directory_path() / "plotwise-res-XXXXXX").string();
        EXPECT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        for (const char* sub : {"strings", "menus", "dialogs"}) fs::create_directories(dir / sub);
    }
    ~ResourceFolder() { fs::remove_all(dir); }
    void write(const std::string& name, const std::string& text) const { std::ofstream(dir / name) << text; }
};

}  // namespace

TEST(ResourceLimits, HostileFilesAreProblemsAndMissingOnesAreNot) {
    ResourceFolder folder;
    folder.write("strings/1.json", "[\"\", " + std::string(100000, '[') + std::string(100000, ']') + "]");
    fs::create_directories(folder.dir / "strings" / "2.json");
    folder.write("menus/1.json", R"({"entries": ["a"], "entries": ["b"]})");
    folder.write("dialogs/1.json", R"({"name": "Units", "items": [{"id": 1, "kind": "button"}]})");
    standin::Resources res(folder.dir);
    EXPECT_EQ(res.indexString(1, 1), std::nullopt);
    EXPECT_EQ(res.indexString(2, 1), std::nullopt);
    EXPECT_EQ(res.indexString(3, 1), std::nullopt);  // not there: no problem
    EXPECT_EQ(res.menu(1), std::nullopt);
    ASSERT_NE(res.dialog(1), nullptr);
    const auto& problems = res.problems();
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].rfind("strings/1.json: resource[1][0]", 0), 0u) << problems[0].substr(0, 60);
    EXPECT_NE(problems[0].find(": nesting deeper than 256 levels"), std::string::npos);
    EXPECT_EQ(problems[1], "strings/2.json: is a folder, not a regular file");
    EXPECT_EQ(problems[2], "menus/1.json: resource: the key \"entries\" appears twice in one object");
}

TEST(ResourceLimits, WronglyTypedFieldsOfADialogAreProblemsNotCrashes) {
    ResourceFolder folder;
    // Once a kind given as a number ended the host.
    folder.write("dialogs/1.json", R"({"name": "Units", "items": [{"id": 1, "kind": 10}]})");
    // Numbers no field can hold are taken as absent.
    folder.write("dialogs/2.json",
                 R"({"name": "Units", "style": 1e300, "bounds": [0, 0, 1e12, 5],
                     "items": [{"id": 3, "kind": "popup", "menu": -1e40, "max": 1e99}]})");
    folder.write("dialogs/3.json", R"({"items": [{"id": 1e20}]})");
    standin::Resources res(folder.dir);
    EXPECT_EQ(res.dialog(1), nullptr);
    const auto* two = res.dialog(2);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->style, 0);
    ASSERT_EQ(two->items.size(), 1u);
    EXPECT_EQ(two->items[0].menuID, 0);
    EXPECT_TRUE(two->items[0].hasRange);
    EXPECT_EQ(two->items[0].maximum, 1e30f);
    EXPECT_EQ(res.dialog(3), nullptr);
    const auto& problems = res.problems();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "dialogs/1.json: item 1 has the unknown kind \"10\"");
    EXPECT_EQ(problems[1], "dialogs/3.json: an item without a numeric id");
}

