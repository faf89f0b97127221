// The line of a hit segment.
#include "dimtools/ToolHit.h"

#include "core/PlotwiseSuites.h"
#include "geometry/PlotwiseErrors.h"

AIErr HitSegmentEnds(AIArtHandle path, int16_t segment, int16_t* first, int16_t* second) {
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(path, &count)) return err;
    if (count < 2 || segment < 0 || segment >= count) return kCADErr;
    ASBoolean closed = false;
    if (AIErr err = sAIPath->GetPathClosed(path, &closed)) return err;
    // An open path has no closing segment: its first anchor names its first segment.
    *first = static_cast<int16_t>(segment - 1);
    *second = segment;
    if (segment == 0) {
        *first = closed ? static_cast<int16_t>(count - 1) : 0;
        *second = closed ? 0 : 1;
    }
    return kNoErr;
}

AIErr HitSegmentAnchors(AIArtHandle path, int16_t segment, AIRealPoint* a, AIRealPoint* b) {
    int16_t first = 0, second = 0;
    if (AIErr err = HitSegmentEnds(path, segment, &first, &second)) return err;
    AIPathSegment s1{}, s2{};
    if (AIErr err = sAIPath->GetPathSegments(path, first, 1, &s1)) return err;
    if (AIErr err = sAIPath->GetPathSegments(path, second, 1, &s2)) return err;
    *a = s1.p;
    *b = s2.p;
    return kNoErr;
}
