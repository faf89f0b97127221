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
// writes it on a layer that held none. A refresh writes and names nothing: a damaged scale
// is mended and named by what draws at it.
AIErr AddLayerRow(ADMListRef list, AILayerHandle layer, const char* title, AILayerHandle current, bool store) {
    int32_t id = 0;
    AIReal scaler = 0;
    char label[kScaleLabelSize] = {};
    const AIErr read = store ? GetZA3LayerScaleAndSetIfNotThere(layer, &id, &scaler, label)
                             : PeekZA3LayerScale(layer, &id, &scaler, label);
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

// The layer whose row the list marks: the top-level layer holding the current layer (a
// sublayer reads its scale), or with the dimension, grids or ruler layer current the layer
// whose scale lengths are then converted at.
AIErr MarkedLayer(AILayerHandle* marked) {
    *marked = nullptr;
    AILayerHandle current = nullptr;
    if (AIErr err = sAILayer->GetCurrentLayer(&current)) return err;
    return TopLevelLayerOf(ScaleSourceLayer(current), marked);
}

AIErr FillLayerList(ADMListRef list, bool store) {
    AILayerHandle current = nullptr;
    AIErr err = MarkedLayer(&current);
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

// The layer a selected row's scale is shown and picked for: the current layer when it lies in
// the row's layer (a sublayer current shows its own reading, and a pick goes to it), else the
// row's layer.
AILayerHandle LayerShownForRow(AILayerHandle rowLayer) {
    AILayerHandle current = nullptr, marked = nullptr;
    if (!rowLayer || sAILayer->GetCurrentLayer(&current) || MarkedLayer(&marked) || marked != rowLayer)
        return rowLayer;
    return ScaleSourceLayer(current);
}

// The popup shows the scale of the selected rows; at the user's pick in the list the first
// row's layer is made current, a refresh only shows.
void ScaleOfSelectedRows(ADMItemRef popup, bool makeCurrent) {
    ADMListRef list = ListOf(Item(g->CADdocumentWindow, kLayerList));
    const int32_t selected = list ? sADMList->NumberOfSelectedEntries(list) : 0;
    int32_t firstID = -1;
    AIReal firstScaler = 0;
    char firstLabel[kScaleLabelSize] = {};
    bool differ = false;
    for (int32_t k = 0; k < selected; ++k) {
        AILayerHandle layer = LayerOfRow(sADMList->IndexSelectedEntry(list, k));
        if (!layer) return;
        if (k == 0 && makeCurrent && !SetCurrentLayer(layer)) return;
        int32_t id = 0;
        AIReal scaler = 0;
        char label[kScaleLabelSize] = {};
        if (PeekZA3LayerScale(LayerShownForRow(layer), &id, &scaler, label)) return;
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
    // Shown, not stored: a document whose layers hold no scale yet shows the one a new
    // drawing starts at, which is what it reads.
    int32_t id = -1;
    AIReal scaler = 0;
    char label[kScaleLabelSize] = {};
    bool stored = false;
    if (PeekCurrentDocBasedScale(&id, &scaler, label, &stored) == kNoErr && id >= 0)
        ShowScaleInPopup(popup, id, scaler, label);
    RedrawItem(popup);
}

// The popup shows the scale of the selected rows (layer-based) or of the document; with no
// drawing open, in either style, where a new drawing starts.
void ShowScaleOfSelection(bool makeCurrent) {
    ADMItemRef popup = Item(g->CADdocumentWindow, kScalePopup);
    if (!popup) return;
    if (DocumentScaleStyle() == kLayerBasedScaleStyle && AnyDocumentOpen())
        ScaleOfSelectedRows(popup, makeCurrent);
    else
        ScaleOfDocument(popup);
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

// The row shows its layer's scale as read now.
void RelabelRow(ADMEntryRef row, AILayerHandle layer) {
    int32_t id = 0;
    AIReal scaler = 0;
    char label[kScaleLabelSize] = {};
    if (PeekZA3LayerScale(layer, &id, &scaler, label) == kNoErr) SetRowText(row, layer, label);
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

// A style stored as neither style (or as no number) is read as layer-based, which keeps every
// layer's own scale: so it is stored, and the user told once, when the document comes to the
// front.
AIErr MendDocumentScaleStyle(AIDictionaryRef dict) {
    const AIDictKey styleKey = sAIDictionary->Key(kDocScaleStyleKey);
    if (!sAIDictionary->IsKnown(dict, styleKey)) return kNoErr;
    int32_t style = 0;
    const AIErr err = sAIDictionary->GetIntegerEntry(dict, styleKey, &style);
    if (err && err != kWrongTypeErr) return err;
    if (!err && (style == kDocumentBasedScaleStyle || style == kLayerBasedScaleStyle)) return kNoErr;
    const std::string stored = err ? "of another type" : std::to_string(style);
    NoteForUser(kDefaultedValuesNote, "the scale style of this document (" + stored + ", read as layer-based)");
    return sAIDictionary->SetIntegerEntry(dict, styleKey, kLayerBasedScaleStyle);
}

AIErr ReadDocumentScaleSettings(AIDictionaryRef dict) {
    if (AIErr err = MendDocumentScaleStyle(dict)) return err;
    const AIDictKey heightKey = sAIDictionary->Key(kDocHeightKey);
    if (sAIDictionary->IsKnown(dict, heightKey))
        if (AIErr err = sAIDictionary->GetIntegerEntry(dict, heightKey, &g->prefs.CADdocumentHeight)) return err;
    return kNoErr;
}

// The user's choice of style, stored in the front drawing, or with none open kept as the one
// a new drawing starts in.
AIErr StoreScaleStyle(int32_t style) {
    g->prefs.scaleStyle = style;
    DictRef dict;
    AIErr err = sAIDocument->GetDictionary(dict.put());
    if (err == kNoDocumentErr) return NoteNewDrawingScaleStyle();
    if (err) return err;
    return sAIDictionary->SetIntegerEntry(dict.get(), sAIDictionary->Key(kDocScaleStyleKey), style);
}

// The radios of the style the front drawing reads, and the panel laid out for it when it
// was laid out for the other.
void ShowScaleStyle(ADMDialogRef panel) {
    const bool documentBased = DocumentScaleStyle() == kDocumentBasedScaleStyle;
    const int32_t item = documentBased ? kDocumentScaleRadio : kLayerScaleRadio;
    ADMItemRef on = Item(panel, item);
    const bool shown = on && sADMItem->GetBooleanValue(on);
    if (on) sADMItem->SetBooleanValue(on, true);
    if (ADMItemRef off = Item(panel, documentBased ? kLayerScaleRadio : kDocumentScaleRadio))
        sADMItem->SetBooleanValue(off, false);
    if (!shown) SwitchScaleStyleSettings(panel, item, 0);
}

// The layer list's rows stand for the ordinary top-level layers in their order.
bool RowsMatchLayers(ADMListRef list) {
    int32_t count = 0, row = 0;
    if (sAILayer->CountLayers(&count)) return false;
    for (int32_t i = 0; i < count; ++i) {
        AILayerHandle layer = nullptr;
        if (sAILayer->GetNthLayer(i, &layer)) return false;
        if (IsSpecialScaleLayer(layer)) continue;
        if (LayerOfRow(sADMList->IndexEntry(list, row++)) != layer) return false;
    }
    return row == sADMList->NumberOfEntries(list);
}

// Each row relabelled with its layer's scale as read now. A selection the user made stays
// while its first row is the marked layer's; otherwise the marked layer's row alone is
// selected.
void ShowLayerRows(ADMListRef list) {
    AILayerHandle marked = nullptr;
    (void)MarkedLayer(&marked);
    ADMEntryRef first = sADMList->NumberOfSelectedEntries(list) ? sADMList->IndexSelectedEntry(list, 0) : nullptr;
    const bool keep = first && LayerOfRow(first) == marked;
    const int32_t n = sADMList->NumberOfEntries(list);
    for (int32_t i = 0; i < n; ++i) {
        ADMEntryRef row = sADMList->IndexEntry(list, i);
        AILayerHandle layer = LayerOfRow(row);
        if (layer) RelabelRow(row, layer);
        if (keep) continue;
        sADMEntry->Select(row, false);
        if (layer && layer == marked) sADMEntry->Activate(row, true);
    }
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
    if ((err = LoadCurrentLayerScale())) return err;
    return ShowDrawingScale();
}

AIErr ShowDrawingScale() {
    if (!g) return kNoErr;
    ADMDialogRef panel = g->CADdocumentWindow;
    if (!panel) return kNoErr;
    // With no drawing open, the style and scale a new drawing starts at.
    ShowScaleStyle(panel);
    if (DocumentScaleStyle() == kLayerBasedScaleStyle) {
        ADMListRef list = ListOf(Item(panel, kLayerList));
        if (list && !sAILayer->IsInIsolationMode()) {
            if (RowsMatchLayers(list))
                ShowLayerRows(list);
            else if (AIErr err = RefillLayerList(false))
                return err;
        }
    } else if (AIErr err = RefillLayerList(false)) {
        return err;
    }
    ShowScaleOfSelection(false);
    // Every field showing a length shows it at the scale read now.
    ShowAllPrecisionMenus();
    return kNoErr;
}

AIErr SaveCADdocumentScaleSettings() {
    if (!g) return kBadParameterErr;
    DictRef dict;
    AIErr err = sAIDocument->GetDictionary(dict.put());
    if (err == kNoDocumentErr) return kNoErr;
    if (err) return err;
    // The document's own style: one that stores none takes the style a new drawing starts in.
    if ((err = sAIDictionary->SetIntegerEntry(dict.get(), sAIDictionary->Key(kDocScaleStyleKey), DocumentScaleStyle())))
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

// The layer reads that scale already (its own, its top-level layer's or the document's).
bool LayerReads(AILayerHandle layer, int32_t id, AIReal scaler, const char* label) {
    int32_t at = 0;
    AIReal atScaler = 0;
    char atLabel[kScaleLabelSize] = {};
    return PeekZA3LayerScale(layer, &at, &atScaler, atLabel) == kNoErr && at == id && atScaler == scaler &&
           std::strncmp(atLabel, label, kScaleLabelSize) == 0;
}

// Every ordinary layer of the front drawing reads that scale already.
bool EveryOrdinaryLayerReads(int32_t id, AIReal scaler, const char* label) {
    return ForEachLayer([&](AILayerHandle layer) -> AIErr {
               return IsSpecialScaleLayer(layer) || LayerReads(layer, id, scaler, label) ? kNoErr : kCanceledErr;
           }) == kNoErr;
}

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
    if (id != g->prefs.scale || scaler != g->prefs.scaler || std::strncmp(label, g->prefs.scaleStr, kScaleLabelSize))
        return false;
    if (DocumentScaleStyle() == kDocumentBasedScaleStyle) return EveryOrdinaryLayerReads(id, scaler, label);
    ADMListRef list = ListOf(Item(g->CADdocumentWindow, kLayerList));
    const std::vector<ADMEntryRef> rows = list ? SelectedRows(list) : std::vector<ADMEntryRef>{};
    return !rows.empty() && std::all_of(rows.begin(), rows.end(), [&](ADMEntryRef row) {
        AILayerHandle layer = LayerOfRow(row);
        return layer && LayerReads(LayerShownForRow(layer), id, scaler, label);
    });
}

// The radio pressed stands for the style the drawing has already, and, document-based (a
// press starts the drawing at 1:1), every ordinary layer reads 1:1: the press changes
// nothing, and is no step of undo.
bool StyleChosenAgain(ADMDialogRef panel) {
    const ADMItemRef documentRadio = sADMDialog->GetItem(panel, kDocumentScaleRadio);
    const int32_t style = documentRadio && sADMItem->GetBooleanValue(documentRadio) ? kDocumentBasedScaleStyle
                                                                                    : kLayerBasedScaleStyle;
    if (style != DocumentScaleStyle()) return false;
    if (style == kLayerBasedScaleStyle) return true;
    char oneToOne[kScaleLabelSize] = {};
    getScaleTableLabel(kOneToOneScaleID, oneToOne, sizeof oneToOne);
    return EveryOrdinaryLayerReads(kOneToOneScaleID, 1.0f, oneToOne);
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
    if (ADMDialogRef panel = sADMItem->GetDialog(item); UserChangedOrChanging(notifier) && !StyleChosenAgain(panel)) {
        // The drawing stores its new style first: every read that follows is in that style.
        // Clicking the radio that was already on starts the document at 1:1 again, too.
        if (ADMItemRef radio = sADMDialog->GetItem(panel, kDocumentScaleRadio); radio && sADMItem->GetBooleanValue(radio)) {
            StoreScaleStyle(kDocumentBasedScaleStyle);
            SwitchScaleStyleSettings(panel, kDocumentScaleRadio, 1);
        }
        if (ADMItemRef radio = sADMDialog->GetItem(panel, kLayerScaleRadio); radio && sADMItem->GetBooleanValue(radio)) {
            // Every ordinary layer carried the document's scale: a layer that never stored it
            // keeps it as its own.
            if (DocumentScaleStyle() == kDocumentBasedScaleStyle) CarryDocumentScaleToLayers();
            StoreScaleStyle(kLayerBasedScaleStyle);
            SwitchScaleStyleSettings(panel, kLayerScaleRadio, 1);
        }
        SaveCADdocumentScaleSettings();
        RegenerateAllDimensions();
        NotifyPlotwiseAPI();
        // With no drawing open nothing else follows the choice: the current scale and the
        // panel are where a new drawing now starts.
        if (!AnyDocumentOpen()) {
            (void)LoadCurrentLayerScale();
            (void)ShowDrawingScale();
        }
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
        // With no drawing open the refill showed where a new drawing starts.
        if (popup && document) {
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
            if (!document) NoteNewDrawingScale();
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
    if (!g || !g->CADdocumentWindow) return kNoErr;
    ADMListRef list = ListOf(Item(g->CADdocumentWindow, kLayerList));
    if (!list) return kNoErr;
    // The rows stand for the layers of a layer-based drawing, never for another drawing's.
    if (DocumentScaleStyle() == kDocumentBasedScaleStyle) {
        sADMList->RemoveAllEntries(list);
        return kNoErr;
    }
    if (sAILayer->IsInIsolationMode()) return kNoErr;
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
        ShowScaleOfSelection(true);    // makes the first row's layer current
        (void)LoadCurrentLayerScale();  // and so its scale
        UpdateScalePopoutMenu(g->CADdocumentWindow);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void setupScalePopupFromSelectedLayers() { ShowScaleOfSelection(false); }

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
    // Chosen with no drawing open, it is the scale the next new drawing starts at.
    if (!AnyDocumentOpen()) NoteNewDrawingScale();
    if (DocumentScaleStyle() == kDocumentBasedScaleStyle) {
        if (AIErr err = setMultipleLayerScale(id, scaler, label, kAllLayers)) return err;
        if (ADMItemRef popup = Item(g->CADdocumentWindow, kScalePopup)) ShowScaleInPopup(popup, id, scaler, label);
    } else if (ADMListRef list = ListOf(Item(g->CADdocumentWindow, kLayerList))) {
        for (ADMEntryRef row : SelectedRows(list)) {
            AILayerHandle layer = LayerOfRow(row);
            if (!layer) continue;
            if (AIErr err = SetLayerScaleFrom(LayerShownForRow(layer), id, scaler, label)) return err;
            RelabelRow(row, layer);
        }
        setupScalePopupFromSelectedLayers();
    }
    return RegenerateAllDimensions();
}
