// The proportion tool: the object under a first click resized to match the object under a
// second click, in width, height or both, about the first click and carried onto the
// second click, in place (OK) or as a copy that ends up selected (Copy) through "Resize".
// An object is what the click hits, or the group holding it; it is measured by its
// geometric bounds, strokes left out.
#pragma once

#include "ADMTypes.h"
#include "AITypes.h"

// Measures both objects into wProportion and hProportion (second over first), selects the
// first object alone and asks "Resize". A click on no object gives the art-must-be-clicked
// alert and no dialog. Both clicks are forgotten on every way out.
AIErr doProportionTool();
AIErr doProportionDialog();

// "Resize": the boxes and ratios when it opens; the width and height boxes enable
// "constrain" unless both are on; OK and Copy transform.
void initProportionChoices(ADMDialogRef dialog);
void ProportionCheckboxesNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void ProportionOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);
