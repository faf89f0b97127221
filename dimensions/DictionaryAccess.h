// Small helpers over the host's dictionary suite for the dimension records: typed entry
// access by key text (the reference holders are the core's).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "AITypes.h"
#include "core/PlotwiseDictionary.h"
#include "dimensions/DimensionKeys.h"

// The art's dictionary, with its reference.
AIErr GetArtDictionary(AIArtHandle art, DictRef& dict);

// The host's key of a row of the style, click or text table, asked for once: a key stands
// for its text as long as the host runs, and reading or writing a record by keys kept saves
// looking each text up again for every dimension.
AIDictKey HostKey(const StyleEntry& entry);
AIDictKey HostKey(const ClickEntry& entry);
AIDictKey HostKey(const TextEntry& entry);

bool IsKnownKey(AIDictionaryRef dict, const char* key);
bool IsKnownKey(AIDictionaryRef dict, AIDictKey key);

// The dictionary stored under key, with a new reference.
AIErr GetSubDictionary(AIDictionaryRef dict, const char* key, DictRef& sub);
// As above, first creating an empty dictionary under key when the key is absent.
AIErr GetOrCreateSubDictionary(AIDictionaryRef dict, const char* key, DictRef& sub);

AIErr GetIntegerByKey(AIDictionaryRef dict, const char* key, int32_t& value);
AIErr SetIntegerByKey(AIDictionaryRef dict, const char* key, int32_t value);
AIErr GetRealByKey(AIDictionaryRef dict, const char* key, AIReal& value);
AIErr SetRealByKey(AIDictionaryRef dict, const char* key, AIReal value);
AIErr GetBooleanByKey(AIDictionaryRef dict, const char* key, int32_t& value);  // 0 or 1
AIErr SetBooleanByKey(AIDictionaryRef dict, const char* key, int32_t value);
AIErr GetStringByKey(AIDictionaryRef dict, const char* key, char* field, size_t capacity);
AIErr SetStringByKey(AIDictionaryRef dict, const char* key, const char* value);
// The same by the host's key.
AIErr GetIntegerByKey(AIDictionaryRef dict, AIDictKey key, int32_t& value);
AIErr SetIntegerByKey(AIDictionaryRef dict, AIDictKey key, int32_t value);
AIErr GetRealByKey(AIDictionaryRef dict, AIDictKey key, AIReal& value);
AIErr SetRealByKey(AIDictionaryRef dict, AIDictKey key, AIReal value);
AIErr GetBooleanByKey(AIDictionaryRef dict, AIDictKey key, int32_t& value);
AIErr SetBooleanByKey(AIDictionaryRef dict, AIDictKey key, int32_t value);
AIErr GetStringByKey(AIDictionaryRef dict, AIDictKey key, char* field, size_t capacity);
AIErr SetStringByKey(AIDictionaryRef dict, AIDictKey key, const char* value);
AIErr DeleteByKey(AIDictionaryRef dict, const char* key);
