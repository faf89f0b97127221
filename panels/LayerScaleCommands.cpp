// The layer scale commands: one scale over many layers, a deleted custom scale taken off
// every layer, and the layer list following the current layer.
#include "panels/LayerScaleCommands.h"

#include <cstdio>
#include <vector>

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "panels/DocumentPanel.h"
#include "panels/PanelGlobals.h"
#include "panels/PanelRedraw.h"
#include "panels/ScaleSection.h"
#include "panels/UnitsMenus.h"
#include "artwork/DrawingLayer.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

ADMListRef LayerListOfPanel() {
    if (!g->CADdocumentWindow) return nullptr;
    ADMItemRef list = sADMDialog->GetItem(g->CADdocumentWindow, kLayerList);
    return list ? sADMItem->GetList(list) : nullptr;
}

// The rows selected in the layer list, in order.
std::vector<ADMEntryRef> SelectedRows(ADMListRef list) {
    std::vector<ADMEntryRef> rows;
    const int32_t n = sADMList->NumberOfSelectedEntries(list);
    for (int32_t k = 0; k < n; ++k)
        if (ADMEntryRef row = sADMList->IndexSelectedEntry(list, k)) rows.push_back(row);
    return rows;
}

void SetRowText(ADMEntryRef row, AILayerHandle layer, const char* label) {
    char title[kMaxLayerTitle + 1] = {};
    if (sAILayer->GetLayerTitle(layer, title, sizeof title)) return;
    char text[kMaxLayerTitle + 3 + 32 + 1];
    std::snprintf(text, sizeof text, "%s - %s", title, label);
    sADMEntry->SetText(row, text);
}

}  // namespace

AIErr setMultipleLayerScale(int32_t id, AIReal scaler, const char* label, PlotwiseLayerType which) {
    if (!g) return kBadParameterErr;
    AILayerHandle current = nullptr;
    if (AIErr err = sAILayer->GetCurrentLayer(&current)) return err;
    int32_t count = 0;
    if (AIErr err = sAILayer->CountLayers(&count)) return err;
    for (int32_t i = 0; i < count; ++i) {
        AILayerHandle layer = nullptr;
        if (AIErr err = sAILayer->GetNthLayer(i, &layer)) return err;
        if (IsSpecialScaleLayer(layer)) continue;
        if (which == kAllLayers || which == kSelectedLayers)
            if (AIErr err = setLayerScale(layer, id, scaler, label)) return err;
    }
    const AIErr err = RegenerateAllDimensions();
    SetCurrentLayer(current);
    return err;
}

AIErr removeScaleByLayer(int32_t id) {
    if (!g) return kBadParameterErr;
    char oneToOne[kScaleLabelSize] = {};
    getScaleTableLabel(kOneToOneScaleID, oneToOne, sizeof oneToOne);
    int32_t count = 0;
    if (AIErr err = sAILayer->CountLayers(&count)) return err;
    bool changed = false;
    for (int32_t i = 0; i < count; ++i) {
        AILayerHandle layer = nullptr;
        if (AIErr err = sAILayer->GetNthLayer(i, &layer)) return err;
        int32_t layerID = 0;
        AIReal scaler = 0;
        char label[kScaleLabelSize] = {};
        if (GetZA3LayerScaleAndSetIfNotThere(layer, &layerID, &scaler, label) != kNoErr) continue;
        if (layerID != id) continue;
        if (AIErr err = setLayerScale(layer, kOneToOneScaleID, 1.0f, oneToOne)) return err;
        changed = true;
    }
    if (!changed) return kNoErr;
    if (AIErr err = RegenerateAllDimensions()) return err;
    return UpdateCADdocumentLayerList();
}

AIErr setScaleOfSelectedLayers(int32_t& id, AIReal& scaler, char* label) {
    if (!g || !label) return kBadParameterErr;
    if (g->prefs.scaleStyle == kDocumentBasedScaleStyle) {
        if (AIErr err = setMultipleLayerScale(id, scaler, label, kAllLayers)) return err;
        if (ADMItemRef popup = g->CADdocumentWindow ? sADMDialog->GetItem(g->CADdocumentWindow, kScalePopup) : nullptr) {
            sADMItem->Enable(popup, true);
            sADMItem->Known(popup, true);
            if (ADMEntryRef entry = sADMList->IndexEntry(sADMItem->GetList(popup), id)) sADMEntry->Activate(entry, true);
        }
    } else if (ADMListRef list = LayerListOfPanel()) {
        for (ADMEntryRef row : SelectedRows(list)) {
            AILayerHandle layer = LayerOfRow(row);
            if (!layer) continue;
            if (AIErr err = setLayerScale(layer, id, scaler, label)) return err;
            SetRowText(row, layer, label);
        }
        setupScalePopupFromSelectedLayers();
    }
    return RegenerateAllDimensions();
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
