// The dimension tool family's shared steps: recording a click at mouse down, completing the
// gesture at mouse up, and storing the finished dimension's clicks on the art it measures.
#include "dimensions/DimensionToolFamily.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "artwork/ArtSelection.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "core/UserLayer.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionPaint.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"
#include "geometry/CounterText.h"
#include "geometry/PointMath.h"
#include "artwork/LabelCounters.h"
#include "units/LayerScales.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr int32_t kAxonometricArtMessage = 57;  // 17057: made with the axonometric tools
constexpr AIReal kAxisAMarker = 100.0f;
constexpr AIReal kAxisBMarker = -100.0f;
// Below this share of a unit step an axis carries too little of the offset to rebuild it.
constexpr AIReal kSmallestCarry = 1e-3f;

// The gesture made a live dimension: its group is still in the document and carries a
// style record.
bool MadeLiveDimension() {
    AIArtHandle group = g->dimGroup;
    return group && sAIArt->ValidArt(group, false) && IsDimension(group);
}

// Whether the art holds a text: a dimension without one (a centre line or mark) shows no
// letter or number, so it moves no counter.
bool HoldsText(AIArtHandle art) {
    int16_t type = 0;
    if (sAIArt->GetArtType(art, &type) != kNoErr) return false;
    if (type == kTextFrameArt) return true;
    AIArtHandle child = nullptr;
    if (type != kGroupArt || sAIArt->GetArtFirstChild(art, &child) != kNoErr) return false;
    while (child) {
        if (HoldsText(child)) return true;
        if (sAIArt->GetArtSibling(child, &child) != kNoErr) return false;
    }
    return false;
}

// The flat offset a step along angle carries in the coordinate that matters.
AIReal Carried(const depth_object_data* face, const AIRealPoint& from, AIReal angle, bool alongH) {
    const AIRealPoint to = PointAlong(from, 1.0f, angle);
    AIRealPoint a{}, b{};
    invertAxonometricPoint(face, &from, &a);
    invertAxonometricPoint(face, &to, &b);
    return alongH ? b.h - a.h : b.v - a.v;
}

// The kinds whose routines snap the drag end onto art and leave it in endPoint: their drag
// record keeps that end, so a redraw need not snap it again and find art drawn since.
bool KeepsDrawnEnd(int32_t kind) {
    switch (kind) {
        case kSection:
        case kCenterLine:
        case kIsoCenterLine:
        case kCharLabel:
        case kWordLabel:
        case kMutiLeaderLabel:
        case kDatumFlag:
        case kDatumFeature:
        case kDatumTarget:
        case kRevisionBubbleDrag:
        case kCallouts: return true;
        default: return false;
    }
}

// The drag record's offset of the dimension in hand, its first click `first`, ending at `end`.
void DragOffset(const cdDataStruct& first, const AIRealPoint& end, AIReal* length, AIReal* angle) {
    const bool axonometric = g->drawingAxoDimension && first.art && IsAxonometricArt(first.art);
    DragRecordOffset(first.theLoc, end, axonometric ? &first.theDepthData : nullptr, g->axoDimType, length, angle);
}

// The click record of one node, to be stored on `holder` (its art, or for a click in empty
// space the art that keeps it).
Plotwise3_dimensioned_object_data RecordOf(const cdDataStruct& node, int32_t clickNum, AIArtHandle holder) {
    Plotwise3_dimensioned_object_data r = ClickOfNode(node);
    r.id = g->curDimID;
    r.used = 0;
    r.clickNum = clickNum;
    r.dimType = g->curDimType;
    r.faceNotRead = node.theDepthData.face == kAxoNoFace && IsAxonometricArt(holder) ? 1 : 0;
    return r;
}

AIErr StoreClickRecords(const PlotwiseToolRow& row) {
    const cdDataStruct* first = g->firstChainDimDataPtr;
    AIArtHandle holder = nullptr;  // where a click in empty space is kept
    for (const cdDataStruct* n = first; n && !holder; n = n->nextPtr) holder = n->art;
    if (!holder) return kNoErr;  // nothing measured: nothing to follow
    const bool pairs = (row.flags & kToolTwoChainNodes) != 0;
    int32_t clickNum = 0;
    for (const cdDataStruct* n = first; n; n = n->nextPtr) {
        AIArtHandle art = n->art ? n->art : holder;
        Plotwise3_dimensioned_object_data r = RecordOf(*n, ++clickNum, art);
        if (DragIsTheClick(r.dimType)) r.x = r.y = 0;  // the anchor or piece and t say where
        if (AIErr err = SetDimensionedObjectData(art, &r)) return err;
        if (pairs && n->nextPtr) n = n->nextPtr;  // the second node of a click is the same click
    }
    if (!g->toolWasDragged || DragIsTheClick(g->curDimType)) return kNoErr;
    AIArtHandle dragHolder = first->art ? first->art : holder;
    Plotwise3_dimensioned_object_data drag = RecordOf(*first, -1, dragHolder);
    if (g->curDimType == kRadius || g->curDimType == kDiameter) {
        // A radius or diameter is redrawn from the centre of its circle: its routine left the
        // leader's end as an offset from there.
        drag.endPointOffsetLength = g->radialDimOnFace ? g->axoDimOffset : g->radialDimOffsetLength;
        drag.endPointOffsetAngle = g->axoDimAngle;
    } else {
        drag.endAsDrawn = KeepsDrawnEnd(g->curDimType) ? 1 : 0;
        DragOffset(*first, drag.endAsDrawn ? g->endPoint : g->dragPoint, &drag.endPointOffsetLength,
                   &drag.endPointOffsetAngle);
    }
    return SetDimensionedObjectData(dragHolder, &drag);
}

// The dimension in progress is drawn at the scale its redraw will take: that of the layer of
// the art an update leads with, the first the host lists of the art its clicks are kept on
// (a click in space is kept on the art of the first click on art). With no click on art
// there is nothing to redraw it from, and the current layer's scale stands. Read only: a
// press stores nothing, so one that is refused leaves the drawing as it was.
AIErr LoadDimensionScale() {
    cdDataStruct* known = g->lastChainDimDataPtr;
    while (known && !known->leadKnown) known = known->prevPtr;
    AIArtHandle lead = known ? known->leadArt : nullptr;
    if (lead && !sAIArt->ValidArt(lead, false)) {  // gone since: worked out again from the first click
        known = nullptr;
        lead = nullptr;
    }
    for (cdDataStruct* n = known ? known->nextPtr : g->firstChainDimDataPtr; n; n = n->nextPtr) {
        AIArtHandle art = n->art && sAIArt->ValidArt(n->art, false) ? n->art : nullptr;
        bool before = art && !lead;
        if (art && lead)
            if (AIErr err = ArtListedBefore(art, lead, &before)) return err;
        if (before) lead = art;
        n->leadArt = lead;
        n->leadKnown = true;
    }
    if (lead) return LoadMeasuredArtScale(lead, /*mend=*/false);
    (void)LoadDrawingLayerScale(g->saveLayer);
    return kNoErr;
}

// A gesture that could not be completed leaves nothing: what it drew goes, and so does every
// click it stored before the failure.
void TakeBackDimension() {
    // What the last drag drew (the group, a dimension layer it made, the selection it
    // dropped) goes as that drag's own undo takes it back.
    (void)sAIUndo->UndoChanges();
    if (sAIArt->ValidArt(g->dimGroup, false)) (void)sAIArt->DisposeArt(g->dimGroup);
    g->dimGroup = nullptr;
    const int32_t id = g->curDimID;
    for (const cdDataStruct* n = g->firstChainDimDataPtr; n; n = n->nextPtr)
        if (n->art && sAIArt->ValidArt(n->art, false))
            (void)RemoveDimensionLinks(n->art, [id](int32_t linkId) { return linkId == id; });
}

// A click on art that has gone since (deleted, or undone between the clicks) leaves nothing
// to measure: the drag is refused then, in words, rather than with the host's answer to a
// routine that reads the art.
AIErr RefuseClickOnArtGone() {
    for (const cdDataStruct* n = g->firstChainDimDataPtr; n; n = n->nextPtr) {
        if (!n->art || sAIArt->ValidArt(n->art, false)) continue;
        char heading[512] = {};
        GetPlotwiseString(kMessageList, kStaleNote, heading, sizeof heading);
        const std::string text = std::string(heading) + " " + (g->workInHand.empty() ? "Plotwise" : g->workInHand);
        return doPlotwiseErrorDialog(text.c_str());
    }
    return kNoErr;
}

}  // namespace

void DragRecordOffset(const AIRealPoint& first, const AIRealPoint& drag, const depth_object_data* face,
                      int32_t direction, AIReal* length, AIReal* angle) {
    const AIReal dh = drag.h - first.h, dv = drag.v - first.v;
    *length = std::sqrt(dh * dh + dv * dv);
    *angle = *length > 0 ? std::atan2(dv, dh) : 0.0f;
    if (!face || (direction != kHorizontal && direction != kVertical)) return;
    const bool alongH = direction == kVertical;  // a vertical dimension's line lies at a flat h
    AIRealPoint a{}, b{};
    invertAxonometricPoint(face, &first, &a);
    invertAxonometricPoint(face, &drag, &b);
    const AIReal wanted = alongH ? b.h - a.h : b.v - a.v;
    const iso_view& view = g->prefs.isoView;
    const AIReal carriedA = Carried(face, first, view.a, alongH);
    const AIReal carriedB = Carried(face, first, view.b - kPi, alongH);
    const bool useA = std::fabs(carriedA) >= std::fabs(carriedB);
    const AIReal carried = useA ? carriedA : carriedB;
    if (!(std::fabs(carried) >= kSmallestCarry)) return;
    *length = wanted / carried;
    *angle = useA ? kAxisAMarker : kAxisBMarker;
}

AIRealPoint DragEndAsRedrawn(const AIRealPoint& drag) {
    const cdDataStruct* first = g ? g->firstChainDimDataPtr : nullptr;
    const int32_t kind = g ? g->curDimType : kDummyDimType;
    if (!first || g->updatingDimensions || g->resizingDimension || g->UsingMagicDims || DragIsTheClick(kind) ||
        KeepsDrawnEnd(kind) || kind == kRadius || kind == kDiameter)
        return drag;
    AIReal length = 0, angle = 0;
    DragOffset(*first, drag, &length, &angle);
    // The first click as the redraw finds it again on its art.
    AIRealPoint from = first->theLoc;
    if (first->art && RelocateDimensionClick(ClickOfNode(*first), &from) != kNoErr) from = first->theLoc;
    return EndOfDragRecord(from, length, angle, first->art && IsAxonometricArt(first->art));
}

AIErr DimensionToolMouseDown(const PlotwiseToolRow& row) {
    if (!g) return kCADErr;
    // A new dimension starts from an empty chain, whatever an abandoned one left.
    if (g->clickNum <= 1)
        if (AIErr err = doFreeHitLocs()) return err;
    g->curDimType = row.dimensionKind;
    g->dimGroup = nullptr;
    if ((row.flags & kToolChainClicks) && g->lastChainDimDataPtr)
        CopyCString(g->lastChainDimDataPtr->textData.dimStr, g->theText);
    if (AIErr err = setPathAndArrowheadStyles()) return err;
    AIErr err = doStoreHitLoc((row.flags & kToolTwoChainNodes) ? "1" : nullptr);
    if (!err && (row.flags & kToolTwoChainNodes)) err = doStoreHitLoc("A");
    if (err) {
        // A refused click resets the click state: no node of it may remain.
        if (!g->didFirstClick) doFreeHitLocs();
        return err;
    }
    const cdDataStruct* node = g->lastChainDimDataPtr;
    AIArtHandle art = node ? node->art : nullptr;
    // Art an older version tagged as axonometric is measured by the axonometric tools only:
    // flat ones would measure its projection. The gesture ends with no click of it kept.
    if (art && !(row.flags & kToolAxonometricClicks) && IsPerspectiveArt(art)) {
        const AIErr refused = ShowCoreMessage(kAxonometricArtMessage);
        doFreeHitLocs();
        return refused;
    }
    if (!CurrentDocumentStamp(&g->dimensionGestureStart)) g->dimensionGestureStart = {};
    if (g->clickNum <= 1) g->dimAxoArt = art && IsAxonometricArt(art) ? art : nullptr;
    if (AIErr e = LoadDimensionScale()) return e;
    return getPlatformCurrentTextSizeAndLeading(&g->textSize, &g->textLeading);
}

AIErr DimensionToolDrag(const PlotwiseToolRow& row, AIRealPoint) {
    if (!g) return kNoErr;
    if (AIErr err = RefuseClickOnArtGone()) return err;
    const AIArtHandle before = g->group;
    const AIErr err = CallToolRoutine(row, &ToolRoutines::drag);
    if (err && g->group != before) {
        if (g->group && sAIArt->ValidArt(g->group, false)) sAIArt->DisposeArt(g->group);
        g->group = nullptr;
    }
    return err;
}

AIErr DimensionToolComplete(const PlotwiseToolRow& row) {
    if (!g) return kCADErr;
    AIErr err = kNoErr;
    if (MadeLiveDimension() && !DrawnOnCanvas(g->dimGroup)) {
        // Art past the canvas is no drawing a redraw could keep: it is not drawn, in words.
        NoteForUser(kPastCanvasNotDrawnNote, DimensionName(g->dimGroup, g->curDimType));
        TakeBackDimension();
        err = kCADErr;
    } else if (MadeLiveDimension()) {
        err = StoreClickRecords(row);
        if (err) {
            // The art it measures is gone (deleted between the clicks, say) or holds a click
            // record that cannot be written to: the user is told the gesture was not
            // completed, and it leaves no dimension of nothing.
            TakeBackDimension();
        } else if (HoldsText(g->dimGroup)) {
            if (g->labelToolSelected)
                UpdateIncrementalLabelInfo();
            else
                UpdateIncrementalInfo();
        }
    }
    if (AIErr freed = doFreeHitLocs(); freed && !err) err = freed;
    return err;
}

namespace {

// The id of the dimension a gesture makes: the next above the counter; once the ids above
// have run out, the lowest free one its first click picks, kept to the release (by then the
// gesture's own preview holds it).
AIErr PickGestureDimensionId(bool firstClick) {
    const bool keep = !firstClick && g->prefs.style.id == std::numeric_limits<int32_t>::max() && g->curDimID != 0;
    return keep ? kNoErr : IdForNewDimension(&g->curDimID);
}

void RecordDimensionClick(const PlotwiseToolRow&, AIRealPoint p) {
    RecordChainClick(p);
    (void)PickGestureDimensionId(g->clickNum == 1);  // a failure shows at the release, which picks again
}

AIErr DimensionMouseUp(const PlotwiseToolRow& row) {
    const bool dragged = g->toolWasDragged != 0;
    if (!dragged && (row.flags & kToolTwoClicksThenDrag)) {
        if (g->clickNum < 2) return kNoErr;  // waiting for the second click
        return RefuseClick(row, kTwoClicksThenDragMessage);
    }
    if (!dragged && (row.flags & kToolNeedsDrag)) return RefuseClick(row, kClickAndDragMessage);
    // A click of a chaining tool is one more point of the dimension in progress.
    if (!dragged && (row.flags & kToolChainClicks)) return kNoErr;
    if (AIErr err = PickGestureDimensionId(false)) return err;
    if (g->curDimID == 0) return RefuseClick(row, kNoFreeDimensionIdMessage);
    g->prefs.style.id = std::max(g->prefs.style.id, g->curDimID);
    AIErr err = CallToolRoutine(row, &ToolRoutines::mouseUp);
    if (!err) err = DimensionToolComplete(row);
    ClearClicks();
    if (AIErr e = CallToolRoutine(row, &ToolRoutines::freeClicks); e && !err) err = e;
    if (AIErr e = RestoreSaveLayer(); e && !err) err = e;
    // What the gesture added (the dimension, its click records) changes no layer. The
    // highest id is the one it took, for the drawing as it is now; an undo back to where the
    // gesture began finds the one it had then, without a walk of the drawing.
    if (g->dimensionGestureStart.document) {
        g->dimensionLayers.Kept(g->dimensionGestureStart);
        g->highestDimensionIds.Changed(g->dimensionGestureStart, g->prefs.style.id);
    }
    return err;
}

}  // namespace

const ToolFamilyRoutines kDimensionToolFamily{
    .recordClick = &RecordDimensionClick,
    .mouseDown = &DimensionToolMouseDown,
    .drag = &DimensionToolDrag,
    .mouseUp = &DimensionMouseUp,
    .flags = kFamilyDimensionTools,
};
