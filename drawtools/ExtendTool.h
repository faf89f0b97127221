// The extend tool: the first click picks the end segment of an open path, the second the
// boundary segment (of any path, even the same one); at the second release the path's end
// is lengthened, or shortened, to where the end segment's line meets the boundary. A
// straight end moves its nearer anchor onto the crossing; a curved end gains a straight
// segment along its end tangent. The path stays the same art, with its layer, stacking
// place, style and dictionary. Nothing changes when there is no crossing; a message says why.
#pragma once

#include "AITypes.h"

// Messages (17000 + n) the tool shows.
enum : int32_t {
    kOnlyEndsExtendMessage = 27,
    kPathsDoNotCrossMessage = 29,
    kNoCrossingLineMessage = 28,
};

// Both click flags are cleared on every way out; 0 also when the clicks are not both made.
AIErr doCADExtendTool();
