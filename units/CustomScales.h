// Custom scales: the numbers a custom scale is typed in (positive, without a unit), the
// units of the custom-scale dialog's two unit popups, the first free of the ten custom
// slots, and the label a custom scale is shown with, cut to fit its 32-byte slot.
#pragma once

#include <cstdint>
#include <string_view>

#include "units/LayerScales.h"

struct preferences;

// What reading a typed custom-scale number gave.
enum class ScaleNumberRead {
    ok,
    notPositive,  // a number of 0 or less: the user is told it must be greater than 0
    unreadable,   // a unit or other word, a zero denominator, no number at all: silent
};

// The text as a positive number without a unit, in the document's number format: a whole
// number and a fraction ("1 1/2"), a fraction ("1/8") or a number ("2.5"). A unit or any
// other word after the number, a zero denominator, a mixed number whose whole part is not
// positive and text that is no number are refused; so is a number too large for a real.
// The value is written only when the result is `ok`.
ScaleNumberRead ReadScaleNumber(std::string_view text, double* value);

// The units of the dialog's popups (menu 16450), by entry index: point, pixel, pica,
// millimetre, centimetre, metre, kilometre, mil, inch, foot, mile, shaku.
constexpr int32_t kCustomScaleUnitCount = 12;
// Points per unit of an entry index (a pixel by the preferences' pixels per inch); 0 for
// an index outside the menu.
float CustomScaleUnitPoints(int32_t index, int32_t pixelsPerInch);
// The label suffix of an entry index (" mm", the inch and foot marks, ...); "" outside.
const char* CustomScaleUnitSuffix(int32_t index);
// The entry index a numeric-input unit code starts the popups at: codes 0-7 keep their
// number, the inch forms give inch, the foot forms foot, then mile and shaku.
int32_t CustomScaleUnitIndexOf(int32_t units);

// The scalers a custom scale may have. The formatter shows a length only while it is under
// 4e18 ticks of its unit; at 1:100,000,000 the longest length the host draws (16,383 pt)
// is 2.3e18 ticks of a mil at five places, the finest unit and precision, and every length
// stays readable. Scales as much larger are allowed as smaller.
constexpr double kLargestCustomScaler = 1e8;
constexpr double kSmallestCustomScaler = 1e-8;
bool IsCustomScalerInRange(double scaler);
// The message (list 17000) that says so.
constexpr int32_t kCustomScaleRangeMessage = 103;

// Frees every custom slot read from the preferences whose scaler is not 0 (free) and not a
// custom scaler in range, naming each to the user; a current scale whose slot is freed
// becomes 1:1. A current custom scale whose slot is free keeps the scaler and label it was
// kept with (a layer's own), or without them becomes 1:1, named. Otherwise the current
// scaler and label follow the current scale id (UpdateScaler).
AIErr KeepCustomScalesInRange();

// The first custom slot (1-10) whose scaler is 0.0, or 0 when all ten hold a scale.
int32_t FirstFreeCustomSlot(preferences& prefs);

// One side of a custom scale's label: the number as typed and its unit's suffix.
struct ScaleLabelSide {
    std::string_view number;
    std::string_view suffix;
};
// "left SEPARATOR right" in a slot's label (at most 31 characters). A label too long to
// fit keeps the separator and both suffixes whole and cuts the longer number first, so
// what is left still reads as a relation of two lengths.
void ComposeCustomScaleLabel(const ScaleLabelSide& left, std::string_view separator, const ScaleLabelSide& right,
                             char (&label)[kScaleLabelSize]);
