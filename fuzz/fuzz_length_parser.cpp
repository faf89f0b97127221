// Fuzzes the typed-length parser: any bytes, any unit code and number format. A parse
// must never crash, never read or write past its text, and never give a non-finite
// value; a formatted result must parse back.
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
    const LengthParseSettings settings{data[1] & 1, (data[1] & 2) != 0 ? 96 : 72};
    // An exact-size heap copy, so a read past the text is caught.
    const std::vector<char> text(data + 2, data + size);
    const std::string_view view(text.data(), text.size());

    constexpr double kUntouched = 1234.5;
    double length = kUntouched;
    if (parseLengthText(view, units, &length, settings) == 1) {
        if (!std::isfinite(length)) std::abort();
        MeasureFormat format;
        format.units = units;
        format.precision = data[1] >> 2;
        format.number.numberFormat = settings.numberFormat;
        format.pixelsPerInch = settings.pixelsPerInch;
        char out[257];
        out[256] = 0x5A;
        formatMeasure(length, format, out, 256);
        if (out[256] != 0x5A || std::strlen(out) > 255) std::abort();
        double back = 0.0;
        if (out[0] != '\0' && isValidUnitCode(units) && parseLengthText(out, units, &back, settings) != 1) std::abort();
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
