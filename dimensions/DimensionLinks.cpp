// The links between dimensions and the art they measure kept in step: links of dimensions
// that are gone are removed, and after a paste the copies of dimensions and measured art
// are given ids of their own. Both index the art by dimension id once, so they cost one
// pass over the art they look at.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"
#include "geometry/CounterText.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr int32_t kPastedWithoutArtMessage = 35;  // 17035

bool Hidden(AIArtHandle art) {
    uint32_t attr = 0;
    return sAIArt->GetArtUserAttr(art, kArtHidden, &attr) == kNoErr && (attr & kArtHidden) != 0;
}

// The dimension groups whose id no link names (their measured art deleted, or their
// id damaged).
std::vector<AIArtHandle> UnlinkedDimensions(const std::vector<AIArtHandle>& arts) {
    std::unordered_set<int32_t> linked;
    std::vector<AIArtHandle> unlinked;
    for (AIArtHandle art : arts)
        if (IsDimensionedObject(art))
            (void)ForEachDimensionLink(art, [&](const char*, int32_t id) -> AIErr {
                linked.insert(id);
                return kNoErr;
            });
    for (AIArtHandle art : arts) {
        int32_t id = 0;
        if (IsDimension(art) && ReadDimensionID(art, &id) == kNoErr && !linked.contains(id))
            unlinked.push_back(art);
    }
    return unlinked;
}

// The ids of the art's links that lie where one of `unlinked` is drawn: the dimension each
// names is gone, but the dimension there may be theirs with a damaged id, so they stay.
std::unordered_set<int32_t> LinksLyingAt(AIArtHandle art, const std::vector<AIArtHandle>& unlinked) {
    std::unordered_set<int32_t> ids;
    if (unlinked.empty()) return ids;
    std::vector<Plotwise3_dimensioned_object_data> read;
    (void)ForEachDimensionedObjectData(art, [&](const Plotwise3_dimensioned_object_data& c) -> AIErr {
        read.push_back(c);
        return kNoErr;
    }, [](int32_t) { return kNoErr; });
    std::unordered_map<int32_t, ClickLink> links;
    for (Plotwise3_dimensioned_object_data& c : read) links[c.id].push_back(&c);
    for (const auto& entry : links)
        if (std::any_of(unlinked.begin(), unlinked.end(),
                        [&entry](AIArtHandle group) { return LinkLiesAt(entry.second, group); }))
            ids.insert(entry.first);
    return ids;
}

// A link as the user is told of it: its key, the ids it stores and its art's layer.
std::string LinkName(AIArtHandle art, const char* key, int32_t id, const std::vector<int32_t>& clickIds) {
    std::string name = std::string(key) + " holding " + std::to_string(id);
    for (int32_t other : clickIds) name += " and " + std::to_string(other);
    AILayerHandle layer = nullptr;
    char title[256] = {};
    if (sAIArt->GetLayerOfArt(art, &layer) == kNoErr && sAILayer->GetLayerTitle(layer, title, sizeof title) == kNoErr)
        name += std::string(" (layer \"") + title + "\")";
    return name;
}

}  // namespace

AIErr CleanupAssociativeDimensions() {
    if (!g) return kCADErr;
    std::unordered_set<int32_t> ids;
    bool complete = false;
    // Without the whole set every link would look orphaned: nothing is removed then, and
    // links go only for ids known to be gone.
    if (AIErr err = DimensionIdsOfDocument(ids, &complete)) return err;
    if (!complete) return kNoErr;
    std::vector<AIArtHandle> arts;
    if (AIErr err = MatchingArt(false, arts)) return err;
    const std::vector<AIArtHandle> unlinked = UnlinkedDimensions(arts);
    for (AIArtHandle art : arts) {
        if (Hidden(art) || !IsDimensionedObject(art)) continue;
        const std::unordered_set<int32_t> spared = LinksLyingAt(art, unlinked);
        auto gone = [&](int32_t id) { return !ids.contains(id) && !spared.contains(id); };
        auto kept = [art](const char* key, int32_t id, const std::vector<int32_t>& clickIds) {
            NoteForUser(kDisagreeingLinksNote, LinkName(art, key, id, clickIds));
        };
        if (AIErr err = RemoveDimensionLinks(art, gone, nullptr, kept)) return err;
    }
    return kNoErr;
}

AIErr DoAfterPaste() {
    if (!g) return kCADErr;
    g->prefs.style.id = CounterPlus(GetHighestDimensionID(), 1);
    std::vector<AIArtHandle> pasted;
    if (AIErr err = MatchingArt(true, pasted)) return err;
    // The pasted dimensions and the pasted links, by the ids they came with.
    std::unordered_map<int32_t, std::vector<AIArtHandle>> dimensions;
    std::vector<AIArtHandle> measured;
    std::vector<int32_t> linkIds;  // in the order met
    std::unordered_set<int32_t> linked;
    for (AIArtHandle art : pasted) {
        if (IsDimensionedObject(art)) {
            measured.push_back(art);
            if (AIErr err = ForEachDimensionLink(art, [&](const char*, int32_t id) -> AIErr {
                    if (linked.insert(id).second) linkIds.push_back(id);
                    return kNoErr;
                }))
                return err;
        } else if (IsDimension(art)) {
            dimensions[GetDimensionID(art)].push_back(art);
        }
    }
    NewDimensionIds ids(g->prefs.style.id);
    for (int32_t id : linkIds) {
        const auto found = dimensions.find(id);
        if (found != dimensions.end()) {
            // Pasted together: a fresh id on both sides.
            int32_t fresh = 0;
            if (AIErr err = ids.Take(&fresh)) return err;
            g->prefs.style.id = std::max(g->prefs.style.id, ids.Highest());
            if (fresh == 0) {  // every id is in use: the copy keeps the id it came with
                NoteForUser(kNoFreeDimensionIdNote, std::to_string(id));
                dimensions.erase(found);
                continue;
            }
            for (AIArtHandle dimension : found->second)
                if (AIErr err = SetDimensionID(dimension, fresh)) return err;
            for (AIArtHandle art : measured)
                if (AIErr err = RenumberDimensionLink(art, id, fresh)) return err;
            dimensions.erase(found);
        } else {
            // The dimension stayed behind: the copy does not follow it.
            for (AIArtHandle art : measured)
                if (AIErr err = RemoveDimensionLinks(art, [id](int32_t linkId) { return linkId == id; })) return err;
        }
    }
    // Dimensions pasted without anything they measure stop being live.
    bool madeStatic = false;
    for (const auto& [id, arts] : dimensions) {
        for (AIArtHandle dimension : arts) {
            if (AIErr err = DeleteDimensionData(dimension)) return err;
            madeStatic = true;
        }
    }
    if (madeStatic && sADMBasic) {
        char text[512];
        GetPlotwiseString(kMessageList, kPastedWithoutArtMessage, text, sizeof text);
        sADMBasic->MessageAlert(text);
    }
    return kNoErr;
}
