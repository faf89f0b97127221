// The path style suite: paint of paths and the document's current path style, which new
// paths take (initially no fill and a 1 pt black stroke).
#pragma once

#include "AITypes.h"

#define kAIPathStyleSuite "AI Path Style Suite"
#define kAIPathStyleSuiteVersion 1

struct AIPathStyleSuite {
    AIErr (*GetPathStyle)(AIArtHandle path, AIPathStyle* style);
    AIErr (*SetPathStyle)(AIArtHandle path, const AIPathStyle* style);
    // map and advStroke are accepted and ignored (pass null).
    AIErr (*GetCurrentPathStyle)(AIPathStyle* style, void* map, void* advStroke);
    AIErr (*SetCurrentPathStyle)(const AIPathStyle* style);
};
