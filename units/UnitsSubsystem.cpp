// What the units and scales register: the current scale factor computed once the
// preferences are read, and the layer scales the published suite gives. (The set-scale tool
// opens the custom-scale dialog, so it is registered with the panels.)
#include "core/PlotwiseSubsystem.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

extern const PlotwiseSubsystem kUnitsSubsystem = {
    .name = "units",
    .hooks = {.preferencesRead = &UpdateScaler},
    .services = {.getLayerScale = &GetPublishedLayerScale},
};
