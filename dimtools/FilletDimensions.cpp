// The fillet radius tool: the clicked piece, its circle and arc, the leader kept on the arc,
// then the shelf and labelled value the radius tool draws.
#include "dimtools/FilletDimensions.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimtools/CurvatureAtClick.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/RadialDimensions.h"
#include "dimtools/ToolHit.h"
#include "geometry/BezierGeometry.h"
#include "geometry/CurveFit.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kReferenceT = 0.3f;  // the circle is fitted near this point of the piece
constexpr int32_t kOptionBit = 2, kCtrlBit = 4;
constexpr int32_t kNotCircularMessage = 67;  // 17067
constexpr int16_t kRadiusKind = 1;

// The turn from one direction to another, counter-clockwise, in [0, 2 pi).
double Turn(double from, double to) {
    const double d = std::fmod(to - from, 2 * std::numbers::pi);
    return d < 0 ? d + 2 * std::numbers::pi : d;
}

// The path the press hit and the host's segment number of the hit, as the click chain
// recorded it (from the stored click while redrawing); false for a press on no path.
bool ClickedSegment(AIArtHandle* path, int16_t* segment) {
    const cdDataStruct* node = g->firstChainDimDataPtr;
    if (!node || !node->art) return false;
    if (node->clickType != kLiveDimClickedSegmentPoint && node->clickType != kLiveDimClickedPath) return false;
    *path = node->art;
    *segment = static_cast<int16_t>(node->segNumAfter);
    return true;
}

AIErr NotCircular() {
    if (g->updatingDimensions) return kNoErr;  // the dimension is kept as it was
    (void)ShowCoreMessage(kNotCircularMessage);  // the gesture's click goes: its later drags draw nothing
    return kNoErr;
}

// The direction from the centre in which the leader meets the arc: the drag point's when it
// points into the arc (the arc runs from its start to its end the way that passes
// `inside`) or the arc closes on itself, else the nearer end's.
double LeaderDirection(const AIRealPoint& centre, const FilletArc& arc, const AIRealPoint& inside,
                       const AIRealPoint& drag) {
    const double d = Angle<double>(centre, drag);
    if (arc.wholeCircle) return d;
    const double s = Angle<double>(centre, arc.start), e = Angle<double>(centre, arc.end);
    const bool fromStart = Turn(s, Angle<double>(centre, inside)) <= Turn(s, e);
    const double lo = fromStart ? s : e, hi = fromStart ? e : s;
    if (Turn(lo, d) <= Turn(lo, hi)) return d;
    const auto apart = [d](double a) { return std::min(Turn(a, d), Turn(d, a)); };
    return apart(s) < apart(e) ? s : e;
}

// The leader from the drag point's distance (option: the centre) to the arc, its
// terminator on the arc, the shelf and the labelled radius, made live.
AIErr FilletArt(const AIRealPoint& centre, AIReal radius, const FilletArc& arc, const AIRealPoint& inside,
                AIArtHandle group) {
    const int32_t keys = g->prefs.style.modifiers;
    const AIRealPoint drag = g->endPoint;
    const double direction = LeaderDirection(centre, arc, inside, drag);
    const AIRealPoint onArc = PointAlong<double>(centre, radius, direction);
    const double reach = Distance<double>(centre, drag);
    const AIRealPoint start = (keys & kOptionBit) ? centre : PointAlong<double>(centre, reach, direction);
    if (AIErr err = drawDimensionLine(start, onArc, group)) return err;
    if (AIErr err = doLineEndpointGraphics(start, onArc, 0, 1, 1, group)) return err;
    // The shelf leaves the leader away from the arc; straight above or below it, left.
    bool right = onArc.h < start.h;
    if (onArc.h != start.h && (keys & kCtrlBit)) right = !right;
    const double error = std::max(DistanceError(centre, arc.start), DistanceError(centre, arc.end));
    if (AIErr err = RadialShelfAndText(kRadiusKind, start, right, radius, group, error)) return err;
    return SetDimensionData(group, nullptr);
}

AIErr FilletRadius() {
    if (!g->didFirstClick) return kNoErr;  // the gesture was refused
    if (AIErr err = CheckDocumentZoom()) return err;
    AIArtHandle path = nullptr;
    int16_t segment = 0;
    if (!ClickedSegment(&path, &segment)) return kNoErr;
    int16_t first = 0, second = 0;
    if (AIErr err = HitSegmentEnds(path, segment, &first, &second)) return err == kCADErr ? kNoErr : err;
    int16_t count = 0;
    ASBoolean closed = false;
    if (AIErr err = sAIPath->GetPathSegmentCount(path, &count)) return err;
    if (AIErr err = sAIPath->GetPathClosed(path, &closed)) return err;
    std::vector<AIPathSegment> segments(static_cast<size_t>(count));
    if (AIErr err = sAIPath->GetPathSegments(path, 0, count, segments.data())) return err;
    const AIPathSegment& a = segments[static_cast<size_t>(first)];
    const AIPathSegment& b = segments[static_cast<size_t>(second)];
    const AIRealBezier piece{a.p, a.out, b.in, b.p};

    // The circle, fitted near B(0.3) and checked by samples; no output written means none.
    AIRealPoint reference{}, tangent{};
    if (getPointAndTangentFromBezierT(piece, kReferenceT, &reference, &tangent) != kNoErr) return NotCircular();
    AIRealPoint centre{NAN, NAN};
    AIReal radius = NAN;
    if (GetCenter(piece, reference, &centre, &radius) != 0 || std::isnan(radius) || std::isnan(centre.h) ||
        !BezierIsCircleSegment(piece, centre, radius))
        return NotCircular();
    FilletArc arc;
    if (AIErr err = FilletArcEnds(segments.data(), count, closed, first, centre, radius, &arc)) return err;

    if (AIErr err = PrepDimensionLayer()) return err;
    return DimensionOrNothing(g->group, FilletArt(centre, radius, arc, bezierPointAt(piece, 0.5f), g->group));
}

}  // namespace

AIErr doFilletDimTool() { return g ? FilletRadius() : kCADErr; }
