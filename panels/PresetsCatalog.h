// The presets catalogue: the host's attribute catalogue "CADpresetsCatalog", one collection
// per preset named by its "collectionName", kept in the file "CADpresets" of the user's
// configuration folder. Opened at start-up (read from the file, upgraded from an older
// version, or made with the two built-in presets), written whole after every change.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AIAttributeCatalog.h"

constexpr const char* kPresetsCatalogName = "CADpresetsCatalog";
constexpr const char* kPresetsFileName = "CADpresets";
constexpr int16_t kPresetsCatalogVersion = 7;
// The older versions the upgrade knows, whose unit codes it converts; a file of a version
// below them is refused.
constexpr int16_t kOldestUpgradedCatalogVersion = 3;
constexpr int16_t kNewestUpgradedCatalogVersion = 6;
constexpr AIErr kPresetsVersionErr = 'PVER';
constexpr size_t kPresetNameSize = 64;  // 63 characters and the terminator

// The presets' own messages (string list 17960).
constexpr int32_t kPresetsMessageList = 17960;
enum : int32_t {
    kPresetsFileRefusedMessage = 1,  // ^0: what is wrong and where
    kPresetsNotSavedMessage = 2,     // ^0: why
    kPresetValuesKeptMessage = 3,    // ^0: the preset, ^1: the settings left as they were
    kPresetsVersionReason = 4,       // ^0: the file's version, ^1 and ^2: the versions upgraded
    kPresetsLostMessage = 5,         // ^0: why the save at quit failed
    kUnnamedPresetsMessage = 6,      // ^0: the places of the presets without a name
};

// Start-up's last step: registers the catalogue and fills it from the file (upgraded and
// rewritten when of version 3 to 6), or, when there is no file, with the built-in presets,
// which are saved at once (a save that fails is told, and they stay in memory). A file that
// cannot be read whole, or of a version older than the upgrade knows, is named to the user
// and left as it is; its error is returned and stops start-up, with the catalogue empty.
AIErr OpenCADpresetsCatalog();
// Saves after a change the user made; a failure is told, and the change stays in the
// catalogue for the next save, or the save at quit.
void SaveCADpresetsCatalogAfterChange(AIAttributeCatalogRef catalog);
// At quit: a change whose save failed is saved again; when that fails too, the user is told
// it is lost.
AIErr SaveUnsavedCADpresets();
// Appends a preset of the current settings under the name and saves the catalogue (a failed
// save is told). 0 also when there is no catalogue.
AIErr CreateCatalogWithCurrentSettings(const char* name);
// Copies the preset at that place of the catalogue (presets may share a name) into the
// preferences. A setting the preset lacks, holds with another type or outside its domain
// keeps its value; those of another type or outside their domain are named to the user.
// Texts arrive cut to their fields. The dimension-id counter stays at or above the highest
// id the front document holds. 0 when the catalogue was found.
AIErr SetPrefsToPreset(int32_t place);

// The catalogue, fetched by name (null when the host has none).
AIAttributeCatalogRef PresetsCatalog();
int32_t CountPresets(AIAttributeCatalogRef catalog);
// The name of the preset at the index, cut to 63 characters; false (and an empty name) when
// it cannot be read: the preset has none, or one that is no text.
bool GetPresetName(AIAttributeCatalogRef catalog, int32_t index, char (&name)[kPresetNameSize]);
