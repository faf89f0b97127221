// SVG export for a person to look at: the page, each visible layer as a group, paths with
// their paint, point text with its font and matrix, hidden art left out. The host's y-up
// coordinates become SVG's y-down through one flipping group. Optionally the selection is
// drawn over the art in each layer's colour, with anchor squares (selected ones filled).
#pragma once

#include <string>

#include "model/Document.h"

namespace standin::io {

struct SvgOptions {
    bool selection = false;  // outline selected art and mark its anchors
};

std::string documentToSvg(const Document& doc, const SvgOptions& options = {});

// Written through a temporary file and a rename; false with `error` set on failure. `note`
// as writeFileAtomically gives it.
bool saveSvgFile(const Document& doc, const std::string& path, const SvgOptions& options, std::string& error,
                 std::string* note = nullptr);

// Text made safe for XML content and attribute values (control characters dropped).
std::string escapeXml(std::string_view utf8);

}  // namespace standin::io
