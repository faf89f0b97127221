// The table of the plug-in's tools and the tool-event handlers that dispatch through it:
// the behaviour every tool shares (modifier keys, undo of the previous drag, the drag
// threshold) lives here; how a family records its clicks and completes its gestures is a
// `ToolFamilyRoutines` row in the folder that owns the family, and each tool's own work a
// routine of its row, declared by the subsystem that owns the tool. The click steps below
// are the pieces the families build theirs from.
#pragma once

#include "AITool.h"
#include "core/CoreGlobals.h"
#include "core/PlotwiseSubsystem.h"

// The row of a tool handle among every subsystem's tools, or null.
const PlotwiseToolRow* FindToolRow(AIToolHandle tool);
// Registers every row that has routines: one toolbox group of seven tool sets.
AIErr AddTools();

// Ends the tool's command in progress, as putting the tool down does: its clicks freed and
// forgotten, a two-stage primitive left as its first stage drew it.
AIErr EndToolCommand(AIToolHandle tool);

AIErr toolSelect(AIToolMessage* message);
AIErr toolDeselect(AIToolMessage* message);
AIErr toolTrackCursor(AIToolMessage* message);
// A press whose mouse down or drag fails (a refusal, told in words where it is made) ends
// there for the tool: its later drags run nothing and answer nothing, and its release only
// frees the clicks through the tool's freeClicks. A refusal at any moment takes back all
// the gesture changed (MarkGestureRefused); a release that changes nothing after a drag
// whose tool drew nothing gives back the selection that drag put aside.
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

// No click recorded: neither the first nor the second, and a count of 0.
void ClearClicks();
// The first click, else the second (a count of 1 or 2).
void RecordTwoClicks(AIRealPoint p);
// A click of a chain of clicks, as the dimension tools record it: the first is the first
// click, every later one the second click, and the count goes on rising past two.
void RecordChainClick(AIRealPoint p);

// The tool's own routine of the row (kNoErr when it has none).
AIErr CallToolRoutine(const PlotwiseToolRow& row, AIErr (*ToolRoutines::*which)());
// A click the tool cannot use alone: the clicks cleared and freed, then message 17000 + index.
AIErr RefuseClick(const PlotwiseToolRow& row, int32_t message);

// Sets `prefs.style.modifiers` from a tool event: shift 1, option 2, command 4 + 8.
void getCADModifierKeys(unsigned short modifiers);

// The drag threshold: a drag closer than this (points) to the last click is not a drag.
constexpr AIReal kDragThreshold = 2.0f;

// The core's own alert: message 17000 + index through doPlotwiseErrorDialog, which resets
// the click state, stays silent while dimensions are regenerated and answers 'CADE'.
AIErr ShowCoreMessage(int32_t index);
