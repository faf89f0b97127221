// What the units and scales register: the custom scales checked and the current scale
// factor computed once the preferences are read, a drawing or editing tool's press loading
// the scale of the layer it works on, the end of a tool's command storing the scales it
// read and loading the current layer's again (as a change of the current layer or an undo
// does), and the layer scales the published suite gives. (The
// set-scale tool opens the custom-scale dialog, so it is registered with the panels.)
#include "core/PlotwiseSubsystem.h"
#include "units/CustomScales.h"
#include "units/LayerScales.h"

extern const PlotwiseSubsystem kUnitsSubsystem = {
    .name = "units",
    .hooks = {.preferencesRead = &KeepCustomScalesInRange,
              .afterUndo = &LoadCurrentLayerScale,
              .currentLayerChanged = &FollowCurrentLayer,
              .toolMouseDown = &LoadPressScale,
              .toolCommandEnded = &EndToolCommandScale},
    .services = {.getLayerScale = &GetPublishedLayerScale},
};
