// Where the plug-in's code meets the host's: nothing thrown inside ever unwinds into the
// host. The entry point answers what escapes a handler with an error code, told to the user
// as a host error is; every procedure the plug-in hands the host (a dialog's init, notify,
// tracker and draw procedures) is handed over as Guarded<&Proc>, which does the same and
// answers what the host expects of that kind of procedure, and runs as one piece of the
// plug-in's work (PluginWork).
#pragma once

#include <type_traits>

#include "ADMTypes.h"
#include "AITypes.h"
#include "core/PluginWork.h"

// Inside a catch block: the error code for the exception being handled, the host's
// kOutOfMemoryErr when memory ran out, else kPluginFaultErr.
AIErr ErrorOfEscapedException() noexcept;
// Inside a catch block: that code, once the user has been told in words that it stopped
// the work in hand.
AIErr TellEscapedException() noexcept;

// The error `step` answers, or the code of what it threw: for a step of a sequence that goes
// on whatever one step met (each step of the shut-down).
template <class Step>
AIErr ErrorOfStep(Step&& step) noexcept {
    try {
        return step();
    } catch (...) {
        return ErrorOfEscapedException();
    }
}

// The answer of such a sequence: the first error any step met.
struct FirstError {
    AIErr err = kNoErr;
    template <class Work>
    void Step(Work&& step) noexcept {
        if (const AIErr e = ErrorOfStep(step); err == kNoErr) err = e;
    }
};

template <auto Proc>
struct GuardedProc;

template <class R, class... Args, R (*Proc)(Args...)>
struct GuardedProc<Proc> {
    // A notify procedure answers the user's action on a panel or dialog item: a command.
    static constexpr bool kNotify = (std::is_same_v<Args, ADMNotifierRef> || ...);

    static R Call(Args... args) noexcept {
        try {
            const PluginWork work{kNotify ? WorkKind::kCommand : WorkKind::kOther};
            return Proc(args...);
        } catch (...) {
            const AIErr err = TellEscapedException();
            if constexpr (std::is_same_v<R, ASErr>)
                return err;  // an init procedure: the host gives up the dialog
            else if constexpr (!std::is_void_v<R>)
                return R{};  // a tracker: the event is swallowed
        }
    }
};

// Proc as the host may call it.
template <auto Proc>
inline constexpr auto Guarded = &GuardedProc<Proc>::Call;
