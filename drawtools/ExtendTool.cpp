// Extending an open path's end segment to a boundary segment.
#include "drawtools/ExtendTool.h"

#include <cmath>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/MeasuredArtEdit.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "geometry/BezierGeometry.h"
#include "geometry/PlotwiseErrors.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr AIReal kSamePoint = 2.0f;
// Parameters of the end tangents, and the ones used when an end handle is retracted.
constexpr AIReal kStartTangent = 0.001f, kStartTangentRetracted = 0.1f;
constexpr AIReal kEndTangent = 0.999f, kEndTangentRetracted = 0.9f;

// Clears both clicks whatever happens in between.
struct ClicksCleared {
    ~ClicksCleared() { g->didFirstClick = g->didSecondClick = 0; }
};

AIErr LineCrossingMessage(AIErr err) {
    if (err == kNotApplicableErr) return ShowCoreMessage(kNonParallelLinesMessage);
    if (err == kNoIntersectionErr) return ShowCoreMessage(kPathsDoNotCrossMessage);
    return err;
}

// A straight end segment: its nearer anchor (the first on a tie) moves onto the crossing, and
// stays the anchor measured there.
AIErr ExtendStraight(const PathClick& a, const PathClick& boundary, MeasuredArtEdit& measured) {
    AIRealPoint x{};
    if (AIErr err = GetLineSegmentIntersectionWithBezier(a.start(), a.end(), boundary.start(), boundary.end(), &x))
        return LineCrossingMessage(err);
    const AIReal toStart = sAIRealMath->AIRealPointLength(&a.start().p, &x);
    const AIReal toEnd = sAIRealMath->AIRealPointLength(&a.end().p, &x);
    const auto moved = static_cast<int16_t>(toStart <= toEnd ? a.segment : a.segment + 1);
    measured.Moves(a.path, moved, moved);
    const AIPathSegment onCrossing = CornerAnchor(x);
    return sAIPath->SetPathSegments(a.path, moved, 1, &onCrossing);
}

// Where the tangent line at t (or at the fallback when the handle there is retracted) of
// the end segment meets the boundary.
bool TangentCrossing(const AIRealBezier& bez, const AIRealPoint& anchor, AIReal t, AIReal fallback,
                     const PathClick& boundary, AIRealPoint* x) {
    AIRealPoint p{}, tangent{};
    sAIRealBezier->PointAndTangent(&bez, t, &p, &tangent);
    AIRealPoint ahead{anchor.h + tangent.h, anchor.v + tangent.v};
    if (sAIRealMath->AIRealPointClose(&anchor, &ahead, kSamePoint)) {
        sAIRealBezier->PointAndTangent(&bez, fallback, &p, &tangent);
        ahead = AIRealPoint{anchor.h + tangent.h, anchor.v + tangent.v};
    }
    return GetLineSegmentIntersectionWithBezier(CornerAnchor(anchor), CornerAnchor(ahead), boundary.start(),
                                                boundary.end(), x) == kNoErr;
}

// A curved end segment gains a straight segment from its end anchor (which keeps its own
// handle) to the crossing of its end tangent with the boundary: the new end is the one
// measured there, as a straight end moved onto the crossing is.
AIErr ExtendCurved(const PathClick& a, const PathClick& boundary, MeasuredArtEdit& measured) {
    const int16_t n = a.count();
    AIRealBezier bez{};
    convertSegmentPointsToRealBezier(a.start(), a.end(), &bez);
    AIRealPoint atStart{}, atEnd{};
    const bool startReached =
        a.segment == 0 && TangentCrossing(bez, a.start().p, kStartTangent, kStartTangentRetracted, boundary, &atStart);
    const bool endReached =
        a.segment == n - 2 && TangentCrossing(bez, a.end().p, kEndTangent, kEndTangentRetracted, boundary, &atEnd);
    if (!startReached && !endReached) return ShowCoreMessage(kNoCrossingLineMessage);
    // A path of one segment may reach from both ends: the one nearer the click.
    const bool atTheStart = startReached && (!endReached || std::fabs(a.t) <= 0.5f);
    const AIPathSegment added = CornerAnchor(atTheStart ? atStart : atEnd);
    if (!atTheStart) {
        measured.Moves(a.path, static_cast<int16_t>(n - 1), n);
        return sAIPath->InsertPathSegments(a.path, n, 1, &added);
    }
    measured.Moves(a.path, 0, 0);
    // The start: appended to the reversed path, which is turned back, so the path stays the
    // same art where it was.
    if (AIErr err = sAIPath->ReversePathSegments(a.path)) return err;
    if (AIErr err = sAIPath->InsertPathSegments(a.path, n, 1, &added)) return err;
    return sAIPath->ReversePathSegments(a.path);
}

}  // namespace

AIErr doCADExtendTool() {
    ClicksCleared cleared;
    if (!g->didFirstClick || !g->didSecondClick) return kNoErr;
    PathClick a, boundary;
    bool clicked = false;
    if (AIErr err = HitPathSegment(g->firstClick, kAllHitRequest, &a, &clicked)) return err;
    if (!clicked) return RefuseClick(a.onDimension);
    if (a.closed) return ShowCoreMessage(kSelectOpenPathMessage);
    if (a.count() < 2) return ShowCoreMessage(kOnlyEndsExtendMessage);
    if (AIErr err = HitPathSegment(g->secondClick, kAllHitRequest, &boundary, &clicked)) return err;
    if (!clicked) return RefuseClick(boundary.onDimension);
    if (a.segment != 0 && a.segment != a.count() - 2) return ShowCoreMessage(kOnlyEndsExtendMessage);
    // What measures the path keeps its points, which an anchor added at the start renumbers.
    MeasuredArtEdit measured;
    if (AIErr err = measured.Take(a.path)) return err;
    const AIErr err = SegmentIsCurved(a.start(), a.end()) ? ExtendCurved(a, boundary, measured)
                                                          : ExtendStraight(a, boundary, measured);
    return err ? err : measured.Carry({&a.path, 1});
}
