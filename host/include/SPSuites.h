// The suites suite: a plug-in publishes a suite (a table of its own functions) by name
// and version; other plug-ins and the host acquire it through the basic suite.
#pragma once

#include "AITypes.h"

#define kSPSuitesSuite "SP Suites Suite"
#define kSPSuitesSuiteVersion 2

typedef struct _t_SPSuiteOpaque* SPSuiteRef;

struct SPSuitesSuite {
    // `procs` must stay valid until the plug-in is shut down.
    AIErr (*AddSuite)(SPPluginRef self, const char* name, int32_t apiVersion, int32_t internalVersion,
                      const void* procs, SPSuiteRef* suite);
    AIErr (*AcquireSuite)(const char* name, int32_t apiVersion, const void** procs);
    AIErr (*ReleaseSuite)(const char* name, int32_t apiVersion);
};
