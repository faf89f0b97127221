// The depth cube and cylinder dialogs' openers and builders.
#include "drawtools/DepthPrimitiveDialogs.h"

#include <array>
#include <cmath>

#include "axonometric/AxonometricProjection.h"
#include "axonometric/CylinderBody.h"
#include "axonometric/DepthPrimitives.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/DepthFaceGeometry.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;


// One face of the cube: a w by h flat rectangle placed so that the corner its projection
// keeps lies on the click, projected onto the face.
AIErr CubeFace(int32_t face, AIReal w, AIReal h, AIArtHandle* art) {
    AIRealPoint p = g->firstClick;
    const AIRealRect flat{p.h, p.v, p.h + w, p.v - h};
    AdjustPointToAnchorPoint(g->prefs.isoView, &p, flat, face, false);
    if (AIErr err = sAIShapeConstruction->NewPointSizeRect(p, {w, h}, false, false, true, art)) return err;
    return ProjectAxonometric(*art, face, &g->prefs.isoView);
}

// The group holds what was made and is the only selected art.
void SelectGroupAlone() {
    (void)deselectAllArt();
    (void)sAIArt->SetArtUserAttr(g->primitiveGroup, kArtSelected, kArtSelected);
}

// The projected ellipse moved so that the crossing of its diagonals (anchors 0 to 2 and 1
// to 3) lies on the centre; a flat one has no crossing and stays.
AIErr CentreOn(AIArtHandle ellipse, AIRealPoint centre) {
    std::array<AIPathSegment, 4> a{};
    if (AIErr err = sAIPath->GetPathSegments(ellipse, 0, 4, a.data())) return err;
    AIRealPoint x{};
    if (FindRealIntersectionPoint(a[0].p, a[2].p, a[1].p, a[3].p, &x) != kNoErr) return kNoErr;
    const AIRealMatrix move{1, 0, 0, 1, centre.h - x.h, centre.v - x.v};
    return sAITransformArt->TransformArt(ellipse, &move, 1.0f, kTransformObjects);
}

void BuildCylinder() {
    const AIRealPoint centre = g->firstClick;
    if (sAIShapeConstruction->NewPointSizeOval(
            g->firstClick, {DrawnLength(g->inputCylinderWidth), DrawnLength(g->inputCylinderHeight)}, false, false,
            true, &g->depthArt) != kNoErr)
        return;
    (void)ProjectAxonometric(g->depthArt, g->primitiveFirstFace, &g->prefs.isoView);
    (void)CentreOn(g->depthArt, centre);
    // A negative length stands the body on the other side of the base, and it is kept there.
    const AIReal length = std::fabs(DrawnLength(g->inputCylinderLength));
    const int32_t side = g->inputCylinderLength < 0 ? kCylinderBehind : kCylinderAhead;
    CylinderAxis axis;
    if (!GetCylinderAxis(g->primitiveFirstFace, side, &axis)) return;
    AIRealPoint reference{};
    (void)GetFirstParallelTangent(g->depthArt, axis.reference, &reference);
    g->primitiveTrackLoc = PointAlong(reference, length * axis.factor, axis.angle);
    (void)MakeParallelCylinderFromBase(g->depthArt, axis.angle, &reference, &g->depthArt2);
    if (!g->primitiveGroup) return;
    (void)GatherPrimitivePieces({g->depthArt2, g->depthArt}, nullptr);
    // Expanded projected art keeps no records: a base would otherwise take the group's.
    if (!g->prefs.autoExpandAxoArt)
        (void)RecordCylinder(g->primitiveGroup, g->depthArt, g->depthArt2, g->primitiveFirstFace, length, side);
    SelectGroupAlone();
}

}  // namespace

AIErr doCubeDialog(const AIToolMessage* message) { return OpenNumericInputDialog(17730, message); }
AIErr doCylinderDialog(const AIToolMessage* message) { return OpenNumericInputDialog(17760, message); }

AIErr doInputCubeTool() {
    (void)SnapToAnchorOrGrid(&g->firstClick, false);  // a hit test that fails leaves the click
    if (g->curTool && g->curTool == g->depthCubeTool) {
        g->drawingPrimitive = 1;
        if (prepPrimitiveGroup() == kCADErr) return kCADErr;  // the user has been told why
    }
    const AIReal w = DrawnLength(g->inputCubeWidth), h = DrawnLength(g->inputCubeHeight),
                 d = DrawnLength(g->inputCubeDepth);
    (void)CubeFace(kAxoLeftFace, w, h, &g->depthArt);
    (void)CubeFace(kAxoRightFace, d, h, &g->depthArt2);
    (void)CubeFace(kAxoTopFace, w, d, &g->depthArt3);
    if (g->primitiveGroup) {
        (void)GatherPrimitivePieces({g->depthArt3, g->depthArt2, g->depthArt}, nullptr);
        SelectGroupAlone();
    }
    g->drawingPrimitive = 0;
    g->primitiveGroup = g->depthArt = g->depthArt2 = g->depthArt3 = nullptr;
    return kNoErr;
}

AIErr doInputCylinderTool() {
    (void)SnapToAnchorOrGrid(&g->firstClick, false);
    if (!g->curTool || g->curTool != g->depthCylinderTool) return kNoErr;
    g->drawingPrimitive = 1;
    g->face = g->primitiveFirstFace = g->inputCylinderFace;
    if (prepPrimitiveGroup() == kCADErr) return kCADErr;
    BuildCylinder();
    g->drawingPrimitive = 0;
    g->primitiveGroup = g->depthArt = g->depthArt2 = nullptr;
    return kNoErr;
}
