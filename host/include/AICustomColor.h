// The custom colour suite: the document's named colour swatches (spot colours). A
// custom-coloured paint (AIColor kind kCustomColor) names one swatch by its handle and
// gives a tint, 0.0 (none of the colour, white) to 1.0 (the full colour). Handles name a
// swatch of the front document; names are unique within a document.
#pragma once

#include "AITypes.h"
#include "AIUnicodeString.h"

#define kAICustomColorSuite "AI Custom Color Suite"
#define kAICustomColorSuiteVersion 1

// How a swatch's colour is defined.
enum AICustomColorTag : int16_t {
    kCustomFourColor = 0,   // cyan, magenta, yellow, black, 0.0-1.0
    kCustomThreeColor = 1,  // red, green, blue, 0.0-1.0
    kCustomLabColor = 2,    // L 0-100, a and b about -128-127
};

struct AILabColorStyle {
    AIReal l, a, b;
};

struct AICustomColor {
    AICustomColorTag kind;
    union {
        AIFourColorStyle f;
        AIThreeColorStyle rgb;
        AILabColorStyle lab;
    } c;
};

struct AICustomColorSuite {
    // A new swatch in the front document; kBadParameterErr for an empty name, a name
    // already used, or a kind outside the three.
    AIErr (*NewCustomColor)(const AICustomColor* color, const ai::UnicodeString& name, AICustomColorHandle* swatch);
    AIErr (*GetCustomColor)(AICustomColorHandle swatch, AICustomColor* color);
    AIErr (*SetCustomColor)(AICustomColorHandle swatch, const AICustomColor* color);
    AIErr (*GetCustomColorName)(AICustomColorHandle swatch, ai::UnicodeString& name);
    // kNoSuchKey when the front document has no swatch of that name (compared exactly).
    AIErr (*GetCustomColorByName)(const ai::UnicodeString& name, AICustomColorHandle* swatch);
    AIErr (*CountCustomColors)(ai_int32* count);
    AIErr (*GetNthCustomColor)(ai_int32 n, AICustomColorHandle* swatch);
};
