// The curve radius and tangent line tools: one measure of the curvature under the click,
// then the radius line, centre cross, value and arc, or the tangent and normal lines.
#include "dimtools/CurveRadiusDimensions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimtools/ArcSegment.h"
#include "dimtools/CurvatureAtClick.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/RadialDimensions.h"
#include "geometry/PointMath.h"
#include "geometry/RadialGeometry.h"
#include "units/LayerScales.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr double kArcHalfSweep = 2.0943;  // the arc reaches 120 degrees round, centred on the point
constexpr AIReal kLongestCrossArm = 9.0f;
constexpr AIReal kCrossClearance = 2.0f;  // between the value's ink and the centre cross
constexpr AIReal kDescentShare = 0.25f;   // of the text size, below the baseline
constexpr int32_t kShiftBit = 1, kOptionBit = 2, kCtrlBit = 4;
constexpr int16_t kRadiusKind = 1;
constexpr int16_t kStartStyle = 1, kLimitStyle = 3;

// The measure under firstClick, and the group it is drawn into. False with *result set
// when nothing is to be drawn: no usable hit stops the ruler marks following the cursor.
bool Measure(CurvatureAtClick* at, AIErr* result) {
    *result = CheckDocumentZoom();
    if (*result) return false;
    Curvature outcome = Curvature::kNoHit;
    *result = GetCurvatureAtClick(CurvatureHitTarget(), g->firstClick, at, &outcome);
    if (*result) return false;
    if (outcome == Curvature::kNoHit) {
        g->okToTrackCursorFlag = 0;
        *result = trackCursorInRulerAnnotator();
        return false;
    }
    if (outcome != Curvature::kMeasured) return false;
    *result = PrepDimensionLayer();
    return *result == kNoErr;
}

// While a curve radius is resized its click follows the cursor: the anchor or the point of
// the piece measured last is what the release stores, so the dimension stays there. Only a
// point that was measured is taken, so the stored click always names the drawing shown.
void FollowResizedClick(const PathClick& click, AIReal t) {
    if (!g->resizingDimension || g->curDimID != g->dimResizeID) return;
    Plotwise3_dimensioned_object_data& r = g->dimResizeData;
    if (click.type == kSegAnchorType) {
        r.clickType = kLiveDimClickedSegmentPoint;
        r.segNumBefore = r.segNumAfter = t == 1 ? click.second : click.first;
        r.t = 0;
    } else {
        r.clickType = kLiveDimClickedPath;
        r.segNumBefore = click.first;
        r.segNumAfter = click.second;
        r.t = click.t;
    }
}

// The radius line from the centre to the curve: a closed path of two corner anchors.
AIErr RadiusLine(const AIRealPoint& o, const AIRealPoint& p, AIArtHandle group) {
    AIArtHandle path = nullptr;
    if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &path)) return err;
    if (AIErr err = sAIPathStyle->SetPathStyle(path, &g->dimensionLineStyle)) return err;
    const AIPathSegment ends[2] = {{o, o, o, true}, {p, p, p, true}};
    if (AIErr err = sAIPath->SetPathSegmentCount(path, 2)) return err;
    if (AIErr err = sAIPath->SetPathSegments(path, 0, 2, ends)) return err;
    return sAIPath->SetPathClosed(path, true);
}

AIErr CurveRadiusArt(const CircleFit& fit, int16_t drawArc, AIArtHandle group) {
    const Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    const AIRealPoint o = fit.centre, p = fit.point;
    const AIReal r = fit.radius;
    const double theta = fit.towardsCentre;
    if (AIErr err = RadiusLine(o, p, group)) return err;
    const AIReal arm = std::min(r / 3.0f, kLongestCrossArm);
    if (AIErr err = drawDimensionLine({o.h - arm, o.v}, {o.h + arm, o.v}, group)) return err;
    if (AIErr err = drawDimensionLine({o.h, o.v - arm}, {o.h, o.v + arm}, group)) return err;
    if (RadialTerminatorFits(style.arrowheadStyle, style.arrowheadLength, r))
        if (AIErr err = doLineEndpointGraphics(o, p, 0, 1, 1, group)) return err;
    // The value beyond the centre, away from the curve, and beyond the cross's arms (where
    // they reach further than a line of text).
    if (AIErr err = RadialValueText(kRadiusKind, r, DistanceError(o, p))) return err;
    const AIReal size = g->textSize;
    const AIReal distance = TextDistanceBeyondCross(size + g->textLeading, static_cast<AIReal>(theta), arm, size,
                                                    size * kDescentShare, kCrossClearance);
    g->textLoc = PointAlong<double>(o, distance, theta);
    g->textAlignment = std::fabs(theta) < std::numbers::pi / 2 ? kStartStyle : kLimitStyle;
    if (AIErr err = RadialTextArt(group)) return err;
    if (drawArc == 1) {
        const AIRealPoint from = PointAlong<double>(o, r, theta + kArcHalfSweep);
        const AIRealPoint to = PointAlong<double>(o, r, theta - kArcHalfSweep);
        if (AIErr err = constructArcSegment(o, from, to, group, &g->dimensionLineStyle)) return err;
    }
    g->okToTrackCursorFlag = 1;
    return SetDimensionData(group, nullptr);
}

AIErr TangentArt(const CircleFit& fit, AIArtHandle group) {
    const int32_t keys = g->prefs.style.modifiers;
    const bool shift = (keys & kShiftBit) && !g->ignoreShift;
    const bool option = (keys & kOptionBit) != 0;
    const AIRealPoint p = fit.point;
    const double r = fit.radius, theta = fit.towardsCentre;
    if (shift || !option) {
        const AIRealPoint t1 = PointAlong<double>(p, r, theta + std::numbers::pi / 2);
        const AIRealPoint t2 = PointAlong<double>(p, r, theta - std::numbers::pi / 2);
        if (AIErr err = drawDimensionLine(t1, t2, group)) return err;
    }
    if (shift || option) {
        // The normal to the centre of curvature, or (ctrl) as long to the convex side.
        const AIRealPoint end = (keys & kCtrlBit) ? PointAlong<double>(p, -r, theta) : fit.centre;
        if (AIErr err = drawDimensionLine(end, p, group)) return err;
    }
    g->okToTrackCursorFlag = 1;
    return SetDimensionData(group, nullptr);
}

AIErr CurveRadius(int16_t drawArc) {
    CurvatureAtClick at;
    AIErr result = kNoErr;
    if (!Measure(&at, &result)) return result;
    FollowResizedClick(at.click, at.t);
    // The curve found where the cursor is may not be the press's art (a press beside it finds
    // none): its value is drawn at its own layer's scale, as the redraw takes it. A redraw or a
    // resize has taken the scale of the art the dimension is kept on.
    if (!g->updatingDimensions && !g->resizingDimension)
        if (AIErr err = LoadMeasuredArtScale(at.click.art, /*mend=*/false)) return DimensionOrNothing(g->group, err);
    return DimensionOrNothing(g->group, CurveRadiusArt(at.fit, drawArc, g->group));
}

AIErr Tangent() {
    CurvatureAtClick at;
    AIErr result = kNoErr;
    if (!Measure(&at, &result)) return result;
    return DimensionOrNothing(g->group, TangentArt(at.fit, g->group));
}

}  // namespace

AIErr doAutoCurveTool(int16_t drawArc) { return g ? CurveRadius(drawArc) : kCADErr; }
AIErr doTangentTool(int16_t) { return g ? Tangent() : kCADErr; }

AIErr CurveToolDrag() {
    if (AIErr err = ClickAtCursor()) return err;
    return doAutoCurveTool((g->prefs.style.modifiers & kCtrlBit) ? 0 : 1);
}

AIErr TangentToolMouseDown() {
    g->group = nullptr;  // the group a drag of this gesture draws, and no other, goes at the release
    return kNoErr;
}

AIErr TangentToolDrag() {
    if (AIErr err = ClickAtCursor()) return err;
    return doTangentTool(1);
}

AIErr TangentToolMouseUp() {
    if (g->group && sAIArt->ValidArt(g->group, false))
        if (AIErr err = sAIArt->DisposeArt(g->group)) return err;
    g->group = nullptr;
    if (g->toolWasDragged)
        if (AIErr err = ClickAtCursor()) return err;
    return doTangentTool(1);
}
