// The pointer label tool: leg, knee, side and shelf, the leader, the text and its frame.
#include "dimtools/PointerLabels.h"

#include "AIHitTest.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionToolFamily.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LabelParts.h"
#include "dimtools/LabelShapes.h"
#include "dimtools/LeaderLines.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

bool HasShelf(int32_t kind) { return kind == kElbowLeader || kind == kMultipleLeader; }
// Ctrl mirrors the curves of these kinds instead of sending the label to the other side.
bool CurvedLeader(int32_t kind) { return kind == kArcLeader || kind == kKinkedLeader || kind == kWaveLeader; }

bool MultipleLeaders() { return g->prefs.style.labelLeader == kMultipleLeader; }

void RecordPointerClick(const PlotwiseToolRow& row, AIRealPoint p) { kDimensionToolFamily.recordClick(row, p); }

AIErr PointerMouseDown(const PlotwiseToolRow& row) {
    if (AIErr err = kDimensionToolFamily.mouseDown(row)) return err;
    if (MultipleLeaders()) g->curDimType = kMutiLeaderLabel;
    return KeepPressInBounds(g->lastChainDimDataPtr);
}

AIErr PointerMouseUp(const PlotwiseToolRow& row) {
    if (MultipleLeaders() && !g->toolWasDragged) return kNoErr;  // one more leg; the chain waits
    return kDimensionToolFamily.mouseUp(row);
}

}  // namespace

const ToolFamilyRoutines kPointerLabelFamily{
    .recordClick = &RecordPointerClick,
    .mouseDown = &PointerMouseDown,
    .mouseUp = &PointerMouseUp,
    .flags = kFamilyDimensionTools,
};

AIErr doPointerTool() {
    if (!g) return kCADErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    if (AIErr err = PrepDimensionLayer()) return err;
    AIArtHandle group = g->group;
    const Plotwise3_Live_Dimension_Data& style = g->prefs.style;

    // A redraw keeps its stored press and measures the art the label is stored on; the user's
    // press lands where its click is recorded, on art rather than on another dimension.
    AIArtHandle targetArt = g->updateArt;
    if (!g->updatingDimensions)
        if (AIErr err = SnapLabelPress(&g->startingPoint, kAllHitRequest, &targetArt)) return err;
    if (AIErr err = SnapLabelEnd(&g->endPoint, kSnapHitRequest)) return err;
    const AIRealPoint start = g->startingPoint;
    const AIRealPoint knee = LeaderKnee(start, g->endPoint, start);

    const int32_t kind = style.labelLeader;
    const bool ctrl = (style.modifiers & kLabelCtrlKey) != 0;
    const int16_t direction = LabelSide(start, knee, ctrl && !CurvedLeader(kind));
    const AIRealPoint end = HasShelf(kind) ? ShelfEnd(knee, direction) : knee;
    if (AIErr err = drawLeaderLine(start, knee, end, group, kind, 1)) return err;

    char text[1024] = {};
    TakeLabelText(text, targetArt);
    if (AIErr err = drawShape(end, direction, group, style.labelShape, Angle(start, end), text, nullptr))
        return err;
    return SetDimensionData(group, nullptr);
}

AIErr RedrawMultiLeaderLabel() {
    if (g && g->lastChainDimDataPtr) g->startingPoint = g->lastChainDimDataPtr->theLoc;
    return doPointerTool();
}
