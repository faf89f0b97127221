// Reads the resource files into strings, menus and dialog templates.
#include "adm/Resources.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <cstdlib>

#include <nlohmann/json.hpp>

#include "io/AtomicFile.h"
#include "io/Json.h"
#include "text/Encoding.h"

#ifndef PLOTWISE_RESOURCE_DIR
#define PLOTWISE_RESOURCE_DIR "resources"
#endif

namespace standin {
namespace {

using nlohmann::json;

struct KindName {
    const char* kind;
    const char* type;
};
constexpr KindName kKinds[] = {
    {"button", kADMTextPushButtonType},
    {"pictureButton", kADMPicturePushButtonType},
    {"checkbox", kADMTextCheckBoxType},
    {"radio", kADMTextRadioButtonType},
    {"pictureRadio", kADMPictureRadioButtonType},
    {"static", kADMTextStaticType},
    {"picture", kADMPictureStaticType},
    {"frame", kADMFrameType},
    {"textEdit", kADMTextEditType},
    {"textEditPopup", kADMTextEditPopupType},
    {"spinEditPopup", kADMSpinEditPopupType},
    {"popup", kADMPopupListType},
    {"listBox", kADMListBoxType},
    {"slider", kADMSliderType},
    {"custom", kADMUserType},
    {"popoutMenu", kADMPopupMenuType},
};

// A JSON array of strings, UTF-8 converted to platform bytes; nothing if any element is not
// a string.
std::optional<std::vector<std::string>> stringArray(const json& j) {
    if (!j.is_array()) return std::nullopt;
    std::vector<std::string> out;
    for (const auto& e : j) {
        if (!e.is_string()) return std::nullopt;
        out.push_back(text::utf8ToPlatform(e.get<std::string>()));
    }
    return out;
}

// A number of the template as the type it is kept in; one the type cannot hold is taken as absent,
// since converting it would be undefined.
template <typename T>
std::optional<T> numberIn(const json& j) {
    if (!j.is_number()) return std::nullopt;
    const double v = j.get<double>();
    if (!(v >= static_cast<double>(std::numeric_limits<T>::lowest()) &&
          v <= static_cast<double>(std::numeric_limits<T>::max())))
        return std::nullopt;
    return j.is_number_float() ? static_cast<T>(v) : j.get<T>();
}

std::optional<ADMRect> rectFrom(const json& j) {
    if (!j.is_array() || j.size() != 4) return std::nullopt;
    std::array<int32_t, 4> v{};
    for (size_t i = 0; i < v.size(); ++i) {
        const auto n = numberIn<int32_t>(j[i]);
        if (!n) return std::nullopt;
        v[i] = *n;
    }
    return ADMRect{v[0], v[1], v[2], v[3]};
}

template <typename T>
T numberOr(const json& obj, const char* key, T fallback) {
    auto it = obj.find(key);
    return it != obj.end() ? numberIn<T>(*it).value_or(fallback) : fallback;
}

std::optional<ItemTemplate> itemFrom(const json& j, std::string& why) {
    if (!j.is_object() || !j.contains("id") || !j["id"].is_number_integer() || !numberIn<int32_t>(j["id"])) {
        why = "an item without a numeric id";
        return std::nullopt;
    }
    ItemTemplate t;
    t.id = j["id"].get<int32_t>();
    // A kind given as anything but text is as unknown as a misspelt one.
    const auto kindIt = j.find("kind");
    const std::string kind = kindIt == j.end() ? std::string("static")
                             : kindIt->is_string() ? kindIt->get<std::string>()
                                                   : kindIt->dump();
    auto type = Resources::typeForKind(kind);
    if (!type) {
        why = "item " + std::to_string(t.id) + " has the unknown kind \"" + kind + "\"";
        return std::nullopt;
    }
    t.type = *type;
    t.style = numberOr<int32_t>(j, "style", 0);
    if (auto it = j.find("text"); it != j.end() && it->is_string()) t.text = text::utf8ToPlatform(it->get<std::string>());
    t.value = numberOr<float>(j, "value", 0.0f);
    if (j.contains("min") || j.contains("max")) {
        t.hasRange = true;
        t.minimum = numberOr<float>(j, "min", -1e30f);
        t.maximum = numberOr<float>(j, "max", 1e30f);
    }
    t.menuID = numberOr<int32_t>(j, "menu", 0);
    t.pictureID = numberOr<int32_t>(j, "picture", 0);
    t.group = numberOr<int32_t>(j, "group", 0);
    t.maxLength = numberOr<int32_t>(j, "maxLength", 0);
    if (auto it = j.find("bounds"); it != j.end())
        if (auto r = rectFrom(*it)) t.bounds = *r;
    return t;
}

std::vector<std::filesystem::path> splitSearchPath(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> folders;
    const std::string text = dir.string();
    for (size_t start = 0; start <= text.size();) {
        const size_t colon = std::min(text.find(':', start), text.size());
        if (colon > start) folders.emplace_back(text.substr(start, colon - start));
        start = colon + 1;
    }
    return folders;
}

}  // namespace

Resources::Resources() {
    const char* env = std::getenv("PLOTWISE_RESOURCE_DIR");
    if (env && *env) {
        setDir(env);
        return;
    }
    dir_ = PLOTWISE_RESOURCE_DIR;
    search(splitSearchPath(dir_));
}

Resources::Resources(std::filesystem::path dir) { setDir(std::move(dir)); }

void Resources::setDir(std::filesystem::path dir) {
    dir_ = std::move(dir);
    named_ = true;
    pluginFolders_.clear();
    search(splitSearchPath(dir_));
}

void Resources::addPluginFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (named_ || !std::filesystem::is_directory(folder, ec)) return;
    if (std::find(pluginFolders_.begin(), pluginFolders_.end(), folder) != pluginFolders_.end()) return;
    pluginFolders_.push_back(folder);
    auto folders = pluginFolders_;
    for (auto& f : splitSearchPath(dir_)) folders.push_back(std::move(f));
    search(std::move(folders));
}

void Resources::search(std::vector<std::filesystem::path> folders) {
    searchPath_ = std::move(folders);
    // What was read, or found missing, may now come from another folder.
    strings_.clear();
    menus_.clear();
    dialogs_.clear();
}

std::optional<std::string> Resources::typeForKind(const std::string& kind) {
    for (const auto& k : kKinds) {
        if (kind == k.kind || kind == k.type) return std::string(k.type);
    }
    return std::nullopt;
}

std::optional<std::string> Resources::readFile(const std::filesystem::path& rel) {
    // The first folder of the search path that holds the resource; one that cannot be read
    // there is a problem, not an absence.
    for (const auto& folder : searchPath_) {
        std::string text, error;
        bool missing = false;
        const std::string path = (folder / rel).string();
        if (io::readWholeFile(path, io::kResourceFile, text, error, &missing)) return text;
        if (missing) continue;
        problems_.push_back(rel.string() + error.substr(std::min(error.size(), path.size())));
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<io::Tree<nlohmann::json>> Resources::readJson(const std::filesystem::path& rel) {
    const auto text = readFile(rel);
    if (!text) return std::nullopt;
    try {
        return io::parseJson<json>(*text, io::kResourceJson);
    } catch (const io::FormatError& e) {
        problems_.push_back(rel.string() + ": " + e.what());
    }
    return std::nullopt;
}

std::optional<std::string> Resources::indexString(int32_t listID, int32_t index) {
    auto it = strings_.find(listID);
    if (it == strings_.end()) {
        const auto rel = std::filesystem::path("strings") / (std::to_string(listID) + ".json");
        std::optional<std::vector<std::string>> list;
        if (const auto j = readJson(rel)) {
            list = stringArray(**j);
            if (!list) problems_.push_back(rel.string() + ": not a JSON array of strings");
        }
        it = strings_.emplace(listID, std::move(list)).first;
    }
    // Index 0 is the filler, never a string of the list.
    if (!it->second || index < 1 || static_cast<size_t>(index) >= it->second->size()) return std::nullopt;
    return (*it->second)[index];
}

std::optional<std::vector<std::string>> Resources::menu(int32_t menuID) {
    auto it = menus_.find(menuID);
    if (it == menus_.end()) {
        const auto rel = std::filesystem::path("menus") / (std::to_string(menuID) + ".json");
        std::optional<std::vector<std::string>> entries;
        if (const auto found = readJson(rel)) {
            const json& j = **found;
            // Either an array of texts or {"entries": [...]}.
            entries = stringArray(j.is_object() && j.contains("entries") ? j["entries"] : j);
            if (!entries) problems_.push_back(rel.string() + ": not a list of entry texts");
        }
        it = menus_.emplace(menuID, std::move(entries)).first;
    }
    return it->second;
}

const DialogTemplate* Resources::dialog(int32_t dialogID) {
    auto it = dialogs_.find(dialogID);
    if (it == dialogs_.end()) {
        const auto rel = std::filesystem::path("dialogs") / (std::to_string(dialogID) + ".json");
        std::optional<DialogTemplate> tpl;
        if (const auto found = readJson(rel)) {
            const json& j = **found;
            std::string why;
            if (!j.is_object()) {
                why = "not a JSON object";
            } else {
                DialogTemplate t;
                t.id = dialogID;
                if (auto n = j.find("name"); n != j.end() && n->is_string()) t.name = text::utf8ToPlatform(n->get<std::string>());
                t.style = numberOr<int32_t>(j, "style", 0);
                t.defaultItem = numberOr<int32_t>(j, "default", 1);
                t.cancelItem = numberOr<int32_t>(j, "cancel", 2);
                if (auto b = j.find("bounds"); b != j.end())
                    if (auto r = rectFrom(*b)) t.bounds = *r;
                if (auto items = j.find("items"); items != j.end() && items->is_array()) {
                    for (const auto& ij : *items) {
                        auto item = itemFrom(ij, why);
                        if (!item) break;
                        t.items.push_back(std::move(*item));
                    }
                } else if (j.contains("items")) {
                    why = "\"items\" is not an array";
                }
                if (why.empty()) tpl = std::move(t);
            }
            if (!why.empty()) problems_.push_back(rel.string() + ": " + why);
        }
        it = dialogs_.emplace(dialogID, std::move(tpl)).first;
    }
    return it->second ? &*it->second : nullptr;
}

bool Resources::hasPicture(int32_t pictureID) const {
    for (const auto& folder : searchPath_) {
        std::error_code ec;
        const auto base = folder / "pictures" / std::to_string(pictureID);
        if (std::filesystem::exists(base.string() + ".png", ec) || std::filesystem::exists(base.string() + ".json", ec))
            return true;
    }
    return false;
}

}  // namespace standin
