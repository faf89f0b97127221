// Entries of a list: text, id, index, active and selected state, check mark, enabled
// flag and separators.
#pragma once

#include "ADMTypes.h"

#define kADMEntrySuite "ADM Entry Suite"
#define kADMEntrySuiteVersion 5

struct ADMEntrySuite {
    ADMListRef (*GetList)(ADMEntryRef entry);
    int32_t (*GetIndex)(ADMEntryRef entry);  // −1 for a bad entry
    int32_t (*GetID)(ADMEntryRef entry);
    ASErr (*SetID)(ADMEntryRef entry, int32_t entryID);
    ASErr (*GetText)(ADMEntryRef entry, char* buffer, int32_t bufferSize);
    ASErr (*SetText)(ADMEntryRef entry, const char* text);
    // Makes the entry the list's active one (and in a popup the item's shown text).
    ASErr (*Activate)(ADMEntryRef entry, ASBoolean activate);
    ASBoolean (*IsActive)(ADMEntryRef entry);
    // Selection of list boxes; a single-select list keeps one selected entry.
    ASErr (*Select)(ADMEntryRef entry, ASBoolean select);
    ASBoolean (*IsSelected)(ADMEntryRef entry);
    ASErr (*Check)(ADMEntryRef entry, ASBoolean check);
    ASBoolean (*IsChecked)(ADMEntryRef entry);
    ASErr (*Enable)(ADMEntryRef entry, ASBoolean enable);
    ASBoolean (*IsEnabled)(ADMEntryRef entry);
    ASErr (*MakeSeparator)(ADMEntryRef entry, ASBoolean separator);
    ASBoolean (*IsSeparator)(ADMEntryRef entry);
    ASErr (*SetUserData)(ADMEntryRef entry, ADMUserData data);
    ADMUserData (*GetUserData)(ADMEntryRef entry);
};
