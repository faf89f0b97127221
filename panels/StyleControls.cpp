// The rows of the style panels: set up, shown and written through one set of routines.
#include "panels/StyleControls.h"

#include "artwork/LabelCounters.h"
#include "core/PlotwiseDialogItems.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "units/NumericFields.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

constexpr int32_t kCapitalLetterMessage = 26;  // a label letter is one of A to Z

int32_t& IntOf(Plotwise3_Live_Dimension_Data& style, const StyleControl& row) { return style.*row.field->intField; }

}  // namespace

void SetupPanelPopup(ADMDialogRef dialog, int32_t item, int32_t menu, int32_t index, ADMItemNotifyProc notifier) {
    ADMItemRef popup = Item(dialog, item);
    if (!popup) return;
    ADMListRef list = sADMItem->GetList(popup);
    if (menu) sADMList->SetMenuID(list, g->thisPlugin, menu, "");
    if (ADMEntryRef entry = sADMList->IndexEntry(list, index)) sADMEntry->Activate(entry, true);
    if (notifier) sADMItem->SetNotifyProc(popup, notifier);
}

void PushStyle(CADAttrType code) {
    if (code != kCADAttrDummyType) (void)UpdateLiveAttributes(code, kProcessSelectedArt);
}

void ShowStyleControl(ADMDialogRef dialog, const StyleControl& row, const Plotwise3_Live_Dimension_Data& style) {
    ADMItemRef item = Item(dialog, row.item);
    if (!item || !row.field) return;
    const StyleField& f = *row.field;
    switch (row.kind) {
        case ControlKind::kCheckBox: sADMItem->SetBooleanValue(item, style.*f.intField != 0); break;
        case ControlKind::kReal:
        case ControlKind::kDegrees: sADMItem->SetFloatValue(item, style.*f.realField); break;
        case ControlKind::kInteger:
        case ControlKind::kSlider: sADMItem->SetIntValue(item, style.*f.intField); break;
        case ControlKind::kText: sADMItem->SetText(item, style.*f.stringField); break;
        case ControlKind::kRadio: sADMItem->SetBooleanValue(item, style.*f.intField == row.value); break;
        case ControlKind::kPopupIndex:
            if (ADMEntryRef e = sADMList->IndexEntry(sADMItem->GetList(item), style.*f.intField))
                sADMEntry->Activate(e, true);
            break;
    }
}

void SetupStyleControls(ADMDialogRef dialog, std::span<const StyleControl> controls) {
    const Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    for (const StyleControl& row : controls) {
        ADMItemRef item = Item(dialog, row.item);
        if (!item) continue;
        const StyleField& f = *row.field;
        switch (row.kind) {
            case ControlKind::kReal: setNumericFloatFldPrefs(item, style.*f.realField, row.minimum, row.maximum); break;
            case ControlKind::kDegrees:
                setNumericDegreeFloatFldPrefs(item, style.*f.realField, row.minimum, row.maximum);
                break;
            case ControlKind::kInteger:
                SetNumericIntFldPrefs(item, style.*f.intField, static_cast<int32_t>(row.minimum),
                                      static_cast<int32_t>(row.maximum));
                break;
            case ControlKind::kText: break;  // shown with the selection's style
            case ControlKind::kSlider:
                sADMItem->SetMinIntValue(item, static_cast<int32_t>(row.minimum));
                sADMItem->SetMaxIntValue(item, static_cast<int32_t>(row.maximum));
                ShowStyleControl(dialog, row, style);
                break;
            default: ShowStyleControl(dialog, row, style); break;
        }
        sADMItem->SetNotifyProc(item, Guarded<&StyleControlNotifierProc>);
    }
}

const StyleControl* FindStyleControl(ADMDialogRef dialog, int32_t item) {
    if (!dialog) return nullptr;
    for (const PanelFrame* frame : PanelFrames()) {
        if (!frame->styleControls || frame->row->window() != dialog) continue;
        for (const StyleControl& row : frame->styleControls())
            if (row.item == item) return &row;
    }
    return nullptr;
}

void ActivateEntryByID(ADMItemRef popup, int32_t id) {
    if (!popup) return;
    if (ADMEntryRef e = sADMList->GetEntry(sADMItem->GetList(popup), id)) sADMEntry->Activate(e, true);
}

void ActivateEntryByIndex(ADMItemRef popup, int32_t index) {
    if (!popup) return;
    if (ADMEntryRef e = sADMList->IndexEntry(sADMItem->GetList(popup), index)) sADMEntry->Activate(e, true);
}

namespace {

bool ActsOnNotification(const StyleControl& row, ADMNotifierRef notifier) {
    switch (row.actsOn) {
        case ActsOn::kUserChange: return UserChanged(notifier);
        case ActsOn::kDragging:
            return UserChangedOrChanging(notifier);
        case ActsOn::kEvery: return true;
    }
    return false;
}

}  // namespace

void StyleControlNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMDialogRef dialog = sADMItem->GetDialog(item);
    const StyleControl* row = g ? FindStyleControl(dialog, sADMItem->GetID(item)) : nullptr;
    if (row && ActsOnNotification(*row, notifier)) {
        Plotwise3_Live_Dimension_Data& style = g->prefs.style;
        const StyleField& f = *row->field;
        bool write = true;
        switch (row->kind) {
            case ControlKind::kCheckBox: IntOf(style, *row) = sADMItem->GetBooleanValue(item) ? 1 : 0; break;
            case ControlKind::kReal:
            case ControlKind::kDegrees: style.*f.realField = sADMItem->GetFloatValue(item); break;
            case ControlKind::kInteger:
            case ControlKind::kSlider: IntOf(style, *row) = sADMItem->GetIntValue(item); break;
            case ControlKind::kText: {
                char text[sizeof style.upperToleranceValue] = {};
                sADMItem->GetText(item, text, static_cast<int32_t>(sizeof text));
                CopyCString(style.*f.stringField, text);
                break;
            }
            case ControlKind::kRadio:
                write = sADMItem->GetBooleanValue(item) != 0;  // the radio switched off writes nothing
                if (write) IntOf(style, *row) = row->value;
                break;
            case ControlKind::kPopupIndex: {
                const int32_t index = ActivePopupIndex(item);
                write = index >= 0;
                if (write) IntOf(style, *row) = index;
                break;
            }
        }
        if (write) {
            if (row->after) row->after(dialog);
            PushStyle(row->code);
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

namespace {

void ReadNextCounter(ADMItemRef field, int32_t format, int32_t letterFormat, int32_t& letter, int32_t& number) {
    if (format == letterFormat + 1) {
        // Read as typed: text that is no whole number in range is refused in words, never
        // turned into some number.
        int32_t typed = 0;
        if (ReadWholeNumberField(sADMItem->GetDialog(field), static_cast<int16_t>(sADMItem->GetID(field)), 0,
                                 kMaxCounterNumber, &typed))
            number = typed;
        return;
    }
    if (format != letterFormat) return;
    char text[256] = {};
    sADMItem->GetText(field, text, static_cast<int32_t>(sizeof text));
    if (text[0] >= 'A' && text[0] <= 'Z' && text[1] == '\0') {
        letter = text[0] - 'A';
        return;
    }
    char message[512];
    GetPlotwiseString(kMessageList, kCapitalLetterMessage, message, sizeof message);
    sADMBasic->MessageAlert(message);
}

}  // namespace

void TakeNextCounter(ADMItemRef field, int32_t format, int32_t letterFormat, int32_t& letter, int32_t& number,
                     void (*showNext)()) {
    sADMItem->Activate(field, true);
    ReadNextCounter(field, format, letterFormat, letter, number);
    // The field shows what the next one takes: a refused entry gives way to it.
    if (showNext) showNext();
}

void TakeStyleField(const StyleField& f, const Plotwise3_Live_Dimension_Data& reference) {
    Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    if (f.intField) style.*f.intField = reference.*f.intField;
    if (f.realField) style.*f.realField = reference.*f.realField;
    if (f.stringField) CopyCString(style.*f.stringField, reference.*f.stringField);
}

void RefreshStyleControls(ADMDialogRef dialog, std::span<const StyleControl> controls, const live_attributes_map& map,
                          const Plotwise3_Live_Dimension_Data& reference) {
    for (const StyleControl& row : controls) {
        ADMItemRef item = Item(dialog, row.item);
        if (!item) continue;
        const bool known = map.known(*row.field);
        sADMItem->Known(item, known);
        if (!known) continue;
        TakeStyleField(*row.field, reference);
        ShowStyleControl(dialog, row, g->prefs.style);
    }
}
