// Reading and writing the tracker panel's items.
#include "tracker/TrackerFields.h"

#include <cmath>

#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseSuites.h"
#include "tracker/TrackerGlobals.h"
#include "tracker/TrackerPanelItems.h"
#include "units/NumericFields.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<TrackerGlobals> g;

constexpr float kMostAngle = 360.0f;

}  // namespace

void SetTrackerText(ADMDialogRef dialog, int32_t id, const char* text) {
    ForgetHeldFieldValue(dialog, static_cast<int16_t>(id));
    if (ADMItemRef item = Item(dialog, id)) sADMItem->SetText(item, text);
}

void GetTrackerText(ADMDialogRef dialog, int32_t id, char* out) {
    out[0] = '\0';
    if (ADMItemRef item = Item(dialog, id)) sADMItem->GetText(item, out, static_cast<int32_t>(kTrackerTextSize));
}

double TrackerScaler() {
    const double s = g->readOutScaler > 0 ? g->readOutScaler : g->prefs.scaler;
    return std::isfinite(s) && s > 0 ? s : 1.0;
}

void FormatTrackerValue(double value, char* out, int32_t power, double error) {
    doScaleAndUnitsAt(static_cast<float>(TrackerScaler()), value, out, power,
                      static_cast<int16_t>(g->prefs.CADtrackerUnits), static_cast<int16_t>(g->prefs.CADtrackerPrecision),
                      error);
}

bool ParseTrackerRealLength(ADMDialogRef dialog, int32_t id, double* real) {
    return parseFieldInput(dialog, static_cast<int16_t>(id), real, g->prefs.CADtrackerUnits) != 0;
}

bool ParseTrackerLength(ADMDialogRef dialog, int32_t id, double* value) {
    double typed = 0;
    if (!ParseTrackerRealLength(dialog, id, &typed)) return false;
    *value = typed / TrackerScaler();
    return true;
}

bool ParseTrackerArea(ADMDialogRef dialog, int32_t id, double* value) {
    double typed = 0;
    if (!parseAreaFieldInput(dialog, static_cast<int16_t>(id), &typed, g->prefs.CADtrackerUnits)) return false;
    *value = typed / std::pow(TrackerScaler(), 2.0);
    return true;
}

void WriteTrackerLength(ADMDialogRef dialog, int32_t id, double value) {
    char text[kTrackerTextSize];
    FormatTrackerValue(value, text, 1);
    ShowHeldFieldValue(dialog, static_cast<int16_t>(id), text, value * TrackerScaler());
}

void WriteTrackerRealLength(ADMDialogRef dialog, int32_t id, double real) {
    char text[kTrackerTextSize];
    FormatTrackerValue(real / TrackerScaler(), text, 1);
    ShowHeldFieldValue(dialog, static_cast<int16_t>(id), text, real);
}

void WriteTrackerArea(ADMDialogRef dialog, int32_t id, double value) {
    char text[kTrackerTextSize];
    FormatTrackerValue(value, text, 2);
    ShowHeldFieldValue(dialog, static_cast<int16_t>(id), text, value * std::pow(TrackerScaler(), 2.0),
                       FieldMeasure::kArea);
}

void setupAnglePopup(ADMItemRef item) {
    if (!item) return;
    sADMItem->SetItemType(item, kADMTextEditPopupType);
    sADMItem->SetItemStyle(item, kADMNumericTextEditStyle);
    sADMItem->SetJustify(item, kADMLeftJustify);
    sADMItem->SetPrecision(item, g->prefs.style.upperDecimalPrecision);
    sADMItem->SetMinFloatValue(item, -kMostAngle);
    sADMItem->SetMaxFloatValue(item, kMostAngle);
    sADMItem->SetUnits(item, kADMDegreeUnits);
    sADMItem->SetAllowUnits(item, true);
    sADMItem->ShowUnits(item, true);
    sADMItem->SetAllowMath(item, false);
    sADMList->SetMenuID(sADMItem->GetList(item), g->thisPlugin, kAngleMenu, "");
    sADMItem->SetFloatValue(item, 0.0f);
}
