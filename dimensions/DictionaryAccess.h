// Small helpers over the host's dictionary suite for the dimension records: holders that
// release a dictionary, iterator or art-list reference exactly once on every path, typed
// entry access by key text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "AITypes.h"
#include "dimensions/DimensionKeys.h"

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

// Visits the key texts of a dictionary's entries in the host's iteration order; a non-zero
// result of the visitor stops the walk and is returned. The iterator is released on every path.
template <class Visitor>
AIErr ForEachKey(AIDictionaryRef dict, Visitor&& visit);

// Implementation detail of ForEachKey.
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

private:
    AIDictionaryIterator iter_ = nullptr;
};

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
