// The scale section of the document panel, the document's scale settings, and a chosen
// scale applied to the layers.
#include "panels/ScaleSection.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "artwork/DrawingLayer.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "panels/DocumentPanelItems.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "panels/PanelRedraw.h"
#include "panels/UnitsMenus.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;


ADMListRef ListOf(ADMItemRef item) { return item ? sADMItem->GetList(item) : nullptr; }

void StartTheTimer() {
    if (g->theTimer) sAITimer->SetTimerActive(g->theTimer, true);
}

// A row shows the scale a read answers; only the user's switch to layer-based scale (store)
// writes it on a layer that held none.
AIErr AddLayerRow(ADMListRef list, AILayerHandle layer, const char* title, AILayerHandle current, bool store) {
    int32_t id = 0;
    AIReal scaler = 0;
    char label[kScaleLabelSize] = {};
    const AIErr read = store ? GetZA3LayerScaleAndSetIfNotThere(layer, &id, &scaler, label)
                             : ReadZA3LayerScale(layer, &id, &scaler, label);
    if (read) return read;
    const int32_t position = sADMList->NumberOfEntries(list);
    ADMEntryRef row = sADMList->InsertEntry(list, position);
    if (!row) return kBadParameterErr;
    char text[kMaxLayerTitle + 3 + kScaleLabelSize + 1];
    std::snprintf(text, sizeof text, "%s - %s", title, label);
    sADMEntry->SetText(row, text);
    sADMEntry->SetID(row, position);
    // Rows are found again by their layer, never by parsing the title back: a title may
    // itself hold " - ".
    sADMEntry->SetUserData(row, layer);
    if (layer == current)
        sADMEntry->Activate(row, true);
    else
        sADMEntry->Select(row, false);
    return kNoErr;
}

AIErr FillLayerList(ADMListRef list, bool store) {
    AILayerHandle current = nullptr;
    AIErr err = sAILayer->GetCurrentLayer(&current);
    if (err == kNoDocumentErr) return kNoErr;
    if (err) return err;
    int32_t count = 0;
    if ((err = sAILayer->CountLayers(&count))) return err;
    for (int32_t i = 0; i < count; ++i) {
        AILayerHandle layer = nullptr;
        if ((err = sAILayer->GetNthLayer(i, &layer))) return err;
        char title[kMaxLayerTitle + 1] = {};
        if ((err = sAILayer->GetLayerTitle(layer, title, sizeof title))) return err;
        // The three special layers get no row, and the plug-in's dimension layer is held at
        // 1:1; a layer of the user's that is only titled "Dimension Layer" is listed.
        if (IsSpecialScaleLayer(layer)) {
            if (store && layer == g->dimensionLayer) {
                char oneToOne[kScaleLabelSize] = {};
                getScaleTableLabel(kOneToOneScaleID, oneToOne, sizeof oneToOne);
                if ((err = setLayerScale(layer, kOneToOneScaleID, 1.0f, oneToOne))) return err;
            }
            continue;
        }
        if ((err = AddLayerRow(list, layer, title, current, store))) return err;
    }
    return kNoErr;
}

// The custom entries of a scale popup as the user's slots are: a defined one enabled with
// its label, a free one disabled with the word for a custom slot.
void ShowCustomSlots(ADMItemRef popup) {
    if (popup && popup == Item(g->CADdocumentWindow, kScalePopup)) g->popupOwnScale.id = -1;
    ADMListRef list = ListOf(popup);
    for (int32_t id = 0; list && id < kCustomScaleSlots; ++id) {
        ADMEntryRef entry = sADMList->IndexEntry(list, id);
        if (!entry) continue;
        const CustomScaleSlot slot = customSlot(g->prefs, id + 1);
        const bool defined = *slot.scaler != 0.0f;
        char word[256];
        if (!defined) GetPlotwiseString(kScaleNameList, id + 1, word, sizeof word);
        sADMEntry->Enable(entry, defined);
        sADMEntry->SetText(entry, defined ? slot.label : word);
    }
}

// Shows a layer's or the document's scale. A custom scale is shown with the label it was
// stored with: the user's slot of its id may hold another scale since, or none.
void ShowScaleInPopup(ADMItemRef popup, int32_t id, AIReal scaler, const char* label) {
    ShowCustomSlots(popup);
    ADMEntryRef entry = sADMList->IndexEntry(ListOf(popup), id);
    if (entry && id >= 0 && id < kCustomScaleSlots) {
        const CustomScaleSlot slot = customSlot(g->prefs, id + 1);
        if (*slot.scaler != scaler || std::strncmp(slot.label, label, kScaleLabelSize) != 0) {
            auto& own = g->popupOwnScale;
            own.id = id;
            own.scaler = scaler;
            CopyCString(own.label, label);
            sADMEntry->SetText(entry, label);
        }
    }
    sADMItem->Enable(popup, true);
    sADMItem->Known(popup, true);
    if (entry) sADMEntry->Activate(entry, true);
}

void RedrawItem(ADMItemRef item) {
    sADMItem->Invalidate(item);
    sADMItem->Update(item);
}

void ScaleOfSelectedRows(ADMItemRef popup) {
    ADMListRef list = ListOf(Item(g->CADdocumentWindow, kLayerList));
    const int32_t selected = list ? sADMList->NumberOfSelectedEntries(list) : 0;
    int32_t firstID = -1;
    AIReal firstScaler = 0;
    char firstLabel[kScaleLabelSize] = {};
    bool differ = false;
    for (int32_t k = 0; k < selected; ++k) {
        AILayerHandle layer = LayerOfRow(sADMList->IndexSelectedEntry(list, k));
        if (!layer) return;
        if (k == 0 && !SetCurrentLayer(layer)) return;
        int32_t id = 0;
        AIReal scaler = 0;
        char label[kScaleLabelSize] = {};
        if (ReadZA3LayerScale(layer, &id, &scaler, label)) return;
        if (k == 0) {
            firstID = id;
            firstScaler = scaler;
            CopyCString(firstLabel, label);
        } else if (id != firstID) {
            differ = true;
            if (RedrawRulers(1)) return;
        }
    }
    if (selected == 0 || differ) ShowCustomSlots(popup);
    if (selected == 0)
        sADMItem->Enable(popup, false);
    else if (differ)
        sADMItem->Known(popup, false);
    else
        ShowScaleInPopup(popup, firstID, firstScaler, firstLabel);
    RedrawItem(popup);
}

void ScaleOfDocument(ADMItemRef popup) {
    if (sAILayer->IsInIsolationMode()) {
        sADMItem->Enable(popup, false);
        return;
    }
    sADMItem->Enable(popup, true);
    // Shown, not stored: a document whose layers hold no scale yet shows the current one.
    int32_t id = g->prefs.scale;
    AIReal scaler = g->prefs.scaler;
    char label[kScaleLabelSize] = {};
    CopyCString(label, g->prefs.scaleStr);
    bool found = false;
    if (PeekCurrentDocBasedScale(&id, &scaler, label, &found) == kNoErr && id >= 0)
        ShowScaleInPopup(popup, id, scaler, label);
    RedrawItem(popup);
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

AIErr RefillLayerList(bool store);

}  // namespace

AILayerHandle LayerOfRow(ADMEntryRef row) {
    if (!row) return nullptr;
    auto* layer = static_cast<AILayerHandle>(sADMEntry->GetUserData(row));
    char title[kMaxLayerTitle + 1];
    // A layer deleted since the list was filled is no layer.
    if (!layer || sAILayer->GetLayerTitle(layer, title, sizeof title) != kNoErr) return nullptr;
    return layer;
}

void SetLayerListBottom(ADMDialogRef dialog, int32_t panelBottom) {
    ADMItemRef list = Item(dialog, kLayerList);
    ADMRect bounds{};
    if (!list || sADMItem->GetBoundsRect(list, &bounds)) return;
    bounds.bottom = panelBottom - kLayerListBottomGap;
    sADMItem->SetBoundsRect(list, &bounds);
}

void AdjustCADdocumentPalette(ADMDialogRef dialog, int32_t radioItem) {
    if (!g || !dialog) return;
    if (SizeCollapsedPanel(kDocumentFrame, dialog)) return;
    int32_t height = kDocumentPanelDocumentHeight;
    if (radioItem == kLayerScaleRadio) {
        height = kDocumentPanelLayerHeight;
    } else if (radioItem == kDocumentScaleRadio) {
        sADMDialog->SetDialogStyle(dialog, kADMTabbedFloatingDialogStyle);
        if (ADMItemRef hostItem = Item(dialog, kADMHostItemID)) sADMItem->Show(hostItem, false);
    }
    ADMRect rect{};
    if (sADMDialog->GetLocalRect(dialog, &rect)) return;
    rect.bottom = rect.top + height;
    sADMDialog->SetLocalRect(dialog, &rect);
    SetLayerListBottom(dialog, rect.bottom);
}

namespace {

AIErr ReadDocumentScaleSettings(AIDictionaryRef dict) {
    const AIDictKey styleKey = sAIDictionary->Key(kDocScaleStyleKey);
    if (!sAIDictionary->IsKnown(dict, styleKey)) return kNoErr;
    int32_t style = 0;
    AIErr err = kNoErr;
    if ((err = sAIDictionary->GetIntegerEntry(dict, styleKey, &style))) return err;
    // Only the two styles exist; anything else stored is read as layer-based, which keeps
    // every layer's own scale, stored so, and the user is told once.
    if (style != kDocumentBasedScaleStyle && style != kLayerBasedScaleStyle) {
        NoteForUser(kDefaultedValuesNote,
                    "the scale style of this document (" + std::to_string(style) + ", read as layer-based)");
        if ((err = sAIDictionary->SetIntegerEntry(dict, styleKey, kLayerBasedScaleStyle))) return err;
    }
    g->prefs.scaleStyle = style == kDocumentBasedScaleStyle ? kDocumentBasedScaleStyle : kLayerBasedScaleStyle;
    const AIDictKey heightKey = sAIDictionary->Key(kDocHeightKey);
    if (sAIDictionary->IsKnown(dict, heightKey))
        if ((err = sAIDictionary->GetIntegerEntry(dict, heightKey, &g->prefs.CADdocumentHeight))) return err;
    if (ADMDialogRef panel = g->CADdocumentWindow) {
        const bool documentBased = g->prefs.scaleStyle == kDocumentBasedScaleStyle;
        if (ADMItemRef radio = Item(panel, kLayerScaleRadio)) sADMItem->SetBooleanValue(radio, !documentBased);
        if (ADMItemRef radio = Item(panel, kDocumentScaleRadio)) sADMItem->SetBooleanValue(radio, documentBased);
        SwitchScaleStyleSettings(panel, documentBased ? kDocumentScaleRadio : kLayerScaleRadio, 0);
    }
    return kNoErr;
}

}  // namespace

AIErr UpdateCADdocumentScaleSettings() {
    if (!g) return kBadParameterErr;
    DictRef dict;
    AIErr err = sAIDocument->GetDictionary(dict.put());
    if (err == kNoDocumentErr) return kNoErr;
    if (err) return err;
    if ((err = ReadDocumentScaleSettings(dict.get()))) return err;
    dict.reset();
    return LoadDocumentScale();
}

AIErr LoadDocumentScale() {
    if (!g) return kNoErr;
    if (AIErr err = LoadCurrentLayerScale()) return err;
    if (g->prefs.scaleStyle != kDocumentBasedScaleStyle) return kNoErr;
    if (ADMItemRef popup = Item(g->CADdocumentWindow, kScalePopup); popup && !sAILayer->IsInIsolationMode()) {
        ShowScaleInPopup(popup, g->prefs.scale, g->prefs.scaler, g->prefs.scaleStr);
        RedrawItem(popup);
    }
    return kNoErr;
}

AIErr SaveCADdocumentScaleSettings() {
    if (!g) return kBadParameterErr;
    DictRef dict;
    AIErr err = sAIDocument->GetDictionary(dict.put());
    if (err == kNoDocumentErr) return kNoErr;
    if (err) return err;
    if ((err = sAIDictionary->SetIntegerEntry(dict.get(), sAIDictionary->Key(kDocScaleStyleKey), g->prefs.scaleStyle)))
        return err;
    return sAIDictionary->SetIntegerEntry(dict.get(), sAIDictionary->Key(kDocHeightKey), g->prefs.CADdocumentHeight);
}

void setupScalePopup(ADMDialogRef dialog, int32_t item) {
    if (!g || !dialog) return;
    ADMItemRef popup = sADMDialog->GetItem(dialog, item);
    ADMListRef list = ListOf(popup);
    if (!list) return;
    sADMList->RemoveAllEntries(list);
    for (int32_t id = 0; id < kScaleCount; ++id) {
        ADMEntryRef entry = sADMList->InsertEntry(list, id);
        if (!entry) continue;
        char text[256];
        GetPlotwiseString(kScaleNameList, id + 1, text, sizeof text);
        if (std::strcmp(text, "-") == 0)
            sADMEntry->MakeSeparator(entry, true);
        else
            sADMEntry->SetText(entry, text);
        sADMEntry->SetID(entry, id);
    }
    ShowCustomSlots(popup);
    if (item == kScalePopup && dialog == g->CADdocumentWindow) setupScalePopupFromSelectedLayers();
    UpdateScalePopoutMenu(dialog);
}

void UpdateScalePopoutMenu(ADMDialogRef dialog) {
    // Only the document panel has the popout entry and item 12 this is about.
    if (!g || !dialog || dialog != g->CADdocumentWindow) return;
    ADMEntryRef remove =
        sADMList->IndexEntry(ListOf(sADMDialog->GetItem(dialog, kADMPopoutMenuItemID)), kDeleteCustomScaleEntry);
    if (!remove) return;
    bool anyCustom = false;
    ADMListRef scales = ListOf(sADMDialog->GetItem(dialog, kScalePopup));
    for (int32_t slot = 0; scales && slot < kCustomScaleSlots; ++slot)
        if (ADMEntryRef entry = sADMList->IndexEntry(scales, slot)) anyCustom = anyCustom || sADMEntry->IsEnabled(entry);
    sADMEntry->Enable(remove, anyCustom);
}

namespace {

// The scale the popup's entry stands for is the current scale and what every layer it would
// go to reads already: picking it again changes nothing, and is no step of undo.
bool PickedAgain(ADMItemRef popup) {
    const int32_t id = ActivePopupIndex(popup);
    AIReal scaler = 0;
    char label[kScaleLabelSize] = {};
    if (const auto& own = g->popupOwnScale; id >= 0 && own.id == id) {
        scaler = own.scaler;
        CopyCString(label, own.label);
    } else if (id < 0 || getScaleDataFromScaleID(id, &scaler, label) != kNoErr) {
        return false;
    }
    const auto reads = [&](AILayerHandle layer) {
        int32_t at = 0;
        AIReal atScaler = 0;
        char atLabel[kScaleLabelSize] = {};
        return PeekZA3LayerScale(layer, &at, &atScaler, atLabel) == kNoErr && at == id && atScaler == scaler &&
               std::strncmp(atLabel, label, kScaleLabelSize) == 0;
    };
    if (id != g->prefs.scale || scaler != g->prefs.scaler || std::strncmp(label, g->prefs.scaleStr, kScaleLabelSize))
        return false;
    if (g->prefs.scaleStyle == kDocumentBasedScaleStyle)
        return ForEachLayer([&](AILayerHandle layer) -> AIErr {
                   return IsSpecialScaleLayer(layer) || reads(layer) ? kNoErr : kCanceledErr;
               }) == kNoErr;
    ADMListRef list = ListOf(Item(g->CADdocumentWindow, kLayerList));
    const std::vector<ADMEntryRef> rows = list ? SelectedRows(list) : std::vector<ADMEntryRef>{};
    return !rows.empty() && std::all_of(rows.begin(), rows.end(), [&](ADMEntryRef row) {
        AILayerHandle layer = LayerOfRow(row);
        return layer && reads(layer);
    });
}

}  // namespace

void ScalePopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (!g) return;
    if (UserChanged(notifier) && PickedAgain(item)) {
        sADMItem->DefaultNotify(item, notifier);
        return;
    }
    if (TagSelectedArt() == kNoErr && UserChanged(notifier)) {
        const int32_t id = ActivePopupIndex(item);
        if (id >= 0) {
            g->prefs.scale = id;
            // The entry that shows a stored custom scale stands for that scale.
            if (const auto& own = g->popupOwnScale; own.id == id) {
                g->prefs.scaler = own.scaler;
                CopyCString(g->prefs.scaleStr, own.label);
            } else {
                UpdateScaler();
            }
            UpdateAllPrecisionMenus();
            setScaleOfSelectedLayers(g->prefs.scale, g->prefs.scaler, g->prefs.scaleStr);
            UpdateScalePopoutMenu(g->CADdocumentWindow);
            if (RedrawRulers(1) == kNoErr) NotifyPlotwiseAPI();
        }
    }
    StartTheTimer();
    sADMItem->DefaultNotify(item, notifier);
}

void ScaleStyleRadiosNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (!g) return;
    if (UserChangedOrChanging(notifier)) {
        ADMDialogRef panel = sADMItem->GetDialog(item);
        // Clicking the radio that was already on starts the document at 1:1 again, too.
        if (ADMItemRef radio = sADMDialog->GetItem(panel, kDocumentScaleRadio); radio && sADMItem->GetBooleanValue(radio)) {
            g->prefs.scaleStyle = kDocumentBasedScaleStyle;
            SwitchScaleStyleSettings(panel, kDocumentScaleRadio, 1);
        }
        if (ADMItemRef radio = sADMDialog->GetItem(panel, kLayerScaleRadio); radio && sADMItem->GetBooleanValue(radio)) {
            g->prefs.scaleStyle = kLayerBasedScaleStyle;
            SwitchScaleStyleSettings(panel, kLayerScaleRadio, 1);
        }
        SaveCADdocumentScaleSettings();
        RegenerateAllDimensions();
        NotifyPlotwiseAPI();
    }
    sADMItem->DefaultNotify(item, notifier);
}

bool AnyDocumentOpen() {
    AIDocumentHandle document = nullptr;
    return sAIDocument && sAIDocument->GetDocument(&document) == kNoErr && document;
}

void SwitchScaleStyleSettings(ADMDialogRef dialog, int32_t item, int32_t reset) {
    if (!g || !dialog) return;
    // Only a user's switch redraws anything; reading a document's style (no reset) must not
    // tag a selection that a timer would later restore in whatever document is in front.
    // With no document there are no layers to set and no selection to give back.
    const bool document = AnyDocumentOpen();
    const bool restoreSelection = reset && document;
    if (restoreSelection) TagSelectedArt();
    ADMItemRef list = sADMDialog->GetItem(dialog, kLayerList);
    ADMItemRef assistant = sADMDialog->GetItem(dialog, kScaleAssistantButton);
    ADMItemRef popup = sADMDialog->GetItem(dialog, kScalePopup);
    if (item == kLayerScaleRadio) {
        if (list) {
            sADMItem->Enable(list, true);
            sADMItem->Known(list, true);
        }
        if (assistant) sADMItem->Enable(assistant, false);
        RefillLayerList(restoreSelection);
        const bool activeRow = list && sADMList->GetActiveEntry(sADMItem->GetList(list)) != nullptr;
        if (popup) {
            sADMItem->Enable(popup, activeRow);
            sADMItem->Known(popup, activeRow);
        }
        AdjustCADdocumentPalette(dialog, kLayerScaleRadio);
    } else if (item == kDocumentScaleRadio) {
        if (list) sADMItem->Enable(list, false);
        if (assistant) sADMItem->Enable(assistant, true);
        if (reset) {
            char oneToOne[kScaleLabelSize] = {};
            getScaleTableLabel(kOneToOneScaleID, oneToOne, sizeof oneToOne);
            if (document) setMultipleLayerScale(kOneToOneScaleID, 1.0f, oneToOne, kAllLayers);
            // The current scale follows to 1:1, or shown and typed values would go on using
            // a scale no layer has any more (and the next new document would take it while
            // the popup shows 1:1).
            g->prefs.scale = kOneToOneScaleID;
            UpdateScaler();
            if (g->rulerScale != kOneToOneScaleID) {
                g->rulerScale = kOneToOneScaleID;
                g->rulerScaler = 1.0f;
                RedrawRulers(1);
            }
            if (popup) ShowScaleInPopup(popup, kOneToOneScaleID, g->prefs.scaler, g->prefs.scaleStr);
        }
        AdjustCADdocumentPalette(dialog, kDocumentScaleRadio);
    }
    if (restoreSelection) StartTheTimer();
}

namespace {

AIErr RefillLayerList(bool store) {
    if (!g || !g->CADdocumentWindow || g->prefs.scaleStyle == kDocumentBasedScaleStyle) return kNoErr;
    if (sAILayer->IsInIsolationMode()) return kNoErr;
    ADMListRef list = ListOf(Item(g->CADdocumentWindow, kLayerList));
    if (!list) return kNoErr;
    sADMList->RemoveAllEntries(list);
    if (AIErr err = FillLayerList(list, store)) return err;
    setupScalePopupFromSelectedLayers();
    return sADMDialog->Update(g->CADdocumentWindow);
}

}  // namespace

// A refresh (another document, a layer added, a save) shows the layers' scales and stores none.
AIErr UpdateCADdocumentLayerList() { return RefillLayerList(false); }

void scaleByLayersListBoxNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (!g) return;
    if (UserChanged(notifier)) {
        setupScalePopupFromSelectedLayers();  // makes the first row's layer current
        (void)LoadCurrentLayerScale();        // and so its scale
        UpdateScalePopoutMenu(g->CADdocumentWindow);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void setupScalePopupFromSelectedLayers() {
    if (!g) return;
    ADMItemRef popup = Item(g->CADdocumentWindow, kScalePopup);
    if (!popup) return;
    if (g->prefs.scaleStyle == kLayerBasedScaleStyle)
        ScaleOfSelectedRows(popup);
    else if (g->prefs.scaleStyle == kDocumentBasedScaleStyle)
        ScaleOfDocument(popup);
}

AIErr setMultipleLayerScale(int32_t id, AIReal scaler, const char* label, PlotwiseLayerType which) {
    if (!g) return kBadParameterErr;
    AILayerHandle current = nullptr;
    if (AIErr err = sAILayer->GetCurrentLayer(&current)) return err;
    if (AIErr err = ForEachLayer([&](AILayerHandle layer) -> AIErr {
            if (IsSpecialScaleLayer(layer) || (which != kAllLayers && which != kSelectedLayers)) return kNoErr;
            return setLayerScale(layer, id, scaler, label);
        }))
        return err;
    const AIErr err = RegenerateAllDimensions();
    SetCurrentLayer(current);
    return err;
}

AIErr setScaleOfSelectedLayers(int32_t& id, AIReal& scaler, char* label) {
    if (!g || !label) return kBadParameterErr;
    if (g->prefs.scaleStyle == kDocumentBasedScaleStyle) {
        if (AIErr err = setMultipleLayerScale(id, scaler, label, kAllLayers)) return err;
        if (ADMItemRef popup = Item(g->CADdocumentWindow, kScalePopup)) ShowScaleInPopup(popup, id, scaler, label);
    } else if (ADMListRef list = ListOf(Item(g->CADdocumentWindow, kLayerList))) {
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
