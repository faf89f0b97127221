// The global record as the plug-in's tests see it: whole, through `g`, and a record of a
// test's own for code that runs without the plug-in being started.
#pragma once

#include "module/PlotwiseGlobals.h"

namespace {
constexpr GlobalsView<PlotwiseGlobals> g;
}  // namespace

// Installs a fresh record for one scope and puts the previous one back afterwards.
struct ScopedGlobals {
    PlotwiseGlobals globals{};
    CoreGlobals* saved = plotwiseRecord;
    ScopedGlobals() { plotwiseRecord = &globals; }
    ~ScopedGlobals() { plotwiseRecord = saved; }
    ScopedGlobals(const ScopedGlobals&) = delete;
    ScopedGlobals& operator=(const ScopedGlobals&) = delete;
};
