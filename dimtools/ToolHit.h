// What the dimension tools make of a hit on a path: the anchors of the straight line the hit
// segment stands for. The hit reference itself is core's `HitRef`.
#pragma once

#include "AITypes.h"
#include "core/PlotwiseHitTest.h"

// The straight line a hit on a path stands for: the anchors of the segment the hit lies on
// (a curve counts as the line through its two anchors). A hit on the curve ending at anchor
// s, or on anchor s itself, gives anchors s - 1 and s; s = 0 gives the closing segment of a
// closed path and the first segment of an open one. 'CADE' for a path of fewer than two
// anchors; host errors as they come, with nothing written.
AIErr HitSegmentAnchors(AIArtHandle path, int16_t segment, AIRealPoint* a, AIRealPoint* b);
// The same rule as the indices of the two anchors.
AIErr HitSegmentEnds(AIArtHandle path, int16_t segment, int16_t* first, int16_t* second);
