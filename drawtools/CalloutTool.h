// The callout tool and its Callouts dialog: pressed on art and dragged, it draws a leader
// with "Callout..." at its end; on release the dialog asks what to report of the art (its
// check boxes kept in the preferences), and the callout is drawn with the description.
#pragma once

#include "ADMTypes.h"
#include "core/PlotwiseSubsystem.h"

// The modal dialog "Callouts" (16300): its check boxes show the flags; OK stores them and
// describes the clicked art (GetCalloutTargetData), Cancel sets cancelledInputDialog and
// changes nothing. Returns 0.
AIErr doCalloutsDialog();
// The dialog's check boxes set from the flags, and the flags stored from them.
void initCalloutsDialog(ADMDialogRef dialog);
void storeCalloutsDialog(ADMDialogRef dialog);

// The callout tool's gestures: the dimension tools' steps, a press on a text kept as its
// place in the text's bounds; a click without a drag is refused (17004). On release the
// preview goes and, unless the dialog was cancelled, the callout is drawn with its art
// described (with option held, by the flags as they stand and without the dialog); a press
// on no art describes nothing and draws nothing (17002). The callout is stored with the
// text format of callout text (4), which moves no counter.
extern const ToolFamilyRoutines kCalloutToolFamily;
extern const ToolRoutines kCalloutToolRoutines;
