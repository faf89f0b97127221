// What the label and datum tools share: the paths of a label (painted as dimension lines),
// the press and drag points snapped onto the art under them, the knee of a leader under
// shift, the side a label stands on and the shelf that leads to it, and the label text kept
// as the text a live label is recognised by.
#pragma once

#include <cstdint>
#include <span>

#include "AIHitTest.h"
#include "AITypes.h"

struct cdDataStruct;

// The keys of the style's `modifiers` the label tools read.
constexpr int32_t kLabelShiftKey = 1, kLabelOptionKey = 2, kLabelCtrlKey = 4;

// A new path of these anchors on top inside `group` (above firstArt when group is null),
// painted with dimensionLineStyle and open or closed. The first failing host call's error
// is returned; what was made stays.
AIErr NewLabelPath(AIArtHandle group, std::span<const AIPathSegment> anchors, bool closed);

// p moved onto the art under it (hit request 0: anything, fills included; 1: anchors and
// curves only): the hit point replaces p, and *art, when asked for, is the art hit (null
// when nothing is). The hit is given back on every way out.
AIErr SnapLabelPoint(AIRealPoint* p, int32_t request, AIArtHandle* art = nullptr);
// What a label's press lands on: the art a measuring click finds (another dimension's part
// only where no other art is), as the press's click is recorded; in a redraw the art that
// click is stored on alone, so the press follows that art and never finds art drawn since.
AIErr LabelPressHit(const AIRealPoint& p, int32_t request, AIToolHitData* data);
// The press moved onto the hit point of LabelPressHit; *art, when asked for, as in
// SnapLabelPoint.
AIErr SnapLabelPress(AIRealPoint* p, int32_t request, AIArtHandle* art = nullptr);
// Whether a drag end is snapped: always while the user draws; in a redraw only when its
// record reaches the cursor (an older record) rather than the end as drawn.
bool SnapsLabelEnd();
// The drag end snapped as SnapLabelPoint does, when SnapsLabelEnd.
AIErr SnapLabelEnd(AIRealPoint* p, int32_t request);

// The knee of a leader pressed at `press` and dragged to `drag`: the drag point; with shift
// held (and ignoreShift clear) the press point plus the distance from `from` to the drag
// point, along the press-to-drag angle snapped to a multiple of 45 degrees. *angle, when
// asked for, is the leg's angle: press to drag, snapped under shift.
AIRealPoint LeaderKnee(AIRealPoint press, AIRealPoint drag, AIRealPoint from, AIReal* angle = nullptr);
// The side a label stands on: +1 (right) when the knee lies right of the start, otherwise
// -1 (a drag straight up or down goes left); the other side when `flip`.
int16_t LabelSide(AIRealPoint start, AIRealPoint knee, bool flip);
// The end of the level shelf of the style's labelLeaderLength from the knee to that side.
AIRealPoint ShelfEnd(AIRealPoint knee, int16_t direction);

// A press on art that is not a path (a text, say) kept, as a press in a fill is, as its place
// in the art's bounds, so that the label follows the art.
AIErr KeepPressInBounds(cdDataStruct* node);

// The label's text made theText, which a live label's stored style keeps as the sign that
// it is a label (an empty text is kept as "-", as it is measured).
void KeepLabelText(const char* text);
// The label text of the style's format (GetLabelText; targetArt for a geometric label)
// into text, kept as above.
void TakeLabelText(char (&text)[1024], AIArtHandle targetArt);
