// The tracker panel's items as its routines read and write them: texts and lengths typed
// and shown in the tracker's units and precision at the drawing scale.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ADMTypes.h"

constexpr size_t kTrackerTextSize = 512;

// A text shown for itself: a value the item held behind its text is forgotten.
void SetTrackerText(ADMDialogRef dialog, int32_t id, const char* text);
// The item's text into out (kTrackerTextSize bytes); "" when the item is missing.
void GetTrackerText(ADMDialogRef dialog, int32_t id, char* out);

// The scale factor the read-out last wrote its fields at (the current one before any), 1
// when it is not a positive finite number.
double TrackerScaler();
// A value in document points (square points for power 2) as the tracker shows it; `error`
// is its float error (LengthError), which it is rounded with (doScaleAndUnits).
void FormatTrackerValue(double value, char* out, int32_t power, double error = 0);
// The item's text read as a length in the tracker's unit, in document points (the value
// it holds while it shows the text written with it); false (and *value untouched) when it
// does not read as one.
bool ParseTrackerLength(ADMDialogRef dialog, int32_t id, double* value);
// The same as an area, in square document points.
bool ParseTrackerArea(ADMDialogRef dialog, int32_t id, double* value);
// The same as the real length typed (at full size, in points), whatever the scale.
bool ParseTrackerRealLength(ADMDialogRef dialog, int32_t id, double* real);
// Writes a length in document points (an area in square points) into the item as the
// tracker shows it, the item holding the value in full for the actions to read.
void WriteTrackerLength(ADMDialogRef dialog, int32_t id, double value);
// The same for a real length (at full size, in points), which the item holds exactly.
void WriteTrackerRealLength(ADMDialogRef dialog, int32_t id, double real);
void WriteTrackerArea(ADMDialogRef dialog, int32_t id, double value);
// The angle popups (Transform angle 11, Move angle 28): degrees from -360 to 360 at the
// style's decimal precision, the angles of menu 17020, value 0.
void setupAnglePopup(ADMItemRef item);
