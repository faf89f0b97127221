// The tracker panel (dialog 16500): the live read-out of what a tool drags or what is
// selected (Info), and the sections that act on the selection by typed values: Transform
// (position, size and angle about a reference point, optionally on copies), Move, Area and
// Repeat, with the panel's units and precision at the bottom. The panel exists from the
// application start; its placement is kept under "ZMKCADtracker3". This file holds the
// panel itself: its set-up, the popout menu, the pictures, the popups, captions, copy
// buttons, modifier keys and the Enter key; the read-out is TrackerReadOut.h and the
// actions TrackerActions.h.
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "panels/PanelFrame.h"
#include "tracker/TrackerPanelItems.h"

extern const PanelFrame kTrackerFrame;

AIErr createTrackerWindow();
ASErr initTrackerWindowProc(ADMDialogRef dialog);
AIErr WriteCADtrackerWindowPrefs(ADMDialogRef dialog);
// The units popups, the Info check box and the read-out shown again from the preferences
// after a preset is loaded.
void RefreshCADtrackerWindowFromPrefs(ADMDialogRef dialog);
// Entry 0 of the popout reads "hide options" and the panel is 524 high while the options
// are shown, else "show options" and 144 (only Info).
void showOrHideTrackerOptions(ADMItemRef popout);
void setupRepeatBetweenTypePopup(ADMItemRef item);
// The keys of the tracker's event as trackerModifiers bits.
void getCADtrackerModifers(ADMTrackerRef tracker);

void CADtrackerPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void copyOptionNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void trackerLabelNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void repeatTypePopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void ShowCADtrackerInfoNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
ASBoolean transformPositionTrackerProc(ADMItemRef item, ADMTrackerRef tracker);
ASBoolean repeatRowDirectionTrackerProc(ADMItemRef item, ADMTrackerRef tracker);
ASBoolean repeatColDirectionTrackerProc(ADMItemRef item, ADMTrackerRef tracker);
ASBoolean doEnterInFldTrackerProc(ADMItemRef item, ADMTrackerRef tracker);
ASBoolean doCADtrackerModifierTrackerProc(ADMItemRef item, ADMTrackerRef tracker);

// The tracker's member of the units and precision popups (items 65 and 67).
void SetupCADtrackerUnitsPopup(ADMDialogRef dialog);
void SetupCADtrackerPrecisionPopup(ADMDialogRef dialog);
void CADtrackerUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void CADtrackerPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
