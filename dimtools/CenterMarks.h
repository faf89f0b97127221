// Centre marks: a crosshair on the centre of a clicked circle or ellipse (any art gets one
// from its stroke-less bounds), with long lines out to 9 points beyond the art unless
// option is held, drawn into one new group made live. The axonometric tool draws it in the
// flat plane of a projected circle and projects it onto the circle's face, centred on it.
#pragma once

#include "AITypes.h"

// The click tool's mouse-up (and the redraw of a stored mark, and automatic dimensioning):
// the art is the one under firstClick, or the measured art itself while regenerating or
// dimensioning automatically (so a redraw needs no hit). Nothing under the click: the
// art-must-be-clicked alert and 'CADE'.
AIErr doCircleCenterTool();
