// The fields of the floating panels: each panel's dialog and its show/hide command, and the
// timer that refreshes the label options. (The isometric panel's dialog is axonometric
// drawing's: the depth tools highlight a face on its view pad.)
#pragma once

#include "architecture/ArchitectureGlobals.h"

struct PanelGlobals : ArchitectureGlobals {
    ADMDialogRef CADdocumentWindow = nullptr, CADattributesWindow = nullptr, CADlabelsWindow = nullptr,
                 CADtextWindow = nullptr, CADshortcutsWindow = nullptr, CADguidesWindow = nullptr,
                 CADwallsWindow = nullptr;
    AIMenuItemHandle showCADdocumentMenuItem = nullptr, showCADattributesMenuItem = nullptr,
                     showCADlabelsMenuItem = nullptr, showCADtextMenuItem = nullptr,
                     showCADshortcutsMenuItem = nullptr, showCADguidesMenuItem = nullptr,
                     showCADisometricMenuItem = nullptr, showCADwallsMenuItem = nullptr;
    AITimerHandle theLabelOptionsTimer = nullptr;

    // The presets dialogs: the name a dialog starts from and the name its OK accepted.
    char CADpresetsOldName[64] = {};
    char CADpresetsNewName[64] = {};
    // The catalogue holds a change its file does not (its save failed): saved again at quit.
    bool presetsUnsaved = false;
    // The selection's drawn width and height as the scale assistant measured them, whole:
    // its fields show them rounded.
    double assistantDrawn[2] = {};
    // The custom scale the document panel's popup shows at its id in place of the user's
    // slot (a layer or the document keeps it since the slot changed): the scale picking
    // that entry stands for. Id -1 when every custom entry shows its slot.
    struct ShownCustomScale {
        int32_t id = -1;
        AIReal scaler = 0;
        char label[32] = {};
    } popupOwnScale;
};
