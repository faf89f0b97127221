// The event an item tracker sees: action, point in item coordinates, modifier keys and
// virtual key.
#pragma once

#include "ADMTypes.h"

#define kADMTrackerSuite "ADM Tracker Suite"
#define kADMTrackerSuiteVersion 2

struct ADMTrackerSuite {
    int32_t (*GetAction)(ADMTrackerRef tracker);
    ASErr (*GetPoint)(ADMTrackerRef tracker, ADMPoint* point);
    uint32_t (*GetModifiers)(ADMTrackerRef tracker);  // kADMShiftKeyModifier | ...
    int32_t (*GetVirtualKey)(ADMTrackerRef tracker);   // kADMEnterKey, kADMReturnKey, ...
    // The typed character of a keystroke, 0 otherwise.
    int32_t (*GetCharacter)(ADMTrackerRef tracker);
};
