// The layer scale command: a deleted custom scale taken off every layer.
#include "panels/LayerScaleCommands.h"

#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "panels/PanelGlobals.h"
#include "panels/PanelRedraw.h"
#include "panels/ScaleSection.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

}  // namespace

AIErr removeScaleByLayer(int32_t id) {
    if (!g) return kBadParameterErr;
    char oneToOne[kScaleLabelSize] = {};
    getScaleTableLabel(kOneToOneScaleID, oneToOne, sizeof oneToOne);
    bool changed = false;
    if (AIErr err = ForEachLayer([&](AILayerHandle layer) -> AIErr {
            int32_t layerID = 0;
            AIReal scaler = 0;
            char label[kScaleLabelSize] = {};
            if (GetZA3LayerScaleAndSetIfNotThere(layer, &layerID, &scaler, label) != kNoErr || layerID != id)
                return kNoErr;
            changed = true;
            return setLayerScale(layer, kOneToOneScaleID, 1.0f, oneToOne);
        }))
        return err;
    if (!changed) return kNoErr;
    if (AIErr err = RegenerateAllDimensions()) return err;
    return UpdateCADdocumentLayerList();
}
