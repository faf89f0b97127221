// What the units and scales register: the set-scale tool, the current scale factor
// computed once the preferences are read, and the layer scales the published suite gives.
#include "core/PlotwiseSubsystem.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"
#include "units/UnitsGlobals.h"

namespace {

constexpr GlobalsView<UnitsGlobals> g;

const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->setScaleTool; }, "Plotwise Set Scale", 55, 1, ToolFamily::kSetScale, 0, nullptr},
};

}  // namespace

extern const PlotwiseSubsystem kUnitsSubsystem = {
    .name = "units",
    .tools = kTools,
    .hooks = {.preferencesRead = &UpdateScaler},
    .services = {.getLayerScale = &GetPublishedLayerScale},
};
