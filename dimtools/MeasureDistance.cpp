// The distance tool's drag and its message.
#include "dimtools/MeasureDistance.h"

#include <cmath>
#include <cstdio>

#include "AIHitTest.h"
#include "artwork/DrawingLayer.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/ClickChain.h"
#include "dimensions/MeasuringHit.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LabelParts.h"
#include "geometry/PointMath.h"
#include "units/LayerScales.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr int32_t kDistanceWord = 45, kScaleWord = 46;  // 17445, 17446
constexpr size_t kMessageSize = 512;

// p moved onto the anchor under it; any other hit leaves it. `on`, asked for of the press
// (art of a locked layer there refused), takes the art under p, a fill included (null for
// none).
AIErr SnapToAnchor(AIRealPoint* p, AIArtHandle* on = nullptr) {
    AIToolHitData data{};
    if (AIErr err = on ? HitPressedArt(*p, &data) : HitMeasuredArt(nullptr, *p, &data, kSnapHitRequest)) return err;
    if (data.hit && data.type == kSegAnchorType) *p = data.point;
    if (on) *on = data.hit && !InDimension(data.object) ? data.object : nullptr;
    return kNoErr;
}

// The distance is told at the scale of the layer the press lies on: that of the art pressed,
// else of the layer drawn on (the document's for the dimension layer), else the current
// scale. It is held for the read-out and the message only: the scale the tools draw at stays
// the drawing's.
AIErr HoldScaleOfPress(AIArtHandle pressed) {
    int32_t id = 0;
    AIReal scaler = g->prefs.scaler;
    char label[kScaleLabelSize] = {};
    CopyCString(label, g->prefs.scaleStr);
    if (pressed) {
        if (AIErr err = PeekZA3ObjectScale(pressed, &id, &scaler, label)) return err;
    } else if (g->saveLayer) {
        if (AIErr err = PeekZA3LayerScale(ScaleSourceLayer(g->saveLayer), &id, &scaler, label)) return err;
    }
    g->measuringScaler = scaler;
    CopyCString(g->measuringScaleStr, label);
    return kNoErr;
}

AIErr MeasureMouseUp() {
    g->didFirstClick = 0;
    if (AIErr err = sAIUndo->UndoChanges()) return err;
    const AIErr err = doMeasureDistanceDialog();
    g->measuringScaler = 0.0f;
    return err;
}

// A measurement stores nothing: no click chain, no dimension id; a release without a drag
// is refused (17004).
AIErr MeasureFamilyMouseUp(const PlotwiseToolRow& row) {
    if (!g->toolWasDragged) return RefuseClick(row, kClickAndDragMessage);
    return CallToolRoutine(row, &ToolRoutines::mouseUp);
}

}  // namespace

AIErr doMeasureDistanceTool() {
    if (!g) return kCADErr;
    if (AIErr err = PrepCADLayer()) return err;
    AIArtHandle pressed = nullptr;
    if (AIErr err = SnapToAnchor(&g->startingPoint, &pressed)) return err;
    if (AIErr err = HoldScaleOfPress(pressed)) return err;
    if (AIErr err = SnapToAnchor(&g->endPoint)) return err;
    const AIRealPoint a = g->startingPoint;
    const AIRealPoint b = LeaderKnee(a, g->endPoint, a);
    // In doubles, as a dimension between the two points measures them: the tracker and the
    // message show the distance as the dimension reads it.
    const double w = std::fabs(static_cast<double>(b.h) - a.h), h = std::fabs(static_cast<double>(b.v) - a.v);
    const double length = Distance<double>(a, b);
    if (auto update = PlotwiseService().updateTrackerWindow)
        if (AIErr err = update(b.h, b.v, w, h, w, h, kMissingValue, sAIRealMath->RadianToDegree(Angle(a, b)), length,
                               kMissingValue, kMissingValue))
            return err;
    g->MeasuredLinearDistance = length;
    g->MeasuredLinearError = DistanceError(a, b);
    return drawLine(a, b, g->group);
}

AIErr doMeasureDistanceDialog() {
    if (!g) return kNoErr;
    const preferences& p = g->prefs;
    char distance[256] = {};
    doScaleAndUnitsAt(MeasuringScaler(), g->MeasuredLinearDistance, distance, 1,
                      static_cast<int16_t>(p.CADtrackerUnits), static_cast<int16_t>(p.CADtrackerPrecision),
                      g->MeasuredLinearError);
    char distanceWord[kMessageSize] = {}, scaleWord[kMessageSize] = {}, scale[sizeof p.scaleStr] = {};
    GetPlotwiseString(kWordList, kDistanceWord, distanceWord, sizeof distanceWord);
    GetPlotwiseString(kWordList, kScaleWord, scaleWord, sizeof scaleWord);
    CopyCString(scale, MeasuringScaleLabel());
    char message[kMessageSize] = {};
    std::snprintf(message, sizeof message, "%s %s %s %s", distanceWord, distance, scaleWord, scale);
    sADMBasic->MessageAlert(message);
    return kNoErr;
}

const ToolFamilyRoutines kMeasureDistanceFamily{
    .mouseUp = &MeasureFamilyMouseUp,
    .flags = kFamilyDimensionTools,
};

const ToolRoutines kMeasureDistanceRoutines{nullptr, &doMeasureDistanceTool, &MeasureMouseUp, nullptr, nullptr};
