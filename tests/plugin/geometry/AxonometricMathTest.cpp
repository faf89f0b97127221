// Axonometric maths against independent computations: the view pad's 4×4 matrices
// (products written out by hand), the face matrices against the faces built directly on
// the view's axes (flat x along the receding axis, flat y up or along the other axis),
// the flat corners of a face, flat bounds from a record, grid-line counts and spacing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ReadBack.h"
#include "geometry/AxonometricMath.h"
#include "geometry/UnitFormat.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

iso_view View(double aDeg, double bDeg, double af, double bf, double cf, double t) {
    iso_view v;
    v.a = static_cast<AIReal>(aDeg * kPi / 180);
    v.b = static_cast<AIReal>(bDeg * kPi / 180);
    v.af = static_cast<AIReal>(af);
    v.bf = static_cast<AIReal>(bf);
    v.cf = static_cast<AIReal>(cf);
    v.t = static_cast<AIReal>(t);
    return v;
}

const iso_view kIsometric = View(30, 150, 1, 1, 1, 35.26);
// A dimetric view: receding axes at 7 and 138.6 degrees, one axis foreshortened by half.
const iso_view kDimetric = View(7.0, 138.6, 0.5, 0.94, 0.94, 20);

// The view tilted the other way: seen from below, the receding axes point down.
iso_view Tilted(const iso_view& base, AIReal tilt) {
    iso_view v = base;
    v.t = tilt;
    if (tilt < 0) v.a = -base.a, v.b = -base.b;
    return v;
}

// Where a flat point lands, from the axes of the view (double precision): the face is
// spanned by flat x running against the receding axis of b (left, top) or along a
// (right), and flat y running up (side faces) or along the axis of a, away from the
// viewer (top face).
AIRealPoint Expected(const iso_view& v, int32_t face, AIRealPoint pivot, AIRealPoint flat) {
    const double dx = flat.h - pivot.h, dy = flat.v - pivot.v;
    const double a = v.a, b = v.b;
    double h = 0, w = 0;
    switch (face) {
        case kAxoLeftFace:
            h = -v.bf * std::cos(b) * dx;
            w = -v.bf * std::sin(b) * dx + v.cf * dy;
            break;
        case kAxoRightFace:
            h = v.af * std::cos(a) * dx;
            w = v.af * std::sin(a) * dx + v.cf * dy;
            break;
        default: {
            const double away = std::cos(b - a - kPi / 2) < 0 ? -1 : 1;
            h = -v.bf * std::cos(b) * dx + away * v.af * std::cos(a) * dy;
            w = -v.bf * std::sin(b) * dx + away * v.af * std::sin(a) * dy;
        }
    }
    return {static_cast<AIReal>(pivot.h + h), static_cast<AIReal>(pivot.v + w)};
}

TEST(Matrix4D, ProductsRotationsAndAliasing) {
    Matrix4D m;
    SetMatrix4DIdentity(m);
    ConcatMatrix4DRotateY(m, static_cast<AIReal>(kPi / 2));
    Plotwise3_3D_Point p{1, 0, 0};
    Transform3DPoint(m, &p);
    EXPECT_NEAR(p.x, 0, 1e-6);
    EXPECT_NEAR(p.y, 0, 1e-6);
    EXPECT_NEAR(p.z, -1, 1e-6);

    // Ry(r) then Rx(t): a point turns about y first. (0, 0, 1) under Ry(90°) goes to
    // (1, 0, 0), which Rx leaves alone; the other order would give (0, -sin t, cos t).
    SetMatrix4DIdentity(m);
    ConcatMatrix4DRotateY(m, static_cast<AIReal>(kPi / 2));
    ConcatMatrix4DRotateX(m, static_cast<AIReal>(kPi / 6));
    Plotwise3_3D_Point q{0, 0, 1};
    Transform3DPoint(m, &q);
    EXPECT_NEAR(q.x, 1, 1e-6);
    EXPECT_NEAR(q.y, 0, 1e-6);
    EXPECT_NEAR(q.z, 0, 1e-6);

    // An aliased product equals the product into a separate matrix, written out by hand.
    Matrix4D a = {{1, 2, 0, 0}, {0, 1, 3, 0}, {0, 0, 1, 0}, {4, 5, 6, 1}};
    const Matrix4D b = {{2, 0, 0, 0}, {1, 1, 0, 0}, {0, 1, 1, 0}, {0, 0, 0, 1}};
    // Row 0: (1·2 + 2·1, 2·1, 0, 0) = (4, 2, 0, 0); row 1: (1, 1 + 3, 3, 0); row 3: (4·2 + 5, 5 + 6, 6, 1).
    Matrix4DMul(a, b, a);
    const Matrix4D want = {{4, 2, 0, 0}, {1, 4, 3, 0}, {0, 1, 1, 0}, {13, 11, 6, 1}};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(a[i][j], want[i][j]) << i << "," << j;

    // A rotation by 0 changes nothing; the translation row moves points.
    Matrix4D t;
    CopyMatrix4D(t, want);
    ConcatMatrix4DRotateX(t, 0);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(t[i][j], want[i][j]);
    Plotwise3_3D_Point origin{0, 0, 0};
    Transform3DPoint(want, &origin);
    EXPECT_EQ(origin.x, 13);
    EXPECT_EQ(origin.y, 11);
    EXPECT_EQ(origin.z, 6);
}

TEST(Matrix4D, ProjectionTranslationAndIntegerPoints) {
    const Plotwise3_3D_Point p{3, 4, 5};
    AIRealPoint out{};
    Project(&p, &out, 1);
    EXPECT_EQ(out.h, 3);
    EXPECT_EQ(out.v, -4);
    Project(&p, &out, 2);
    EXPECT_NEAR(out.h, 0.6, 1e-6);
    EXPECT_NEAR(out.v, -0.8, 1e-6);
    const Plotwise3_3D_Point flat{3, 4, 0};
    Project(&flat, &out, 2);
    EXPECT_TRUE(std::isfinite(out.h) && std::isfinite(out.v)) << "depth 0 gives no infinity";

    ADMPoint ip{};
    const AIRealPoint r{0.99f, -0.99f};
    ConvertASRealPointToASPoint(&r, &ip);
    EXPECT_EQ(ip.h, 0);
    EXPECT_EQ(ip.v, 0);
    const AIRealPoint r2{2.7f, -2.7f};
    ConvertASRealPointToASPoint(&r2, &ip);
    EXPECT_EQ(ip.h, 2);
    EXPECT_EQ(ip.v, -2);
    const AIRealPoint huge{3e20f, std::numeric_limits<float>::quiet_NaN()};
    ConvertASRealPointToASPoint(&huge, &ip);
    EXPECT_EQ(ip.h, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ip.v, 0);

    // A unit cube seen straight on: the pad's pipeline, corner by corner.
    Plotwise3_3D_Cube cube{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    Matrix4D id;
    SetMatrix4DIdentity(id);
    Transform3DCube(id, &cube);
    Plotwise3_2D_Real_Cube flatCube{};
    Project3DCubeTo2DCube(&cube, &flatCube, 1);
    Translate2DCube(&flatCube, 10.5f, 20.5f);
    Plotwise3_2D_Int_Cube ic{};
    Convert2DRealCubeTo2DIntCube(&flatCube, &ic);
    EXPECT_EQ(ic.v3.h, 11);
    EXPECT_EQ(ic.v3.v, 19);
    EXPECT_EQ(ic.v8.h, 10);
    EXPECT_EQ(ic.v8.v, 19);
    Plotwise3_3D_Axis axis{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Transform3DAxis(id, &axis);
    Plotwise3_2D_Real_Axis ax{};
    Project3DAxisTo2DAxis(&axis, &ax, 1);
    Translate2DAxis(&ax, 1, 1);
    Plotwise3_2D_Int_Axis ia{};
    Convert2DRealAxisTo2DIntAxis(&ax, &ia);
    EXPECT_EQ(ia.y.v, 0);
    EXPECT_EQ(ia.x.h, 2);
}

TEST(FaceMatrix, StandardIsometricSquare) {
    const AIRealRect sq{0, 100, 100, 0};
    AIRealMatrix m{};
    AIRealPoint p{};
    // Left face: the top-right corner stays; the top edge rises to the left at 30°.
    ASSERT_TRUE(AxonometricFaceMatrix(kIsometric, kAxoLeftFace, sq, &m, &p));
    EXPECT_PT(p, {100, 100}, 0) << "left pivot";
    EXPECT_PT(XformRealPoint(m, {0, 100}), {13.397f, 150}, 1e-3) << "left top-left";
    EXPECT_PT(XformRealPoint(m, {100, 0}), {100, 0}, 1e-4) << "left bottom-right";
    // Right face: the top-left corner stays; the top edge rises to the right.
    ASSERT_TRUE(AxonometricFaceMatrix(kIsometric, kAxoRightFace, sq, &m, &p));
    EXPECT_PT(p, {0, 100}, 0) << "right pivot";
    EXPECT_PT(XformRealPoint(m, {100, 100}), {86.603f, 150}, 1e-3) << "right top-right";
    // Top face: the bottom-right corner P stays and the square becomes the rhombus
    // P, P + (-86.6, 50), P + (0, 100), P + (86.6, 50).
    ASSERT_TRUE(AxonometricFaceMatrix(kIsometric, kAxoTopFace, sq, &m, &p));
    EXPECT_PT(p, {100, 0}, 0) << "top pivot";
    EXPECT_PT(XformRealPoint(m, {0, 0}), {100 - 86.603f, 50}, 1e-3) << "top bottom-left";
    EXPECT_PT(XformRealPoint(m, {0, 100}), {100, 100}, 1e-3) << "top top-left";
    EXPECT_PT(XformRealPoint(m, {100, 100}), {186.603f, 50}, 1e-3) << "top top-right";
}

TEST(FaceMatrix, AgreesWithTheViewAxesForEveryFaceTiltAndView) {
    const AIRealRect flat{-30, 80, 45, 10};
    const AIRealPoint samples[] = {{-30, 80}, {45, 80}, {-30, 10}, {45, 10}, {7.5f, 45}, {200, -70}};
    for (const iso_view* base : {&kIsometric, &kDimetric}) {
        for (AIReal tilt : {20.0f, 0.0f, -20.0f}) {
            const iso_view v = Tilted(*base, tilt);
            for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
                AIRealMatrix m{};
                AIRealPoint p{};
                ASSERT_TRUE(AxonometricFaceMatrix(v, face, flat, &m, &p));
                // The pivot by face and tilt sign (t = 0 counts as t ≤ 0).
                const bool up = tilt > 0;
                const AIRealPoint pivot = face == kAxoLeftFace   ? AIRealPoint{45, up ? 80.0f : 10.0f}
                                          : face == kAxoRightFace ? AIRealPoint{-30, up ? 80.0f : 10.0f}
                                                                  : AIRealPoint{45, up ? 10.0f : 80.0f};
                EXPECT_PT(p, pivot, 0) << "pivot";
                EXPECT_PT(XformRealPoint(m, p), p, 1e-4) << "the pivot is fixed";
                for (const AIRealPoint& s : samples)
                    EXPECT_PT(XformRealPoint(m, s), Expected(v, face, pivot, s), 2e-3) << "face point";
                // Projection then inversion gives the flat point back.
                AIRealMatrix inv = m;
                ASSERT_TRUE(InvertRealMatrix(&inv));
                for (const AIRealPoint& s : samples)
                    EXPECT_PT(XformRealPoint(inv, XformRealPoint(m, s)), s, 1e-3) << "round trip";
            }
        }
    }
    AIRealMatrix m{};
    AIRealPoint p{};
    EXPECT_FALSE(AxonometricFaceMatrix(kIsometric, kAxoNoFace, flat, &m, &p));
}

TEST(RealMatrix, SingularMatricesAreNotInverted) {
    AIRealMatrix m{1, 2, 2, 4, 5, 6};
    const AIRealMatrix before = m;
    EXPECT_FALSE(InvertRealMatrix(&m));
    EXPECT_EQ(m.a, before.a);
    EXPECT_EQ(m.tx, before.tx);
    AIRealMatrix nan{std::numeric_limits<float>::quiet_NaN(), 0, 0, 1, 0, 0};
    EXPECT_FALSE(InvertRealMatrix(&nan));
    // Concatenation applies the second step after the first: scale by 2, then move by 10.
    const AIRealMatrix both = ConcatRealMatrix({2, 0, 0, 2, 0, 0}, {1, 0, 0, 1, 10, 0});
    EXPECT_PT(XformRealPoint(both, {1, 1}), {12, 2}, 0) << "scale then move";
}

TEST(FaceCorners, FlattenedCornersKeepTheCornerOfTheTiltSign) {
    // Project a flat 72 × 36 rectangle with its top-left corner at (10, 50) onto each
    // face, hand the projected corners in, and expect the flat rectangle around the kept
    // corner.
    const AIRealRect flat{10, 50, 82, 14};
    for (const iso_view* base : {&kIsometric, &kDimetric}) {
        for (AIReal tilt : {20.0f, 0.0f, -20.0f}) {
            const iso_view v = Tilted(*base, tilt);
            for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
                AIRealMatrix m{};
                AIRealPoint pivot{};
                ASSERT_TRUE(AxonometricFaceMatrix(v, face, flat, &m, &pivot));
                AIRealPoint p1 = XformRealPoint(m, {10, 50}), p2 = XformRealPoint(m, {82, 50});
                AIRealPoint p3 = XformRealPoint(m, {10, 14}), p4 = XformRealPoint(m, {82, 14});
                // The corner that stays is where it was projected to.
                const bool down = tilt < 0;
                const int keptIndex = face == kAxoLeftFace ? (down ? 4 : 2)
                                      : face == kAxoRightFace ? (down ? 3 : 1)
                                                               : (down ? 2 : 4);
                const AIRealPoint keptBefore = keptIndex == 1 ? p1 : keptIndex == 2 ? p2 : keptIndex == 3 ? p3 : p4;
                ASSERT_TRUE(FlattenFaceCorners(v, face, &p1, &p2, &p3, &p4));
                const AIRealPoint keptAfter = keptIndex == 1 ? p1 : keptIndex == 2 ? p2 : keptIndex == 3 ? p3 : p4;
                EXPECT_PT(keptAfter, keptBefore, 1e-4) << "kept corner";
                EXPECT_NEAR(p2.h - p1.h, 72, 2e-3);
                EXPECT_NEAR(p1.v - p3.v, 36, 2e-3);
                EXPECT_EQ(p1.v, p2.v);
                EXPECT_EQ(p3.h, p1.h);
                EXPECT_EQ(p4.h, p2.h);
                EXPECT_EQ(p4.v, p3.v);
            }
        }
    }
    AIRealPoint a{0, 0}, b{10, 0}, c{0, -10}, d{10, -10};
    iso_view flatView = kIsometric;
    flatView.cf = 0;
    EXPECT_FALSE(FlattenFaceCorners(flatView, kAxoLeftFace, &a, &b, &c, &d)) << "a zero factor gives no size";
    EXPECT_EQ(b.h, 10);
}

TEST(FaceCorners, InsideMeansStrictlyInside) {
    const AIRealRect area{0, 100, 200, 0};
    EXPECT_TRUE(FlatCornersInside(area, {1, 99}, {199, 99}, {1, 1}, {199, 1}));
    EXPECT_FALSE(FlatCornersInside(area, {0, 99}, {199, 99}, {1, 1}, {199, 1})) << "on the left edge";
    EXPECT_FALSE(FlatCornersInside(area, {1, 99}, {200, 99}, {1, 1}, {199, 1})) << "on the right edge";
    EXPECT_FALSE(FlatCornersInside(area, {1, 99}, {199, 100}, {1, 1}, {199, 1})) << "on the top edge";
    EXPECT_FALSE(FlatCornersInside(area, {1, 99}, {199, 99}, {1, 1}, {199, 0})) << "on the bottom edge";
}

TEST(FlatBounds, FromProjectedBoundsAgreeWithTheProjection) {
    // Project a flat rectangle, take the bounds of its four projected corners and the
    // offset as projection stores it (pivot minus the projected top-left corner), and
    // rebuild the flat bounds. Views tilted down look from below (axes pointing down).
    const AIRealRect flat{-20, 60, 52, 24};
    for (const iso_view* base : {&kIsometric, &kDimetric}) {
        for (AIReal tilt : {25.0f, 0.0f, -25.0f}) {
            const iso_view v = Tilted(*base, tilt);
            for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
                // A level view (t = 0) sees the top face edge-on.
                if (face == kAxoTopFace && tilt == 0) continue;
                AIRealMatrix m{};
                AIRealPoint pivot{};
                ASSERT_TRUE(AxonometricFaceMatrix(v, face, flat, &m, &pivot));
                AIRealRect b{1e9f, -1e9f, -1e9f, 1e9f};
                for (AIRealPoint c : {AIRealPoint{-20, 60}, AIRealPoint{52, 60}, AIRealPoint{-20, 24}, AIRealPoint{52, 24}}) {
                    const AIRealPoint q = XformRealPoint(m, c);
                    b.left = std::min(b.left, q.h), b.right = std::max(b.right, q.h);
                    b.top = std::max(b.top, q.v), b.bottom = std::min(b.bottom, q.v);
                }
                const AIRealPoint offset{pivot.h - b.left, pivot.v - b.top};
                AIRealRect out{};
                ASSERT_TRUE(FlatBoundsFromProjectedBounds(face, b, offset, {72, 36}, tilt, &out));
                EXPECT_NEAR(out.left, flat.left, 2e-3) << face << " " << tilt;
                EXPECT_NEAR(out.right, flat.right, 2e-3) << face << " " << tilt;
                EXPECT_NEAR(out.top, flat.top, 2e-3) << face << " " << tilt;
                EXPECT_NEAR(out.bottom, flat.bottom, 2e-3) << face << " " << tilt;
            }
        }
    }
    AIRealRect untouched{1, 2, 3, 4};
    EXPECT_FALSE(FlatBoundsFromProjectedBounds(kAxoNoFace, {0, 1, 1, 0}, {}, {1, 1}, 1, &untouched));
    EXPECT_EQ(untouched.left, 1);
}

TEST(GridLines, CountsStayInsideTheOutline) {
    EXPECT_EQ(GridLineCount(100, 12), 8);
    EXPECT_EQ(GridLineCount(-100, 12), 8);
    EXPECT_EQ(GridLineCount(96, 12), 8) << "whole multiples: one line per increment";
    EXPECT_EQ(GridLineCount(95.99999f, 12), 8);
    // Metric spacing: 100 pt with 2.835-pt steps gives 35 lines, the last at 96.4 pt.
    EXPECT_EQ(GridLineCount(100, 2.835f), 35);
    EXPECT_EQ(GridLineCount(100, 0.5f), 200) << "a fractional increment counts in floating point";
    EXPECT_EQ(GridLineCount(100, 0), 0);
    EXPECT_EQ(GridLineCount(100, -3), 0);
    EXPECT_EQ(GridLineCount(100, std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(GridLineCount(std::numeric_limits<float>::infinity(), 1), 0);
    EXPECT_EQ(GridLineCount(1e9f, 1), kMaxGridLines);
}

TEST(GridSpacing, NiceStepsOfTheUnitAtLeastFiftyPixels) {
    double spacing = 0, parts = 0;
    // Millimetres at 100 %: 50 pt is 17.6 mm, so 20 mm in tenths of 2 mm.
    ChooseGridSpacing(kMillimeterUnits, 1.0, 72, &spacing, &parts);
    EXPECT_NEAR(spacing, 20 / 25.4 * 72, 1e-9);
    EXPECT_EQ(parts, 10);
    // Points at 200 %: 25 pt gives 50 pt.
    ChooseGridSpacing(kPointUnits, 2.0, 72, &spacing, &parts);
    EXPECT_NEAR(spacing, 50, 1e-9);
    // Inches: 50 pt is 0.69 in, so 1 inch in eighths; at 400 % a quarter inch.
    ChooseGridSpacing(kFractionalInchMarkUnits, 1.0, 72, &spacing, &parts);
    EXPECT_NEAR(spacing, 72, 1e-9);
    EXPECT_EQ(parts, 8);
    ChooseGridSpacing(kDecimalInchMarkUnits, 4.0, 72, &spacing, &parts);
    EXPECT_NEAR(spacing, 18, 1e-9);
    // Feet and inches zoomed out to 10 %: 500 pt is 6.9 in, so 1 foot in inches; at 1 %
    // 5000 pt is 5.8 feet, so 10 feet.
    ChooseGridSpacing(kFeetFractionalInchMarkUnits, 0.1, 72, &spacing, &parts);
    EXPECT_NEAR(spacing, 864, 1e-9);
    EXPECT_EQ(parts, 12);
    ChooseGridSpacing(kFeetFractionalInchMarkUnits, 0.01, 72, &spacing, &parts);
    EXPECT_NEAR(spacing, 10 * 864, 1e-6);
    // Zoomed far in, the increment never falls below one point.
    for (int32_t units = 0; units < kUnitCodeCount; ++units) {
        for (double zoom : {0.01, 1.0, 64.0, 1000.0, -4.0, 0.0, std::numeric_limits<double>::quiet_NaN()}) {
            ChooseGridSpacing(units, zoom, 72, &spacing, &parts);
            EXPECT_GE(spacing, 1.0) << units << " " << zoom;
            EXPECT_GE(parts, 1.0) << units << " " << zoom;
            EXPECT_GE(spacing / parts, 1.0 - 1e-9) << units << " " << zoom;
            EXPECT_TRUE(std::isfinite(spacing));
        }
    }
    // A negative zoom -4 stands for 25 %: 200 pt of millimetres gives 100 mm.
    ChooseGridSpacing(kMillimeterUnits, -4.0, 72, &spacing, &parts);
    EXPECT_NEAR(spacing, 100 / 25.4 * 72, 1e-9);
}

}  // namespace
