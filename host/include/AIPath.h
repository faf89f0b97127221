// The path suite: segments (anchor, in and out handles, corner), per-segment selection,
// closing, and the measures the tools take of a path.
#pragma once

#include "AITypes.h"

#define kAIPathSuite "AI Path Suite"
#define kAIPathSuiteVersion 1

// Per-segment selection states; only kSegmentPointSelected counts as selected.
enum : int16_t {
    kSegmentNotSelected = 0,
    kSegmentPointSelected = 1,
    kSegmentInSelected = 2,
    kSegmentOutSelected = 3,
};

struct AIPathSuite {
    AIErr (*GetPathSegmentCount)(AIArtHandle path, int16_t* count);
    // Grows with corner anchors at the last anchor (or the origin) or shrinks from the end.
    AIErr (*SetPathSegmentCount)(AIArtHandle path, int16_t count);
    AIErr (*GetPathSegments)(AIArtHandle path, int16_t index, int16_t count, AIPathSegment* segments);
    // Writing at index == count appends.
    AIErr (*SetPathSegments)(AIArtHandle path, int16_t index, int16_t count, const AIPathSegment* segments);
    AIErr (*InsertPathSegments)(AIArtHandle path, int16_t index, int16_t count, const AIPathSegment* segments);
    AIErr (*DeletePathSegments)(AIArtHandle path, int16_t index, int16_t count);
    AIErr (*ReversePathSegments)(AIArtHandle path);
    AIErr (*GetPathClosed)(AIArtHandle path, ASBoolean* closed);
    AIErr (*SetPathClosed)(AIArtHandle path, ASBoolean closed);
    AIErr (*GetPathSegmentSelected)(AIArtHandle path, int16_t index, int16_t* state);
    AIErr (*SetPathSegmentSelected)(AIArtHandle path, int16_t index, int16_t state);
    // Signed: positive for counter-clockwise paths.
    AIErr (*GetPathArea)(AIArtHandle path, AIReal* area);
    AIErr (*GetPathLength)(AIArtHandle path, AIReal* length, AIReal flatness);
    AIErr (*PathHasLength)(AIArtHandle path, ASBoolean* hasLength);
    // Piece from anchor i to i + 1; on a closed path the last index gives the closing piece.
    AIErr (*GetPathBezier)(AIArtHandle path, int16_t segmentIndex, AIRealBezier* bezier);
};
