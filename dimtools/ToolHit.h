// The hit test of the radial, centre-mark and angle tools: one reference, given back to
// the host on every way out, and the anchors of the straight line a hit segment stands for.
#pragma once

#include "AIHitTest.h"
#include "AITypes.h"

class ToolHit {
public:
    ToolHit() = default;
    ~ToolHit();
    ToolHit(const ToolHit&) = delete;
    ToolHit& operator=(const ToolHit&) = delete;
    // Hit-tests the target art (null: the whole document) at the point with request 0 and
    // reads the hit; a second test gives the first reference back first.
    AIErr Test(AIArtHandle target, const AIRealPoint& point, AIToolHitData* data);

private:
    AIHitRef ref_ = nullptr;
};

// The straight line a hit on a path stands for: the anchors of the segment the hit lies on
// (a curve counts as the line through its two anchors). A hit on the curve ending at anchor
// s, or on anchor s itself, gives anchors s - 1 and s; s = 0 gives the closing segment of a
// closed path and the first segment of an open one. 'CADE' for a path of fewer than two
// anchors; host errors as they come, with nothing written.
AIErr HitSegmentAnchors(AIArtHandle path, int16_t segment, AIRealPoint* a, AIRealPoint* b);
