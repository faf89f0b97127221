// The geometry of dimensions drawn at any angle (the aligned dimensions and the aligned
// datum chains): feet dropped onto a line, directions that agree, text kept upright, the
// crossing of a line with a text's box, and the group of a dimension that turns out to have
// nothing to draw.
#pragma once

#include "AITypes.h"

// The length of the short line a point is dropped along, and of the one that stands for a
// line through a point at an angle.
constexpr AIReal kFootReach = 10.0f;

// The way from one point to another that lies on the line through it at `axis`: axis, or
// axis + pi where `to` lies behind; axis where they lie within a rounding of each other.
// Taken from the side `to` lies on, not the direction between them, which turns with their
// rounding where they lie close (a drag point on the clicks' line, a text point on an end).
AIReal WayAlong(const AIRealPoint& from, const AIRealPoint& to, AIReal axis);

// Two directions agree within tolerance; a whole turn apart counts as none (a line running
// right to left points at pi one way of reckoning and at -pi the other).
bool SameDirection(AIReal a, AIReal b, AIReal tolerance);

// The foot of p dropped at `angle` (along a short line from p) onto the line through l1 and
// l2; false when the lines do not cross.
bool Foot(const AIRealPoint& p, AIReal angle, const AIRealPoint& l1, const AIRealPoint& l2, AIRealPoint* foot);

// The direction square to `a` from `foot` towards `point`, which lies beside the line
// through the foot at a. Taken from the sign of the side, not the direction between the
// points: that tilts by the foot's rounding, most where the point lies near the line.
AIReal SquareTowards(AIReal a, const AIRealPoint& foot, const AIRealPoint& point);

// How far `to` lies from `from` along `a`, unsigned: worked from the two points in doubles,
// not between feet dropped from them, which move with the drag point's rounding.
double DistanceAlong(const AIRealPoint& from, const AIRealPoint& to, AIReal a);
// Its float error: that of the points' coordinates as the host holds them, along a.
double DistanceAlongError(const AIRealPoint& from, const AIRealPoint& to, AIReal a);

// Text turned to read along a line at angle `a`, never upside down.
AIReal Upright(AIReal a);

// Where the line from `from` through `through` crosses the box, the crossing nearer to
// `from`; both crossings start at `start`, which stands where the box is not crossed.
AIRealPoint NearerCut(const AIRealRect& box, const AIRealPoint& from, const AIRealPoint& through,
                      const AIRealPoint& start);

// The piece of a dimension line from its end `end` (its other end `other`, the line at
// angle `a`) up to the text's box: to where the line crosses the box nearer to the end (or
// to `start` where it does not), when that lies on the way to the other end and the text
// does not cover the end. Taken along a and between the ends, not through the text point,
// which may lie a rounding from an end and would turn the line and the way.
bool CutAtText(const AIRealRect& box, const AIRealPoint& end, const AIRealPoint& other, AIReal a,
               const AIRealPoint& start, AIRealPoint* cut);

// Nothing to draw: the group made for the dimension goes again. Returns the host's error.
AIErr DiscardDimensionGroup();
