// The numeric input of the depth cube and cylinder: a click without a drag or a tracked
// move opens "Depth Cube" (17730: width, height, depth) or "Depth Cylinder" (17760:
// the base's width and height, its face and the length, which may be negative), and OK
// draws the primitive at the click into a new group, which ends up the only selected art.
#pragma once

#include "AITool.h"

AIErr doCubeDialog(const AIToolMessage* message);
AIErr doCylinderDialog(const AIToolMessage* message);

// What OK draws at firstClick (snapped onto an anchor under it). The cube: three faces
// anchored by the corner each projection keeps, so that they meet at the click, in a group
// when the cube tool is current (left face uppermost). The cylinder, only while the
// cylinder tool is current: the base centred on the click, the body along the axis of its
// face, and the records of the group, base and body (none while projected art is
// expanded); a base with no side lines says so and leaves the group alone.
AIErr doInputCubeTool();
AIErr doInputCylinderTool();
