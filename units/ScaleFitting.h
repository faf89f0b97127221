// The scale assistant's arithmetic: the table scale at which a drawing brought to real size
// fits a space, and the matrix that gives a drawing another scale and centres it.
#pragma once

#include <cstdint>

#include "AITypes.h"

// The families of table scales the assistant fits with (its scale-type popup).
enum : int32_t {
    kArchitecturalScales = 0,  // ids 11-22
    kEngineeringScales = 1,    // ids 24-39
};

// The finest scale of the family whose scaler is greater than `factor` (the real size of
// the drawing per length available): the id before the first, in the table's order of
// falling scalers, whose scaler is at most the factor. -1 when no scale fits: the factor
// is at least the family's largest scaler, below its smallest, or no number.
int32_t FitTableScale(int32_t family, double factor);

// The matrix that takes art of bounds `art` (y up) to ratio / scaler times its size and
// centres it in `place`: the art's top-left corner lands on the place's top-left corner
// moved in by half the room the rescaled art leaves each way.
AIRealMatrix CentringMatrix(const AIRealRect& art, double ratio, double scaler, const AIRealRect& place);
