// Direction constraints that follow the current axonometric view of the preferences: a
// dragged direction snapped to the nearest axis, with the face that axis belongs to.
#pragma once

#include <cstdint>

#include "AITypes.h"

// Snaps the angle (radians) to the nearest of horizontal, vertical and the two receding
// axes of `prefs.isoView`, either way along each, and sets face: 8 for horizontal and
// vertical, 0x100 for the right face's axis (isoView.a), 0x80 for the left face's
// (isoView.b). Always 0.
AIErr GetRealAxomentricConstrainAngle(AIReal* angle, int32_t* face);
