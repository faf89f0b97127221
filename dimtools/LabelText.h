// The text inside a label: the label being drawn keeps the letter or number its first click
// was given (from the counters, artwork/LabelCounters.h), or shows its custom text, or lists
// the measurements of the art it points at (the geometric label).
#pragma once

#include <cstddef>
#include <cstdint>

#include "AITypes.h"

// Called by the core before the label tools draw; there is nothing to prepare.
void getLabelData();

// The text of label format `dimensionFormat` (0 letters, 1 numbers, 2 geometric, 3 custom,
// others empty) for the label of the click chain's first node, into text (size bytes, at
// most 1023 characters). A label without its letter or number yet takes the next one and
// the counter moves on; a geometric label is measured on targetArt (null: the read-out as
// it stands). Unless a regeneration runs, the labels panel's next-value field follows.
void GetLabelText(int32_t dimensionFormat, char* text, AIArtHandle targetArt, size_t size = 1024);

// The geometric label text of label format 2 into text (size bytes, at most 1023
// characters): with targetArt, the geometry read-out is refreshed from it first. Each of
// X, Y, width, height, perimeter and area that is known and switched on in the style is
// written as its caption, the value in the style's upper units and decimal precision at
// the current scale, and two blanks (area: value, blank, the word for square); when no
// value is known at all the text is the "no data" caption. The values read are forgotten
// (a label pressed where there is no art has none). Unless a regeneration runs, the
// labels panel's next-value field is refreshed afterwards.
void GetGeometricLabelText(char* text, size_t size, AIArtHandle targetArt);
