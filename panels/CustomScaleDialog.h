// The custom-scale dialog (16215): a custom scale typed as two lengths in chosen units
// ("1 in = 10 ft") or as a ratio ("1:50"), stored in the first free of the ten custom
// slots, made the current scale and applied to the document or the selected layers. Opened
// by the document panel's popout menu and by the set-scale tool; the scale assistant adds
// its custom scale through `addCustomScaleToMenu`.
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"
#include "panels/CustomScaleDialogItems.h"

// Runs the dialog modally; its result is not looked at. Always 0.
AIErr RunCustomScaleDialog();

ASErr initCustomScaleDialog(ADMDialogRef dialog);
void customScaleOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
void customScaleFldNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void scaleStyleNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
// The item's text as a positive number without a unit: 1 with the value written, else 0
// (a number not greater than 0 says so; any other failure is silent).
int16_t parseFieldInputNoUnits(ADMItemRef item, double* value);

// Stores the scale in the first free custom slot, makes it current and applies it (all
// layers, or the layer list's selected rows in layer-based style), regenerating the live
// dimensions. With no free slot it says so and changes nothing. The label is cut to fit
// the slot.
void addCustomScaleToMenu(float scaler, const char* label);
