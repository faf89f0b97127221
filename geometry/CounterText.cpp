// Letter and number label texts. Letters come from one 26-letter table and are counted in
// bijective base 26, so "ZZ" is followed by "AAA" and no index ever leaves the table.
#include "geometry/CounterText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kLetterCount = 26;

int16_t wrap16(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(v) & 0xFFFFu)); }

}  // namespace

LabelText AlphaLabelText(int16_t inc, int32_t twoLetters) {
    LabelText out;
    if (inc < 0) {
        out.text[0] = 'A';
        return out;
    }
    if (twoLetters == 0) {
        out.text[0] = kLetters[inc % kLetterCount];
        return out;
    }
    // Written from the last letter backwards; a 16-bit counter needs at most four.
    char reversed[8] = {};
    int n = 0;
    for (int32_t m = static_cast<int32_t>(inc) + 1; m > 0 && n < 7; m /= kLetterCount) {
        --m;
        reversed[n++] = kLetters[m % kLetterCount];
    }
    for (int i = 0; i < n; ++i) out.text[i] = reversed[n - 1 - i];
    return out;
}

LabelText NumericLabelText(int16_t inc, int32_t useLeadingZeros, int32_t zeros) {
    LabelText out;
    std::snprintf(out.text, sizeof out.text, "%d", static_cast<int>(inc));
    if (useLeadingZeros == 0) return out;
    const int width = std::clamp(zeros, -1, static_cast<int32_t>(sizeof out.text) - 3) + 2;
    const int length = static_cast<int>(std::strlen(out.text));
    if (length >= width) return out;
    const int sign = out.text[0] == '-' ? 1 : 0;
    const int pad = width - length;
    std::memmove(out.text + sign + pad, out.text + sign, static_cast<size_t>(length - sign + 1));
    std::memset(out.text + sign, '0', static_cast<size_t>(pad));
    return out;
}

int16_t NextNumericLabelIncrement(int32_t counter, int32_t option) {
    int32_t n = wrap16(counter);
    if (n < 0) n = 0;
    const bool even = n % 2 == 0;
    int32_t step = 1;
    if (option == 1) step = even ? 2 : 1;
    else if (option != 0) step = even ? 1 : 2;
    // Wrapping would number the next label -32768 or start again at 1 unannounced.
    return static_cast<int16_t>(n + step > std::numeric_limits<int16_t>::max() ? n : n + step);
}

int32_t TakeCounter(int32_t& counter) {
    const int32_t value = counter;
    if (counter < std::numeric_limits<int32_t>::max()) ++counter;
    return value;
}

int32_t CounterPlus(int32_t base, int32_t offset) {
    const int64_t sum = int64_t{base} + offset;
    return static_cast<int32_t>(
        std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
