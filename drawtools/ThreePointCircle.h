// The three-point circle tool: the circle through three clicked points (snapped to anchors
// or the grid), found with the first of six orderings of the points whose chords the
// circumcentre formula can use, drawn as the four-segment ellipse of the circle tools.
#pragma once

#include "AITypes.h"

// The four segments of an axis-parallel ellipse, in path order.
struct circle_struct {
    AIPathSegment seg[4];
};

// Fills the record: from the centre, `origin` is the centre and extent the signed
// semi-axes; from a corner, the ellipse fills the box from origin to origin + extent (a
// circle with shift, unless shift is ignored). Creates no art; always 0.
AIErr NewZMKOval(AIRealPoint origin, AIRealPoint extent, int fromCenter, circle_struct* circle);

// Called at the mouse up of the third click: the circle through the three clicks.
// Points on one horizontal or vertical line show message 17072 and start a new set of
// clicks; three points on one slanted line draw nothing and keep the clicks, so the next
// click replaces the third.
AIErr doThreePointCircleTool();
