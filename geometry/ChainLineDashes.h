// The dashes of the chain lines drawn over a dragged line, laid out symmetrically about its
// midpoint: a section line's (short dashes of 9 and long ones of 36 with gaps of 4.5) and a
// centre line's (long dashes of 36 and short ones of 9 with gaps of 9, a short dash on the
// midpoint). Pure arithmetic: distances along the line from its first end, in points.
#pragma once

#include <vector>

#include "AITypes.h"

// One dash: from `from` to `to`, distances along the line from its first end.
struct DashPiece {
    AIReal from, to;
};

// The dashes of a line of half-length h in drawing order: from the midpoint outwards each
// pass's pieces, the one before the midpoint first and its mirror after it; then the last
// short dash pair, and the end dashes to the first end and to the far end (at 2h). The
// pattern repeats while a whole pass and its ends fit; a line too short for even the ends
// gets them anyway, reaching past its ends and back. A line of more than 1,000 passes (a
// half-length of some 68,000 points) makes the rest of its length the two end dashes.
// Nothing for an h that is not a finite number.
std::vector<DashPiece> SectionLineDashes(AIReal h);
std::vector<DashPiece> CenterLineDashes(AIReal h);
