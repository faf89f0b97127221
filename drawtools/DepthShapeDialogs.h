// The numeric input of the depth rectangle, ellipse and grid: a click without a drag opens
// "Depth Rectangle" (17700), "Depth Ellipse" (17710) or the grid's dialog (17740, under the
// name "Depth Rectangle" too) with a width, a height and the face (left, right or top);
// OK draws the flat shape where its projection lands on the click (a centred tool's
// projected bounds centred on it) and projects it onto that face. The rectangle and grid
// share their width, height and face with each other (and the size with "CADRect"), the
// ellipse its size with "CADEllipse".
#pragma once

#include "ADMTypes.h"
#include "AITool.h"

AIErr doPerspectiveRectDialog(const AIToolMessage* message);
AIErr doPerspectiveEllipseDialog(const AIToolMessage* message);
AIErr AxonometricGridDialog(const AIToolMessage* message);

// What OK draws at firstClick (snapped onto an anchor under it), which it leaves at the flat
// shape's top-left corner; `face` is as it was afterwards. The rectangle and ellipse go to
// depthArt; the grid, cut to whole grid steps, to gridGroup (and its far corner to
// endPoint). Nothing is projected when nothing could be drawn.
AIErr doInputPerspectiveRectTool();
AIErr doPerspectiveInputEllipseTool();
AIErr InputAxonometricGridTool();

// The face radios (items 7, 8 and 9, the last one's text message 17415; the cylinder's
// dialog has them too, for its base), set from the dialog's face when it opens and read back in order by OK, the last one on winning.
void initDepthFaceChoices(ADMDialogRef dialog);
void storeDepthFaceChoices(ADMDialogRef dialog);
// OK of the grid's dialog: a width or height of less than one grid step would draw no grid;
// it is refused with the step in words.
bool depthGridHasWholeSteps();
