// Grid and ruler geometry.
#include "axonometric/GuideGeometry.h"

#include <algorithm>
#include <cmath>

#include "geometry/AxonometricMath.h"  // kMaxGridLines
#include "geometry/PointMath.h"

namespace {

bool Finite(double h, double v) { return std::isfinite(h) && std::isfinite(v); }

// Whole numbers k with lo <= k·inc <= hi, give or take float rounding, as a first k and a
// count of at most kMaxGridLines.
bool StepRange(double lo, double hi, double inc, int64_t* first, int64_t* count) {
    if (!(inc > 0) || !std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(inc)) return false;
    if (lo > hi) std::swap(lo, hi);
    const double a = std::ceil(lo / inc - 1e-6), b = std::floor(hi / inc + 1e-6);
    if (!(b >= a) || std::fabs(a) > 1e12 || std::fabs(b) > 1e12) return false;
    *first = static_cast<int64_t>(a);
    *count = std::min<int64_t>(static_cast<int64_t>(b - a) + 1, kMaxGridLines);
    return true;
}

bool IsMajor(int64_t k, int32_t subdivisions) {
    const int64_t n = std::max<int32_t>(subdivisions, 1);
    return ((k % n) + n) % n == 0;
}

AIRealPoint At(AIRealPoint p, AIRealPoint d, double s) {
    return {static_cast<AIReal>(p.h + s * d.h), static_cast<AIReal>(p.v + s * d.v)};
}

// The isometric lines along d through origin + j·e, for the j whose lines cross rect.
void AddFamily(std::vector<GuideLine>* out, const AIRealRect& rect, AIRealPoint origin, AIRealPoint d, AIRealPoint e,
               int32_t subdivisions) {
    const double det = double(d.h) * e.v - double(d.v) * e.h;
    if (!std::isfinite(det) || std::fabs(det) < 1e-9) return;
    // The e-coordinate of each corner: the lines between the smallest and the largest cross.
    double lo = INFINITY, hi = -INFINITY;
    for (AIRealPoint c : {AIRealPoint{rect.left, rect.top}, AIRealPoint{rect.right, rect.top},
                          AIRealPoint{rect.left, rect.bottom}, AIRealPoint{rect.right, rect.bottom}}) {
        const double dh = double(c.h) - origin.h, dv = double(c.v) - origin.v;
        const double y = (double(d.h) * dv - double(d.v) * dh) / det;
        lo = std::min(lo, y);
        hi = std::max(hi, y);
    }
    int64_t first = 0, count = 0;
    if (!StepRange(lo, hi, 1.0, &first, &count)) return;
    for (int64_t i = 0; i < count; ++i) {
        const int64_t j = first + i;
        const AIRealPoint p = At(origin, e, static_cast<double>(j));
        double s0 = 0, s1 = 0;
        if (!ClipLineToRect(p, d, rect, &s0, &s1) || s1 - s0 < 1e-6) continue;
        out->push_back({At(p, d, s0), At(p, d, s1), IsMajor(j, subdivisions)});
    }
}

}  // namespace

bool NearestLatticePoint(AIRealPoint p, AIRealPoint origin, AIRealPoint u, AIRealPoint w, AIRealPoint* out) {
    if (!out) return false;
    const double det = double(u.h) * w.v - double(u.v) * w.h;
    if (!std::isfinite(det) || std::fabs(det) < 1e-9) return false;
    const double dh = double(p.h) - origin.h, dv = double(p.v) - origin.v;
    // p - origin = x·u + y·w, then the nearest of the four lattice points around (x, y).
    const double x = (dh * w.v - dv * w.h) / det, y = (double(u.h) * dv - double(u.v) * dh) / det;
    if (!Finite(x, y) || std::fabs(x) > 1e12 || std::fabs(y) > 1e12) return false;
    double best = INFINITY, bh = 0, bv = 0;
    for (double i : {std::floor(x), std::floor(x) + 1})
        for (double j : {std::floor(y), std::floor(y) + 1}) {
            const double h = origin.h + i * u.h + j * w.h, v = origin.v + i * u.v + j * w.v;
            const double d = std::hypot(h - p.h, v - p.v);
            if (d < best) best = d, bh = h, bv = v;
        }
    if (!Finite(bh, bv)) return false;
    *out = {static_cast<AIReal>(bh), static_cast<AIReal>(bv)};
    return true;
}

bool SnapToGridLines(const GridSnapLines& lines, AIRealPoint origin, AIReal tolerance, AIRealPoint p,
                     AIRealPoint* out) {
    const double inc = lines.increment;
    if (!out || !(inc > 0) || !std::isfinite(inc) || !(tolerance >= 0) || !Finite(p.h, p.v)) return false;
    std::vector<AIRealPoint> candidates;
    AIRealPoint c{};
    auto onLine = [inc](AIReal at, AIReal o) {
        return static_cast<AIReal>(o + std::round((double(at) - o) / inc) * inc);
    };
    const AIReal step = static_cast<AIReal>(inc);
    if (lines.horizontal && lines.vertical) {
        if (NearestLatticePoint(p, origin, {step, 0}, {0, step}, &c)) candidates.push_back(c);
    } else if (lines.horizontal) {
        candidates.push_back({p.h, onLine(p.v, origin.v)});
    } else if (lines.vertical) {
        candidates.push_back({onLine(p.h, origin.h), p.v});
    }
    if (lines.isometric) {
        const AIRealPoint u{static_cast<AIReal>(inc * std::cos(lines.a)), static_cast<AIReal>(inc * std::sin(lines.a))};
        const AIRealPoint w{static_cast<AIReal>(inc * std::cos(lines.b)), static_cast<AIReal>(inc * std::sin(lines.b))};
        if (NearestLatticePoint(p, origin, u, w, &c)) candidates.push_back(c);
    }
    return NearestPointWithin(candidates, p, tolerance, out);
}

bool NearestPointWithin(const std::vector<AIRealPoint>& points, AIRealPoint p, AIReal tolerance, AIRealPoint* out) {
    if (!out || !(tolerance >= 0)) return false;
    const AIRealPoint* best = nullptr;
    double bestDistance = INFINITY;
    for (const AIRealPoint& q : points) {
        const double d = Distance<double>(p, q);
        if (d <= tolerance && d < bestDistance) best = &q, bestDistance = d;
    }
    if (!best) return false;
    *out = *best;
    return true;
}

bool ClipLineToRect(AIRealPoint p, AIRealPoint d, const AIRealRect& rect, double* s0, double* s1) {
    if (!s0 || !s1 || (d.h == 0 && d.v == 0) || !Finite(d.h, d.v) || !Finite(p.h, p.v)) return false;
    double lo = -INFINITY, hi = INFINITY;
    // Each axis narrows the range to where the line is between that axis's two edges.
    auto axis = [&](double from, double dir, double a, double b) {
        if (a > b) std::swap(a, b);
        if (dir == 0) return from >= a && from <= b;
        double t0 = (a - from) / dir, t1 = (b - from) / dir;
        if (t0 > t1) std::swap(t0, t1);
        lo = std::max(lo, t0);
        hi = std::min(hi, t1);
        return lo <= hi;
    };
    if (!axis(p.h, d.h, rect.left, rect.right) || !axis(p.v, d.v, rect.bottom, rect.top)) return false;
    *s0 = lo;
    *s1 = hi;
    return true;
}

std::vector<GuideLine> GridLinesInRect(const AIRealRect& rect, const GridSnapLines& lines, AIRealPoint origin,
                                       int32_t subdivisions) {
    std::vector<GuideLine> out;
    const double inc = lines.increment;
    if (!(inc > 0) || !std::isfinite(inc)) return out;
    const AIReal left = std::min(rect.left, rect.right), right = std::max(rect.left, rect.right);
    const AIReal bottom = std::min(rect.bottom, rect.top), top = std::max(rect.bottom, rect.top);
    int64_t first = 0, count = 0;
    if (lines.horizontal && StepRange(bottom - origin.v, top - origin.v, inc, &first, &count))
        for (int64_t i = 0; i < count; ++i) {
            const AIReal v = static_cast<AIReal>(origin.v + double(first + i) * inc);
            out.push_back({{left, v}, {right, v}, IsMajor(first + i, subdivisions)});
        }
    if (lines.vertical && StepRange(left - origin.h, right - origin.h, inc, &first, &count))
        for (int64_t i = 0; i < count; ++i) {
            const AIReal h = static_cast<AIReal>(origin.h + double(first + i) * inc);
            out.push_back({{h, bottom}, {h, top}, IsMajor(first + i, subdivisions)});
        }
    if (lines.isometric) {
        const AIRealPoint a{static_cast<AIReal>(inc * std::cos(lines.a)), static_cast<AIReal>(inc * std::sin(lines.a))};
        const AIRealPoint b{static_cast<AIReal>(inc * std::cos(lines.b)), static_cast<AIReal>(inc * std::sin(lines.b))};
        const AIRealRect box{left, top, right, bottom};
        AddFamily(&out, box, origin, a, b, subdivisions);
        AddFamily(&out, box, origin, b, a, subdivisions);
    }
    return out;
}

std::vector<RulerTick> RulerTicks(AIReal from, AIReal to, AIReal increment, int32_t subdivisions) {
    std::vector<RulerTick> ticks;
    int64_t first = 0, count = 0;
    if (!StepRange(from, to, increment, &first, &count)) return ticks;
    const int64_t n = std::max<int32_t>(subdivisions, 1);
    for (int64_t i = 0; i < count; ++i) {
        const int64_t k = first + i;
        const int64_t r = ((k % n) + n) % n;
        const RulerTick::Kind kind = r == 0 ? RulerTick::kMajor
                                     : (n % 2 == 0 && r == n / 2) ? RulerTick::kHalf
                                                                  : RulerTick::kMinor;
        ticks.push_back({static_cast<AIReal>(double(k) * increment), kind});
    }
    return ticks;
}
