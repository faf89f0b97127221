// Anchor insertion, group area walks and deselection through the host's art, path,
// layer and hit-test suites.
#include "artwork/PathEditing.h"

#include <algorithm>
#include <cmath>

#include "artwork/PathMeasure.h"
#include "geometry/BezierGeometry.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PlotwiseErrors.h"
#include "geometry/PointMath.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"

namespace {

AIErr writePath(AIArtHandle path, const std::vector<AIPathSegment>& segments) {
    const auto count = static_cast<int16_t>(segments.size());
    if (AIErr err = sAIPath->SetPathSegmentCount(path, count)) return err;
    return sAIPath->SetPathSegments(path, 0, count, segments.data());
}

// Splits span n (n = count - 1 is the closing span) at t.
AIErr splitSpan(std::vector<AIPathSegment>& segments, int n, AIReal t) {
    const int count = static_cast<int>(segments.size());
    if (count < 2 || n < 0 || n >= count || !std::isfinite(t)) return kOutOfRangeErr;
    AIPathSegment& a = segments[static_cast<std::size_t>(n)];
    AIPathSegment& b = segments[static_cast<std::size_t>((n + 1) % count)];
    // A corner anchor's handle shapes the span as a smooth one's does.
    const AIRealPoint p1 = a.out;
    const AIRealPoint p2 = b.in;
    const AIRealPoint ab = Between(a.p, p1, t), bc = Between(p1, p2, t), cd = Between(p2, b.p, t);
    const AIRealPoint abc = Between(ab, bc, t), bcd = Between(bc, cd, t);
    a.out = ab;
    b.in = cd;
    segments.insert(segments.begin() + n + 1, SmoothAnchor(Between(abc, bcd, t), abc, bcd));
    return kNoErr;
}

// A path's length into perimeter and its area: its share of a compound's fill when it has
// one (into compArea), its signed area when it lies in a compound whose shares are not
// known (into compArea), else the area it encloses when it is closed (into area).
AIErr addArea(AIArtHandle path, int compoundParent, const double* share, AIReal& area, AIReal& compArea,
              AIReal& perimeter) {
    std::vector<AIPathSegment> segments;
    bool closed = false;
    if (AIErr err = ReadPathSegments(path, &segments, &closed)) return err;
    if (segments.empty()) return kNoErr;
    // An open path encloses the figure its chord closes, as the host fills it.
    AIReal signedArea = 0.0f, length = 0.0f;
    if (AIErr err = calculatePathAreaAndPerimeter(segments.data(), static_cast<ai_int16>(segments.size()), 0,
                                                  static_cast<ai_int16>(segments.size() - 1), closed, &signedArea,
                                                  &length)) {
        return err;
    }
    perimeter += length;
    if (share != nullptr) {
        compArea += static_cast<AIReal>(*share);
    } else if (compoundParent != 0) {
        compArea += signedArea;
    } else if (closed != 0) {
        area += std::fabs(signedArea);
    }
    return kNoErr;
}

// A compound path's members, each with its share of the fill.
AIErr addCompound(AIArtHandle compound, AIReal& area, AIReal& compArea, AIReal& perimeter) {
    std::vector<MemberShare> shares;
    if (AIErr err = CompoundPathAreaShares(compound, shares)) return err;
    for (const MemberShare& m : shares)
        if (AIErr err = addArea(m.path, 1, &m.share, area, compArea, perimeter)) return err;
    return kNoErr;
}

}  // namespace

AIErr ReadPathSegments(AIArtHandle path, std::vector<AIPathSegment>* anchors, bool* closed) {
    if (!path || !anchors || !sAIPath) return kBadParameterErr;
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(path, &count)) return err;
    anchors->assign(static_cast<size_t>(std::max<int16_t>(count, 0)), AIPathSegment{});
    if (count > 0) {
        if (AIErr err = sAIPath->GetPathSegments(path, 0, count, anchors->data())) return err;
    }
    if (!closed) return kNoErr;
    ASBoolean isClosed = false;
    if (AIErr err = sAIPath->GetPathClosed(path, &isClosed)) return err;
    *closed = isClosed != 0;
    return kNoErr;
}

AIErr DisposeArtWithEmptiedParents(AIArtHandle art) {
    AIArtHandle parent = nullptr;
    if (AIErr err = sAIArt->GetArtParent(art, &parent)) return err;
    if (AIErr err = sAIArt->DisposeArt(art)) return err;
    while (parent) {
        ASBoolean layerGroup = false;
        AIArtHandle child = nullptr, above = nullptr;
        if (AIErr err = sAIArt->IsArtLayerGroup(parent, &layerGroup)) return err;
        if (AIErr err = sAIArt->GetArtFirstChild(parent, &child)) return err;
        if (layerGroup || child) return kNoErr;
        if (AIErr err = sAIArt->GetArtParent(parent, &above)) return err;
        if (AIErr err = sAIArt->DisposeArt(parent)) return err;
        parent = above;
    }
    return kNoErr;
}

AIErr AddBezierPoint(std::vector<AIPathSegment>& segments, ai_int16 n, AIReal t) {
    const int count = static_cast<int>(segments.size());
    return splitSpan(segments, n == -1 ? count - 1 : n, t);
}

AIErr AddBezierPoint(AIArtHandle path, ai_int16 n, AIReal t) {
    std::vector<AIPathSegment> segments;
    if (AIErr err = ReadPathSegments(path, &segments, nullptr)) return err;
    if (AIErr err = AddBezierPoint(segments, n, t)) return err;
    return writePath(path, segments);
}

AIErr getGroupAreaAndPerimeter(AIArtHandle art, AIArtHandle stop, int compoundParent, AIReal* area, AIReal* compArea,
                               AIReal* perimeter) {
    if (area == nullptr || compArea == nullptr || perimeter == nullptr || sAIArt == nullptr) return kBadParameterErr;
    for (AIArtHandle a = art; a != nullptr;) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(a, &type)) return err;
        if (type == kCompoundPathArt) {
            if (AIErr err = addCompound(a, *area, *compArea, *perimeter)) return err;
        } else if (type == kGroupArt) {
            AIArtHandle child = nullptr;
            if (AIErr err = sAIArt->GetArtFirstChild(a, &child)) return err;
            if (child != nullptr) {
                if (AIErr err = getGroupAreaAndPerimeter(child, nullptr, compoundParent, area, compArea, perimeter))
                    return err;
            }
        } else if (type == kPathArt) {
            if (AIErr err = addArea(a, compoundParent, nullptr, *area, *compArea, *perimeter)) return err;
        }
        if (a == stop) break;
        AIArtHandle next = nullptr;
        if (AIErr err = sAIArt->GetArtSibling(a, &next)) return err;
        a = next;
    }
    return kNoErr;
}

// One deselection for the whole plug-in: the selection code's walk of the selected art.