// Grid services of axonometric drawing: the grid spacing and its subdivisions for the
// ruler unit and the zoom, the grid lines as shown, and the depth grid object, the flat
// form of a grid drawn with the depth grid tool (a closed outline with major and minor
// lines), which its caller then projects onto a face.
#pragma once

#include "AITypes.h"
#include "axonometric/GuideGeometry.h"

// From the ruler unit and the zoom of document view 0: prefs.gridSpacing,
// prefs.gridNumSubdivisions (whole, at least 1) and gridSnapInc (spacing divided by the
// unrounded subdivisions, at least 1 point). A failure to get the view or its zoom is
// returned with nothing set.
AIErr SetGridSpacingAndSubdivisions();
// The grid lines as the preferences show them (none while the grid is hidden), every
// gridSnapInc (worked out for the view first when it is not yet).
GridSnapLines ShownGridLines();

// A grid in a new group (gridGroup) on top of the current layer: the outline of the
// rectangle with corners p1 (top-left) and p2 (bottom-right) in gridObjStyle, and lines
// every gridSnapInc counted from the edges through p3, 1 point wide every
// gridNumSubdivisions lines and 0.5 point otherwise. Lines stay inside the outline. A
// missing current layer, or one that has no art group, draws nothing, leaves gridGroup as it
// was and gives 'LOCK' (or the host's error); a locked or hidden one draws nothing either,
// the user told which layer stops it ('CADE').
AIErr DrawGridObject(const AIRealPoint* p1, const AIRealPoint* p2, const AIRealPoint* p3);
// One open two-anchor line in gridObjStyle, on top inside group, or above firstArt when
// group is null.
AIErr drawGridObjLineFromPoints(AIArtHandle group, const AIRealPoint* from, const AIRealPoint* to);
