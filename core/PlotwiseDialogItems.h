// The small steps every panel and dialog takes with its items: finding an item, enabling a
// group of items, telling the user's own change from the host's, and setting up a check box.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "core/PlotwiseSuites.h"

// The item of that id, or null (also without a dialog).
inline ADMItemRef Item(ADMDialogRef dialog, int32_t id) { return dialog ? sADMDialog->GetItem(dialog, id) : nullptr; }

// Each of the items the dialog has enabled or disabled; ids it lacks are passed over.
inline void EnableItems(ADMDialogRef dialog, std::initializer_list<int32_t> ids, bool enable) {
    for (int32_t id : ids)
        if (ADMItemRef item = Item(dialog, id)) sADMItem->Enable(item, enable);
}

// Whether the notification is a change the user made.
inline bool UserChanged(ADMNotifierRef notifier) {
    return notifier && sADMNotifier && sADMNotifier->IsNotifierType(notifier, kADMUserChangedNotifier);
}

// Whether the notification is a change the user made or is making (a drag in progress).
inline bool UserChangedOrChanging(ADMNotifierRef notifier) {
    return UserChanged(notifier) || (notifier && sADMNotifier &&
                                     sADMNotifier->IsNotifierType(notifier, kADMIntermediateChangedNotifier));
}

// The check box on exactly when the value is not 0; given a notifier, it gets that too.
inline void SetupCheckBox(ADMDialogRef dialog, int32_t id, int value, ADMItemNotifyProc notifier = nullptr) {
    ADMItemRef item = Item(dialog, id);
    if (!item) return;
    sADMItem->SetBooleanValue(item, value != 0);
    if (notifier) sADMItem->SetNotifyProc(item, notifier);
}
