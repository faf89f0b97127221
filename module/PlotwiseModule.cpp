// The plug-in module: every subsystem, lowest first, and the record they share. A new
// subsystem adds its line here; a new tool, panel or command adds nothing here.
#include <new>

#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSubsystem.h"
#include "module/PlotwiseGlobals.h"

extern const PlotwiseSubsystem kUnitsSubsystem;
extern const PlotwiseSubsystem kAxonometricSubsystem;
extern const PlotwiseSubsystem kDimensionsSubsystem;
extern const PlotwiseSubsystem kDimToolsSubsystem;
extern const PlotwiseSubsystem kDrawToolsSubsystem;
extern const PlotwiseSubsystem kArchitectureSubsystem;
extern const PlotwiseSubsystem kPanelsSubsystem;
extern const PlotwiseSubsystem kTrackerSubsystem;

namespace {

const PlotwiseSubsystem* const kSubsystems[] = {
    &kCoreSubsystem,
    &kUnitsSubsystem,
    &kAxonometricSubsystem,
    &kDimensionsSubsystem,
    &kDimToolsSubsystem,
    &kDrawToolsSubsystem,
    &kArchitectureSubsystem,
    &kPanelsSubsystem,
    &kTrackerSubsystem,
};

}  // namespace

std::span<const PlotwiseSubsystem* const> PlotwiseModuleSubsystems() { return kSubsystems; }

CoreGlobals* NewPlotwiseGlobals() { return new (std::nothrow) PlotwiseGlobals; }

void DeletePlotwiseGlobals(CoreGlobals* record) { delete static_cast<PlotwiseGlobals*>(record); }
