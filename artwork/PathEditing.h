// Edits and walks of path art: its anchors read, an anchor added into a span at a parameter, and area and
// perimeter summed over groups and compound paths.
#pragma once

#include <vector>

#include "AITypes.h"

// The anchors of a path, and whether it is closed when asked.
AIErr ReadPathSegments(AIArtHandle path, std::vector<AIPathSegment>* anchors, bool* closed);

// Takes the art away with the groups and compound paths holding it that it leaves empty
// (never a layer's group): an edit that joins one path into another leaves no empty group.
AIErr DisposeArtWithEmptiedParents(AIArtHandle art);

// Splits span n (-1: the closing span) at t by de Casteljau: a smooth anchor at n + 1
// with the curve point and its tangent handles, the neighbours' handles scaled by t and
// 1 - t. 'RANG' for a span the path does not have.
AIErr AddBezierPoint(std::vector<AIPathSegment>& segments, ai_int16 n, AIReal t);
AIErr AddBezierPoint(AIArtHandle path, ai_int16 n, AIReal t);

// Walks art (and, unless it is stop, its following siblings) into groups and compound
// paths: plain closed paths add their area to area, members of compound paths their share
// of the compound's fill (CompoundPathAreaShares) to compArea, every path its length to
// perimeter. The outputs accumulate.
AIErr getGroupAreaAndPerimeter(AIArtHandle art, AIArtHandle stop, int compoundParent, AIReal* area, AIReal* compArea,
                               AIReal* perimeter);
