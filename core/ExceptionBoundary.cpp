// The error codes of what escapes the plug-in's code, and how the user is told of them.
#include "core/ExceptionBoundary.h"

#include <exception>
#include <new>

#include "core/PlotwiseAlerts.h"
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

AIErr TellEscapedException() noexcept {
    const AIErr err = ErrorOfEscapedException();
    try {
        TellErrorOfWorkInHand(err);
    } catch (...) {
        // Telling failed too (memory, most likely): the code alone must do.
    }
    return err;
}
