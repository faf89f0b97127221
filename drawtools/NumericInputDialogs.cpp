// The opener, init, OK, Cancel and field routines every numeric-input dialog shares. A
// dialog finds its row in the catalogue by its template id, so every row is served by the
// same routines.
#include "drawtools/NumericInputDialogs.h"

#include <cmath>

#include "core/ExceptionBoundary.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseStyleFields.h"
#include "core/PlotwiseSuites.h"
#include "core/UndoSteps.h"
#include "drawtools/DrawToolGlobals.h"
#include "units/NumericFields.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int16_t kOKItem = 1;
constexpr int16_t kCancelItem = 2;
constexpr int32_t kFieldTextSize = 256;
constexpr int32_t kNotBelowZeroMessage = 8;      // 17008

using K = InputFieldKind;

const NumericInputDialog* RowOf(ADMDialogRef dialog) {
    return dialog ? FindNumericInputDialog(sADMDialog->GetID(dialog)) : nullptr;
}

// The item's length as it holds it while it shows the text it was given, else its text read
// in the numeric-input unit; false when the text does not read.
bool HeldOrTypedLength(ADMDialogRef dialog, int16_t item, double* typedPoints) {
    return parseFieldInput(dialog, item, typedPoints, g->prefs.NumericInputUnits) != 0;
}

// A drawn length that, stored as a float in points, is nothing beside the canvas's farthest
// coordinate: a shape of that size drawn there would have no width.
bool LostOnTheCanvas(float drawn) {
    const auto farthest = static_cast<float>(style_fields::kLengthMost);
    const float moved = farthest + std::fabs(drawn);
    return moved == farthest;
}

}  // namespace

std::string LengthFieldRefusal(ADMDialogRef dialog, int16_t item, InputFieldKind kind, double* typedPoints) {
    if (!HeldOrTypedLength(dialog, item, typedPoints)) return FieldInputWords(kUnreadableValueMessage);
    const double typed = *typedPoints;
    if (std::string tooLarge = TooLargeForDrawing(typed, InputScaleFactor()); !tooLarge.empty()) return tooLarge;
    // A radius or distance below zero would put a corner's tangent points on the piece being
    // cut away, and a size of nothing (or one too small to draw) draws nothing: a chamfer
    // distance of nothing would bevel along the path itself and cut nothing.
    const float drawn = static_cast<float>(typed / InputScaleFactor());
    if ((kind == K::kDistance || kind == K::kCut) && typed < 0) return FieldInputWords(kNotBelowZeroMessage);
    const bool nothing = kind == K::kSize || kind == K::kCut ? LostOnTheCanvas(drawn) : drawn == 0 && typed != 0;
    if (nothing) return FieldInputWords(kGreaterThanZeroMessage);
    return "";
}

const NumericInputDialog* FindNumericInputDialog(int32_t id) {
    for (const NumericInputDialog& d : NumericInputCatalogue())
        if (d.id == id) return &d;
    return nullptr;
}

double InputScaleFactor() {
    const double scaler = g->prefs.scaler;
    return std::isfinite(scaler) && scaler > 0 ? scaler : 1.0;
}

void SetLengthFieldText(ADMItemRef item, double drawnPoints) {
    if (!item) return;
    char text[kFieldTextSize];
    doScaleAndUnits(0, drawnPoints, text, 1, static_cast<int16_t>(g->prefs.NumericInputUnits),
                    static_cast<int16_t>(g->prefs.NumericInputPrecision));
    ShowHeldFieldValue(sADMItem->GetDialog(item), static_cast<int16_t>(sADMItem->GetID(item)), text,
                       drawnPoints * InputScaleFactor());
}

AIReal DrawnLength(double typedPoints) { return static_cast<AIReal>(typedPoints / InputScaleFactor()); }

void SetTypedLengthFieldText(ADMItemRef item, double typedPoints) {
    SetLengthFieldText(item, typedPoints / InputScaleFactor());
}

void ForgetHeldLength(ADMItemRef item) {
    if (item) ForgetHeldFieldValue(sADMItem->GetDialog(item), static_cast<int16_t>(sADMItem->GetID(item)));
}

bool ReadTypedLength(ADMDialogRef dialog, int16_t item, double* typedPoints) {
    double value = 0;
    if (!HeldOrTypedLength(dialog, item, &value) || !TooLargeForDrawing(value, InputScaleFactor()).empty())
        return false;
    *typedPoints = value;
    return true;
}

AIErr OpenNumericInputDialog(int32_t id, const AIToolMessage* message) {
    const NumericInputDialog* row = FindNumericInputDialog(id);
    if (!row || !sADMDialog) return kNoErr;
    SPPluginRef plugin = message && message->d.self ? message->d.self : g->thisPlugin;
    (void)sADMDialog->Modal(plugin, row->name, row->id, kADMModalDialogStyle, Guarded<&initNumericInputDialog>,
                            nullptr, 0);
    return kNoErr;
}

ASErr initNumericInputDialog(ADMDialogRef dialog) {
    const NumericInputDialog* row = RowOf(dialog);
    if (!row) return kBadParameterErr;
    if (row->resetsCancelFlag) g->cancelledInputDialog = 0;
    ForgetHeldFieldValues(dialog);
    ADMItemRef ok = sADMDialog->GetItem(dialog, kOKItem);
    ADMItemRef cancel = sADMDialog->GetItem(dialog, kCancelItem);
    sADMItem->SetNotifyProc(ok, row->ok ? row->ok : Guarded<&numericInputOKBtnCallbackProc>);
    sADMDialog->SetDefaultItemID(dialog, kOKItem);
    sADMItem->SetNotifyProc(cancel, Guarded<&inputCancelBtnCallbackProc>);
    sADMDialog->SetCancelItemID(dialog, kCancelItem);
    for (const NumericInputField& f : row->fields) {
        ADMItemRef item = sADMDialog->GetItem(dialog, f.item);
        if (!item) continue;
        if (f.kind != K::kAngle) {
            SetTypedLengthFieldText(item, f.value());
            sADMItem->SetNotifyProc(item,
                                    row->fieldNotifier ? row->fieldNotifier : Guarded<&inputFldChangedNotifierProc>);
        } else {
            SetAngleFieldText(item, f.value());
            if (row->fieldNotifier) sADMItem->SetNotifyProc(item, row->fieldNotifier);
        }
    }
    if (row->initChoices) row->initChoices(dialog);
    return kNoErr;
}

void numericInputOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMDialogRef dialog = sADMItem->GetDialog(item);
    const NumericInputDialog* row = RowOf(dialog);
    if (row) {
        // A field that cannot be used is refused in words, selected for retyping and the
        // dialog stays open; the fields before it keep their new values, this one and those
        // after it their old ones.
        for (const NumericInputField& f : row->fields) {
            if (f.kind == K::kAngle) {
                double degrees = 0;
                if (!ReadAngleField(dialog, f.item, &degrees)) return;
                f.value() = static_cast<AIReal>(degrees);
                continue;
            }
            double typed = 0;
            if (std::string why = LengthFieldRefusal(dialog, f.item, f.kind, &typed); !why.empty()) {
                (void)RefuseFieldInput(dialog, f.item, why);
                return;
            }
            f.value() = static_cast<AIReal>(typed);
        }
        if (row->storeChoices) row->storeChoices(dialog);
        if (row->accept && !row->accept()) {
            if (ADMItemRef first = row->fields.empty() ? nullptr : sADMDialog->GetItem(dialog, row->fields[0].item))
                sADMItem->Activate(first, true);
            return;
        }
        if (row->closesFirst) {
            sADMItem->DefaultNotify(item, notifier);
            if (row->builder) (void)row->builder();
            return;
        }
        if (row->builder) (void)row->builder();  // what the builder reports is its own business
    }
    sADMItem->DefaultNotify(item, notifier);
}

void inputCancelBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    g->cancelledInputDialog = 1;
    RefuseGestureInHand();  // what the gesture did before asking goes back with it
    sADMItem->DefaultNotify(item, notifier);
}

void inputFldChangedNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (UserChanged(notifier)) {
        ForgetHeldLength(item);
        double typed = 0;
        // Whatever was typed, in any unit the parser knows, is shown again in the dialog's
        // unit and precision (the field holding it in full); a text that does not read
        // stays as typed.
        if (ReadTypedLength(sADMItem->GetDialog(item), static_cast<int16_t>(sADMItem->GetID(item)), &typed))
            SetTypedLengthFieldText(item, typed);
    }
    sADMItem->DefaultNotify(item, notifier);
}
