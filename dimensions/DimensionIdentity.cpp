// Which art is a live dimension or part of one, the ids of dimensions, the highest id in
// the document, and the lookups of dimension art in documents of format 2.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "dimensions/DictionaryAccess.h"
#include "dimensions/DimensionKeys.h"
#include "dimensions/DimensionStorage.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "geometry/PlotwiseErrors.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

const char* DimensionKey(KeyBuffer& key) { return ComposeKey(key, kZA3Prefix, kDimensionName); }
const char* IdKey(KeyBuffer& key) { return ComposeKey(key, kZA3Prefix, kAttrIdName); }

bool HasTag(AIArtHandle art, const char* name) {
    const char* type = nullptr;
    return sAITag->GetTagType(art, name, &type) == kNoErr;
}

// The art list of a matching-art query, disposed once on every path.
class MatchedArt {
public:
    MatchedArt() = default;
    MatchedArt(const MatchedArt&) = delete;
    MatchedArt& operator=(const MatchedArt&) = delete;
    ~MatchedArt() {
        if (handle_ && sAIMdMemory) sAIMdMemory->MdMemoryDisposeHandle(handle_);
    }
    AIErr Query(const AIMatchingArtSpec& wanted) {
        if (AIErr err = sAIMatchingArt->GetMatchingArt(&wanted, 1, &handle_, &count_)) return err;
        if (!handle_ || count_ <= 0) {
            count_ = 0;
            return kNoErr;
        }
        void* block = nullptr;
        if (AIErr err = sAIMdMemory->MdMemoryLock(handle_, &block)) return err;
        list_ = static_cast<AIArtHandle*>(block);
        return kNoErr;
    }
    int32_t count() const { return list_ ? count_ : 0; }
    AIArtHandle at(int32_t i) const { return list_[i]; }

private:
    AIMdMemoryHandle handle_ = nullptr;
    AIArtHandle* list_ = nullptr;
    int32_t count_ = 0;
};

}  // namespace

int IsDimension(AIArtHandle art) {
    if (!art) return 0;
    DictRef dict;
    if (GetArtDictionary(art, dict)) return 0;
    KeyBuffer key;
    return IsKnownKey(dict.get(), DimensionKey(key)) ? 1 : 0;
}

int isDimensionPart(AIArtHandle art) {
    if (!art) return 0;
    AIArtHandle parent = nullptr;
    if (sAIArt->GetArtParent(art, &parent)) return 0;
    return IsDimension(parent);
}

AIErr ReadDimensionID(AIArtHandle art, int32_t* id) {
    if (!art || !id) return kBadParameterErr;
    DictRef dict;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    KeyBuffer key;
    if (!IsKnownKey(dict.get(), DimensionKey(key))) return kNoSuchKey;
    DictRef sub;
    if (AIErr err = GetSubDictionary(dict.get(), key, sub)) return err;
    if (AIErr err = GetIntegerByKey(sub.get(), IdKey(key), *id)) return err;
    return *id >= kFirstDimensionId ? kNoErr : kBadDimensionDataErr;  // no tool gives it: no id
}

int32_t GetDimensionID(AIArtHandle art) {
    int32_t id = 0;
    return ReadDimensionID(art, &id) == kNoErr ? id : 0;
}

namespace {

// One integer of a dimension's style record; art that is no dimension is left alone.
AIErr SetStyleInteger(AIArtHandle art, const char* field, int32_t value) {
    if (!art) return kCADErr;
    DictRef dict;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    KeyBuffer key;
    if (!IsKnownKey(dict.get(), DimensionKey(key))) return kNoErr;
    DictRef sub;
    if (AIErr err = GetSubDictionary(dict.get(), key, sub)) return err;
    return SetIntegerByKey(sub.get(), ComposeKey(key, kZA3Prefix, kAttrName, field), value);
}

}  // namespace

AIErr SetDimensionID(AIArtHandle art, int32_t id) { return SetStyleInteger(art, "id", id); }

AIErr KeepDimensionAsDrawn(AIArtHandle art) { return SetStyleInteger(art, "live", 0); }

AIErr FindHighestDimensionID(int32_t* highest) {
    if (!highest) return kCADErr;
    MatchedArt matches;
    if (AIErr err = matches.Query(AIMatchingArtSpec{kAnyArt, 0, 0})) return err;
    int32_t best = 0;
    for (int32_t i = 0; i < matches.count(); ++i) {
        AIArtHandle art = matches.at(i);
        if (IsDimension(art)) {
            const int32_t id = GetDimensionID(art);
            if (id > best) best = id;
        }
    }
    *highest = best;
    return kNoErr;
}

int32_t GetHighestDimensionID() {
    int32_t highest = 0;
    if (FindHighestDimensionID(&highest) == kNoErr) return highest;
    return g ? g->prefs.style.id : 0;
}

int32_t HighestDimensionIdHeld() {
    if (!g) return 0;
    if (const int32_t* known = g->highestDimensionIds.Current()) return *known;
    return g->highestDimensionIds.Store(GetHighestDimensionID());
}

namespace {

// The ids of every dimension and of every link on measured art in the document.
AIErr GatherUsedDimensionIds(std::vector<int32_t>& used) {
    MatchedArt matches;
    if (AIErr err = matches.Query(AIMatchingArtSpec{kAnyArt, 0, 0})) return err;
    for (int32_t i = 0; i < matches.count(); ++i) {
        AIArtHandle art = matches.at(i);
        int32_t id = 0;
        if (IsDimension(art) && ReadDimensionID(art, &id) == kNoErr) used.push_back(id);
        if (!IsDimensionedObject(art)) continue;
        if (AIErr err = ForEachDimensionLink(art, [&](const char*, int32_t linkId) {
                used.push_back(linkId);
                return kNoErr;
            }))
            return err;
    }
    std::sort(used.begin(), used.end());
    return kNoErr;
}

}  // namespace

AIErr NewDimensionIds::Take(int32_t* id) {
    constexpr int32_t kMost = std::numeric_limits<int32_t>::max();
    *id = 0;
    if (highest_ < kMost) {
        *id = ++highest_;
        return kNoErr;
    }
    if (!gathered_) {
        if (AIErr err = GatherUsedDimensionIds(used_)) return err;
        gathered_ = true;
    }
    // One pass over the sorted ids for all the takes together.
    for (; candidate_ <= kMost; ++candidate_) {
        while (nextUsed_ < used_.size() && used_[nextUsed_] < candidate_) ++nextUsed_;
        if (nextUsed_ == used_.size() || used_[nextUsed_] != candidate_) {
            *id = static_cast<int32_t>(candidate_++);
            return kNoErr;
        }
    }
    return kNoErr;
}

AIErr IdForNewDimension(int32_t* id) {
    *id = 0;
    if (!g) return kCADErr;
    NewDimensionIds fresh(g->prefs.style.id);
    return fresh.Take(id);
}

AIErr GetDimArtFromDimID(int32_t id, AIArtHandle* result) {
    if (!result) return kCADErr;
    *result = nullptr;
    char tagName[64];
    std::snprintf(tagName, sizeof tagName, "%s%d", kLegacyLiveDimTag, static_cast<int>(id));
    ai_int32 layers = 0;
    if (AIErr err = sAILayer->CountLayers(&layers)) return err;
    for (ai_int32 i = 0; i < layers; ++i) {
        AILayerHandle layer = nullptr;
        if (AIErr err = sAILayer->GetNthLayer(i, &layer)) return err;
        if (g && (layer == g->gridsLayer || layer == g->rulerLayer)) continue;
        AIArtHandle first = nullptr;
        if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &first)) return err;
        if (!first) continue;
        if (AIErr err = walkArtworkTreeForSpecificDimArt(first, tagName, result)) return err;
        if (*result) return kNoErr;
    }
    return kNoErr;
}

AIErr walkArtworkTreeForSpecificDimArt(AIArtHandle start, const char* tagName, AIArtHandle* result) {
    if (!result || !tagName) return kCADErr;
    for (AIArtHandle art = start; art;) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (type == kGroupArt) {
            if (HasTag(art, kLegacyDimensionGroupTag)) {
                // A dimension group is the answer or is passed over whole.
                if (HasTag(art, tagName)) {
                    *result = art;
                    return kNoErr;
                }
            } else {
                AIArtHandle child = nullptr;
                if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
                if (child)
                    if (AIErr err = walkArtworkTreeForSpecificDimArt(child, tagName, result)) return err;
            }
        }
        if (AIErr err = sAIArt->GetArtSibling(art, &art)) return err;
    }
    return kNoErr;
}

AIErr walkArtworkTreeForFirstDimObject(AIArtHandle start, AIArtHandle* result) {
    if (!result) return kCADErr;
    const size_t prefixLength = std::strlen(kLegacyLiveObjTag);
    for (AIArtHandle art = start; art;) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (type == kGroupArt) {
            AIArtHandle child = nullptr;
            if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
            // The enclosing run goes on after a find inside: a later find replaces it.
            if (child)
                if (AIErr err = walkArtworkTreeForFirstDimObject(child, result)) return err;
        } else {
            ai_int32 tags = 0;
            if (sAITag->CountTags(art, &tags) == kNoErr) {
                for (ai_int32 i = 0; i < tags; ++i) {
                    const char* name = nullptr;
                    if (sAITag->GetNthTag(art, i, &name) != kNoErr || !name) continue;
                    if (std::strncmp(name, kLegacyLiveObjTag, prefixLength) == 0) {
                        *result = art;
                        return kNoErr;
                    }
                }
            }
        }
        if (AIErr err = sAIArt->GetArtSibling(art, &art)) return err;
    }
    return kNoErr;
}
