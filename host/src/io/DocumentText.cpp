// A conversion is exact when the bytes convert back to the same characters.
#include "io/DocumentText.h"

#include <algorithm>
#include <cstdio>

namespace standin::io {

std::optional<std::string> utf8ToPlatform(std::string_view utf8, std::string& bytes) {
    // Plain ASCII (most keys and texts of a document) is the same in both encodings.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return c > 0 && static_cast<unsigned char>(c) < 0x80; })) {
        bytes.assign(utf8);
        return std::nullopt;
    }
    const std::u32string chars = text::fromUtf8(utf8);
    for (char32_t c : chars)
        if (c == 0) return std::string("contains a NUL character");
    bytes = text::unicodeToPlatform(chars);
    const std::u32string back = text::platformToUnicode(bytes);
    if (back == chars) return std::nullopt;
    size_t i = 0;
    while (i < back.size() && i < chars.size() && back[i] == chars[i]) ++i;
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(i < chars.size() ? chars[i] : 0xFFFD));
    return "has the character " + std::string(name) + ", which the platform encoding cannot hold";
}

}  // namespace standin::io
