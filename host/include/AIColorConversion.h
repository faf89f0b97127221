// The colour conversion suite: one colour sample from one colour space to another, as the
// host converts colours for display (process black 1.0 gives RGB black, no ink white).
#pragma once

#include "AITypes.h"

#define kAIColorConversionSuite "AI Color Conversion Suite"
#define kAIColorConversionSuiteVersion 1

// Colour spaces of a sample and its number of components.
enum AIColorConversionSpaceValue : ai_int32 {
    kAIGrayColorSpace = 1,  // 1: ink amount, 0 white to 1 black
    kAIRGBColorSpace = 2,   // 3: red, green, blue
    kAICMYKColorSpace = 4,  // 4: cyan, magenta, yellow, black
};

enum AIColorConversionPurpose : ai_int32 { kAIColorConversionDefault = 0, kAIColorConversionExport = 1 };

struct AIColorConvertOptions {
    AIColorConversionPurpose purpose;
};

struct AIColorConversionSuite {
    // Components 0.0-1.0 (clamped); kBadParameterErr for a null pointer or an unknown
    // space. inGamut (may be null) is set true: every space here reaches every other.
    AIErr (*ConvertSampleColor)(ai_int32 srcSpace, const AIReal* srcColor, ai_int32 dstSpace, AIReal* dstColor,
                                const AIColorConvertOptions* options, ASBoolean* inGamut);
};
