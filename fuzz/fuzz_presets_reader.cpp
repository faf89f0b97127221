// Feeds arbitrary bytes to the presets reader as the file "CADpresets": the host's import
// must take the file whole or refuse it with a reason, leaving the catalogue as it was;
// every preset it takes is applied to a preferences record, where each value is used only
// within its domain and its lengths come to full size at its own scale; and what it took is
// written and read back to the same presets.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "FuzzFolder.h"
#include "Host.h"
#include "core/PlotwiseSuites.h"
#include "panels/PresetRecord.h"

namespace {

namespace fs = std::filesystem;

const fs::path& workDir() {
    static const fs::path dir = [] {
        return MakeFuzzFolder("plotwise-fuzz-presets");
    }();
    return dir;
}

template <class Suite>
Suite* acquire(standin::Host& host, const char* name, int32_t version) {
    const void* suite = nullptr;
    if (host.suites().acquire(name, version, &suite)) std::abort();
    return static_cast<Suite*>(const_cast<void*>(suite));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ofstream(workDir() / "CADpresets", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    standin::Host host;
    host.catalogs().setFolder(workDir());
    sAIAttributeCatalog = acquire<AIAttributeCatalogSuite>(host, kAIAttributeCatalogSuite, kAIAttributeCatalogSuiteVersion);
    sAIAttributeCollection =
        acquire<AIAttributeCollectionSuite>(host, kAIAttributeCollectionSuite, kAIAttributeCollectionSuiteVersion);
    sAIAttributeCatalog->RegisterCatalog("CADpresetsCatalog", nullptr, nullptr);
    AIAttributeCatalogRef catalog = nullptr;
    sAIAttributeCatalog->GetCatalog("CADpresetsCatalog", &catalog);
    char problem[512];
    if (sAIAttributeCatalog->ImportCatalog(catalog, "CADpresets", problem, sizeof problem) != kNoErr) {
        if (!host.catalogs().find("CADpresetsCatalog")->collections.empty()) std::abort();  // a refusal keeps nothing
        return 0;
    }
    int32_t count = 0;
    sAIAttributeCatalog->CountCollections(catalog, &count);
    for (int32_t i = 0; i < count; ++i) {
        AIAttributeCollectionRef preset = nullptr;
        sAIAttributeCatalog->GetCollectionAt(catalog, i, &preset);
        auto prefs = std::make_unique<preferences>();
        ApplyPresetCollection(preset, *prefs);
        if (!std::isfinite(prefs->isoView.t) || prefs->style.upperUnits < 0 || prefs->style.upperUnits > 19) std::abort();
        // Lengths drawn at the preset's own scale come to full size as numbers.
        if (!std::isfinite(prefs->wallThickness) || !std::isfinite(prefs->chamferDistance1)) std::abort();
    }
    // What was read is written and read back alike.
    const standin::Catalog before = *host.catalogs().find("CADpresetsCatalog");
    std::vector<standin::io::CatalogCollection> kept;
    for (const standin::Collection* c : before.collections) kept.push_back(c->data);
    if (sAIAttributeCatalog->ExportCatalog(catalog, "CADpresets", problem, sizeof problem) ||
        sAIAttributeCatalog->ImportCatalog(catalog, "CADpresets", problem, sizeof problem))
        std::abort();
    const standin::Catalog& after = *host.catalogs().find("CADpresetsCatalog");
    if (after.collections.size() != kept.size() || after.version != before.version || after.owner != before.owner)
        std::abort();
    for (size_t i = 0; i < kept.size(); ++i)
        if (after.collections[i]->data.keys.size() != kept[i].keys.size()) std::abort();
    return 0;
}
