// Dock groups of floating panels: the group a panel belongs to and its two-word position.
#pragma once

#include "ADMTypes.h"

#define kADMDialogGroupSuite "ADM Dialog Group Suite"
#define kADMDialogGroupSuiteVersion 4

struct ADMDialogGroupSuite {
    // Joins the panel to `groupName` at `code`. An error leaves the panel undocked.
    ASErr (*SetDialogGroupInfo)(ADMDialogRef dialog, const char* groupName, ADMPositionCode code);
    // *groupName points at the host's copy, valid until the next call on the dialog.
    ASErr (*GetDialogGroupInfo)(ADMDialogRef dialog, const char** groupName, ADMPositionCode* code);
};
