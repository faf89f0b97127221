// What the styles, text and labels panels share: each control that edits one field of the
// current style is a row of its panel's table (item, kind, field, code pushed). One
// notifier serves every row: it writes the field into prefs.style, does what the row asks
// after it (enabling, sizing), and pushes the one code into the selected dimensions. The
// same rows set the items up from the style, and show the selection's style in them.
#pragma once

#include <cstdint>
#include <span>

#include "ADMTypes.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseDimensionData.h"
#include "core/PlotwiseStyleFields.h"
#include "dimensions/StylePush.h"

// The largest length, in points, the panels' length fields take (120 inches): one bound for
// every length of the style, so a typed value is kept within it alike in each panel.
constexpr float kMaxStyleLength = 8640;

enum class ControlKind {
    kCheckBox,    // an int field, 0 or 1
    kReal,        // a real field: a numeric edit field of the row's range
    kDegrees,     // likewise, in degrees
    kInteger,     // an int field: an integer edit field of the row's range
    kText,        // a string field: a one-line text
    kRadio,       // one item of a radio group: the field takes `value` when it is switched on
    kPopupIndex,  // an int field: the index of the popup's active entry
    kSlider,      // an int field: the slider's value
};

// Which notifications of its item a row acts on.
enum class ActsOn {
    kUserChange,  // the user's change
    kDragging,    // that, and each intermediate change while the user is still on the item
    kEvery,       // every notification of the item
};

struct StyleControl {
    int32_t item;
    ControlKind kind;
    const StyleField* field;
    CADAttrType code;  // kCADAttrDummyType: nothing is pushed
    int32_t value = 0;  // kRadio: the value the item stands for
    float minimum = 0, maximum = 0;  // kReal, kDegrees, kInteger, kSlider
    void (*after)(ADMDialogRef dialog) = nullptr;  // after the field is written, before the push
    ActsOn actsOn = ActsOn::kUserChange;
};

// Gives every row's item the style's value and the shared notifier; a text row's item keeps
// the text its template gives it until the selection's style is shown.
void SetupStyleControls(ADMDialogRef dialog, std::span<const StyleControl> controls);
// Shows the style's value of one row in its item (a radio row: its item on exactly when the
// field holds its value).
void ShowStyleControl(ADMDialogRef dialog, const StyleControl& row, const Plotwise3_Live_Dimension_Data& style);
// The shared notifier: on the notifications the row acts on (a radio only when switched on)
// the row's field takes the item's value, the row's after step runs and its code is pushed
// into the selected dimensions.
void StyleControlNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
// The row of an item of a dialog, or null.
const StyleControl* FindStyleControl(ADMDialogRef dialog, int32_t item);

// Small item helpers of these panels.
// One item of the selection's style: where the selected dimensions agree on the field, the
// item is known and `show` is given it (null when the panel lacks it); elsewhere it is blank.
template <typename Show>
void ShowIfKnown(ADMDialogRef dialog, int32_t item, const live_attributes_map& map, const StyleField& field,
                 Show show) {
    ADMItemRef it = Item(dialog, item);
    const bool known = map.known(field);
    if (it) sADMItem->Known(it, known);
    if (known) show(it);
}
// The popup's entry of that id, or at that index, made the active one.
void ActivateEntryByID(ADMItemRef popup, int32_t id);
void ActivateEntryByIndex(ADMItemRef popup, int32_t index);
// Fills a popup from its menu and activates the entry at `index` (none when it has none).
void SetupPanelPopup(ADMDialogRef dialog, int32_t item, int32_t menu, int32_t index, ADMItemNotifyProc notifier);
// Pushes the code into the selected dimensions (the result is not the panel's business).
void PushStyle(CADAttrType code);
// What the next-value field of a counting format says, into its counter: for the letter
// format exactly one capital A to Z (its place, 0 to 25; anything else shows message 17026
// and changes nothing), for the number format (the one after it) a whole number from 0 to
// 32767 as typed (anything else refused in words, changing nothing); other formats take
// nothing. The field keeps the focus, and `showNext` then shows in it the value the next
// one takes.
void TakeNextCounter(ADMItemRef field, int32_t format, int32_t letterFormat, int32_t& letter, int32_t& number,
                     void (*showNext)());
// Shows the selection's style in the rows: where the map knows a row's field, its item is
// known, the field is taken into prefs.style from the reference and shown; elsewhere the
// item shows the mixed state and prefs.style keeps its own value.
void RefreshStyleControls(ADMDialogRef dialog, std::span<const StyleControl> controls, const live_attributes_map& map,
                          const Plotwise3_Live_Dimension_Data& reference);
// One field taken from the reference into prefs.style.
void TakeStyleField(const StyleField& field, const Plotwise3_Live_Dimension_Data& reference);
