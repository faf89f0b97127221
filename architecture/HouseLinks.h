// The dimensions measuring a house follow it when it is drawn again: the click records on
// the art of the old house are written on the new art at the places that correspond (the
// same corner of the same wall end or jamb, the same point of a wall's face, the same line
// of a door's or window's symbol), so that the next update measures the house as it now
// is. A click whose place is no longer there keeps the point it measured, as a click in
// empty space, and its dimension is named to the user.
#pragma once

#include <cstdint>
#include <vector>

#include "AITypes.h"
#include "architecture/House.h"

// Carries the click records of `old`'s art onto `drawn` (no house: nothing keeps them);
// `removedWall` is the wall of `old` that `drawn` leaves out (-1: none), the others keeping
// their order. `detached` receives the ids of the dimensions whose measured place is gone.
AIErr CarryDimensionLinks(const House& old, int32_t removedWall, const House& drawn, std::vector<int32_t>* detached);

// Tells the user which dimensions no longer measure the house, each by what it reads.
void SayDetachedDimensions(const std::vector<int32_t>& ids);
