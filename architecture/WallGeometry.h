// The geometry of a house's walls, worked out from its record alone: each wall is the line
// the drafter drew (its datum line) with a thickness on one side of it, the other, or both;
// two walls whose lines end at one point meet in a mitre (where more end there, the first two
// drawn that can, the others butting square into their corner); openings cut a wall into pieces;
// and the house is drawn as the outline of all its pieces together. Also where a press
// lands on the walls, and whether a door or window fits where it is asked for.
//
// Points are host points (h right, v up); the arithmetic is in doubles so that outlines of
// large houses close exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "AITypes.h"

// Which line the drafter draws: the centre of the wall, or one of its faces. With a face,
// the wall lies to the right of the direction of drawing (inside face: a house drawn
// counter-clockwise is drawn along its rooms) or to its left (outside face).
enum : int32_t { kCenterDatum = 0, kInsideFaceDatum = 1, kOutsideFaceDatum = 2 };
enum : int32_t { kDoorOpening = 1, kWindowOpening = 2 };

// Entries of a stored record this version does not know (HouseRecord.h), written back as
// they were read wherever the wall or opening that held them goes; none for one made here.
struct StoredEntry;
using UnknownEntries = std::shared_ptr<const std::vector<StoredEntry>>;

struct WallPoint {
    double h = 0, v = 0;
};

struct WallOpening {
    int32_t kind = kDoorOpening;
    double at = 0;      // its middle, measured along the datum line from the wall's start
    double width = 0;
    int32_t side = 0;   // a door opens to the right of the wall's direction (0) or to its left (1)
    int32_t hinge = 0;  // a door's hinge: at the end of the opening nearer the wall's start (0) or farther (1)
    UnknownEntries unknown;
};

struct Wall {
    WallPoint start, end;
    double thickness = 0;
    int32_t datum = kCenterDatum;
    std::vector<WallOpening> openings;  // in the order they were made
    UnknownEntries unknown;
    // The number of openings its record gave where the record holds another (its openings
    // were read all the same): written right, and the user told, when the wall is stored.
    // -1: the record's number was right, or the wall was made here.
    int32_t openingCountRead = -1;
};

using WallPolygon = std::vector<WallPoint>;  // closed, counter-clockwise

double Distance(WallPoint a, WallPoint b);
// Where p lies on the segment a-b, as a share of the way from a, when within reach of it.
bool OnSegment(WallPoint a, WallPoint b, WallPoint p, double reach, double* share);

// A wall's datum line as a frame: start, unit direction, the unit normal to its right, its
// length, and how far its faces lie along the normal (lo < hi).
struct WallFrame {
    WallPoint p, d, n;
    double length = 0, lo = 0, hi = 0;
    WallPoint at(double s, double offset) const { return {p.h + d.h * s + n.h * offset, p.v + d.v * s + n.v * offset}; }
    double along(WallPoint q) const { return (q.h - p.h) * d.h + (q.v - p.v) * d.v; }
    double across(WallPoint q) const { return (q.h - p.h) * n.h + (q.v - p.v) * n.v; }
};
WallFrame FrameOf(const Wall& wall);

// The four corners of each wall after the mitres: the start's corner on the lo face and on
// the hi face, then the end's. A wall with no length or thickness has none worth drawing.
struct WallCorners {
    WallPoint startLo, startHi, endLo, endHi;
};
std::vector<WallCorners> JoinWalls(const std::vector<Wall>& walls);

// The pieces each wall is cut into by its openings (in the wall's order), every piece a
// convex quadrilateral; `owner` (when given) receives the wall of each piece.
std::vector<WallPolygon> WallPieces(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners,
                                    std::vector<size_t>* owner = nullptr);

// The outline of the union of convex counter-clockwise polygons: outer contours
// counter-clockwise, the rooms they enclose clockwise, each without a vertex in the middle
// of a straight run. Polygons closer than 0.01 point meet as if they touched. Should the
// pieces not close into contours, the polygons are given back as they are (their union
// under the non-zero rule).
std::vector<WallPolygon> UnionOutline(const std::vector<WallPolygon>& polygons);

// The outline of a whole house (its corners, as JoinWalls finds them, given or worked out).
std::vector<WallPolygon> HouseOutline(const std::vector<Wall>& walls);
std::vector<WallPolygon> HouseOutline(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners);

// A place on a house's outline named by the wall that makes it, so that it can be found again
// once the house has changed: a point of one of the wall's faces, kept where it was along the
// wall; or a point of the line across one of its ends (a mitre or an end cap) or across a
// jamb of one of its doors and windows, kept at its share of the way from the lo face to
// the hi face (0 and 1 are corners).
struct OutlinePlace {
    enum Kind : int32_t { kFace, kEnd, kJamb } kind = kFace;
    size_t wall = 0;
    size_t opening = 0;  // kJamb: which
    int32_t which = 0;   // kEnd: 0 the start, 1 the end; kJamb: 0 the side nearer the wall's start, 1 the other
    int32_t face = 0;    // kFace: 0 the lo face, 1 the hi face
    double share = 0;    // kEnd, kJamb
    WallPoint at;        // kFace: the point itself
};
// The places of the outline lying within `reach` of p: with `corner`, only corners (the ends
// and jambs at a face), else any.
std::vector<OutlinePlace> OutlinePlacesAt(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners,
                                          WallPoint p, bool corner, double reach);
// Where the place lies among these walls, its wall being `wall` now; false when the door or
// window it lay on is no longer there.
bool FindOutlinePlace(const OutlinePlace& place, size_t wall, const std::vector<Wall>& walls,
                      const std::vector<WallCorners>& corners, WallPoint* p);

// Where a press lands on the walls: at the free end of a wall (its end cap), at an end two
// or more walls share (a corner), on a wall's face, or away from every wall (a new house).
enum class WallPlace : int32_t { kNewWall, kEndCap, kFace, kCorner };
struct WallStart {
    WallPlace place = WallPlace::kNewWall;
    WallPoint at;  // where the new wall's line starts
};
// A press on a wall (within 2 points of it) within a thickness of one of its ends, along the
// wall, starts at that end; elsewhere on the wall, on its nearer face. Off every wall, an end
// within 3 points is taken.
WallStart FindWallStart(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, WallPoint p);
// Where a dragged wall ends, by the same rules on the walls it reaches (not within 2 points
// of them, but on them); `start` is not taken as an end.
WallPoint SnapWallEnd(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, WallPoint start,
                      WallPoint p);
// The wall under a point (within `tolerance` of its corners' shape), the one whose datum line
// is nearest when several are; -1 for none.
int32_t WallAt(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, WallPoint p,
               double tolerance);

// The stretch of the wall's datum line clear of the corners its mitres make at both ends
// (from, to: distances from its start).
std::pair<double, double> ClearSpan(const Wall& wall, const WallCorners& corners);

// Whether an opening of that width fits with its middle at `at` along the wall, and if not,
// why. `skip` is an opening of the wall left out of the check (-1: none).
enum class OpeningFit : int32_t {
    kFits,
    kWiderThanWall,    // the wall's clear length is shorter than the opening
    kPastEnd,          // it would run past the end of the wall, into a corner
    kOverOpening,      // it would overlap another door or window of the wall
    kOverJoiningWall,  // it would cut into a wall that meets this one along its face
};
OpeningFit CheckOpening(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, size_t wall,
                        double at, double width, int32_t skip = -1);

// The first opening of the house that does not fit where it is (wall and opening given
// back), or kFits.
OpeningFit CheckAllOpenings(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, size_t* wall,
                            size_t* opening);

// The walls with wall `index` moved `offset` along its right-hand normal, parallel to itself.
// The walls meeting it follow: an end at one of its ends, or on it, moves with it, so the
// walls it meets stretch; their openings keep their places.
std::vector<Wall> MoveWall(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, size_t index,
                           double offset);
