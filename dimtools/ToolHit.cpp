// Hit references and the line of a hit segment.
#include "dimtools/ToolHit.h"

#include "core/PlotwiseSuites.h"
#include "geometry/PlotwiseErrors.h"

ToolHit::~ToolHit() {
    if (ref_) sAIHitTest->Release(ref_);
}

AIErr ToolHit::Test(AIArtHandle target, const AIRealPoint& point, AIToolHitData* data) {
    if (ref_) {
        sAIHitTest->Release(ref_);
        ref_ = nullptr;
    }
    *data = AIToolHitData{};
    if (AIErr err = sAIHitTest->HitTest(target, &point, kAllHitRequest, &ref_)) return err;
    return sAIHitTest->GetHitData(ref_, data);
}

AIErr HitSegmentAnchors(AIArtHandle path, int16_t segment, AIRealPoint* a, AIRealPoint* b) {
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(path, &count)) return err;
    if (count < 2 || segment < 0 || segment >= count) return kCADErr;
    ASBoolean closed = false;
    if (AIErr err = sAIPath->GetPathClosed(path, &closed)) return err;
    int16_t first = static_cast<int16_t>(segment - 1), second = segment;
    if (first < 0) {
        first = closed ? static_cast<int16_t>(count - 1) : 0;
        second = closed ? 0 : 1;
    }
    AIPathSegment s1{}, s2{};
    if (AIErr err = sAIPath->GetPathSegments(path, first, 1, &s1)) return err;
    if (AIErr err = sAIPath->GetPathSegments(path, second, 1, &s2)) return err;
    *a = s1.p;
    *b = s2.p;
    return kNoErr;
}
