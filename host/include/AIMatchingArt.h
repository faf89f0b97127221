// The matching-art suite: lists of art of the front document, as memory handles holding
// an array of AIArtHandle (lock the handle to read it; dispose it with
// AIMdMemorySuite::MdMemoryDisposeHandle). The list is a snapshot.
//
// Order: top-level layers in index order; within each layer depth-first pre-order from
// the top of its group, a container before its members; sublayers where their groups
// sit. Layer groups themselves are never listed. Hidden and locked art is included.
// No match gives a count of 0 and a null handle.
#pragma once

#include "AITypes.h"

#define kAIMatchingArtSuite "AI Matching Art Suite"
#define kAIMatchingArtSuiteVersion 1

// type kAnyArt matches every kind. whichAttr selects attribute bits to compare and attr
// the values they must have (0/0: no filter; kArtSelected/kArtSelected: selected art).
struct AIMatchingArtSpec {
    int16_t type;
    int32_t whichAttr;
    int32_t attr;
};

struct AIMatchingArtSuite {
    AIErr (*GetMatchingArt)(const AIMatchingArtSpec* wanted, int16_t numWanted, AIMdMemoryHandle* matches,
                            int32_t* count);
    // Art that reads as selected (containers with a selected member included).
    AIErr (*GetSelectedArt)(AIMdMemoryHandle* matches, int32_t* count);
    // Art other than containers (paths, texts, ...) whose bounds without stroke meet `area`,
    // in the order above, hidden and locked art included: what lies near a place, found
    // without looking at the rest of the document.
    AIErr (*GetArtInRect)(const AIRealRect* area, AIMdMemoryHandle* matches, int32_t* count);
};
