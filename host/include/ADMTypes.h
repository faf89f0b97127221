// Types shared by the dialog manager's suites: opaque references to dialogs, items, lists,
// entries, notifiers, trackers, drawers and images; integer rectangles and points in
// dialog coordinates (y down); the callback signatures and the constants the plug-in uses.
#pragma once

#include "AITypes.h"

typedef struct _t_ADMDialogOpaque* ADMDialogRef;
typedef struct _t_ADMItemOpaque* ADMItemRef;
typedef struct _t_ADMListOpaque* ADMListRef;
typedef struct _t_ADMEntryOpaque* ADMEntryRef;
typedef struct _t_ADMNotifierOpaque* ADMNotifierRef;
typedef struct _t_ADMTrackerOpaque* ADMTrackerRef;
typedef struct _t_ADMDrawerOpaque* ADMDrawerRef;
typedef struct _t_ADMImageOpaque* ADMImageRef;
typedef struct _t_ADMIconOpaque* ADMIconRef;
typedef void* ADMUserData;

// Dialog coordinates: whole units, y grows downwards.
struct ADMPoint {
    int32_t h;
    int32_t v;
};
struct ADMRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// 16-bit colour channels.
struct ADMRGBColor {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
};

// A dock position: two words, both exchanged with the dialog groups.
struct ADMPositionCode {
    int32_t fPositionCode;
    int32_t fExPositionCode;
};

typedef ASErr (*ADMDialogInitProc)(ADMDialogRef dialog);
typedef void (*ADMDialogNotifyProc)(ADMDialogRef dialog, ADMNotifierRef notifier);
typedef void (*ADMItemNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);
typedef ASBoolean (*ADMItemTrackProc)(ADMItemRef item, ADMTrackerRef tracker);
typedef void (*ADMItemDrawProc)(ADMItemRef item, ADMDrawerRef drawer);

// Dialog styles.
enum : int32_t {
    kADMModalDialogStyle = 0,
    kADMAlertDialogStyle = 1,
    kADMFloatingDialogStyle = 2,
    kADMTabbedFloatingDialogStyle = 3,
};

// Special item ids of a dialog.
enum : int32_t {
    kADMPopoutMenuItemID = -5,  // a panel's popout menu (a list)
    kADMHostItemID = -6,        // an item the host owns, which a layout may hide
};

// Item styles.
enum : int32_t {
    kADMSingleLineTextEditStyle = 0,
    kADMNumericTextEditStyle = 2,
    // list boxes: bit set
    kADMMultiSelectListBoxStyle = 1,
    kADMDividedListBoxStyle = 2,
    kADMEntryAlwaysSelectedListBoxStyle = 8,
};

// Units of numeric items and of ValueToString.
enum : int32_t {
    kADMNoUnits = 0,
    kADMPointUnits = 1,
    kADMInchUnits = 2,
    kADMMillimeterUnits = 3,
    kADMCentimeterUnits = 4,
    kADMPicaUnits = 5,
    kADMPercentUnits = 6,
    kADMDegreeUnits = 7,
};

// Item fonts and justification.
enum : int32_t {
    kADMDefaultFont = 0,
    kADMDialogFont = 1,
    kADMPaletteFont = 2,
    kADMItalicDialogFont = 3,
    kADMItalicPaletteFont = 4,
    kADMBoldDialogFont = 5,
    kADMBoldPaletteFont = 6,
    kADMBoldItalicDialogFont = 7,
    kADMBoldItalicPaletteFont = 8,
};
enum : int32_t { kADMLeftJustify = 0, kADMCenterJustify = 1, kADMRightJustify = 2 };

// Named colours of the drawer.
enum : int32_t {
    kADMBlackColor = 0,
    kADMWhiteColor = 1,
    kADMBackgroundColor = 2,
    kADMHighlightColor = 3,
    kADMRGBColorCode = 100,  // the drawer's current colour came from an RGB value
};

// Alert answers. YesNoAlert: the right button answers yes, the left no, the middle cancel.
// QuestionAlert answers the index of the button: 0 left, 1 middle, 2 right.
enum : int32_t {
    kADMNoAnswer = 0,
    kADMYesAnswer = 1,
    kADMCancelAnswer = 2,
};
enum : int32_t { kADMLeftButton = 0, kADMMiddleButton = 1, kADMRightButton = 2 };

// Tracker actions, modifiers and virtual keys.
enum : int32_t {
    kADMNoAction = 0,
    kADMButtonDownAction = 1,
    kADMButtonUpAction = 2,
    kADMKeyStrokeAction = 3,
    kADMMouseMovedAction = 4,
};
enum : uint32_t {
    kADMShiftKeyModifier = 0x20,
    kADMMenuKeyModifier = 0x40,  // Ctrl
    kADMModKeyModifier = 0x80,   // Alt
};
enum : int32_t {
    kADMNoKey = 0,
    kADMEnterKey = 3,
    kADMTabKey = 9,
    kADMReturnKey = 13,
    kADMEscapeKey = 27,
};

// Notifier types.
#define kADMUserChangedNotifier "ADM User Changed Notifier"
#define kADMIntermediateChangedNotifier "ADM Intermediate Changed Notifier"
#define kADMBoundsChangedNotifier "ADM Bounds Changed Notifier"
#define kADMCollapseNotifier "ADM Collapse Notifier"

// Item type names.
#define kADMTextPushButtonType "ADM Text Push Button Type"
#define kADMPicturePushButtonType "ADM Picture Push Button Type"
#define kADMTextCheckBoxType "ADM Text Check Box Type"
#define kADMTextRadioButtonType "ADM Text Radio Button Type"
#define kADMPictureRadioButtonType "ADM PICTURE RADIO BUTTON TYPE"
#define kADMTextStaticType "ADM Text Static Type"
#define kADMPictureStaticType "ADM Picture Static Type"
#define kADMFrameType "ADM Frame Type"
#define kADMTextEditType "ADM Text Edit Type"
#define kADMTextEditPopupType "ADM Text Edit Popup Type"
#define kADMSpinEditPopupType "ADM Spin Edit Popup Type"
#define kADMPopupListType "ADM Popup List Type"
#define kADMListBoxType "ADM List Box Type"
#define kADMSliderType "ADM Slider Type"
#define kADMUserType "ADM User Type"
#define kADMPopupMenuType "ADM Popup Menu Type"
