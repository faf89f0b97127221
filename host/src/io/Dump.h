// A readable listing of a document for people and tests: the layer and art tree with ids,
// kinds, attributes, bounds, anchors, styles, text, tags and dictionaries (nested, typed).
#pragma once

#include <ostream>

#include "model/Document.h"

namespace standin::io {

void dumpDocument(const Document& doc, std::ostream& out);
// One art object (or layer) and everything inside it; false when the id names no art.
bool dumpArt(const Document& doc, ObjId id, std::ostream& out);

}  // namespace standin::io
