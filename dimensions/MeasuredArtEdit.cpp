// The clicks of the dimensions on edited paths carried to the same points: each click is
// found again on the paths as the edit left them, first where its record says (an edit
// that left that place alone changes nothing), else by its point, an anchor click on an
// anchor there and a click on a piece on the nearest piece.
#include "dimensions/MeasuredArtEdit.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <unordered_map>

#include "artwork/PathEditing.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"
#include "geometry/BezierGeometry.h"
#include "geometry/PointMath.h"

namespace {

using Click = Plotwise3_dimensioned_object_data;

// A place this near where a click lay is that place: the anchors an edit keeps are copies,
// and a piece it splits is cut exactly.
constexpr AIReal kSamePlace = 2e-3f;

// A path as the edit left it.
struct PathNow {
    AIArtHandle art = nullptr;
    std::vector<AIPathSegment> anchors;
    bool closed = false;
};

bool OnPath(const Click& c) { return c.clickType == kLiveDimClickedSegmentPoint || c.clickType == kLiveDimClickedPath; }

// Whether the click names a point of its art: an anchor or a place on a piece, but for a drag
// record that carries only the drag's offset.
bool NamesPoint(const Click& c) {
    return (c.clickType == kLiveDimClickedSegmentPoint || c.clickType == kLiveDimClickedPath) &&
           (c.clickNum >= 0 || DragIsTheClick(c.dimType));
}

// A radius, a diameter or a centre mark measures its art whole (its bounds), not a point.
bool MeasuresWhole(int32_t kind) {
    return kind == kRadius || kind == kDiameter || kind == kCircleCenter || kind == kIsoCircleCenter;
}

// A stored anchor number as an index of the path (-1: its last anchor).
std::optional<size_t> Index(int32_t stored, size_t count) {
    const int64_t i = stored == -1 ? static_cast<int64_t>(count) - 1 : stored;
    if (i < 0 || i >= static_cast<int64_t>(count)) return std::nullopt;
    return static_cast<size_t>(i);
}

// Where the click's record says it lies on the path.
std::optional<AIRealPoint> PointOf(const Click& c, const PathNow& path) {
    const auto after = Index(c.segNumAfter, path.anchors.size());
    if (!after) return std::nullopt;
    if (c.clickType == kLiveDimClickedSegmentPoint) return path.anchors[*after].p;
    const auto before = Index(c.segNumBefore, path.anchors.size());
    if (!before) return std::nullopt;
    const AIPathSegment &a = path.anchors[*before], &b = path.anchors[*after];
    AIRealPoint p{}, tangent{};
    if (getPointAndTangentFromBezierT(AIRealBezier{a.p, a.out, b.in, b.p}, c.t, &p, &tangent) != kNoErr)
        return std::nullopt;
    return p;
}

// The anchor at p, as a click stores it.
bool FindAnchor(const PathNow& path, const AIRealPoint& p, Click* c) {
    for (size_t i = 0; i < path.anchors.size(); ++i) {
        if (Distance(path.anchors[i].p, p) > kSamePlace) continue;
        c->segNumBefore = c->segNumAfter = static_cast<int32_t>(i);
        return true;
    }
    return false;
}

// The piece nearest p and p's parameter on it, as a click stores them (the closing piece
// from the last anchor: -1 and 0); its distance, or none on a path without pieces.
std::optional<AIReal> NearestPiece(const PathNow& path, const AIRealPoint& p, Click* c) {
    const size_t n = path.anchors.size();
    const size_t pieces = n < 2 ? 0 : path.closed ? n : n - 1;
    std::optional<AIReal> best;
    for (size_t k = 0; k < pieces; ++k) {
        const AIPathSegment &a = path.anchors[k], &b = path.anchors[(k + 1) % n];
        AIReal distance = 0;
        const AIReal t = NearestBezierT(AIRealBezier{a.p, a.out, b.in, b.p}, p, &distance);
        if (best && distance >= *best) continue;
        best = distance;
        c->segNumAfter = static_cast<int32_t>((k + 1) % n);
        c->segNumBefore = c->segNumAfter == 0 ? -1 : static_cast<int32_t>(k);
        c->t = t;
    }
    return best;
}

// The click found on the path at p: where its record says, else by the point.
bool FindOn(const PathNow& path, const AIRealPoint& p, Click* c) {
    if (const auto stays = PointOf(*c, path); stays && Distance(*stays, p) <= kSamePlace) return true;
    Click found = *c;
    bool there = false;
    if (c->clickType == kLiveDimClickedSegmentPoint) {
        there = FindAnchor(path, p, &found);
    } else {
        const std::optional<AIReal> distance = NearestPiece(path, p, &found);
        there = distance && *distance <= kSamePlace;
    }
    if (there) *c = found;
    return there;
}

// An anchor click's anchor before (which only the automatic dimensions set apart from its
// anchor) goes along to where that anchor is kept; when it is gone, it is the click's anchor.
void KeepAnchorBefore(const PathNow& path, const AIRealPoint& before, Click* c) {
    const auto i = Index(c->segNumBefore, path.anchors.size());
    if (i && Distance(path.anchors[*i].p, before) <= kSamePlace) return;
    Click found = *c;
    c->segNumBefore = FindAnchor(path, before, &found) ? found.segNumAfter : c->segNumAfter;
}

// An anchor number past the end of its path is damage, and stays so however many anchors an
// edit adds: it keeps its distance past the end. Whether the click changed.
bool KeepPastTheEnd(size_t before, const PathNow& now, Click* c) {
    if (!OnPath(*c) || now.anchors.size() <= before) return false;
    const auto end = static_cast<int32_t>(before);
    const auto grown = static_cast<int32_t>(now.anchors.size() - before);
    bool changed = false;
    for (int32_t* anchor : {&c->segNumBefore, &c->segNumAfter}) {
        if (*anchor < end) continue;
        *anchor = std::min(*anchor + grown, static_cast<int32_t>(std::numeric_limits<int16_t>::max()));
        changed = true;
    }
    return changed;
}

bool SameRecord(const Click& a, const Click& b) {
    return a.art == b.art && a.clickType == b.clickType && a.segNumBefore == b.segNumBefore &&
           a.segNumAfter == b.segNumAfter && a.t == b.t && a.x == b.x && a.y == b.y;
}

}  // namespace

AIErr MeasuredArtEdit::Take(AIArtHandle art) {
    if (!art || !IsDimensionedObject(art) || std::find(sources_.begin(), sources_.end(), art) != sources_.end())
        return kNoErr;
    PathNow path{art};
    if (AIErr err = ReadPathSegments(art, &path.anchors, &path.closed)) return err;
    sources_.push_back(art);
    // A dimension with a record here that cannot be read keeps all its records as they are.
    const auto damaged = [this](int32_t id) {
        leftAlone_.insert(id);
        return kNoErr;
    };
    return ForEachDimensionedObjectData(art, [&](const Click& c) -> AIErr {
        // A click in space or on text is at its stored point.
        Taken taken{c, {c.x, c.y}, {}, path.anchors.size()};
        if ((OnPath(c) || c.clickType == kLiveDimClickedFill) && RelocateDimensionClick(c, &taken.point) != kNoErr)
            leftAlone_.insert(c.id);
        const auto before = Index(c.segNumBefore, path.anchors.size());
        taken.before = before ? path.anchors[*before].p : taken.point;
        taken_.push_back(taken);
        return kNoErr;
    }, damaged);
}

namespace {

// What becomes of one dimension's clicks: each with its art and place after the edit.
struct Carried {
    std::vector<Click> clicks;
    std::optional<Click> lead;  // the lowest numbered of those that name points
    bool lost = false;          // a point it measured is gone
    bool changed = false;       // a click moved to another art or place
};

// A click that names no point of its own goes with its dimension's lead click: a drag that
// carries only its offset (stored on the art of the first click, where the first click's
// place stands in for its own when that is gone), a click in space, or a fill's place, kept
// at its point in the bounds of its art as they are now.
AIErr GoAlong(const AIRealPoint& point, const std::optional<Click>& lead, const PathNow& home, Click* c) {
    c->art = home.art;
    if (OnPath(*c)) {
        if (!FindOn(home, point, c) && lead) {
            c->clickType = lead->clickType;
            c->segNumBefore = lead->segNumBefore;
            c->segNumAfter = lead->segNumAfter;
            c->t = lead->t;
        }
        return kNoErr;
    }
    if (c->clickType != kLiveDimClickedFill) return kNoErr;
    AIRealRect r{};
    if (AIErr err = GetUnstrokedArtBounds(home.art, &r)) return err;
    const AIReal w = r.right - r.left, h = r.top - r.bottom;
    if (Distance(AIRealPoint{r.left + w * c->x, r.top + h * c->y}, point) <= kSamePlace) return kNoErr;
    c->x = w != 0 ? (point.h - r.left) / w : 0;
    c->y = h != 0 ? (point.v - r.top) / h : 0;
    return kNoErr;
}

// The paths now holding the art taken, each read once.
AIErr ReadPaths(std::span<const AIArtHandle> now, std::vector<PathNow>& paths) {
    for (AIArtHandle art : now) {
        int16_t type = kUnknownArt;
        if (!art || !sAIArt->ValidArt(art, false) || sAIArt->GetArtType(art, &type) || type != kPathArt) continue;
        PathNow& path = paths.emplace_back();
        path.art = art;
        if (AIErr err = ReadPathSegments(art, &path.anchors, &path.closed)) return err;
    }
    return kNoErr;
}

// The dimensions' groups (by id, with their kind) made static and named.
AIErr KeepAsDrawn(const std::unordered_map<int32_t, int32_t>& kinds) {
    std::vector<AIArtHandle> groups;
    if (AIErr err = MatchingArt(false, groups, kGroupArt)) return err;
    for (AIArtHandle group : groups) {
        const auto kind = IsDimension(group) ? kinds.find(GetDimensionID(group)) : kinds.end();
        if (kind == kinds.end()) continue;
        if (AIErr err = KeepDimensionAsDrawn(group)) return err;
        NoteForUser(kKeptAsDrawnNote, DimensionName(group, kind->second));
    }
    return kNoErr;
}

}  // namespace

AIErr MeasuredArtEdit::Carry(std::span<const AIArtHandle> now) {
    if (taken_.empty()) return kNoErr;
    std::vector<PathNow> paths;
    if (AIErr err = ReadPaths(now, paths)) return err;
    if (paths.empty()) return kNoErr;
    const auto pathOf = [&](AIArtHandle art) -> const PathNow* {
        const auto it = std::find_if(paths.begin(), paths.end(), [art](const PathNow& p) { return p.art == art; });
        return it == paths.end() ? nullptr : &*it;
    };
    const auto moved = [&](const Click& c) {
        return std::find_if(moved_.begin(), moved_.end(),
                            [&](const Moved& m) { return m.art == c.art && m.from == c.segNumAfter; });
    };
    // A click on a piece or an anchor, looked for on its own path first.
    const auto place = [&](const Taken& taken, Click* c) {
        const PathNow* own = pathOf(taken.click.art);
        const auto end = moved(taken.click);
        if (own && c->clickType == kLiveDimClickedSegmentPoint && end != moved_.end()) {
            const bool apart = c->segNumBefore != c->segNumAfter;
            c->segNumAfter = end->to;
            if (apart)
                KeepAnchorBefore(*own, taken.before, c);
            else
                c->segNumBefore = end->to;
            return true;
        }
        std::vector<const PathNow*> order;
        if (own) order.push_back(own);
        for (const PathNow& p : paths)
            if (&p != own) order.push_back(&p);
        for (const PathNow* path : order) {
            Click found = *c;
            if (!FindOn(*path, taken.point, &found)) continue;
            if (c->clickType == kLiveDimClickedSegmentPoint) KeepAnchorBefore(*path, taken.before, &found);
            *c = found;
            c->art = path->art;
            return true;
        }
        return false;
    };

    // A dimension left alone keeps its records, but for a number past its path's end.
    for (const Taken& taken : taken_) {
        const PathNow* now = pathOf(taken.click.art);
        Click kept = taken.click;
        if (leftAlone_.contains(kept.id) && now && KeepPastTheEnd(taken.anchors, *now, &kept))
            if (AIErr err = SetDimensionedObjectData(kept.art, &kept)) return err;
    }

    // Art broken apart or joined to another: a path the edit made, or one it took away. What
    // measured such art whole measures none of the paths now.
    const auto made = [&](const PathNow& p) {
        return std::find(sources_.begin(), sources_.end(), p.art) == sources_.end();
    };
    const auto gone = [](AIArtHandle art) { return !sAIArt->ValidArt(art, false); };
    const bool regrouped = std::any_of(paths.begin(), paths.end(), made) ||
                           std::any_of(sources_.begin(), sources_.end(), gone);

    std::unordered_map<int32_t, Carried> dimensions;
    std::vector<int32_t> order;
    const auto carried = [&](int32_t id) -> Carried& {
        auto [it, added] = dimensions.try_emplace(id);
        if (added) order.push_back(id);
        return it->second;
    };
    // First the clicks that name points, then the others, which go with the first of them.
    for (const Taken& taken : taken_) {
        const Click& c = taken.click;
        if (leftAlone_.contains(c.id) || !NamesPoint(c)) continue;
        Carried& d = carried(c.id);
        Click moved = c;
        d.lost = !place(taken, &moved) || d.lost || (regrouped && MeasuresWhole(c.dimType));
        if (!d.lead || moved.clickNum < d.lead->clickNum) d.lead = moved;
        d.changed = d.changed || !SameRecord(moved, c);
        d.clicks.push_back(moved);
    }
    for (const Taken& taken : taken_) {
        const Click& c = taken.click;
        if (leftAlone_.contains(c.id) || NamesPoint(c)) continue;
        Carried& d = carried(c.id);
        const PathNow* home = d.lead ? pathOf(d.lead->art) : pathOf(c.art);
        Click moved = c;
        if (AIErr err = GoAlong(taken.point, d.lead, home ? *home : paths.front(), &moved)) return err;
        d.changed = d.changed || !SameRecord(moved, c);
        d.clicks.push_back(moved);
    }

    std::vector<AIArtHandle> involved;
    for (AIArtHandle art : sources_)
        if (sAIArt->ValidArt(art, false)) involved.push_back(art);
    for (const PathNow& p : paths)
        if (std::find(involved.begin(), involved.end(), p.art) == involved.end()) involved.push_back(p.art);
    std::unordered_map<int32_t, int32_t> lost;  // by id, the kind
    for (int32_t id : order) {
        const Carried& d = dimensions[id];
        if (!d.lost && !d.changed) continue;
        for (AIArtHandle art : involved)
            if (AIErr err = RemoveDimensionLinks(art, [id](int32_t linkId) { return linkId == id; })) return err;
        if (d.lost) {
            lost.emplace(id, d.clicks.front().dimType);
            continue;
        }
        for (const Click& c : d.clicks)
            if (AIErr err = SetDimensionedObjectData(c.art, &c)) return err;
    }
    return lost.empty() ? kNoErr : KeepAsDrawn(lost);
}
