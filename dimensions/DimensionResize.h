// The dimension-resize tool: a live dimension grabbed and dragged to a new distance from the
// art it measures. The first drag finds the dimension under the press and its clicks, the
// drags redraw it with its drag point under the cursor, and the release stores the new
// offset on the measured art and redraws every dimension.
#pragma once

#include "AITypes.h"

// The dimension under the press (firstClick): selected, shown in the panels, its clicks
// and base point loaded (click 1 as the art now is; the centre of the art for a radius or
// diameter), and its group hidden while the drags draw it. A press on nothing says that art
// must be clicked; a press on anything but a visible live dimension does nothing, and so
// does one on a dimension whose clicks or style cannot be found: it stays as it was.
AIErr PreProcessDimResizeTool();
// The offset from the base point to the cursor (endPoint), and the dimension drawn there.
AIErr DoDimResizeTool();
// The offset stored in the dimension's drag click (its first click for a curvature
// dimension), the drawn dimension in place of the grabbed one, every dimension redrawn;
// then nothing is selected. A release before any drawing gives the grabbed one back.
AIErr PostProcessDimResizeTool();
// A resize given up (its press refused, the tool deselected): the last drag's drawing goes
// and the grabbed dimension is shown again, as it was.
AIErr AbandonDimResizeTool();
