// The plug-in's life cycle and the handlers of every host message other than tool events:
// start-up and shut-down, unload and reload, notifications, timers, menus, the annotator
// and workspace requests; and the tables through which the subsystems plug in.
#pragma once

#include "AIAnnotator.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AITimer.h"
#include "AIWorkspace.h"
#include "PlotwiseGlobals.h"
#include "SPMessages.h"

// Only this host major version is supported.
constexpr int32_t kSupportedHostMajorVersion = 15;

AIErr StartupPlugin(SPInterfaceMessage* message);
AIErr ShutdownPlugin(SPInterfaceMessage* message);
AIErr UnloadPlugin(SPAccessMessage* message);
AIErr ReloadPlugin(SPAccessMessage* message);
AIErr AboutPlugin(SPInterfaceMessage* message);

AIErr doNotifier(AINotifierMessage* message);
AIErr doTimer(AITimerMessage* message);
AIErr goMenuItem(AIMenuMessage* message);
AIErr updateMenuItem(AIMenuMessage* message);
AIErr doAnnotator(AIAnnotatorMessage* message);
AIErr WriteWorkspace(AIWorkspaceMessage* message);
AIErr RestoreWorkspace(AIWorkspaceMessage* message);
AIErr GetDefaultPaletteInformationForAWorkspace(AIWorkspaceMessage* message);

// Invalidates the ruler cursor marks (hRulerRect, vRulerRect) in every document view.
AIErr trackCursorInRulerAnnotator();
// Broadcasts "Plotwise Scale Changed Notifier" with no data.
void NotifyPlotwiseAPI();
// The diameter, degree and plus-minus signs (Windows-1252 0xD8, 0xB0, 0xB1). Returns 0.
AIErr setGlobalDegreeAndDiameterSymbols();

// --- tables the subsystems fill in as they land ---

// A floating panel: its handle, create and placement-write routines, its show/hide command.
struct PlotwisePanelRow {
    ADMDialogRef PlotwiseGlobals::*window;
    const char* dialogName;      // the workspace's name of the panel
    AIErr (*create)();           // run at application start, in table order
    AIErr (*writePrefs)();       // run at application shutdown, in writeOrder
    int16_t writeOrder;
    AIMenuItemHandle PlotwiseGlobals::*menuItem;
    int16_t showString, hideString;  // list 17350 texts of the window command
    AIRealPoint preferences::*loc;   // default placement (null: none stored)
    int32_t preferences::*dockCode;
    char (preferences::*dockGroup)[65];
};
PlotwisePanelRow* PlotwisePanelTable(size_t* count);

// A one-shot timer: the handle field, registered name, period and action.
struct PlotwiseTimerRow {
    AITimerHandle PlotwiseGlobals::*handle;
    const char* name;
    int32_t period;      // ticks of 1/60 s
    AIErr (*action)();   // null: the timer only deactivates itself
};
PlotwiseTimerRow* PlotwiseTimerTable(size_t* count);

// A menu command: the handle field, host name, group, text (list 17350 index) and action.
struct PlotwiseMenuRow {
    AIMenuItemHandle PlotwiseGlobals::*handle;
    const char* name;
    const char* group;
    int16_t textIndex;
    AIErr (*action)();   // null: the command does nothing yet
};
PlotwiseMenuRow* PlotwiseMenuTable(size_t* count);

// The annotator's drawings, called in order on every draw request.
typedef AIErr (*PlotwiseAnnotation)(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer);
PlotwiseAnnotation* PlotwiseAnnotationTable(size_t* count);

// Hooks of other subsystems used by the notifier handler and start-up; null until they land.
struct PlotwiseHooks {
    AIErr (*openPresetsCatalog)();             // last start-up step
    AIErr (*deleteToolInstances)();            // class-based tool singletons at shut-down
    AIErr (*documentOpened)();                 // format-version check and scale settings
    AIErr (*documentChanged)();                // scale settings, axonometric view
    AIErr (*afterUndo)();
    AIErr (*afterNewOrOpen)();
    AIErr (*beforeSaveOrClose)();
    AIErr (*afterSaveOrClose)();
    AIErr (*layerListChanged)();
    AIErr (*currentLayerChanged)(AILayerHandle layer);
    AIErr (*selectionChanged)();               // panels from the selection
    AIErr (*selectionRestored)();              // tracker read-out after theTimer
    AIErr (*afterPaste)();
    AIErr (*documentViewChanged)();
    // Tool events.
    AIErr (*createDimensionLayer)();           // selecting a dimensioning tool
    AIErr (*resetTrackerWindow)();             // deselecting a tool
    AIErr (*updateTrackerWindowLabels)(int32_t first, int32_t second);  // caption strings of list 17400
    int (*snapToGridCheckAxonometric)(AIRealPoint* point);  // 1 when the point was snapped
    AIErr (*setPathAndArrowheadStyles)();      // mouse down
};
PlotwiseHooks& PlotwiseHookTable();

// Registration steps of start-up, each from its table.
AIErr AddNotifiers();
AIErr AddTimers();
AIErr AddMenus();
AIErr AddAnnotator();
