// Where a point snaps: onto a point of the drawing near it (an anchor, the middle of a
// segment, the centre of a closed path; never a dimension's) when snapping to objects is
// on, else onto the shown grid, a rectangular grid from the ruler origin and an isometric
// one along the view's receding axes. Both within the grid snap tolerance.
#pragma once

#include <cstdint>
#include <vector>

#include "AITypes.h"

// The object snap points no farther than reach from p along either axis: the anchors of the
// paths there, the middle of each of their segments, and the centre of each closed one, on
// visible top-level layers other than the grids and ruler layers (hidden art, text and
// dimensions left out), in the order of the layers and of the art in them. The paths near p
// come from the host's index of art by bounds, so the answer costs what lies near p, never
// a walk of the drawing.
std::vector<AIRealPoint> ObjectSnapPointsNear(AIRealPoint p, double reach);

// Non-zero when in snaps, with the snapped point in out (out untouched otherwise): to the
// nearest object point within prefs.gridSnapTolerance when objectSnapFullScreenCursor is on,
// else to the shown grid within that tolerance when snapToGrid is on.
int16_t snapToGridCheckAxonometric(const AIRealPoint* in, AIRealPoint* out);
