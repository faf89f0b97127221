// The pure maths of axonometric drawing: the view record, the 4×4 matrices and 3D points
// the isometric panel's view pad draws with, the 2D face matrices that project flat art
// onto the left, right and top faces of a view, the flat rectangle recovered from a
// face's projected corners or from a record's sizes, the grid-line count of a depth grid
// and the choice of a grid spacing. Points are host points (h right, v up), angles
// radians, arithmetic in floats as the host computes it.
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"
#include "geometry/PointMath.h"

// The current axonometric view: receding-axis angles (radians), axis scale factors, and
// the rotation and tilt (degrees) they are derived from.
struct iso_view {
    AIReal a = 0, b = 0, c = 0;
    AIReal af = 0, bf = 0, cf = 0;
    AIReal r = 0, t = 0;
};

// Face codes of axonometric art.
constexpr int32_t kAxoLeftFace = 0x80;
constexpr int32_t kAxoRightFace = 0x100;
constexpr int32_t kAxoTopFace = 0x200;
constexpr int32_t kAxoNoFace = 8;

bool IsAxonometricFace(int32_t face);  // left, right or top

// ---------------------------------------------------------------------------------------
// 3D maths of the view pad. Matrices are [row][column]; points are rows (x, y, z, 1)
// multiplied on the left, so the translation sits in row 3.

using Matrix4D = AIReal[4][4];

struct Plotwise3_3D_Point {
    AIReal x, y, z;
};
struct Plotwise3_3D_Cube {
    Plotwise3_3D_Point v1, v2, v3, v4, v5, v6, v7, v8;
};
struct Plotwise3_3D_Axis {
    Plotwise3_3D_Point o, x, y, z;
};
struct Plotwise3_2D_Real_Cube {
    AIRealPoint v1, v2, v3, v4, v5, v6, v7, v8;
};
struct Plotwise3_2D_Real_Axis {
    AIRealPoint o, x, y, z;
};
struct Plotwise3_2D_Int_Cube {
    ADMPoint v1, v2, v3, v4, v5, v6, v7, v8;
};
struct Plotwise3_2D_Int_Axis {
    ADMPoint o, x, y, z;
};

// Projection modes of Project.
constexpr int32_t kOrthographicProjection = 1;

void SetMatrix4DIdentity(Matrix4D m);
void CopyMatrix4D(Matrix4D dest, const Matrix4D src);
// out = a × b; out may be a or b.
void Matrix4DMul(const Matrix4D a, const Matrix4D b, Matrix4D out);
void ConcatMatrix4DRotateX(Matrix4D m, AIReal angle);  // m = m × Rx(angle)
void ConcatMatrix4DRotateY(Matrix4D m, AIReal angle);  // m = m × Ry(angle)
void Transform3DPoint(const Matrix4D m, Plotwise3_3D_Point* point);
void Transform3DCube(const Matrix4D m, Plotwise3_3D_Cube* cube);
void Transform3DAxis(const Matrix4D m, Plotwise3_3D_Axis* axis);
// Mode 1: (x, -y). Any other mode divides by depth: (x / z, -y / z); at depth 0 the point
// is projected orthographically instead of to infinity.
void Project(const Plotwise3_3D_Point* point, AIRealPoint* out, int32_t mode);
void Project3DCubeTo2DCube(const Plotwise3_3D_Cube* cube, Plotwise3_2D_Real_Cube* out, int32_t mode);
void Project3DAxisTo2DAxis(const Plotwise3_3D_Axis* axis, Plotwise3_2D_Real_Axis* out, int32_t mode);
void TranslatePoint(AIRealPoint* point, AIReal dh, AIReal dv);
void Translate2DCube(Plotwise3_2D_Real_Cube* cube, AIReal dh, AIReal dv);
void Translate2DAxis(Plotwise3_2D_Real_Axis* axis, AIReal dh, AIReal dv);
// Each coordinate truncated toward zero; values beyond the integer range saturate and
// a value that is not a number gives 0.
void ConvertASRealPointToASPoint(const AIRealPoint* point, ADMPoint* out);
void Convert2DRealCubeTo2DIntCube(const Plotwise3_2D_Real_Cube* cube, Plotwise3_2D_Int_Cube* out);
void Convert2DRealAxisTo2DIntAxis(const Plotwise3_2D_Real_Axis* axis, Plotwise3_2D_Int_Axis* out);

// ---------------------------------------------------------------------------------------
// 2D matrices as the host's real-maths suite computes them: (x, y) maps to
// (a·x + c·y + tx, b·x + d·y + ty), and a concatenated step applies after the matrix.

AIRealMatrix IdentityRealMatrix();
// The matrix that moves by (tx, ty).
AIRealMatrix Translation(AIReal tx, AIReal ty);
AIRealMatrix ConcatRealMatrix(const AIRealMatrix& first, const AIRealMatrix& then);
// False (m unchanged) for a singular matrix or one that is not finite.
bool InvertRealMatrix(AIRealMatrix* m);
// Whether the matrix can be turned back without blowing art up: finite, and its determinant
// at least 1e-4 of its largest entry squared (a face seen edge-on is not).
bool WellConditioned(const AIRealMatrix& m);
AIRealPoint XformRealPoint(const AIRealMatrix& m, const AIRealPoint& p);
// How far XformRealPoint(m, p) may lie from the image of the point meant, p lying within
// `in` of that point: its error carried through the matrix, and half a float's spacing for
// each rounding the floats take (the entries', the products', the sums').
PointError XformError(const AIRealMatrix& m, const AIRealPoint& p, const PointError& in);

// ---------------------------------------------------------------------------------------
// Faces

// The matrix M that projects the flat rectangle onto the face of the view, and its pivot
// P, a fixed point of M: translate(-P), the face's steps, translate(+P). The pivot is a
// corner of the rectangle chosen by the face and the sign of the tilt. False (outputs
// untouched) for a code that is not a face.
bool AxonometricFaceMatrix(const iso_view& view, int32_t face, const AIRealRect& flat, AIRealMatrix* matrix,
                           AIRealPoint* pivot);

// The four projected corners of a face (p1, p2 the ends of its horizontal edge, p1, p3
// the ends of its vertical edge) rebuilt as the axis-aligned flat rectangle p1 top-left,
// p2 top-right, p3 bottom-left, p4 bottom-right, keeping the corner the face and tilt
// sign choose. False (corners untouched) for a code that is not a face or a size that
// does not come out finite (a zero axis factor).
bool FlattenFaceCorners(const iso_view& view, int32_t face, AIRealPoint* p1, AIRealPoint* p2, AIRealPoint* p3,
                        AIRealPoint* p4);
// True when p1 and p3 lie strictly right of the area's left edge, p2 and p4 strictly
// left of its right edge, p1 and p2 strictly below its top and p3 and p4 strictly above
// its bottom.
bool FlatCornersInside(const AIRealRect& area, const AIRealPoint& p1, const AIRealPoint& p2, const AIRealPoint& p3,
                       const AIRealPoint& p4);

// The flat bounds of axonometric art rebuilt from its projected bounds, the record's
// offset (pivot minus the projected top-left corner) and flat size, and the tilt: the
// side faces keep the projected left or right edge, the top face the pivot's h; vertically
// the pivot is the flat top (tilted up) or bottom of a side face and the flat bottom or top
// of the top face. False (out untouched) for a code that is not a face.
bool FlatBoundsFromProjectedBounds(int32_t face, const AIRealRect& projected, const AIRealPoint& offset,
                                   const AIRealPoint& flatSize, AIReal tilt, AIRealRect* out);

// ---------------------------------------------------------------------------------------
// Grids

// How many grid lines of one family fit from one edge of a grid of that extent, a line
// every increment, the opposite edge excluded: floor(|extent| / increment) with a little
// slack for rounding, 0 for an increment that is not positive or not finite, and at most
// kMaxGridLines.
constexpr int32_t kMaxGridLines = 10000;
int32_t GridLineCount(AIReal extent, AIReal increment);

// The major grid spacing and its subdivisions for a ruler unit at a zoom: the smallest
// step of the unit's series (1, 2 or 5 × 10^k units; picas, inches and feet by their own
// steps) that is at least kGridMinimumPixels on screen and at least 1 point, divided
// into 10 (8 for inches, 12 for picas and feet) or fewer, so that the increment never
// falls below 1 point. A zoom that is not a positive finite number counts as 1; a negative
// zoom z stands for 1 / -z. `subdivisions` is unrounded.
constexpr double kGridMinimumPixels = 50.0;
void ChooseGridSpacing(int32_t units, double zoom, int32_t pixelsPerInch, double* spacing, double* subdivisions);
