// Small services the panels, numeric-input dialogs and tool-event handlers share: typed
// lengths, areas, angles and counts read from a dialog item and refused in words when they
// cannot be used, items made numeric edit fields, and the current dimension colour for a
// swatch.
#pragma once

#include <cstdint>
#include <string>

#include "ADMTypes.h"

// Reads the item's text and parses it as a length (an area) in the unit code; 1 with the
// value stored through result, or 0 with result, the item and its text untouched. A field
// that holds a value behind the text it shows (below) reads as that value.
int16_t parseFieldInput(ADMDialogRef dialog, int16_t itemID, double* result, int32_t units);
int16_t parseAreaFieldInput(ADMDialogRef dialog, int16_t itemID, double* result, int32_t units);

// A field shows a length or area rounded to its unit and precision, but what the user typed
// (or what was worked out from it) is what a button or an OK acts on: the field shows the
// text and holds the value in full, in typed points (square points for an area), for as long
// as it shows that text. A refresh that shows a new value forgets the held one first, since
// the new value may round to the same text.
enum class FieldMeasure { kLength, kArea };
void ShowHeldFieldValue(ADMDialogRef dialog, int16_t itemID, const char* shown, double typed,
                        FieldMeasure measure = FieldMeasure::kLength);
void ForgetHeldFieldValue(ADMDialogRef dialog, int16_t itemID);
// Every value the dialog's fields hold: a dialog that opens holds none.
void ForgetHeldFieldValues(ADMDialogRef dialog);
// Whether the item still shows the text it was given with a held value.
bool HoldsFieldValue(ADMDialogRef dialog, int16_t itemID);

// A typed value a dialog cannot use, refused the one way every field refuses: the words said
// in an alert, the field made active for retyping, the dialog left open. Always false, for
// a reader to answer with.
bool RefuseFieldInput(ADMDialogRef dialog, int16_t itemID, const std::string& words);
// Message n of list 17000, as a refusal says it: "The format of the value is not correct.",
// "The value must be greater than 0.".
constexpr int32_t kUnreadableValueMessage = 18;
constexpr int32_t kGreaterThanZeroMessage = 21;
std::string FieldInputWords(int32_t message);
// "" when a typed real-world length, at the scale factor, gives a drawn length the largest
// drawing holds; else the words that say the largest length typed at this scale.
std::string TooLargeForDrawing(double typedPoints, double scaler);

// Angle and count fields are single-line texts the plug-in reads itself, so that text it
// cannot use is refused in words rather than turned into some number by the dialog manager.
// An angle shows in degrees with the degree sign; it reads as parseAngleText reads it.
void SetAngleFieldText(ADMItemRef item, double degrees);
bool ReadAngleField(ADMDialogRef dialog, int16_t itemID, double* degrees);
// A whole number from least to most; anything else is refused, saying the range.
void SetWholeNumberFieldText(ADMItemRef item, int32_t value);
bool ReadWholeNumberField(ADMDialogRef dialog, int16_t itemID, int32_t least, int32_t most, int32_t* value);

// Make the item a numeric text-edit field with the dialog manager's arithmetic off.
void setNumericFloatFldPrefs(ADMItemRef item, float value, float minimum, float maximum);
void setNumericDegreeFloatFldPrefs(ADMItemRef item, float value, float minimum, float maximum);
void setNumericLongFldPrefs(ADMItemRef item, int value, int minimum, int maximum);
// The integer field and the single-line text field the panels and the tools' dialogs share:
// an integer edit field without units or arithmetic; a one-line text of at most 256
// characters holding `text`.
void SetNumericIntFldPrefs(ADMItemRef item, int32_t value, int32_t minimum, int32_t maximum);
void SetAlphaSingleLineFldPrefs(ADMItemRef item, const char* text);

// The current style's dimension colour as a swatch colour; left as it was for colours a
// swatch cannot show (pattern, gradient, none, unknown kinds).
void convertPrefColorsIntoRGBColor(ADMRGBColor* out);
// Reals 0.0-1.0 to 16-bit channels, truncated; values outside the range are clamped.
void RGBArrayToASRGB(const float* rgb, ADMRGBColor* out);
// Moves each side inwards by amount (outwards for a negative amount).
void insetASRect(ADMRect* rect, int amount);
