// The strict side of the platform encoding for files: text read from a document must become
// platform bytes exactly, or the file is refused with the reason. (The text engine's own
// conversion, which this builds on, replaces what it cannot hold.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/Encoding.h"

namespace standin::io {

using text::platformToUtf8;

// Empty on success; otherwise why the UTF-8 text cannot become platform bytes (a character
// outside the platform encoding, a NUL character).
std::optional<std::string> utf8ToPlatform(std::string_view utf8, std::string& bytes);

}  // namespace standin::io
