// One undo step for each command of the user's, however many host messages carry it out.
// A message that carries on an earlier one's work joins that message's step: the presses
// that add clicks to a command in progress (the points of a chained dimension, the second
// click of an arc) and the second stage of a two-stage gesture (the cursor pulling a depth
// primitive out, the click that keeps it) join the command's first gesture, and a one-shot
// timer joins the message that started it. The host joins only while that step is still
// the latest, so the step of anything the user did in between is never taken along.
#pragma once

// Before a message's handler: joins the step the message carries on, if any.
void JoinStepCarriedOn(const char* caller, void* message);
// After a tool message's handler: a press that added a click to the command in progress
// joins its step; the command's step is remembered while the command goes on.
void NoteStepToCarryOn(const char* caller, const char* selector);
// Whether the current tool's command goes on after the message in hand: clicks of a
// multi-click command still counted, or a two-stage primitive between its stages.
bool ToolCommandGoesOn();
