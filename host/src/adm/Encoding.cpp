// Windows-1252 <-> UTF-8 for the dialog manager's resources and the preference file.
#include "adm/Encoding.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace standin::adm {
namespace {

// Code points of bytes 0x80–0x9F; 0 where Windows-1252 leaves the byte undefined.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
constexpr char32_t kShaku = 0x5C3A;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Next code point of utf8 at i (advancing i); U+FFFD for a malformed sequence.
char32_t nextCodePoint(std::string_view s, size_t& i) {
    const auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80) return b;
    int extra = 0;
    char32_t c = 0;
    if ((b & 0xE0) == 0xC0) {
        extra = 1;
        c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2;
        c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3;
        c = b & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
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
        } else if (b >= 0x80 && b < 0xA0) {
            const char32_t c = kHigh[b - 0x80];
            appendUtf8(out, c ? c : char32_t(b));  // undefined bytes keep their C1 code point
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

std::string utf8ToPlatform(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const char32_t c = nextCodePoint(utf8, i);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
        } else if (c == kShaku) {
            out += "\x8E\xDA";
        } else {
            char byte = '?';
            for (size_t k = 0; k < kHigh.size(); ++k) {
                if (kHigh[k] == c || (kHigh[k] == 0 && c == 0x80 + k)) {
                    byte = static_cast<char>(0x80 + k);
                    break;
                }
            }
            out += byte;
        }
    }
    return out;
}

bool copyBounded(std::string_view text, char* buffer, int size) {
    if (!buffer || size <= 0) return text.empty();
    const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n == text.size();
}

}  // namespace standin::adm
