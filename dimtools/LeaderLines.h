// The leader of a label: the line from the point on the art the label points at to where
// its frame sits, in one of six kinds, with the style's terminator at the art.
#pragma once

#include <cstdint>

#include "AITypes.h"

// Leader kinds (the style's labelLeader).
enum : int32_t {
    kElbowLeader = 0,     // a leg from start to the knee, then a level shelf to the end
    kArcLeader = 1,       // one curve leaving start upright and reaching end level (ctrl: the other way)
    kKinkedLeader = 2,    // a straight line with an S-shaped jog of 5 points either side at its middle
    kStraightLeader = 3,  // one line from start to end; any kind not listed draws like it
    kMultipleLeader = 4,  // a leg from every click of the chain to the knee, the first going on to the end
    kWaveLeader = 5,      // one S-shaped curve crossing the line from start to end at its middle
};

// Draws the leader of kind labelLeader from start (on the art) to end (where the label
// attaches) into group (null: each path above firstArt), painted as a dimension line; mid
// is the knee of kinds 0 and 4. The arc's proportions (leaderArcWidth 25 and
// leaderArcHeight 50 percent) are set again on every call. With useEndPointGraphics the
// style's terminator stands at start, aimed along the leader's first stretch: at the knee
// (kind 0), a terminator's length along the arc (kind 1, at most its end), the middle
// (kind 2), the end (kind 3), the wave's first handle (kind 5); kind 4 puts one at each
// clicked point aimed at the knee, and none at start (with no chain, start is its one
// leg). The first failing host call's or terminator's error is returned; what was drawn
// stays.
AIErr drawLeaderLine(AIRealPoint start, AIRealPoint mid, AIRealPoint end, AIArtHandle group, int32_t labelLeader,
                     int useEndPointGraphics);
