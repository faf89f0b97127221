// What the units and scales register: the custom scales checked and the current scale
// factor computed once the preferences are read, a drawing or editing tool's press loading
// the scale of the layer it works on, the end of a tool's command storing the scales it
// read and loading the current layer's again, the scale of the front drawing read again
// whenever it changed (another document, an undo, another current layer), the scale and
// style a new drawing starts at (kept in the preferences at quit), and the layer scales the
// published suite gives. (The
// set-scale tool opens the custom-scale dialog, so it is registered with the panels.)
#include "core/PlotwiseSubsystem.h"
#include "units/CustomScales.h"
#include "units/LayerScales.h"

extern const PlotwiseSubsystem kUnitsSubsystem = {
    .name = "units",
    .hooks = {.preferencesRead = +[]() -> AIErr {
                  const AIErr err = KeepCustomScalesInRange();
                  return err ? err : NoteNewDrawingScaleStyle();
              },
              .preferencesKept = &KeepNewDrawingScaleInPreferences,
              .toolMouseDown = &LoadPressScale,
              .toolCommandEnded = &EndToolCommandScale,
              .frontDrawingChanged = &FollowFrontDrawing},
    .services = {.getLayerScale = &GetPublishedLayerScale},
};
