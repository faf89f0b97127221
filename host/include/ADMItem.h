// Dialog items: their type and style, text and values (with limits, precision and units
// for numeric fields), flags, bounds, pictures, and the notify, track and draw procedures.
// Programmatic changes never notify; only the user's changes (and SendNotify) do.
#pragma once

#include "ADMTypes.h"

#define kADMItemSuite "ADM Item Suite"
#define kADMItemSuiteVersion 9

struct ADMItemSuite {
    ADMDialogRef (*GetDialog)(ADMItemRef item);
    int32_t (*GetID)(ADMItemRef item);
    // The type name ("ADM Text Edit Type", ...) into buffer, bounded and terminated.
    ASErr (*GetItemType)(ADMItemRef item, char* buffer, int32_t bufferSize);
    ASErr (*SetItemType)(ADMItemRef item, const char* typeName);
    int32_t (*GetItemStyle)(ADMItemRef item);
    ASErr (*SetItemStyle)(ADMItemRef item, int32_t style);
    int32_t (*GetFont)(ADMItemRef item);
    ASErr (*SetFont)(ADMItemRef item, int32_t font);
    int32_t (*GetJustify)(ADMItemRef item);
    ASErr (*SetJustify)(ADMItemRef item, int32_t justify);

    // Text in platform bytes; GetText copies at most bufferSize − 1 bytes and terminates.
    ASErr (*SetText)(ADMItemRef item, const char* text);
    ASErr (*GetText)(ADMItemRef item, char* buffer, int32_t bufferSize);
    int32_t (*GetTextLength)(ADMItemRef item);
    ASErr (*SetMaxTextLength)(ADMItemRef item, int32_t maxLength);
    int32_t (*GetMaxTextLength)(ADMItemRef item);

    ASErr (*SetBooleanValue)(ADMItemRef item, ASBoolean value);
    ASBoolean (*GetBooleanValue)(ADMItemRef item);
    ASErr (*SetIntValue)(ADMItemRef item, int32_t value);
    int32_t (*GetIntValue)(ADMItemRef item);
    ASErr (*SetFloatValue)(ADMItemRef item, float value);
    float (*GetFloatValue)(ADMItemRef item);
    ASErr (*SetMinIntValue)(ADMItemRef item, int32_t value);
    int32_t (*GetMinIntValue)(ADMItemRef item);
    ASErr (*SetMaxIntValue)(ADMItemRef item, int32_t value);
    int32_t (*GetMaxIntValue)(ADMItemRef item);
    ASErr (*SetMinFloatValue)(ADMItemRef item, float value);
    float (*GetMinFloatValue)(ADMItemRef item);
    ASErr (*SetMaxFloatValue)(ADMItemRef item, float value);
    float (*GetMaxFloatValue)(ADMItemRef item);
    ASErr (*SetSmallIncrement)(ADMItemRef item, float step);
    ASErr (*SetLargeIncrement)(ADMItemRef item, float step);
    ASErr (*SetPrecision)(ADMItemRef item, int32_t decimals);
    int32_t (*GetPrecision)(ADMItemRef item);
    ASErr (*SetUnits)(ADMItemRef item, int32_t units);
    int32_t (*GetUnits)(ADMItemRef item);
    ASErr (*SetAllowUnits)(ADMItemRef item, ASBoolean allow);
    ASBoolean (*GetAllowUnits)(ADMItemRef item);
    ASErr (*ShowUnits)(ADMItemRef item, ASBoolean show);
    ASBoolean (*GetShowUnits)(ADMItemRef item);
    ASErr (*SetAllowMath)(ADMItemRef item, ASBoolean allow);
    ASBoolean (*GetAllowMath)(ADMItemRef item);
    // Known is false while the item shows a mixed value.
    ASErr (*Known)(ADMItemRef item, ASBoolean known);
    ASBoolean (*IsKnown)(ADMItemRef item);

    ASErr (*Enable)(ADMItemRef item, ASBoolean enable);
    ASBoolean (*IsEnabled)(ADMItemRef item);
    ASErr (*Show)(ADMItemRef item, ASBoolean show);
    ASBoolean (*IsVisible)(ADMItemRef item);
    // Keyboard focus; one item of a dialog at a time.
    ASErr (*Activate)(ADMItemRef item, ASBoolean activate);
    ASBoolean (*IsActive)(ADMItemRef item);

    ASErr (*Move)(ADMItemRef item, int32_t h, int32_t v);
    ASErr (*Size)(ADMItemRef item, int32_t width, int32_t height);
    ASErr (*GetBoundsRect)(ADMItemRef item, ADMRect* rect);
    ASErr (*SetBoundsRect)(ADMItemRef item, const ADMRect* rect);
    ASErr (*GetLocalRect)(ADMItemRef item, ADMRect* rect);

    ASErr (*SetPictureID)(ADMItemRef item, int32_t pictureID);
    int32_t (*GetPictureID)(ADMItemRef item);
    ASErr (*SetSelectedPictureID)(ADMItemRef item, int32_t pictureID);
    int32_t (*GetSelectedPictureID)(ADMItemRef item);
    ASErr (*SetDisabledPictureID)(ADMItemRef item, int32_t pictureID);
    int32_t (*GetDisabledPictureID)(ADMItemRef item);

    ADMListRef (*GetList)(ADMItemRef item);  // popups, list boxes, the popout menu

    ASErr (*SetUserData)(ADMItemRef item, ADMUserData data);
    ADMUserData (*GetUserData)(ADMItemRef item);
    ASErr (*SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc proc);
    ASErr (*SetTrackProc)(ADMItemRef item, ADMItemTrackProc proc);
    ASErr (*SetDrawProc)(ADMItemRef item, ADMItemDrawProc proc);
    // The host's own handling of a notification: closes a modal dialog when the item is its
    // default (OK) or cancel item.
    ASErr (*DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);
    // The host's own tracking: applies the pending user event to the item.
    ASBoolean (*DefaultTrack)(ADMItemRef item, ADMTrackerRef tracker);
    // Runs the item's notifier now, as if the user had changed it (type null: user changed).
    ASErr (*SendNotify)(ADMItemRef item, const char* notifierType);
    ASErr (*Invalidate)(ADMItemRef item);
    // Redraws the item when invalidated (its draw proc runs).
    ASErr (*Update)(ADMItemRef item);
};
