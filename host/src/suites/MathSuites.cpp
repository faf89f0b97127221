// The real-maths and Bezier suites: pure functions computed in 32-bit floats, as the
// host does, so rounding matches what the plug-in's callers expect.
#include <algorithm>
#include <cmath>
#include <limits>

#include "AIRealBezier.h"
#include "AIRealMath.h"
#include "model/Geometry.h"
#include "suites/Suites.h"

namespace standin::suites {
namespace {

AIReal AIRealAdd(AIReal a, AIReal b) { return a + b; }
AIReal AIRealSub(AIReal a, AIReal b) { return a - b; }
AIReal AIRealMul(AIReal a, AIReal b) { return a * b; }
AIReal AIRealDiv(AIReal a, AIReal b) { return b == 0.0f ? 0.0f : a / b; }
AIReal AIRealSin(AIReal a) { return std::sin(a); }
AIReal AIRealCos(AIReal a) { return std::cos(a); }
AIReal AIRealATan2(AIReal y, AIReal x) { return std::atan2(y, x); }
AIReal AIRealSqrt(AIReal a) { return a <= 0.0f ? 0.0f : std::sqrt(a); }
AIReal DegreeToRadian(AIReal d) { return d * (kAIRealPi / 180.0f); }
AIReal RadianToDegree(AIReal r) { return r * (180.0f / kAIRealPi); }
AIReal AIFixedToAIReal(AIFixed f) { return static_cast<AIReal>(f) / 65536.0f; }

AIFixed AIRealToAIFixed(AIReal r) {
    if (std::isnan(r)) return 0;
    const double v = std::round(static_cast<double>(r) * 65536.0);
    if (v >= static_cast<double>(std::numeric_limits<AIFixed>::max())) return std::numeric_limits<AIFixed>::max();
    if (v <= static_cast<double>(std::numeric_limits<AIFixed>::min())) return std::numeric_limits<AIFixed>::min();
    return static_cast<AIFixed>(v);
}

ASBoolean EqualWithinTol(AIReal a, AIReal b, AIReal tol) { return std::fabs(a - b) <= tol; }

AIReal AIRealPointAngle(const AIRealPoint* a, const AIRealPoint* b) {
    if (!a || !b) return 0;
    const AIReal h = b->h - a->h, v = b->v - a->v;
    if (h == 0 && v == 0) return 0;
    AIReal angle = std::atan2(v, h);
    if (angle <= -kAIRealPi) angle = kAIRealPi;  // keep the range (-pi, pi]
    return angle;
}

AIReal AIRealPointLength(const AIRealPoint* a, const AIRealPoint* b) {
    if (!a || !b) return 0;
    return std::hypot(b->h - a->h, b->v - a->v);
}

void AIRealPointLengthAngle(AIReal length, AIReal angle, AIRealPoint* out) {
    if (out) *out = {length * std::cos(angle), length * std::sin(angle)};
}

void AIRealPointAdd(const AIRealPoint* a, const AIRealPoint* b, AIRealPoint* out) {
    if (a && b && out) *out = {a->h + b->h, a->v + b->v};
}

void AIRealPointSubtract(const AIRealPoint* a, const AIRealPoint* b, AIRealPoint* out) {
    if (a && b && out) *out = {a->h - b->h, a->v - b->v};
}

ASBoolean AIRealPointClose(const AIRealPoint* a, const AIRealPoint* b, AIReal tol) {
    return a && b && AIRealPointLength(a, b) <= tol;
}

ASBoolean AIRealPointEqual(const AIRealPoint* a, const AIRealPoint* b) {
    return a && b && a->h == b->h && a->v == b->v;
}

void AIRealRectSet(AIRealRect* r, AIReal left, AIReal top, AIReal right, AIReal bottom) {
    if (r) *r = {left, top, right, bottom};
}

void AIRealRectInset(AIRealRect* r, AIReal h, AIReal v) {
    if (!r) return;
    r->left += h;
    r->right -= h;
    r->top -= v;  // y up: the top comes down
    r->bottom += v;
}

void AIRealRectOffset(AIRealRect* r, AIReal h, AIReal v) {
    if (!r) return;
    r->left += h;
    r->right += h;
    r->top += v;
    r->bottom += v;
}

void AIRealRectUnion(const AIRealRect* a, const AIRealRect* b, AIRealRect* out) {
    if (!a || !b || !out) return;
    *out = {std::min(a->left, b->left), std::max(a->top, b->top), std::max(a->right, b->right),
            std::min(a->bottom, b->bottom)};
}

ASBoolean AIRealPointInAIRealRect(const AIRealPoint* p, const AIRealRect* r) {
    return p && r && p->h >= r->left && p->h <= r->right && p->v <= r->top && p->v >= r->bottom;
}

ASBoolean AIRealRectOverlap(const AIRealRect* a, const AIRealRect* b) {
    return a && b && a->left <= b->right && b->left <= a->right && a->bottom <= b->top && b->bottom <= a->top;
}

void AIRealMatrixSetIdentity(AIRealMatrix* m) {
    if (m) *m = {1, 0, 0, 1, 0, 0};
}

void AIRealMatrixSetTranslate(AIRealMatrix* m, AIReal tx, AIReal ty) {
    if (m) *m = {1, 0, 0, 1, tx, ty};
}

void AIRealMatrixSetScale(AIRealMatrix* m, AIReal h, AIReal v) {
    if (m) *m = {h, 0, 0, v, 0, 0};
}

void AIRealMatrixSetRotate(AIRealMatrix* m, AIReal angle) {
    if (!m) return;
    const AIReal c = std::cos(angle), s = std::sin(angle);
    *m = {c, s, -s, c, 0, 0};
}

void AIRealMatrixConcat(const AIRealMatrix* a, const AIRealMatrix* b, AIRealMatrix* out) {
    if (a && b && out) *out = geom::concat(*a, *b);
}

void AIRealMatrixConcatTranslate(AIRealMatrix* m, AIReal tx, AIReal ty) {
    if (!m) return;
    const AIRealMatrix t{1, 0, 0, 1, tx, ty};
    *m = geom::concat(*m, t);
}

void AIRealMatrixConcatScale(AIRealMatrix* m, AIReal h, AIReal v) {
    if (!m) return;
    const AIRealMatrix s{h, 0, 0, v, 0, 0};
    *m = geom::concat(*m, s);
}

void AIRealMatrixConcatRotate(AIRealMatrix* m, AIReal angle) {
    if (!m) return;
    AIRealMatrix r;
    AIRealMatrixSetRotate(&r, angle);
    *m = geom::concat(*m, r);
}

AIErr AIRealMatrixInvert(AIRealMatrix* m) {
    if (!m) return kBadParameterErr;
    AIRealMatrix inv;
    if (!geom::invert(*m, &inv)) return kMatrixNotInvertibleErr;
    *m = inv;
    return kNoErr;
}

ASBoolean AIRealMatrixIsIdentity(const AIRealMatrix* m) {
    return m && m->a == 1 && m->b == 0 && m->c == 0 && m->d == 1 && m->tx == 0 && m->ty == 0;
}

void AIRealMatrixXformPoint(const AIRealMatrix* m, const AIRealPoint* p, AIRealPoint* out) {
    if (m && p && out) *out = geom::transform(*m, *p);
}

const AIRealMathSuite kRealMathSuite = {
    AIRealAdd,
    AIRealSub,
    AIRealMul,
    AIRealDiv,
    AIRealSin,
    AIRealCos,
    AIRealATan2,
    AIRealSqrt,
    DegreeToRadian,
    RadianToDegree,
    AIFixedToAIReal,
    AIRealToAIFixed,
    EqualWithinTol,
    AIRealPointAngle,
    AIRealPointLength,
    AIRealPointLengthAngle,
    AIRealPointAdd,
    AIRealPointSubtract,
    AIRealPointClose,
    AIRealPointEqual,
    AIRealRectSet,
    AIRealRectInset,
    AIRealRectOffset,
    AIRealRectUnion,
    AIRealPointInAIRealRect,
    AIRealRectOverlap,
    AIRealMatrixSetIdentity,
    AIRealMatrixSetTranslate,
    AIRealMatrixSetScale,
    AIRealMatrixSetRotate,
    AIRealMatrixConcatTranslate,
    AIRealMatrixConcatScale,
    AIRealMatrixConcatRotate,
    AIRealMatrixConcat,
    AIRealMatrixInvert,
    AIRealMatrixIsIdentity,
    AIRealMatrixXformPoint,
};

// ---------------------------------------------------------------- Bezier

void BezierSet(AIRealBezier* b, const AIRealPoint* p0, const AIRealPoint* p1, const AIRealPoint* p2,
               const AIRealPoint* p3) {
    if (b && p0 && p1 && p2 && p3) *b = {*p0, *p1, *p2, *p3};
}

void BezierEvaluate(const AIRealBezier* b, AIReal t, AIRealPoint* p) {
    if (b && p) *p = geom::toReal(geom::evaluate(geom::toCubic(*b), t));
}

void BezierTangent(const AIRealBezier* b, AIReal t, AIRealPoint* v) {
    if (b && v) *v = geom::toReal(geom::derivative(geom::toCubic(*b), t));
}

void BezierPointAndTangent(const AIRealBezier* b, AIReal t, AIRealPoint* p, AIRealPoint* v) {
    BezierEvaluate(b, t, p);
    BezierTangent(b, t, v);
}

void BezierDivide(const AIRealBezier* b, AIReal t, AIRealBezier* first, AIRealBezier* second) {
    if (!b) return;
    geom::Cubic a, c;
    geom::split(geom::toCubic(*b), t, &a, &c);
    if (first) *first = geom::toBezier(a);
    if (second) *second = geom::toBezier(c);
}

AIReal BezierLength(const AIRealBezier* b, AIReal flatness) {
    return b ? static_cast<AIReal>(geom::length(geom::toCubic(*b), flatness)) : 0.0f;
}

void BezierBounds(const AIRealBezier* b, AIRealRect* r) {
    if (!b || !r) return;
    double x0, y0, x1, y1;
    geom::bounds(geom::toCubic(*b), &x0, &y0, &x1, &y1);
    *r = {static_cast<AIReal>(x0), static_cast<AIReal>(y1), static_cast<AIReal>(x1), static_cast<AIReal>(y0)};
}

const AIRealBezierSuite kBezierSuite = {BezierSet,    BezierEvaluate, BezierTangent, BezierPointAndTangent,
                                        BezierDivide, BezierLength,   BezierBounds};

}  // namespace

void addMathSuites(SuiteRegistry& r) {
    r.add(kAIRealMathSuite, kAIRealMathSuiteVersion, &kRealMathSuite);
    r.add(kAIRealBezierSuite, kAIRealBezierSuiteVersion, &kBezierSuite);
}

}  // namespace standin::suites
