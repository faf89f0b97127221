// The font suite: the host's font list by index, user-interface names and default fonts,
// and the link between font keys and the text engine's fonts. The list holds every font
// the host found, sorted by name; the default face is "DejaVu Sans".
#pragma once

#include "AITypes.h"
#include "ATESuite.h"

#define kAIFontSuite "AI Font Suite"
#define kAIFontSuiteVersion 1

// Scripts for GetDefaultFont.
constexpr ai_int32 kRomanAIScript = 0;
constexpr ai_int32 kNativeAIScript = -2;

struct AIFontSuite {
    AIErr (*CountFonts)(ai_int32* count);
    AIErr (*IndexFontList)(ai_int32 index, AIFontKey* font);  // kOutOfRangeErr outside 0..count-1
    // The name, NUL-terminated and cut to fit `size` bytes.
    AIErr (*GetUserFontUIName)(AIFontKey font, char* name, ai_int16 size);
    // Roman and native scripts both give the default face; other scripts kBadParameterErr.
    AIErr (*GetDefaultFont)(ai_int32 script, AIFontKey* font);
    AIErr (*FontFromFontKey)(AIFontKey font, ATE::FontRef* ateFont);
    AIErr (*FontKeyFromFont)(ATE::FontRef ateFont, AIFontKey* font);
};
