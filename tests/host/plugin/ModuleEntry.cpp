// The entry point of the test plug-in when it is built as a module for dlopen.
#include "SPMessages.h"
#include "TestPlugin.h"

extern "C" __attribute__((visibility("default"))) AIErr PluginMain(const char* caller, const char* selector,
                                                                   void* message) {
    return TestPluginMain(caller, selector, message);
}
