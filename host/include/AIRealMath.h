// The real-maths suite: point, rectangle and matrix arithmetic in 32-bit floats, as the
// host computes it. Angles are radians, counter-clockwise, y up. A matrix maps (x, y) to
// (a·x + c·y + tx, b·x + d·y + ty); a Concat step applies after the matrix's own mapping.
#pragma once

#include <numbers>

#include "AITypes.h"

#define kAIRealMathSuite "AI Real Math Suite"
#define kAIRealMathSuiteVersion 1

typedef int32_t AIFixed;  // 16.16 fixed point

constexpr AIReal kAIRealPi = std::numbers::pi_v<AIReal>;

struct AIRealMathSuite {
    AIReal (*AIRealAdd)(AIReal a, AIReal b);
    AIReal (*AIRealSub)(AIReal a, AIReal b);
    AIReal (*AIRealMul)(AIReal a, AIReal b);
    AIReal (*AIRealDiv)(AIReal a, AIReal b);  // 0 for a zero divisor
    AIReal (*AIRealSin)(AIReal a);
    AIReal (*AIRealCos)(AIReal a);
    AIReal (*AIRealATan2)(AIReal y, AIReal x);
    AIReal (*AIRealSqrt)(AIReal a);
    AIReal (*DegreeToRadian)(AIReal degrees);
    AIReal (*RadianToDegree)(AIReal radians);
    AIReal (*AIFixedToAIReal)(AIFixed f);
    AIFixed (*AIRealToAIFixed)(AIReal r);  // rounded to nearest, saturated
    ASBoolean (*EqualWithinTol)(AIReal a, AIReal b, AIReal tolerance);

    // Direction from a to b in (-pi, pi].
    AIReal (*AIRealPointAngle)(const AIRealPoint* a, const AIRealPoint* b);
    AIReal (*AIRealPointLength)(const AIRealPoint* a, const AIRealPoint* b);
    void (*AIRealPointLengthAngle)(AIReal length, AIReal angle, AIRealPoint* result);
    void (*AIRealPointAdd)(const AIRealPoint* a, const AIRealPoint* b, AIRealPoint* result);
    void (*AIRealPointSubtract)(const AIRealPoint* a, const AIRealPoint* b, AIRealPoint* result);
    // True when the distance is at most tolerance.
    ASBoolean (*AIRealPointClose)(const AIRealPoint* a, const AIRealPoint* b, AIReal tolerance);
    ASBoolean (*AIRealPointEqual)(const AIRealPoint* a, const AIRealPoint* b);

    void (*AIRealRectSet)(AIRealRect* r, AIReal left, AIReal top, AIReal right, AIReal bottom);
    // A negative inset grows the rectangle.
    void (*AIRealRectInset)(AIRealRect* r, AIReal h, AIReal v);
    void (*AIRealRectOffset)(AIRealRect* r, AIReal h, AIReal v);
    void (*AIRealRectUnion)(const AIRealRect* a, const AIRealRect* b, AIRealRect* result);
    ASBoolean (*AIRealPointInAIRealRect)(const AIRealPoint* p, const AIRealRect* r);
    ASBoolean (*AIRealRectOverlap)(const AIRealRect* a, const AIRealRect* b);

    void (*AIRealMatrixSetIdentity)(AIRealMatrix* m);
    void (*AIRealMatrixSetTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
    void (*AIRealMatrixSetScale)(AIRealMatrix* m, AIReal h, AIReal v);
    void (*AIRealMatrixSetRotate)(AIRealMatrix* m, AIReal angle);
    void (*AIRealMatrixConcatTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
    void (*AIRealMatrixConcatScale)(AIRealMatrix* m, AIReal h, AIReal v);
    void (*AIRealMatrixConcatRotate)(AIRealMatrix* m, AIReal angle);
    // result = a, then b.
    void (*AIRealMatrixConcat)(const AIRealMatrix* a, const AIRealMatrix* b, AIRealMatrix* result);
    // kMatrixNotInvertibleErr (m unchanged) for a singular or non-finite matrix.
    AIErr (*AIRealMatrixInvert)(AIRealMatrix* m);
    ASBoolean (*AIRealMatrixIsIdentity)(const AIRealMatrix* m);
    void (*AIRealMatrixXformPoint)(const AIRealMatrix* m, const AIRealPoint* p, AIRealPoint* result);
};
