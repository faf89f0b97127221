// The text of a value dimension: the measured length in the style's upper units and
// precision, an optional tolerance, and for dual dimensions a second line in the lower
// units with its own tolerance, in the shared text buffer `theText`.
#pragma once

#include <cstdint>

#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"

// The linear, datum and diameter kinds push what they measure 2^-16 point away from zero:
// a dimension of no length still measures something, and a circle just wide enough for its
// terminators gets them. Their texts show the length measured, unpushed: pushed before a
// scale of 1:100 it would carry a value exact in millimetres to the next thousandth.
AIReal PushedLength(AIReal measured);

// With dimensionFormat 0, writes upper value [" " ± upper tolerance] [CR lower value
// [" " ± lower tolerance]] into theText; any other format leaves theText as it was. The
// length is in document points; the current scale applies. `error` is its float error in
// document points, from the coordinates it was measured along (doScaleAndUnits): both values
// are rounded with it. A text longer than theText holds keeps both values and their markers
// and cuts the tolerance texts. Returns 0.
int32_t makeGlobalDimensionString(double length, double error = 0);

// The text of one measured pair of a click chain, into theText: with the record's format 0
// the value's text (whatever the style's format, which is -1 once one pair was retyped),
// which the record keeps as its own; with any other format the label the record holds.
AIErr makePairDimensionString(live_dimension_text_data& record, double length, double error = 0);
