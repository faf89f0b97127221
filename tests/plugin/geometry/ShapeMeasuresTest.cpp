// Perimeters and areas of whole shapes against values found without the code under test:
// closed forms (2 pi r and pi r^2, a parabola's arc, the Gauss-Kummer series of an
// ellipse's perimeter, a rectangle), else a polygon of 200,000 points per span of the same
// cubics (the ellipse as the ellipse tool draws it, the bracket's spline).
#include <gtest/gtest.h>

#include <cmath>
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

}  // namespace
