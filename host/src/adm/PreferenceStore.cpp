// Preference file reading, atomic writing and the preference suite.
#include "adm/PreferenceStore.h"


#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "AIPreference.h"
#include "adm/ActiveStack.h"
#include "text/Encoding.h"
#include "io/AtomicFile.h"
#include "io/Json.h"

namespace standin {
namespace {

using nlohmann::json;

constexpr const char* kFormat = "plotwise-preferences-1";
adm::ActiveStack<PreferenceStore> gActive;

bool validName(const char* s) { return s && *s; }

bool numbers(const json& j, size_t n) {
    if (!j.is_array() || j.size() != n) return false;
    for (const auto& e : j)
        if (!e.is_number()) return false;
    return true;
}

// The types an entry may hold ({"integer": 5}), with what its value must be.
struct EntryType {
    const char* name;
    const char* words;
    bool (*holds)(const json&);
};

constexpr EntryType kEntryTypes[] = {
    {"integer", "a whole number from -2147483648 to 2147483647",
     [](const json& v) {
         return v.is_number_integer() && (v.is_number_unsigned() ? v.get<uint64_t>() <= INT32_MAX
                                                                 : v.get<int64_t>() >= INT32_MIN && v.get<int64_t>() <= INT32_MAX);
     }},
    {"boolean", "true or false", [](const json& v) { return v.is_boolean(); }},
    {"real", "a number", [](const json& v) { return v.is_number(); }},
    {"string", "a text", [](const json& v) { return v.is_string(); }},
    {"point", "two numbers [h, v]", [](const json& v) { return numbers(v, 2); }},
    {"rect", "four numbers [left, top, right, bottom]", [](const json& v) { return numbers(v, 4); }},
};

const EntryType* entryType(std::string_view name) {
    for (const EntryType& t : kEntryTypes)
        if (name == t.name) return &t;
    return nullptr;
}

// What is wrong with a stored entry; nothing when it is one typed value of its type.
std::optional<std::string> entryProblem(const json& entry) {
    if (!entry.is_object() || entry.size() != 1)
        return std::string("is not one typed value such as {\"integer\": 1}");
    const EntryType* type = entryType(entry.begin().key());
    if (!type) return "has the unknown type \"" + entry.begin().key() + "\"";
    if (!type->holds(entry.begin().value())) return std::string("is not ") + type->words;
    return std::nullopt;
}

std::string withArticle(std::string_view type) { return (type == "integer" ? "an " : "a ") + std::string(type); }

// A stored value as it reads in a message, cut short when long.
std::string shown(const json& value) {
    std::string text = value.dump();
    if (text.size() > 60) text = text.substr(0, 57) + "...";
    return text;
}

// Warnings about one file's entries stop here, then say how many more there were.
constexpr size_t kMaxEntryWarnings = 20;

float toFloat(const json& j) { return static_cast<float>(j.get<double>()); }

// Why `text` is not a preference file of this version; empty when it is, with `doc` read.
// It is read within the limits of every JSON file, so no hostile tree is ever built.
std::string problemWith(const std::string& text, io::Tree<json>& tree) {
    try {
        tree = io::parseJson<json>(text, io::kPreferenceJson);
    } catch (const io::FormatError& e) {
        return e.what();
    }
    json& doc = *tree;
    if (!doc.is_object() || !doc.contains("preferences") || !doc["preferences"].is_object())
        return "no \"preferences\" object";
    const auto format = doc.find("format");
    if (format == doc.end() || !format->is_string() || format->get<std::string>() != kFormat) return "not a preference file of this version";
    return {};
}

const AIPreferenceSuite kSuite = {
    [](const char* p, const char* k, int32_t* v) -> AIErr { return gActive.current() ? gActive.current()->getInteger(p, k, v) : kNoErr; },
    [](const char* p, const char* k, int32_t v) -> AIErr { return gActive.current() ? gActive.current()->putInteger(p, k, v) : kBadParameterErr; },
    [](const char* p, const char* k, AIBoolean* v) -> AIErr { return gActive.current() ? gActive.current()->getBoolean(p, k, v) : kNoErr; },
    [](const char* p, const char* k, AIBoolean v) -> AIErr {
        return gActive.current() ? gActive.current()->putBoolean(p, k, v != 0) : kBadParameterErr;
    },
    [](const char* p, const char* k, AIReal* v) -> AIErr { return gActive.current() ? gActive.current()->getReal(p, k, v) : kNoErr; },
    [](const char* p, const char* k, AIReal v) -> AIErr { return gActive.current() ? gActive.current()->putReal(p, k, v) : kBadParameterErr; },
    [](const char* p, const char* k, char* b, int32_t n) -> AIErr { return gActive.current() ? gActive.current()->getString(p, k, b, n) : kNoErr; },
    [](const char* p, const char* k, const char* v) -> AIErr { return gActive.current() ? gActive.current()->putString(p, k, v) : kBadParameterErr; },
    [](const char* p, const char* k, AIRealPoint* v) -> AIErr { return gActive.current() ? gActive.current()->getPoint(p, k, v) : kNoErr; },
    [](const char* p, const char* k, const AIRealPoint* v) -> AIErr {
        return gActive.current() && v ? gActive.current()->putPoint(p, k, *v) : kBadParameterErr;
    },
    [](const char* p, const char* k, AIRealRect* v) -> AIErr { return gActive.current() ? gActive.current()->getRect(p, k, v) : kNoErr; },
    [](const char* p, const char* k, const AIRealRect* v) -> AIErr {
        return gActive.current() && v ? gActive.current()->putRect(p, k, *v) : kBadParameterErr;
    },
    [](const char* p, const char* k) -> AIErr { return gActive.current() ? gActive.current()->remove(p, k) : kBadParameterErr; },
};

}  // namespace

PreferenceStore::PreferenceStore(std::filesystem::path path) : path_(path.empty() ? defaultPath() : std::move(path)) {}

PreferenceStore::~PreferenceStore() {
    gActive.remove(this);
}

std::filesystem::path PreferenceStore::defaultPath() {
    // Only absolute folders count: a relative one would put the file wherever the program
    // happens to run.
    const auto absoluteFrom = [](const char* value) {
        std::filesystem::path p = value && *value ? value : "";
        return p.is_absolute() ? p : std::filesystem::path();
    };
    std::filesystem::path base = absoluteFrom(std::getenv("XDG_CONFIG_HOME"));
    if (base.empty()) {
        std::filesystem::path home = absoluteFrom(std::getenv("HOME"));
        if (const passwd* user = home.empty() ? ::getpwuid(::getuid()) : nullptr) home = absoluteFrom(user->pw_dir);
        if (home.empty()) return {};
        base = home / ".config";
    }
    return base / "plotwise" / "preferences.json";
}

void PreferenceStore::activate() { gActive.push(this); }

void PreferenceStore::registerSuites(SuiteRegistry& registry) {
    activate();
    registry.add(kAIPreferenceSuite, kAIPreferenceSuiteVersion, &kSuite);
}

void PreferenceStore::warn(std::string message) const {
    if (sink_)
        sink_(message);
    else
        std::cerr << "warning: " << message << '\n';
    warnings_.push_back(std::move(message));
}

std::optional<std::filesystem::path> PreferenceStore::putAside() {
    std::error_code ec;
    for (int n = 0; n < 1000; ++n) {
        std::filesystem::path aside = path_;
        aside += n == 0 ? std::string(".damaged") : ".damaged-" + std::to_string(n);
        if (std::filesystem::exists(aside, ec)) continue;
        std::filesystem::rename(path_, aside, ec);
        if (!ec) return aside;
        break;
    }
    return std::nullopt;
}

// Entries the store cannot give to the plug-in are named (and kept, as they may be another
// program's); the plug-in gets its default for them.
void PreferenceStore::checkEntries() {
    size_t found = 0;
    const auto note = [&](const std::string& message) {
        if (++found <= kMaxEntryWarnings) warn("preference " + message + "; the plug-in gets its default");
    };
    for (const auto& [prefix, keys] : prefs_->items()) {
        if (!keys.is_object()) {
            note("prefix \"" + prefix + "\" holds " + shown(keys) + " instead of keys");
            continue;
        }
        for (const auto& [key, entry] : keys.items())
            if (auto problem = entryProblem(entry)) note(prefix + "/" + key + ": " + shown(entry) + " " + *problem);
    }
    if (found > kMaxEntryWarnings)
        warn("preferences: " + std::to_string(found - kMaxEntryWarnings) + " more entries the plug-in cannot read");
}

bool PreferenceStore::load() {
    prefs_ = json::object();
    others_ = json::object();
    warnedKeys_.clear();
    fresh_ = true;
    blocked_ = false;
    keptAside_.reset();
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec)) return true;
    if (!std::filesystem::is_regular_file(path_, ec)) {
        // Something else stands in the file's place: leave it alone and never write over it.
        blocked_ = true;
        warn("preference file " + path_.string() + " is not a regular file; using the defaults");
        return false;
    }

    std::string problem, text;
    io::Tree<json> doc;
    if (io::readWholeFile(path_.string(), io::kPreferenceFile, text, problem))
        problem = problemWith(text, doc);
    else
        problem = problem.substr(std::min(problem.size(), path_.string().size() + 2));
    if (problem.empty()) {
        prefs_ = std::move((*doc)["preferences"]);
        doc->erase("preferences");
        doc->erase("format");
        others_ = std::move(doc);
        fresh_ = false;
        checkEntries();
        return true;
    }
    keptAside_ = putAside();
    if (keptAside_) {
        warn("preference file " + path_.string() + ": " + problem + "; using the defaults (the file is kept as " +
             keptAside_->string() + ")");
    } else {
        blocked_ = true;
        warn("preference file " + path_.string() + ": " + problem +
             "; using the defaults (it could not be moved aside, so preferences will not be saved over it)");
    }
    return false;
}

AIErr PreferenceStore::save() {
    if (blocked_) {
        warn("preferences not saved: " + path_.string() + " is a damaged file that could not be kept aside");
        return kPreferenceWriteErr;
    }
    if (path_.has_parent_path()) {
        if (auto problem = io::makePrivateFolders(path_.parent_path())) {
            warn("preferences not saved: " + *problem);
            return kPreferenceWriteErr;
        }
    }
    // What the file held besides the preferences is written back as it was. The preferences
    // are lent to the other members for the text and taken back however it ends: a copy of
    // them could run out of memory half made.
    json::object_t& doc = *others_->get_ptr<json::object_t*>();
    const auto giveBack = [&]() noexcept {
        if (const auto lent = doc.find("preferences"); lent != doc.end()) {
            prefs_ = std::move(lent->second);
            doc.erase(lent);
        }
        if (const auto format = doc.find("format"); format != doc.end()) doc.erase(format);
    };
    std::string text;
    try {
        doc["format"] = kFormat;
        doc["preferences"] = std::move(*prefs_);
        text = others_->dump(2) + "\n";
    } catch (...) {
        giveBack();
        throw;
    }
    giveBack();

    // A file that holds this very text already is left as it is: a session that changed no
    // setting writes nothing, so a file the user made read-only fails no such session.
    std::string held, unread;
    if (io::readWholeFile(path_.string(), io::kPreferenceFile, held, unread) && held == text) {
        fresh_ = false;
        return kNoErr;
    }
    std::string error, note;
    if (!io::writeFileAtomically(path_.string(), text, error, stopBeforeRename_, &note)) {
        warn("preferences not saved: " + error);
        return kPreferenceWriteErr;
    }
    if (!note.empty()) warn("preferences saved: " + note);
    fresh_ = false;
    return kNoErr;
}

// The stored value of prefix/key when it is a good value of `type`; null otherwise. An entry
// of another type is named once (a damaged one was named when the file was read).
const json* PreferenceStore::find(const char* prefix, const char* key, const char* type) const {
    if (!validName(prefix) || !validName(key)) return nullptr;
    auto p = prefs_->find(prefix);
    if (p == prefs_->end() || !p->is_object()) return nullptr;
    auto k = p->find(key);
    if (k == p->end() || entryProblem(*k)) return nullptr;
    const std::string& held = k->begin().key();
    if (held == type) return &k->begin().value();
    if (warnedKeys_.insert(std::string(prefix) + "/" + key).second)
        warn("preference " + std::string(prefix) + "/" + key + " holds " + withArticle(held) + ", not " +
             withArticle(type) + "; the plug-in gets its default");
    return nullptr;
}

// Every value replaced is released first: one dropped whole could run out of memory in its
// destructor.
AIErr PreferenceStore::put(const char* prefix, const char* key, const char* type, io::Tree<json> value) {
    if (!validName(prefix) || !validName(key)) return kBadParameterErr;
    io::Tree<json> entry = json::object();
    (*entry)[type] = std::move(*value);
    json& p = (*prefs_)[prefix];
    if (!p.is_object()) {
        io::release(p);
        p = json::object();
    }
    json& slot = p[key];
    io::release(slot);
    slot = std::move(*entry);
    return kNoErr;
}

bool PreferenceStore::has(const char* prefix, const char* key) const {
    if (!validName(prefix) || !validName(key)) return false;
    auto p = prefs_->find(prefix);
    return p != prefs_->end() && p->is_object() && p->contains(key);
}

AIErr PreferenceStore::remove(const char* prefix, const char* key) {
    if (!validName(prefix) || !validName(key)) return kBadParameterErr;
    auto p = prefs_->find(prefix);
    if (p == prefs_->end() || !p->is_object() || !p->contains(key)) return kNoSuchKey;
    io::release((*p)[key]);
    p->erase(key);
    return kNoErr;
}

AIErr PreferenceStore::getInteger(const char* prefix, const char* key, int32_t* value) const {
    if (!value) return kBadParameterErr;
    if (const json* v = find(prefix, key, "integer")) *value = static_cast<int32_t>(v->get<int64_t>());
    return kNoErr;
}

AIErr PreferenceStore::putInteger(const char* prefix, const char* key, int32_t value) {
    return put(prefix, key, "integer", json(value));
}

AIErr PreferenceStore::getBoolean(const char* prefix, const char* key, AIBoolean* value) const {
    if (!value) return kBadParameterErr;
    if (const json* v = find(prefix, key, "boolean")) *value = v->get<bool>() ? 1 : 0;
    return kNoErr;
}

AIErr PreferenceStore::putBoolean(const char* prefix, const char* key, bool value) {
    return put(prefix, key, "boolean", json(value));
}

AIErr PreferenceStore::getReal(const char* prefix, const char* key, AIReal* value) const {
    if (!value) return kBadParameterErr;
    if (const json* v = find(prefix, key, "real")) *value = toFloat(*v);
    return kNoErr;
}

AIErr PreferenceStore::putReal(const char* prefix, const char* key, AIReal value) {
    if (!std::isfinite(value)) return kBadParameterErr;  // JSON cannot hold it
    return put(prefix, key, "real", json(static_cast<double>(value)));
}

AIErr PreferenceStore::getString(const char* prefix, const char* key, char* buffer, int32_t bufferSize) const {
    if (!buffer || bufferSize <= 0) return kBadParameterErr;
    if (const json* v = find(prefix, key, "string"))
        text::copyBounded(text::utf8ToPlatform(v->get<std::string>()), buffer, bufferSize);
    return kNoErr;
}

AIErr PreferenceStore::putString(const char* prefix, const char* key, const char* value) {
    if (!value) return kBadParameterErr;
    return put(prefix, key, "string", json(text::platformToUtf8(value)));
}

AIErr PreferenceStore::getPoint(const char* prefix, const char* key, AIRealPoint* value) const {
    if (!value) return kBadParameterErr;
    if (const json* v = find(prefix, key, "point")) *value = {toFloat((*v)[0]), toFloat((*v)[1])};
    return kNoErr;
}

AIErr PreferenceStore::putPoint(const char* prefix, const char* key, const AIRealPoint& value) {
    if (!std::isfinite(value.h) || !std::isfinite(value.v)) return kBadParameterErr;
    return put(prefix, key, "point", json::array({value.h, value.v}));
}

AIErr PreferenceStore::getRect(const char* prefix, const char* key, AIRealRect* value) const {
    if (!value) return kBadParameterErr;
    if (const json* v = find(prefix, key, "rect"))
        *value = {toFloat((*v)[0]), toFloat((*v)[1]), toFloat((*v)[2]), toFloat((*v)[3])};
    return kNoErr;
}

AIErr PreferenceStore::putRect(const char* prefix, const char* key, const AIRealRect& value) {
    for (float f : {value.left, value.top, value.right, value.bottom})
        if (!std::isfinite(f)) return kBadParameterErr;
    return put(prefix, key, "rect", json::array({value.left, value.top, value.right, value.bottom}));
}

}  // namespace standin
