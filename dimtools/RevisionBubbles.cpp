// Revision bubbles: the scallop outline, the two ways of placing it, and the tool's gestures.
#include "dimtools/RevisionBubbles.h"

#include <algorithm>
#include <cmath>

#include "AIHitTest.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseHitTest.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionToolFamily.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LabelParts.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kNearlyAFullTurn = 6.283138f;
constexpr AIReal kSixthTurn = kPi / 3, kThirdTurn = 2 * kPi / 3;
constexpr AIReal kHandleShare = 0.22f, kLongestHandle = 25.0f;
constexpr AIReal kCornerSpread = 1.414f;  // the ellipse through the box's corners
constexpr AIReal kObjectMargin = 5.0f;

// Scallops by the keys held while dragging, tested in this order; a click's bubble counts
// as plain.
struct Density {
    int32_t key;
    AIReal divisor;
    int16_t minimum;
};
constexpr Density kCommandDensity{kLabelCtrlKey, 16, 6};
constexpr Density kOptionDensity{kLabelOptionKey, 4, 24};
constexpr Density kPlainDensity{0, 8, 12};

Density DragDensity() {
    const int32_t keys = g->prefs.style.modifiers;
    for (const Density& d : {kCommandDensity, kOptionDensity})
        if (keys & d.key) return d;
    return kPlainDensity;
}

// The direction of the ellipse's tangent line at angle theta, in (-pi/2, pi/2].
AIReal TangentAngle(AIReal a, AIReal b, AIReal theta) { return std::atan(-b / (a * std::tan(theta))); }

// The bubble path of the outline inside the group, at its bottom, painted as dimension lines.
AIErr NewBubble(AIArtHandle group, AIRealPoint c, AIReal a, AIReal b, const Density& density) {
    const std::vector<AIPathSegment> outline =
        ScallopOutline(c, a, b, ScallopCount(a, b, density.divisor, density.minimum));
    AIArtHandle path = nullptr;
    if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceInsideOnBottom, group, &path)) return err;
    if (AIErr err = sAIPathStyle->SetPathStyle(path, &g->dimensionLineStyle)) return err;
    const auto n = static_cast<int16_t>(outline.size());
    if (AIErr err = sAIPath->SetPathSegmentCount(path, n)) return err;
    if (AIErr err = sAIPath->SetPathSegments(path, 0, n, outline.data())) return err;
    return sAIPath->SetPathClosed(path, true);
}

// A bubble dragged in empty space keeps its clicks on a carrier of its own: an unpainted
// two-point path at the press inside the bubble's group, which a move of the group takes
// along.
AIErr AddCarrier(cdDataStruct* node, AIArtHandle group) {
    AIArtHandle carrier = nullptr;
    if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &carrier)) return err;
    AIPathStyle unpainted = g->dimensionLineStyle;
    unpainted.fillPaint = unpainted.strokePaint = false;
    if (AIErr err = sAIPathStyle->SetPathStyle(carrier, &unpainted)) return err;
    const AIPathSegment ends[] = {CornerAnchor(node->theLoc), CornerAnchor(node->theLoc)};
    if (AIErr err = sAIPath->SetPathSegments(carrier, 0, 2, ends)) return err;
    node->art = carrier;
    node->clickType = kLiveDimClickedSegmentPoint;
    node->segNumBefore = node->segNumAfter = 0;
    return kNoErr;
}

// The first corner of a bubble being dragged: pressed on art, the press where its stored
// click finds it again (as a redraw does); elsewhere snapped onto the art under it.
AIErr FirstCorner() {
    const cdDataStruct* node = g->firstChainDimDataPtr;
    if (g->updatingDimensions || !node || !node->art) return SnapLabelPoint(&g->firstClick, kSnapHitRequest);
    return RelocateDimensionClick(ClickOfNode(*node), &g->firstClick);
}

AIErr BubbleMouseUp() {
    if (!g->toolWasDragged) {
        g->curDimType = kRevisionBubbleObject;
        const AIErr err = doBubbleTextTool();
        g->didFirstClick = 0;
        return err;
    }
    // A dragged bubble is redrawn as it was dragged. Pressed on art, its clicks are kept on
    // that art, so it moves with the art; pressed in empty space, on a carrier of its own.
    g->curDimType = kRevisionBubbleDrag;
    cdDataStruct* node = g->firstChainDimDataPtr;
    AIArtHandle group = g->dimGroup;
    if (!node || !group || !sAIArt->ValidArt(group, false)) return kNoErr;
    // The drag record reaches the other corner its last drag snapped and drew from the first.
    node->theLoc = g->firstClick;
    return node->art ? kNoErr : AddCarrier(node, group);
}

AIErr BubbleMouseDown() { return KeepPressInBounds(g->lastChainDimDataPtr); }

void RecordBubbleClick(const PlotwiseToolRow& row, AIRealPoint p) { kDimensionToolFamily.recordClick(row, p); }
AIErr BubbleFamilyMouseDown(const PlotwiseToolRow& row) { return kDimensionToolFamily.mouseDown(row); }

// The bubble has no text, so the completion gives back whatever label counter it moved.
AIErr BubbleFamilyMouseUp(const PlotwiseToolRow& row) {
    preferences& p = g->prefs;
    const int32_t alpha = p.incrementalLabelAlpha, number = p.incrementalLabelNumber;
    const AIErr err = kDimensionToolFamily.mouseUp(row);
    p.incrementalLabelAlpha = alpha;
    p.incrementalLabelNumber = number;
    return err;
}

}  // namespace

int16_t ScallopCount(AIReal a, AIReal b, AIReal divisor, int16_t minimum) {
    const AIReal share = std::sqrt(a * a + b * b) / divisor;
    if (!(share > minimum)) return minimum;  // also a bubble of no size
    return static_cast<int16_t>(std::min(std::ceil(share), 32767.0f));
}

std::vector<AIPathSegment> ScallopOutline(AIRealPoint c, AIReal a, AIReal b, int16_t n) {
    std::vector<AIPathSegment> outline;
    if (n <= 0) return outline;
    outline.reserve(static_cast<size_t>(n));
    const AIReal step = kNearlyAFullTurn / static_cast<AIReal>(n);
    AIReal theta = 0;
    for (int16_t k = 0; k < n; ++k) {
        theta += step;
        const AIReal sin = std::sin(theta), cos = std::cos(theta);
        const AIRealPoint p{c.h + a * cos, c.v + b * sin};
        const AIReal h = std::min(kHandleShare * std::sqrt(a * a * sin * sin + b * b * cos * cos), kLongestHandle);
        if (!(h > 0)) {
            // No speed, no tangent: the handles stay on the anchor.
            outline.push_back(CornerAnchor(p));
            continue;
        }
        const AIReal phi = TangentAngle(a, b, theta);
        const bool upper = theta < kPi;
        const AIReal in = upper ? phi + kSixthTurn : phi - kThirdTurn;
        const AIReal out = upper ? phi + kThirdTurn : phi - kSixthTurn;
        outline.push_back(CornerAnchor(p, PointAlong(p, h, in), PointAlong(p, h, out)));
    }
    return outline;
}

AIErr doBubbleDragTool() {
    if (!g) return kCADErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    if (AIErr err = PrepDimensionLayer()) return err;
    AIArtHandle group = g->group;
    // A redraw takes the corners the bubble was drawn with (the carrier's and the drag
    // record's): snapped again, they could find art drawn since.
    if (SnapsLabelEnd()) {
        if (AIErr err = FirstCorner()) return err;
        if (AIErr err = SnapLabelPoint(&g->endPoint, kSnapHitRequest)) return err;
    }
    const AIRealPoint a = g->firstClick, e = g->endPoint;
    AIReal width = std::fabs(a.h - e.h), height = std::fabs(a.v - e.v);
    if ((g->prefs.style.modifiers & kLabelShiftKey) && !g->ignoreShift)
        width = height = sAIRealMath->AIRealPointLength(&a, &e) / kCornerSpread;
    const AIRealPoint centre{a.h + (e.h - a.h) / 2, a.v + (e.v - a.v) / 2};
    if (AIErr err = NewBubble(group, centre, width / 2 * kCornerSpread, height / 2 * kCornerSpread, DragDensity()))
        return err;
    return SetDimensionData(group, nullptr);
}

AIErr doBubbleTextTool() {
    if (!g) return kCADErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    // The click lands where it is stored, passing over other dimensions' parts, so the
    // bubble rings the art its redraw rings.
    AIArtHandle hitArt = nullptr;
    AIRealPoint click = g->firstClick;
    if (AIErr err = SnapLabelPress(&click, kAllHitRequest, &hitArt)) return err;
    if (!hitArt && !g->updatingDimensions) return doArtMustBeClickedErrorDialog();
    g->art = g->updatingDimensions ? g->updateArt : hitArt;
    AIRealRect r{};
    if (AIErr err = sAIArt->GetArtBounds(g->art, &r)) return err;
    sAIRealMath->AIRealRectInset(&r, -kObjectMargin, -kObjectMargin);
    if (AIErr err = PrepDimensionLayer()) return err;
    AIArtHandle group = g->group;
    const AIRealPoint centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const AIReal a = (r.right - r.left) / 2 * kCornerSpread, b = (r.top - r.bottom) / 2 * kCornerSpread;
    if (AIErr err = NewBubble(group, centre, a, b, kPlainDensity)) return err;
    return SetDimensionData(group, nullptr);
}

AIErr RedrawDragBubble() {
    if (AIErr err = doBubbleDragTool()) return err;
    AIArtHandle carrier = g->updateArt;
    if (!g->updatingDimensions || !carrier || !isDimensionPart(carrier)) return kNoErr;
    return sAIArt->ReorderArt(carrier, kPlaceInsideOnTop, g->group);
}

const ToolFamilyRoutines kRevisionBubbleFamily{
    .recordClick = &RecordBubbleClick,
    .mouseDown = &BubbleFamilyMouseDown,
    .mouseUp = &BubbleFamilyMouseUp,
    .flags = kFamilyDimensionTools,
};

const ToolRoutines kRevisionBubbleRoutines{&BubbleMouseDown, &doBubbleDragTool, &BubbleMouseUp, nullptr,
                                          &doFreeHitLocs};
