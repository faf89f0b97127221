// Deselecting all art and selecting the art tagged before a redraw.
#include "core/PlotwiseSelection.h"

#include <initializer_list>
#include <vector>

#include "core/PlotwiseSuites.h"

namespace {

// The art of a matching-art query, with the host's list disposed on every way out.
AIErr MatchingArt(bool selectedOnly, std::vector<AIArtHandle>& out) {
    out.clear();
    AIMatchingArtSpec wanted{kAnyArt, selectedOnly ? int32_t{kArtSelected} : 0,
                           selectedOnly ? int32_t{kArtSelected} : 0};
    AIMdMemoryHandle list = nullptr;
    int32_t count = 0;
    AIErr err = sAIMatchingArt->GetMatchingArt(&wanted, 1, &list, &count);
    if (err == kNoDocumentErr) return kNoErr;
    if (err) return err;
    if (!list) return kNoErr;
    void* block = nullptr;
    err = sAIMdMemory->MdMemoryLock(list, &block);
    if (!err && block && count > 0) {
        auto* arts = static_cast<AIArtHandle*>(block);
        out.assign(arts, arts + count);
    }
    if (!err) sAIMdMemory->MdMemoryUnLock(list);
    AIErr disposeErr = sAIMdMemory->MdMemoryDisposeHandle(list);
    return err ? err : disposeErr;
}

}  // namespace

AIErr deselectAllArt() {
    if (!sAIMatchingArt || !sAIMdMemory || !sAIArt) return kBadParameterErr;
    std::vector<AIArtHandle> arts;
    if (AIErr err = MatchingArt(true, arts)) return err;
    for (AIArtHandle art : arts)
        if (AIErr err = sAIArt->SetArtUserAttr(art, kArtSelected | kArtFullySelected, 0)) return err;
    return kNoErr;
}

AIErr selectTaggedArt() {
    std::vector<AIArtHandle> arts;
    if (AIErr err = MatchingArt(false, arts)) return err;
    for (AIArtHandle art : arts) {
        const char* type = nullptr;
        AIErr err = sAITag->GetTagType(art, kObjectWasSelectedTag, &type);
        if (err == kNoSuchKey) continue;
        if (err) return err;
        if ((err = sAITag->RemoveTag(art, kObjectWasSelectedTag))) return err;
        AILayerHandle layer = nullptr;
        ASBoolean editable = false;
        if ((err = sAIArt->GetLayerOfArt(art, &layer))) return err;
        if (layer && (err = sAILayer->GetLayerEditable(layer, &editable))) return err;
        if (!editable) continue;
        if ((err = sAIArt->SetArtUserAttr(art, kArtSelected, kArtSelected))) return err;
    }
    return kNoErr;
}
