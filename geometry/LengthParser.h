// The parser of typed lengths and areas: architectural feet-and-inch notation with
// fractions, picas and points, a number followed by a unit word, and a bare number read
// in the caller's display unit. Results are real-world points (square points for areas),
// before any drawing scale. Numbers are read without the process locale, every field is
// bounded by the text, and a result that is not a finite number is refused.
#pragma once

#include <cstdint>
#include <string_view>

struct LengthParseSettings {
    int32_t numberFormat = 0;    // as `preferences.numberFormat`
    int32_t pixelsPerInch = 72;  // as `preferences.pixelsperinch`
};

// 1 and the value stored through result when the text was understood; 0 and result
// untouched otherwise. Only the first 255 characters of the text are read.
int16_t parseLengthText(std::string_view text, int32_t units, double* result, const LengthParseSettings& settings);
int16_t parseAreaText(std::string_view text, int32_t units, double* result, const LengthParseSettings& settings);
// A typed angle in degrees: one decimal number in the number format, with or without a
// degree sign (the platform's "\xB0", or "deg") after it, blanks around allowed and nothing
// else. A turn beyond a whole one in either direction is the same direction within it (400
// is 40, -370 is -10); -360 to 360 stay as typed. Same contract as the length parser.
int16_t parseAngleText(std::string_view text, double* degrees, const LengthParseSettings& settings);
