// The options dialog of a class-based tool: one row per field, each bound to one of the
// tool's persistent settings. A length is shown and stored as typed, whatever layer is
// current: a real one (a door's width) is drawn at the scale of the layer of the art its
// tool works on, a paper size (a table's row height) as it is; a count as a whole number
// within its bounds; a text as typed. OK reads every field first and stores nothing until all can be used: the first
// that cannot is said in words, made active, and the dialog stays open. Then the settings
// are stored and written; Cancel changes nothing.
#pragma once

#include <cstdint>
#include <span>

#include "AITypes.h"
#include "core/PWPersistentData.h"

struct OptionField {
    int16_t item;
    PWPersistentDouble* length = nullptr;  // one of these three
    PWPersistentInt32* count = nullptr;
    PWPersistentString* text = nullptr;
    int32_t least = 1, most = 1;           // a count's bounds
};

// Runs the modal dialog of that name and template; the result is always 0.
AIErr RunOptionsDialog(const char* name, int32_t id, std::span<const OptionField> fields);

// Whether a length setting holds a length that can be drawn (finite and above 0 as the art's
// floats hold it).
bool UsableLength(const PWPersistentDouble& length);
