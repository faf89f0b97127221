// The offset tool: a parallel copy of the clicked path at a distance on one side, dragged
// out with the annotator showing the distance (the side follows the mouse), or typed in
// "Offset". The host outlines a widened stroke of a duplicate of the path, and the tool
// keeps the part of the outline on the wanted side.
#pragma once

#include "ADMTypes.h"
#include "AITypes.h"

// The tool's messages (the annotator's "Offset out of range" is kOffsetTooLargeAnnotation).
constexpr char kOffsetToolCantDealWithFills[] = "This tool works on the stroke of an object, not the fill.";
constexpr char kOffsetToolCantDealWithCompounds[] = "Compound paths cannot be offset.";
constexpr char kOffsetTooLargeErrorStr[] = "The offset is out of range and a new path cannot be calculated.";

// The copy of the path under firstClick, directly above it with its paint, neither grouped
// nor selected: while dragging (showOffsetAnnotator) at the mouse's distance from the click
// (at least 4 pt) on the mouse's side, else at inputOffsetDistance on the side of
// inputOffsetDirection (1: the left of the path's direction, -1: its right). It leaves
// offsetPoint (the click moved by the offset, for the annotator). A closed path gives the
// outline's contours on that side; an open one the run of the outline between the offset
// ends. A fill or a compound path's member is refused with a message; when no copy can be
// made (no contour left on that side, an end of an open path lost, a copy past a curve's
// centre running back) nothing is left and offsetTooFar is set while dragging, or a
// message says so.
AIErr doHomebrewBezierOffsetTool();
// A click on art asks for the distance; a click on nothing is told so.
AIErr doBezierOffsetDialog();

// "Offset": the reverse box from inputOffsetDirection; OK turns the typed distance into
// inputOffsetDistance (never negative) and the side (a distance below zero, or the reverse
// box, takes the other side; both take it back).
void initOffsetChoices(ADMDialogRef dialog);
void storeOffsetChoices(ADMDialogRef dialog);
