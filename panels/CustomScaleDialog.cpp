// The custom-scale dialog and the custom slots it fills.
#include "panels/CustomScaleDialog.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "ADMBasic.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/NumericInputDialogs.h"
#include "panels/DocumentPanelItems.h"
#include "panels/PanelGlobals.h"
#include "panels/PanelRedraw.h"
#include "panels/ScaleSection.h"
#include "panels/UnitsMenus.h"
#include "units/CustomScales.h"
#include "units/NumericFields.h"
#include "units/PlotwiseUnits.h"
#include "units/ScaleTable.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

constexpr int32_t kSlotsFullMessage = 25;     // 17025
constexpr int32_t kTypedTextSize = 256;
constexpr std::size_t kTypedSideSize = 31;    // what one side of a label keeps as typed

void MessageText(int32_t index, char* text, std::size_t size) { GetPlotwiseString(kMessageList, index, text, size); }

// A value the dialog cannot take, said while the dialog stays open.
void SayInputError(int32_t index) {
    char message[512];
    MessageText(index, message, sizeof message);
    doDialogInputErrorDialog(message);
}

void EnableItemRange(ADMDialogRef dialog, int32_t first, int32_t last, bool enable) {
    for (int32_t id = first; id <= last; ++id)
        if (ADMItemRef item = Item(dialog, id)) sADMItem->Enable(item, enable);
}

void SetNotify(ADMDialogRef dialog, int32_t id, ADMItemNotifyProc proc) {
    if (ADMItemRef item = Item(dialog, id)) sADMItem->SetNotifyProc(item, proc);
}

// The length the set-scale tool measured, as a bare number in the numeric-input unit and
// precision at 1:1; consumed here. The field holds it in full: while its text and unit are
// the ones shown, the measured length is what the scale is made from, not the rounded text.
void ShowClickedDistance(ADMItemRef field, int32_t unit) {
    g->setScaleHeldUnit = -1;
    if (g->setScaleClickedDistance == 0.0f) return;
    const float scaler = g->prefs.scaler;
    const int32_t labels = g->appendUnitLabelsSpecialKludge;
    g->prefs.scaler = 1.0f;
    g->appendUnitLabelsSpecialKludge = 0;
    char text[kTypedTextSize] = {};
    doScaleAndUnits(0, g->setScaleClickedDistance, text, 1, static_cast<int16_t>(g->prefs.NumericInputUnits),
                    static_cast<int16_t>(g->prefs.NumericInputPrecision));
    g->prefs.scaler = scaler;
    g->appendUnitLabelsSpecialKludge = labels;
    g->setScaleHeldPoints = g->setScaleClickedDistance;
    g->setScaleClickedDistance = 0.0f;
    if (!field) return;
    sADMItem->SetText(field, text);
    CopyCString(g->setScaleShownText, text);
    g->setScaleHeldUnit = unit;
}

void SetupUnitsPopup(ADMDialogRef dialog, int32_t id, int32_t start) {
    ADMItemRef popup = Item(dialog, id);
    if (!popup) return;
    ADMListRef list = sADMItem->GetList(popup);
    sADMList->SetMenuID(list, g->thisPlugin, kCustomScaleUnitsMenu, "");
    if (ADMEntryRef entry = sADMList->IndexEntry(list, start)) sADMEntry->Activate(entry, true);
    sADMItem->Enable(popup, true);
}

// One side of the form: its number, its text as typed (bounded) and the unit's index.
struct FormSide {
    double number = 0;
    char text[kTypedSideSize + 1] = {};
    int32_t unit = -1;
};

bool ReadSide(ADMDialogRef dialog, int32_t field, int32_t unitsPopup, FormSide* side) {
    ADMItemRef item = Item(dialog, field);
    if (!item || !parseFieldInputNoUnits(item, &side->number)) return false;
    sADMItem->GetText(item, side->text, sizeof side->text);
    if (unitsPopup) side->unit = ActivePopupIndex(Item(dialog, unitsPopup));
    return true;
}

// The paper side in points: the measured length while the field still shows it, else the
// number typed in its unit. The measured length also writes the side's text, in full, so
// that the label says the relation the scaler is made from, not the rounded one shown.
double PaperPoints(FormSide& side, float unitPoints) {
    if (g->setScaleHeldUnit >= 0 && side.unit == g->setScaleHeldUnit &&
        std::strncmp(side.text, g->setScaleShownText, sizeof side.text) == 0) {
        char number[kTypedTextSize] = {};
        std::snprintf(number, sizeof number, "%.6g", g->setScaleHeldPoints / unitPoints);
        postParseNumericTextInput(number, sizeof number);
        CopyCString(side.text, number);
        return g->setScaleHeldPoints;
    }
    return side.number * unitPoints;
}

// The scaler and label the form gives, or false (the dialog stays open).
bool ReadForm(ADMDialogRef dialog, double* scaler, char (&label)[kScaleLabelSize]) {
    const bool absolute = sADMItem->GetBooleanValue(Item(dialog, kCustomScaleAbsoluteRadio));
    FormSide a, b;
    if (!absolute) {
        if (!ReadSide(dialog, kCustomScaleRatioLeft, 0, &a) || !ReadSide(dialog, kCustomScaleRatioRight, 0, &b))
            return false;
        ComposeCustomScaleLabel({a.text, ""}, ":", {b.text, ""}, label);
        *scaler = b.number / a.number;
        return true;
    }
    if (!ReadSide(dialog, kCustomScalePaperField, kCustomScalePaperUnits, &a) ||
        !ReadSide(dialog, kCustomScaleRealField, kCustomScaleRealUnits, &b))
        return false;
    const float paperPoints = CustomScaleUnitPoints(a.unit, g->prefs.pixelsperinch);
    const float realPoints = CustomScaleUnitPoints(b.unit, g->prefs.pixelsperinch);
    if (paperPoints <= 0.0f || realPoints <= 0.0f) return false;  // no unit chosen
    *scaler = (b.number * realPoints) / PaperPoints(a, paperPoints);
    ComposeCustomScaleLabel({a.text, CustomScaleUnitSuffix(a.unit)}, " = ", {b.text, CustomScaleUnitSuffix(b.unit)},
                            label);
    return true;
}

}  // namespace

AIErr RunCustomScaleDialog() {
    if (!g) return kNoErr;
    sADMDialog->Modal(g->thisPlugin, kCustomScaleDialogName, kCustomScaleDialogID, kADMModalDialogStyle,
                      Guarded<&initCustomScaleDialog>, nullptr, 0);
    return kNoErr;
}

ASErr initCustomScaleDialog(ADMDialogRef dialog) {
    if (!g || !dialog) return kBadParameterErr;
    SetNotify(dialog, 1, Guarded<&customScaleOKBtnCallbackProc>);
    sADMDialog->SetDefaultItemID(dialog, 1);
    SetNotify(dialog, 2, Guarded<&inputCancelBtnCallbackProc>);
    sADMDialog->SetCancelItemID(dialog, 2);
    SetNotify(dialog, kCustomScaleAbsoluteRadio, Guarded<&scaleStyleNotifierProc>);
    SetNotify(dialog, kCustomScaleRatioRadio, Guarded<&scaleStyleNotifierProc>);
    if (ADMItemRef radio = Item(dialog, kCustomScaleAbsoluteRadio)) sADMItem->SetBooleanValue(radio, true);
    for (int32_t id : {kCustomScalePaperField, kCustomScaleRealField, kCustomScaleRatioLeft, kCustomScaleRatioRight})
        SetNotify(dialog, id, Guarded<&customScaleFldNotifierProc>);
    EnableItemRange(dialog, kCustomScalePaperField, kCustomScalePaperField, true);
    const int32_t start = CustomScaleUnitIndexOf(g->prefs.NumericInputUnits);
    ShowClickedDistance(Item(dialog, kCustomScalePaperField), start);
    EnableItemRange(dialog, kCustomScaleEquals, kCustomScaleRealField, true);
    SetupUnitsPopup(dialog, kCustomScalePaperUnits, start);
    SetupUnitsPopup(dialog, kCustomScaleRealUnits, start);
    EnableItemRange(dialog, kCustomScaleRatioLeft, kCustomScaleRatioRight, false);
    return kNoErr;
}

void scaleStyleNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMDialogRef dialog = sADMItem->GetDialog(item);
    EnableItemRange(dialog, kCustomScalePaperField, kCustomScaleRatioRight, false);
    if (UserChanged(notifier)) {
        const struct {
            int32_t radio, first, last;
        } kForms[] = {{kCustomScaleAbsoluteRadio, kCustomScalePaperField, kCustomScaleRealUnits},
                      {kCustomScaleRatioRadio, kCustomScaleRatioLeft, kCustomScaleRatioRight}};
        for (const auto& form : kForms) {
            ADMItemRef radio = Item(dialog, form.radio);
            if (!radio || !sADMItem->GetBooleanValue(radio)) continue;
            EnableItemRange(dialog, form.first, form.last, true);
            if (ADMItemRef first = Item(dialog, form.first)) sADMItem->Activate(first, true);
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void customScaleFldNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (!UserChanged(notifier)) return;
    double value = 0;
    if (parseFieldInputNoUnits(item, &value)) sADMItem->DefaultNotify(item, notifier);
}

int16_t parseFieldInputNoUnits(ADMItemRef item, double* value) {
    if (!item || !value) return 0;
    char text[kTypedTextSize] = {};
    sADMItem->GetText(item, text, sizeof text);
    // Refused in words on the field, as every numeric field refuses a value it cannot take.
    const auto refuse = [item](int32_t message) {
        return RefuseFieldInput(sADMItem->GetDialog(item), static_cast<int16_t>(sADMItem->GetID(item)),
                                FieldInputWords(message));
    };
    switch (ReadScaleNumber(text, value)) {
        case ScaleNumberRead::ok: return 1;
        case ScaleNumberRead::notPositive: return refuse(kGreaterThanZeroMessage);
        case ScaleNumberRead::unreadable: return refuse(kUnreadableValueMessage);
    }
    return 0;
}

void customScaleOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (!g) return;
    double scaler = 0;
    char label[kScaleLabelSize] = {};
    if (!ReadForm(sADMItem->GetDialog(item), &scaler, label)) return;
    if (!IsCustomScalerInRange(scaler)) {
        SayInputError(kCustomScaleRangeMessage);
        return;
    }
    addCustomScaleToMenu(static_cast<float>(scaler), label);
    NotifyPlotwiseAPI();
    sADMItem->DefaultNotify(item, notifier);
}

void addCustomScaleToMenu(float scaler, const char* label) {
    if (!g || !label) return;
    TagSelectedArt();
    const int32_t slot = FirstFreeCustomSlot(g->prefs);
    if (slot == 0) {
        char message[512];
        MessageText(kSlotsFullMessage, message, sizeof message);
        if (sADMBasic) sADMBasic->MessageAlert(message);
        // The selection just tagged is given back now, not by a later scale change.
        if (g->theTimer) sAITimer->SetTimerActive(g->theTimer, true);
        return;
    }
    const CustomScaleSlot s = customSlot(g->prefs, slot);
    *s.scaler = scaler;
    CopyCString(s.label, kScaleLabelSize, label);
    g->prefs.scale = slot - 1;
    g->prefs.scaler = scaler;
    CopyCString(g->prefs.scaleStr, sizeof g->prefs.scaleStr, label);
    setupScalePopup(g->CADdocumentWindow, kScalePopup);
    // Applying the scale regenerates every live dimension.
    setScaleOfSelectedLayers(g->prefs.scale, g->prefs.scaler, g->prefs.scaleStr);
    UpdateScalePopoutMenu(g->CADdocumentWindow);
    RedrawRulers(1);
    UpdateAllPrecisionMenus();
    if (g->theTimer) sAITimer->SetTimerActive(g->theTimer, true);
}
