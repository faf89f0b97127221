// Automatic segment dimensions: one press on a straight segment of a path and a drag
// dimension the whole segment. The press becomes the segment's two end points, the two
// clicks of a horizontal, vertical or aligned dimension that the linear routines draw.
#pragma once

#include "AITypes.h"

// Turns the press at firstClick into the two clicks of the path segment under it:
// firstClick and secondClick become its end points and the click chain exactly two nodes
// on that path (`art`), with the axonometric records an axonometric tool draws in. The
// vertical tools refuse a level segment (message 17006) and the horizontal ones an upright
// segment (17007), unless option is held or, on flat art, automatic dimensioning runs
// (which, when it names its path in firstClickArt, is looked for on that path alone).
// Another dimension's art over the segment is passed over; a press on no path segment,
// on a dimension's art alone or on a path of fewer than two anchors is refused (message
// 17002). A lettered, numbered or custom style makes the
// label the chain carries; its counter moves on only once the dimension is finished. A
// chain left from before is emptied first, whatever the outcome.
AIErr PrepAutoDimTools();

// The automatic tools' own steps: the press marks the gesture unprepared; its first drag
// prepares it, and later drags draw with `draw` (nothing after a refusal).
AIErr AutoSegmentToolMouseDown();
AIErr AutoSegmentToolDrag(AIErr (*draw)());
