// Horizontal and vertical linear dimensions: for each pair of consecutive clicks of the
// click chain, two witness lines, the dimension line (whole, broken around its text, or as
// two outside stubs), terminators and the measured value (or the label the click chain
// gave the pair), all in one new group made live with the current style. On axonometric
// art the dimension is drawn in the clicked face's flat plane and projected onto it.
#pragma once

#include "AITypes.h"

// The horizontal distance between the clicks, at the height of the drag point (endPoint).
// On a face where the clicks lie one above the other it hands over to the vertical routine,
// which never hands back in the same call. Returns 0 without drawing until two clicks are
// recorded; otherwise the first error met.
AIErr doHorizontalConstrainedLinearTool();
// The vertical twin, at the drag point's h.
AIErr doVerticalConstrainedLinearTool();
