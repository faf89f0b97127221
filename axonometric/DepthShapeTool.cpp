// The depth shape tool's drag step: face, snaps, the guide-line hint, the shape and the
// view pad's highlight.
#include "axonometric/DepthShapeTool.h"

#include <cmath>
#include <vector>

#include "AIHitTest.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricGlobals.h"
#include "axonometric/DepthCube.h"
#include "axonometric/DepthCylinder.h"
#include "axonometric/DepthFaceDrag.h"
#include "axonometric/GridSnap.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseHitTest.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

constexpr int32_t kViewPadItem = 1;
constexpr AIReal kGuideLength = 10.0f;
constexpr AIReal kVertical = kHalfPi;

int32_t FaceFromModifiers() {
    const int32_t keys = g->prefs.style.modifiers;
    if (keys & kCADOptionModifier) return kAxoTopFace;
    if (keys & kCADCommandModifier) return kAxoRightFace;
    return kAxoLeftFace;
}

// The art under the point (hit request 1): an anchor moves the point onto it; nothing
// there lets the grid snap have it. The hit stays readable through `data` while `ref` lives.
AIErr SnapPoint(HitRef& ref, AIRealPoint* point, AIToolHitData* data) {
    if (AIErr err = ref.Test(nullptr, *point, data, kSnapHitRequest)) return err;
    if (!data->hit) {
        AIRealPoint snapped{};
        if (snapToGridCheckAxonometric(point, &snapped)) *point = snapped;
    } else if (data->type == kSegAnchorType) {
        *point = data->point;
    }
    return kNoErr;
}

// The two guide lines of one anchor P: the one through the cursor (vertical or level) and
// the angle of the one through P, by the tool's face and that of the art under the press;
// false when they give none (a top-face tool over top-face art).
struct GuideLines {
    bool cursorVertical;
    AIReal throughAnchor;
};
bool GuidesFor(int32_t toolFace, int32_t artFace, GuideLines* lines) {
    const iso_view& v = g->prefs.isoView;
    const bool sideArt = artFace == 1 || artFace == 2;
    switch (toolFace) {
        case kAxoLeftFace: *lines = sideArt ? GuideLines{true, v.b} : GuideLines{false, kVertical}; return true;
        case kAxoRightFace: *lines = sideArt ? GuideLines{true, v.a} : GuideLines{false, kVertical}; return true;
        default:
            if (artFace == 3) return false;
            *lines = {true, artFace == 1 ? v.a : v.b};
            return true;
    }
}

// The face of a record as the annotator names it: 1 left, 2 right, 3 top, 0 none.
int32_t FaceNumber(int32_t face) {
    switch (face) {
        case kAxoLeftFace: return 1;
        case kAxoRightFace: return 2;
        case kAxoTopFace: return 3;
        default: return 0;
    }
}

// Moves endPoint onto the first crossing of guide lines within the snap tolerance, when the
// art under the press is an axonometric path with a face. Everything here is optional:
// what cannot be read only leaves the hint out.
void SnapToGuideCrossing(AIArtHandle art) {
    if (!art || !IsAxonometricArt(art)) return;
    depth_object_data record;
    InitializeAxonometricData(&record);
    if (GetAxonometricData(art, &record)) return;
    g->annotationFace = FaceNumber(record.face);
    GuideLines lines{};
    if (!g->annotationFace || !GuidesFor(g->face, g->annotationFace, &lines)) return;
    int16_t count = 0;
    if (sAIPath->GetPathSegmentCount(art, &count) || count <= 0) return;
    std::vector<AIPathSegment> anchors(static_cast<size_t>(count));
    if (sAIPath->GetPathSegments(art, 0, count, anchors.data())) return;

    const AIRealPoint e = g->endPoint;
    const AIRealPoint eEnd = lines.cursorVertical ? AIRealPoint{e.h, e.v + kGuideLength} : AIRealPoint{e.h + kGuideLength, e.v};
    const AIReal tolerance = static_cast<AIReal>(g->prefs.gridSnapTolerance);
    for (const AIPathSegment& anchor : anchors) {
        AIRealPoint pEnd{};
        if (lines.throughAnchor == kVertical)
            pEnd = {anchor.p.h, anchor.p.v + kGuideLength};
        else
            AddPointLengthAngle(anchor.p, kGuideLength, lines.throughAnchor, &pEnd);
        AIRealPoint crossing{};
        if (FindRealIntersectionPoint(e, eEnd, anchor.p, pEnd, &crossing) != kNoErr) continue;  // parallel
        if (Distance(e, crossing) > tolerance) continue;
        g->annotatorIntersection = crossing;
        g->endPoint = crossing;
        g->canAnnotateIntersection = 1;
        return;
    }
}

AIErr NewShape(int16_t kind, AIRealPoint size, AIArtHandle* art) {
    if (kind == kDepthOvalShape) return sAIShapeConstruction->NewPointSizeOval(g->firstClick, size, false, false, true, art);
    return sAIShapeConstruction->NewPointSizeRect(g->firstClick, size, false, false, true, art);
}

// The view pad draws the face being drawn on highlighted.
void HighlightFaceOnPad() {
    if (!g->CADisometricWindow) return;
    g->faceToHilite = g->face;
    g->hiliteFaces = 1;
    if (ADMItemRef pad = sADMDialog->GetItem(g->CADisometricWindow, kViewPadItem)) {
        sADMItem->Invalidate(pad);
        sADMItem->Update(pad);
    }
}

AIErr ShapeStep(int16_t fromCenter, int16_t kind) {
    g->face = FaceFromModifiers();
    g->canAnnotateIntersection = 0;
    g->annotationFace = 0;  // never a face left from an earlier step
    {
        HitRef pressed;
        AIToolHitData hit{};
        if (AIErr err = SnapPoint(pressed, &g->firstClick, &hit)) return err;
        if (hit.hit) SnapToGuideCrossing(hit.object);
    }
    HitRef cursor;
    AIToolHitData hit{};
    if (AIErr err = SnapPoint(cursor, &g->endPoint, &hit)) return err;
    if (fromCenter == 1) {
        g->firstClick = {2 * g->basePoint1.h - g->endPoint.h, 2 * g->basePoint1.v - g->endPoint.v};
    }
    // Never flat in either direction.
    if (g->endPoint.h == g->firstClick.h) g->endPoint.h += 1.0f;
    if (g->endPoint.v == g->firstClick.v) g->endPoint.v += 1.0f;
    const AIRealPoint size{g->endPoint.h - g->firstClick.h, g->firstClick.v - g->endPoint.v};
    if (g->firstMouseNotYetUp) g->primitiveFirstFaceSize = size;

    switch (kind) {
        case kDepthRectangleShape:
        case kDepthOvalShape:
        case kDepthGridShape: {
            if (AIErr err = RefuseClosedCurrentLayer()) return err;  // the shape goes on the current layer
            AIArtHandle art = nullptr;
            if (AIErr err = NewShape(kind, size, &art)) return err;
            if (kind == kDepthGridShape) {
                g->usingDepthGridTool = 1;
                (void)sAIPathStyle->GetCurrentPathStyle(&g->gridObjStyle, nullptr, nullptr);
            }
            if (AIErr err = DragAxonometricFace(art)) return err;
            break;
        }
        // The cube and the cylinder draw their first stage; what they report is their own.
        case kDepthCubeShape: (void)DrawCube(); break;
        case kDepthCylinderShape: DrawCylinder(); break;
        default: break;
    }
    HighlightFaceOnPad();
    return kNoErr;
}

}  // namespace

AIErr IsometricShapeTool(int16_t fromCenter, int16_t kind) {
    const AIErr err = ShapeStep(fromCenter, kind);
    g->ignoreShift = 0;
    return err;
}
