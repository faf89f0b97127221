// The plug-ins' resources as data files: string lists (strings/<listID>.json), menus
// (menus/<id>.json), dialog templates (dialogs/<id>.json) and pictures (pictures/<id>.png
// or .json). The folder may be a list separated by ':', as when each loaded plug-in brings
// its own resources; each file is taken from the first folder that has it. Unless the
// folders were named (PLOTWISE_RESOURCE_DIR, setDir), a plug-in module's own `resources`
// folder beside it is searched before the host's default folder, as an installed plug-in
// carries its resources with it. Texts are UTF-8 in the files and platform bytes once
// loaded. Files are read on first use and kept; a damaged file counts as missing and its
// problem is recorded.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "io/Json.h"

#include "ADMTypes.h"

namespace standin {

struct ItemTemplate {
    int32_t id = 0;
    std::string type;  // an ADM item type name
    int32_t style = 0;
    std::string text;  // platform bytes
    float value = 0;
    float minimum = 0;
    float maximum = 0;
    bool hasRange = false;
    int32_t menuID = 0;     // list filled from this menu resource
    int32_t pictureID = 0;  // picture items and picture radios
    int32_t group = 0;      // radios of one group are exclusive
    int32_t maxLength = 0;  // 0: the kind's default
    ADMRect bounds{0, 0, 0, 0};
};

struct DialogTemplate {
    int32_t id = 0;
    std::string name;
    int32_t style = 0;
    ADMRect bounds{0, 0, 0, 0};
    int32_t defaultItem = 1;
    int32_t cancelItem = 2;
    std::vector<ItemTemplate> items;
};

class Resources {
public:
    // The PLOTWISE_RESOURCE_DIR environment variable when set (named folders), else the
    // default folder PLOTWISE_RESOURCE_DIR the build gives. `dir()` is the folder as given
    // (a list separated by ':' included).
    Resources();
    explicit Resources(std::filesystem::path dir);  // named

    const std::filesystem::path& dir() const { return dir_; }
    // Names the folders: they alone are searched from now on.
    void setDir(std::filesystem::path dir);
    // A loaded plug-in's own folder: searched (after the folders of plug-ins added before
    // it) ahead of the default folder, unless the folders were named; a folder that does
    // not exist is left out.
    void addPluginFolder(const std::filesystem::path& folder);
    // The folders searched, in order.
    const std::vector<std::filesystem::path>& searchPath() const { return searchPath_; }

    // String `index` of list `listID`; nothing when the list or the index is missing.
    std::optional<std::string> indexString(int32_t listID, int32_t index);
    // Entry texts of a menu; nothing when the menu is missing.
    std::optional<std::vector<std::string>> menu(int32_t menuID);
    const DialogTemplate* dialog(int32_t dialogID);
    bool hasPicture(int32_t pictureID) const;

    // What went wrong while reading files, in order ("strings/17000.json: ...").
    const std::vector<std::string>& problems() const { return problems_; }

    // The kind names of dialog templates ("button", "checkbox", ...) and their type names.
    static std::optional<std::string> typeForKind(const std::string& kind);

private:
    // The text of a resource file; nothing when it is absent, or (with a problem recorded)
    // when it cannot be read or parsed within the resource limits.
    std::optional<std::string> readFile(const std::filesystem::path& rel);
    std::optional<io::Tree<nlohmann::json>> readJson(const std::filesystem::path& rel);

    void search(std::vector<std::filesystem::path> folders);

    std::filesystem::path dir_;
    bool named_ = false;                                // dir_ was named: no plug-in folders
    std::vector<std::filesystem::path> pluginFolders_;  // the loaded plug-ins' own
    std::vector<std::filesystem::path> searchPath_;     // plug-in folders, then dir_ split at ':'
    std::map<int32_t, std::optional<std::vector<std::string>>> strings_;
    std::map<int32_t, std::optional<std::vector<std::string>>> menus_;
    std::map<int32_t, std::optional<DialogTemplate>> dialogs_;
    std::vector<std::string> problems_;
};

}  // namespace standin
