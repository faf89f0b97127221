// The text inside a label. Letters and numbers come from the counters (units/LabelCounters.h);
// this file holds the geometric label, which lists the measurements of the art a label
// points at.
#pragma once

#include <cstddef>

#include "AITypes.h"

// Called by the core before the label tools draw; there is nothing to prepare.
void getLabelData();

// The geometric label text of label format 2 into text (size bytes, at most 1023
// characters): with targetArt, the geometry read-out is refreshed from it first. Each of
// X, Y, width, height, perimeter and area that is known and switched on in the style is
// written as its caption, the value in the style's upper units and decimal precision at
// the current scale, and two blanks (area: value, blank, the word for square); when no
// value is known at all the text is the "no data" caption. Unless a regeneration runs,
// the labels panel's next-value field is refreshed afterwards.
void GetGeometricLabelText(char* text, size_t size, AIArtHandle targetArt);
