// One undo step for each command of the user's, however many host messages carry it out.
// A message that carries on an earlier one's work joins that message's step: the presses
// that add clicks to a command in progress (the points of a chained dimension, the second
// click of an arc) and the second stage of a two-stage gesture (the cursor pulling a depth
// primitive out, the click that keeps it) join the command's first gesture, and a one-shot
// timer joins the message that started it. The host joins only while that step is still
// the latest, so the step of anything the user did in between is never taken along.
#pragma once

#include "AITypes.h"

// Before a message's handler: joins the step the message carries on, if any.
void JoinStepCarriedOn(const char* caller, void* message);
// After a tool message's handler: a press that added a click to the command in progress
// joins its step; the command's step is remembered while the command goes on.
void NoteStepToCarryOn(const char* caller, const char* selector);
// Whether the current tool's command goes on after the message in hand: clicks of a
// multi-click command still counted, or a two-stage primitive between its stages.
bool ToolCommandGoesOn();
// A refusal at any moment of a gesture (its press, a drag, its release or a dialog the
// release opens) takes back everything the gesture changed, the selection included: the
// tool's handler marks it, and once the message's refusal is told (in words that may name
// the layers as the gesture left them) the host takes the gesture's changes back, so it is
// no step of undo and a step it would have joined keeps only its own changes.
AIErr MarkGestureRefused(AIErr refusal);
void TakeBackRefusedGesture();
// What the message in hand did first, before its own work, for a timer that held it back
// (the restore of the selection run at a press or command), or to follow a change already
// made (the rulers following another current layer, a paste's renumbering): no command of
// the user's, it joins the latest step of undo (the one of the command that started the
// timer or made the change, unless the user did something since), so a pending redo stays,
// and stays done whatever the message then refuses.
void KeepHeldBackWork();
// A dialog the gesture in hand opened was cancelled: the gesture is refused (nothing when no
// tool's press is in hand, as for a dialog a panel or a tool's options open).
void RefuseGestureInHand();
