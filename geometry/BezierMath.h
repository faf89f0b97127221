// Double-precision arithmetic on cubic pieces, shared by the Bezier routines of this folder:
// host points as vectors, the Bernstein form and its first two derivatives. Host points are
// floats; working in doubles keeps the rounding of long sums out of the results.
#pragma once

#include <algorithm>
#include <cmath>

#include "AITypes.h"
#include "geometry/CurveConstants.h"

namespace bezier_math {

struct Vec {
    double h, v;
};

inline Vec operator-(Vec a, Vec b) { return {a.h - b.h, a.v - b.v}; }
inline Vec operator+(Vec a, Vec b) { return {a.h + b.h, a.v + b.v}; }
inline Vec operator*(double s, Vec a) { return {s * a.h, s * a.v}; }
inline double cross(Vec a, Vec b) { return a.h * b.v - a.v * b.h; }
inline double dot(Vec a, Vec b) { return a.h * b.h + a.v * b.v; }
inline double length(Vec a) { return std::hypot(a.h, a.v); }
inline Vec vec(const AIRealPoint& p) { return {p.h, p.v}; }
inline AIRealPoint point(Vec a) { return {static_cast<AIReal>(a.h), static_cast<AIReal>(a.v)}; }
inline bool finite(const AIRealPoint& p) { return std::isfinite(p.h) && std::isfinite(p.v); }

struct Cubic {
    Vec p[4];
};

inline Cubic cubic(const AIRealBezier& b) { return {{vec(b.p0), vec(b.p1), vec(b.p2), vec(b.p3)}}; }

// The span between two anchors, through a's out handle and b's in handle (a corner
// anchor's handles shape the curve as a smooth one's do).
inline Cubic spanOf(const AIPathSegment& a, const AIPathSegment& b) {
    return {{vec(a.p), vec(a.out), vec(b.in), vec(b.p)}};
}

inline Vec at(const Cubic& c, double t) {
    const double u = 1 - t;
    return (u * u * u) * c.p[0] + (3 * u * u * t) * c.p[1] + (3 * u * t * t) * c.p[2] + (t * t * t) * c.p[3];
}

// The two halves of the cubic at t = 1/2, by de Casteljau.
struct Halves {
    Cubic first, second;
};

inline Halves halves(const Cubic& c) {
    const Vec ab = 0.5 * (c.p[0] + c.p[1]), bc = 0.5 * (c.p[1] + c.p[2]), cd = 0.5 * (c.p[2] + c.p[3]);
    const Vec abc = 0.5 * (ab + bc), bcd = 0.5 * (bc + cd), mid = 0.5 * (abc + bcd);
    return {{{c.p[0], ab, abc, mid}}, {{mid, bcd, cd, c.p[3]}}};
}

inline Vec derivative(const Cubic& c, double t) {
    const double u = 1 - t;
    return (3 * u * u) * (c.p[1] - c.p[0]) + (6 * u * t) * (c.p[2] - c.p[1]) + (3 * t * t) * (c.p[3] - c.p[2]);
}

inline Vec secondDerivative(const Cubic& c, double t) {
    const Vec first = c.p[2] - 2.0 * c.p[1] + c.p[0];
    const Vec second = c.p[3] - 2.0 * c.p[2] + c.p[1];
    return (6 * (1 - t)) * first + (6 * t) * second;
}

// The direction of the curve at t; at a vanishing derivative the control points give it
// (a retracted handle points the curve at the next control point). False when all four
// points coincide.
inline bool direction(const Cubic& c, double t, Vec& dir) {
    dir = derivative(c, t);
    if (length(dir) > 1e-9) return true;
    if (t <= 0.5) {
        for (int i = 1; i < 4; ++i) {
            dir = c.p[i] - c.p[0];
            if (length(dir) > 1e-9) return true;
        }
    } else {
        for (int i = 2; i >= 0; --i) {
            dir = c.p[3] - c.p[i];
            if (length(dir) > 1e-9) return true;
        }
    }
    return false;
}

// The finest tick a read-out shows is a hundred-thousandth of a point at a scale factor of
// up to 10 (a millionth of a drawn point; a larger factor shows a decimal fewer): every span
// is measured to within a hundredth of that.
constexpr double kSpanLengthTolerance = 1e-8;

// Length of the cubic between parameters a and b by the five-point Gauss-Legendre rule.
inline double gaussLength(const Cubic& c, double a, double b) {
    const double mid = (a + b) / 2, half = (b - a) / 2;
    double sum = 0.0;
    for (int i = 0; i < 5; ++i)
        sum += kGaussLegendreWeights[i] * length(derivative(c, mid + half * kGaussLegendreNodes[i]));
    return sum * half;
}

// The same, each interval halved again while the rule over it (`whole`) and the sum over its
// halves differ by more than its share of `tolerance`; the halves' sum is kept. A cusp's
// interval is halved only so often. Differences within the rounding of a double of the
// length, or of the points (`noise` per unit of parameter), and lengths that are not
// numbers, end the halving: none comes closer by it, and far off the canvas the rounding of
// the points would halve every interval down to the last.
inline double adaptiveLength(const Cubic& c, double a, double b, double whole, double tolerance, double noise,
                             int depth) {
    const double mid = (a + b) / 2;
    const double left = gaussLength(c, a, mid), right = gaussLength(c, mid, b);
    const double enough = std::max({tolerance, 1e-14 * std::fabs(whole), noise * (b - a)});
    if (depth >= 40 || !(std::fabs(left + right - whole) > enough)) return left + right;
    return adaptiveLength(c, a, mid, left, tolerance / 2, noise, depth + 1) +
           adaptiveLength(c, mid, b, right, tolerance / 2, noise, depth + 1);
}

inline double arcLength(const Cubic& c, double tolerance = kSpanLengthTolerance) {
    // Within the canvas it stays below the tolerance at every depth.
    double farthest = 0;
    for (const Vec& p : c.p) farthest = std::max({farthest, std::fabs(p.h), std::fabs(p.v)});
    return adaptiveLength(c, 0.0, 1.0, gaussLength(c, 0.0, 1.0), tolerance, 1e-13 * farthest, 0);
}

inline double distanceToSegment(Vec p, Vec a, Vec b) {
    const Vec ab = b - a;
    const double span = dot(ab, ab);
    const double t = span > 0 ? std::clamp(dot(p - a, ab) / span, 0.0, 1.0) : 0.0;
    return length(p - (a + t * ab));
}

// Both handles within tolerance of the chord: the piece is its chord.
inline bool flat(const Cubic& c, double tolerance) {
    return distanceToSegment(c.p[1], c.p[0], c.p[3]) <= tolerance &&
           distanceToSegment(c.p[2], c.p[0], c.p[3]) <= tolerance;
}

}  // namespace bezier_math
