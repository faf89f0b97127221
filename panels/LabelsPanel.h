// The labels panel (dialog 16900): how the label tools draw new labels (leader kind and
// length, shape, border, stretching, and the format with its options: letters, numbers,
// information about the art, custom text), each change stored in the current style and
// pushed into the selected labels. Only the option rows of the chosen format are in view.
// Its placement is kept under "ZMKCADlabels3".
#pragma once

#include <cstdint>
#include <span>

#include "ADMTypes.h"
#include "panels/LabelsPanelItems.h"
#include "panels/StyleControls.h"

constexpr int32_t kLabelsCollapsedRowsHeight = 196;

std::span<const StyleControl> LabelsPanelControls();

AIErr CreateCADlabelsWindow();
ASErr InitCADlabelsWindow(ADMDialogRef dialog);
AIErr WriteCADlabelsWindowPrefs(ADMDialogRef dialog);
// The option rows of a label format moved into view (the others parked below the panel's
// edge, at 270) and the panel's height for them: 196 for letters, 218 otherwise; a format
// outside 0 to 3 moves nothing.
void MoveLabelOptions(int32_t format);
// The next-value field for the style's format (as the text panel's): the letter of incrementalLabelAlpha,
// incrementalLabelNumber (0 to 32767) as a text the panel reads itself, unchanged for
// information, a blank disabled field for custom text. Shown from when the panel opens.
void UpdateLabelIncrementFld();
// The label-options timer: the rows laid out once more.
AIErr LabelOptionsTimerAction();

void LabelFormatPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void NumericLabelOptionsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void LabelIncrementNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void CustomLabelTextNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
// The selection's style: the controls, the numeric option, the format with its next value
// and its option rows.
void RefreshCADlabelsWindowFromSelection(ADMDialogRef dialog, const live_attributes_map& map,
                                         const Plotwise3_Live_Dimension_Data& reference);
