// The plug-in's life cycle and the handlers of every host message other than tool events:
// start-up and shut-down, unload and reload, notifications, timers, menus, the annotator
// and workspace requests.
#pragma once

#include "AIAnnotator.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AITimer.h"
#include "AIWorkspace.h"
#include "core/CoreGlobals.h"
#include "core/PlotwiseSubsystem.h"
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
// The work the plug-in's timers still hold back (a restore of the selection, the selection of
// a new primitive) is done now, before the user's next press or command: that reads the
// document as the user saw it, and the held-back work, done after it, would be a step of undo
// of its own (deselecting what the press drew). What stops that work is told in words.
void RunWaitingTimers();
// When the front drawing is not the one the plug-in last showed and worked from (another
// document, a revision an undo or the user's edit made, another current layer) and no
// command is in progress, the subsystems read from it again what they show and convert at
// (the frontDrawingChanged hooks). Called as the host's outermost call into the plug-in
// begins and ends (HostCall).
void FollowFrontDrawingIfChanged();
AIErr goMenuItem(AIMenuMessage* message);
AIErr updateMenuItem(AIMenuMessage* message);
AIErr doAnnotator(AIAnnotatorMessage* message);
AIErr WriteWorkspace(AIWorkspaceMessage* message);
AIErr RestoreWorkspace(AIWorkspaceMessage* message);
AIErr GetDefaultPaletteInformationForAWorkspace(AIWorkspaceMessage* message);

// Invalidates the ruler cursor marks (hRulerRect, vRulerRect) in every document view.
AIErr trackCursorInRulerAnnotator();
// The cursor of a tool event for the annotator's drawings (null: no tool follows the cursor
// any more), and the annotator asked to draw them again in every view.
AIErr FollowCursorInAnnotator(const AIRealPoint* cursor);
// Broadcasts "Plotwise Scale Changed Notifier" with no data.
void NotifyPlotwiseAPI();
// The diameter, degree and plus-minus signs (Windows-1252 0xD8, 0xB0, 0xB1). Returns 0.
AIErr setGlobalDegreeAndDiameterSymbols();

// The core's own registrations (the timer that restores a tagged selection); the module
// lists it first.
extern const PlotwiseSubsystem kCoreSubsystem;

// Registration steps of start-up, each from the rows of every subsystem.
AIErr AddNotifiers();
AIErr AddTimers();
AIErr AddMenus();
AIErr AddAnnotator();
