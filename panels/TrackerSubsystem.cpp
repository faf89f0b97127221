// What the tracker panel registers beside its row in the panels' table: the read-out as
// the services the tools call, the transformation of selected art that the proportion tool
// uses too, and the refresh of the read-out when the selection changes or theTimer has
// given a selection back.
#include "core/PlotwiseSubsystem.h"
#include "panels/SelectionTransform.h"
#include "panels/TrackerReadOut.h"

namespace {

AIErr RefreshFromSelection() { return tracker::updateTrackerWindowFromSelectedArt(nullptr); }

}  // namespace

extern const PlotwiseSubsystem kTrackerSubsystem = {
    .name = "tracker",
    .hooks = {.selectionChanged = &RefreshFromSelection, .selectionRestored = &RefreshFromSelection},
    .services = {.resetTrackerWindow = &tracker::resetTrackerWindow,
                 .updateTrackerWindowLabels = &tracker::updateTrackerWindowLabels,
                 .updateTrackerWindow = &tracker::updateTrackerWindow,
                 .updateTrackerWindowFromSelectedArt = &tracker::updateTrackerWindowFromSelectedArt,
                 .applyCADtrackerTransformation = &ApplyTransformationForTool},
};
