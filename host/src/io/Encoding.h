// Conversion between the host's platform strings (Windows-1252 bytes, plus the two-byte
// shaku sign 8E DA) and the UTF-8 that files hold. Every byte string converts to UTF-8 and
// back unchanged, so documents keep their texts byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace standin::io {

std::string platformToUtf8(std::string_view bytes);

// Empty on success; otherwise why the text cannot become platform bytes (bad UTF-8, a
// character outside the platform encoding, a NUL character).
std::optional<std::string> utf8ToPlatform(std::string_view utf8, std::string& bytes);

}  // namespace standin::io
