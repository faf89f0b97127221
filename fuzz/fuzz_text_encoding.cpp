// Feeds arbitrary bytes to the text encodings: UTF-8 decoding must never read past the
// input, and platform byte strings must survive every round trip through Unicode.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../host/src/text/Encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace standin::text;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Any bytes as UTF-8: decoding then encoding gives valid UTF-8 that decodes the same.
    const std::u32string u = fromUtf8(bytes);
    const std::string utf8 = toUtf8(u);
    if (fromUtf8(utf8) != u) std::abort();
    // Any bytes as platform text: exact round trips.
    if (unicodeToPlatform(platformToUnicode(bytes)) != bytes) std::abort();
    if (utf8ToPlatform(platformToUtf8(bytes)) != bytes) std::abort();
    const size_t cut = platformPrefixLength(bytes, size / 2);
    if (cut > size / 2 || platformToUnicode(bytes.substr(0, cut)).size() > cut) std::abort();
    return 0;
}
