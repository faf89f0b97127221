// The two built-in presets, which a catalogue without a presets file starts with.
#pragma once

#include "AIAttributeCatalog.h"

// Appends "Basic Architecture" and "Basic Engineering".
AIErr InitCADpresetsCatalog(AIAttributeCatalogRef catalog);
