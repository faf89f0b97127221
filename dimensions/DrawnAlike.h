// Whether a dimension redrawn draws what its group drew before: the same tree of art, each
// piece of the same kind with the same attributes, dictionary, geometry, paint and text. A
// redraw that would only put art in the place of its like keeps the art it has, so an
// update of a drawing nobody edited leaves every object as it was and is no step of undo.
#pragma once

#include <vector>

#include "AITypes.h"

// The members of a group or compound path, topmost first (none when the host cannot give them).
std::vector<AIArtHandle> ArtMembers(AIArtHandle art);

// `passOver` names the members of either group that are not its own drawing (art of the
// user's a dimension's group may hold, which the redraw may have taken into the new group).
bool DrawnAlike(AIArtHandle drawn, AIArtHandle redrawn, bool (*passOver)(AIArtHandle));
