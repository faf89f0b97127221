// What the arc-length, fillet radius, curve radius and tangent line tools find under a
// click: the piece of a path the hit names, and the circle of curvature measured there.
#pragma once

#include "AITypes.h"
#include "geometry/CurveFit.h"

// A hit on an anchor or on the curve of a path that is no dimension's art.
struct PathClick {
    AIArtHandle art = nullptr;
    int16_t type = -1;     // kSegAnchorType or kSegCurveType
    AIRealPoint point{};   // the anchor, or the point on the curve, as the host found it
    AIReal t = 0;          // the host's parameter of a hit on the curve
    int16_t first = 0;     // the anchors the piece runs between: a hit on the curve ending at
    int16_t second = 0;    // anchor s, or on anchor s, names s - 1 to s (s = 0: the closing
                           // piece of a closed path, the first piece of an open one)
    AIRealBezier piece{};
};

// The art the curvature tools hit-test: the measured art while a dimension is redrawn (so
// that its own old lines, lying over the curve, are never measured instead), else all art.
AIArtHandle CurvatureHitTarget();

// The piece a hit of `type` on `segment` of the path names (as the host numbers them), its
// point the anchor of an anchor hit, else the piece's start; `found` false for a path of
// one anchor. Host errors come back as they are.
AIErr PathClickOn(AIArtHandle path, int16_t segment, int16_t type, PathClick* click, bool* found);
// Hit-tests `target` (null: all art) at p and reads the two anchors of the piece hit (only
// those: a path of thousands of anchors costs what two do). `found` says whether there was
// such a hit (a fill, a text, a dimension's art or a path of one anchor is none); host
// errors come back as they are.
AIErr PathClickAt(AIArtHandle target, const AIRealPoint& p, PathClick* click, bool* found);

// The curvature at a click, as the curve radius and tangent line tools measure it.
enum class Curvature {
    kMeasured,       // `fit` holds the point, radius, direction and centre
    kNoHit,          // nothing usable under the click
    kNothingToDraw,  // a straight piece, an anchor hit 2 points or more from the piece's
                     // ends, no curvature at the point, or no centre (too flat, too small)
};
struct CurvatureAtClick {
    PathClick click;
    AIReal t = 0;  // the parameter of the piece measured
    CircleFit fit;
};
// An anchor hit measures the piece at its end anchor (t = 1) or its start (t = 0), within 2
// points; a hit on the curve where the one-point walk from the piece's start first comes
// within 2 points of the hit. g->art takes the path hit.
AIErr GetCurvatureAtClick(AIArtHandle target, const AIRealPoint& p, CurvatureAtClick* out, Curvature* outcome);

// A dimension drawn into `group` whole, or nothing: when `drawn` is an error the group goes
// (what was drawn is no dimension, and no redraw may keep it) and the error is returned.
AIErr DimensionOrNothing(AIArtHandle group, AIErr drawn);

// The curve radius and tangent tools measure where the cursor is: the drag point becomes
// the first click and the click chain's one node describes it afresh (the art, piece and
// parameter the mouse-up stores), as the press did.
AIErr ClickAtCursor();
