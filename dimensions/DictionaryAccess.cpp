// Dictionary helpers of the dimension records: reference holders and typed access by key.
#include "dimensions/DictionaryAccess.h"

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"

// The plug-in's one bounded copy; this name stays for the record writers.

AIErr GetArtDictionary(AIArtHandle art, DictRef& dict) {
    if (!art) return kCADErr;
    return sAIArt->GetDictionary(art, dict.put());
}

namespace {

// The host's keys of a table's rows, each asked for the first time it is needed.
template <class Row>
AIDictKey KeyOfRow(std::span<const Row> rows, const Row& row, const char* (*text)(const Row&)) {
    static std::vector<AIDictKey> keys(rows.size(), nullptr);
    AIDictKey& key = keys[static_cast<size_t>(&row - rows.data())];
    if (!key) key = sAIDictionary->Key(text(row));
    return key;
}

}  // namespace

AIDictKey HostKey(const StyleEntry& entry) {
    return KeyOfRow(StyleEntries(), entry, +[](const StyleEntry& e) { return StyleEntryKey(e); });
}

AIDictKey HostKey(const ClickEntry& entry) {
    return KeyOfRow(ClickEntries(), entry, +[](const ClickEntry& e) { return ClickEntryKey(e); });
}

AIDictKey HostKey(const TextEntry& entry) {
    return KeyOfRow(TextEntries(), entry, +[](const TextEntry& e) { return TextEntryKey(e); });
}

bool IsKnownKey(AIDictionaryRef dict, const char* key) { return IsKnownKey(dict, sAIDictionary->Key(key)); }

bool IsKnownKey(AIDictionaryRef dict, AIDictKey key) { return sAIDictionary->IsKnown(dict, key) != 0; }

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
    return GetIntegerByKey(dict, sAIDictionary->Key(key), value);
}

AIErr SetIntegerByKey(AIDictionaryRef dict, const char* key, int32_t value) {
    return SetIntegerByKey(dict, sAIDictionary->Key(key), value);
}

AIErr GetRealByKey(AIDictionaryRef dict, const char* key, AIReal& value) {
    return GetRealByKey(dict, sAIDictionary->Key(key), value);
}

AIErr SetRealByKey(AIDictionaryRef dict, const char* key, AIReal value) {
    return SetRealByKey(dict, sAIDictionary->Key(key), value);
}

AIErr GetBooleanByKey(AIDictionaryRef dict, const char* key, int32_t& value) {
    return GetBooleanByKey(dict, sAIDictionary->Key(key), value);
}

AIErr SetBooleanByKey(AIDictionaryRef dict, const char* key, int32_t value) {
    return SetBooleanByKey(dict, sAIDictionary->Key(key), value);
}

AIErr GetStringByKey(AIDictionaryRef dict, const char* key, char* field, size_t capacity) {
    return GetStringByKey(dict, sAIDictionary->Key(key), field, capacity);
}

AIErr SetStringByKey(AIDictionaryRef dict, const char* key, const char* value) {
    return SetStringByKey(dict, sAIDictionary->Key(key), value);
}

AIErr GetIntegerByKey(AIDictionaryRef dict, AIDictKey key, int32_t& value) {
    ai_int32 v = 0;
    AIErr err = sAIDictionary->GetIntegerEntry(dict, key, &v);
    if (!err) value = v;
    return err;
}

AIErr SetIntegerByKey(AIDictionaryRef dict, AIDictKey key, int32_t value) {
    return sAIDictionary->SetIntegerEntry(dict, key, value);
}

AIErr GetRealByKey(AIDictionaryRef dict, AIDictKey key, AIReal& value) {
    AIReal v = 0;
    AIErr err = sAIDictionary->GetRealEntry(dict, key, &v);
    if (!err) value = v;
    return err;
}

AIErr SetRealByKey(AIDictionaryRef dict, AIDictKey key, AIReal value) {
    return sAIDictionary->SetRealEntry(dict, key, value);
}

AIErr GetBooleanByKey(AIDictionaryRef dict, AIDictKey key, int32_t& value) {
    ASBoolean v = 0;
    AIErr err = sAIDictionary->GetBooleanEntry(dict, key, &v);
    if (!err) value = v ? 1 : 0;
    return err;
}

AIErr SetBooleanByKey(AIDictionaryRef dict, AIDictKey key, int32_t value) {
    return sAIDictionary->SetBooleanEntry(dict, key, value ? 1 : 0);
}

AIErr GetStringByKey(AIDictionaryRef dict, AIDictKey key, char* field, size_t capacity) {
    const char* v = nullptr;
    AIErr err = sAIDictionary->GetStringEntry(dict, key, &v);
    if (!err) CopyCString(field, capacity, v);
    return err;
}

AIErr SetStringByKey(AIDictionaryRef dict, AIDictKey key, const char* value) {
    return sAIDictionary->SetStringEntry(dict, key, value ? value : "");
}

AIErr DeleteByKey(AIDictionaryRef dict, const char* key) {
    return sAIDictionary->DeleteEntry(dict, sAIDictionary->Key(key));
}
