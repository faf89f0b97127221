// One preset: the 178 settings presets carry, moved between the preferences and a
// collection of the presets catalogue under the key texts and types of the preference list
// (core/PlotwisePrefs.cpp). A value read back is used only within its setting's domain.
#pragma once

#include <string>

#include "AIAttributeCatalog.h"
#include "core/PlotwisePreferences.h"

// The entry that names a preset.
constexpr const char* kPresetNameKey = "collectionName";

// A new collection named `name` holding every preset setting of `prefs`; *preset null when
// the host made none. The caller releases it.
AIErr NewPresetCollection(const char* name, preferences& prefs, AIAttributeCollectionRef* preset);
// Copies a preset's settings into `prefs`; the settings it held outside their domains or
// with another type are listed in `refused` ("arrowheadStyle 99, isoViewT nan,
// MasterUnits (a text, not a whole number)").
void ApplyPresetCollection(AIAttributeCollectionRef preset, preferences& prefs, std::string* refused = nullptr);
