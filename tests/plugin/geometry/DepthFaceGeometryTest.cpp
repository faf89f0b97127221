// Drawing on a face, checked against independent numbers: drag directions for the angles
// worked out by hand for the isometric view (from above and from below), typed shapes
// placed so that their projection (the face built on the view's axes) lands on the click,
// and views derived from rotation and tilt against the built-in preset's numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/DepthFaceGeometry.h"
#include "geometry/IsoViewDerivation.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

iso_view View(double aDeg, double bDeg, double t) {
    iso_view v;
    v.a = static_cast<AIReal>(aDeg * kPi / 180);
    v.b = static_cast<AIReal>(bDeg * kPi / 180);
    v.af = v.bf = v.cf = 1;
    v.t = static_cast<AIReal>(t);
    return v;
}
const iso_view kAbove = View(30, 150, 35.26);
const iso_view kBelow = View(-30, -150, -35.26);

AIRealPoint At(double deg) {
    return {static_cast<AIReal>(100 * std::cos(deg * kPi / 180)), static_cast<AIReal>(100 * std::sin(deg * kPi / 180))};
}

TEST(DragDirection, ByFaceTiltAndAngle) {
    const struct {
        const iso_view& view;
        int32_t face;
        double degrees;
        DragDirection want;
    } cases[] = {
        // The left face's receding line falls to the right at 30 degrees.
        {kAbove, kAxoLeftFace, -20, kDraggingUpRight}, {kAbove, kAxoLeftFace, -40, kDraggingDownRight},
        {kAbove, kAxoLeftFace, 45, kDraggingUpRight},  {kAbove, kAxoLeftFace, 160, kDraggingDownLeft},
        {kAbove, kAxoLeftFace, 140, kDraggingUpLeft},  {kAbove, kAxoLeftFace, -100, kDraggingDownLeft},
        // The right face's rises to the right at 30 degrees.
        {kAbove, kAxoRightFace, 40, kDraggingUpRight}, {kAbove, kAxoRightFace, 20, kDraggingDownRight},
        {kAbove, kAxoRightFace, -45, kDraggingDownRight}, {kAbove, kAxoRightFace, -160, kDraggingUpLeft},
        {kAbove, kAxoRightFace, -140, kDraggingDownLeft}, {kAbove, kAxoRightFace, 100, kDraggingUpLeft},
        // The top face's edges at 30 and -30 degrees divide it into four sectors.
        {kAbove, kAxoTopFace, 10, kDraggingRight}, {kAbove, kAxoTopFace, 60, kDraggingUp},
        {kAbove, kAxoTopFace, 170, kDraggingLeft}, {kAbove, kAxoTopFace, -60, kDraggingDown},
        // Seen from below the same sectors hold, though b - pi lies a turn below -pi.
        {kBelow, kAxoTopFace, 10, kDraggingRight}, {kBelow, kAxoTopFace, 60, kDraggingUp},
        {kBelow, kAxoTopFace, -170, kDraggingLeft}, {kBelow, kAxoTopFace, -60, kDraggingDown},
        {kBelow, kAxoLeftFace, 40, kDraggingUpRight}, {kBelow, kAxoLeftFace, 20, kDraggingDownRight},
        // Level, plumb, or no face: no parallelogram.
        {kAbove, kAxoLeftFace, 0, kNoDragDirection}, {kAbove, kAxoTopFace, 90, kNoDragDirection},
        {kAbove, kAxoRightFace, 180, kNoDragDirection}, {kAbove, kAxoNoFace, 45, kNoDragDirection},
    };
    for (const auto& c : cases) {
        AIRealPoint e = At(c.degrees);
        if (c.degrees == 90) e.h = 0;  // exactly plumb
        if (c.degrees == 180) e.v = 0;
        EXPECT_EQ(ClassifyFaceDrag(c.view, c.face, {0, 0}, e), c.want) << c.face << " at " << c.degrees;
    }
}

// The projected bounds of a flat rectangle on a face, built on the view's axes: flat x
// against b (left, top faces) or along a (right face), flat y up (side faces) or along a
// away from the viewer (top face), about the corner the face and tilt keep fixed.
AIRealRect ProjectedBounds(const iso_view& v, int32_t face, AIRealRect r) {
    const bool up = v.t > 0;
    const AIRealPoint pivot{face == kAxoRightFace ? r.left : r.right,
                            (face == kAxoTopFace) == up ? r.bottom : r.top};
    const double away = std::cos(v.b - v.a - kPi / 2) < 0 ? -1 : 1;
    AIRealRect out{1e9f, -1e9f, -1e9f, 1e9f};
    for (AIRealPoint q : {AIRealPoint{r.left, r.top}, AIRealPoint{r.right, r.top}, AIRealPoint{r.left, r.bottom},
                          AIRealPoint{r.right, r.bottom}}) {
        const double dx = q.h - pivot.h, dy = q.v - pivot.v;
        double h = 0, w = 0;
        if (face == kAxoLeftFace) h = -v.bf * std::cos(v.b) * dx, w = -v.bf * std::sin(v.b) * dx + v.cf * dy;
        if (face == kAxoRightFace) h = v.af * std::cos(v.a) * dx, w = v.af * std::sin(v.a) * dx + v.cf * dy;
        if (face == kAxoTopFace) {
            h = -v.bf * std::cos(v.b) * dx + away * v.af * std::cos(v.a) * dy;
            w = -v.bf * std::sin(v.b) * dx + away * v.af * std::sin(v.a) * dy;
        }
        const AIReal x = static_cast<AIReal>(pivot.h + h), y = static_cast<AIReal>(pivot.v + w);
        out = {std::fmin(out.left, x), std::fmax(out.top, y), std::fmax(out.right, x), std::fmin(out.bottom, y)};
    }
    return out;
}

TEST(AdjustPointToAnchorPoint, ACentredShapeIsCentredOnTheClick) {
    // 72 by 36 on the left face with b = 150 degrees, tilted up: the worked example.
    AIRealPoint p{0, 0};
    AdjustPointToAnchorPoint(kAbove, &p, {0, 0, 72, -36}, kAxoLeftFace, true);
    EXPECT_NEAR(p.h, -40.823, 1e-3);
    EXPECT_NEAR(p.v, 0, 1e-3);
    const AIRealRect worked = ProjectedBounds(kAbove, kAxoLeftFace, {p.h, p.v, p.h + 72, p.v - 36});
    EXPECT_NEAR(worked.left, -31.177, 1e-3);
    EXPECT_NEAR(worked.right, 31.177, 1e-3);
    EXPECT_NEAR(worked.top, 36, 1e-3);
    EXPECT_NEAR(worked.bottom, -36, 1e-3);
    for (int32_t face : {kAxoLeftFace, kAxoRightFace, kAxoTopFace}) {
        for (const iso_view& v : {kAbove, View(20, 135, 25), kBelow, View(-20, -135, -25)}) {
            AIRealPoint q{50, 40};
            AdjustPointToAnchorPoint(v, &q, {50, 40, 122, 4}, face, true);
            const AIRealRect b = ProjectedBounds(v, face, {q.h, q.v, q.h + 72, q.v - 36});
            EXPECT_NEAR((b.left + b.right) / 2, 50, 1e-3) << face << " t " << v.t;
            EXPECT_NEAR((b.top + b.bottom) / 2, 40, 1e-3) << face << " t " << v.t;
        }
    }
}

TEST(AdjustPointToAnchorPoint, APlainShapeHasItsFixedCornerOnTheClick) {
    const struct {
        int32_t face;
        double tilt;
        bool right, top;  // the corner the projection holds fixed
    } cases[] = {
        {kAxoLeftFace, 30, true, true},   {kAxoLeftFace, 0, true, false},  {kAxoRightFace, 30, false, true},
        {kAxoRightFace, -30, false, false}, {kAxoTopFace, 30, true, false}, {kAxoTopFace, 0, true, true},
    };
    for (const auto& c : cases) {
        iso_view v = kAbove;
        v.t = static_cast<AIReal>(c.tilt);
        AIRealPoint p{100, 200};
        AdjustPointToAnchorPoint(v, &p, {100, 200, 172, 164}, c.face, false);
        EXPECT_EQ(c.right ? p.h + 72 : p.h, 100) << c.face << " t " << c.tilt;
        EXPECT_EQ(c.top ? p.v : p.v - 36, 200) << c.face << " t " << c.tilt;
    }
    AIRealPoint untouched{5, 6};
    AdjustPointToAnchorPoint(kAbove, &untouched, {5, 6, 77, -30}, kAxoNoFace, true);
    EXPECT_EQ(untouched.h, 5);
    EXPECT_EQ(untouched.v, 6);
}

TEST(IsoViewDerivation, TheBuiltInPresetsNumbers) {
    // The preset "Basic Engineering": rotation 45, tilt 35.266666.
    const iso_view v = DeriveIsoView(45, 35.266666f);
    EXPECT_NEAR(v.a, 0.52362305, 1e-4);
    EXPECT_NEAR(v.b, 2.6179695, 1e-4);
    EXPECT_NEAR(v.af, 0.81650805, 1e-5);
    EXPECT_NEAR(v.bf, 0.81650805, 1e-5);
    EXPECT_NEAR(v.cf, 0.8164736, 1e-5);
    EXPECT_NEAR(v.c, kPi / 2, 1e-6);
    // Rotation 30, tilt 25 worked by hand: a = atan2(sin r sin t, cos r), b = atan2(cos r
    // sin t, -sin r), af = sqrt(cos2 r + sin2 r sin2 t), bf = sqrt(sin2 r + cos2 r sin2 t).
    const iso_view w = DeriveIsoView(30, 25);
    EXPECT_NEAR(w.a, 0.23932252, 1e-5);
    EXPECT_NEAR(w.b, 2.5097138, 1e-5);
    EXPECT_NEAR(w.af, 0.8914323, 1e-5);
    EXPECT_NEAR(w.bf, 0.6196407, 1e-5);
    EXPECT_NEAR(w.cf, 0.9063078, 1e-5);
    EXPECT_EQ(w.r, 30);
    EXPECT_EQ(w.t, 25);
    // Without foreshortening the axes keep their directions at full length.
    const iso_view full = DeriveIsoView(30, 25, false);
    EXPECT_NEAR(full.a, 0.23932252, 1e-5);
    EXPECT_NEAR(full.b, 2.5097138, 1e-5);
    for (AIReal factor : {full.af, full.bf, full.cf}) EXPECT_EQ(factor, 1);
}

TEST(IsoViewDerivation, ViewsThatShowAFaceEdgeOnCannotBeUsed) {
    const struct {
        float r, t;
        bool usable;
    } cases[] = {
        {45, 35.266666f, true}, {45, -35.266666f, true}, {69, 20, true}, {45, 13, true}, {1, 1, true},
        {0, 30, false}, {90, 30, false}, {45, 0, false}, {45, 90, false}, {45, -90, false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsoViewIsUsable(DeriveIsoView(c.r, c.t)), c.usable) << c.r << " " << c.t;
    iso_view broken = DeriveIsoView(45, 30);
    broken.af = std::nanf("");
    EXPECT_FALSE(IsoViewIsUsable(broken));
}

}  // namespace
