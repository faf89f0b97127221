// Feeds the plug-in's reading of its preferences a file of arbitrary values under its own
// keys: each of its settings left out, of its own type with any value (reals beyond a float,
// negative weights, unit codes outside the table, an axonometric view whose axes coincide),
// or of another type. Reading must not crash, and what the plug-in then holds lies in every
// setting's domain: reals finite, style fields within their ranges, a view that projects.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "FuzzFolder.h"
#include "FuzzPlugin.h"
#include "core/PlotwisePrefs.h"
#include "core/PlotwiseStyleFields.h"
#include "geometry/IsoViewDerivation.h"

namespace {

// Every setting's prefix, key and type, as the plug-in reads them.
struct Setting {
    std::string prefix, key, type;
};
struct Keys final : PrefsVisitor {
    std::vector<Setting> all;
    void integer(const char* p, const char* k, int32_t&, int32_t) override { all.push_back({p, k, "integer"}); }
    void boolean(const char* p, const char* k, int&, bool) override { all.push_back({p, k, "boolean"}); }
    void real(const char* p, const char* k, float&, float) override { all.push_back({p, k, "real"}); }
    void string(const char* p, const char* k, char*, int32_t, const char*) override { all.push_back({p, k, "string"}); }
    void point(const char* p, const char* k, AIRealPoint&, AIRealPoint) override { all.push_back({p, k, "point"}); }
};

// What the plug-in holds after the read: every real finite.
struct FiniteCheck final : PrefsVisitor {
    void integer(const char*, const char*, int32_t&, int32_t) override {}
    void boolean(const char*, const char*, int&, bool) override {}
    void real(const char*, const char*, float& field, float) override {
        if (!std::isfinite(field)) std::abort();
    }
    void string(const char*, const char*, char*, int32_t, const char*) override {}
    void point(const char*, const char*, AIRealPoint&, AIRealPoint) override {}
};

nlohmann::json Value(const std::string& type, FuzzInput& in) {
    const double huge[] = {1e300, -1e300, -2, 0, 1e39, 65535, 1e6};
    switch (in.byte() % 6) {
        case 0: return {{"string", "x"}};
        case 1: return {{"integer", static_cast<int32_t>(in.word())}};
        case 2: return {{"real", huge[in.byte() % std::size(huge)]}};
        case 3: return {{"real", static_cast<double>(in.real())}};
        case 4: return {{"boolean", (in.byte() & 1) != 0}};
        default: return {{type, type == "string" ? nlohmann::json("v") : nlohmann::json(in.byte() % 40)}};
    }
}

const std::filesystem::path& File() {
    static const std::filesystem::path file = MakeFuzzFolder("plotwise-fuzz-plugin-prefs") / "prefs.json";
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzPluginWorld world;
    static const std::vector<Setting> settings = [] {
        Keys keys;
        preferences p;
        VisitPrefs(p, keys);
        return keys.all;
    }();
    FuzzInput in{data, size};
    nlohmann::json prefs = nlohmann::json::object();
    while (in.size > 0) {
        const Setting& s = settings[(size_t{in.byte()} << 8 | in.byte()) % settings.size()];
        prefs[s.prefix][s.key] = Value(s.type, in);
    }
    std::ofstream(File(), std::ios::trunc) << nlohmann::json{{"format", "plotwise-preferences-1"}, {"preferences", prefs}};
    standin::PreferenceStore& store = world.host.preferences();
    store.setWarningSink([](const std::string&) {});
    store.setPath(File());
    store.load();

    if (ReadPrefs() == kNoErr) {
        FiniteCheck finite;
        VisitPrefs(world.globals.prefs, finite);
        for (const StyleField& f : StyleFields())
            if (!f.Holds(StyleNumber(f, world.globals.prefs.style))) std::abort();
        if (!IsoViewIsUsable(world.globals.prefs.isoView)) std::abort();
    }
    (void)WritePrefs();
    world.RequireNoDictionaryLeft();
    return 0;
}
