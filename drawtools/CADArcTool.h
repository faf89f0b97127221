// The CAD arc tools: an arc by radius (first click the centre, second click the radius and
// the start direction, the cursor the end direction) and an arc by two points (the clicks
// are the ends, the cursor moves the centre along the chord's perpendicular bisector). The
// command key draws the complementary arc; option swaps the two tools. A second click
// without a drag opens "CADArcByRadius" or "CADArcByPoints", whose OK closes the dialog and
// draws with the typed values.
#pragma once

#include <cstdint>

#include "AITypes.h"

// Mode 1 by radius, 2 by points. Nothing happens unless both clicks are recorded.
AIErr doCADArcTool(int16_t mode);

// The dialogs a click opens, and what their OK draws.
AIErr doArcByRadiusDialog();
AIErr doArcByPointsDialog();
AIErr BuildArcByRadiusFromDialog();
AIErr BuildArcByPointsFromDialog();
// OK of "CADArcByPoints" refuses (message 17020, the dialog stays open) a radius smaller
// than half the distance between the two clicks.
bool arcByPointsRadiusFits();
