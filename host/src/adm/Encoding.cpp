// Bounded copies of platform text into the plug-in's buffers.
#include "adm/Encoding.h"

#include <cstring>

namespace standin::adm {

bool copyBounded(std::string_view text, char* buffer, int size) {
    if (!buffer || size <= 0) return text.empty();
    const size_t n = text::platformPrefixLength(text, static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n == text.size();
}

}  // namespace standin::adm
