// The depth shape tool: the drag step the depth tools share. The face comes from the
// modifier keys, the pressed point and the cursor snap (to anchors, to the grid, and the
// cursor to where guide lines through an axonometric path under the press cross), a flat
// shape of the tool's kind spans them and the face drag puts it onto the face; the
// isometric panel's view pad then shows the face being drawn on.
#pragma once

#include <cstdint>

#include "AITypes.h"

// The shapes of the depth tools.
enum : int16_t {
    kDepthRectangleShape = 1,
    kDepthOvalShape = 3,
    kDepthCubeShape = 8,
    kDepthCylinderShape = 9,
    kDepthGridShape = 12,
};

// One drag step: option draws on the top face, else command on the right, else the left;
// firstClick and endPoint are snapped (endPoint first to a guide-line crossing within the
// grid snap tolerance, canAnnotateIntersection and annotationFace telling the annotator),
// firstClick is the mirror of endPoint about the press when drawing from the centre, and a
// shape never less than 1 point wide or high goes to DragAxonometricFace. A hint that
// cannot be worked out (art under the press that is no axonometric path, or whose record
// names no face) is left out; the shape is drawn all the same. Host errors of the hit tests
// or of making the shape end the step with nothing drawn. ignoreShift is clear afterwards,
// whatever happened.
AIErr IsometricShapeTool(int16_t fromCenter, int16_t kind);
