// The shapes automatic dimensioning tells apart by their anchors: rectangles standing on a
// side, and circles (four smooth anchors, opposite ones level or upright with each other,
// inside square bounds). Comparisons are exact, as the anchors of drawn shapes are.
#pragma once

#include <span>

#include "AITypes.h"

// Four anchors whose sides run alternately level and upright, starting with either.
// Handles and whether the path is closed are not looked at.
bool AnchorsMakeRectangle(std::span<const AIPathSegment> anchors);

// Four anchors inside bounds of equal width and height (within 0.1), the first and third
// one above the other with the second and fourth level, or the first and third level with
// the second and fourth one above the other; and every anchor with a handle off its point,
// so that a square standing on a corner is not taken for a circle.
bool AnchorsMakeCircle(std::span<const AIPathSegment> anchors, AIReal width, AIReal height);
