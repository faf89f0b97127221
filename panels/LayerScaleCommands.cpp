// The layer scale commands: a deleted custom scale taken off every layer, and the layer
// list following the current layer.
#include "panels/LayerScaleCommands.h"

#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "panels/DocumentPanelItems.h"
#include "panels/PanelGlobals.h"
#include "panels/PanelRedraw.h"
#include "panels/ScaleSection.h"
#include "panels/UnitsMenus.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

ADMListRef LayerListOfPanel() {
    if (!g->CADdocumentWindow) return nullptr;
    ADMItemRef list = sADMDialog->GetItem(g->CADdocumentWindow, kLayerList);
    return list ? sADMItem->GetList(list) : nullptr;
}

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

AIErr SelectCurrentLayerInCADdocumentLayerList(AILayerHandle layer) {
    if (!g || !g->CADdocumentWindow) return kNoErr;
    if (g->prefs.scaleStyle != kDocumentBasedScaleStyle) {
        if (ADMListRef list = LayerListOfPanel()) {
            // Exactly the layer's row ends up selected (and active); none for a special layer.
            ADMEntryRef mine = nullptr;
            const int32_t n = sADMList->NumberOfEntries(list);
            for (int32_t i = 0; i < n && !IsSpecialScaleLayer(layer); ++i) {
                ADMEntryRef row = sADMList->IndexEntry(list, i);
                if (layer && LayerOfRow(row) == layer) mine = row;
            }
            for (int32_t i = 0; i < n; ++i) {
                ADMEntryRef row = sADMList->IndexEntry(list, i);
                if (row != mine) sADMEntry->Activate(row, false);
                if (row != mine) sADMEntry->Select(row, false);
            }
            if (mine) sADMEntry->Activate(mine, true);
        }
    }
    UpdateAllPrecisionMenus();
    setupScalePopupFromSelectedLayers();
    return kNoErr;
}
