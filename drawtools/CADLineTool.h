// The CAD line tool: a straight line from the press to the cursor whose ends snap to
// anchors (else the grid), whose direction can be held to 45-degree steps, the axonometric
// axes, a frozen or a fixed angle, and which extends, closes or merges open paths when it
// starts or ends on their end anchors. A line that extends a path from its start lies on
// that path's layer and is dragged, typed and tracked at its scale; its end joins only a
// path of the layer it lies on. A click opens "CADLine" (length, angle, rise, run).
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITool.h"

// Items of "CADLine" (16720).
constexpr int16_t kLineLengthItem = 4;
constexpr int16_t kLineAngleItem = 6;
constexpr int16_t kLineRiseItem = 8;
constexpr int16_t kLineRunItem = 10;

// The drag: redraws the line (or the joined path) from `startingPoint` to the cursor.
AIErr doCADLineTool();
// A line of the length (drawn points) and angle (degrees) from `startingPoint`.
AIErr doInputCADLineTool(double length, double angle);

// "CADLine" for a click with the line tool, and what its OK draws.
AIErr doPlotwiseLineDialog(const AIToolMessage* message);
AIErr BuildLineFromDialog();
// Keeps length and angle, and rise and run, in step while the user types, in typed units.
void LengthAngleRiseRunNotifierProc(ADMItemRef item, ADMNotifierRef notifier);

// The line tool's options, "LinePrefs" (16190): joining open paths and the fixed angle.
AIErr doCADlinePrefsDialog();
ASErr InitCADlinePrefsDialog(ADMDialogRef dialog);
void CADlinePrefsOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
