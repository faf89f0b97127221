// The six leader kinds as anchors of open paths, each with the point its terminator is
// aimed from.
#include "dimtools/LeaderLines.h"

#include <algorithm>
#include <vector>

#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionLines.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LabelParts.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr int32_t kArcWidthPercent = 25, kArcHeightPercent = 50;
constexpr AIReal kJog = 5.0f, kJogHandle = 20.0f;
constexpr AIReal kFlatness = 1.0f, kShortestArc = 0.01f;

// The anchors of one leader path and the point its terminator at the first anchor is
// aimed from.
struct LeaderPath {
    std::vector<AIPathSegment> anchors;
    AIRealPoint aim;
};

LeaderPath Elbow(AIRealPoint start, AIRealPoint mid, AIRealPoint end) {
    return {{CornerAnchor(start), CornerAnchor(mid), CornerAnchor(end)}, mid};
}

LeaderPath Straight(AIRealPoint start, AIRealPoint end) { return {{CornerAnchor(start), CornerAnchor(end)}, end}; }

// Leaves the start upright and reaches the end level (ctrl: leaves level, arrives upright);
// the terminator follows the curve a terminator's length from the start, at most its end.
LeaderPath Arc(AIRealPoint start, AIRealPoint end, bool ctrl) {
    const AIReal a = static_cast<AIReal>(g->prefs.leaderArcWidth) * (end.h - start.h) / 100.0f;
    const AIReal b = static_cast<AIReal>(g->prefs.leaderArcHeight) * (end.v - start.v) / 100.0f;
    const AIRealPoint out = ctrl ? AIRealPoint{start.h + a, start.v} : AIRealPoint{start.h, start.v + b};
    const AIRealPoint in = ctrl ? AIRealPoint{end.h, end.v - b} : AIRealPoint{end.h - a, end.v};
    AIRealBezier curve{};
    sAIRealBezier->Set(&curve, &start, &out, &in, &end);
    const AIReal length = std::max(sAIRealBezier->Length(&curve, kFlatness), kShortestArc);
    // Past its end the cubic runs off the curve: a leader shorter than its terminator aims
    // from its end.
    const AIReal t = std::min(g->prefs.style.arrowheadLength / length, 1.0f);
    AIRealPoint aim{};
    sAIRealBezier->Evaluate(&curve, t, &aim);
    return {{CornerAnchor(start, start, out), CornerAnchor(end, in, end)}, aim};
}

LeaderPath Kinked(AIRealPoint start, AIRealPoint end, bool ctrl) {
    const AIReal theta = Angle(start, end);
    const AIRealPoint m = PointAlong(start, sAIRealMath->AIRealPointLength(&start, &end) / 2.0f, theta);
    AIRealPoint p1 = PointAlong(m, kJog, theta + kHalfPi), p2 = PointAlong(m, kJog, theta - kHalfPi);
    if (ctrl) std::swap(p1, p2);
    AIRealPoint a{}, b{};
    getPointAlongLine(start, p1, kJogHandle, &a);
    getPointAlongLine(end, p2, kJogHandle, &b);
    return {{CornerAnchor(start), CornerAnchor(p1, p1, a), CornerAnchor(p2, b, p2), CornerAnchor(end)}, m};
}

LeaderPath Wave(AIRealPoint start, AIRealPoint end, bool ctrl) {
    const AIReal theta = Angle(start, end);
    const AIReal h = sAIRealMath->AIRealPointLength(&start, &end) / 2.0f;
    const AIRealPoint m = PointAlong(start, h, theta);
    const AIReal s = ctrl ? -1.0f : 1.0f;
    const AIRealPoint in = PointAlong(m, h / 2.0f, theta + s * kHalfPi);
    const AIRealPoint out = PointAlong(m, h / 2.0f, theta - s * kHalfPi);
    return {{CornerAnchor(start), SmoothAnchor(m, in, out), CornerAnchor(end)}, in};
}

LeaderPath LeaderOfKind(int32_t kind, AIRealPoint start, AIRealPoint mid, AIRealPoint end, bool ctrl) {
    switch (kind) {
        case kElbowLeader: return Elbow(start, mid, end);
        case kArcLeader: return Arc(start, end, ctrl);
        case kKinkedLeader: return Kinked(start, end, ctrl);
        case kWaveLeader: return Wave(start, end, ctrl);
        default: return Straight(start, end);
    }
}

AIErr Terminator(AIRealPoint at, AIRealPoint aim, AIArtHandle group) {
    return doLineEndpointGraphics(at, aim, 1, 0, 1, group);
}

// One leg from every click of the chain to the knee, the first going on along the shelf.
AIErr MultipleLegs(AIRealPoint start, AIRealPoint mid, AIRealPoint end, AIArtHandle group, bool terminators) {
    std::vector<AIRealPoint> legs;
    for (const cdDataStruct* n = g->firstChainDimDataPtr; n; n = n->nextPtr) legs.push_back(n->theLoc);
    if (legs.empty()) legs.push_back(start);
    for (size_t i = 0; i < legs.size(); ++i) {
        const LeaderPath path = i == 0 ? Elbow(legs[i], mid, end) : Straight(legs[i], mid);
        if (AIErr err = NewLabelPath(group, path.anchors, false)) return err;
        if (terminators)
            if (AIErr err = Terminator(legs[i], mid, group)) return err;
    }
    return kNoErr;
}

}  // namespace

AIErr drawLeaderLine(AIRealPoint start, AIRealPoint mid, AIRealPoint end, AIArtHandle group, int32_t labelLeader,
                     int useEndPointGraphics) {
    if (!g) return kCADErr;
    g->prefs.leaderArcHeight = kArcHeightPercent;
    g->prefs.leaderArcWidth = kArcWidthPercent;
    if (labelLeader == kMultipleLeader) return MultipleLegs(start, mid, end, group, useEndPointGraphics != 0);
    const bool ctrl = (g->prefs.style.modifiers & kLabelCtrlKey) != 0;
    const LeaderPath path = LeaderOfKind(labelLeader, start, mid, end, ctrl);
    if (AIErr err = NewLabelPath(group, path.anchors, false)) return err;
    return useEndPointGraphics ? Terminator(start, path.aim, group) : kNoErr;
}
