// Selection tests and selections through the art, tag, matching-art and text suites.
#include "artwork/ArtSelection.h"

#include <cstring>

#include "IText.h"
#include "core/PlotwiseSuites.h"

namespace {

// Walks art and its following siblings; true once `last` was handled.
AIErr selectLeaves(AIArtHandle art, AIArtHandle last, bool& reachedLast) {
    for (AIArtHandle a = art; a != nullptr && !reachedLast;) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(a, &type)) return err;
        if (type == kGroupArt || type == kCompoundPathArt) {
            AIArtHandle child = nullptr;
            if (AIErr err = sAIArt->GetArtFirstChild(a, &child)) return err;
            bool childReached = false;
            if (AIErr err = selectLeaves(child, last, childReached)) return err;
            reachedLast = childReached;
        } else if (AIErr err = sAIArt->SetArtUserAttr(a, kArtSelected, kArtSelected)) {
            return err;
        }
        if (a == last) reachedLast = true;
        if (reachedLast) break;
        AIArtHandle next = nullptr;
        if (AIErr err = sAIArt->GetArtSibling(a, &next)) return err;
        a = next;
    }
    return kNoErr;
}

}  // namespace

int IsPerspectiveArt(AIArtHandle art) {
    if (!sAITag || !art) return 0;
    int32_t count = 0;
    if (sAITag->CountTags(art, &count) != kNoErr) return 0;
    for (int32_t i = 0; i < count; ++i) {
        const char* name = nullptr;
        if (sAITag->GetNthTag(art, i, &name) != kNoErr) return 0;
        if (name && std::strncmp(name, kDepthTagStem, kDepthTagCompared) == 0) return 1;
    }
    return 0;
}

int SomeArtIsSelected() {
    if (!sAIMatchingArt || !sAIMdMemory) return 0;
    const AIMatchingArtSpec wanted{kAnyArt, kArtSelected, kArtSelected};
    AIMdMemoryHandle list = nullptr;
    int32_t count = 0;
    const AIErr err = sAIMatchingArt->GetMatchingArt(&wanted, 1, &list, &count);
    if (list) sAIMdMemory->MdMemoryDisposeHandle(list);
    return err == kNoErr && count > 0 ? 1 : 0;
}

AIErr SelectText(AIArtHandle art) {
    if (!sAIArt || !sAITextFrame) return kBadParameterErr;
    int16_t type = kUnknownArt;
    if (sAIArt->GetArtType(art, &type) != kNoErr || type != kTextFrameArt) return kNoErr;
    ATE::TextRangeRef ref = nullptr;
    if (AIErr err = sAITextFrame->GetATETextRange(art, &ref)) return err;
    const ATE::ITextRange range(ref);
    const ATE::IStory story = range.GetStory();
    ATE::IStories stories = story.GetStories();
    stories.SetFocus(story);
    range.Select(true);
    return kNoErr;
}

AIErr CompletelySelectGroup(AIArtHandle art, AIArtHandle last) {
    if (!sAIArt) return kBadParameterErr;
    bool reachedLast = false;
    return selectLeaves(art, last, reachedLast);
}
