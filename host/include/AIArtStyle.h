// The art style suite: the named graphic style an object carries, if any. The stand-in keeps
// no graphic styles, so no art carries one: GetArtStyle answers a null style for every live
// art (kStaleHandleErr for art that is gone), and GetArtStyleName, having no style to name,
// answers kStaleHandleErr (kBadParameterErr for a null style or out pointer).
#pragma once

#include "AITypes.h"
#include "AIUnicodeString.h"

#define kAIArtStyleSuite "AI Art Style Suite"
#define kAIArtStyleSuiteVersion 1

typedef struct _t_AIArtStyleOpaque* AIArtStyleHandle;

struct AIArtStyleSuite {
    // The style the art carries; null (and no error) when it carries none.
    AIErr (*GetArtStyle)(AIArtHandle art, AIArtStyleHandle* style);
    // The style's name; *anonymous is set when the style has no name of its own.
    AIErr (*GetArtStyleName)(AIArtStyleHandle style, ai::UnicodeString& name, ASBoolean* anonymous);
};
