// One preset: the 178 settings presets carry, moved between the preferences and a
// collection of the presets catalogue under the key texts and types of the preference list
// (core/PlotwisePrefs.cpp). A value read back is used only within its setting's domain.
#pragma once

#include <string>

#include "AIAttributeCatalog.h"
#include "core/PlotwisePreferences.h"

// A new collection named `name` holding every preset setting of `prefs`; *preset null when
// the host made none. The caller releases it.
AIErr NewPresetCollection(const char* name, preferences& prefs, AIAttributeCollectionRef* preset);
// Appends a preset of the current settings under the name and saves the catalogue (a failed
// save is told). 0 also when there is no catalogue.
AIErr CreateCatalogWithCurrentSettings(const char* name);
// Copies the first preset of that name into the preferences. A setting the preset lacks,
// holds with another type or outside its domain keeps its value; those outside their domain
// are named to the user. Texts arrive cut to their fields. The dimension-id counter stays
// at or above the highest id the front document holds. 0 when the catalogue was found.
AIErr SetPrefsToPreset(const char* name);
// Copies a preset's settings into `prefs`; the settings it held outside their domains are
// listed in `refused` ("arrowheadStyle 99, isoViewT nan").
void ApplyPresetCollection(AIAttributeCollectionRef preset, preferences& prefs, std::string* refused = nullptr);
