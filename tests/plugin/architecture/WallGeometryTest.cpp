// The geometry of walls against outlines worked by hand: an L-shaped house of six walls
// drawn counter-clockwise along each datum, a door cut into it, a partition meeting a wall
// in a T, a wall moved with its neighbours following, and every way an opening cannot fit.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "architecture/WallGeometry.h"

namespace {

using Points = std::vector<WallPoint>;

// The L: 300 wide at the bottom, 200 high on the left, its notch at (100, 100).
const Points kL = {{0, 0}, {300, 0}, {300, 100}, {100, 100}, {100, 200}, {0, 200}};

std::vector<Wall> Chain(const Points& corners, double thickness, int32_t datum, bool closed = true) {
    std::vector<Wall> walls;
    const size_t n = closed ? corners.size() : corners.size() - 1;
    for (size_t i = 0; i < n; ++i) {
        Wall w;
        w.start = corners[i];
        w.end = corners[(i + 1) % corners.size()];
        w.thickness = thickness;
        w.datum = datum;
        walls.push_back(w);
    }
    return walls;
}

double Area(const Points& p) {
    double a = 0;
    for (size_t i = 0; i < p.size(); ++i) a += p[i].h * p[(i + 1) % p.size()].v - p[(i + 1) % p.size()].h * p[i].v;
    return a / 2;
}

// The same points in the same cyclic order, wherever the contour starts.
::testing::AssertionResult SameContour(const Points& got, const Points& want) {
    auto text = [](const Points& p) {
        std::string s;
        for (WallPoint q : p) s += "(" + std::to_string(q.h) + ", " + std::to_string(q.v) + ") ";
        return s;
    };
    if (got.size() == want.size())
        for (size_t shift = 0; shift < got.size(); ++shift) {
            bool all = true;
            for (size_t i = 0; i < got.size() && all; ++i) {
                const WallPoint a = got[(i + shift) % got.size()], b = want[i];
                all = std::fabs(a.h - b.h) < 1e-6 && std::fabs(a.v - b.v) < 1e-6;
            }
            if (all) return ::testing::AssertionSuccess();
        }
    return ::testing::AssertionFailure() << "got " << text(got) << "\nwant " << text(want);
}

Points Reversed(Points p) { return {p.rbegin(), p.rend()}; }

TEST(WallGeometry, AnLShapedHouseAtEachDatum) {
    // Counter-clockwise, the inside face is the drawn line and the wall lies outside it;
    // the outside face has the wall inside; the centre has half on each side.
    const Points out10 = {{-10, -10}, {310, -10}, {310, 110}, {110, 110}, {110, 210}, {-10, 210}};
    const Points in10 = {{10, 10}, {290, 10}, {290, 90}, {90, 90}, {90, 190}, {10, 190}};
    const Points out5 = {{-5, -5}, {305, -5}, {305, 105}, {105, 105}, {105, 205}, {-5, 205}};
    const Points in5 = {{5, 5}, {295, 5}, {295, 95}, {95, 95}, {95, 195}, {5, 195}};
    const struct {
        int32_t datum;
        double thickness;
        Points outer, room;
    } cases[] = {
        {kInsideFaceDatum, 10, out10, kL},
        {kOutsideFaceDatum, 10, kL, in10},
        {kCenterDatum, 10, out5, in5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("datum " + std::to_string(c.datum));
        const std::vector<WallPolygon> outline = HouseOutline(Chain(kL, c.thickness, c.datum));
        ASSERT_EQ(outline.size(), 2u);
        const size_t outer = Area(outline[0]) > 0 ? 0 : 1;
        EXPECT_TRUE(SameContour(outline[outer], c.outer));
        // The room runs clockwise: the walls' inside is on its left.
        EXPECT_TRUE(SameContour(outline[1 - outer], Reversed(c.room)));
    }
}

TEST(WallGeometry, ADoorCutIntoTheLOpensTheRingIntoOneContour) {
    std::vector<Wall> walls = Chain(kL, 10, kInsideFaceDatum);
    walls[0].openings.push_back({kDoorOpening, 150, 36});  // 132 to 168 along the bottom wall
    const std::vector<WallPolygon> outline = HouseOutline(walls);
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_TRUE(SameContour(outline[0], {{168, -10}, {310, -10}, {310, 110}, {110, 110}, {110, 210}, {-10, 210},
                                         {-10, -10}, {132, -10}, {132, 0}, {0, 0}, {0, 200}, {100, 200},
                                         {100, 100}, {300, 100}, {300, 0}, {168, 0}}));
}

TEST(WallGeometry, APartitionFromAFaceMakesOneOutlineWithoutTheSharedPiece) {
    std::vector<Wall> walls = Chain({{0, 0}, {200, 0}}, 10, kCenterDatum, false);
    walls.push_back(Chain({{100, 5}, {100, 100}}, 10, kCenterDatum, false)[0]);
    const std::vector<WallPolygon> outline = HouseOutline(walls);
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_TRUE(
        SameContour(outline[0], {{0, -5}, {200, -5}, {200, 5}, {105, 5}, {105, 100}, {95, 100}, {95, 5}, {0, 5}}));
}

TEST(WallGeometry, WherePressesLand) {
    const std::vector<Wall> walls = Chain({{0, 0}, {200, 0}, {200, 100}}, 10, kInsideFaceDatum, false);
    const std::vector<WallCorners> corners = JoinWalls(walls);
    const struct {
        WallPoint press;
        WallPlace place;
        WallPoint at;
    } cases[] = {
        {{4, -3}, WallPlace::kEndCap, {0, 0}},       // within a thickness of the free end
        {{198, -2}, WallPlace::kCorner, {200, 0}},   // the end two walls share
        {{100, -7}, WallPlace::kFace, {100, -10}},   // nearer the outer face
        {{100, -2}, WallPlace::kFace, {100, 0}},     // nearer the drawn face
        {{100, 50}, WallPlace::kNewWall, {100, 50}}, // off every wall
    };
    for (const auto& c : cases) {
        const WallStart s = FindWallStart(walls, corners, c.press);
        EXPECT_EQ(s.place, c.place) << c.press.h << ", " << c.press.v;
        EXPECT_NEAR(s.at.h, c.at.h, 1e-9);
        EXPECT_NEAR(s.at.v, c.at.v, 1e-9);
    }
}

TEST(WallGeometry, AMovedWallStretchesTheWallsMeetingIt) {
    // A 200 by 100 room drawn counter-clockwise with a partition from its right wall and a
    // window in its top wall; the right wall (drawn upwards, so its right is +x) moved 50
    // outwards.
    std::vector<Wall> walls = Chain({{0, 0}, {200, 0}, {200, 100}, {0, 100}}, 10, kCenterDatum);
    walls.push_back(Chain({{195, 50}, {120, 50}}, 10, kCenterDatum, false)[0]);
    walls[2].openings.push_back({kWindowOpening, 100, 40});  // the top wall runs from x 200 to 0
    const std::vector<Wall> moved = MoveWall(walls, JoinWalls(walls), 1, 50);
    const WallPoint want[][2] = {
        {{0, 0}, {250, 0}}, {{250, 0}, {250, 100}}, {{250, 100}, {0, 100}}, {{0, 100}, {0, 0}}, {{245, 50}, {120, 50}}};
    ASSERT_EQ(moved.size(), 5u);
    for (size_t i = 0; i < moved.size(); ++i) {
        EXPECT_NEAR(moved[i].start.h, want[i][0].h, 1e-9) << "wall " << i;
        EXPECT_NEAR(moved[i].start.v, want[i][0].v, 1e-9) << "wall " << i;
        EXPECT_NEAR(moved[i].end.h, want[i][1].h, 1e-9) << "wall " << i;
        EXPECT_NEAR(moved[i].end.v, want[i][1].v, 1e-9) << "wall " << i;
    }
    EXPECT_NEAR(moved[2].openings[0].at, 150, 1e-9);  // still at x 100
}

TEST(WallGeometry, EveryWayAnOpeningCannotFit) {
    // The L with centred walls 10 thick: the bottom wall's mitres leave it clear from 5 to
    // 295; a door already at 82 to 118; a partition from its top face at x 195 to 205.
    std::vector<Wall> walls = Chain(kL, 10, kCenterDatum);
    walls[0].openings.push_back({kDoorOpening, 100, 36});
    walls.push_back(Chain({{200, 5}, {200, 95}}, 10, kCenterDatum, false)[0]);
    const std::vector<WallCorners> corners = JoinWalls(walls);
    const struct {
        size_t wall;
        double at, width;
        OpeningFit fit;
    } cases[] = {
        {0, 250, 36, OpeningFit::kFits},
        {0, 136, 36, OpeningFit::kFits},              // touching the door is fine
        {0, 150, 300, OpeningFit::kWiderThanWall},    // 290 clear
        {3, 50, 120, OpeningFit::kWiderThanWall},     // the notch's upright wall: 90 clear
        {0, 20, 36, OpeningFit::kPastEnd},            // from 2, into the corner
        {0, 280, 36, OpeningFit::kPastEnd},           // to 298
        {0, 130, 36, OpeningFit::kOverOpening},       // 112 to 148 over the door
        {0, 190, 36, OpeningFit::kOverJoiningWall},   // 172 to 208 over the partition
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckOpening(walls, corners, c.wall, c.at, c.width), c.fit) << "wall " << c.wall << " at " << c.at;
}

}  // namespace
