// The menu suite: the plug-in's menu items in named groups, their text, enabled and
// checked state, and the record of the menu messages ("AI Menu" caller: "AI Update" before
// the menu shows, "AI Go" when the user picks the item).
#pragma once

#include "AITypes.h"
#include "SPMessages.h"

#define kAIMenuSuite "AI Menu Suite"
#define kAIMenuSuiteVersion 1

// Host menu groups a plug-in may add to (any other name must be made with AddMenuGroup).
#define kFilterUtilities "Filter Utilities"
#define kWindowUtilsMenuGroup "Window Utilities"
#define kTypeUtilsMenuGroup "Type Utilities"
#define kObjectUtilsMenuGroup "Object Utilities"
#define kHelpMenuGroup "Help Menu"

// AddMenuItem options.
enum : int32_t {
    kMenuItemNoOptions = 0,
    kMenuItemWantsUpdateOption = 0x1,  // "AI Update" is sent before the menu shows
    kMenuItemAlwaysEnabled = 0x2,
};

constexpr size_t kAIMenuTextSize = 256;

struct AIPlatformAddMenuItemData {
    const char* groupName;
    const char* itemText;  // platform (Windows-1252) text, copied
};

struct AIMenuMessage {
    SPMessageData d;
    AIMenuItemHandle menuItem;
};

struct AIMenuSuite {
    AIErr (*AddMenuItem)(SPPluginRef self, const char* name, const AIPlatformAddMenuItemData* data,
                         int32_t options, AIMenuItemHandle* item);
    // A new group: a submenu titled by the item `parentItem`, or a top-level group when null.
    AIErr (*AddMenuGroup)(const char* name, int32_t options, const char* nearGroup, AIMenuGroup* group);
    AIErr (*AddMenuGroupAsSubMenu)(const char* name, int32_t options, AIMenuItemHandle parentItem,
                                   AIMenuGroup* group);
    AIErr (*GetMenuItemName)(AIMenuItemHandle item, const char** name);
    AIErr (*GetItemText)(AIMenuItemHandle item, char* text, size_t size);  // bounded, terminated
    AIErr (*SetItemText)(AIMenuItemHandle item, const char* text);
    AIErr (*EnableItem)(AIMenuItemHandle item);
    AIErr (*DisableItem)(AIMenuItemHandle item);
    AIErr (*GetItemEnabled)(AIMenuItemHandle item, ASBoolean* enabled);
    AIErr (*CheckItem)(AIMenuItemHandle item, ASBoolean checked);
    AIErr (*GetItemChecked)(AIMenuItemHandle item, ASBoolean* checked);
    AIErr (*GetMenuItemPlugin)(AIMenuItemHandle item, SPPluginRef* plugin);
    AIErr (*CountMenuItems)(int32_t* count);
    AIErr (*GetNthMenuItem)(int32_t n, AIMenuItemHandle* item);
};
