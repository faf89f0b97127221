// The text paint suite: makes the text engine's application paint from a colour.
#pragma once

#include "AITypes.h"
#include "ATESuite.h"

#define kAIATEPaintSuite "AI ATE Paint Suite"
#define kAIATEPaintSuiteVersion 1

struct AIATEPaintSuite {
    // The paint comes with one reference, released by its IApplicationPaint wrapper.
    AIErr (*CreateATEApplicationPaint)(const AIColor* color, ATE::ApplicationPaintRef* paint);
};
