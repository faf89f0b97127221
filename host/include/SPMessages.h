// The entry point every plug-in exports and the records of the messages the host sends.
#pragma once

#include "AITypes.h"
#include "SPBasic.h"

// Callers.
#define kSPAccessCaller "SP Access"
#define kSPInterfaceCaller "SP Interface"
#define kSPPropertiesCaller "SP Properties"
#define kCallerAITool "AI Tool"
#define kCallerAITimer "AI Timer"
#define kCallerAIMenu "AI Menu"
#define kCallerAINotifier "AI Notifier"
#define kCallerAIAnnotation "AI Annotation"
#define kCallerAIWorkspace "Workspace Manager"

// Selectors.
#define kSPAccessUnloadSelector "Unload"
#define kSPAccessReloadSelector "Reload"
#define kSPInterfaceStartupSelector "Startup"
#define kSPInterfaceShutdownSelector "Shutdown"
#define kSPInterfaceAboutSelector "About"
#define kSPPropertiesAcquireSelector "Acquire Properties"
#define kSelectorAISelectTool "AI Select"
#define kSelectorAIDeselectTool "AI Deselect"
#define kSelectorAITrackToolCursor "AI Track Cursor"
#define kSelectorAIToolMouseDown "AI Mouse Down"
#define kSelectorAIToolMouseDrag "AI Mouse Drag"
#define kSelectorAIToolMouseUp "AI Mouse Up"
#define kSelectorAIEditToolOptions "AI Edit Options"
#define kSelectorAIGoTimer "AI Go"
#define kSelectorAIGoMenuItem "AI Go"
#define kSelectorAIUpdateMenuItem "AI Update"
#define kSelectorAINotify "AI Notify"
#define kSelectorAIDrawAnnotation "AI Draw"
#define kSelectorAIWriteWorkspace "Write Woskspace"
#define kSelectorAIRestoreWorkspace "Restore Woskspace"
#define kSelectorAIDefaultWorkspace "Default Woskspace"

// Common head of every message.
struct SPMessageData {
    SPBasicSuite* basic;  // acquire further suites through this
    SPPluginRef self;     // the receiving plug-in
    void* globals;        // the plug-in's global record, kept by the host across unload
};

struct SPInterfaceMessage {
    SPMessageData d;
};

struct SPAccessMessage {
    SPMessageData d;
};

// "SP Properties": sent before start-up; a plug-in may ignore it.
struct SPPropertiesMessage {
    SPMessageData d;
};

extern "C" AIErr PluginMain(const char* caller, const char* selector, void* message);
typedef AIErr (*PluginMainProc)(const char* caller, const char* selector, void* message);
