// The click chain: the mouse-down's recorder with its hit test, anchor and grid snap,
// axonometric checks and node text; the redraw's ordered insertion; emptying the chain; and
// the axonometric record of the plane beside a face.
#include "dimensions/ClickChain.h"

#include <cstdio>

#include "axonometric/AxonometricProjection.h"
#include "axonometric/AxonometricUpdate.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseBlocks.h"
#include "core/PlotwiseHitTest.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/MeasuringHit.h"
#include "geometry/AxonometricMath.h"
#include "geometry/BezierGeometry.h"
#include "geometry/PlotwiseErrors.h"
#include "geometry/PointMath.h"
#include "artwork/LabelCounters.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr AIReal kAnchorSnap = 2.0f;
constexpr AIReal kUnmovedReach = 1e-3f;  // a click's point at its t this near its drawn point is that point
constexpr int32_t kNoBezierPointMessage = 23;  // 17023
constexpr int32_t kNotOnAxonometricArtMessage = 54;   // 17054
constexpr int32_t kDifferentFacesMessage = 56;        // 17056
constexpr int32_t kLabelLettersFormat = 0, kLabelNumbersFormat = 1;
constexpr int32_t kDimLettersFormat = 1, kDimNumbersFormat = 2;

bool Close(const AIRealPoint& a, const AIRealPoint& b) { return sAIRealMath->AIRealPointClose(&a, &b, kAnchorSnap); }

AIErr Anchor(AIArtHandle path, int16_t index, AIRealPoint* p) {
    AIPathSegment segment{};
    if (AIErr err = sAIPath->GetPathSegments(path, index, 1, &segment)) return err;
    *p = segment.p;
    return kNoErr;
}

// A hit on an anchor snaps to the anchor itself or the anchor before it when within 2
// points (segment 0 pairs the last anchor with anchor 0), else to the grid, else to the
// hit point; the node records which anchor it took. The anchor hit comes first, so that a
// click on it stays there where the anchor before lies within 2 points (a small fillet).
AIErr SnapToAnchor(const AIToolHitData& hit, const AIRealPoint& click, AIRealPoint* loc, cdDataStruct* node) {
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(hit.object, &count)) return err;
    if (count <= 0) return kNoErr;
    const int16_t s = hit.segment;
    const int16_t before = s == 0 ? static_cast<int16_t>(count - 1) : static_cast<int16_t>(s - 1);
    AIRealPoint a{}, b{};
    if (AIErr err = Anchor(hit.object, before, &a)) return err;
    if (AIErr err = Anchor(hit.object, s, &b)) return err;
    node->clickType = kLiveDimClickedSegmentPoint;
    if (Close(b, hit.point)) {
        *loc = b;
        node->segNumBefore = node->segNumAfter = s;
    } else if (Close(a, hit.point)) {
        *loc = a;
        node->segNumBefore = node->segNumAfter = before;
    } else {
        AIRealPoint snapped = click;
        auto snap = PlotwiseService().snapToGridCheckAxonometric;
        *loc = snap && snap(&snapped) ? snapped : hit.point;
        node->segNumBefore = node->segNumAfter = s;
    }
    return kNoErr;
}

// Where on the art a click lies, as its click record will say: on a curve by its segments
// and parameter (the closing piece starting at the last anchor, -1), in a fill by its
// fractions of the bounds, elsewhere by the point. A click beside a curve, within the hit's
// reach, is taken on the curve where the record finds it again, so the redraw measures
// what was drawn.
AIErr DescribeHit(const AIToolHitData& hit, AIRealPoint* loc, cdDataStruct* node) {
    node->x = loc->h;
    node->y = loc->v;
    switch (hit.type) {
        case kSegCurveType: {
            Plotwise3_dimensioned_object_data click{};
            click.art = hit.object;
            click.x = loc->h;
            click.y = loc->v;
            click.clickType = node->clickType = kLiveDimClickedPath;
            click.segNumAfter = node->segNumAfter = hit.segment;
            click.segNumBefore = node->segNumBefore = hit.segment == 0 ? -1 : hit.segment - 1;
            click.t = node->t = hit.t;
            if (AIErr err = RelocateDimensionClick(click, loc)) return err;
            node->x = loc->h;
            node->y = loc->v;
            return kNoErr;
        }
        case kFillHitType: {
            AIRealRect r{};
            if (AIErr err = GetUnstrokedArtBounds(hit.object, &r)) return err;
            node->clickType = kLiveDimClickedFill;
            const AIReal w = r.right - r.left, h = r.top - r.bottom;
            node->x = w != 0 ? (loc->h - r.left) / w : 0;
            node->y = h != 0 ? (loc->v - r.top) / h : 0;
            return kNoErr;
        }
        case kTextHitType: node->clickType = kLiveDimClickedText; return kNoErr;
        default: node->clickType = kLiveDimClickedSpace; return kNoErr;
    }
}

// A stored segment number as an anchor index of a path of count anchors (-1: the last).
bool AnchorIndex(int32_t stored, int16_t count, int16_t* index) {
    int16_t i = static_cast<int16_t>(stored);
    if (i == -1) i = static_cast<int16_t>(count - 1);
    if (i < 0 || i >= count) return false;
    *index = i;
    return true;
}

bool AxonometricTool() {
    const PlotwiseToolRow* row = FindToolRow(g->curTool);
    return row && (row->flags & kToolAxonometricClicks);
}

// The three axonometric records of art: its own and those of the planes beside its face.
AIErr ReadDepthRecords(AIArtHandle art, cdDataStruct* node) {
    if (AIErr err = GetAxonometricData(art, &node->theDepthData)) return err;
    // The planes beside the face are a help to perpendicular dimensions only.
    (void)GetPerpendicularDimData(art, node->theDepthData.face, 1, &node->perpendicularHData);
    (void)GetPerpendicularDimData(art, node->theDepthData.face, 0, &node->perpendicularVData);
    return kNoErr;
}

// The first click re-expressed on the face of a later one.
AIErr ExpressOnFace(cdDataStruct* first, const cdDataStruct& clicked) {
    if (AIErr err = invertAxonometricPoint(&clicked.theDepthData, &first->theLoc, &first->flatLoc)) return err;
    first->theDepthData = clicked.theDepthData;
    first->perpendicularHData = clicked.perpendicularHData;
    first->perpendicularVData = clicked.perpendicularVData;
    return kNoErr;
}

// The second or later click of an axonometric dimension on another face than the first:
// the first click must lie on the newly clicked art too, and is re-expressed on its face.
AIErr MoveFirstClickOntoFace(AIArtHandle art, const cdDataStruct& clicked) {
    cdDataStruct* first = g->firstChainDimDataPtr;
    if (!first) return kNoErr;
    AIToolHitData hit{};
    {
        HitRef ref;
        if (AIErr err = ref.Test(art, first->theLoc, &hit)) return err;
    }
    if (!hit.hit) {
        const AIErr refused = ShowCoreMessage(kDifferentFacesMessage);
        doFreeHitLocs();  // the click state is reset: no earlier node may outlive it
        return refused;
    }
    return ExpressOnFace(first, clicked);
}

// The node's text record by the kind of tool and the style's text format.
void PresetText(cdDataStruct* node, const char* text) {
    live_dimension_text_data& t = node->textData;
    const preferences& p = g->prefs;
    t.id = 0;
    t.calloutStr[0] = '\0';
    t.next = nullptr;
    if (!g->labelToolSelected) {
        const int32_t format = p.style.dimensionFormat;
        t.dimensionFormat = format;
        t.alpha = format == kDimLettersFormat ? p.incrementalDimAlpha : -1;
        t.numeric = format == kDimNumbersFormat ? p.incrementalDimNumber : -1;
        if (format == kDimLettersFormat)
            CopyCString(t.dimStr, GetAlphaLabelText(static_cast<int16_t>(t.alpha)).c_str());
        else if (format == kDimNumbersFormat)
            std::snprintf(t.dimStr, sizeof t.dimStr, "%d", static_cast<int>(t.numeric));
        else
            CopyCString(t.dimStr, p.customDimDefaultText);
        CopyCString(t.customStr, p.customDimDefaultText);
        return;
    }
    t.dimensionFormat = p.style.labelFormat;
    if (text) {
        t.alpha = t.numeric = -1;
        CopyCString(t.dimStr, text);
        CopyCString(t.customStr, text);
        return;
    }
    const int32_t format = p.style.labelFormat;
    t.alpha = format == kLabelLettersFormat ? p.incrementalLabelAlpha : -1;
    t.numeric = format == kLabelNumbersFormat ? p.incrementalLabelNumber : -1;
    if (format == kLabelLettersFormat)
        CopyCString(t.dimStr, GetAlphaLabelText(static_cast<int16_t>(t.alpha)).c_str());
    else if (format == kLabelNumbersFormat)
        CopyCString(t.dimStr, GetNumericLabelText(static_cast<int16_t>(t.numeric)).c_str());
    else
        CopyCString(t.dimStr, p.customLabelDefaultText);
    CopyCString(t.customStr, p.customLabelDefaultText);
}

void Append(cdDataStruct* node) {
    node->nextPtr = nullptr;
    node->prevPtr = g->lastChainDimDataPtr;
    if (g->lastChainDimDataPtr)
        g->lastChainDimDataPtr->nextPtr = node;
    else
        g->firstChainDimDataPtr = node;
    g->lastChainDimDataPtr = node;
}

}  // namespace

AIErr RelocateDimensionClick(const Plotwise3_dimensioned_object_data& click, AIRealPoint* p) {
    switch (click.clickType) {
        case kLiveDimClickedSegmentPoint:
        case kLiveDimClickedPath: {
            int16_t count = 0;
            if (AIErr err = sAIPath->GetPathSegmentCount(click.art, &count)) return err;
            int16_t after = 0, before = 0;
            if (!AnchorIndex(click.segNumAfter, count, &after)) return kCADErr;
            AIPathSegment end{};
            if (AIErr err = sAIPath->GetPathSegments(click.art, after, 1, &end)) return err;
            if (click.clickType == kLiveDimClickedSegmentPoint) {
                *p = end.p;
                return kNoErr;
            }
            if (!AnchorIndex(click.segNumBefore, count, &before)) return kCADErr;
            AIPathSegment start{};
            if (AIErr err = sAIPath->GetPathSegments(click.art, before, 1, &start)) return err;
            const AIRealBezier bez{start.p, start.out, end.in, end.p};
            AIRealPoint tangent{};
            if (getPointAndTangentFromBezierT(bez, click.t, p, &tangent) != kNoErr) {
                char text[512];
                GetPlotwiseString(kMessageList, kNoBezierPointMessage, text, sizeof text);
                return doPlotwiseErrorDialog(text);  // silent while regenerating
            }
            // On art that has not moved, the point at t is the drawn one within the rounding
            // of t: the drawn point stands, so that a redraw measures what was drawn.
            if (const AIRealPoint drawn{click.x, click.y}; Distance(*p, drawn) <= kUnmovedReach) *p = drawn;
            return kNoErr;
        }
        case kLiveDimClickedFill: {
            AIRealRect r{};
            if (AIErr err = GetUnstrokedArtBounds(click.art, &r)) return err;
            *p = {r.left + (r.right - r.left) * click.x, r.top + (r.top - r.bottom) * click.y};
            return kNoErr;
        }
        default:
            *p = {click.x, click.y};
            return kNoErr;
    }
}

AIErr doStoreHitLoc(const char* text) {
    if (!g || !sAIHitTest || !sAIBlock) return kCADErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    const AIRealPoint click = g->didSecondClick ? g->secondClick : g->firstClick;
    AIToolHitData hit{};
    if (AIErr err = HitPressedArt(click, &hit)) return err;
    cdDataStruct node{};
    AIRealPoint loc = click;
    node.x = click.h;
    node.y = click.v;
    bool axonometric = false;
    if (!hit.hit) {
        g->drawingAxoDimension = 0;
    } else {
        AIArtHandle art = hit.object;
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (hit.type == kSegAnchorType && type == kPathArt) {
            if (AIErr err = SnapToAnchor(hit, click, &loc, &node)) return err;
            node.x = loc.h;
            node.y = loc.v;
        } else if (AIErr err = DescribeHit(hit, &loc, &node)) {
            return err;
        }
        // Art of another dimension is redrawn, never measured: the click keeps its point.
        node.art = isDimensionPart(art) ? nullptr : art;
        if (!node.art) {
            node.clickType = kLiveDimClickedSpace;
            node.x = loc.h;
            node.y = loc.v;
        }
        if (AxonometricTool()) {
            if (!IsAxonometricArt(art)) return ShowCoreMessage(kNotOnAxonometricArtMessage);
            axonometric = true;
            g->drawingAxoDimension = 1;
            if (AIErr err = ReadDepthRecords(art, &node)) return err;
            if (AIErr err = invertAxonometricPoint(&node.theDepthData, &loc, &node.flatLoc)) return err;
        } else {
            g->drawingAxoDimension = 0;
        }
        if (!g->didSecondClick) {
            g->drawingAxoDimension = axonometric ? 1 : 0;
            g->firstDimensionAxoFace = axonometric ? node.theDepthData.face : kAxoNoFace;
        } else if (axonometric && node.theDepthData.face != g->firstDimensionAxoFace) {
            if (AIErr err = MoveFirstClickOntoFace(art, node)) return err;
        }
        g->liveDimClickedArt = art;
    }
    cdDataStruct* made = nullptr;
    if (AIErr err = NewBlock(&made)) return err;
    *made = node;
    made->theLoc = loc;
    PresetText(made, text);
    CopyCString(g->theText, made->textData.dimStr);
    Append(made);
    g->liveDimClickType = made->clickType;
    g->liveDimSegNum = static_cast<uint32_t>(made->segNumAfter);
    g->liveDimT = made->t;
    return kNoErr;
}

Plotwise3_dimensioned_object_data ClickOfNode(const cdDataStruct& node) {
    Plotwise3_dimensioned_object_data r{};
    r.art = node.art;
    r.clickType = node.art ? node.clickType : kLiveDimClickedSpace;
    r.segNumBefore = node.segNumBefore;
    r.segNumAfter = node.segNumAfter;
    r.t = node.t;
    r.x = node.art ? node.x : node.theLoc.h;
    r.y = node.art ? node.y : node.theLoc.v;
    return r;
}

bool ClickTakesFace(const Plotwise3_dimensioned_object_data& click) {
    return click.art && !click.faceNotRead && IsAxonometricArt(click.art);
}

AIErr insertChainDimNode(const AIRealPoint* point, const Plotwise3_dimensioned_object_data* click) {
    if (!g || !point || !click || !sAIBlock) return kCADErr;
    cdDataStruct node{};
    node.theLoc = *point;
    node.clickNum = click->clickNum;
    node.art = click->art;
    node.clickType = click->clickType;
    node.segNumBefore = click->segNumBefore;
    node.segNumAfter = click->segNumAfter;
    node.t = click->t;
    node.x = click->x;
    node.y = click->y;
    if (ClickTakesFace(*click)) {
        if (AIErr err = ReadDepthRecords(click->art, &node)) return err;
        // A face that cannot be turned back, or only to a place past the canvas, gives the
        // click no flat place to measure from.
        if (!IsRecordFace(node.theDepthData.matrix)) return kBadDimensionDataErr;
        if (AIErr err = invertAxonometricPoint(&node.theDepthData, point, &node.flatLoc)) return err;
        if (!IsRecordLength(node.flatLoc.h) || !IsRecordLength(node.flatLoc.v)) return kBadDimensionDataErr;
    }
    live_dimension_text_data& t = node.textData;
    t.alpha = t.numeric = -1;
    cdDataStruct* made = nullptr;
    if (AIErr err = NewBlock(&made)) return err;
    *made = node;
    // After every node whose number is not greater: equal numbers keep their arrival order.
    // Clicks come in order or in reverse (their art's paint order), so either end is the
    // place at once, and a long chain is not walked again for each click.
    cdDataStruct* after = g->lastChainDimDataPtr;
    const cdDataStruct* first = g->firstChainDimDataPtr;
    if (first && first->clickNum > made->clickNum) after = nullptr;
    while (after && after->clickNum > made->clickNum) after = after->prevPtr;
    made->prevPtr = after;
    made->nextPtr = after ? after->nextPtr : g->firstChainDimDataPtr;
    if (made->nextPtr)
        made->nextPtr->prevPtr = made;
    else
        g->lastChainDimDataPtr = made;
    if (after)
        after->nextPtr = made;
    else
        g->firstChainDimDataPtr = made;
    return kNoErr;
}

AIErr MoveFirstClickOntoLaterFaces() {
    if (!g) return kCADErr;
    cdDataStruct* first = g->firstChainDimDataPtr;
    if (!first || !first->art || !IsAxonometricArt(first->art)) return kNoErr;
    const int32_t ownFace = first->theDepthData.face;
    for (const cdDataStruct* node = first->nextPtr; node; node = node->nextPtr) {
        if (node->clickNum < 2 || !node->art || !IsAxonometricArt(node->art)) continue;
        const int32_t face = node->theDepthData.face;
        if (face != kAxoNoFace && face != ownFace)
            if (AIErr err = ExpressOnFace(first, *node)) return err;
    }
    return kNoErr;
}

AIErr doFreeHitLocs() {
    if (!g) return kNoErr;
    cdDataStruct* node = g->firstChainDimDataPtr;
    g->firstChainDimDataPtr = g->lastChainDimDataPtr = nullptr;
    return DisposeBlockList(node, &cdDataStruct::nextPtr);
}

AIErr GetPerpendicularDimData(AIArtHandle art, int32_t face, int16_t horizontal, depth_object_data* out) {
    if (!out) return kBadParameterErr;
    AIRealRect flat{};
    if (AIErr err = getFlatBoundsRectFromDictionary(art, &flat)) return err;
    int32_t beside = face;
    switch (face) {
        case kAxoLeftFace: beside = horizontal ? kAxoTopFace : kAxoRightFace; break;
        case kAxoRightFace: beside = horizontal ? kAxoTopFace : kAxoLeftFace; break;
        case kAxoTopFace: beside = horizontal ? kAxoLeftFace : kAxoRightFace; break;
        default: break;
    }
    const AIReal height = flat.top - flat.bottom;
    const AIRealRect moved{flat.left, flat.top + height, flat.right, flat.top};
    return CalculateAxonometricData(&moved, beside, out);
}
