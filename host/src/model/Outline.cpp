// The outline of a stroked path. Each side is offset piece by piece: a cubic whose ends and
// end tangents are those of the true offset, halved until it lies within tolerance. At a
// corner the outer side of the turn gets the stroke's join and the inner side is cut where
// the two offsets cross; an open path adds its caps. Those raw contours can still cross
// themselves or each other where the stroke overlaps itself (a side narrower than the
// stroke, a path passing near itself): they are cut where they cross, and the parts lying
// inside the stroked area are dropped, so what is left is its edge.
#include "model/Outline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <set>
#include <unordered_map>

#include "model/BoxTree.h"
#include "model/Geometry.h"

namespace standin::outline {
namespace {

using geom::Box;
using geom::Cubic;
using geom::Pt;

using std::numbers::pi;
constexpr double kTiny = 1e-9;
constexpr int kMaxFitDepth = 12;

Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
Pt operator*(Pt a, double k) { return {a.x * k, a.y * k}; }
double dot(Pt a, Pt b) { return a.x * b.x + a.y * b.y; }
double cross(Pt a, Pt b) { return a.x * b.y - a.y * b.x; }
double norm(Pt a) { return std::sqrt(a.x * a.x + a.y * a.y); }  // hypot's care for overflow costs dearly here
Pt unit(Pt a) {
    const double n = norm(a);
    return n > 0 ? a * (1 / n) : Pt{};
}
Pt leftOf(Pt a) { return {-a.y, a.x}; }  // turned by +90°

// Handles at the thirds keep a line's parameter proportional to length, so a crossing found
// on its chord is found at the right parameter; they are retracted when written out.
Cubic line(Pt a, Pt b) { return {a, a + (b - a) * (1.0 / 3), a + (b - a) * (2.0 / 3), b}; }
Cubic reversed(const Cubic& c) { return {c.p3, c.p2, c.p1, c.p0}; }

// The part of c between t0 and t1.
Cubic portion(const Cubic& c, double t0, double t1) {
    Cubic head = c, part = c;
    if (t1 < 1) geom::split(c, t1, &head, nullptr);
    if (t0 > 0 && t1 > 0) geom::split(head, t0 / t1, nullptr, &part);
    else part = head;
    return part;
}

Pt secondDerivative(const Cubic& c, double t) {
    const Pt a = c.p2 - c.p1 * 2 + c.p0, b = c.p3 - c.p2 * 2 + c.p1;
    return (a * (1 - t) + b * t) * 6;
}

// The foot of the normal from p to c near parameter t, kept within [lo, hi]: Newton's
// method on (c(t) − p)·c'(t).
double foot(const Cubic& c, Pt p, double t, double lo, double hi) {
    for (int i = 0; i < 4; ++i) {
        const Pt e = geom::evaluate(c, t) - p, v = geom::derivative(c, t);
        const double slope = dot(v, v) + dot(e, secondDerivative(c, t));
        if (!(slope > 0)) break;
        t = std::clamp(t - dot(e, v) / slope, lo, hi);
    }
    return t;
}

Box hull(const Cubic& c) {
    Box b;
    for (Pt p : {c.p0, c.p1, c.p2, c.p3}) b.add(p.x, p.y);
    return b;
}

// Unit tangents at the ends; a retracted handle leaves the direction to the next point.
Pt startTangent(const Cubic& c) {
    for (Pt q : {c.p1, c.p2, c.p3})
        if (norm(q - c.p0) > kTiny) return unit(q - c.p0);
    return {};
}
Pt endTangent(const Cubic& c) {
    for (Pt q : {c.p2, c.p1, c.p0})
        if (norm(c.p3 - q) > kTiny) return unit(c.p3 - q);
    return {};
}

// A straight piece whose handles stay between its ends: its offset is exact.
bool straight(const Cubic& c) {
    if (!geom::isStraight(c)) return false;
    const Pt chord = c.p3 - c.p0;
    const double len2 = dot(chord, chord);
    if (len2 == 0) return false;
    for (Pt h : {c.p1, c.p2}) {
        const double s = dot(h - c.p0, chord) / len2;
        if (s < -kTiny || s > 1 + kTiny) return false;
    }
    return true;
}

// ---------------------------------------------------------------- the stroked path

struct Piece {
    Cubic c;
    Pt t0, t1;  // unit tangents at the start and the end
    bool straight = false;
    bool cuspBefore = false;  // it begins where its curve turned back on itself
};

struct Stroke {
    std::vector<Piece> pieces;
    bool closed = false;
    StrokeShape shape;
    double h = 0;    // half width
    double tol = 0;  // offset tolerance
};

// A turn of the curve tighter than `tol` (a cusp, or as good as one), where its offset
// would leap across it: the parameters where the curve comes within twice `tol` of its
// slowest point and leaves that again. False when the curve has no such turn.
bool tightTurn(const Cubic& c, double tol, double* enter, double* leave) {
    double best = INFINITY, t = 0;
    for (int i = 1; i < 32; ++i) {
        const Pt v = geom::derivative(c, i / 32.0);
        if (dot(v, v) < best) {
            best = dot(v, v);
            t = i / 32.0;
        }
    }
    // Newton's method on the derivative of half the squared speed, c'·c'' (c''' is constant).
    const Pt third = (c.p3 - c.p0 + (c.p1 - c.p2) * 3) * 6;
    for (int i = 0; i < 8; ++i) {
        const Pt v = geom::derivative(c, t), a = secondDerivative(c, t);
        const double slope = dot(a, a) + dot(v, third);
        if (!(slope > 0)) break;
        t = std::clamp(t - dot(v, a) / slope, 0.0, 1.0);
    }
    // The radius of the turn there is |c'|² / |c''| (the two stand square at the slowest point).
    const Pt v = geom::derivative(c, t), a = secondDerivative(c, t);
    if (!(dot(v, v) < tol * norm(a))) return false;
    const Pt turn = geom::evaluate(c, t);
    auto away = [&](double end) {
        if (norm(geom::evaluate(c, end) - turn) < 2 * tol) return end;
        double near = t, far = end;
        for (int i = 0; i < 40; ++i) {
            const double mid = (near + far) / 2;
            (norm(geom::evaluate(c, mid) - turn) < 2 * tol ? near : far) = mid;
        }
        return far;
    };
    *enter = away(0);
    *leave = away(1);
    return true;
}

Piece makePiece(const Cubic& c) {
    Piece p;
    p.c = c;
    p.straight = straight(c);
    p.t0 = p.straight ? unit(c.p3 - c.p0) : startTangent(c);
    p.t1 = p.straight ? p.t0 : endTangent(c);
    return p;
}

// Adds curve c as pieces, leaving out each turn tighter than `tol` (a corner, in effect,
// joined round as the curve went round it); `turns` bounds how many are looked for. True
// when c ends in such a turn, so the piece after it begins past one.
bool addPieces(const Cubic& c, double tol, int turns, bool afterTurn, std::vector<Piece>& out) {
    double enter = 0, leave = 1;
    if (turns == 0 || straight(c) || !tightTurn(c, tol, &enter, &leave)) {
        Piece p = makePiece(c);
        p.cuspBefore = afterTurn;
        if (norm(p.t0) == 0) return afterTurn;
        out.push_back(p);
        return false;
    }
    if (enter > 0) addPieces(portion(c, 0, enter), tol, turns - 1, afterTurn, out);
    return leave < 1 ? addPieces(portion(c, leave, 1), tol, turns - 1, true, out) : true;
}

// The path's pieces, those without length left out.
std::vector<Piece> strokedPieces(const std::vector<AIPathSegment>& segs, bool closed, double tol) {
    std::vector<Piece> out;
    bool afterTurn = false;
    for (const Cubic& c : geom::pieces(segs, closed)) afterTurn = addPieces(c, tol, 3, afterTurn, out);
    if (closed && afterTurn && !out.empty()) out.front().cuspBefore = true;
    return out;
}

// ---------------------------------------------------------------- one piece offset

// Fits cubics to the offset of one piece by d (positive to the left of its direction).
class PieceOffset {
public:
    PieceOffset(const Piece& piece, double d, double tol) : p_(piece), d_(d), tol_(tol) {}

    std::vector<Cubic> fit() {
        if (p_.straight) return {line(at(0), at(1))};
        fitRange(0, 1, 0);
        return std::move(out_);
    }

private:
    Pt tangent(double t) const {
        if (t <= 0) return p_.t0;
        if (t >= 1) return p_.t1;
        const Pt v = geom::derivative(p_.c, t);
        if (norm(v) > kTiny) return unit(v);
        return unit(geom::evaluate(p_.c, std::min(1.0, t + 1e-6)) - geom::evaluate(p_.c, std::max(0.0, t - 1e-6)));
    }
    Pt at(double t) const { return geom::evaluate(p_.c, t) + leftOf(tangent(t)) * d_; }

    // How much the offset stretches the curve at t (1 − d·curvature): the offset's
    // derivative is the curve's times this, so it scales the handles (negative: reversed).
    double stretch(double t) const {
        const Pt v = geom::derivative(p_.c, t);
        const double s = norm(v);
        if (s <= kTiny) return 1;
        return 1 - d_ * cross(v, secondDerivative(p_.c, t)) / (s * s * s);
    }

    void fitRange(double t0, double t1, int depth) {
        const Cubic part = portion(p_.c, t0, t1);
        const Pt a = at(t0), b = at(t1);
        const double f0 = stretch(t0), f1 = stretch(t1);
        // Where the curve turns tighter than d the offset runs backwards (both stretches
        // negative), which a cubic follows as well; a cusp between (signs differing) is halved.
        if (f0 * f1 > 0) {
            const Cubic candidate{a, a + (part.p1 - part.p0) * f0, b + (part.p2 - part.p3) * f1, b};
            if (fits(candidate, t0, t1)) {
                out_.push_back(candidate);
                return;
            }
        }
        // Near a cusp of the offset (the curve turning tighter than d) the halves shrink to lines.
        if (depth >= kMaxFitDepth) {
            out_.push_back(line(a, b));
            return;
        }
        const double tm = (t0 + t1) / 2;
        fitRange(t0, tm, depth + 1);
        fitRange(tm, t1, depth + 1);
    }

    // Each sample of the candidate is compared with the offset point whose normal passes
    // through it; a stretch changing sign between the ends (two cusps) is no fit either.
    bool fits(const Cubic& candidate, double t0, double t1) const {
        const bool forwards = stretch(t0) > 0;
        for (double u : {0.05, 0.15, 0.3, 0.5, 0.7, 0.85, 0.95}) {
            const Pt q = geom::evaluate(candidate, u);
            const double guess = t0 + u * (t1 - t0);
            if ((stretch(guess) > 0) != forwards) return false;
            if (norm(at(foot(p_.c, q, guess, t0, t1)) - q) > tol_) return false;
        }
        return true;
    }

    const Piece& p_;
    double d_, tol_;
    std::vector<Cubic> out_;
};

// ---------------------------------------------------------------- crossings

// Where two pieces cross, as (ta, tb) pairs: both are halved while their hulls meet, until
// they are flat enough to be taken as their chords.
class Crossings {
public:
    std::vector<std::pair<double, double>> of(const Cubic& a, const Cubic& b) {
        found_.clear();
        along_ = false;
        // Far from the origin doubles resolve less: flat enough is relative there.
        double reach = 0;
        for (Pt p : {a.p0, a.p1, a.p2, a.p3, b.p0, b.p1, b.p2, b.p3}) reach = std::max({reach, std::fabs(p.x), std::fabs(p.y)});
        flatness_ = std::max(kFlat, reach * 1e-12);
        search(a, 0, 1, b, 0, 1, 0);
        for (auto& [ta, tb] : found_) refine(a, b, &ta, &tb);
        std::sort(found_.begin(), found_.end());
        // A crossing on a halving line is found from both sides.
        found_.erase(std::unique(found_.begin(), found_.end(),
                                 [](auto x, auto y) {
                                     return std::fabs(x.first - y.first) < 1e-7 && std::fabs(x.second - y.second) < 1e-7;
                                 }),
                     found_.end());
        return found_;
    }

    // Whether the last two pieces looked at lie along each other somewhere.
    bool along() const { return along_; }

private:
    static constexpr double kFlat = 1e-5;  // points
    static constexpr int kMaxDepth = 48;

    // Flat pieces lying along each other (where the outline doubles back on itself) do not
    // cross: b's ends lie on a's chord.
    bool along(const Cubic& a, const Cubic& b) const {
        const Pt chord = a.p3 - a.p0;
        const double len = norm(chord);
        if (len <= kTiny) return false;
        return std::fabs(cross(chord, b.p0 - a.p0)) / len <= 2 * flatness_ &&
               std::fabs(cross(chord, b.p3 - a.p0)) / len <= 2 * flatness_;
    }

    bool flat(const Cubic& c) const {
        const Pt chord = c.p3 - c.p0;
        const double len = norm(chord);
        if (len <= kTiny) return norm(c.p1 - c.p0) <= flatness_ && norm(c.p2 - c.p0) <= flatness_;
        return std::fabs(cross(chord, c.p1 - c.p0)) / len <= flatness_ &&
               std::fabs(cross(chord, c.p2 - c.p0)) / len <= flatness_;
    }

    // Newton's method on a(ta) = b(tb), from the chords' crossing: a flat piece's parameter
    // need not run in step with its chord.
    static void refine(const Cubic& a, const Cubic& b, double* ta, double* tb) {
        for (int i = 0; i < 8; ++i) {
            const Pt gap = geom::evaluate(a, *ta) - geom::evaluate(b, *tb);
            const Pt da = geom::derivative(a, *ta), db = geom::derivative(b, *tb);
            const double det = cross(da, db);
            if (norm(gap) < 1e-12 || std::fabs(det) < 1e-12) return;
            // gap + da·δa − db·δb = 0, solved by crossing with db and with da.
            const double na = std::clamp(*ta + cross(db, gap) / det, 0.0, 1.0);
            const double nb = std::clamp(*tb + cross(da, gap) / det, 0.0, 1.0);
            *ta = na;
            *tb = nb;
        }
    }

    void search(const Cubic& a, double a0, double a1, const Cubic& b, double b0, double b1, int depth) {
        if (!hull(a).overlaps(hull(b))) return;
        const bool fa = flat(a), fb = flat(b);
        if ((fa && fb) || depth >= kMaxDepth) {
            const Pt r = a.p3 - a.p0, s = b.p3 - b.p0;
            const double den = cross(r, s);
            if (den == 0 || along(a, b) || along(b, a)) {
                along_ = true;
                return;
            }
            const double u = cross(b.p0 - a.p0, s) / den, v = cross(b.p0 - a.p0, r) / den;
            if (u < 0 || u > 1 || v < 0 || v > 1) return;
            // Halves of pieces lying along each other meet end to end at a slant: no crossing.
            auto atEnd = [](double t) { return t < 1e-9 || t > 1 - 1e-9; };
            if (atEnd(u) && atEnd(v) && std::fabs(den) < 1e-2 * norm(r) * norm(s)) {
                along_ = true;
                return;
            }
            found_.push_back({a0 + u * (a1 - a0), b0 + v * (b1 - b0)});
            return;
        }
        Cubic h1, h2;
        const bool splitA = !fa && (fb || norm(a.p3 - a.p0) + norm(a.p1 - a.p0) >= norm(b.p3 - b.p0) + norm(b.p1 - b.p0));
        if (splitA) {
            geom::split(a, 0.5, &h1, &h2);
            const double am = (a0 + a1) / 2;
            search(h1, a0, am, b, b0, b1, depth + 1);
            search(h2, am, a1, b, b0, b1, depth + 1);
        } else {
            geom::split(b, 0.5, &h1, &h2);
            const double bm = (b0 + b1) / 2;
            search(a, a0, a1, h1, b0, bm, depth + 1);
            search(a, a0, a1, h2, bm, b1, depth + 1);
        }
    }

    std::vector<std::pair<double, double>> found_;
    bool along_ = false;
    double flatness_ = kFlat;
};

// Whether piece b, which begins where a ends, can meet a only there: a line through that
// point has all of a's control points on one side and all of b's on the other. Most
// neighbours are told apart so, without halving them down to the shared point.
bool apart(const Cubic& a, const Cubic& b) {
    const Pt x = b.p0;
    const Pt back = unit((a.p2 - x) + (a.p1 - x) + (a.p0 - x)), ahead = unit((b.p1 - x) + (b.p2 - x) + (b.p3 - x));
    const Pt n = ahead - back;  // across the line, towards b's side
    if (norm(n) < 1e-6) return false;
    for (Pt q : {a.p0, a.p1, a.p2})
        if (dot(q - x, n) > 0) return false;
    for (Pt q : {b.p1, b.p2, b.p3})
        if (dot(q - x, n) < 0) return false;
    return true;
}

// ---------------------------------------------------------------- joins and caps

// A circular arc about `centre` from `from` to `to`, turning by `sweep` (counter-clockwise
// positive), in pieces short enough to stay within tolerance of the circle.
void arc(std::vector<Cubic>& out, Pt centre, Pt from, Pt to, double sweep, double r, double tol) {
    // A quarter circle of one cubic strays 2.7e-4 of its radius; the error falls with the
    // sixth power of the angle.
    const double perQuarter = std::ceil(std::pow(2.7e-4 * r / (tol / 4), 1.0 / 6.0));
    const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (pi / 2) * perQuarter - 1e-9)));
    const double step = sweep / n, k = 4.0 / 3.0 * std::tan(step / 4) * r;
    const Pt u = from - centre;
    const double a0 = std::atan2(u.y, u.x);
    Pt start = from;
    for (int i = 1; i <= n; ++i) {
        const double s0 = a0 + (i - 1) * step, s1 = a0 + i * step;
        const Pt end = i == n ? to : centre + Pt{std::cos(s1), std::sin(s1)} * r;
        out.push_back({start, start + Pt{-std::sin(s0), std::cos(s0)} * k, end - Pt{-std::sin(s1), std::cos(s1)} * k, end});
        start = end;
    }
}

// The turn from tangent a to tangent b, in (−π, π].
double turn(Pt a, Pt b) { return std::atan2(cross(a, b), dot(a, b)); }

// A turn back on itself: both sides take the outer join, round the front.
bool reversal(double phi) { return std::fabs(phi) > pi - 1e-9; }

// The miter's tip on the outer side (normals na, nb there), or false where the miter
// would pass the limit.
bool miterTip(const Stroke& s, Pt P, Pt na, Pt nb, double phi, Pt* tip) {
    const double c = std::cos(phi / 2);
    if (s.shape.join != kAIMiterJoin || !(c > 0) || 1 / c > std::max(1.0, s.shape.miterLimit)) return false;
    *tip = P + unit(na + nb) * (s.h / c);
    return true;
}

// Distance from p to the nearest point of c, within `flatness`, and its parameter: exactly 0
// or 1 when an end is nearest. Halves are passed over when even their control points lie
// no nearer than the best found, so a curve looping back is measured as surely as a plain one.
double nearest(const Cubic& c, Pt p, double flatness, double* t) {
    double best = norm(c.p0 - p);
    *t = 0;
    if (norm(c.p3 - p) < best) {
        best = norm(c.p3 - p);
        *t = 1;
    }
    struct Span {
        Cubic c;
        double t0, t1;
    };
    std::array<Span, 64> stack;
    size_t top = 0;
    stack[top++] = {c, 0, 1};
    while (top > 0) {
        const Span s = stack[--top];
        const Box box = hull(s.c);
        const double dx = std::max({box.x0 - p.x, 0.0, p.x - box.x1}), dy = std::max({box.y0 - p.y, 0.0, p.y - box.y1});
        if (std::sqrt(dx * dx + dy * dy) >= best) continue;
        const Pt chord = s.c.p3 - s.c.p0;
        const double len2 = dot(chord, chord);
        const bool flat = std::fabs(cross(chord, s.c.p1 - s.c.p0)) <= flatness * std::sqrt(len2) &&
                          std::fabs(cross(chord, s.c.p2 - s.c.p0)) <= flatness * std::sqrt(len2);
        if ((flat && len2 > 0) || s.t1 - s.t0 < 1e-7 || top + 2 > stack.size()) {
            const double u = len2 > 0 ? std::clamp(dot(p - s.c.p0, chord) / len2, 0.0, 1.0) : 0;
            const double d = norm(s.c.p0 + chord * u - p);
            if (d < best) {
                best = d;
                *t = s.t0 + u * (s.t1 - s.t0);
            }
            continue;
        }
        Cubic first, second;
        geom::split(s.c, 0.5, &first, &second);
        const double tm = (s.t0 + s.t1) / 2;
        // The nearer half is looked at first.
        const bool firstNearer = norm(first.p3 - p) + norm(first.p0 - p) < norm(second.p0 - p) + norm(second.p3 - p);
        stack[top++] = firstNearer ? Span{second, tm, s.t1} : Span{first, s.t0, tm};
        stack[top++] = firstNearer ? Span{first, s.t0, tm} : Span{second, tm, s.t1};
    }
    // A chord's nearest point is not quite the curve's.
    if (*t > 0 && *t < 1) *t = foot(c, p, *t, 0, 1);
    return std::min(best, norm(geom::evaluate(c, *t) - p));
}

// Whether every piece lies within r of curve c (at its ends and thirds).
bool within(const std::vector<Cubic>& pieces, const Cubic& c, double r, double flatness) {
    double t = 0;
    for (const Cubic& piece : pieces)
        for (double u : {0.0, 1.0 / 3, 2.0 / 3, 1.0})
            if (nearest(c, geom::evaluate(piece, u), flatness, &t) > r) return false;
    return true;
}

// The offsets of pieces a (its tail) and b (its head) cross on the inner side of their
// corner: both are cut at the crossing nearest the corner along a. False, changing nothing,
// when they do not cross there: what would be cut off must lie within the stroke of the
// other piece (curves crossing far from the corner are trimmed with the rest).
bool cutAtCrossing(const Stroke& s, const Piece& pa, const Piece& pb, std::vector<Cubic>& a, std::vector<Cubic>& b) {
    std::vector<Box> boxes;
    boxes.reserve(b.size());
    for (const Cubic& c : b) boxes.push_back(hull(c));
    const geom::BoxTree heads(std::move(boxes));
    Crossings crossings;
    for (size_t ia = a.size(); ia-- > 0;) {
        double ta = -1, tb = 0;
        size_t ib = 0;
        heads.overlapping(hull(a[ia]), [&](uint32_t j) {
            for (const auto& [u, v] : crossings.of(a[ia], b[j])) {
                if (u > ta || (u == ta && j < ib)) {
                    ta = u;
                    tb = v;
                    ib = j;
                }
            }
        });
        if (ta < 0) continue;
        std::vector<Cubic> tail{portion(a[ia], ta, 1)}, head(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(ib));
        tail.insert(tail.end(), a.begin() + static_cast<std::ptrdiff_t>(ia) + 1, a.end());
        head.push_back(portion(b[ib], 0, tb));
        const double reach = s.h + 2 * s.tol;
        if (!within(tail, pb.c, reach, s.tol / 2) || !within(head, pa.c, reach, s.tol / 2)) return false;
        a[ia] = portion(a[ia], 0, ta);
        a.resize(ia + 1);
        b[ib] = portion(b[ib], tb, 1);
        b.erase(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(ib));
        const Pt x = (a.back().p3 + b.front().p0) * 0.5;
        a.back().p3 = b.front().p0 = x;
        return true;
    }
    return false;
}

// What joins the offset of piece a to that of piece b on side `side` (+1 left, −1 right).
void joint(const Stroke& s, const Piece& pa, const Piece& pb, int side, std::vector<Cubic>& a,
           std::vector<Cubic>& b, bool samePiece, std::vector<Cubic>& out) {
    const Pt P = pa.c.p3, A = a.back().p3, B = b.front().p0;
    if (norm(A - B) <= s.tol) {
        if (norm(A - B) > 0) out.push_back(line(A, B));
        return;
    }
    double phi = turn(pa.t1, pb.t0);
    if (reversal(phi)) {
        phi = -side * pi;
    } else if (side * phi > 0) {
        // The inner side: the offsets overlap. Where they do not cross (pieces shorter than
        // the stroke is wide) they are joined through the corner, and the crossings left are
        // trimmed with the rest.
        if (samePiece || !cutAtCrossing(s, pa, pb, a, b)) {
            out.push_back(line(A, P));
            out.push_back(line(P, B));
        }
        return;
    }
    Pt tip;
    if (s.shape.join == kAIRoundJoin || pb.cuspBefore) {  // a curve turning back is round
        arc(out, P, A, B, phi, s.h, s.tol);
    } else if (miterTip(s, P, leftOf(pa.t1) * side, leftOf(pb.t0) * side, phi, &tip)) {
        out.push_back(line(A, tip));
        out.push_back(line(tip, B));
    } else {
        out.push_back(line(A, B));
    }
}

// The cap at an end of an open path, t the unit tangent pointing out of it: from the end's
// left corner round to its right corner.
void cap(const Stroke& s, Pt end, Pt t, std::vector<Cubic>& out) {
    const Pt n = leftOf(t) * s.h, from = end + n, to = end - n;
    switch (s.shape.cap) {
    case kAIRoundCap:
        arc(out, end, from, to, -pi, s.h, s.tol);
        break;
    case kAIProjectingCap:
        out.push_back(line(from, from + t * s.h));
        out.push_back(line(from + t * s.h, to + t * s.h));
        out.push_back(line(to + t * s.h, to));
        break;
    default:
        out.push_back(line(from, to));
    }
}

// One side's offset along the path's direction, joined at every corner (the closing one of
// a closed path too).
std::vector<Cubic> side(const Stroke& s, int side) {
    const size_t n = s.pieces.size();
    std::vector<std::vector<Cubic>> offsets(n), joints(n);
    for (size_t i = 0; i < n; ++i) offsets[i] = PieceOffset(s.pieces[i], side * s.h, s.tol).fit();
    const size_t corners = s.closed ? n : n - 1;
    for (size_t i = 0; i < corners; ++i) {
        const size_t j = (i + 1) % n;
        joint(s, s.pieces[i], s.pieces[j], side, offsets[i], offsets[j], i == j, joints[i]);
    }
    std::vector<Cubic> out;
    for (size_t i = 0; i < n; ++i) {
        out.insert(out.end(), offsets[i].begin(), offsets[i].end());
        out.insert(out.end(), joints[i].begin(), joints[i].end());
    }
    return out;
}

std::vector<Cubic> backwards(std::vector<Cubic> edges) {
    std::reverse(edges.begin(), edges.end());
    for (Cubic& c : edges) c = reversed(c);
    return edges;
}

// The raw contours, each running with the stroke on its right: a closed path's right side
// (backwards) and left side; an open path's left side, end cap, right side backwards and
// start cap.
std::vector<std::vector<Cubic>> rawContours(const Stroke& s) {
    if (s.closed) return {backwards(side(s, -1)), side(s, 1)};
    std::vector<Cubic> ring = side(s, 1);
    cap(s, s.pieces.back().c.p3, s.pieces.back().t1, ring);
    const std::vector<Cubic> right = backwards(side(s, -1));
    ring.insert(ring.end(), right.begin(), right.end());
    cap(s, s.pieces.front().c.p0, s.pieces.front().t0 * -1, ring);
    return {ring};
}

// ---------------------------------------------------------------- the stroked area

// Whether a point lies inside the area the stroke paints, by more than a margin: within
// half the width of a piece, measured square to it (its butt ends are not rounded), or
// inside a corner's join or an end's cap.
class StrokedArea {
public:
    explicit StrokedArea(const Stroke& s) : s_(s), margin_(2 * s.tol), tree_(boxes()) {}

    bool holds(Pt p) const {
        bool inside = false;
        tree_.atPoint(p.x, p.y, [&](uint32_t i) {
            if (inside) return;
            inside = i < s_.pieces.size() ? inBody(s_.pieces[i], p) : inZone(zones_[i - s_.pieces.size()], p);
        });
        return inside;
    }

private:
    // A join or a cap: a disc (round, no corners), or a convex polygon whose first corner is
    // the anchor.
    struct Zone {
        Pt centre;
        std::array<Pt, 5> corners{};
        size_t count = 0;
    };

    std::vector<Box> boxes() {
        const size_t n = s_.pieces.size();
        const size_t corners = s_.closed ? n : n - 1;
        for (size_t i = 0; i < corners; ++i) addJoin(s_.pieces[i], s_.pieces[(i + 1) % n]);
        if (!s_.closed) {
            addCap(s_.pieces.front().c.p0, s_.pieces.front().t0 * -1);
            addCap(s_.pieces.back().c.p3, s_.pieces.back().t1);
        }
        std::vector<Box> out;
        for (const Piece& p : s_.pieces) out.push_back(hull(p.c).grown(s_.h));
        for (const Zone& z : zones_) {
            Box b;
            if (z.count == 0) b = Box{z.centre.x, z.centre.y, z.centre.x, z.centre.y}.grown(s_.h);
            for (size_t i = 0; i < z.count; ++i) b.add(z.corners[i].x, z.corners[i].y);
            out.push_back(b);
        }
        return out;
    }

    void addJoin(const Piece& a, const Piece& b) {
        const double phi = turn(a.t1, b.t0);
        const Pt P = a.c.p3;
        if (s_.shape.join == kAIRoundJoin || b.cuspBefore) {
            zones_.push_back({P, {}, 0});
            return;
        }
        const double outer = phi < 0 ? 1 : -1;
        const Pt na = leftOf(a.t1) * outer, nb = leftOf(b.t0) * outer;
        if (reversal(phi) || norm(na - nb) * s_.h <= s_.tol) return;  // no area beyond the pieces
        Pt tip;
        if (miterTip(s_, P, na, nb, phi, &tip))
            zones_.push_back({P, {P, P + na * s_.h, tip, P + nb * s_.h}, 4});
        else
            zones_.push_back({P, {P, P + na * s_.h, P + nb * s_.h}, 3});
    }

    void addCap(Pt end, Pt t) {
        const Pt n = leftOf(t) * s_.h, ahead = t * s_.h;
        if (s_.shape.cap == kAIRoundCap) zones_.push_back({end, {}, 0});
        if (s_.shape.cap == kAIProjectingCap)
            zones_.push_back({end, {end, end + n, end + n + ahead, end - n + ahead, end - n}, 5});
    }

    // Inside by the margin every way: the nearest point not within it of an end, where the
    // butt end's line bounds the piece's area.
    bool inBody(const Piece& piece, Pt p) const {
        const Cubic& c = piece.c;
        Pt foot;
        if (piece.straight) {
            const Pt chord = c.p3 - c.p0;
            foot = c.p0 + chord * std::clamp(dot(p - c.p0, chord) / dot(chord, chord), 0.0, 1.0);
        } else {
            double t = 0;
            nearest(c, p, margin_ / 4, &t);
            foot = geom::evaluate(c, t);
        }
        return norm(foot - p) < s_.h - margin_ && norm(foot - c.p0) > margin_ && norm(foot - c.p3) > margin_;
    }

    bool inZone(const Zone& z, Pt p) const {
        if (z.count == 0) return norm(p - z.centre) < s_.h - margin_;
        const auto& v = z.corners;
        const size_t n = z.count;
        double area = 0;
        for (size_t i = 0; i < n; ++i) area += cross(v[i], v[(i + 1) % n]);
        const double orientation = area > 0 ? 1 : -1;
        for (size_t i = 0; i < n; ++i) {
            const Pt a = v[i], b = v[(i + 1) % n];
            const double len = norm(b - a);
            if (len == 0) continue;
            const double inside = orientation * cross(b - a, p - a) / len;
            // The sides through the anchor border the pieces' own areas.
            const bool throughAnchor = i == 0 || i + 1 == n;
            if (inside <= (throughAnchor ? -margin_ : margin_)) return false;
        }
        return true;
    }

    const Stroke& s_;
    double margin_;
    std::vector<Zone> zones_;
    geom::BoxTree tree_;
};

// ---------------------------------------------------------------- trimming

// The raw contours cut where they cross, with the parts inside the stroked area dropped,
// linked again into closed contours: at a crossing a kept part goes on along the other
// contour when that part is kept.
class Trim {
public:
    Trim(const std::vector<std::vector<Cubic>>& raw, const StrokedArea& area, double tolerance) {
        std::vector<Cubic> edges;
        std::vector<size_t> first;  // index of each contour's first edge
        for (const auto& contour : raw) {
            first.push_back(edges.size());
            edges.insert(edges.end(), contour.begin(), contour.end());
        }
        first.push_back(edges.size());
        std::vector<size_t> before(edges.size());  // the edge before each, round its contour
        for (size_t k = 0; k + 1 < first.size(); ++k)
            for (size_t e = first[k]; e < first[k + 1]; ++e) before[e] = e > first[k] ? e - 1 : first[k + 1] - 1;
        const auto cuts = crossings(edges, before);
        parts_.reserve(edges.size() + 2 * at_.size());
        for (size_t k = 0; k + 1 < first.size(); ++k) cutContour(edges, cuts, first[k], first[k + 1]);
        // A part is inside all along or not at all, but beside a cusp of an offset (the curve
        // turning tighter than the stroke is wide) it lies barely inside: three points judge it.
        for (Part& p : parts_)
            p.kept = std::none_of(std::begin(kJudged), std::end(kJudged),
                                  [&](double t) { return area.holds(geom::evaluate(p.c, t)); });
        dropRepeats(tolerance);
    }

    std::vector<std::vector<Cubic>> contours() {
        std::vector<std::vector<Cubic>> out;
        std::vector<bool> used(parts_.size(), false);
        for (size_t start = 0; start < parts_.size(); ++start) {
            if (!parts_[start].kept || used[start]) continue;
            std::vector<Cubic> ring;
            for (size_t cur = start;;) {
                used[cur] = true;
                ring.push_back(parts_[cur].c);
                const long next = successor(cur);
                if (next == static_cast<long>(start)) break;
                if (next < 0 || used[static_cast<size_t>(next)]) {
                    // A loose end (a part misjudged at the margin): closed straight back.
                    ring.push_back(line(ring.back().p3, ring.front().p0));
                    break;
                }
                cur = static_cast<size_t>(next);
            }
            out.push_back(std::move(ring));
        }
        return out;
    }

private:
    static constexpr double kJudged[] = {0.5, 0.25, 0.75};
    struct Cut {
        double t;
        long node;
    };
    struct Part {
        Cubic c;
        long endNode = -1;  // the crossing it ends at, or -1 where the next part follows on
        size_t next = 0;    // the part after it along its raw contour
        bool kept = false;
        bool doubled = false;  // its edge lies along another somewhere
    };

    // Cuts per edge, sorted along it. A crossing at a corner of one contour (the end of an
    // edge) is kept as a cut at t = 1 of the edge ending there; one where both edges only
    // touch at ends (as neighbours do) is none.
    std::vector<std::vector<Cut>> crossings(const std::vector<Cubic>& edges, const std::vector<size_t>& before) {
        std::vector<std::vector<Cut>> cuts(edges.size());
        std::vector<Box> boxes;
        boxes.reserve(edges.size());
        for (const Cubic& c : edges) boxes.push_back(hull(c));
        std::set<std::pair<size_t, size_t>> corners;  // (edge ending at the corner, edge through it)
        doubled_.assign(edges.size(), false);
        Crossings search;
        constexpr double kEnd = 1e-7;
        auto atEnd = [&](size_t* e, double* t) {
            if (*t > kEnd && *t < 1 - kEnd) return false;
            if (*t <= kEnd) *e = before[*e];
            *t = 1;
            return true;
        };
        geom::BoxTree(std::move(boxes)).overlappingPairs([&](uint32_t ei, uint32_t ej) {
            if (before[ej] == ei && apart(edges[ei], edges[ej])) return;
            if (before[ei] == ej && apart(edges[ej], edges[ei])) return;
            const auto found = search.of(edges[ei], edges[ej]);
            if (search.along()) doubled_[ei] = doubled_[ej] = true;
            for (auto [ti, tj] : found) {
                size_t i = ei, j = ej;
                const Pt x = (geom::evaluate(edges[i], ti) + geom::evaluate(edges[j], tj)) * 0.5;
                const bool endI = atEnd(&i, &ti), endJ = atEnd(&j, &tj);
                if (endI && endJ) continue;
                if ((endI && !corners.insert({i, j}).second) || (endJ && !corners.insert({j, i}).second)) continue;
                const long node = static_cast<long>(at_.size());
                cuts[i].push_back({ti, node});
                cuts[j].push_back({tj, node});
                at_.push_back(endI ? edges[i].p3 : endJ ? edges[j].p3 : x);
            }
        });
        for (auto& c : cuts) std::sort(c.begin(), c.end(), [](const Cut& a, const Cut& b) { return a.t < b.t; });
        outgoing_.assign(at_.size(), {});
        return cuts;
    }

    void cutContour(const std::vector<Cubic>& edges, const std::vector<std::vector<Cut>>& cuts, size_t from,
                    size_t to) {
        const size_t begin = parts_.size();
        std::vector<std::pair<size_t, long>> corners;  // (the edge's last part, crossing) at edge ends
        for (size_t e = from; e < to; ++e) {
            double t0 = 0;
            long after = -1;  // the crossing the part begins at
            // Both pieces crossing meet at one point.
            auto add = [&](double t1, long node) {
                parts_.push_back({portion(edges[e], t0, t1), node, 0, false, doubled_[e]});
                if (after >= 0) parts_.back().c.p0 = at_[static_cast<size_t>(after)];
                if (node >= 0) parts_.back().c.p3 = at_[static_cast<size_t>(node)];
            };
            long atEnd = -1;
            for (const Cut& cut : cuts[e]) {
                if (cut.t == 1) {
                    atEnd = cut.node;
                    continue;
                }
                add(cut.t, cut.node);
                outgoing_[static_cast<size_t>(cut.node)].push_back(parts_.size());  // the part after the cut
                t0 = cut.t;
                after = cut.node;
            }
            add(1, -1);
            if (atEnd >= 0) corners.push_back({parts_.size() - 1, atEnd});
        }
        for (size_t k = begin; k < parts_.size(); ++k) parts_[k].next = k + 1 < parts_.size() ? k + 1 : begin;
        for (const auto& [part, node] : corners) {
            parts_[part].endNode = node;
            outgoing_[static_cast<size_t>(node)].push_back(parts_[part].next);
        }
    }

    // Where the path doubles back on itself both sides' offsets can run along the same
    // edge of the stroke: one of two parts lying on each other is kept. Only parts of edges
    // the crossing search found lying along another are compared.
    void dropRepeats(double tolerance) {
        const double close = tolerance / 10;
        struct CellHash {
            size_t operator()(const std::pair<long long, long long>& c) const {
                return std::hash<long long>()(c.first * 73856093LL ^ c.second * 19349663LL);
            }
        };
        auto cellOf = [&](Pt p) { return std::pair{std::llround(p.x / tolerance), std::llround(p.y / tolerance)}; };
        std::unordered_map<std::pair<long long, long long>, std::vector<size_t>, CellHash> byMiddle;
        for (size_t k = 0; k < parts_.size(); ++k)
            if (parts_[k].kept && parts_[k].doubled) byMiddle[cellOf(geom::evaluate(parts_[k].c, 0.5))].push_back(k);
        for (size_t k = 0; k < parts_.size(); ++k) {
            if (!parts_[k].kept || !parts_[k].doubled) continue;
            const Cubic& a = parts_[k].c;
            if (norm(a.p3 - a.p0) < close) continue;  // a mere point: nothing to repeat
            const auto [cx, cy] = cellOf(geom::evaluate(a, 0.5));
            for (long long dx = -1; dx <= 1; ++dx) {
                for (long long dy = -1; dy <= 1; ++dy) {
                    const auto found = byMiddle.find({cx + dx, cy + dy});
                    if (found == byMiddle.end()) continue;
                    for (size_t j : found->second) {
                        Part& b = parts_[j];
                        if (j > k && b.kept && norm(a.p0 - b.c.p0) < close && norm(a.p3 - b.c.p3) < close) b.kept = false;
                    }
                }
            }
        }
    }

    long successor(size_t cur) const {
        const Part& p = parts_[cur];
        const size_t own = p.next;
        if (p.endNode >= 0) {
            for (size_t other : outgoing_[static_cast<size_t>(p.endNode)])
                if (other != own && parts_[other].kept) return static_cast<long>(other);
        }
        return parts_[own].kept ? static_cast<long>(own) : -1;
    }

    std::vector<Part> parts_;
    std::vector<bool> doubled_;                  // per edge
    std::vector<Pt> at_;                         // per crossing, where it is
    std::vector<std::vector<size_t>> outgoing_;  // per crossing, the parts starting there
};

// ---------------------------------------------------------------- back to path segments

double ringArea(const std::vector<Cubic>& ring) {
    std::vector<AIPathSegment> segs;
    for (const Cubic& c : ring) segs.push_back({geom::toReal(c.p0), {}, geom::toReal(c.p1), false});
    for (size_t i = 0; i < ring.size(); ++i) segs[(i + 1) % ring.size()].in = geom::toReal(ring[i].p2);
    return geom::area(segs);
}

// Anchor k sits at the start of piece k; pieces without length are left out, straight ones
// have their handles retracted.
bool toSegments(const std::vector<Cubic>& ring, std::vector<AIPathSegment>* out) {
    std::vector<Cubic> pieces;
    for (const Cubic& c : ring) {
        if (norm(c.p3 - c.p0) + norm(c.p1 - c.p0) + norm(c.p2 - c.p3) <= kTiny) continue;
        pieces.push_back(straight(c) ? Cubic{c.p0, c.p0, c.p3, c.p3} : c);
    }
    out->clear();
    for (size_t k = 0; k < pieces.size(); ++k) {
        const Cubic& c = pieces[k];
        const Cubic& before = pieces[(k + pieces.size() - 1) % pieces.size()];
        const Pt in = before.p2 - c.p0, outHandle = c.p1 - c.p0;
        const bool smooth = norm(in) > kTiny && norm(outHandle) > kTiny &&
                            std::fabs(cross(unit(in), unit(outHandle))) < 1e-6 && dot(in, outHandle) < 0;
        const AIPathSegment seg{geom::toReal(c.p0), geom::toReal(before.p2), geom::toReal(c.p1), !smooth};
        for (AIReal v : {seg.p.h, seg.p.v, seg.in.h, seg.in.v, seg.out.h, seg.out.v})
            if (!std::isfinite(v)) return false;
        out->push_back(seg);
    }
    return true;
}

}  // namespace

AIErr outlineStroke(const std::vector<AIPathSegment>& segments, bool closed, const StrokeShape& shape,
                    Contours* out) {
    out->contours.clear();
    if (!(shape.halfWidth > 0) || !std::isfinite(shape.halfWidth)) return kBadParameterErr;
    Stroke s;
    s.closed = closed;
    s.shape = shape;
    s.h = shape.halfWidth;
    // Reals of the drawing hold about seven digits: far out, the tolerance is what they resolve.
    double reach = 0;
    for (const AIPathSegment& seg : segments)
        for (AIReal v : {seg.p.h, seg.p.v, seg.in.h, seg.in.v, seg.out.h, seg.out.v})
            reach = std::max(reach, std::fabs(static_cast<double>(v)));
    s.tol = std::max(std::min(kTolerance, s.h / 20), (reach + s.h) * 2e-7);
    s.pieces = strokedPieces(segments, closed, s.tol);
    if (s.pieces.empty()) return kBadParameterErr;
    const StrokedArea area(s);
    Trim trim(rawContours(s), area, s.tol);
    for (const std::vector<Cubic>& ring : trim.contours()) {
        if (std::fabs(ringArea(ring)) <= s.tol * s.tol) continue;  // a sliver of nothing
        std::vector<AIPathSegment> segs;
        if (!toSegments(ring, &segs)) return kBadParameterErr;
        out->contours.push_back(std::move(segs));
    }
    return kNoErr;
}

}  // namespace standin::outline
