// The table of the plug-in's tools and the tool-event handlers that dispatch through it:
// the behaviour every tool shares (modifier keys, click recording by tool family, undo of
// the previous drag, the drag threshold) lives here; each tool's own work is a routine of
// its row, filled in by the subsystem that owns the tool.
#pragma once

#include "AITool.h"
#include "PlotwiseGlobals.h"

// How the core records clicks and completes a gesture for a tool.
enum class ToolFamily : int16_t {
    kDimension,    // dimension and label tools: clicks into firstClick / secondClick
    kDimResize,    // resize drag of a dimension
    kSetScale,     // set-scale reference line
    kDraw,         // line, rectangle, ellipse, tangent line: press point is firstClick
    kThreePoint,   // three clicks
    kCorner,       // fillet, chamfer, extend: two clicks
    kProportion,   // two clicks
    kArc,          // two clicks, then a drag
    kTrim,         // cuts accumulate; no undo between drags
    kDivider,      // path divider
    kOffset,       // offset tool
    kDepth,        // axonometric depth tools
    kWall,         // wall tools
    kClassBased,   // PWTool objects
};

// What the row needs besides the shared behaviour.
enum : uint16_t {
    kToolNeedsDrag = 0x1,           // a click without a drag shows message 17004
    kToolTwoClicksThenDrag = 0x2,   // a click without a drag shows message 17005
    kToolLabelLike = 0x4,           // selecting it sets labelToolSelected
    kToolTrackCursor = 0x8,         // wants cursor tracking
    kToolPrimitive = 0x10,          // depth cube and cylinder: drawn in two stages
};

// The tool's own routines; each may be null. Results are host error codes.
struct ToolRoutines {
    AIErr (*mouseDown)();    // after the click is recorded (e.g. storing the hit)
    AIErr (*drag)();         // draws the preview from scratch
    AIErr (*mouseUp)();      // completes the gesture (or opens the numeric-input dialog)
    AIErr (*editOptions)();  // the tool's options dialog
    AIErr (*freeClicks)();   // empties the click chain
};

struct PlotwiseToolRow {
    AIToolHandle PlotwiseGlobals::*handle;
    const char* name;          // the host's (internal) name of the tool
    int16_t stringIndex;       // title 17500 + index, tip 17600 + index
    int16_t toolSet;           // 1 to 7
    ToolFamily family;
    uint16_t flags;
    const ToolRoutines* routines;  // null until the tool's subsystem provides it
};

// The rows, in toolbox order. The callout tool is listed but never registered.
const PlotwiseToolRow* PlotwiseToolTable(size_t* count);
// The row of a tool handle, or null.
const PlotwiseToolRow* FindToolRow(AIToolHandle tool);
// Registers every row that has routines: one toolbox group of seven tool sets.
AIErr AddTools();
// Routines installed by a subsystem after start-up (tests, late registration).
void SetToolRoutines(AIToolHandle PlotwiseGlobals::*handle, const ToolRoutines* routines);

AIErr toolSelect(AIToolMessage* message);
AIErr toolDeselect(AIToolMessage* message);
AIErr toolTrackCursor(AIToolMessage* message);
AIErr toolMouseDown(AIToolMessage* message);
AIErr toolMouseDrag(AIToolMessage* message);
AIErr toolMouseUp(AIToolMessage* message);
AIErr toolEditOptions(AIToolMessage* message);

// The drag threshold: a drag closer than this (points) to the last click is not a drag.
constexpr AIReal kDragThreshold = 2.0f;

// The core's own alert: shows message 17000 + index (silent while dimensions are
// regenerated), resets the click state and answers 'CADE'.
AIErr ShowCoreMessage(int32_t index);
