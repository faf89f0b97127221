// The set-scale tool's drag and the dialog it opens.
#include "panels/SetScaleTool.h"

#include <cmath>

#include "AIHitTest.h"
#include "artwork/DrawingLayer.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/MeasuringHit.h"
#include "drawtools/DrawToolSupport.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "panels/CustomScaleDialog.h"
#include "panels/PanelGlobals.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

// Moves the point onto the anchor under it, if any, passing over the parts of dimensions as
// every measuring click does; at the press, art of a locked layer there is refused.
AIErr SnapToAnchor(AIRealPoint* point, bool press) {
    AIToolHitData data{};
    if (AIErr err = press ? HitPressedArt(*point, &data, kSnapHitRequest)
                          : HitMeasuredArt(nullptr, *point, &data, kSnapHitRequest))
        return err;
    if (data.hit && data.type == kSegAnchorType) *point = data.point;
    return kNoErr;
}

}  // namespace

AIErr doSetScaleTool() {
    if (AIErr err = PrepCADLayer()) return err;
    if (AIErr err = SnapToAnchor(&g->startingPoint, true)) return err;
    if (AIErr err = SnapToAnchor(&g->endPoint, false)) return err;
    const AIRealPoint start = g->startingPoint;
    AIRealPoint end = g->endPoint;
    if (ShiftInForce()) {
        AIReal angle = sAIRealMath->AIRealPointAngle(&start, &g->endPoint);
        SetConstrainAngle(&angle);
        AIRealPoint offset{};
        sAIRealMath->AIRealPointLengthAngle(sAIRealMath->AIRealPointLength(&start, &g->endPoint), angle, &offset);
        end = {start.h + offset.h, start.v + offset.v};
    }
    const AIReal dx = std::abs(end.h - start.h), dy = std::abs(end.v - start.v);
    const AIReal length = sAIRealMath->AIRealPointLength(&start, &end);
    if (AIErr err = updateTrackerWindow(end.h, end.v, dx, dy, dx, dy, kMissingValue,
                                        RadiansToDegrees(sAIRealMath->AIRealPointAngle(&start, &end)), length,
                                        kMissingValue, kMissingValue))
        return err;
    g->setScaleClickedDistance = length;
    return drawLine(start, end, g->group);
}

AIErr doSetScaleDialog() { return RunCustomScaleDialog(); }
