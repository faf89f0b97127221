// The path divider: the clicked path divided into equal parts, or into pieces of an
// increment measured from its start, from its end or centred on its middle; an anchor at
// every division point, the path then kept or broken apart there, and a crosshair in the
// dimension-line style at each point when asked. The settings come from "PathDivider", or
// with option from the last use.
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"

// Divides the path hit at firstClick. Methods 0, 1 and 2 step by `length` from the start,
// centred on the middle or from the end (count unused); method 3 makes `count` equal parts
// (length unused). action 1 adds the anchors, any other breaks the path into open pieces at
// them; crosshairs non-zero marks the division points. An increment of 0.001 pt or less,
// or below zero, or a count below 1, does nothing; one that would place more than 1024
// points (or give the path more than 32767 anchors) is refused with a message before
// anything changes. Clicking no path does nothing. Host errors are returned.
AIErr SubdividePathByLength(AIReal length, int16_t count, int32_t method, int32_t action, int32_t crosshairs);

// The mouse up of the tool: with option, the last settings at once; otherwise the dialog. A
// click on no path is told so, and nothing is asked.
AIErr PathDividerMouseUp();
AIErr doPathDividerDialog();

// "PathDivider": its items set from the settings when it opens, the two method radios,
// and OK (the increment must read as a length above zero; the dialog stays open otherwise).
void initPathDividerChoices(ADMDialogRef dialog);
void pathDividerRadiosNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void pathDividerOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
