// Preferences through the host's store: a written record reads back equal field by field,
// missing and wrongly typed keys keep the defaults, and the unit-remap flag of a fresh store.
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "CoreFixture.h"
#include "core/PWPersistentData.h"
#include "core/PlotwisePrefs.h"
#include "adm/PreferenceStore.h"

namespace coretest {
namespace {

// Every stored field as text, by prefix and key.
struct Snapshot final : PrefsVisitor {
    std::map<std::string, std::string> values;
    void put(const char* prefix, const char* key, std::string v) { values[std::string(prefix) + "/" + key] = v; }
    void integer(const char* p, const char* k, int32_t& f) override { put(p, k, "i" + std::to_string(f)); }
    void boolean(const char* p, const char* k, int& f) override { put(p, k, f ? "true" : "false"); }
    void real(const char* p, const char* k, float& f) override {
        char t[64];
        std::snprintf(t, sizeof t, "r%.9g", f);
        put(p, k, t);
    }
    void string(const char* p, const char* k, char* f, int32_t) override { put(p, k, "s" + std::string(f)); }
    void point(const char* p, const char* k, AIRealPoint& f) override {
        put(p, k, "p" + std::to_string(f.h) + "," + std::to_string(f.v));
    }
};

// Gives every field a value that differs from its default.
struct Scramble final : PrefsVisitor {
    int n = 100;
    void integer(const char*, const char*, int32_t& f) override { f = ++n; }
    void boolean(const char*, const char*, int& f) override { f = !f; }
    void real(const char*, const char*, float& f) override { f = static_cast<float>(++n) + 0.125f; }
    void string(const char*, const char*, char* f, int32_t size) override {
        std::snprintf(f, static_cast<size_t>(size), "v%d \xB0", ++n);
    }
    void point(const char*, const char*, AIRealPoint& f) override { f = {static_cast<AIReal>(++n), 7.5f}; }
};

std::map<std::string, std::string> Take(preferences& p) {
    Snapshot s;
    VisitPrefs(p, s);
    return s.values;
}

struct PrefsTest : CoreTest {
    void SetUp() override {
        CoreTest::SetUp();
        ASSERT_EQ(session->startup(), kNoErr) << session->lastError();
    }
    standin::PreferenceStore& store() { return session->preferences(); }
};

TEST_F(PrefsTest, WrittenPreferencesReadBackFieldByField) {
    Scramble scramble;
    VisitPrefs(g->prefs, scramble);
    const auto written = Take(g->prefs);
    ASSERT_EQ(WritePrefs(), kNoErr);

    SetDefaultPrefs(g->prefs);
    ASSERT_NE(Take(g->prefs), written);
    ASSERT_EQ(ReadPrefs(), kNoErr);
    const auto read = Take(g->prefs);
    ASSERT_EQ(read.size(), written.size());
    for (const auto& [key, value] : written) EXPECT_EQ(read.at(key), value) << key;
}

TEST_F(PrefsTest, PresetKeysAndPanelPrefixesAreTheStoredNames) {
    g->prefs.repeatRowUp = 0;
    g->prefs.gridSpacing = 36.0f;
    g->prefs.isoView.t = 30.0f;
    g->prefs.CADdocumentHeight = 400;
    g->prefs.trackerLoc = {10, 20};
    ASSERT_EQ(WritePrefs(), kNoErr);
    int32_t i = -1;
    AIReal r = 0;
    store().getInteger("ZelmarkPlotwise7", "rowDirection", &i);
    EXPECT_EQ(i, 0);
    store().getReal("ZelmarkPlotwise7", "CADgridSpacing", &r);
    EXPECT_EQ(r, 36.0f);
    store().getReal("ZelmarkPlotwise7", "isoViewT", &r);
    EXPECT_EQ(r, 30.0f);
    store().getInteger("ZMKCADdocument3", "Size", &i);
    EXPECT_EQ(i, 400);
    AIRealPoint p{};
    store().getPoint("ZMKCADtracker3", "Location", &p);
    EXPECT_EQ(p.h, 10.0f);
    EXPECT_FALSE(store().has("ZelmarkPlotwise7", "repeatRowUp"));
}

TEST_F(PrefsTest, MissingAndWronglyTypedKeysKeepTheDefaults) {
    // A fresh store: everything is the default.
    ASSERT_EQ(ReadPrefs(), kNoErr);
    const auto defaults = Take(g->prefs);
    EXPECT_EQ(g->prefs.NumericInputUnits, 5);
    EXPECT_EQ(g->prefs.MasterUnits, 8);
    EXPECT_EQ(g->prefs.style.arrowheadStyle, 1);
    EXPECT_STREQ(g->prefs.style.upperToleranceValue, ".005");
    EXPECT_EQ(g->prefs.incrementalLabelNumber, 1);
    EXPECT_STREQ(g->prefs.customDimDefaultText, "Custom");
    EXPECT_EQ(g->prefs.CADdocumentHeight, 324);
    EXPECT_EQ(g->prefs.trackerDockCode, 0x4FF03);
    EXPECT_TRUE(g->prefs.showCADtextOptions);
    EXPECT_FALSE(g->prefs.CADtextCollapseState);

    // Wrong types everywhere, and one good key.
    const char* P = "ZelmarkPlotwise7";
    store().putString(P, "NumericInputUnits", "12");
    store().putInteger(P, "dimensionTextFaceStr", 3);
    store().putReal(P, "snapToGrid", 0.0f);
    store().putBoolean(P, "CADgridSpacing", true);
    store().putString(P, "isoViewR", "x");
    store().putInteger("ZMKCADtracker3", "Location", 5);
    store().putReal("ZMKCADtext3", "DockGroup", 1.0f);
    store().putInteger(P, "MasterPrecision", 1);
    ASSERT_EQ(ReadPrefs(), kNoErr);
    auto read = Take(g->prefs);
    EXPECT_EQ(read.at("ZelmarkPlotwise7/MasterPrecision"), "i1");
    read["ZelmarkPlotwise7/MasterPrecision"] = defaults.at("ZelmarkPlotwise7/MasterPrecision");
    for (const auto& [key, value] : defaults) EXPECT_EQ(read.at(key), value) << key;
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

TEST_F(PrefsTest, ApplicationShutdownWritesThePreferences) {
    g->prefs.wallThickness = 99.5f;
    ASSERT_EQ(session->shutdown(), kNoErr);
    AIReal r = 0;
    store().getReal("ZelmarkPlotwise7", "wallThickness", &r);
    EXPECT_EQ(r, 99.5f);
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
}

}  // namespace
}  // namespace coretest
