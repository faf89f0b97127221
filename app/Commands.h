// The rows of the command table for documents, layers, plain art, selection, undo, files
// and inspection. The event commands (tools, mouse, menus, timers, dialogs, panels) add
// their own rows from their own file.
#pragma once

#include "Script.h"

namespace plotwise::app {

void addDocumentCommands(CommandTable& table);
// `entry`: writes a typed dictionary entry (EntryCommand.cpp).
void addEntryCommand(CommandTable& table);

// `expect EXPRESSION`: throws ExpectationFailed when the expression does not hold.
void expect(Session& session, const Args& args);

}  // namespace plotwise::app
