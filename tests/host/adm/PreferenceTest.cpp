// The preference store: every type round-trips through the file; missing and wrongly typed
// keys leave the caller's default; a damaged file gives a warning and the defaults and is
// kept aside; writes are atomic.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "AIPreference.h"
#include "SuiteRegistry.h"
#include "adm/Catalogs.h"
#include "adm/PreferenceStore.h"

namespace {

namespace fs = std::filesystem;
using standin::PreferenceStore;

struct PrefTest : ::testing::Test {
    fs::path dir;
    fs::path file;
    std::vector<std::string> sunk;

    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "plotwise-prefs-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        file = dir / "sub" / "preferences.json";
    }
    void TearDown() override { fs::remove_all(dir); }

    void write(const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::unique_ptr<PreferenceStore> open() {
        auto store = std::make_unique<PreferenceStore>(file);
        store->setWarningSink([this](const std::string& w) { sunk.push_back(w); });
        return store;
    }
};

TEST_F(PrefTest, EveryTypeRoundTripsThroughTheFile) {
    {
        auto s = open();
        EXPECT_TRUE(s->load());
        EXPECT_TRUE(s->isFresh());
        s->putInteger("ZelmarkPlotwise7", "Units", -123456);
        s->putBoolean("ZelmarkPlotwise7", "Live", true);
        s->putReal("ZelmarkPlotwise7", "Scale", 0.1f);
        s->putString("ZelmarkPlotwise7", "Label", "45\xB0 \x8E\xDA");
        s->putPoint("ZMKCADtracker3", "Location", {12.25f, -3.0f});
        s->putRect("ZMKCADtracker3", "Size", {1.0f / 3.0f, 2, 3, 4});
        EXPECT_EQ(s->save(), kNoErr);
    }
    auto s = open();
    EXPECT_TRUE(s->load());
    EXPECT_FALSE(s->isFresh());
    int32_t i = 0;
    AIBoolean b = 0;
    AIReal r = 0;
    char str[32];
    AIRealPoint p{};
    AIRealRect rc{};
    s->getInteger("ZelmarkPlotwise7", "Units", &i);
    s->getBoolean("ZelmarkPlotwise7", "Live", &b);
    s->getReal("ZelmarkPlotwise7", "Scale", &r);
    s->getString("ZelmarkPlotwise7", "Label", str, sizeof str);
    s->getPoint("ZMKCADtracker3", "Location", &p);
    s->getRect("ZMKCADtracker3", "Size", &rc);
    EXPECT_EQ(i, -123456);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(r, 0.1f);  // bit-exact
    EXPECT_STREQ(str, "45\xB0 \x8E\xDA");
    EXPECT_EQ(p.h, 12.25f);
    EXPECT_EQ(p.v, -3.0f);
    EXPECT_EQ(rc.left, 1.0f / 3.0f);
    EXPECT_EQ(rc.bottom, 4.0f);
    // The file holds UTF-8.
    EXPECT_NE(read(file).find("45\xC2\xB0 \xE5\xB0\xBA"), std::string::npos);
    EXPECT_TRUE(sunk.empty());
}

TEST_F(PrefTest, MissingOrWronglyTypedKeysKeepTheDefaultWithAWarning) {
    write(R"({"format": "plotwise-preferences-1", "preferences": {
        "P": {"Int": {"integer": "seven"}, "Big": {"integer": 5000000000}, "Real": {"real": 2.5},
              "Pt": {"point": [1]}, "Rect": {"rect": [1, 2, "x", 4]}, "Two": {"integer": 1, "real": 2},
              "Odd": 17, "Kind": {"colour": 1}},
        "Q": "not an object"}, "written by": {"program": "another"}})");
    auto s = open();
    EXPECT_TRUE(s->load());
    // Each entry the plug-in cannot be given is named when the file is read.
    const char* kDefault = "; the plug-in gets its default";
    EXPECT_EQ(sunk, (std::vector<std::string>{
                        std::string("preference P/Big: {\"integer\":5000000000} is not a whole number from ") +
                            "-2147483648 to 2147483647" + kDefault,
                        std::string("preference P/Int: {\"integer\":\"seven\"} is not a whole number from ") +
                            "-2147483648 to 2147483647" + kDefault,
                        std::string("preference P/Kind: {\"colour\":1} has the unknown type \"colour\"") + kDefault,
                        std::string("preference P/Odd: 17 is not one typed value such as {\"integer\": 1}") + kDefault,
                        std::string("preference P/Pt: {\"point\":[1]} is not two numbers [h, v]") + kDefault,
                        std::string("preference P/Rect: {\"rect\":[1,2,\"x\",4]} is not four numbers ") +
                            "[left, top, right, bottom]" + kDefault,
                        std::string("preference P/Two: {\"integer\":1,\"real\":2} is not one typed value such as ") +
                            "{\"integer\": 1}" + kDefault,
                        std::string("preference prefix \"Q\" holds \"not an object\" instead of keys") + kDefault}));
    sunk.clear();
    int32_t i = 99;
    EXPECT_EQ(s->getInteger("P", "Int", &i), kNoErr);
    EXPECT_EQ(s->getInteger("P", "Big", &i), kNoErr);
    EXPECT_EQ(s->getInteger("P", "Real", &i), kNoErr);  // a real is not an integer
    EXPECT_EQ(s->getInteger("P", "Two", &i), kNoErr);
    EXPECT_EQ(s->getInteger("P", "Odd", &i), kNoErr);
    EXPECT_EQ(s->getInteger("P", "Missing", &i), kNoErr);
    EXPECT_EQ(s->getInteger("Q", "Int", &i), kNoErr);
    EXPECT_EQ(s->getInteger("Nowhere", "Int", &i), kNoErr);
    EXPECT_EQ(i, 99);
    AIRealPoint p{7, 8};
    s->getPoint("P", "Pt", &p);
    EXPECT_EQ(p.h, 7.0f);
    AIRealRect r{5, 6, 7, 8};
    s->getRect("P", "Rect", &r);
    EXPECT_EQ(r.left, 5.0f);
    AIBoolean b = 1;
    s->getBoolean("P", "Real", &b);
    EXPECT_EQ(b, 1);
    char str[8] = "dflt";
    s->getString("P", "Int", str, sizeof str);
    EXPECT_STREQ(str, "dflt");
    EXPECT_EQ(s->getInteger("P", "Int", nullptr), kBadParameterErr);
    EXPECT_EQ(s->putInteger(nullptr, "k", 1), kBadParameterErr);
    EXPECT_EQ(s->putInteger("P", "", 1), kBadParameterErr);

    // Asking for one type where another is stored is named once.
    EXPECT_EQ(sunk, std::vector<std::string>{"preference P/Real holds a real, not an integer" + std::string(kDefault)});

    // Entries the store does not understand, and what else the file held, survive a save.
    s->putInteger("P", "New", 1);
    ASSERT_EQ(s->save(), kNoErr);
    const std::string after = read(file);
    EXPECT_NE(after.find("seven"), std::string::npos);
    EXPECT_NE(after.find("not an object"), std::string::npos);
    EXPECT_NE(after.find("\"written by\": {\n    \"program\": \"another\""), std::string::npos) << after;
}

TEST_F(PrefTest, StringsAreBoundedAndNonFiniteRealsRefused) {
    auto s = open();
    s->putString("P", "Long", std::string(300, 'a').c_str());
    char small[5];
    s->getString("P", "Long", small, sizeof small);
    EXPECT_STREQ(small, "aaaa");
    EXPECT_EQ(s->getString("P", "Long", small, 0), kBadParameterErr);
    EXPECT_EQ(s->putReal("P", "R", std::numeric_limits<float>::infinity()), kBadParameterErr);
    EXPECT_EQ(s->putPoint("P", "Pt", {std::numeric_limits<float>::quiet_NaN(), 0}), kBadParameterErr);
    EXPECT_FALSE(s->has("P", "R"));
    EXPECT_EQ(s->remove("P", "Long"), kNoErr);
    EXPECT_EQ(s->remove("P", "Long"), kNoSuchKey);
}

TEST_F(PrefTest, DamagedFileGivesWarningAndDefaultsAndIsKeptAside) {
    const std::string garbage = "{\"format\": \"plotwise-preferences-1\", \"preferences\": {\"P\": ";
    for (const std::string& damaged : {garbage, std::string("[1, 2]"), std::string("{\"preferences\": {}}"),
                                       std::string("\xFF\xFE binary"),
                                       std::string("{\"format\": 1, \"preferences\": {}}")}) {
        write(damaged);
        sunk.clear();
        auto s = open();
        EXPECT_FALSE(s->load());
        EXPECT_TRUE(s->isFresh());
        ASSERT_EQ(sunk.size(), 1u);
        EXPECT_NE(sunk[0].find(file.string()), std::string::npos);
        ASSERT_TRUE(s->keptAside().has_value());
        EXPECT_EQ(read(*s->keptAside()), damaged);
        EXPECT_FALSE(fs::exists(file));
        int32_t v = 5;
        s->getInteger("P", "k", &v);
        EXPECT_EQ(v, 5);
        // Saving writes a new file and leaves the damaged one alone.
        s->putInteger("P", "k", 6);
        EXPECT_EQ(s->save(), kNoErr);
        EXPECT_EQ(read(*s->keptAside()), damaged);
        fs::remove(file);
    }
    // Each damaged file got its own name.
    EXPECT_TRUE(fs::exists(fs::path(file.string() + ".damaged")));
    EXPECT_TRUE(fs::exists(fs::path(file.string() + ".damaged-3")));
}

TEST_F(PrefTest, HostileFilesAreReadWithinTheLimitsOfEveryJsonFile) {
    // 100,000 levels deep: reading it once ended the host; now it is refused while it is read.
    const std::string deep = "{\"format\": \"plotwise-preferences-1\", \"preferences\": {\"P\": {\"k\": " +
                             std::string(100000, '[') + std::string(100000, ']') + "}}}";
    write(deep);
    auto s = open();
    EXPECT_FALSE(s->load());
    ASSERT_EQ(sunk.size(), 1u);
    EXPECT_NE(sunk[0].find(": preferences.preferences.P.k[0]"), std::string::npos) << sunk[0].substr(0, 200);
    EXPECT_NE(sunk[0].find("nesting deeper than 256 levels"), std::string::npos);
    ASSERT_TRUE(s->keptAside().has_value());
    s->putInteger("P", "k", 1);
    EXPECT_EQ(s->save(), kNoErr);

    // Larger than a preference file may be: refused unread, and kept aside like any damage.
    sunk.clear();
    fs::remove(file);
    write("{}");
    fs::resize_file(file, 4 * 1024 * 1024 + 1);
    auto big = open();
    EXPECT_FALSE(big->load());
    ASSERT_EQ(sunk.size(), 1u);
    EXPECT_NE(sunk[0].find(file.string() + ": larger than 4 MiB, the most a preference file may hold"),
              std::string::npos)
        << sunk[0];
    EXPECT_TRUE(big->keptAside().has_value());
}

TEST_F(PrefTest, WritesAreAtomic) {
    auto s = open();
    s->putInteger("P", "k", 1);
    ASSERT_EQ(s->save(), kNoErr);
    const std::string before = read(file);

    // A write that dies before the rename leaves the old file whole.
    s->putInteger("P", "k", 2);
    s->setStopBeforeRename(true);
    EXPECT_NE(s->save(), kNoErr);
    EXPECT_EQ(read(file), before);
    auto again = open();
    EXPECT_TRUE(again->load());
    int32_t v = 0;
    again->getInteger("P", "k", &v);
    EXPECT_EQ(v, 1);

    // A completed write leaves no temporary file behind.
    s->setStopBeforeRename(false);
    ASSERT_EQ(s->save(), kNoErr);
    int files = 0;
    for (const auto& e : fs::directory_iterator(file.parent_path())) {
        ++files;
        EXPECT_EQ(e.path().filename(), "preferences.json") << e.path();
    }
    EXPECT_EQ(files, 1);

    // The same text is not written again: a read-only file fails only a save that changes it.
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_EQ(s->save(), kNoErr);
    s->putInteger("P", "k", 3);
    EXPECT_EQ(s->save(), standin::kPreferenceWriteErr);
    EXPECT_NE(sunk.back().find("the file is read-only"), std::string::npos) << sunk.back();
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);

    // A folder in the file's place: the save fails and says so.
    fs::remove(file);
    fs::create_directories(file / "x");
    EXPECT_EQ(s->save(), standin::kPreferenceWriteErr);
    EXPECT_FALSE(sunk.empty());
    // Loading from it warns, gives the defaults and leaves the folder where it is.
    auto other = open();
    EXPECT_FALSE(other->load());
    EXPECT_TRUE(fs::is_directory(file / "x"));
    EXPECT_EQ(other->save(), standin::kPreferenceWriteErr);
}

TEST_F(PrefTest, DefaultPathFollowsTheConfigurationFolder) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    EXPECT_EQ(PreferenceStore::defaultPath(), dir / "plotwise" / "preferences.json");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(PreferenceStore::defaultPath().filename(), "preferences.json");
    EXPECT_EQ(PreferenceStore::defaultPath().parent_path().filename(), "plotwise");
    if (old) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST_F(PrefTest, TheFoldersAreMadeWhenFirstWrittenAndAFailureSaysWhy) {
    file = dir / "config" / "plotwise" / "preferences.json";
    auto s = open();
    ASSERT_TRUE(s->load());  // nothing there yet: a fresh store, nothing made
    EXPECT_FALSE(fs::exists(dir / "config"));
    ASSERT_EQ(s->save(), kNoErr);
    EXPECT_TRUE(fs::is_regular_file(file));
    // Configuration folders are the user's alone.
    EXPECT_EQ(fs::status(dir / "config").permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(dir / "config" / "plotwise").permissions() & fs::perms::all, fs::perms::owner_all);

    // A file where a folder must go.
    std::ofstream(dir / "taken") << "x";
    file = dir / "taken" / "plotwise" / "preferences.json";
    auto blocked = open();
    EXPECT_EQ(blocked->save(), standin::kPreferenceWriteErr);
    ASSERT_FALSE(sunk.empty());
    EXPECT_EQ(sunk.back(), "preferences not saved: cannot make the folder " + (dir / "taken" / "plotwise").string() +
                               ": Not a directory");
}

TEST_F(PrefTest, ThePresetsFileMakesItsFoldersPrivateToo) {
    // The presets file is the first a fresh start writes into the configuration folder.
    standin::Catalogs catalogs;
    catalogs.setFolder(dir / "config" / "plotwise");
    std::string problem;
    ASSERT_TRUE(catalogs.writeFile("CADpresets", "{}", problem)) << problem;
    EXPECT_EQ(fs::status(dir / "config").permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(dir / "config" / "plotwise").permissions() & fs::perms::all, fs::perms::owner_all);
    // A file where a folder must go is named.
    std::ofstream(dir / "taken") << "x";
    catalogs.setFolder(dir / "taken" / "plotwise");
    EXPECT_FALSE(catalogs.writeFile("CADpresets", "{}", problem));
    EXPECT_EQ(problem, "cannot write " + (dir / "taken" / "plotwise" / "CADpresets").string() +
                           ": cannot make the folder " + (dir / "taken" / "plotwise").string() + ": Not a directory");
}

TEST_F(PrefTest, SuiteReachesTheStore) {
    auto s = open();
    standin::SuiteRegistry registry;
    s->registerSuites(registry);
    const void* p = nullptr;
    ASSERT_EQ(registry.acquire(kAIPreferenceSuite, kAIPreferenceSuiteVersion, &p), kNoErr);
    const auto* suite = static_cast<const AIPreferenceSuite*>(p);
    const AIRealRect rect{1, 2, 3, 4};
    EXPECT_EQ(suite->PutRectPreference("ZMKCADtext3", "Size", &rect), kNoErr);
    AIRealRect out{};
    EXPECT_EQ(suite->GetRectPreference("ZMKCADtext3", "Size", &out), kNoErr);
    EXPECT_EQ(out.right, 3.0f);
    int32_t dockCode = -7;
    EXPECT_EQ(suite->GetIntegerPreference("ZMKCADtext3", "DockCode", &dockCode), kNoErr);
    EXPECT_EQ(dockCode, -7);
    EXPECT_EQ(registry.release(kAIPreferenceSuite, kAIPreferenceSuiteVersion), kNoErr);
}

}  // namespace
