// The small steps every panel and dialog takes with its items: finding an item, telling the
// user's own change from the host's, and setting up a check box.
#pragma once

#include <cstdint>

#include "core/PlotwiseSuites.h"

// The item of that id, or null (also without a dialog).
inline ADMItemRef Item(ADMDialogRef dialog, int32_t id) { return dialog ? sADMDialog->GetItem(dialog, id) : nullptr; }

// Whether the notification is a change the user made.
inline bool UserChanged(ADMNotifierRef notifier) {
    return notifier && sADMNotifier && sADMNotifier->IsNotifierType(notifier, kADMUserChangedNotifier);
}

// The check box on exactly when the value is not 0; given a notifier, it gets that too.
inline void SetupCheckBox(ADMDialogRef dialog, int32_t id, int value, ADMItemNotifyProc notifier = nullptr) {
    ADMItemRef item = Item(dialog, id);
    if (!item) return;
    sADMItem->SetBooleanValue(item, value != 0);
    if (notifier) sADMItem->SetNotifyProc(item, notifier);
}
