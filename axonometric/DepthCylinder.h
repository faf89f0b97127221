// The depth cylinder tool's stages (the cylinder's form is CylinderBody's): the base is
// dragged as the depth ellipse is; once the mouse is up the cursor sets the length, and
// the next click keeps the cylinder.
#pragma once

// One stage of the cylinder: the base while firstMouseNotYetUp is set (fitted to the drag,
// recorded as type 6 unless autoExpandAxoArt is set), else the body for the cursor at
// primitiveTrackLoc, the pieces gathered into the primitive group and tagged for the drag
// timer, and the group recorded (type 5). Host errors do not stop the stage.
void DrawCylinder();
