// The dialog suite: modal dialogs and floating panels made from dialog templates, their
// items by id, placement, default and cancel items and the dialog-level notifier.
#pragma once

#include "ADMTypes.h"

#define kADMDialogSuite "ADM Dialog Suite"
#define kADMDialogSuiteVersion 10

struct ADMDialogSuite {
    // A floating panel: initProc runs inside the call; the panel lives until shut-down or
    // Destroy. Null when the template is missing or initProc fails.
    ADMDialogRef (*Create)(SPPluginRef plugin, const char* name, int32_t dialogID, int32_t style,
                           ADMDialogInitProc initProc, ADMUserData userData, int32_t options);
    // Runs a modal dialog until OK, Cancel or EndModal closes it; answers the closing item
    // id (or EndModal's result), −1 when the dialog could not be made.
    int32_t (*Modal)(SPPluginRef plugin, const char* name, int32_t dialogID, int32_t style,
                     ADMDialogInitProc initProc, ADMUserData userData, int32_t options);
    ASErr (*EndModal)(ADMDialogRef dialog, int32_t modalResult, ASBoolean cancelling);
    ASErr (*Destroy)(ADMDialogRef dialog);

    ADMItemRef (*GetItem)(ADMDialogRef dialog, int32_t itemID);
    ASErr (*GetDialogName)(ADMDialogRef dialog, const char** name);
    int32_t (*GetID)(ADMDialogRef dialog);
    SPPluginRef (*GetPluginRef)(ADMDialogRef dialog);
    ADMUserData (*GetUserData)(ADMDialogRef dialog);
    ASErr (*SetUserData)(ADMDialogRef dialog, ADMUserData data);

    ASErr (*Move)(ADMDialogRef dialog, int32_t h, int32_t v);
    ASErr (*Size)(ADMDialogRef dialog, int32_t width, int32_t height);
    ASErr (*GetLocalRect)(ADMDialogRef dialog, ADMRect* rect);
    ASErr (*SetLocalRect)(ADMDialogRef dialog, const ADMRect* rect);
    ASErr (*GetBoundsRect)(ADMDialogRef dialog, ADMRect* rect);
    ASErr (*SetBoundsRect)(ADMDialogRef dialog, const ADMRect* rect);

    ASErr (*Show)(ADMDialogRef dialog, ASBoolean show);
    ASBoolean (*IsVisible)(ADMDialogRef dialog);
    ASBoolean (*IsCollapsed)(ADMDialogRef dialog);
    ASErr (*SetIcon)(ADMDialogRef dialog, int32_t state, ADMIconRef icon);
    ASErr (*SetDialogStyle)(ADMDialogRef dialog, int32_t style);
    int32_t (*GetDialogStyle)(ADMDialogRef dialog);

    ASErr (*SetDefaultItemID)(ADMDialogRef dialog, int32_t itemID);
    int32_t (*GetDefaultItemID)(ADMDialogRef dialog);
    ASErr (*SetCancelItemID)(ADMDialogRef dialog, int32_t itemID);
    int32_t (*GetCancelItemID)(ADMDialogRef dialog);

    ASErr (*SetNotifyProc)(ADMDialogRef dialog, ADMDialogNotifyProc proc);
    ASErr (*DefaultNotify)(ADMDialogRef dialog, ADMNotifierRef notifier);
    // Redraws the invalidated items (their draw procs run).
    ASErr (*Update)(ADMDialogRef dialog);
    ASErr (*Invalidate)(ADMDialogRef dialog);
};
