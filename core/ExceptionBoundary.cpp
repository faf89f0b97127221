// The error codes of what escapes the plug-in's code, and how the user is told of them.
#include "core/ExceptionBoundary.h"

#include <exception>
#include <new>

#include "core/CoreGlobals.h"
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

namespace {

constexpr GlobalsView<CoreGlobals> g;

}  // namespace

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
