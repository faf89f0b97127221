// The text of a dimension as one point text in the dimension's group: the value string
// (or a label, custom or callout text) split into its upper and lower lines and their
// tolerances, styled from the current style, placed and tagged with its text record; and
// the measurement of that text before it is drawn (its size, and its footprint placed).
#pragma once

#include <string>

#include "AITextFrame.h"
#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"

// The four runs of a dimension text (each at most 255 characters): the upper value up to
// the first carriage return less its tolerance, the upper tolerance from the first
// plus-minus sign of the first line, the lower value from the carriage return (kept as its
// first character) less its tolerance, and the lower tolerance.
struct DimensionTextRuns {
    std::string upperValue, upperTolerance, lowerValue, lowerTolerance;
};
DimensionTextRuns SplitDimensionText(const char* text);

// Draws text at location (alignment 0-5, rotated by angle radians about it) inside prep
// on top, or above all art of the current layer when prep is null; reference brackets by
// the style; tolerances of a line set small and raised when the style asks. When the
// text is placed, its record is attached: textData with dimStr set to the drawn text, or,
// when null, a fresh record with the default custom text. A custom text of a dimension
// (or a label whose custom text is to be typed) is selected by selectTextTimer after the
// event, except while regenerating or resizing. Returns the first host error; a text that
// cannot be created stops it.
AIErr doText(const char* text, AIRealPoint location, AILineStyle alignment, AIReal angle, AIArtHandle prep,
             live_dimension_text_data* textData);

// The bounds of the text as doText would set it at the origin, unplaced, without
// reference brackets, grown by half the style's textSpacing on every side. A temporary
// text in the first art of saveLayer is measured through its outlines and removed again.
// On an error bounds is left as it was and the first error is returned.
AIErr GetTextArtRect(const char* text, AIRealRect* bounds);
// The same text justified, painted, rotated by angle and placed at location: the axis-
// aligned bounds of its footprint in the document, grown likewise.
AIErr GetAbsoluteTextArtRect(const char* text, const AIRealPoint* location, AILineStyle alignment, AIReal angle,
                             AIRealRect* bounds);
