// The Bezier suite: one cubic piece p0 (anchor), p1 (its out handle), p2 (next in
// handle), p3 (next anchor).
#pragma once

#include "AITypes.h"

#define kAIRealBezierSuite "AI Real Bezier Suite"
#define kAIRealBezierSuiteVersion 1

struct AIRealBezierSuite {
    void (*Set)(AIRealBezier* b, const AIRealPoint* p0, const AIRealPoint* p1, const AIRealPoint* p2,
                const AIRealPoint* p3);
    void (*Evaluate)(const AIRealBezier* b, AIReal t, AIRealPoint* p);
    // Derivative at t (a vector, not normalised).
    void (*Tangent)(const AIRealBezier* b, AIReal t, AIRealPoint* vector);
    void (*PointAndTangent)(const AIRealBezier* b, AIReal t, AIRealPoint* p, AIRealPoint* tangent);
    void (*Divide)(const AIRealBezier* b, AIReal t, AIRealBezier* first, AIRealBezier* second);
    // Arc length, flattened until the chord error is below flatness.
    AIReal (*Length)(const AIRealBezier* b, AIReal flatness);
    // Exact bounds of the curve (not of its handles).
    void (*Bounds)(const AIRealBezier* b, AIRealRect* bounds);
};
