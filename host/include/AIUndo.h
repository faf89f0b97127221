// The undo suite. Every host message opens a journal segment; UndoChanges reverts the
// most recent drag segment of the current gesture that is not yet reverted (creations,
// edits, disposals, dictionaries, tags, attributes, layers), and does nothing without one;
// UndoAllChanges reverts everything the gesture or message in hand has changed so far, except
// what KeepChangesSoFar kept.
#pragma once

#include "AITypes.h"

#define kAIUndoSuite "AI Undo Suite"
#define kAIUndoSuiteVersion 1

struct AIUndoSuite {
    AIErr (*UndoChanges)();
    // Menu texts for the user's undo and redo of the current message's changes.
    AIErr (*SetUndoText)(const char* undoText, const char* redoText);
    // The step the current message's changes go to (null outside a message), for later
    // messages that carry on its work to join.
    AIErr (*GetCurrentUndoStep)(AIUndoStepRef* step);
    // What the current message changes (within a gesture: all the gesture changes) becomes
    // part of the given step, so that one undo takes both back. When that step is no longer
    // the latest (something else was changed, undone or redone since), nothing is joined
    // and the changes make a step of their own; when it holds no changes and nothing was
    // changed since, the changes make its step, which later messages can join in its name.
    AIErr (*JoinUndoStep)(AIUndoStepRef step);
    // Takes back everything the user's action in hand has changed so far, in every document:
    // within a gesture, what its press, its drags and the message in hand changed (the drag
    // segments UndoChanges reverts are gone with it); otherwise what the message in hand
    // changed. What it takes back is no step of undo, and a step the action joins keeps only
    // its own changes; what the message changes afterwards is recorded as usual.
    AIErr (*UndoAllChanges)();
    // What the message in hand has changed so far is no command of the user's but work that
    // follows one already made (a timer's held back and done first as the message begins, what
    // a plug-in does as it follows a change it is told of): it joins the latest step of undo
    // (with none, no step at all), so it is no step of its own and a pending redo stays, and
    // UndoAllChanges no longer takes it back; a later message joining the message in hand's
    // step joins that one. What the message changes afterwards is recorded as usual.
    AIErr (*KeepChangesSoFar)();
};
