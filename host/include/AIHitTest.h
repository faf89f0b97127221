// The hit-test suite: what lies under a point of the front document. Anchors are hit
// within kAnchorHitTolerance, curves within kCurveHitTolerance, then fills; topmost art
// first; hidden and locked art (and art on hidden or locked layers) is skipped. A target
// art restricts the test to it and its members. Every hit reference is released once.
#pragma once

#include "AITypes.h"

#define kAIHitTestSuite "AI Hit Test Suite"
#define kAIHitTestSuiteVersion 1

// Requests.
enum : int32_t {
    kAllHitRequest = 0,      // any art under the point, fills included
    kSnapHitRequest = 1,     // anchors and curves only; the hit point replaces the click
    kSegmentHitRequest = 8,  // anchors and curves of paths; anchor hits report t = -1
};

// Hit types.
enum : int16_t {
    kNoHitType = -1,
    kSegAnchorType = 0,  // `segment` is the anchor
    kSegInType = 1,
    kSegOutType = 2,
    kSegCurveType = 3,   // on the curve that ends at anchor `segment` (0: closing or first)
    kFillHitType = 4,
    kTextHitType = 5,
};

constexpr AIReal kAnchorHitTolerance = 3.0f;
constexpr AIReal kCurveHitTolerance = 2.0f;

struct AIToolHitData {
    int32_t hit;         // non-zero when something was hit
    int16_t type;
    int16_t segment;
    AIArtHandle object;  // the art hit
    AIArtHandle group;   // the hit art's direct container (a layer group or compound path too)
    AIRealPoint point;   // the anchor or the point on the curve; the click for fills
    AIReal t;            // parameter on the curve
};

struct AIHitTestSuite {
    // art null: the whole document.
    AIErr (*HitTest)(AIArtHandle art, const AIRealPoint* point, int32_t request, AIHitRef* hit);
    AIErr (*GetHitData)(AIHitRef hit, AIToolHitData* data);
    AIArtHandle (*GetArt)(AIHitRef hit);
    AIErr (*Release)(AIHitRef hit);
};
