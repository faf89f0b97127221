// Counters of lettered and numbered texts, bound to the current style and preferences.
// The panel fields are refreshed through the panels' services, which are absent (and the
// refresh skipped) while no panel exists.
#include "artwork/LabelCounters.h"

#include <string>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSubsystem.h"
#include "units/UnitsGlobals.h"

namespace {

constexpr GlobalsView<UnitsGlobals> g;

constexpr int32_t kLargestLabelNumberNote = 111;  // 17111: the label counter can count no higher

void refresh(void (*PlotwiseServices::*field)()) {
    if (auto call = PlotwiseService().*field) call();
}

}  // namespace

LabelText GetAlphaLabelText(int16_t inc) {
    return AlphaLabelText(inc, g ? g->prefs.style.alphaLabelMenuOption : 0);
}

LabelText GetNumericLabelText(int16_t inc) {
    if (!g) return NumericLabelText(inc, 0, 0);
    const Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    return NumericLabelText(inc, style.NumericLabelsUseLeadingZeros, style.NumericLabelsNumberOfLeadingZeros);
}

int32_t GetNextNumericLabelIncrement() {
    if (!g) return 0;
    const int16_t next = NextNumericLabelIncrement(g->prefs.incrementalLabelNumber, g->prefs.style.numericLabelMenuOption);
    g->prefs.incrementalLabelNumber = next;
    return next;
}

void UpdateIncrementalInfo() {
    if (!g) return;
    switch (g->prefs.style.dimensionFormat) {
        case 1: TakeCounter(g->prefs.incrementalDimAlpha); break;
        case 2: TakeCounter(g->prefs.incrementalDimNumber); break;
        default: break;
    }
    refresh(&PlotwiseServices::updateDimensionIncrementFld);
}

void UpdateIncrementalLabelInfo() {
    if (!g) return;
    switch (g->prefs.style.labelFormat) {
        case 0: TakeCounter(g->prefs.incrementalLabelAlpha); break;
        case 1:
            // The counter stays at the largest number it holds: the user is told the next
            // label repeats it.
            if (const int32_t placed = g->prefs.incrementalLabelNumber; GetNextNumericLabelIncrement() == placed)
                NoteForUser(kLargestLabelNumberNote, std::to_string(placed));
            break;
        default: break;
    }
    refresh(&PlotwiseServices::updateLabelIncrementFld);
}
