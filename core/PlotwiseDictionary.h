// Holders for the host's dictionary references and iterators, each given back exactly once on
// every path, a walk over a dictionary's keys, and the copies of whole art dictionaries that
// let new art keep the data stored on the art it replaces.
#pragma once

#include <utility>

#include "AITypes.h"

// Owns one dictionary reference and releases it once.
class DictRef {
public:
    DictRef() = default;
    explicit DictRef(AIDictionaryRef ref) : ref_(ref) {}
    ~DictRef() { reset(); }
    DictRef(const DictRef&) = delete;
    DictRef& operator=(const DictRef&) = delete;
    DictRef(DictRef&& other) noexcept : ref_(std::exchange(other.ref_, nullptr)) {}
    DictRef& operator=(DictRef&& other) noexcept {
        if (this != &other) {
            reset();
            ref_ = std::exchange(other.ref_, nullptr);
        }
        return *this;
    }
    AIDictionaryRef get() const { return ref_; }
    explicit operator bool() const { return ref_ != nullptr; }
    // Releases what is held and hands out the slot for a call that returns a new reference.
    AIDictionaryRef* put() {
        reset();
        return &ref_;
    }
    void reset();

private:
    AIDictionaryRef ref_ = nullptr;
};

// Implementation detail of ForEachKey: one iterator, released once.
class DictIter {
public:
    DictIter() = default;
    ~DictIter();
    DictIter(const DictIter&) = delete;
    DictIter& operator=(const DictIter&) = delete;
    AIErr Begin(AIDictionaryRef dict);
    bool AtEnd() const;
    void Next();
    const char* KeyString() const;
    AIDictKey Key() const;

private:
    AIDictionaryIterator iter_ = nullptr;
};

// Visits the key texts of a dictionary's entries in the host's iteration order; a non-zero
// result of the visitor stops the walk and is returned. The iterator is released on every path.
template <class Visitor>
AIErr ForEachKey(AIDictionaryRef dict, Visitor&& visit) {
    DictIter it;
    if (AIErr err = it.Begin(dict)) return err;
    for (; !it.AtEnd(); it.Next()) {
        const char* key = it.KeyString();
        if (!key) continue;
        if (AIErr err = visit(key)) return err;
    }
    return kNoErr;
}

// The same with the keys as the host hands them, for a walk that only looks entries up.
template <class Visitor>
AIErr ForEachDictKey(AIDictionaryRef dict, Visitor&& visit) {
    DictIter it;
    if (AIErr err = it.Begin(dict)) return err;
    for (; !it.AtEnd(); it.Next())
        if (AIDictKey key = it.Key())
            if (AIErr err = visit(key)) return err;
    return kNoErr;
}

// Copies every entry of the art's dictionary whose key does not begin with "-" (the host's
// own entries) into dict, in iteration order; sub-dictionaries are copied, not shared. The
// first failing copy ends the walk and is returned.
AIErr CopyArtDictionaryToDictionary(AIArtHandle art, AIDictionaryRef dict);
// Copies every entry of dict whose key does not begin with "-" and that the art's dictionary
// does not hold yet onto the art: entries already there are never overwritten. The first
// error ends the walk and is returned.
AIErr CopyDictionaryToArt(AIDictionaryRef dict, AIArtHandle art);
