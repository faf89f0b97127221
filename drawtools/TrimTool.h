// The trim tool: on an open path, where other art crosses it, either cut away the piece
// between the two crossings nearest the click (delete mode, the preference
// `trimToolDeletes`) or add an anchor at every crossing (anchor mode). A click trims once;
// a drag trims at every cursor position, the cuts staying (the core undoes nothing between
// its steps) and its messages silenced. Crossings are looked for in the art of every layer
// but the grids and rulers layers, leaving out locked and hidden art, dimensions and the
// path itself, and art whose bounds do not meet the segment's. "TrimPrefs" chooses the mode.
#pragma once

#include "ADMTypes.h"
#include "AITypes.h"

AIErr doSingleClickTrimTool();
// Records every crossing of the segment (a segment of `trimArt`, number `trimSegNum`) with
// the eligible art among `art` and its following siblings.
AIErr getTrimIntersections(AIArtHandle art, const AIRealBezier& segment);
// One crossing at parameter t of segment `trimSegNum`: into the ordered list (anchor mode)
// or into the nearest-before and nearest-after slots (delete mode).
void storeIntersectionData(AIReal t, AIRealPoint p);
// Empties the list of the current click.
AIErr FreeTrimData();

// "TrimPrefs": delete the piece between crossings, or add anchors at them.
AIErr doTrimPrefsDialog();
ASErr InitTrimPrefsDialog(ADMDialogRef dialog);
void TrimPrefsOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
