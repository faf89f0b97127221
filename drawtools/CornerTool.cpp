// The corner of the fillet and chamfer tools: the crossing of the two clicked segments, the
// tangent points of the bevel or the arc (and the arc's centre), and the cut and join. The
// edit is worked out on copies of the paths' anchors and written back only once it is
// known to succeed, so that a failing check never leaves half an edit behind.
#include "drawtools/CornerTool.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "AIHitTest.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/DimensionLayer.h"
#include "dimensions/MeasuredArtEdit.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/ArcGeometry.h"
#include "geometry/BezierGeometry.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int32_t kFilletDialogID = 16800;
constexpr int32_t kChamferDialogID = 16810;
constexpr AIReal kSameAnchor = 2.0f;             // anchors this close count as one
constexpr AIReal kOnPath = kCurveHitTolerance;   // a tangent point this near its path lies on it
constexpr double kEndBand = 0.002;               // a split this near a segment's end uses its anchor
constexpr AIReal kSampleStep = 0.05f;            // the offset samples of a curved fillet
constexpr AIReal kProbeLength = 10.0f;
constexpr AIReal kCoincident = 0.001f;           // tangent points this close make a sharp corner

using Anchors = std::vector<AIPathSegment>;

// One of the two clicks, and what the corner makes of its path.
struct Side {
    PathClick click;
    AIReal t = 0;           // the crossing's parameter on the clicked segment
    AIRealPoint tangent{};  // where the bevel or the arc meets this path
    AIPathSegment kept{};   // the anchor there, its corner-side handle retracted
    // The corner lies before the click along the path: the piece after the tangent point
    // is kept.
    bool cornerBefore() const { return t < click.t; }
};

// The path after the cut, and its two tangent anchors: `first` and the one after it along
// the path (anchor 0 when `first` is the last anchor of a closed path).
struct Cut {
    Anchors anchors;
    bool closed = false;
    size_t first = 0;
    bool firstIsOne = true;  // `first` is the first click's tangent anchor
    bool startsOnTangent = false;  // anchor 0 is the far end of the first path, opened at its tangent point
};

bool Finite(const AIRealPoint& p) { return std::isfinite(p.h) && std::isfinite(p.v); }

// --- the crossing ---

bool FindCrossing(Side& one, Side& two, AIRealPoint* x, bool* curved) {
    const AIRealBezier b1 = one.click.bezier(), b2 = two.click.bezier();
    *curved = BezierIsCurved(b1) || BezierIsCurved(b2);
    if (*curved) {
        // Each search gives its own segment's parameter; the point is the second one's.
        AIRealPoint onFirst{};
        const int n1 = GetFilletIntersection(b1, b2, &onFirst, &one.t);
        const int n2 = GetFilletIntersection(b2, b1, x, &two.t);
        return n1 >= 1 && n2 >= 1;
    }
    int within = 0;
    if (!FindLineSegmentIntersection(one.click.start().p, one.click.end().p, two.click.start().p, two.click.end().p, x,
                                     &within) ||
        !within)
        return false;
    one.t = NearestBezierT(b1, *x);
    two.t = NearestBezierT(b2, *x);
    return true;
}

// --- the tangent points ---

void ChamferPoints(const AIRealPoint& x, AIReal d1, AIReal d2, Side& one, Side& two) {
    // Straight from the crossing towards each click, also on curves.
    one.tangent = PointAlong(x, d1, Angle(x, one.click.point));
    two.tangent = PointAlong(x, d2, Angle(x, two.click.point));
}

// Two straight segments: the tangent points at r / tan h from the crossing (h half the angle
// between the clicks' directions, taken below 90 degrees) and the centre at r / sin h on
// the bisector.
bool StraightFillet(const AIRealPoint& x, AIReal r, Side& one, Side& two, AIRealPoint* m) {
    const double a1 = Angle(x, one.click.point), a2 = Angle(x, two.click.point);
    double h = std::fabs(a1 - a2) / 2;
    const bool wide = h > std::numbers::pi / 2;
    if (wide) h = std::numbers::pi - h;
    if (!(h > 0)) return false;
    // The angles are worked in doubles, the points placed in floats.
    const auto d = static_cast<AIReal>(r / std::tan(h));
    one.tangent = PointAlong(x, d, static_cast<AIReal>(a1));
    two.tangent = PointAlong(x, d, static_cast<AIReal>(a2));
    const double bisector = (wide ? std::min(a1, a2) : std::max(a1, a2)) - h;
    *m = PointAlong(x, static_cast<AIReal>(r / std::sin(h)), static_cast<AIReal>(bisector));
    return true;
}

// Points r away from the segment on the side that faces the other click, at s = 0.05, 0.10,
// ... below 1 (the step added in single precision: 19 samples).
std::vector<AIRealPoint> OffsetSamples(const AIRealBezier& bez, AIReal r, const AIRealPoint& x,
                                       const AIRealPoint& otherClick) {
    std::vector<AIRealPoint> out;
    const AIReal towardsOther = Angle(x, otherClick);
    for (AIReal s = kSampleStep; s < 1.0f; s += kSampleStep) {
        AIRealPoint p{}, along{};
        if (getPointAndTangentFromBezierT(bez, s, &p, &along) != kNoErr) continue;
        const AIRealPoint direction{along.h - p.h, along.v - p.v};
        const AIReal a = Angle(p, along);
        const AIRealPoint probe = PointAlong(p, r, towardsOther);
        const AIRealPoint left = PointAlong(p, r, static_cast<AIReal>(a + std::numbers::pi / 2));
        const bool leftFacesProbe =
            WhichSideOfBezier(direction, p, left) == WhichSideOfBezier(direction, p, probe);
        out.push_back(leftFacesProbe ? left : PointAlong(p, r, static_cast<AIReal>(a - std::numbers::pi / 2)));
    }
    return out;
}

// Where the perpendicular from the centre to an offset chord meets the clicked segment.
bool FootOnSegment(const AIRealPoint& m, const AIRealPoint& c0, const AIRealPoint& c1, const PathClick& click,
                   AIRealPoint* foot) {
    const auto across = static_cast<AIReal>(Angle(c0, c1) + std::numbers::pi / 2);
    const AIRealPoint probe = PointAlong(m, kProbeLength, across);
    return GetLineSegmentIntersectionWithBezier(CornerAnchor(m), CornerAnchor(probe), click.start(), click.end(),
                                                foot) == kNoErr;
}

// A curve: the centre is where the two offset polylines cross (first chord pairs first),
// the tangent points the feet of the perpendiculars from it.
bool CurvedFillet(const AIRealPoint& x, AIReal r, Side& one, Side& two, AIRealPoint* m) {
    const std::vector<AIRealPoint> o1 = OffsetSamples(one.click.bezier(), r, x, two.click.point);
    const std::vector<AIRealPoint> o2 = OffsetSamples(two.click.bezier(), r, x, one.click.point);
    for (size_t i = 0; i + 1 < o1.size(); ++i) {
        for (size_t j = 0; j + 1 < o2.size(); ++j) {
            int within = 0;
            if (!FindLineSegmentIntersection(o1[i], o1[i + 1], o2[j], o2[j + 1], m, &within) || !within) continue;
            return FootOnSegment(*m, o1[i], o1[i + 1], one.click, &one.tangent) &&
                   FootOnSegment(*m, o2[j], o2[j + 1], two.click, &two.tangent);
        }
    }
    return false;
}

// The tangent points (and the centre of a fillet's arc); false when the values make no
// corner: a radius below zero, a distance of nothing (its bevel would run along the path,
// cutting nothing), either not a number, or no tangent point found. A fillet of radius 0 is
// the sharp corner at the crossing.
bool TangentPoints(bool fillet, bool curved, const AIRealPoint& x, Side& one, Side& two, AIRealPoint* m,
                   bool* arc) {
    *arc = false;
    // The values are typed at full size: drawn at the scale of the first path's layer.
    if (!fillet) {
        const AIReal d1 = DrawnLength(g->prefs.chamferDistance1), d2 = DrawnLength(g->prefs.chamferDistance2);
        if (!(d1 > 0) || !(d2 > 0)) return false;
        ChamferPoints(x, d1, d2, one, two);
    } else {
        const AIReal r = DrawnLength(g->prefs.filletRadius);
        if (!(r >= 0)) return false;
        if (r == 0) {
            one.tangent = two.tangent = x;
        } else {
            const bool found = curved ? CurvedFillet(x, r, one, two, m) : StraightFillet(x, r, one, two, m);
            if (!found || !Finite(*m)) return false;
            *arc = true;
        }
    }
    return Finite(one.tangent) && Finite(two.tangent);
}

// --- the cut ---

// The anchor at p: the one p falls on, or a new one splitting the segment under p. Nothing
// when p is not on the path. `inserted` says whether an anchor was added.
std::optional<size_t> AnchorAt(Anchors& anchors, bool closed, const AIRealPoint& p, bool* inserted) {
    *inserted = false;
    const size_t n = anchors.size();
    if (n < 2) return std::nullopt;
    const size_t spans = closed ? n : n - 1;
    size_t best = 0;
    AIReal bestT = 0, bestDistance = 0;
    for (size_t k = 0; k < spans; ++k) {
        const AIPathSegment& a = anchors[k];
        const AIPathSegment& b = anchors[(k + 1) % n];
        AIReal distance = 0;
        const AIReal t = NearestBezierT(AIRealBezier{a.p, a.out, b.in, b.p}, p, &distance);
        if (k == 0 || distance < bestDistance) {
            best = k;
            bestT = t;
            bestDistance = distance;
        }
    }
    if (!(bestDistance <= kOnPath)) return std::nullopt;
    if (bestT <= kEndBand) return best;
    if (bestT >= 1.0 - kEndBand) return (best + 1) % n;
    SplitSpan(anchors, best, bestT);
    *inserted = true;
    return best + 1;
}

// The handle that faces the corner goes onto the anchor, so a bevel is straight.
void RetractTowardsCorner(AIPathSegment& a, const Side& side) { (side.cornerBefore() ? a.in : a.out) = a.p; }

// What one of two paths keeps, ending at its tangent anchor k (whose corner-side handle is
// retracted; `whole` is that anchor as it was). An open path keeps the piece on its click's
// side. A closed path loses nothing: it is opened at the tangent point and runs from there
// away from the corner all the way round, back to the tangent point.
Anchors KeptPiece(const Anchors& a, bool closed, size_t k, const AIPathSegment& whole, const Side& side) {
    const auto at = [&](size_t i) { return a.begin() + static_cast<std::ptrdiff_t>(i); };
    if (!closed) return side.cornerBefore() ? ReversedSegments(Anchors(at(k), a.end())) : Anchors(a.begin(), at(k + 1));
    // Forward from the tangent anchor round to it again; both ends open.
    Anchors round{AIPathSegment{whole.p, whole.p, whole.out, whole.corner}};
    round.insert(round.end(), at(k + 1), a.end());
    round.insert(round.end(), a.begin(), at(k));
    round.push_back(AIPathSegment{whole.p, whole.in, whole.p, whole.corner});
    return side.cornerBefore() ? ReversedSegments(std::move(round)) : round;
}

// Two paths: each keeps its piece, ending at its tangent anchor; the second piece is
// turned round to start at its tangent anchor.
Cut JoinTwo(const Anchors& a1, size_t k1, const AIPathSegment& whole1, const Side& one, const Anchors& a2, size_t k2,
            const AIPathSegment& whole2, const Side& two) {
    Cut cut;
    cut.anchors = KeptPiece(a1, one.click.closed, k1, whole1, one);
    cut.first = cut.anchors.size() - 1;
    cut.startsOnTangent = one.click.closed;
    const Anchors second = ReversedSegments(KeptPiece(a2, two.click.closed, k2, whole2, two));
    cut.anchors.insert(cut.anchors.end(), second.begin(), second.end());
    return cut;
}

// One path: the anchors strictly between the two tangent anchors are either the corner
// (they go: two neighbouring segments, or the loop of a path clicked on its tails) or all
// the rest of the path (only they stay, closed: a closed path's corner across its anchor 0,
// or a loop clicked on the loop).
Cut CutOne(const Anchors& a, bool closed, size_t k1, size_t k2, const Side& one, const Side& two) {
    const bool oneFirst = k1 < k2;
    const size_t ka = std::min(k1, k2), kb = std::max(k1, k2);
    const Side& atKa = oneFirst ? one : two;
    Cut cut;
    if (!atKa.cornerBefore()) {
        cut.anchors.assign(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(ka + 1));
        cut.anchors.insert(cut.anchors.end(), a.begin() + static_cast<std::ptrdiff_t>(kb), a.end());
        cut.closed = closed;
        cut.first = ka;
        cut.firstIsOne = oneFirst;
    } else {
        cut.anchors.assign(a.begin() + static_cast<std::ptrdiff_t>(ka), a.begin() + static_cast<std::ptrdiff_t>(kb + 1));
        cut.closed = true;
        cut.first = kb - ka;
        cut.firstIsOne = !oneFirst;
    }
    return cut;
}

size_t Second(const Cut& cut) { return cut.first + 1 == cut.anchors.size() ? 0 : cut.first + 1; }

// Tangent points on the crossing itself: the two anchors become one sharp corner.
void MergeTangents(Cut& cut) {
    const size_t second = Second(cut);
    AIPathSegment& a = cut.anchors[cut.first];
    const AIPathSegment& b = cut.anchors[second];
    a = AIPathSegment{a.p, a.in, b.out, true};
    cut.anchors.erase(cut.anchors.begin() + static_cast<std::ptrdiff_t>(second));
    if (second == 0) cut.first -= 1;
}

// The path's own handle at a tangent point, away from the corner.
// The handle the arc's end takes from the side it joins: a straight side's handle lies on its
// own anchor, which may sit a rounding off the tangent point the arc ends on, so it is put on
// the arc's anchor and the straight side stays straight.
AIRealPoint OuterHandle(const Side& side, const AIRealPoint& arcEnd) {
    const AIRealPoint handle = side.cornerBefore() ? side.kept.out : side.kept.in;
    return handle.h == side.kept.p.h && handle.v == side.kept.p.v ? arcEnd : handle;
}

// The arc about m between the tangent points, spliced in place of the two tangent anchors
// in path order. Its direction about m is the one that keeps it inside the corner.
Cut WithArc(const Cut& cut, const AIRealPoint& x, const AIRealPoint& m, const Side& one, const Side& two) {
    double a1 = Angle(x, one.tangent), a2 = Angle(x, two.tangent);
    if (a1 > 0 && a2 < 0) a2 += 2 * std::numbers::pi;
    const bool fromTwo = a2 - a1 > 0 && a2 - a1 < std::numbers::pi;
    const Side& start = fromTwo ? two : one;
    const Side& end = fromTwo ? one : two;
    Anchors arc;
    ArcAnchors(m, start.tangent, end.tangent, &arc, nullptr);
    // The radius is the start's distance from the centre; a curve's centre comes from
    // sampled offsets and may sit a hair nearer one tangent point, so the arc is made to end
    // on the other exactly.
    AIPathSegment& last = arc.back();
    const AIReal dh = end.tangent.h - last.p.h, dv = end.tangent.v - last.p.v;
    for (AIRealPoint* p : {&last.p, &last.in, &last.out}) *p = AIRealPoint{p->h + dh, p->v + dv};
    // The paths keep their shape up to the arc: a curve, or the arc of an earlier fillet
    // that ends on the same anchor.
    arc.front().in = OuterHandle(start, arc.front().p);
    arc.back().out = OuterHandle(end, arc.back().p);
    const bool startsFirst = fromTwo ? !cut.firstIsOne : cut.firstIsOne;
    if (!startsFirst) arc = ReversedSegments(arc);
    Cut out;
    out.closed = cut.closed;
    for (size_t i = 0; i < cut.first; ++i) {
        // An anchor on a tangent point goes, but for the far end of an opened closed path.
        const AIRealPoint& p = cut.anchors[i].p;
        const bool onTangent = Distance(p, one.tangent) <= kSameAnchor || Distance(p, two.tangent) <= kSameAnchor;
        if (!onTangent || (i == 0 && cut.startsOnTangent)) out.anchors.push_back(cut.anchors[i]);
    }
    out.first = out.anchors.size();
    out.anchors.insert(out.anchors.end(), arc.begin(), arc.end());
    if (Second(cut) != 0)
        out.anchors.insert(out.anchors.end(), cut.anchors.begin() + static_cast<std::ptrdiff_t>(cut.first + 2),
                           cut.anchors.end());
    return out;
}

// Steps 5 to 7: the tangent anchors, the cut, the arc, and the paths written back.
AIErr MakeCorner(bool arc, const AIRealPoint& x, const AIRealPoint& m, Side& one, Side& two) {
    const bool samePath = one.click.path == two.click.path;
    Anchors a1 = one.click.anchors;
    Anchors a2 = samePath ? Anchors{} : two.click.anchors;
    bool inserted = false;
    std::optional<size_t> k1 = AnchorAt(a1, one.click.closed, one.tangent, &inserted);
    if (!k1) return ShowCoreMessage(kNoCornerMessage);
    std::optional<size_t> k2;
    if (samePath) {
        k2 = AnchorAt(a1, one.click.closed, two.tangent, &inserted);
        if (k2 && inserted && *k2 <= *k1) ++*k1;
    } else {
        k2 = AnchorAt(a2, two.click.closed, two.tangent, &inserted);
    }
    if (!k2 || (samePath && *k1 == *k2)) return ShowCoreMessage(kNoCornerMessage);
    Anchors& b = samePath ? a1 : a2;
    const AIPathSegment whole1 = a1[*k1], whole2 = b[*k2];
    RetractTowardsCorner(a1[*k1], one);
    RetractTowardsCorner(b[*k2], two);
    one.kept = a1[*k1];
    two.kept = b[*k2];

    Cut cut = samePath ? CutOne(a1, one.click.closed, *k1, *k2, one, two)
                       : JoinTwo(a1, *k1, whole1, one, a2, *k2, whole2, two);
    if (arc)
        cut = WithArc(cut, x, m, one, two);
    else if (Distance(one.tangent, two.tangent) <= kCoincident)
        MergeTangents(cut);
    // What measures the paths goes with their points to the path that holds them now.
    MeasuredArtEdit measured;
    if (AIErr err = measured.Take(one.click.path)) return err;
    if (!samePath)
        if (AIErr err = measured.Take(two.click.path)) return err;
    if (AIErr err = WritePathSegments(one.click.path, cut.anchors, cut.closed)) return err;
    if (!samePath) {
        // One path takes the place of both, with both dictionaries (the first's entries win).
        if (AIErr err = CopyArtDictionaryToArt(two.click.path, one.click.path)) return err;
        if (AIErr err = DisposeArtWithEmptiedParents(two.click.path)) return err;
    }
    return measured.Carry({&one.click.path, 1});
}

}  // namespace

AIErr doCADCornerTool(int mode) {
    if (!g->didFirstClick || !g->didSecondClick) return kNoErr;
    Side one, two;
    bool clicked = false;
    if (AIErr err = HitPathSegment(g->firstClick, kAllHitRequest, &one.click, &clicked)) return err;
    if (!clicked) return RefuseClick(one.click.onDimension);
    if (AIErr err = HitPathSegment(g->secondClick, kAllHitRequest, &two.click, &clicked)) return err;
    if (!clicked) return RefuseClick(two.click.onDimension);
    // One segment clicked twice meets itself everywhere.
    if (one.click.path == two.click.path && one.click.segment == two.click.segment)
        return ShowCoreMessage(kNoCrossingPathsMessage);
    AIRealPoint x{};
    bool curved = false;
    if (!FindCrossing(one, two, &x, &curved)) return ShowCoreMessage(kNoCrossingPathsMessage);

    const bool fillet = mode == kFilletMode;
    // The corner takes the first path's place, so the radius or distances are at its layer's
    // scale; the second press loaded its own path's.
    if (AIErr err = LoadEditedArtScale(one.click.path)) return err;
    if (!OptionHeld()) {
        (void)(fillet ? doFilletDialog() : doChamferDialog());
        if (g->cancelledInputDialog) return kNoErr;
    }
    AIRealPoint m{};
    bool arc = false;
    if (!TangentPoints(fillet, curved, x, one, two, &m, &arc)) return ShowCoreMessage(kNoCornerMessage);
    return MakeCorner(arc, x, m, one, two);
}

AIErr doFilletDialog() { return OpenNumericInputDialog(kFilletDialogID, nullptr); }
AIErr doChamferDialog() { return OpenNumericInputDialog(kChamferDialogID, nullptr); }
