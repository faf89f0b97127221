// Fuzzes the typed-length parser: any bytes, any unit code and number format. A parse
// must never crash, never read or write past its text, and never give a non-finite
// value; a formatted result, with or without a float error of its coordinates, must parse
// back, and be formatted again the same where a double holds its last digit.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "geometry/LengthParser.h"
#include "units/PlotwiseUnits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int32_t units = static_cast<int32_t>(data[0] % 22) - 1;  // one code either side of the table
    const int noiseShift = data[0] / 22;  // 0: a value known exactly; else 2^(2n) float spacings
    const LengthParseSettings settings{data[1] & 1, (data[1] & 2) != 0 ? 96 : 72};
    // An exact-size heap copy, so a read past the text is caught.
    const std::vector<char> text(data + 2, data + size);
    const std::string_view view(text.data(), text.size());

    constexpr double kUntouched = 1234.5;
    // Below this many points a tick of 10^-5 mil counts under 2^48: the conversions' rounding
    // cannot reach half a tick. Far beyond it the last digits shown are a double's noise.
    constexpr double kExactBelow = 1e8;
    double length = kUntouched;
    if (parseLengthText(view, units, &length, settings) == 1) {
        if (!std::isfinite(length)) std::abort();
        MeasureFormat format;
        format.units = units;
        format.precision = data[1] >> 2;
        format.number.numberFormat = settings.numberFormat;
        format.pixelsPerInch = settings.pixelsPerInch;
        if (noiseShift > 0) format.noise = floatSpacing(length) * std::ldexp(1.0, 2 * noiseShift);
        char out[257];
        out[256] = 0x5A;
        formatMeasure(length, format, out, 256);
        if (out[256] != 0x5A || std::strlen(out) > 255) std::abort();
        double back = 0.0;
        if (out[0] != '\0' && isValidUnitCode(units)) {
            if (parseLengthText(out, units, &back, settings) != 1) std::abort();
            char again[256];
            formatMeasure(back, format, again, sizeof again);
            if (std::fabs(length) < kExactBelow && std::strcmp(again, out) != 0) std::abort();
        }
    } else if (length != kUntouched) {
        std::abort();
    }
    double area = kUntouched;
    if (parseAreaText(view, units, &area, settings) == 1) {
        if (!std::isfinite(area) || area < 0) std::abort();
    } else if (area != kUntouched) {
        std::abort();
    }
    return 0;
}
