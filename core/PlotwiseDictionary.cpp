// Dictionary reference holders and the copies of art dictionaries.
#include "core/PlotwiseDictionary.h"

#include "core/PlotwiseSuites.h"

namespace {

// Keys beginning with "-" belong to the host and are never copied.
bool IsHostKey(const char* key) { return key[0] == '-'; }

// One entry of `from` stored under the same key in `to`; the host copies sub-dictionaries.
AIErr CopyEntry(AIDictionaryRef from, AIDictionaryRef to, AIDictKey key) {
    AIEntryRef entry = nullptr;
    if (AIErr err = sAIDictionary->GetEntry(from, key, &entry)) return err;
    const AIErr err = sAIDictionary->SetEntry(to, key, entry);
    const AIErr released = sAIDictionary->ReleaseEntry(entry);
    return err ? err : released;
}

}  // namespace

void DictRef::reset() {
    if (ref_ && sAIDictionary) sAIDictionary->Release(ref_);
    ref_ = nullptr;
}

DictIter::~DictIter() {
    if (iter_ && sAIDictionaryIterator) sAIDictionaryIterator->Release(iter_);
}

AIErr DictIter::Begin(AIDictionaryRef dict) { return sAIDictionary->Begin(dict, &iter_); }

bool DictIter::AtEnd() const { return !iter_ || sAIDictionaryIterator->AtEnd(iter_); }

void DictIter::Next() { sAIDictionaryIterator->Next(iter_); }

AIDictKey DictIter::Key() const { return sAIDictionaryIterator->GetKey(iter_); }

const char* DictIter::KeyString() const {
    return sAIDictionary->GetKeyString(sAIDictionaryIterator->GetKey(iter_));
}

AIErr CopyArtDictionaryToDictionary(AIArtHandle art, AIDictionaryRef dict) {
    if (!art || !dict) return kBadParameterErr;
    DictRef source;
    if (AIErr err = sAIArt->GetDictionary(art, source.put())) return err;
    return ForEachKey(source.get(), [&](const char* key) -> AIErr {
        if (IsHostKey(key)) return kNoErr;
        return CopyEntry(source.get(), dict, sAIDictionary->Key(key));
    });
}

AIErr CopyDictionaryToArt(AIDictionaryRef dict, AIArtHandle art) {
    if (!art || !dict) return kBadParameterErr;
    DictRef target;
    if (AIErr err = sAIArt->GetDictionary(art, target.put())) return err;
    return ForEachKey(dict, [&](const char* key) -> AIErr {
        if (IsHostKey(key)) return kNoErr;
        const AIDictKey k = sAIDictionary->Key(key);
        if (sAIDictionary->IsKnown(target.get(), k)) return kNoErr;
        return CopyEntry(dict, target.get(), k);
    });
}
