// The formatter and parser as the rest of the plug-in calls them: with the number format,
// pixel size, scales and label flags of the current preferences.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "geometry/LengthParser.h"
#include "geometry/UnitFormat.h"

void preParseNumericTextInput(char* text);
void postParseNumericTextInput(char* text, std::size_t size);

// Writes value × scaler^power in the unit and precision into out (at least 256 bytes).
// scaleSource 0 takes `prefs.scaler`, 1 the rulers' `rulerScaler`. The label is written
// when the style's upper label flag and `appendUnitLabelsSpecialKludge` are both set; with
// the kludge at 0 the text is a bare number. Returns 0.
// Every length shown is rounded by one rule (formatMeasure): its float error is `error`,
// in document points, the float error of the coordinates it was measured along
// (LengthError, DistanceError), and at least half a float's spacing at the length itself,
// times the scale. A value not measured between coordinates (a typed size) leaves error 0.
// Areas round to the nearest.
int32_t doScaleAndUnits(int32_t scaleSource, double value, char* out, int32_t power, int16_t units,
                        int16_t precision, double error = 0);
// The same at the given scaler: a measurement's, which it holds apart from the current scale.
int32_t doScaleAndUnitsAt(float scaler, double value, char* out, int32_t power, int16_t units, int16_t precision,
                          double error = 0);
// The scaler and label a read-out shows lengths at: those a measurement holds
// (measuringScaler, the distance tool's while it measures), else the current scale's.
float MeasuringScaler();
const char* MeasuringScaleLabel();
// The twin for dimension value strings: the scaler of `prefs` for either source, the label
// by the style's upper (upper 1) or lower (upper 0) label flag; at most 255 characters.
int32_t doScaleAndUnitsHack(int32_t scaleSource, int32_t power, int16_t units, int16_t precision,
                            double value, char* out, int32_t upper, double error = 0);

// The parser with the number format and pixel size of the preferences.
int16_t parseLengthText(std::string_view text, int32_t units, double* result);
int16_t parseAreaText(std::string_view text, int32_t units, double* result);
int16_t parseAngleText(std::string_view text, double* degrees);
