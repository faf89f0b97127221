// The set-scale tool's drag and the dialog it opens.
#include "panels/SetScaleTool.h"

#include <cmath>

#include "AIHitTest.h"
#include "artwork/DrawingLayer.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/DrawToolSupport.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "panels/CustomScaleDialog.h"
#include "panels/PanelGlobals.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

// Moves the point onto the anchor under it, if any.
AIErr SnapToAnchor(AIRealPoint* point) {
    AIHitRef hit = nullptr;
    if (AIErr err = sAIHitTest->HitTest(nullptr, point, kSnapHitRequest, &hit)) return err;
    AIToolHitData data{};
    const AIErr err = sAIHitTest->GetHitData(hit, &data);
    if (!err && data.hit && data.type == kSegAnchorType) *point = data.point;
    sAIHitTest->Release(hit);
    return err;
}

}  // namespace

AIErr doSetScaleTool() {
    if (AIErr err = PrepCADLayer()) return err;
    if (AIErr err = SnapToAnchor(&g->startingPoint)) return err;
    if (AIErr err = SnapToAnchor(&g->endPoint)) return err;
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
