// Lengths, perimeters and areas of whole shapes against values found without the code
// under test: closed forms (a circle's 2 pi r and pi r^2, a parabola's arc, an ellipse's
// perimeter by the Gauss-Kummer series, a rectangle), and a fine polygon of the same cubics
// where no closed form exists (the ellipse as the ellipse tool draws it, a bracket's spline).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/BezierGeometry.h"
#include "geometry/PlaneGeometry.h"

namespace {

using Segments = std::vector<AIPathSegment>;

AIPathSegment Corner(double h, double v) {
    const AIRealPoint p{static_cast<AIReal>(h), static_cast<AIReal>(v)};
    return {p, p, p, 1};
}

// An ellipse of semi-axes a and b about the origin as n arcs, each the image of a circular
// arc with handles 4/3 tan(theta / 4) long (n = 4: the ellipse tool's 0.5523), anticlockwise.
Segments Ellipse(double a, double b, int n) {
    const double theta = 2 * M_PI / n, k = 4.0 / 3 * std::tan(theta / 4);
    Segments out;
    for (int i = 0; i < n; ++i) {
        const double c = std::cos(i * theta), s = std::sin(i * theta);
        const auto at = [&](double x, double y) { return AIRealPoint{static_cast<AIReal>(a * x), static_cast<AIReal>(b * y)}; };
        out.push_back({at(c, s), at(c + k * s, s - k * c), at(c - k * s, s + k * c), 0});
    }
    return out;
}

// Length and shoelace area of the closed path's spans sampled 200,000 times each, in double.
struct Sampled {
    double length = 0, area = 0;
};
Sampled Sample(const Segments& s) {
    Sampled out;
    const size_t n = s.size();
    constexpr int kSteps = 200000;
    for (size_t k = 0; k < n; ++k) {
        const AIPathSegment& a = s[k];
        const AIPathSegment& b = s[(k + 1) % n];
        double px = a.p.h, py = a.p.v;
        for (int i = 1; i <= kSteps; ++i) {
            const double t = static_cast<double>(i) / kSteps, u = 1 - t;
            const double x = u * u * u * a.p.h + 3 * u * u * t * a.out.h + 3 * u * t * t * b.in.h + t * t * t * b.p.h;
            const double y = u * u * u * a.p.v + 3 * u * u * t * a.out.v + 3 * u * t * t * b.in.v + t * t * t * b.p.v;
            out.length += std::hypot(x - px, y - py);
            out.area += (px * y - x * py) / 2;
            px = x;
            py = y;
        }
    }
    return out;
}

// The perimeter of an ellipse: pi (a + b) times the sum of binomial(1/2, n)^2 h^n.
double EllipsePerimeter(double a, double b) {
    const double h = std::pow((a - b) / (a + b), 2);
    double sum = 0, binomial = 1, power = 1;
    for (int n = 0; n < 4000; ++n) {
        sum += binomial * binomial * power;
        binomial *= (0.5 - n) / (n + 1);
        power *= h;
    }
    return M_PI * (a + b) * sum;
}

// The bracket of examples/curvature-bracket.json: a spline edge between two corner anchors
// whose handles make the curve.
Segments Bracket() {
    Segments s = {Corner(140, 80), Corner(480, 80), Corner(480, 170), Corner(310, 320), Corner(140, 320)};
    s[2].out = {480, 260};
    s[3].in = {400, 320};
    return s;
}

// The parabola y = 60 - x^2 / 60 from x = -60 to 60 as one cubic between corner anchors.
Segments Parabola() {
    Segments s = {Corner(-60, 0), Corner(60, 0)};
    s[0].out = {-20, 80};
    s[1].in = {20, 80};
    return s;
}

TEST(ShapeMeasures, LengthsAndAreasAgainstIndependentValues) {
    const Sampled drawnEllipse = Sample(Ellipse(74.5, 2.3, 4));
    const Sampled bracket = Sample(Bracket());
    const struct Row {
        const char* name;
        Segments segments;
        bool closed;
        double length, area;  // area < 0: none expected (an open path)
        double tolerance;     // of the length; the area's is relative
    } rows[] = {
        {"circle r 100 of 16 arcs", Ellipse(100, 100, 16), true, 2 * M_PI * 100, M_PI * 100 * 100, 2e-4},
        {"ellipse 149 x 4.6 of 64 arcs", Ellipse(74.5, 2.3, 64), true, EllipsePerimeter(74.5, 2.3), M_PI * 74.5 * 2.3,
         2e-4},
        // 298.62 points, 4.1476": its ends turn on a radius of 0.07 points.
        {"ellipse 149 x 4.6 as drawn", Ellipse(74.5, 2.3, 4), true, drawnEllipse.length, drawnEllipse.area, 2e-4},
        // 840 points of straight edges and the spline: 1,092.52.
        {"bracket", Bracket(), true, bracket.length, bracket.area, 2e-4},
        // 60 (sqrt 5 + asinh(2) / 2) long; closed by its chord, two thirds of 120 x 60.
        {"parabola between corners", Parabola(), false, 60 * (std::sqrt(5.0) + std::asinh(2.0) / 2), -1, 2e-4},
        {"rectangle 12,001 x 12,011", {Corner(0, 0), Corner(12001, 0), Corner(12001, 12011), Corner(0, 12011)}, true,
         2 * (12001 + 12011), 12001.0 * 12011, 1e-2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto count = static_cast<ai_int16>(r.segments.size());
        AIReal area = 0, perimeter = 0, length = 0;
        ASSERT_EQ(getPathAreaAndPerimeter(r.segments.data(), count, r.closed, &area, &perimeter), kNoErr);
        EXPECT_NEAR(perimeter, r.length, r.tolerance + 1e-7 * r.length);  // a float holds seven digits
        if (r.area < 0) {
            EXPECT_EQ(area, kMissingValue);
        } else {
            EXPECT_NEAR(area, r.area, 1e-6 * r.area);
        }
        // Anchor to anchor, the closing span left out of an open path.
        ASSERT_EQ(calculatePathLength(r.segments.data(), count, 0, static_cast<ai_int16>(count - 1), &length), kNoErr);
        const double closing = r.closed ? std::hypot(r.segments.back().p.h - r.segments[0].p.h,
                                                     r.segments.back().p.v - r.segments[0].p.v)
                                        : 0;
        if (r.segments.back().corner && r.segments[0].corner) {  // a straight closing span
            EXPECT_NEAR(length, r.length - closing, r.tolerance + 1e-7 * r.length);
        }
    }
    EXPECT_NEAR(bracket.length, 1092.52, 0.005);  // as a drafter works it: 840 and the spline
    AIReal area = 0, perimeter = 0;
    const Segments parabola = Parabola();
    ASSERT_EQ(calculatePathAreaAndPerimeter(parabola.data(), 2, 0, 1, false, &area, &perimeter), kNoErr);
    EXPECT_NEAR(std::fabs(area), 2.0 / 3 * 120 * 60, 1e-3);
}

}  // namespace
