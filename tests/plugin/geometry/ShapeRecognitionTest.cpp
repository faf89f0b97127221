// The rectangle and circle tests of automatic dimensioning over hand-written anchors: sides
// level and upright in turn (starting either way), square bounds within 0.1, opposite
// anchors above each other or level, and smooth anchors only for a circle.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "geometry/ShapeRecognition.h"

namespace {

AIPathSegment Corner(AIReal h, AIReal v) {
    AIPathSegment s{};
    s.p = s.in = s.out = {h, v};
    s.corner = true;
    return s;
}

AIPathSegment Smooth(AIReal h, AIReal v, AIReal dh, AIReal dv) {
    AIPathSegment s{};
    s.p = {h, v};
    s.in = {h - dh, v - dv};
    s.out = {h + dh, v + dv};
    return s;
}

std::vector<AIPathSegment> Corners(std::initializer_list<AIRealPoint> points) {
    std::vector<AIPathSegment> out;
    for (const AIRealPoint& p : points) out.push_back(Corner(p.h, p.v));
    return out;
}

// A circle of radius 36 round (0,0), from the top clockwise, handles 0.5523 of the radius.
std::vector<AIPathSegment> Circle(AIReal r = 36) {
    const AIReal k = r * 0.5523f;
    return {Smooth(0, r, k, 0), Smooth(r, 0, 0, -k), Smooth(0, -r, -k, 0), Smooth(-r, 0, 0, k)};
}

TEST(ShapeRecognition, RectanglesStandOnASideWhicheverWayTheirAnchorsRun) {
    EXPECT_TRUE(AnchorsMakeRectangle(Corners({{0, 72}, {144, 72}, {144, 0}, {0, 0}})));  // level first
    EXPECT_TRUE(AnchorsMakeRectangle(Corners({{0, 0}, {0, 50}, {80, 50}, {80, 0}})));    // upright first
    EXPECT_TRUE(AnchorsMakeRectangle(Corners({{80, 0}, {0, 0}, {0, 50}, {80, 50}})));    // anticlockwise
    // A trapezium, a square on its corner, three and five anchors.
    EXPECT_FALSE(AnchorsMakeRectangle(Corners({{0, 72}, {144, 72}, {120, 0}, {0, 0}})));
    EXPECT_FALSE(AnchorsMakeRectangle(Corners({{50, 100}, {100, 50}, {50, 0}, {0, 50}})));
    EXPECT_FALSE(AnchorsMakeRectangle(Corners({{0, 0}, {10, 0}, {10, 10}})));
    EXPECT_FALSE(AnchorsMakeRectangle(Corners({{0, 72}, {72, 72}, {144, 72}, {144, 0}, {0, 0}})));
    // Comparisons are exact: a corner a hair off is no rectangle.
    EXPECT_FALSE(AnchorsMakeRectangle(Corners({{0, 72}, {144, 72.001f}, {144, 0}, {0, 0}})));
}

TEST(ShapeRecognition, CirclesHaveSquareBoundsWithinATenthAndOppositeAnchorsInLine) {
    EXPECT_TRUE(AnchorsMakeCircle(Circle(), 72, 72));
    EXPECT_TRUE(AnchorsMakeCircle(Circle(), 72.1f, 72));
    EXPECT_FALSE(AnchorsMakeCircle(Circle(), 72.2f, 72));
    // Bounds as the host gives them (top above bottom) or turned round.
    EXPECT_TRUE(AnchorsMakeCircle(Circle(), -72, 72));
    // Starting from the right-hand anchor: first and third level, second and fourth upright.
    auto turned = Circle();
    std::rotate(turned.begin(), turned.begin() + 1, turned.end());
    EXPECT_TRUE(AnchorsMakeCircle(turned, 72, 72));
    // A circle drawn with its anchors at 45 degrees has neither pair in line.
    const AIReal d = 25.455844f, k = 19.88f;
    const std::vector<AIPathSegment> slanted{Smooth(d, d, k, -k), Smooth(d, -d, -k, -k), Smooth(-d, -d, -k, k),
                                             Smooth(-d, d, k, k)};
    EXPECT_FALSE(AnchorsMakeCircle(slanted, 72, 72));
    // Five anchors.
    auto five = Circle();
    five.push_back(Smooth(-10, 30, 1, 1));
    EXPECT_FALSE(AnchorsMakeCircle(five, 72, 72));
}

TEST(ShapeRecognition, ASquareOnItsCornerHasSquareBoundsButIsNoCircle) {
    // Corner anchors where a circle's smooth ones would be.
    EXPECT_FALSE(AnchorsMakeCircle(Corners({{0, 36}, {36, 0}, {0, -36}, {-36, 0}}), 72, 72));
    // One retracted handle pair is enough to refuse it.
    auto flat = Circle();
    flat[2] = Corner(0, -36);
    EXPECT_FALSE(AnchorsMakeCircle(flat, 72, 72));
}

}  // namespace
