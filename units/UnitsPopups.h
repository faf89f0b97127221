// The units and precision popups. Every context that shows numbers (tracker, numeric input,
// dimension values, master units, rulers) keeps a unit code and a precision in the
// preferences and offers them through a pair of popups: a units popup filled from menu
// 16400 (entry n is unit code n), and a precision popup rebuilt from the unit and the scale
// factor, offering fewer digits as the scale grows. The preference fields are the state;
// the popups are rebuilt from them whenever the unit or the scale changes.
#pragma once

#include <cstdint>

#include "ADMTypes.h"

constexpr int32_t kUnitsMenu = 16400;
constexpr int32_t kDecimalPrecisionList = 17300;     // "0", "0.0" ... "0.00000"
constexpr int32_t kFractionalPrecisionList = 17310;  // "0", "1/2" ... "1/32"
constexpr int32_t kPanelPrecisionEntries = 6;
constexpr int32_t kRulerPrecisionEntries = 5;

// One context's pair: its items, its fields and how its precision popup behaves.
struct UnitsPopupPair {
    int32_t unitsItem, unitsCaption;          // caption 0: none
    int32_t precisionItem, precisionCaption;  // caption 0: none
    int32_t& (*units)();
    // The precision field the unit's kind reads (decimal or fractional).
    int32_t& (*precision)(int32_t units);
    ADMItemNotifyProc precisionNotifier;
    int32_t maxEntries;  // kPanelPrecisionEntries, or kRulerPrecisionEntries for the rulers
    bool enables;        // the setups enable the popups and their captions
    float (*scaleFactor)();  // null: the current scale's `prefs.scaler`
};

// How many precision entries a unit offers at a scale factor: one fewer for each power of
// ten from 10 the factor strictly exceeds (6 at 1:1 and at 10, 2 at 100000, 1 above it);
// mils offer four fewer. Never fewer than one: the entry "0" is always there.
int32_t PrecisionEntryCount(float scaleFactor, int32_t units, int32_t maxEntries);

// While one lives, the precision popups rebuilt lower a stored precision beyond their last
// entry to it (and raise one below 0 to 0), storing it: the user changed the units or the
// scale, and the list offered grew shorter. The lowered value stays when the scale goes back.
class PrecisionsFollowTheirLists {
public:
    PrecisionsFollowTheirLists();
    ~PrecisionsFollowTheirLists();
    PrecisionsFollowTheirLists(const PrecisionsFollowTheirLists&) = delete;
    PrecisionsFollowTheirLists& operator=(const PrecisionsFollowTheirLists&) = delete;

private:
    bool was_;
};

// Activates the entry of the pair's unit in its units popup (a unit the menu lacks leaves
// the popup as it was), enables the popup and its caption when the pair enables, then
// rebuilds the precision popup.
void SetupUnitsPopupPair(ADMDialogRef dialog, const UnitsPopupPair& pair);
// Rebuilds the precision popup: entry i reads string i + 1 of list 17310 (fractional
// units) or 17300 and has id i, as many as the unit and the scale offer. Outside
// PrecisionsFollowTheirLists nothing is written: a stored precision beyond them (set at
// another scale) is the one in use, offered too and shown. The entry of the stored precision
// is made active; the notifier is installed; popup and caption are enabled when the pair
// enables.
void SetupPrecisionPopupOfPair(ADMDialogRef dialog, const UnitsPopupPair& pair);

// The index of a popup's active entry, or -1 when none is active.
int32_t ActivePopupIndex(ADMItemRef popup);
