// The depth cylinder's two stages: the base, then the body.
#include "axonometric/DepthCylinder.h"

#include "axonometric/AxonometricGlobals.h"
#include "axonometric/CylinderBody.h"
#include "axonometric/DepthFaceDrag.h"
#include "axonometric/DepthPrimitives.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

}  // namespace

void DrawCylinder() {
    if (g->firstMouseNotYetUp) {
        if (prepPrimitiveGroup() == kCADErr) return;  // a layer that takes no art: no cylinder
        if (sAIShapeConstruction->NewPointSizeOval(g->firstClick, g->primitiveFirstFaceSize, false, false, true,
                                                   &g->depthArt) != kNoErr)
            return;
        g->primitiveFirstFace = g->face;
        (void)DragAxonometricFace(g->depthArt);
        if (!g->prefs.autoExpandAxoArt) (void)RecordCylinderBase(g->depthArt);
        return;
    }
    DrawCylinderBody();
    if (!g->primitiveGroup) return;
    (void)GatherPrimitivePieces({g->depthArt2, g->depthArt}, kPrimitiveSelectedDragTag);
    (void)TagPrimitiveGroupForDrag(false);
    if (!g->prefs.autoExpandAxoArt) (void)RecordCylinderGroup(g->primitiveGroup, g->primitiveFirstFace);
}
