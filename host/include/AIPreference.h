// The application's preference store: typed values under a prefix and a key. A missing key
// (or one holding another type) leaves *value unchanged and returns 0, so a caller that
// stores its default first keeps it.
#pragma once

#include "AITypes.h"

#define kAIPreferenceSuite "AI Preference Suite"
#define kAIPreferenceSuiteVersion 3

struct AIPreferenceSuite {
    AIErr (*GetIntegerPreference)(const char* prefix, const char* key, int32_t* value);
    AIErr (*PutIntegerPreference)(const char* prefix, const char* key, int32_t value);
    AIErr (*GetBooleanPreference)(const char* prefix, const char* key, AIBoolean* value);
    AIErr (*PutBooleanPreference)(const char* prefix, const char* key, AIBoolean value);
    AIErr (*GetRealPreference)(const char* prefix, const char* key, AIReal* value);
    AIErr (*PutRealPreference)(const char* prefix, const char* key, AIReal value);
    // Platform (Windows-1252) bytes; at most bufferSize − 1 bytes are copied, terminated.
    AIErr (*GetStringPreference)(const char* prefix, const char* key, char* buffer, int32_t bufferSize);
    AIErr (*PutStringPreference)(const char* prefix, const char* key, const char* value);
    AIErr (*GetPointPreference)(const char* prefix, const char* key, AIRealPoint* value);
    AIErr (*PutPointPreference)(const char* prefix, const char* key, const AIRealPoint* value);
    AIErr (*GetRectPreference)(const char* prefix, const char* key, AIRealRect* value);
    AIErr (*PutRectPreference)(const char* prefix, const char* key, const AIRealRect* value);
    AIErr (*RemovePreference)(const char* prefix, const char* key);
};
