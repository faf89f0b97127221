// The tool suite: the plug-in's tools in the host's toolbox (one group of tool sets), the
// current tool, and the record of the tool messages ("AI Tool" caller) with the cursor in
// document coordinates and the modifier keys held.
#pragma once

#include "AITypes.h"
#include "SPMessages.h"

#define kAIToolSuite "AI Tool Suite"
#define kAIToolSuiteVersion 1

// Modifier bits of a tool event; other bits are ignored.
enum : uint32_t {
    aiEventModifiers_Command = 0x100,  // Ctrl
    aiEventModifiers_Shift = 0x200,
    aiEventModifiers_Option = 0x800,   // Alt
};

struct AIEvent {
    uint32_t modifiers;  // aiEventModifiers_*
    uint32_t when;       // host clock in ticks (1/60 s)
};

// kNoTool for sameGroupAs / sameToolsetAs starts a new toolbox group or tool set.
constexpr int32_t kNoTool = -2;
typedef int32_t AIToolType;  // position of a tool: its number in registration order

constexpr size_t kAIToolTitleSize = 64;
constexpr size_t kAIToolTipSize = 256;

struct AIAddToolData {
    const char* title;        // the name shown in the toolbox (copied)
    const char* tooltip;      // copied; may be null
    int32_t iconID;           // picture resource; 0 for none
    AIToolType sameGroupAs;   // a tool's number (see GetToolNumberFromHandle), or kNoTool
    AIToolType sameToolsetAs; // a tool's number, or kNoTool
};

// Tool options (AddTool / SetToolOptions).
enum : int32_t {
    kToolWantsToTrackCursorOption = 0x1,
    kToolWantsOptionsOption = 0x2,
    kToolDoesntWantDragOption = 0x4,
};

struct AIToolMessage {
    SPMessageData d;
    AIToolHandle tool;
    AIRealPoint cursor;  // document coordinates
    AIEvent event;
};

struct AIToolSuite {
    AIErr (*AddTool)(SPPluginRef self, const char* name, const AIAddToolData* data, int32_t options,
                     AIToolHandle* tool);
    AIErr (*GetToolName)(AIToolHandle tool, const char** name);
    AIErr (*GetToolTitle)(AIToolHandle tool, const char** title);
    AIErr (*SetToolTitle)(AIToolHandle tool, const char* title);
    AIErr (*GetTooltip)(AIToolHandle tool, const char** tip);
    AIErr (*SetTooltip)(AIToolHandle tool, const char* tip);
    AIErr (*GetToolOptions)(AIToolHandle tool, int32_t* options);
    AIErr (*SetToolOptions)(AIToolHandle tool, int32_t options);
    AIErr (*GetToolPlugin)(AIToolHandle tool, SPPluginRef* plugin);
    AIErr (*GetSelectedTool)(AIToolHandle* tool);
    AIErr (*SetSelectedTool)(AIToolHandle tool);
    AIErr (*CountTools)(int32_t* count);
    AIErr (*GetNthTool)(int32_t n, AIToolHandle* tool);
    AIErr (*GetToolNumberFromHandle)(AIToolHandle tool, AIToolType* number);
    AIErr (*GetToolHandleFromNumber)(AIToolType number, AIToolHandle* tool);
};
