// Small helpers over the host's dictionary suite for the dimension records: typed entry
// access by key text (the reference holders are the core's).
#pragma once

#include <cstddef>
#include <cstdint>

#include "AITypes.h"
#include "core/PlotwiseDictionary.h"
#include "dimensions/DimensionKeys.h"

// The art's dictionary, with its reference.
AIErr GetArtDictionary(AIArtHandle art, DictRef& dict);

bool IsKnownKey(AIDictionaryRef dict, const char* key);

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
AIErr DeleteByKey(AIDictionaryRef dict, const char* key);
