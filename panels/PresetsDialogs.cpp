// The presets dialogs: their init procedures and notifiers, the list of presets they show,
// and the buttons of the shortcuts panel that open them.
#include "panels/PresetsDialogs.h"

#include <cstring>
#include <vector>

#include "axonometric/AxonometricData.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/StylePush.h"
#include "drawtools/NumericInputDialogs.h"
#include "panels/IsometricPanel.h"
#include "panels/PanelGlobals.h"
#include "panels/PanelRefresh.h"
#include "panels/PanelsFromSelection.h"
#include "panels/PresetRecord.h"
#include "panels/PresetsCatalog.h"
#include "panels/ShortcutsPanelItems.h"
#include "panels/TextPanel.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

ADMListRef ListOf(ADMDialogRef dialog, int32_t id) {
    ADMItemRef item = Item(dialog, id);
    return item ? sADMItem->GetList(item) : nullptr;
}

// The entry of Edit's list the user chose, or null while none is.
ADMEntryRef ChosenEntry(ADMDialogRef dialog) {
    ADMListRef list = ListOf(dialog, kPresetsListBox);
    if (!list) return nullptr;
    if (sADMList->NumberOfSelectedEntries(list) > 0) return sADMList->IndexSelectedEntry(list, 0);
    return sADMList->GetActiveEntry(list);
}

void EntryText(ADMEntryRef entry, char (&name)[kPresetNameSize]) {
    name[0] = '\0';
    if (entry) sADMEntry->GetText(entry, name, static_cast<int32_t>(kPresetNameSize));
}

// The catalogue index of the preset an entry of a presets list stands for (the list keeps
// the catalogue's order), or -1 when no preset listed under the entry's name stands there.
// Presets may share a name, or have none: the one chosen is the one acted on.
int32_t ChosenPreset(AIAttributeCatalogRef catalog, ADMEntryRef entry, const char* name) {
    const int32_t index = sADMEntry->GetIndex(entry);
    char listed[kPresetNameSize];
    (void)GetPresetName(catalog, index, listed);  // listed empty when it has no name
    return index < CountPresets(catalog) && std::strcmp(listed, name) == 0 ? index : -1;
}

// Whether any preset is named exactly so.
bool PresetNameUsed(const char* name) {
    AIAttributeCatalogRef catalog = PresetsCatalog();
    const int32_t count = CountPresets(catalog);
    for (int32_t i = 0; i < count; ++i) {
        char existing[kPresetNameSize];
        if (GetPresetName(catalog, i, existing) && std::strcmp(existing, name) == 0) return true;
    }
    return false;
}

// Define's and Rename's OK: the name typed (cut to 63 characters), or false when the dialog
// stays open: an empty name does nothing, one a preset has is refused with 17068.
bool AcceptName(ADMItemRef ok, char (&name)[kPresetNameSize]) {
    name[0] = '\0';
    if (ADMItemRef field = Item(sADMItem->GetDialog(ok), kPresetNameField))
        sADMItem->GetText(field, name, static_cast<int32_t>(kPresetNameSize));
    if (!name[0]) return false;
    if (PresetNameUsed(name)) {
        char text[256] = {};
        GetPlotwiseString(kMessageList, kDuplicatePresetNameMessage, text, sizeof text);
        (void)doDialogInputErrorDialog(text);
        return false;
    }
    return true;
}

struct Choice {
    int32_t item;
    int preferences::*field;
};
constexpr Choice kUpdateChoices[] = {{kUpdateAllRadio, &preferences::CADpresetsUpdateAllArt},
                                     {kUpdateSelectedRadio, &preferences::CADpresetsUpdateSelectedArt},
                                     {kDoNotUpdateRadio, &preferences::CADpresetsDoNotUpateArt}};

void SetupOKAndCancel(ADMDialogRef dialog, ADMItemNotifyProc ok) {
    sADMItem->SetNotifyProc(Item(dialog, kPresetsOKButton), ok);
    sADMDialog->SetDefaultItemID(dialog, kPresetsOKButton);
    sADMItem->SetNotifyProc(Item(dialog, kPresetsCancelButton), Guarded<&inputCancelBtnCallbackProc>);
    sADMDialog->SetCancelItemID(dialog, kPresetsCancelButton);
}

ASErr InitCADpresetsLoadDialog(ADMDialogRef dialog) {
    SetupOKAndCancel(dialog, Guarded<&CADpresetsLoadOKBtnCallbackProc>);
    SetupCADpresetsMenu(dialog);
    for (const Choice& c : kUpdateChoices)
        if (ADMItemRef radio = Item(dialog, c.item)) sADMItem->SetBooleanValue(radio, g->prefs.*c.field != 0);
    return kNoErr;
}

// Define and Rename share the name dialog; it opens on CADpresetsOldName.
ASErr InitNameDialog(ADMDialogRef dialog, ADMItemNotifyProc ok) {
    SetupOKAndCancel(dialog, ok);
    if (ADMItemRef field = Item(dialog, kPresetNameField)) {
        sADMItem->SetMaxTextLength(field, static_cast<int32_t>(kPresetNameSize) - 1);
        sADMItem->SetText(field, g->CADpresetsOldName);
    }
    return kNoErr;
}

ASErr InitCADpresetsDefineDialog(ADMDialogRef dialog) {
    return InitNameDialog(dialog, Guarded<&CADpresetsDefineOKBtnCallbackProc>);
}

ASErr InitCADpresetsRenameDialog(ADMDialogRef dialog) {
    return InitNameDialog(dialog, Guarded<&CADpresetsRenameOKBtnCallbackProc>);
}

ASErr InitCADpresetsEditDialog(ADMDialogRef dialog) {
    sADMItem->SetNotifyProc(Item(dialog, kPresetsOKButton), Guarded<&CADpresetsEditOKBtnCallbackProc>);
    sADMDialog->SetDefaultItemID(dialog, kPresetsOKButton);
    sADMDialog->SetCancelItemID(dialog, 0);  // Done is the only way out
    if (ADMItemRef list = Item(dialog, kPresetsListBox)) {
        sADMItem->SetItemType(list, kADMListBoxType);
        sADMItem->SetNotifyProc(list, Guarded<&CADpresetsEditListBoxNotifierProc>);
    }
    UpdateCADpresetsListBox(dialog);
    sADMItem->SetNotifyProc(Item(dialog, kRenamePresetButton), Guarded<&CADpresetsEditRenameBtnNotifyProc>);
    sADMItem->SetNotifyProc(Item(dialog, kDeletePresetButton), Guarded<&CADpresetsEditDeleteBtnNotifyProc>);
    return kNoErr;
}

AIErr RunModal(const char* name, int32_t id, ADMDialogInitProc init) {
    (void)sADMDialog->Modal(g->thisPlugin, name, id, kADMModalDialogStyle, init, nullptr, 0);
    return kNoErr;
}

// Fills a list with the preset names in catalogue order, entry i with id i.
int32_t FillPresetList(ADMListRef list) {
    if (!list) return 0;
    sADMList->RemoveAllEntries(list);
    AIAttributeCatalogRef catalog = PresetsCatalog();
    const int32_t count = CountPresets(catalog);
    for (int32_t i = 0; i < count; ++i) {
        char name[kPresetNameSize];
        (void)GetPresetName(catalog, i, name);
        if (ADMEntryRef entry = sADMList->InsertEntry(list, i)) {
            sADMEntry->SetText(entry, name);
            sADMEntry->SetID(entry, i);
        }
    }
    return count;
}

void Select(const std::vector<AIArtHandle>& art) {
    for (AIArtHandle a : art) (void)sAIArt->SetArtUserAttr(a, kArtSelected, kArtSelected);
}

// Applies the preset at that place (Load's OK, after the choices are stored): the selection
// is cleared, every panel shown again, the drawing in the preset's view, the live dimensions
// regenerated as the stored choice says (update selected: those selected before), every
// panel redrawn; nothing stays selected.
void LoadPreset(int32_t place) {
    // What "update selected" regenerates is what was selected when the preset was chosen.
    std::vector<AIArtHandle> selected;
    if (g->prefs.CADpresetsUpdateSelectedArt) (void)MatchingArt(true, selected);
    // The view the drawing lies in: its own, else the one in use.
    iso_view drawn = g->prefs.isoView;
    int found = 0;
    (void)GetDocumentIsoViewData(&drawn, &found);
    (void)SetPrefsToPreset(place);
    (void)deselectAllArt();
    // The preset's format is the one new dimensions take, whether or not the format popup
    // follows the selection.
    ShowDimensionFormatOfStyle();
    // The panels follow the (empty) selection, which shows the preset's style.
    (void)UpdatePalettesFromSelectedArt();
    UpdateNonContextSensitivePaletteInfoToCurrentPrefs();
    DrawingFollowsView(drawn);
    if (g->prefs.CADpresetsUpdateAllArt) {
        (void)UpdateAllLiveAttributes(kProcessAllArt);
    } else if (g->prefs.CADpresetsUpdateSelectedArt && !selected.empty()) {
        Select(selected);
        (void)UpdateAllLiveAttributes(kProcessSelectedArt);
    }
    (void)deselectAllArt();
    RedrawAllPanels();
}

void KeepCurrentPresetInRange() {
    if (g->prefs.currentCADpreset < 0 || g->prefs.currentCADpreset >= CountPresets(PresetsCatalog()))
        g->prefs.currentCADpreset = 0;
}

}  // namespace

void UpdateCADpresetsLoadButton() {
    if (!g || !g->CADshortcutsWindow) return;
    if (ADMItemRef load = Item(g->CADshortcutsWindow, kLoadPresetButton))
        sADMItem->Enable(load, CountPresets(PresetsCatalog()) > 0);
}

void CADpresetsLoadBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g) ShowCADpresetsLoadDialog();
    sADMItem->DefaultNotify(item, notifier);
}

void CADpresetsDefineBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g) {
        g->CADpresetsOldName[0] = '\0';
        ShowCADpresetsDefineDialog();
    }
    sADMItem->DefaultNotify(item, notifier);
}

void CADpresetsEditBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g) ShowCADpresetsEditDialog();
    sADMItem->DefaultNotify(item, notifier);
}

AIErr ShowCADpresetsLoadDialog() {
    return RunModal("CADpresetsLoad", kPresetsLoadDialogID, Guarded<&InitCADpresetsLoadDialog>);
}

AIErr ShowCADpresetsDefineDialog() {
    return RunModal("CADpresetsDefine", kPresetsNameDialogID, Guarded<&InitCADpresetsDefineDialog>);
}

AIErr ShowCADpresetsRenameDialog() {
    return RunModal("CADpresetsRename", kPresetsNameDialogID, Guarded<&InitCADpresetsRenameDialog>);
}

AIErr ShowCADpresetsEditDialog() {
    return RunModal("CADpresetsEdit", kPresetsEditDialogID, Guarded<&InitCADpresetsEditDialog>);
}

int32_t SetupCADpresetsMenu(ADMDialogRef dialog) {
    ADMListRef list = ListOf(dialog, kPresetsPopup);
    const int32_t count = FillPresetList(list);
    KeepCurrentPresetInRange();
    if (ADMEntryRef entry = list ? sADMList->IndexEntry(list, g->prefs.currentCADpreset) : nullptr)
        sADMEntry->Activate(entry, true);
    return count;
}

AIErr UpdateCADpresetsListBox(ADMDialogRef dialog) {
    FillPresetList(ListOf(dialog, kPresetsListBox));
    sADMDialog->Update(dialog);
    return kNoErr;
}

void CADpresetsLoadOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (!g) return;
    ADMDialogRef dialog = sADMItem->GetDialog(item);
    ADMListRef list = ListOf(dialog, kPresetsPopup);
    ADMEntryRef chosen = list ? sADMList->GetActiveEntry(list) : nullptr;
    char name[kPresetNameSize];
    EntryText(chosen, name);
    if (const int32_t place = chosen ? ChosenPreset(PresetsCatalog(), chosen, name) : -1; place >= 0) {
        g->prefs.currentCADpreset = place;
        for (const Choice& c : kUpdateChoices)
            if (ADMItemRef radio = Item(dialog, c.item)) g->prefs.*c.field = sADMItem->GetBooleanValue(radio) ? 1 : 0;
        LoadPreset(place);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void CADpresetsDefineOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (!g) return;
    char name[kPresetNameSize];
    if (!AcceptName(item, name)) return;
    CopyCString(g->CADpresetsNewName, name);
    if (std::strcmp(g->CADpresetsNewName, g->CADpresetsOldName) != 0)
        (void)CreateCatalogWithCurrentSettings(g->CADpresetsNewName);
    UpdateCADpresetsLoadButton();
    sADMItem->DefaultNotify(item, notifier);
}

void CADpresetsRenameOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (!g) return;
    char name[kPresetNameSize];
    if (!AcceptName(item, name)) return;
    CopyCString(g->CADpresetsNewName, name);
    sADMItem->DefaultNotify(item, notifier);
}

void CADpresetsEditOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (!g) return;
    KeepCurrentPresetInRange();
    UpdateCADpresetsLoadButton();
    sADMItem->DefaultNotify(item, notifier);
}

void CADpresetsEditListBoxNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    sADMItem->DefaultNotify(item, notifier);
}

void CADpresetsEditRenameBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMEntryRef entry = g ? ChosenEntry(sADMItem->GetDialog(item)) : nullptr;
    if (entry) {
        EntryText(entry, g->CADpresetsOldName);
        CopyCString(g->CADpresetsNewName, g->CADpresetsOldName);
        ShowCADpresetsRenameDialog();
        AIAttributeCatalogRef catalog = PresetsCatalog();
        AIAttributeCollectionRef preset = nullptr;
        const int32_t index = ChosenPreset(catalog, entry, g->CADpresetsOldName);
        if (std::strcmp(g->CADpresetsNewName, g->CADpresetsOldName) != 0 && index >= 0 &&
            sAIAttributeCatalog->GetCollectionAt(catalog, index, &preset) == kNoErr && preset) {
            (void)sAIAttributeCollection->SetStringValue(preset, kPresetNameKey, g->CADpresetsNewName);
            sADMEntry->SetText(entry, g->CADpresetsNewName);
            SaveCADpresetsCatalogAfterChange(catalog);
        }
    }
    if (g) sADMItem->DefaultNotify(item, notifier);
}

void CADpresetsEditDeleteBtnNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMDialogRef dialog = g ? sADMItem->GetDialog(item) : nullptr;
    ADMEntryRef entry = dialog ? ChosenEntry(dialog) : nullptr;
    if (entry) {
        EntryText(entry, g->CADpresetsOldName);
        AIAttributeCatalogRef catalog = PresetsCatalog();
        const int32_t index = ChosenPreset(catalog, entry, g->CADpresetsOldName);
        if (index >= 0 && sAIAttributeCatalog->RemoveCollection(catalog, index) == kNoErr) {
            (void)sADMList->RemoveEntry(ListOf(dialog, kPresetsListBox), index);
            SaveCADpresetsCatalogAfterChange(catalog);
        }
    }
    if (g) sADMItem->DefaultNotify(item, notifier);
}
