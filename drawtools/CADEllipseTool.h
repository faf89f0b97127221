// The CAD circle and ellipse tools: one closed path of four smooth Bezier segments with
// anchors at the +x, +y, -x and -y extremes and its centre point shown, dragged from a
// corner of its box (`cadcircletool`) or from its centre (`cadcirclecentertool`); option
// swaps the two, shift makes a circle, a click opens "CADEllipse". The tracker shows the
// size, angle, perimeter (five-point Gauss-Legendre) and area while it is dragged.
#pragma once

#include <cstdint>

#include "AITool.h"
#include "AITypes.h"

// Handles of the four-segment ellipse: semi-axis x 2 / 3.6213737826.
AIReal EllipseHandleLength(AIReal semiAxis);
// The four segments about the centre with semi-axes a (along x) and b (along y), >= 0.
void FourSegmentEllipse(const AIRealPoint& centre, AIReal a, AIReal b, AIPathSegment segments[4]);
// The perimeter by the five-point Gauss-Legendre rule (exact for a circle, low for flat
// ellipses) and the area.
AIReal EllipsePerimeter(AIReal a, AIReal b);
AIReal EllipseArea(AIReal a, AIReal b);

// The drag: from a corner (0) or from the centre (1).
AIErr doCADCircleTool(int16_t fromCenter);
// The drag as the tools run it, with the tracker's length and perimeter captions set to
// what was drawn once it succeeded.
AIErr CADCircleDrag(int16_t fromCenter);
// An ellipse of the signed full width and height (drawn points) at `firstClick`.
AIErr doInputCADCircleTool(int16_t fromCenter, double width, double height);

// "CADEllipse" for a click with either tool, and what its OK draws.
AIErr doPlotwiseEllipseDialog(const AIToolMessage* message);
AIErr BuildEllipseFromDialog();
