// The values each numeric setting may hold, for the preferences and the presets alike: one
// outside its domain is named to the user and not taken.
#pragma once

#include <cstdint>
#include <string>

// The largest number the label and dimension number counters count to.
inline constexpr int32_t kLargestCounterNumber = 32767;
// The setting whose domain is that of every scale's scaler (the current scale's): a stored
// scale with a scaler outside it is no scale.
inline constexpr const char kScalerDomain[] = "scaler";

// Whether the setting `key` has a domain: the style-field table's bounds where it bounds the
// style field kept under that key, else a row of the settings' own table.
bool HasPreferenceDomain(const char* key);
// Whether a number read for the setting lies in its domain; false for a value that is not
// finite and for a setting without a domain.
bool InPreferenceDomain(const char* key, double value);
// The setting and value as a note names one outside the domain ("key value"); empty when
// the value lies in it.
std::string OutOfPreferenceDomain(const char* key, double value);
// The least and most value of the setting's domain; false for a setting without one.
bool PreferenceDomainBounds(const char* key, double* least, double* most);
