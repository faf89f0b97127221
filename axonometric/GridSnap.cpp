// Object and grid snapping of a point.
#include "axonometric/GridSnap.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "axonometric/AxonometricGlobals.h"
#include "axonometric/AxonometricGrids.h"
#include "axonometric/AxonometricUpdate.h"
#include "axonometric/GuideLayers.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "geometry/BezierGeometry.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

bool Finite(double h, double v) { return std::isfinite(h) && std::isfinite(v); }

// The snap points of one path: anchors, the middle of each segment, the centre of a
// closed path's bounds.
AIErr AddPathPoints(AIArtHandle path, std::vector<AIRealPoint>* points) {
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(path, &count)) return err;
    if (count <= 0) return kNoErr;
    std::vector<AIPathSegment> segments(static_cast<size_t>(count));
    if (AIErr err = sAIPath->GetPathSegments(path, 0, count, segments.data())) return err;
    ASBoolean closed = false;
    if (AIErr err = sAIPath->GetPathClosed(path, &closed)) return err;
    for (const AIPathSegment& s : segments) points->push_back(s.p);
    const int16_t pieces = closed ? count : static_cast<int16_t>(count - 1);
    for (int16_t i = 0; i < pieces; ++i) {
        AIRealBezier bez{};
        const AIPathSegment& from = segments[static_cast<size_t>(i)];
        const AIPathSegment& to = segments[static_cast<size_t>((i + 1) % count)];
        if (convertSegmentPointsToRealBezier(from, to, &bez) == kNoErr) points->push_back(bezierPointAt(bez, 0.5f));
    }
    if (closed && count > 1) {
        AIRealRect bounds{};
        if (AIErr err = sAIArt->GetArtBounds(path, &bounds)) return err;
        points->push_back({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
    }
    return kNoErr;
}

// Whether objects snap to this path: neither it nor a group, compound path or layer holding
// it hidden or a dimension, only groups and compound paths between it and its layer, on a
// top-level layer other than the guides. Looked at from the layer down, each holder once per
// query (`refused` remembers them), so the members of a dimension are passed over at their
// group.
bool Snappable(AIArtHandle path, std::unordered_map<AIArtHandle, bool>& refused) {
    std::vector<AIArtHandle> chain;
    for (AIArtHandle art = path; art;) {
        chain.push_back(art);
        if (sAIArt->GetArtParent(art, &art) != kNoErr) return false;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const AIArtHandle art = *it;
        const auto known = refused.find(art);
        if (known != refused.end()) {
            if (known->second) return false;
            continue;
        }
        bool no = false;
        uint32_t attr = 0;
        ASBoolean layerGroup = false;
        int16_t type = kUnknownArt;
        if (sAIArt->GetArtUserAttr(art, kArtHidden, &attr) != kNoErr || (attr & kArtHidden) ||
            sAIArt->IsArtLayerGroup(art, &layerGroup) != kNoErr || sAIArt->GetArtType(art, &type) != kNoErr) {
            no = true;
        } else if (layerGroup) {
            AILayerHandle layer = nullptr, parent = nullptr;
            no = sAIArt->GetLayerOfArt(art, &layer) != kNoErr || sAILayer->GetLayerParent(layer, &parent) != kNoErr ||
                 (!parent && IsGuideLayer(layer));
        } else if (art != path && type != kGroupArt && type != kCompoundPathArt) {
            no = true;  // the walk enters groups and compound paths alone
        }
        no = no || IsDimensionOrPart(art);
        if (art != path) refused.emplace(art, no);
        if (no) return false;
    }
    return true;
}

bool WithinSquare(AIRealPoint q, AIRealPoint p, double reach) {
    return std::fabs(double(q.h) - p.h) <= reach && std::fabs(double(q.v) - p.v) <= reach;
}

}  // namespace

std::vector<AIRealPoint> ObjectSnapPointsNear(AIRealPoint p, double reach) {
    std::vector<AIRealPoint> points;
    if (!Finite(p.h, p.v) || !(reach >= 0) || !std::isfinite(reach)) return points;
    // A point of a path lies within its bounds; the margin covers the rounding of both.
    const double r = reach + 1;
    const AIRealRect area{static_cast<AIReal>(p.h - r), static_cast<AIReal>(p.v + r), static_cast<AIReal>(p.h + r),
                          static_cast<AIReal>(p.v - r)};
    std::vector<AIArtHandle> near;
    if (ArtInRect(area, near) != kNoErr) return points;
    std::unordered_map<AIArtHandle, bool> refused;
    for (AIArtHandle art : near) {
        int16_t type = kUnknownArt;
        if (sAIArt->GetArtType(art, &type) != kNoErr || type != kPathArt || !Snappable(art, refused)) continue;
        (void)AddPathPoints(art, &points);  // a path the host cannot read offers nothing
    }
    std::erase_if(points, [&](AIRealPoint q) { return !WithinSquare(q, p, reach); });
    return points;
}

int16_t snapToGridCheckAxonometric(const AIRealPoint* in, AIRealPoint* out) {
    if (!g || !in || !out || !Finite(in->h, in->v)) return 0;
    int32_t layers = 0;
    if (sAILayer->CountLayers(&layers) != kNoErr) return 0;  // no document
    const AIReal tolerance = static_cast<AIReal>(std::max<int32_t>(g->prefs.gridSnapTolerance, 0));
    if (g->prefs.objectSnapFullScreenCursor && NearestPointWithin(ObjectSnapPointsNear(*in, tolerance), *in, tolerance, out))
        return 1;
    if (!g->prefs.snapToGrid) return 0;
    return SnapToGridLines(ShownGridLines(), kGridOrigin, tolerance, *in, out) ? 1 : 0;
}
