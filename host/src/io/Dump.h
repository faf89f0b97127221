// A readable listing of a document for people and tests: the layer and art tree with ids,
// kinds, attributes, bounds, anchors, styles, text, tags and dictionaries (nested, typed);
// and the plug-ins loaded with what each registered.
#pragma once

#include <ostream>

#include "model/Document.h"

namespace standin {
class PluginRegistry;
}

namespace standin::io {

void dumpDocument(const Document& doc, std::ostream& out);
// One art object (or layer) and everything inside it; false when the id names no art.
bool dumpArt(const Document& doc, ObjId id, std::ostream& out);
// Each plug-in loaded and what it registered and still holds: tools, menu items,
// notifiers, timers, annotators and published suites.
void dumpPlugins(const PluginRegistry& registry, std::ostream& out);

}  // namespace standin::io
