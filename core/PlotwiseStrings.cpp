// The bounded string helpers of the plug-in.
#include "core/PlotwiseStrings.h"

#include <cstring>

#include "ADMBasic.h"
#include "core/CoreGlobals.h"
#include "core/PlotwiseSuites.h"

namespace {
constexpr GlobalsView<CoreGlobals> g;
}  // namespace

size_t CopyCString(char* dest, size_t size, const char* src) {
    if (!dest || size == 0) return 0;
    if (!src) src = "";
    size_t n = strnlen(src, size - 1);
    std::memmove(dest, src, n);
    dest[n] = '\0';
    return n;
}

const unsigned char* UStrToPStr(const ai::UnicodeString& text) {
    static unsigned char buffer[256];
    buffer[0] = 0;
    text.getToPascal(buffer, sizeof buffer);
    return buffer;
}

ai::UnicodeString PStrToUStr(const unsigned char* pstr) { return ai::UnicodeString::FromPascal(pstr); }

void whyDoIAlwaysHaveToConvertPtoCStrings(const unsigned char* pstr, char* dest, size_t destSize) {
    if (!dest || destSize == 0) return;
    if (!pstr) {
        dest[0] = '\0';
        return;
    }
    size_t n = pstr[0];
    if (n > destSize - 1) n = destSize - 1;
    std::memmove(dest, pstr + 1, n);
    dest[n] = '\0';
}

void whyDoIAlwaysHaveToConvertPtoCStrings(const unsigned char* pstr, char* dest) {
    whyDoIAlwaysHaveToConvertPtoCStrings(pstr, dest, pstr ? size_t{pstr[0]} + 1 : 1);
}

void whyDoIAlwaysHaveToConvertCtoPStrings(const char* cstr, unsigned char* dest, size_t destSize) {
    if (!dest || destSize == 0) return;
    size_t limit = destSize - 1 < 255 ? destSize - 1 : 255;
    size_t n = cstr ? strnlen(cstr, limit) : 0;
    std::memmove(dest + 1, cstr ? cstr : "", n);
    dest[0] = static_cast<unsigned char>(n);
}

void whyDoIAlwaysHaveToConvertCtoPStrings(const char* cstr, unsigned char* dest) {
    whyDoIAlwaysHaveToConvertCtoPStrings(cstr, dest, 256);
}

AIErr GetPlotwiseString(int32_t listID, int32_t index, char* out, size_t size) {
    if (!out || size == 0) return kBadParameterErr;
    out[0] = '\0';
    if (!sADMBasic || !g) return kBadParameterErr;
    int32_t n = size > 0x7fffffff ? 0x7fffffff : static_cast<int32_t>(size);
    AIErr err = sADMBasic->GetIndexString(g->thisPlugin, listID, index, out, n);
    out[size - 1] = '\0';
    return err;
}

std::string FilledText(int32_t list, int32_t index, std::initializer_list<std::string> fill) {
    char text[512] = {};
    GetPlotwiseString(list, index, text, sizeof text);
    // Placeholders are replaced in one pass, so a filled-in text is never read for more.
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (p[0] == '^' && p[1] >= '0' && p[1] <= '9' && static_cast<size_t>(p[1] - '0') < fill.size()) {
            out += fill.begin()[p[1] - '0'];
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}
