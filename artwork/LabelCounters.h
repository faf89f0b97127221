// The automatic letter and number counters of dimension and label texts: the texts of a
// counter in the current style, the step of the numeric label counter, and the advance of
// the counters after a dimension or label is placed, with the refresh of the panel field
// that announces the next value.
#pragma once

#include <cstdint>

#include "core/PreferenceDomains.h"
#include "geometry/CounterText.h"

// The largest number of a dimension or label counter: the counters are kept in 16 bits.
constexpr int32_t kMaxCounterNumber = kLargestCounterNumber;

// The letter text of a counter by the style's letter option (single or more letters).
LabelText GetAlphaLabelText(int16_t inc);
// The number text of a counter with the style's leading zeros.
LabelText GetNumericLabelText(int16_t inc);
// Advances `incrementalLabelNumber` by the style's numbering option (every, even or odd
// number) up to 32767, where it stays, stores it and returns it.
int32_t GetNextNumericLabelIncrement();

// After a dimension is placed: letters (format 1) or numbers (format 2) advance by one;
// then the text panel's next-value field is refreshed.
void UpdateIncrementalInfo();
// After a label is placed: letters (format 0) advance by one, numbers (format 1) by the
// numbering option (a number that can go no higher stays, and the user is told once the
// message in hand ends); then the labels panel's next-value field is refreshed.
void UpdateIncrementalLabelInfo();
