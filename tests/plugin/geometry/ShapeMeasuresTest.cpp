// Perimeters and areas of whole shapes against values found without the code under test:
// closed forms (2 pi r and pi r^2, a parabola's arc, the Gauss-Kummer series of an
// ellipse's perimeter, a rectangle), else a polygon of 200,000 points per span of the same
// cubics (the ellipse as the ellipse tool draws it, the bracket's spline). Outlines that
// cross fill what plane geometry gives by hand: triangles, a regular star, a circles' lens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

#include "geometry/BezierGeometry.h"
#include "geometry/PlaneGeometry.h"

namespace {

using Segments = std::vector<AIPathSegment>;

AIPathSegment Corner(AIReal h, AIReal v) { return {{h, v}, {h, v}, {h, v}, 1}; }

// An ellipse of semi-axes a and b as n arcs with handles 4/3 tan(theta / 4) long (n = 4: the
// ellipse tool's 0.5523), anticlockwise.
Segments Ellipse(double a, double b, int n) {
    const double theta = 2 * M_PI / n, k = 4.0 / 3 * std::tan(theta / 4);
    Segments out;
    for (int i = 0; i < n; ++i) {
        const double c = std::cos(i * theta), s = std::sin(i * theta);
        const auto at = [&](double x, double y) { return AIRealPoint{AIReal(a * x), AIReal(b * y)}; };
        out.push_back({at(c, s), at(c + k * s, s - k * c), at(c - k * s, s + k * c), 0});
    }
    return out;
}

// Length and shoelace area of the closed path's polygon.
std::pair<double, double> Sampled(const Segments& s) {
    double length = 0, area = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        const AIPathSegment &a = s[k], &b = s[(k + 1) % s.size()];
        double px = a.p.h, py = a.p.v;
        for (int i = 1; i <= 200000; ++i) {
            const double t = i / 200000.0, u = 1 - t;
            const double x = u * u * u * a.p.h + 3 * u * u * t * a.out.h + 3 * u * t * t * b.in.h + t * t * t * b.p.h;
            const double y = u * u * u * a.p.v + 3 * u * u * t * a.out.v + 3 * u * t * t * b.in.v + t * t * t * b.p.v;
            length += std::hypot(x - px, y - py);
            area += (px * y - x * py) / 2;
            px = x;
            py = y;
        }
    }
    return {length, area};
}

// pi (a + b) times the sum of binomial(1/2, n)^2 h^n.
double EllipsePerimeter(double a, double b) {
    const double h = std::pow((a - b) / (a + b), 2);
    double sum = 0, binomial = 1, power = 1;
    for (int n = 0; n < 4000; ++n, power *= h) {
        sum += binomial * binomial * power;
        binomial *= (0.5 - n) / (n + 1);
    }
    return M_PI * (a + b) * sum;
}

TEST(ShapeMeasures, PerimetersAndAreasAgainstIndependentValues) {
    // examples/curvature-bracket.json: a spline between corner anchors whose handles bend it.
    Segments bracket = {Corner(140, 80), Corner(480, 80), Corner(480, 170), Corner(310, 320), Corner(140, 320)};
    bracket[2].out = {480, 260};
    bracket[3].in = {400, 320};
    // y = 60 - x^2 / 60 for x from -60 to 60, one cubic between corner anchors.
    Segments parabola = {Corner(-60, 0), Corner(60, 0)};
    parabola[0].out = {-20, 80};
    parabola[1].in = {20, 80};
    const auto [drawnLength, drawnArea] = Sampled(Ellipse(74.5, 2.3, 4));
    const auto [bracketLength, bracketArea] = Sampled(bracket);
    const struct {
        const char* name;
        Segments segments;
        bool closed;
        double length, area;  // area < 0: none (an open path)
    } rows[] = {
        {"circle r 100 of 16 arcs", Ellipse(100, 100, 16), true, 2 * M_PI * 100, M_PI * 100 * 100},
        {"ellipse 149 x 4.6 of 64 arcs", Ellipse(74.5, 2.3, 64), true, EllipsePerimeter(74.5, 2.3), M_PI * 74.5 * 2.3},
        {"ellipse 149 x 4.6 as drawn: 4.1476 in", Ellipse(74.5, 2.3, 4), true, drawnLength, drawnArea},
        {"bracket: 840 straight and the spline", bracket, true, bracketLength, bracketArea},
        {"parabola between corners", parabola, false, 60 * (std::sqrt(5.0) + std::asinh(2.0) / 2), -1},
        {"rectangle 12,001 x 12,011", {Corner(0, 0), Corner(12001, 0), Corner(12001, 12011), Corner(0, 12011)}, true,
         2 * (12001 + 12011), 12001.0 * 12011},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        AIReal area = 0, perimeter = 0;
        const auto count = static_cast<ai_int16>(r.segments.size());
        ASSERT_EQ(getPathAreaAndPerimeter(r.segments.data(), count, r.closed, &area, &perimeter), kNoErr);
        EXPECT_NEAR(perimeter, r.length, 2e-4 + 1e-7 * r.length);  // a float holds seven digits
        EXPECT_NEAR(area, r.area < 0 ? kMissingValue : r.area, 1e-6 * std::fabs(r.area));
    }
    EXPECT_NEAR(bracketLength, 1092.52, 0.005);
    // The trim tool's length, anchor to anchor, and the figure the chord closes: 2/3 of 120 x 60.
    AIReal length = 0, area = 0, perimeter = 0;
    ASSERT_EQ(calculatePathLength(parabola.data(), 2, 0, 1, &length), kNoErr);
    EXPECT_NEAR(length, 60 * (std::sqrt(5.0) + std::asinh(2.0) / 2), 2e-4);
    ASSERT_EQ(calculatePathAreaAndPerimeter(parabola.data(), 2, 0, 1, false, &area, &perimeter), kNoErr);
    EXPECT_NEAR(std::fabs(area), 4800, 1e-3);
}

Segments Polygon(std::initializer_list<AIRealPoint> corners) {
    Segments out;
    for (const AIRealPoint& p : corners) out.push_back(Corner(p.h, p.v));
    return out;
}

Segments Moved(Segments s, AIReal dh, AIReal dv) {
    for (AIPathSegment& each : s)
        for (AIRealPoint* p : {&each.p, &each.in, &each.out}) *p = {p->h + dh, p->v + dv};
    return s;
}

Segments Reversed(Segments s) {
    std::reverse(s.begin(), s.end());
    for (AIPathSegment& each : s) std::swap(each.in, each.out);
    return s;
}

// A regular star of radius 100 drawn as one path through every second point.
Segments Pentagram() {
    Segments out;
    for (int k = 0; k < 5; ++k) {
        const double a = M_PI / 2 + 2 * M_PI * (2 * k % 5) / 5;
        out.push_back(Corner(AIReal(100 * std::cos(a)), AIReal(100 * std::sin(a))));
    }
    return out;
}

// Each row's area under both rules, for the path alone (one contour) and the compound path.
TEST(ShapeMeasures, CrossingOutlinesFillByTheirRule) {
    const Segments bowTie = Polygon({{0, 0}, {100, 100}, {100, 0}, {0, 100}});
    const Segments square = Polygon({{0, 0}, {200, 0}, {200, 200}, {0, 200}});
    // Round the 200 square and on round a 100 square inside it, joined by a line walked twice.
    const Segments twice = Polygon({{0, 0}, {200, 0}, {200, 200}, {0, 200}, {0, 0}, {50, 50}, {150, 50}, {150, 150},
                                    {50, 150}, {50, 50}});
    const Segments frame = Polygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    const Segments frameHole = Reversed(Polygon({{20, 20}, {80, 20}, {80, 80}, {20, 80}}));
    const Segments tab = Polygon({{90, 40}, {110, 40}, {110, 60}, {90, 60}});  // across the frame's right side
    // Star: ten triangles of R r sin 36 / 2, r = R cos 72 / cos 36; the pentagon 5/2 r^2 sin 72.
    const double r = 100 * std::cos(2 * M_PI / 5) / std::cos(M_PI / 5);
    const double star = 5 * 100 * r * std::sin(M_PI / 5), pentagon = 2.5 * r * r * std::sin(2 * M_PI / 5);
    // Circles of radius 100, centres 100 apart: the lens is r^2 (2 pi / 3 - sqrt 3 / 2).
    const double lens = 1e4 * (2 * M_PI / 3 - std::sqrt(3.0) / 2);
    // Four spans of handles k r: each quarter holds (10 + 12 k - 3 k^2) / 20 r^2 (Green's
    // theorem on the cubic's control points).
    const double k = 4.0 / 3 * std::tan(M_PI / 8);
    const struct {
        const char* name;
        std::vector<Segments> contours;
        double nonZero, evenOdd;
    } rows[] = {
        {"bow tie: two triangles", {bowTie}, 5000, 5000},
        {"pentagram: the star, its points", {Pentagram()}, star, star - pentagon},
        {"a square walked round inside a square", {twice}, 40000, 30000},
        {"200 squares overlapping by 100, wound alike", {square, Moved(square, 100, 100)}, 70000, 60000},
        {"the same wound against each other", {square, Reversed(Moved(square, 100, 100))}, 60000, 60000},
        {"a frame and a tab across its side", {frame, frameHole, tab}, 6600, 6400},
        {"two circles of 16 arcs", {Ellipse(100, 100, 16), Moved(Ellipse(100, 100, 16), 100, 0)},
         2e4 * M_PI - lens, 2e4 * M_PI - 2 * lens},
        {"a circle of four spans, crossing nothing", {Ellipse(100, 100, 4)}, (10 + 12 * k - 3 * k * k) / 5 * 1e4,
         (10 + 12 * k - 3 * k * k) / 5 * 1e4},
    };
    for (const auto& row : rows) {
        for (const bool evenOdd : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (evenOdd ? ", even-odd" : ", non-zero"));
            const double expected = evenOdd ? row.evenOdd : row.nonZero;
            std::vector<PathContour> contours;
            for (const Segments& c : row.contours) contours.push_back({c.data(), ai_int16(c.size()), true});
            const std::vector<double> shares = filledAreaShares(contours, evenOdd);
            EXPECT_NEAR(std::fabs(std::accumulate(shares.begin(), shares.end(), 0.0)), expected, 1e-6 * expected);
            if (contours.size() > 1) continue;
            AIReal area = 0, perimeter = 0;
            ASSERT_EQ(getPathAreaAndPerimeter(contours[0].segments, contours[0].count, true, &area, &perimeter, evenOdd),
                      kNoErr);
            EXPECT_NEAR(area, expected, 1e-6 * expected);
        }
    }
}

// What cannot be measured, or held in a float, is no area: the field stays empty.
TEST(ShapeMeasures, AreasOutOfReachAreMissing) {
    const AIReal nan = std::numeric_limits<AIReal>::quiet_NaN();
    const struct {
        const char* name;
        Segments path;
        double area;  // < 0: missing
    } rows[] = {
        {"bow tie with a corner not a number", Polygon({{0, 0}, {100, 100}, {nan, 0}, {0, 100}}), -1},
        {"bow tie 1e15 across", Polygon({{0, 0}, {1e15f, 1e15f}, {1e15f, 0}, {0, 1e15f}}), 5e29},
        {"bow tie 1e30 across", Polygon({{0, 0}, {1e30f, 1e30f}, {1e30f, 0}, {0, 1e30f}}), -1},
        {"square 1e30 across", Polygon({{0, 0}, {1e30f, 0}, {1e30f, 1e30f}, {0, 1e30f}}), -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        AIReal area = 0, perimeter = 0;
        ASSERT_EQ(getPathAreaAndPerimeter(row.path.data(), ai_int16(row.path.size()), true, &area, &perimeter), kNoErr);
        if (row.area < 0)
            EXPECT_EQ(area, kMissingValue);
        else
            EXPECT_NEAR(area, row.area, 1e-6 * row.area);
        const PathContour contour{row.path.data(), ai_int16(row.path.size()), true};
        EXPECT_EQ(filledAreaShares({&contour, 1}, true).size(), 1u);
    }
}

// Spans meet where they cross or touch; neighbours only where one runs back along the other.
TEST(ShapeMeasures, SpansMeetWhereTheyCrossOrTouch) {
    Segments arch = Polygon({{0, 0}, {100, 0}});  // a curve and the chord back
    arch[0].out = {10, 60};
    arch[1].in = {90, 60};
    Segments loop = Polygon({{0, 0}, {100, 0}});  // the curve crosses itself at about (50, 43)
    loop[0].out = {150, 100};
    loop[1].in = {-50, 100};
    const Segments circle = Ellipse(100, 100, 4), inner = Ellipse(99, 99, 4);
    const struct {
        const char* name;
        std::vector<const Segments*> contours;
        bool meet;
    } rows[] = {
        {"a circle", {&circle}, false},
        {"an arch on its chord", {&arch}, false},
        {"a circle just inside another", {&circle, &inner}, false},
        {"a curve looping over itself", {&loop}, true},
    };
    for (const auto& row : rows) {
        std::vector<PathContour> contours;
        for (const Segments* c : row.contours) contours.push_back({c->data(), ai_int16(c->size()), true});
        EXPECT_EQ(contoursMeet(contours), row.meet) << row.name;
    }
}

}  // namespace
