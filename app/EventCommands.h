// The rows of the command table for plug-in events: loading, tools and the mouse, menus,
// ticks, dialog answers and panels; they also wrap the host's own commands with the
// notifications a real host sends around them. Call after addDocumentCommands.
#pragma once

#include <string>

#include "Script.h"

namespace plotwise::app {

void addEventCommands(CommandTable& table);

class Session;
// Prints the alerts the plug-ins showed that are not printed yet, each as
// "WHERE: alert: TEXT", in the order shown.
void reportAlerts(Session& session, const std::string& where);

}  // namespace plotwise::app
