// The callout's leg, side, shelf, leader and text.
#include "dimtools/CalloutDrawing.h"

#include "AIHitTest.h"
#include "core/PlotwiseStrings.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionStorage.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LabelParts.h"
#include "dimtools/LabelShapes.h"
#include "dimtools/LeaderLines.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr size_t kMeasuredText = 511;

bool HasShelf(int32_t kind) { return kind == kElbowLeader || kind == kMultipleLeader || kind == kWaveLeader; }
// Ctrl leaves these on their side.
bool KeepsItsSide(int32_t kind) { return kind == kArcLeader || kind == kKinkedLeader; }

}  // namespace

AIErr DrawCallout() {
    if (!g) return kCADErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    if (AIErr err = PrepDimensionLayer()) return err;
    AIArtHandle group = g->group;
    if (AIErr err = SnapLabelPress(&g->startingPoint, kSnapHitRequest)) return err;
    if (AIErr err = SnapLabelEnd(&g->endPoint, kSnapHitRequest)) return err;
    const Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    const AIRealPoint start = g->startingPoint;
    const AIRealPoint knee = LeaderKnee(start, g->endPoint, start);
    const int32_t kind = style.labelLeader;
    const bool flip = (style.modifiers & kLabelCtrlKey) != 0 && !KeepsItsSide(kind);
    const int16_t direction = LabelSide(start, knee, flip);
    const AIRealPoint end = HasShelf(kind) ? ShelfEnd(knee, direction) : knee;
    if (AIErr err = drawLeaderLine(start, knee, end, group, kind, 1)) return err;
    char text[kMeasuredText + 1] = {};
    if (const cdDataStruct* node = g->firstChainDimDataPtr) CopyCString(text, node->textData.dimStr);
    if (AIErr err = drawShape(end, direction, group, kNoFrame, Angle(start, end), text, nullptr)) return err;
    return SetDimensionData(group, nullptr);
}
