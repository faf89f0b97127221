// Windows-1252 <-> UTF-8. The five bytes that Windows-1252 leaves undefined map to the C1
// control characters of the same value, so that no byte is lost on the way through a file.
#include "Encoding.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace standin::io {
namespace {

constexpr char32_t kShaku = 0x5C3A;

// Code points of bytes 0x80-0x9F.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t byteToCodePoint(unsigned char b) {
    return b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : char32_t(b);
}

std::optional<unsigned char> codePointToByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i], advancing i; nullopt for a malformed sequence.
std::optional<char32_t> decodeUtf8(std::string_view s, size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (i + length > s.size()) return std::nullopt;
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMin[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    i += length;
    return c;
}

}  // namespace

std::string platformToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == 0x8E && i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i + 1]) == 0xDA) {
            appendUtf8(out, kShaku);
            ++i;
            continue;
        }
        appendUtf8(out, byteToCodePoint(b));
    }
    return out;
}

std::optional<std::string> utf8ToPlatform(std::string_view utf8, std::string& bytes) {
    bytes.clear();
    bytes.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto c = decodeUtf8(utf8, i);
        if (!c) return std::string("malformed UTF-8");
        if (*c == 0) return std::string("contains a NUL character");
        if (*c == kShaku) {
            bytes += static_cast<char>(0x8E);
            bytes += static_cast<char>(0xDA);
            continue;
        }
        const auto b = codePointToByte(*c);
        if (!b) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(*c));
            return "has the character " + std::string(name) + ", which the platform encoding cannot hold";
        }
        bytes += static_cast<char>(*b);
    }
    return std::nullopt;
}

}  // namespace standin::io
