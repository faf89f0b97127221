// Hit testing of a document: what lies under a point, by request code, with the host's
// tolerances. Passes run in this order, each over the art topmost first: anchors (within
// the anchor tolerance), curves (within the curve tolerance), fills, text frames.
#pragma once

#include "AIHitTest.h"
#include "model/Document.h"

namespace standin {

struct HitTolerances {
    AIReal anchor = kAnchorHitTolerance;
    AIReal curve = kCurveHitTolerance;
};

// `target` 0 tests the whole document (skipping hidden and locked art and art on hidden
// or locked layers); otherwise only that art and its members. Returns false (and
// data->hit == 0) when nothing is hit.
bool hitTest(const Document& doc, ObjId target, AIRealPoint point, int32_t request, AIToolHitData* data,
             const HitTolerances& tol = {});

}  // namespace standin
