// The application's preference store: typed values (integer, boolean, real, string, point,
// rectangle) under a prefix and a key, kept in a JSON file and published to the plug-in as
// the preference suite. The file is written atomically (temporary file, then rename); a
// damaged file gives a warning and the defaults, and is kept aside, never overwritten.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "io/Json.h"

#include "AITypes.h"
#include "SuiteRegistry.h"

namespace standin {

constexpr AIErr kPreferenceWriteErr = 'PWRT';  // the preference file could not be written

class PreferenceStore {
public:
    // path empty: defaultPath().
    explicit PreferenceStore(std::filesystem::path path = {});
    ~PreferenceStore();
    PreferenceStore(const PreferenceStore&) = delete;
    PreferenceStore& operator=(const PreferenceStore&) = delete;

    // $XDG_CONFIG_HOME/plotwise/preferences.json, else ~/.config/plotwise/preferences.json
    // (the home folder from $HOME, else the user's account); a relative folder in either
    // variable does not count. Empty when no folder can be found.
    static std::filesystem::path defaultPath();
    const std::filesystem::path& path() const { return path_; }
    // Another file (the host's preference option); empty: defaultPath(). Takes effect at
    // the next load or save.
    void setPath(std::filesystem::path path) { path_ = path.empty() ? defaultPath() : std::move(path); }

    // Reads the file. A missing file gives an empty (fresh) store. A damaged one gives a
    // warning and an empty store, and is renamed to <name>.damaged (or .damaged-N) so the
    // next save does not overwrite it. Answers false when the file was damaged.
    bool load();
    // Writes the whole store atomically; creates the missing folders (mode 0700) when needed.
    // A file already holding the very text is not written again.
    AIErr save();
    // No file was read (none existed, or it was damaged).
    bool isFresh() const { return fresh_; }
    // Warnings in order; each is also handed to the sink (stderr unless replaced).
    const std::vector<std::string>& warnings() const { return warnings_; }
    void setWarningSink(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }
    // Where the damaged file was put aside by the last load, if it was.
    const std::optional<std::filesystem::path>& keptAside() const { return keptAside_; }
    // For tests: stop after writing the temporary file, as if the process died before the
    // rename; save() then returns kPreferenceWriteErr.
    void setStopBeforeRename(bool stop) { stopBeforeRename_ = stop; }

    // Publishes the preference suite and makes this store the one it talks to.
    void registerSuites(SuiteRegistry& registry);
    void activate();

    // Typed access. Get leaves *value unchanged and returns kNoErr when the key is missing
    // or holds another type (with a warning, once per key); kBadParameterErr for null
    // arguments. Entries the store cannot give are named when the file is read, and kept.
    AIErr getInteger(const char* prefix, const char* key, int32_t* value) const;
    AIErr putInteger(const char* prefix, const char* key, int32_t value);
    AIErr getBoolean(const char* prefix, const char* key, AIBoolean* value) const;
    AIErr putBoolean(const char* prefix, const char* key, bool value);
    AIErr getReal(const char* prefix, const char* key, AIReal* value) const;
    AIErr putReal(const char* prefix, const char* key, AIReal value);
    // Platform bytes; bounded and terminated.
    AIErr getString(const char* prefix, const char* key, char* buffer, int32_t bufferSize) const;
    AIErr putString(const char* prefix, const char* key, const char* value);
    AIErr getPoint(const char* prefix, const char* key, AIRealPoint* value) const;
    AIErr putPoint(const char* prefix, const char* key, const AIRealPoint& value);
    AIErr getRect(const char* prefix, const char* key, AIRealRect* value) const;
    AIErr putRect(const char* prefix, const char* key, const AIRealRect& value);
    AIErr remove(const char* prefix, const char* key);
    bool has(const char* prefix, const char* key) const;

private:
    const nlohmann::json* find(const char* prefix, const char* key, const char* type) const;
    AIErr put(const char* prefix, const char* key, const char* type, io::Tree<nlohmann::json> value);
    void warn(std::string message) const;
    void checkEntries();
    std::optional<std::filesystem::path> putAside();

    std::filesystem::path path_;
    io::Tree<nlohmann::json> prefs_ = nlohmann::json::object();   // prefix -> key -> {type: value}
    io::Tree<nlohmann::json> others_ = nlohmann::json::object();  // the file's other members, kept as they were
    bool fresh_ = true;
    bool blocked_ = false;  // a damaged file could not be put aside: never overwrite it
    bool stopBeforeRename_ = false;
    std::optional<std::filesystem::path> keptAside_;
    // Warnings come from reads too, which leave the preferences as they are.
    mutable std::vector<std::string> warnings_;
    mutable std::set<std::string> warnedKeys_;  // entries of another type, named once
    std::function<void(const std::string&)> sink_;
};

}  // namespace standin
