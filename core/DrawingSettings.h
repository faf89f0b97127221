// The settings a command changes as it draws to follow them (the grid and rulers shown, their
// units, a preset's units and style, the axonometric view) are recorded in the drawing, inside
// the command's step of undo: the record "ZA3_Settings" of the document holds the latest such
// change, each setting it changed under its key with the value it set ("Set") and the one in
// force before ("Was"), and a serial one higher than the record it replaced. An undo that takes
// the record back puts the settings back as they were before that command, a redo sets them
// again, so the panels and the art that follows them agree; an undo or redo of any other step
// leaves the record, and the settings, as they are.
#pragma once

#include <vector>

#include "AITypes.h"
#include "core/RecordedSettings.h"

struct preferences;

// The settings presets carry, as they stand in `prefs`.
std::vector<RecordedSetting> PresetSettingsOf(preferences& prefs);

// A command's settings before it ran, and the drawing it ran on.
class SettingsChange {
public:
    SettingsChange();
    // At the command's end: when it changed settings and the drawing both, what it changed is
    // recorded in the drawing, in the command's step.
    void Record();

private:
    std::vector<RecordedSetting> before_;
    AIDocumentHandle document_ = nullptr;
    uint64_t revision_ = 0;
};

// After an undo or redo: the settings it took back or brought again with the record are put in
// force; true when any were. A record that cannot be read, or a value it holds that a setting
// cannot take, leaves that setting as it is, and the user is told.
bool TakeSettingsFromDrawing();
// Another drawing in front: its record is the one its undo and redo are measured against.
void NoteDrawingSettings();
