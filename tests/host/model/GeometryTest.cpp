// Geometry seen through the suites: exact curve bounds (a circle of four Bezier pieces,
// an S-curve, rotated art) against values computed independently by dense sampling;
// path measures; real maths and matrices in the host's conventions.
#include <cmath>

#include "HostFixture.h"

namespace {

struct Box {
    double left = INFINITY, top = -INFINITY, right = -INFINITY, bottom = INFINITY;
};

// Independent reference: sample every piece densely in double precision.
Box sampled(const std::vector<AIPathSegment>& segs, bool closed, const AIRealMatrix* m = nullptr) {
    Box b;
    const size_t n = segs.size();
    const size_t pieces = closed ? n : n - 1;
    for (size_t i = 0; i < pieces; ++i) {
        const AIPathSegment& s = segs[i];
        const AIPathSegment& e = segs[(i + 1) % n];
        const double xs[4] = {s.p.h, s.out.h, e.in.h, e.p.h}, ys[4] = {s.p.v, s.out.v, e.in.v, e.p.v};
        for (int k = 0; k <= 200000; ++k) {
            const double t = k / 200000.0, u = 1 - t;
            double x = u * u * u * xs[0] + 3 * u * u * t * xs[1] + 3 * u * t * t * xs[2] + t * t * t * xs[3];
            double y = u * u * u * ys[0] + 3 * u * u * t * ys[1] + 3 * u * t * t * ys[2] + t * t * t * ys[3];
            if (m) {
                const double nx = m->a * x + m->c * y + m->tx, ny = m->b * x + m->d * y + m->ty;
                x = nx;
                y = ny;
            }
            b.left = std::min(b.left, x);
            b.right = std::max(b.right, x);
            b.bottom = std::min(b.bottom, y);
            b.top = std::max(b.top, y);
        }
    }
    return b;
}

class GeometryTest : public HostTest {
protected:
    std::vector<AIPathSegment> segments(AIArtHandle art) {
        int16_t n = 0;
        sPath->GetPathSegmentCount(art, &n);
        std::vector<AIPathSegment> segs(static_cast<size_t>(n));
        sPath->GetPathSegments(art, 0, n, segs.data());
        return segs;
    }
};

TEST_F(GeometryTest, CircleOfFourPiecesMeasuresItsDiameterWhateverTheStroke) {
    AIArtHandle circle = nullptr;
    ASSERT_EQ(sShape->NewPointSizeOval({100, 300}, {100, 100}, false, false, true, &circle), kNoErr);
    AIPathStyle style{};
    sStyle->GetPathStyle(circle, &style);
    style.stroke.width = 12;  // a heavy stroke does not widen the bounds
    sStyle->SetPathStyle(circle, &style);
    AIRealRect r{};
    ASSERT_EQ(sArt->GetArtBounds(circle, &r), kNoErr);
    EXPECT_FLOAT_EQ(r.right - r.left, 100.0f);
    EXPECT_FLOAT_EQ(r.top - r.bottom, 100.0f);
    EXPECT_FLOAT_EQ(r.left, 100.0f);
    EXPECT_FLOAT_EQ(r.top, 300.0f);
    AIRealRect t{};
    const AIRealMatrix identity{1, 0, 0, 1, 0, 0};
    ASSERT_EQ(sArt->GetArtTransformBounds(circle, &identity, kNoStrokeBounds, &t), kNoErr);
    EXPECT_EQ(t.left, r.left);
    EXPECT_EQ(t.top, r.top);
    // The model's own ellipse matches the shape suite's.
    standin::ObjId id = 0;
    ASSERT_EQ(doc->addEllipse(0, 0, 100, 100, &id), kNoErr);
    ASSERT_TRUE(doc->bounds(id, &r));
    EXPECT_FLOAT_EQ(r.right - r.left, 100.0f);
}

TEST_F(GeometryTest, SCurveBoundsLieInsideTheHandlesAtTheTrueExtremes) {
    AIArtHandle s = nullptr;
    sArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, &s);
    const AIPathSegment segs[2] = {{{0, 0}, {0, 0}, {100, 120}, false}, {{100, 0}, {0, -120}, {100, 0}, false}};
    sPath->SetPathSegments(s, 0, 2, segs);
    AIRealRect r{};
    ASSERT_EQ(sArt->GetArtBounds(s, &r), kNoErr);
    const Box ref = sampled(segments(s), false);
    EXPECT_NEAR(r.left, ref.left, 1e-3);
    EXPECT_NEAR(r.right, ref.right, 1e-3);
    EXPECT_NEAR(r.top, ref.top, 1e-3);
    EXPECT_NEAR(r.bottom, ref.bottom, 1e-3);
    EXPECT_LT(r.top, 120.0f);  // not the handles' box
    EXPECT_GT(r.top, 30.0f);

    // Rotated by 30 degrees, through the transform bounds.
    AIRealMatrix m;
    sMath->AIRealMatrixSetRotate(&m, sMath->DegreeToRadian(30));
    ASSERT_EQ(sArt->GetArtTransformBounds(s, &m, kNoStrokeBounds, &r), kNoErr);
    const Box rot = sampled(segments(s), false, &m);
    EXPECT_NEAR(r.left, rot.left, 1e-3);
    EXPECT_NEAR(r.right, rot.right, 1e-3);
    EXPECT_NEAR(r.top, rot.top, 1e-3);
    EXPECT_NEAR(r.bottom, rot.bottom, 1e-3);
}

TEST_F(GeometryTest, GroupBoundsAndTransformsOfMembers) {
    AIArtHandle group = nullptr, a = nullptr;
    sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
    a = path({{0, 0}, {10, 0}});
    sArt->ReorderArt(a, kPlaceInsideOnTop, group);
    AIArtHandle b = path({{20, 30}, {40, 50}});
    sArt->ReorderArt(b, kPlaceInsideOnBottom, group);
    AIRealRect r{};
    sArt->GetArtBounds(group, &r);
    EXPECT_EQ(r.left, 0.0f);
    EXPECT_EQ(r.right, 40.0f);
    EXPECT_EQ(r.top, 50.0f);
    EXPECT_EQ(r.bottom, 0.0f);
    AIRealMatrix m;
    sMath->AIRealMatrixSetTranslate(&m, 5, -5);
    // Without the children flag a group's members stay put.
    sTransform->TransformArt(group, &m, 1, kTransformObjects);
    sArt->GetArtBounds(group, &r);
    EXPECT_EQ(r.left, 0.0f);
    sTransform->TransformArt(group, &m, 1, kTransformObjects | kTransformChildren);
    sArt->GetArtBounds(group, &r);
    EXPECT_EQ(r.left, 5.0f);
    EXPECT_EQ(r.bottom, -5.0f);
    AIRealMatrix bad{1, 0, 0, 1, NAN, 0};
    EXPECT_EQ(sTransform->TransformArt(group, &bad, 1, kTransformObjects), kBadParameterErr);
    AIArtHandle empty = nullptr;
    sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &empty);
    EXPECT_EQ(sArt->GetArtBounds(empty, &r), kNoErr);
    EXPECT_EQ(r.left, 0.0f);
    EXPECT_EQ(r.right, 0.0f);
}

TEST_F(GeometryTest, CoordinatesThatAreNotFiniteAreRefusedWhereTheyEnter) {
    AIArtHandle line = path({{0, 0}, {3e38f, 1}});
    const AIPathSegment bad[] = {{{1, 1}, {1, 1}, {1, 1}, true}, {{2, 2}, {NAN, 2}, {2, 2}, true}};
    EXPECT_EQ(sPath->SetPathSegments(line, 0, 2, bad), kBadParameterErr);
    EXPECT_EQ(sPath->InsertPathSegments(line, 1, 2, bad), kBadParameterErr);
    const AIPathSegment infinite[] = {{{INFINITY, 0}, {0, 0}, {0, 0}, true}};
    EXPECT_EQ(sPath->SetPathSegments(line, 2, 1, infinite), kBadParameterErr);
    // A finite matrix that throws a point past the largest coordinate moves nothing.
    AIRealMatrix twice;
    sMath->AIRealMatrixSetScale(&twice, 2, 2);
    AIArtHandle group = nullptr;
    ASSERT_EQ(sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
    AIArtHandle near = nullptr;
    ASSERT_EQ(sArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &near), kNoErr);
    const AIPathSegment small[] = {{{1, 1}, {1, 1}, {1, 1}, true}};
    ASSERT_EQ(sPath->SetPathSegments(near, 0, 1, small), kNoErr);
    ASSERT_EQ(sArt->ReorderArt(line, kPlaceInsideOnBottom, group), kNoErr);
    EXPECT_EQ(sTransform->TransformArt(group, &twice, 1, kTransformObjects | kTransformChildren), kBadParameterErr);
    AIPathSegment seg{};
    ASSERT_EQ(sPath->GetPathSegments(near, 0, 1, &seg), kNoErr);
    EXPECT_EQ(seg.p.h, 1.0f);  // its neighbour was not moved either
    ASSERT_EQ(sPath->GetPathSegments(line, 1, 1, &seg), kNoErr);
    EXPECT_EQ(seg.p.h, 3e38f);
}

TEST_F(GeometryTest, PathMeasures) {
    AIArtHandle square = path({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    AIReal area = 0, length = 0;
    sPath->GetPathArea(square, &area);
    EXPECT_FLOAT_EQ(area, 100.0f);  // counter-clockwise
    sPath->ReversePathSegments(square);
    sPath->GetPathArea(square, &area);
    EXPECT_FLOAT_EQ(area, -100.0f);
    sPath->GetPathLength(square, &length, 0.5f);
    EXPECT_FLOAT_EQ(length, 40.0f);
    AIArtHandle circle = nullptr;
    sShape->NewPointSizeOval({0, 100}, {100, 100}, false, false, false, &circle);
    sPath->GetPathLength(circle, &length, 0.01f);
    EXPECT_NEAR(length, 100 * M_PI, 0.1);  // four Bezier quarters are within 0.03 % of a circle
    sPath->GetPathArea(circle, &area);
    EXPECT_NEAR(std::fabs(area), 2500 * M_PI, 3);
    ASBoolean has = true;
    AIArtHandle dot = path({{5, 5}, {5, 5}});
    sPath->PathHasLength(dot, &has);
    EXPECT_FALSE(has);
    sPath->PathHasLength(square, &has);
    EXPECT_TRUE(has);
    AIRealBezier bez{};
    EXPECT_EQ(sPath->GetPathBezier(square, 3, &bez), kNoErr);  // the closing piece
    EXPECT_EQ(sPath->GetPathBezier(square, -1, &bez), kNoErr);
    EXPECT_EQ(sPath->GetPathBezier(square, 4, &bez), kOutOfRangeErr);
    EXPECT_EQ(sPath->GetPathBezier(dot, 1, &bez), kOutOfRangeErr);
}

TEST_F(GeometryTest, RealMathConventions) {
    const AIRealPoint o{0, 0}, left{-1, 0}, up{0, 2};
    EXPECT_FLOAT_EQ(sMath->AIRealPointAngle(&o, &left), kAIRealPi);  // (-pi, pi]
    EXPECT_FLOAT_EQ(sMath->AIRealPointAngle(&o, &up), kAIRealPi / 2);
    EXPECT_FLOAT_EQ(sMath->AIRealPointLength(&o, &up), 2.0f);
    AIRealPoint p{};
    sMath->AIRealPointLengthAngle(2, kAIRealPi / 2, &p);
    EXPECT_NEAR(p.h, 0, 1e-6);
    EXPECT_FLOAT_EQ(p.v, 2);
    EXPECT_TRUE(sMath->AIRealPointClose(&o, &up, 2.0f));
    EXPECT_FALSE(sMath->AIRealPointClose(&o, &up, 1.99f));
    EXPECT_EQ(sMath->AIRealToAIFixed(0.5f), 32768);
    EXPECT_EQ(sMath->AIRealToAIFixed(1.0f), 65536);
    EXPECT_EQ(sMath->AIRealToAIFixed(1e20f), INT32_MAX);
    EXPECT_EQ(sMath->AIRealToAIFixed(NAN), 0);
    EXPECT_FLOAT_EQ(sMath->AIFixedToAIReal(98304), 1.5f);
    EXPECT_EQ(sMath->AIRealDiv(1, 0), 0.0f);

    // A concatenated step applies after the matrix: scale, then translate.
    AIRealMatrix m;
    sMath->AIRealMatrixSetScale(&m, 2, 2);
    sMath->AIRealMatrixConcatTranslate(&m, 10, 0);
    const AIRealPoint one{1, 1};
    sMath->AIRealMatrixXformPoint(&m, &one, &p);
    EXPECT_FLOAT_EQ(p.h, 12);
    EXPECT_FLOAT_EQ(p.v, 2);
    AIRealMatrix inv = m;
    ASSERT_EQ(sMath->AIRealMatrixInvert(&inv), kNoErr);
    AIRealPoint back{};
    sMath->AIRealMatrixXformPoint(&inv, &p, &back);
    EXPECT_FLOAT_EQ(back.h, 1);
    EXPECT_FLOAT_EQ(back.v, 1);
    AIRealMatrix singular{1, 2, 2, 4, 0, 0};
    EXPECT_EQ(sMath->AIRealMatrixInvert(&singular), kMatrixNotInvertibleErr);
    EXPECT_EQ(singular.b, 2);  // left as it was

    AIRealRect r{0, 10, 10, 0};
    sMath->AIRealRectInset(&r, -2, -2);  // a negative inset grows
    EXPECT_EQ(r.left, -2);
    EXPECT_EQ(r.top, 12);
    EXPECT_EQ(r.bottom, -2);
}

TEST_F(GeometryTest, ABezierGivesItsMiddleAndTangentAndMeasuresAsItsTwoHalves) {
    const AIRealBezier b{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    AIRealPoint p{}, v{};
    sBezier->PointAndTangent(&b, 0.5f, &p, &v);
    EXPECT_FLOAT_EQ(p.h, 5);
    EXPECT_FLOAT_EQ(p.v, 7.5f);
    EXPECT_FLOAT_EQ(v.v, 0);
    EXPECT_GT(v.h, 0);
    AIRealBezier first{}, second{};
    sBezier->Divide(&b, 0.5f, &first, &second);
    EXPECT_EQ(first.p3.h, second.p0.h);
    EXPECT_FLOAT_EQ(first.p3.v, 7.5f);
    const AIReal whole = sBezier->Length(&b, 0.01f);
    EXPECT_NEAR(sBezier->Length(&first, 0.01f) + sBezier->Length(&second, 0.01f), whole, 0.01);
    const AIRealBezier line{{0, 0}, {0, 0}, {3, 4}, {3, 4}};
    EXPECT_NEAR(sBezier->Length(&line, 1.0f), 5.0, 1e-4);
}

}  // namespace
