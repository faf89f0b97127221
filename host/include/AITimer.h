// The timer suite: periodic "AI Timer"/"AI Go" messages counted in host ticks (1/60 s).
// Timers are created inactive; an active timer fires once each time its period has
// elapsed, never while another message is being handled.
#pragma once

#include "AITypes.h"
#include "SPMessages.h"

#define kAITimerSuite "AI Timer Suite"
#define kAITimerSuiteVersion 1

constexpr int32_t kTicksPerSecond = 60;

struct AITimerMessage {
    SPMessageData d;
    AITimerHandle timer;
};

struct AITimerSuite {
    AIErr (*AddTimer)(SPPluginRef self, const char* name, int32_t periodTicks, AITimerHandle* timer);
    AIErr (*GetTimerName)(AITimerHandle timer, const char** name);
    AIErr (*GetTimerActive)(AITimerHandle timer, ASBoolean* active);
    // Activation restarts the period from now.
    AIErr (*SetTimerActive)(AITimerHandle timer, ASBoolean active);
    AIErr (*GetTimerPeriod)(AITimerHandle timer, int32_t* periodTicks);
    AIErr (*SetTimerPeriod)(AITimerHandle timer, int32_t periodTicks);
    AIErr (*GetTimerPlugin)(AITimerHandle timer, SPPluginRef* plugin);
    AIErr (*CountTimers)(int32_t* count);
    AIErr (*GetNthTimer)(int32_t n, AITimerHandle* timer);
    // The undo step of the message in which the timer was last made active (null when that
    // was outside any message): the step whose work the timer carries on.
    AIErr (*GetTimerUndoStep)(AITimerHandle timer, AIUndoStepRef* step);
};
