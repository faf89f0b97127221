// The tag suite: named values on art, of type "string", kept in the order they were set.
#pragma once

#include "AITypes.h"

#define kAITagSuite "AI Tag Suite"
#define kAITagSuiteVersion 1

#define kTagString "string"

struct AITagSuite {
    // For type "string" `value` is the text itself (a const char*; null sets "").
    AIErr (*SetTag)(AIArtHandle art, const char* name, const char* type, const void* value);
    // For type "string" `value` is a const char**; the text stays valid until the tag changes.
    AIErr (*GetTag)(AIArtHandle art, const char* name, const char* type, void* value);
    // kNoSuchKey when the art has no such tag.
    AIErr (*GetTagType)(AIArtHandle art, const char* name, const char** type);
    AIErr (*RemoveTag)(AIArtHandle art, const char* name);
    AIErr (*CountTags)(AIArtHandle art, int32_t* count);
    AIErr (*GetNthTag)(AIArtHandle art, int32_t index, const char** name);
};
