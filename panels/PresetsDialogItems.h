// The items of the presets dialogs: Load (16380), the name dialog of Define and Rename
// (16360) and Edit (16370).
#pragma once

#include <cstdint>

enum : int32_t {
    kPresetsLoadDialogID = 16380,
    kPresetsNameDialogID = 16360,  // Define, and Rename
    kPresetsEditDialogID = 16370,
    kPresetsOKButton = 1,
    kPresetsCancelButton = 2,
    kPresetsPopup = 4,                 // Load
    kUpdateAllRadio = 5,
    kUpdateSelectedRadio = 6,
    kDoNotUpdateRadio = 7,
    kPresetNameField = 4,              // Define and Rename
    kPresetsListBox = 2,               // Edit
    kRenamePresetButton = 3,
    kDeletePresetButton = 4,
};
