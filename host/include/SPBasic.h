// The basic suite: the one table the host gives the plug-in at start-up, through which
// every other suite is acquired by name and version. Acquisitions are counted; each
// AcquireSuite is matched by one ReleaseSuite.
#pragma once

#include "AITypes.h"

#define kSPBasicSuite "SP Basic Suite"
#define kSPBasicSuiteVersion 4

struct SPBasicSuite {
    AIErr (*AcquireSuite)(const char* name, int32_t version, const void** suite);
    AIErr (*ReleaseSuite)(const char* name, int32_t version);
    // Non-zero when the two strings are equal (the host's string compare).
    ASBoolean (*IsEqual)(const char* token1, const char* token2);
};
