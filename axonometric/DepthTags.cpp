// Unique ids of axonometric records after a document is opened.
#include "axonometric/DepthTags.h"

#include <cstring>

#include "axonometric/AxonometricData.h"
#include "axonometric/GuideLayers.h"
#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseSuites.h"
#include "artwork/ArtSelection.h"

namespace {

bool CountsAsDepthTag(const char* name, const char* prefix) {
    return name && std::strncmp(name, prefix, kDepthTagCompared) == 0 &&
           std::strncmp(kDepthTagPrefix, prefix, kDepthTagCompared) == 0;
}

// Tags that cannot be counted or named count as none.
AIErr RaiseByTags(AIArtHandle art, const char* prefix, int32_t* highest) {
    int32_t count = 0;
    if (sAITag->CountTags(art, &count) != kNoErr) return kNoErr;
    for (int32_t i = 0; i < count; ++i) {
        const char* name = nullptr;
        if (sAITag->GetNthTag(art, i, &name) != kNoErr || !CountsAsDepthTag(name, prefix)) continue;
        depth_object_data data;
        if (AIErr err = GetAxonometricData(art, &data)) return err;
        if (data.id > *highest) *highest = data.id;
    }
    return kNoErr;
}

}  // namespace

AIErr WalkArtworkTreeForUniqueTagID(AIArtHandle art, const char* prefix, int32_t* highest) {
    if (!prefix || !highest) return kBadParameterErr;
    return WalkArtTreeLeaves(art, nullptr, [prefix, highest](AIArtHandle leaf) { return RaiseByTags(leaf, prefix, highest); });
}

int32_t GetUniqueTagID(const char* prefix) {
    int32_t highest = 0;
    int32_t layers = 0;
    if (sAILayer->CountLayers(&layers) == kNoErr) {
        for (int32_t i = 0; i < layers; ++i) {
            AILayerHandle layer = nullptr;
            AIArtHandle first = nullptr;
            if (sAILayer->GetNthLayer(i, &layer) != kNoErr) {
                highest = -1;
                break;
            }
            if (IsGuideLayer(layer)) continue;
            if (sAIArt->GetFirstArtOfLayer(layer, &first) != kNoErr ||
                (first && WalkArtworkTreeForUniqueTagID(first, prefix, &highest) != kNoErr)) {
                highest = -1;
                break;
            }
        }
    }
    return highest + 1;
}
