// Where the plug-in's code meets the host's: nothing thrown inside ever unwinds into the
// host. The entry point answers what escapes a handler with an error code, told to the user
// as a host error is; every procedure the plug-in hands the host (a dialog's init, notify,
// tracker and draw procedures) is handed over as Guarded<&Proc>, which does the same and
// answers what the host expects of that kind of procedure.
#pragma once

#include <type_traits>

#include "AITypes.h"

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

// One call of the host's into the plug-in: a message, or a procedure it was handed. As the
// outermost one ends, and as a message begins, the subsystems follow the front drawing,
// whatever the host did in between (an undo, another document, a layer made current), so
// nothing the plug-in shows or converts at is left over from another drawing or revision. A
// procedure of a panel's item follows only at its end: at its start the item already shows
// the user's change, which the drawing does not hold yet.
class HostCall {
public:
    explicit HostCall(bool followAtStart = false) noexcept;
    ~HostCall();
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;
};

template <auto Proc>
struct GuardedProc;

template <class R, class... Args, R (*Proc)(Args...)>
struct GuardedProc<Proc> {
    static R Call(Args... args) noexcept {
        const HostCall call;
        try {
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
