// Notifications handed to item and dialog notifiers: their type, item and dialog.
#pragma once

#include "ADMTypes.h"

#define kADMNotifierSuite "ADM Notifier Suite"
#define kADMNotifierSuiteVersion 2

struct ADMNotifierSuite {
    // True when the notification is of `type` ("ADM User Changed Notifier", ...).
    ASBoolean (*IsNotifierType)(ADMNotifierRef notifier, const char* type);
    // The type name copied into buffer (bounded, terminated).
    ASErr (*GetNotifierType)(ADMNotifierRef notifier, char* buffer, int32_t bufferSize);
    ADMItemRef (*GetItem)(ADMNotifierRef notifier);
    ADMDialogRef (*GetDialog)(ADMNotifierRef notifier);
};
