// The rows of the command table for plug-in events: loading, tools and the mouse, menus,
// ticks, dialog answers and panels; they also wrap the host's own commands with the
// notifications a real host sends around them. Call after addDocumentCommands.
#pragma once

#include "Script.h"

namespace plotwise::app {

void addEventCommands(CommandTable& table);

}  // namespace plotwise::app
