// The shape-construction suite: closed rectangles and ovals placed on top of the current
// layer with the current path style.
#pragma once

#include "AITypes.h"

#define kAIShapeConstructionSuite "AI Shape Construction Suite"
#define kAIShapeConstructionSuiteVersion 1

struct AIShapeConstructionSuite {
    // From the top-left corner `from` extending size.h right and size.v down (or centred on
    // `from`); four corner anchors, reversed turns the direction.
    AIErr (*NewPointSizeRect)(AIRealPoint from, AIRealPoint size, ASBoolean centered, ASBoolean reversed,
                              ASBoolean centerPointVisible, AIArtHandle* art);
    // The ellipse inscribed in that rectangle, four Bezier pieces.
    AIErr (*NewPointSizeOval)(AIRealPoint from, AIRealPoint size, ASBoolean centered, ASBoolean reversed,
                              ASBoolean centerPointVisible, AIArtHandle* art);
    AIErr (*NewRect)(AIReal top, AIReal left, AIReal bottom, AIReal right, ASBoolean reversed,
                     AIArtHandle* art);
    AIErr (*NewOval)(AIReal top, AIReal left, AIReal bottom, AIReal right, ASBoolean reversed,
                     AIArtHandle* art);
};
