// Bezier and path geometry for bounds, lengths, hit testing and fills. Bounds are exact:
// the extremes of a cubic lie at its ends or where a component of its derivative (a
// quadratic) vanishes, so the quadratic's roots in (0, 1) are evaluated.
#include "model/Geometry.h"

#include <algorithm>
#include <cmath>

namespace standin::geom {

Pt toPt(AIRealPoint p) { return {p.h, p.v}; }
AIRealPoint toReal(Pt p) { return {static_cast<AIReal>(p.x), static_cast<AIReal>(p.y)}; }
Cubic toCubic(const AIRealBezier& b) { return {toPt(b.p0), toPt(b.p1), toPt(b.p2), toPt(b.p3)}; }
AIRealBezier toBezier(const Cubic& c) { return {toReal(c.p0), toReal(c.p1), toReal(c.p2), toReal(c.p3)}; }

static Pt lerp(Pt a, Pt b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }
static double dist(Pt a, Pt b) { return std::hypot(a.x - b.x, a.y - b.y); }

Pt evaluate(const Cubic& c, double t) {
    const double u = 1 - t;
    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    return {b0 * c.p0.x + b1 * c.p1.x + b2 * c.p2.x + b3 * c.p3.x,
            b0 * c.p0.y + b1 * c.p1.y + b2 * c.p2.y + b3 * c.p3.y};
}

Pt derivative(const Cubic& c, double t) {
    const double u = 1 - t;
    const double a = 3 * u * u, b = 6 * u * t, d = 3 * t * t;
    return {a * (c.p1.x - c.p0.x) + b * (c.p2.x - c.p1.x) + d * (c.p3.x - c.p2.x),
            a * (c.p1.y - c.p0.y) + b * (c.p2.y - c.p1.y) + d * (c.p3.y - c.p2.y)};
}

void split(const Cubic& c, double t, Cubic* first, Cubic* second) {
    const Pt a = lerp(c.p0, c.p1, t), b = lerp(c.p1, c.p2, t), d = lerp(c.p2, c.p3, t);
    const Pt e = lerp(a, b, t), f = lerp(b, d, t);
    const Pt m = lerp(e, f, t);
    if (first) *first = {c.p0, a, e, m};
    if (second) *second = {m, f, d, c.p3};
}

// Roots in (0, 1) of the derivative of one coordinate: 3[(1-t)^2 (q1-q0) + 2(1-t)t (q2-q1) + t^2 (q3-q2)].
static int derivativeRoots(double q0, double q1, double q2, double q3, double roots[2]) {
    const double a = -q0 + 3 * q1 - 3 * q2 + q3;
    const double b = 2 * (q0 - 2 * q1 + q2);
    const double c = q1 - q0;
    int n = 0;
    auto keep = [&](double t) {
        if (t > 0 && t < 1) roots[n++] = t;
    };
    const double scale = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
    if (scale == 0) return 0;
    if (std::fabs(a) <= 1e-12 * scale) {
        if (std::fabs(b) > 1e-12 * scale) keep(-c / b);
        return n;
    }
    const double disc = b * b - 4 * a * c;
    if (disc < 0) return 0;
    const double s = std::sqrt(disc);
    // The numerically stable pair of roots.
    const double q = -0.5 * (b + std::copysign(s, b));
    keep(q / a);
    if (q != 0) keep(c / q);
    return n;
}

void bounds(const Cubic& c, double* minX, double* minY, double* maxX, double* maxY) {
    double x0 = std::min(c.p0.x, c.p3.x), x1 = std::max(c.p0.x, c.p3.x);
    double y0 = std::min(c.p0.y, c.p3.y), y1 = std::max(c.p0.y, c.p3.y);
    double r[2];
    for (int i = 0, n = derivativeRoots(c.p0.x, c.p1.x, c.p2.x, c.p3.x, r); i < n; ++i) {
        const double x = evaluate(c, r[i]).x;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
    }
    for (int i = 0, n = derivativeRoots(c.p0.y, c.p1.y, c.p2.y, c.p3.y, r); i < n; ++i) {
        const double y = evaluate(c, r[i]).y;
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    }
    *minX = x0;
    *minY = y0;
    *maxX = x1;
    *maxY = y1;
}

bool isStraight(const Cubic& c) {
    // Handles on the chord (or retracted) make a straight piece.
    auto onChord = [&](Pt p) {
        const double len = dist(c.p0, c.p3);
        if (len == 0) return dist(p, c.p0) < 1e-9;
        const double cross = (c.p3.x - c.p0.x) * (p.y - c.p0.y) - (c.p3.y - c.p0.y) * (p.x - c.p0.x);
        return std::fabs(cross) / len < 1e-6;
    };
    return onChord(c.p1) && onChord(c.p2);
}

static double lengthRec(const Cubic& c, double flatness, int depth) {
    const double chord = dist(c.p0, c.p3);
    const double poly = dist(c.p0, c.p1) + dist(c.p1, c.p2) + dist(c.p2, c.p3);
    if (poly - chord <= flatness || depth >= 16) return (chord + poly) / 2;
    Cubic a, b;
    split(c, 0.5, &a, &b);
    return lengthRec(a, flatness / 2, depth + 1) + lengthRec(b, flatness / 2, depth + 1);
}

double length(const Cubic& c, double flatness) {
    if (!(flatness > 0) || !std::isfinite(flatness)) flatness = 0.01;
    flatness = std::max(flatness, 1e-6);
    return lengthRec(c, flatness, 0);
}

double nearest(const Cubic& c, Pt p, double* tOut) {
    // Coarse sampling, then Newton refinement on the squared distance.
    constexpr int kSamples = 32;
    double bestT = 0, best = dist(evaluate(c, 0), p);
    for (int i = 1; i <= kSamples; ++i) {
        const double t = static_cast<double>(i) / kSamples;
        const double d = dist(evaluate(c, t), p);
        if (d < best) {
            best = d;
            bestT = t;
        }
    }
    double t = bestT;
    for (int it = 0; it < 8; ++it) {
        const Pt q = evaluate(c, t);
        const Pt d1 = derivative(c, t);
        const double h = 1e-4;
        const Pt d1b = derivative(c, std::min(1.0, t + h));
        const Pt d2{(d1b.x - d1.x) / h, (d1b.y - d1.y) / h};
        const double f = (q.x - p.x) * d1.x + (q.y - p.y) * d1.y;
        const double fp = d1.x * d1.x + d1.y * d1.y + (q.x - p.x) * d2.x + (q.y - p.y) * d2.y;
        if (fp == 0) break;
        const double nt = std::clamp(t - f / fp, 0.0, 1.0);
        if (std::fabs(nt - t) < 1e-9) {
            t = nt;
            break;
        }
        t = nt;
    }
    const double d = dist(evaluate(c, t), p);
    if (d < best) {
        best = d;
        bestT = t;
    }
    if (tOut) *tOut = bestT;
    return best;
}

Cubic piece(const std::vector<AIPathSegment>& segs, size_t from, size_t to) {
    return {toPt(segs[from].p), toPt(segs[from].out), toPt(segs[to].in), toPt(segs[to].p)};
}

std::vector<Cubic> pieces(const std::vector<AIPathSegment>& segs, bool closed) {
    std::vector<Cubic> out;
    if (segs.empty()) return out;
    for (size_t i = 0; i + 1 < segs.size(); ++i) out.push_back(piece(segs, i, i + 1));
    if (closed && segs.size() > 1) out.push_back(piece(segs, segs.size() - 1, 0));
    return out;
}

// Flattened outline of the closed path, for area and winding.
static std::vector<Pt> flatten(const std::vector<AIPathSegment>& segs) {
    std::vector<Pt> poly;
    for (const Cubic& c : pieces(segs, true)) {
        if (poly.empty()) poly.push_back(c.p0);
        if (isStraight(c)) {
            poly.push_back(c.p3);
            continue;
        }
        constexpr int kSteps = 32;
        for (int i = 1; i <= kSteps; ++i) poly.push_back(evaluate(c, static_cast<double>(i) / kSteps));
    }
    return poly;
}

double area(const std::vector<AIPathSegment>& segs) {
    if (segs.size() < 2) return 0;
    // Green's theorem: 1/2 of the integral of x·y' − y·x'. The integrand of a cubic piece
    // is a polynomial of degree 5, so three-point Gauss–Legendre quadrature is exact.
    constexpr double kNodes[3] = {-0.7745966692414834, 0.0, 0.7745966692414834};
    constexpr double kWeights[3] = {5.0 / 9.0, 8.0 / 9.0, 5.0 / 9.0};
    double a = 0;
    for (const Cubic& c : pieces(segs, true)) {
        for (int i = 0; i < 3; ++i) {
            const double t = 0.5 * (kNodes[i] + 1);
            const Pt q = evaluate(c, t), d = derivative(c, t);
            a += 0.5 * kWeights[i] * (q.x * d.y - q.y * d.x);
        }
    }
    return a / 2.0;
}

int winding(const std::vector<AIPathSegment>& segs, Pt p) {
    const std::vector<Pt> poly = flatten(segs);
    int w = 0;
    for (size_t i = 0; i + 1 < poly.size(); ++i) {
        const Pt a = poly[i], b = poly[i + 1];
        const double cross = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
        if (a.y <= p.y) {
            if (b.y > p.y && cross > 0) ++w;
        } else if (b.y <= p.y && cross < 0) {
            --w;
        }
    }
    return w;
}

AIRealPoint transform(const AIRealMatrix& m, AIRealPoint p) {
    return {m.a * p.h + m.c * p.v + m.tx, m.b * p.h + m.d * p.v + m.ty};
}

void transform(const AIRealMatrix& m, std::vector<AIPathSegment>& segs) {
    for (AIPathSegment& s : segs) {
        s.p = transform(m, s.p);
        s.in = transform(m, s.in);
        s.out = transform(m, s.out);
    }
}

AIRealMatrix concat(const AIRealMatrix& m, const AIRealMatrix& n) {
    // Apply m, then n.
    return {m.a * n.a + m.b * n.c,   m.a * n.b + m.b * n.d,          m.c * n.a + m.d * n.c,
            m.c * n.b + m.d * n.d,   m.tx * n.a + m.ty * n.c + n.tx, m.tx * n.b + m.ty * n.d + n.ty};
}

bool invert(const AIRealMatrix& m, AIRealMatrix* inv) {
    const double det = static_cast<double>(m.a) * m.d - static_cast<double>(m.b) * m.c;
    if (det == 0 || !std::isfinite(det)) return false;
    const double a = m.d / det, b = -m.b / det, c = -m.c / det, d = m.a / det;
    const double tx = -(m.tx * a + m.ty * c), ty = -(m.tx * b + m.ty * d);
    const double vals[] = {a, b, c, d, tx, ty};
    for (double v : vals)
        if (!std::isfinite(static_cast<float>(v))) return false;
    *inv = {static_cast<AIReal>(a),  static_cast<AIReal>(b),  static_cast<AIReal>(c),
            static_cast<AIReal>(d),  static_cast<AIReal>(tx), static_cast<AIReal>(ty)};
    return true;
}

AIPathSegment cornerAnchor(AIRealPoint p) { return {p, p, p, true}; }

std::vector<AIPathSegment> rectAnchors(AIReal top, AIReal left, AIReal bottom, AIReal right) {
    return {cornerAnchor({left, top}), cornerAnchor({right, top}), cornerAnchor({right, bottom}),
            cornerAnchor({left, bottom})};
}

std::vector<AIPathSegment> ovalAnchors(AIReal top, AIReal left, AIReal bottom, AIReal right) {
    const AIReal cx = (left + right) / 2, cy = (top + bottom) / 2;
    const AIReal kx = (right - left) / 2 * kKappa, ky = (top - bottom) / 2 * kKappa;
    auto smooth = [](AIRealPoint p, AIRealPoint in, AIRealPoint out) { return AIPathSegment{p, in, out, false}; };
    return {smooth({cx, top}, {cx - kx, top}, {cx + kx, top}),
            smooth({right, cy}, {right, cy + ky}, {right, cy - ky}),
            smooth({cx, bottom}, {cx + kx, bottom}, {cx - kx, bottom}),
            smooth({left, cy}, {left, cy - ky}, {left, cy + ky})};
}

}  // namespace standin::geom
