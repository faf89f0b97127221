// Conversion between the platform's Windows-1252 bytes (plus the Shift-JIS pair 8E DA for
// the shaku sign, U+5C3A) and the UTF-8 of resource and preference files.
#pragma once

#include <string>
#include <string_view>

namespace standin::adm {

std::string platformToUtf8(std::string_view bytes);
// Characters with no platform byte become '?'; malformed UTF-8 bytes likewise.
std::string utf8ToPlatform(std::string_view utf8);

// Copies text into buffer (size bytes), at most size − 1 bytes, always terminated when
// size > 0. Answers true when all of text fitted.
bool copyBounded(std::string_view text, char* buffer, int size);

}  // namespace standin::adm
