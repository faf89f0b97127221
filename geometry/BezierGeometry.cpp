// Cubic spans of paths. Crossings are found on chords and refined; areas come from
// Green's theorem, whose integrand on a cubic is a polynomial of degree five, so three
// Gauss-Legendre nodes give it exactly.
#include "geometry/BezierGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <span>
#include <vector>

#include "geometry/BezierMath.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

using namespace bezier_math;

// A float keeps about seven digits: bounds and areas agree to within this share of their size.
constexpr double kBoundsAreaSlack = 1e-6;

// Proper crossing of segments a0-a1 and b0-b1 (ends included); fractions along each.
bool segmentsCross(Vec a0, Vec a1, Vec b0, Vec b1, double& s, double& u) {
    const Vec r = a1 - a0;
    const Vec q = b1 - b0;
    const double d = cross(r, q);
    if (d == 0.0) return false;
    s = cross(b0 - a0, q) / d;
    u = cross(b0 - a0, r) / d;
    return s >= 0.0 && s <= 1.0 && u >= 0.0 && u <= 1.0;
}

double signedSpanArea(const Cubic& c) {
    // A straight span (handles on its anchors) sweeps the triangle to its chord: exact, so a
    // polygon's area is its shoelace sum to the last digit.
    if (c.p[1].h == c.p[0].h && c.p[1].v == c.p[0].v && c.p[2].h == c.p[3].h && c.p[2].v == c.p[3].v)
        return cross(c.p[0], c.p[3]) / 2;
    // (x y' - y x') / 2 over [0, 1] by three-point Gauss-Legendre.
    static constexpr double kNodes[3] = {0.5 - 0.3872983346207417, 0.5, 0.5 + 0.3872983346207417};
    static constexpr double kWeights[3] = {5.0 / 18, 8.0 / 18, 5.0 / 18};
    double sum = 0.0;
    for (int i = 0; i < 3; ++i) {
        const Vec p = at(c, kNodes[i]);
        const Vec d = derivative(c, kNodes[i]);
        sum += kWeights[i] * cross(p, d);
    }
    return sum / 2;
}

void growBounds(AIRealRect& r, Vec p, bool& empty) {
    const auto h = static_cast<AIReal>(p.h);
    const auto v = static_cast<AIReal>(p.v);
    if (empty) {
        r = {h, v, h, v};
        empty = false;
        return;
    }
    r.left = std::min(r.left, h);
    r.right = std::max(r.right, h);
    r.bottom = std::min(r.bottom, v);
    r.top = std::max(r.top, v);
}

// Parameters in (0, 1) where one coordinate of the curve turns.
int extrema(double p0, double p1, double p2, double p3, double out[2]) {
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    int n = 0;
    const auto keep = [&](double t) {
        if (t > 0.0 && t < 1.0) out[n++] = t;
    };
    if (std::fabs(a) < 1e-12) {
        if (std::fabs(b) > 1e-12) keep(-c / b);
        return n;
    }
    const double disc = b * b - 4 * a * c;
    if (disc < 0) return 0;
    const double r = std::sqrt(disc);
    keep((-b + r) / (2 * a));
    keep((-b - r) / (2 * a));
    return n;
}

void cubicBounds(const Cubic& c, AIRealRect& r, bool& empty) {
    growBounds(r, c.p[0], empty);
    growBounds(r, c.p[3], empty);
    double ts[2];
    for (int n = extrema(c.p[0].h, c.p[1].h, c.p[2].h, c.p[3].h, ts), i = 0; i < n; ++i) growBounds(r, at(c, ts[i]), empty);
    for (int n = extrema(c.p[0].v, c.p[1].v, c.p[2].v, c.p[3].v, ts), i = 0; i < n; ++i) growBounds(r, at(c, ts[i]), empty);
}

double polylineLength(const Cubic& c, double flatness, int depth) {
    const double chord = length(c.p[3] - c.p[0]);
    const double hull = length(c.p[1] - c.p[0]) + length(c.p[2] - c.p[1]) + length(c.p[3] - c.p[2]);
    if (hull - chord <= flatness || depth >= 24) return (hull + chord) / 2;
    const Halves h = halves(c);
    return polylineLength(h.first, flatness / 2, depth + 1) + polylineLength(h.second, flatness / 2, depth + 1);
}

Cubic leftPart(const Cubic& c, double t) {
    const Vec ab = c.p[0] + t * (c.p[1] - c.p[0]);
    const Vec bc = c.p[1] + t * (c.p[2] - c.p[1]);
    const Vec cd = c.p[2] + t * (c.p[3] - c.p[2]);
    const Vec abc = ab + t * (bc - ab);
    const Vec bcd = bc + t * (cd - bc);
    return {{c.p[0], ab, abc, abc + t * (bcd - abc)}};
}

// Chord pairs of two spans at a starting step; each crossing pair is searched again with
// the step divided by the next divisor, and the pairs that cross at the finest step are
// handed to `found` (the parameters of both chords and where along each they cross).
template <typename Found>
struct ChordScan {
    const Cubic& a;
    const Cubic& b;
    std::span<const double> divisors;
    Found found;

    void scan(double aFrom, double aTo, double bFrom, double bTo, double step, size_t level) {
        for (double ta = aFrom; ta < aTo - 1e-12; ta += step) {
            const double ta2 = std::min(ta + step, 1.0);
            for (double tb = bFrom; tb < bTo - 1e-12; tb += step) {
                const double tb2 = std::min(tb + step, 1.0);
                double s = 0, u = 0;
                if (!segmentsCross(at(a, ta), at(a, ta2), at(b, tb), at(b, tb2), s, u)) continue;
                if (level == divisors.size()) {
                    found(ta, ta2, tb, tb2, s, u);
                    continue;
                }
                // The finer chords may cross just before the coarse pair, so the window
                // starts one coarse step earlier.
                scan(std::max(ta - step, 0.0), ta2, std::max(tb - step, 0.0), tb2, step / divisors[level], level + 1);
            }
        }
    }
};

template <typename Found>
ChordScan(const Cubic&, const Cubic&, std::span<const double>, Found) -> ChordScan<Found>;

}  // namespace

AIRealPoint bezierPointAt(const AIRealBezier& bez, AIReal t) { return point(at(cubic(bez), t)); }

AIErr ZMKGetPathRealBezier(const AIPathSegment* segments, ai_int16 count, ai_int16 n, AIRealBezier* bez) {
    if (segments == nullptr || bez == nullptr || count <= 0) return kBadParameterErr;
    if (n < -1 || n >= count) return kOutOfRangeErr;
    const AIPathSegment& a = segments[n == -1 ? count - 1 : n];
    const AIPathSegment& b = segments[n == -1 || n + 1 == count ? 0 : n + 1];
    *bez = AIRealBezier{a.p, a.out, b.in, b.p};
    return kNoErr;
}

AIErr getPointAndTangentFromBezierT(const AIRealBezier& bez, AIReal t, AIRealPoint* pt, AIRealPoint* tangent) {
    if (pt == nullptr || tangent == nullptr || !std::isfinite(t)) return kCADErr;
    const Cubic c = cubic(bez);
    const Vec p = at(c, t);
    Vec dir{};
    const Vec along = direction(c, t, dir) ? p + (1.0 / length(dir)) * dir : p;
    const AIRealPoint outPoint = point(p);
    const AIRealPoint outTangent = point(along);
    if (!finite(outPoint) || !finite(outTangent)) return kCADErr;
    *pt = outPoint;
    *tangent = outTangent;
    return kNoErr;
}

AIErr EvaluateAnglesFromBezierT(const AIRealBezier& bez, AIReal t, AIReal* tangent, AIReal* normal) {
    if (tangent == nullptr || normal == nullptr || !std::isfinite(t)) return kCADErr;
    Vec dir{};
    if (!direction(cubic(bez), t, dir)) dir = {1, 0};
    const auto angle = static_cast<AIReal>(std::atan2(dir.v, dir.h));
    if (!std::isfinite(angle)) return kCADErr;
    *tangent = angle;
    *normal = angle + kHalfPi;
    return kNoErr;
}

bool BezierIsCurved(const AIRealBezier& bez) {
    const Vec p0 = vec(bez.p0), p1 = vec(bez.p1), p2 = vec(bez.p2), p3 = vec(bez.p3);
    const double chord = length(p3 - p0);
    const auto straightHandle = [&](Vec anchor, Vec handle, Vec unit) {
        const double len = length(handle - anchor);
        if (len <= 0.01) return true;
        if (chord <= 0.0) return false;
        return length(anchor + len * unit - handle) <= 0.01;
    };
    const Vec u = chord > 0.0 ? (1.0 / chord) * (p3 - p0) : Vec{0, 0};
    return !(straightHandle(p0, p1, u) && straightHandle(p3, p2, -1.0 * u));
}

bool SegmentIsCurved(const AIPathSegment& a, const AIPathSegment& b) {
    const bool aFlat = length(vec(a.out) - vec(a.p)) <= 0.01;
    const bool bFlat = length(vec(b.in) - vec(b.p)) <= 0.01;
    return !(aFlat && bFlat);
}

AIErr convertSegmentPointsToRealBezier(const AIPathSegment& a, const AIPathSegment& b, AIRealBezier* out) {
    if (out == nullptr) return kBadParameterErr;
    *out = AIRealBezier{a.p, a.out, b.in, b.p};
    return kNoErr;
}

int GetFilletIntersection(const AIRealBezier& a, const AIRealBezier& b, AIRealPoint* pt, AIReal* t) {
    if (pt == nullptr || t == nullptr) return 0;
    if (length(vec(a.p0) - vec(b.p3)) <= 0.05) {
        *pt = a.p0;
        *t = 0.0f;
        return 1;
    }
    if (length(vec(a.p3) - vec(b.p0)) <= 0.05) {
        *pt = a.p3;
        *t = 1.0f;
        return 1;
    }
    const Cubic ca = cubic(a);
    const Cubic cb = cubic(b);
    // Chords at 0.1, refined with a fifth and then a tenth of the step; the start of the
    // last crossing chord counts.
    static constexpr double kDivisors[] = {5, 10};
    int count = 0;
    double lastT = 0.0;
    ChordScan search{ca, cb, kDivisors, [&](double ta, double, double, double, double, double) {
                         ++count;
                         lastT = ta;
                     }};
    search.scan(0.0, 1.0, 0.0, 1.0, 0.1, 0);
    if (count > 0) {
        *pt = point(at(ca, lastT));
        *t = static_cast<AIReal>(lastT);
    }
    return count;
}

AIErr GetLineSegmentIntersectionWithBezier(const AIPathSegment& l1, const AIPathSegment& l2, const AIPathSegment& c1,
                                           const AIPathSegment& c2, AIRealPoint* out) {
    if (out == nullptr) return kBadParameterErr;
    const Vec origin = vec(l1.p);
    const Vec dir = vec(l2.p) - origin;
    if (length(dir) == 0.0) return kNotApplicableErr;
    const Cubic c = spanOf(c1, c2);
    const auto side = [&](double t) { return cross(dir, at(c, t) - origin); };
    // Where the line crosses the chord t0-t1, as a fraction of the chord.
    const auto crossing = [&](double t0, double t1, double& s) {
        const Vec a = at(c, t0);
        const Vec chord = at(c, t1) - a;
        const double d = cross(dir, chord);
        // Parallel to within rounding (the points of a straight span are sums of weights).
        if (std::fabs(d) <= 1e-12 * length(dir) * length(chord)) return false;
        s = cross(dir, origin - a) / d;
        return true;
    };
    const auto found = [&](const Vec& x) {
        const AIRealPoint result = point(x);
        if (!finite(result)) return kNotApplicableErr;
        *out = result;
        return kNoErr;
    };
    // Chords at a step of 0.01. The first the line passes between the ends of is halved
    // until the curve lies within 0.5 point of the crossing. A line passing within a point
    // beyond a chord's end only counts when no chord has the curve on both its sides: the
    // crossing is then in the next chord, and halving one it misses would never end.
    constexpr double kStep = 0.01;
    int parallel = 0;
    bool nearMiss = false;
    Vec nearMissAt{};
    for (int i = 0; i < 100; ++i) {
        double t0 = i * kStep;
        double t1 = std::min(t0 + kStep, 1.0);
        double s = 0.0;
        if (!crossing(t0, t1, s)) {
            ++parallel;
            continue;
        }
        const double chordLength = length(at(c, t1) - at(c, t0));
        const double slack = chordLength > 0.0 ? 1.0 / chordLength : 0.0;
        if (s < -slack || s > 1.0 + slack) continue;
        if (s < 0.0 || s > 1.0) {
            if (!nearMiss) nearMissAt = at(c, t0) + s * (at(c, t1) - at(c, t0));
            nearMiss = true;
            continue;
        }
        for (int halvings = 0; halvings < 64; ++halvings) {
            // A chord shrunk to a point is the crossing itself.
            if (!crossing(t0, t1, s)) return found(at(c, t0));
            const Vec x = at(c, t0) + s * (at(c, t1) - at(c, t0));
            const Vec onCurve = at(c, t0 + std::clamp(s, 0.0, 1.0) * (t1 - t0));
            if (length(onCurve - x) <= 0.5 || halvings == 63) return found(x);
            const double tm = (t0 + t1) / 2;
            if ((side(t0) <= 0) != (side(tm) <= 0)) {
                t1 = tm;
            } else {
                t0 = tm;
            }
        }
    }
    if (nearMiss) return found(nearMissAt);
    return parallel == 100 ? kNotApplicableErr : kNoIntersectionErr;
}

double bezierLengthTo(const AIRealBezier& bez, double t, double flatness) {
    if (!(t > 0.0)) return 0.0;
    const Cubic c = cubic(bez);
    return polylineLength(t >= 1.0 ? c : leftPart(c, t), flatness, 0);
}

AIReal BezierTAtLength(const AIRealBezier& bez, double target, double tolerance) {
    if (bezierLengthTo(bez, 1.0, 0.01) <= 0.0) return 0.0f;
    double t = 0.5;
    double step = 0.25;
    for (int i = 0; i < 101; ++i) {
        const double l = bezierLengthTo(bez, t, 0.01);
        if (std::fabs(l - target) <= tolerance) break;
        t += l < target ? step : -step;
        step /= 2;
    }
    return static_cast<AIReal>(t);
}

AIReal TAtLength(const AIPathSegment* segments, ai_int16 count, ai_int16 seg, AIReal target) {
    AIRealBezier bez{};
    if (ZMKGetPathRealBezier(segments, count, seg, &bez) != kNoErr) return 0.0f;
    return BezierTAtLength(bez, target, 0.1);
}

namespace {

// The direction into an open path at its first anchor, or at its last (back along it).
bool DirectionInto(std::span<const AIPathSegment> path, bool first, Vec* dir) {
    const size_t n = path.size();
    if (n < 2) return false;
    if (first) return direction(spanOf(path[0], path[1]), 0, *dir);
    const Cubic last = spanOf(path[n - 2], path[n - 1]);
    return direction({{last.p[3], last.p[2], last.p[1], last.p[0]}}, 0, *dir);
}

}  // namespace

bool OffsetCopyRunsBack(std::span<const AIPathSegment> path, std::span<const AIPathSegment> copy, bool sameWay) {
    for (const bool first : {true, false}) {
        Vec intoPath{}, intoCopy{};
        if (DirectionInto(path, first, &intoPath) && DirectionInto(copy, first == sameWay, &intoCopy) &&
            dot(intoPath, intoCopy) < 0)
            return true;
    }
    return false;
}

AIReal NearestBezierT(const AIRealBezier& bez, const AIRealPoint& p, AIReal* distance) {
    const Cubic c = cubic(bez);
    const Vec q = vec(p);
    const auto far = [&](double t) { return length(at(c, t) - q); };
    // The nearest of evenly spaced samples, then a golden-section search in the interval
    // about it, where the distance has a single minimum.
    constexpr int kSamples = 64;
    int best = 0;
    for (int i = 1; i <= kSamples; ++i)
        if (far(static_cast<double>(i) / kSamples) < far(static_cast<double>(best) / kSamples)) best = i;
    double lo = std::max(0.0, (best - 1.0) / kSamples), hi = std::min(1.0, (best + 1.0) / kSamples);
    constexpr double kGolden = 0.6180339887498949;
    double x1 = hi - kGolden * (hi - lo), x2 = lo + kGolden * (hi - lo);
    double f1 = far(x1), f2 = far(x2);
    for (int i = 0; i < 60; ++i) {
        if (f1 <= f2) {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - kGolden * (hi - lo);
            f1 = far(x1);
        } else {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + kGolden * (hi - lo);
            f2 = far(x2);
        }
    }
    double t = (lo + hi) / 2;
    // An end may be nearer than any inner point.
    for (double end : {0.0, 1.0})
        if (far(end) < far(t)) t = end;
    if (distance) *distance = static_cast<AIReal>(far(t));
    return static_cast<AIReal>(t);
}

namespace {

// A measure as the panels take it: the missing-value marker when it is no finite float.
AIReal asFloat(double value) {
    return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<AIReal>::max() ? static_cast<AIReal>(value)
                                                                                          : kMissingValue;
}

// The signed area (positive anticlockwise) and the length of the spans from anchor first to
// anchor last, closed by the closing span or, for an open path, by the chord.
void spansAreaAndLength(const AIPathSegment* segments, int first, int last, bool closed, double& area,
                        double& length) {
    area = 0.0;
    length = 0.0;
    const auto add = [&](const AIPathSegment& a, const AIPathSegment& b) {
        const Cubic c = spanOf(a, b);
        area += signedSpanArea(c);
        length += arcLength(c);
    };
    for (int k = first; k < last; ++k) add(segments[k], segments[k + 1]);
    if (closed) {
        add(segments[last], segments[first]);
    } else {
        // The chord back to the first anchor closes the figure.
        area += cross(vec(segments[last].p), vec(segments[first].p)) / 2;
    }
}

}  // namespace

AIErr calculatePathAreaAndPerimeter(const AIPathSegment* segments, ai_int16 count, ai_int16 first, ai_int16 last,
                                    bool closed, AIReal* area, AIReal* perimeter) {
    if (segments == nullptr || area == nullptr || perimeter == nullptr) return kBadParameterErr;
    if (first < 0 || last >= count || first > last) return kOutOfRangeErr;
    double signedArea = 0.0, length = 0.0;
    spansAreaAndLength(segments, first, last, closed, signedArea, length);
    *area = static_cast<AIReal>(signedArea);
    *perimeter = static_cast<AIReal>(length);
    return kNoErr;
}

AIErr getPathAreaAndPerimeter(const AIPathSegment* segments, ai_int16 count, bool closed, AIReal* area,
                              AIReal* perimeter, bool evenOdd) {
    if (area == nullptr || perimeter == nullptr) return kBadParameterErr;
    double measuredArea = kMissingValue, measuredPerimeter = kMissingValue;
    const AIErr err = getPathAreaAndPerimeter(segments, count, closed, &measuredArea, &measuredPerimeter, evenOdd);
    *area = asFloat(measuredArea);
    *perimeter = asFloat(measuredPerimeter);
    return err;
}

AIErr getPathAreaAndPerimeter(const AIPathSegment* segments, ai_int16 count, bool closed, double* area,
                              double* perimeter, bool evenOdd) {
    if (area == nullptr || perimeter == nullptr) return kBadParameterErr;
    *area = kMissingValue;
    *perimeter = kMissingValue;
    if (segments == nullptr || count <= 0) return kBadParameterErr;
    double signedArea = 0.0, length = 0.0;
    spansAreaAndLength(segments, 0, count - 1, closed, signedArea, length);
    if (std::isfinite(length)) *perimeter = length;
    if (!closed) return kNoErr;
    // Green's theorem counts twice what the path winds round twice, and sets the halves of a
    // figure of eight against each other.
    const PathContour contour{segments, count, true};
    if (contoursMeet({&contour, 1})) {
        if (const std::optional<double> filled = crossingFillArea({&contour, 1}, evenOdd); filled && std::isfinite(*filled))
            *area = *filled;
        return kNoErr;
    }
    AIRealRect bounds{};
    bool empty = true;
    for (int k = 0; k < count; ++k) cubicBounds(spanOf(segments[k], segments[(k + 1) % count]), bounds, empty);
    const double boundsArea = (static_cast<double>(bounds.right) - bounds.left) * (static_cast<double>(bounds.top) - bounds.bottom);
    // More than its bounds hold only where the path winds round twice; the bounds are floats,
    // so the margin grows with the size.
    const double enclosed = std::fabs(signedArea);
    if (std::isfinite(enclosed) && enclosed <= boundsArea * (1 + kBoundsAreaSlack) + 3.0) *area = enclosed;
    return kNoErr;
}

namespace {

// Signed crossings of the ray from q towards increasing h: +1 where the curve crosses it
// going up, -1 going down, each crossing counted at its lower end (a curve that only
// touches the ray's height counts none). A piece whose control points all lie beside the
// ray's start crosses it as its chord does, since the two together enclose nothing of the
// ray; any other piece is halved.
int rayCrossings(const Cubic& c, Vec q, int depth) {
    double loV = c.p[0].v, hiV = c.p[0].v, loH = c.p[0].h, hiH = c.p[0].h;
    for (const Vec& p : c.p) {
        loV = std::min(loV, p.v);
        hiV = std::max(hiV, p.v);
        loH = std::min(loH, p.h);
        hiH = std::max(hiH, p.h);
    }
    if (q.v < loV || q.v >= hiV || hiH < q.h) return 0;
    const Vec a = c.p[0], b = c.p[3];
    if (loH > q.h || depth >= 40) {
        if ((a.v <= q.v) == (b.v <= q.v)) return 0;
        const double h = a.h + (q.v - a.v) * (b.h - a.h) / (b.v - a.v);
        return h > q.h ? (b.v > a.v ? 1 : -1) : 0;
    }
    const Halves h = halves(c);
    return rayCrossings(h.first, q, depth + 1) + rayCrossings(h.second, q, depth + 1);
}

// The contour's spans, its closing span or (open) the chord that closes it as it is filled.
template <typename Visit>
void forEachContourSpan(const PathContour& contour, Visit visit) {
    const AIPathSegment* s = contour.segments;
    for (int k = 0; k + 1 < contour.count; ++k) visit(spanOf(s[k], s[k + 1]));
    if (contour.count < 2) return;
    const AIPathSegment& last = s[contour.count - 1];
    if (contour.closed)
        visit(spanOf(last, s[0]));
    else
        visit(Cubic{{vec(last.p), vec(last.p), vec(s[0].p), vec(s[0].p)}});
}

// The box of the contour's anchors and handles, which holds its curves.
AIRealRect hullBox(const PathContour& contour) {
    AIRealRect box{};
    bool empty = true;
    for (int k = 0; k < contour.count; ++k)
        for (const AIRealPoint& p : {contour.segments[k].p, contour.segments[k].in, contour.segments[k].out})
            growBounds(box, vec(p), empty);
    return box;
}

bool hullHolds(const PathContour& contour, Vec q) {
    const AIRealRect box = hullBox(contour);
    return q.v >= box.bottom && q.v <= box.top && q.h >= box.left && q.h <= box.right;
}

// The filled area in proportion to the contours' boxes (anchors and handles): where
// outlines cross, no contour's part of the fill is its own.
std::vector<double> sharedOut(std::span<const PathContour> contours, double filled) {
    std::vector<double> shares(contours.size(), 0.0);
    double total = 0.0;
    for (size_t i = 0; i < contours.size(); ++i) {
        const PathContour& contour = contours[i];
        if (contour.segments == nullptr || contour.count < 1) continue;
        const AIRealRect box = hullBox(contour);
        shares[i] = (static_cast<double>(box.right) - box.left) * (static_cast<double>(box.top) - box.bottom);
        total += shares[i];
    }
    for (double& share : shares) share = total > 0 ? filled * share / total : 0.0;
    return shares;
}

}  // namespace

int contourWinding(const PathContour& contour, const AIRealPoint& p) {
    if (contour.segments == nullptr || contour.count < 2 || !hullHolds(contour, vec(p))) return 0;
    int winding = 0;
    forEachContourSpan(contour, [&](const Cubic& c) { winding += rayCrossings(c, vec(p), 0); });
    return winding;
}

std::vector<double> filledAreaShares(std::span<const PathContour> contours, bool evenOdd) {
    if (contoursMeet(contours))
        if (const std::optional<double> filled = crossingFillArea(contours, evenOdd)) return sharedOut(contours, *filled);
    const auto filled = [evenOdd](int winding) { return evenOdd ? (winding % 2) != 0 : winding != 0; };
    std::vector<double> shares(contours.size(), 0.0);
    for (size_t i = 0; i < contours.size(); ++i) {
        const PathContour& contour = contours[i];
        if (contour.segments == nullptr || contour.count < 2) continue;
        double area = 0.0;
        forEachContourSpan(contour, [&](const Cubic& c) { area += signedSpanArea(c); });
        // Outside the contour, at its first anchor, the others wind about it as they do;
        // inside, its own turn is added.
        int outside = 0;
        for (size_t j = 0; j < contours.size(); ++j)
            if (j != i) outside += contourWinding(contours[j], contour.segments[0].p);
        const int inside = outside + (area > 0 ? 1 : area < 0 ? -1 : 0);
        shares[i] = std::fabs(area) * (static_cast<int>(filled(inside)) - static_cast<int>(filled(outside)));
    }
    return shares;
}

void GetBezierIntersectionTheHardWay(const AIRealBezier* a, const AIRealBezier* b, BezierCrossingSink store) {
    if (a == nullptr || b == nullptr || store == nullptr) return;
    const Cubic ca = cubic(*a);
    const Cubic cb = cubic(*b);
    // Chords at 0.09, refined with the step divided by 3, then 4, then 5; each crossing as
    // the parameter on the first span and on the other.
    static constexpr double kDivisors[] = {3, 4, 5};
    std::vector<std::pair<double, double>> crossings;
    ChordScan search{ca, cb, kDivisors, [&](double ta, double ta2, double tb, double tb2, double s, double u) {
                         crossings.emplace_back(ta + s * (ta2 - ta), tb + u * (tb2 - tb));
                     }};
    search.scan(0.0, 1.0, 0.0, 1.0, 0.09, 0);
    // Overlapping refinement windows meet one crossing more than once; the finest step
    // (0.09 / 60) tells them apart from true neighbours.
    std::sort(crossings.begin(), crossings.end());
    constexpr double kSame = 0.09 / 60;
    std::vector<std::pair<double, double>> distinct;
    for (const auto& c : crossings) {
        const bool repeat = std::any_of(distinct.begin(), distinct.end(), [&](const auto& d) {
            return std::fabs(d.first - c.first) <= kSame && std::fabs(d.second - c.second) <= kSame;
        });
        if (!repeat) distinct.push_back(c);
    }
    for (const auto& [t, tb] : distinct) {
        (void)tb;
        store(static_cast<AIReal>(t), point(at(ca, t)));
    }
}
