// The catalogue of numeric-input dialogs and the opener, init, OK, Cancel and field
// routines they share. A dialog finds its row by its template id, so every row is served
// by the same routines.
#include "drawtools/NumericInputDialogs.h"

#include <cmath>
#include <iterator>

#include "core/PlotwiseSuites.h"
#include "drawtools/CADArcTool.h"
#include "drawtools/CADEllipseTool.h"
#include "drawtools/CADLineTool.h"
#include "drawtools/CADRectTool.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/TanPerpLineTool.h"
#include "units/NumericFields.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int16_t kOKItem = 1;
constexpr int16_t kCancelItem = 2;
constexpr int32_t kFieldTextSize = 256;
constexpr float kMinDegrees = -360.0f, kMaxDegrees = 360.0f;

using K = InputFieldKind;

// --- the fields of each dialog, by item ---

const NumericInputField kRectFields[] = {
    {4, K::kLength, +[]() -> AIReal& { return g->inputRectWidth; }},
    {6, K::kLength, +[]() -> AIReal& { return g->inputRectHeight; }},
};
const NumericInputField kEllipseFields[] = {
    {4, K::kLength, +[]() -> AIReal& { return g->inputEllipseWidth; }},
    {6, K::kLength, +[]() -> AIReal& { return g->inputEllipseHeight; }},
};
const NumericInputField kLineFields[] = {
    {kLineLengthItem, K::kLength, +[]() -> AIReal& { return g->inputLineLength; }},
    {kLineAngleItem, K::kAngle, +[]() -> AIReal& { return g->inputLineAngle; }},
    {kLineRiseItem, K::kLength, +[]() -> AIReal& { return g->inputLineRise; }},
    {kLineRunItem, K::kLength, +[]() -> AIReal& { return g->inputLineRun; }},
};
const NumericInputField kWallFields[] = {
    {4, K::kLength, +[]() -> AIReal& { return g->inputWallLength; }},
    {6, K::kAngle, +[]() -> AIReal& { return g->inputWallAngle; }},
};
const NumericInputField kArcByRadiusFields[] = {
    {4, K::kLength, +[]() -> AIReal& { return g->inputArcByRadiusRadius; }},
    {6, K::kAngle, +[]() -> AIReal& { return g->inputArcByRadiusStartAngle; }},
    {8, K::kAngle, +[]() -> AIReal& { return g->inputArcByRadiusEndAngle; }},
};
const NumericInputField kArcByPointsFields[] = {
    {4, K::kLength, +[]() -> AIReal& { return g->inputArcByPointsRadius; }},
};
const NumericInputField kTanPerpLineFields[] = {
    {4, K::kLength, +[]() -> AIReal& { return g->inputTanPerpLineLength; }},
};
const NumericInputField kOffsetFields[] = {
    {4, K::kLength, +[]() -> AIReal& { return g->inputOffsetDistance; }},
};
const NumericInputField kFilletFields[] = {
    {4, K::kDistance, +[]() -> AIReal& { return g->prefs.filletRadius; }},
};
const NumericInputField kChamferFields[] = {
    {4, K::kDistance, +[]() -> AIReal& { return g->prefs.chamferDistance1; }},
    {6, K::kDistance, +[]() -> AIReal& { return g->prefs.chamferDistance2; }},
};
const NumericInputField kCubeFields[] = {
    {4, K::kLength, +[]() -> AIReal& { return g->inputCubeWidth; }},
    {6, K::kLength, +[]() -> AIReal& { return g->inputCubeHeight; }},
    {8, K::kLength, +[]() -> AIReal& { return g->inputCubeDepth; }},
};
const NumericInputField kCylinderFields[] = {
    {4, K::kLength, +[]() -> AIReal& { return g->inputCylinderWidth; }},
    {6, K::kLength, +[]() -> AIReal& { return g->inputCylinderHeight; }},
    {11, K::kLength, +[]() -> AIReal& { return g->inputCylinderLength; }},
};

// Every dialog of the drawing tools. The choice fields (radios, check boxes, pop-ups) of
// the dialogs whose tools are still to come are wired with those tools; the template of
// "Callouts" (16300) is not among the resources, as its tool is never registered.
const NumericInputDialog kDialogs[] = {
    {"CADRect", 16700, kRectFields, false, nullptr, &BuildRectFromDialog},
    {"CADEllipse", 16710, kEllipseFields, false, nullptr, &BuildEllipseFromDialog},
    {"CADLine", 16720, kLineFields, false, &LengthAngleRiseRunNotifierProc, &BuildLineFromDialog},
    {"CADWall", 16730, kWallFields, false, nullptr, nullptr},
    {"CADArcByRadius", 16740, kArcByRadiusFields, true, nullptr, &BuildArcByRadiusFromDialog, nullptr, nullptr,
     nullptr, true},
    {"CADArcByPoints", 16750, kArcByPointsFields, true, nullptr, &BuildArcByPointsFromDialog, nullptr, nullptr,
     &arcByPointsRadiusFits, true},
    {"PerpLine", 16760, kTanPerpLineFields, false, nullptr, &BuildTanPerpLineFromDialog, &initTanPerpLineChoices,
     &storeTanPerpLineChoices},
    {"Offset", 16770, kOffsetFields, false, nullptr, nullptr},
    {"CADFillet", 16800, kFilletFields, true, nullptr, nullptr},
    {"CADChamfer", 16810, kChamferFields, true, nullptr, nullptr},
    {"PathDivider", 16260, {}, true, nullptr, nullptr},
    {"Resize", 16270, {}, true, nullptr, nullptr},
    {"Callouts", 16300, {}, true, nullptr, nullptr},
    {"Depth Rectangle", 17700, kRectFields, false, nullptr, nullptr},
    {"Depth Ellipse", 17710, kEllipseFields, false, nullptr, nullptr},
    {"Depth Rectangle", 17740, kRectFields, false, nullptr, nullptr},
    {"Depth Cube", 17730, kCubeFields, false, nullptr, nullptr},
    {"Depth Cylinder", 17760, kCylinderFields, false, nullptr, nullptr},
};

const NumericInputDialog* RowOf(ADMDialogRef dialog) {
    return dialog ? FindNumericInputDialog(sADMDialog->GetID(dialog)) : nullptr;
}

bool UserChanged(ADMNotifierRef notifier) {
    return notifier && sADMNotifier && sADMNotifier->IsNotifierType(notifier, kADMUserChangedNotifier);
}

}  // namespace

std::span<const NumericInputDialog> NumericInputDialogs() { return kDialogs; }

const NumericInputDialog* FindNumericInputDialog(int32_t id) {
    for (const NumericInputDialog& d : kDialogs)
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
    sADMItem->SetText(item, text);
}

bool ReadTypedLength(ADMDialogRef dialog, int16_t item, double* typedPoints) {
    double value = 0;
    if (!parseFieldInput(dialog, item, &value, g->prefs.NumericInputUnits)) return false;
    // The drawn length is kept as a float: a length beyond its range would be infinite.
    if (!std::isfinite(static_cast<float>(value / InputScaleFactor()))) return false;
    *typedPoints = value;
    return true;
}

AIErr OpenNumericInputDialog(int32_t id, const AIToolMessage* message) {
    const NumericInputDialog* row = FindNumericInputDialog(id);
    if (!row || !sADMDialog) return kNoErr;
    SPPluginRef plugin = message && message->d.self ? message->d.self : g->thisPlugin;
    (void)sADMDialog->Modal(plugin, row->name, row->id, kADMModalDialogStyle, &initNumericInputDialog, nullptr, 0);
    return kNoErr;
}

ASErr initNumericInputDialog(ADMDialogRef dialog) {
    const NumericInputDialog* row = RowOf(dialog);
    if (!row) return kBadParameterErr;
    if (row->resetsCancelFlag) g->cancelledInputDialog = 0;
    ADMItemRef ok = sADMDialog->GetItem(dialog, kOKItem);
    ADMItemRef cancel = sADMDialog->GetItem(dialog, kCancelItem);
    sADMItem->SetNotifyProc(ok, &numericInputOKBtnCallbackProc);
    sADMDialog->SetDefaultItemID(dialog, kOKItem);
    sADMItem->SetNotifyProc(cancel, &inputCancelBtnCallbackProc);
    sADMDialog->SetCancelItemID(dialog, kCancelItem);
    for (const NumericInputField& f : row->fields) {
        ADMItemRef item = sADMDialog->GetItem(dialog, f.item);
        if (!item) continue;
        if (f.kind != K::kAngle) {
            SetLengthFieldText(item, f.value());
            sADMItem->SetNotifyProc(item, row->fieldNotifier ? row->fieldNotifier : &inputFldChangedNotifierProc);
        } else {
            setNumericDegreeFloatFldPrefs(item, f.value(), kMinDegrees, kMaxDegrees);
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
        for (const NumericInputField& f : row->fields) {
            ADMItemRef field = sADMDialog->GetItem(dialog, f.item);
            if (f.kind == K::kAngle) {
                if (field) f.value() = sADMItem->GetFloatValue(field);
                continue;
            }
            double typed = 0;
            // A radius or distance below zero would put the corner's tangent points on the
            // piece being cut away: refused like a text that does not read.
            if (!ReadTypedLength(dialog, f.item, &typed) || (f.kind == K::kDistance && typed < 0)) {
                // Select the field for retyping and stay open; the fields before it keep
                // their new values, this one and those after it their old ones.
                if (field) sADMItem->Activate(field, true);
                return;
            }
            f.value() = static_cast<AIReal>(typed / InputScaleFactor());
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
    sADMItem->DefaultNotify(item, notifier);
}

void inputFldChangedNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (UserChanged(notifier)) {
        double typed = 0;
        // Whatever was typed, in any unit the parser knows, is shown again in the dialog's
        // unit and precision; a text that does not read stays as typed.
        if (ReadTypedLength(sADMItem->GetDialog(item), static_cast<int16_t>(sADMItem->GetID(item)), &typed))
            SetLengthFieldText(item, typed / InputScaleFactor());
    }
    sADMItem->DefaultNotify(item, notifier);
}
