// The depth cube's two stages.
#include "axonometric/DepthCube.h"

#include <cmath>
#include <initializer_list>

#include "axonometric/AxonometricGlobals.h"
#include "axonometric/AxonometricProjection.h"
#include "axonometric/DepthFaceDrag.h"
#include "axonometric/DepthPrimitives.h"
#include "core/PlotwiseSuites.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

constexpr AIReal kGuideLength = 10.0f;
constexpr AIReal kUp = kHalfPi;

// The first face's flat bounds as the projection recorded them, and the second face's.
struct FlatBox {
    AIReal l, r, b, t;
    AIReal Width() const { return r - l; }
    AIReal Height() const { return t - b; }
};
FlatBox FirstFace() {
    return {g->primitiveFirstFaceFlatLeft, g->primitiveFirstFaceFlatRight, g->primitiveFirstFaceFlatBottom,
            g->primitiveFirstFaceFlatTop};
}
FlatBox SecondFace() {
    return {g->primitiveSecondFaceFlatLeft, g->primitiveSecondFaceFlatRight, g->primitiveSecondFaceFlatBottom,
            g->primitiveSecondFaceFlatTop};
}

AIErr NewRect(AIReal x, AIReal y, AIReal w, AIReal h, AIArtHandle* art) {
    return sAIShapeConstruction->NewPointSizeRect({x, y}, {w, h}, false, false, true, art);
}

// Host errors do not stop a stage: each step goes on with what the last one left, and the
// stage's result is its last step's; a layer that takes no art ends the cube.
AIErr FirstStage() {
    if (prepPrimitiveGroup() == kCADErr) return kCADErr;
    (void)sAIShapeConstruction->NewPointSizeRect(g->firstClick, g->primitiveFirstFaceSize, false, false, true,
                                                 &g->depthArt);
    g->primitiveFirstFace = g->face;
    return DragAxonometricFace(g->depthArt);
}

// Aims the second face: the drag runs from the first face's front corner (`anchor`) to
// where the line from `guideFrom` along `guideAngle` meets the cursor's line (vertical, or
// level when `levelCursor`). Lines that do not cross leave endPoint where it was.
struct SecondFaceAim {
    int32_t face;
    AIRealPoint anchor, guideFrom;
    AIReal guideAngle;
    bool levelCursor;
};
AIRealPoint AimSecondFace(const SecondFaceAim& aim) {
    g->face = aim.face;
    g->firstClick = aim.anchor;
    AIRealPoint guideTo{}, cursorTo = g->primitiveTrackLoc;
    AddPointLengthAngle(aim.guideFrom, kGuideLength, aim.guideAngle, &guideTo);
    (aim.levelCursor ? cursorTo.h : cursorTo.v) += kGuideLength;
    (void)FindRealIntersectionPoint(aim.guideFrom, guideTo, g->primitiveTrackLoc, cursorTo, &g->endPoint);
    return {g->endPoint.h - g->firstClick.h, g->endPoint.v - g->firstClick.v};
}

// The second face from a seed rectangle, which the drag refits to the aimed diagonal (so
// it only has to have an area).
AIErr DragSecondFace(AIReal x, AIReal y, AIReal w, AIReal h) {
    (void)NewRect(x, y, w, h, &g->depthArt2);
    return DragAxonometricFace(g->depthArt2);
}

// The third face as a flat rectangle placed so that the projection's pivot falls on the
// box's front corner.
AIErr ProjectThirdFace(int32_t face, AIReal x, AIReal y, AIReal w, AIReal h) {
    g->face = face;
    (void)NewRect(x, y, w, h, &g->depthArt3);
    return ProjectAxonometric(g->depthArt3, face, &g->prefs.isoView);
}

// The edge a side first face shares with the second face runs down from its front corner
// (R or L, T) when tilted up, up from (R or L, B) when tilted down.
AIRealPoint SharedEdgeFarEnd(const FlatBox& f, AIReal x, bool up) {
    const AIReal drop = f.Height() * g->prefs.isoView.cf;
    return {x, up ? f.t - drop : f.b + drop};
}

// A left first face: the right face pulled out to the right, the top closing the box.
AIErr FromLeftFace(const FlatBox& f, bool up) {
    AIRealPoint& cursor = g->primitiveTrackLoc;
    if (cursor.h <= f.r) cursor.h = f.r + 1;
    const AIRealPoint d =
        AimSecondFace({kAxoRightFace, {f.r, up ? f.t : f.b}, SharedEdgeFarEnd(f, f.r, up), g->prefs.isoView.a, false});
    (void)DragSecondFace(g->primitiveFirstFaceRight, up ? f.t : f.b + d.v, d.h, d.v);
    const AIReal depth = SecondFace().Width();
    return ProjectThirdFace(kAxoTopFace, f.l, up ? f.t + depth : f.b, f.Width(), depth);
}

// A right first face: the left face pulled out to the left.
AIErr FromRightFace(const FlatBox& f, bool up) {
    AIRealPoint& cursor = g->primitiveTrackLoc;
    if (cursor.h >= f.l) cursor.h = f.l - 1;
    const AIRealPoint d =
        AimSecondFace({kAxoLeftFace, {f.l, up ? f.t : f.b}, SharedEdgeFarEnd(f, f.l, up), g->prefs.isoView.b, false});
    const AIReal w = std::fabs(d.h);
    (void)DragSecondFace(g->primitiveFirstFaceLeft - w, up ? f.t : f.b + d.v, w, d.v);
    const FlatBox s = SecondFace();
    const AIReal depth = std::fabs(s.Width()), across = std::fabs(f.Width());
    return ProjectThirdFace(kAxoTopFace, s.l, up ? f.t + across : f.b, depth, across);
}

// A top first face: the left face pulled down (tilted up) or up (tilted down) from the
// top face's left corner to below or above its front corner, the right face closing it.
AIErr FromTopFace(const FlatBox& f, bool up) {
    const iso_view& v = g->prefs.isoView;
    AIRealPoint& cursor = g->primitiveTrackLoc;
    const AIReal edgeV = up ? f.b : f.t;
    if (up ? cursor.v >= f.b : cursor.v <= f.t) cursor.v = up ? f.b - 1 : f.t + 1;
    const AIRealPoint front{f.r, edgeV};
    AIRealPoint anchor{};
    AddPointLengthAngle(front, f.Width() * v.bf, v.b, &anchor);
    const AIRealPoint d = AimSecondFace({kAxoLeftFace, anchor, front, kUp, true});
    const AIReal h = std::fabs(d.v);
    if (up) {
        const AIReal w = std::fabs(d.h);
        (void)DragSecondFace(f.r - w, f.b, w, h);
    } else {
        const AIReal w = f.Width() * v.bf * std::cos(v.b);
        (void)DragSecondFace(f.r - w, f.t + h, w, h);
    }
    const AIReal height = SecondFace().Height();
    return ProjectThirdFace(kAxoRightFace, f.r, edgeV, f.Height(), up ? height : -height);
}

AIErr SecondStage() {
    const int32_t kept = g->face;
    const FlatBox first = FirstFace();
    const AIReal t = g->prefs.isoView.t;
    AIErr err = kNoErr;
    switch (g->primitiveFirstFace) {
        case kAxoLeftFace: err = FromLeftFace(first, t >= 0); break;
        case kAxoRightFace: err = FromRightFace(first, t >= 0); break;
        case kAxoTopFace: err = FromTopFace(first, t > 0); break;
        default: break;
    }
    g->face = kept;
    if (!g->primitiveGroup) return err;
    (void)GatherPrimitivePieces({g->depthArt3, g->depthArt2, g->depthArt}, kPrimitiveSelectedDragTag);
    (void)TagPrimitiveGroupForDrag(true);
    return err;
}

}  // namespace

AIErr DrawCube() {
    g->ignoreShift = 1;
    const AIErr err = g->firstMouseNotYetUp ? FirstStage() : SecondStage();
    g->ignoreShift = 0;
    return err;
}
