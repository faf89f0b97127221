// Path art measured through the host's path suite.
#include "artwork/PathMeasure.h"

#include <utility>
#include <vector>

#include "geometry/BezierGeometry.h"
#include "geometry/PlaneGeometry.h"
#include "core/PlotwiseSuites.h"

namespace {

AIErr readSegments(AIArtHandle path, std::vector<AIPathSegment>& segments, ASBoolean* closed) {
    if (path == nullptr || sAIPath == nullptr) return kBadParameterErr;
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(path, &count)) return err;
    if (count < 0) return kBadParameterErr;
    segments.resize(static_cast<std::size_t>(count));
    if (count > 0) {
        if (AIErr err = sAIPath->GetPathSegments(path, 0, count, segments.data())) return err;
    }
    if (closed != nullptr) {
        if (AIErr err = sAIPath->GetPathClosed(path, closed)) return err;
    }
    return kNoErr;
}

ai_int16 countOf(const std::vector<AIPathSegment>& segments) { return static_cast<ai_int16>(segments.size()); }

struct Member {
    AIArtHandle path;
    std::vector<AIPathSegment> segments;
    ASBoolean closed;
};

// The paths below art (its children and theirs), in paint order.
AIErr CollectMembers(AIArtHandle art, std::vector<Member>& members) {
    AIArtHandle child = nullptr;
    if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
    for (; child;) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(child, &type)) return err;
        if (type == kPathArt) {
            Member m{child, {}, 0};
            if (AIErr err = readSegments(child, m.segments, &m.closed)) return err;
            members.push_back(std::move(m));
        } else if (type == kGroupArt || type == kCompoundPathArt) {
            if (AIErr err = CollectMembers(child, members)) return err;
        }
        if (AIErr err = sAIArt->GetArtSibling(child, &child)) return err;
    }
    return kNoErr;
}

}  // namespace

AIErr calculatePathLength(AIArtHandle path, ai_int16 from, ai_int16 to, AIReal* length) {
    if (length == nullptr) return kBadParameterErr;
    *length = kMissingValue;
    if (path == nullptr || sAIPath == nullptr) return kBadParameterErr;
    AIPathSegment previous{};
    if (AIErr err = sAIPath->GetPathSegments(path, from, 1, &previous)) return err;
    double total = 0.0;
    for (int k = from + 1; k <= to; ++k) {
        AIPathSegment segment{};
        if (AIErr err = sAIPath->GetPathSegments(path, static_cast<int16_t>(k), 1, &segment)) return err;
        total += cubicSegmentLength(previous, segment);
        previous = segment;
    }
    *length = static_cast<AIReal>(total);
    return kNoErr;
}

AIErr ZMKGetPathRealBezier(AIArtHandle path, ai_int16 n, AIRealBezier* bez) {
    std::vector<AIPathSegment> segments;
    if (AIErr err = readSegments(path, segments, nullptr)) return err;
    return ZMKGetPathRealBezier(segments.data(), countOf(segments), n, bez);
}

AIReal TAtLength(AIArtHandle path, ai_int16 seg, AIReal length) {
    std::vector<AIPathSegment> segments;
    if (readSegments(path, segments, nullptr) != kNoErr) return 0.0f;
    return TAtLength(segments.data(), countOf(segments), seg, length);
}

AIErr calculatePathAreaAndPerimeter(AIArtHandle path, ai_int16 first, ai_int16 last, ai_int16 closed, AIReal* area,
                                    AIReal* perimeter) {
    std::vector<AIPathSegment> segments;
    if (AIErr err = readSegments(path, segments, nullptr)) return err;
    return calculatePathAreaAndPerimeter(segments.data(), countOf(segments), first, last, closed != 0, area, perimeter);
}

AIErr getPathAreaAndPerimeter(AIArtHandle path, double* area, double* perimeter) {
    if (area == nullptr || perimeter == nullptr) return kBadParameterErr;
    *area = kMissingValue;
    *perimeter = kMissingValue;
    std::vector<AIPathSegment> segments;
    ASBoolean closed = 0;
    if (AIErr err = readSegments(path, segments, &closed)) return err;
    if (sAIPathStyle == nullptr) return kBadParameterErr;
    AIPathStyle style{};
    if (AIErr err = sAIPathStyle->GetPathStyle(path, &style)) return err;
    return getPathAreaAndPerimeter(segments.data(), countOf(segments), closed != 0, area, perimeter, style.evenodd != 0);
}

AIErr CompoundPathAreaShares(AIArtHandle compound, std::vector<MemberShare>& shares) {
    shares.clear();
    if (compound == nullptr || sAIArt == nullptr || sAIPathStyle == nullptr) return kBadParameterErr;
    AIPathStyle style{};
    if (AIErr err = sAIPathStyle->GetPathStyle(compound, &style)) return err;
    std::vector<Member> members;
    if (AIErr err = CollectMembers(compound, members)) return err;
    std::vector<PathContour> contours;
    contours.reserve(members.size());
    for (const Member& m : members) contours.push_back({m.segments.data(), countOf(m.segments), m.closed != 0});
    const std::vector<double> filled = filledAreaShares(contours, style.evenodd != 0);
    shares.reserve(members.size());
    for (size_t i = 0; i < members.size(); ++i) shares.push_back({members[i].path, filled[i]});
    return kNoErr;
}
