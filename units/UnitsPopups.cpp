// The family of units and precision popups: one rebuild rule for every pair.
#include "units/UnitsPopups.h"

#include <algorithm>

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "geometry/UnitFormat.h"
#include "units/UnitsGlobals.h"

namespace {

constexpr GlobalsView<UnitsGlobals> g;

void EnableItem(ADMDialogRef dialog, int32_t itemID, bool enable) {
    if (itemID == 0) return;
    if (ADMItemRef item = sADMDialog->GetItem(dialog, itemID)) sADMItem->Enable(item, enable);
}

float ScaleFactorOf(const UnitsPopupPair& pair) {
    if (pair.scaleFactor) return pair.scaleFactor();
    return g ? g->prefs.scaler : 1.0f;
}

}  // namespace

PrecisionsFollowTheirLists::PrecisionsFollowTheirLists() : was_(g && g->precisionsFollowTheirLists) {
    if (g) g->precisionsFollowTheirLists = true;
}

PrecisionsFollowTheirLists::~PrecisionsFollowTheirLists() {
    if (g) g->precisionsFollowTheirLists = was_;
}

int32_t PrecisionEntryCount(float scaleFactor, int32_t units, int32_t maxEntries) {
    int32_t n = maxEntries;
    float threshold = 10.0f;
    for (int32_t k = 1; k < maxEntries; ++k, threshold *= 10.0f)
        if (scaleFactor > threshold) --n;
    if (units == kMilUnits) n = n >= 5 ? n - 4 : 0;
    return std::max(n, int32_t{1});
}

void SetupUnitsPopupPair(ADMDialogRef dialog, const UnitsPopupPair& pair) {
    if (!dialog || !sADMDialog || !sADMList || !sADMEntry) return;
    ADMItemRef popup = sADMDialog->GetItem(dialog, pair.unitsItem);
    if (!popup) return;
    if (ADMEntryRef entry = sADMList->IndexEntry(sADMItem->GetList(popup), pair.units()))
        sADMEntry->Activate(entry, true);
    if (pair.enables) {
        sADMItem->Enable(popup, true);
        EnableItem(dialog, pair.unitsCaption, true);
    }
    SetupPrecisionPopupOfPair(dialog, pair);
}

void SetupPrecisionPopupOfPair(ADMDialogRef dialog, const UnitsPopupPair& pair) {
    if (!dialog || !sADMDialog || !sADMList || !sADMEntry) return;
    ADMItemRef popup = sADMDialog->GetItem(dialog, pair.precisionItem);
    if (!popup) return;
    ADMListRef list = sADMItem->GetList(popup);
    const int32_t units = pair.units();
    const int32_t textList = isFractionalUnit(units) ? kFractionalPrecisionList : kDecimalPrecisionList;
    sADMList->RemoveAllEntries(list);
    const int32_t offered = PrecisionEntryCount(ScaleFactorOf(pair), units, pair.maxEntries);
    int32_t& precision = pair.precision(units);
    // The stored precision always names an entry, so the formatter is never given -1.
    if (g && g->precisionsFollowTheirLists) precision = std::clamp(precision, int32_t{0}, offered - 1);
    const int32_t shown = std::clamp(precision, int32_t{0}, pair.maxEntries - 1);
    const int32_t n = std::max(offered, shown + 1);
    for (int32_t i = 0; i < n; ++i) {
        ADMEntryRef entry = sADMList->InsertEntry(list, i);
        if (!entry) continue;
        char text[64];
        GetPlotwiseString(textList, i + 1, text, sizeof text);
        sADMEntry->SetText(entry, text);
        sADMEntry->SetID(entry, i);
    }
    if (ADMEntryRef entry = sADMList->GetEntry(list, shown)) sADMEntry->Activate(entry, true);
    sADMItem->SetNotifyProc(popup, pair.precisionNotifier);
    if (pair.enables) {
        sADMItem->Enable(popup, true);
        EnableItem(dialog, pair.precisionCaption, true);
    }
}

int32_t ActivePopupIndex(ADMItemRef popup) {
    if (!popup || !sADMItem || !sADMList || !sADMEntry) return -1;
    ADMEntryRef entry = sADMList->GetActiveEntry(sADMItem->GetList(popup));
    return entry ? sADMEntry->GetIndex(entry) : -1;
}
