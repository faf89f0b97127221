// The rows of the command table for documents, layers, plain art, selection, undo, files
// and inspection. The event commands (tools, mouse, menus, timers, dialogs, panels) add
// their own rows from their own file.
#pragma once

#include "Script.h"

namespace standin {
class Document;
}

namespace plotwise::app {

void addDocumentCommands(CommandTable& table);
// `entry`: writes a typed dictionary entry (EntryCommand.cpp).
void addEntryCommand(CommandTable& table);
// `translate`, `delete`, `copy` and `paste`: what a user does to the selection between
// tools (EditCommands.cpp).
void addEditCommands(CommandTable& table);
// Fails, saying what to do, unless something was copied and the current layer takes art;
// run before the host tells the plug-ins a paste is coming.
void requirePastable(Session& session, const Args& args);

// Fails, naming the layer and what to do, when the current layer (or one holding it) is
// locked or hidden.
void requireOpenCurrentLayer(const standin::Document& doc, const Args& args);

// `expect EXPRESSION`: throws ExpectationFailed when the expression does not hold.
void expect(Session& session, const Args& args);

}  // namespace plotwise::app
