// The pointer label tool: a leader of the style's kind from a point on the art to where the
// drafter drags, a frame of the style's shape and the label text of the style's format (a
// letter, a number, the pointed-at art's geometry or a custom text).
#pragma once

#include "AITypes.h"
#include "core/PlotwiseSubsystem.h"

// Draws the whole label from scratch into a new group made live (each drag, and the redraw
// of a stored label). The press snaps onto the art under it, which a geometric label
// measures (a redraw measures the art the label is stored on); the drag point snaps onto
// an anchor or curve under it; shift snaps the leg to 45 degrees keeping its length. The
// label stands on the side the drag went (a drag straight up or down: left); kinds 0 and
// 4 add the level shelf and ctrl sends them, and kind 3, to the other side, while ctrl
// mirrors the curves of kinds 1, 2 and 5. A kind outside 0-5 is drawn straight to the
// knee. The first error of the zoom check, the layer, a hit test, the leader or the frame
// is returned; what was drawn stays for the next drag's undo.
AIErr doPointerTool();
// The redraw of a stored label of several leaders: its side and shift snap taken from the
// last leg's press, as they were drawn.
AIErr RedrawMultiLeaderLabel();

// The pointer tool's gestures: the dimension tools' steps, except that a press on art that
// is not a path is kept as its place in the art's bounds (as a press in a fill is), and
// that with the multiple leader kind (4) a press without a drag adds one more leg to the
// chain until a press is dragged, the label being stored as kMutiLeaderLabel.
extern const ToolFamilyRoutines kPointerLabelFamily;
