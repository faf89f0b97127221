// The rows of the command table for documents, layers, plain art, selection, undo, files
// and inspection. The event commands (tools, mouse, menus, timers, dialogs, panels) add
// their own rows from their own file.
#pragma once

#include "Script.h"
#include "model/Art.h"

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

// The art a word names: an id, or a name given with `name`; 0 when the front document holds
// no such art (a name never given is a mistake in the script).
standin::ObjId namedArt(Session& session, const Args& args, size_t i);
// Says that the word names no art of the front document.
std::string missingArt(const Args& args, size_t i);
// The same, a mistake when there is no such art.
standin::ObjId artId(Session& session, const Args& args, size_t i);
// `name NAME ID|newest [FILTER...]`: names art for the commands that take an id.
void nameArt(Session& session, const Args& args);

// The keys of a KEY/KEY... word, each in the platform's text; an empty key is a mistake of
// the script, reported as the command's.
std::vector<std::string> keyPath(const std::string& text, const Args& args, const std::string& command);

// `expect EXPRESSION`: throws ExpectationFailed when the expression does not hold.
void expect(Session& session, const Args& args);

}  // namespace plotwise::app
