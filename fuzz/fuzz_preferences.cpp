// Feeds arbitrary bytes to the preference file reader and to the resource readers (string
// lists, menus, dialog templates): each must give the defaults or a recorded problem,
// never a crash.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzFolder.h"
#include "adm/PreferenceStore.h"
#include "adm/Resources.h"

namespace {

namespace fs = std::filesystem;

const fs::path& workDir() {
    static const fs::path dir = [] {
        fs::path d = MakeFuzzFolder("plotwise-fuzz-prefs");
        fs::create_directories(d / "strings");
        fs::create_directories(d / "menus");
        fs::create_directories(d / "dialogs");
        return d;
    }();
    return dir;
}

void writeFile(const fs::path& p, const uint8_t* data, size_t size) {
    std::ofstream(p, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                               static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path& dir = workDir();
    if (size == 0) return 0;
    const uint8_t which = data[0] % 4;
    ++data;
    --size;
    if (which == 0) {
        const fs::path file = dir / "preferences.json";
        std::error_code ec;
        for (const char* aside : {".damaged", ".damaged-1"}) fs::remove(file.string() + aside, ec);
        writeFile(file, data, size);
        standin::PreferenceStore store(file);
        store.setWarningSink([](const std::string&) {});
        store.load();
        int32_t i = 0;
        AIBoolean b = 0;
        AIReal r = 0;
        char s[16];
        AIRealPoint p{};
        AIRealRect rc{};
        for (const char* prefix : {"P", "ZelmarkPlotwise7"}) {
            for (const char* key : {"k", "Location", "Size"}) {
                store.getInteger(prefix, key, &i);
                store.getBoolean(prefix, key, &b);
                store.getReal(prefix, key, &r);
                store.getString(prefix, key, s, sizeof s);
                store.getPoint(prefix, key, &p);
                store.getRect(prefix, key, &rc);
            }
        }
        return 0;
    }
    static const char* const kFolders[] = {"strings", "menus", "dialogs"};
    writeFile(dir / kFolders[which - 1] / "1.json", data, size);
    standin::Resources res(dir);
    if (which == 1)
        for (int32_t k = -1; k < 4; ++k) res.indexString(1, k);
    else if (which == 2)
        res.menu(1);
    else
        res.dialog(1);
    return 0;
}
