// Windows-1252 (plus the shaku pair) to and from Unicode, and UTF-8 coding.
#include "text/Encoding.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace standin::text {
namespace {

// 0x80..0x9F; the bytes Windows-1252 leaves undefined keep their own value (C1 controls).
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t byteToUnicode(unsigned char b) {
    return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : static_cast<char32_t>(b);
}

int unicodeToByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) return static_cast<int>(0x80 + i);
    return -1;
}

}  // namespace

char32_t platformCharAt(std::string_view bytes, size_t i) {
    return platformCharLength(bytes, i) == 2 ? kShakuSign : byteToUnicode(static_cast<unsigned char>(bytes[i]));
}

std::u32string platformToUnicode(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); i += platformCharLength(bytes, i)) out.push_back(platformCharAt(bytes, i));
    return out;
}

std::string unicodeToPlatform(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c == kShakuSign) {
            out += "\x8E\xDA";
            continue;
        }
        const int b = unicodeToByte(c);
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

std::string toUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::u32string fromUtf8(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        int extra = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, c = b & 0x1F, minimum = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, c = b & 0x0F, minimum = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, c = b & 0x07, minimum = 0x10000;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= s.size() || (static_cast<unsigned char>(s[j]) & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
        }
        if (!ok || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(0xFFFD);
            i = ok ? j : std::max(j, i + 1);
            continue;
        }
        out.push_back(c);
        i = j;
    }
    return out;
}

size_t platformPrefixLength(std::string_view bytes, size_t maxBytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const size_t n = platformCharLength(bytes, i);
        if (i + n > maxBytes) break;
        i += n;
    }
    return i;
}

bool copyBounded(std::string_view text, char* buffer, int size) {
    if (!buffer || size <= 0) return text.empty();
    const size_t n = platformPrefixLength(text, static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n == text.size();
}

}  // namespace standin::text
