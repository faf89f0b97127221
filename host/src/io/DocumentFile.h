// Documents on disk: the whole model of one document as JSON (layers and sublayers with
// their states, art of every kind in paint order, attributes, per-anchor selection, path
// styles, tags, typed and nested dictionaries, text stories, the document dictionary, the
// current layer and the page setup). Reals are 32-bit floats written so that they read back
// with the same bits. Reading never touches an open document: a file becomes a new document
// only when all of it has been read; otherwise the caller gets one message saying what is
// wrong and where.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "io/Json.h"
#include "model/Document.h"

namespace standin {
class Host;
}

namespace standin::io {

constexpr const char* kDocumentFormat = "plotwise-document";
// Version 2 writes plain dictionary values ({"k": 1} for {"k": {"int": 1}}) and leaves out
// what the reader takes anyway; the reader takes files of both versions.
constexpr int kDocumentVersion = 2;

// Throws FormatError when the model holds what a file cannot (art nested too deeply, a
// dictionary or a path larger than the reader takes, a file larger than a document may be).
std::string writeDocumentText(const Document& doc, size_t maxBytes = kDocumentFile.maxBytes);

// A new document read from JSON text, its ids from `ids`. Art ids of the file are kept when
// none of them has been handed out yet; otherwise the whole file is renumbered. Throws
// FormatError naming the problem. Keys that are not part of the format are ignored, each
// named in `warnings` when given ("document.layers[0]: the key "colour" is not part of ...").
std::unique_ptr<Document> readDocumentText(std::string_view text, IdSource& ids,
                                           std::vector<std::string>* warnings = nullptr);

// File helpers. Saving writes a temporary file beside the target and renames it, so a failed
// save never leaves half a document. On failure they return false and set `error`; `note`
// names the other names of a file with hard links, which keep the earlier text.
bool saveDocumentFile(const Document& doc, const std::string& path, std::string& error, std::string* note = nullptr);
// Reads the file, a block at a time (it is never held whole), and, on success only, brings
// the document to the front of the host's documents; its warnings, when asked for, begin
// with the path.
Document* openDocumentFile(Host& host, const std::string& path, std::string& error,
                           std::vector<std::string>* warnings = nullptr);

}  // namespace standin::io
