// What the annotator draws over the document view while a tool works, from the values the
// tools, the tracker and the guides leave in the global record: the axonometric face hint,
// the offset preview, the rulers' cursor marks, the information box and the full-screen
// crosshair with its snap points. Each is one row of the subsystem's annotations, drawn in
// this order; each draws nothing unless its values ask for it.
#pragma once

#include "AIAnnotator.h"

// Shown by the offset preview in place of the distance while the offset is out of range.
constexpr const char kOffsetTooLargeAnnotation[] = "Offset out of range";

// While canAnnotateIntersection is set: a small diagonal cross (2 pixels each way) at
// annotatorIntersection and, 4 pixels right of and above the cursor, the name of
// annotationFace (list 17400: 18 left, 19 right, 20 top).
AIErr DoDrawAxoHintsAnnotation(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer);
// While showOffsetAnnotator is set: a line from the click to the offset point with a dot of
// radius 3 at each end and, beside the click on a cleared background, the distance in the
// tracker's units and precision (or kOffsetTooLargeAnnotation while offsetTooFar is set).
AIErr DrawOffsetAnnotater(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer, const AIRealPoint* click,
                          const AIRealPoint* offsetPoint);
// While okToTrackCursorFlag is set and the rulers are shown: a mark across each ruler at the
// cursor; hRulerRect and vRulerRect become the rulers' rectangles in view pixels.
AIErr DrawRulerCursorMarks(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer);
// While a tool drags and showCADtrackerInfo is set: a box beside the cursor with the
// tracker's width, height, length and angle, those that apply, in the tracker's units.
AIErr DrawInformationBox(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer);
// While annotateFullScreenCursor is set and a tool follows the cursor: a horizontal and a
// vertical line through it across the page and its rulers, a square around each object
// snap point near it, and a filled square where a click would snap.
AIErr DrawFullScreenCursor(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer);
// The crosshair's snap points and snap target for the cursor a tool event left (null: none),
// worked out before the tool draws its preview, which is no snap point of its own.
AIErr FollowCrosshairCursor(const AIRealPoint* cursor);
