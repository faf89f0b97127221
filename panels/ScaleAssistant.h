// The scale assistant (dialog 16280): sets the document's scale from one known real size.
// The selection's drawn width or height is stated in reality, then the assistant either
// makes a custom scale of that relation (the art unchanged), or fits the whole drawing,
// brought to real size, to the artboard (or a typed width or height) with the finest
// architectural or engineering scale that fits, or applies a chosen table scale; the last
// two rescale all art and centre it. Opened by the document panel's assistant button.
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"
#include "panels/ScaleAssistantItems.h"

void ScaleAssistantBtnNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
AIErr ShowScaleAssistantDialog();
ASErr InitScaleAssistantDialog(ADMDialogRef dialog);
void ScaleAssistantRadiosNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void ScaleAssistantReferenceTypePopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void ScaleAssistantOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier);

// The artboard placed by the ruler origin (host errors ignored).
void GetArtboardRect(AIRealRect* rect);
// Selects all art (the grids and rulers aside) and gives its bounds; without art the
// result is not written. The first host error is returned.
AIErr SelectAllArtAndGetRect(AIRealRect* rect);
// 1 when every layer but the grids and ruler layers is visible and editable, else 0.
int AllLayersAreUnlockedAndVisible();
