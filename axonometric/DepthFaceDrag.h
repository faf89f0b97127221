// The face drag of the depth primitives: a flat shape the depth shape tool (or a cube or
// cylinder) has made becomes the face a drag spans on one face of the current view,
// square in flat measure with shift, in whole grid steps for the depth grid, projected and
// recorded, and shown in the tracker.
#pragma once

#include "AITypes.h"

// One drag step from firstClick to endPoint on `face` with the flat art: the parallelogram
// the two points span (a flat square with shift, ignoreShift clear; whole grid steps while
// usingDepthGridTool is set, a grid group then replacing the art), the flat art scaled and
// moved onto its flat rectangle and projected (which records it), a from-centre tool's
// square kept centred on the pressed point, and the tracker told. A step that cannot
// draw (a code that is not a face, no direction, construction lines that do not cross, a
// grid side of no whole step, or a flat rectangle outside the largest artboard, 'CANT')
// leaves nothing behind: the art it was given, and whatever it made, are disposed of. Host
// errors and 'CANT' are returned; the others are 0.
AIErr DragAxonometricFace(AIArtHandle art);
