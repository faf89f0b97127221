// Reading and writing the tracker panel's items.
#include "panels/TrackerFields.h"

#include <cmath>

#include "core/PlotwiseSuites.h"
#include "panels/PanelGlobals.h"
#include "units/NumericFields.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

}  // namespace

ADMItemRef TrackerItem(ADMDialogRef dialog, int32_t id) { return dialog ? sADMDialog->GetItem(dialog, id) : nullptr; }

void SetTrackerText(ADMDialogRef dialog, int32_t id, const char* text) {
    if (ADMItemRef item = TrackerItem(dialog, id)) sADMItem->SetText(item, text);
}

void GetTrackerText(ADMDialogRef dialog, int32_t id, char* out) {
    out[0] = '\0';
    if (ADMItemRef item = TrackerItem(dialog, id)) sADMItem->GetText(item, out, static_cast<int32_t>(kTrackerTextSize));
}

void EnableTrackerItems(ADMDialogRef dialog, std::initializer_list<int32_t> ids, bool enable) {
    for (int32_t id : ids)
        if (ADMItemRef item = TrackerItem(dialog, id)) sADMItem->Enable(item, enable);
}

bool UserChanged(ADMNotifierRef notifier) { return sADMNotifier->IsNotifierType(notifier, kADMUserChangedNotifier); }

double TrackerScaler() {
    const double s = g->prefs.scaler;
    return std::isfinite(s) && s > 0 ? s : 1.0;
}

void FormatTrackerValue(double value, char* out, int32_t power) {
    doScaleAndUnits(0, value, out, power, static_cast<int16_t>(g->prefs.CADtrackerUnits),
                    static_cast<int16_t>(g->prefs.CADtrackerPrecision));
}

bool ParseTrackerLength(ADMDialogRef dialog, int32_t id, double* value) {
    double typed = 0;
    if (!parseFieldInput(dialog, static_cast<int16_t>(id), &typed, g->prefs.CADtrackerUnits)) return false;
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
    SetTrackerText(dialog, id, text);
}
