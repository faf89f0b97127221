// The undo suite. Every host message opens a journal segment; UndoChanges reverts the
// most recent drag segment of the current gesture that is not yet reverted (creations,
// edits, disposals, dictionaries, tags, attributes, layers), and does nothing without one.
#pragma once

#include "AITypes.h"

#define kAIUndoSuite "AI Undo Suite"
#define kAIUndoSuiteVersion 1

struct AIUndoSuite {
    AIErr (*UndoChanges)();
    // Menu texts for the user's undo and redo of the current message's changes.
    AIErr (*SetUndoText)(const char* undoText, const char* redoText);
};
