// One preset: the 178 settings presets carry, moved between the preferences and a
// collection of the presets catalogue under the key texts and types of the preference list
// (core/PlotwisePrefs.cpp). A value read back is used only within its setting's domain.
#pragma once

#include <string>

#include "AIAttributeCatalog.h"
#include "core/PlotwisePreferences.h"

// The entry that names a preset.
constexpr const char* kPresetNameKey = "collectionName";
// The scale a preset's lengths are drawn at (a scaler, as a layer's scale has), written
// beside them when it is not 1:1, so that they load as the same real lengths at any scale.
// A preset without it (the built-in ones, those written before it was kept) holds its
// lengths at 1:1. It is not the drawing's scale, which presets do not carry.
constexpr const char* kPresetLengthScalerKey = "lengthScaler";

// A new collection named `name` holding every preset setting of `prefs`; *preset null when
// the host made none. The caller releases it.
AIErr NewPresetCollection(const char* name, preferences& prefs, AIAttributeCollectionRef* preset);
// Copies a preset's settings into `prefs`, its lengths at full size as drawn at its own
// scale; the settings it held outside their domains or with another type are listed in
// `refused` ("arrowheadStyle 99, isoViewT nan, MasterUnits (a text, not a whole number)").
// A scale that is none leaves the lengths as they were, and is named.
void ApplyPresetCollection(AIAttributeCollectionRef preset, preferences& prefs, std::string* refused = nullptr);
