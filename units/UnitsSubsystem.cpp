// What the units and scales register: the set-scale tool and its family, the current scale
// factor computed once the preferences are read, and the layer scales the published suite
// gives.
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "geometry/LabelText.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"
#include "units/UnitsGlobals.h"

namespace {

constexpr GlobalsView<UnitsGlobals> g;

// The set-scale reference line: its clicks are recorded as a dimension's; a click alone
// is refused, and the drag's preview is taken back before the tool's own mouse-up.
const ToolFamilyRoutines kSetScaleFamily{
    .recordClick = +[](const PlotwiseToolRow&, AIRealPoint p) {
        RecordChainClick(p);
        g->curDimID = CounterPlus(g->prefs.style.id, 1);
    },
    .mouseUp = +[](const PlotwiseToolRow& row) -> AIErr {
        g->didFirstClick = 0;
        if (!g->toolWasDragged) return RefuseClick(row, 4);
        if (AIErr err = sAIUndo->UndoChanges()) return err;
        return CallToolRoutine(row, &ToolRoutines::mouseUp);
    },
};

const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->setScaleTool; }, "Plotwise Set Scale", 55, 1, &kSetScaleFamily, 0, nullptr},
};

}  // namespace

extern const PlotwiseSubsystem kUnitsSubsystem = {
    .name = "units",
    .tools = kTools,
    .hooks = {.preferencesRead = &UpdateScaler},
    .services = {.getLayerScale = &GetPublishedLayerScale},
};
