// What the panels ask of the live dimensions and the rulers after a change that alters what
// they show (the number format, a scale, the scale style): every live dimension redrawn,
// stale links between art and dimensions removed, the rulers drawn again. Each goes to the
// subsystem that provides it; while none does, the request does nothing.
#pragma once

#include <cstdint>

#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"

// UpdateAssociativeDimensions(kProcessAllArt).
AIErr RegenerateAllDimensions();
// CleanupAssociativeDimensions().
AIErr CleanupDimensionLinks();
// drawRulersOnly(1, startTimer): the rulers drawn again when they are shown; with
// startTimer, theTimer restores the selection afterwards.
AIErr RedrawRulers(int32_t startTimer);
