// The families of the drawing and editing tools: how each records its clicks, what a drag
// does and when a mouse up completes the shape or edit. The tool rows of DrawToolsSubsystem.cpp
// name them.
#pragma once

#include "core/PlotwiseSubsystem.h"

// Line, rectangle, ellipse, tangent line: the press is the first click; a click without a
// drag asks for the values (a tool with kToolKeepsFirstClick keeps its first click).
extern const ToolFamilyRoutines kDrawToolFamily;
// Three clicks; a drag is refused with message 17071.
extern const ToolFamilyRoutines kThreePointToolFamily;
// Fillet, chamfer, extend: two clicks, the second completing (kept when it fails); a third
// click starts again. This family, the divider's and the offset's edit the art pressed on,
// and take a typed or dragged length at the scale of its layer. Each press on a dimension's
// part alone or on art of a locked layer is refused at once, in this family, the
// proportion's and the trim's.
extern const ToolFamilyRoutines kCornerToolFamily;
// Two clicks, the second completing.
extern const ToolFamilyRoutines kProportionToolFamily;
// Two clicks, then a drag draws the arc (a drag after one click is refused with message
// 17005); a second click without a drag asks for the values. The tracker shows radius and
// arc length.
extern const ToolFamilyRoutines kArcToolFamily;
// Every step of a drag cuts once more, without taking back the one before.
extern const ToolFamilyRoutines kTrimToolFamily;
// The press is the first click; the release completes.
extern const ToolFamilyRoutines kDividerToolFamily;
// The press is the first click; a drag shows the offset in the annotator; a click without
// option asks for the distance.
extern const ToolFamilyRoutines kOffsetToolFamily;

// The draw family's mouse up, for families that complete a shape the same way.
AIErr DrawToolMouseUp(const PlotwiseToolRow& row);
