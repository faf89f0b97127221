// The one global state record of the plug-in, reached through `g`, and the preferences
// record it embeds. Each subsystem adds the fields it reads and writes, under its heading,
// with the names and types the rest of the plug-in expects.
#pragma once

#include <cstdint>

#include "AITypes.h"

struct preferences {
    // --- units, scales and number format ---
    // --- dimension style ---
};

struct PlotwiseGlobals {
    // --- host and life cycle ---
    SPPluginRef thisPlugin = nullptr;
    preferences prefs{};
    // --- dimension drawing state ---
};

extern PlotwiseGlobals* g;
