// Lists of popups, list boxes and popout menus: filled from a menu resource or entry by
// entry; the active entry and, in multi-select list boxes, the selected ones.
#pragma once

#include "ADMTypes.h"

#define kADMListSuite "ADM List Suite"
#define kADMListSuiteVersion 4

struct ADMListSuite {
    // Replaces the entries by those of menu resource menuID: entry n (from 1) gets id n;
    // a text "-" makes a separator. An unknown menu leaves the list empty and fails.
    ASErr (*SetMenuID)(ADMListRef list, SPPluginRef plugin, int32_t menuID, const char* name);
    int32_t (*GetMenuID)(ADMListRef list);
    ADMItemRef (*GetItem)(ADMListRef list);
    // A new entry at index (clamped to 0 … count); its id is its index + 1 at insertion.
    ADMEntryRef (*InsertEntry)(ADMListRef list, int32_t index);
    ASErr (*RemoveEntry)(ADMListRef list, int32_t index);
    ASErr (*RemoveAllEntries)(ADMListRef list);
    int32_t (*NumberOfEntries)(ADMListRef list);
    ADMEntryRef (*IndexEntry)(ADMListRef list, int32_t index);  // null out of range
    ADMEntryRef (*GetEntry)(ADMListRef list, int32_t entryID);  // null when none
    ADMEntryRef (*FindEntry)(ADMListRef list, const char* text);
    ADMEntryRef (*GetActiveEntry)(ADMListRef list);             // null when none
    int32_t (*NumberOfSelectedEntries)(ADMListRef list);
    ADMEntryRef (*IndexSelectedEntry)(ADMListRef list, int32_t selectionIndex);
};
