// The texts of lettered and numbered labels and dimensions, from their 16-bit counters:
// letters in spreadsheet-column order, numbers with optional leading zeros, and the step
// of the numeric counter (every number, even or odd numbers). Pure text arithmetic; the
// callers pass the style's options.
#pragma once

#include <cstdint>

// A label text of at most 63 characters, returned by value.
struct LabelText {
    char text[64] = {};
    const char* c_str() const { return text; }
};

// "A" to "Z" for 0 to 25; with twoLetters 0 the letters start again after "Z", otherwise
// they go on "AA" ... "ZZ" (26 to 701), "AAA" ... A negative counter gives "A".
LabelText AlphaLabelText(int16_t inc, int32_t twoLetters);
// The number in decimal; with leading zeros on, "0"s go after any sign until the text is
// zeros + 2 characters wide ("05" for zeros 0, "00005" for 3); a longer number is kept.
LabelText NumericLabelText(int16_t inc, int32_t useLeadingZeros, int32_t zeros);
// The next value of the numeric label counter: its low 16 bits read as signed (negative
// counts as 0), then option 0 the next number, 1 the next even number, anything else the
// next odd number. A step past 32767, the largest a label holds, leaves the value as it is.
int16_t NextNumericLabelIncrement(int32_t counter, int32_t option);

// The counter's value, and the counter moved on by one; at its largest value it stays, so no
// stored or preferred value (a counter, a dimension id) makes it overflow.
int32_t TakeCounter(int32_t& counter);
// base + offset, held at the ends of the range.
int32_t CounterPlus(int32_t base, int32_t offset);
