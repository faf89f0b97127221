// The transform-art suite: applies a matrix to art. Stroke weights are not transformed;
// text frames are transformed through their matrix.
#pragma once

#include "AITypes.h"

#define kAITransformArtSuite "AI Transform Art Suite"
#define kAITransformArtSuiteVersion 1

enum : int32_t {
    kTransformObjects = 0x01,
    kTransformChildren = 0x40,
};

struct AITransformArtSuite {
    // flags: kTransformObjects, with kTransformChildren to enter groups (a compound path
    // moves whole either way). lineScale is accepted and ignored.
    AIErr (*TransformArt)(AIArtHandle art, const AIRealMatrix* matrix, AIReal lineScale, int32_t flags);
};
