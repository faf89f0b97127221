// Wall frames, mitres, pieces and the union outline of a house.
#include "architecture/WallGeometry.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

// Points closer than this are one point (ends of walls, ends of outline pieces).
constexpr double kSamePoint = 1e-2;
// How far beside an edge the union looks to see whether the other side is covered: past
// what counts as one point, so that walls closer than that meet as if they touched.
constexpr double kProbe = 2 * kSamePoint;
// A mitre reaching farther from the corner than this many wall thicknesses is not made:
// the walls meet square instead.
constexpr double kMitreLimit = 4.0;

WallPoint operator+(WallPoint a, WallPoint b) { return {a.h + b.h, a.v + b.v}; }
WallPoint operator-(WallPoint a, WallPoint b) { return {a.h - b.h, a.v - b.v}; }
WallPoint operator*(WallPoint a, double s) { return {a.h * s, a.v * s}; }
double Dot(WallPoint a, WallPoint b) { return a.h * b.h + a.v * b.v; }
double Cross(WallPoint a, WallPoint b) { return a.h * b.v - a.v * b.h; }
double Length(WallPoint a) { return std::sqrt(a.h * a.h + a.v * a.v); }

// The crossing of the lines p + s d and q + u e; false for parallel lines.
bool CrossLines(WallPoint p, WallPoint d, WallPoint q, WallPoint e, WallPoint* out) {
    const double den = Cross(d, e);
    if (std::fabs(den) < 1e-12) return false;
    *out = p + d * (Cross(q - p, e) / den);
    return true;
}

// Signed distance of q to the left of the directed edge a -> b.
double LeftOf(WallPoint a, WallPoint b, WallPoint q) {
    const double len = Distance(a, b);
    return len > 0 ? Cross(b - a, q - a) / len : 0;
}

// Within `tol` of the inside of a convex counter-clockwise polygon.
bool Inside(const WallPolygon& poly, WallPoint q, double tol) {
    for (size_t i = 0; i < poly.size(); ++i)
        if (LeftOf(poly[i], poly[(i + 1) % poly.size()], q) < -tol) return false;
    return poly.size() >= 3;
}

// Strictly inside, by more than `depth`.
bool DeepInside(const WallPolygon& poly, WallPoint q, double depth) {
    for (size_t i = 0; i < poly.size(); ++i)
        if (LeftOf(poly[i], poly[(i + 1) % poly.size()], q) <= depth) return false;
    return poly.size() >= 3;
}

WallPolygon Quad(const WallCorners& c) { return {c.startHi, c.endHi, c.endLo, c.startLo}; }

struct Box {
    double l, b, r, t;
};

Box Around(WallPoint p, double reach) { return {p.h - reach, p.v - reach, p.h + reach, p.v + reach}; }

// Values kept in the cells of a square grid by the boxes they cover, so that those near a
// place are found without looking at the rest. Places beyond what a cell index holds share
// the outermost cells.
class BoxGrid {
public:
    explicit BoxGrid(double cell) : cell_(cell) {}
    void add(const Box& box, size_t value) {
        each(box, [&](uint64_t key) { cells_[key].push_back(value); });
    }
    // Every value whose box may meet this one (some more than once).
    template <class Visit>
    void near(const Box& box, Visit&& visit) const {
        each(box, [&](uint64_t key) {
            if (auto it = cells_.find(key); it != cells_.end())
                for (size_t value : it->second) visit(value);
        });
    }

private:
    // Walls come from records that hold finite numbers only; a place that is not a number
    // still gets a cell (the first) rather than an undefined one.
    int64_t cellOf(double x) const {
        const double cell = std::floor(x / cell_);
        return std::isnan(cell) ? 0 : static_cast<int64_t>(std::clamp(cell, -4e18, 4e18));
    }
    template <class Use>
    void each(const Box& box, Use&& use) const {
        for (int64_t i = cellOf(box.l); i <= cellOf(box.r); ++i)
            for (int64_t j = cellOf(box.b); j <= cellOf(box.t); ++j)
                use((static_cast<uint64_t>(i) * 0x9E3779B97F4A7C15ull) ^ static_cast<uint64_t>(j));
    }
    double cell_;
    std::unordered_map<uint64_t, std::vector<size_t>> cells_;
};

// --- mitres ---

struct WallEnd {
    size_t wall;
    int which;  // 0 start, 1 end
};

WallPoint EndPoint(const Wall& w, int which) { return which ? w.end : w.start; }

WallCorners SquareCorners(const WallFrame& f) {
    return {f.at(0, f.lo), f.at(0, f.hi), f.at(f.length, f.lo), f.at(f.length, f.hi)};
}

// The faces of a wall end as seen walking from the wall into the corner: the offset on the
// walker's left and on its right.
std::pair<double, double> FacesTowards(const WallFrame& f, int which) {
    return which ? std::pair{f.lo, f.hi} : std::pair{f.hi, f.lo};
}

struct Join {
    WallEnd a, b;
};

// The mitre of two wall ends meeting at one point: where their left faces cross and where
// their right faces cross, walking through the corner from a into b. False when the walls
// run on in one line or the mitre reaches too far.
bool Mitre(const std::vector<WallFrame>& frames, const std::vector<Wall>& walls, const Join& j, WallPoint* left,
           WallPoint* right) {
    const WallFrame& fa = frames[j.a.wall];
    const WallFrame& fb = frames[j.b.wall];
    auto [aLeft, aRight] = FacesTowards(fa, j.a.which);
    // Walking out of the corner along b is walking b's way towards its other end.
    auto [bRight, bLeft] = FacesTowards(fb, j.b.which);
    const WallPoint corner = EndPoint(walls[j.a.wall], j.a.which);
    if (!CrossLines(fa.p + fa.n * aLeft, fa.d, fb.p + fb.n * bLeft, fb.d, left)) return false;
    if (!CrossLines(fa.p + fa.n * aRight, fa.d, fb.p + fb.n * bRight, fb.d, right)) return false;
    const double reach = kMitreLimit * std::max(walls[j.a.wall].thickness, walls[j.b.wall].thickness);
    return Distance(*left, corner) <= reach && Distance(*right, corner) <= reach;
}

void SetEnd(WallCorners& c, int which, WallPoint leftTowards, WallPoint rightTowards) {
    const bool leftIsLo = which == 1;  // as FacesTowards has it
    WallPoint& lo = which ? c.endLo : c.startLo;
    WallPoint& hi = which ? c.endHi : c.startHi;
    lo = leftIsLo ? leftTowards : rightTowards;
    hi = leftIsLo ? rightTowards : leftTowards;
}

// A wall whose corners still make a convex, counter-clockwise quadrilateral with each face
// running forwards.
bool Sound(const WallFrame& f, const WallCorners& c) {
    if (f.along(c.endLo) <= f.along(c.startLo) || f.along(c.endHi) <= f.along(c.startHi)) return false;
    const WallPolygon q = Quad(c);
    for (size_t i = 0; i < 4; ++i)
        if (Cross(q[(i + 1) % 4] - q[i], q[(i + 2) % 4] - q[(i + 1) % 4]) <= 0) return false;
    return true;
}

// The pairs of wall ends that meet in a mitre: at each point where walls end, the first two
// (in the order they were drawn) that make one. A wall later drawn from a corner butts into
// it square, so the corner stays where it was, with no notch between the faces that made it.
std::vector<Join> FindJoins(const std::vector<Wall>& walls, const std::vector<WallFrame>& frames) {
    BoxGrid grid(1.0);
    std::vector<std::vector<WallEnd>> clusters;
    std::vector<WallPoint> where;
    for (size_t w = 0; w < walls.size(); ++w) {
        for (int which = 0; which < 2; ++which) {
            const WallPoint p = EndPoint(walls[w], which);
            size_t found = clusters.size();
            grid.near(Around(p, kSamePoint), [&](size_t c) {
                if (found == clusters.size() && Distance(where[c], p) <= kSamePoint) found = c;
            });
            if (found == clusters.size()) {
                clusters.emplace_back();
                where.push_back(p);
                grid.add(Around(p, 0), found);
            }
            clusters[found].push_back({w, which});
        }
    }
    std::vector<Join> joins;
    for (const auto& c : clusters) {
        const auto mitres = [&](const Join& j) {
            WallPoint left{}, right{};
            return j.a.wall != j.b.wall && Mitre(frames, walls, j, &left, &right);
        };
        bool found = false;
        for (size_t i = 0; i < c.size() && !found; ++i)
            for (size_t k = i + 1; k < c.size() && !found; ++k)
                if ((found = mitres({c[i], c[k]}))) joins.push_back({c[i], c[k]});
    }
    return joins;
}

}  // namespace

double Distance(WallPoint a, WallPoint b) { return Length(a - b); }

WallFrame FrameOf(const Wall& wall) {
    WallFrame f;
    f.p = wall.start;
    const WallPoint run = wall.end - wall.start;
    f.length = Length(run);
    f.d = f.length > 0 ? run * (1.0 / f.length) : WallPoint{1, 0};
    f.n = {f.d.v, -f.d.h};
    const double t = wall.thickness;
    switch (wall.datum) {
        case kInsideFaceDatum: f.lo = 0, f.hi = t; break;
        case kOutsideFaceDatum: f.lo = -t, f.hi = 0; break;
        default: f.lo = -t / 2, f.hi = t / 2; break;
    }
    return f;
}

std::vector<WallCorners> JoinWalls(const std::vector<Wall>& walls) {
    std::vector<WallFrame> frames;
    frames.reserve(walls.size());
    for (const Wall& w : walls) frames.push_back(FrameOf(w));
    std::vector<Join> joins = FindJoins(walls, frames);
    std::vector<bool> kept(joins.size(), true);
    std::vector<WallCorners> corners;
    // A mitre that would turn a wall inside out (a short wall between two sharp corners) is
    // given up, and the walls there meet square; a few rounds settle every wall.
    for (int round = 0; round < 4; ++round) {
        corners.clear();
        for (const WallFrame& f : frames) corners.push_back(SquareCorners(f));
        for (size_t k = 0; k < joins.size(); ++k) {
            WallPoint left{}, right{};
            if (!kept[k] || !Mitre(frames, walls, joins[k], &left, &right)) continue;
            SetEnd(corners[joins[k].a.wall], joins[k].a.which, left, right);
            // Seen from b, walking into the corner, left and right change places.
            SetEnd(corners[joins[k].b.wall], joins[k].b.which, right, left);
        }
        bool settled = true;
        for (size_t k = 0; k < joins.size(); ++k) {
            if (!kept[k]) continue;
            const size_t a = joins[k].a.wall, b = joins[k].b.wall;
            if (!Sound(frames[a], corners[a]) || !Sound(frames[b], corners[b])) {
                kept[k] = false;
                settled = false;
            }
        }
        if (settled) break;
    }
    return corners;
}

std::vector<WallPolygon> WallPieces(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners,
                                    std::vector<size_t>* owner) {
    std::vector<WallPolygon> pieces;
    for (size_t w = 0; w < walls.size(); ++w) {
        const WallFrame f = FrameOf(walls[w]);
        if (f.length <= 0 || f.hi - f.lo <= 0) continue;
        const WallCorners& c = corners[w];
        // The cuts along the wall, in order; each piece runs from one cut's end to the next's
        // start, the first from the wall's start corners, the last to its end corners.
        std::vector<std::pair<double, double>> cuts;
        for (const WallOpening& o : walls[w].openings) cuts.emplace_back(o.at - o.width / 2, o.at + o.width / 2);
        std::sort(cuts.begin(), cuts.end());
        WallPoint fromLo = c.startLo, fromHi = c.startHi;
        auto emit = [&](WallPoint toLo, WallPoint toHi) {
            if (f.along(toLo) > f.along(fromLo) && f.along(toHi) > f.along(fromHi)) {
                pieces.push_back({fromHi, toHi, toLo, fromLo});
                if (owner) owner->push_back(w);
            }
        };
        for (const auto& [from, to] : cuts) {
            emit(f.at(from, f.lo), f.at(from, f.hi));
            fromLo = f.at(to, f.lo);
            fromHi = f.at(to, f.hi);
        }
        emit(c.endLo, c.endHi);
    }
    return pieces;
}

std::vector<WallPolygon> UnionOutline(const std::vector<WallPolygon>& polygons) {
    // Boxes, and a grid of cells about twice the size of a typical polygon (or larger, so
    // that no polygon covers more than a few hundred cells across).
    std::vector<Box> boxes;
    double sizes = 0, largest = 0;
    for (const WallPolygon& poly : polygons) {
        Box box{1e300, 1e300, -1e300, -1e300};
        for (WallPoint p : poly)
            box = {std::min(box.l, p.h), std::min(box.b, p.v), std::max(box.r, p.h), std::max(box.t, p.v)};
        boxes.push_back(box);
        const double size = std::max(box.r - box.l, box.t - box.b);
        sizes += size;
        largest = std::max(largest, size);
    }
    const double typical = polygons.empty() ? 1.0 : 2 * sizes / polygons.size();
    BoxGrid cells(std::max({typical, largest / 256, 1.0}));
    for (size_t k = 0; k < boxes.size(); ++k) cells.add(boxes[k], k);

    // The pieces of every edge that have the union's inside on their left and its outside on
    // their right; an edge two polygons share the same way round is kept once.
    std::vector<std::pair<WallPoint, WallPoint>> kept;
    std::vector<size_t> seen(polygons.size(), SIZE_MAX), candidates;
    std::vector<double> ts;
    size_t stamp = 0;
    for (size_t k = 0; k < polygons.size(); ++k) {
        const WallPolygon& poly = polygons[k];
        for (size_t e = 0; e < poly.size(); ++e) {
            const WallPoint a = poly[e], b = poly[(e + 1) % poly.size()];
            const WallPoint run = b - a;
            const double len = Length(run);
            if (len <= 0) continue;
            candidates.clear();
            ++stamp;
            const Box edge{std::min(a.h, b.h) - kSamePoint, std::min(a.v, b.v) - kSamePoint,
                           std::max(a.h, b.h) + kSamePoint, std::max(a.v, b.v) + kSamePoint};
            cells.near(edge, [&](size_t other) {
                if (other == k || seen[other] == stamp) return;
                seen[other] = stamp;
                candidates.push_back(other);
            });
            ts.assign({0.0, 1.0});
            for (size_t other : candidates) {
                const WallPolygon& q = polygons[other];
                for (size_t f = 0; f < q.size(); ++f) {
                    const WallPoint c = q[f], d = q[(f + 1) % q.size()];
                    const WallPoint side = d - c;
                    const double den = Cross(run, side);
                    if (std::fabs(den) > 1e-12 * len * Length(side)) {
                        // An edge ending short of this one by less than one point still divides it.
                        const double t = Cross(c - a, side) / den, u = Cross(c - a, run) / den;
                        const double reach = kSamePoint / Length(side);
                        if (t > 0 && t < 1 && u >= -reach && u <= 1 + reach) ts.push_back(t);
                    } else if (std::fabs(LeftOf(a, b, c)) < kSamePoint) {
                        // Along the same line: the other edge's ends divide this one.
                        for (WallPoint end : {c, d}) ts.push_back(Dot(end - a, run) / (len * len));
                    }
                }
            }
            std::sort(ts.begin(), ts.end());
            const WallPoint outward{run.v / len, -run.h / len};
            for (size_t i = 0; i + 1 < ts.size(); ++i) {
                const double t0 = std::clamp(ts[i], 0.0, 1.0), t1 = std::clamp(ts[i + 1], 0.0, 1.0);
                if ((t1 - t0) * len < kSamePoint / 10) continue;
                const WallPoint mid = a + run * ((t0 + t1) / 2);
                const WallPoint out = mid + outward * kProbe, in = mid - outward * kProbe;
                bool drop = false;
                for (size_t other : candidates) {
                    const WallPolygon& q = polygons[other];
                    // Covered on the outside: inside the union. The same edge the same way
                    // round in an earlier polygon: that polygon gives it.
                    if (DeepInside(q, out, kSamePoint) ||
                        (other < k && DeepInside(q, in, kSamePoint) && Inside(q, mid, kSamePoint))) {
                        drop = true;
                        break;
                    }
                }
                if (!drop) kept.emplace_back(a + run * t0, a + run * t1);
            }
        }
    }

    // Chains the pieces into closed contours, end to start.
    BoxGrid starts(kSamePoint * 4);
    for (size_t i = 0; i < kept.size(); ++i) starts.add(Around(kept[i].first, 0), i);
    std::vector<bool> used(kept.size(), false);
    std::vector<WallPolygon> contours;
    for (size_t first = 0; first < kept.size(); ++first) {
        if (used[first]) continue;
        WallPolygon contour;
        size_t at = first;
        WallPoint end{};
        while (at != SIZE_MAX && !used[at]) {
            used[at] = true;
            contour.push_back(kept[at].first);
            end = kept[at].second;
            size_t next = SIZE_MAX;
            starts.near(Around(end, kSamePoint), [&](size_t j) {
                if (next == SIZE_MAX && !used[j] && Distance(kept[j].first, end) <= kSamePoint) next = j;
            });
            at = next;
        }
        // A contour that does not close means the pieces were misread: the polygons
        // themselves, counter-clockwise, still fill the union under the non-zero rule.
        if (Distance(end, contour.front()) > kSamePoint) return polygons;
        // A straight run keeps only its ends.
        WallPolygon corners;
        for (size_t i = 0; i < contour.size(); ++i) {
            const WallPoint prev = contour[(i + contour.size() - 1) % contour.size()], p = contour[i],
                            next = contour[(i + 1) % contour.size()];
            const WallPoint in = p - prev, out = next - p;
            if (std::fabs(Cross(in, out)) > 1e-9 * Length(in) * Length(out) || Dot(in, out) < 0) corners.push_back(p);
        }
        if (corners.size() >= 3) contours.push_back(std::move(corners));
    }
    return contours;
}

std::vector<WallPolygon> HouseOutline(const std::vector<Wall>& walls) { return HouseOutline(walls, JoinWalls(walls)); }

std::vector<WallPolygon> HouseOutline(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners) {
    return UnionOutline(WallPieces(walls, corners));
}

namespace {

// The lo and hi ends of the line across an end or a jamb.
std::pair<WallPoint, WallPoint> CrossLine(const OutlinePlace& place, const Wall& wall, const WallCorners& c) {
    if (place.kind == OutlinePlace::kEnd)
        return place.which ? std::pair{c.endLo, c.endHi} : std::pair{c.startLo, c.startHi};
    const WallFrame f = FrameOf(wall);
    const WallOpening& o = wall.openings[place.opening];
    const double s = place.which ? o.at + o.width / 2 : o.at - o.width / 2;
    return {f.at(s, f.lo), f.at(s, f.hi)};
}

}  // namespace

bool OnSegment(WallPoint a, WallPoint b, WallPoint p, double reach, double* share) {
    const WallPoint run = b - a;
    const double len2 = Dot(run, run);
    const double u = len2 > 0 ? std::clamp(Dot(p - a, run) / len2, 0.0, 1.0) : 0.0;
    *share = u;
    return Distance(a + run * u, p) <= reach;
}

std::vector<OutlinePlace> OutlinePlacesAt(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners,
                                          WallPoint p, bool corner, double reach) {
    std::vector<OutlinePlace> places;
    auto across = [&](OutlinePlace place) {
        const auto [lo, hi] = CrossLine(place, walls[place.wall], corners[place.wall]);
        if (corner) {
            for (int32_t side = 0; side < 2; ++side)
                if (Distance(side ? hi : lo, p) <= reach) place.share = side, places.push_back(place);
        } else if (OnSegment(lo, hi, p, reach, &place.share)) {
            places.push_back(place);
        }
    };
    for (size_t w = 0; w < walls.size(); ++w) {
        const WallFrame f = FrameOf(walls[w]);
        if (f.length <= 0) continue;
        for (int32_t which = 0; which < 2; ++which) across({.kind = OutlinePlace::kEnd, .wall = w, .which = which});
        for (size_t k = 0; k < walls[w].openings.size(); ++k)
            for (int32_t which = 0; which < 2; ++which)
                across({.kind = OutlinePlace::kJamb, .wall = w, .opening = k, .which = which});
        if (corner) continue;
        const WallCorners& c = corners[w];
        for (int32_t face = 0; face < 2; ++face) {
            double share = 0;
            if (OnSegment(face ? c.startHi : c.startLo, face ? c.endHi : c.endLo, p, reach, &share))
                places.push_back({.kind = OutlinePlace::kFace, .wall = w, .face = face, .at = p});
        }
    }
    return places;
}

bool FindOutlinePlace(const OutlinePlace& place, size_t wall, const std::vector<Wall>& walls,
                      const std::vector<WallCorners>& corners, WallPoint* p) {
    const Wall& w = walls[wall];
    if (place.kind == OutlinePlace::kFace) {
        const WallFrame f = FrameOf(w);
        *p = f.at(f.along(place.at), place.face ? f.hi : f.lo);
        return true;
    }
    if (place.kind == OutlinePlace::kJamb && place.opening >= w.openings.size()) return false;
    const auto [lo, hi] = CrossLine(place, w, corners[wall]);
    *p = lo + (hi - lo) * place.share;
    return true;
}

int32_t WallAt(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, WallPoint p,
               double tolerance) {
    int32_t best = -1;
    double nearest = 0;
    for (size_t w = 0; w < walls.size(); ++w) {
        const WallFrame f = FrameOf(walls[w]);
        if (f.length <= 0 || !Inside(Quad(corners[w]), p, tolerance)) continue;
        const double off = std::fabs(f.across(p) - (f.lo + f.hi) / 2);
        if (best < 0 || off < nearest) best = static_cast<int32_t>(w), nearest = off;
    }
    return best;
}

namespace {

// The point on the nearer face of the wall, level with p.
WallPoint OntoNearerFace(const Wall& wall, WallPoint p) {
    const WallFrame f = FrameOf(wall);
    const double s = std::clamp(f.along(p), 0.0, f.length), off = f.across(p);
    return f.at(s, std::fabs(off - f.lo) <= std::fabs(off - f.hi) ? f.lo : f.hi);
}

// Ends of walls closer than this to a point off every wall are taken for it.
constexpr double kEndReach = 3.0;

// How many walls end at the point.
size_t EndsAt(const std::vector<Wall>& walls, WallPoint p) {
    size_t count = 0;
    for (const Wall& w : walls)
        for (WallPoint e : {w.start, w.end}) count += Distance(e, p) <= kSamePoint ? 1 : 0;
    return count;
}

// The end of the wall that p lies within a thickness of, along the wall; false when p lies
// farther from both ends.
bool EndNear(const Wall& wall, WallPoint p, WallPoint* end) {
    const WallFrame f = FrameOf(wall);
    const double s = f.along(p);
    const bool nearStart = s <= wall.thickness, nearEnd = f.length - s <= wall.thickness;
    if (!nearStart && !nearEnd) return false;
    *end = nearStart && (!nearEnd || s <= f.length - s) ? wall.start : wall.end;
    return true;
}

// The nearest wall end within kEndReach of p, other than `skip`.
bool NearestEnd(const std::vector<Wall>& walls, WallPoint p, WallPoint skip, WallPoint* end) {
    double best = kEndReach;
    bool found = false;
    for (const Wall& w : walls)
        for (WallPoint e : {w.start, w.end}) {
            const double dist = Distance(e, p);
            if (dist > best || Distance(e, skip) <= kSamePoint) continue;
            best = dist;
            *end = e;
            found = true;
        }
    return found;
}

// Where a point lands on the walls: on a wall near one of its ends, on it elsewhere, or off
// every wall near an end. A point on a wall is that wall's, whatever other ends lie near.
enum class Landing { kNowhere, kEnd, kFace };
Landing Land(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, WallPoint p, double onWall,
             WallPoint skip, WallPoint* at) {
    const int32_t w = WallAt(walls, corners, p, onWall);
    if (w >= 0) {
        if (EndNear(walls[w], p, at) && Distance(*at, skip) > kSamePoint) return Landing::kEnd;
        *at = OntoNearerFace(walls[w], p);
        return Landing::kFace;
    }
    return NearestEnd(walls, p, skip, at) ? Landing::kEnd : Landing::kNowhere;
}

}  // namespace

WallStart FindWallStart(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, WallPoint p) {
    WallPoint at{};
    const WallPoint nowhere{1e300, 1e300};
    switch (Land(walls, corners, p, 2.0, nowhere, &at)) {
        case Landing::kEnd: return {EndsAt(walls, at) > 1 ? WallPlace::kCorner : WallPlace::kEndCap, at};
        case Landing::kFace: return {WallPlace::kFace, at};
        case Landing::kNowhere: break;
    }
    return {WallPlace::kNewWall, p};
}

WallPoint SnapWallEnd(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, WallPoint start,
                      WallPoint p) {
    WallPoint at{};
    return Land(walls, corners, p, 0.0, start, &at) == Landing::kNowhere ? p : at;
}

std::pair<double, double> ClearSpan(const Wall& wall, const WallCorners& c) {
    const WallFrame f = FrameOf(wall);
    return {std::max(f.along(c.startLo), f.along(c.startHi)), std::min(f.along(c.endLo), f.along(c.endHi))};
}

OpeningFit CheckOpening(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, size_t wall,
                        double at, double width, int32_t skip) {
    const Wall& w = walls[wall];
    const WallFrame f = FrameOf(w);
    const WallCorners& c = corners[wall];
    const auto [clearFrom, clearTo] = ClearSpan(w, c);
    const double from = at - width / 2, to = at + width / 2;
    constexpr double kTouch = 1e-6;
    if (width > clearTo - clearFrom + kTouch) return OpeningFit::kWiderThanWall;
    if (from < clearFrom - kTouch || to > clearTo + kTouch) return OpeningFit::kPastEnd;
    for (size_t k = 0; k < w.openings.size(); ++k) {
        if (static_cast<int32_t>(k) == skip) continue;
        const WallOpening& o = w.openings[k];
        if (from < o.at + o.width / 2 - kTouch && to > o.at - o.width / 2 + kTouch) return OpeningFit::kOverOpening;
    }
    // A wall ending on this one's face occupies the stretch between its end corners.
    const WallPolygon body = Quad(c);
    for (size_t other = 0; other < walls.size(); ++other) {
        if (other == wall) continue;
        const WallCorners& oc = corners[other];
        for (auto [lo, hi] : {std::pair{oc.startLo, oc.startHi}, std::pair{oc.endLo, oc.endHi}}) {
            if (!Inside(body, lo, kSamePoint) || !Inside(body, hi, kSamePoint)) continue;
            const double a = std::min(f.along(lo), f.along(hi)), b = std::max(f.along(lo), f.along(hi));
            if (from < b - kTouch && to > a + kTouch) return OpeningFit::kOverJoiningWall;
        }
    }
    return OpeningFit::kFits;
}

OpeningFit CheckAllOpenings(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, size_t* wall,
                            size_t* opening) {
    for (size_t w = 0; w < walls.size(); ++w)
        for (size_t k = 0; k < walls[w].openings.size(); ++k) {
            const WallOpening& o = walls[w].openings[k];
            const OpeningFit fit = CheckOpening(walls, corners, w, o.at, o.width, static_cast<int32_t>(k));
            if (fit == OpeningFit::kFits) continue;
            *wall = w;
            *opening = k;
            return fit;
        }
    return OpeningFit::kFits;
}

std::vector<Wall> MoveWall(const std::vector<Wall>& walls, const std::vector<WallCorners>& corners, size_t index,
                           double offset) {
    std::vector<Wall> moved = walls;
    const Wall& wall = walls[index];
    const WallFrame f = FrameOf(wall);
    const WallPoint by = f.n * offset;
    const WallPolygon body = Quad(corners[index]);
    auto follows = [&](WallPoint p) {
        return Distance(p, wall.start) <= kSamePoint || Distance(p, wall.end) <= kSamePoint ||
               Inside(body, p, kSamePoint);
    };
    for (size_t w = 0; w < walls.size(); ++w) {
        Wall& m = moved[w];
        const bool all = w == index;
        if (all || follows(m.start)) m.start = m.start + by;
        if (all || follows(m.end)) m.end = m.end + by;
        if (all) continue;
        // Openings stay where they were along the wall, wherever its ends went.
        const WallFrame before = FrameOf(walls[w]), after = FrameOf(m);
        for (WallOpening& o : m.openings) o.at = after.along(before.at(o.at, 0));
    }
    return moved;
}
