// The path routines on host path art: each reads the path's segments through the path
// suite and hands them to the segment forms of PlaneGeometry.h and BezierGeometry.h.
#pragma once

#include <vector>

#include "AITypes.h"

// Length from anchor `from` to anchor `to`, reading one segment at a time; the host's
// error of a segment read is returned at once, leaving the missing-value marker.
AIErr calculatePathLength(AIArtHandle path, ai_int16 from, ai_int16 to, AIReal* length);
AIErr ZMKGetPathRealBezier(AIArtHandle path, ai_int16 n, AIRealBezier* bez);
AIReal TAtLength(AIArtHandle path, ai_int16 seg, AIReal length);
// Signed area and perimeter between two segment indices (see BezierGeometry.h).
AIErr calculatePathAreaAndPerimeter(AIArtHandle path, ai_int16 first, ai_int16 last, ai_int16 closed, AIReal* area,
                                    AIReal* perimeter);
// The path's area by its own fill rule, and its length, as measured (for what is shown).
AIErr getPathAreaAndPerimeter(AIArtHandle path, double* area, double* perimeter);

// The paths of a compound path (those in groups within it too), each with its share of the
// area the compound fills by its fill rule (filledAreaShares): negative for a hole.
struct MemberShare {
    AIArtHandle path = nullptr;
    double share = 0;
};
AIErr CompoundPathAreaShares(AIArtHandle compound, std::vector<MemberShare>& shares);
