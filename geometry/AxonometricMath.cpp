// Axonometric maths: the view pad's 4×4 matrices, the face matrices of projection, the
// flat rectangle of a face, grid-line counts and the grid spacing.
#include "geometry/AxonometricMath.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "geometry/PointMath.h"
#include "geometry/UnitFormat.h"

namespace {

void RotationX(AIReal angle, Matrix4D r) {
    const AIReal c = std::cos(angle), s = std::sin(angle);
    SetMatrix4DIdentity(r);
    r[1][1] = c;
    r[1][2] = s;
    r[2][1] = -s;
    r[2][2] = c;
}

void RotationY(AIReal angle, Matrix4D r) {
    const AIReal c = std::cos(angle), s = std::sin(angle);
    SetMatrix4DIdentity(r);
    r[0][0] = c;
    r[0][2] = -s;
    r[2][0] = s;
    r[2][2] = c;
}

// The corners of a cube in order v1 ... v8.
struct CubeCorners {
    AIRealPoint* p[8];
    explicit CubeCorners(Plotwise3_2D_Real_Cube* c) : p{&c->v1, &c->v2, &c->v3, &c->v4, &c->v5, &c->v6, &c->v7, &c->v8} {}
};

int32_t TruncateToInt(AIReal v) {
    if (std::isnan(v)) return 0;
    constexpr double lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(std::trunc(static_cast<double>(v)), lo, hi));
}

AIRealMatrix Scaling(AIReal sx, AIReal sy) { return {sx, 0, 0, sy, 0, 0}; }
AIRealMatrix VerticalShear(AIReal k) { return {1, k, 0, 1, 0, 0}; }
AIRealMatrix HorizontalShear(AIReal k) { return {1, 0, k, 1, 0, 0}; }
AIRealMatrix Rotation(AIReal angle) {
    const AIReal c = std::cos(angle), s = std::sin(angle);
    return {c, s, -s, c, 0, 0};
}

}  // namespace

bool IsAxonometricFace(int32_t face) { return face == kAxoLeftFace || face == kAxoRightFace || face == kAxoTopFace; }

// --- 3D ---------------------------------------------------------------------------------

void SetMatrix4DIdentity(Matrix4D m) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) m[i][j] = i == j ? 1.0f : 0.0f;
}

void CopyMatrix4D(Matrix4D dest, const Matrix4D src) {
    if (dest != src) std::memmove(dest, src, sizeof(Matrix4D));
}

void Matrix4DMul(const Matrix4D a, const Matrix4D b, Matrix4D out) {
    Matrix4D product;  // out may be a or b
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += static_cast<double>(a[i][k]) * b[k][j];
            product[i][j] = static_cast<AIReal>(sum);
        }
    CopyMatrix4D(out, product);
}

void ConcatMatrix4DRotateX(Matrix4D m, AIReal angle) {
    Matrix4D r;
    RotationX(angle, r);
    Matrix4DMul(m, r, m);
}

void ConcatMatrix4DRotateY(Matrix4D m, AIReal angle) {
    Matrix4D r;
    RotationY(angle, r);
    Matrix4DMul(m, r, m);
}

void Transform3DPoint(const Matrix4D m, Plotwise3_3D_Point* p) {
    const AIReal x = p->x, y = p->y, z = p->z;
    p->x = x * m[0][0] + y * m[1][0] + z * m[2][0] + m[3][0];
    p->y = x * m[0][1] + y * m[1][1] + z * m[2][1] + m[3][1];
    p->z = x * m[0][2] + y * m[1][2] + z * m[2][2] + m[3][2];
}

void Transform3DCube(const Matrix4D m, Plotwise3_3D_Cube* cube) {
    for (Plotwise3_3D_Point* p : {&cube->v1, &cube->v2, &cube->v3, &cube->v4, &cube->v5, &cube->v6, &cube->v7,
                                  &cube->v8})
        Transform3DPoint(m, p);
}

void Transform3DAxis(const Matrix4D m, Plotwise3_3D_Axis* axis) {
    for (Plotwise3_3D_Point* p : {&axis->o, &axis->x, &axis->y, &axis->z}) Transform3DPoint(m, p);
}

void Project(const Plotwise3_3D_Point* p, AIRealPoint* out, int32_t mode) {
    if (mode == kOrthographicProjection || p->z == 0) {
        out->h = p->x;
        out->v = -p->y;
        return;
    }
    out->h = 1.0f * p->x / p->z;
    out->v = -(1.0f * p->y) / p->z;
}

void Project3DCubeTo2DCube(const Plotwise3_3D_Cube* cube, Plotwise3_2D_Real_Cube* out, int32_t mode) {
    const Plotwise3_3D_Point* in[] = {&cube->v1, &cube->v2, &cube->v3, &cube->v4,
                                      &cube->v5, &cube->v6, &cube->v7, &cube->v8};
    const CubeCorners corners(out);
    for (int i = 0; i < 8; ++i) Project(in[i], corners.p[i], mode);
}

void Project3DAxisTo2DAxis(const Plotwise3_3D_Axis* axis, Plotwise3_2D_Real_Axis* out, int32_t mode) {
    Project(&axis->o, &out->o, mode);
    Project(&axis->x, &out->x, mode);
    Project(&axis->y, &out->y, mode);
    Project(&axis->z, &out->z, mode);
}

void TranslatePoint(AIRealPoint* point, AIReal dh, AIReal dv) {
    point->h += dh;
    point->v += dv;
}

void Translate2DCube(Plotwise3_2D_Real_Cube* cube, AIReal dh, AIReal dv) {
    for (AIRealPoint* p : CubeCorners(cube).p) TranslatePoint(p, dh, dv);
}

void Translate2DAxis(Plotwise3_2D_Real_Axis* axis, AIReal dh, AIReal dv) {
    for (AIRealPoint* p : {&axis->o, &axis->x, &axis->y, &axis->z}) TranslatePoint(p, dh, dv);
}

void ConvertASRealPointToASPoint(const AIRealPoint* point, ADMPoint* out) {
    out->h = TruncateToInt(point->h);
    out->v = TruncateToInt(point->v);
}

void Convert2DRealCubeTo2DIntCube(const Plotwise3_2D_Real_Cube* cube, Plotwise3_2D_Int_Cube* out) {
    const AIRealPoint* in[] = {&cube->v1, &cube->v2, &cube->v3, &cube->v4, &cube->v5, &cube->v6, &cube->v7, &cube->v8};
    ADMPoint* to[] = {&out->v1, &out->v2, &out->v3, &out->v4, &out->v5, &out->v6, &out->v7, &out->v8};
    for (int i = 0; i < 8; ++i) ConvertASRealPointToASPoint(in[i], to[i]);
}

void Convert2DRealAxisTo2DIntAxis(const Plotwise3_2D_Real_Axis* axis, Plotwise3_2D_Int_Axis* out) {
    ConvertASRealPointToASPoint(&axis->o, &out->o);
    ConvertASRealPointToASPoint(&axis->x, &out->x);
    ConvertASRealPointToASPoint(&axis->y, &out->y);
    ConvertASRealPointToASPoint(&axis->z, &out->z);
}

// --- 2D matrices ------------------------------------------------------------------------

AIRealMatrix IdentityRealMatrix() { return {1, 0, 0, 1, 0, 0}; }

AIRealMatrix Translation(AIReal tx, AIReal ty) { return {1, 0, 0, 1, tx, ty}; }

AIRealMatrix ConcatRealMatrix(const AIRealMatrix& m, const AIRealMatrix& n) {
    return {m.a * n.a + m.b * n.c,   m.a * n.b + m.b * n.d,          m.c * n.a + m.d * n.c,
            m.c * n.b + m.d * n.d,   m.tx * n.a + m.ty * n.c + n.tx, m.tx * n.b + m.ty * n.d + n.ty};
}

bool InvertRealMatrix(AIRealMatrix* m) {
    const double det = static_cast<double>(m->a) * m->d - static_cast<double>(m->b) * m->c;
    if (det == 0 || !std::isfinite(det)) return false;
    const double a = m->d / det, b = -m->b / det, c = -m->c / det, d = m->a / det;
    const double tx = -(m->tx * a + m->ty * c), ty = -(m->tx * b + m->ty * d);
    for (double v : {a, b, c, d, tx, ty})
        if (!std::isfinite(static_cast<AIReal>(v))) return false;
    *m = {static_cast<AIReal>(a), static_cast<AIReal>(b),  static_cast<AIReal>(c),
          static_cast<AIReal>(d), static_cast<AIReal>(tx), static_cast<AIReal>(ty)};
    return true;
}

bool WellConditioned(const AIRealMatrix& m) {
    constexpr double kLeastArea = 1e-4;  // of the determinant against the largest entry squared
    const double det = static_cast<double>(m.a) * m.d - static_cast<double>(m.b) * m.c;
    const double largest = std::max({std::fabs(m.a), std::fabs(m.b), std::fabs(m.c), std::fabs(m.d)});
    return std::isfinite(det) && std::isfinite(m.tx) && std::isfinite(m.ty) && largest > 0 &&
           std::fabs(det) >= kLeastArea * largest * largest;
}

AIRealPoint XformRealPoint(const AIRealMatrix& m, const AIRealPoint& p) {
    return {m.a * p.h + m.c * p.v + m.tx, m.b * p.h + m.d * p.v + m.ty};
}

PointError XformError(const AIRealMatrix& m, const AIRealPoint& p, const PointError& in) {
    // One coordinate, x·h + y·v + t as the floats take it.
    const auto coordinate = [&](AIReal x, AIReal y, AIReal t) {
        const double xh = static_cast<double>(x) * p.h, yv = static_cast<double>(y) * p.v;
        const double carried = std::fabs(x) * in.h + std::fabs(y) * in.v;
        const double entries = floatSpacing(std::fabs(xh)) + floatSpacing(std::fabs(yv)) + floatSpacing(std::fabs(t));
        const double sums = floatSpacing(std::fabs(xh)) + floatSpacing(std::fabs(yv)) +
                            floatSpacing(std::fabs(xh + yv)) + floatSpacing(std::fabs(xh + yv + t));
        return carried + (entries + sums) / 2;
    };
    return {coordinate(m.a, m.c, m.tx), coordinate(m.b, m.d, m.ty)};
}

// --- faces ------------------------------------------------------------------------------

bool AxonometricFaceMatrix(const iso_view& view, int32_t face, const AIRealRect& flat, AIRealMatrix* matrix,
                           AIRealPoint* pivot) {
    const bool tiltUp = view.t > 0;
    AIRealPoint p{};
    AIRealMatrix steps = IdentityRealMatrix();
    switch (face) {
        case kAxoLeftFace:
            p = {flat.right, tiltUp ? flat.top : flat.bottom};
            steps = ConcatRealMatrix(Scaling(view.bf * std::cos(kPi - view.b), view.cf),
                                     VerticalShear(std::tan(view.b - kPi)));
            break;
        case kAxoRightFace:
            p = {flat.left, tiltUp ? flat.top : flat.bottom};
            steps = ConcatRealMatrix(Scaling(view.af * std::cos(view.a), view.cf), VerticalShear(std::tan(view.a)));
            break;
        case kAxoTopFace: {
            p = {flat.right, tiltUp ? flat.bottom : flat.top};
            const AIReal skew = view.b - view.a - kHalfPi;
            steps = ConcatRealMatrix(Scaling(view.bf, view.af * std::fabs(std::cos(skew))), HorizontalShear(std::tan(skew)));
            steps = ConcatRealMatrix(steps, Rotation(view.b - kPi));
            break;
        }
        default:
            return false;
    }
    AIRealMatrix m = ConcatRealMatrix(Translation(-p.h, -p.v), steps);
    *matrix = ConcatRealMatrix(m, Translation(p.h, p.v));
    *pivot = p;
    return true;
}

bool FlattenFaceCorners(const iso_view& view, int32_t face, AIRealPoint* p1, AIRealPoint* p2, AIRealPoint* p3,
                        AIRealPoint* p4) {
    const bool tiltDown = view.t < 0;
    AIReal widthFactor = 0, heightFactor = 0;
    const AIRealPoint* kept = nullptr;
    switch (face) {
        case kAxoLeftFace:
            widthFactor = view.bf, heightFactor = view.cf;
            kept = tiltDown ? p4 : p2;
            break;
        case kAxoRightFace:
            widthFactor = view.af, heightFactor = view.cf;
            kept = tiltDown ? p3 : p1;
            break;
        case kAxoTopFace:
            widthFactor = view.bf, heightFactor = view.af;
            kept = tiltDown ? p2 : p4;
            break;
        default:
            return false;
    }
    const AIReal w = Distance(*p1, *p2) / widthFactor;
    const AIReal h = Distance(*p1, *p3) / heightFactor;
    if (!std::isfinite(w) || !std::isfinite(h)) return false;
    const bool keptRight = kept == p2 || kept == p4, keptBottom = kept == p3 || kept == p4;
    const AIReal left = keptRight ? kept->h - w : kept->h;
    const AIReal top = keptBottom ? kept->v + h : kept->v;
    *p1 = {left, top};
    *p2 = {left + w, top};
    *p3 = {left, top - h};
    *p4 = {left + w, top - h};
    return true;
}

bool FlatCornersInside(const AIRealRect& area, const AIRealPoint& p1, const AIRealPoint& p2, const AIRealPoint& p3,
                       const AIRealPoint& p4) {
    return p1.h > area.left && p3.h > area.left && p2.h < area.right && p4.h < area.right && p1.v < area.top &&
           p2.v < area.top && p3.v > area.bottom && p4.v > area.bottom;
}

bool FlatBoundsFromProjectedBounds(int32_t face, const AIRealRect& b, const AIRealPoint& offset,
                                   const AIRealPoint& flatSize, AIReal tilt, AIRealRect* out) {
    const AIReal w = flatSize.h, h = flatSize.v;
    const AIRealPoint q{b.left + offset.h, b.top + offset.v};
    AIRealRect r{};
    switch (face) {
        case kAxoLeftFace:
        case kAxoRightFace:
            r.left = face == kAxoLeftFace ? b.right - w : b.left;
            r.right = face == kAxoLeftFace ? b.right : b.left + w;
            r.top = tilt > 0 ? q.v : q.v + h;
            r.bottom = tilt > 0 ? q.v - h : q.v;
            break;
        case kAxoTopFace:
            // The pivot is the flat bottom (tilted up) or top corner. For a rectangle it is
            // also the projected bottom or top, but not for a circle, whose projection does
            // not reach its bounding corner; the pivot holds for both.
            r.left = q.h - w;
            r.right = q.h;
            r.top = tilt > 0 ? q.v + h : q.v;
            r.bottom = tilt > 0 ? q.v : q.v - h;
            break;
        default:
            return false;
    }
    *out = r;
    return true;
}

// --- grids ------------------------------------------------------------------------------

int32_t GridLineCount(AIReal extent, AIReal increment) {
    if (!(increment > 0) || !std::isfinite(increment) || !std::isfinite(extent)) return 0;
    // The slack keeps a side that is a whole number of increments, give or take float
    // rounding, at exactly that many lines.
    const double n = std::floor(std::fabs(static_cast<double>(extent)) / increment + 1e-4);
    return static_cast<int32_t>(std::min<double>(n, kMaxGridLines));
}

namespace {

// The smallest of 1, 2, 5 × 10^k (in units) that is at least x.
double DecimalStep(double x) {
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * decade >= x * (1 - 1e-9)) return m * decade;
    return 10 * decade;
}

// The first of the fixed steps (in units) that is at least x, else the decimal series
// from the last step on.
template <size_t N>
double StepFromList(double x, const double (&steps)[N]) {
    for (double s : steps)
        if (s >= x * (1 - 1e-9)) return s;
    return DecimalStep(x);
}

}  // namespace

void ChooseGridSpacing(int32_t units, double zoom, int32_t pixelsPerInch, double* spacing, double* subdivisions) {
    if (std::isfinite(zoom) && zoom < 0) zoom = 1 / -zoom;
    if (!std::isfinite(zoom) || zoom <= 0) zoom = 1;
    const double minimum = std::max(kGridMinimumPixels / zoom, 1.0);  // points
    const LengthUnit unit = lengthUnitOfCode(units);
    double unitPoints = unitToPoints(unit, 1.0, pixelsPerInch);
    if (!(unitPoints > 0) || !std::isfinite(unitPoints)) unitPoints = 1;
    double step = 0, parts = 10;
    if (isFeetInchUnit(units)) {
        // In inches: fractions of an inch, 1", 6", then whole feet.
        constexpr double kFeetSteps[] = {1.0 / 16, 1.0 / 8, 1.0 / 4, 1.0 / 2, 1, 6, 12};
        const double x = minimum / 72.0;
        step = x > 12 ? 12 * DecimalStep(x / 12) : StepFromList(x, kFeetSteps);
        step *= 72.0;
        parts = 12;
    } else if (isInchUnit(units)) {
        constexpr double kInchSteps[] = {1.0 / 16, 1.0 / 8, 1.0 / 4, 1.0 / 2, 1};
        step = StepFromList(minimum / unitPoints, kInchSteps) * unitPoints;
        parts = 8;
    } else {
        step = DecimalStep(minimum / unitPoints) * unitPoints;
        if (unit == LengthUnit::pica) parts = 12;
    }
    if (step / parts < 1) parts = step;  // an increment of at least one point
    *spacing = step;
    *subdivisions = parts;
}
