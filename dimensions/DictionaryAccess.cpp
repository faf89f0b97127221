// Dictionary helpers of the dimension records: reference holders and typed access by key.
#include "dimensions/DictionaryAccess.h"

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"

// The plug-in's one bounded copy; this name stays for the record writers.

AIErr GetArtDictionary(AIArtHandle art, DictRef& dict) {
    if (!art) return kCADErr;
    return sAIArt->GetDictionary(art, dict.put());
}

bool IsKnownKey(AIDictionaryRef dict, const char* key) {
    return sAIDictionary->IsKnown(dict, sAIDictionary->Key(key)) != 0;
}

AIErr GetSubDictionary(AIDictionaryRef dict, const char* key, DictRef& sub) {
    return sAIDictionary->GetDictEntry(dict, sAIDictionary->Key(key), sub.put());
}

AIErr GetOrCreateSubDictionary(AIDictionaryRef dict, const char* key, DictRef& sub) {
    const AIDictKey k = sAIDictionary->Key(key);
    if (sAIDictionary->IsKnown(dict, k)) return sAIDictionary->GetDictEntry(dict, k, sub.put());
    // Stored by reference: what is written through our reference lands in the document.
    if (AIErr err = sAIDictionary->CreateDictionary(sub.put())) return err;
    return sAIDictionary->SetDictEntry(dict, k, sub.get());
}

AIErr GetIntegerByKey(AIDictionaryRef dict, const char* key, int32_t& value) {
    ai_int32 v = 0;
    AIErr err = sAIDictionary->GetIntegerEntry(dict, sAIDictionary->Key(key), &v);
    if (!err) value = v;
    return err;
}

AIErr SetIntegerByKey(AIDictionaryRef dict, const char* key, int32_t value) {
    return sAIDictionary->SetIntegerEntry(dict, sAIDictionary->Key(key), value);
}

AIErr GetRealByKey(AIDictionaryRef dict, const char* key, AIReal& value) {
    AIReal v = 0;
    AIErr err = sAIDictionary->GetRealEntry(dict, sAIDictionary->Key(key), &v);
    if (!err) value = v;
    return err;
}

AIErr SetRealByKey(AIDictionaryRef dict, const char* key, AIReal value) {
    return sAIDictionary->SetRealEntry(dict, sAIDictionary->Key(key), value);
}

AIErr GetBooleanByKey(AIDictionaryRef dict, const char* key, int32_t& value) {
    ASBoolean v = 0;
    AIErr err = sAIDictionary->GetBooleanEntry(dict, sAIDictionary->Key(key), &v);
    if (!err) value = v ? 1 : 0;
    return err;
}

AIErr SetBooleanByKey(AIDictionaryRef dict, const char* key, int32_t value) {
    return sAIDictionary->SetBooleanEntry(dict, sAIDictionary->Key(key), value ? 1 : 0);
}

AIErr GetStringByKey(AIDictionaryRef dict, const char* key, char* field, size_t capacity) {
    const char* v = nullptr;
    AIErr err = sAIDictionary->GetStringEntry(dict, sAIDictionary->Key(key), &v);
    if (!err) CopyCString(field, capacity, v);
    return err;
}

AIErr SetStringByKey(AIDictionaryRef dict, const char* key, const char* value) {
    return sAIDictionary->SetStringEntry(dict, sAIDictionary->Key(key), value ? value : "");
}

AIErr DeleteByKey(AIDictionaryRef dict, const char* key) {
    return sAIDictionary->DeleteEntry(dict, sAIDictionary->Key(key));
}
