// The outline-stroke suite: a path's stroke expanded into filled art, as the host's
// "expand stroke" makes it. The outline lies half the stroke's width to each side of the
// path, curves offset to within 0.01 pt (pieces subdivided as needed), with the stroke's
// joins at corners (miter while the miter length stays within the miter limit times the
// width, else bevel; round; bevel) and, on an open path, its caps (butt, round,
// projecting); a curve turning back on itself within the tolerance counts as a corner joined
// round. A dashed stroke is outlined as if solid. Where the stroke overlaps itself (the
// inner side of a corner, a side narrower than the stroke) the outline is trimmed to the
// edge of the stroked area.
#pragma once

#include "AITypes.h"

#define kAIOutlineStrokeSuite "AI Outline Stroke Suite"
#define kAIOutlineStrokeSuiteVersion 1

struct AIOutlineStrokeSuite {
    // Replaces `path` in its place by a group, `result`, holding the outline filled with the
    // stroke's paint and unstroked. Outlines run with the stroke on their right.
    // - A closed path gives a compound path of closed contours: those on the right of the
    //   path's direction first, then those on its left (the normal at the tangent + 90°), so
    //   a counter-clockwise path gives its outer contour, then its inner one. A side the
    //   stroke covers entirely (an inward offset wider than the shape) leaves no contour;
    //   a single contour left is a plain path.
    // - An open path gives one closed path around the whole stroke, starting at the start's
    //   left corner (the start + half the width along the normal): along the left side to
    //   the end, round the end cap, back along the right side and round the start cap. A
    //   stroke enclosing holes gives a compound path, the outline first.
    // The path goes, with its dictionary and tags. 'PARM' for art other than a path (or a
    // contour of a compound path), for a stroke not painted or of no positive width, and
    // for a path without length; 'RANG' when a contour would pass 32767 anchors; 'LOCK' on
    // a locked or hidden layer. On an error nothing changes.
    AIErr (*OutlineStroke)(AIArtHandle path, AIArtHandle* result);
};
