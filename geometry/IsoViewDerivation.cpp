// The view of a rotation and tilt, through the view pad's own 3D routines.
#include "geometry/IsoViewDerivation.h"

#include <cmath>
#include <initializer_list>

#include "geometry/PointMath.h"

namespace {

// The direction and length of a unit axis as the turned cube shows it in the drawing (the
// pad's panel coordinates run down; the drawing's up).
void ProjectedAxis(const Matrix4D m, Plotwise3_3D_Point axis, AIReal* angle, AIReal* length) {
    Transform3DPoint(m, &axis);
    AIRealPoint panel{};
    Project(&axis, &panel, kOrthographicProjection);
    *angle = std::atan2(-panel.v, panel.h);
    *length = std::hypot(panel.h, panel.v);
}

}  // namespace

iso_view DeriveIsoView(AIReal r, AIReal t, bool foreshortened) {
    Matrix4D m;
    SetMatrix4DIdentity(m);
    ConcatMatrix4DRotateY(m, DegreesToRadians(r));
    ConcatMatrix4DRotateX(m, DegreesToRadians(t));
    iso_view view;
    view.r = r;
    view.t = t;
    ProjectedAxis(m, {1, 0, 0}, &view.a, &view.af);
    ProjectedAxis(m, {0, 0, -1}, &view.b, &view.bf);
    ProjectedAxis(m, {0, 1, 0}, &view.c, &view.cf);
    if (!foreshortened) view.af = view.bf = view.cf = 1;
    return view;
}

bool IsoViewIsUsable(const iso_view& view) {
    for (AIReal v : {view.a, view.b, view.c, view.af, view.bf, view.cf, view.r, view.t})
        if (!std::isfinite(v)) return false;
    const AIRealRect unit{0, 1, 1, 0};
    for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
        AIRealMatrix m{};
        AIRealPoint pivot{};
        // A face seen edge-on: art drawn on it could not be flattened again with any precision.
        if (!AxonometricFaceMatrix(view, face, unit, &m, &pivot) || !WellConditioned(m) || !InvertRealMatrix(&m))
            return false;
    }
    return true;
}
