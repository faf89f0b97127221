// The depth tools' shared steps: a drag, the cursor between the stages of a primitive, and
// the mouse up that ends a stage or the whole shape.
#include "axonometric/DepthToolFamily.h"

#include <initializer_list>

#include "axonometric/AxonometricGlobals.h"
#include "axonometric/DepthCube.h"
#include "axonometric/DepthCylinder.h"
#include "axonometric/DepthPrimitives.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

AIErr DepthDrag(const PlotwiseToolRow& row, AIRealPoint) {
    if (row.flags & kToolPrimitive) g->drawingPrimitive = 1;
    (void)CallToolRoutine(row, &ToolRoutines::drag);  // the depth shapes report their own trouble
    return kNoErr;
}

bool InSecondStage() { return g->drawingPrimitive && !g->firstMouseNotYetUp; }

// A layer the shape lies on or its faces are made on, locked or hidden since the first stage:
// the cursor's move or the click in hand is refused, the layer named, and the drawing ends
// with the shape as it stands (the refused message neither makes nor takes away a face).
AIErr RefuseClosedPrimitiveLayers() {
    AILayerHandle shape = nullptr;  // none found: the current layer is asked alone
    if (g->primitiveGroup) (void)sAIArt->GetLayerOfArt(g->primitiveGroup, &shape);
    AIErr err = RefuseClosedLayer(shape);
    if (!err) err = RefuseClosedCurrentLayer();
    if (err) (void)EndPrimitiveDrawing();
    return err;
}

// While the second stage of a primitive follows the cursor, its preview is redrawn.
AIErr DepthTrackCursor(const PlotwiseToolRow& row, AIRealPoint cursor) {
    if (!g->drawingPrimitive) return kNoErr;
    if (InSecondStage())
        if (AIErr err = RefuseClosedPrimitiveLayers()) return err;
    for (AIArtHandle* art : {&g->depthArt2, &g->depthArt3}) {
        if (*art) sAIArt->DisposeArt(*art);
        *art = nullptr;
    }
    g->primitiveTrackLoc = cursor;
    if (g->firstMouseNotYetUp) return kNoErr;
    const AIToolHandle tool = row.handle();
    if (tool == g->depthCubeTool) return DrawCube();
    if (tool == g->depthCylinderTool) DrawCylinder();
    return kNoErr;
}

AIErr DepthMouseUp(const PlotwiseToolRow& row) {
    g->canAnnotateIntersection = 0;
    g->usingDepthGridTool = 0;
    // The click that keeps a primitive's second stage is no click for the dialog.
    const bool endsPrimitive = InSecondStage();
    if (g->drawingPrimitive) {
        if (g->firstMouseNotYetUp) {
            g->firstMouseNotYetUp = 0;
        } else {
            g->firstMouseNotYetUp = 1;
            g->drawingPrimitive = 0;
            g->depthArt2 = g->depthArt3 = nullptr;
        }
    }
    const bool primitive = (row.flags & kToolPrimitive) != 0;
    if (!g->toolWasDragged) {
        if (primitive && (g->toolWasTracked || endsPrimitive)) return kNoErr;
        return CallToolRoutine(row, &ToolRoutines::mouseUp);
    }
    ++g->depthObjNum;
    if (!primitive) return kNoErr;
    for (AIArtHandle art : {g->primitiveGroup, g->depthArt3, g->depthArt2, g->depthArt}) {
        if (!art) continue;
        if (AIErr err = sAITag->SetTag(art, "ZMK_Primitive_Selected", kTagString, "")) return err;
    }
    if (g->primitiveMouseupTimer) return sAITimer->SetTimerActive(g->primitiveMouseupTimer, true);
    return kNoErr;
}

}  // namespace

const ToolFamilyRoutines kDepthToolFamily{
    .mouseDown = +[](const PlotwiseToolRow&) { return InSecondStage() ? RefuseClosedPrimitiveLayers() : kNoErr; },
    .drag = &DepthDrag,
    .mouseUp = &DepthMouseUp,
    .trackCursor = &DepthTrackCursor,
    .flags = kFamilyDrawsOnCurrentLayer,
};
