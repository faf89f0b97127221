// The walk over a run of art that several features share: each art and its following
// siblings, groups entered rather than visited, every other art handed to the caller.
#pragma once

#include "AIArt.h"
#include "core/PlotwiseSuites.h"

// Calls leaf(art) for art, its following siblings and, inside every group among them, the
// group's own children the same way; the groups themselves are not handed over. The walk
// ends after `stop` (at whatever depth it is met; null walks every sibling), and the first
// error from the host or from leaf ends it with that error.
template <typename Leaf>
AIErr WalkArtTreeLeaves(AIArtHandle art, AIArtHandle stop, Leaf&& leaf) {
    while (art) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (type == kGroupArt) {
            AIArtHandle child = nullptr;
            if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
            if (child)
                if (AIErr err = WalkArtTreeLeaves(child, stop, leaf)) return err;
        } else if (AIErr err = leaf(art)) {
            return err;
        }
        if (art == stop) break;
        if (AIErr err = sAIArt->GetArtSibling(art, &art)) return err;
    }
    return kNoErr;
}
