// The plug-in suite: the plug-in's own name and its options towards the host.
#pragma once

#include "AITypes.h"

#define kAIPluginSuite "AI Plugin Suite"
#define kAIPluginSuiteVersion 1

// Plug-in options.
enum : int32_t {
    kPluginWantsResultsAutoSelectedOption = 0x2,
    kPluginWantsAfterUndoNotifications = 0x4,
};

struct AIPluginSuite {
    AIErr (*SetPluginOptions)(SPPluginRef plugin, int32_t options);
    AIErr (*GetPluginOptions)(SPPluginRef plugin, int32_t* options);
    AIErr (*GetPluginName)(SPPluginRef plugin, const char** name);
    // The host's version; start-up goes on only with major version 15.
    AIErr (*GetHostVersion)(int32_t* major, int32_t* minor);
};
