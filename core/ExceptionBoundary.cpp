// The error codes of what escapes the plug-in's code, and how the user is told of them.
#include "core/ExceptionBoundary.h"

#include <exception>
#include <new>

#include "core/CoreGlobals.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwisePlugin.h"
#include "geometry/PlotwiseErrors.h"

AIErr ErrorOfEscapedException() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return kOutOfMemoryErr;  // the host's own code, so the host knows the work ran out of memory
    } catch (...) {
        return kPluginFaultErr;
    }
}

namespace {

constexpr GlobalsView<CoreGlobals> g;

int gHostCallDepth = 0;  // calls of the host's into the plug-in now in progress

void FollowDrawingAtHostCall() noexcept {
    try {
        if (g) FollowFrontDrawingIfChanged();
    } catch (...) {
        (void)TellEscapedException();
    }
}

}  // namespace

HostCall::HostCall(bool followAtStart) noexcept {
    if (gHostCallDepth++ == 0 && followAtStart) FollowDrawingAtHostCall();
}

HostCall::~HostCall() {
    if (--gHostCallDepth == 0) FollowDrawingAtHostCall();
}

AIErr TellEscapedException() noexcept {
    const AIErr err = ErrorOfEscapedException();
    if (err == kOutOfMemoryErr && g) g->memoryRanOut = true;
    try {
        TellErrorOfWorkInHand(err);
    } catch (...) {
        // Telling failed too (memory, most likely): the code alone must do.
    }
    return err;
}
