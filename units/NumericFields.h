// Small services the panels, numeric-input dialogs and tool-event handlers share: typed
// lengths and areas read from a dialog item, items made numeric edit fields, and the
// current dimension colour for a swatch.
#pragma once

#include <cstdint>

#include "ADMTypes.h"

// Reads the item's text and parses it as a length (an area) in the unit code; 1 with the
// value stored through result, or 0 with result, the item and its text untouched.
int16_t parseFieldInput(ADMDialogRef dialog, int16_t itemID, double* result, int32_t units);
int16_t parseAreaFieldInput(ADMDialogRef dialog, int16_t itemID, double* result, int32_t units);

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
