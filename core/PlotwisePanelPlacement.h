// The dock of a floating panel as the preferences keep it: the name of the host's dialog
// group and one 32-bit dock code. The host describes a dock position with two words; the
// panel keeps the first word and hands it back as the first word with the second zeroed,
// so a placement saved at shut-down restores exactly as it was.
#pragma once

#include "ADMTypes.h"
#include "core/PlotwiseSubsystem.h"

// Joins the panel to its stored dock group at its stored dock code. The host's refusal is
// returned (the panel then stays undocked).
AIErr JoinPanelDockGroup(const PlotwisePanelRow& row, ADMDialogRef dialog, const preferences& prefs);
// Reads the dock group and code the host reports for the panel into its fields. A group
// name is cut to 64 characters; when the host reports none, the stored name stays.
AIErr ReadPanelDockGroup(const PlotwisePanelRow& row, ADMDialogRef dialog, preferences& prefs);
