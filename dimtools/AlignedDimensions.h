// Aligned linear dimensions: the true distance between consecutive clicks of the click chain,
// measured along the direction from the first click to the second, on a dimension line
// parallel to that direction through the drag point. One dimension per pair of clicks, all
// in one new group made live with the current style; flat art only.
#pragma once

#include "AITypes.h"

// Draws the dimension from the click chain and the drag point (endPoint, left as it was).
// Returns 0 without drawing until two clicks are recorded, and when the clicks and the drag
// point make no dimension line (the first and last clicks at one place, or lying across
// the measured direction, or the drag point on their line); otherwise the first error met.
AIErr doUnconstrainedLinearTool();
