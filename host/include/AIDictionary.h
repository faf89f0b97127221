// The dictionary suite and its iterator: typed entries under interned keys, on art and
// on the document. Dictionaries are shared by reference: a sub-dictionary stored with
// SetDictEntry and written through a kept reference changes what the document holds.
// Every reference handed out (GetDictionary, GetDictEntry, CreateDictionary, AddRef) is
// released exactly once.
#pragma once

#include "AITypes.h"

#define kAIDictionarySuite "AI Dictionary Suite"
#define kAIDictionarySuiteVersion 1
#define kAIDictionaryIteratorSuite "AI Dictionary Iterator Suite"
#define kAIDictionaryIteratorSuiteVersion 1

typedef int32_t AIEntryType;
enum : int32_t {
    kNoEntryType = -1,
    kUnknownEntryType = 0,
    kIntegerEntryType = 1,
    kBooleanEntryType = 2,
    kRealEntryType = 3,
    kStringEntryType = 4,
    kDictEntryType = 5,
};

typedef struct _t_AIEntryOpaque* AIEntryRef;

struct AIDictionarySuite {
    // Same text, same key; null for a null text. Keys live as long as the host.
    AIDictKey (*Key)(const char* text);
    const char* (*GetKeyString)(AIDictKey key);
    AIErr (*CreateDictionary)(AIDictionaryRef* dictionary);
    AIErr (*AddRef)(AIDictionaryRef dictionary);
    AIErr (*Release)(AIDictionaryRef dictionary);
    ASBoolean (*IsKnown)(AIDictionaryRef dictionary, AIDictKey key);
    AIErr (*DeleteEntry)(AIDictionaryRef dictionary, AIDictKey key);
    AIErr (*GetEntryType)(AIDictionaryRef dictionary, AIDictKey key, AIEntryType* type);
    AIErr (*CountEntries)(AIDictionaryRef dictionary, int32_t* count);
    // Getters return kNoSuchKey ('NOKY') for a missing key and kWrongTypeErr for another type.
    AIErr (*GetIntegerEntry)(AIDictionaryRef dictionary, AIDictKey key, int32_t* value);
    AIErr (*SetIntegerEntry)(AIDictionaryRef dictionary, AIDictKey key, int32_t value);
    AIErr (*GetRealEntry)(AIDictionaryRef dictionary, AIDictKey key, AIReal* value);
    AIErr (*SetRealEntry)(AIDictionaryRef dictionary, AIDictKey key, AIReal value);
    AIErr (*GetBooleanEntry)(AIDictionaryRef dictionary, AIDictKey key, ASBoolean* value);
    AIErr (*SetBooleanEntry)(AIDictionaryRef dictionary, AIDictKey key, ASBoolean value);
    // The text stays valid until the entry is changed or the dictionary released.
    AIErr (*GetStringEntry)(AIDictionaryRef dictionary, AIDictKey key, const char** value);
    AIErr (*SetStringEntry)(AIDictionaryRef dictionary, AIDictKey key, const char* value);
    // Fetches a dictionary-valued entry with a new reference.
    AIErr (*GetDictEntry)(AIDictionaryRef dictionary, AIDictKey key, AIDictionaryRef* sub);
    // Stores `sub` itself (not a copy); storing a dictionary inside itself is refused.
    AIErr (*SetDictEntry)(AIDictionaryRef dictionary, AIDictKey key, AIDictionaryRef sub);
    // Generic entries for copying an entry of any type: a detached copy of the value,
    // released with ReleaseEntry.
    AIErr (*GetEntry)(AIDictionaryRef dictionary, AIDictKey key, AIEntryRef* entry);
    AIErr (*SetEntry)(AIDictionaryRef dictionary, AIDictKey key, AIEntryRef entry);
    AIEntryType (*GetEntryRefType)(AIEntryRef entry);
    AIErr (*ReleaseEntry)(AIEntryRef entry);
    // Entries in insertion order; the iterator lists the keys present when it began.
    AIErr (*Begin)(AIDictionaryRef dictionary, AIDictionaryIterator* iterator);
};

struct AIDictionaryIteratorSuite {
    ASBoolean (*AtEnd)(AIDictionaryIterator iterator);
    void (*Next)(AIDictionaryIterator iterator);
    AIDictKey (*GetKey)(AIDictionaryIterator iterator);
    void (*Release)(AIDictionaryIterator iterator);
};
