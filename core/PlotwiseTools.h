// The table of the plug-in's tools and the tool-event handlers that dispatch through it:
// the behaviour every tool shares (modifier keys, click recording by tool family, undo of
// the previous drag, the drag threshold) lives here; each tool's own work is a routine of
// its row, declared by the subsystem that owns the tool, and the behaviour a family shares
// comes from the subsystem that owns the family.
#pragma once

#include "AITool.h"
#include "core/PlotwiseGlobals.h"
#include "core/PlotwiseSubsystem.h"

// The row of a tool handle among every subsystem's tools, or null.
const PlotwiseToolRow* FindToolRow(AIToolHandle tool);
// Registers every row that has routines: one toolbox group of seven tool sets.
AIErr AddTools();

AIErr toolSelect(AIToolMessage* message);
AIErr toolDeselect(AIToolMessage* message);
AIErr toolTrackCursor(AIToolMessage* message);
AIErr toolMouseDown(AIToolMessage* message);
AIErr toolMouseDrag(AIToolMessage* message);
AIErr toolMouseUp(AIToolMessage* message);
AIErr toolEditOptions(AIToolMessage* message);

// Event modifier bits of a tool message.
enum : uint16_t {
    kToolEventCommandKey = 0x100,
    kToolEventShiftKey = 0x200,
    kToolEventOptionKey = 0x800,
};
// Style modifier bits, as `prefs.style.modifiers` holds them.
enum : int32_t {
    kCADShiftModifier = 1,
    kCADOptionModifier = 2,
    kCADCommandModifier = 4 | 8,
};

// A click of a chain of clicks, as the dimension tools record it: the first is the first
// click, every later one the second click, and the count goes on rising past two.
void RecordChainClick(AIRealPoint p);

// Sets `prefs.style.modifiers` from a tool event: shift 1, option 2, command 4 + 8.
void getCADModifierKeys(unsigned short modifiers);

// The drag threshold: a drag closer than this (points) to the last click is not a drag.
constexpr AIReal kDragThreshold = 2.0f;

// The core's own alert: message 17000 + index through doPlotwiseErrorDialog, which resets
// the click state, stays silent while dimensions are regenerated and answers 'CADE'.
AIErr ShowCoreMessage(int32_t index);
