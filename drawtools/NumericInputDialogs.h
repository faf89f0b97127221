// The numeric-input dialogs through which a tool takes typed values: one catalogue row per
// dialog (name, template, the fields it fills from the global record and stores back, the
// builder its OK runs) and the routines every row shares. A length field shows the stored
// length in the numeric-input unit and is re-written in that unit whenever the user changes
// it. A length is stored as typed, the real one, and shown so whatever layer is current; its
// tool draws it at the scale of the layer it draws on (DrawnLength), which is current then: a
// new shape's, the current layer's; a joining line's, its path's; an edit's, the edited art's.
// An angle field shows and takes degrees. A field shows its length rounded to the
// numeric-input precision but holds it in full: while its text is the one shown, the full
// length is what is used. OK stores the fields in order
// and stops at the first one that does not read, a length too large for the drawing, a size
// of zero (or one too small to draw) or a distance below zero, saying why, activating it
// and keeping the dialog open; only when every field is good, and the row's own check
// accepts them, does it run the builder and close the dialog (the arc dialogs close first).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "ADMTypes.h"
#include "AITool.h"

enum class InputFieldKind : int16_t {
    kLength,    // a typed length
    kAngle,     // degrees, the host's numeric degree field
    kDistance,  // a length that may not be negative (a fillet radius: 0 is a sharp corner)
    kSize,      // a length that may not be zero (a width, a radius)
    kCut,       // a length that must be more than nothing (a chamfer distance)
};

using InputValue = AIReal& (*)();

struct NumericInputField {
    int16_t item;
    InputFieldKind kind;
    InputValue value;
};

struct NumericInputDialog {
    const char* name;   // as the opener passes it to the host
    int32_t id;         // template (resources/dialogs/<id>.json)
    std::span<const NumericInputField> fields;  // in the order OK stores them
    bool resetsCancelFlag = false;             // clears cancelledInputDialog when it opens
    ADMItemNotifyProc fieldNotifier = nullptr;  // null: inputFldChangedNotifierProc on length fields
    AIErr (*builder)() = nullptr;              // run by OK with the stored values; null: store only
    // The dialog's other items (radios, check boxes): set when it opens, stored by OK after
    // the fields. Each may be null.
    void (*initChoices)(ADMDialogRef dialog) = nullptr;
    void (*storeChoices)(ADMDialogRef dialog) = nullptr;
    // A check of what OK stored: false keeps the dialog open (the check has said why).
    bool (*accept)() = nullptr;
    bool closesFirst = false;  // the builder runs once the dialog has closed
    // A dialog whose OK does more than store lengths and run the builder (the path divider's,
    // the proportion tool's): its own handler on OK (null: the shared one).
    ADMItemNotifyProc ok = nullptr;
};

// Every dialog of the drawing tools, one row each; the catalogue above the tools defines it.
std::span<const NumericInputDialog> NumericInputCatalogue();
// The row of a dialog of the tools (null for another id); a row without a builder only
// stores what its tool goes on with.
const NumericInputDialog* FindNumericInputDialog(int32_t id);

// The shared opener: a modal dialog of the row, answered by the plug-in of the message (or
// this plug-in without one). The dialog's result is not used: always 0.
AIErr OpenNumericInputDialog(int32_t id, const AIToolMessage* message);

// The routines every dialog's items get.
ASErr initNumericInputDialog(ADMDialogRef dialog);
void numericInputOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
void inputCancelBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
void inputFldChangedNotifierProc(ADMItemRef item, ADMNotifierRef notifier);

// The length as the dialogs show it: the drawn length times the scale factor, formatted
// in the numeric-input unit and precision; the field holds the length in full.
void SetLengthFieldText(ADMItemRef item, double drawnPoints);
// The same for a length held as typed, the real one.
void SetTypedLengthFieldText(ADMItemRef item, double typedPoints);
// The item's length: the one it holds while it shows the text it was given, else its text
// read in the numeric-input unit. The real-world length in points, or false when the text
// does not read as a length that fits the drawing.
bool ReadTypedLength(ADMDialogRef dialog, int16_t item, double* typedPoints);
// The same for OK: "" with the length, or the words that refuse it as a length of the kind
// (not a length, too large for the drawing, below zero, a size of nothing).
std::string LengthFieldRefusal(ADMDialogRef dialog, int16_t item, InputFieldKind kind, double* typedPoints);
// What the user typed into the item replaces what it held.
void ForgetHeldLength(ADMItemRef item);
// The scale factor lengths are divided by (1 where the preferences hold none that is usable).
double InputScaleFactor();
// A length held as typed, drawn at the scale in force (InputScaleFactor).
AIReal DrawnLength(double typedPoints);
