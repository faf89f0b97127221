// The presets catalogue through the host's attribute catalogue suite: opened, upgraded or
// made at start-up, its presets counted and named, and saved to its file.
#include "panels/PresetsCatalog.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>

#include "architecture/ArchitectureMessages.h"
#include "core/PlotwisePrefs.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DocumentFormatVersion.h"
#include "panels/BuiltInPresets.h"
#include "panels/PanelGlobals.h"
#include "panels/PresetRecord.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

// Whether the file holds what the catalogue does follows every save.
AIErr SaveCatalogTo(AIAttributeCatalogRef catalog, char* problem, int32_t size) {
    if (!catalog) return kBadParameterErr;
    const AIErr err = sAIAttributeCatalog->ExportCatalog(catalog, kPresetsFileName, problem, size);
    if (g) g->presetsUnsaved = err != kNoErr;
    return err;
}

// A preset written before version 7 lacks these settings, or holds them as an older version
// meant them.
void UpgradePreset(AIAttributeCollectionRef preset) {
    for (const char* key : {"autoExpandAxoArt", "upperRefDimension", "lowerRefDimension"})
        (void)sAIAttributeCollection->SetBooleanValue(preset, key, false);
    (void)sAIAttributeCollection->SetBooleanValue(preset, "okToConnectCADlinePaths", true);
    AIBoolean foreshortening = false;
    (void)sAIAttributeCollection->GetBooleanValue(preset, "CUSTOM_NO_FORESHORTENING", &foreshortening);
    (void)sAIAttributeCollection->SetBooleanValue(preset, "axoNoForeshortening", !foreshortening);
    for (const char* key : {"NumericInputUnits", "upperToleranceUnits", "lowerToleranceUnits", "CADtrackerUnits",
                            "upperUnits", "lowerUnits", "rulerUnits", "MasterUnits"}) {
        int32_t code = 0;
        if (sAIAttributeCollection->GetIntegerValue(preset, key, &code)) continue;  // absent stays absent
        int32_t converted = code;
        (void)ConvertZA3_4_5_6UnitsToPW7(code, &converted);
        (void)sAIAttributeCollection->SetIntegerValue(preset, key, converted);
    }
}

AIErr SetCatalogVersion(AIAttributeCatalogRef catalog, int16_t version) {
    _t_AIAttributeCatalogSketch sketch{};
    if (AIErr err = sAIAttributeCatalog->GetCatalogSketch(catalog, &sketch)) return err;
    sketch.version = version;
    return sAIAttributeCatalog->SetCatalogSketch(catalog, &sketch);
}

void UpgradeCatalog(AIAttributeCatalogRef catalog) {
    (void)SetCatalogVersion(catalog, kPresetsCatalogVersion);
    const int32_t count = CountPresets(catalog);
    for (int32_t i = 0; i < count; ++i) {
        AIAttributeCollectionRef preset = nullptr;
        if (sAIAttributeCatalog->GetCollectionAt(catalog, i, &preset) == kNoErr && preset) UpgradePreset(preset);
    }
    SaveCADpresetsCatalogAfterChange(catalog);
}

// A file older than the upgrade knows holds its settings as that version meant them: it is
// refused whole, and nothing of it stays in the catalogue.
AIErr RefuseCatalogVersion(AIAttributeCatalogRef catalog, int16_t version) {
    for (int32_t i = CountPresets(catalog); i > 0; --i) (void)sAIAttributeCatalog->RemoveCollection(catalog, i - 1);
    const std::string reason =
        FilledText(kPresetsMessageList, kPresetsVersionReason,
                   {std::to_string(version), std::to_string(kOldestUpgradedCatalogVersion),
                    std::to_string(kNewestUpgradedCatalogVersion)});
    (void)SayWords(FilledText(kPresetsMessageList, kPresetsFileRefusedMessage, {reason}));
    return kPresetsVersionErr;
}

// Presets without a name, or whose name is no text, are listed without one: the drafter is
// told at which places, to rename or delete them.
void NameUnnamedPresets(AIAttributeCatalogRef catalog) {
    std::string places;
    const int32_t count = CountPresets(catalog);
    for (int32_t i = 0; i < count; ++i) {
        char name[kPresetNameSize];
        if (GetPresetName(catalog, i, name) && name[0]) continue;
        places += (places.empty() ? "" : ", ") + std::to_string(i + 1);
    }
    if (!places.empty()) (void)SayWords(FilledText(kPresetsMessageList, kUnnamedPresetsMessage, {places}));
}

}  // namespace

AIAttributeCatalogRef PresetsCatalog() {
    AIAttributeCatalogRef catalog = nullptr;
    if (!sAIAttributeCatalog || sAIAttributeCatalog->GetCatalog(kPresetsCatalogName, &catalog)) return nullptr;
    return catalog;
}

int32_t CountPresets(AIAttributeCatalogRef catalog) {
    int32_t count = 0;
    if (!catalog || sAIAttributeCatalog->CountCollections(catalog, &count)) return 0;
    return count;
}

bool GetPresetName(AIAttributeCatalogRef catalog, int32_t index, char (&name)[kPresetNameSize]) {
    AIAttributeCollectionRef preset = nullptr;
    name[0] = '\0';
    if (!catalog || sAIAttributeCatalog->GetCollectionAt(catalog, index, &preset) || !preset) return false;
    return sAIAttributeCollection->GetStringValue(preset, kPresetNameKey, name, kPresetNameSize) == kNoErr;
}

AIErr OpenCADpresetsCatalog() {
    if (!sAIAttributeCatalog || !sAIAttributeCollection) return kBadParameterErr;
    if (AIErr err = sAIAttributeCatalog->RegisterCatalog(kPresetsCatalogName, nullptr, nullptr)) return err;
    AIAttributeCatalogRef catalog = nullptr;
    if (AIErr err = sAIAttributeCatalog->GetCatalog(kPresetsCatalogName, &catalog)) return err;
    if (!catalog) return kNoErr;
    char problem[512] = {};
    const AIErr err = sAIAttributeCatalog->ImportCatalog(catalog, kPresetsFileName, problem, sizeof problem);
    if (err == kDataFilterErr) {
        if (AIErr e = InitCADpresetsCatalog(catalog)) return e;
        (void)SetCatalogVersion(catalog, kPresetsCatalogVersion);
        // A folder that cannot be written keeps the built-in presets in memory, said in
        // words, rather than stopping the whole plug-in.
        SaveCADpresetsCatalogAfterChange(catalog);
        return kNoErr;
    }
    if (err) {
        (void)SayWords(FilledText(kPresetsMessageList, kPresetsFileRefusedMessage, {problem}));
        return err;
    }
    _t_AIAttributeCatalogSketch sketch{};
    if (AIErr e = sAIAttributeCatalog->GetCatalogSketch(catalog, &sketch)) return e;
    if (sketch.version < kOldestUpgradedCatalogVersion) return RefuseCatalogVersion(catalog, sketch.version);
    if (sketch.version < kPresetsCatalogVersion) UpgradeCatalog(catalog);
    NameUnnamedPresets(catalog);
    return kNoErr;
}

void SaveCADpresetsCatalogAfterChange(AIAttributeCatalogRef catalog) {
    char problem[512] = {};
    if (SaveCatalogTo(catalog, problem, sizeof problem))
        (void)SayWords(FilledText(kPresetsMessageList, kPresetsNotSavedMessage, {problem}));
}

AIErr SaveUnsavedCADpresets() {
    if (!g || !g->presetsUnsaved) return kNoErr;
    char problem[512] = {};
    if (SaveCatalogTo(PresetsCatalog(), problem, sizeof problem))
        (void)SayWords(FilledText(kPresetsMessageList, kPresetsLostMessage, {problem}));
    return kNoErr;
}

AIErr CreateCatalogWithCurrentSettings(const char* name) {
    AIAttributeCatalogRef catalog = nullptr;
    if (AIErr err = sAIAttributeCatalog->GetCatalog(kPresetsCatalogName, &catalog)) return err;
    if (!catalog) return kNoErr;
    AIAttributeCollectionRef preset = nullptr;
    if (AIErr err = NewPresetCollection(name, g->prefs, &preset)) return err;
    if (!preset) return kNoErr;
    const AIErr err = sAIAttributeCatalog->AppendCollection(catalog, preset);
    if (!err) SaveCADpresetsCatalogAfterChange(catalog);
    (void)sAIAttributeCollection->Release(preset);
    return err;
}

AIErr SetPrefsToPreset(int32_t place) {
    AIAttributeCatalogRef catalog = nullptr;
    if (AIErr err = sAIAttributeCatalog->GetCatalog(kPresetsCatalogName, &catalog)) return err;
    AIAttributeCollectionRef preset = nullptr;
    if (!catalog || place < 0 || place >= CountPresets(catalog) ||
        sAIAttributeCatalog->GetCollectionAt(catalog, place, &preset) || !preset)
        return kNoErr;
    std::string refused;
    ApplyPresetCollection(preset, g->prefs, &refused);
    // The id counter is the document's: the next dimension takes no id one already has.
    g->prefs.style.id = std::max(g->prefs.style.id, HighestDimensionIdHeld());
    if (!refused.empty()) {
        char name[kPresetNameSize];
        (void)GetPresetName(catalog, place, name);
        (void)SayWords(FilledText(kPresetsMessageList, kPresetValuesKeptMessage, {name, refused}));
    }
    return kNoErr;
}
