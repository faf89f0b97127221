// Conversion between the platform's byte strings and Unicode. The platform encoding is
// Windows-1252, plus the one Shift-JIS pair 0x8E 0xDA (the shaku sign U+5C3A) that the units
// write, so every byte string survives a round trip through Unicode unchanged.
#pragma once

#include <string>
#include <string_view>

namespace standin::text {

constexpr char32_t kShakuSign = 0x5C3A;

// Every byte maps to one code point (the five bytes Windows-1252 leaves undefined map to
// the C1 controls of the same value), except the pair 0x8E 0xDA, which gives U+5C3A.
std::u32string platformToUnicode(std::string_view bytes);

// Code points with no platform byte become '?'. U+5C3A becomes 0x8E 0xDA.
std::string unicodeToPlatform(std::u32string_view text);

// UTF-8 in and out; malformed input decodes to U+FFFD, never reads past the end.
std::string toUtf8(std::u32string_view text);
std::u32string fromUtf8(std::string_view utf8);

inline std::string platformToUtf8(std::string_view bytes) { return toUtf8(platformToUnicode(bytes)); }
inline std::string utf8ToPlatform(std::string_view utf8) { return unicodeToPlatform(fromUtf8(utf8)); }

// Length in bytes of the platform character that starts at bytes[i] (1, or 2 for the pair).
inline size_t platformCharLength(std::string_view bytes, size_t i) {
    return (i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i]) == 0x8E &&
            static_cast<unsigned char>(bytes[i + 1]) == 0xDA)
               ? 2
               : 1;
}

// The character that starts at bytes[i] (platformCharLength bytes long).
char32_t platformCharAt(std::string_view bytes, size_t i);

// The longest prefix of at most maxBytes bytes that does not cut a two-byte character.
size_t platformPrefixLength(std::string_view bytes, size_t maxBytes);

// Copies text into buffer (size bytes): at most size − 1 bytes, never half of a two-byte
// character, always terminated when size > 0. Answers true when all of text fitted.
bool copyBounded(std::string_view text, char* buffer, int size);

}  // namespace standin::text
