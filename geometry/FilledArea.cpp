// Contours as rings of cubic pieces: a sweep over their boxes for spans that meet, and the
// clipper's union of their polygon by the fill rule for what crossing outlines fill.
#include "geometry/FilledArea.h"

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

#include "geometry/BezierMath.h"

namespace {

using namespace bezier_math;

// Steps of the clipper's integer grid across the figure: within the range it works in
// 64-bit integers without wider products.
constexpr double kGridSteps = 1e9;
constexpr double kMaxPolygonPoints = 2e5;
// Halvings of one pair of pieces before they are taken for their chords, and pair tests
// before two spans that stay close everywhere are taken to meet.
constexpr int kMaxDepth = 48;
constexpr long kPairBudget = 1'000'000;

struct Box {
    double loH, loV, hiH, hiV;
};

Box boxOf(const Cubic& c) {
    Box b{c.p[0].h, c.p[0].v, c.p[0].h, c.p[0].v};
    for (const Vec& p : c.p) {
        b.loH = std::min(b.loH, p.h);
        b.hiH = std::max(b.hiH, p.h);
        b.loV = std::min(b.loV, p.v);
        b.hiV = std::max(b.hiV, p.v);
    }
    return b;
}

bool overlap(const Box& a, const Box& b) {
    return a.loH <= b.hiH && b.loH <= a.hiH && a.loV <= b.hiV && b.loV <= a.hiV;
}

bool same(Vec a, Vec b) { return a.h == b.h && a.v == b.v; }

// The contour's spans in order, its closing span or the chord that closes it as it is
// filled; spans that are a single point are left out, so that neighbours always share an
// end.
std::vector<Cubic> ringOf(const PathContour& contour) {
    std::vector<Cubic> ring;
    const AIPathSegment* s = contour.segments;
    if (s == nullptr || contour.count < 1) return ring;
    const auto add = [&ring](const Cubic& c) {
        if (!(same(c.p[0], c.p[1]) && same(c.p[0], c.p[2]) && same(c.p[0], c.p[3]))) ring.push_back(c);
    };
    for (int k = 0; k + 1 < contour.count; ++k) add(spanOf(s[k], s[k + 1]));
    const AIPathSegment& last = s[contour.count - 1];
    if (contour.closed)
        add(spanOf(last, s[0]));
    else
        add(Cubic{{vec(last.p), vec(last.p), vec(s[0].p), vec(s[0].p)}});
    return ring;
}

std::vector<std::vector<Cubic>> ringsOf(std::span<const PathContour> contours) {
    std::vector<std::vector<Cubic>> rings;
    rings.reserve(contours.size());
    for (const PathContour& contour : contours) rings.push_back(ringOf(contour));
    return rings;
}

// The box of every piece, or false when a coordinate is not finite.
bool figureBox(const std::vector<std::vector<Cubic>>& rings, Box& box) {
    bool empty = true;
    for (const auto& ring : rings)
        for (const Cubic& c : ring) {
            for (const Vec& p : c.p)
                if (!std::isfinite(p.h) || !std::isfinite(p.v)) return false;
            const Box b = boxOf(c);
            box = empty ? b : Box{std::min(box.loH, b.loH), std::min(box.loV, b.loV), std::max(box.hiH, b.hiH),
                                  std::max(box.hiV, b.hiV)};
            empty = false;
        }
    if (empty) box = {};
    return true;
}

double extentOf(const Box& b) { return std::max(b.hiH - b.loH, b.hiV - b.loV); }

// Every edge of the control polygon heads along the chord: the piece moves steadily along
// it and cannot come back to cross itself.
bool steady(const Cubic& c) {
    const Vec chord = c.p[3] - c.p[0];
    for (int i = 0; i < 3; ++i) {
        const Vec edge = c.p[i + 1] - c.p[i];
        if (!same(edge, {0, 0}) && !(dot(edge, chord) > 0)) return false;
    }
    return !same(chord, {0, 0});
}

// Pieces joined at q, a's end and b's start, whose other control points lie on either side
// of a line through q (across the mean of their directions there): their hulls, and so the
// pieces, meet only at q.
bool apartBeyondJoin(const Cubic& a, const Cubic& b) {
    const Vec q = a.p[3];
    Vec in{0, 0}, out{0, 0};
    for (int i = 2; i >= 0 && same(in, {0, 0}); --i) in = q - a.p[i];
    for (int i = 1; i <= 3 && same(out, {0, 0}); ++i) out = b.p[i] - q;
    if (same(in, {0, 0}) || same(out, {0, 0})) return false;
    const Vec across = (1 / length(in)) * in + (1 / length(out)) * out;
    for (int i = 0; i < 3; ++i)
        if (!same(a.p[i], q) && !(dot(a.p[i] - q, across) < 0)) return false;
    for (int i = 1; i < 4; ++i)
        if (!same(b.p[i], q) && !(dot(b.p[i] - q, across) > 0)) return false;
    return true;
}

int side(Vec a, Vec b, Vec p) {
    const double s = cross(b - a, p - a);
    return (s > 0) - (s < 0);
}

// Segments a0-a1 and b0-b1 meet: they cross or touch. When a1 is b0 (endA), or b1 is a0
// (endB), that shared end does not count: such neighbours meet only by running back along
// each other.
bool segmentsMeet(Vec a0, Vec a1, Vec b0, Vec b1, bool endA, bool endB) {
    if (endA || endB) {
        const bool backA = endA && side(a0, a1, b1) == 0 && dot(a1 - a0, b1 - b0) < 0;
        const bool backB = endB && side(b0, b1, a1) == 0 && dot(b1 - b0, a1 - a0) < 0;
        return backA || backB;
    }
    const int s1 = side(a0, a1, b0), s2 = side(a0, a1, b1), s3 = side(b0, b1, a0), s4 = side(b0, b1, a1);
    if (s1 == 0 && s2 == 0) {
        // On one line: they meet where their extents along it overlap.
        const Vec d = a1 - a0;
        const double ta0 = 0, ta1 = dot(d, d), tb0 = dot(b0 - a0, d), tb1 = dot(b1 - a0, d);
        return std::max(ta0, std::min(tb0, tb1)) <= std::min(ta1, std::max(tb0, tb1));
    }
    return s1 * s2 <= 0 && s3 * s4 <= 0;
}

struct MeetSearch {
    double tolerance;
    long budget = kPairBudget;

    // Pieces a and b meet; endA: a's end is b's start, endB: b's end is a's start.
    bool meet(const Cubic& a, const Cubic& b, bool endA, bool endB, int depth) {
        const Box boxA = boxOf(a), boxB = boxOf(b);
        if (!overlap(boxA, boxB)) return false;
        if (endA != endB && (endA ? apartBeyondJoin(a, b) : apartBeyondJoin(b, a))) return false;
        if (--budget < 0) return true;
        const bool flatA = flat(a, tolerance), flatB = flat(b, tolerance);
        if ((flatA && flatB) || depth >= kMaxDepth) return segmentsMeet(a.p[0], a.p[3], b.p[0], b.p[3], endA, endB);
        if (!flatA && (flatB || extentOf(boxA) >= extentOf(boxB))) {
            const Halves h = halves(a);
            return meet(h.first, b, false, endB, depth + 1) || meet(h.second, b, endA, false, depth + 1);
        }
        const Halves h = halves(b);
        return meet(a, h.first, endA, false, depth + 1) || meet(a, h.second, false, endB, depth + 1);
    }

    bool crossesItself(const Cubic& c, int depth) {
        if (steady(c)) return false;
        if (depth >= kMaxDepth || --budget < 0) return true;
        const Halves h = halves(c);
        return crossesItself(h.first, depth + 1) || crossesItself(h.second, depth + 1) ||
               meet(h.first, h.second, true, same(c.p[0], c.p[3]), depth + 1);
    }
};

struct Piece {
    const Cubic* cubic;
    Box box;
    size_t ring, index, ringSize;
};

// Whether piece p's end is piece q's start in their ring.
bool leadsTo(const Piece& p, const Piece& q) { return p.ring == q.ring && (p.index + 1) % p.ringSize == q.index; }

ClipperLib::IntPoint gridPoint(Vec p, const Box& box, double scale) {
    return {static_cast<ClipperLib::cInt>(std::llround((p.h - box.loH) * scale)),
            static_cast<ClipperLib::cInt>(std::llround((p.v - box.loV) * scale))};
}

// Chords of equal steps of t whose distance from the curve stays within tolerance: a
// cubic's second derivative is at most 6 d, d the larger second difference of its control
// points, and a chord over a step h strays at most h^2 / 8 of that.
int stepsFor(const Cubic& c, double tolerance) {
    if (flat(c, tolerance)) return 1;
    const double d = std::max(length(c.p[0] - 2.0 * c.p[1] + c.p[2]), length(c.p[1] - 2.0 * c.p[2] + c.p[3]));
    return static_cast<int>(std::clamp(std::ceil(std::sqrt(0.75 * d / tolerance)), 1.0, 1e6));
}

}  // namespace

bool contoursMeet(std::span<const PathContour> contours) {
    const std::vector<std::vector<Cubic>> rings = ringsOf(contours);
    Box figure{};
    if (!figureBox(rings, figure)) return true;
    MeetSearch search{kFillFlatness * extentOf(figure)};
    std::vector<Piece> pieces;
    for (size_t r = 0; r < rings.size(); ++r)
        for (size_t i = 0; i < rings[r].size(); ++i) {
            const Cubic& c = rings[r][i];
            if (search.crossesItself(c, 0)) return true;
            pieces.push_back({&c, boxOf(c), r, i, rings[r].size()});
        }
    std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.box.loH < b.box.loH; });
    std::vector<const Piece*> active;
    for (const Piece& p : pieces) {
        std::erase_if(active, [&p](const Piece* q) { return q->box.hiH < p.box.loH; });
        for (const Piece* q : active) {
            if (!overlap(p.box, q->box)) continue;
            // A ring of two pieces: each leads to the other.
            const bool qLeads = leadsTo(*q, p), pLeads = leadsTo(p, *q);
            const bool met = pLeads && !qLeads ? search.meet(*p.cubic, *q->cubic, true, false, 0)
                                               : search.meet(*q->cubic, *p.cubic, qLeads, pLeads, 0);
            if (met) return true;
        }
        active.push_back(&p);
    }
    return false;
}

std::optional<double> crossingFillArea(std::span<const PathContour> contours, bool evenOdd) {
    const std::vector<std::vector<Cubic>> rings = ringsOf(contours);
    Box figure{};
    if (!figureBox(rings, figure)) return std::nullopt;
    const double extent = extentOf(figure);
    if (!(extent > 0)) return 0.0;
    double tolerance = kFillFlatness * extent;
    double points = 0;
    for (const auto& ring : rings)
        for (const Cubic& c : ring) points += stepsFor(c, tolerance);
    // Steps go as one over the square root of the tolerance.
    if (points > kMaxPolygonPoints) tolerance *= (points / kMaxPolygonPoints) * (points / kMaxPolygonPoints);
    const double scale = kGridSteps / extent;
    ClipperLib::Paths polygons;
    for (const auto& ring : rings) {
        if (ring.empty()) continue;
        ClipperLib::Path& polygon = polygons.emplace_back();
        for (const Cubic& c : ring) {
            const int steps = stepsFor(c, tolerance);
            for (int i = 0; i < steps; ++i) polygon.push_back(gridPoint(at(c, static_cast<double>(i) / steps), figure, scale));
        }
    }
    try {
        ClipperLib::Clipper clipper;
        clipper.AddPaths(polygons, ClipperLib::ptSubject, true);
        ClipperLib::Paths filled;
        const ClipperLib::PolyFillType rule = evenOdd ? ClipperLib::pftEvenOdd : ClipperLib::pftNonZero;
        if (!clipper.Execute(ClipperLib::ctUnion, filled, rule, rule)) return std::nullopt;
        // Outlines come out anticlockwise and holes clockwise, so their areas add up to what
        // is filled.
        double area = 0;
        for (const ClipperLib::Path& each : filled) area += ClipperLib::Area(each);
        return std::fabs(area) / (scale * scale);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}
