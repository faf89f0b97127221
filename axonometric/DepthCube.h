// The depth cube: a box drawn on the current view in two stages. The first stage drags one
// face as the depth rectangle does; once the mouse is up, the cursor pulls the box out in
// depth (the second face dragged from the first face's front corner to where the cursor
// meets the edge that recedes from it, the third face projected to close the box), and the
// next click keeps it. The three faces go into the primitive group, each with its own
// record, so that they follow later views one by one.
#pragma once

#include "AITypes.h"

// One stage of the cube: the first face while firstMouseNotYetUp is set, else the second
// and third faces for the cursor at primitiveTrackLoc (clamped, and written back, so the
// box is at least a point deep and never turns inside out). Shift never constrains a cube
// face. In the second stage the pieces and the group are tagged for the drag timer, the
// group selected and the timer started. The result is that of the stage's last face; a
// host error does not stop the stage.
AIErr DrawCube();
