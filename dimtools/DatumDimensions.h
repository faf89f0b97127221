// Datum-chain dimensions: the first click of the click chain is the datum, and every later
// click gets one dimension whose value is its distance from the datum, all in one new group
// made live with the current style. Stacked (the style's chainDatum 0): each dimension
// complete, one stacking step further out than the one before. Running (chainDatum on):
// one level, each value written past its witness line's outer end and a zero at the
// datum's; with JISDatumTerminator one continuous line from an origin mark at the datum,
// an arrowhead at every click.
#pragma once

#include "AITypes.h"

// Measured horizontally, the dimension lines at the height of the drag point (endPoint). On
// an axonometric face where the clicks lie one above the other it hands over to the
// vertical routine, at most once a call, and returns that routine's result. Returns 0
// without drawing until two clicks are recorded; otherwise the first error met.
AIErr doHorizontalDatumChainTool();
// The vertical twin, the dimension lines at the drag point's h.
AIErr doVerticalDatumChainTool();
// At any angle: measured along the direction from the first click to the second, the
// dimension lines parallel to it on the drag point's side of the first and last clicks.
// Draws nothing (and returns 0) where the clicks and the drag point make no line.
AIErr doULDatumChainTool();
