// The redraw requests of the panels. The live-dimension regeneration and the rulers are
// reached through the core's service slots, so the panels stay the same whether or not
// those subsystems are present.
#include "panels/PanelRedraw.h"

#include "core/PlotwiseSubsystem.h"

AIErr RegenerateAllDimensions() {
    if (auto regenerate = PlotwiseService().updateAssociativeDimensions) return regenerate(kProcessAllArt);
    return kNoErr;
}

AIErr CleanupDimensionLinks() {
    if (auto cleanup = PlotwiseService().cleanupAssociativeDimensions) return cleanup();
    return kNoErr;
}

AIErr RedrawRulers(int32_t startTimer) {
    if (auto draw = PlotwiseService().drawRulersOnly) return draw(1, startTimer);
    return kNoErr;
}
