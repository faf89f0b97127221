// The face drag: direction, parallelogram, square or grid steps, flat rectangle, placing,
// projection, centring and the tracker.
#include "axonometric/DepthFaceDrag.h"

#include <algorithm>
#include <cmath>

#include "axonometric/AxonometricGlobals.h"
#include "axonometric/AxonometricGrids.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "geometry/AxonometricMath.h"
#include "geometry/DepthFaceGeometry.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

// The art itself and, for the depth grid's group, its lines.
constexpr int32_t kTransformWithChildren = kTransformObjects | kTransformChildren;

AIErr Move(AIArtHandle art, AIReal dh, AIReal dv) {
    const AIRealMatrix m = Translation(dh, dv);
    return sAITransformArt->TransformArt(art, &m, 1.0f, kTransformWithChildren);
}

bool ShiftSquares() { return (g->prefs.style.modifiers & kCADShiftModifier) && !g->ignoreShift; }

bool FromCentreTool() {
    return g->curTool && (g->curTool == g->depthRectCenterTool || g->curTool == g->depthEllipseCenterTool);
}

// The cube's second stage starts from the first face's bounds.
void KeepFirstFaceBounds(const AIRealRect& b) {
    if (!g->drawingPrimitive || !g->firstMouseNotYetUp) return;
    g->primitiveFirstFaceLeft = b.left;
    g->primitiveFirstFaceRight = b.right;
    g->primitiveFirstFaceBottom = b.bottom;
    g->primitiveFirstFaceTop = b.top;
}

// The sides reduced to whole grid steps; false when a side has none.
AIErr SnapToWholeGridSteps(FaceParallelogram* p, const FaceEdges& edges, bool* drawable) {
    if (AIErr err = SetGridSpacingAndSubdivisions()) return err;
    const AIReal inc = g->gridSnapInc;
    const AIReal w = inc * std::floor(p->FlatWidth(edges) / inc);
    const AIReal h = inc * std::floor(p->FlatHeight(edges) / inc);
    *drawable = w > 0 && h > 0 && ResizeFromPressedCorner(p, w, h, edges);
    return kNoErr;
}

// The step's work on `*art` (the grid group once it replaces the incoming rectangle);
// `drawn` says whether it got to the end.
AIErr DragFace(AIArtHandle* art, bool* drawn) {
    const iso_view& view = g->prefs.isoView;
    const int32_t face = g->face;
    AIRealRect start{};
    if (AIErr err = GetAxonometricArtBounds(*art, &start)) return err;
    KeepFirstFaceBounds(start);
    const AIReal width = start.right - start.left, height = start.top - start.bottom;
    const AIRealPoint centre{start.left + width / 2.0f, start.bottom + height / 2.0f};

    FaceEdges edges;
    FaceParallelogram p;
    FaceAnchor anchor;
    if (!GetFaceEdges(view, face, &edges) || !GetFaceAnchor(view, face, &anchor)) return kNoErr;
    const DragDirection direction = ClassifyFaceDrag(view, face, g->firstClick, g->endPoint);
    if (!BuildFaceParallelogram(view, face, direction, g->firstClick, g->endPoint, &p)) return kNoErr;
    if (ShiftSquares()) {
        const AIReal side = std::max(p.FlatWidth(edges), p.FlatHeight(edges));
        if (!ResizeFromPressedCorner(&p, side, side, edges)) return kNoErr;
    }
    const bool grid = g->usingDepthGridTool != 0;
    if (grid) {
        bool drawable = false;
        if (AIErr err = SnapToWholeGridSteps(&p, edges, &drawable)) return err;
        if (!drawable) return kNoErr;
    }

    // The flat rectangle keeps the corner the projection will hold fixed.
    const AIRealPoint fixed = p.c[anchor.slot];
    AIRealPoint& c0 = p.c[0];
    AIRealPoint& c1 = p.c[1];
    AIRealPoint& c2 = p.c[2];
    AIRealPoint& c3 = p.c[3];
    if (AIErr err = InvertIsometricBoundingCorners(&view, face, &c3, &c2, &c1, &c0)) return err;

    if (grid) {
        // The grid is drawn at its flat size, the snapped steps, already in place: it needs
        // no scaling, and keeps the size it was dragged to whatever the foreshortening.
        if (AIErr err = DrawGridObject(&c3, &c0, &fixed)) return err;
        AIArtHandle rectangle = *art;
        *art = g->gridGroup;
        if (AIErr err = sAIArt->DisposeArt(rectangle)) return err;
    } else {
        AIRealMatrix m = Translation(-centre.h, -centre.v);
        m = ConcatRealMatrix(m, {(c2.h - c3.h) / width, 0, 0, (c3.v - c1.v) / height, 0, 0});
        m = ConcatRealMatrix(m, Translation(centre.h, centre.v));
        if (AIErr err = sAITransformArt->TransformArt(*art, &m, 1.0f, kTransformObjects)) return err;
    }
    AIRealRect placed{};
    if (AIErr err = GetAxonometricArtBounds(*art, &placed)) return err;
    const AIRealPoint corner{anchor.right ? placed.right : placed.left, anchor.top ? placed.top : placed.bottom};
    if (AIErr err = Move(*art, fixed.h - corner.h, fixed.v - corner.v)) return err;
    if (AIErr err = ProjectAxonometric(*art, face, &view)) return err;

    AIRealRect shown{};
    if (AIErr err = GetAxonometricArtBounds(*art, &shown)) return err;
    if (ShiftSquares() && FromCentreTool()) {
        const AIReal dh = g->startingPoint.h - (shown.left + shown.right) / 2;
        const AIReal dv = g->startingPoint.v - (shown.bottom + shown.top) / 2;
        if (AIErr err = Move(*art, dh, dv)) return err;
        shown = {shown.left + dh, shown.top + dv, shown.right + dh, shown.bottom + dv};
    }
    *drawn = true;

    // What the record says of the flat shape (the corners' measure when expanded art keeps
    // no record); the position and size are those of the art as it now lies.
    depth_object_data data;
    InitializeAxonometricData(&data);
    data.flatSize = {c2.h - c3.h, c3.v - c1.v};
    data.area = data.perimeter = kMissingValue;
    if (AIErr err = GetAxonometricData(*art, &data)) return err;
    auto update = PlotwiseService().updateTrackerWindow;
    if (!update) return kNoErr;
    const AIReal angle = RadiansToDegrees(std::atan2(p.cursor.v - g->firstClick.v, p.cursor.h - g->firstClick.h));
    return update(shown.left, shown.top, shown.right - shown.left, shown.top - shown.bottom, data.flatSize.h,
                  data.flatSize.v, kMissingValue, angle, kMissingValue, data.perimeter, data.area);
}

}  // namespace

AIErr DragAxonometricFace(AIArtHandle art) {
    if (!art) return kBadParameterErr;
    bool drawn = false;
    const AIErr err = DragFace(&art, &drawn);
    // A step that stopped part way leaves no half-made face for the mouse up to keep.
    if (!drawn) (void)sAIArt->DisposeArt(art);
    return err;
}
