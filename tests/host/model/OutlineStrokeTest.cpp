// The outline-stroke suite: outlines checked by sampling them densely and measuring each
// sample's distance from the original path (sampled just as densely), by code of the test's
// own; the anchors of joins and caps against points worked by hand; the order of contours
// the offset tool relies on; refusals.
#include <cmath>

#include "AIOutlineStroke.h"
#include "HostFixture.h"

namespace {

struct Path {
    std::vector<AIPathSegment> segs;
    bool closed = true;
};

struct P2 {
    double x, y;
};

AIPathSegment corner(double x, double y) {
    const AIRealPoint p{static_cast<AIReal>(x), static_cast<AIReal>(y)};
    return {p, p, p, true};
}

AIPathSegment smooth(P2 p, P2 in, P2 out) {
    auto r = [](P2 q) { return AIRealPoint{static_cast<AIReal>(q.x), static_cast<AIReal>(q.y)}; };
    return {r(p), r(in), r(out), false};
}

Path polygon(std::initializer_list<P2> pts, bool closed = true) {
    Path p{{}, closed};
    for (P2 q : pts) p.segs.push_back(corner(q.x, q.y));
    return p;
}

// A circle of four quarter arcs, clockwise from the top as the host's ovals run.
Path circle(double cx, double cy, double r) {
    const double k = r * 0.5522847498;
    return {{smooth({cx, cy + r}, {cx - k, cy + r}, {cx + k, cy + r}),
             smooth({cx + r, cy}, {cx + r, cy + k}, {cx + r, cy - k}),
             smooth({cx, cy - r}, {cx + k, cy - r}, {cx - k, cy - r}),
             smooth({cx - r, cy}, {cx - r, cy - k}, {cx - r, cy + k})},
            true};
}

// A slot: two straight sides 100 long, ends rounded with radius 20 (two quarter arcs each).
Path slot() {
    const double r = 20, k = r * 0.5522847498;
    return {{smooth({0, r}, {-k, r}, {0, r}), smooth({100, r}, {100, r}, {100 + k, r}),
             smooth({100 + r, 0}, {100 + r, k}, {100 + r, -k}), smooth({100, -r}, {100 + k, -r}, {100, -r}),
             smooth({0, -r}, {0, -r}, {-k, -r}), smooth({-r, 0}, {-r, -k}, {-r, k})},
            true};
}

// ---- the independent reference: Bernstein sampling and brute-force distances

P2 bezier(const AIPathSegment& a, const AIPathSegment& b, double t) {
    const double u = 1 - t, w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
    return {w0 * a.p.h + w1 * a.out.h + w2 * b.in.h + w3 * b.p.h, w0 * a.p.v + w1 * a.out.v + w2 * b.in.v + w3 * b.p.v};
}

// Points along every piece, `per` to a piece, the last anchor included when open.
std::vector<P2> samples(const Path& p, int per) {
    std::vector<P2> out;
    const size_t n = p.segs.size(), pieces = p.closed ? n : n - 1;
    for (size_t i = 0; i < pieces; ++i)
        for (int k = 0; k < per; ++k) out.push_back(bezier(p.segs[i], p.segs[(i + 1) % n], double(k) / per));
    out.push_back(p.closed ? out.front() : P2{p.segs.back().p.h, p.segs.back().p.v});
    return out;
}

double toSegment(P2 q, P2 a, P2 b) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((q.x - a.x) * dx + (q.y - a.y) * dy) / len2 : 0;
    t = std::fmax(0, std::fmin(1, t));
    return std::hypot(q.x - a.x - t * dx, q.y - a.y - t * dy);
}

double distance(P2 q, const std::vector<P2>& line) {
    double best = INFINITY;
    for (size_t i = 0; i + 1 < line.size(); ++i) best = std::fmin(best, toSegment(q, line[i], line[i + 1]));
    return best;
}

bool segmentsCross(P2 a, P2 b, P2 c, P2 d) {
    auto side = [](P2 o, P2 p, P2 q) { return (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x); };
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

// Whether the closed polyline crosses itself (neighbouring segments aside).
bool crossesItself(const std::vector<P2>& ring) {
    const size_t n = ring.size() - 1;
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 2; j < n; ++j)
            if (!(i == 0 && j == n - 1) && segmentsCross(ring[i], ring[i + 1], ring[j], ring[j + 1])) return true;
    return false;
}

// Twice the signed area (counter-clockwise positive).
double signedArea(const std::vector<P2>& ring) {
    double a = 0;
    for (size_t i = 0; i + 1 < ring.size(); ++i) a += ring[i].x * ring[i + 1].y - ring[i + 1].x * ring[i].y;
    return a;
}

class OutlineStrokeTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        acquire(kAIOutlineStrokeSuite, kAIOutlineStrokeSuiteVersion, &sOutline);
    }

    AIArtHandle make(const Path& p) {
        AIArtHandle a = nullptr;
        EXPECT_EQ(sArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, &a), kNoErr);
        EXPECT_EQ(sPath->SetPathSegments(a, 0, static_cast<int16_t>(p.segs.size()), p.segs.data()), kNoErr);
        EXPECT_EQ(sPath->SetPathClosed(a, p.closed), kNoErr);
        return a;
    }

    void stroke(AIArtHandle art, AIReal width, int16_t cap, int16_t join, AIReal miterLimit = 4) {
        AIPathStyle s{};
        sStyle->GetPathStyle(art, &s);
        s.strokePaint = true;
        s.stroke.width = width;
        s.stroke.cap = cap;
        s.stroke.join = join;
        s.stroke.miterLimit = miterLimit;
        ASSERT_EQ(sStyle->SetPathStyle(art, &s), kNoErr);
    }

    Path read(AIArtHandle a) {
        int16_t n = 0;
        sPath->GetPathSegmentCount(a, &n);
        Path p;
        p.segs.resize(static_cast<size_t>(n));
        sPath->GetPathSegments(a, 0, n, p.segs.data());
        ASBoolean closed = 0;
        sPath->GetPathClosed(a, &closed);
        p.closed = closed;
        return p;
    }

    // The contours of an outline group: its one child, a path or a compound path's members.
    std::vector<Path> contours(AIArtHandle group) {
        std::vector<Path> out;
        AIArtHandle child = nullptr;
        sArt->GetArtFirstChild(group, &child);
        int16_t type = 0;
        sArt->GetArtType(child, &type);
        if (type == kPathArt) return {read(child)};
        EXPECT_EQ(type, kCompoundPathArt);
        AIArtHandle c = nullptr;
        for (sArt->GetArtFirstChild(child, &c); c; sArt->GetArtSibling(c, &c)) out.push_back(read(c));
        return out;
    }

    std::vector<Path> outline(const Path& p, AIReal width, int16_t cap, int16_t join, AIReal miterLimit = 4) {
        AIArtHandle art = make(p);
        stroke(art, width, cap, join, miterLimit);
        AIArtHandle group = nullptr;
        EXPECT_EQ(sOutline->OutlineStroke(art, &group), kNoErr);
        return group ? contours(group) : std::vector<Path>{};
    }

    const AIOutlineStrokeSuite* sOutline = nullptr;
};

// A five-pointed star, radii 40 and 15.
Path star() {
    Path p;
    for (int i = 0; i < 10; ++i) {
        const double a = 1.5707963 + i * 0.62831853, r = i % 2 ? 15 : 40;
        p.segs.push_back(corner(100 + r * std::cos(a), 100 + r * std::sin(a)));
    }
    return p;
}

// A rectangle 100 × 60 with corners rounded to radius 10.
Path roundedRectangle() {
    const double k = 10 * 0.5522847498;
    return {{smooth({10, 60}, {10 - k, 60}, {10, 60}), smooth({90, 60}, {90, 60}, {90 + k, 60}),
             smooth({100, 50}, {100, 50 + k}, {100, 50}), smooth({100, 10}, {100, 10}, {100, 10 - k}),
             smooth({90, 0}, {90 + k, 0}, {90, 0}), smooth({10, 0}, {10, 0}, {10 - k, 0}),
             smooth({0, 10}, {0, 10 - k}, {0, 10}), smooth({0, 50}, {0, 50}, {0, 50 + k})},
            true};
}

// With round joins and caps the stroked area is every point within half the width of the
// path, so its edge lies exactly that far from it; with miter joins never nearer, and at
// most the miter limit times farther. Every point half a width from the path that no other
// part of the path comes nearer to lies on the outline. No contour crosses itself.
TEST_F(OutlineStrokeTest, OutlinesLieHalfTheWidthFromThePath) {
    const Path u = polygon({{0, 0}, {50, 0}, {50, 60}, {30, 60}, {30, 10}, {20, 10}, {20, 60}, {0, 60}});
    struct Case {
        const char* what;
        Path path;
        AIReal width;
        int16_t join;
        size_t contours;
    } cases[] = {
        {"circle", circle(200, 200, 50), 20, kAIRoundJoin, 2},
        {"circle narrower than the stroke", circle(200, 200, 50), 140, kAIRoundJoin, 1},
        {"rectangle", polygon({{0, 60}, {100, 60}, {100, 0}, {0, 0}}), 20, kAIRoundJoin, 2},
        {"rounded slot", slot(), 30, kAIRoundJoin, 2},
        {"rounded rectangle inset past its corners' radius", roundedRectangle(), 30, kAIRoundJoin, 2},
        {"L (concave)", polygon({{0, 0}, {100, 0}, {100, 40}, {40, 40}, {40, 100}, {0, 100}}), 20, kAIRoundJoin, 2},
        // A gap narrower than the stroke fills; the bar under it is too: two inner contours.
        {"U with a narrow gap", u, 16, kAIRoundJoin, 3},
        {"U with a narrow gap, mitred", u, 16, kAIMiterJoin, 3},
        {"star, mitred", star(), 6, kAIMiterJoin, 2},
        {"open S-curve", {{smooth({0, 0}, {0, 0}, {60, 80}), smooth({100, 0}, {40, -80}, {100, 0})}, false}, 10,
         kAIRoundJoin, 1},
        {"open zigzag", polygon({{0, 0}, {30, 40}, {60, 0}, {90, 40}}, false), 12, kAIRoundJoin, 1},
        {"open path doubling back on itself", polygon({{0, 0}, {80, 0}, {20, 0}}, false), 10, kAIRoundJoin, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const double h = c.width / 2;
        const std::vector<P2> original = samples(c.path, 400);
        const std::vector<Path> rings = outline(c.path, c.width, kAIRoundCap, c.join);
        EXPECT_EQ(rings.size(), c.contours);
        std::vector<P2> all;
        for (const Path& ring : rings) {
            EXPECT_TRUE(ring.closed);
            const std::vector<P2> pts = samples(ring, 48);
            EXPECT_FALSE(crossesItself(pts));
            double nearest = INFINITY, farthest = 0;
            for (P2 q : pts) {
                const double d = distance(q, original);
                nearest = std::fmin(nearest, d);
                farthest = std::fmax(farthest, d);
            }
            EXPECT_GT(nearest, h - 0.02);
            EXPECT_LT(farthest, c.join == kAIRoundJoin ? h + 0.02 : 4 * h);
            all.insert(all.end(), pts.begin(), pts.end());
            all.push_back({NAN, NAN});  // no segment joins two contours
        }
        // Each point a half width to either side of the path, where nothing else is nearer.
        const size_t n = c.path.segs.size(), pieces = c.path.closed ? n : n - 1;
        for (size_t i = 0; i < pieces; ++i) {
            for (int k = 1; k < 16; ++k) {
                const AIPathSegment &a = c.path.segs[i], &b = c.path.segs[(i + 1) % n];
                const double t = k / 16.0, e = 1e-6;
                const P2 p = bezier(a, b, t), p1 = bezier(a, b, t + e), p0 = bezier(a, b, t - e);
                const double tx = p1.x - p0.x, ty = p1.y - p0.y, len = std::hypot(tx, ty);
                for (double s : {h, -h}) {
                    const P2 q{p.x - ty / len * s, p.y + tx / len * s};
                    if (distance(q, original) < h - 1e-3) continue;
                    EXPECT_LT(distance(q, all), 0.05) << "piece " << i << " at " << t << " side " << s;
                }
            }
        }
    }
}

// A clockwise rectangle 100 × 60 stroked 20 wide: its right side is the inside, so the
// inner contour comes first, the rectangle inset by 10 whatever the join; the outer
// contour's nearest and farthest points from the rectangle tell its corners.
TEST_F(OutlineStrokeTest, CornersTakeTheJoinAsked) {
    const Path rect = polygon({{0, 60}, {100, 60}, {100, 0}, {0, 0}});
    const double diagonal = 10 * std::sqrt(2.0);
    struct Case {
        int16_t join;
        AIReal limit;
        double nearest, farthest;
    } cases[] = {
        {kAIMiterJoin, 4, 10, diagonal},
        {kAIMiterJoin, 1.2f, diagonal / 2, 10},  // √2 passes the limit: bevelled
        {kAIBevelJoin, 4, diagonal / 2, 10},
        {kAIRoundJoin, 4, 10, 10},
    };
    const std::vector<P2> original = samples(rect, 400);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.join);
        const std::vector<Path> rings = outline(rect, 20, kAIButtCap, c.join, c.limit);
        ASSERT_EQ(rings.size(), 2u);
        ASSERT_EQ(rings[0].segs.size(), 4u);
        for (const AIPathSegment& s : rings[0].segs) {
            EXPECT_NEAR(std::fabs(s.p.h - 50), 40, 1e-3);
            EXPECT_NEAR(std::fabs(s.p.v - 30), 20, 1e-3);
        }
        double lo = INFINITY, hi = 0;
        for (P2 q : samples(rings[1], 48)) {
            const double d = distance(q, original);
            lo = std::fmin(lo, d);
            hi = std::fmax(hi, d);
        }
        EXPECT_NEAR(lo, c.nearest, 0.02);
        EXPECT_NEAR(hi, c.farthest, 0.02);
        // Outlines run with the stroke on their right: the outer one clockwise.
        EXPECT_LT(signedArea(samples(rings[1], 8)), 0);
        EXPECT_GT(signedArea(samples(rings[0], 8)), 0);
    }
}

// A line from (0, 0) to (100, 0) stroked 10 wide: the outline starts at the start's left
// corner and runs along the left side, round the end, back and round the start.
TEST_F(OutlineStrokeTest, OpenPathsTakeTheCapAsked) {
    const Path line = polygon({{0, 0}, {100, 0}}, false);
    struct Case {
        int16_t cap;
        std::vector<P2> anchors;
    } cases[] = {
        {kAIButtCap, {{0, 5}, {100, 5}, {100, -5}, {0, -5}}},
        {kAIProjectingCap, {{0, 5}, {100, 5}, {105, 5}, {105, -5}, {100, -5}, {0, -5}, {-5, -5}, {-5, 5}}},
        {kAIRoundCap, {{0, 5}, {100, 5}, {105, 0}, {100, -5}, {0, -5}, {-5, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cap);
        const std::vector<Path> rings = outline(line, 10, c.cap, kAIMiterJoin);
        ASSERT_EQ(rings.size(), 1u);
        ASSERT_EQ(rings[0].segs.size(), c.anchors.size());
        for (size_t i = 0; i < c.anchors.size(); ++i) {
            EXPECT_NEAR(rings[0].segs[i].p.h, c.anchors[i].x, 1e-4) << i;
            EXPECT_NEAR(rings[0].segs[i].p.v, c.anchors[i].y, 1e-4) << i;
        }
    }
}

// What the offset tool does with an open path's outline: the anchors at the left corners of
// the start and the end come in that order, and the run between them is the left offset.
TEST_F(OutlineStrokeTest, OpenOutlineRunsAlongTheLeftSideFirst) {
    const Path curve{{smooth({0, 0}, {0, 0}, {40, 60}), smooth({120, 20}, {80, 70}, {120, 20})}, false};
    const std::vector<Path> rings = outline(curve, 16, kAIButtCap, kAIMiterJoin);
    ASSERT_EQ(rings.size(), 1u);
    const auto& segs = rings[0].segs;
    // Left normals at the ends, worked by hand from the handles: (−60, 40)/|…| and (50, 40)/|…|.
    const P2 q0{-8 * 60 / std::hypot(40.0, 60.0), 8 * 40 / std::hypot(40.0, 60.0)};
    const P2 q1{120 + 8 * 50 / std::hypot(40.0, 50.0), 20 + 8 * 40 / std::hypot(40.0, 50.0)};
    auto find = [&](P2 q) {
        for (size_t i = 0; i < segs.size(); ++i)
            if (std::hypot(segs[i].p.h - q.x, segs[i].p.v - q.y) < 1e-3) return static_cast<long>(i);
        return -1L;
    };
    const long i0 = find(q0), i1 = find(q1);
    ASSERT_EQ(i0, 0);
    ASSERT_GT(i1, i0);
    const Path run{{segs.begin(), segs.begin() + i1 + 1}, false};
    const std::vector<P2> original = samples(curve, 400);
    for (P2 q : samples(run, 48)) {
        EXPECT_NEAR(distance(q, original), 8, 0.02);
        // Left of the chord from the start to the end, as the curve bulges that way.
        EXPECT_GT(120 * q.y - 20 * q.x, 0);
    }
}

TEST_F(OutlineStrokeTest, TheOutlineTakesThePathsPlaceFilledWithItsStroke) {
    AIArtHandle below = path({{0, 0}, {10, 0}});
    AIArtHandle art = make(circle(100, 100, 30));
    AIArtHandle above = path({{0, 5}, {10, 5}});
    stroke(art, 6, kAIButtCap, kAIMiterJoin);
    AIPathStyle before{};
    sStyle->GetPathStyle(art, &before);
    AIArtHandle group = nullptr;
    ASSERT_EQ(sOutline->OutlineStroke(art, &group), kNoErr);
    EXPECT_FALSE(sArt->ValidArt(art, false));
    int16_t type = 0;
    sArt->GetArtType(group, &type);
    EXPECT_EQ(type, kGroupArt);
    AIArtHandle sibling = nullptr;
    sArt->GetArtSibling(group, &sibling);
    EXPECT_EQ(sibling, below);
    sArt->GetArtPriorSibling(group, &sibling);
    EXPECT_EQ(sibling, above);
    AIArtHandle compound = nullptr, contour = nullptr;
    sArt->GetArtFirstChild(group, &compound);
    sArt->GetArtFirstChild(compound, &contour);
    AIPathStyle after{};
    sStyle->GetPathStyle(contour, &after);
    EXPECT_TRUE(after.fillPaint);
    EXPECT_FALSE(after.strokePaint);
    EXPECT_TRUE(after.fill.color == before.stroke.color);
}

TEST_F(OutlineStrokeTest, RefusesWhatHasNoStrokeToOutline) {
    AIArtHandle group = nullptr, compound = nullptr, member = nullptr, result = nullptr;
    sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
    sArt->NewArt(kCompoundPathArt, kPlaceAboveAll, nullptr, &compound);
    sArt->NewArt(kPathArt, kPlaceInsideOnTop, compound, &member);
    const AIPathSegment segs[2] = {corner(0, 0), corner(50, 0)};
    sPath->SetPathSegments(member, 0, 2, segs);
    AIArtHandle unstroked = path({{0, 0}, {50, 0}});
    AIPathStyle none{};
    sStyle->GetPathStyle(unstroked, &none);
    none.strokePaint = false;
    sStyle->SetPathStyle(unstroked, &none);
    AIArtHandle thin = path({{0, 0}, {50, 0}});
    stroke(thin, 0, kAIButtCap, kAIMiterJoin);
    AIArtHandle dot = path({{5, 5}, {5, 5}});
    AIArtHandle gone = path({{0, 0}, {50, 0}});
    sArt->DisposeArt(gone);
    const struct {
        const char* what;
        AIArtHandle art;
        AIErr err;
    } cases[] = {
        {"a group", group, kBadParameterErr},
        {"a contour of a compound path", member, kBadParameterErr},
        {"an unpainted stroke", unstroked, kBadParameterErr},
        {"a stroke of no width", thin, kBadParameterErr},
        {"a path without length", dot, kBadParameterErr},
        {"disposed art", gone, kStaleHandleErr},
    };
    const size_t art = doc->artCount();
    for (const auto& c : cases) {
        EXPECT_EQ(sOutline->OutlineStroke(c.art, &result), c.err) << c.what;
        EXPECT_EQ(result, nullptr) << c.what;
    }
    EXPECT_EQ(sOutline->OutlineStroke(thin, nullptr), kBadParameterErr);
    // On a locked layer.
    AIArtHandle line = path({{0, 0}, {50, 0}});
    ASSERT_EQ(doc->setLayerEditable("Layer 1", false), kNoErr);
    EXPECT_EQ(sOutline->OutlineStroke(line, &result), kLockedErr);
    EXPECT_TRUE(sArt->ValidArt(line, false));
    EXPECT_EQ(doc->artCount(), art + 1);
}

}  // namespace
