// The CAD rectangle tools: an axis-aligned rectangle of four corner anchors with its centre
// point shown, dragged from a corner (`cadrecttool`) or from the centre
// (`cadrectcentertool`); option swaps the two, shift makes a square, and a click opens
// "CADRect" (width and height) to draw it at the click.
#pragma once

#include <cstdint>

#include "AITool.h"

enum : int16_t {
    kFromCorner = 0,
    kFromCenter = 1,
};

// The drag, from a corner or from the centre.
AIErr doCADRectTool(int16_t mode);
// A rectangle of the signed width and height (drawn points) at `firstClick`.
AIErr doInputCADRectTool(int16_t mode, double width, double height);

// "CADRect" for a click with either tool, and what its OK draws.
AIErr doPlotwiseRectDialog(const AIToolMessage* message);
AIErr BuildRectFromDialog();

// The mode of a rectangle or ellipse tool: the centre tool draws from the centre, the
// other from a corner, option swapping them.
int16_t ModeOfTool(bool centreTool);
