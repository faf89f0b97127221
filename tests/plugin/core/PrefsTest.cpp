// Preferences in the host's preference store, checked against the keys, types and start-up
// values written down in PreferenceKeys.txt and read back through the host's own file: every
// listed key is written and no other; a fresh store starts with the listed values; every
// setting is read into the record and written back; missing and wrongly typed keys keep the
// start-up values; the unit-remap flag follows the store's age; persistent tool settings.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CoreFixture.h"
#include "ScratchFolder.h"
#include "core/PlotwiseStyleFields.h"
#include "core/PlotwiseAlerts.h"
#include "adm/PreferenceStore.h"
#include "core/PWPersistentData.h"
#include "core/PlotwisePrefs.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PreferenceDomains.h"
#include "text/FontRegistry.h"
#include "units/CustomScales.h"

namespace coretest {
namespace {

// One line of the list: the value is "-" when nobody states it, "face" for the host's
// default face, a quoted text for strings and "h,v" for points.
struct Listed {
    std::string prefix, key, type, value;
    std::string name() const { return prefix + "/" + key; }
};

std::vector<Listed> ListedKeys() {
    const auto file = std::filesystem::path(__FILE__).parent_path() / "PreferenceKeys.txt";
    std::ifstream in(file);
    EXPECT_TRUE(in) << "cannot read " << file;
    std::vector<Listed> keys;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        Listed l;
        words >> l.prefix >> l.key >> l.type >> std::ws;
        std::getline(words, l.value);
        keys.push_back(l);
    }
    return keys;
}

// What the store holds, "prefix/key" -> {"type": value}, as the host writes it to its file.
using Stored = std::map<std::string, nlohmann::json>;

std::string HostDefaultFace() {
    auto& fonts = standin::text::FontRegistry::shared();
    return fonts.uiName(fonts.defaultIndex());
}

// Whether the stored entry holds the listed value (face: the text a "face" stands for).
::testing::AssertionResult HoldsListedValue(const nlohmann::json& stored, const Listed& l, const std::string& face) {
    if (!stored.contains(l.type)) return ::testing::AssertionFailure() << "stored as " << stored.dump();
    const nlohmann::json& v = stored.at(l.type);
    bool same = false;
    if (l.type == "integer") {
        same = v.get<long long>() == std::stoll(l.value, nullptr, 0);
    } else if (l.type == "real") {
        same = static_cast<float>(v.get<double>()) == std::strtof(l.value.c_str(), nullptr);
    } else if (l.type == "boolean") {
        same = v.get<bool>() == (l.value == "true");
    } else if (l.type == "string") {
        const std::string text = l.value == "face" ? face : l.value.substr(1, l.value.size() - 2);
        same = v.get<std::string>() == text;
    } else if (l.type == "point") {
        const size_t comma = l.value.find(',');
        same = static_cast<float>(v[0].get<double>()) == std::strtof(l.value.substr(0, comma).c_str(), nullptr) &&
               static_cast<float>(v[1].get<double>()) == std::strtof(l.value.substr(comma + 1).c_str(), nullptr);
    }
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "holds " << stored.dump() << ", listed " << l.value;
}

// Records the keys a visit names, in order.
struct KeyOrder final : PrefsVisitor {
    std::vector<std::string> names;
    void add(const char* p, const char* k) { names.push_back(std::string(p) + "/" + k); }
    void integer(const char* p, const char* k, int32_t&, int32_t) override { add(p, k); }
    void boolean(const char* p, const char* k, int&, bool) override { add(p, k); }
    void real(const char* p, const char* k, float&, float) override { add(p, k); }
    void string(const char* p, const char* k, char*, int32_t, const char*) override { add(p, k); }
    void point(const char* p, const char* k, AIRealPoint&, AIRealPoint) override { add(p, k); }
};

// The value itself when the setting has no domain, else the top of its domain.
double DomainMost(const char* key, double value) {
    double least = 0, most = 0;
    return PreferenceDomainBounds(key, &least, &most) ? most : value;
}

struct PrefsTest : CoreTest {
    ScratchFolder scratch;
    std::filesystem::path folder;

    void SetUp() override {
        CoreTest::SetUp();
        StartPlugin();
        if (HasFatalFailure()) return;
        folder = scratch.dir;
    }
    standin::PreferenceStore& store() { return session->preferences(); }

    // Empties the host's store: it loads a file that does not exist.
    void emptyStore() {
        static int n = 0;
        store().setPath(folder / ("none-" + std::to_string(++n) + ".json"));
        store().load();
    }
    // Everything the store holds, from the file the host writes.
    Stored saved() {
        const auto file = folder / "saved.json";
        store().setPath(file);
        EXPECT_EQ(store().save(), kNoErr);
        std::ifstream in(file);
        const nlohmann::json doc = nlohmann::json::parse(in);
        Stored stored;
        for (const auto& [prefix, keys] : doc.at("preferences").items())
            for (const auto& [key, value] : keys.items()) stored[prefix + "/" + key] = value;
        return stored;
    }
    // What WritePrefs alone writes.
    Stored written() {
        emptyStore();
        EXPECT_EQ(WritePrefs(), kNoErr);
        return saved();
    }
    void expectListedValues(const Stored& stored, const std::string& face) {
        for (const Listed& l : ListedKeys()) {
            if (l.value == "-") continue;
            const auto it = stored.find(l.name());
            if (it == stored.end()) {
                ADD_FAILURE() << l.name() << " is not written";
                continue;
            }
            EXPECT_TRUE(HoldsListedValue(it->second, l, face)) << l.name();
        }
    }
};

TEST_F(PrefsTest, WritePrefsStoresEveryListedKeyWithItsTypeAndNoOther) {
    const std::vector<Listed> listed = ListedKeys();
    // 178 carried by presets and 38 others under the general prefix (what a callout reports
    // is not among them); 42 placement keys.
    ASSERT_EQ(listed.size(), 258u);
    const Stored stored = written();
    std::set<std::string> names;
    for (const Listed& l : listed) {
        EXPECT_TRUE(names.insert(l.name()).second) << l.name() << " is listed twice";
        const auto it = stored.find(l.name());
        if (it == stored.end()) {
            ADD_FAILURE() << l.name() << " is not written";
            continue;
        }
        EXPECT_TRUE(it->second.contains(l.type)) << l.name() << " is written as " << it->second.dump();
    }
    for (const auto& [name, value] : stored) EXPECT_TRUE(names.count(name)) << name << " is written but not listed";
}

TEST_F(PrefsTest, PresetSettingsComeFirstInThePresetRecordsOrder) {
    KeyOrder visit;
    VisitPrefs(g->prefs, visit);
    const std::vector<Listed> listed = ListedKeys();
    ASSERT_GE(visit.names.size(), 178u);
    ASSERT_GE(listed.size(), 178u);
    for (size_t i = 0; i < 178; ++i) EXPECT_EQ(visit.names[i], listed[i].name()) << "preset key " << i + 1;
}

TEST_F(PrefsTest, AFreshStoreStartsWithTheListedValues) {
    // Start-up has read the (fresh) store: the faces are the host's default face.
    expectListedValues(written(), HostDefaultFace());
    // Without a face given, and in a record as it is made, they are "Helvetica".
    SetDefaultPrefs(g->prefs);
    expectListedValues(written(), "Helvetica");
    g->prefs = preferences{};
    expectListedValues(written(), "Helvetica");
}

TEST_F(PrefsTest, EverySettingIsReadIntoTheRecordAndWrittenBack) {
    // A value of its own for every key, put through the host.
    const std::vector<Listed> listed = ListedKeys();
    std::vector<Listed> expected;
    emptyStore();
    int n = 0;
    for (Listed l : listed) {
        ++n;
        const char* p = l.prefix.c_str();
        const char* k = l.key.c_str();
        if (l.type == "integer") {
            // Within the setting's domain, at its top where it has one.
            int32_t value = 1000 + n;
            if (!InPreferenceDomain(k, value)) value = static_cast<int32_t>(DomainMost(k, value));
            store().putInteger(p, k, value);
            l.value = std::to_string(value);
        } else if (l.type == "real") {
            // Outside the setting's domain, its start-up value (a view's reals make a view only
            // together).
            const float own = static_cast<float>(n) + 0.5f;
            const bool usable = !HasPreferenceDomain(k) || InPreferenceDomain(k, own);
            store().putReal(p, k, usable ? own : std::strtof(l.value.c_str(), nullptr));
            if (usable) l.value = std::to_string(n) + ".5";
        } else if (l.type == "boolean") {
            const bool value = l.value != "true";  // the other one than at start-up
            store().putBoolean(p, k, value);
            l.value = value ? "true" : "false";
        } else if (l.type == "string") {
            const std::string text = "v" + std::to_string(n);
            store().putString(p, k, text.c_str());
            l.value = "\"" + text + "\"";
        } else if (l.type == "point") {
            store().putPoint(p, k, {static_cast<float>(n), 0.5f});
            l.value = std::to_string(n) + ",0.5";
        }
        expected.push_back(l);
    }
    ASSERT_EQ(ReadPrefs(), kNoErr);
    const Stored stored = written();
    for (const Listed& l : expected) {
        const auto it = stored.find(l.name());
        if (it == stored.end()) {
            ADD_FAILURE() << l.name() << " is not written";
            continue;
        }
        EXPECT_TRUE(HoldsListedValue(it->second, l, "")) << l.name();
    }
}

TEST_F(PrefsTest, ValuesOutsideTheirDomainAreNamedAndTakeTheStartUpValues) {
    const auto file = folder / "edited.json";
    std::ofstream(file) << R"({"format": "plotwise-preferences-1", "preferences": {"ZelmarkPlotwise7": {
        "witnessGap": {"real": -2}, "dimensionWeight": {"real": 1e300}, "chamferDistance1": {"real": -1e300},
        "upperUnits": {"integer": 99}, "DimFormat": {"integer": -1},
        "dimensionColorComponent1": {"integer": 2147483647}, "arrowheadLength": {"real": 12},
        "isoViewB": {"real": 0.52362305}, "upperDecimalPrecision": {"integer": 99},
        "lowerFractionalPrecision": {"integer": -1}, "NumericInputUnits": {"integer": 2147483647},
        "scale": {"integer": -5}, "scaler": {"real": 1e-300}, "pixelsperinch": {"integer": 0}},
        "ZMKCADdocument3": {"Location": {"point": [3e10, 20]}}}})";
    store().setPath(file);
    store().load();
    ASSERT_EQ(ReadPrefs(), kNoErr);
    const auto& s = g->prefs.style;
    EXPECT_EQ(s.witnessGap, 4.5f);
    EXPECT_EQ(s.dimensionWeight, 1.0f);
    EXPECT_EQ(g->prefs.chamferDistance1, 72.0f);
    EXPECT_EQ(s.upperUnits, 8);  // decimal inches
    EXPECT_EQ(s.dimensionFormat, 0);
    EXPECT_EQ(s.dimensionColorComponent1, 0);
    EXPECT_EQ(s.arrowheadLength, 12.0f);  // in its domain: kept
    EXPECT_EQ(s.upperDecimalPrecision, 3);
    EXPECT_EQ(g->prefs.NumericInputUnits, 5);  // inches
    EXPECT_EQ(g->prefs.scale, 33);             // 1:1
    EXPECT_EQ(g->prefs.scaler, 1.0f);
    EXPECT_EQ(g->prefs.isoView.b, preferences{}.isoView.b);  // its receding axes coincided
    EXPECT_EQ(g->prefs.CADdocumentLoc.h, 84.0f);  // beyond any place a panel may have
    EXPECT_EQ(g->prefs.CADdocumentLoc.v, 236.0f);
    ShowNotesForUser();
    ASSERT_FALSE(session->dialogs().alerts().empty());
    EXPECT_EQ(session->dialogs().alerts().back().text,
              "These preferences were out of range and were replaced by their defaults: NumericInputUnits 2147483647; "
              "dimensionColorComponent1 2147483647; dimensionWeight inf; witnessGap -2; upperDecimalPrecision 99; "
              "lowerFractionalPrecision -1; upperUnits 99; chamferDistance1 -inf; DimFormat -1; pixelsperinch 0; "
              "scale -5; scaler 0; ZMKCADdocument3/Location 3.000000102e+10, 20; isoView");
}

// Sets, or reads, the number setting of one key.
struct OneNumber final : PrefsVisitor {
    const char* key;
    std::optional<double> set, value;
    OneNumber(const char* k, std::optional<double> v) : key(k), set(v) {}
    template <class Number>
    void visit(const char* k, Number& field) {
        if (std::strcmp(k, key) != 0) return;
        if (set) field = static_cast<Number>(*set);
        value = field;
    }
    void integer(const char*, const char* k, int32_t& field, int32_t) override { visit(k, field); }
    void boolean(const char*, const char*, int&, bool) override {}
    void real(const char*, const char* k, float& field, float) override { visit(k, field); }
    void string(const char*, const char*, char*, int32_t, const char*) override {}
    void point(const char*, const char*, AIRealPoint&, AIRealPoint) override {}
};

// Each state a panel or tool can leave the settings whose domains have gaps or end at a
// limit the program checks itself is written, read back at the next start as it was, and
// nobody is told of it.
TEST_F(PrefsTest, EveryValueTheProgramWritesReadsBackSilently) {
    struct Setting {
        const char* key;
        double value;
    };
    const double seventh = static_cast<float>(1.0 / 7);
    const double smallest = static_cast<float>(kSmallestCustomScaler);
    const double largest = static_cast<float>(kLargestCustomScaler);
    const std::vector<Setting> rows[] = {
        // A custom scale made with the set-scale tool, in the first and the last slot, and
        // the smallest and largest the dialog and the assistant take.
        {{"customScaler1", seventh}, {"scale", 0}, {"scaler", seventh}},
        {{"customScaler10", seventh}, {"scale", 9}, {"scaler", seventh}},
        {{"customScaler1", smallest}, {"scale", 0}, {"scaler", smallest}},
        {{"customScaler2", largest}, {"scale", 1}, {"scaler", largest}},
        // A layer's own custom scale made current in layer-based style while the user's slot
        // of its id is empty.
        {{"scaleStyle", 2}, {"scale", 4}, {"scaler", seventh}},
        // The first and last scale of each group of the table, and 1:1.
        {{"scale", 11}}, {{"scale", 22}}, {{"scale", 24}}, {{"scale", 33}}, {{"scale", 39}},
        // The axonometric views of the panel's popup, the free view last.
        {{"currentAxoViewIndex", 0}}, {{"currentAxoViewIndex", 4}}, {{"currentAxoViewIndex", 6}},
        {{"currentAxoViewIndex", 11}}, {{"currentAxoViewIndex", 13}},
        // The kinds of a fill colour the styles panel takes as the dimension colour.
        {{"dimensionColorType", kGrayColor}}, {{"dimensionColorType", kFourColor}}, {{"dimensionColorType", kPattern}},
        {{"dimensionColorType", kCustomColor}}, {{"dimensionColorType", kGradient}},
        {{"dimensionColorType", kThreeColor}}, {{"dimensionColorType", kNoneColor}},
        // The grid colour popup's entries, by id.
        {{"gridColorEntry", 1}}, {{"gridColorEntry", 10}}, {{"gridColorEntry", 12}}, {{"gridColorEntry", 13}},
    };
    for (const std::vector<Setting>& row : rows) {
        SCOPED_TRACE(std::string(row[0].key) + " " + std::to_string(row[0].value));
        g->prefs = preferences{};
        for (const Setting& setting : row) {
            OneNumber set(setting.key, setting.value);
            VisitPrefs(g->prefs, set);
            ASSERT_TRUE(set.value) << setting.key << " is no setting";
        }
        emptyStore();
        ASSERT_EQ(WritePrefs(), kNoErr);
        g->prefs = preferences{};
        // What a start does with the preferences.
        ASSERT_EQ(ReadPrefs(), kNoErr);
        ASSERT_EQ(RunPlotwiseHooks(&PlotwiseHooks::preferencesRead), kNoErr);
        for (const Setting& setting : row) {
            OneNumber read(setting.key, std::nullopt);
            VisitPrefs(g->prefs, read);
            EXPECT_EQ(read.value, setting.value) << setting.key;
        }
        const size_t shown = session->dialogs().alerts().size();
        ShowNotesForUser();
        EXPECT_EQ(session->dialogs().alerts().size(), shown) << session->dialogs().alerts().back().text;
    }
}

TEST_F(PrefsTest, MissingAndWronglyTypedKeysKeepTheStartUpValues) {
    // Every other key missing, the rest held with another type.
    emptyStore();
    bool wrong = false;
    for (const Listed& l : ListedKeys()) {
        wrong = !wrong;
        if (!wrong) continue;
        if (l.type == "string")
            store().putInteger(l.prefix.c_str(), l.key.c_str(), 3);
        else
            store().putString(l.prefix.c_str(), l.key.c_str(), "12");
    }
    ASSERT_EQ(ReadPrefs(), kNoErr);
    expectListedValues(written(), HostDefaultFace());
}

TEST_F(PrefsTest, UnitRemapFlagFollowsTheStoresAge) {
    ASSERT_EQ(ReadPrefs(), kNoErr);
    EXPECT_EQ(g->prefs.unitsUpdatedForPW7, 1);  // fresh: nothing to remap
    store().putInteger("ZelmarkPlotwise7", "NumericInputUnits", 3);  // an older store
    ASSERT_EQ(ReadPrefs(), kNoErr);
    EXPECT_EQ(g->prefs.unitsUpdatedForPW7, 0);
    store().putBoolean("ZelmarkPlotwise7", "unitsUpdatedForPW7", true);
    ASSERT_EQ(ReadPrefs(), kNoErr);
    EXPECT_EQ(g->prefs.unitsUpdatedForPW7, 1);
}

// A setting no start would take is not saved: the file keeps what it held, and the user is
// told. A layer's separator id made the current scale never reaches the file: it keeps the
// scale a new drawing starts at.
TEST_F(PrefsTest, ApplicationShutdownWritesThePreferences) {
    g->prefs.wallThickness = 99.5f;
    g->prefs.scale = 23;
    g->prefs.NumericInputPrecision = 9;
    ASSERT_EQ(store().putInteger("ZelmarkPlotwise7", "NumericInputPrecision", 2), kNoErr);
    const size_t alerts = session->dialogs().alerts().size();
    ASSERT_EQ(session->shutdown(), kNoErr);
    AIReal r = 0;
    store().getReal("ZelmarkPlotwise7", "wallThickness", &r);
    EXPECT_EQ(r, 99.5f);
    int32_t scale = 0, precision = 0;
    store().getInteger("ZelmarkPlotwise7", "scale", &scale);
    EXPECT_EQ(scale, 33);
    store().getInteger("ZelmarkPlotwise7", "NumericInputPrecision", &precision);
    EXPECT_EQ(precision, 2);
    ASSERT_EQ(session->dialogs().alerts().size(), alerts + 1);
    EXPECT_EQ(session->dialogs().alerts().back().text,
              "These settings were out of range and were not saved, so the preference file keeps what it held: "
              "NumericInputPrecision 9");
}

TEST_F(PrefsTest, PersistentSettingsReadBackAndKeepDefaultsOnBadData) {
    const char* P = "ZMKDoorTool";
    {
        PWPersistentBool b(P, "flip", true);
        PWPersistentInt32 i(P, "count", 4);
        PWPersistentDouble d(P, "width", 2.5);
        PWPersistentString s(P, "name", "Door");
        b.set(false);
        i.set(-9);
        d.set(0.1 + 0.2);
        s.set(std::string(400, 'x'));
        for (PWPersistentDataType* v : std::initializer_list<PWPersistentDataType*>{&b, &i, &d, &s})
            ASSERT_EQ(v->write(), kNoErr);
    }
    PWPersistentBool b(P, "flip", true);
    PWPersistentInt32 i(P, "count", 4);
    PWPersistentDouble d(P, "width", 2.5);
    PWPersistentString s(P, "name", "Door");
    for (PWPersistentDataType* v : std::initializer_list<PWPersistentDataType*>{&b, &i, &d, &s})
        ASSERT_EQ(v->read(), kNoErr);
    EXPECT_FALSE(b.get());
    EXPECT_EQ(i.get(), -9);
    EXPECT_EQ(d.get(), 0.1 + 0.2);  // every digit kept
    EXPECT_EQ(s.get(), std::string(PWPersistentString::kMaxLength, 'x'));

    store().putString(P, "count", "many");
    store().putString(P, "width", "2.5mm");
    store().putInteger(P, "name", 1);
    store().putString(P, "flip", "yes");
    for (PWPersistentDataType* v : std::initializer_list<PWPersistentDataType*>{&b, &i, &d, &s})
        ASSERT_EQ(v->read(), kNoErr);
    EXPECT_TRUE(b.get());
    EXPECT_EQ(i.get(), 4);
    EXPECT_EQ(d.get(), 2.5);
    EXPECT_EQ(s.get(), "Door");

    // A full-size length is stored drawn at the store's scale: 25.5 pt at 1:100 is 2550 pt.
    store().putReal("ZelmarkPlotwise7", "scaler", 100);
    store().putString(P, "width", "25.5");
    PWPersistentDouble full(P, "width", 2.5, PWPersistentDouble::Stored::kDrawn);
    ASSERT_EQ(full.read(), kNoErr);
    EXPECT_EQ(full.get(), 2550);
}

// The store's lengths are drawn at its scale: one it lacks reads as a fresh start's, 6 in of
// wall, not 6 in times the scale.
TEST_F(PrefsTest, ALengthTheStoreLacksReadsAsAFreshStartsAtItsScale) {
    emptyStore();
    store().putReal("ZelmarkPlotwise7", "scaler", 48);
    ASSERT_EQ(ReadPrefs(), kNoErr);
    EXPECT_EQ(g->prefs.wallThickness, 432.0f);
}

}  // namespace
}  // namespace coretest
