// The dictionary and dictionary-iterator suites. A dictionary reference names a
// dictionary of an open document; each reference handed out is counted and must be
// released once, and a reference no longer held is refused ('STAL'), so use after
// release shows up instead of corrupting anything.
#include <cstring>

#include "AIDictionary.h"
#include "suites/Suites.h"

namespace standin::suites {
namespace {

struct DictRef {
    Document* doc = nullptr;
    ObjId id = 0;
    const Dict* dict = nullptr;
};

AIErr lookupDict(AIDictionaryRef ref, DictRef* out) {
    if (!ref) return kBadParameterErr;
    Host* h = host();
    if (!h) return kStaleHandleErr;
    const ObjId id = fromHandle(ref);
    if (h->dictRefCount(id) <= 0) return kStaleHandleErr;
    const Dict* dict = nullptr;
    Document* d = h->documentOfDict(id, &dict);
    if (!d) return kStaleHandleErr;
    *out = {d, id, dict};
    return kNoErr;
}

// Dictionary and key together; the entry itself may be missing.
AIErr lookup(AIDictionaryRef ref, AIDictKey key, DictRef* d, std::optional<DictKey>* k) {
    if (AIErr e = lookupDict(ref, d)) return e;
    *k = Host::dictKey(key);
    return *k ? kNoErr : kBadParameterErr;
}

AIDictKey Key(const char* text) { return host() ? Host::key(text) : nullptr; }

const char* GetKeyString(AIDictKey key) {
    const std::optional<DictKey> k = host() ? Host::dictKey(key) : std::nullopt;
    return k ? k->str().c_str() : nullptr;
}

AIErr CreateDictionary(AIDictionaryRef* dictionary) {
    if (!dictionary) return kBadParameterErr;
    *dictionary = nullptr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    const ObjId id = d->newDict();
    host()->addDictRef(id);
    *dictionary = toHandle<AIDictionaryRef>(id);
    return kNoErr;
}

AIErr AddRef(AIDictionaryRef dictionary) {
    DictRef d;
    if (AIErr e = lookupDict(dictionary, &d)) return e;
    host()->addDictRef(d.id);
    return kNoErr;
}

AIErr Release(AIDictionaryRef dictionary) {
    if (!dictionary) return kBadParameterErr;
    Host* h = host();
    if (!h || !h->releaseDictRef(fromHandle(dictionary))) return kStaleHandleErr;
    return kNoErr;
}

ASBoolean IsKnown(AIDictionaryRef dictionary, AIDictKey key) {
    DictRef d;
    std::optional<DictKey> k;
    if (lookup(dictionary, key, &d, &k)) return false;
    return d.dict->find(*k) != nullptr;
}

// A test may have made this write the one to fail (Host::failDictionaryWrite).
AIErr writeAllowed() { return host()->allowDictionaryWrite() ? kNoErr : kOutOfMemoryErr; }

AIErr DeleteEntry(AIDictionaryRef dictionary, AIDictKey key) {
    DictRef d;
    std::optional<DictKey> k;
    if (AIErr e = lookup(dictionary, key, &d, &k)) return e;
    if (!d.dict->find(*k)) return kNoSuchKey;
    if (AIErr e = writeAllowed()) return e;
    d.doc->editDict(d.id)->erase(*k);
    return kNoErr;
}

AIEntryType typeOf(const DictValue& v) {
    switch (v.index()) {
    case 0: return kIntegerEntryType;
    case 1: return kRealEntryType;
    case 2: return kBooleanEntryType;
    case 3: return kStringEntryType;
    case 4: return kDictEntryType;
    }
    return kUnknownEntryType;
}

AIErr GetEntryType(AIDictionaryRef dictionary, AIDictKey key, AIEntryType* type) {
    if (!type) return kBadParameterErr;
    *type = kNoEntryType;
    DictRef d;
    std::optional<DictKey> k;
    if (AIErr e = lookup(dictionary, key, &d, &k)) return e;
    const DictValue* v = d.dict->find(*k);
    if (!v) return kNoSuchKey;
    *type = typeOf(*v);
    return kNoErr;
}

AIErr CountEntries(AIDictionaryRef dictionary, int32_t* count) {
    if (!count) return kBadParameterErr;
    DictRef d;
    if (AIErr e = lookupDict(dictionary, &d)) return e;
    *count = static_cast<int32_t>(d.dict->entries.size());
    return kNoErr;
}

template <class T>
AIErr getTyped(AIDictionaryRef dictionary, AIDictKey key, const T** out) {
    DictRef d;
    std::optional<DictKey> k;
    if (AIErr e = lookup(dictionary, key, &d, &k)) return e;
    const DictValue* v = d.dict->find(*k);
    if (!v) return kNoSuchKey;
    *out = std::get_if<T>(v);
    return *out ? kNoErr : kWrongTypeErr;
}

// Reads a scalar entry stored as Stored into the caller's Out.
template <class Stored, class Out>
AIErr getScalar(AIDictionaryRef dictionary, AIDictKey key, Out* value) {
    if (!value) return kBadParameterErr;
    const Stored* v = nullptr;
    if (AIErr e = getTyped(dictionary, key, &v)) return e;
    *value = static_cast<Out>(*v);
    return kNoErr;
}

AIErr setValue(AIDictionaryRef dictionary, AIDictKey key, DictValue value) {
    DictRef d;
    std::optional<DictKey> k;
    if (AIErr e = lookup(dictionary, key, &d, &k)) return e;
    if (AIErr e = writeAllowed()) return e;
    // Writing back the value an entry holds changes nothing: no step of undo, no change to
    // tell those who follow the document.
    const Dict* now = d.doc->dict(d.id);
    const DictValue* held = now ? now->find(*k) : nullptr;
    if (held && *held == value) return kNoErr;
    d.doc->editDict(d.id)->set(*k, std::move(value));
    return kNoErr;
}

AIErr GetIntegerEntry(AIDictionaryRef dictionary, AIDictKey key, int32_t* value) {
    return getScalar<int32_t>(dictionary, key, value);
}

AIErr SetIntegerEntry(AIDictionaryRef dictionary, AIDictKey key, int32_t value) {
    return setValue(dictionary, key, value);
}

AIErr GetRealEntry(AIDictionaryRef dictionary, AIDictKey key, AIReal* value) {
    return getScalar<AIReal>(dictionary, key, value);
}

AIErr SetRealEntry(AIDictionaryRef dictionary, AIDictKey key, AIReal value) {
    return setValue(dictionary, key, value);
}

AIErr GetBooleanEntry(AIDictionaryRef dictionary, AIDictKey key, ASBoolean* value) {
    return getScalar<bool>(dictionary, key, value);
}

AIErr SetBooleanEntry(AIDictionaryRef dictionary, AIDictKey key, ASBoolean value) {
    return setValue(dictionary, key, value != 0);
}

AIErr GetStringEntry(AIDictionaryRef dictionary, AIDictKey key, const char** value) {
    if (!value) return kBadParameterErr;
    *value = nullptr;
    const DictText* v = nullptr;
    if (AIErr e = getTyped(dictionary, key, &v)) return e;
    *value = v->str().c_str();
    return kNoErr;
}

AIErr SetStringEntry(AIDictionaryRef dictionary, AIDictKey key, const char* value) {
    if (!value) return kBadParameterErr;
    return setValue(dictionary, key, DictText(value));
}

AIErr GetDictEntry(AIDictionaryRef dictionary, AIDictKey key, AIDictionaryRef* sub) {
    if (!sub) return kBadParameterErr;
    *sub = nullptr;
    DictRef d;
    const DictLink* link = nullptr;
    if (AIErr e = getTyped(dictionary, key, &link)) return e;
    lookupDict(dictionary, &d);
    if (!d.doc->dict(link->id)) return kStaleHandleErr;
    host()->addDictRef(link->id);
    *sub = toHandle<AIDictionaryRef>(link->id);
    return kNoErr;
}

AIErr SetDictEntry(AIDictionaryRef dictionary, AIDictKey key, AIDictionaryRef sub) {
    DictRef d, s;
    std::optional<DictKey> k;
    if (AIErr e = lookup(dictionary, key, &d, &k)) return e;
    if (AIErr e = lookupDict(sub, &s)) return e;
    if (s.doc != d.doc) return kBadParameterErr;       // dictionaries do not span documents
    if (d.doc->dictReaches(s.id, d.id)) return kBadParameterErr;  // would make a cycle
    if (AIErr e = writeAllowed()) return e;
    d.doc->editDict(d.id)->set(*k, DictLink{s.id});
    return kNoErr;
}

AIErr GetEntry(AIDictionaryRef dictionary, AIDictKey key, AIEntryRef* entry) {
    if (!entry) return kBadParameterErr;
    *entry = nullptr;
    DictRef d;
    std::optional<DictKey> k;
    if (AIErr e = lookup(dictionary, key, &d, &k)) return e;
    const DictValue* v = d.dict->find(*k);
    if (!v) return kNoSuchKey;
    if (const auto* link = std::get_if<DictLink>(v)) {
        if (!d.doc->dict(link->id)) return kStaleHandleErr;
        host()->addDictRef(link->id);  // held while the entry lives
    }
    *entry = host()->newEntry({*v, d.doc});
    return kNoErr;
}

AIErr SetEntry(AIDictionaryRef dictionary, AIDictKey key, AIEntryRef entry) {
    Host* h = host();
    Host::EntryValue* ev = h ? h->entry(entry) : nullptr;
    if (!ev) return kStaleHandleErr;
    DictRef d;
    std::optional<DictKey> k;
    if (AIErr e = lookup(dictionary, key, &d, &k)) return e;
    if (AIErr e = writeAllowed()) return e;
    DictValue value = ev->value;
    if (auto* link = std::get_if<DictLink>(&value)) {
        // A copied entry is a copy: the target gets its own dictionary.
        Document* from = nullptr;
        for (size_t i = 0; i < h->documentCount(); ++i)
            if (&h->document(i) == ev->from) from = ev->from;
        if (!from || !from->dict(link->id)) return kStaleHandleErr;
        link->id = d.doc->copyDictFrom(*from, link->id);
    }
    d.doc->editDict(d.id)->set(*k, std::move(value));
    return kNoErr;
}

AIEntryType GetEntryRefType(AIEntryRef entry) {
    Host* h = host();
    Host::EntryValue* ev = h ? h->entry(entry) : nullptr;
    return ev ? typeOf(ev->value) : kNoEntryType;
}

AIErr ReleaseEntry(AIEntryRef entry) {
    if (!entry) return kBadParameterErr;
    Host* h = host();
    return h && h->releaseEntry(entry) ? kNoErr : kStaleHandleErr;
}

AIErr Begin(AIDictionaryRef dictionary, AIDictionaryIterator* iterator) {
    if (!iterator) return kBadParameterErr;
    *iterator = nullptr;
    DictRef d;
    if (AIErr e = lookupDict(dictionary, &d)) return e;
    Host::DictIter it;
    it.dict = d.id;
    for (const auto& [k, v] : d.dict->entries) it.keys.push_back(k);
    *iterator = host()->newIterator(std::move(it));
    return kNoErr;
}

const AIDictionarySuite kDictionarySuite = {
    Key, GetKeyString, CreateDictionary, AddRef, Release, IsKnown, DeleteEntry, GetEntryType, CountEntries,
    GetIntegerEntry, SetIntegerEntry, GetRealEntry, SetRealEntry, GetBooleanEntry, SetBooleanEntry,
    GetStringEntry, SetStringEntry, GetDictEntry, SetDictEntry, GetEntry, SetEntry, GetEntryRefType,
    ReleaseEntry, Begin,
};

// ---------------------------------------------------------------- iterator

Host::DictIter* iter(AIDictionaryIterator it) {
    Host* h = host();
    return h && it ? h->iterator(it) : nullptr;
}

ASBoolean AtEnd(AIDictionaryIterator it) {
    Host::DictIter* i = iter(it);
    return !i || i->pos >= i->keys.size();
}

void Next(AIDictionaryIterator it) {
    if (Host::DictIter* i = iter(it); i && i->pos < i->keys.size()) ++i->pos;
}

AIDictKey GetKey(AIDictionaryIterator it) {
    Host::DictIter* i = iter(it);
    if (!i || i->pos >= i->keys.size()) return nullptr;
    return Host::key(i->keys[i->pos]);
}

void ReleaseIterator(AIDictionaryIterator it) {
    if (Host* h = host(); h && it) h->releaseIterator(it);
}

const AIDictionaryIteratorSuite kIteratorSuite = {AtEnd, Next, GetKey, ReleaseIterator};

}  // namespace

void addDictionarySuites(SuiteRegistry& r) {
    r.add(kAIDictionarySuite, kAIDictionarySuiteVersion, &kDictionarySuite);
    r.add(kAIDictionaryIteratorSuite, kAIDictionaryIteratorSuiteVersion, &kIteratorSuite);
}

}  // namespace standin::suites
